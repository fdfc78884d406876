// The progress bar long operations hold, with a silent twin for runs without a
// window.
#pragma once

#include <string_view>

namespace orv {

// A progress bar in a pane of the main window's status bar, with a label to
// its left, held by a long operation for its duration. It is hidden until the
// first SetPos or SetStep, and puts the pane's text back when it goes.
// Labels are cp1252 bytes.
class CProgressBar {
public:
    virtual ~CProgressBar() = default;

    virtual void SetText(std::string_view label) = 0;
    virtual void SetPos(int pos) = 0;
    virtual void SetRange(int lower, int upper, int step) = 0;
    virtual void SetStep(int step) = 0;
    virtual void Clear() = 0;
};

// The bar of a program without a window: it shows nothing.
class CNoProgressBar final : public CProgressBar {
public:
    void SetText(std::string_view) override {}
    void SetPos(int) override {}
    void SetRange(int, int, int) override {}
    void SetStep(int) override {}
    void Clear() override {}
};

} // namespace orv

// What the command logic asks of the main window: the Qt frame implements it,
// tests fake it.
#pragma once

namespace orv {

class IFrameWindow {
public:
    virtual ~IFrameWindow() = default;
    // Sets the title from the project path and the state flags.
    virtual void UpdateTitle() = 0;
    // Rewrites the menu texts in the current language.
    virtual void RebuildMenuTexts() = 0;
    // Invalidates the display editor's whole window with erasing.
    virtual void RepaintDisplay() = 0;
    // Closes the window as "Beenden" does, once the current command returned.
    virtual void RequestClose() = 0;
    // Starts or stops the simulation's poll step every 50 ms.
    virtual void SetSimPolling(bool on) = 0;
};

} // namespace orv

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
    // What the print commands ask of the window.
    enum PrintJob : int { kPrint = 0, kPreview = 1, kPrintSetup = 2 };
    // Prints, previews the printable view's picture or sets the printer up;
    // nothing where there is no printer.
    virtual void Print(int job) { (void)job; }
};

} // namespace orv

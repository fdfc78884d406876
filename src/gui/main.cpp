// The program's entry point: checks the command line, registers the Qt UI
// services and shows the main window.
#include "gui/MainFrame.h"
#include "gui/QtUiServices.h"
#include "workspace/CommandLine.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    // Checked as given, before Qt takes its own options out of argv.
    const std::vector<std::string> args = orv::CopyArguments(argc, argv);
    // Qt would abort with its own words only.
    const std::string noDisplay = orv::MissingDisplayMessage(args, std::getenv("QT_QPA_PLATFORM"),
                                                             std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY"));
    if (!noDisplay.empty()) {
        std::fprintf(stderr, "%s\n", noDisplay.c_str());
        return 2;
    }
    QApplication app(argc, argv);
    orv::CQtUiServices ui;
    orv::ScopedUiServices uiRegistration(ui);
    orv::CMainFrame frame;
    if (!frame.Create(args))
        return 1;
    frame.PlaceAndShow();
    return QApplication::exec();
}

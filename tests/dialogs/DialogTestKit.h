// What the dialog tests read off a shown dialog.
#pragma once

#include "dialogs/DialogKit.h"
#include "dialogs/KeptDialogs.h"
#include "dialogs/QtText.h"
#include "support/ConfigKit.h"
#include "support/FrameFakes.h"
#include "support/FrameFixture.h"
#include "workspace/FrameCore.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace orv {

// The text a control shows: a button's, a label's or a group's title;
// "<present>" for another control and "<missing>" without one.
inline QString ShownText(const QWidget& dialog, int id)
{
    const QObject* control = dialog.findChild<QObject*>(ControlName(id));
    if (const auto* button = qobject_cast<const QAbstractButton*>(control))
        return button->text();
    if (const auto* label = qobject_cast<const QLabel*>(control))
        return label->text();
    if (const auto* group = qobject_cast<const QGroupBox*>(control))
        return group->title();
    return control != nullptr ? QStringLiteral("<present>") : QStringLiteral("<missing>");
}

// A dialog to show, its caption (cp1252) and what its controls show: a
// text in cp1252, or "" where only the control's presence counts.
struct DialogTexts {
    const char* caption;
    std::function<std::unique_ptr<QDialog>()> make;
    std::vector<std::pair<int, const char*>> texts;
};

inline void ExpectShows(const DialogTexts& c)
{
    SCOPED_TRACE(c.caption);
    const std::unique_ptr<QDialog> dialog = c.make();
    dialog->show();
    EXPECT_EQ(dialog->windowTitle(), FromCp1252(c.caption));
    for (const auto& [id, text] : c.texts) {
        SCOPED_TRACE(id);
        const QString shown = ShownText(*dialog, id);
        if (*text != 0)
            EXPECT_EQ(shown.toStdString(), FromCp1252(text).toStdString());
        else
            EXPECT_NE(shown, QStringLiteral("<missing>"));
    }
    EXPECT_FALSE(dialog->grab().isNull());
    dialog->hide();
}

// Runs act on the next modal dialog once it is up; polled, since the
// dialog opens inside the call under test.
inline void OnModalDialog(std::function<void(QDialog&)> act)
{
    auto* poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, act = std::move(act)] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr || !dialog->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        act(*dialog);
    });
    poll->start();
}

// A started frame core whose runner opens the program's kept dialogs.
struct RunnerFrame {
    RunnerFrame()
    {
        core.Start();
        kept.emplace(MakeKeptDialog, core);
        runner.SetKept(&*kept);
    }
    ~RunnerFrame() { runner.SetKept(nullptr); }

    FrameFixture f;
    ConfigKit kit;
    Journal journal;
    FakeFrameWindow window{journal};
    FakeFilePrompt files;
    CQtDlgRunner runner;
    CFrameCore core{f.frame, window, runner, files};
    std::optional<CKeptDialogs> kept;
};

} // namespace orv

#include "dialogs/DialogKit.h"
#include "dialogs/ProjectDialogs.h"
#include "dialogs/QtText.h"
#include "model/core/CatalogueIds.h"
#include "model/core/LangStrings.h"
#include "model/core/UiServices.h"
#include "GuiTestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace orv {

namespace {

// Acts on the notice once it is up; false when none came within a second.
bool HintOnNotice(const std::function<void(CDlgHint&)>& act, const std::function<void()>& run)
{
    bool seen = false;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* hint = dynamic_cast<CDlgHint*>(QApplication::activeModalWidget());
        if (hint == nullptr || !hint->isVisible())
            return;
        poll.stop();
        seen = true;
        act(*hint);
    });
    poll.start();
    QTimer::singleShot(1000, &poll, [&poll] {
        poll.stop();
        // A notice that should not have come is closed, so the test ends.
        if (auto* hint = dynamic_cast<CDlgHint*>(QApplication::activeModalWidget()))
            hint->reject();
    });
    run();
    return seen;
}

TEST(gui_hint, NoticeShowsItsTextAndWritesTheBoxBack)
{
    FrameHarness h;
    h.WriteIni("");
    QString shown;
    bool ticked = false;
    const bool seen = HintOnNotice(
        [&](CDlgHint& hint) {
            shown = FindControl<QLabel>(hint, 1979)->text();
            auto* box = FindControl<QCheckBox>(hint, 1980);
            ticked = box->isChecked();
            QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(6, box->height() / 2));
            QTest::mouseClick(hint.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
        },
        [] { GetUiServices().ShowHint("FifoWarn", msg::kWarnungFIFOMussAusgeschaltenSein, 3); });
    ASSERT_TRUE(seen);
    EXPECT_EQ(shown, FromCp1252(LoadLangString(msg::kWarnungFIFOMussAusgeschaltenSein)));
    EXPECT_TRUE(ticked);
    EXPECT_NE(h.ReadIni().find("FifoWarn=0"), std::string::npos) << h.ReadIni();

    // Switched off: nothing shows.
    EXPECT_FALSE(HintOnNotice([](CDlgHint& hint) { hint.accept(); },
                              [] { GetUiServices().ShowHint("FifoWarn", msg::kWarnungFIFOMussAusgeschaltenSein, 3); }));
}

TEST(gui_hint, F1AsksForTheNoticesHelpPage)
{
    std::vector<int> pages;
    CDlgHint hint("Text", 3, [&pages](int page) { pages.push_back(page); });
    hint.show();
    QTest::keyClick(&hint, Qt::Key_F1);
    EXPECT_EQ(pages, std::vector<int>{3});
    EXPECT_TRUE(hint.isVisible());
    // Closed without OK, the notice stays on.
    hint.reject();
    EXPECT_TRUE(hint.Again());
}

// A question answers in the menu language, not in Qt's English, and so do
// Qt's own dialogs (their "Cancel" stands for all of their texts).
TEST(gui_question, ButtonsSpeakTheMenuLanguage)
{
    struct Case {
        const char* ini;
        const char* yes;
        const char* no;
        const char* cancel;
    };
    const Case cases[] = {{"LangId=0\r\n", "&Ja", "&Nein", "Abbrechen"},
                          {"LangId=1\r\n", "&Yes", "&No", "Cancel"},
                          {"LangId=2\r\n", "&Oui", "&Non", "Annuler"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ini);
        FrameHarness h;
        h.WriteIni(c.ini);
        h.Start();
        QString yes;
        QString no;
        OnNextModal([&](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(box, nullptr);
            yes = box->button(QMessageBox::Yes)->text();
            no = box->button(QMessageBox::No)->text();
            box->button(QMessageBox::No)->click();
        });
        EXPECT_FALSE(GetUiServices().AskYesNo("Weiter?", 0));
        EXPECT_EQ(yes, QString::fromLatin1(c.yes));
        EXPECT_EQ(no, QString::fromLatin1(c.no));
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString::fromLatin1(c.cancel));
    }
}

} // namespace

} // namespace orv

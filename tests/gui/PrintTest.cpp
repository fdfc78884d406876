// The print commands over a view that prints its picture: greyed without one,
// and the picture on exactly one page of a PDF file.
#include "GuiTestSupport.h"

#include "gui/PrintView.h"
#include "gui/ViewDc.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QPainter>
#include <QPrinter>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <regex>

using namespace orv;

namespace {

// A picture of the display's proportions, 40 by 8 characters; records the
// size it was asked to paint.
class FakePrintView final : public IQtPrintView {
public:
    QSize PrintSize() const override { return {320, 64}; }
    void PaintPrint(QPainter& painter, const QSize& target) const override
    {
        m_targets.push_back(target);
        painter.drawRect(QRect(QPoint(0, 0), target).adjusted(0, 0, -1, -1));
        painter.drawText(QRect(QPoint(0, 0), target), Qt::AlignCenter, QStringLiteral("Bedientext 1"));
    }

    mutable std::vector<QSize> m_targets;
};

std::string PrintFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Page objects of a PDF file; the page tree ("/Pages") is not one.
size_t PdfPageCount(const std::string& pdf)
{
    static const std::regex page(R"(/Type\s*/Page[^s])");
    return static_cast<size_t>(std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), page), std::sregex_iterator()));
}

void ToPdf(QPrinter& printer, const std::string& path)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(path));
}

TEST(gui_main_frame_commands, PrintAndPreviewNeedAPrintableView)
{
    FrameHarness h;
    CMainFrame& frame = h.Start();
    struct Case {
        const char* what;
        FakePrintView* view;
        bool printable;
    };
    FakePrintView view;
    const Case cases[] = {{"no view", nullptr, false}, {"a printable view", &view, true}, {"the view gone", nullptr, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        frame.SetPrintView(c.view);
        EXPECT_EQ(frame.Action(57607)->isEnabled(), c.printable) << "Drucken";
        EXPECT_EQ(frame.Action(57609)->isEnabled(), c.printable) << "Seitenansicht";
        EXPECT_TRUE(frame.Action(57606)->isEnabled()) << "Druckereinrichtung";
    }
}

// The program's own printable view is the display editor: what it prints is
// what its pane shows.
TEST(gui_main_frame_commands, TheDisplayEditorIsThePrintableView)
{
    FrameHarness h;
    CMainFrame& frame = h.Start();
    auto* view = frame.findChild<CViewDc*>();
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(frame.Action(57607)->isEnabled());
    EXPECT_EQ(view->PrintSize(), view->size());

    TempDir dir;
    const std::string pdf = dir.File("panel.pdf");
    QPrinter printer(QPrinter::HighResolution);
    ToPdf(printer, pdf);
    ASSERT_TRUE(PrintViewOnPage(*view, printer));
    const std::string bytes = PrintFileBytes(pdf);
    EXPECT_EQ(bytes.rfind("%PDF", 0), 0u);
    EXPECT_EQ(PdfPageCount(bytes), 1u);
}

TEST(gui_main_frame_commands, ThePictureFillsOnePageInItsProportions)
{
    TempDir dir;
    const std::string pdf = dir.File("view.pdf");
    FakePrintView view;
    QPrinter printer(QPrinter::HighResolution);
    ToPdf(printer, pdf);
    ASSERT_TRUE(PrintViewOnPage(view, printer));

    const std::string bytes = PrintFileBytes(pdf);
    EXPECT_EQ(bytes.rfind("%PDF", 0), 0u) << bytes.substr(0, 16);
    EXPECT_EQ(PdfPageCount(bytes), 1u);
    ASSERT_EQ(view.m_targets.size(), 1u);
    const QSize page = printer.pageLayout().paintRectPixels(printer.resolution()).size();
    const QSize target = view.m_targets[0];
    EXPECT_EQ(target.width(), page.width()) << "a wide picture takes the page's width";
    EXPECT_LE(target.height(), page.height());
    EXPECT_NEAR(target.height(), target.width() / 5, 1);
}

TEST(gui_main_frame_commands, PrintTargetSizeKeepsTheProportions)
{
    struct Case {
        QSize picture, page, want;
    };
    const Case cases[] = {
        {{320, 64}, {1000, 1000}, {1000, 200}},
        {{100, 400}, {1000, 1000}, {250, 1000}},
        {{320, 64}, {160, 1000}, {160, 32}},
        // Nothing to paint, or nowhere to paint it.
        {{0, 64}, {1000, 1000}, {}},
        {{320, 64}, {0, 0}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.picture.width() << "x" << c.picture.height() << " on " << c.page.width()
                                        << "x" << c.page.height());
        EXPECT_EQ(PrintTargetSize(c.picture, c.page), c.want);
    }
}

// "Drucken" asks for the printer first and prints once the dialog is
// accepted.
TEST(gui_main_frame_commands, PrintCommandPrintsAfterItsDialog)
{
    FrameHarness h;
    CMainFrame& frame = h.Start();
    FakePrintView view;
    frame.SetPrintView(&view);
    TempDir dir;
    const std::string pdf = dir.File("print.pdf");
    ToPdf(frame.Printer(), pdf);

    OnNextModal([](QWidget* w) { static_cast<QDialog*>(w)->reject(); });
    frame.Action(57607)->trigger();
    EXPECT_TRUE(view.m_targets.empty()) << "cancelled";
    EXPECT_FALSE(std::filesystem::exists(pdf));

    OnNextModal([](QWidget* w) { static_cast<QDialog*>(w)->accept(); });
    frame.Action(57607)->trigger();
    EXPECT_EQ(view.m_targets.size(), 1u);
    const std::string bytes = PrintFileBytes(pdf);
    EXPECT_EQ(bytes.rfind("%PDF", 0), 0u);
    EXPECT_EQ(PdfPageCount(bytes), 1u);
    frame.SetPrintView(nullptr);
}

// The preview shows the picture as it would print; the setup opens the
// printer's page setup.
TEST(gui_main_frame_commands, PreviewPaintsThePictureAndSetupOpensThePageSetup)
{
    FrameHarness h;
    CMainFrame& frame = h.Start();
    FakePrintView view;
    frame.SetPrintView(&view);
    struct Case {
        uint32_t id;
        const char* dialog;
        bool paints;
    };
    const Case cases[] = {{57609, "QPrintPreviewDialog", true}, {57606, "QPageSetupDialog", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        view.m_targets.clear();
        std::string shown;
        size_t paintedWhenShown = 0;
        OnNextModal([&](QWidget* w) {
            shown = w->metaObject()->className();
            paintedWhenShown = view.m_targets.size();
            static_cast<QDialog*>(w)->reject();
        });
        frame.Action(c.id)->trigger();
        EXPECT_EQ(shown, c.dialog);
        EXPECT_EQ(paintedWhenShown > 0, c.paints);
    }
    frame.SetPrintView(nullptr);
}

} // namespace

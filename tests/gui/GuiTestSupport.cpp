#include "GuiTestSupport.h"

#include "support/ConfigKit.h"
#include "support/OffscreenQtApp.h"
#include "support/SerLinkStubs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace orv {

namespace {

[[maybe_unused]] const auto* g_env = ::testing::AddGlobalTestEnvironment(new OffscreenQtApp("test_gui"));

} // namespace

FrameHarness::FrameHarness()
    : m_homeEnv("ORVTOOL_HOME", home.Path().c_str()),
      m_serlinkEnv("ORVTOOL_SERLINK", SerLinkStubFull().c_str()),
      m_uiReg(m_ui)
{
    ConfigKit::CopyShipped(home.Path());
}

FrameHarness::~FrameHarness()
{
    Stop();
}

void FrameHarness::WriteIni(const std::string& keys)
{
    home.Write("ORVtool.ini", "[GUI]\r\n" + keys);
}

std::string FrameHarness::ReadIni() const
{
    return home.Read("ORVtool.ini");
}

std::string FrameHarness::UseSampleAsLastProject()
{
    const std::string sample = home.Path() + "data/demo043.orv";
    std::filesystem::create_directories(home.Path() + "data");
    std::filesystem::copy_file(ORV_SAMPLE_PROJECT, sample, std::filesystem::copy_options::overwrite_existing);
    std::string ini = home.Read("CFG/ORV/ORVPRO.INI");
    const std::string section = "[ENVIRONMENT]\r\n";
    const std::string shippedPanel = "ORV=ORV014\r\n";
    const size_t env = ini.find(section);
    const size_t panel = ini.find(shippedPanel);
    EXPECT_NE(env, std::string::npos);
    EXPECT_NE(panel, std::string::npos);
    if (env == std::string::npos || panel == std::string::npos)
        return sample;
    ini.replace(panel, shippedPanel.size() - 2, "ORV=ORV043");
    ini.insert(env + section.size(), "ORV_FILE=\"" + sample + "\"\r\n");
    home.Write("CFG/ORV/ORVPRO.INI", ini);
    return sample;
}

CMainFrame& FrameHarness::Start(KeptDialogFactory dialogFactory)
{
    Stop();
    m_frame = std::make_unique<CMainFrame>(std::move(dialogFactory));
    EXPECT_TRUE(m_frame->Create({}));
    m_frame->PlaceAndShow();
    QApplication::processEvents();
    return *m_frame;
}

void FrameHarness::Stop()
{
    m_frame.reset();
}

namespace {

void PollModal(const std::function<void(QWidget*)>& act, int triesLeft)
{
    QWidget* w = QApplication::activeModalWidget();
    if (w == nullptr)
        w = QApplication::activePopupWidget();
    if (w != nullptr && w->isVisible()) {
        act(w);
        return;
    }
    if (triesLeft > 0)
        QTimer::singleShot(10, [act, triesLeft] { PollModal(act, triesLeft - 1); });
    else
        ADD_FAILURE() << "no modal window came up";
}

} // namespace

ModalBoxAnswers::ModalBoxAnswers() : m_timer(std::make_unique<QTimer>())
{
    m_timer->setInterval(10);
    QObject::connect(m_timer.get(), &QTimer::timeout, [this] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible())
            return;
        texts.push_back(box->text().toStdString());
        if (QAbstractButton* yes = box->button(QMessageBox::Yes))
            yes->click();
        else
            box->accept();
    });
    m_timer->start();
}

ModalBoxAnswers::~ModalBoxAnswers() = default;

void OnNextModal(std::function<void(QWidget*)> act)
{
    QTimer::singleShot(0, [act = std::move(act)] { PollModal(act, 500); });
}

} // namespace orv

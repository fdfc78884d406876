// One offscreen application for every dialog test.
#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace orv {

namespace {

// Created when the tests run (not when they are listed), on the offscreen
// platform unless another was asked for.
class QtEnvironment final : public ::testing::Environment {
public:
    void SetUp() override
    {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
        m_app = std::make_unique<QApplication>(m_argc, m_argv);
    }
    void TearDown() override { m_app.reset(); }

private:
    int m_argc = 1;
    char m_name[13] = "test_dialogs";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QApplication> m_app;
};

[[maybe_unused]] const auto* g_env = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

} // namespace

} // namespace orv

// One Qt application for all tests of a program that shows widgets; only
// programs that link Qt include it.
#pragma once

#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <utility>

namespace orv {

// Created when the tests run (not when they are listed), on the offscreen
// platform unless another was asked for.
class OffscreenQtApp final : public ::testing::Environment {
public:
    explicit OffscreenQtApp(std::string programName) : m_name(std::move(programName)) {}

    void SetUp() override
    {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
        m_argv[0] = m_name.data();
        m_app = std::make_unique<QApplication>(m_argc, m_argv);
    }
    void TearDown() override { m_app.reset(); }

private:
    std::string m_name;
    int m_argc = 1;
    char* m_argv[2] = {nullptr, nullptr};
    std::unique_ptr<QApplication> m_app;
};

} // namespace orv

// The real program started on a virtual display with the sample as its last
// project, through tools/screenshot.sh: the window names the sample, and the
// picture shows the whole screen with the log pane written.
#include <QColor>
#include <QImage>
#include <QRect>

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <sstream>
#include <string>
#include <sys/wait.h>

namespace {

struct ShotRun {
    int status = -1;
    std::string output;
};

ShotRun RunScreenshotScript()
{
    ShotRun run;
    const std::string command = "bash '" ORV_SCREENSHOT_SCRIPT "' '" ORV_BUILD_DIR "' 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr)
        return run;
    std::array<char, 512> buffer{};
    while (std::fgets(buffer.data(), static_cast<int>(buffer.size()), pipe) != nullptr)
        run.output += buffer.data();
    const int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

// The rest of the line that begins with key, "" without one.
std::string ShotValue(const std::string& output, const std::string& key)
{
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);)
        if (line.rfind(key, 0) == 0)
            return line.substr(key.size());
    return {};
}

bool OneColour(const QImage& image, const QRect& area)
{
    const QRgb first = image.pixel(area.topLeft());
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) != first)
                return false;
    return true;
}

// The log pane is the lowest pane, right above the status bar. Its right
// edge holds no text: from the window's bottom upwards, past the status bar
// and the frame, its white interior runs up to the frame of its top.
QRect ShotLogPane(const QImage& image, const QRect& window)
{
    const int column = window.right() - 8;
    const QRgb white = qRgb(255, 255, 255);
    int row = window.bottom();
    while (row > window.top() && image.pixel(column, row) != white)
        --row;
    const int bottom = row;
    while (row > window.top() && image.pixel(column, row) == white)
        --row;
    return QRect(QPoint(window.left() + 6, row + 1), QPoint(window.right() - 8, bottom));
}

TEST(gui_screenshot, TheProgramComesUpWithTheSampleAndItsLog)
{
    const ShotRun run = RunScreenshotScript();
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_NE(ShotValue(run.output, "title: ").find("demo043"), std::string::npos) << run.output;

    int screenW = 0;
    int screenH = 0;
    ASSERT_EQ(std::sscanf(ShotValue(run.output, "screen: ").c_str(), "%dx%d", &screenW, &screenH), 2) << run.output;
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
    ASSERT_EQ(std::sscanf(ShotValue(run.output, "window: ").c_str(), "%d %d %d %d", &x, &y, &w, &h), 4)
        << run.output;

    const QImage image(QString::fromStdString(ShotValue(run.output, "picture: ")));
    ASSERT_FALSE(image.isNull()) << run.output;
    EXPECT_EQ(image.width(), screenW);
    EXPECT_EQ(image.height(), screenH);
    const QRect window = QRect(x, y, w, h).intersected(image.rect());
    ASSERT_FALSE(window.isEmpty()) << run.output;
    const QRect log = ShotLogPane(image, window);
    ASSERT_GE(log.height(), 40) << "no log pane above the status bar";
    EXPECT_FALSE(OneColour(image, log)) << "the log pane shows nothing: " << log.top() << ".." << log.bottom();
}

} // namespace

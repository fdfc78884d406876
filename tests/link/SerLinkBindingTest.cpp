#include "link/SerLinkBinding.h"

#include "support/FrameFixture.h"
#include "support/ScopedEnv.h"
#include "support/SerLinkStubs.h"

#include <gtest/gtest.h>

#include <filesystem>


namespace orv {
namespace {

using SerLinkBindingKind = UiCall::Kind;

struct BindCase {
    const char* name;
    std::string path;
    bool bound;
    std::vector<std::string> boxes;
};

TEST(link_serlink_binding, ReportsWhatIsMissingAndBindsOnlyAllThree)
{
    const BindCase cases[] = {
        {"all three", SerLinkStubFull(), true, {}},
        {"no orvlink_rec", SerLinkStubNoRec(), false, {"orvlink_rec not found in DLL\n"}},
        {"none", SerLinkStubNone(), false,
         {"orvlink_start not found in DLL\n", "orvlink_end not found in DLL\n", "orvlink_rec not found in DLL\n"}},
        {"missing file", "/nonexistent/dir/libserlink.so", false, {"int Error: libserlink.so not found"}},
    };
    for (const BindCase& c : cases) {
        SCOPED_TRACE(c.name);
        FrameFixture f;
        CSerLinkBinding binding;
        EXPECT_EQ(binding.Bind(c.path), c.bound);
        EXPECT_EQ(binding.Api() != nullptr, c.bound);
        EXPECT_EQ(f.ui.TextsOf(SerLinkBindingKind::Box), c.boxes);
        for (const UiCall& box : f.ui.CallsOf(SerLinkBindingKind::Box))
            EXPECT_EQ(box.caption, "ORVtool");
    }
}

TEST(link_serlink_binding, MissingFileLogsTheLoaderText)
{
    FrameFixture f;
    CSerLinkBinding binding;
    EXPECT_FALSE(binding.Bind("/nonexistent/dir/libserlink.so"));
    const std::vector<std::string> log = f.ui.TextsOf(SerLinkBindingKind::LogAppend);
    ASSERT_EQ(log.size(), 1u);
    EXPECT_NE(log[0].find("/nonexistent/dir/libserlink.so"), std::string::npos);
    // The box comes before the log line.
    ASSERT_GE(f.ui.Calls().size(), 2u);
    EXPECT_EQ(f.ui.Calls()[0].kind, SerLinkBindingKind::Box);
}

TEST(link_serlink_binding, BoundEntryPointsAreCalled)
{
    FrameFixture f;
    CSerLinkBinding binding;
    ASSERT_TRUE(binding.Bind(SerLinkStubFull()));
    const SerLinkApi* api = binding.Api();
    ASSERT_NE(api, nullptr);
    EXPECT_EQ(api->start(2, 1), 105);
    char command[] = "X";
    char answer[ORVLINK_BUFFER_SIZE] = "junk";
    EXPECT_EQ(api->rec(command, answer), 0);
    EXPECT_EQ(answer[0], '\0');
    EXPECT_EQ(api->end(), 0);

    // A failed rebind hands out nothing, not the entry points of before.
    EXPECT_FALSE(binding.Bind(SerLinkStubNoRec()));
    EXPECT_EQ(binding.Api(), nullptr);
    binding.Unbind();
    EXPECT_EQ(binding.Api(), nullptr);
}

TEST(link_serlink_binding, ProgramBindingHonoursTheEnvironment)
{
    FrameFixture f;
    {
        ScopedEnv env("ORVTOOL_SERLINK", nullptr);
        const std::string path = SerLinkPath();
        const std::string suffix = "/libserlink.so";
        ASSERT_GT(path.size(), suffix.size());
        EXPECT_EQ(path.substr(path.size() - suffix.size()), suffix);
        EXPECT_EQ(path.front(), '/');
    }
    {
        // dlopen would search its own path for a bare name; a relative name
        // counts from the working directory instead.
        ScopedEnv env("ORVTOOL_SERLINK", "emu/libserlink-emu.so");
        EXPECT_EQ(SerLinkPath(), std::filesystem::current_path().string() + "/emu/libserlink-emu.so");
    }
    {
        ScopedEnv env("ORVTOOL_SERLINK", SerLinkStubNoRec().c_str());
        EXPECT_EQ(SerLinkPath(), SerLinkStubNoRec());
        EXPECT_FALSE(BindSerLink());
        EXPECT_EQ(GetSerLink(), nullptr);
        EXPECT_EQ(f.ui.TextsOf(SerLinkBindingKind::Box), std::vector<std::string>{"orvlink_rec not found in DLL\n"});
    }
    {
        ScopedEnv env("ORVTOOL_SERLINK", SerLinkStubFull().c_str());
        EXPECT_TRUE(BindSerLink());
        ASSERT_NE(GetSerLink(), nullptr);
        EXPECT_EQ(GetSerLink()->start(0, 0), 100);
    }
    UnbindSerLink();
    EXPECT_EQ(GetSerLink(), nullptr);
}

} // namespace
} // namespace orv

// The link's pace over a wire-timed line: the virtual time of one frame of
// the sizes the transfers use, against the line's bound for that frame.
#include "serlink/LinkProtocol.h"
#include "serlink/orvlink.h"
#include "support/FakePort.h"
#include "support/LinePanel.h"
#include "support/VirtualClock.h"
#include "support/WireBound.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

using namespace orv;

namespace {

constexpr size_t kPayload = 32;
constexpr double kMostRatio = 1.05;

std::string Hex(size_t bytes) {
    std::string text;
    for (size_t i = 0; i < bytes; ++i) text += "5A";
    return text;
}

void RunFrame(benchmark::State& state, const std::string& command, const std::string& reply) {
    const bool fast = state.range(0) == 115200;
    VirtualClock clock;
    LinePanel panel([&](const std::string&) { return reply; });
    panel.behaviour.byteDelayMs = 0;
    FakePort port(clock, panel, FakePort::Pace::Wire);
    orv::LinkProtocol link(port, clock, [](std::string_view) {});
    char buffer[ORVLINK_BUFFER_SIZE];
    char answer[ORVLINK_BUFFER_SIZE];
    std::strcpy(buffer, "V");
    if (link.Start("/dev/fake", fast) != 0 || link.Rec(buffer, answer) != 0) {
        state.SkipWithError("the link did not come up");
        return;
    }
    uint64_t virtualNs = 0;
    uint64_t frames = 0;
    for (auto _ : state) {
        std::memcpy(buffer, command.c_str(), command.size() + 1);
        const uint64_t before = clock.NowNs();
        if (link.Rec(buffer, answer) != 0) {
            state.SkipWithError("frame failed");
            return;
        }
        virtualNs += clock.NowNs() - before;
        ++frames;
    }
    const double perFrame = static_cast<double>(virtualNs) / static_cast<double>(frames);
    const double bound = FrameBoundNs(command.size(), reply.size(), static_cast<uint32_t>(state.range(0)));
    state.counters["virtual_us"] = perFrame / 1e3;
    state.counters["bound_us"] = bound / 1e3;
    state.counters["ratio"] = perFrame / bound;
    state.counters["payload_Bps"] = static_cast<double>(kPayload) * 1e9 / perFrame;
    if (perFrame > kMostRatio * bound) state.SkipWithError("slower than 1.05 times the line's bound");
}

void BM_Write32(benchmark::State& state) { RunFrame(state, "W1000" + Hex(kPayload), "OK"); }

void BM_Read32(benchmark::State& state) { RunFrame(state, "R100020", Hex(kPayload)); }

}  // namespace

BENCHMARK(BM_Write32)->ArgName("baud")->Arg(38400)->Arg(115200);
BENCHMARK(BM_Read32)->ArgName("baud")->Arg(38400)->Arg(115200);

BENCHMARK_MAIN();

// The link of the simulation preparation: the transfer's link start and
// exchange core, without traces or counts, for one check or reset of the
// panel.
#pragma once

#include "link/LinkSession.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace orv {

// One opening of the link for the simulation. A failed exchange ends the
// link; the session ends it at the latest when it goes, always after the
// 10 ms pause, and once for every start.
class CSimLinkSession final : public CLinkSession {
public:
    CSimLinkSession(CLinkContext& ctx, CWorkspaceState& workspace, uint16_t panelType, uint16_t port)
        : CLinkSession(ctx, workspace, panelType, port, 0, ExchangeMode::Simulation)
    {
    }

    // True when a panel answered with an identification of at least
    // minAnswer characters; it is then in the context's answer buffer.
    bool Connect(size_t minAnswer) { return LinkConnect(minAnswer); }
    // 1, or -1 with the link ended: the command with up to ten tries, an
    // answer shorter than two characters per byte of minBytes counting as a
    // failed try.
    int Exchange(std::string_view command, size_t minBytes) { return Send(command, minBytes); }
    void End() { EndLink(); }
};

} // namespace orv

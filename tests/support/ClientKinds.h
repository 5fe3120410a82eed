#pragma once

#include "launch/GameClient.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

// The two game-client kinds as test parameters, with the game type that selects each.
namespace zelto::testing {

struct TClientKindCase {
    const char *name;
    const char *gameType;
    TClientKind kind;
};

inline constexpr TClientKindCase kClientKinds[] = {
    { "cocos", "brel", TClientKind::Cocos },
    { "quorra3d", "Brel25D", TClientKind::Quorra3D },
};

inline void PrintTo(const TClientKindCase &kind, std::ostream *out) { *out << kind.name; }

inline std::string ClientKindName(const ::testing::TestParamInfo<TClientKindCase> &info) { return info.param.name; }

} // namespace zelto::testing

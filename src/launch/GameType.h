#pragma once

#include <QString>

namespace zelto {

// The launcher-wide game type, which selects the kind of game client: "Brel25D" means the
// Quorra3D client, anything else the cocos client. It starts as "brel"; only a mod list whose
// "gameType" is exactly "Brel25D" changes it. Read and written on the user-interface thread.
extern QString GameType;

inline constexpr char16_t kQuorra3DGameType[] = u"Brel25D";

} // namespace zelto

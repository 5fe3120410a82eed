#pragma once

namespace zelto {

// The display options handed to the game client: the settings dialog edits them, the game
// start puts them into the client's launch record. FullScreen and WaitVBlank are also kept
// in the player's settings; the others last for the run.
struct TGameDisplayOptions {
    bool NewInterface = false;
    bool FullScreen = true;
    bool WaitVBlank = true;
    bool Do3D = true;
    int ScreenWidth = 1024;
    int ScreenHeight = 768;
};

} // namespace zelto

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

// The process-wide display settings (app/LocalSettings.h), which the catalogue presets and
// the settings file fill, as one value; and back.
TGameDisplayOptions CurrentDisplayOptions();
void StoreDisplayOptions(const TGameDisplayOptions &options);

} // namespace zelto

#include "app/GameDisplayOptions.h"

#include "app/LocalSettings.h"

namespace zelto {

TGameDisplayOptions CurrentDisplayOptions()
{
    return { g_boNewInterface, g_boFullScreen, g_boWaitVBlank, g_bo3D, g_nScreenWidth, g_nScreenHeight };
}

void StoreDisplayOptions(const TGameDisplayOptions &options)
{
    g_boNewInterface = options.NewInterface;
    g_boFullScreen = options.FullScreen;
    g_boWaitVBlank = options.WaitVBlank;
    g_bo3D = options.Do3D;
    g_nScreenWidth = options.ScreenWidth;
    g_nScreenHeight = options.ScreenHeight;
}

} // namespace zelto

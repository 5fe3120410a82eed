#pragma once

#include <QImage>

// The launcher as the player sees it: the shadow window's pictures with the main window
// drawn over them, its see-through background left transparent.
namespace zelto {

class TMainForm;
class TSplashForm_Login_ZeltoPrime;

QImage ComposeLauncherPicture(TMainForm &mainForm, const TSplashForm_Login_ZeltoPrime &shadow);

} // namespace zelto

#pragma once

#include "ui/Comboboxes.h"
#include "ui/Edits.h"
#include "ui/Forms.h"
#include "ui/IuApplication.h"
#include "ui/Labels.h"
#include "ui/PhoneBtn.h"
#include "ui/PictureButtons.h"
#include "ui/ProgressBars.h"
#include "ui/ServerTree.h"
#include "ui/WebBrowser.h"

#include <QStringList>

// The skinned control set: every class a skin may name, registered under its name so that
// the skin reader can create it.
namespace zelto {

// Registers the 29 classes (once; later calls change nothing).
void RegisterSkinClasses();
// Registered names in registration order.
QStringList RegisteredSkinClasses();
// A new control of the named class, owned by `parent`; nullptr for a name not registered.
TuControl *CreateSkinControl(const QString &className, QWidget *parent);

} // namespace zelto

#pragma once

#include <functional>

class QDialog;

// How the platform's dialogs are shown modally. The launcher waits in the dialog's own event
// loop; a test installs a runner that plays the player's part and closes the dialog, so that
// no test ever waits on a window.
namespace zelto {

using TModalRunner = std::function<void(QDialog &dialog)>;

// Shows the dialog and returns its result once it has closed.
int RunModal(QDialog &dialog);
// An empty runner restores the dialog's own loop.
void SetModalRunner(TModalRunner runner);

} // namespace zelto

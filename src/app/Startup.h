#pragma once

class QApplication;

// The launcher's process entry and what runs before and after its event loop.
namespace zelto {

// Runs the launcher; the exit code of the process. Options: --preview-skin OUT.png.
int RunLauncher(QApplication &app);

} // namespace zelto

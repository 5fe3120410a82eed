#include "platform/ModalDialog.h"

#include <QDialog>

namespace zelto {
namespace {

TModalRunner &Runner()
{
    static TModalRunner runner;
    return runner;
}

} // namespace

int RunModal(QDialog &dialog)
{
    if (!Runner())
        return dialog.exec();
    Runner()(dialog);
    if (dialog.isVisible())
        dialog.reject();
    return dialog.result();
}

void SetModalRunner(TModalRunner runner) { Runner() = std::move(runner); }

} // namespace zelto

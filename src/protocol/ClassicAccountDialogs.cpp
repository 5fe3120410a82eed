#include "protocol/ClassicAccountDialogs.h"

#include "app/uLogin.h"
#include "os/TickCount.h"
#include "protocol/GateReplies.h"

#include <QPushButton>

namespace zelto {

TClassicAccountDialogs::TClassicAccountDialogs(TuClientApp &app)
    : FrmNewAccount(app, os::TickCount)
    , FRMChangePWD(app)
    , frmGetBackPwd(app)
    , m_app(app)
{
}

void TClassicAccountDialogs::ShowNewAccount()
{
    m_app.CentreOverMainForm(FrmNewAccount);
    FrmNewAccount.Initializa(&m_app.FServerInfo);
    FrmNewAccount.show();
    FrmNewAccount.raise();
}

void TClassicAccountDialogs::ShowChangePwd()
{
    m_app.CentreOverMainForm(FRMChangePWD);
    FRMChangePWD.Initializa();
    ShowModal(FRMChangePWD);
}

void TClassicAccountDialogs::ShowGetBackPwd()
{
    m_app.CentreOverMainForm(frmGetBackPwd);
    ShowModal(frmGetBackPwd);
}

void TClassicAccountDialogs::ShowModal(QDialog &dialog)
{
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    dialog.raise();
    dialog.activateWindow();
}

void TClassicAccountDialogs::CloseDialog(TAccountDialog dialog)
{
    switch (dialog) {
    case TAccountDialog::NewAccount: FrmNewAccount.close(); break;
    case TAccountDialog::ChangePwd: FRMChangePWD.close(); break;
    case TAccountDialog::GetBackPwd: frmGetBackPwd.close(); break;
    }
}

void TClassicAccountDialogs::EnableConfirm(TAccountDialog dialog)
{
    switch (dialog) {
    case TAccountDialog::NewAccount: FrmNewAccount.sbOK->setEnabled(true); break;
    case TAccountDialog::ChangePwd: FRMChangePWD.btnOK->setEnabled(true); break;
    case TAccountDialog::GetBackPwd: frmGetBackPwd.btnOK->setEnabled(true); break;
    }
}

} // namespace zelto

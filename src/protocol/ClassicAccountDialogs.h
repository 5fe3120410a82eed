#pragma once

#include "app/Subsystems.h"
#include "protocol/uChangPwd.h"
#include "protocol/uGetBackPwd.h"
#include "protocol/uNewAccount.h"

// The three classic account dialogs, created once and reused: the register, change-password
// and recovery buttons open them over the main window, the gate's answers close them or give
// their confirm buttons back.
namespace zelto {

class TuClientApp;

class TClassicAccountDialogs final : public IClassicAccountDialogs {
public:
    explicit TClassicAccountDialogs(TuClientApp &app);

    void ShowNewAccount() override;  // modeless, on top
    void ShowChangePwd() override;   // modal
    void ShowGetBackPwd() override;  // modal
    void CloseDialog(TAccountDialog dialog) override;
    void EnableConfirm(TAccountDialog dialog) override;

    TFrmNewAccount FrmNewAccount;
    TFRMChangePWD FRMChangePWD;
    TfrmGetBackPwd frmGetBackPwd;

private:
    // Application-modal, without a nested event loop: the call returns at once.
    void ShowModal(QDialog &dialog);

    TuClientApp &m_app;
};

} // namespace zelto

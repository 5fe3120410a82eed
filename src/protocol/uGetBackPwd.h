#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// The password-recovery dialog: account, birthday, two questions with their answers and the
// new password. Its request waits for the gate's answer with the submit button disabled.
namespace zelto {

class IAccountRequests;

class TfrmGetBackPwd final : public QDialog {
    Q_OBJECT
public:
    explicit TfrmGetBackPwd(IAccountRequests &requests);

    void btnOKClick();
    void BitBtn2Click() { close(); }

    QLineEdit *edtID, *edBtd, *edQ1, *edA1, *edQ2, *edA2, *edPwd;
    QPushButton *btnOK;
    QPushButton *BitBtn2;

private:
    void FormClose();

    IAccountRequests &m_requests;
};

} // namespace zelto

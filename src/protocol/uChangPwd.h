#pragma once

#include <QDialog>
#include <QTimer>

class QLineEdit;
class QPushButton;

// The password-change dialog: account, old password and the new one twice. The change goes to
// the account platform; a skin or build that shows the phone-code button gets a code first.
namespace zelto {

class IAccountRequests;

class TFRMChangePWD final : public QDialog {
    Q_OBJECT
public:
    static constexpr int kPhoneCodeKind = 5;
    static constexpr int kPhoneCountdownSeconds = 60;

    explicit TFRMChangePWD(IAccountRequests &requests);

    void Initializa() {}
    void btnOKClick();
    void PhoneCodeBtnClick();
    void BitBtn2Click() { close(); }
    void Timer1Timer();

    QLineEdit *edtID, *edtOld, *edtNew, *edtNew1;
    QPushButton *PhoneCodeBtn;
    QPushButton *btnOK;
    QPushButton *BitBtn2;
    QTimer Timer1;
    qint32 FTimeCount = 0;

private:
    // Tells the player the first thing wrong with the fields; false then.
    bool Validate() const;
    void RestorePhoneCodeBtn();
    void FormClose();

    IAccountRequests &m_requests;
};

} // namespace zelto

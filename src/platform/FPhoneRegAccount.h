#pragma once

#include <QDialog>
#include <QTimer>

class QLineEdit;
class QPushButton;

// Registering an account by phone: the player asks for a code, types it and a password, and
// confirms. The code button counts the minute down until another code may be asked for.
namespace zelto {

class TPhoneServices;

class TFrmPhoneRegAccount final : public QDialog {
    Q_OBJECT
public:
    TFrmPhoneRegAccount(TPhoneServices &services, QWidget *parent);

    void SendClick();    // "发送"
    void OkClick();      // "确定"
    void TimerTick();    // the countdown, once a second

    QLineEdit &PhoneEdit() const { return *FPhone; }
    QLineEdit &CodeEdit() const { return *FCode; }
    QLineEdit &PasswordEdit() const { return *FPassword; }
    QPushButton &SendButton() const { return *FSend; }
    QTimer &Timer() { return FTimer; }

    quint32 FPhoneRegTickCount = 0; // tick count at which the countdown ends

private:
    // A modal box about a field, which then takes the focus.
    void Refuse(QLineEdit &field, const QString &text, const QString &caption, bool errorIcon);

    TPhoneServices &FServices;
    QLineEdit *FPhone;
    QLineEdit *FCode;
    QLineEdit *FPassword;
    QPushButton *FSend;
    QTimer FTimer;
};

} // namespace zelto

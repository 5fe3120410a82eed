#pragma once

#include <QDialog>
#include <QTimer>

#include <functional>

class QLineEdit;
class QPushButton;
class QTabWidget;

// The new-account dialog: a classic page (account and password twice) and a phone page that
// this launcher keeps hidden. Modeless and on top; closing clears the classic fields.
namespace zelto {

class IAccountRequests;
class TServerInfo;

class TFrmNewAccount final : public QDialog {
    Q_OBJECT
public:
    static constexpr int kPhoneCodeKind = 1;
    static constexpr quint32 kPhoneCountdownMs = 60000;

    // tickCount is the millisecond clock of the phone-code countdown.
    TFrmNewAccount(IAccountRequests &requests, std::function<quint32()> tickCount);

    void Initializa(const TServerInfo *AServerInfo);

    void sbOKClick();
    void BtnCancelClick() { close(); }
    void SendRegPhoneBtnClick();
    void Timer1Timer();

    QTabWidget *RegPage;
    QWidget *TabSheet1;
    QWidget *TabSheet2;
    QLineEdit *edID, *edPwd, *edPwd1, *edName, *EditNo, *edQ1, *edA1;
    QLineEdit *PhoneEdID, *PhoneEditCode, *edtPUserName, *EditPasswd, *Edit1, *Edit2;
    QPushButton *SendRegPhoneBtn;
    QPushButton *sbOK;
    QPushButton *BtnCancel;
    QTimer Timer1;

    const TServerInfo *FServerInfo = nullptr;
    quint32 FPhoneRegTickCount = 0;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormCreate();
    void FormShow();
    void FormClose();

    IAccountRequests &m_requests;
    std::function<quint32()> m_tickCount;
};

} // namespace zelto

#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// The real-name binding a QQ or WeChat account without verification must make before it
// may play. Closing it in any way logs the player out, so the next start logs in again.
namespace zelto {

class TPhoneServices;

class TFrmRealName final : public QDialog {
    Q_OBJECT
public:
    static const QString kNotice;

    TFrmRealName(TPhoneServices &services, QWidget *parent);
    ~TFrmRealName() override;

    // "确认": binds the name and number; on success closes and tells the player to log in again.
    void ConfirmClick();

    QLineEdit &NameEdit() const { return *FName; }
    QLineEdit &CardEdit() const { return *FCard; }
    QPushButton &ConfirmButton() const { return *FConfirm; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    TPhoneServices &FServices;
    QLineEdit *FName;
    QLineEdit *FCard;
    QPushButton *FConfirm;
};

} // namespace zelto

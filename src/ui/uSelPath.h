#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The game-directory dialog: the default client folder, or one the player browses to. Both
// choices end with a path separator, as every user of the client folder expects.
namespace zelto {

class TFrmSelPath final : public QDialog {
    Q_OBJECT
public:
    explicit TFrmSelPath(QWidget *parent = nullptr);

    // The folder the default client folder is made in, with a trailing separator.
    QString FDefaultPath;
    // The channel number of the launcher's configuration; names the default client folder.
    int FChannel = 0;

    QPushButton *btndefault;
    QPushButton *btnselpath;
    QLabel *lbpath;

    void btndefaultClick();
    void btnselpathClick();

protected:
    void showEvent(QShowEvent *event) override;
};

} // namespace zelto

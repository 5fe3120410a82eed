#pragma once

#include "platform/SecLogin.h"

#include <QDialog>

class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTabWidget;

// The sub-account choice: the player picks one of the sub-accounts of the login answer and
// confirms; the sub-account is logged in and the game started with it.
namespace zelto {

class IuApplication;

class TFrmSmallAccount final : public QDialog {
    Q_OBJECT
public:
    TFrmSmallAccount(TSecLoginFlow &secLogin, IuApplication &app, QWidget *parent);

    // Lists the entries, selects the first line and takes it as the choice.
    void SelectSmaillAccount(const QList<TSmallInfo> &StrList);
    // Logs the chosen sub-account in; on success starts the game and closes. On failure the
    // dialog stays open for another choice.
    void GotoSecLogin();

    QListWidget &List() const { return *FList; }
    QPushButton &ConfirmButton() const { return *FConfirm; }
    QTabWidget &Pages() const { return *FPages; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void SelectLine(QListWidgetItem *line);

    TSecLoginFlow &FSecLogin;
    IuApplication &FApp;
    QList<TSmallInfo> FEntries;
    QTabWidget *FPages;
    QListWidget *FList;
    QPushButton *FConfirm;
};

} // namespace zelto

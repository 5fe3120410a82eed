#pragma once

#include "ui/RequestedMoves.h"

#include <QImage>
#include <QPointer>
#include <QTimer>
#include <QWidget>

// The shadow window under the main window. On a true-colour display it shows the skin's
// background pictures (those tagged 9999) with their alpha: soft edges and shadows the
// colour-keyed main window cannot show. It is the application's main window: it carries the
// title, and the two windows move together. Its one-second timer prunes the running game
// clients and makes the automatic connect after the server tree was filled.
namespace zelto {

class TMainForm;
class TuClientApp;

class TSplashForm_Login_ZeltoPrime final : public QWidget {
    Q_OBJECT
public:
    explicit TSplashForm_Login_ZeltoPrime(TuClientApp *controller);

    void SetMainForm(TMainForm *mainForm) { m_mainForm = mainForm; }
    // Caption from the launcher's title; follows the application's activation.
    void FormCreate(const QString &title);

    // Puts the main window on this window's position and in front of it.
    void AlginMainForm();
    // Redraws the tagged pictures of the main window.
    void UpdateForm();
    // Takes the main window's place and size (the main window moved or loaded its skin).
    void FollowMainForm(const QRect &geometry);
    // What the window shows: transparent except for the tagged pictures.
    const QImage &Picture() const { return m_picture; }
    // Another start of the launcher asked for this one.
    void BringToFront();

    void TimerTimer();

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void AppActivate();

    TuClientApp *m_controller;
    QPointer<TMainForm> m_mainForm;
    QTimer Timer;
    QImage m_picture;
    bool m_destroying = false;
    TRequestedMoves m_movesByMainForm;
};

} // namespace zelto

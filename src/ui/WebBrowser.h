#pragma once

#include "ui/SkinControl.h"

#include <QWidget>

class QWebEngineView;

// The embedded browser showing the operator's notice page. It is silent (no script dialogs)
// and refuses every request to open a new window. The browser engine is started only when
// the first page is shown, so the window appears without waiting for it.
namespace zelto {

class TuWebBrowser final : public QWidget, public TuControl {
    Q_OBJECT
public:
    explicit TuWebBrowser(QWidget *parent);

    QString OpenUrl() const { return FOpenUrl; }
    void SetSilent(bool silent);
    bool Silent() const { return m_silent; }
    void SetRefuseNewWindows(bool refuse);
    bool RefusesNewWindows() const { return m_refuseNewWindows; }
    // Loads the start address the skin configured (nothing when it has none).
    void NavigateToStart();
    // The engine's view once a page was asked for, else none.
    QWebEngineView *View() const { return m_view; }

    bool SetSkinProperty(const QString &name, const TComponentValue &value) override;

signals:
    void LoadFinished(bool ok);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void ApplyBehaviour();

    QString FOpenUrl;
    bool m_silent = false;
    bool m_refuseNewWindows = false;
    QWebEngineView *m_view = nullptr; // a child, created with the first page
};

} // namespace zelto

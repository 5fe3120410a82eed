#pragma once

#include "ui/SkinControl.h"

#include <QWebEngineView>

// The embedded browser showing the operator's notice page. It is silent (no script dialogs)
// and refuses every request to open a new window.
namespace zelto {

class TuWebBrowser final : public QWebEngineView, public TuControl {
public:
    explicit TuWebBrowser(QWidget *parent);

    QString OpenUrl() const { return FOpenUrl; }
    void SetSilent(bool silent);
    bool Silent() const;
    void SetRefuseNewWindows(bool refuse) { m_refuseNewWindows = refuse; }
    // Loads the start address the skin configured (nothing when it has none).
    void NavigateToStart();

    bool SetSkinProperty(const QString &name, const TComponentValue &value) override;

protected:
    QWebEngineView *createWindow(QWebEnginePage::WebWindowType type) override;

private:
    QString FOpenUrl;
    bool m_refuseNewWindows = false;
};

} // namespace zelto

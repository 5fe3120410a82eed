#include "ui/WebBrowser.h"

#include <QWebEnginePage>

namespace zelto {
namespace {

// A page that shows no script dialog when silent: alerts pass, questions get "no".
class NoticePage final : public QWebEnginePage {
public:
    using QWebEnginePage::QWebEnginePage;
    bool silent = false;

protected:
    void javaScriptAlert(const QUrl &origin, const QString &message) override
    {
        if (!silent)
            QWebEnginePage::javaScriptAlert(origin, message);
    }
    bool javaScriptConfirm(const QUrl &origin, const QString &message) override
    {
        return !silent && QWebEnginePage::javaScriptConfirm(origin, message);
    }
    bool javaScriptPrompt(const QUrl &origin, const QString &message, const QString &defaultValue,
        QString *result) override
    {
        return !silent && QWebEnginePage::javaScriptPrompt(origin, message, defaultValue, result);
    }
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString &, int, const QString &) override {}
};

} // namespace

TuWebBrowser::TuWebBrowser(QWidget *parent)
    : QWebEngineView(parent)
    , TuControl(*this, "TuWebBrowser")
{
    setPage(new NoticePage(this));
    setContextMenuPolicy(Qt::NoContextMenu);
}

void TuWebBrowser::SetSilent(bool silent) { static_cast<NoticePage *>(page())->silent = silent; }

bool TuWebBrowser::Silent() const { return static_cast<NoticePage *>(page())->silent; }

void TuWebBrowser::NavigateToStart()
{
    if (!FOpenUrl.isEmpty())
        load(QUrl::fromUserInput(FOpenUrl));
}

bool TuWebBrowser::SetSkinProperty(const QString &name, const TComponentValue &value)
{
    if (name == QLatin1String("OpenUrl")) {
        const auto text = TextValue(value);
        if (text)
            FOpenUrl = *text;
        return text.has_value();
    }
    return TuControl::SetSkinProperty(name, value);
}

QWebEngineView *TuWebBrowser::createWindow(QWebEnginePage::WebWindowType type)
{
    return m_refuseNewWindows ? nullptr : QWebEngineView::createWindow(type);
}

} // namespace zelto

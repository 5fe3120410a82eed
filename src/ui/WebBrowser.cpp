#include "ui/WebBrowser.h"

#include <QWebEnginePage>
#include <QWebEngineView>

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

class NoticeView final : public QWebEngineView {
public:
    using QWebEngineView::QWebEngineView;
    bool refuseNewWindows = false;

protected:
    QWebEngineView *createWindow(QWebEnginePage::WebWindowType type) override
    {
        return refuseNewWindows ? nullptr : QWebEngineView::createWindow(type);
    }
};

} // namespace

TuWebBrowser::TuWebBrowser(QWidget *parent)
    : QWidget(parent)
    , TuControl(*this, "TuWebBrowser")
{
}

void TuWebBrowser::SetSilent(bool silent)
{
    m_silent = silent;
    ApplyBehaviour();
}

void TuWebBrowser::SetRefuseNewWindows(bool refuse)
{
    m_refuseNewWindows = refuse;
    ApplyBehaviour();
}

void TuWebBrowser::ApplyBehaviour()
{
    if (auto *view = static_cast<NoticeView *>(m_view)) {
        view->refuseNewWindows = m_refuseNewWindows;
        static_cast<NoticePage *>(view->page())->silent = m_silent;
    }
}

void TuWebBrowser::NavigateToStart()
{
    if (FOpenUrl.isEmpty())
        return;
    if (!m_view) {
        auto *view = new NoticeView(this);
        view->setPage(new NoticePage(view));
        view->setContextMenuPolicy(Qt::NoContextMenu);
        view->setGeometry(rect());
        connect(view, &QWebEngineView::loadFinished, this, &TuWebBrowser::LoadFinished);
        m_view = view;
        ApplyBehaviour();
        view->show();
    }
    m_view->load(QUrl::fromUserInput(FOpenUrl));
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

void TuWebBrowser::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_view)
        m_view->setGeometry(rect());
}

} // namespace zelto

#include "ui/uSplashFrm.h"

#include "app/RunningClients.h"
#include "app/Termination.h"
#include "app/Trace.h"
#include "app/uLogin.h"
#include "os/Processes.h"
#include "ui/uCliTypes.h"
#include "ui/uMainFrm.h"

#include <QApplication>
#include <QBitmap>
#include <QDialog>
#include <QGuiApplication>
#include <QMoveEvent>
#include <QPainter>

namespace zelto {
namespace {

constexpr int kShadowTag = 9999;
constexpr int kTimerMs = 1000;

} // namespace

TSplashForm_Login_ZeltoPrime::TSplashForm_Login_ZeltoPrime(TuClientApp *controller)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
    , m_controller(controller)
{
    setObjectName(QStringLiteral("SplashForm_Login_ZeltoPrime"));
    setWindowTitle(QStringLiteral("SplashForm_Login_ZeltoPrime"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TranslucentBackground);
    resize(714, 344);
    CentreOnDesktop(*this);
    WindowDragger::Install(*this);
    Timer.setInterval(kTimerMs);
    connect(&Timer, &QTimer::timeout, this, &TSplashForm_Login_ZeltoPrime::TimerTimer);
    Timer.start();
}

void TSplashForm_Login_ZeltoPrime::FormCreate(const QString &title)
{
    setWindowTitle(title);
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state == Qt::ApplicationActive)
            AppActivate();
    });
}

void TSplashForm_Login_ZeltoPrime::AlginMainForm()
{
    if (!m_mainForm || m_destroying || !m_mainForm->SkinLoaded)
        return;
    if (m_mainForm->pos() != pos())
        m_mainForm->MoveForShadow(pos());
    m_mainForm->raise();
}

void TSplashForm_Login_ZeltoPrime::FollowMainForm(const QRect &geometry)
{
    if (geometry.topLeft() != pos())
        m_movesByMainForm.Expect(geometry.topLeft());
    setGeometry(geometry);
    UpdateForm();
}

void TSplashForm_Login_ZeltoPrime::UpdateForm()
{
    if (!m_mainForm || !m_mainForm->TrueColour())
        return;
    QImage picture(size(), QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    for (TuControl *control : SkinControlsOf(*m_mainForm)) {
        if (!IsSkinClass(&control->Widget(), QLatin1StringView("TuImage")) || control->Tag() != kShadowTag)
            continue;
        const auto &image = static_cast<const TuImage &>(control->Widget());
        const QImage decoded = QImage::fromData(image.PictureFile()); // the picture's own pixels and alpha
        if (!decoded.isNull())
            painter.drawImage(image.mapTo(m_mainForm, QPoint(0, 0)), decoded);
    }
    painter.end();
    m_picture = picture;
    // Without a compositor the see-through part must still let clicks and the desktop through.
    setMask(QBitmap::fromImage(m_picture.createAlphaMask()));
    update();
}

void TSplashForm_Login_ZeltoPrime::BringToFront()
{
    Trace(QStringLiteral(u"另一次启动请求显示登陆器窗口"));
    showNormal();
    raise();
    activateWindow();
    AlginMainForm();
}

void TSplashForm_Login_ZeltoPrime::TimerTimer()
{
    QStringList &clients = RunningClients();
    const int maxClient = m_controller ? m_controller->ServerInfo().MaxClient : TServerInfo().MaxClient;
    for (qsizetype i = clients.size() - 1; i >= 0; --i) {
        if (os::ProcessRunning(clients.at(i).toLongLong()))
            continue;
        clients.removeAt(i);
        if (clients.size() < maxClient)
            show();
    }
    if (m_controller && m_controller->AutoConnectPending) {
        m_controller->AutoConnectPending = false;
        if (m_controller->TreeView)
            m_controller->ConnectServer(m_controller->TreeView->SelectedNode());
    }
}

void TSplashForm_Login_ZeltoPrime::AppActivate()
{
    AlginMainForm();
    if (m_mainForm && m_mainForm->isVisible())
        m_mainForm->raise();
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (qobject_cast<QDialog *>(window) && window->isVisible())
            window->raise();
    }
}

void TSplashForm_Login_ZeltoPrime::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(rect(), Qt::transparent);
    if (!m_picture.isNull())
        painter.drawImage(0, 0, m_picture);
}

void TSplashForm_Login_ZeltoPrime::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_mainForm)
        m_mainForm->show();
    AlginMainForm();
}

void TSplashForm_Login_ZeltoPrime::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    if (!m_movesByMainForm.Consume(event->pos()))
        AlginMainForm();
}

void TSplashForm_Login_ZeltoPrime::closeEvent(QCloseEvent *event)
{
    // The application's main window: closing it ends the launcher.
    m_destroying = true;
    QWidget::closeEvent(event);
    RequestApplicationTermination();
}

} // namespace zelto

#include "ui/uGameSetting.h"

#include "app/LocalSettings.h"
#include "os/Display.h"
#include "ui/uSelPath.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace zelto {
namespace {

constexpr int kLeastWidth = 641;
const QStringList kFallbackResolutions = { QStringLiteral("800x600"), QStringLiteral("1024x768") };

QString ResolutionText(int width, int height) { return QStringLiteral("%1x%2").arg(width).arg(height); }

} // namespace

TFrmSetting::TFrmSetting(QWidget *parent)
    : QDialog(parent, Qt::Tool)
{
    setWindowTitle(QStringLiteral(u"游戏设置"));
    setFixedSize(258, 169);
    chkMainI = new QCheckBox(QStringLiteral(u"经典界面"), this);
    chkMainI->setGeometry(16, 12, 100, 20);
    chkMainI->setChecked(true);
    chkMainI->setEnabled(false);
    chkWindow = new QCheckBox(QStringLiteral(u"窗口模式"), this);
    chkWindow->setGeometry(140, 12, 100, 20);
    chkWindow->setChecked(true);
    LabelDisplaySize = new QLabel(QStringLiteral(u"分辨率"), this);
    LabelDisplaySize->setGeometry(16, 44, 50, 22);
    cbbScreenSize = new QComboBox(this);
    cbbScreenSize->setGeometry(72, 44, 168, 22);
    chkVBlank = new QCheckBox(QStringLiteral(u"垂直同步"), this);
    chkVBlank->setGeometry(16, 78, 100, 20);
    chkVBlank->setChecked(true);
    chk3D = new QCheckBox(QStringLiteral(u"3D加速"), this);
    chk3D->setGeometry(140, 78, 100, 20);
    chk3D->setChecked(true);
    LabHomePath = new QLabel(QStringLiteral(u"重新设置Brel目录"), this);
    LabHomePath->setGeometry(16, 108, 140, 18);
    QFont underlined = LabHomePath->font();
    underlined.setUnderline(true);
    LabHomePath->setFont(underlined);
    LabHomePath->setCursor(Qt::PointingHandCursor);
    LabHomePath->installEventFilter(this);
    BitBtn1 = new QPushButton(QStringLiteral(u"确定"), this);
    BitBtn1->setGeometry(60, 134, 80, 26);
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(QStringLiteral(u"取消"), this);
    BitBtn2->setGeometry(160, 134, 80, 26);
    connect(BitBtn1, &QPushButton::clicked, this, [this] { done(kOkResult); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { done(kCancelResult); });
    FormCreate();
}

QStringList TFrmSetting::ResolutionList(const QList<QSize> &modes)
{
    QList<QSize> kept;
    for (const QSize &mode : modes) {
        if (mode.width() >= kLeastWidth && !kept.contains(mode))
            kept.append(mode);
    }
    std::sort(kept.begin(), kept.end(), [](const QSize &a, const QSize &b) {
        return a.width() != b.width() ? a.width() < b.width() : a.height() < b.height();
    });
    QStringList list;
    for (const QSize &mode : kept)
        list.append(ResolutionText(mode.width(), mode.height()));
    return list.isEmpty() ? kFallbackResolutions : list;
}

void TFrmSetting::FormCreate() { cbbScreenSize->addItems(ResolutionList(os::Display().Modes())); }

void TFrmSetting::LoadConfig()
{
    chkWindow->setChecked(!g_boFullScreen);
    chkVBlank->setChecked(g_boWaitVBlank);
    chk3D->setChecked(g_bo3D);
    int index = cbbScreenSize->findText(ResolutionText(g_nScreenWidth, g_nScreenHeight));
    if (index < 0)
        index = cbbScreenSize->findText(QStringLiteral("1024x768"));
    if (index < 0 && cbbScreenSize->count() > 0)
        index = 0;
    cbbScreenSize->setCurrentIndex(index);
}

void TFrmSetting::done(int result)
{
    if (result == kOkResult)
        FormCloseQuery();
    QDialog::done(result);
}

void TFrmSetting::FormCloseQuery()
{
    g_boNewInterface = !chkMainI->isChecked();
    g_boFullScreen = !chkWindow->isChecked();
    g_boWaitVBlank = chkVBlank->isChecked();
    g_bo3D = chk3D->isChecked();
    const QStringList size = cbbScreenSize->currentText().split(QLatin1Char('x'));
    if (size.size() == 2) {
        g_nScreenWidth = size.at(0).toInt();
        g_nScreenHeight = size.at(1).toInt();
    }
}

void TFrmSetting::SetLinkColour(const QColor &colour)
{
    QPalette palette = LabHomePath->palette();
    palette.setColor(QPalette::WindowText, colour);
    LabHomePath->setPalette(palette);
}

void TFrmSetting::LabHomePathClick()
{
    if (m_selPath)
        m_selPath->exec();
}

bool TFrmSetting::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == LabHomePath) {
        if (event->type() == QEvent::Enter)
            SetLinkColour(Qt::blue);
        else if (event->type() == QEvent::Leave)
            SetLinkColour(Qt::black);
        else if (event->type() == QEvent::MouseButtonRelease)
            LabHomePathClick();
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace zelto

#include "ui/uSelPath.h"

#include "app/Notifier.h"
#include "launch/BrelPath.h"

#include <QDebug>
#include <QDir>
#include <QLabel>
#include <QPushButton>

namespace zelto {
namespace {

QString WithTrailingSeparator(const QString &folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

// The dialog's two lines go to the debugger output, not to the trace sink.
void DebuggerOutput(const QString &line) { qDebug().noquote() << line; }

} // namespace

TFrmSelPath::TFrmSelPath(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setWindowTitle(QStringLiteral(u"游戏目录选择"));
    setFixedSize(517, 163);
    btndefault = new QPushButton(QStringLiteral(u"直接启动游戏"), this);
    btndefault->setGeometry(40, 30, 200, 60);
    QFont bold = btndefault->font();
    bold.setBold(true);
    bold.setPixelSize(18);
    btndefault->setFont(bold);
    btnselpath = new QPushButton(QStringLiteral(u"自定义游戏目录"), this);
    btnselpath->setGeometry(277, 30, 200, 60);
    lbpath = new QLabel(QStringLiteral("00"), this);
    lbpath->setGeometry(40, 110, 437, 30);
    connect(btndefault, &QPushButton::clicked, this, &TFrmSelPath::btndefaultClick);
    connect(btnselpath, &QPushButton::clicked, this, &TFrmSelPath::btnselpathClick);
}

void TFrmSelPath::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!g_sBrelPath.isEmpty())
        lbpath->setText(QDir::toNativeSeparators(g_sBrelPath));
}

void TFrmSelPath::btndefaultClick()
{
    g_sBrelPath = WithTrailingSeparator(FDefaultPath + QStringLiteral("GameClient") + QString::number(FChannel));
    DebuggerOutput(QStringLiteral(" TFrmSelPath.btndefaultClick g_sBrelPath = ") + g_sBrelPath);
    accept();
}

void TFrmSelPath::btnselpathClick()
{
    const QString picked = Notifier().PickFolder(QStringLiteral(u"请选择下载客户端的目录"), QString());
    if (!picked.isEmpty()) {
        g_sBrelPath = WithTrailingSeparator(picked);
        accept();
    }
    DebuggerOutput(QStringLiteral(" TFrmSelPath.btnselpathClick g_sBrelPath = ") + g_sBrelPath);
}

} // namespace zelto

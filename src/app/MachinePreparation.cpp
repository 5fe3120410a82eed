#include "app/MachinePreparation.h"

#include "app/Notifier.h"
#include "app/Termination.h"
#include "os/Firewall.h"
#include "os/RarSupport.h"

namespace zelto {

const QString kTrueColourFailedMessage = QStringLiteral(
    u"由于您的显示器颜色位数被非法篡改,且尝试修正失败,游戏无法开启\r\n请您手动修改颜色位数为32位真彩色!\r\n错误原因:");
const QString kRarLibraryDamagedMessage = QStringLiteral(u"启动登陆器失败，登陆器已损坏。Code(RARDLL)");

void EnsureTrueColorDisplay(os::IDisplay &display)
{
    const int depth = display.ColourDepth();
    if (depth == 0 || depth == 32 || os::IsTrueColour(depth))
        return;
    const int result = display.ChangeColourDepth(32);
    if (result != 0)
        Notifier().ShowMessage(kTrueColourFailedMessage + QString::number(result), QString(), NoticeIcon::None);
}

void AddFirewallException(const QString &ruleName, const QString &imagePath)
{
    os::FirewallRule rule;
    rule.name = ruleName;
    rule.imagePath = imagePath;
    os::AuthorizeApplication(rule);
}

bool ExtractRarLibrary()
{
    if (os::RarReadingAvailable())
        return true;
    Notifier().ShowMessage(kRarLibraryDamagedMessage, QStringLiteral(u"提示"), NoticeIcon::Error);
    RequestApplicationTermination();
    return false;
}

} // namespace zelto

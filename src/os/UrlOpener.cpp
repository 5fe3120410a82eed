#include "os/UrlOpener.h"

#include <QDesktopServices>
#include <QUrl>

namespace zelto::os {

bool OpenUrlInBrowser(const QString &address)
{
    const QUrl url = QUrl::fromUserInput(address);
    return url.isValid() && QDesktopServices::openUrl(url);
}

} // namespace zelto::os

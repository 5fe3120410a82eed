#include "ui/LauncherPicture.h"

#include "ui/uMainFrm.h"
#include "ui/uSplashFrm.h"

#include <QPainter>

namespace zelto {

QImage ComposeLauncherPicture(TMainForm &mainForm, const TSplashForm_Login_ZeltoPrime &shadow)
{
    QImage picture(mainForm.size(), QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.drawImage(0, 0, shadow.Picture());
    QImage window(mainForm.size(), QImage::Format_ARGB32_Premultiplied);
    window.fill(Qt::transparent);
    // render() puts the region's top-left corner at the offset it is given.
    const QRegion covered = mainForm.CoveredRegion();
    mainForm.render(&window, covered.boundingRect().topLeft(), covered,
        QWidget::DrawChildren | (mainForm.ColourKeyed() ? QWidget::RenderFlags() : QWidget::DrawWindowBackground));
    painter.drawImage(0, 0, window);
    return picture;
}

} // namespace zelto

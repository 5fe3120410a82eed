#include "ui/PhoneBtn.h"

#include <QMouseEvent>

namespace zelto {

TuPhoneBtn::TuPhoneBtn(QWidget *parent)
    : QPushButton(parent)
    , TuControl(*this, "TuPhoneBtn")
{
}

void TuPhoneBtn::mousePressEvent(QMouseEvent *event)
{
    QPushButton::mousePressEvent(event);
    if (event->button() == Qt::LeftButton && isEnabled())
        emit MouseDown();
}

bool TuPhoneBtn::ApplyCaption(const QString &text)
{
    setText(text);
    return true;
}

bool TuPhoneBtn::ApplyColor(const QColor &color)
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::Button, color);
    setPalette(palette);
    return true;
}

} // namespace zelto

#include "ui/Comboboxes.h"

#include <QPainter>

namespace zelto {

TuComboBox::TuComboBox(QWidget *parent, const char *className)
    : QComboBox(parent)
    , TuControl(*this, className)
{
}

bool TuComboBox::SetSkinProperty(const QString &name, const TComponentValue &value)
{
    if (name == QLatin1String("Items.Strings")) {
        if (value.kind != TValueKind::List)
            return false;
        clear();
        addItems(TextListValue(value));
        return true;
    }
    if (name == QLatin1String("ItemIndex")) {
        const auto index = IntegerValue(value);
        if (index)
            setCurrentIndex(int(*index));
        return index.has_value();
    }
    if (name == QLatin1String("Ctl3D")) {
        const auto flag = BooleanValue(value);
        if (flag) {
            m_border3D = *flag;
            update();
        }
        return flag.has_value();
    }
    return TuControl::SetSkinProperty(name, value);
}

bool TuComboBox::ApplyColor(const QColor &color)
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::Base, color);
    palette.setColor(QPalette::Button, color);
    setPalette(palette);
    return true;
}

bool TuComboBox::ApplyCaption(const QString &text)
{
    setCurrentText(text);
    return true;
}

TuServerCombobox::TuServerCombobox(QWidget *parent)
    : TuComboBox(parent, "TuServerCombobox")
{
}

TuResolutionCombobox::TuResolutionCombobox(QWidget *parent)
    : TuComboBox(parent, "TuResolutionCombobox")
{
    // The program carries no "DROPCMD" picture, so the skin supplies the button picture.
}

bool TuResolutionCombobox::SetSkinProperty(const QString &name, const TComponentValue &value)
{
    if (name == QLatin1String("ButtonPicture.Data")) {
        if (value.kind != TValueKind::Binary)
            return false;
        FButtonPicture.loadFromData(PictureFileFromData(value.bytes));
        update();
        return true;
    }
    return TuComboBox::SetSkinProperty(name, value);
}

void TuResolutionCombobox::ReplaceItems(const QStringList &items)
{
    clear();
    addItems(items);
}

QRect TuResolutionCombobox::ButtonPictureRect() const
{
    const QRect client = rect();
    return QRect(QPoint(client.right() + 1 - 18, client.top() + 1),
        QPoint(client.right() - 1, client.bottom() - 1));
}

void TuResolutionCombobox::paintEvent(QPaintEvent *event)
{
    QComboBox::paintEvent(event);
    if (Has3DBorder())
        return;
    QPainter painter(this);
    painter.setPen(QPen(QColor::fromRgb(kFrameColour), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (!FButtonPicture.isNull())
        painter.drawPixmap(ButtonPictureRect(), FButtonPicture);
}

void TuResolutionCombobox::SetDroppedDown(bool dropped)
{
    if (dropped)
        showPopup();
    else
        hidePopup();
}

void TuResolutionCombobox::showPopup()
{
    m_droppedDown = true;
    QComboBox::showPopup();
}

void TuResolutionCombobox::hidePopup()
{
    QComboBox::hidePopup();
    m_droppedDown = false;
}

} // namespace zelto

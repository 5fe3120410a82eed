#include "ui/SkinControl.h"

#include "ui/Forms.h"

#include <QMouseEvent>
#include <QWindow>

namespace zelto {

TuControl::TuControl(QWidget &self, const char *className)
    : m_self(self)
    , m_className(className)
{
}

QRegion TuControl::OpaqueShape() const { return QRegion(m_self.rect()); }

void TuControl::ShapeChanged() const
{
    if (auto *form = dynamic_cast<TuCustomForm *>(m_self.window()))
        form->ScheduleShapeUpdate();
}

void TuControl::SetHint(const QString &hint)
{
    m_hint = hint;
    m_self.setToolTip(m_showHint ? hint : QString());
}

bool TuControl::SetGeometryProperty(const QString &name, const TComponentValue &value)
{
    const auto number = IntegerValue(value);
    if (!number)
        return false;
    QRect geometry = m_self.geometry();
    const int n = int(*number);
    if (name == QLatin1String("Left"))
        geometry.moveLeft(n);
    else if (name == QLatin1String("Top"))
        geometry.moveTop(n);
    else if (name == QLatin1String("Width"))
        geometry.setWidth(qMax(0, n));
    else if (name == QLatin1String("Height"))
        geometry.setHeight(qMax(0, n));
    else
        return false;
    m_self.setGeometry(geometry);
    return true;
}

bool TuControl::SetSkinProperty(const QString &name, const TComponentValue &value)
{
    if (name.startsWith(QLatin1String("Font."))) {
        if (!m_fontTaken) {
            m_font.font = m_self.font();
            m_fontTaken = true;
        }
        if (!ApplyFontProperty(m_font, name.mid(5), value))
            return false;
        ApplySkinFont(m_font);
        return true;
    }
    if (SetGeometryProperty(name, value))
        return true;
    if (name == QLatin1String("Visible") || name == QLatin1String("Enabled")) {
        const auto flag = BooleanValue(value);
        if (!flag)
            return false;
        if (name == QLatin1String("Visible"))
            m_self.setVisible(*flag);
        else
            m_self.setEnabled(*flag);
        return true;
    }
    if (name == QLatin1String("Tag")) {
        const auto number = IntegerValue(value);
        if (number)
            m_tag = int(*number);
        return number.has_value();
    }
    if (name == QLatin1String("Hint")) {
        const auto text = TextValue(value);
        if (text)
            SetHint(*text);
        return text.has_value();
    }
    if (name == QLatin1String("ShowHint")) {
        const auto flag = BooleanValue(value);
        if (flag) {
            m_showHint = *flag;
            SetHint(m_hint);
        }
        return flag.has_value();
    }
    if (name == QLatin1String("Cursor")) {
        const auto cursor = CursorValue(value);
        if (cursor)
            m_self.setCursor(*cursor);
        return cursor.has_value();
    }
    if (name == QLatin1String("Color")) {
        const auto color = ColorValue(value);
        return color && ApplyColor(*color);
    }
    if (name == QLatin1String("Caption") || name == QLatin1String("Text")) {
        const auto text = TextValue(value);
        return text && ApplyCaption(*text);
    }
    return false;
}

void TuControl::ApplySkinFont(const SkinFont &font)
{
    m_self.setFont(font.font);
    QPalette palette = m_self.palette();
    for (QPalette::ColorRole role : { QPalette::WindowText, QPalette::Text, QPalette::ButtonText })
        palette.setColor(role, font.color);
    m_self.setPalette(palette);
}

QString SkinClassName(const QObject *object)
{
    const auto *control = dynamic_cast<const TuControl *>(object);
    return control ? QString::fromLatin1(control->ClassName()) : QString();
}

bool IsSkinClass(const QObject *object, QLatin1StringView className)
{
    const auto *control = dynamic_cast<const TuControl *>(object);
    return control && className == QLatin1StringView(control->ClassName());
}

QList<TuControl *> SkinControlsOf(const QWidget &window)
{
    QList<TuControl *> controls;
    for (QWidget *child : window.findChildren<QWidget *>()) {
        if (auto *control = dynamic_cast<TuControl *>(child))
            controls.append(control);
    }
    return controls;
}

WindowDragger *WindowDragger::Install(QWidget &handle)
{
    auto *dragger = new WindowDragger(handle);
    handle.installEventFilter(dragger);
    return dragger;
}

WindowDragger::WindowDragger(QWidget &handle)
    : QObject(&handle)
    , m_handle(handle)
{
}

bool WindowDragger::eventFilter(QObject *, QEvent *event)
{
    QWidget *window = m_handle.window();
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton)
            return false;
        QWindow *handle = window->windowHandle();
        if (handle && handle->startSystemMove())
            return true;
        m_following = true;
        m_grabOffset = mouse->globalPosition().toPoint() - window->pos();
        return true;
    }
    case QEvent::MouseMove:
        if (!m_following)
            return false;
        window->move(static_cast<QMouseEvent *>(event)->globalPosition().toPoint() - m_grabOffset);
        return true;
    case QEvent::MouseButtonRelease:
        if (!m_following)
            return false;
        m_following = false;
        return true;
    default:
        return false;
    }
}

} // namespace zelto

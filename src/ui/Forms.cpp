#include "ui/Forms.h"

#include <QEvent>
#include <QPainter>
#include <QScreen>

#include <algorithm>

namespace zelto {
namespace {

TEmbeddedFileItem EmbeddedFileOf(const TCollectionItem &item)
{
    TEmbeddedFileItem file;
    for (const TComponentProperty &property : item.properties) {
        if (property.name == QLatin1String("FileName"))
            file.FFileName = TextValue(property.value).value_or(QString());
        else if (property.name == QLatin1String("Path"))
            file.FPath = TextValue(property.value).value_or(QString());
        else if (property.name == QLatin1String("ZLib"))
            file.FZLib = BooleanValue(property.value).value_or(false);
        else if (property.name == QLatin1String("Replace"))
            file.FReplace = BooleanValue(property.value).value_or(false);
    }
    return file;
}

} // namespace

TuCustomForm::TuCustomForm(QWidget *parent, const char *className)
    : QWidget(parent, Qt::Window)
    , TuControl(*this, className)
    , m_color(ColorFromTColor(0x8000000F))
    , m_transparentColorValue(m_color)
{
    m_shapeUpdate.setSingleShot(true);
    m_shapeUpdate.setInterval(0);
    connect(&m_shapeUpdate, &QTimer::timeout, this, &TuCustomForm::UpdateShape);
    SetBackgroundDrag(true);
}

void TuCustomForm::SetBackgroundDrag(bool on)
{
    if (on && !m_backgroundDrag)
        m_backgroundDrag = WindowDragger::Install(*this);
    if (!on && m_backgroundDrag) {
        delete m_backgroundDrag;
        m_backgroundDrag = nullptr;
    }
}

bool TuCustomForm::ColourKeyed() const { return m_transparentColor && m_color == m_transparentColorValue; }

void TuCustomForm::SetTransparentColor(bool on, const QColor &value)
{
    m_transparentColor = on;
    m_transparentColorValue = value;
    ScheduleShapeUpdate();
    update();
}

void TuCustomForm::WatchShape(QWidget &control) { control.installEventFilter(this); }

void TuCustomForm::ScheduleShapeUpdate() { m_shapeUpdate.start(); }

QRegion TuCustomForm::CoveredRegion() const
{
    if (!ColourKeyed())
        return QRegion(rect());
    QRegion covered;
    for (TuControl *control : SkinControlsOf(*this)) {
        const QWidget &widget = control->Widget();
        if (widget.isVisibleTo(this))
            covered += control->OpaqueShape().translated(widget.mapTo(this, QPoint(0, 0)));
    }
    return covered;
}

void TuCustomForm::UpdateShape()
{
    if (ColourKeyed())
        setMask(CoveredRegion());
    else
        clearMask();
}

bool TuCustomForm::SetSkinProperty(const QString &name, const TComponentValue &value)
{
    if (name == QLatin1String("EmbeddedFiles")) {
        if (value.kind != TValueKind::Collection)
            return false;
        FEmbeddedFiles.clear();
        for (const TCollectionItem &item : value.items)
            FEmbeddedFiles.append(EmbeddedFileOf(item));
        return true;
    }
    if (name == QLatin1String("ClientWidth") || name == QLatin1String("ClientHeight")) {
        const auto number = IntegerValue(value);
        if (!number)
            return false;
        if (name == QLatin1String("ClientWidth"))
            resize(int(*number), height());
        else
            resize(width(), int(*number));
        return true;
    }
    if (name == QLatin1String("TransparentColor")) {
        const auto flag = BooleanValue(value);
        if (flag)
            SetTransparentColor(*flag, m_transparentColorValue);
        return flag.has_value();
    }
    if (name == QLatin1String("TransparentColorValue")) {
        const auto color = ColorValue(value);
        if (color)
            SetTransparentColor(m_transparentColor, *color);
        return color.has_value();
    }
    if (name == QLatin1String("AlphaBlendValue")) {
        const auto number = IntegerValue(value);
        if (number)
            setWindowOpacity(double(std::clamp<qint64>(*number, 0, 255)) / 255.0);
        return number.has_value();
    }
    if (name == QLatin1String("AlphaBlend")) {
        const auto flag = BooleanValue(value);
        if (flag && !*flag)
            setWindowOpacity(1.0);
        return flag.has_value();
    }
    if (name == QLatin1String("PixelsPerInch"))
        return IntegerValue(value).has_value(); // the skin's pixels are taken as they are
    return TuControl::SetSkinProperty(name, value);
}

bool TuCustomForm::ApplyColor(const QColor &color)
{
    m_color = color;
    ScheduleShapeUpdate();
    update();
    return true;
}

bool TuCustomForm::ApplyCaption(const QString &text)
{
    setWindowTitle(text);
    return true;
}

void TuCustomForm::paintEvent(QPaintEvent *)
{
    if (ColourKeyed())
        return; // see-through: the desktop or the window below shows
    QPainter painter(this);
    painter.fillRect(rect(), m_color);
}

void TuCustomForm::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    emit WindowPosChanged();
}

void TuCustomForm::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    ScheduleShapeUpdate();
    emit WindowPosChanged();
}

bool TuCustomForm::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Show: case QEvent::Hide: case QEvent::Move: case QEvent::Resize:
        ScheduleShapeUpdate();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

TuForm::TuForm(QWidget *parent, const char *className)
    : TuCustomForm(parent, className)
{
}

void CentreOnDesktop(QWidget &window)
{
    const QScreen *screen = window.screen();
    if (!screen)
        return;
    QRect frame = window.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());
}

} // namespace zelto

#include "ui/ProgressBars.h"

#include <QLinearGradient>
#include <QPainter>

namespace zelto {

TuProgressBar::TuProgressBar(QWidget *parent, const char *className)
    : QWidget(parent)
    , TuControl(*this, className)
{
}

void TuProgressBar::SetMin(int min)
{
    m_min = min;
    update();
}

void TuProgressBar::SetMax(int max)
{
    m_max = max;
    update();
}

void TuProgressBar::SetPosition(int position)
{
    m_position = position;
    update();
}

int TuProgressBar::FilledWidth() const
{
    const int inner = qMax(0, width() - 2);
    if (m_max <= m_min)
        return 0;
    const qint64 done = qBound<qint64>(0, qint64(m_position) - m_min, qint64(m_max) - m_min);
    return int(done * inner / (qint64(m_max) - m_min));
}

bool TuProgressBar::SetSkinProperty(const QString &name, const TComponentValue &value)
{
    QColor *colour = name == QLatin1String("BackgroundColor") ? &m_background
        : name == QLatin1String("BorderColor") ? &m_border
        : name == QLatin1String("Colors.ColorFrom") || name == QLatin1String("Colors.Color") ? &m_barFrom
        : name == QLatin1String("Colors.ColorTo") ? &m_barTo
        : nullptr;
    if (colour) {
        const auto read = ColorValue(value);
        if (read) {
            *colour = *read;
            if (colour == &m_barFrom && name == QLatin1String("Colors.Color"))
                m_barTo = *read;
            update();
        }
        return read.has_value();
    }
    if (name == QLatin1String("Transparent")) {
        const auto flag = BooleanValue(value);
        if (flag) {
            m_transparent = *flag;
            update();
        }
        return flag.has_value();
    }
    if (name == QLatin1String("Style"))
        return value.kind == TValueKind::Ident; // one look for every style
    return TuControl::SetSkinProperty(name, value);
}

bool TuProgressBar::ApplyColor(const QColor &color)
{
    m_barFrom = m_barTo = color;
    update();
    return true;
}

void TuProgressBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect frame = rect().adjusted(0, 0, -1, -1);
    if (!m_transparent)
        painter.fillRect(rect(), m_background);
    const int filled = FilledWidth();
    if (filled > 0) {
        const QRect bar(1, 1, filled, height() - 2);
        QLinearGradient gradient(bar.topLeft(), bar.bottomLeft());
        gradient.setColorAt(0, m_barFrom);
        gradient.setColorAt(1, m_barTo);
        painter.fillRect(bar, gradient);
    }
    painter.setPen(m_border);
    painter.drawRect(frame);
}

} // namespace zelto

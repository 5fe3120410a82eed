#pragma once

#include "ui/SkinControl.h"

#include <QWidget>

// The current-file and overall progress bars, drawn in the skin's colours: background,
// border and a bar that runs from one colour to another.
namespace zelto {

class TuProgressBar : public QWidget, public TuControl {
public:
    TuProgressBar(QWidget *parent, const char *className);

    int Min() const { return m_min; }
    int Max() const { return m_max; }
    int Position() const { return m_position; }
    void SetMin(int min);
    void SetMax(int max);
    void SetPosition(int position);
    // The width of the filled part inside the border.
    int FilledWidth() const;

    QColor BarColorFrom() const { return m_barFrom; }
    QColor BarColorTo() const { return m_barTo; }
    QColor BackgroundColor() const { return m_background; }
    QColor BorderColor() const { return m_border; }

    bool SetSkinProperty(const QString &name, const TComponentValue &value) override;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool ApplyColor(const QColor &color) override;

private:
    int m_min = 0;
    int m_max = 100;
    int m_position = 0;
    QColor m_background = Qt::white;
    QColor m_border = Qt::gray;
    QColor m_barFrom = QColor(0x33, 0x99, 0xFF);
    QColor m_barTo = QColor(0x33, 0x99, 0xFF);
    bool m_transparent = false;
};

class TuCurProgressBar final : public TuProgressBar {
public:
    explicit TuCurProgressBar(QWidget *parent) : TuProgressBar(parent, "TuCurProgressBar") {}
};

class TuAllProgressBar final : public TuProgressBar {
public:
    explicit TuAllProgressBar(QWidget *parent) : TuProgressBar(parent, "TuAllProgressBar") {}
};

} // namespace zelto

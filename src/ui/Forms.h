#pragma once

#include "ui/SkinControl.h"

#include <QList>
#include <QTimer>
#include <QWidget>

// The skinned window. Its background colour can be made see-through (the colour key): the
// window then covers the desktop only where its controls draw, and clicks on the rest reach
// the window below.
namespace zelto {

struct TEmbeddedFileItem {
    QString FFileName;
    QString FPath;
    bool FZLib = false;
    bool FReplace = false;
};

class TuCustomForm : public QWidget, public TuControl {
    Q_OBJECT
public:
    TuCustomForm(QWidget *parent, const char *className);

    // Kept as the skin lists them; nothing is written from them.
    const QList<TEmbeddedFileItem> &EmbeddedFiles() const { return FEmbeddedFiles; }

    QColor Color() const { return m_color; }
    bool TransparentColor() const { return m_transparentColor; }
    QColor TransparentColorValue() const { return m_transparentColorValue; }
    // Whether the background is see-through: the colour key is on and is the window colour.
    bool ColourKeyed() const;

    // Watches a control for changes of its shape (shown, hidden, moved, resized).
    void WatchShape(QWidget &control);
    void ScheduleShapeUpdate();
    // The part of the window that covers the desktop; all of it without a colour key.
    QRegion CoveredRegion() const;

    bool SetSkinProperty(const QString &name, const TComponentValue &value) override;

signals:
    void WindowPosChanged();

protected:
    bool ApplyColor(const QColor &color) override;
    bool ApplyCaption(const QString &text) override;
    void paintEvent(QPaintEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

    void SetTransparentColor(bool on, const QColor &value);
    // Whether a press on the bare window drags it (on by default).
    void SetBackgroundDrag(bool on);

private:
    void UpdateShape();

    QList<TEmbeddedFileItem> FEmbeddedFiles;
    QColor m_color;
    bool m_transparentColor = false;
    QColor m_transparentColorValue;
    QTimer m_shapeUpdate;
    QObject *m_backgroundDrag = nullptr;
};

class TuForm : public TuCustomForm {
    Q_OBJECT
public:
    explicit TuForm(QWidget *parent = nullptr, const char *className = "TuForm");
};

// Centres a top-level window on the desktop of the screen it is on.
void CentreOnDesktop(QWidget &window);

} // namespace zelto

#pragma once

#include "ui/ComponentTree.h"
#include "ui/SkinValues.h"

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QWidget>

// What every skinned control shares: the properties a skin may set on any control (geometry,
// visibility, tag, hint, cursor, font, colour, caption) and the window dragging some of them
// offer. Each control class adds its own properties by overriding SetSkinProperty.
namespace zelto {

class TuControl {
public:
    // `className` is the name the skin knows the class by (a literal, never freed).
    TuControl(QWidget &self, const char *className);
    virtual ~TuControl() = default;

    QWidget &Widget() const { return m_self; }
    const char *ClassName() const { return m_className; }
    int Tag() const { return m_tag; }
    void SetTag(int tag) { m_tag = tag; }
    QString Hint() const { return m_hint; }
    void SetHint(const QString &hint);

    // One property read from the skin; false when the control has no such property (the
    // reader then skips the value).
    virtual bool SetSkinProperty(const QString &name, const TComponentValue &value);

    // The part of the control that covers the window, in its own coordinates; the rest
    // lets the window below show through (see TuCustomForm's colour key).
    virtual QRegion OpaqueShape() const;

protected:
    // Tells the window that the control's shape may have changed.
    void ShapeChanged() const;
    virtual void ApplySkinFont(const SkinFont &font);
    virtual bool ApplyColor(const QColor &) { return false; }
    virtual bool ApplyCaption(const QString &) { return false; }
    const SkinFont &CurrentFont() const { return m_font; }

private:
    bool SetGeometryProperty(const QString &name, const TComponentValue &value);

    QWidget &m_self;
    const char *m_className;
    int m_tag = 0;
    QString m_hint;
    bool m_showHint = false;
    SkinFont m_font;
    bool m_fontTaken = false;
};

// The class name a skinned control was created under ("TuStartBtton"), empty for other
// objects. Controls are matched by their exact class: a subclass does not count.
QString SkinClassName(const QObject *object);
bool IsSkinClass(const QObject *object, QLatin1StringView className);

// The skinned controls of a window, in the order the window holds them.
QList<TuControl *> SkinControlsOf(const QWidget &window);

// Moves a top-level window while the left button is held on a control: the window system's
// own move where it offers one, otherwise by following the mouse.
class WindowDragger final : public QObject {
    Q_OBJECT
public:
    // Drags the window of `handle` by it; owned by `handle`.
    static WindowDragger *Install(QWidget &handle);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit WindowDragger(QWidget &handle);

    QWidget &m_handle;
    bool m_following = false;
    QPoint m_grabOffset;
};

} // namespace zelto

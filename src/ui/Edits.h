#pragma once

#include "ui/SkinControl.h"

#include <QLineEdit>

// The account and password boxes: a help text is drawn in the empty box while it has no
// focus; the first help text ever set is the default the box returns to.
namespace zelto {

class TuEdit : public QLineEdit, public TuControl {
    Q_OBJECT
public:
    TuEdit(QWidget *parent, const char *className);

    QString HelpText() const { return FHelpText; }
    QString HelpTextDef() const { return FHelpTextDef; }
    void SetHelpText(const QString &value);
    const SkinFont &HelpTextFont() const { return FHelpTextFont; }
    void SetHelpTextFont(const SkinFont &value);
    bool Has3DBorder() const { return hasFrame(); }

    bool SetSkinProperty(const QString &name, const TComponentValue &value) override;

    // Top of the text's formatting rectangle that centres the text vertically.
    static int FormattingTop(int editHeight, int characterHeight, bool border3D);

signals:
    void Entered();
    void Left();

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool ApplyColor(const QColor &color) override;
    bool ApplyCaption(const QString &text) override;

private:
    void SetCenter();

    QString FHelpTextDef;
    QString FHelpText;
    SkinFont FHelpTextFont;
};

class TuIDEdit final : public TuEdit {
    Q_OBJECT
public:
    explicit TuIDEdit(QWidget *parent);
};

class TuPWEdit final : public TuEdit {
    Q_OBJECT
public:
    explicit TuPWEdit(QWidget *parent);
};

} // namespace zelto

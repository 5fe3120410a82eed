#pragma once

#include "ui/SkinControl.h"

#include <QPushButton>

namespace zelto {

// The button that asks the account platform for a phone code; during the countdown its
// caption shows the seconds left and its hint keeps the caption to restore.
class TuPhoneBtn final : public QPushButton, public TuControl {
    Q_OBJECT
public:
    explicit TuPhoneBtn(QWidget *parent);

signals:
    void MouseDown();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    bool ApplyCaption(const QString &text) override;
    bool ApplyColor(const QColor &color) override;
};

} // namespace zelto

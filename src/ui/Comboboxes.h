#pragma once

#include "app/Resolutions.h"
#include "ui/SkinControl.h"

#include <QComboBox>
#include <QPixmap>

// The server and resolution choices. The resolution box draws its own flat frame and drop
// button picture when the skin turns its 3-D border off.
namespace zelto {

class TuComboBox : public QComboBox, public TuControl {
public:
    TuComboBox(QWidget *parent, const char *className);

    bool SetSkinProperty(const QString &name, const TComponentValue &value) override;
    bool Has3DBorder() const { return m_border3D; }

protected:
    bool ApplyColor(const QColor &color) override;
    bool ApplyCaption(const QString &text) override;

private:
    bool m_border3D = true;
};

class TuServerCombobox final : public TuComboBox {
public:
    explicit TuServerCombobox(QWidget *parent);
};

class TuResolutionCombobox final : public TuComboBox, public IResolutionBox {
public:
    static constexpr QRgb kFrameColour = 0xFF7F9DB9; // TColor $B99D7F

    explicit TuResolutionCombobox(QWidget *parent);

    const QPixmap &ButtonPicture() const { return FButtonPicture; }
    // Where the drop button picture is drawn.
    QRect ButtonPictureRect() const;
    bool DroppedDown() const { return m_droppedDown; }
    void SetDroppedDown(bool dropped);

    bool SetSkinProperty(const QString &name, const TComponentValue &value) override;
    void ReplaceItems(const QStringList &items) override;
    void SelectItem(int index) override { setCurrentIndex(index); }

protected:
    void paintEvent(QPaintEvent *event) override;
    void showPopup() override;
    void hidePopup() override;

private:
    QPixmap FButtonPicture;
    bool m_droppedDown = false;
};

} // namespace zelto

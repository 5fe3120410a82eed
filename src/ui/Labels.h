#pragma once

#include "ui/SkinControl.h"

#include <QLabel>
#include <QMovie>

#include <memory>

// Texts and pictures of a skin. A press on any of them drags the window that owns it.
namespace zelto {

class TuLable : public QLabel, public TuControl {
public:
    explicit TuLable(QWidget *parent, const char *className = "TuLable");

    bool SetSkinProperty(const QString &name, const TComponentValue &value) override;
    QRegion OpaqueShape() const override;

protected:
    bool ApplyColor(const QColor &color) override;
    bool ApplyCaption(const QString &text) override;
    void SetTransparent(bool transparent);

private:
    void UpdateAlignment();

    Qt::Alignment m_horizontal = Qt::AlignLeft;
    Qt::Alignment m_vertical = Qt::AlignTop;
};

// The status line: black, opaque; the controller writes its reports into it.
class TuInfLable final : public TuLable {
public:
    explicit TuInfLable(QWidget *parent);
};

class TuImage final : public QWidget, public TuControl {
public:
    explicit TuImage(QWidget *parent);

    // The picture's image file as the skin carried it (empty when there is none).
    QByteArray PictureFile() const { return m_pictureFile; }
    // The picture as decoded (the current frame of an animation), with its alpha.
    QImage Image() const;
    bool Animated() const { return m_movie != nullptr; }
    void LoadPicture(const QByteArray &imageFile);

    bool SetSkinProperty(const QString &name, const TComponentValue &value) override;
    QRegion OpaqueShape() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void DecodePicture();
    QRect PictureRect(QSize pictureSize) const;

    QByteArray m_pictureFile;
    QImage m_image;
    std::unique_ptr<QMovie> m_movie;
    bool m_stretch = false;
    bool m_center = false;
    bool m_proportional = false;
    bool m_transparent = false;
};

} // namespace zelto

#include "ui/Labels.h"

#include <QBitmap>
#include <QBuffer>
#include <QPainter>
#include <QStyle>

namespace zelto {

TuLable::TuLable(QWidget *parent, const char *className)
    : QLabel(parent)
    , TuControl(*this, className)
{
    SetTransparent(true);
    UpdateAlignment();
    WindowDragger::Install(*this);
}

void TuLable::SetTransparent(bool transparent)
{
    setAutoFillBackground(!transparent);
    ShapeChanged();
}

bool TuLable::SetSkinProperty(const QString &name, const TComponentValue &value)
{
    if (name == QLatin1String("Transparent")) {
        const auto flag = BooleanValue(value);
        if (flag)
            SetTransparent(*flag);
        return flag.has_value();
    }
    if (name == QLatin1String("Alignment") || name == QLatin1String("Layout")) {
        if (value.kind != TValueKind::Ident)
            return false;
        if (value.text == QLatin1String("taCenter")) m_horizontal = Qt::AlignHCenter;
        else if (value.text == QLatin1String("taRightJustify")) m_horizontal = Qt::AlignRight;
        else if (value.text == QLatin1String("taLeftJustify")) m_horizontal = Qt::AlignLeft;
        else if (value.text == QLatin1String("tlCenter")) m_vertical = Qt::AlignVCenter;
        else if (value.text == QLatin1String("tlBottom")) m_vertical = Qt::AlignBottom;
        else if (value.text == QLatin1String("tlTop")) m_vertical = Qt::AlignTop;
        else return false;
        UpdateAlignment();
        return true;
    }
    if (name == QLatin1String("WordWrap")) {
        const auto flag = BooleanValue(value);
        if (flag)
            setWordWrap(*flag);
        return flag.has_value();
    }
    return TuControl::SetSkinProperty(name, value);
}

void TuLable::UpdateAlignment() { setAlignment(m_horizontal | m_vertical); }

bool TuLable::ApplyColor(const QColor &color)
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, color);
    setPalette(palette);
    return true;
}

bool TuLable::ApplyCaption(const QString &text)
{
    setText(text);
    ShapeChanged();
    return true;
}

QRegion TuLable::OpaqueShape() const
{
    if (autoFillBackground())
        return QRegion(rect());
    // A transparent label covers the window only where its text is drawn.
    QImage drawn(size(), QImage::Format_ARGB32_Premultiplied);
    drawn.fill(Qt::transparent);
    const_cast<TuLable *>(this)->render(&drawn, QPoint(), QRegion(), QWidget::DrawChildren);
    return QRegion(QBitmap::fromImage(drawn.createAlphaMask()));
}

TuInfLable::TuInfLable(QWidget *parent)
    : TuLable(parent, "TuInfLable")
{
    SetTransparent(false);
    ApplyColor(Qt::black);
}

TuImage::TuImage(QWidget *parent)
    : QWidget(parent)
    , TuControl(*this, "TuImage")
{
    WindowDragger::Install(*this);
}

void TuImage::LoadPicture(const QByteArray &imageFile)
{
    m_pictureFile = imageFile;
    DecodePicture();
    m_movie.reset();
    if (imageFile.startsWith("GIF8")) {
        auto movie = std::make_unique<QMovie>();
        auto *buffer = new QBuffer(movie.get());
        buffer->setData(imageFile);
        movie->setDevice(buffer);
        if (movie->isValid() && movie->frameCount() != 1) {
            connect(movie.get(), &QMovie::frameChanged, this, [this] { update(); });
            m_movie = std::move(movie);
            m_movie->start(); // an animated picture starts animating once loaded
        }
    }
    update();
    ShapeChanged();
}

void TuImage::DecodePicture()
{
    m_image = QImage::fromData(m_pictureFile);
    if (!m_transparent || m_image.isNull() || m_image.hasAlphaChannel())
        return;
    // A picture without alpha is see-through where it has the colour of its bottom-left pixel.
    m_image = m_image.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = m_image.pixel(0, m_image.height() - 1);
    for (int y = 0; y < m_image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(m_image.scanLine(y));
        for (int x = 0; x < m_image.width(); ++x) {
            if (line[x] == key)
                line[x] = qRgba(0, 0, 0, 0);
        }
    }
}

QImage TuImage::Image() const { return m_movie ? m_movie->currentImage() : m_image; }

bool TuImage::SetSkinProperty(const QString &name, const TComponentValue &value)
{
    if (name == QLatin1String("Picture.Data")) {
        if (value.kind != TValueKind::Binary)
            return false;
        LoadPicture(PictureFileFromData(value.bytes));
        return true;
    }
    bool *flag = name == QLatin1String("Stretch") ? &m_stretch
        : name == QLatin1String("Center") ? &m_center
        : name == QLatin1String("Proportional") ? &m_proportional
        : name == QLatin1String("Transparent") ? &m_transparent
        : nullptr;
    if (flag) {
        const auto read = BooleanValue(value);
        if (read)
            *flag = *read;
        if (flag == &m_transparent)
            DecodePicture();
        update();
        ShapeChanged();
        return read.has_value();
    }
    if (name == QLatin1String("AutoSize")) {
        const auto read = BooleanValue(value);
        if (read && *read && !m_image.isNull())
            resize(m_image.size());
        return read.has_value();
    }
    return TuControl::SetSkinProperty(name, value);
}

QRect TuImage::PictureRect(QSize pictureSize) const
{
    QSize shown = pictureSize;
    const bool larger = pictureSize.width() > width() || pictureSize.height() > height();
    if (m_stretch || (m_proportional && larger))
        shown = m_proportional ? pictureSize.scaled(size(), Qt::KeepAspectRatio) : size();
    const Qt::Alignment alignment = m_center ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignTop;
    return QStyle::alignedRect(layoutDirection(), alignment, shown, rect());
}

void TuImage::paintEvent(QPaintEvent *)
{
    const QImage image = Image();
    if (image.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(PictureRect(image.size()), image);
}

QRegion TuImage::OpaqueShape() const
{
    const QImage image = Image();
    if (image.isNull())
        return {};
    const QRect placed = PictureRect(image.size());
    if (!image.hasAlphaChannel())
        return QRegion(placed) & rect();
    const QImage scaled = image.size() == placed.size() ? image : image.scaled(placed.size());
    return QRegion(QBitmap::fromImage(scaled.createAlphaMask())).translated(placed.topLeft()) & rect();
}

} // namespace zelto

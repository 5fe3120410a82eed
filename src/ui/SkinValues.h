#pragma once

#include "ui/ComponentTree.h"

#include <QByteArray>
#include <QColor>
#include <QCursor>
#include <QFont>
#include <QImage>
#include <QString>

#include <optional>

// Reading the values of a skin's properties into Qt terms: numbers, flags, texts, the
// toolkit's colours (0x00BBGGRR, named colours and system colours), cursors, fonts and
// pictures.
namespace zelto {

std::optional<qint64> IntegerValue(const TComponentValue &value);
std::optional<bool> BooleanValue(const TComponentValue &value);
std::optional<QString> TextValue(const TComponentValue &value);   // texts and identifiers
QStringList TextListValue(const TComponentValue &value);          // a list of texts

// A colour value 0x00BBGGRR; system colours (0x80000000 | index) take Windows' defaults.
QColor ColorFromTColor(quint32 tcolor);
std::optional<QColor> ColorValue(const TComponentValue &value);

std::optional<Qt::CursorShape> CursorValue(const TComponentValue &value);

// Fonts as the skin gives them: the current font and colour are changed by one "Font.*"
// sub-property (Name, Height, Size, Color, Style). False for another name.
struct SkinFont {
    QFont font;
    QColor color = Qt::black;
};
bool ApplyFontProperty(SkinFont &font, const QString &subName, const TComponentValue &value);
// A font of the given point size as the toolkit shows it on a 96 dpi display.
QFont FontOfPointSize(const QString &family, int points);

// A picture property's data: either one complete image file, or the toolkit's form of a
// picture (a short string naming the graphic kind, then that kind's data, which may start
// with a 32-bit length). The image file's bytes, or empty when none is recognised.
QByteArray PictureFileFromData(const QByteArray &data);

} // namespace zelto

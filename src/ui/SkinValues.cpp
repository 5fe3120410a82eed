#include "ui/SkinValues.h"

#include <QBuffer>
#include <QHash>
#include <QImageReader>

#include <cmath>

namespace zelto {
namespace {

constexpr quint32 kSystemColourFlag = 0x80000000u;

// Windows' default system colours, 0x00BBGGRR, by system colour index.
constexpr quint32 kSystemColours[] = {
    0xC8C8C8, 0x000000, 0xD1B499, 0xDBCDBF, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000,
    0x000000, 0x000000, 0xB4B4B4, 0xFCF7F4, 0xABABAB, 0xFF9933, 0xFFFFFF, 0xF0F0F0,
    0xA0A0A0, 0x6D6D6D, 0x000000, 0x000000, 0xFFFFFF, 0x696969, 0xE3E3E3, 0x000000,
    0xE1FFFF, 0x000000, 0xCC6600, 0xEAD1B9, 0xF2E4D7, 0xFF9933, 0xF0F0F0,
};

const QHash<QString, quint32> &NamedColours()
{
    static const QHash<QString, quint32> colours = {
        { QStringLiteral("clBlack"), 0x000000 }, { QStringLiteral("clMaroon"), 0x000080 },
        { QStringLiteral("clGreen"), 0x008000 }, { QStringLiteral("clOlive"), 0x008080 },
        { QStringLiteral("clNavy"), 0x800000 }, { QStringLiteral("clPurple"), 0x800080 },
        { QStringLiteral("clTeal"), 0x808000 }, { QStringLiteral("clGray"), 0x808080 },
        { QStringLiteral("clSilver"), 0xC0C0C0 }, { QStringLiteral("clRed"), 0x0000FF },
        { QStringLiteral("clLime"), 0x00FF00 }, { QStringLiteral("clYellow"), 0x00FFFF },
        { QStringLiteral("clBlue"), 0xFF0000 }, { QStringLiteral("clFuchsia"), 0xFF00FF },
        { QStringLiteral("clAqua"), 0xFFFF00 }, { QStringLiteral("clWhite"), 0xFFFFFF },
        { QStringLiteral("clMoneyGreen"), 0xC0DCC0 }, { QStringLiteral("clSkyBlue"), 0xF0CAA6 },
        { QStringLiteral("clCream"), 0xF0FBFF }, { QStringLiteral("clMedGray"), 0xA4A0A0 },
        { QStringLiteral("clScrollBar"), kSystemColourFlag | 0 },
        { QStringLiteral("clBackground"), kSystemColourFlag | 1 },
        { QStringLiteral("clActiveCaption"), kSystemColourFlag | 2 },
        { QStringLiteral("clInactiveCaption"), kSystemColourFlag | 3 },
        { QStringLiteral("clMenu"), kSystemColourFlag | 4 },
        { QStringLiteral("clWindow"), kSystemColourFlag | 5 },
        { QStringLiteral("clWindowFrame"), kSystemColourFlag | 6 },
        { QStringLiteral("clMenuText"), kSystemColourFlag | 7 },
        { QStringLiteral("clWindowText"), kSystemColourFlag | 8 },
        { QStringLiteral("clCaptionText"), kSystemColourFlag | 9 },
        { QStringLiteral("clActiveBorder"), kSystemColourFlag | 10 },
        { QStringLiteral("clInactiveBorder"), kSystemColourFlag | 11 },
        { QStringLiteral("clAppWorkSpace"), kSystemColourFlag | 12 },
        { QStringLiteral("clHighlight"), kSystemColourFlag | 13 },
        { QStringLiteral("clHighlightText"), kSystemColourFlag | 14 },
        { QStringLiteral("clBtnFace"), kSystemColourFlag | 15 },
        { QStringLiteral("clBtnShadow"), kSystemColourFlag | 16 },
        { QStringLiteral("clGrayText"), kSystemColourFlag | 17 },
        { QStringLiteral("clBtnText"), kSystemColourFlag | 18 },
        { QStringLiteral("clInactiveCaptionText"), kSystemColourFlag | 19 },
        { QStringLiteral("clBtnHighlight"), kSystemColourFlag | 20 },
        { QStringLiteral("cl3DDkShadow"), kSystemColourFlag | 21 },
        { QStringLiteral("cl3DLight"), kSystemColourFlag | 22 },
        { QStringLiteral("clInfoText"), kSystemColourFlag | 23 },
        { QStringLiteral("clInfoBk"), kSystemColourFlag | 24 },
        { QStringLiteral("clHotLight"), kSystemColourFlag | 26 },
        { QStringLiteral("clGradientActiveCaption"), kSystemColourFlag | 27 },
        { QStringLiteral("clGradientInactiveCaption"), kSystemColourFlag | 28 },
        { QStringLiteral("clMenuHighlight"), kSystemColourFlag | 29 },
        { QStringLiteral("clMenuBar"), kSystemColourFlag | 30 },
    };
    return colours;
}

const QHash<QString, Qt::CursorShape> &NamedCursors()
{
    static const QHash<QString, Qt::CursorShape> cursors = {
        { QStringLiteral("crDefault"), Qt::ArrowCursor }, { QStringLiteral("crArrow"), Qt::ArrowCursor },
        { QStringLiteral("crNone"), Qt::BlankCursor }, { QStringLiteral("crCross"), Qt::CrossCursor },
        { QStringLiteral("crIBeam"), Qt::IBeamCursor }, { QStringLiteral("crSizeNESW"), Qt::SizeBDiagCursor },
        { QStringLiteral("crSizeNS"), Qt::SizeVerCursor }, { QStringLiteral("crSizeNWSE"), Qt::SizeFDiagCursor },
        { QStringLiteral("crSizeWE"), Qt::SizeHorCursor }, { QStringLiteral("crUpArrow"), Qt::UpArrowCursor },
        { QStringLiteral("crHourGlass"), Qt::WaitCursor }, { QStringLiteral("crNo"), Qt::ForbiddenCursor },
        { QStringLiteral("crHandPoint"), Qt::PointingHandCursor }, { QStringLiteral("crHelp"), Qt::WhatsThisCursor },
        { QStringLiteral("crSizeAll"), Qt::SizeAllCursor }, { QStringLiteral("crAppStart"), Qt::BusyCursor },
    };
    return cursors;
}

// Cursor numbers of the toolkit, as a skin may store them instead of their names.
std::optional<Qt::CursorShape> CursorOfNumber(qint64 number)
{
    switch (number) {
    case 0: case -2: return Qt::ArrowCursor;
    case -1: return Qt::BlankCursor;
    case -3: return Qt::CrossCursor;
    case -4: return Qt::IBeamCursor;
    case -11: return Qt::WaitCursor;
    case -18: return Qt::ForbiddenCursor;
    case -21: return Qt::PointingHandCursor;
    case -22: return Qt::SizeAllCursor;
    default: return std::nullopt;
    }
}

bool DecodesAsImage(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return false;
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer);
    return reader.canRead();
}

} // namespace

std::optional<qint64> IntegerValue(const TComponentValue &value)
{
    switch (value.kind) {
    case TValueKind::Int8: case TValueKind::Int16: case TValueKind::Int32: case TValueKind::Int64:
        return value.integer;
    default:
        return std::nullopt;
    }
}

std::optional<bool> BooleanValue(const TComponentValue &value)
{
    if (value.kind == TValueKind::True)
        return true;
    if (value.kind == TValueKind::False)
        return false;
    return std::nullopt;
}

std::optional<QString> TextValue(const TComponentValue &value)
{
    switch (value.kind) {
    case TValueKind::String: case TValueKind::LString: case TValueKind::WString:
    case TValueKind::Utf8String: case TValueKind::Ident:
        return value.text;
    default:
        return std::nullopt;
    }
}

QStringList TextListValue(const TComponentValue &value)
{
    QStringList texts;
    for (const TComponentValue &item : value.list) {
        if (const auto text = TextValue(item))
            texts.append(*text);
    }
    return texts;
}

QColor ColorFromTColor(quint32 tcolor)
{
    if (tcolor & kSystemColourFlag) {
        const quint32 index = tcolor & 0xFF;
        tcolor = index < std::size(kSystemColours) ? kSystemColours[index] : 0;
    }
    return QColor(tcolor & 0xFF, (tcolor >> 8) & 0xFF, (tcolor >> 16) & 0xFF);
}

std::optional<QColor> ColorValue(const TComponentValue &value)
{
    if (const auto number = IntegerValue(value))
        return ColorFromTColor(static_cast<quint32>(*number));
    if (value.kind == TValueKind::Ident) {
        const auto found = NamedColours().constFind(value.text);
        if (found != NamedColours().constEnd())
            return ColorFromTColor(*found);
    }
    return std::nullopt;
}

std::optional<Qt::CursorShape> CursorValue(const TComponentValue &value)
{
    if (const auto number = IntegerValue(value))
        return CursorOfNumber(*number);
    if (value.kind == TValueKind::Ident) {
        const auto found = NamedCursors().constFind(value.text);
        if (found != NamedCursors().constEnd())
            return *found;
    }
    return std::nullopt;
}

QFont FontOfPointSize(const QString &family, int points)
{
    QFont font(family);
    font.setPixelSize(qMax(1, int(std::lround(points * 96.0 / 72.0))));
    return font;
}

bool ApplyFontProperty(SkinFont &font, const QString &subName, const TComponentValue &value)
{
    if (subName == QLatin1String("Name")) {
        const auto name = TextValue(value);
        if (!name)
            return false;
        font.font.setFamily(*name);
        return true;
    }
    if (subName == QLatin1String("Height") || subName == QLatin1String("Size")) {
        const auto number = IntegerValue(value);
        if (!number || *number == 0)
            return false;
        // A negative height is the character height in pixels; a size is in points.
        const int pixels = subName == QLatin1String("Height")
            ? int(qAbs(*number))
            : int(std::lround(qAbs(*number) * 96.0 / 72.0));
        font.font.setPixelSize(qMax(1, pixels));
        return true;
    }
    if (subName == QLatin1String("Color")) {
        const auto color = ColorValue(value);
        if (!color)
            return false;
        font.color = *color;
        return true;
    }
    if (subName == QLatin1String("Style")) {
        if (value.kind != TValueKind::Set)
            return false;
        font.font.setBold(value.identifiers.contains(QStringLiteral("fsBold")));
        font.font.setItalic(value.identifiers.contains(QStringLiteral("fsItalic")));
        font.font.setUnderline(value.identifiers.contains(QStringLiteral("fsUnderline")));
        font.font.setStrikeOut(value.identifiers.contains(QStringLiteral("fsStrikeOut")));
        return true;
    }
    return subName == QLatin1String("Charset"); // the code page is fixed; nothing to change
}

QByteArray PictureFileFromData(const QByteArray &data)
{
    if (DecodesAsImage(data))
        return data;
    if (data.isEmpty())
        return {};
    const int nameLength = quint8(data.at(0));
    const QByteArray graphic = data.mid(1 + nameLength);
    if (DecodesAsImage(graphic))
        return graphic;
    const QByteArray sized = graphic.mid(4);
    return DecodesAsImage(sized) ? sized : QByteArray();
}

} // namespace zelto

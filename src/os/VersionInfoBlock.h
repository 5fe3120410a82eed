#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <array>
#include <cstddef>
#include <string_view>

// The VS_VERSIONINFO block of the system's file version resources: a tree of nodes, each
// a length, a value length, a type, a UTF-16 key and a value, every part aligned to four
// bytes from the start of the block. The launcher reads the block of other files (a
// launcher copy, the game's main program) and carries its own; the builder is constexpr so
// that the build can place a block into our ELF binaries.
namespace zelto::os {

// The strings a block carries under one translation (language and code page).
struct TVersionInfoStrings {
    std::u16string_view FileDescription;
    std::u16string_view FileVersion;    // dotted, e.g. u"1.0.0.6"
    std::u16string_view ProductName;
    quint16 Language = 0x0804;          // simplified Chinese
    quint16 CodePage = 0x04B0;          // Unicode
};

inline constexpr std::size_t kMaxBuiltVersionBlock = 2048;

struct TBuiltVersionBlock {
    std::array<unsigned char, kMaxBuiltVersionBlock> Bytes{};
    std::size_t Size = 0;

    QByteArray ToByteArray() const { return QByteArray(reinterpret_cast<const char *>(Bytes.data()), qsizetype(Size)); }
};

// The value of "\StringFileInfo\<language and code page>\<name>" under the block's first
// translation entry, as the system's version query gives it; empty when any piece is
// missing or damaged. Keys match without regard to letter case.
QString VersionInfoString(QByteArrayView block, const QString &name);

namespace detail {

class TBlockWriter {
public:
    constexpr explicit TBlockWriter(TBuiltVersionBlock &block) : FBlock(block) {}

    constexpr std::size_t Position() const { return FBlock.Size; }
    constexpr void Word(quint16 value)
    {
        Byte(value & 0xFF);
        Byte(value >> 8);
    }
    constexpr void DWord(quint32 value)
    {
        Word(quint16(value & 0xFFFF));
        Word(quint16(value >> 16));
    }
    constexpr void Text(std::u16string_view text)
    {
        for (char16_t unit : text)
            Word(quint16(unit));
        Word(0);
    }
    constexpr void Align()
    {
        while (FBlock.Size % 4 != 0)
            Byte(0);
    }
    constexpr void PatchWord(std::size_t at, quint16 value)
    {
        FBlock.Bytes[at] = static_cast<unsigned char>(value & 0xFF);
        FBlock.Bytes[at + 1] = static_cast<unsigned char>(value >> 8);
    }
    // Opens a node; returns its start, for CloseNode.
    constexpr std::size_t OpenNode(std::u16string_view key, quint16 valueLength, quint16 type)
    {
        Align();
        const std::size_t start = Position();
        Word(0);
        Word(valueLength);
        Word(type);
        Text(key);
        Align();
        return start;
    }
    constexpr void CloseNode(std::size_t start) { PatchWord(start, quint16(Position() - start)); }

private:
    constexpr void Byte(unsigned value)
    {
        if (FBlock.Size < FBlock.Bytes.size())
            FBlock.Bytes[FBlock.Size] = static_cast<unsigned char>(value);
        ++FBlock.Size;
    }

    TBuiltVersionBlock &FBlock;
};

constexpr std::array<quint16, 4> VersionNumbers(std::u16string_view dotted)
{
    std::array<quint16, 4> numbers{};
    std::size_t part = 0;
    for (char16_t unit : dotted) {
        if (unit == u'.') {
            if (++part == numbers.size())
                break;
        } else if (unit >= u'0' && unit <= u'9') {
            numbers[part] = quint16(numbers[part] * 10 + (unit - u'0'));
        }
    }
    return numbers;
}

constexpr void HexDigits(char16_t (&out)[9], quint32 value)
{
    constexpr char16_t digits[] = u"0123456789abcdef";
    for (int i = 7; i >= 0; --i, value >>= 4)
        out[i] = digits[value & 0xF];
    out[8] = 0;
}

constexpr void StringNode(TBlockWriter &writer, std::u16string_view key, std::u16string_view value)
{
    const std::size_t node = writer.OpenNode(key, quint16(value.size() + 1), 1);
    writer.Text(value);
    writer.CloseNode(node);
}

} // namespace detail

// A block with the fixed file information (file and product version from FileVersion,
// an application for 32-bit Windows), the three strings and one translation entry. A block
// longer than kMaxBuiltVersionBlock gives Size 0.
constexpr TBuiltVersionBlock BuildVersionInfoBlock(const TVersionInfoStrings &strings)
{
    TBuiltVersionBlock block;
    detail::TBlockWriter writer(block);
    constexpr quint16 kFixedInfoSize = 52;
    const std::size_t root = writer.OpenNode(u"VS_VERSION_INFO", kFixedInfoSize, 0);
    const std::array<quint16, 4> numbers = detail::VersionNumbers(strings.FileVersion);
    const quint32 versionMs = quint32(numbers[0]) << 16 | numbers[1];
    const quint32 versionLs = quint32(numbers[2]) << 16 | numbers[3];
    for (quint32 value : {0xFEEF04BDu, 0x00010000u, versionMs, versionLs, versionMs, versionLs, 0x3Fu, 0u,
             0x00040004u, 1u, 0u, 0u, 0u})
        writer.DWord(value);

    const std::size_t stringInfo = writer.OpenNode(u"StringFileInfo", 0, 1);
    char16_t tableKey[9] = {};
    detail::HexDigits(tableKey, quint32(strings.Language) << 16 | strings.CodePage);
    const std::size_t table = writer.OpenNode(std::u16string_view(tableKey, 8), 0, 1);
    detail::StringNode(writer, u"FileDescription", strings.FileDescription);
    detail::StringNode(writer, u"FileVersion", strings.FileVersion);
    detail::StringNode(writer, u"ProductName", strings.ProductName);
    detail::StringNode(writer, u"ProductVersion", strings.FileVersion);
    writer.CloseNode(table);
    writer.CloseNode(stringInfo);

    const std::size_t varInfo = writer.OpenNode(u"VarFileInfo", 0, 1);
    const std::size_t translation = writer.OpenNode(u"Translation", 4, 0);
    writer.Word(strings.Language);
    writer.Word(strings.CodePage);
    writer.CloseNode(translation);
    writer.CloseNode(varInfo);
    writer.CloseNode(root);
    if (block.Size > block.Bytes.size())
        return TBuiltVersionBlock{};
    return block;
}

// The built block as an array of exactly its size, for placing it into a section.
template <std::size_t N>
constexpr std::array<unsigned char, N> VersionInfoBlockBytes(const TBuiltVersionBlock &block)
{
    std::array<unsigned char, N> bytes{};
    for (std::size_t i = 0; i < N; ++i)
        bytes[i] = block.Bytes[i];
    return bytes;
}

} // namespace zelto::os

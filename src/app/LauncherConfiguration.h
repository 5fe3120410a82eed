#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QtEndian>

#include <algorithm>
#include <cstddef>
#include <span>
#include <type_traits>

// The launcher configuration record: 2332 bytes carried enciphered at the end of the
// launcher's program file. The layout is shared with the packing tool and the records of
// launchers already deployed, so every field sits at a fixed offset.
namespace zelto {

// A text field of capacity N: a length byte and N bytes of which the first `length` are
// the text in code page 936; the bytes after the text are not significant.
template <int N>
struct TAnsiField {
    static constexpr int kCapacity = N;
    quint8 length = 0;
    char chars[N] = {};

    // A damaged length byte above the capacity is taken as the capacity, so a read never
    // runs into the next field.
    QString Text() const;
    // False, leaving the field unchanged, when the text needs more than N bytes in code
    // page 936 or holds a character the code page cannot represent.
    bool SetText(const QString &text);
    // Records whose text is cut to fit rather than refused: the text's code page 936 form
    // cut before the first character that does not fit whole, or the bytes cut at N.
    void SetTextCut(const QString &text);
    void SetBytesCut(QByteArrayView bytes);
    QByteArray Bytes() const;
};

struct TLauncherConfiguration {
    TAnsiField<100> sReserved;
    TAnsiField<100> sTitle;
    TAnsiField<255> ServerListURL;
    TAnsiField<255> ServerListURL2;
    TAnsiField<255> ServerListURL3;
    char filler970[2] = {};
    qint32_le nSkinSize { 0 };
    qint32_le nSkinOffset { 0 };
    TAnsiField<20> sAppName;
    TAnsiField<100> sHomePage;
    TAnsiField<100> sConfigAddress;
    TAnsiField<100> sGameAddress;
    TAnsiField<100> sSignKey;
    char filler1405[3] = {};
    qint32_le nGMNum { 0 };
    qint32_le nGMChannel { 0 };
    TAnsiField<20> sPlatform;
    TAnsiField<20> sCpGameId;
    TAnsiField<20> sSubject;
    TAnsiField<20> sGameId;
    TAnsiField<20> sAgentId;
    TAnsiField<20> sPlaceId;
    TAnsiField<20> sPromoteId;
    TAnsiField<255> sSdkAppId;
    TAnsiField<255> sSdkAppKey;
    TAnsiField<255> sSdkChannel;
    char filler2331[1] = {};

    static constexpr int kSize = 2332;

    QByteArray ToBytes() const;
    // Takes the first kSize bytes; missing bytes stay zero.
    static TLauncherConfiguration FromBytes(QByteArrayView bytes);
};

static_assert(std::is_trivially_copyable_v<TLauncherConfiguration>);
static_assert(std::is_standard_layout_v<TLauncherConfiguration>);
static_assert(sizeof(TLauncherConfiguration) == TLauncherConfiguration::kSize);
static_assert(offsetof(TLauncherConfiguration, sReserved) == 0);
static_assert(offsetof(TLauncherConfiguration, sTitle) == 101);
static_assert(offsetof(TLauncherConfiguration, ServerListURL) == 202);
static_assert(offsetof(TLauncherConfiguration, ServerListURL2) == 458);
static_assert(offsetof(TLauncherConfiguration, ServerListURL3) == 714);
static_assert(offsetof(TLauncherConfiguration, filler970) == 970);
static_assert(offsetof(TLauncherConfiguration, nSkinSize) == 972);
static_assert(offsetof(TLauncherConfiguration, nSkinOffset) == 976);
static_assert(offsetof(TLauncherConfiguration, sAppName) == 980);
static_assert(offsetof(TLauncherConfiguration, sHomePage) == 1001);
static_assert(offsetof(TLauncherConfiguration, sConfigAddress) == 1102);
static_assert(offsetof(TLauncherConfiguration, sGameAddress) == 1203);
static_assert(offsetof(TLauncherConfiguration, sSignKey) == 1304);
static_assert(offsetof(TLauncherConfiguration, filler1405) == 1405);
static_assert(offsetof(TLauncherConfiguration, nGMNum) == 1408);
static_assert(offsetof(TLauncherConfiguration, nGMChannel) == 1412);
static_assert(offsetof(TLauncherConfiguration, sPlatform) == 1416);
static_assert(offsetof(TLauncherConfiguration, sCpGameId) == 1437);
static_assert(offsetof(TLauncherConfiguration, sSubject) == 1458);
static_assert(offsetof(TLauncherConfiguration, sGameId) == 1479);
static_assert(offsetof(TLauncherConfiguration, sAgentId) == 1500);
static_assert(offsetof(TLauncherConfiguration, sPlaceId) == 1521);
static_assert(offsetof(TLauncherConfiguration, sPromoteId) == 1542);
static_assert(offsetof(TLauncherConfiguration, sSdkAppId) == 1563);
static_assert(offsetof(TLauncherConfiguration, sSdkAppKey) == 1819);
static_assert(offsetof(TLauncherConfiguration, sSdkChannel) == 2075);
static_assert(offsetof(TLauncherConfiguration, filler2331) == 2331);

// The record's fields by name, in record order, for tools that read or write them as
// name/value pairs (the packing tool's configuration file and its inspection).
enum class TConfigurationFieldKind { Text, Integer };

struct TConfigurationField {
    const char *name;
    TConfigurationFieldKind kind;
    int offset;
    int capacity; // text fields only
};

std::span<const TConfigurationField> LauncherConfigurationFields();
const TConfigurationField *FindConfigurationField(const QString &name);

QString FieldText(const TLauncherConfiguration &record, const TConfigurationField &field);
bool SetFieldText(TLauncherConfiguration &record, const TConfigurationField &field, const QString &text);
qint32 FieldInteger(const TLauncherConfiguration &record, const TConfigurationField &field);
void SetFieldInteger(TLauncherConfiguration &record, const TConfigurationField &field, qint32 value);

namespace detail {
QString AnsiFieldText(quint8 length, const char *chars, int capacity);
bool SetAnsiFieldText(quint8 &length, char *chars, int capacity, const QString &text);
void SetAnsiFieldTextCut(quint8 &length, char *chars, int capacity, const QString &text);
void SetAnsiFieldBytes(quint8 &length, char *chars, int capacity, QByteArrayView bytes);
QByteArray AnsiFieldBytes(quint8 length, const char *chars, int capacity);
} // namespace detail

template <int N>
QString TAnsiField<N>::Text() const
{
    return detail::AnsiFieldText(length, chars, N);
}

template <int N>
bool TAnsiField<N>::SetText(const QString &text)
{
    return detail::SetAnsiFieldText(length, chars, N, text);
}

template <int N>
void TAnsiField<N>::SetTextCut(const QString &text)
{
    detail::SetAnsiFieldTextCut(length, chars, N, text);
}

template <int N>
void TAnsiField<N>::SetBytesCut(QByteArrayView bytes)
{
    detail::SetAnsiFieldBytes(length, chars, N, bytes.first(std::min<qsizetype>(bytes.size(), N)));
}

template <int N>
QByteArray TAnsiField<N>::Bytes() const
{
    return detail::AnsiFieldBytes(length, chars, N);
}

} // namespace zelto

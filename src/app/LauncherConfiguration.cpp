#include "app/LauncherConfiguration.h"

#include "os/AnsiCodePage.h"

#include <algorithm>
#include <cstring>

namespace zelto {
namespace {

#define ZELTO_TEXT_FIELD(field)                                                               \
    TConfigurationField { #field, TConfigurationFieldKind::Text,                              \
        int(offsetof(TLauncherConfiguration, field)),                                         \
        decltype(TLauncherConfiguration::field)::kCapacity }
#define ZELTO_INTEGER_FIELD(field)                                                            \
    TConfigurationField { #field, TConfigurationFieldKind::Integer,                           \
        int(offsetof(TLauncherConfiguration, field)), 0 }

constexpr TConfigurationField kFields[] = {
    ZELTO_TEXT_FIELD(sReserved),
    ZELTO_TEXT_FIELD(sTitle),
    ZELTO_TEXT_FIELD(ServerListURL),
    ZELTO_TEXT_FIELD(ServerListURL2),
    ZELTO_TEXT_FIELD(ServerListURL3),
    ZELTO_INTEGER_FIELD(nSkinSize),
    ZELTO_INTEGER_FIELD(nSkinOffset),
    ZELTO_TEXT_FIELD(sAppName),
    ZELTO_TEXT_FIELD(sHomePage),
    ZELTO_TEXT_FIELD(sConfigAddress),
    ZELTO_TEXT_FIELD(sGameAddress),
    ZELTO_TEXT_FIELD(sSignKey),
    ZELTO_INTEGER_FIELD(nGMNum),
    ZELTO_INTEGER_FIELD(nGMChannel),
    ZELTO_TEXT_FIELD(sPlatform),
    ZELTO_TEXT_FIELD(sCpGameId),
    ZELTO_TEXT_FIELD(sSubject),
    ZELTO_TEXT_FIELD(sGameId),
    ZELTO_TEXT_FIELD(sAgentId),
    ZELTO_TEXT_FIELD(sPlaceId),
    ZELTO_TEXT_FIELD(sPromoteId),
    ZELTO_TEXT_FIELD(sSdkAppId),
    ZELTO_TEXT_FIELD(sSdkAppKey),
    ZELTO_TEXT_FIELD(sSdkChannel),
};

#undef ZELTO_TEXT_FIELD
#undef ZELTO_INTEGER_FIELD

unsigned char *FieldBytes(TLauncherConfiguration &record, const TConfigurationField &field)
{
    return reinterpret_cast<unsigned char *>(&record) + field.offset;
}

const unsigned char *FieldBytes(const TLauncherConfiguration &record, const TConfigurationField &field)
{
    return reinterpret_cast<const unsigned char *>(&record) + field.offset;
}

} // namespace

namespace detail {

QByteArray AnsiFieldBytes(quint8 length, const char *chars, int capacity)
{
    return QByteArray(chars, std::min<int>(length, capacity));
}

QString AnsiFieldText(quint8 length, const char *chars, int capacity)
{
    return os::FromAnsi(AnsiFieldBytes(length, chars, capacity));
}

void SetAnsiFieldBytes(quint8 &length, char *chars, int capacity, QByteArrayView bytes)
{
    Q_ASSERT(bytes.size() <= capacity);
    std::memset(chars, 0, size_t(capacity));
    std::memcpy(chars, bytes.data(), size_t(bytes.size()));
    length = quint8(bytes.size());
}

bool SetAnsiFieldText(quint8 &length, char *chars, int capacity, const QString &text)
{
    const QByteArray bytes = os::ToAnsi(text);
    if (bytes.size() > capacity || os::FromAnsi(bytes) != text)
        return false;
    SetAnsiFieldBytes(length, chars, capacity, bytes);
    return true;
}

void SetAnsiFieldTextCut(quint8 &length, char *chars, int capacity, const QString &text)
{
    SetAnsiFieldBytes(length, chars, capacity, os::AnsiPrefix(os::ToAnsi(text), capacity));
}

} // namespace detail

QByteArray TLauncherConfiguration::ToBytes() const
{
    return QByteArray(reinterpret_cast<const char *>(this), kSize);
}

TLauncherConfiguration TLauncherConfiguration::FromBytes(QByteArrayView bytes)
{
    TLauncherConfiguration record;
    std::memcpy(&record, bytes.data(), size_t(std::min<qsizetype>(bytes.size(), kSize)));
    return record;
}

std::span<const TConfigurationField> LauncherConfigurationFields() { return kFields; }

const TConfigurationField *FindConfigurationField(const QString &name)
{
    for (const TConfigurationField &field : kFields) {
        if (name == QLatin1String(field.name))
            return &field;
    }
    return nullptr;
}

QString FieldText(const TLauncherConfiguration &record, const TConfigurationField &field)
{
    const unsigned char *bytes = FieldBytes(record, field);
    return detail::AnsiFieldText(bytes[0], reinterpret_cast<const char *>(bytes + 1), field.capacity);
}

bool SetFieldText(TLauncherConfiguration &record, const TConfigurationField &field, const QString &text)
{
    unsigned char *bytes = FieldBytes(record, field);
    return detail::SetAnsiFieldText(*bytes, reinterpret_cast<char *>(bytes + 1), field.capacity, text);
}

qint32 FieldInteger(const TLauncherConfiguration &record, const TConfigurationField &field)
{
    return qFromLittleEndian<qint32>(FieldBytes(record, field));
}

void SetFieldInteger(TLauncherConfiguration &record, const TConfigurationField &field, qint32 value)
{
    qToLittleEndian<qint32>(value, FieldBytes(record, field));
}

} // namespace zelto

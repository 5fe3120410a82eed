#pragma once

#include "launch/LaunchRecord.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>

#include <optional>

// Reading back what the launcher hands to the game client: the environment file and the
// launch argument. The operator's tool and the stand-in client use these; the launcher itself
// never reads them. Any input, however damaged, gives a result with a reason, never a crash.
namespace zelto {

inline constexpr qint64 kMaxEnvironmentFileSize = 1 << 20; // far above any document the launcher writes

struct TEnvironmentRead {
    QJsonObject document;
    QString error; // empty when the document was read

    bool Ok() const { return error.isEmpty(); }
};

TEnvironmentRead DecodeEnvironmentFile(const QByteArray &bytes);
TEnvironmentRead ReadEnvironmentFile(const QString &path);

struct TLaunchArgumentRead {
    std::optional<TLaunchRecord> record; // present when the argument deciphered to 764 bytes
    QString error;                       // empty when the record is present and its constants hold

    bool Ok() const { return error.isEmpty(); }
};

TLaunchArgumentRead DecodeLaunchArgument(const QString &argument);

// Every field by name; the flags and small numbers as the byte values they are.
QJsonObject LaunchRecordToJson(const TLaunchRecord &record);

} // namespace zelto

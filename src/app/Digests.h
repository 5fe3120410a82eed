#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

// Digests and encodings whose exact input bytes and output letters are shared with the
// account platform, the catalogue services and the update sources.
namespace zelto {

QString StrMD5(const QString &text);        // MD5 of the ANSI code page bytes, upper-case hex
QString FileMD5(const QString &path);       // MD5 of a file read in 102400-byte chunks, upper-case hex;
                                            // throws std::runtime_error when it cannot be opened
QString Md5HexLower(const QString &text);   // one byte per UTF-16 unit (>127 as "?"), lower-case hex
QString Md5AnsiLower(const QString &text);  // MD5 of the ANSI code page bytes, lower-case hex
QString Base64Utf8(const QString &text);
QString ParamsToJson(const QString &listText);
qint32 UnixTimeStamp(const QDateTime &localTime);

} // namespace zelto

#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace zelto {

// A Windows INI file in the system ANSI code page (or UTF-8, for stores of Unicode text
// such as the registry store), read and written whole. Section and key
// names match without regard to ASCII letter case; values are trimmed, and a pair of quotes
// around a value is dropped. Writing a key keeps every other line of the file (other
// sections, other keys, comments) as it was.
enum class TIniEncoding { Ansi, Utf8 };

class TIniFile {
public:
    // Reads the file when it exists.
    explicit TIniFile(QString fileName, TIniEncoding encoding = TIniEncoding::Ansi);

    bool Exists() const { return FExists; }

    QString ReadString(const QString &section, const QString &key, const QString &defaultValue) const;
    // Decimal integers; a missing key or malformed number gives the default.
    qint32 ReadInteger(const QString &section, const QString &key, qint32 defaultValue) const;
    bool ReadBool(const QString &section, const QString &key, bool defaultValue) const; // non-zero is true

    void WriteString(const QString &section, const QString &key, const QString &value);
    void WriteInteger(const QString &section, const QString &key, qint32 value);
    void WriteBool(const QString &section, const QString &key, bool value); // "1" or "0"

    // Replaces the file with the lines (CR LF), committed only when complete; false on failure.
    bool Save() const;

private:
    struct TLocation {
        qsizetype sectionLine = -1; // -1: no such section
        qsizetype keyLine = -1;     // -1: no such key in it
        qsizetype lastEntryLine = -1;
    };
    TLocation Locate(const QString &section, const QString &key) const;
    std::optional<QString> Value(const QString &section, const QString &key) const;

    QByteArray Encoded(const QString &text) const;

    QString FFileName;
    TIniEncoding FEncoding;
    QStringList FLines;
    bool FExists = false;
};

} // namespace zelto

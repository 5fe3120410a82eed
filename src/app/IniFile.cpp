#include "app/IniFile.h"

#include "app/TextRules.h"
#include "os/AnsiCodePage.h"

#include <QFile>
#include <QSaveFile>

namespace zelto {
namespace {

std::optional<QString> SectionName(QStringView line)
{
    const QStringView trimmed = line.trimmed();
    if (!trimmed.startsWith(u'['))
        return std::nullopt;
    const qsizetype end = trimmed.indexOf(u']');
    return (end < 0 ? trimmed.mid(1) : trimmed.mid(1, end - 1)).trimmed().toString();
}

std::optional<QString> KeyName(QStringView line)
{
    if (line.trimmed().startsWith(u';'))
        return std::nullopt;
    const qsizetype equals = line.indexOf(u'=');
    if (equals < 0)
        return std::nullopt;
    return line.left(equals).trimmed().toString();
}

QString ValueOf(QStringView line)
{
    QStringView value = line.mid(line.indexOf(u'=') + 1).trimmed();
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front())
        value = value.mid(1, value.size() - 2);
    return value.toString();
}

bool SameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

TIniFile::TIniFile(QString fileName, TIniEncoding encoding) : FFileName(std::move(fileName)), FEncoding(encoding)
{
    QFile file(FFileName);
    if (!file.open(QIODevice::ReadOnly))
        return;
    FExists = true;
    const QByteArray bytes = file.readAll();
    FLines = SplitLines(FEncoding == TIniEncoding::Utf8 ? QString::fromUtf8(bytes) : os::FromAnsi(bytes));
}

QByteArray TIniFile::Encoded(const QString &text) const
{
    return FEncoding == TIniEncoding::Utf8 ? text.toUtf8() : os::ToAnsi(text);
}

TIniFile::TLocation TIniFile::Locate(const QString &section, const QString &key) const
{
    TLocation found;
    bool inSection = false;
    for (qsizetype i = 0; i < FLines.size(); ++i) {
        if (const std::optional<QString> name = SectionName(FLines[i])) {
            if (found.sectionLine >= 0)
                break; // the first section of a name is the one that counts
            inSection = SameName(*name, section);
            if (inSection)
                found.sectionLine = found.lastEntryLine = i;
            continue;
        }
        if (!inSection)
            continue;
        if (!FLines[i].trimmed().isEmpty())
            found.lastEntryLine = i;
        const std::optional<QString> name = KeyName(FLines[i]);
        if (name && found.keyLine < 0 && SameName(*name, key))
            found.keyLine = i;
    }
    return found;
}

std::optional<QString> TIniFile::Value(const QString &section, const QString &key) const
{
    const TLocation location = Locate(section, key);
    if (location.keyLine < 0)
        return std::nullopt;
    return ValueOf(FLines[location.keyLine]);
}

QString TIniFile::ReadString(const QString &section, const QString &key, const QString &defaultValue) const
{
    return Value(section, key).value_or(defaultValue);
}

qint32 TIniFile::ReadInteger(const QString &section, const QString &key, qint32 defaultValue) const
{
    const std::optional<QString> value = Value(section, key);
    return value ? ParseDecimalInt32(*value).value_or(defaultValue) : defaultValue;
}

bool TIniFile::ReadBool(const QString &section, const QString &key, bool defaultValue) const
{
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void TIniFile::WriteString(const QString &section, const QString &key, const QString &value)
{
    const TLocation location = Locate(section, key);
    if (location.keyLine >= 0) {
        const QString &line = FLines[location.keyLine];
        FLines[location.keyLine] = line.left(line.indexOf(u'=') + 1) + value;
    } else if (location.sectionLine >= 0) {
        FLines.insert(location.lastEntryLine + 1, key + u'=' + value);
    } else {
        FLines.append(u'[' + section + u']');
        FLines.append(key + u'=' + value);
    }
}

void TIniFile::WriteInteger(const QString &section, const QString &key, qint32 value)
{
    WriteString(section, key, QString::number(value));
}

void TIniFile::WriteBool(const QString &section, const QString &key, bool value)
{
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool TIniFile::Save() const
{
    QSaveFile file(FFileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    for (const QString &line : FLines)
        file.write(Encoded(line) + "\r\n");
    return file.commit();
}

} // namespace zelto

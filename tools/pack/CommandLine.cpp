#include "CommandLine.h"

#include "Command.h"

#include <QFile>
#include <QSaveFile>

#include <cstdio>

namespace zelto::pack {

TCommandLine::TCommandLine(const QString &command, const QString &usage, const QString &description)
    : m_command(command)
    , m_usage(usage)
{
    m_parser.setApplicationDescription(description);
    m_parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    m_parser.addOption(QCommandLineOption({ QStringLiteral("h"), QStringLiteral("help") },
                                          QStringLiteral("Shows this help.")));
}

void TCommandLine::AddOption(const QString &name, const QString &description, const QString &valueName)
{
    const QStringList names = name.contains(QLatin1Char(','))
        ? name.split(QLatin1Char(','))
        : QStringList { name };
    m_parser.addOption(QCommandLineOption(names, description, valueName));
}

void TCommandLine::AddPositional(const QString &name, const QString &description)
{
    m_parser.addPositionalArgument(name, description);
}

bool TCommandLine::Parse(const QStringList &arguments)
{
    if (!m_parser.parse(QStringList { QStringLiteral("zelto-pack") } + arguments))
        throw TToolError { QStringLiteral("%1: %2 (see zelto-pack %1 --help)").arg(m_command, m_parser.errorText()) };
    if (m_parser.isSet(QStringLiteral("help"))) {
        QString help = m_parser.helpText();
        help.replace(0, help.indexOf(QLatin1Char('\n')),
                     QStringLiteral("Usage: zelto-pack %1 %2").arg(m_command, m_usage));
        PrintOut(help);
        return false;
    }
    return true;
}

QString TCommandLine::Required(const QString &name) const
{
    if (!m_parser.isSet(name) || m_parser.value(name).isEmpty())
        throw TToolError { QStringLiteral("%1: --%2 is required (see zelto-pack %1 --help)").arg(m_command, name) };
    return m_parser.value(name);
}

QStringList TCommandLine::Positionals(int count) const
{
    const QStringList positionals = m_parser.positionalArguments();
    if (positionals.size() != count)
        throw TToolError { QStringLiteral("%1: expected %2 file argument(s), got %3 (see zelto-pack %1 --help)")
                               .arg(m_command).arg(count).arg(positionals.size()) };
    return positionals;
}

QByteArray ReadInputFile(const QString &path, const QString &role)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw TToolError { QStringLiteral("cannot read %1 '%2': %3").arg(role, path, file.errorString()) };
    return file.readAll();
}

void WriteOutputFile(const QString &path, const QByteArray &bytes, bool executable)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw TToolError { QStringLiteral("cannot write '%1': %2").arg(path, file.errorString()), kExitFailure };
    constexpr QFileDevice::Permissions kExecute = QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther;
    if (executable && !QFile::setPermissions(path, QFile::permissions(path) | kExecute))
        throw TToolError { QStringLiteral("cannot make '%1' executable").arg(path), kExitFailure };
}

void PrintOut(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

} // namespace zelto::pack

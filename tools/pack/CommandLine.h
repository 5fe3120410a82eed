#pragma once

#include <QByteArray>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>

// Argument parsing and file access shared by the commands; every failure is a TToolError
// that names the command, the option or the file.
namespace zelto::pack {

class TCommandLine {
public:
    // `command` as typed ("pack", "skin compile"); `usage` follows it in the help's first line.
    TCommandLine(const QString &command, const QString &usage, const QString &description);

    void AddOption(const QString &name, const QString &description, const QString &valueName = {});
    void AddPositional(const QString &name, const QString &description);

    // False when --help was asked for: the help is printed and the command ends with 0.
    bool Parse(const QStringList &arguments);

    bool IsSet(const QString &name) const { return m_parser.isSet(name); }
    QString Value(const QString &name) const { return m_parser.value(name); }
    QString Required(const QString &name) const;
    // Exactly `count` positional arguments.
    QStringList Positionals(int count) const;

private:
    QString m_command;
    QString m_usage;
    QCommandLineParser m_parser;
};

QByteArray ReadInputFile(const QString &path, const QString &role);
// Written whole or not at all; `executable` gives the file the owner's execute right.
void WriteOutputFile(const QString &path, const QByteArray &bytes, bool executable = false);
void PrintOut(const QString &text);

} // namespace zelto::pack

#include "os/DesktopEntry.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <array>

namespace zelto::os {
namespace {

struct TShellFolder {
    const char *Name;
    QStandardPaths::StandardLocation Location;
};

constexpr std::array kShellFolders{
    TShellFolder{"Desktop", QStandardPaths::DesktopLocation},
    TShellFolder{"Personal", QStandardPaths::DocumentsLocation},
    TShellFolder{"My Music", QStandardPaths::MusicLocation},
    TShellFolder{"My Pictures", QStandardPaths::PicturesLocation},
    TShellFolder{"My Video", QStandardPaths::MoviesLocation},
    TShellFolder{"AppData", QStandardPaths::GenericDataLocation},
    TShellFolder{"Programs", QStandardPaths::ApplicationsLocation},
    TShellFolder{"Templates", QStandardPaths::TemplatesLocation},
};

// The escapes of a string value of a desktop entry.
QString EscapedValue(const QString &text)
{
    QString escaped;
    for (QChar c : text) {
        switch (c.unicode()) {
        case u'\\': escaped += QStringLiteral("\\\\"); break;
        case u'\n': escaped += QStringLiteral("\\n"); break;
        case u'\r': escaped += QStringLiteral("\\r"); break;
        case u'\t': escaped += QStringLiteral("\\t"); break;
        default: escaped += c;
        }
    }
    return escaped;
}

// One argument of Exec: always quoted, the four characters that keep a meaning inside the
// quotes escaped, and "%" doubled (field codes).
QString ExecArgument(const QString &argument)
{
    QString quoted = QStringLiteral("\"");
    for (QChar c : argument) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += u'\\';
        quoted += c;
    }
    quoted += u'"';
    return EscapedValue(quoted).replace(QLatin1Char('%'), QStringLiteral("%%"));
}

} // namespace

QString ShellFolderPath(const QString &name)
{
    for (const TShellFolder &folder : kShellFolders)
        if (name.compare(QLatin1String(folder.Name), Qt::CaseInsensitive) == 0)
            return QStandardPaths::writableLocation(folder.Location);
    return QString();
}

QString DesktopEntryText(const QString &target, const QString &title)
{
    const QFileInfo info(target);
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Version=1.0\n"
                          "Name=%1\n"
                          "Comment=%1\n"
                          "Exec=%2\n"
                          "Path=%3\n"
                          "Terminal=false\n")
        .arg(EscapedValue(title), ExecArgument(info.absoluteFilePath()), EscapedValue(info.absolutePath()));
}

QString DesktopEntryPath(const QString &folder, const QString &title)
{
    QString name = title;
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    return folder + QLatin1Char('/') + name + QStringLiteral(".desktop");
}

bool WriteDesktopEntry(const QString &path, const QString &target, const QString &title)
{
    if (!QDir().mkpath(QFileInfo(path).path()))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(DesktopEntryText(target, title).toUtf8());
    if (!file.commit())
        return false;
    return QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther);
}

} // namespace zelto::os

#include "os/Display.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QScreen>

namespace zelto::os {
namespace {

// Code of a mode change the system refused (the display API's "failed").
constexpr int kChangeFailed = -1;

// Modes the kernel's display drivers list for each connected output, e.g. "1920x1080".
QList<QSize> KernelModes()
{
    QList<QSize> modes;
    static const QRegularExpression modeLine(QStringLiteral("^(\\d+)x(\\d+)"));
    const QDir drm(QStringLiteral("/sys/class/drm"));
    for (const QString &output : drm.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile file(drm.filePath(output + QStringLiteral("/modes")));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray &line : file.readAll().split('\n')) {
            const QRegularExpressionMatch match = modeLine.match(QString::fromLatin1(line));
            if (match.hasMatch())
                modes.append(QSize(match.captured(1).toInt(), match.captured(2).toInt()));
        }
    }
    return modes;
}

class SystemDisplay final : public IDisplay {
public:
    int ColourDepth() const override
    {
        const QScreen *screen = QGuiApplication::primaryScreen();
        return screen ? screen->depth() : 0;
    }

    QList<QSize> Modes() const override
    {
        QList<QSize> modes = KernelModes();
        for (const QScreen *screen : QGuiApplication::screens())
            modes.append(screen->geometry().size() * screen->devicePixelRatio());
        return modes;
    }

    // Neither X11 nor Wayland lets a program change the depth of a running display.
    int ChangeColourDepth(int) override { return kChangeFailed; }
};

SystemDisplay g_systemDisplay;
IDisplay *g_display = &g_systemDisplay;

} // namespace

bool IsTrueColour(int bitsPerPixel) { return bitsPerPixel >= 24; }

IDisplay &Display() { return *g_display; }

void SetDisplay(IDisplay *display) { g_display = display ? display : &g_systemDisplay; }

} // namespace zelto::os

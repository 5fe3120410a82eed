#include "app/Trace.h"

#include <QDateTime>
#include <QFile>
#include <QMutex>

#include <cstdio>

namespace zelto {
namespace {

QMutex g_traceMutex;

} // namespace

void Trace(const QString &line)
{
    static const QString target = qEnvironmentVariable("ZELTO_TRACE");
    if (target.isEmpty())
        return;
    const QByteArray text = QDateTime::currentDateTime().toString(Qt::ISODateWithMs).toUtf8()
        + ' ' + line.toUtf8() + '\n';
    QMutexLocker lock(&g_traceMutex);
    if (target == QLatin1String("-")) {
        std::fwrite(text.constData(), 1, text.size(), stderr);
        return;
    }
    QFile file(target);
    if (file.open(QIODevice::Append))
        file.write(text);
}

} // namespace zelto

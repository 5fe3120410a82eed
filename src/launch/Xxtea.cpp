#include "launch/Xxtea.h"

#include "app/Trace.h"
#include "launch/XxteaBlock.h"

#include <QSaveFile>

#include <stdexcept>

namespace zelto {
namespace {

constexpr qsizetype kMarkerSize = sizeof kEnvelopeMarker - 1;

QByteArray EnvironmentKey() { return QByteArray(kEnvironmentKey, sizeof kEnvironmentKey - 1); }

} // namespace

QByteArray XXTEAEncrypt(const QByteArray &data, const QByteArray &key)
{
    if (data.isEmpty())
        return {};
    XxteaWords words = LittleEndianWords(data);
    words.push_back(quint32(data.size()));
    XxteaEncryptWords(words, XxteaKeyFromBytes(key));
    return LittleEndianBytes(words);
}

QByteArray XXTEADecrypt(const QByteArray &data, const QByteArray &key)
{
    if (data.isEmpty())
        return {};
    XxteaWords words = LittleEndianWords(data);
    XxteaDecryptWords(words, XxteaKeyFromBytes(key));
    // The last word must name a length that ends inside the last data word.
    const quint64 capacity = 4 * quint64(words.size());
    const quint64 length = words.back();
    if (words.size() < 2 || length + 7 < capacity || length + 4 > capacity)
        return {};
    return LittleEndianBytes(words).left(qsizetype(length));
}

QByteArray SealEnvelope(const QByteArray &plain)
{
    return QByteArray(kEnvelopeMarker, kMarkerSize) + XXTEAEncrypt(plain, EnvironmentKey());
}

bool OpenEnvelope(const QByteArray &envelope, QByteArray *plain)
{
    if (!envelope.startsWith(QByteArrayView(kEnvelopeMarker, kMarkerSize)))
        return false;
    *plain = XXTEADecrypt(envelope.sliced(kMarkerSize), EnvironmentKey());
    return true;
}

void WriteEncryptedFile(const QString &fileName, const QString &text)
{
    const QByteArray plain = text.toUtf8();
    const QByteArray sealed = SealEnvelope(plain);
    Trace(QStringLiteral("写入文件 ") + fileName);
    Trace(QStringLiteral("原始内容 ") + text);
    Trace(QStringLiteral("UTF8Encode(%1)  %2").arg(QString::number(plain.size()), text));
    Trace(QStringLiteral("Key(%1)   %2").arg(QString::number(EnvironmentKey().size()), QLatin1String(kEnvironmentKey)));
    Trace(QStringLiteral("Encrypt(%1)").arg(sealed.size() - kMarkerSize - 1));
    Trace(QStringLiteral("写入内容 ") + QString::fromLatin1(sealed.toHex()));

    QSaveFile file(fileName);
    // A client folder the launcher may write files in but not create new ones still gets
    // its environment file.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly) || file.write(sealed) != sealed.size() || !file.commit())
        throw std::runtime_error(
            QStringLiteral("cannot write %1: %2").arg(fileName, file.errorString()).toStdString());
}

} // namespace zelto

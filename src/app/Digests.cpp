#include "app/Digests.h"

#include "os/AnsiCodePage.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

#include <openssl/evp.h>

#include <memory>
#include <stdexcept>

namespace zelto {
namespace {

constexpr qint64 kFileChunkSize = 102400;
constexpr qint64 kBeijingOffsetSeconds = 8 * 3600;

class Md5 {
public:
    Md5() : m_context(EVP_MD_CTX_new(), EVP_MD_CTX_free)
    {
        if (!m_context || !EVP_DigestInit_ex(m_context.get(), EVP_md5(), nullptr))
            throw std::runtime_error("MD5 is not available");
    }

    void add(const char *bytes, qsizetype size) { EVP_DigestUpdate(m_context.get(), bytes, size); }

    QByteArray hex()
    {
        unsigned char digest[EVP_MAX_MD_SIZE];
        unsigned int size = 0;
        EVP_DigestFinal_ex(m_context.get(), digest, &size);
        return QByteArray(reinterpret_cast<const char *>(digest), size).toHex();
    }

private:
    std::unique_ptr<EVP_MD_CTX, void (*)(EVP_MD_CTX *)> m_context;
};

QByteArray Md5Hex(const QByteArray &bytes)
{
    Md5 md5;
    md5.add(bytes.constData(), bytes.size());
    return md5.hex();
}

QString Upper(const QByteArray &hex) { return QString::fromLatin1(hex.toUpper()); }
QString Lower(const QByteArray &hex) { return QString::fromLatin1(hex); }

// One item of a comma text that starts with a double quote: up to the matching closing
// quote, "" standing for one quote; an unclosed quote runs to the end.
QString TakeQuotedItem(QStringView text, qsizetype &pos)
{
    QString item;
    for (++pos; pos < text.size(); ++pos) {
        if (text[pos] != u'"') {
            item += text[pos];
        } else if (pos + 1 < text.size() && text[pos + 1] == u'"') {
            item += u'"';
            ++pos;
        } else {
            ++pos;
            break;
        }
    }
    return item;
}

bool IsBlank(QChar c) { return c.unicode() >= 1 && c.unicode() <= 32; }

// Splits a comma text: commas and runs of characters 1 to 32 separate items, quoted items
// may hold either; the text ends at its first NUL.
QStringList SplitCommaText(QStringView text)
{
    if (const qsizetype nul = text.indexOf(QChar(0)); nul >= 0)
        text.truncate(nul);
    QStringList items;
    qsizetype pos = 0;
    auto skipBlanks = [&] {
        while (pos < text.size() && IsBlank(text[pos]))
            ++pos;
    };
    skipBlanks();
    while (pos < text.size()) {
        if (text[pos] == u'"') {
            items << TakeQuotedItem(text, pos);
        } else {
            const qsizetype start = pos;
            while (pos < text.size() && !IsBlank(text[pos]) && text[pos] != u',')
                ++pos;
            items << text.sliced(start, pos - start).toString();
        }
        skipBlanks();
        if (pos < text.size() && text[pos] == u',') {
            ++pos;
            if (pos == text.size())
                items << QString();
            skipBlanks();
        }
    }
    return items;
}

} // namespace

QString StrMD5(const QString &text) { return Upper(Md5Hex(os::ToAnsi(text))); }

QString FileMD5(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(QStringLiteral("cannot open %1: %2").arg(path, file.errorString()).toStdString());
    Md5 md5;
    QByteArray chunk(kFileChunkSize, Qt::Uninitialized);
    for (;;) {
        const qint64 count = file.read(chunk.data(), chunk.size());
        if (count < 0)
            throw std::runtime_error(QStringLiteral("cannot read %1: %2").arg(path, file.errorString()).toStdString());
        if (count == 0)
            break;
        md5.add(chunk.constData(), count);
    }
    return Upper(md5.hex());
}

QString Md5HexLower(const QString &text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        bytes[i] = text[i].unicode() < 128 ? char(text[i].unicode()) : '?';
    return Lower(Md5Hex(bytes));
}

QString Md5AnsiLower(const QString &text) { return Lower(Md5Hex(os::ToAnsi(text))); }

QString Base64Utf8(const QString &text) { return QString::fromLatin1(text.toUtf8().toBase64()); }

QString ParamsToJson(const QString &listText)
{
    QJsonObject object;
    for (const QString &item : SplitCommaText(listText)) {
        const qsizetype equals = item.indexOf(u'=');
        if (equals < 0)
            continue; // carries no name
        const QString name = item.left(equals);
        if (!object.contains(name))
            object.insert(name, item.mid(equals + 1));
    }
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

qint32 UnixTimeStamp(const QDateTime &localTime)
{
    const QDateTime local = localTime.toLocalTime();
    const QTime wholeSeconds(local.time().hour(), local.time().minute(), local.time().second());
    const QDateTime asUtc(local.date(), wholeSeconds, Qt::UTC);
    return static_cast<qint32>(asUtc.toSecsSinceEpoch() - kBeijingOffsetSeconds);
}

} // namespace zelto

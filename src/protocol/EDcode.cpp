#include "protocol/EDcode.h"

#include "app/PasswordCodec.h"
#include "deploy/Deployment.h"
#include "os/AnsiCodePage.h"

#include <QtEndian>

#include <algorithm>

namespace zelto {
namespace {

using MessageBlocks = std::array<quint8, 32>;

TDefaultMessage ReadMessage(const quint8 *bytes)
{
    TDefaultMessage msg;
    msg.Recog = qFromLittleEndian<qint32>(bytes);
    msg.Ident = qFromLittleEndian<quint16>(bytes + 4);
    msg.Param = qFromLittleEndian<quint16>(bytes + 6);
    msg.Tag = qFromLittleEndian<quint16>(bytes + 8);
    msg.Series = qFromLittleEndian<quint16>(bytes + 10);
    return msg;
}

void WriteMessage(const TDefaultMessage &msg, quint8 *bytes)
{
    qToLittleEndian(msg.Recog, bytes);
    qToLittleEndian(msg.Ident, bytes + 4);
    qToLittleEndian(msg.Param, bytes + 6);
    qToLittleEndian(msg.Tag, bytes + 8);
    qToLittleEndian(msg.Series, bytes + 10);
}

} // namespace

void TMessageCoder::SetPassWord(const QByteArray &value)
{
    if (value == FPassWord)
        return;
    FPassWord = value;
    TAESKey128 key {};
    std::copy_n(value.constData(), std::min<qsizetype>(value.size(), key.size()), key.begin());
    FECKey128 = ExpandAESKey128(key);
    FDCKey128 = InverseAESKey128(FECKey128);
}

TDefaultMessage TMessageCoder::DecodeMessage(QByteArrayView value) const
{
    MessageBlocks bytes {};
    WireTextToBytes(value, reinterpret_cast<char *>(bytes.data()), bytes.size());
    // Two blocks, each on its own: no chaining.
    DecryptAESBlock(std::span(bytes).first<16>(), FDCKey128);
    DecryptAESBlock(std::span(bytes).last<16>(), FDCKey128);
    return ReadMessage(bytes.data());
}

QByteArray TMessageCoder::EncodeMessage(const TDefaultMessage &msg) const
{
    MessageBlocks bytes {};
    WriteMessage(msg, bytes.data());
    EncryptAESBlock(std::span(bytes).first<16>(), FECKey128);
    EncryptAESBlock(std::span(bytes).last<16>(), FECKey128);
    return BytesToWireText(QByteArrayView(bytes.data(), bytes.size()));
}

TMessageCoder &DefaultMessageCoder()
{
    static TMessageCoder coder = [] {
        TMessageCoder created;
        created.SetPassWord(os::ToAnsi(deploy::MessageCoderPassword()));
        return created;
    }();
    return coder;
}

TDefaultMessage DecodeMessage(QByteArrayView value) { return DefaultMessageCoder().DecodeMessage(value); }

void ApplyServerKey(const QString &key)
{
    const QString password = DecryptConfigString(key);
    if (!password.isEmpty())
        DefaultMessageCoder().SetPassWord(os::ToAnsi(password));
}

} // namespace zelto

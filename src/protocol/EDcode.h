#pragma once

#include "protocol/Aes128.h"
#include "protocol/WireText.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The login gate's message codec: a 12-byte header padded to two AES-128 blocks, enciphered
// and carried as 44 characters of wire text.
namespace zelto {

#pragma pack(push, 1)
struct TDefaultMessage {
    qint32 Recog = 0;   // result code or object id; its meaning depends on Ident
    quint16 Ident = 0;  // message identifier
    quint16 Param = 0;
    quint16 Tag = 0;
    quint16 Series = 0;

    friend bool operator==(const TDefaultMessage &, const TDefaultMessage &) = default;
};
#pragma pack(pop)
static_assert(sizeof(TDefaultMessage) == 12);

inline constexpr qsizetype kEncodedMessageLength = 44;

class TMessageCoder {
public:
    // Value is 8-bit text; only its first 16 bytes make the key, zero-padded when shorter.
    void SetPassWord(const QByteArray &value);

    // Text shorter than a header decodes as if its missing bytes were zero; decoding never
    // fails, a wrong key just gives a meaningless header.
    TDefaultMessage DecodeMessage(QByteArrayView value) const;

    // What a gate sends: the header, zero bytes up to two blocks, enciphered, as wire text.
    QByteArray EncodeMessage(const TDefaultMessage &msg) const;

    const QByteArray &PassWord() const { return FPassWord; }
    const TAESExpandedKey128 &ECKey128() const { return FECKey128; }
    const TAESExpandedKey128 &DCKey128() const { return FDCKey128; }

private:
    QByteArray FPassWord;
    TAESExpandedKey128 FECKey128 {};
    TAESExpandedKey128 FDCKey128 {};
};

// The process-wide coder, created with the deployment's default password on first use.
TMessageCoder &DefaultMessageCoder();

TDefaultMessage DecodeMessage(QByteArrayView value);

// Gives the default coder the password a server entry's enciphered key holds. A key that
// deciphers to nothing leaves the coder as it was.
void ApplyServerKey(const QString &key);

} // namespace zelto

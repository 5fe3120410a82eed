#pragma once

#include <QString>

#include <optional>

// The enciphered form of a server list: Base64 of the envelope marker followed by the XXTEA
// cipher text, under the environment key, of the document in the ANSI code page.
namespace zelto {

// The deciphered document; nothing when the first 8 decoded bytes are not the marker. A
// damaged cipher text deciphers to empty text.
std::optional<QString> OpenServerListEnvelope(const QString &text);

// The publisher's side. Throws std::runtime_error when the document holds characters the
// ANSI code page cannot carry.
QString SealServerList(const QString &document);

} // namespace zelto

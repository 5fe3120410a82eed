#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QString>

#include <optional>

// The reading rules the catalogue documents share. Keys are looked up by exact,
// case-sensitive name; a missing key never fails a read.
namespace zelto {

// Standard JSON, relaxed to allow a leading byte-order mark and surrounding white space.
// A document is an object: any other text, or another kind of value, gives nothing.
std::optional<QJsonObject> ParseLenientJson(const QString &text);

// A number (rounded to the nearest integer, halves to even), a Boolean (1 or 0) or a string
// holding a decimal integer; anything else, and values outside 32 bits, read as 0.
qint32 ReadInteger(const QJsonValue &value);
qint32 ReadInteger(const QJsonObject &object, const QString &key);

// A string's content or the text form of another scalar (numbers in their shortest form,
// "true"/"false"); missing keys, null, objects and arrays read as empty text.
QString ReadText(const QJsonValue &value);
QString ReadText(const QJsonObject &object, const QString &key);

// Nothing when the key is missing or null. An object read of another kind of value gives an
// empty object (its keys all read as missing); an array read of a non-array gives nothing.
std::optional<QJsonObject> ReadObject(const QJsonObject &object, const QString &key);
std::optional<QJsonArray> ReadArray(const QJsonObject &object, const QString &key);

} // namespace zelto

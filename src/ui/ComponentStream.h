#pragma once

#include "ui/ComponentTree.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The component stream a skin is made of: the signature "TPF0" and one component record
// (the window) holding properties with tagged values and child records. Read into the
// neutral component tree and written back from it.
namespace zelto {

inline constexpr char kComponentStreamSignature[] = "TPF0";

// Limits that keep a hostile stream from exhausting the stack or the memory: the deepest
// nesting of components, lists and collections, and the most components, properties and
// values one stream may hold.
inline constexpr int kMaxComponentNesting = 64;
inline constexpr int kMaxComponentElements = 200000;

struct TComponentStreamRead {
    TComponentNode root;
    QString error;             // empty when the whole stream was read
    qsizetype errorOffset = -1;

    bool Complete() const { return error.isEmpty(); }
};

// On an error the result keeps what was read so far: every component that was begun and
// every property whose value was read whole. Bytes after the root record are ignored.
TComponentStreamRead ReadComponentStream(QByteArrayView stream);

struct TComponentStreamWrite {
    QByteArray bytes;
    QString error;             // names the component and property that cannot be written

    bool Ok() const { return error.isEmpty(); }
};

// The exact inverse of the reader. Refuses what the stream cannot carry (a short text of
// more than 255 bytes, a text outside code page 936 in an 8-bit kind, an integer outside
// its kind, an empty name where an empty name would end a list).
TComponentStreamWrite WriteComponentStream(const TComponentNode &root);

// The smallest of the 8-, 16-, 32- and 64-bit integer kinds that holds the value, the
// kind the stream's own writers choose.
TComponentValue IntegerValue(qint64 integer);

// The stream's 80-bit extended float and the nearest double.
QByteArray ExtendedFromDouble(double value);
double DoubleFromExtended(QByteArrayView tenBytes);

} // namespace zelto

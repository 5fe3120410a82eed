#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// zlib streams (RFC 1950: header, deflate data, Adler-32).
namespace zelto {

struct TInflated {
    QByteArray data;  // all that could be inflated, also when the stream is damaged or cut
    QString error;    // empty when the stream ended properly

    bool Complete() const { return error.isEmpty(); }
};

// Stops with an error once the output would pass outputCap bytes, so a small hostile
// stream cannot inflate into gigabytes.
TInflated InflateZlib(QByteArrayView compressed, qsizetype outputCap);
QByteArray DeflateZlib(QByteArrayView data);

} // namespace zelto

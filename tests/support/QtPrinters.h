#pragma once

#include <QByteArray>
#include <QString>

#include <ostream>

// Readable test failure messages for Qt's text and byte types.
inline void PrintTo(const QString &text, std::ostream *out) { *out << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QByteArray &bytes, std::ostream *out) { *out << "hex " << bytes.toHex().toStdString(); }

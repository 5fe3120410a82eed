#pragma once

#include <QStringList>
#include <QStringView>

#include <optional>

namespace zelto {

// A 32-bit signed integer written in decimal: an optional sign and digits, nothing else (no
// blanks, no hexadecimal). Empty, malformed and out-of-range text give nothing.
std::optional<qint32> ParseDecimalInt32(QStringView text);

// The lines of a text file, ended by LF or CR LF; a last line break ends the last line.
QStringList SplitLines(const QString &text);

} // namespace zelto

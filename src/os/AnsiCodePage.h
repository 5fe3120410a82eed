#pragma once

#include <QByteArray>
#include <QString>

// The system ANSI code page of the launcher's target systems: code page 936. Text fields of
// the configuration record, the settings file, scripts and the login-gate wire are 8-bit
// text in it. A character the code page cannot hold becomes "?" (0x3F), as on Windows.
namespace zelto::os {

QByteArray ToAnsi(const QString &text);
QString FromAnsi(const QByteArray &bytes);

// The longest start of code page 936 text that fits in maxBytes without splitting a
// double-byte character.
QByteArray AnsiPrefix(const QByteArray &ansi, qsizetype maxBytes);

} // namespace zelto::os

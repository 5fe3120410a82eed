#pragma once

#include <QString>

namespace zelto {

// Kinds of status-line report and their colours (0x00BBGGRR): green, red, yellow.
enum class TMessageType { mtNormal, mtError, mtWaringin };

unsigned StatusColour(TMessageType type);

// The main window's status line as the subsystems see it; the controller implements it.
class IStatusLine {
public:
    virtual ~IStatusLine() = default;
    virtual void Print(TMessageType type, const QString &message) = 0;
};

} // namespace zelto

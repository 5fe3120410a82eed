#pragma once

#include <QList>
#include <QSize>

// The display as the launcher sees it: colour depth, the modes it offers, and whether the
// depth can be changed. The launcher reads the installed one; tests install their own.
namespace zelto::os {

class IDisplay {
public:
    virtual ~IDisplay() = default;
    // Bits per pixel of the primary display; 0 when it cannot be read.
    virtual int ColourDepth() const = 0;
    // Every mode the display offers, in the order the system lists them (repeats possible).
    virtual QList<QSize> Modes() const = 0;
    // Applies a new depth for this session only; 0 on success, else the system's code.
    virtual int ChangeColourDepth(int bitsPerPixel) = 0;
};

// A depth of 24 bits (X visuals) or 32 counts as true colour.
bool IsTrueColour(int bitsPerPixel);

IDisplay &Display();
// Installs a display (not owned); nullptr restores the system's.
void SetDisplay(IDisplay *display);

} // namespace zelto::os

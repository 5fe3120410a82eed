#pragma once

#include <QString>

// Drive letters as the relocation step sees them. Linux paths carry no drive letter, so the
// system's table reports none and the launcher never relocates; tests hand in their own.
namespace zelto::os {

class IDriveTable {
public:
    virtual ~IDriveTable() = default;
    // The system directory, e.g. "C:\Windows\system32"; empty when it cannot be read.
    virtual QString SystemDirectory() const = 0;
    // Whether the root, written letter + ":/", is a fixed drive.
    virtual bool IsFixedDrive(const QString &root) const = 0;
};

IDriveTable &SystemDriveTable();

} // namespace zelto::os

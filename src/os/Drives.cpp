#include "os/Drives.h"

namespace zelto::os {
namespace {

class NoDriveLetters final : public IDriveTable {
public:
    QString SystemDirectory() const override { return {}; }
    bool IsFixedDrive(const QString &) const override { return false; }
};

} // namespace

IDriveTable &SystemDriveTable()
{
    static NoDriveLetters table;
    return table;
}

} // namespace zelto::os

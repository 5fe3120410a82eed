#pragma once

#include "os/Display.h"

namespace zelto::testing {

// A display of a chosen depth and modes whose depth cannot be changed; installed for its
// lifetime.
class FakeDisplay final : public os::IDisplay {
public:
    explicit FakeDisplay(int depth = 32, QList<QSize> modes = {}, int changeResult = -1)
        : depth(depth), modes(std::move(modes)), changeResult(changeResult)
    {
        os::SetDisplay(this);
    }
    ~FakeDisplay() override { os::SetDisplay(nullptr); }

    int ColourDepth() const override { return depth; }
    QList<QSize> Modes() const override { return modes; }
    int ChangeColourDepth(int bitsPerPixel) override
    {
        changesAsked.append(bitsPerPixel);
        return changeResult;
    }

    int depth;
    QList<QSize> modes;
    int changeResult;
    QList<int> changesAsked;
};

} // namespace zelto::testing

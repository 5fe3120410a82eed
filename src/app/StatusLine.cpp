#include "app/StatusLine.h"

namespace zelto {

unsigned StatusColour(TMessageType type)
{
    switch (type) {
    case TMessageType::mtNormal: return 0x00FF00;
    case TMessageType::mtError: return 0x0000FF;
    case TMessageType::mtWaringin: return 0x00FFFF;
    }
    return 0x00FF00;
}

} // namespace zelto

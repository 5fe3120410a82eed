#include "ui/ComponentTree.h"

namespace zelto {

const TComponentProperty *TComponentNode::Find(const QString &propertyName) const
{
    for (const TComponentProperty &property : properties) {
        if (property.name == propertyName)
            return &property;
    }
    return nullptr;
}

} // namespace zelto

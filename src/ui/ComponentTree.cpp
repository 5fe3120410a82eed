#include "ui/ComponentTree.h"

namespace zelto {

// Defined here, where TCollectionItem is complete.
bool TComponentValue::operator==(const TComponentValue &other) const = default;

const TComponentProperty *TComponentNode::Find(const QString &propertyName) const
{
    for (const TComponentProperty &property : properties) {
        if (property.name == propertyName)
            return &property;
    }
    return nullptr;
}

} // namespace zelto

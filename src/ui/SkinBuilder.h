#pragma once

#include "ui/ComponentTree.h"

// Builds a window's controls from the component tree of its skin.
namespace zelto {

class TuCustomForm;

struct TSkinReadCounts {
    int controls = 0;           // controls created
    int skippedClasses = 0;     // children of a class no skin may name (and their children)
    int skippedProperties = 0;  // unknown properties, or values of the wrong kind
};

// The root's properties go onto the window (its class name is ignored); every child is
// created by its class name, owned by its parent, and gets its properties in stream order.
TSkinReadCounts ReadComponentTree(TuCustomForm &window, const TComponentNode &root);

} // namespace zelto

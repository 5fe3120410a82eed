#pragma once

#include "ui/ComponentTree.h"

#include <QJsonObject>
#include <QString>

// How inspect shows a skin tree: one line per component, or the whole tree as JSON
// (binary values by their size).
namespace zelto::pack {

int CountComponents(const TComponentNode &node);
QString SkinOutline(const TComponentNode &root);
QJsonObject SkinTreeToJson(const TComponentNode &node);
QString ValueKindName(TValueKind kind);

} // namespace zelto::pack

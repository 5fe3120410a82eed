#pragma once

#include "ui/ComponentTree.h"

#include <QByteArray>
#include <QString>

// Skins as files: text skins, compiled component streams and stored (enciphered) skins.
// Failures are TToolErrors naming the file.
namespace zelto::pack {

TComponentNode ReadSkinTextFile(const QString &path);
// The tree's component stream; `path` names the skin in errors.
QByteArray CompileSkinTree(const TComponentNode &tree, const QString &path);
// A compiled stream (beginning "TPF0") as it is, after checking that it reads whole, or
// a text skin compiled.
QByteArray ComponentStreamOfSkinFile(const QString &path);
// The tree of a compiled stream or of a stored skin as a launcher carries it.
TComponentNode ReadCompiledSkinFile(const QString &path);

} // namespace zelto::pack

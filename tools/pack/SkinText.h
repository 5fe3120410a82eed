#pragma once

#include "ui/ComponentTree.h"

#include <QString>

// The text form of a skin, the layout form files conventionally use:
//
//   object MainForm: TuForm                 (inherited / inline for flags 1 / 4; "[n]" after
//     ClientWidth = 867                      the class gives a child position)
//     Caption = '启动器 '#13#10'x' + 'y'      quoted text, #nnn character codes, '+' joins
//     Color = clBtnFace                      identifier; True, False and nil are keywords
//     Anchors = [akLeft, akTop]              set
//     Items.Strings = ('a' 'b' 3)            list
//     Picture.Data = {0A1B2C}                binary in hexadecimal
//     Picture.Data = file 'bg.png'           binary read from a file next to the skin
//     EmbeddedFiles = <item [0] FileName = 'x' end>   collection; "[n]" is an item's order
//     Ratio = 1.5                            extended float; suffixes: s single, c currency,
//   end                                      d date, r double; INF, -INF, NAN
//
// Values take the smallest kind that holds them: integers 8, 16, 32 or 64 bits; a text
// code page 936 can hold is a short text up to 255 bytes, else a long text; any other
// text is a wide text. Formatting a tree writes that form back, so compiling its output
// gives the same tree again.
namespace zelto::pack {

// Throws TToolError "FILE:LINE:COLUMN: problem". `baseFolder` resolves `file '...'`.
TComponentNode ParseSkinText(const QString &text, const QString &fileName, const QString &baseFolder);
// Throws TToolError when a name or identifier of the tree has no place in the text form.
QString FormatSkinText(const TComponentNode &root);

} // namespace zelto::pack

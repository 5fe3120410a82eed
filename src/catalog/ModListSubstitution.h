#pragma once

#include <QByteArray>
#include <QString>

// The substituted form of a mod list. The publisher replaces each character of the
// substitution table (deploy::SubstitutionTable) by one of its four look-alikes and publishes
// the UTF-8 bytes of that text as if they were code page 936 text, written out as UTF-8 once
// more. The launcher reads the answer as UTF-8, turns it back into code page 936 bytes, reads
// those as UTF-8 and undoes the substitution.
namespace zelto {

// Replaces every code unit listed in the table by its plain character; others stay.
QString UndoSubstitution(const QString &text);

// The launcher's way back from a received substituted text to the plain document text.
QString RecoverSubstitutedModList(const QString &received);

// The publisher's way: the bytes to serve for a plain mod-list document. Characters outside
// ASCII are first written as JSON escapes so that every published character survives the
// launcher's code page round. Throws std::runtime_error when the text is not a JSON object
// or the result would not read back to the same document.
QByteArray PublishSubstitutedModList(const QString &plainDocument);

} // namespace zelto

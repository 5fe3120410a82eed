#pragma once

#include "app/AppendedDataWriter.h"
#include "app/LauncherConfiguration.h"
#include "ui/ComponentTree.h"

#include <QByteArray>
#include <QString>

// Launcher files for the tests of the configuration reader, the skin and zelto-pack.
namespace zelto::testing {

// The start of a PE32 image with its PE header at 256, as the Windows launcher has it: the
// only kind of file whose bytes at 408 are a certificate-table entry.
QByteArray MakePe32Image(qsizetype size = 1024);
// The start of an ELF file, like our Linux launcher.
QByteArray MakeElfImage(qsizetype size = 1024);

// Every text field filled (the title in Chinese), both integers set.
TLauncherConfiguration SampleConfiguration();
// A window with two controls, using common property kinds.
TComponentNode SampleSkinTree();

// image + the appended data of `content`.
QByteArray PackedLauncher(const QByteArray &image, const TAppendedContent &content);
// The packed file signed: `filler` bytes and a certificate table after the trailer.
QByteArray SignedLauncher(QByteArray packedPe32, int filler, qsizetype certificateSize = 1200);

void WriteFile(const QString &path, const QByteArray &bytes);

} // namespace zelto::testing

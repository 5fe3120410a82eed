#include "app/PathHelpers.h"
#include "os/ExecutableVersion.h"
#include "os/VersionInfoBlock.h"
#include "support/PackedLauncherFixture.h"
#include "support/ProgramFiles.h"
#include "support/QtPrinters.h"

#include <QBuffer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace zelto {
namespace {

using testing::ElfWithVersionBlock;
using testing::PeWithVersionBlock;
using testing::VersionBlock;

struct TProgramKind {
    const char *Name;
    QByteArray (*Make)(const QByteArray &block);
};

const TProgramKind kProgramKinds[] = {
    {"Pe32", [](const QByteArray &block) { return PeWithVersionBlock(block); }},
    {"Elf64", [](const QByteArray &block) { return ElfWithVersionBlock(block, true); }},
    {"Elf32", [](const QByteArray &block) { return ElfWithVersionBlock(block, false); }},
};

class VersionResource : public ::testing::TestWithParam<TProgramKind> {
protected:
    QString Write(const QByteArray &bytes)
    {
        const QString path = folder.filePath(QStringLiteral("program.exe"));
        testing::WriteFile(path, bytes);
        return path;
    }
    QTemporaryDir folder;
};

TEST_P(VersionResource, DescriptionAndVersionComeBackUnderTheFirstTranslation)
{
    const QString path = Write(GetParam().Make(VersionBlock(QStringLiteral(u"游戏登陆器"), QStringLiteral("1.0.0.6"))));
    EXPECT_EQ(GetFileDescription(path), QStringLiteral(u"游戏登陆器"));
    EXPECT_EQ(GetFileVersionText(path), QStringLiteral("1.0.0.6"));
}

TEST_P(VersionResource, EveryTruncationGivesTheTextsOrNothing)
{
    const QByteArray whole = GetParam().Make(VersionBlock(QStringLiteral("game Module"), QStringLiteral("2.1")));
    for (qsizetype size = 0; size < whole.size(); size += 7) {
        QBuffer buffer;
        buffer.setData(whole.left(size));
        buffer.open(QIODevice::ReadOnly);
        const QString description = os::VersionInfoString(os::ReadVersionInfoBlock(buffer), QStringLiteral("FileDescription"));
        EXPECT_TRUE(description.isEmpty() || description == QLatin1String("game Module")) << size;
    }
}

TEST_P(VersionResource, ABlockWithoutTranslationHasNoTexts)
{
    QByteArray block = VersionBlock(QStringLiteral("game Module"), QStringLiteral("2.1"));
    const qsizetype translation = block.indexOf(QByteArray::fromRawData(reinterpret_cast<const char *>(u"Translation"), 22));
    ASSERT_GT(translation, 0);
    block[translation] = 'X';
    EXPECT_EQ(GetFileDescription(Write(GetParam().Make(block))), QString());
}

INSTANTIATE_TEST_SUITE_P(Kinds, VersionResource, ::testing::ValuesIn(kProgramKinds),
    [](const ::testing::TestParamInfo<TProgramKind> &info) { return std::string(info.param.Name); });

TEST(VersionResourceFiles, OtherFilesHaveNone)
{
    QTemporaryDir folder;
    for (const QByteArray &content : {QByteArray(), QByteArray("MZ"), testing::MakePe32Image(), testing::MakeElfImage(),
             QByteArray("plain text, no program")}) {
        const QString path = folder.filePath(QStringLiteral("file"));
        testing::WriteFile(path, content);
        EXPECT_EQ(GetFileDescription(path), QString()) << content.left(8).toHex().toStdString();
    }
    EXPECT_EQ(GetFileVersionText(folder.filePath(QStringLiteral("missing"))), QString());
}

TEST(VersionResourceFiles, TheLauncherBuildCarriesItsDescriptionAndVersion)
{
    const QString launcher = QStringLiteral(ZELTO_BIN_DIR "/src/zelto-launcher");
    if (!QFileInfo::exists(launcher))
        GTEST_SKIP() << "this tree builds no launcher yet";
    EXPECT_EQ(GetFileDescription(launcher), QStringLiteral(u"游戏登陆器"));
    EXPECT_EQ(GetFileVersionText(launcher), QStringLiteral(ZELTO_PROJECT_VERSION));
}

} // namespace
} // namespace zelto

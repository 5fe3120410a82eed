#include "app/AppendedData.h"
#include "app/ConfigurationReader.h"
#include "app/Termination.h"
#include "support/PackedLauncherFixture.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

namespace zelto {
namespace {

using testing::MakeElfImage;
using testing::MakePe32Image;
using testing::PackedLauncher;
using testing::SampleConfiguration;
using testing::SignedLauncher;
using testing::WriteFile;

constexpr qsizetype kImageSize = 4096;

TAppendedContent SampleContent(qsizetype length32, qsizetype length64)
{
    TAppendedContent content;
    content.record = SampleConfiguration();
    content.skinStream = QByteArray("stored skin bytes");
    content.package32 = QByteArray(length32, '3');
    content.package64 = QByteArray(length64, '6');
    return content;
}

qint64 SkipOf(const QByteArray &file)
{
    QByteArray copy = file;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return SearchTrailerSkip(buffer);
}

class ConfigurationReader : public ::testing::Test {
protected:
    QString Write(const QString &name, const QByteArray &bytes)
    {
        const QString path = m_folder.filePath(name);
        WriteFile(path, bytes);
        return path;
    }

    QTemporaryDir m_folder;
};

struct LayoutCase {
    const char *name;
    qsizetype length32;
    qsizetype length64;
    int filler; // bytes between trailer and certificate table; -1: not signed
};

TEST_F(ConfigurationReader, FindsTheRecordAndThePackagesInUnsignedAndSignedFiles)
{
    const LayoutCase cases[] = {
        { "unsigned, no packages", 0, 0, -1 },
        { "unsigned, both packages", 1000, 3000, -1 },
        { "unsigned, 64-bit package only", 0, 77, -1 },
        { "signed right after the trailer", 0, 0, 0 },
        { "signed after 87 filler bytes", 0, 0, 87 },
        { "signed after 5 filler bytes, with packages", 10, 20, 5 },
    };
    for (const LayoutCase &c : cases) {
        SCOPED_TRACE(c.name);
        const TAppendedContent content = SampleContent(c.length32, c.length64);
        QByteArray file = PackedLauncher(MakePe32Image(kImageSize), content);
        const qint64 unsignedSize = file.size();
        if (c.filler >= 0)
            file = SignedLauncher(file, c.filler);
        const QString path = Write(QString::fromLatin1(c.name) + QStringLiteral(".exe"), file);

        const TConfigurationRead read = LoadLauncherConfiguration(path);
        ASSERT_TRUE(read.Ok()) << read.Describe().toStdString();
        EXPECT_EQ(read.location.skip, file.size() - unsignedSize);
        EXPECT_EQ(read.location.trailer.FileSize, kImageSize);
        EXPECT_EQ(read.location.trailer.Length32, c.length32);
        EXPECT_EQ(read.location.trailer.Length64, c.length64);
        EXPECT_EQ(file.mid(read.location.Package32Offset(), c.length32), content.package32);
        EXPECT_EQ(file.mid(read.location.Package64Offset(), c.length64), content.package64);

        TLauncherConfiguration expected = content.record;
        expected.nSkinOffset = qint32(kImageSize);
        expected.nSkinSize = qint32(content.skinStream.size());
        EXPECT_EQ(read.record.ToBytes(), expected.ToBytes());
        EXPECT_EQ(ReadTitle(path), QStringLiteral(u"传奇世界"));
        EXPECT_EQ(ReadSkinStream(path), content.skinStream);
    }
    EXPECT_FALSE(ApplicationTerminationRequested());
}

TEST_F(ConfigurationReader, EmptyAndFullLengthTextFieldsReadBack)
{
    TAppendedContent content = SampleContent(0, 0);
    ASSERT_TRUE(content.record.sTitle.SetText(QString()));
    ASSERT_TRUE(content.record.ServerListURL.SetText(QString(255, QLatin1Char('u'))));
    ASSERT_TRUE(content.record.sAppName.SetText(QString(10, QChar(u'传'))));
    const TLauncherConfiguration read = ReadLauncherConfiguration(Write("fields", PackedLauncher(MakeElfImage(), content)));
    EXPECT_EQ(read.sTitle.Text(), QString());
    EXPECT_EQ(read.ServerListURL.Text(), QString(255, QLatin1Char('u')));
    EXPECT_EQ(read.sAppName.Text(), QString(10, QChar(u'传')));
}

TEST_F(ConfigurationReader, DamagedBlockGivesMeaninglessRecordWithoutError)
{
    QByteArray file = PackedLauncher(MakeElfImage(), SampleContent(0, 0));
    const qsizetype block = file.size() - kConfigurationTrailerSize - kConfigurationBlockSize;
    for (qsizetype i = block + 100; i < block + 140; ++i)
        file[i] = char(file[i] ^ 0x5A);
    const TConfigurationRead read = LoadLauncherConfiguration(Write("damaged", file));
    ASSERT_TRUE(read.Ok());
    EXPECT_NE(read.record.ToBytes(), SampleConfiguration().ToBytes());
}

TEST_F(ConfigurationReader, UnreadableFilesRequestTerminationWithoutReadingOutside)
{
    const QByteArray packed = PackedLauncher(MakeElfImage(), SampleContent(0, 0));
    QByteArray hugeLengths = packed;
    qToLittleEndian<qint32>(0x7FFFFFFF, hugeLengths.data() + hugeLengths.size() - 12);
    qToLittleEndian<qint32>(0x7FFFFFFF, hugeLengths.data() + hugeLengths.size() - 8);
    QByteArray pastTheStart = packed;
    qToLittleEndian<qint32>(qint32(pastTheStart.size()), pastTheStart.data() + pastTheStart.size() - 12);
    QByteArray pastTheEnd = packed;
    qToLittleEndian<qint32>(-qint32(kConfigurationBlockSize), pastTheEnd.data() + pastTheEnd.size() - 8);

    struct Case {
        const char *name;
        QByteArray bytes;
        TConfigurationFault fault;
    };
    const Case cases[] = {
        { "empty file", QByteArray(), TConfigurationFault::ShorterThanTrailer },
        { "15 bytes", QByteArray(15, '\x01'), TConfigurationFault::ShorterThanTrailer },
        { "a bare trailer", packed.right(16), TConfigurationFault::BlockOutsideFile },
        { "lengths of 2 GiB each", hugeLengths, TConfigurationFault::BlockOutsideFile },
        { "block before the file's start", pastTheStart, TConfigurationFault::BlockOutsideFile },
        { "block over the file's end", pastTheEnd, TConfigurationFault::BlockOutsideFile },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = Write(QString::fromLatin1(c.name), c.bytes);
        EXPECT_EQ(LoadLauncherConfiguration(path).fault, c.fault);
        EXPECT_EQ(ReadLauncherConfiguration(path).ToBytes(), TLauncherConfiguration().ToBytes());
        EXPECT_TRUE(ApplicationTerminationRequested());
        EXPECT_TRUE(ReadSkinStream(path).isEmpty());
    }
    EXPECT_EQ(LoadLauncherConfiguration(m_folder.filePath("missing")).fault, TConfigurationFault::Unreadable);
}

// A cut file ends in arbitrary bytes taken for a trailer; whatever they say, a block that
// is accepted lies inside the file.
TEST_F(ConfigurationReader, EveryCutOfAPackedFileStaysInsideTheFile)
{
    const QByteArray packed = PackedLauncher(MakePe32Image(), SampleContent(5, 5));
    for (qsizetype size = 0; size <= packed.size(); ++size) {
        QByteArray cut = packed.left(size);
        QBuffer buffer(&cut);
        buffer.open(QIODevice::ReadOnly);
        const TConfigurationRead read = ReadConfigurationFrom(buffer, SearchTrailerSkip(buffer));
        if (read.Ok()) {
            EXPECT_GE(read.location.BlockOffset(), 0) << size;
            EXPECT_LE(read.location.BlockOffset() + kConfigurationBlockSize, size) << size;
        }
        EXPECT_EQ(read.Ok() && size == packed.size(), size == packed.size()) << size;
    }
}

TEST_F(ConfigurationReader, SkinRangeOutsideTheFileGivesAnEmptyStream)
{
    TAppendedContent content = SampleContent(0, 0);
    QByteArray file = PackedLauncher(MakeElfImage(), content);
    QBuffer buffer(&file);
    buffer.open(QIODevice::ReadOnly);
    struct Range {
        qint32 offset;
        qint32 size;
    };
    for (const Range range : { Range { -1, 4 }, Range { 10, -1 }, Range { 0x7FFFFFF0, 0x7FFFFFF0 }, Range { 100, 100000 } }) {
        TLauncherConfiguration record;
        record.nSkinOffset = range.offset;
        record.nSkinSize = range.size;
        EXPECT_TRUE(ReadSkinStreamFrom(buffer, record).isEmpty()) << range.offset << " " << range.size;
    }
}

// Our Linux launcher is an ELF file; at 408 it holds program-header bytes that may look
// like a certificate entry pointing at a planted trailer.
TEST_F(ConfigurationReader, CertificateEntryCountsOnlyInAPe32Image)
{
    const auto plantEntry = [](QByteArray file, qint32 offset, qint32 size) {
        qToLittleEndian<qint32>(offset, file.data() + kCertificateEntryOffset);
        qToLittleEndian<qint32>(size, file.data() + kCertificateEntryOffset + 4);
        return file;
    };
    const QByteArray elfPacked = PackedLauncher(MakeElfImage(), SampleContent(0, 0));
    // Entry claiming the last 200 bytes are a certificate table; 16 bytes before them a
    // fake trailer with the magic value.
    QByteArray elf = plantEntry(elfPacked, qint32(elfPacked.size() - 200), 200);
    qToLittleEndian<qint32>(kConfigurationTrailerFlag, elf.data() + elf.size() - 200 - 4);
    EXPECT_EQ(SkipOf(elf), 0);
    const QString elfPath = Write("elf", elf);
    EXPECT_TRUE(LoadLauncherConfiguration(elfPath).Ok());

    const QByteArray pe = plantEntry(MakePe32Image() + elf.mid(MakePe32Image().size()), qint32(elf.size() - 200), 200);
    EXPECT_EQ(SkipOf(pe), 200) << "the same bytes in a PE32 image are a signature";

    struct Case {
        const char *name;
        qint32 offset;
        qint32 size;
    };
    const QByteArray pePacked = PackedLauncher(MakePe32Image(), SampleContent(0, 0));
    const Case outside[] = {
        { "zero size", 500, 0 },
        { "negative offset", -5, 100 },
        { "table past the end", qint32(pePacked.size() - 10), 100 },
        { "table larger than the file", 1, 0x7FFFFFFF },
    };
    for (const Case &c : outside)
        EXPECT_EQ(SkipOf(plantEntry(pePacked, c.offset, c.size)), 0) << c.name;
}

TEST_F(ConfigurationReader, SkipIsKeptPerFileForTheProcess)
{
    const QByteArray packed = PackedLauncher(MakePe32Image(), SampleContent(0, 0));
    const QString unsignedPath = Write("unsigned.exe", packed);
    const QString signedPath = Write("signed.exe", SignedLauncher(packed, 3, 500));
    QFile unsignedFile(unsignedPath);
    QFile signedFile(signedPath);
    ASSERT_TRUE(unsignedFile.open(QIODevice::ReadOnly) && signedFile.open(QIODevice::ReadOnly));
    EXPECT_EQ(ComputeTrailerSkip(unsignedFile), 0);
    EXPECT_EQ(ComputeTrailerSkip(signedFile), 503);
    unsignedFile.close();

    // Once computed, the skip of a path stays, as the launcher reuses it for its own file.
    WriteFile(unsignedPath, SignedLauncher(packed, 0, 64));
    QFile rewritten(unsignedPath);
    ASSERT_TRUE(rewritten.open(QIODevice::ReadOnly));
    EXPECT_EQ(ComputeTrailerSkip(rewritten), 0);
}

} // namespace
} // namespace zelto

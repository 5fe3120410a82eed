#include "launch/FirstAid.h"

#include "support/LocalState.h"
#include "support/PackedLauncherFixture.h"
#include "support/ProbeClient.h"
#include "support/QtPrinters.h"
#include "support/RecordingNotifier.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QThread>

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

namespace zelto {
namespace {

QByteArray Pattern(qsizetype size, char seed)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = char(seed + i * 31 + (i >> 9));
    return bytes;
}

class CarriedPackage : public ::testing::Test {
protected:
    QString Folder() const { return m_state.Path() + QLatin1Char('/'); }
    QString Launcher() const { return Folder() + QStringLiteral("launcher"); }
    QString Package(bool bo64) const { return Folder() + FirstAidPackageName(bo64); }

    void WriteLauncher(const QByteArray &package32, const QByteArray &package64, QByteArray image = testing::MakeElfImage())
    {
        TAppendedContent content;
        content.record = testing::SampleConfiguration();
        content.package32 = package32;
        content.package64 = package64;
        testing::WriteFile(Launcher(), testing::PackedLauncher(image, content));
    }

    QByteArray Written(bool bo64) const
    {
        QFile file(Package(bo64));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    testing::ScopedLocalState m_state;
};

TEST_F(CarriedPackage, EachBitnessGetsItsOwnPackageOrNone)
{
    const QByteArray package32 = Pattern(1000, 'a');
    const QByteArray package64 = Pattern(3 << 20, 'b'); // more than one copy chunk
    const struct {
        const char *name;
        QByteArray carried32;
        QByteArray carried64;
    } cases[] = {
        { "both", package32, package64 },
        { "32-bit only", package32, {} },
        { "64-bit only", {}, package64 },
        { "none", {}, {} },
    };
    for (const auto &c : cases) {
        WriteLauncher(c.carried32, c.carried64);
        for (const bool bo64 : { false, true }) {
            QFile::remove(Package(bo64));
            const QByteArray &carried = bo64 ? c.carried64 : c.carried32;
            EXPECT_EQ(Put360File(bo64, Launcher()), !carried.isEmpty()) << c.name << " bo64 " << bo64;
            EXPECT_EQ(QFileInfo::exists(Package(bo64)), !carried.isEmpty()) << c.name << " bo64 " << bo64;
            EXPECT_TRUE(Written(bo64) == carried) << c.name << " bo64 " << bo64;
        }
    }
}

TEST_F(CarriedPackage, SignedLauncherSkipsItsCertificateTable)
{
    TAppendedContent content;
    content.record = testing::SampleConfiguration();
    content.package32 = Pattern(500, 'c');
    content.package64 = Pattern(700, 'd');
    testing::WriteFile(Launcher(), testing::SignedLauncher(testing::PackedLauncher(testing::MakePe32Image(), content), 5));
    EXPECT_TRUE(Put360File(false, Launcher()));
    EXPECT_TRUE(Put360File(true, Launcher()));
    EXPECT_EQ(Written(false), content.package32);
    EXPECT_EQ(Written(true), content.package64);
}

TEST_F(CarriedPackage, PackageOutsideTheFileIsNotRead)
{
    const struct {
        const char *name;
        qint32 length32;
        qint32 length64;
        bool written32;
        bool written64;
    } cases[] = {
        { "64-bit package longer than the file", 0, 0x7FFFFFFF, false, false },
        { "32-bit package longer than the file", 0x7FFFFFFF, 10, false, true },
        { "negative 64-bit length", 10, -20, false, false },
    };
    for (const auto &c : cases) {
        QByteArray file = testing::MakeElfImage(4000);
        file += TConfigurationTrailer { 4000, c.length32, c.length64 }.ToBytes();
        testing::WriteFile(Launcher(), file);
        for (const bool bo64 : { false, true }) {
            QFile::remove(Package(bo64));
            const bool written = bo64 ? c.written64 : c.written32;
            EXPECT_EQ(Put360File(bo64, Launcher()), written) << c.name << " bo64 " << bo64;
            EXPECT_EQ(QFileInfo::exists(Package(bo64)), written) << c.name << " bo64 " << bo64;
        }
    }
}

TEST_F(CarriedPackage, UnreadableLauncherThrows)
{
    EXPECT_THROW(Put360File(true, Folder() + QStringLiteral("missing")), std::runtime_error);
}

class FirstAidTool : public ::testing::Test {
protected:
    void SetUp() override { m_state.SetEnvironment("ZELTO_PROBE_OUT", ReportPath().toLocal8Bit()); }

    QString Folder() const { return m_state.Path() + QLatin1Char('/'); }
    QString ReportPath() const { return Folder() + QStringLiteral("report.json"); }

    // The probe as the tool, under `name` in `folder`.
    QString InstallTool(const QString &folder, const QString &name)
    {
        EXPECT_TRUE(QDir().mkpath(folder));
        const QString tool = folder + QLatin1Char('/') + name;
        EXPECT_TRUE(QFile::copy(testing::ProbeProgram(), tool));
        return tool;
    }

    testing::ScopedLocalState m_state;
    testing::RecordingNotifier m_notifier;
};

TEST_F(FirstAidTool, ToolTwoFoldersDownIsStartedInItsFolder)
{
    const QString nested = Folder() + FirstAidFolderName(true) + QStringLiteral("/tool/bin");
    const QString tool = InstallTool(nested, QStringLiteral("superKILLLLER.exe"));
    FindAndStart360(false, Folder()); // the 32-bit folder does not exist
    FindAndStart360(true, Folder());
    const QJsonObject report = testing::WaitForProbeReport(ReportPath());
    EXPECT_EQ(report.value("program").toString(), tool);
    EXPECT_EQ(report.value("arguments").toArray(), QJsonArray({ "/autoapp", "/strict" }));
    EXPECT_EQ(QDir(report.value("workingDirectory").toString()), QDir(nested));
    EXPECT_TRUE(m_notifier.messages.isEmpty());
}

TEST_F(FirstAidTool, FolderWithoutTheToolStartsNothing)
{
    InstallTool(Folder() + QStringLiteral("aid/sub"), QStringLiteral("SuperKiller.exe"));
    EXPECT_FALSE(StartFirstAidTool(Folder() + QStringLiteral("aid")));
    EXPECT_TRUE(m_notifier.messages.isEmpty());
}

TEST_F(FirstAidTool, FailedStartIsShownFromTheWorkerThread)
{
    const QString tool = InstallTool(Folder() + QStringLiteral("aid"), QLatin1String(kFirstAidToolName));
    ASSERT_TRUE(QFile::setPermissions(tool, QFile::ReadOwner | QFile::WriteOwner));
    bool found = false;
    std::unique_ptr<QThread> worker(QThread::create([&] { found = StartFirstAidTool(Folder() + QStringLiteral("aid")); }));
    worker->start();
    while (!worker->wait(10))
        QCoreApplication::processEvents();
    EXPECT_TRUE(found);
    ASSERT_EQ(m_notifier.messages.size(), 1);
    EXPECT_EQ(m_notifier.messages.first().text, QStringLiteral(u"急救箱拉起失败 13"));
    EXPECT_EQ(m_notifier.messages.first().caption, QStringLiteral(u"提示"));
    EXPECT_EQ(m_notifier.messages.first().icon, NoticeIcon::Error);
}

} // namespace
} // namespace zelto

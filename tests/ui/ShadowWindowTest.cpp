#include "LauncherFixture.h"

#include "app/RunningClients.h"

#include <QCoreApplication>
#include <QProcess>

namespace zelto::testing {
namespace {

class ShadowWindow : public LauncherFixture {
protected:
    void SetUp() override { Open(Node(QStringLiteral("TuForm"), QStringLiteral("MainForm"), {}, {})); }
    ~ShadowWindow() override { RunningClients().clear(); }

    static QString EndedProcessId()
    {
        QProcess process;
        process.start(QStringLiteral("true"), {});
        process.waitForFinished();
        return QString::number(process.processId());
    }
};

TEST_F(ShadowWindow, WithoutTaggedPicturesItIsFullyTransparent)
{
    const QImage picture = shadow->Picture();
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), main->size());
    EXPECT_EQ(picture.pixelColor(picture.width() / 2, picture.height() / 2).alpha(), 0);
}

TEST_F(ShadowWindow, EndedClientsAreDroppedAndTheLauncherComesBack)
{
    app->ServerInfo().MaxClient = 2;
    const QString running = QString::number(QCoreApplication::applicationPid());
    RunningClients() = { running, EndedProcessId() };
    shadow->hide();
    shadow->TimerTimer();
    EXPECT_EQ(RunningClients(), QStringList({ running }));
    EXPECT_TRUE(shadow->isVisible());
    EXPECT_TRUE(main->isVisible());
}

TEST_F(ShadowWindow, StaysAwayWhileAsManyClientsRunAsAllowed)
{
    app->ServerInfo().MaxClient = 1;
    const QString running = QString::number(QCoreApplication::applicationPid());
    RunningClients() = { running, EndedProcessId() };
    shadow->hide();
    shadow->TimerTimer();
    EXPECT_EQ(RunningClients(), QStringList({ running }));
    EXPECT_FALSE(shadow->isVisible());
}

} // namespace
} // namespace zelto::testing

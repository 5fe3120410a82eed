#include "os/SingleInstance.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace zelto::os {
namespace {

// Every test gets its own temporary folder: the lock files and sockets live there.
class SingleInstanceTest : public ::testing::Test {
protected:
    SingleInstanceTest()
        : m_savedTmp(qgetenv("TMPDIR"))
    {
        qputenv("TMPDIR", m_dir.path().toUtf8());
    }
    ~SingleInstanceTest() override { qputenv("TMPDIR", m_savedTmp); }

    static bool WaitFor(const bool &flag)
    {
        QElapsedTimer waited;
        waited.start();
        while (!flag && waited.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return flag;
    }

    QTemporaryDir m_dir;
    QByteArray m_savedTmp;
};

TEST_F(SingleInstanceTest, SecondInstanceOfATitleAsksTheFirstToRaise)
{
    SingleInstance first(QStringLiteral(u"_Zelto_LOGIN_龙之谷"));
    EXPECT_FALSE(first.AskRunningInstanceToRaise());
    ASSERT_TRUE(first.Claim());
    bool raised = false;
    QObject::connect(&first, &SingleInstance::RaiseRequested, [&raised] { raised = true; });

    SingleInstance second(QStringLiteral(u"_Zelto_LOGIN_龙之谷"));
    EXPECT_TRUE(second.AskRunningInstanceToRaise());
    EXPECT_TRUE(WaitFor(raised));
    EXPECT_FALSE(second.Claim());

    SingleInstance otherTitle(QStringLiteral("_Zelto_LOGIN_Other"));
    EXPECT_FALSE(otherTitle.AskRunningInstanceToRaise());
    EXPECT_TRUE(otherTitle.Claim());
}

TEST_F(SingleInstanceTest, LockOfADeadProcessAndItsSocketAreTakenOver)
{
    const QString name = QStringLiteral("_Zelto_LOGIN_Crashed");
    const QString server = SingleInstance::ServerNameFor(name);
    QFile lock(QDir(m_dir.path()).filePath(server + QStringLiteral(".lock")));
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    lock.write("999999999\nzelto-launcher\n\n"); // no such process
    lock.close();
    QFile staleSocket(QDir(m_dir.path()).filePath(server));
    ASSERT_TRUE(staleSocket.open(QIODevice::WriteOnly));
    staleSocket.close();

    SingleInstance instance(name);
    EXPECT_FALSE(instance.AskRunningInstanceToRaise());
    EXPECT_TRUE(instance.Claim());
}

TEST_F(SingleInstanceTest, LongOrPathLikeTitlesGetUsableNames)
{
    EXPECT_EQ(SingleInstance::ServerNameFor(QStringLiteral("_Zelto_LOGIN_a/b")), QStringLiteral("_Zelto_LOGIN_a_b"));
    const QString longName = QStringLiteral("_Zelto_LOGIN_") + QString(100, QChar(u'长'));
    const QString server = SingleInstance::ServerNameFor(longName);
    EXPECT_LT(server.toUtf8().size(), 60);
    EXPECT_NE(server, SingleInstance::ServerNameFor(longName + QStringLiteral("2")));
    SingleInstance instance(longName);
    EXPECT_TRUE(instance.Claim());
}

} // namespace
} // namespace zelto::os

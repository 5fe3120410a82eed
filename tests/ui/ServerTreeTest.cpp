#include "LauncherFixture.h"

#include <QCoreApplication>
#include <QElapsedTimer>

namespace zelto::testing {
namespace {

struct ServerSpec {
    const char16_t *group;
    const char16_t *name;
    const char *srvid;
    int state;
};

class ServerTree : public LauncherFixture {
protected:
    void SetUp() override
    {
        Open(Node(QStringLiteral("TuForm"), QStringLiteral("MainForm"), {},
            { Node(QStringLiteral("TuTreeView"), QStringLiteral("Servers"), Bounds(10, 10, 250, 300)),
              Node(QStringLiteral("TuStartBtton"), QStringLiteral("Start"), Bounds(300, 10, 80, 30)) }));
    }

    void Fill(std::initializer_list<ServerSpec> servers)
    {
        TServerList &list = app->ServerInfo().ServerList;
        list.Clear();
        for (const ServerSpec &spec : servers) {
            TServerItem &server = list.Add();
            server.GroupName = QString::fromUtf16(spec.group);
            server.DisplayName = QString::fromUtf16(spec.name);
            server.Srvid = QString::fromLatin1(spec.srvid);
            server.State = spec.state;
            server.Host = QStringLiteral("127.0.0.1");
            server.Port = 7000;
        }
        app->FillServerTree();
    }

    QStringList Texts() const
    {
        QStringList texts;
        for (int i = 0; i < app->TreeView->topLevelItemCount(); ++i) {
            const QTreeWidgetItem *heading = app->TreeView->topLevelItem(i);
            texts << heading->text(0);
            for (int j = 0; j < heading->childCount(); ++j)
                texts << QStringLiteral("  ") + heading->child(j)->text(0);
        }
        return texts;
    }

    QString Selected() const
    {
        const QTreeWidgetItem *node = app->TreeView->SelectedNode();
        return node ? node->text(0) : QString();
    }
};

TEST_F(ServerTree, ShowsGroupsWithTheirServersAndSelectsTheRememberedOne)
{
    g_nSID = 12;
    Fill({ { u"A区", u"一", "11", 2 }, { u"B区", u"二", "21", 1 }, { u"A区", u"三", "12", 4 } });
    EXPECT_EQ(Texts(), QStringList({ QStringLiteral(u"A区"), QStringLiteral(u"  一-畅通"), QStringLiteral(u"  三-维护"),
                           QStringLiteral(u"B区"), QStringLiteral(u"  二-新服") }));
    EXPECT_EQ(Selected(), QStringLiteral(u"三-维护"));
    EXPECT_TRUE(app->AutoConnectPending);
    EXPECT_EQ(app->ServerOfNode(*app->TreeView->SelectedNode())->Srvid, QStringLiteral("12"));
    EXPECT_EQ(app->ServerOfNode(*app->TreeView->topLevelItem(0)), nullptr);
}

TEST_F(ServerTree, FirstServerIsTheDefaultWithoutOrWithoutMatchingRememberedServer)
{
    for (int sid : { 0, 99 }) {
        g_nSID = sid;
        Fill({ { u"A区", u"一", "11", 0 }, { u"A区", u"二", "x", 0 } });
        EXPECT_EQ(Selected(), QStringLiteral(u"一")) << sid;
    }
}

TEST_F(ServerTree, LastOfSeveralMatchingServersIsTheDefault)
{
    g_nSID = 5;
    Fill({ { u"A区", u"一", "5", 0 }, { u"B区", u"二", "5", 0 } });
    EXPECT_EQ(Selected(), QStringLiteral(u"二"));
}

TEST_F(ServerTree, EmptyGroupNamesGiveAHeadingEach)
{
    Fill({ { u"", u"一", "1", 0 }, { u"", u"二", "2", 0 } });
    EXPECT_EQ(Texts(), QStringList({ QString(), QStringLiteral(u"  一"), QString(), QStringLiteral(u"  二") }));
}

TEST_F(ServerTree, EmptyListLeavesTheTreeEmptyAndNothingPending)
{
    Fill({});
    EXPECT_EQ(app->TreeView->topLevelItemCount(), 0);
    EXPECT_FALSE(app->AutoConnectPending);
}

TEST_F(ServerTree, NodesAreColouredByKindAndState)
{
    Fill({ { u"A区", u"一", "1", 0 }, { u"A区", u"二", "2", 0 } });
    app->ServerInfo().ServerList.Items(1).Active = false;
    const QTreeWidgetItem *heading = app->TreeView->topLevelItem(0);
    EXPECT_EQ(app->TreeView->ColourOf(*heading), QColor(255, 255, 0));
    EXPECT_EQ(app->TreeView->ColourOf(*heading->child(0)), QColor(0, 255, 0));
    EXPECT_EQ(app->TreeView->ColourOf(*heading->child(1)), QColor(255, 0, 0));
    // A node whose server is gone is drawn plainly, never from freed memory.
    app->ServerInfo().ServerList.Clear();
    EXPECT_FALSE(app->TreeView->ColourOf(*heading->child(0)).has_value());
}

TEST_F(ServerTree, FillKeepsTheGatedButtonsDisabled)
{
    app->SetButtonsEnabled(true);
    Fill({ { u"A区", u"一", "1", 0 } });
    EXPECT_FALSE(Find<QWidget>("Start")->isEnabled());
}

TEST_F(ServerTree, StartupPassWithLocalServersFillsTheTreeAndAsksToConnect)
{
    int filled = -1;
    QObject::connect(app.get(), &TuClientApp::ServerTreeFilled, [&filled](int servers) { filled = servers; });
    app->FTimer.start();
    QElapsedTimer waited;
    waited.start();
    while (app->FAtCheckVer && waited.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_FALSE(app->FAtCheckVer);
    EXPECT_EQ(filled, 3);
    EXPECT_EQ(Texts().first(), QStringLiteral(u"本地测试"));
    EXPECT_EQ(Selected(), QStringLiteral(u"本地测试(127.0.0.1:7000)"));
    // The shadow window's next tick connects; the gate session is not part of this build.
    EXPECT_TRUE(app->AutoConnectPending);
    shadow->TimerTimer();
    EXPECT_FALSE(app->AutoConnectPending);
}

} // namespace
} // namespace zelto::testing

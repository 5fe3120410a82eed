#include "catalog/uServerList.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>

namespace zelto {
namespace {

TServerItem &AddServer(TServerInfo &info, const QString &group, const QString &name)
{
    TServerItem &server = info.ServerList.Add();
    server.GroupName = group;
    server.DisplayName = name;
    return server;
}

// The grouping as the presentation describes it: once per server, walk the list for the
// first untaken server, take it with every later untaken server of its (non-empty) group.
QStringList ReferenceTreeOrder(const TServerList &servers)
{
    QStringList lines;
    std::vector<bool> taken(std::size_t(servers.Count()), false);
    for (int pass = 0; pass < servers.Count(); ++pass) {
        QString current;
        for (int i = 0; i < servers.Count(); ++i) {
            if (taken[std::size_t(i)])
                continue;
            const TServerItem &server = servers.Items(i);
            if (current.isEmpty()) {
                current = server.GroupName;
                lines << QStringLiteral("# ") + current << server.DisplayName;
                taken[std::size_t(i)] = true;
            } else if (server.GroupName == current) {
                lines << server.DisplayName;
                taken[std::size_t(i)] = true;
            }
        }
    }
    return lines;
}

QStringList Rendered(const QList<TServerTreeLine> &lines)
{
    QStringList rendered;
    for (const TServerTreeLine &line : lines)
        rendered << (line.Server ? line.Server->DisplayName : QStringLiteral("# ") + line.Heading);
    return rendered;
}

TEST(ServerInfoModel, CreateGivesTheDefaults)
{
    const TServerInfo info;
    EXPECT_TRUE(info.ClassicsUI);
    EXPECT_FALSE(info.FullScreen);
    EXPECT_TRUE(info.VBlank);
    EXPECT_TRUE(info.Do3D);
    EXPECT_EQ(info.DisplaySize, TDisplaySize::ds1024);
    EXPECT_FALSE(info.EnabledMini);
    EXPECT_EQ(info.LoginVerKind, TupDownKind::dkHttp);
    EXPECT_FALSE(info.LoginVerZip);
    EXPECT_EQ(info.ClientType, 0);
    EXPECT_TRUE(info.AutoClientType);
    EXPECT_EQ(info.MaxClient, 3);
    EXPECT_EQ(info.AssistantKind, 0);
    EXPECT_TRUE(info.ResFolder().isEmpty());
    EXPECT_EQ(info.ClientFileName, QStringLiteral("Skarvo.exe"));
    EXPECT_TRUE(info.CreateShortCut);
    EXPECT_FALSE(info.IDNameReq);
    EXPECT_TRUE(info.IDShowName);
    EXPECT_EQ(info.FileCount(), 0);
    EXPECT_EQ(info.ServerList.Count(), 0);
    EXPECT_EQ(info.SecurityFiles.Count(), 0);
}

TEST(ServerInfoModel, NewItemsHaveTheirDefaults)
{
    TServerInfo info;
    const TServerItem &server = info.ServerList.Add();
    EXPECT_EQ(server.ImageIndex, -1);
    EXPECT_EQ(server.TuCollectionItem::ImageIndex, 8);
    EXPECT_TRUE(server.Enable);
    EXPECT_TRUE(server.Active);
    EXPECT_EQ(server.Port, 0);
    EXPECT_EQ(server.State, 0);
    const TUpdateItem &update = info.UpdateItems.Add();
    EXPECT_EQ(update.DownKind, TupDownKind::dkHttp);
    EXPECT_EQ(update.DownType, TutDownType::dtSystem);
    EXPECT_FALSE(update.Zip);
    EXPECT_THROW(info.ServerList.Items(1), std::out_of_range);
}

TEST(ServerInfoModel, ClearResetsThePresetsAndKeepsTheRest)
{
    TServerInfo info;
    info.SetResFolder(QStringLiteral("Res\\"));
    info.MaxClient = 7;
    info.LoginVerURL = QStringLiteral("http://self/update.zip");
    info.ModInfoMd5 = QStringLiteral("ABC");
    info.LoginURL = info.PayURL = info.HomeURL = info.ContactURL = QStringLiteral("http://page");
    info.ClassicsUI = info.VBlank = info.Do3D = false;
    info.FullScreen = info.EnabledMini = true;
    info.DisplaySize = TDisplaySize::ds800;
    info.AssistantKind = 2;
    info.UpdateItems.Add();
    AddServer(info, QStringLiteral("A"), QStringLiteral("a1"));

    info.Clear();

    EXPECT_EQ(info.ServerList.Count(), 0);
    EXPECT_EQ(info.FileCount(), 0);
    EXPECT_TRUE(info.LoginURL.isEmpty() && info.PayURL.isEmpty() && info.HomeURL.isEmpty() && info.ContactURL.isEmpty());
    EXPECT_TRUE(info.ClassicsUI && info.VBlank && info.Do3D);
    EXPECT_FALSE(info.FullScreen || info.EnabledMini);
    EXPECT_EQ(info.DisplaySize, TDisplaySize::ds1024);
    EXPECT_EQ(info.AssistantKind, 0);
    EXPECT_EQ(info.ResFolder(), QStringLiteral("Res\\"));
    EXPECT_EQ(info.MaxClient, 7);
    EXPECT_EQ(info.LoginVerURL, QStringLiteral("http://self/update.zip"));
    EXPECT_EQ(info.ModInfoMd5, QStringLiteral("ABC"));
}

TEST(ServerInfoModel, EmptyResourceFolderBecomesTheDefaultFolder)
{
    TServerInfo info;
    info.SetResFolder(QString());
    EXPECT_EQ(info.ResFolder(), QStringLiteral("ZeltoResource\\"));
    info.SetResFolder(QStringLiteral("Other\\"));
    EXPECT_EQ(info.ResFolder(), QStringLiteral("Other\\"));
}

TEST(ServerInfoModel, CountsIncludeDisabledItems)
{
    TServerInfo info;
    for (TutDownType type : {TutDownType::dtSystem, TutDownType::dtBackground, TutDownType::dtBackground,
             TutDownType::dtDownIfNeed}) {
        TUpdateItem &item = info.UpdateItems.Add();
        item.DownType = type;
        item.Enable = false;
    }
    EXPECT_EQ(info.FileCount(), 4);
    EXPECT_EQ(info.SysFileCount(), 1);
    EXPECT_EQ(info.BgFileCount(), 2);
    EXPECT_EQ(info.DownIfNeedFileCount(), 1);
}

TEST(ServerInfoModel, StateTextCoversStatesOneToFourOnly)
{
    const std::pair<int, QString> cases[] = {{0, QString()}, {1, QStringLiteral("-新服")},
        {2, QStringLiteral("-畅通")}, {3, QStringLiteral("-爆满")}, {4, QStringLiteral("-维护")},
        {5, QString()}, {-1, QString()}};
    for (const auto &[state, text] : cases) {
        TServerItem server;
        server.State = state;
        EXPECT_EQ(server.StateText(), text) << "state " << state;
    }
}

TEST(ServerInfoModel, AssignToKeepsTheTargetsIdentityAndState)
{
    TServerItem source;
    source.Name = QStringLiteral("n");
    source.Enable = false;
    source.Port = 7100;
    source.Host = QStringLiteral("h");
    source.ServerName = QStringLiteral("s");
    source.GroupName = QStringLiteral("g");
    source.Key = "key";
    source.DisplayName = QStringLiteral("d");
    source.ImageIndex = 1;
    source.Srvid = QStringLiteral("11");
    source.State = 2;
    source.Active = false;
    source.IP = QStringLiteral("1.2.3.4");
    TServerItem target;
    target.Srvid = QStringLiteral("99");
    target.State = 4;
    target.IP = QStringLiteral("9.9.9.9");

    source.AssignTo(target);

    EXPECT_EQ(target.Name, source.Name);
    EXPECT_FALSE(target.Enable);
    EXPECT_EQ(target.Port, 7100);
    EXPECT_EQ(target.Host, source.Host);
    EXPECT_EQ(target.ServerName, source.ServerName);
    EXPECT_EQ(target.GroupName, source.GroupName);
    EXPECT_EQ(target.Key, source.Key);
    EXPECT_EQ(target.DisplayName, source.DisplayName);
    EXPECT_EQ(target.ImageIndex, 1);
    EXPECT_EQ(target.Srvid, QStringLiteral("99"));
    EXPECT_EQ(target.State, 4);
    EXPECT_TRUE(target.Active);
    EXPECT_EQ(target.IP, QStringLiteral("9.9.9.9"));
}

TEST(ServerInfoModel, AssignToCopiesAllPackageProperties)
{
    TUpdateItem source;
    source.Name = QStringLiteral("n");
    source.Enable = false;
    source.Url = QStringLiteral("u");
    source.Code = QStringLiteral("c");
    source.Zip = true;
    source.FileName = QStringLiteral("f");
    source.Path = QStringLiteral("p");
    source.DownKind = TupDownKind::dkAlbum;
    source.DownType = TutDownType::dtDownIfNeed;
    TUpdateItem target;
    source.AssignTo(target);
    EXPECT_EQ(target.Name, source.Name);
    EXPECT_FALSE(target.Enable);
    EXPECT_EQ(target.Url, source.Url);
    EXPECT_EQ(target.Code, source.Code);
    EXPECT_TRUE(target.Zip);
    EXPECT_EQ(target.FileName, source.FileName);
    EXPECT_EQ(target.Path, source.Path);
    EXPECT_EQ(target.DownKind, TupDownKind::dkAlbum);
    EXPECT_EQ(target.DownType, TutDownType::dtDownIfNeed);
}

TEST(ServerInfoModel, GroupingFollowsFirstAppearanceAndListOrder)
{
    struct Case {
        const char *name;
        QStringList groups; // one server per entry, named s0, s1, ...
        QStringList expected;
    };
    const Case cases[] = {
        {"A B A", {"A", "B", "A"}, {"# A", "s0", "s2", "# B", "s1"}},
        {"two empty names", {"", ""}, {"# ", "s0", "# ", "s1"}},
        {"empty name between", {"A", "", "A"}, {"# A", "s0", "s2", "# ", "s1"}},
        {"empty name first", {"", "A", "A"}, {"# ", "s0", "# A", "s1", "s2"}},
        {"nothing", {}, {}},
    };
    for (const Case &c : cases) {
        TServerInfo info;
        for (int i = 0; i < c.groups.size(); ++i)
            AddServer(info, c.groups[i], QStringLiteral("s%1").arg(i));
        EXPECT_EQ(Rendered(ServerTreeOrder(info.ServerList)), c.expected) << c.name;
    }
}

TEST(ServerInfoModel, GroupingMatchesTheRepeatedWalk)
{
    QRandomGenerator random(4242);
    const QStringList names{QString(), QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("D")};
    for (int round = 0; round < 200; ++round) {
        TServerInfo info;
        const int count = int(random.bounded(12));
        for (int i = 0; i < count; ++i)
            AddServer(info, names[int(random.bounded(names.size()))], QStringLiteral("s%1").arg(i));
        ASSERT_EQ(Rendered(ServerTreeOrder(info.ServerList)), ReferenceTreeOrder(info.ServerList)) << "round " << round;
    }
}

} // namespace
} // namespace zelto

#include "catalog/uServerList.h"

#include "app/TextRules.h"
#include "app/Digests.h"
#include "app/Trace.h"

#include <QHash>


namespace zelto {

void TServerItem::AssignTo(TServerItem &target) const
{
    target.Name = Name;
    target.Enable = Enable;
    target.Port = Port;
    target.Host = Host;
    target.ServerName = ServerName;
    target.GroupName = GroupName;
    target.Key = Key;
    target.DisplayName = DisplayName;
    target.ImageIndex = ImageIndex;
}

QString TServerItem::StateText() const
{
    switch (State) {
    case 1: return QStringLiteral("-新服");
    case 2: return QStringLiteral("-畅通");
    case 3: return QStringLiteral("-爆满");
    case 4: return QStringLiteral("-维护");
    default: return QString();
    }
}

void TUpdateItem::AssignTo(TUpdateItem &target) const
{
    target.Name = Name;
    target.Enable = Enable;
    target.Url = Url;
    target.Code = Code;
    target.Zip = Zip;
    target.FileName = FileName;
    target.Path = Path;
    target.DownKind = DownKind;
    target.DownType = DownType;
}

QList<TServerTreeLine> ServerTreeOrder(const TServerList &servers)
{
    // Equivalent to repeatedly walking the list for the first untaken server's group, in one
    // pass: each group collects its servers where it first appears.
    std::vector<std::vector<const TServerItem *>> groups;
    QHash<QString, std::size_t> groupOfName;
    for (int i = 0; i < servers.Count(); ++i) {
        const TServerItem &server = servers.Items(i);
        if (server.GroupName.isEmpty()) {
            groups.push_back({&server});
            continue;
        }
        auto position = groupOfName.constFind(server.GroupName);
        if (position == groupOfName.cend()) {
            position = groupOfName.insert(server.GroupName, groups.size());
            groups.emplace_back();
        }
        groups[*position].push_back(&server);
    }
    QList<TServerTreeLine> lines;
    lines.reserve(servers.Count() + qsizetype(groups.size()));
    for (const std::vector<const TServerItem *> &group : groups) {
        lines.append({group.front()->GroupName, nullptr});
        for (const TServerItem *server : group)
            lines.append({QString(), server});
    }
    return lines;
}

void TServerInfo::Clear()
{
    UpdateItems.Clear();
    ServerList.Clear();
    LoginURL.clear();
    PayURL.clear();
    HomeURL.clear();
    ContactURL.clear();
    MiniPwd.clear();
    MiniURL.clear();
    ClassicsUI = true;
    FullScreen = false;
    VBlank = true;
    Do3D = true;
    DisplaySize = TDisplaySize::ds1024;
    EnabledMini = false;
    AssistantKind = 0;
}

void TServerInfo::SetResFolder(const QString &folder)
{
    FResFolder = folder.isEmpty() ? QStringLiteral("ZeltoResource\\") : folder;
}

int TServerInfo::CountOf(TutDownType type) const
{
    int count = 0;
    for (int i = 0; i < UpdateItems.Count(); ++i)
        count += UpdateItems.Items(i).DownType == type ? 1 : 0;
    return count;
}

bool TServerInfo::LoadModInfoFromJSONString(const QString &Source, QString &GameType)
{
    ModInfoMd5 = StrMD5(Source);
    const bool loaded = Modinfo.InitModinfo(Source, GameType);
    LoginURL = Modinfo.NoticeUrl();
    PayURL = Modinfo.HomeUrl(); // the mod list carries no payment page
    HomeURL = Modinfo.HomeUrl();
    ContactURL = Modinfo.HelpUrl();
    return loaded;
}

bool TServerInfo::LoadServerListFromJSONString(const QString &Source)
{
    SrvLstMd5 = StrMD5(Source);
    // An empty text leaves the previous groups in the document; they are not listed again.
    if (!Srvlist.InitServerLst(Source))
        return false;
    for (int g = 0; g < Srvlist.Count(); ++g) {
        const TServerGroupItem &group = *Srvlist.GetItem(g);
        for (int e = group.Count() - 1; e >= 0; --e) {
            const TServerItem_JSON &entry = *group.GetItem(e);
            std::optional<qint32> port = ParseDecimalInt32(entry.Fport);
            const std::optional<qint32> state = ParseDecimalInt32(entry.Fstate);
            if (!entry.Fportxy.isEmpty())
                port = ParseDecimalInt32(entry.Fportxy);
            if (!port || !state) {
                Trace(QStringLiteral("[Error] %1-%2 %3-%4").arg(g).arg(e).arg(group.FName, entry.Fsrvname));
                continue;
            }
            TServerItem &server = ServerList.Add();
            server.GroupName = group.FName;
            server.DisplayName = entry.Fsrvname;
            server.Host = entry.Fsrvip;
            server.Port = *port;
            server.Srvid = entry.Fsrvid;
            server.State = *state;
            server.ImageIndex = 1;
        }
    }
    return true;
}

} // namespace zelto

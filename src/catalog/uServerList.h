#pragma once

#include "catalog/uModinfo.h"
#include "catalog/uSrvlist.h"
#include "catalog/uTypes.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The catalogue model: the selectable game servers, the update packages and the client
// settings the operator's documents preset. Exactly one TServerInfo exists, owned by the
// application controller; it lives on the user-interface thread.
namespace zelto {

enum class TupDownKind : quint8 { dkHttp, dkBAIDUNetDisk, dt360NetDisk, dkFtp, dkAlbum };
enum class TutDownType : quint8 { dtSystem, dtBackground, dtDownIfNeed };
enum class TDisplaySize : quint8 { dsNormal, ds1024, ds800 };

// One selectable game server.
class TServerItem : public TuCollectionItem {
public:
    // Copies Name, Enable, Port, Host, ServerName, GroupName, Key, DisplayName and ImageIndex;
    // the target keeps its Active, Srvid, State and IP.
    void AssignTo(TServerItem &target) const;
    // "-新服", "-畅通", "-爆满", "-维护" for states 1 to 4; empty for any other state.
    QString StateText() const;

    QString GroupName;
    QString DisplayName;
    QString ServerName;
    QString Host;
    qint32 Port = 0;
    QByteArray Key;        // enciphered per-server codec password
    qint32 ImageIndex = -1; // the server node's picture; hides the base item's ImageIndex
    bool Active = true;
    QString Srvid;
    qint32 State = 0;      // 1 new, 2 smooth, 3 full, 4 maintenance
    QString IP;
};

class TServerList : public TuCollection<TServerItem> {};

// One update package.
class TUpdateItem : public TuCollectionItem {
public:
    // Copies Name, Enable and the seven package properties.
    void AssignTo(TUpdateItem &target) const;

    QString Url;
    QString Code;
    bool Zip = false;
    QString FileName;
    QString Path;
    TupDownKind DownKind = TupDownKind::dkHttp;
    TutDownType DownType = TutDownType::dtSystem;
};

class TUpdateItems : public TuCollection<TUpdateItem> {};

class TSecurityFile : public TuCollectionItem {
public:
    QString FileName;
    QString Password;
};

class TSecurityFiles : public TuCollection<TSecurityFile> {};

// A line of the server tree: a heading (Server is null) or a server beneath the last heading.
struct TServerTreeLine {
    QString Heading;
    const TServerItem *Server = nullptr;
};

// The grouping for presentation: groups in the order of their first server, servers in list
// order within their group. Servers without a group name do not join: each gets a heading of
// its own with empty text.
QList<TServerTreeLine> ServerTreeOrder(const TServerList &servers);

class TServerInfo {
public:
    TServerInfo() = default;
    TServerInfo(const TServerInfo &) = delete;
    TServerInfo &operator=(const TServerInfo &) = delete;

    // Empties the update items, the servers and the page addresses and restores the display
    // presets; the resource folder, the self-update settings, the client settings, the digests
    // and the documents stay.
    void Clear();

    const QString &ResFolder() const { return FResFolder; }
    void SetResFolder(const QString &folder); // empty stores "ZeltoResource\"

    int FileCount() const { return UpdateItems.Count(); }
    int SysFileCount() const { return CountOf(TutDownType::dtSystem); }
    int BgFileCount() const { return CountOf(TutDownType::dtBackground); }
    int DownIfNeedFileCount() const { return CountOf(TutDownType::dtDownIfNeed); }

    // Sets ModInfoMd5, reads the mod list and copies its pages; the result of the read.
    bool LoadModInfoFromJSONString(const QString &Source, QString &GameType);
    // Sets SrvLstMd5, reads the server list and, when that succeeds, appends its servers to
    // ServerList, each group from its last entry to its first; the result of the read.
    bool LoadServerListFromJSONString(const QString &Source);

    TUpdateItems UpdateItems;
    TServerList ServerList;
    TSecurityFiles SecurityFiles;
    TModinfo Modinfo;
    TSrvlist Srvlist;

    bool ClassicsUI = true;
    bool FullScreen = false;
    bool VBlank = true;
    bool Do3D = true;
    TDisplaySize DisplaySize = TDisplaySize::ds1024;
    bool EnabledMini = false;
    QString LoginVerURL;
    QString LoginVerFile;
    QString LoginVerMD5;
    TupDownKind LoginVerKind = TupDownKind::dkHttp;
    bool LoginVerZip = false;
    quint8 ClientType = 0;
    bool AutoClientType = true;
    quint8 MaxClient = 3;
    quint8 AssistantKind = 0;

    QString ModInfoMd5; // StrMD5 of the last mod-list text
    QString SrvLstMd5;  // StrMD5 of the last server-list text
    QString LoginURL;
    QString PayURL;
    QString HomeURL;
    QString ContactURL;

    // Kept at their defaults; nothing reads them.
    QString MiniURL;
    QString MiniPwd;
    QString ClientFileName = QStringLiteral("Skarvo.exe");
    bool CreateShortCut = true;
    QString SrvListurl;
    bool IDLetterNum = false, IDFirstLetter = false, IDNameReq = false, IDBirthReq = false,
         IDQSReq = false, IDQQReq = false, IDMailReq = false, IDMobileReq = false, IDIDReq = false;
    bool IDShowName = true, IDShowBirth = true, IDShowQS = true, IDShowQQ = true,
         IDShowMail = true, IDShowMobile = true, IDShowID = true;

private:
    int CountOf(TutDownType type) const;

    QString FResFolder;
};

} // namespace zelto

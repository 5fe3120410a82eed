#pragma once

#include <QString>

#include <memory>
#include <vector>

// The server-list document: server groups and their servers with addresses, ports and states.
namespace zelto {

// One server entry as the document gave it, numbers already in decimal text.
struct TServerItem_JSON {
    QString FColor;
    QString Fsrvip;   // the host: "srvip", or the default host "s<mainsrvid>-<srvRoot>"
    QString Fsrvid;
    QString Fsrvname;
    QString Fport;
    QString Fportxy;  // proxy port ("x"); replaces the port when not empty
    QString Fbeta;
    QString Fstate;
    QString Furlsuffix;
    qint32 Fmainsrvid = 0;
    qint32 FTag = 0;
    bool FConnected = false;
};

class TServerGroupItem {
public:
    TServerGroupItem(QString AName, qint32 AHide, qint32 ATag);

    void AddItem(TServerItem_JSON Aitem);
    const TServerItem_JSON *GetItem(int Index) const; // nullptr outside 0 to Count() - 1
    int Count() const { return int(FserverData.size()); }

    QString FName;
    qint32 FTag = 0;
    qint32 FHide = 0; // stored, not consulted

private:
    std::vector<TServerItem_JSON> FserverData;
};

struct TcustomRec {
    qint32 hideCopyright = 0;
};

class TSrvlist {
public:
    // Reads a plain server-list text. Empty text: false, the groups stay. Otherwise the groups
    // are discarded first; text that is not a document gives false and no groups.
    bool InitServerLst(const QString &GameList);

    const TServerGroupItem *GetItem(int Index) const; // nullptr outside the list
    int Count() const { return int(FGroup.size()); }

    QString FresURL;
    QString FsceneURL;
    QString FgmResURL;
    QString FresVer;
    QString Frefer;
    QString FsrvRoot;
    TcustomRec Fcustom;

private:
    std::vector<std::unique_ptr<TServerGroupItem>> FGroup;
};

} // namespace zelto

#pragma once

#include <QString>

// The mod-list document: the operator's game module, its pages, the server-list address, the
// client package address, the kind of game client and whether the server list is enciphered.
namespace zelto {

struct TModDateItem {
    QString id;
    QString name;
    QString logo;
    QString srvlist;
    QString operid;
    QString winURL;
    QString noticeURL;
    QString homeURL;
    QString helpURL;
};

class TModinfo {
public:
    // Reads a mod-list text, plain or in the substituted form. GameType changes only when the
    // document's "gameType" is exactly "Brel25D". False, with nothing changed, for empty text
    // and for text that is not a document in either form; true otherwise, whatever keys it has.
    // Values of keys the document lacks stay as they were.
    bool InitModinfo(const QString &Source, QString &GameType);

    const QString &ServerLstUrl() const { return ModeItemAray.srvlist; }
    const QString &WinUrl() const { return ModeItemAray.winURL; }
    const QString &NoticeUrl() const { return ModeItemAray.noticeURL; }
    const QString &HomeUrl() const { return ModeItemAray.homeURL; }
    const QString &HelpUrl() const { return ModeItemAray.helpURL; }

    QString resURL;
    QString resVer;
    QString refer;
    qint32 urlsuffix = 0;
    qint32 currVersion = 0;
    qint32 reviewVersion = 0;
    TModDateItem ModeItemAray; // element 0 of "modData"
    bool FneedNP = false;
    bool FisEncrypt = false;   // the server list arrives in the envelope
};

} // namespace zelto

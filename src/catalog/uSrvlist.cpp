#include "catalog/uSrvlist.h"

#include "catalog/JsonRead.h"

#include <QHash>
#include <QJsonArray>

namespace zelto {
namespace {

constexpr qint32 kStateNotListed = 5;

// One entry read once: an entry with a tag of 0 under the long keys is read again, wholly,
// through the one-letter keys.
struct TReadEntry {
    qint32 state = 0;
    TServerItem_JSON item;
};

struct TEntryKeys {
    QString tag, srvid, port, state, mainsrvid, srvname, urlsuffix, srvip;
};

const TEntryKeys kLongKeys{QStringLiteral("tag"), QStringLiteral("srvid"), QStringLiteral("port"),
    QStringLiteral("state"), QStringLiteral("mainsrvid"), QStringLiteral("srvname"),
    QStringLiteral("urlsuffix"), QStringLiteral("srvip")};
const TEntryKeys kShortKeys{QStringLiteral("t"), QStringLiteral("d"), QStringLiteral("p"),
    QStringLiteral("s"), QStringLiteral("m"), QStringLiteral("n"), QStringLiteral("u"),
    QStringLiteral("i")};

TReadEntry ReadEntryWith(const QJsonObject &entry, const TEntryKeys &keys, const QString &srvRoot)
{
    TReadEntry read;
    TServerItem_JSON &item = read.item;
    item.FTag = ReadInteger(entry, keys.tag);
    item.Fsrvid = QString::number(ReadInteger(entry, keys.srvid));
    item.Fport = QString::number(ReadInteger(entry, keys.port));
    read.state = ReadInteger(entry, keys.state);
    item.Fstate = QString::number(read.state);
    item.Fmainsrvid = ReadInteger(entry, keys.mainsrvid);
    item.Fsrvname = ReadText(entry, keys.srvname);
    item.Furlsuffix = ReadText(entry, keys.urlsuffix);
    item.Fsrvip = ReadText(entry, keys.srvip);
    if (item.Fsrvip.isEmpty())
        item.Fsrvip = QLatin1Char('s') + QString::number(item.Fmainsrvid) + QLatin1Char('-') + srvRoot;
    return read;
}

TReadEntry ReadEntry(const QJsonObject &entry, const QString &srvRoot)
{
    TReadEntry read = ReadEntryWith(entry, kLongKeys, srvRoot);
    if (read.item.FTag == 0)
        read = ReadEntryWith(entry, kShortKeys, srvRoot);
    read.item.FColor = ReadText(entry, QStringLiteral("name_color"));
    read.item.Fportxy = ReadText(entry, QStringLiteral("x"));
    read.item.Fbeta = ReadText(entry, QStringLiteral("beta"));
    return read;
}

} // namespace

TServerGroupItem::TServerGroupItem(QString AName, qint32 AHide, qint32 ATag)
    : FName(std::move(AName)), FTag(ATag), FHide(AHide)
{
}

void TServerGroupItem::AddItem(TServerItem_JSON Aitem)
{
    FserverData.push_back(std::move(Aitem));
}

const TServerGroupItem *TSrvlist::GetItem(int Index) const
{
    return Index >= 0 && Index < Count() ? FGroup[std::size_t(Index)].get() : nullptr;
}

const TServerItem_JSON *TServerGroupItem::GetItem(int Index) const
{
    return Index >= 0 && Index < Count() ? &FserverData[std::size_t(Index)] : nullptr;
}

bool TSrvlist::InitServerLst(const QString &GameList)
{
    if (GameList.isEmpty())
        return false;
    FGroup.clear();
    const std::optional<QJsonObject> document = ParseLenientJson(GameList);
    if (!document)
        return false;

    FresURL = ReadText(*document, QStringLiteral("resURL"));
    FsceneURL = ReadText(*document, QStringLiteral("sceneURL"));
    FgmResURL = ReadText(*document, QStringLiteral("gmResURL"));
    FresVer = ReadText(*document, QStringLiteral("resVer"));
    Frefer = ReadText(*document, QStringLiteral("refer"));
    FsrvRoot = ReadText(*document, QStringLiteral("srvRoot"));

    if (const std::optional<QJsonArray> groups = ReadArray(*document, QStringLiteral("serverGroup"))) {
        for (const QJsonValue &value : *groups) {
            const QJsonObject group = value.toObject();
            FGroup.push_back(std::make_unique<TServerGroupItem>(ReadText(group, QStringLiteral("name")),
                ReadInteger(group, QStringLiteral("hide")), ReadInteger(group, QStringLiteral("tag"))));
        }
    }

    Fcustom.hideCopyright = 0;
    if (const std::optional<QJsonObject> custom = ReadObject(*document, QStringLiteral("custom")))
        Fcustom.hideCopyright = ReadInteger(*custom, QStringLiteral("hideCopyright"));

    // Every group takes, in document order, the listed entries carrying its tag. Each entry
    // is read once and filed under its tag, so the work grows with entries plus groups.
    if (const std::optional<QJsonArray> entries = ReadArray(*document, QStringLiteral("serverData"))) {
        std::vector<TServerItem_JSON> listed;
        QHash<qint32, QList<std::size_t>> listedByTag;
        for (const QJsonValue &value : *entries) {
            TReadEntry read = ReadEntry(value.toObject(), FsrvRoot);
            if (read.state == kStateNotListed)
                continue;
            listedByTag[read.item.FTag].append(listed.size());
            listed.push_back(std::move(read.item));
        }
        for (const std::unique_ptr<TServerGroupItem> &group : FGroup)
            for (std::size_t index : listedByTag.value(group->FTag))
                group->AddItem(listed[index]);
    }
    return true;
}

} // namespace zelto

#include "catalog/uModinfo.h"

#include "catalog/JsonRead.h"
#include "catalog/ModListSubstitution.h"
#include "launch/GameType.h"

namespace zelto {
namespace {

TModDateItem ReadModDateItem(const QJsonObject &item)
{
    return TModDateItem{
        ReadText(item, QStringLiteral("id")),
        ReadText(item, QStringLiteral("name")),
        ReadText(item, QStringLiteral("logo")),
        ReadText(item, QStringLiteral("srvlist")),
        ReadText(item, QStringLiteral("operid")),
        ReadText(item, QStringLiteral("winURL")),
        ReadText(item, QStringLiteral("noticeURL")),
        ReadText(item, QStringLiteral("homeURL")),
        ReadText(item, QStringLiteral("helpURL")),
    };
}

} // namespace

bool TModinfo::InitModinfo(const QString &Source, QString &GameType)
{
    if (Source.isEmpty())
        return false;
    std::optional<QJsonObject> document = ParseLenientJson(Source);
    if (!document)
        document = ParseLenientJson(RecoverSubstitutedModList(Source));
    if (!document)
        return false;

    resURL = ReadText(*document, QStringLiteral("resURL"));
    resVer = ReadText(*document, QStringLiteral("resVer"));
    refer = ReadText(*document, QStringLiteral("refer"));
    urlsuffix = ReadInteger(*document, QStringLiteral("urlsuffix"));
    currVersion = ReadInteger(*document, QStringLiteral("currVersion"));
    reviewVersion = ReadInteger(*document, QStringLiteral("reviewVersion"));
    if (ReadText(*document, QStringLiteral("gameType")) == QStringView(kQuorra3DGameType))
        GameType = QString::fromUtf16(kQuorra3DGameType);
    if (const std::optional<QJsonObject> custom = ReadObject(*document, QStringLiteral("customData"))) {
        FneedNP = ReadInteger(*custom, QStringLiteral("npOpenStatus")) == 1;
        FisEncrypt = ReadInteger(*custom, QStringLiteral("isEncrypt")) == 1;
    }
    if (const std::optional<QJsonArray> modData = ReadArray(*document, QStringLiteral("modData"));
        modData && !modData->isEmpty())
        ModeItemAray = ReadModDateItem(modData->first().toObject());
    return true;
}

} // namespace zelto

// Arbitrary text as a mod list (plain or substituted), an enciphered server list and a server
// list, loaded into one model and grouped for the tree, as the catalogue pass would.
#include "catalog/ServerListEnvelope.h"
#include "catalog/uServerList.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace zelto;
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    TServerInfo info;
    QString gameType = QStringLiteral("brel");
    info.LoadModInfoFromJSONString(text, gameType);
    if (gameType != QLatin1String("brel") && gameType != QLatin1String("Brel25D"))
        std::abort();
    const QString document = OpenServerListEnvelope(text).value_or(text);
    info.LoadServerListFromJSONString(document);
    const QList<TServerTreeLine> lines = ServerTreeOrder(info.ServerList);
    qsizetype servers = 0;
    for (const TServerTreeLine &line : lines)
        servers += line.Server ? 1 : 0;
    if (servers != info.ServerList.Count())
        std::abort();
    return 0;
}

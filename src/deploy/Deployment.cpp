#include "deploy/Deployment.h"

#include "deploy/DeploySettings.h"

#include <QtGlobal>

namespace zelto::deploy {
namespace {

QString FromEnvironment(const char *name, const char *builtValue)
{
    const QByteArray value = qgetenv(name);
    return value.isEmpty() ? QString::fromUtf8(builtValue) : QString::fromUtf8(value);
}

} // namespace

QString MessageCoderPassword() { return QString::fromUtf16(built::kMessageCoderPassword); }
QString ConfigStringPassword() { return QString::fromUtf16(built::kConfigStringPassword); }
QString SkinPassword() { return QString::fromUtf16(built::kSkinPassword); }
QString TokenKeyAStored() { return QString::fromLatin1(built::kTokenKeyAStored); }
QString TokenKeyBStored() { return QString::fromLatin1(built::kTokenKeyBStored); }
QString PlatformSecret() { return QString::fromLatin1(built::kPlatformSecret); }
bool QQLoginOffered() { return built::kQQLoginOffered; }
bool WeChatLoginOffered() { return built::kWeChatLoginOffered; }

QString PlatformBase() { return FromEnvironment("ZELTO_PLATFORM_BASE", built::kPlatformBase); }
QString ExtraParam() { return FromEnvironment("ZELTO_EXTRA_PARAM", built::kExtraParam); }
QString NetdiskHost() { return FromEnvironment("ZELTO_NETDISK_HOST", built::kNetdiskHost); }
QString AlbumBase() { return FromEnvironment("ZELTO_ALBUM_BASE", built::kAlbumBase); }

int GatewaySpacingMs()
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue("ZELTO_GATEWAY_SPACING_MS", &ok);
    return ok && value >= 0 ? value : built::kGatewaySpacingMs;
}

std::span<const SubstitutionRow> SubstitutionTable()
{
    static const auto rows = [] {
        std::array<SubstitutionRow, std::size(built::kSubstitutionTable)> table{};
        for (std::size_t i = 0; i < table.size(); ++i) {
            const char16_t *row = built::kSubstitutionTable[i];
            table[i] = {row[0], {row[1], row[2], row[3], row[4]}};
        }
        return table;
    }();
    return rows;
}

int HttpTimeoutMs() { return built::kHttpTimeoutMs; }
int GateConnectDeadlineMs() { return built::kGateConnectDeadlineMs; }

} // namespace zelto::deploy

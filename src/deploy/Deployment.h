#pragma once

#include <QString>

#include <array>
#include <span>

// The deployment's settings as the rest of the system reads them. The addresses and the
// gateway spacing may be overridden at run time by environment variables (staging
// deployments, the demo and the tests); the secrets are build settings only.
namespace zelto::deploy {

QString MessageCoderPassword();
QString ConfigStringPassword();
QString SkinPassword();
QString TokenKeyAStored();
QString TokenKeyBStored();
QString PlatformSecret();  // signs the account platform's requests

// Third-party logins this build offers (the skin's QQ and WeChat buttons).
bool QQLoginOffered();
bool WeChatLoginOffered();

QString PlatformBase();   // ZELTO_PLATFORM_BASE
QString ExtraParam();     // ZELTO_EXTRA_PARAM
QString NetdiskHost();    // ZELTO_NETDISK_HOST
QString AlbumBase();      // ZELTO_ALBUM_BASE
int GatewaySpacingMs();   // ZELTO_GATEWAY_SPACING_MS

int HttpTimeoutMs();
int GateConnectDeadlineMs();

// One row of the mod-list character substitution: a plain ASCII character and the four
// UTF-16 code units that stand for it in the substituted form.
struct SubstitutionRow {
    char16_t Plain;
    std::array<char16_t, 4> Substitutes;
};
std::span<const SubstitutionRow> SubstitutionTable(); // 43 rows, 172 distinct substitutes

} // namespace zelto::deploy

// Arbitrary bytes as password-codec cipher text (both key paths, stream and text forms), and
// as a plaintext that must survive a round trip.
#include "app/PasswordCodec.h"

#include <cstdint>
#include <cstdlib>

namespace {

const QString kRawKeyPassword = QStringLiteral("abcdefghijklmnopqrstuvwxyz01");
const QString kDigestKeyPassword = QStringLiteral("C5E2A8D3-9F6B-47E0-B2C9-D1A6E83F5074");

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace zelto;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    for (const QString &password : {kRawKeyPassword, kDigestKeyPassword}) {
        const QByteArray plain = DecryptStreamWithPassword(bytes, password);
        if (plain.size() != (bytes.size() > 8 ? bytes.size() - 8 : 0))
            std::abort();
        if (DecryptStreamWithPassword(EncryptStreamWithPassword(bytes, password), password) != bytes)
            std::abort();
    }
    DecryptTextWithPassword(QString::fromLatin1(bytes), kDigestKeyPassword);
    DecryptLaunchArgument(QString::fromLatin1(bytes));
    return 0;
}

#include "app/ConfigurationBlock.h"

#include "app/PasswordCodec.h"

namespace zelto {
namespace {

QString Password1() { return QString::fromUtf16(kConfigurationPassword1); }
QString Password2() { return QString::fromUtf16(kConfigurationPassword2); }

} // namespace

QByteArray EncipherConfigurationBlock(const TLauncherConfiguration &record)
{
    return EncryptStreamWithPassword(EncryptStreamWithPassword(record.ToBytes(), Password2()), Password1());
}

std::optional<TLauncherConfiguration> DecipherConfigurationBlock(const QByteArray &block)
{
    const QByteArray plain = DecryptStreamWithPassword(DecryptStreamWithPassword(block, Password1()), Password2());
    if (plain.size() < TLauncherConfiguration::kSize)
        return std::nullopt;
    return TLauncherConfiguration::FromBytes(plain);
}

} // namespace zelto

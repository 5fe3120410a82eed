#pragma once

#include "app/LauncherConfiguration.h"

#include <QByteArray>

#include <optional>

// The configuration block: the record enciphered with configuration password 2, and the
// result enciphered again with configuration password 1 (each pass adds an 8-byte vector).
namespace zelto {

inline constexpr char16_t kConfigurationPassword1[] = u"A1D7E9F2-63B4-4C8A-9E15-7F20C4D6B318"; // outer
inline constexpr char16_t kConfigurationPassword2[] = u"C5E2A8D3-9F6B-47E0-B2C9-D1A6E83F5074"; // inner

QByteArray EncipherConfigurationBlock(const TLauncherConfiguration &record);
// Any block that deciphers to at least 2332 bytes gives a record: a damaged block gives
// meaningless bytes, not an error. Nothing when fewer bytes come out.
std::optional<TLauncherConfiguration> DecipherConfigurationBlock(const QByteArray &block);

} // namespace zelto

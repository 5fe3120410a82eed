#pragma once

#include "app/LauncherConfiguration.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>

// CONFIG.json: one JSON object whose keys are the record's field names. Missing fields are
// empty (texts) or 0 (integers); nSkinOffset and nSkinSize may be present, as in the output
// of inspect, but the packing tool sets them.
namespace zelto::pack {

// Throws TToolError naming the file and the field: unknown keys, values of the wrong type,
// integers outside 32 bits, texts that do not fit their field in code page 936.
TLauncherConfiguration ConfigurationFromJson(const QByteArray &json, const QString &fileName);
QJsonObject ConfigurationToJson(const TLauncherConfiguration &record);

} // namespace zelto::pack

// Arbitrary bytes as the game client's environment file and as its launch argument, read
// with the decoders zelto-pack and zelto-probe share.
#include "launch/LaunchInspection.h"
#include "launch/Xxtea.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace zelto;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));

    DecodeEnvironmentFile(bytes);
    // The input as the text inside a well-formed envelope: only the JSON reading is left.
    DecodeEnvironmentFile(SealEnvelope(bytes));

    const TLaunchArgumentRead launch = DecodeLaunchArgument(QString::fromLatin1(bytes));
    if (launch.Ok() && !launch.record)
        std::abort();
    if (launch.record)
        LaunchRecordToJson(*launch.record);
    return 0;
}

#include "ui/SkinStream.h"

#include "app/PasswordCodec.h"
#include "deploy/Deployment.h"

namespace zelto {

TInflated UnpackSkinStream(const QByteArray &stored)
{
    return InflateZlib(DecryptStreamWithPassword(stored, deploy::SkinPassword()), kMaxSkinComponentStreamSize);
}

TComponentStreamRead DecodeSkinStream(const QByteArray &stored)
{
    const TInflated inflated = UnpackSkinStream(stored);
    TComponentStreamRead read = ReadComponentStream(inflated.data);
    // A cut stream usually also fails the reader; say why the bytes ran out.
    if (!inflated.Complete() && !read.Complete())
        read.error = QStringLiteral("%1 (skin: %2)").arg(read.error, inflated.error);
    return read;
}

QByteArray PackSkinStream(const QByteArray &componentStream)
{
    return EncryptStreamWithPassword(DeflateZlib(componentStream), deploy::SkinPassword());
}

TComponentStreamWrite EncodeSkinStream(const TComponentNode &root)
{
    TComponentStreamWrite write = WriteComponentStream(root);
    if (!write.Ok())
        return write;
    if (write.bytes.size() > kMaxSkinComponentStreamSize) {
        write.error = QStringLiteral("the component stream is %1 bytes; the launcher reads at most %2")
                          .arg(write.bytes.size()).arg(kMaxSkinComponentStreamSize);
        write.bytes.clear();
        return write;
    }
    write.bytes = PackSkinStream(write.bytes);
    return write;
}

} // namespace zelto

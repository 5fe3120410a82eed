#include "protocol/GateFrames.h"

namespace zelto {

QByteArrayView ExtractFrame(QByteArrayView source, QByteArrayView &frame)
{
    frame = {};
    if (source.isEmpty())
        return {};
    const qsizetype start = source.indexOf(kFrameStart);
    if (source.size() < 2 || start < 0)
        return start < 0 ? QByteArrayView() : source.sliced(start);
    const QByteArrayView rest = source.sliced(start + 1);
    const qsizetype end = rest.indexOf(kFrameEnd);
    if (end < 0)
        return source.sliced(start); // the "#" and what follows wait for the rest of the frame
    frame = rest.first(end);
    return rest.sliced(end + 1);
}

QByteArray LauncherFrame(char digit, QByteArrayView payload)
{
    QByteArray frame;
    frame.reserve(payload.size() + 3);
    frame.append(kFrameStart).append(digit).append(payload).append(kFrameEnd);
    return frame;
}

std::optional<QByteArray> TGateReceiveBuffer::TakeFrame()
{
    while (FBufferStr.size() >= 2 && FBufferStr.contains(kFrameEnd)) {
        QByteArrayView frame;
        const qsizetype rest = ExtractFrame(FBufferStr, frame).size();
        QByteArray taken = frame.toByteArray();
        FBufferStr.remove(0, FBufferStr.size() - rest);
        if (!taken.isEmpty())
            return taken;
    }
    if (FBufferStr.size() > kMaxBufferedBytes)
        FBufferStr.clear();
    return std::nullopt;
}

} // namespace zelto

#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

// The login gate's framing: text between "#" and "!", no length prefix. The launcher's frames
// carry a counter digit after the "#"; the gate's frames do not.
namespace zelto {

inline constexpr char kFrameStart = '#';
inline constexpr char kFrameEnd = '!';

// Takes the first frame out of source and returns the remainder, always the tail of source.
// Text before the first "#" is dropped; a frame without its "!" stays in the remainder (with
// its "#") and frame is left empty; source without any "#" leaves nothing.
QByteArrayView ExtractFrame(QByteArrayView source, QByteArrayView &frame);

// The counter digit of the launcher's frames: 0 for the first frame of the run, then 1 to 9
// over and over. Reconnecting does not restart it.
class TFrameCounter {
public:
    char Digit() const { return char('0' + FCode); }
    void Advance() { FCode = FCode >= 9 ? 1 : FCode + 1; }

private:
    quint8 FCode = 0;
};

// "#", the digit, the payload, "!".
QByteArray LauncherFrame(char digit, QByteArrayView payload);

// Received text not yet taken apart into frames. A gate that never ends its frame cannot make
// it grow without bound: once more than kMaxBufferedBytes wait without a complete frame, they
// are dropped, and the frame stream picks up again at the next "#".
class TGateReceiveBuffer {
public:
    static constexpr qsizetype kMaxBufferedBytes = 64 * 1024;

    void Append(QByteArrayView text) { FBufferStr.append(text); }
    // The next non-empty complete frame, or nothing when none is complete yet.
    std::optional<QByteArray> TakeFrame();
    const QByteArray &Text() const { return FBufferStr; }
    void Clear() { FBufferStr.clear(); }

private:
    QByteArray FBufferStr;
};

} // namespace zelto

#pragma once

#include <QtGlobal>

namespace zelto::os {

// Tells a connection the peer reset apart from one it closed in order. Qt reports both as
// "remote host closed"; the kernel's TCP state does not: a reset leaves the connection closed,
// an orderly close leaves it waiting for our own close. The probe keeps its own handle on the
// connection so that the state can still be read after Qt has let go of its descriptor; the
// connection therefore ends only when the probe is released as well.
class TTcpConnectionProbe {
public:
    TTcpConnectionProbe() = default;
    ~TTcpConnectionProbe() { Release(); }
    TTcpConnectionProbe(const TTcpConnectionProbe &) = delete;
    TTcpConnectionProbe &operator=(const TTcpConnectionProbe &) = delete;

    // Starts watching the connected socket with this descriptor (releases any earlier one).
    void Watch(qintptr descriptor);
    void Release();
    // True when the watched connection was reset by the peer; false when none is watched.
    bool ResetByPeer() const;

private:
    int m_handle = -1;
};

} // namespace zelto::os

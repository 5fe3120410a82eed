#include "os/TcpConnectionProbe.h"

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

namespace zelto::os {

void TTcpConnectionProbe::Watch(qintptr descriptor)
{
    Release();
    if (descriptor >= 0)
        m_handle = ::dup(int(descriptor));
}

void TTcpConnectionProbe::Release()
{
    if (m_handle >= 0)
        ::close(m_handle);
    m_handle = -1;
}

bool TTcpConnectionProbe::ResetByPeer() const
{
    if (m_handle < 0)
        return false;
    tcp_info info {};
    socklen_t size = sizeof info;
    if (::getsockopt(m_handle, IPPROTO_TCP, TCP_INFO, &info, &size) != 0)
        return false;
    // An orderly close from the peer leaves CLOSE_WAIT; a reset drops straight to CLOSE.
    return info.tcpi_state == TCP_CLOSE;
}

} // namespace zelto::os

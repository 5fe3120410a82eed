#pragma once

#include <QString>

#include <memory>
#include <vector>

// Where a server's login gate is: the addresses resolved so far, the resolver and the test
// for dotted IPv4 text.
namespace zelto {

// One host of the server list and the address it resolved to.
struct TServerConnectInfo {
    QString FDomain;          // the host text as the server list gives it
    QString FIP;              // dotted IPv4 address; empty until resolved
    int FPort = 0;            // the port of the server that created the entry
    bool FConnect = false;    // resolved
    quint32 FLastConnect = 0; // tick count of the resolution
};

// The address cache: each host is resolved once per run, and again only while its address
// is empty. Entries are never removed.
class TServerConnectList {
public:
    // The first entry whose domain or address equals address exactly; nullptr when none.
    TServerConnectInfo *GetServer(const QString &address);
    TServerConnectInfo &AddDomain(const QString &domain);
    int Count() const { return int(m_entries.size()); }

private:
    std::vector<std::unique_ptr<TServerConnectInfo>> m_entries;
};

// The dotted text of the host's last IPv4 address, or empty text when it does not resolve
// within deadlineMs. Dotted text is its own answer. The thread's events go on meanwhile,
// except user input, so the window keeps painting.
QString ResolveHostAddress(const QString &host, int deadlineMs);

// True when dotted IPv4 text appears anywhere in text.
bool IsIPv4Address(const QString &text);

} // namespace zelto

#pragma once

#include <QString>

// Windows Firewall registration of an authorised application. The rule's shape is what a
// Windows build hands to the firewall manager; on Linux there is no per-program firewall
// to tell, so the registration does nothing. Every failure inside is swallowed.
namespace zelto::os {

struct FirewallRule {
    QString name;
    QString imagePath;
    int scope = 0;      // all addresses
    int ipVersion = 2;  // any
    bool enabled = true;
};

void AuthorizeApplication(const FirewallRule &rule);

} // namespace zelto::os

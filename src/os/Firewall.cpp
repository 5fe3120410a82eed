#include "os/Firewall.h"

namespace zelto::os {

void AuthorizeApplication(const FirewallRule &) {}

} // namespace zelto::os

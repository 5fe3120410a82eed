#pragma once

#include <QString>

// QQ and WeChat login: the platform hands out a login address, the browser opens it, and the
// launcher asks every three seconds, for at most a minute, whether the login has completed.
namespace zelto {

class TPhoneServices;
class TPlatformClient;
class TuClientApp;

inline constexpr int kThirdLoginWeChat = 1;
inline constexpr int kThirdLoginQQ = 2;

class TThirdPartyLoginFlow {
public:
    TThirdPartyLoginFlow(TPlatformClient &client, TPhoneServices &services, TuClientApp &app)
        : FClient(client), FServices(services), FApp(app) {}

    // Asks for the login address of a kind (kThirdLoginWeChat, kThirdLoginQQ) and, when the
    // answer has one, opens it and starts polling.
    void LoginQueryQQandWXUrl(int nType);
    // One poll. A result ends the polling: it starts the game, or opens the real-name
    // binding for an account without verification.
    void LoginQueryQQandWXQuery();

private:
    TPlatformClient &FClient;
    TPhoneServices &FServices;
    TuClientApp &FApp;
    bool FQueryRunning = false; // a slow answer must not let the next poll in
};

} // namespace zelto

#pragma once

#include <QString>

// The account login: the start button's login part, the login request and what its answer
// does to the session: the game is started at once with the first sub-account, or the
// player chooses a sub-account first.
namespace zelto {

class TPlatformClient;
class TSecLoginFlow;
class TuClientApp;

// "Start the game" of the login flows: the session's user id goes on to the game start. An
// answer that gave no user id is reported instead, since starting then would only send the
// login again.
void StartGameWithUserId(TuClientApp &app);

class TLoginFlow {
public:
    TLoginFlow(TPlatformClient &client, TSecLoginFlow &secLogin, TuClientApp &app)
        : FClient(client), FSecLogin(secLogin), FApp(app) {}

    // The start button while no one is logged in: the account and password boxes become the
    // remembered account and the session's password, and the login is sent. True when the
    // press ends here (the login starts the game itself once it holds a user id); false when
    // a player is logged in and the game start goes on.
    bool LoginBeforeStart();

    void LoginParam(const QString &Account, const QString &Password);
    // Applies the login answer's "data" text.
    void LoginParamReturn(const QString &Account, const QString &st);

private:
    TPlatformClient &FClient;
    TSecLoginFlow &FSecLogin;
    TuClientApp &FApp;
};

} // namespace zelto

#pragma once

#include <QString>

// What the account platform has told the launcher during this run: the login's user ids and
// tokens, the chosen sub-account, the real-name details and the last phone code's results.
// One session exists per launcher; it lives on the user-interface thread. A non-empty
// `user_id` means a player is logged in and the next press of start launches the game.
namespace zelto {

struct TPlatformSession {
    TPlatformSession();

    QString account;            // login account; the answer's "ext"."username" when given
    QString password;           // password box text at the last press of start
    QString user_id;            // logged in when not empty; the sub-account login replaces it
    QString original_user_id;
    QString userid;             // copy of user_id at login; survives the clearing of user_id
    QString token;              // the login's, then the sub-account login's token
    QString ext_token;          // copy of token at login
    QString user_token;
    QString login_credential;
    QString credential_account; // the account login_credential belongs to
    QString small_id;           // chosen sub-account
    QString small_user_name;
    QString extra_param;        // initially the deployment's platform address (deploy::ExtraParam)
    QString user_birthday;
    QString user_certification; // initially "0"
    QString uid;
    QString code_type;          // from the last phone code
    QString sessionid;          // from the last phone code
    QString phone_token;        // "token" of the last phone code
    QString query_key;          // of the running QQ / WeChat login

    bool LoggedIn() const { return !user_id.isEmpty(); }
    // Back to the values of a fresh run.
    void Reset() { *this = TPlatformSession(); }
};

// The launcher's one session.
TPlatformSession &PlatformSession();

} // namespace zelto

#pragma once

#include "app/Notifier.h"
#include "protocol/EDcode.h"

#include <QString>

#include <optional>

// The login gate's answers to the classic account requests: what the player is told and
// what happens to the dialog that asked.
namespace zelto {

enum TGateIdent : quint16 {
    MsgNewAccountOk = 504,
    MsgNewAccountFail = 505,
    MsgChangePasswordOk = 506,
    MsgChangePasswordFail = 507,
    MsgGetBackPasswordOk = 508,
    MsgGetBackPasswordFail = 509,
};

enum class TAccountDialog { NewAccount, ChangePwd, GetBackPwd };
enum class TDialogEffect { Close, EnableConfirm };

struct TGateReply {
    TAccountDialog Dialog;
    TDialogEffect Effect;
    bool EffectFirst; // the dialog changes before the message box rather than after it
    QString Text;
    NoticeIcon Icon;
};

// The caption of every message box the gate's answers show.
extern const QString kGateReplyCaption;

// The answer to a message; nothing for an identifier the launcher does not act on.
// newAccount is the account name the "already taken" answer quotes.
std::optional<TGateReply> GateReplyFor(const TDefaultMessage &msg, const QString &newAccount);

} // namespace zelto

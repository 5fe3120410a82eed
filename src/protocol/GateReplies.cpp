#include "protocol/GateReplies.h"

namespace zelto {

const QString kGateReplyCaption = QStringLiteral(u"提示信息");

namespace {

QString NewAccountFailText(qint32 recog, const QString &newAccount)
{
    switch (recog) {
    case -2: return QStringLiteral(u"此帐号名被禁止使用！");
    case 0:
        return QStringLiteral(u"帐号 \"") + newAccount + QStringLiteral(u"\" 已被其他的玩家使用了。")
            + QStringLiteral(u"\r") + QStringLiteral(u"请选择其它帐号名注册。");
    case 1: return QStringLiteral(u"验证码输入错误，请重新输入！！！");
    default: return QStringLiteral(u"帐号创建失败，请确认帐号是否包括空格、及非法字符！Code: ") + QString::number(recog);
    }
}

QString ChangePasswordFailText(qint32 recog)
{
    switch (recog) {
    case -2: return QStringLiteral(u"此帐号被锁定！");
    case -1: return QStringLiteral(u"输入的原始密码不正确！");
    case 0: return QStringLiteral(u"输入的帐号不存在！！！");
    default: return QStringLiteral(u"输入的新密码长度小于四位！");
    }
}

QString GetBackPasswordFailText(qint32 recog)
{
    switch (recog) {
    case -3: return QStringLiteral(u"答案输入不正确！！！");
    case -2: return QStringLiteral(u"此帐号被锁定！！！\r请稍候三分钟再重新执行此操作。");
    case -1: return QStringLiteral(u"问题答案不正确！！！");
    case 0: return QStringLiteral(u"输入的帐号不存在！！！");
    default: return QStringLiteral(u"未知错误！");
    }
}

} // namespace

std::optional<TGateReply> GateReplyFor(const TDefaultMessage &msg, const QString &newAccount)
{
    using enum TAccountDialog;
    using enum TDialogEffect;
    switch (msg.Ident) {
    case MsgNewAccountOk:
        return TGateReply{NewAccount, Close, false,
            QStringLiteral(u"您的帐号创建成功。\r请妥善保管您的帐号和密码，\r并且不要因任何原因把帐号和密码告诉任何其他人。"),
            NoticeIcon::None};
    case MsgNewAccountFail:
        return TGateReply{NewAccount, EnableConfirm, false, NewAccountFailText(msg.Recog, newAccount), NoticeIcon::None};
    case MsgChangePasswordOk:
        return TGateReply{ChangePwd, Close, true, QStringLiteral(u"密码修改成功。"), NoticeIcon::None};
    case MsgChangePasswordFail:
        return TGateReply{ChangePwd, EnableConfirm, true, ChangePasswordFailText(msg.Recog), NoticeIcon::None};
    case MsgGetBackPasswordOk:
        return TGateReply{GetBackPwd, Close, true, QStringLiteral(u"密码找回成功。"), NoticeIcon::None};
    case MsgGetBackPasswordFail:
        return TGateReply{GetBackPwd, EnableConfirm, true, GetBackPasswordFailText(msg.Recog), NoticeIcon::Error};
    default: return std::nullopt;
    }
}

} // namespace zelto

// The transport half of platform requests: posting a finished list and reading the answer
// envelope.
#include "platform/PlatformRequest.h"

#include "app/HttpClient.h"
#include "app/Notifier.h"
#include "app/Trace.h"
#include "platform/PlatformSession.h"
#include "platform/PlatformTrace.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace zelto {
namespace {

// A platform answer is a short JSON envelope; anything longer is refused.
constexpr qint64 kMaxAnswerBytes = 1024 * 1024;
// However the server trickles its answer, a request ends after this many transfer time-outs.
constexpr int kTotalTimeoutFactor = 2;

// The JSON text of a member: objects and arrays compact, other values as JSON writes them.
QString JsonTextOf(const QJsonValue &value)
{
    if (value.isObject())
        return QString::fromUtf8(QJsonDocument(value.toObject()).toJson(QJsonDocument::Compact));
    const QString wrapped = QString::fromUtf8(QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact));
    return wrapped.mid(1, wrapped.size() - 2);
}

} // namespace

void ShowPlatformError(const QString &text)
{
    Notifier().ShowMessage(text, QStringLiteral("提示"), NoticeIcon::Error);
}

TPlatformSession &TPlatformClient::Session() const { return PlatformSession(); }

bool TPlatformClient::SendPost(const QString &aUrl, const QString &aError, QString &ResultStr, const QStringList &aParamList)
{
    Trace(SentTraceLine(aParamList));
    THttpRequest request = HttpFormPost(aUrl, kUserAgent.toLatin1(), FormFieldsOf(aParamList));
    request.SameHostRedirectsOnly = true;
    request.MaxBodyBytes = kMaxAnswerBytes;
    request.TransferTimeoutMs = FTransferTimeoutMs;
    request.TotalTimeoutMs = kTotalTimeoutFactor * FTransferTimeoutMs;
    const THttpResponse response = HttpFetch(request);
    if (!response.Ok) {
        Trace(QStringLiteral("返回: ") + response.Error);
        ShowPlatformError(QStringLiteral("%1, 原因:%2").arg(aError, response.Error));
        return false;
    }

    const QString answer = response.Text();
    Trace(AnswerTraceLine(answer));
    if (answer.isEmpty())
        return false;
    const QJsonDocument document = QJsonDocument::fromJson(response.Body);
    if (!document.isObject()) {
        ShowPlatformError(QStringLiteral("连接服务器失败."));
        return false;
    }
    const QJsonObject envelope = document.object();
    const QString msg = envelope.value(QStringLiteral("msg")).toVariant().toString();
    if (msg.contains(QStringLiteral("存在"))) {
        ShowPlatformError(QStringLiteral("登录失败，") + msg);
        return false;
    }
    if (msg.contains(QStringLiteral("成功"))) {
        if (envelope.contains(QStringLiteral("data"))) {
            ResultStr = JsonTextOf(envelope.value(QStringLiteral("data")));
            return true;
        }
        ShowPlatformError(QStringLiteral("获取令牌错误！"));
        return false;
    }
    if (aError.isEmpty())
        return false;
    // While the session holds a login credential, one such refusal passes unshown and
    // drops the credential.
    TPlatformSession &session = Session();
    if (!session.login_credential.isEmpty() || !session.credential_account.isEmpty()) {
        session.login_credential.clear();
        session.credential_account.clear();
        return false;
    }
    ShowPlatformError(msg);
    return false;
}

} // namespace zelto

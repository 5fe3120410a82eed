#pragma once

#include "app/LauncherConfiguration.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// The shape every account-platform request shares: a main list of name=value lines plus one
// line "ext" carrying the Base64 of a JSON object (the request's own ext lines and the device
// block), the main list sorted and signed with the application secret, sent as a form POST;
// and the answer envelope {"msg", "data"} turned into the data text or a message box.
namespace zelto {

struct TPlatformSession;

namespace platformpath {
inline const QString kLogin = QStringLiteral("/v1/login");
inline const QString kSecLogin = QStringLiteral("/v1/sec_login");
inline const QString kPhoneCode = QStringLiteral("/v1/phone_code");
inline const QString kEditUser = QStringLiteral("/v1/edit_user");
inline const QString kBindName = QStringLiteral("/v1/bind_name");
inline const QString kThirdLoginUrl = QStringLiteral("/v1/get_third_login_url");
inline const QString kThirdLoginResult = QStringLiteral("/v1/get_third_login_result");
} // namespace platformpath

// Request assembly, shared with the simulator that checks it.

// Ascending by the whole line, ignoring letter case.
void SortParamLines(QStringList &lines);
// Base64Utf8 of ParamsToJson of the lines joined by line breaks.
QString ExtFieldOf(const QStringList &extLines);
// Md5HexLower of the sorted lines joined by "&", the secret appended without a separator.
QString PlatformSignature(const QStringList &sortedLines, const QString &secret);
// The main lines and "ext=", sorted, then "sign=" at the end.
QStringList AssembleParamList(QStringList mainLines, const QStringList &extLines, const QString &secret);
// The form fields of a finished list: the text before the first "=" and the rest.
QList<QPair<QString, QString>> FormFieldsOf(const QStringList &lines);

// A message box of the platform's flows: caption "提示", error icon.
void ShowPlatformError(const QString &text);

// The application and machine values every request carries.
struct TPlatformContext {
    TLauncherConfiguration configuration;
    QString osName;   // GetOSName
    QString deviceId; // GetDeviceId
};

// Sends the requests of one launcher run. Requests are synchronous on the user-interface
// thread; each has the deployment's transfer time-out and an overall limit.
class TPlatformClient {
public:
    static const QString kUserAgent;

    explicit TPlatformClient(TPlatformContext context);

    const TPlatformContext &Context() const { return FContext; }
    const TLauncherConfiguration &Configuration() const { return FContext.configuration; }
    TPlatformSession &Session() const;

    // The request address: the deployment's platform base address and the path.
    static QString Address(const QString &path);
    // "platform=", "cpgameid=", "subject=" with the configuration's values.
    QStringList IdentityLines() const;
    // The ext lines every request ends with: application, display and machine values.
    QStringList DeviceBlock() const;

    // Posts the finished list to `aUrl`. True with the JSON text of the answer's "data" in
    // `ResultStr`; false after every failure the player must hear of has been shown, with
    // `aError` as the caption prefix of transport failures.
    bool SendPost(const QString &aUrl, const QString &aError, QString &ResultStr, const QStringList &aParamList);
    // Assembles the lines, signs them and posts them to the path.
    bool Send(const QString &path, const QString &aError, const QStringList &mainLines, const QStringList &extLines,
        QString &data);

    void SetTimeoutMs(int transferTimeoutMs) { FTransferTimeoutMs = transferTimeoutMs; }

private:
    TPlatformContext FContext;
    int FTransferTimeoutMs;
};

} // namespace zelto

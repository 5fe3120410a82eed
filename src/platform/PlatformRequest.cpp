#include "platform/PlatformRequest.h"

#include "app/Digests.h"
#include "app/LocalSettings.h"
#include "deploy/Deployment.h"

#include <algorithm>

namespace zelto {

void SortParamLines(QStringList &lines)
{
    std::stable_sort(lines.begin(), lines.end(),
        [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
}

QString ExtFieldOf(const QStringList &extLines) { return Base64Utf8(ParamsToJson(extLines.join(u'\n'))); }

QString PlatformSignature(const QStringList &sortedLines, const QString &secret)
{
    return Md5HexLower(sortedLines.join(u'&') + secret);
}

QStringList AssembleParamList(QStringList mainLines, const QStringList &extLines, const QString &secret)
{
    mainLines << QStringLiteral("ext=") + ExtFieldOf(extLines);
    SortParamLines(mainLines);
    mainLines << QStringLiteral("sign=") + PlatformSignature(mainLines, secret);
    return mainLines;
}

QList<QPair<QString, QString>> FormFieldsOf(const QStringList &lines)
{
    QList<QPair<QString, QString>> fields;
    for (const QString &line : lines) {
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0)
            fields.append({line, QString()});
        else
            fields.append({line.left(equals), line.mid(equals + 1)});
    }
    return fields;
}

const QString TPlatformClient::kUserAgent = QStringLiteral("Mozilla/3.0 (compatible; Indy Library)");

TPlatformClient::TPlatformClient(TPlatformContext context)
    : FContext(std::move(context))
    , FTransferTimeoutMs(deploy::HttpTimeoutMs())
{
}

QString TPlatformClient::Address(const QString &path) { return deploy::PlatformBase() + path; }

QStringList TPlatformClient::IdentityLines() const
{
    const TLauncherConfiguration &config = Configuration();
    return {QStringLiteral("platform=") + config.sPlatform.Text(), QStringLiteral("cpgameid=") + config.sCpGameId.Text(),
        QStringLiteral("subject=") + config.sSubject.Text()};
}

QStringList TPlatformClient::DeviceBlock() const
{
    const TLauncherConfiguration &config = Configuration();
    return {
        QStringLiteral("sdk_app_id=") + config.sSdkAppId.Text(),
        QStringLiteral("sdk_app_key=") + config.sSdkAppKey.Text(),
        QStringLiteral("sdk_channel=") + config.sSdkChannel.Text(),
        QStringLiteral("width=") + QString::number(g_nWidth),
        QStringLiteral("height=") + QString::number(g_nHeight),
        QStringLiteral("os=") + FContext.osName,
        QStringLiteral("device_id=") + FContext.deviceId,
        QStringLiteral("model=pc"),
        QStringLiteral("sdk_ver=1.0.0"),
        QStringLiteral("app_ver=23.7.21.0"),
        QStringLiteral("domain="),
        QStringLiteral("alliance="),
        QStringLiteral("promotion_id="),
        QStringLiteral("promotion_type="),
    };
}

bool TPlatformClient::Send(const QString &path, const QString &aError, const QStringList &mainLines,
    const QStringList &extLines, QString &data)
{
    return SendPost(Address(path), aError, data, AssembleParamList(mainLines, extLines, deploy::PlatformSecret()));
}

} // namespace zelto

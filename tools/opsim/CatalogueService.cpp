#include "CatalogueService.h"
#include "SectionReader.h"

#include "app/TextRules.h"
#include "catalog/CatalogueSigning.h"
#include "catalog/ModListSubstitution.h"
#include "catalog/ServerListEnvelope.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace zelto::opsim {
namespace {

// How a document is published.
enum class TForm { Plain, Substituted, Sealed };

struct TDocument {
    QString text;        // "{base}" not yet expanded
    TForm form = TForm::Plain;
};

QByteArray Publish(const TDocument &document, const TServiceContext &context)
{
    const QString text = context.Expand(document.text);
    switch (document.form) {
    case TForm::Substituted: return PublishSubstitutedModList(text);
    case TForm::Sealed: return SealServerList(text).toLatin1();
    case TForm::Plain: break;
    }
    return text.toUtf8();
}

TReply DocumentReply(const TDocument &document, const TServiceContext &context)
{
    TReply reply;
    reply.Body = Publish(document, context);
    if (document.form == TForm::Sealed)
        reply.ContentType = "text/plain";
    return reply;
}

// Why a signed request is refused; empty when its time and signature are right.
QString SignatureRefusal(const TRecordedRequest &request, const QString &expectedSign, const QString &what)
{
    if (!ParseDecimalInt32(request.Param(QStringLiteral("time"))))
        return QStringLiteral("\"time\" is missing or not a whole number");
    if (request.Param(QStringLiteral("sign")) != expectedSign)
        return QStringLiteral("sign mismatch: %1 expected %2").arg(what, expectedSign);
    return QString();
}

class TCatalogueService : public IService {
public:
    TCatalogueService(const QJsonObject &section, TServiceContext &context) : FContext(context)
    {
        const TSectionReader reader(section, QStringLiteral("catalogue"));
        reader.AllowOnly({"gateway", "modLists", "serverLists", "backups"});
        if (section.contains(QStringLiteral("gateway")))
            AddGateway(TSectionReader(section.value(QStringLiteral("gateway")).toObject(), QStringLiteral("catalogue.gateway")));
        AddDocuments(reader.Array(QStringLiteral("modLists")), QStringLiteral("modLists"), TCatalogueDocument::ModList);
        AddDocuments(reader.Array(QStringLiteral("serverLists")), QStringLiteral("serverLists"), TCatalogueDocument::ServerList);
        AddDocuments(reader.Array(QStringLiteral("backups")), QStringLiteral("backups"), std::nullopt);
    }

private:
    void AddGateway(const TSectionReader &gateway)
    {
        gateway.AllowOnly({"name", "path", "data", "fault"});
        QStringList addresses;
        for (const QJsonValue &address : gateway.Array(QStringLiteral("data"))) {
            if (!address.isString())
                gateway.Fail(QStringLiteral("\"data\" holds the mod-list addresses as strings"));
            addresses << address.toString();
        }
        FContext.AddEndpoint({gateway.Text(QStringLiteral("name"), QStringLiteral("gateway")), "GET", gateway.Path(),
            [this, addresses](const TRecordedRequest &request) { return AnswerGateway(request, addresses); },
            gateway.Fault()});
    }

    TReply AnswerGateway(const TRecordedRequest &request, const QStringList &addresses) const
    {
        if (request.Param(QStringLiteral("type")) != QLatin1String("getaway"))
            return TReply::Refusal(400, QStringLiteral("\"type\" must be getaway"));
        const QString refusal = SignatureRefusal(request,
            GatewaySignature(ParseDecimalInt32(request.Param(QStringLiteral("time"))).value_or(0)), QStringLiteral("gateway"));
        if (!refusal.isEmpty())
            return TReply::Refusal(403, refusal);
        QJsonArray data;
        for (const QString &address : addresses)
            data.append(FContext.Expand(address));
        return TReply::Json({{QStringLiteral("data"), data}});
    }

    // Signed documents (kind given) check the signature over their data name; backups do not.
    void AddDocuments(const QJsonArray &entries, const QString &list, std::optional<TCatalogueDocument> kind)
    {
        for (qsizetype i = 0; i < entries.size(); ++i) {
            const TSectionReader entry(entries[i].toObject(), QStringLiteral("catalogue.%1[%2]").arg(list).arg(i));
            if (!entries[i].isObject())
                entry.Fail(QStringLiteral("each entry is an object"));
            QStringList keys{"name", "path", "document", "text", "fault"};
            keys << (kind == TCatalogueDocument::ServerList ? "sealed" : "substituted");
            if (kind)
                keys << "dataName";
            entry.AllowOnly(keys);
            const QString path = entry.Path();
            TDocument document{entry.DocumentText(), TForm::Plain};
            if (entry.Flag(QStringLiteral("sealed")))
                document.form = TForm::Sealed;
            if (entry.Flag(QStringLiteral("substituted")))
                document.form = TForm::Substituted;
            try {
                Publish(document, FContext); // a document that cannot be published is a scenario mistake
            } catch (const std::exception &error) {
                entry.Fail(QString::fromLocal8Bit(error.what()));
            }
            THandler handler = [this, document](const TRecordedRequest &) { return DocumentReply(document, FContext); };
            if (kind) {
                const QString dataName = entry.Text(QStringLiteral("dataName"), DataNameOf(path, *kind));
                handler = [this, document, dataName](const TRecordedRequest &request) {
                    const QString refusal = SignatureRefusal(request,
                        DocumentSignature(dataName, ParseDecimalInt32(request.Param(QStringLiteral("time"))).value_or(0)),
                        QStringLiteral("data name \"%1\"").arg(dataName));
                    return refusal.isEmpty() ? DocumentReply(document, FContext) : TReply::Refusal(403, refusal);
                };
            }
            FContext.AddEndpoint({entry.Text(QStringLiteral("name"), path), "GET", path, handler, entry.Fault()});
        }
    }

    TServiceContext &FContext;
};

} // namespace

std::unique_ptr<IService> CreateCatalogueService(const QJsonObject &section, TServiceContext &context)
{
    return std::make_unique<TCatalogueService>(section, context);
}

} // namespace zelto::opsim

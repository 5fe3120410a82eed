#pragma once

#include <QString>
#include <QStringList>

// The trace lines of platform requests. The trace sink may be written to a file, so every
// password, phone code, token, credential and identity-card number is masked before a line
// is formed: no secret ever reaches the sink.
namespace zelto {

// "发送: " and the list in comma-separated form; secret values and the secrets inside the
// ext object (shown decoded) masked.
QString SentTraceLine(const QStringList &paramList);
// "返回: " and the answer; secret members of a JSON answer masked, at any depth.
QString AnswerTraceLine(const QString &answer);

} // namespace zelto

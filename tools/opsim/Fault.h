#pragma once

#include <QJsonObject>
#include <QJsonValue>
#include <QString>

#include <stdexcept>

namespace zelto::opsim {

// A mistake in a scenario (or in a fault given at run time), said so that an operator can
// find it: where, and what is wrong.
class TScenarioError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class TFaultKind {
    None,        // answer normally (possibly after a delay)
    Down,        // drop the connection without an answer
    Status,      // answer with an HTTP error status
    Garbage,     // answer 200 with a body that is not JSON
    EmptyData,   // answer {"data": []}
    MissingData, // answer a JSON object without "data"
    Redirect,    // answer 302 to Location ("{base}" stands for the simulator's address)
    EmptyBody,   // answer 200 with nothing in the body
    Message,     // answer 200 {"msg": Message} and nothing else
};

// What an endpoint does instead of its normal answer. In a scenario:
// {"kind": "status", "status": 503, "delayMs": 200, "count": 2}, {"kind": "message", "msg": "账号不存在"}.
struct TFault {
    TFaultKind Kind = TFaultKind::None;
    int Status = 503;  // for Status
    QString Location;  // for Redirect
    QString Message;   // for Message ("msg" in a scenario)
    int DelayMs = 0;   // waited before any answer, also with kind None
    int Count = -1;    // how many requests it applies to; -1: every request

    bool operator==(const TFault &) const = default;

    // Throws TScenarioError, naming `where`, for unknown kinds, keys or values.
    static TFault FromJson(const QJsonValue &value, const QString &where);
    QJsonObject ToJson() const;
};

} // namespace zelto::opsim

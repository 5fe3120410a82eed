#include "protocol/GateAddress.h"

#include <QEventLoop>
#include <QHostAddress>
#include <QHostInfo>
#include <QTimer>

#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>

#include <stdexcept>

namespace zelto {
namespace {

const char16_t kIPv4Expression[] =
    u"((?:(?:25[0-5]|2[0-4]\\d|((1\\d{2})|([1-9]?\\d)))\\.){3}(?:25[0-5]|2[0-4]\\d|((1\\d{2})|([1-9]?\\d))))";

pcre2_code *CompileIPv4Expression()
{
    int error = 0;
    PCRE2_SIZE offset = 0;
    pcre2_code *code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(kIPv4Expression), PCRE2_ZERO_TERMINATED, 0,
        &error, &offset, nullptr);
    if (!code)
        throw std::logic_error("the IPv4 expression does not compile");
    return code;
}

QString LastIPv4Address(const QHostInfo &info)
{
    QString last;
    for (const QHostAddress &address : info.addresses()) {
        if (address.protocol() == QAbstractSocket::IPv4Protocol)
            last = address.toString();
    }
    return last;
}

} // namespace

TServerConnectInfo *TServerConnectList::GetServer(const QString &address)
{
    for (const auto &entry : m_entries) {
        if (entry->FDomain == address || entry->FIP == address)
            return entry.get();
    }
    return nullptr;
}

TServerConnectInfo &TServerConnectList::AddDomain(const QString &domain)
{
    m_entries.push_back(std::make_unique<TServerConnectInfo>());
    m_entries.back()->FDomain = domain;
    return *m_entries.back();
}

QString ResolveHostAddress(const QString &host, int deadlineMs)
{
    if (host.isEmpty())
        return QString();
    const QHostAddress literal(host);
    if (literal.protocol() == QAbstractSocket::IPv4Protocol)
        return literal.toString();
    QEventLoop wait;
    QString result;
    bool answered = false;
    const int lookup = QHostInfo::lookupHost(host, &wait, [&](const QHostInfo &info) {
        result = LastIPv4Address(info);
        answered = true;
        wait.quit();
    });
    if (!answered) {
        QTimer::singleShot(deadlineMs, &wait, &QEventLoop::quit);
        wait.exec(QEventLoop::ExcludeUserInputEvents);
    }
    if (!answered)
        QHostInfo::abortHostLookup(lookup);
    return result;
}

bool IsIPv4Address(const QString &text)
{
    static pcre2_code *const expression = CompileIPv4Expression();
    pcre2_match_data *match = pcre2_match_data_create_from_pattern(expression, nullptr);
    const int found = pcre2_match(expression, reinterpret_cast<PCRE2_SPTR>(text.utf16()), PCRE2_SIZE(text.size()),
        0, PCRE2_NOTEMPTY, match, nullptr);
    pcre2_match_data_free(match);
    return found >= 0;
}

} // namespace zelto

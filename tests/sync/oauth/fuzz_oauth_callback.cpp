// Whatever reaches the loopback listener, and whatever a token endpoint answers. The listener
// may end a sign-in only for the state it expects, so one request can never end sign-ins that
// expect two different states; with a code it accepts, it has the code; past the bound without
// a whole head it gives up on the connection. The first input byte picks the reader.
#include "OAuthProtocol.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

// Names the line of a broken promise, so a finding says which one without a debugger.
void require(bool condition, int line = __builtin_LINE())
{
    if (condition)
        return;
    std::fprintf(stderr, "%s:%d: promise broken\n", __FILE__, line);
    std::abort();
}

bool endsSignIn(OAuthProtocol::Verdict verdict)
{
    using OAuthProtocol::Verdict;
    return verdict == Verdict::Denied || verdict == Verdict::NoCode || verdict == Verdict::Accept;
}

void judge(const QByteArray& received)
{
    constexpr qint64 maxBytes = 4096;
    const QString state = QStringLiteral("Qm9vdHN0cmFwU3RhdGU");
    for (const auto provider :
         {OAuthProtocol::Provider::Google, OAuthProtocol::Provider::Microsoft}) {
        const auto decision = OAuthProtocol::judgeCallback(provider, received, state, maxBytes);
        const auto other =
            OAuthProtocol::judgeCallback(provider, received, QStringLiteral("c3RhbGU"), maxBytes);
        require(!(endsSignIn(decision.verdict) && endsSignIn(other.verdict)));
        require(decision.verdict != OAuthProtocol::Verdict::Accept || !decision.code.isEmpty());
        require(decision.verdict != OAuthProtocol::Verdict::Incomplete ||
                received.size() <= maxBytes);
        // An empty expected state is never met: a listener not yet armed ends nothing.
        const auto unarmed = OAuthProtocol::judgeCallback(provider, received, QString(), maxBytes);
        require(!endsSignIn(unarmed.verdict));
    }
}

void readTokens(const QByteArray& body)
{
    const OAuthProtocol::TokenReply reply = OAuthProtocol::parseTokenReply(body);
    require(reply.expiresInSeconds > 0);
    OAuthProtocol::identityFromIdToken(OAuthProtocol::Provider::Google, reply.idToken);
    OAuthProtocol::identityFromIdToken(OAuthProtocol::Provider::Microsoft, reply.idToken);

    // What is kept of them reads back as it was written.
    OAuthProtocol::Tokens tokens;
    tokens.accessToken = reply.accessToken;
    tokens.refreshToken = reply.refreshToken;
    const QDateTime now(QDate(2026, 12, 7), QTime(13, 30), Qt::UTC);
    tokens.expiresAt = now.addSecs(reply.expiresInSeconds);
    require(tokens.expiresAt > now);
    const OAuthProtocol::Tokens again =
        OAuthProtocol::decodeTokens(OAuthProtocol::encodeTokens(tokens));
    require(again.accessToken == tokens.accessToken);
    require(again.refreshToken == tokens.refreshToken);
    require(again.expiresAt == tokens.expiresAt);
    OAuthProtocol::decodeTokens(QString::fromUtf8(body));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const QByteArray rest(reinterpret_cast<const char*>(data) + 1, qsizetype(size - 1));
    if (data[0] & 1)
        readTokens(rest);
    else
        judge(rest);
    return 0;
}

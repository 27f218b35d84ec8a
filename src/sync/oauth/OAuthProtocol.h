#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QJsonObject>
#include <QList>
#include <QString>

#include <utility>

// The pure parts of the Google and Microsoft browser sign-ins: the stored token format, the PKCE
// values, the request forms of each provider, the reading of token replies and id tokens, and the
// judgement of what reached the loopback listener. No network, no store, no clock.
namespace OAuthProtocol {

enum class Provider { Google, Microsoft };

using Fields = QList<std::pair<QString, QString>>;

// What one provider account keeps in the credential store.
struct Tokens
{
    QString accessToken;
    QString refreshToken;
    QDateTime expiresAt; // invalid when unknown
};

// The credential-store key of an account's tokens: "google-tokens-" or "microsoft-tokens-" and
// the account id.
QString tokenKey(Provider provider, const QString& accountId);

// Compact JSON with the string members "access_token", "expires_at" (UTC, ISO 8601 with
// milliseconds, empty when unknown) and "refresh_token", in that order.
QString encodeTokens(const Tokens& tokens);
// The reverse; text that is not a JSON object gives empty tokens, a member that is absent or not
// a string reads as empty, an unreadable expiry as invalid.
Tokens decodeTokens(const QString& text);

// `byteCount` bytes (a multiple of 4) from the system's cryptographic generator, as base64url
// without padding: 64 bytes give the 86-character code verifier, 16 the 22-character state.
QString randomUrlSafeToken(int byteCount);
// The S256 challenge of a code verifier: base64url of its SHA-256, without padding.
QString pkceChallenge(const QString& codeVerifier);

// The payload of a JSON web token, unverified (it only names the account for display); empty
// when the token has fewer than two parts or the payload is not a JSON object.
QJsonObject decodeJwtPayload(const QString& jwt);

// The requested scope of each provider.
QString scope(Provider provider);
// The query of the authorisation URL, in the provider's order.
Fields authorizationQuery(Provider provider, const QString& clientId, const QString& redirectUri,
                          const QString& challenge, const QString& state);
// The form of the code exchange and of the refresh grant, in the provider's order. Microsoft's
// public client never sends a secret.
Fields exchangeForm(Provider provider, const QString& clientId, const QString& clientSecret,
                    const QString& code, const QString& codeVerifier, const QString& redirectUri);
Fields refreshForm(Provider provider, const QString& clientId, const QString& clientSecret,
                   const QString& refreshToken);
// Fields as an application/x-www-form-urlencoded body: every byte outside the unreserved set
// percent-encoded, UTF-8.
QByteArray formBody(const Fields& fields);

// The members of a token endpoint's reply that the sign-in and the refresh read.
struct TokenReply
{
    QString accessToken;
    QString refreshToken; // empty when not issued (or, on refresh, not rotated)
    QString idToken;
    qint64 expiresInSeconds = 3600;
};
// An "expires_in" that is missing, unreadable or not positive reads as an hour; a longer one than
// Limits::maxAccessTokenLifetimeSeconds as that bound.
TokenReply parseTokenReply(const QByteArray& body);
// Whether a failed token reply refuses the grant itself: HTTP 400 or 401 with the error
// "invalid_grant", as a revoked, expired or unknown refresh token is answered. Only a new sign-in
// helps then; any other failure (no answer, a server error, a client the provider does not know)
// may pass or is not the user's to mend.
bool refusesGrant(int status, const QByteArray& body);

// The account named by an id token: "email" (for Microsoft, "preferred_username" when that is
// empty) and "name".
struct Identity
{
    QString email;
    QString displayName;
};
Identity identityFromIdToken(Provider provider, const QString& idToken);

// What the loopback listener does with the bytes received so far on one connection.
enum class Verdict {
    Incomplete, // keep reading: the request line and headers have not all arrived
    Reject,     // answer 400 and close this connection; the sign-in goes on waiting
    Denied,     // the provider refused: answer 400, the sign-in fails with `detail`
    NoCode,     // right state but no code: answer 400, the sign-in fails
    Accept,     // answer 200 and exchange `code`
};

struct CallbackDecision
{
    Verdict verdict = Verdict::Incomplete;
    QString code;
    QString detail; // the provider's error detail for Denied
};

// Judges the bytes of one connection. Only a request whose "state" equals `expectedState`
// exactly can end the sign-in; anything else (a favicon, a probe, a forged or stale redirect) is
// turned away. More than `maxBytes` without a complete head is rejected.
CallbackDecision judgeCallback(Provider provider, const QByteArray& received,
                               const QString& expectedState, qint64 maxBytes);

} // namespace OAuthProtocol

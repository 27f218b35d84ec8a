#include "MicrosoftAuthService.h"

#include "OAuthFlow.h"
#include "OAuthTokenStorage.h"

namespace Microsoft {

namespace {

constexpr OAuthProtocol::Provider provider = OAuthProtocol::Provider::Microsoft;

} // namespace

AuthService::AuthService(QObject* parent) : QObject(parent)
{
    qRegisterMetaType<Microsoft::SignInResult>("Microsoft::SignInResult");
    OAuthFlow::Texts texts;
    texts.credentialsMissing =
        tr("Microsoft OAuth credentials are not configured in this build. See .env.example.");
    texts.listenerFailed = tr("Could not bind a local port for the Microsoft sign-in callback: %1");
    texts.browserFailed = tr("Could not launch the system browser for Microsoft sign-in.");
    texts.cancelled = tr("Sign-in cancelled.");
    texts.denied = tr("Microsoft denied the sign-in: %1");
    texts.noCode = tr("Microsoft did not return an authorization code.");
    texts.exchangeFailed = tr("Token exchange failed (HTTP %1): %2");
    texts.noAccessToken = tr("Microsoft did not return an access token.");
    texts.noRefreshToken = tr("Microsoft did not return a refresh token. Verify offline_access is "
                              "in the scopes configured for this app.");
    texts.timedOut = tr("Microsoft's token service did not answer in time.");
    texts.refreshCredentialsMissing = tr("Microsoft OAuth credentials are not configured.");
    texts.refreshFailed = tr("Token refresh failed (HTTP %1): %2");
    texts.refreshNoAccessToken = tr("Microsoft's response had no access_token.");
    m_flow = new OAuthFlow(provider, texts, this);

    connect(m_flow, &OAuthFlow::signInSucceeded, this,
            [this](const OAuthProtocol::TokenReply& reply, const QDateTime& expiresAt) {
                const OAuthProtocol::Identity identity =
                    OAuthProtocol::identityFromIdToken(provider, reply.idToken);
                SignInResult result;
                result.email = identity.email;
                result.displayName = identity.displayName;
                result.accessToken = reply.accessToken;
                result.refreshToken = reply.refreshToken;
                result.idToken = reply.idToken;
                result.expiresAt = expiresAt;
                Q_EMIT signInSucceeded(result);
            });
    connect(m_flow, &OAuthFlow::signInFailed, this, &AuthService::signInFailed);
    connect(m_flow, &OAuthFlow::refreshSucceeded, this, &AuthService::refreshSucceeded);
    connect(m_flow, &OAuthFlow::refreshFailed, this, &AuthService::refreshFailed);
}

AuthService::~AuthService() = default;

void AuthService::startSignIn()
{
    m_flow->startSignIn();
}

void AuthService::cancelSignIn()
{
    m_flow->cancelSignIn();
}

void AuthService::refresh(const QString& refreshToken)
{
    m_flow->refresh(refreshToken);
}

void AuthService::setTransferTimeout(int milliseconds)
{
    m_flow->setTimeout(milliseconds);
}

TokenSet AuthService::loadTokens(const QString& accountId)
{
    const OAuthProtocol::Tokens stored = OAuthTokenStorage::load(provider, accountId);
    return {stored.accessToken, stored.refreshToken, stored.expiresAt};
}

bool AuthService::saveTokens(const QString& accountId, const TokenSet& tokens)
{
    return OAuthTokenStorage::save(provider, accountId,
                                   {tokens.accessToken, tokens.refreshToken, tokens.expiresAt});
}

} // namespace Microsoft

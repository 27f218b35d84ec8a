#include "AppStateFixture.h"

#include "CredentialBackend.h"
#include "CredentialManagerTokenStore.h"
#include "MemoryCredentialBackend.h"
#include "Platform.h"
#include "Services.h"
#include "TokenManager.h"

#include <QTimeZone>

QDateTime AppStateFixture::defaultNow()
{
    return QDateTime(QDate(2026, 3, 11), QTime(10, 0), QTimeZone::systemTimeZone());
}

AppStateFixture::AppStateFixture(const QDateTime& now) : m_clock(now)
{
    OrvaAccount::CredentialBackend::setDefaultBackend(
        std::make_shared<OrvaAccount::MemoryCredentialBackend>());
    m_service = std::make_unique<FakeAccountService>();
    m_service->exportEnvironment();
}

AppStateFixture::~AppStateFixture()
{
    // The state's account client holds the credential backend; it goes first.
    m_state.reset();
    m_service.reset();
    OrvaAccount::CredentialBackend::setDefaultBackend(nullptr);
}

void AppStateFixture::signIn()
{
    OrvaAccount::CredentialManagerTokenStore store(Platform::applicationId());
    store.write(OrvaAccount::TokenManager::accessTokenKey, m_service->mintAccessToken(3600));
    store.write(OrvaAccount::TokenManager::refreshTokenKey, m_service->mintRefreshToken());
}

AppState* AppStateFixture::create()
{
    m_state = std::make_unique<AppState>();
    return m_state.get();
}

bool AppStateFixture::start()
{
    if (!m_state)
        create();
    return Services::start(*m_state);
}

QString AppStateFixture::databasePath()
{
    return Platform::databasePath();
}

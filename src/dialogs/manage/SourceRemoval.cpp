#include "SourceRemoval.h"

#include "AppState.h"
#include "CalendarRemoval.h"
#include "CredentialManagerTokenStore.h"
#include "OAuthTokenStorage.h"
#include "Platform.h"

namespace SourceRemoval {

namespace {

CalendarRemoval storeRemoval(AppState* state)
{
    return CalendarRemoval(state->database(), state->calendars(), state->accounts(),
                           state->events(), state->tasks());
}

} // namespace

bool removeCalendar(AppState* state, const QString& calendarId)
{
    return state && storeRemoval(state).removeCalendar(calendarId);
}

bool removeAccount(AppState* state, const QString& accountId)
{
    if (!state || !storeRemoval(state).removeAccount(accountId))
        return false;
    // The password and the provider tokens are only useful with the account; an absent entry is
    // not a failure.
    OrvaAccount::CredentialManagerTokenStore(Platform::applicationId())
        .remove(QStringLiteral("caldav-password-") + accountId);
    OAuthTokenStorage::remove(OAuthProtocol::Provider::Google, accountId);
    OAuthTokenStorage::remove(OAuthProtocol::Provider::Microsoft, accountId);
    return true;
}

} // namespace SourceRemoval

#include "MicrosoftSyncClient.h"

#include "AccountRepository.h"
#include "AppState.h"
#include "Clock.h"
#include "MicrosoftAuthService.h"

#include <QDebug>
#include <QTimer>

namespace Microsoft {

SyncClient::SyncClient(AppState* state, QObject* parent) : QObject(parent), m_state(state) {}

QString SyncClient::notSyncedYetText()
{
    return tr("Microsoft calendars do not sync yet.");
}

void SyncClient::syncCalendar(const Calendar& calendar)
{
    Q_EMIT calendarSyncStarted(calendar.id);
    const bool signedIn = !AuthService::loadTokens(calendar.accountId).refreshToken.isEmpty();
    const QString reason = signedIn ? notSyncedYetText() : signInRequiredText();
    // The account keeps the reason, so the status bar asks for a sign-in only while none is
    // stored, and stops asking once there is one.
    if (const std::optional<Account> account = m_state->accounts()->getById(calendar.accountId);
        account && account->lastSyncError != reason) {
        Account updated = *account;
        updated.lastSyncError = reason;
        updated.updatedAt = Clock::now().toUTC();
        m_state->accounts()->update(updated);
    }
    qInfo().noquote() << "[Microsoft] calendar" << calendar.id
                      << (signedIn ? "skipped: not synced yet" : "skipped: no sign-in");
    const QString id = calendar.id;
    QTimer::singleShot(0, this, [this, id, reason] { Q_EMIT calendarSyncFailed(id, reason); });
}

} // namespace Microsoft

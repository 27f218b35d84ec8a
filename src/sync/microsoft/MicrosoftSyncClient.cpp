#include "MicrosoftSyncClient.h"

#include "AccountRepository.h"
#include "AppState.h"
#include "Clock.h"

#include <QDebug>
#include <QTimer>

namespace Microsoft {

SyncClient::SyncClient(AppState* state, QObject* parent) : QObject(parent), m_state(state) {}

void SyncClient::syncCalendar(const Calendar& calendar)
{
    Q_EMIT calendarSyncStarted(calendar.id);
    if (const std::optional<Account> account = m_state->accounts()->getById(calendar.accountId);
        account && account->lastSyncError != signInRequiredText()) {
        Account updated = *account;
        updated.lastSyncError = signInRequiredText();
        updated.updatedAt = Clock::now().toUTC();
        m_state->accounts()->update(updated);
    }
    qInfo().noquote() << "[Microsoft] calendar" << calendar.id << "skipped: no sign-in";
    const QString id = calendar.id;
    QTimer::singleShot(0, this,
                       [this, id] { Q_EMIT calendarSyncFailed(id, signInRequiredText()); });
}

} // namespace Microsoft

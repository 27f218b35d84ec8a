#include "SourceRemoval.h"

#include "AccountRepository.h"
#include "AppState.h"
#include "Calendar.h"
#include "CalendarRepository.h"
#include "CredentialManagerTokenStore.h"
#include "Database.h"
#include "EventRepository.h"
#include "OAuthTokenStorage.h"
#include "Platform.h"
#include "Savepoint.h"
#include "StoreSql.h"
#include "StoreTime.h"
#include "TaskRepository.h"

#include <QStringList>

namespace SourceRemoval {

namespace {

// The statements that empty one calendar and remove it, children first.
bool deleteCalendarRows(QSqlDatabase& db, const QString& calendarId)
{
    const char* operation = "SourceRemoval::removeCalendar";
    const QString ofEvents =
        QStringLiteral("event_id IN (SELECT id FROM events WHERE calendar_id = ?)");
    const QStringList statements = {
        QStringLiteral("DELETE FROM reminders WHERE ") + ofEvents,
        QStringLiteral("DELETE FROM attendees WHERE ") + ofEvents,
        QStringLiteral("DELETE FROM attachments WHERE ") + ofEvents,
        QStringLiteral("DELETE FROM events WHERE calendar_id = ?"),
        QStringLiteral("DELETE FROM tasks WHERE calendar_id = ?"),
        QStringLiteral("DELETE FROM sync_queue WHERE calendar_id = ?"),
        QStringLiteral("DELETE FROM calendars WHERE id = ?"),
    };
    for (const QString& statement : statements) {
        if (!StoreSql::exec(db, statement, {calendarId}, operation))
            return false;
    }
    return true;
}

void announce(AppState* state, const QStringList& calendarIds, bool accounts)
{
    for (const QString& id : calendarIds) {
        state->events()->scheduleChanged(id);
        state->tasks()->scheduleChanged(id);
    }
    Q_EMIT state->calendars()->calendarsChanged();
    if (accounts)
        Q_EMIT state->accounts()->accountsChanged();
}

bool ready(const AppState* state)
{
    return state && state->database() && state->calendars() && state->accounts() &&
           state->events() && state->tasks();
}

} // namespace

bool removeCalendar(AppState* state, const QString& calendarId)
{
    if (!ready(state) || calendarId.isEmpty())
        return false;
    QSqlDatabase& db = state->database()->database();
    Savepoint transaction(db);
    if (!transaction.isActive() || !deleteCalendarRows(db, calendarId) || !transaction.commit())
        return false;
    announce(state, {calendarId}, false);
    return true;
}

bool removeAccount(AppState* state, const QString& accountId)
{
    if (!ready(state) || accountId.isEmpty())
        return false;
    QStringList calendarIds;
    for (const Calendar& calendar : state->calendars()->getByAccount(accountId))
        calendarIds.append(calendar.id);
    QSqlDatabase& db = state->database()->database();
    Savepoint transaction(db);
    if (!transaction.isActive())
        return false;
    for (const QString& id : calendarIds) {
        if (!deleteCalendarRows(db, id))
            return false;
    }
    const QVariant now = StoreTime::bindValue(StoreTime::now());
    if (!StoreSql::exec(db,
                        QStringLiteral("UPDATE accounts SET deleted_at = ?, updated_at = ? "
                                       "WHERE id = ?"),
                        {now, now, accountId}, "SourceRemoval::removeAccount") ||
        !transaction.commit())
        return false;
    // The password and the provider tokens are only useful with the account; an absent entry is
    // not a failure.
    OrvaAccount::CredentialManagerTokenStore(Platform::applicationId())
        .remove(QStringLiteral("caldav-password-") + accountId);
    OAuthTokenStorage::remove(OAuthProtocol::Provider::Google, accountId);
    OAuthTokenStorage::remove(OAuthProtocol::Provider::Microsoft, accountId);
    announce(state, calendarIds, true);
    return true;
}

} // namespace SourceRemoval

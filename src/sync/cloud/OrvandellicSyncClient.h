#pragma once

#include "Account.h"
#include "Calendar.h"
#include "CloudSync.h"
#include "Event.h"

#include <QJsonObject>
#include <QList>
#include <QObject>

class AppState;

namespace OrvaAccount {
class ApiClient;
}

namespace Orvandellic {

// Syncs cloud calendars through the cloud sync transport (the account library's API client:
// time-outs, bounded replies, one token refresh): the calendar list, and per calendar a pull of
// the changes since its cursor followed by a push of its pending rows. A pull never overwrites a
// pending row (a clash with a newer server copy goes to the conflict register) and moves the
// cursor only after its page is stored. Calendars of the local and the sample account are not
// cloud calendars: they complete at once without a request. Created for one run.
class SyncClient : public QObject
{
    Q_OBJECT

public:
    // The id of the account row that holds the cloud calendars, created by the first list pull.
    static inline const QString cloudAccountId = QStringLiteral("orvandellic-cloud-account");

    SyncClient(AppState* state, OrvaAccount::ApiClient* syncApi, QObject* parent = nullptr);

    // Requests the cloud calendar list and inserts the calendars missing here, in one write;
    // ends with calendarListPulled. Only the first Limits::maxCloudCalendars calendars of the
    // list are taken: the cloud account's last error then says how many were not added (and
    // loses that once none are), and the log names them.
    void pullCalendarList();
    // Pulls the calendar's changes, then pushes its pending rows; returns at once and ends with
    // calendarSyncCompleted or calendarSyncFailed.
    void syncCalendar(const Calendar& calendar);

Q_SIGNALS:
    // The number of calendars inserted, 0 when the request failed.
    void calendarListPulled(int newCount);
    void calendarSyncStarted(const QString& calendarId);
    void calendarSyncCompleted(const QString& calendarId, int eventCount);
    void calendarSyncFailed(const QString& calendarId, const QString& reason);

private:
    struct Run
    {
        Calendar calendar;
        int pages = 0;
        int applied = 0;
        int pushed = 0;
        QList<Event> pending;
    };

    void onCalendarList(bool ok, int status, const QJsonObject& json);
    // The stored cloud account, created when missing; empty when it cannot be had.
    std::optional<QString> cloudAccount();
    std::optional<Account> storedCloudAccount() const;
    // The account's last error as the calendar list leaves it: what the bound kept out, or none.
    bool storeListError(const QString& accountId, const QString& error);
    static QString leftOutText(int count);
    void pullPage(Run run);
    // Stores one page in one transaction, then moves the cursor; false when nothing was kept.
    bool applyPage(Run& run, const QJsonObject& page);
    // Applies one pulled item: its master and changed occurrences, or the series' deletion.
    bool applyEvent(const QString& calendarId, const CloudSync::RemoteEvent& remote, int& applied);
    // One row of an item: the decision, then the write or the recorded conflict.
    bool applyRow(const CloudSync::RemoteEvent& remote, const std::optional<Event>& local,
                  const std::optional<Event>& copy, int& applied);
    // Live rows of the calendar with the uid: a series' master and changed occurrences.
    QList<Event> seriesRows(const QString& calendarId, const QString& uid) const;
    void pushNext(Run run);
    void dropSeries(const QString& calendarId, const Event& master);
    void finishPushed(const QList<Event>& sent, const QList<Event>& group, const QString& etag);
    void fail(const Run& run, int status);
    QString collectionPath(const QString& calendarId) const;

    AppState* m_state;
    OrvaAccount::ApiClient* m_syncApi;
};

} // namespace Orvandellic

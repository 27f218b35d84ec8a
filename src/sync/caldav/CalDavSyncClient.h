#pragma once

#include "CalDavParse.h"
#include "CalDavRowKind.h"
#include "CalDavSyncPlan.h"
#include "Calendar.h"

#include <QHash>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class AppState;
class CalDavClient;

// Brings one CalDAV calendar and its rows in the local store into step, both ways. A run
// checks the ctag, pulls every event (with a multiget for objects listed without data),
// applies them, writes the calendar's sync fields back, pushes the pending events one object
// at a time, then pulls and pushes the tasks the same way. Each run emits
// calendarSyncStarted and then exactly one of calendarSyncCompleted and calendarSyncFailed;
// the first failure ends it, and rows not yet sent stay pending for the next run. A listing
// that was not read whole and well-formed, and a write to the store that fails, are failures:
// the run's pull then stores and removes nothing, and the calendar keeps its last error.
//
// What to apply and send is decided by CalDavSyncPlan; this class carries it out. Several runs
// (of different calendars) may go at once: each carries its own state. Runs with one login share
// one CalDavClient, so the network layer's bound on connections per server holds across them
// and a run reuses the connection an earlier one opened; the clients live as long as this one.
class CalDavSyncClient : public QObject
{
    Q_OBJECT

public:
    // The state is not owned and must outlive the client.
    explicit CalDavSyncClient(AppState* state, QObject* parent = nullptr);
    ~CalDavSyncClient() override;

    // Starts one run and returns at once. An empty fingerprint pins no certificate.
    void syncCalendar(const Calendar& calendar, const QString& username, const QString& password,
                      const QString& trustedCertSha256);
    // The main window's form: the account's server URL is not read, the calendar's URL is.
    void syncCalendar(const Calendar& calendar, const QString& serverUrl, const QString& username,
                      const QString& password, const QString& trustedCertSha256);

Q_SIGNALS:
    void calendarSyncStarted(const QString& calendarId);
    void calendarSyncProgress(const QString& calendarId, int upserted);
    // `changed`: the rows the run's pulls wrote or removed here and the objects its pushes sent.
    void calendarSyncCompleted(const QString& calendarId, int changed);
    void calendarSyncFailed(const QString& calendarId, const QString& reason);
    // Before calendarSyncCompleted: objects of the calendar the store could not hold, left out.
    void feedEventsSkipped(const QString& calendarId, int count);

private:
    struct Run;
    struct Flight;
    using RunPtr = std::shared_ptr<Run>;

    void checkCtag(const RunPtr& run);
    // The steps of one kind of rows (the run's current kind): list, read what the listing left
    // out, apply, then push what is pending here.
    void pull(const RunPtr& run);
    void readMissing(const RunPtr& run);
    void applyListing(const RunPtr& run);
    void writeBackCalendar(const RunPtr& run);
    void push(const RunPtr& run);

    void sendNextGroup(const RunPtr& run);
    void sendFlight(const RunPtr& run, const std::shared_ptr<Flight>& flight);
    void onPushReply(const RunPtr& run, const std::shared_ptr<Flight>& flight, int statusCode,
                     const QString& errorString, const QString& replyEtag);
    void refreshAndRetry(const RunPtr& run, const std::shared_ptr<Flight>& flight,
                         const QString& failure);
    // Reads the object at `href`; an answer that is not whole fails the run with `failure`,
    // otherwise `then` gets the object, or nothing when the server no longer holds it.
    void readObject(const RunPtr& run, const QString& href, const QString& failure,
                    const std::function<void(const std::optional<CalDavParse::Resource>&)>& then);
    // Plans the rows of the UID once more and sends them as a second attempt.
    void sendAgain(const RunPtr& run, const QString& uid);
    // A create was refused because an object holds its place: reads that object and stores it,
    // then sends the item where it replaces nothing (over the object, when it is the same item).
    void takeInPlace(const RunPtr& run, const std::shared_ptr<Flight>& flight,
                     const QString& failure);
    // Stores what the request did; false (and the run failed) when that could not be stored.
    bool settleFlight(const RunPtr& run, const std::shared_ptr<Flight>& flight,
                      const QString& etag);

    // Applies one object as rows of `kind`.
    CalDavRowKind::Applied applyObject(const RunPtr& run, const CalDavRowKind& kind,
                                       CalDavSyncPlan::Index& index, const QString& href,
                                       const QString& etag, const QString& calendarData);
    void finish(const RunPtr& run);
    void fail(const RunPtr& run, const QString& reason);
    // The client of the runs with this login, made on first use.
    CalDavClient* clientFor(const QString& username, const QString& password,
                            const QString& trustedCertSha256);

    AppState* m_state;
    QHash<QString, CalDavClient*> m_clients; // by login
};

#pragma once

#include "Calendar.h"
#include "Event.h"

#include <QDateTime>
#include <QHash>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class AppState;
class QNetworkAccessManager;

namespace Google {

class AuthService;
class CalendarClient;

// Brings one Google calendar and its rows in the local store into step, both ways. A run checks
// the account and its tokens (refreshing the access token when it is about to expire), lists
// the calendar's changes since its sync token (everything when it has none, and once more in
// full when Google refuses the token), applies the whole listing in one transaction with one
// change announcement, stores the new sync token, then sends every pending event at once.
//
// Each run emits calendarSyncStarted and then exactly one of calendarSyncCompleted and
// calendarSyncFailed. A run fails when the listing fails, when pulled events could not be
// stored (the sync token is then kept, so the next run asks again), and when a push fails for
// good (after one retry on a stale ETag), a failed read of Google's copy before an update
// included; the calendar then keeps the reason as its last error, and the row its local edit.
// A token refresh that Google refuses (a revoked or expired sign-in) also marks the account as
// needing a new sign-in (AccountAttention); a refresh that succeeds takes that mark away. While
// the mark stands the account's runs fail at once, with no token request, until the user signs
// in again. A renewal that lands after its account was removed, or after a new sign-in, stores
// nothing and marks nothing; the runs of a removed account then end quietly, those of an account
// signed in again go on with the new sign-in.
//
// Google may refuse an access token (401) long before its expiry, when it was revoked or
// rotated: the run then renews it once and repeats the refused step (the listing, or the push of
// what is still pending); a second refusal fails the run. Runs of one account refused at the same
// time share one renewal, as do runs whose tokens expire together.
//
// Pushes: a new event goes out under an id chosen here (Google::clientEventId), so an insert
// whose reply was lost is answered 409 the next time and taken as sent, never stored twice; an
// update merges the event into Google's copy of the item (read first when the row does not hold
// it, as for an occurrence changed here for the first time), so attendees, conference data and
// the like survive. A row edited or deleted while its push was out is not marked as synced by
// the reply. A series goes before its occurrences pending in the same run, which wait until it
// has landed; those of a new series then go as its occurrences on Google, and stay pending when
// it did not get there. A changed occurrence is never sent as an event of its own: without its
// series stored it stays pending. Google names an occurrence by its start in Google's copy of the
// series, read before the series is updated: a cancelled occurrence of a series going out in the
// same run waits for the write that takes its place (the occurrence its change moved to with the
// series, found through the move between Google's copy and the series here), so that Google shows
// the plain occurrence meanwhile rather than none, and goes once that write has been taken or
// refused: a write Google refuses holds back nothing beyond its run. One that failed for the
// moment (a server error, too many requests, no answer), or whose series' write did, holds the
// cancellation back, pending, until the run in which it lands. The exception dates a series here
// took from Google's cancellations go out moved as the series moved from Google's copy (a move
// undone here before Google's cancellation was pulled). Several runs (of different calendars) may
// go at once: each carries its own state.
class SyncClient : public QObject
{
    Q_OBJECT

public:
    // Seconds before expiry at which the stored access token is no longer used.
    static constexpr int refreshMarginSeconds = 60;
    // Push requests of one run out at once, so that the runs of other calendars get their turn
    // with it. What goes to Google at once, from every run, is bounded by RequestQueue.
    static constexpr int pushRequestsAtOnce = 6;

    // The state is not owned and must outlive the client.
    explicit SyncClient(AppState* state, QObject* parent = nullptr);
    ~SyncClient() override;

    // Starts one run and returns at once.
    void syncCalendar(const Calendar& calendar);

    // Milliseconds a request may go without progress (tests shorten it).
    void setTransferTimeout(int milliseconds) { m_transferTimeoutMs = milliseconds; }

    // Whether a stored access token expiring at `expiresAt` must be refreshed at `now`: when the
    // expiry is unknown or less than refreshMarginSeconds ahead.
    static bool needsRefresh(const QDateTime& expiresAt, const QDateTime& now);
    // Why a run fails while Google refuses the account's sign-in.
    static QString signInRefusedText();

Q_SIGNALS:
    void calendarSyncStarted(const QString& calendarId);
    // `eventCount`: the event objects the listing returned, cancelled ones included.
    void calendarSyncCompleted(const QString& calendarId, int eventCount);
    void calendarSyncFailed(const QString& calendarId, const QString& reason);

private:
    struct Run;
    struct Flight;
    using RunPtr = std::shared_ptr<Run>;

    // Marks the account as needing a new sign-in, or takes that mark away.
    void setSignInRequired(const QString& accountId, bool required);
    // Renews the run's access token with `refreshToken` and calls `resume` with it in place; a
    // renewal of the account already under way is joined. A refusal fails the run, and so does
    // an account refused before. A run whose account is removed meanwhile ends quietly.
    void renew(const RunPtr& run, const QString& refreshToken, const std::function<void()>& resume);
    // Whether a renewal of `refreshToken` may still write the account's tokens: the account
    // exists and no sign-in replaced that token meanwhile.
    bool ownsTokens(const QString& accountId, const QString& refreshToken) const;
    // The renewal was refused after a new sign-in replaced the tokens it renewed: `resume` with
    // the stored access token, renewed first when it is about to expire.
    void carryOnWithStoredTokens(const RunPtr& run, const std::function<void()>& resume);
    // The run's access token was refused (401) and the run has not renewed it yet: takes the
    // token another run renewed meanwhile, else renews it; then `resume`.
    void renewAfterRefusal(const RunPtr& run, const std::function<void()>& resume);
    void startPull(const RunPtr& run);
    // Applies the listing; false when the store could not take it at all.
    bool applyEventsPage(const RunPtr& run, const QList<QJsonObject>& items,
                         const QString& nextSyncToken);
    // Stores a new sync token on the calendar (nothing for an empty or unchanged one).
    void storeSyncToken(const RunPtr& run, const QString& token);
    void pushPending(const RunPtr& run);
    // Sends the run's next flights while fewer than pushRequestsAtOnce are out.
    void sendMore(const RunPtr& run);
    void sendFlight(const RunPtr& run, Flight& flight);
    // Once the cancellation's series has landed: of the writes of its series in the run, keeps
    // the one that takes its place (the occurrence Google's copy names by the cancelled start,
    // carried to the series here), or all of them when Google's copy was not read.
    void findPlace(const RunPtr& run, Flight& cancellation);
    // A series about to be merged into Google's copy `item` of it: keeps the copy for the run, and
    // gives the row with its exception dates carried from the copy's starts (stored so).
    Event againstCopy(const RunPtr& run, Flight& flight, const Event& row, const QJsonObject& item);
    void onWritten(const RunPtr& run, const QString& localId, const QString& providerEventId,
                   const QString& etag, const QJsonObject& item);
    void onDeleted(const RunPtr& run, const QString& localId);
    void onFetched(const RunPtr& run, const QString& localId, const QJsonObject& item);
    // The row merged into `item`; a first change of an occurrence names its series and start.
    static QJsonObject updateBody(const Flight& flight, const QJsonObject& item, const Event& row);
    void onWriteFailed(const RunPtr& run, const QString& localId, const QString& reason,
                       int statusCode);
    void land(const RunPtr& run, const QString& localId);
    void finish(const RunPtr& run);
    void fail(const RunPtr& run, const QString& reason);
    // Ends the run of a removed account: nothing stored, nothing failed, completed with 0 events.
    void endQuietly(const RunPtr& run);
    // Marks the run ended and lets its requests go; false when it had ended already.
    bool end(const RunPtr& run);
    CalendarClient* newClient(const RunPtr& run);

    AppState* m_state;
    // Shared by the runs' requests (and with the other clients on the application's thread),
    // so that they reuse its connections and its set-up. Owned only when not shared.
    QNetworkAccessManager* m_network;
    int m_transferTimeoutMs;
    // The renewal under way per account id, shared by the runs waiting for it.
    QHash<QString, AuthService*> m_renewals;
};

} // namespace Google

#include "GoogleSyncClient.h"

#include "AccountAttention.h"
#include "AccountRepository.h"
#include "AppState.h"
#include "CalendarRepository.h"
#include "Clock.h"
#include "EventRepository.h"
#include "GoogleAuthService.h"
#include "GoogleCalendarClient.h"
#include "GoogleEventMapping.h"
#include "GoogleListingApplier.h"
#include "GoogleSeriesCopy.h"
#include "GoogleSyncStore.h"
#include "ShownText.h"

#include <QCoreApplication>
#include <QDebug>
#include <QHash>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QPointer>
#include <QSet>
#include <QThread>

#include <algorithm>

namespace Google {

namespace {

// What a local edit changes: a reply to a push is only taken as the row's state when none of
// this moved while the push was out.
QString versionOf(const Event& event)
{
    QStringList parts{event.lastModified.toString(Qt::ISODateWithMs),
                      event.deletedAt ? event.deletedAt->toString(Qt::ISODateWithMs) : QString(),
                      event.title,
                      event.description,
                      event.location,
                      event.startTime.toString(Qt::ISODateWithMs),
                      event.endTime ? event.endTime->toString(Qt::ISODateWithMs) : QString(),
                      event.isAllDay ? QStringLiteral("1") : QStringLiteral("0"),
                      event.timezone,
                      event.recurrenceRule,
                      event.exceptionDates,
                      event.status,
                      event.rawIcalendar};
    for (const Reminder& reminder : event.reminders)
        parts << reminder.action + u':' + QString::number(reminder.minutesBefore);
    return parts.join(QChar(0x1f));
}

// On a renewal under way: the refresh token it renews.
const char* const renewedTokenProperty = "googleRenewedToken";

// The Google id of the series whose occurrence `recurrenceId` the Google id names; empty when it
// names none.
QString seriesIdOf(const QString& googleId, const QString& recurrenceId)
{
    const QString suffix = u'_' + recurrenceId;
    return !recurrenceId.isEmpty() && googleId.endsWith(suffix) ? googleId.chopped(suffix.size())
                                                                : QString();
}

// A refusal that the same request meets again however often it is sent; anything else (a server
// error, too many requests, no answer) may pass with a later run.
bool refusedForGood(int statusCode)
{
    return statusCode >= 400 && statusCode < 500 && statusCode != 429;
}

QString compactJson(const QJsonObject& item)
{
    return QString::fromUtf8(QJsonDocument(item).toJson(QJsonDocument::Compact));
}

// The network access manager of the clients on the application's thread, shared so that a
// run reuses the connection (and TLS session) an earlier client opened to Google: a run with
// nothing to do is one small request, and a new connection would cost more than the request.
// Clients on another thread get one of their own (owned by `owner`).
QNetworkAccessManager* networkFor(QObject* owner)
{
    QCoreApplication* application = QCoreApplication::instance();
    if (!application || QThread::currentThread() != application->thread())
        return new QNetworkAccessManager(owner);
    static QPointer<QNetworkAccessManager> shared;
    if (!shared)
        shared = new QNetworkAccessManager(application);
    return shared;
}

} // namespace

// One push request in flight, matched to its row by the local id.
struct SyncClient::Flight
{
    enum class Kind { Insert, Update, Delete };
    enum class Reading { None, BeforeUpdate, AfterStaleEtag, AfterTakenId };

    QString localId;
    Kind kind = Kind::Insert;
    QString version;       // of the row when the request left
    QString googleId;      // the id the request names; empty until a new series has landed
    QString seriesId;      // an occurrence sent for the first time: its series' Google id
    QString seriesLocalId; // an occurrence whose series goes out in the same run: the series' row
    // A cancelled occurrence whose series goes out in the same run: the occurrences of the series
    // written in the run, by recurrence id; once the series has landed, only the one that takes its
    // place (placeFound), which it waits for.
    QHash<QString, QString> writtenInSeries;
    bool placeFound = false;
    bool retried = false; // a second attempt after 412 or 409 was made
    Reading reading = Reading::None;
};

// The state of one run, carried by its handlers.
struct SyncClient::Run
{
    Calendar calendar;
    QString accountId;
    QString accessToken;
    CalendarClient* client = nullptr;
    bool relisted = false; // the full listing after a refused sync token has run
    bool renewed = false;  // the access token was renewed for this run
    bool ended = false;
    int eventCount = 0;
    QString localFailure; // pulled events that could not be stored
    QString pushFailure;  // the first push that failed for good
    QHash<QString, Flight> flights;
    QList<QString> unsent; // flights not sent yet, in order
    QSet<QString> failedForNow; // rows whose write failed in the run, but not for good
    // Series updated in the run, by row id: Google's copy as it stood before the update.
    QHash<QString, Event> seriesCopies;
    bool sending = false; // sendMore is on the stack
};

SyncClient::SyncClient(AppState* state, QObject* parent)
    : QObject(parent), m_state(state), m_network(networkFor(this)),
      m_transferTimeoutMs(CalendarClient::defaultTransferTimeoutMs)
{
}

SyncClient::~SyncClient() = default;

bool SyncClient::needsRefresh(const QDateTime& expiresAt, const QDateTime& now)
{
    return !expiresAt.isValid() || expiresAt < now.addSecs(refreshMarginSeconds);
}

CalendarClient* SyncClient::newClient(const RunPtr& run)
{
    auto* client = new CalendarClient(this, m_network);
    client->setAccessToken(run->accessToken);
    client->setTransferTimeout(m_transferTimeoutMs);
    return client;
}

void SyncClient::syncCalendar(const Calendar& calendar)
{
    auto run = std::make_shared<Run>();
    run->calendar = calendar;
    Q_EMIT calendarSyncStarted(calendar.id);

    const std::optional<Account> account = m_state->accounts()->getById(calendar.accountId);
    if (!account)
        return fail(run, tr("Parent account missing"));
    run->accountId = account->id;
    // Google refused the sign-in: asking again only meets the same refusal, so the account's
    // runs fail at once until the user signs in again (which takes the mark away).
    if (account->lastSyncError == AccountAttention::signInRequiredText())
        return fail(run, signInRefusedText());
    const TokenSet tokens = AuthService::loadTokens(account->id);
    if (tokens.refreshToken.isEmpty())
        return fail(run, tr("No saved Google credentials. Sign in again."));
    if (!needsRefresh(tokens.expiresAt, Clock::now())) {
        run->accessToken = tokens.accessToken;
        return startPull(run);
    }
    renew(run, tokens.refreshToken, [this, run] { startPull(run); });
}

void SyncClient::renew(const RunPtr& run, const QString& refreshToken,
                       const std::function<void()>& resume)
{
    run->renewed = true;
    const QString accountId = run->accountId;
    const std::optional<Account> account = m_state->accounts()->getById(accountId);
    if (!account)
        return endQuietly(run);
    // Refused while this run was under way.
    if (account->lastSyncError == AccountAttention::signInRequiredText())
        return fail(run, signInRefusedText());
    AuthService* auth = m_renewals.value(accountId);
    const bool starting = !auth;
    if (starting) {
        auth = new AuthService(this);
        auth->setTransferTimeout(m_transferTimeoutMs);
        // The runs that join it judge its answer by the token it renews, not by their own.
        auth->setProperty(renewedTokenProperty, refreshToken);
        m_renewals.insert(accountId, auth);
        // Connected before any run's handlers: the tokens are stored before the runs go on.
        connect(auth, &AuthService::refreshSucceeded, this,
                [this, auth, accountId, refreshToken](const QString& accessToken,
                                                      const QDateTime& expiresAt,
                                                      const QString& rotated) {
                    m_renewals.remove(accountId);
                    auth->deleteLater();
                    if (!ownsTokens(accountId, refreshToken)) {
                        qInfo().noquote() << "[Google] renewed tokens dropped: the account was "
                                             "removed or signed in again meanwhile";
                        return;
                    }
                    TokenSet fresh;
                    fresh.accessToken = accessToken;
                    fresh.refreshToken = rotated.isEmpty() ? refreshToken : rotated;
                    fresh.expiresAt = expiresAt;
                    if (!AuthService::saveTokens(accountId, fresh))
                        qWarning().noquote() << "[Google] the refreshed tokens could not be stored";
                    setSignInRequired(accountId, false);
                });
        connect(auth, &AuthService::refreshFailed, this,
                [this, auth, accountId, refreshToken](const QString& reason, bool refused) {
                    m_renewals.remove(accountId);
                    auth->deleteLater();
                    if (!refused || !ownsTokens(accountId, refreshToken))
                        return;
                    // Revoked or expired: no later run gets further, so the account asks for a
                    // sign-in. Its calendars keep every row until then.
                    qWarning().noquote() << "[Google] token refresh refused:" << reason;
                    setSignInRequired(accountId, true);
                });
    }
    connect(auth, &AuthService::refreshSucceeded, this,
            [this, run, resume](const QString& accessToken) {
                if (!m_state->accounts()->getById(run->accountId))
                    return endQuietly(run);
                run->accessToken = accessToken;
                resume();
            });
    connect(auth, &AuthService::refreshFailed, this,
            [this, run, resume, renewing = auth->property(renewedTokenProperty).toString()](
                const QString& reason, bool refused) {
                if (!m_state->accounts()->getById(run->accountId))
                    return endQuietly(run);
                // Google refused the sign-in that a new one has replaced meanwhile: the run
                // goes on with the new one, as the account does.
                if (refused && !ownsTokens(run->accountId, renewing))
                    return carryOnWithStoredTokens(run, resume);
                fail(run, refused ? signInRefusedText()
                                  : tr("Google token refresh failed: %1").arg(reason));
            });
    // Only now: a refresh that cannot start fails at once, and every handler must hear it.
    if (starting)
        auth->refresh(refreshToken);
}

bool SyncClient::ownsTokens(const QString& accountId, const QString& refreshToken) const
{
    return m_state->accounts()->getById(accountId).has_value() &&
           AuthService::loadTokens(accountId).refreshToken == refreshToken;
}

void SyncClient::carryOnWithStoredTokens(const RunPtr& run, const std::function<void()>& resume)
{
    const TokenSet stored = AuthService::loadTokens(run->accountId);
    if (stored.refreshToken.isEmpty())
        return fail(run, tr("No saved Google credentials. Sign in again."));
    qInfo().noquote() << "[Google] sync of" << ShownText::logged(run->calendar.name)
                      << "goes on with the new sign-in";
    if (needsRefresh(stored.expiresAt, Clock::now()))
        return renew(run, stored.refreshToken, resume);
    run->accessToken = stored.accessToken;
    resume();
}

QString SyncClient::signInRefusedText()
{
    return tr("Google no longer accepts the saved sign-in. Sign in again.");
}

void SyncClient::renewAfterRefusal(const RunPtr& run, const std::function<void()>& resume)
{
    qInfo().noquote() << "[Google] renewing the access token refused while syncing"
                      << ShownText::logged(run->calendar.name);
    const TokenSet stored = AuthService::loadTokens(run->accountId);
    if (stored.refreshToken.isEmpty())
        return fail(run, tr("No saved Google credentials. Sign in again."));
    if (!stored.accessToken.isEmpty() && stored.accessToken != run->accessToken) {
        // Another run of the account has renewed it since this run read it.
        run->renewed = true;
        run->accessToken = stored.accessToken;
        return resume();
    }
    renew(run, stored.refreshToken, resume);
}

void SyncClient::setSignInRequired(const QString& accountId, bool required)
{
    std::optional<Account> account = m_state->accounts()->getById(accountId);
    const QString marker = AccountAttention::signInRequiredText();
    // Clearing leaves any other error the account keeps alone.
    if (!account || (account->lastSyncError == marker) == required)
        return;
    account->lastSyncError = required ? marker : QString();
    account->updatedAt = Clock::now();
    m_state->accounts()->update(*account);
}

void SyncClient::startPull(const RunPtr& run)
{
    CalendarClient* client = newClient(run);
    connect(client, &CalendarClient::requestFailed, this,
            [this, run, client](const QString& reason, int status) {
                client->deleteLater();
                if (status == 401 && !run->renewed)
                    return renewAfterRefusal(run, [this, run] { startPull(run); });
                fail(run, reason);
            });
    connect(client, &CalendarClient::syncTokenExpired, this, [this, run, client] {
        client->deleteLater();
        if (run->relisted)
            return fail(run, tr("Google refused the calendar's sync token again."));
        run->relisted = true;
        qInfo().noquote() << "[Google] sync token of" << ShownText::logged(run->calendar.name)
                          << "expired; listing everything";
        if (std::optional<Calendar> stored = m_state->calendars()->getById(run->calendar.id)) {
            run->calendar = *stored;
        }
        run->calendar.syncToken.clear();
        run->calendar.deltaSyncToken.clear();
        run->calendar.updatedAt = Clock::now();
        m_state->calendars()->updateSyncState(run->calendar);
        startPull(run);
    });
    connect(client, &CalendarClient::eventsListed, this,
            [this, run, client](const QString&, const CalendarClient::EventListPage& page) {
                client->deleteLater();
                run->eventCount = int(page.items.size());
                if (!applyEventsPage(run, page.items, page.nextSyncToken))
                    return fail(run, tr("The Google events could not be stored."));
                pushPending(run);
            });
    client->listEvents(run->calendar.url, run->calendar.syncToken, {}, {});
}

bool SyncClient::applyEventsPage(const RunPtr& run, const QList<QJsonObject>& items,
                                 const QString& nextSyncToken)
{
    const bool fullListing = run->calendar.syncToken.isEmpty();
    if (items.isEmpty() && !fullListing) {
        storeSyncToken(run, nextSyncToken);
        return true;
    }
    const ListingApplier::Outcome outcome =
        ListingApplier(m_state).apply(run->calendar.id, items, fullListing);
    if (!outcome.stored)
        return false;
    if (outcome.failed == 0)
        storeSyncToken(run, nextSyncToken);
    qInfo().noquote() << "[Google] sync" << ShownText::logged(run->calendar.name) << "upserted"
                      << outcome.upserted << "tombstoned" << outcome.tombstoned << "failed"
                      << outcome.failed;
    if (outcome.failed > 0)
        run->localFailure = tr("%n event(s) failed to save locally; will retry next sync.", nullptr,
                               outcome.failed);
    return true;
}

void SyncClient::storeSyncToken(const RunPtr& run, const QString& token)
{
    if (token.isEmpty() || token == run->calendar.syncToken)
        return;
    Calendar stored = m_state->calendars()->getById(run->calendar.id).value_or(run->calendar);
    stored.syncToken = token;
    stored.updatedAt = Clock::now();
    if (m_state->calendars()->updateSyncState(stored))
        run->calendar = stored;
}

void SyncClient::pushPending(const RunPtr& run)
{
    // The pending rows by a narrow query first: on most runs there are none, and reading them
    // whole (by start, with their child rows) costs more than the rest of an unchanged run.
    QList<Event> pending;
    for (const QString& id : m_state->events()->pendingIds(run->calendar.id)) {
        if (std::optional<Event> row = m_state->events()->getById(id))
            pending.append(*row);
    }
    if (pending.isEmpty())
        return finish(run);
    run->client = newClient(run);
    CalendarClient* client = run->client;
    connect(
        client, &CalendarClient::eventWritten, this,
        [this, run](const QString& localId, const QString& googleId, const QString& etag,
                    const QJsonObject& item) { onWritten(run, localId, googleId, etag, item); });
    connect(client, &CalendarClient::eventDeleted, this,
            [this, run](const QString& localId) { onDeleted(run, localId); });
    connect(client, &CalendarClient::eventFetched, this,
            [this, run](const QString& localId, const QJsonObject& item) {
                onFetched(run, localId, item);
            });
    connect(client, &CalendarClient::eventWriteFailed, this,
            [this, run](const QString& localId, const QString& reason, int status) {
                onWriteFailed(run, localId, reason, status);
            });

    QHash<QString, QString> pendingSeries; // uid -> local id
    for (const Event& row : pending) {
        if (row.recurrenceId.isEmpty() && !row.recurrenceRule.isEmpty())
            pendingSeries.insert(row.uid, row.id);
    }
    QList<QString> occurrences;
    // Occurrences cancelled go after the occurrences of their series written in the run: when a
    // change moves from one occurrence to another (a series moved, or such a move undone), Google
    // shows the plain occurrence in its place until the new one is written.
    QList<QString> cancellations;
    // series uid -> recurrence id -> occurrence row written
    QHash<QString, QHash<QString, QString>> writtenBySeries;
    for (const Event& row : pending) {
        if (!row.deletedAt && !row.masterEventUid.isEmpty() && !row.recurrenceId.isEmpty())
            writtenBySeries[row.masterEventUid].insert(row.recurrenceId, row.id);
    }
    for (const Event& row : pending) {
        Flight flight;
        flight.localId = row.id;
        flight.version = versionOf(row);
        if (!row.masterEventUid.isEmpty() && !row.recurrenceId.isEmpty())
            flight.seriesLocalId = pendingSeries.value(row.masterEventUid);
        if (row.deletedAt) {
            flight.kind = Flight::Kind::Delete;
            // A row never acknowledged may still have reached Google under the id chosen for it.
            flight.googleId =
                row.providerEventId.isEmpty() ? clientEventId(row.id) : row.providerEventId;
        } else if (row.providerEventId.isEmpty() && !row.recurrenceId.isEmpty()) {
            // A changed occurrence of a series is that occurrence on Google, never an event of
            // its own: it waits until its series is there, and a new series going out in this
            // run names it once Google has taken the series (sendFlight).
            const std::optional<Event> master = m_state->events()->getByUidAndRecurrenceId(
                row.masterEventUid, run->calendar.id, QString());
            if (!master || row.masterEventUid.isEmpty()) {
                qWarning().noquote()
                    << "[Google] occurrence" << row.id << "stays unsent: its series is not stored";
                continue;
            }
            if (master->providerEventId.isEmpty() && flight.seriesLocalId.isEmpty())
                continue;
            flight.kind = Flight::Kind::Update;
            if (!master->providerEventId.isEmpty()) {
                flight.googleId = occurrenceId(master->providerEventId, row.recurrenceId);
                flight.seriesId = master->providerEventId;
            }
        } else if (row.providerEventId.isEmpty()) {
            flight.kind = Flight::Kind::Insert;
            flight.googleId = clientEventId(row.id);
        } else {
            flight.kind = Flight::Kind::Update;
            flight.googleId = row.providerEventId;
        }
        // Without its series going out, nothing moved the occurrence's place since Google last
        // took the series.
        if (row.deletedAt && !row.recurrenceId.isEmpty() && !flight.seriesLocalId.isEmpty())
            flight.writtenInSeries = writtenBySeries.value(row.masterEventUid);
        run->flights.insert(row.id, flight);
        (!flight.writtenInSeries.isEmpty() ? cancellations
         : flight.seriesLocalId.isEmpty()  ? run->unsent
                                           : occurrences)
            .append(row.id);
    }
    // Every row may be an occurrence waiting for its series to reach Google.
    if (run->flights.isEmpty())
        return finish(run);
    for (const QString& id : std::as_const(cancellations)) {
        run->flights[id].writtenInSeries.removeIf(
            [&run](const auto& written) { return !run->flights.contains(written.value()); });
    }
    run->unsent.append(occurrences);
    run->unsent.append(cancellations);
    sendMore(run);
}

void SyncClient::sendMore(const RunPtr& run)
{
    // A flight that lands at once (its row gone) calls back in here: the loop below sends on.
    if (run->sending)
        return;
    run->sending = true;
    // A row may have gone (and the run ended) while the earlier ones were sent.
    while (!run->ended && !run->unsent.isEmpty() &&
           run->flights.size() - run->unsent.size() < pushRequestsAtOnce) {
        const auto flight = run->flights.find(run->unsent.first());
        // The occurrences come last and wait for their series to land: an occurrence's change
        // is made against its series as Google holds it, so the series' own change goes first.
        if (flight != run->flights.end() && run->flights.contains(flight->seriesLocalId))
            break;
        // Cancellations come after them and wait for the write that takes their place to end: a
        // write Google refuses holds back no more than this run.
        if (flight != run->flights.end() && !flight->placeFound)
            findPlace(run, *flight);
        if (flight != run->flights.end() &&
            std::any_of(flight->writtenInSeries.cbegin(), flight->writtenInSeries.cend(),
                        [&run](const QString& id) { return run->flights.contains(id); }))
            break;
        run->unsent.removeFirst();
        if (flight == run->flights.end())
            continue;
        // That write, or the series' own, failed for the moment: the cancellation stays pending
        // for the run that sends it again, so that Google still shows the change meanwhile, at
        // the start it had, rather than the plain occurrence alone.
        const auto failedForNow = [&run](const QString& id) {
            return run->failedForNow.contains(id);
        };
        if (!flight->writtenInSeries.isEmpty() &&
            (failedForNow(flight->seriesLocalId) ||
             std::any_of(flight->writtenInSeries.cbegin(), flight->writtenInSeries.cend(),
                         failedForNow))) {
            qInfo().noquote() << "[Google] cancellation of" << flight->localId
                              << "waits: the write of its series or its place failed";
            land(run, flight->localId);
            continue;
        }
        sendFlight(run, *flight);
    }
    run->sending = false;
}

void SyncClient::findPlace(const RunPtr& run, Flight& cancellation)
{
    cancellation.placeFound = true;
    // Google's copy of the series was not read (its read failed): every write waits.
    const auto copy = run->seriesCopies.constFind(cancellation.seriesLocalId);
    if (cancellation.writtenInSeries.isEmpty() || copy == run->seriesCopies.cend())
        return;
    const std::optional<Event> series = m_state->events()->getById(cancellation.seriesLocalId);
    const std::optional<Event> row = m_state->events()->getById(cancellation.localId);
    const QString place =
        series && row ? SeriesCopy::carried(*copy, *series, row->recurrenceId) : QString();
    const QString taking = cancellation.writtenInSeries.value(place);
    cancellation.writtenInSeries.clear();
    if (!taking.isEmpty())
        cancellation.writtenInSeries.insert(place, taking);
}

Event SyncClient::againstCopy(const RunPtr& run, Flight& flight, const Event& row,
                              const QJsonObject& item)
{
    if (!row.recurrenceId.isEmpty() || row.recurrenceRule.isEmpty())
        return row;
    const Event copy = eventFromJson(item, run->calendar.id);
    run->seriesCopies.insert(row.id, copy);
    // The exception dates taken from Google's cancellations name the starts of its copy, which a
    // move here (or its undo) left behind: they go out at the starts the series has here.
    const QString dates = SeriesCopy::exceptionDates(copy, row);
    if (dates == row.exceptionDates ||
        !GoogleSyncStore(m_state->database()).setExceptionDates(row.id, dates))
        return row;
    Event carried = row;
    carried.exceptionDates = dates;
    flight.version = versionOf(carried);
    return carried;
}

void SyncClient::sendFlight(const RunPtr& run, Flight& flight)
{
    const std::optional<Event> row = m_state->events()->getById(flight.localId);
    if (!row) {
        // Gone meanwhile (removed for good by another path): nothing left to send.
        return land(run, flight.localId);
    }
    if (flight.googleId.isEmpty()) {
        // An occurrence of a series that went out as new in this run: that occurrence of
        // Google's copy, unless the series did not get there.
        const std::optional<Event> series = m_state->events()->getById(flight.seriesLocalId);
        if (!series || series->providerEventId.isEmpty()) {
            qInfo().noquote() << "[Google] occurrence" << row->id
                              << "stays unsent: its series did not reach Google";
            return land(run, flight.localId);
        }
        flight.seriesId = series->providerEventId;
        flight.googleId = occurrenceId(series->providerEventId, row->recurrenceId);
    }
    const QString& calendarUrl = run->calendar.url;
    switch (flight.kind) {
    case Flight::Kind::Delete:
        run->client->deleteEvent(row->id, calendarUrl, flight.googleId, row->etag);
        break;
    case Flight::Kind::Insert: {
        QJsonObject body = eventToJson(*row);
        body.insert(QStringLiteral("id"), flight.googleId);
        run->client->insertEvent(row->id, calendarUrl, body);
        break;
    }
    case Flight::Kind::Update: {
        // The row keeps the item Google last sent as its raw text, until an edit here rewrites
        // that as iCalendar: then Google's copy is read first, so that the update keeps what
        // this system does not hold. So is an occurrence changed here for the first time: its
        // row holds no item of Google's for it, and Google's copy carries its guests. An item
        // older than the row's ETag (an undo put back the text of an earlier state) is not the
        // newest copy either.
        const QJsonObject stored = QJsonDocument::fromJson(row->rawIcalendar.toUtf8()).object();
        if (stored.value(QLatin1String("id")).toString() != flight.googleId ||
            stored.value(QLatin1String("etag")).toString() != row->etag) {
            flight.reading = Flight::Reading::BeforeUpdate;
            run->client->getEvent(row->id, calendarUrl, flight.googleId);
            break;
        }
        run->client->updateEvent(row->id, calendarUrl, flight.googleId,
                                 updateBody(flight, stored, againstCopy(run, flight, *row, stored)),
                                 row->etag);
        break;
    }
    }
}

void SyncClient::onWritten(const RunPtr& run, const QString& localId, const QString& googleId,
                           const QString& etag, const QJsonObject& item)
{
    if (!run->flights.contains(localId))
        return;
    const Flight flight = run->flights.value(localId);
    const std::optional<Event> row = m_state->events()->getById(localId);
    if (!row) {
        qWarning().noquote() << "[Google] push success but local row gone:" << localId;
        return land(run, localId);
    }
    // Edited or deleted while the push was out: the row keeps its pending state (and now
    // Google's id and ETag), so the next run sends the newer version.
    const bool unchanged = versionOf(*row) == flight.version;
    GoogleSyncStore store(m_state->database());
    // The occurrence stands at Google again (an undo wrote back one this program had cancelled): a
    // cancellation of it listed from now on is another client's, which wins over an edit here.
    if (const QString seriesId = seriesIdOf(googleId, row->recurrenceId); !seriesId.isEmpty())
        store.removeCancelledOccurrence(run->calendar.id, seriesId, row->recurrenceId);
    const bool stored = store.setGoogleIds(localId, googleId, etag, compactJson(item), unchanged);
    if (!stored && run->pushFailure.isEmpty())
        run->pushFailure = tr("The Google event's new state could not be stored.");
    qInfo().noquote() << "[Google] pushed" << localId
                      << "→ providerEventId=" + googleId.left(16) + "..."
                      << (unchanged ? "" : "(changed meanwhile, stays pending)");
    land(run, localId);
}

void SyncClient::onDeleted(const RunPtr& run, const QString& localId)
{
    if (!run->flights.contains(localId))
        return;
    const std::optional<Event> row = m_state->events()->getById(localId);
    GoogleSyncStore store(m_state->database());
    // Google keeps the occurrence as cancelled: the listing that reports it brings no news of
    // another client's, and leaves alone a row that stands for that occurrence here again.
    const QString seriesId =
        row ? seriesIdOf(run->flights.value(localId).googleId, row->recurrenceId) : QString();
    if (!seriesId.isEmpty())
        store.addCancelledOccurrence(run->calendar.id, seriesId, row->recurrenceId);
    if (row && !row->deletedAt) {
        // Restored while its deletion was out: Google's copy is gone, so it goes out anew.
        store.setGoogleIds(localId, QString(), QString(), row->rawIcalendar, false);
    } else if (row) {
        m_state->events()->hardDelete(localId);
    }
    qInfo().noquote() << "[Google] pushed delete" << localId;
    land(run, localId);
}

void SyncClient::onFetched(const RunPtr& run, const QString& localId, const QJsonObject& item)
{
    if (!run->flights.contains(localId))
        return;
    Flight& flight = run->flights[localId];
    const std::optional<Event> row = m_state->events()->getById(localId);
    if (!row)
        return land(run, localId);
    // Google's current copy: the event is merged into it and sent against its ETag. Only a read
    // made before the first attempt leaves a retry.
    flight.retried = flight.retried || flight.reading != Flight::Reading::BeforeUpdate;
    flight.reading = Flight::Reading::None;
    flight.kind = Flight::Kind::Update;
    flight.version = versionOf(*row);
    run->client->updateEvent(localId, run->calendar.url, flight.googleId,
                             updateBody(flight, item, againstCopy(run, flight, *row, item)),
                             item.value(QLatin1String("etag")).toString());
}

QJsonObject SyncClient::updateBody(const Flight& flight, const QJsonObject& item, const Event& row)
{
    QJsonObject body = mergeIntoItem(item, row);
    if (!flight.seriesId.isEmpty()) {
        body.insert(QStringLiteral("recurringEventId"), flight.seriesId);
        body.insert(QStringLiteral("originalStartTime"),
                    originalStartToJson(row.recurrenceId, row.timezone));
    }
    return body;
}

void SyncClient::onWriteFailed(const RunPtr& run, const QString& localId, const QString& reason,
                               int statusCode)
{
    if (!run->flights.contains(localId))
        return;
    Flight& flight = run->flights[localId];
    qWarning().noquote() << "[Google] push failed for" << localId << "status" << statusCode
                         << "reason" << reason;
    if (statusCode == 401 && !run->renewed) {
        // The access token was refused, so every request still out meets the same refusal: the
        // push starts over with a renewed token and sends what is still pending. Should one of
        // the abandoned requests have been taken after all, the new push meets it as it meets a
        // reply lost on the way (409 or 412, then read and sent again).
        run->client->disconnect(this);
        run->client->deleteLater();
        run->client = nullptr;
        run->flights.clear();
        run->unsent.clear();
        run->failedForNow.clear();
        return renewAfterRefusal(run, [this, run] { pushPending(run); });
    }
    // A stale ETag (the row was skipped by a pull while pending) or an id already taken (an
    // insert whose reply was lost): read Google's copy and send once more against it.
    const bool staleEtag = statusCode == 412 && flight.kind != Flight::Kind::Delete;
    const bool idTaken = statusCode == 409 && flight.kind == Flight::Kind::Insert;
    if ((staleEtag || idTaken) && !flight.retried && flight.reading == Flight::Reading::None) {
        flight.reading =
            staleEtag ? Flight::Reading::AfterStaleEtag : Flight::Reading::AfterTakenId;
        run->client->getEvent(localId, run->calendar.url, flight.googleId);
        return;
    }
    if (statusCode == 412 && flight.kind == Flight::Kind::Delete && !flight.retried) {
        // Deleted here, changed there: the deletion wins, sent without a condition.
        flight.retried = true;
        run->client->deleteEvent(localId, run->calendar.url, flight.googleId, QString());
        return;
    }
    const std::optional<Event> row = m_state->events()->getById(localId);
    const bool goneThere = statusCode == 404 && flight.kind == Flight::Kind::Update;
    if (goneThere && !row)
        return land(run, localId);
    if (goneThere && !row->providerEventId.isEmpty()) {
        // Gone from Google while edited here: the edit wins and goes out as a new event.
        Event cleared = *row;
        cleared.providerEventId.clear();
        cleared.etag.clear();
        cleared.href.clear();
        cleared.lastModified = Clock::now();
        cleared.syncStatus = QStringLiteral("pending");
        m_state->events()->update(cleared);
        qInfo().noquote() << "[Google] cleared stale providerEventId on" << localId
                          << "for retry as insert";
        return land(run, localId);
    }
    // An occurrence changed here for the first time has no id of its own to drop: Google holding
    // no such occurrence fails the run like any other failure, and the change stays pending. A
    // failed read, and a refused write of an occurrence, name the event, as the reason names
    // only the request.
    if (run->pushFailure.isEmpty()) {
        if (row && flight.reading != Flight::Reading::None)
            run->pushFailure =
                tr("Google's copy of \"%1\" could not be read: %2").arg(row->title, reason);
        else if (row && !row->recurrenceId.isEmpty())
            run->pushFailure =
                tr("\"%1\" could not be written to Google: %2").arg(row->title, reason);
        else
            run->pushFailure = reason;
    }
    if (!refusedForGood(statusCode))
        run->failedForNow.insert(localId);
    land(run, localId);
}

void SyncClient::land(const RunPtr& run, const QString& localId)
{
    run->flights.remove(localId);
    if (run->flights.isEmpty())
        return finish(run);
    sendMore(run);
}

void SyncClient::finish(const RunPtr& run)
{
    if (run->ended)
        return;
    const QString failure = !run->localFailure.isEmpty() ? run->localFailure : run->pushFailure;
    if (!failure.isEmpty())
        return fail(run, failure);
    run->ended = true;
    if (run->client)
        run->client->deleteLater();
    // The run's copy of the calendar is as fresh as the run's own writes; an error stored by
    // someone else meanwhile is cleared by the next run.
    if (std::optional<Calendar> stored = run->calendar.lastSyncError.isEmpty()
                                             ? std::nullopt
                                             : m_state->calendars()->getById(run->calendar.id);
        stored && !stored->lastSyncError.isEmpty()) {
        stored->lastSyncError.clear();
        stored->updatedAt = Clock::now();
        m_state->calendars()->updateSyncState(*stored);
    }
    Q_EMIT calendarSyncCompleted(run->calendar.id, run->eventCount);
}

bool SyncClient::end(const RunPtr& run)
{
    if (run->ended)
        return false;
    run->ended = true;
    if (run->client)
        run->client->deleteLater();
    run->flights.clear();
    run->unsent.clear();
    return true;
}

void SyncClient::endQuietly(const RunPtr& run)
{
    if (!end(run))
        return;
    qInfo().noquote() << "[Google] sync of" << ShownText::logged(run->calendar.name)
                      << "ended: its account was removed";
    Q_EMIT calendarSyncCompleted(run->calendar.id, 0);
}

void SyncClient::fail(const RunPtr& run, const QString& reason)
{
    if (!end(run))
        return;
    if (std::optional<Calendar> stored = m_state->calendars()->getById(run->calendar.id);
        stored && stored->lastSyncError != reason) {
        stored->lastSyncError = reason;
        stored->updatedAt = Clock::now();
        m_state->calendars()->updateSyncState(*stored);
    }
    qWarning().noquote() << "[Google] sync of" << ShownText::logged(run->calendar.name)
                         << "failed:" << reason;
    Q_EMIT calendarSyncFailed(run->calendar.id, reason);
}

} // namespace Google

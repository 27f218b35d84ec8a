#include "GoogleCalendarImport.h"

#include "AccountRepository.h"
#include "AppState.h"
#include "CalendarKey.h"
#include "CalendarRepository.h"
#include "Clock.h"
#include "Database.h"
#include "GoogleAuthService.h"
#include "Limits.h"
#include "ShownText.h"

#include <QColor>
#include <QDebug>
#include <QHash>
#include <QLocale>
#include <QPointer>
#include <QRegularExpression>
#include <QSet>
#include <QUuid>

#include <algorithm>

namespace Google::CalendarImport {

namespace {

// Whether the status is leftOutText of some count: the text names its count, wherever a
// translation puts it, and that count gives the same text again.
bool isLeftOutText(const QString& status)
{
    static const QRegularExpression number(QStringLiteral("\\d+"));
    for (auto match = number.globalMatch(status); match.hasNext();) {
        const int count = match.next().captured().toInt();
        if (count > 0 && leftOutText(count) == status)
            return true;
    }
    return false;
}

// The account's status says how many listed calendars were left out, or no longer says it once
// none were. It takes the place of no other error: a list that worked proves none of them stale.
// The sign-in marker in particular says that Google refused the refresh token, and the list was
// read with an access token, which may pass until its expiry all the same. Writes only when the
// status changes.
void noteLeftOut(AppState* state, const QString& accountId, int leftOut)
{
    std::optional<Account> account =
        state->accounts() ? state->accounts()->getById(accountId) : std::nullopt;
    if (!account || (!account->lastSyncError.isEmpty() && !isLeftOutText(account->lastSyncError)))
        return;
    const QString status = leftOut > 0 ? leftOutText(leftOut) : QString();
    if (account->lastSyncError == status)
        return;
    account->lastSyncError = status;
    account->updatedAt = Clock::now();
    state->accounts()->update(*account);
}

} // namespace

bool isWritable(const QString& accessRole)
{
    return accessRole == u"owner" || accessRole == u"writer";
}

int importCalendars(AppState* state, const QString& accountId,
                    const QList<DiscoveredCalendar>& calendars, int* leftOut)
{
    if (leftOut)
        *leftOut = 0;
    if (!state || accountId.isEmpty() || !state->calendars() || !state->database())
        return -1;
    CalendarRepository* repository = state->calendars();
    QHash<QString, Calendar> byUrl;
    for (const Calendar& calendar : repository->getByAccount(accountId))
        byUrl.insert(calendar.url, calendar);
    const std::optional<Account> account =
        state->accounts() ? state->accounts()->getById(accountId) : std::nullopt;

    bool anyCalendar = !repository->getAll().isEmpty();
    const QDateTime now = Clock::now();
    const qsizetype kept = std::min<qsizetype>(calendars.size(), Limits::maxDiscoveredCalendars);
    QList<Calendar> added;
    QList<Calendar> changed;
    for (const DiscoveredCalendar& discovered : calendars.first(kept)) {
        if (discovered.id.isEmpty())
            continue;
        const bool readOnly = !isWritable(discovered.accessRole);
        if (const auto existing = byUrl.constFind(discovered.id); existing != byUrl.constEnd()) {
            if (existing->isReadOnly == readOnly)
                continue;
            Calendar calendar = *existing;
            calendar.isReadOnly = readOnly;
            calendar.updatedAt = now;
            changed.append(calendar);
            byUrl.insert(calendar.url, calendar);
            continue;
        }
        Calendar calendar;
        calendar.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
        calendar.accountId = accountId;
        calendar.url = discovered.id;
        calendar.name = discovered.summary.isEmpty() ? discovered.id : discovered.summary;
        calendar.description = discovered.description;
        if (QColor::isValidColorName(discovered.backgroundColor))
            calendar.color = discovered.backgroundColor;
        calendar.isReadOnly = readOnly;
        calendar.isDefault = !anyCalendar;
        calendar.syncEnabled = true;
        if (account) {
            if (const auto key = calendarKey(account->type, discovered.id))
                calendar.canonicalKey = *key;
        }
        calendar.createdAt = now;
        calendar.updatedAt = now;
        added.append(calendar);
        byUrl.insert(calendar.url, calendar);
        anyCalendar = true;
    }
    QStringList notAdded;
    QSet<QString> notAddedIds;
    for (const DiscoveredCalendar& discovered : calendars.sliced(kept)) {
        if (discovered.id.isEmpty() || byUrl.contains(discovered.id) ||
            notAddedIds.contains(discovered.id))
            continue;
        notAddedIds.insert(discovered.id);
        notAdded.append(discovered.summary.isEmpty() ? discovered.id : discovered.summary);
    }
    if (calendars.size() > kept)
        qWarning().noquote() << "[Google]" << calendars.size() << "calendars listed; the first"
                             << kept << "are kept;" << notAdded.size()
                             << "not added:" << ShownText::loggedNames(notAdded);
    if (leftOut)
        *leftOut = int(notAdded.size());
    // One write and one change signal, so the account dialog rebuilds its tree once.
    if (!repository->saveAll(added, changed))
        return -1;
    return int(added.size());
}

QString leftOutText(int leftOut)
{
    return CalendarClient::tr("%n more calendar(s) were not added: Google lists more than %1.",
                              nullptr, leftOut)
        .arg(QLocale().toString(Limits::maxDiscoveredCalendars));
}

void listAndImport(AppState* state, const QString& accountId, const QString& accessToken,
                   QObject* context, Done done)
{
    auto* client = new CalendarClient(context);
    client->setAccessToken(accessToken);
    QObject::connect(client, &CalendarClient::calendarsListed, context,
                     [state, accountId, client, done](const QList<DiscoveredCalendar>& calendars) {
                         client->deleteLater();
                         int leftOut = 0;
                         const int added = importCalendars(state, accountId, calendars, &leftOut);
                         if (added < 0) {
                             done(false, 0, 0,
                                  CalendarClient::tr("The Google calendars could not be stored."));
                             return;
                         }
                         // Told after the dialog's status has moved on to the sync.
                         noteLeftOut(state, accountId, leftOut);
                         done(true, added, leftOut, QString());
                     });
    QObject::connect(client, &CalendarClient::requestFailed, context,
                     [client, done](const QString& reason) {
                         client->deleteLater();
                         done(false, 0, 0, reason);
                     });
    client->listCalendars();
}

void listAndImport(AppState* state, const QString& accountId, QObject* context, Done done)
{
    const QString token = AuthService::loadTokens(accountId).accessToken;
    if (token.isEmpty()) {
        done(false, 0, 0, CalendarClient::tr("No Google access token available."));
        return;
    }
    listAndImport(state, accountId, token, context, std::move(done));
}

} // namespace Google::CalendarImport

#include "CalDavImport.h"

#include "AccountRepository.h"
#include "AppState.h"
#include "CalendarKey.h"
#include "CalendarRepository.h"
#include "Clock.h"
#include "Database.h"
#include "Defaults.h"
#include "Limits.h"
#include "ShownText.h"

#include <QCoreApplication>
#include <QDebug>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLocale>
#include <QSet>
#include <QUuid>

#include <algorithm>

namespace CalDavImport {

namespace {

QString componentsJson(const QStringList& components)
{
    return QString::fromUtf8(
        QJsonDocument(QJsonArray::fromStringList(components)).toJson(QJsonDocument::Compact));
}

bool isPlaceholder(const Calendar& calendar)
{
    return !calendar.syncEnabled && calendar.isReadOnly && !calendar.canonicalKey.isEmpty();
}

} // namespace

int importDiscoveredCalendars(AppState* state, const QString& accountId,
                              const QList<CalDavParse::DiscoveredCalendar>& calendars, int* leftOut)
{
    if (leftOut)
        *leftOut = 0;
    if (!state || accountId.isEmpty() || !state->calendars() || !state->database())
        return 0;
    CalendarRepository* repository = state->calendars();

    QHash<QString, Calendar> byUrl;
    for (const Calendar& calendar : repository->getByAccount(accountId))
        byUrl.insert(calendar.url, calendar);
    std::optional<Account> account;
    if (state->accounts())
        account = state->accounts()->getById(accountId);
    bool anyCalendar = !repository->getAll().isEmpty();

    const QDateTime now = Clock::now();
    const qsizetype kept = std::min<qsizetype>(calendars.size(), Limits::maxDiscoveredCalendars);
    QList<Calendar> added;
    QList<Calendar> takenOver;
    for (const CalDavParse::DiscoveredCalendar& discovered : calendars.first(kept)) {
        const QString components = componentsJson(discovered.supportedComponents);
        if (const auto existing = byUrl.constFind(discovered.href); existing != byUrl.constEnd()) {
            if (!isPlaceholder(*existing))
                continue;
            Calendar calendar = *existing;
            calendar.name = discovered.displayName;
            calendar.description = discovered.description;
            if (!discovered.color.isEmpty())
                calendar.color = discovered.color;
            calendar.supportedComponents = components;
            calendar.isReadOnly = false;
            calendar.syncEnabled = true;
            calendar.updatedAt = now;
            takenOver.append(calendar);
            byUrl.insert(calendar.url, calendar);
            continue;
        }

        Calendar calendar;
        calendar.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
        calendar.accountId = accountId;
        calendar.url = discovered.href;
        calendar.name = discovered.displayName;
        calendar.description = discovered.description;
        calendar.color =
            discovered.color.isEmpty() ? QString(Defaults::itemColour) : discovered.color;
        calendar.timezone = QStringLiteral("UTC");
        calendar.isVisible = true;
        calendar.isReadOnly = false;
        calendar.isDefault = !anyCalendar;
        calendar.supportedComponents = components;
        calendar.syncEnabled = true;
        if (account) {
            if (const auto key = calendarKey(account->type, discovered.href))
                calendar.canonicalKey = *key;
        }
        calendar.createdAt = now;
        calendar.updatedAt = now;
        added.append(calendar);
        // A server that lists one URL twice gets one row.
        byUrl.insert(calendar.url, calendar);
        anyCalendar = true;
    }
    QStringList notAdded;
    QSet<QString> notAddedUrls;
    for (const CalDavParse::DiscoveredCalendar& discovered : calendars.sliced(kept)) {
        if (byUrl.contains(discovered.href) || notAddedUrls.contains(discovered.href))
            continue;
        notAddedUrls.insert(discovered.href);
        notAdded.append(discovered.displayName);
    }
    if (calendars.size() > kept)
        qWarning().noquote() << "[CalDAV discovery]" << calendars.size()
                             << "calendars listed; the first" << kept << "are kept;"
                             << notAdded.size() << "not added:" << ShownText::loggedNames(notAdded);
    if (leftOut)
        *leftOut = int(notAdded.size());
    // One write and one change signal: every listener of the calendars reloads once per
    // discovery, not once per calendar.
    if (!repository->saveAll(added, takenOver))
        return 0;
    return int(added.size());
}

void noteLeftOut(AppState* state, const QString& accountId, int leftOut)
{
    if (!state || !state->accounts())
        return;
    std::optional<Account> account = state->accounts()->getById(accountId);
    const QString status = leftOut > 0 ? leftOutText(leftOut) : QString();
    if (!account || account->lastSyncError == status)
        return;
    account->lastSyncError = status;
    account->updatedAt = Clock::now();
    state->accounts()->update(*account);
}

QString leftOutText(int leftOut)
{
    return QCoreApplication::translate("CalDavImport",
                                       "%n calendar(s) were not added: the server lists more "
                                       "than %1.",
                                       nullptr, leftOut)
        .arg(QLocale().toString(Limits::maxDiscoveredCalendars));
}

} // namespace CalDavImport

#include "CalDavImport.h"

#include "AccountRepository.h"
#include "AppState.h"
#include "CalendarKey.h"
#include "CalendarRepository.h"
#include "Clock.h"
#include "Database.h"
#include "Defaults.h"
#include "Limits.h"

#include <QDebug>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
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
                              const QList<CalDavParse::DiscoveredCalendar>& calendars)
{
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

    if (calendars.size() > Limits::maxDiscoveredCalendars)
        qWarning().noquote() << "[CalDAV discovery]" << calendars.size()
                             << "calendars listed; the first" << Limits::maxDiscoveredCalendars
                             << "are kept";
    const QDateTime now = Clock::now();
    QList<Calendar> added;
    QList<Calendar> takenOver;
    for (const CalDavParse::DiscoveredCalendar& discovered :
         calendars.first(std::min<qsizetype>(calendars.size(), Limits::maxDiscoveredCalendars))) {
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
    // One write and one change signal: every listener of the calendars reloads once per
    // discovery, not once per calendar.
    if (!repository->saveAll(added, takenOver))
        return 0;
    return int(added.size());
}

} // namespace CalDavImport

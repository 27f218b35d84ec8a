#include "CalDavImport.h"

#include "AccountRepository.h"
#include "AppState.h"
#include "CalendarKey.h"
#include "CalendarRepository.h"
#include "Clock.h"
#include "Database.h"
#include "Defaults.h"
#include "Savepoint.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QUuid>

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

    Savepoint transaction(state->database()->database());
    if (!transaction.isActive())
        return 0;
    int inserted = 0;
    for (const CalDavParse::DiscoveredCalendar& discovered : calendars) {
        const QString components = componentsJson(discovered.supportedComponents);
        const QDateTime now = Clock::now();
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
            if (!repository->update(calendar))
                return 0;
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
        calendar.isDefault = repository->getAll().isEmpty();
        calendar.supportedComponents = components;
        calendar.syncEnabled = true;
        if (account) {
            if (const auto key = calendarKey(account->type, discovered.href))
                calendar.canonicalKey = *key;
        }
        calendar.createdAt = now;
        calendar.updatedAt = now;
        if (!repository->insert(calendar))
            return 0;
        // A server that lists one URL twice gets one row.
        byUrl.insert(calendar.url, calendar);
        ++inserted;
    }
    return transaction.commit() ? inserted : 0;
}

} // namespace CalDavImport

#include "ConfigSync.h"

#include "CalendarKey.h"
#include "CloudSync.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace ConfigSync {

namespace {

const QString pending = QStringLiteral("pending");
const QString synced = QStringLiteral("synced");

QString timeText(const QDateTime& time)
{
    return time.isValid() ? time.toUTC().toString(Qt::ISODate) : QString();
}

QDateTime readTime(const QJsonObject& object, QLatin1String key)
{
    const QDateTime time = QDateTime::fromString(object.value(key).toString(), Qt::ISODate);
    return time.isValid() ? time.toUTC() : QDateTime();
}

// Never null: the store keeps texts in NOT NULL columns, and a missing member is an empty text.
QString text(const QJsonObject& object, const char* key)
{
    const QString value = object.value(QLatin1String(key)).toString();
    return value.isNull() ? QStringLiteral("") : value;
}

QStringList idsOf(const QString& jsonArrayText)
{
    QStringList ids;
    const QJsonArray array = QJsonDocument::fromJson(jsonArrayText.toUtf8()).array();
    for (const QJsonValue& value : array) {
        if (value.isString()) {
            ids.append(value.toString());
        }
    }
    return ids;
}

QJsonArray keysOf(const QString& calendarIdsJson, const QList<Calendar>& calendars)
{
    return QJsonArray::fromStringList(calendarKeysOf(idsOf(calendarIdsJson), calendars));
}

QString keyOf(const QString& calendarId, const QList<Calendar>& calendars)
{
    const QStringList keys = calendarKeysOf({calendarId}, calendars);
    return keys.isEmpty() ? QString() : keys.first();
}

QStringList keysFrom(const QJsonValue& value)
{
    QStringList keys;
    for (const QJsonValue& key : value.toArray()) {
        if (key.isString()) {
            keys.append(key.toString());
        }
    }
    return keys;
}

QString idsJson(const QStringList& ids)
{
    return QString::fromUtf8(
        QJsonDocument(QJsonArray::fromStringList(ids)).toJson(QJsonDocument::Compact));
}

QString idOfKey(const QString& key, const QList<Calendar>& calendars)
{
    if (key.isEmpty()) {
        return {};
    }
    const QStringList ids = calendarKeysById({key}, calendars).first;
    return ids.isEmpty() ? QString() : ids.first();
}

// Common head of every pulled record: its id and whether it is a deletion.
bool readHead(const QJsonObject& object, QString& id, bool* deleted)
{
    id = text(object, "id");
    if (deleted) {
        *deleted = object.value(QLatin1String("deleted")).toBool();
    }
    return !id.isEmpty();
}

QJsonObject viewJson(const CalendarView& view, const QList<Calendar>& calendars)
{
    return {{QStringLiteral("id"), view.id},
            {QStringLiteral("name"), view.name},
            {QStringLiteral("color"), view.color},
            {QStringLiteral("calendar_keys"), keysOf(view.calendarIds, calendars)},
            {QStringLiteral("is_default"), view.isDefault},
            {QStringLiteral("sort_order"), view.sortOrder},
            {QStringLiteral("updated_at"), timeText(view.updatedAt)},
            {QStringLiteral("deleted"), view.deletedAt.has_value()}};
}

QJsonObject filterRuleJson(const FilterRule& rule, const QList<Calendar>& calendars)
{
    return {{QStringLiteral("id"), rule.id},
            {QStringLiteral("name"), rule.name},
            {QStringLiteral("type"), rule.type},
            {QStringLiteral("enabled"), rule.enabled},
            {QStringLiteral("calendar_keys"), keysOf(rule.calendarIds, calendars)},
            {QStringLiteral("conditions"), rule.conditions},
            {QStringLiteral("action"), rule.action},
            {QStringLiteral("priority"), rule.priority},
            {QStringLiteral("event_uid"), rule.eventUid},
            {QStringLiteral("event_calendar_key"), keyOf(rule.eventCalendarId, calendars)},
            {QStringLiteral("suppress_reminders"), rule.suppressReminders},
            {QStringLiteral("updated_at"), timeText(rule.updatedAt)},
            {QStringLiteral("deleted"), rule.deletedAt.has_value()}};
}

QJsonObject templateJson(const EventTemplate& eventTemplate, const QList<Calendar>& calendars)
{
    QJsonArray reminders;
    for (int minutes : eventTemplate.reminders) {
        reminders.append(minutes);
    }
    return {{QStringLiteral("id"), eventTemplate.id},
            {QStringLiteral("name"), eventTemplate.name},
            {QStringLiteral("title"), eventTemplate.title},
            {QStringLiteral("description"), eventTemplate.description},
            {QStringLiteral("location"), eventTemplate.location},
            {QStringLiteral("color"), eventTemplate.color},
            {QStringLiteral("is_all_day"), eventTemplate.isAllDay},
            {QStringLiteral("duration_minutes"), eventTemplate.durationMinutes},
            {QStringLiteral("recurrence_rule"), eventTemplate.recurrenceRule},
            {QStringLiteral("calendar_key"), keyOf(eventTemplate.calendarId, calendars)},
            {QStringLiteral("reminders"), reminders},
            {QStringLiteral("sort_order"), eventTemplate.sortOrder},
            {QStringLiteral("updated_at"), timeText(eventTemplate.updatedAt)},
            {QStringLiteral("deleted"), eventTemplate.deletedAt.has_value()}};
}

QJsonObject accountJson(const Account& account)
{
    return {{QStringLiteral("id"), account.id},
            {QStringLiteral("name"), account.name},
            {QStringLiteral("type"), account.type},
            {QStringLiteral("server_url"), account.serverUrl},
            {QStringLiteral("username"), account.username},
            {QStringLiteral("calendar_home_set"), account.calendarHomeSet},
            {QStringLiteral("principal_url"), account.principalUrl},
            {QStringLiteral("sync_interval_minutes"), account.syncIntervalMinutes},
            {QStringLiteral("enabled"), account.enabled},
            {QStringLiteral("color"), account.color},
            {QStringLiteral("trusted_cert_sha256"), account.trustedCertSha256},
            {QStringLiteral("updated_at"), timeText(account.updatedAt)},
            {QStringLiteral("deleted"), account.deletedAt.has_value()}};
}

} // namespace

bool accountTravels(const Account& account)
{
    if (account.excludeFromSync || account.id.isEmpty()) {
        return false;
    }
    Account live = account;
    live.deletedAt.reset();
    // The local and the sample account share the cloud type word but never leave this device.
    return account.type != QLatin1String("orvandellic") || CloudSync::isCloudAccount(live);
}

QJsonObject buildPush(const LocalConfig& local, const Sections& sections)
{
    QJsonObject body;
    if (sections.views) {
        QJsonArray views;
        for (const CalendarView& view : local.views) {
            if (view.syncStatus == pending) {
                views.append(viewJson(view, local.calendars));
            }
        }
        body.insert(QStringLiteral("views"), views);
    }
    if (sections.filters) {
        QJsonArray rules;
        for (const FilterRule& rule : local.filterRules) {
            if (rule.syncStatus == pending) {
                rules.append(filterRuleJson(rule, local.calendars));
            }
        }
        body.insert(QStringLiteral("filter_rules"), rules);
    }
    if (sections.templates) {
        QJsonArray templates;
        for (const EventTemplate& eventTemplate : local.templates) {
            if (local.pendingTemplateIds.contains(eventTemplate.id)) {
                templates.append(templateJson(eventTemplate, local.calendars));
            }
        }
        body.insert(QStringLiteral("templates"), templates);
    }
    if (sections.accounts) {
        QJsonArray accounts;
        for (const Account& account : local.accounts) {
            if (accountTravels(account)) {
                accounts.append(accountJson(account));
            }
        }
        body.insert(QStringLiteral("accounts"), accounts);
    }
    if (sections.settings && local.settingsPending) {
        body.insert(QStringLiteral("settings"),
                    QJsonObject{{QStringLiteral("week_start_day"), local.weekStartDay}});
    }
    return body;
}

PullAction decide(bool localExists, bool localPending, bool remoteDeleted)
{
    if (localExists && localPending) {
        return PullAction::Skip;
    }
    if (remoteDeleted) {
        return localExists ? PullAction::Delete : PullAction::Skip;
    }
    return localExists ? PullAction::Update : PullAction::Insert;
}

bool accountIsNewer(const Account& local, const Account& remote)
{
    return local.updatedAt.isValid() && remote.updatedAt.isValid() &&
           local.updatedAt > remote.updatedAt;
}

bool accountDiffers(const Account& local, const Account& remote)
{
    return local.name != remote.name || local.type != remote.type ||
           local.serverUrl != remote.serverUrl || local.username != remote.username ||
           local.calendarHomeSet != remote.calendarHomeSet ||
           local.principalUrl != remote.principalUrl ||
           local.syncIntervalMinutes != remote.syncIntervalMinutes ||
           local.enabled != remote.enabled || local.color != remote.color ||
           local.trustedCertSha256 != remote.trustedCertSha256 || local.deletedAt.has_value();
}

std::optional<CalendarView> viewFromJson(const QJsonObject& object,
                                         const QList<Calendar>& calendars, bool* deleted)
{
    CalendarView view;
    if (!readHead(object, view.id, deleted)) {
        return std::nullopt;
    }
    view.name = text(object, "name");
    view.color = text(object, "color");
    view.calendarIds = idsJson(
        calendarKeysById(keysFrom(object.value(QLatin1String("calendar_keys"))), calendars).first);
    view.isDefault = object.value(QLatin1String("is_default")).toBool();
    view.sortOrder = object.value(QLatin1String("sort_order")).toInt();
    view.syncStatus = synced;
    view.updatedAt = readTime(object, QLatin1String("updated_at"));
    view.createdAt = view.updatedAt;
    return view;
}

std::optional<FilterRule> filterRuleFromJson(const QJsonObject& object,
                                             const QList<Calendar>& calendars, bool* deleted)
{
    FilterRule rule;
    if (!readHead(object, rule.id, deleted)) {
        return std::nullopt;
    }
    rule.name = text(object, "name");
    rule.type = text(object, "type");
    rule.enabled = object.value(QLatin1String("enabled")).toBool(true);
    rule.calendarIds = idsJson(
        calendarKeysById(keysFrom(object.value(QLatin1String("calendar_keys"))), calendars).first);
    rule.conditions = text(object, "conditions");
    const QString action = text(object, "action");
    rule.action = action == QLatin1String("dim") ? action : QStringLiteral("hide");
    rule.priority = object.value(QLatin1String("priority")).toInt(100);
    rule.eventUid = text(object, "event_uid");
    rule.eventCalendarId = idOfKey(text(object, "event_calendar_key"), calendars);
    rule.suppressReminders = object.value(QLatin1String("suppress_reminders")).toBool();
    rule.syncStatus = synced;
    rule.updatedAt = readTime(object, QLatin1String("updated_at"));
    rule.createdAt = rule.updatedAt;
    return rule;
}

std::optional<EventTemplate> templateFromJson(const QJsonObject& object,
                                              const QList<Calendar>& calendars, bool* deleted)
{
    EventTemplate eventTemplate;
    if (!readHead(object, eventTemplate.id, deleted)) {
        return std::nullopt;
    }
    eventTemplate.name = text(object, "name");
    eventTemplate.title = text(object, "title");
    eventTemplate.description = text(object, "description");
    eventTemplate.location = text(object, "location");
    eventTemplate.color = text(object, "color");
    eventTemplate.isAllDay = object.value(QLatin1String("is_all_day")).toBool();
    eventTemplate.durationMinutes = object.value(QLatin1String("duration_minutes")).toInt(60);
    eventTemplate.recurrenceRule = text(object, "recurrence_rule");
    eventTemplate.calendarId = idOfKey(text(object, "calendar_key"), calendars);
    for (const QJsonValue& minutes : object.value(QLatin1String("reminders")).toArray()) {
        if (minutes.isDouble()) {
            eventTemplate.reminders.append(minutes.toInt());
        }
    }
    eventTemplate.sortOrder = object.value(QLatin1String("sort_order")).toInt();
    eventTemplate.updatedAt = readTime(object, QLatin1String("updated_at"));
    eventTemplate.createdAt = eventTemplate.updatedAt;
    return eventTemplate;
}

std::optional<Account> accountFromJson(const QJsonObject& object, bool* deleted)
{
    Account account;
    if (!readHead(object, account.id, deleted)) {
        return std::nullopt;
    }
    account.name = text(object, "name");
    account.type = text(object, "type");
    account.serverUrl = text(object, "server_url");
    account.username = text(object, "username");
    account.calendarHomeSet = text(object, "calendar_home_set");
    account.principalUrl = text(object, "principal_url");
    account.syncIntervalMinutes = object.value(QLatin1String("sync_interval_minutes")).toInt(15);
    account.enabled = object.value(QLatin1String("enabled")).toBool(true);
    const QString color = text(object, "color");
    if (!color.isEmpty()) {
        account.color = color;
    }
    account.trustedCertSha256 = text(object, "trusted_cert_sha256");
    account.updatedAt = readTime(object, QLatin1String("updated_at"));
    account.createdAt = account.updatedAt;
    if (account.type.isEmpty() || !accountTravels(account)) {
        return std::nullopt;
    }
    return account;
}

std::optional<int> pulledWeekStart(const QJsonObject& settings, bool customizedLocally)
{
    const QJsonValue value = settings.value(QLatin1String("week_start_day"));
    if (customizedLocally || !value.isDouble()) {
        return std::nullopt;
    }
    const int day = value.toInt();
    if (day < 1 || day > 7) {
        return std::nullopt;
    }
    return day;
}

} // namespace ConfigSync

#include "CloudSync.h"

#include "CalendarKey.h"
#include "SampleSet.h"

#include <QSet>

namespace CloudSync {

namespace {

const QString cloudType = QStringLiteral("orvandellic");
// Seeded for a user without the cloud service; it carries the cloud type word.
const QString localAccountId = QStringLiteral("personal-local-account");

} // namespace

bool isCloudAccount(const Account& account)
{
    return account.type == cloudType && !account.deletedAt && account.id != localAccountId &&
           !SampleSet::isSampleAccount(account.id);
}

std::optional<RemoteCalendar> remoteCalendarFromJson(const QJsonObject& object)
{
    RemoteCalendar calendar;
    calendar.id = object.value(QLatin1String("id")).toString();
    if (calendar.id.isEmpty()) {
        return std::nullopt;
    }
    calendar.name = object.value(QLatin1String("name")).toString();
    calendar.color = object.value(QLatin1String("color")).toString();
    calendar.timezone = object.value(QLatin1String("timezone")).toString();
    calendar.readOnly = object.value(QLatin1String("read_only")).toBool();
    return calendar;
}

std::optional<RemoteEvent> remoteEventFromJson(const QJsonObject& object)
{
    RemoteEvent event;
    event.uid = object.value(QLatin1String("uid")).toString();
    event.etag = object.value(QLatin1String("etag")).toString();
    event.ical = object.value(QLatin1String("ical")).toString();
    event.deleted = object.value(QLatin1String("deleted")).toBool();
    if (event.uid.isEmpty() || (!event.deleted && event.ical.isEmpty())) {
        return std::nullopt;
    }
    return event;
}

QList<RemoteCalendar> calendarsToInsert(const QList<RemoteCalendar>& listed,
                                        const QList<Calendar>& stored)
{
    QSet<QString> known;
    for (const Calendar& calendar : stored) {
        known.insert(calendar.id);
    }
    QList<RemoteCalendar> missing;
    for (const RemoteCalendar& calendar : listed) {
        if (!known.contains(calendar.id)) {
            known.insert(calendar.id);
            missing.append(calendar);
        }
    }
    return missing;
}

Calendar newCalendar(const RemoteCalendar& remote, const QString& accountId,
                     const QString& collectionUrl, const QDateTime& now)
{
    Calendar calendar;
    calendar.id = remote.id;
    calendar.accountId = accountId;
    calendar.url = collectionUrl;
    calendar.name = remote.name.isEmpty() ? remote.id : remote.name;
    if (!remote.color.isEmpty()) {
        calendar.color = remote.color;
    }
    if (!remote.timezone.isEmpty()) {
        calendar.timezone = remote.timezone;
    }
    calendar.isReadOnly = remote.readOnly;
    calendar.syncEnabled = true;
    calendar.canonicalKey = calendarKey(cloudType, collectionUrl).value_or(QString());
    calendar.createdAt = now;
    calendar.updatedAt = now;
    return calendar;
}

PullAction decidePull(const std::optional<Event>& local, const RemoteEvent& remote)
{
    if (!local) {
        return remote.deleted ? PullAction::Skip : PullAction::Insert;
    }
    if (local->syncStatus == QLatin1String("pending")) {
        return local->etag == remote.etag ? PullAction::Skip : PullAction::Conflict;
    }
    if (remote.deleted) {
        return PullAction::Delete;
    }
    return local->etag == remote.etag && !remote.etag.isEmpty() ? PullAction::Skip
                                                                : PullAction::Update;
}

PushAction decidePush(const Event& master)
{
    if (master.deletedAt) {
        return master.etag.isEmpty() ? PushAction::DropLocally : PushAction::Delete;
    }
    return PushAction::Put;
}

QString seriesText(const QString& masterText, const QStringList& occurrenceTexts)
{
    const QLatin1String calendarEnd("END:VCALENDAR");
    const QLatin1String eventBegin("BEGIN:VEVENT");
    const QLatin1String eventEnd("END:VEVENT");
    const qsizetype end = masterText.lastIndexOf(calendarEnd);
    if (end < 0 || occurrenceTexts.isEmpty()) {
        return masterText;
    }
    QString text = masterText.left(end);
    for (const QString& occurrence : occurrenceTexts) {
        const qsizetype begin = occurrence.indexOf(eventBegin);
        const qsizetype last = occurrence.lastIndexOf(eventEnd);
        if (begin < 0 || last < begin) {
            continue;
        }
        text += occurrence.mid(begin, last + eventEnd.size() - begin) + QLatin1String("\r\n");
    }
    return text + masterText.mid(end);
}

} // namespace CloudSync

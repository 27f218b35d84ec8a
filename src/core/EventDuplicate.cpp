#include "EventDuplicate.h"

#include "EventZone.h"
#include "Ical.h"

#include <QStringList>
#include <QUuid>

namespace {

QString newId()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

bool hasName(const QString& line, QLatin1String name)
{
    if (!line.startsWith(name, Qt::CaseInsensitive) || line.size() <= name.size())
        return false;
    const QChar next = line.at(name.size());
    return next == u':' || next == u';';
}

// The stored text with the UID of every VEVENT (not of nested alarms) replaced, so the writer
// finds the stored properties under the new UID. Lines come back unfolded.
QString withUid(const QString& stored, const QString& uid)
{
    if (stored.isEmpty())
        return stored;
    QStringList lines = Ical::unfoldLines(stored);
    int depthInEvent = -1;
    for (QString& line : lines) {
        if (hasName(line, QLatin1String("BEGIN"))) {
            if (depthInEvent >= 0)
                ++depthInEvent;
            else if (line.mid(6).compare(QLatin1String("VEVENT"), Qt::CaseInsensitive) == 0)
                depthInEvent = 0;
        } else if (hasName(line, QLatin1String("END"))) {
            if (depthInEvent > 0)
                --depthInEvent;
            else if (depthInEvent == 0)
                depthInEvent = -1;
        } else if (depthInEvent == 0 && hasName(line, QLatin1String("UID"))) {
            line = QLatin1String("UID:") + Ical::escapeText(uid);
        }
    }
    return lines.join(QLatin1String("\r\n")) + QLatin1String("\r\n");
}

} // namespace

namespace EventDuplicate {

Event standalone(const Event& shown, const QString& title, const QDateTime& now,
                 const QTimeZone& system)
{
    Event copy = shown;
    if (!EventZone::writingZone(shown.timezone))
        copy.timezone = EventZone::forNewEvents(system);
    copy.id = newId();
    copy.uid = newId();
    copy.title = title;
    copy.providerEventId.clear();
    copy.etag.clear();
    copy.href.clear();
    copy.recurrenceId.clear();
    copy.masterEventUid.clear();
    copy.sequence = 0;
    copy.created = now;
    copy.lastModified = now;
    copy.deletedAt.reset();
    copy.syncStatus = QStringLiteral("pending");
    for (Reminder& reminder : copy.reminders) {
        reminder.id = newId();
        reminder.eventId = copy.id;
        reminder.acknowledged = false;
        reminder.triggerTime.reset();
    }
    for (Attendee& attendee : copy.attendees) {
        attendee.id = newId();
        attendee.eventId = copy.id;
    }
    copy.rawIcalendar = withUid(shown.rawIcalendar, copy.uid);
    copy.rawIcalendar = Ical::buildEvent(copy);
    return copy;
}

} // namespace EventDuplicate

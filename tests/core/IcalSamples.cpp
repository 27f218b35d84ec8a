#include "IcalSamples.h"

#include <QStringList>
#include <QTimeZone>

namespace {

QDateTime utc(int y, int m, int d)
{
    return QDateTime(QDate(y, m, d), QTime(0, 0), Qt::UTC);
}

// Texts that exercise every escape of TEXT values.
const QStringList awkwardTexts = {
    QStringLiteral("Plain"),
    QStringLiteral("Lunch, then; talk"),
    QStringLiteral("C:\\path\\to\\file"),
    QStringLiteral("two\nlines\n\nand a blank one"),
    QStringLiteral("ends with backslash \\"),
    QStringLiteral("Ünïcødé – 会議 🎉"),
    QStringLiteral("\\n is not a line break here"),
};

} // namespace

namespace IcalSamples {

Event generatedEvent(QRandomGenerator& random, int index)
{
    const auto pick = [&](const QStringList& list) {
        return list.at(random.bounded(int(list.size())));
    };
    Event event;
    event.uid = QStringLiteral("event-%1@example.com").arg(index);
    if (index % 7 == 0)
        event.uid += QStringLiteral(",with;odd\\chars");
    event.title = pick(awkwardTexts);
    event.description = random.bounded(3) ? pick(awkwardTexts) : QString();
    event.location = random.bounded(2) ? pick(awkwardTexts) : QString();
    const QDateTime base = utc(2020, 1, 1).addSecs(random.bounded(10 * 365 * 86400));
    event.isAllDay = index % 4 == 0;
    const bool recurring = index % 3 == 0;
    const bool override = !recurring && index % 5 == 0;
    if (event.isAllDay) {
        event.startTime = QDateTime(base.date(), QTime(0, 0), Qt::UTC);
        event.endTime = event.startTime.addDays(1 + random.bounded(4));
    } else {
        event.startTime = base;
        event.endTime = base.addSecs(60 * (15 + random.bounded(600)));
        event.timezone = pick({QStringLiteral("UTC"), QStringLiteral("Europe/Berlin"),
                               QStringLiteral("America/New_York"), QStringLiteral("Asia/Kolkata"),
                               QStringLiteral("Australia/Lord_Howe")});
    }
    if (recurring) {
        event.recurrenceRule = QStringLiteral("FREQ=WEEKLY;BYDAY=MO,WE;COUNT=10");
        const QDateTime first = event.startTime.addDays(7);
        const QDateTime second = event.startTime.addDays(14);
        event.exceptionDates =
            event.isAllDay ? QStringLiteral("[\"%1\",\"%2\"]")
                                 .arg(first.toString(u"yyyyMMdd"), second.toString(u"yyyyMMdd"))
                           : QStringLiteral("[\"%1\",\"%2\"]")
                                 .arg(first.toString(u"yyyyMMdd'T'HHmmss'Z'"),
                                      second.toString(u"yyyyMMdd'T'HHmmss'Z'"));
    }
    if (override) {
        event.recurrenceId = event.isAllDay
                                 ? event.startTime.toString(u"yyyyMMdd")
                                 : event.startTime.addSecs(-3600).toString(u"yyyyMMdd'T'HHmmss'Z'");
        event.masterEventUid = event.uid;
    }
    event.status = pick(
        {QStringLiteral("confirmed"), QStringLiteral("tentative"), QStringLiteral("cancelled")});
    event.sequence = random.bounded(4);
    if (random.bounded(2)) {
        event.created = base.addDays(-30);
        event.lastModified = base.addDays(-2);
    }
    if (random.bounded(2))
        event.eventUrl = QStringLiteral("https://example.com/e/%1?a=1&b=2").arg(index);
    if (random.bounded(2)) {
        event.organizerEmail = QStringLiteral("boss@example.com");
        event.organizerName =
            pick({QStringLiteral("Boss"), QStringLiteral("Doe, Jane"), QStringLiteral("A; B: C")});
    }
    for (int i = random.bounded(4); i > 0; --i) {
        Attendee attendee;
        attendee.email = QStringLiteral("person%1@example.com").arg(i);
        attendee.name = pick({QString(), QStringLiteral("Smith, Ann"), QStringLiteral("Bo: Li")});
        attendee.role =
            pick({QStringLiteral("required"), QStringLiteral("optional"), QStringLiteral("chair")});
        attendee.status = pick({QStringLiteral("needs-action"), QStringLiteral("accepted"),
                                QStringLiteral("declined"), QStringLiteral("tentative")});
        attendee.type = pick({QString(), QStringLiteral("individual"), QStringLiteral("room")});
        attendee.rsvp = random.bounded(2);
        event.attendees.append(attendee);
    }
    const QList<int> offsets = {0, 5, 15, 60, 1440, -10};
    for (int i = random.bounded(4); i > 0; --i) {
        Reminder reminder;
        reminder.minutesBefore = offsets.at(random.bounded(int(offsets.size())));
        reminder.action =
            pick({QStringLiteral("display"), QStringLiteral("audio"), QStringLiteral("email")});
        event.reminders.append(reminder);
    }
    return event;
}

Task fullTask()
{
    Task task;
    task.uid = QStringLiteral("task-1");
    task.title = QStringLiteral("Pay; then file, done");
    task.status = QStringLiteral("in-process");
    task.sequence = 2;
    task.priority = 1;
    task.percentComplete = 50;
    task.startDate = QDateTime(QDate(2024, 4, 1), QTime(23, 0), QTimeZone("Pacific/Kiritimati"));
    task.startIsDateOnly = true;
    task.dueDate = QDateTime(QDate(2024, 4, 10), QTime(17, 0), QTimeZone("Europe/Berlin"));
    task.dueIsDateOnly = false;
    task.completedDate = QDateTime(QDate(2024, 4, 9), QTime(8, 0), Qt::UTC);
    task.recurrenceRule = QStringLiteral("FREQ=MONTHLY;BYMONTHDAY=1");
    task.categories = {QStringLiteral("Money, home"), QStringLiteral("Admin")};
    task.parentTaskUid = QStringLiteral("parent");
    task.repeatMode = QStringLiteral("fromCompletionDate");
    task.sortOrder = 30;
    task.description = QStringLiteral("Line one\nLine two \\ end");
    return task;
}

} // namespace IcalSamples

#include "SampleData.h"

#include "AccountRepository.h"
#include "AppState.h"
#include "CalendarRepository.h"
#include "Clock.h"
#include "Database.h"
#include "EventRepository.h"
#include "EventZone.h"
#include "Ical.h"
#include "SampleSet.h"
#include "Savepoint.h"
#include "TaskRepository.h"
#include "WallClock.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QTimeZone>

namespace {

const QString crlf = QStringLiteral("\r\n");
const QString icsHead = QStringLiteral(
    "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Orvandellic//Calendar Desktop//EN\r\n");

struct SampleCalendar
{
    const char* id;
    const char* name;
    const char* color;
};

const SampleCalendar sampleCalendars[] = {
    {"sample-cal-work", "Work", "#1565C0"},
    {"sample-cal-personal", "Personal", "#2E7D32"},
    {"sample-cal-family", "Family", "#E65100"},
    {"sample-cal-birthdays", "Birthdays", "#6A1B9A"},
};

QString utcStamp(const QDateTime& time)
{
    return time.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
}

QDateTime localAt(const QDate& date, int hour, int minute)
{
    return WallClock::instant(date, QTime(hour, minute), QTimeZone::systemTimeZone());
}

QDateTime utcMidnight(const QDate& date)
{
    return QDateTime(date, QTime(0, 0), QTimeZone::utc());
}

// Runs one removal statement; the rows it deleted, 0 when it failed.
int runDelete(QSqlDatabase& db, const QString& sql)
{
    QSqlQuery query(db);
    if (!query.prepare(sql) || !query.exec()) {
        qWarning().noquote() << "[SampleData] removal statement failed:"
                             << query.lastError().text();
        return 0;
    }
    return query.numRowsAffected();
}

} // namespace

bool makeSampleAccount(AppState* state)
{
    if (state->accounts()->getById(SampleSet::accountId))
        return true;
    Account account;
    account.id = SampleSet::accountId;
    account.name = QStringLiteral("Sample Data");
    account.type = QStringLiteral("orvandellic");
    account.color = QStringLiteral("#9E9E9E");
    account.syncIntervalMinutes = 0;
    account.enabled = true;
    account.createdAt = Clock::now();
    account.updatedAt = account.createdAt;
    return state->accounts()->insert(account);
}

int makeSampleCalendar(AppState* state)
{
    const QDateTime now = Clock::now();
    int inserted = 0;
    for (const SampleCalendar& sample : sampleCalendars) {
        const QString id = QString::fromLatin1(sample.id);
        if (state->calendars()->getById(id))
            continue;
        Calendar calendar;
        calendar.id = id;
        calendar.accountId = SampleSet::accountId;
        calendar.url = QStringLiteral("local://calendar/") + id;
        calendar.name = QString::fromLatin1(sample.name);
        calendar.color = QString::fromLatin1(sample.color);
        calendar.timezone = QStringLiteral("UTC");
        calendar.isVisible = true;
        calendar.isReadOnly = false;
        calendar.isDefault = false;
        calendar.sortOrder = 0;
        calendar.createdAt = now;
        calendar.updatedAt = now;
        if (state->calendars()->insert(calendar))
            ++inserted;
    }
    return inserted;
}

void makeSampleEvent(AppState* state, const QString& key, const QString& calendarId,
                     const QString& title, const QDateTime& start, const QDateTime& end,
                     const QString& location, const QString& description,
                     const QString& recurrenceRule, bool allDay, int* counter)
{
    const QString id = SampleSet::eventIdPrefix + key;
    if (state->events()->getById(id))
        return;
    Event event;
    event.id = id;
    event.uid = id;
    event.calendarId = calendarId;
    event.title = title;
    event.location = location;
    event.description = description;
    event.recurrenceRule = recurrenceRule;
    event.isAllDay = allDay;
    event.startTime = allDay ? utcMidnight(start.date()) : start;
    event.endTime = allDay ? utcMidnight(end.date()) : end;
    event.timezone = EventZone::forNewEvents();
    event.status = QStringLiteral("confirmed");
    event.created = Clock::now();
    event.lastModified = event.created;
    event.syncStatus = QStringLiteral("synced");
    event.rawIcalendar = sampleEventIcs(event);
    if (state->events()->insert(event) && counter)
        ++*counter;
}

void makeSampleTask(AppState* state, const QString& key, const QString& calendarId,
                    const QString& title, const std::optional<QDateTime>& due, int priority,
                    bool completed, int* counter)
{
    const QString id = SampleSet::taskIdPrefix + key;
    if (state->tasks()->getById(id))
        return;
    Task task;
    task.id = id;
    task.uid = id;
    task.calendarId = calendarId;
    task.title = title;
    task.dueDate = due;
    task.priority = priority;
    task.created = Clock::now();
    task.lastModified = task.created;
    if (completed) {
        task.status = QStringLiteral("completed");
        task.percentComplete = 100;
        task.completedDate = task.created;
    }
    task.syncStatus = QStringLiteral("synced");
    task.rawIcalendar = sampleTaskIcs(task);
    if (state->tasks()->insert(task) && counter)
        ++*counter;
}

int loadSampleData(AppState* state)
{
    // One transaction for the whole set: a row that fails is skipped (its own savepoint rolls
    // back), and the rest lands together or not at all.
    Savepoint savepoint(state->database()->database());
    if (!savepoint.isActive() || !makeSampleAccount(state))
        return 0;
    int count = makeSampleCalendar(state);
    const QDate today = Clock::today();
    const auto day = [&today](int offset) { return today.addDays(offset); };
    const QString work = QStringLiteral("sample-cal-work");
    const QString personal = QStringLiteral("sample-cal-personal");
    const QString family = QStringLiteral("sample-cal-family");

    struct Row
    {
        const char* key;
        QString calendarId;
        const char* title;
        QDateTime start;
        QDateTime end;
        const char* location;
        const char* description;
        const char* rule;
        bool allDay;
    };
    const Row rows[] = {
        {"yesterday-retro", work, "Sprint retrospective", localAt(day(-1), 15, 0),
         localAt(day(-1), 16, 0), "", "What went well and what to change next sprint.", "", false},
        {"today-deadline", work, "Project deadline", utcMidnight(day(0)), utcMidnight(day(1)), "",
         "Final delivery of the milestone.", "", true},
        {"today-run", personal, "Morning run", localAt(day(0), 6, 30), localAt(day(0), 7, 15), "",
         "", "", false},
        {"today-standup", work, "Team standup", localAt(day(0), 9, 0), localAt(day(0), 9, 30), "",
         "", "FREQ=DAILY;BYDAY=MO,TU,WE,TH,FR", false},
        {"today-review", work, "Design review", localAt(day(0), 10, 30), localAt(day(0), 11, 30),
         "", "Walk through the new screens with the team.", "", false},
        {"today-lunch", personal, "Lunch with Sam", localAt(day(0), 12, 0), localAt(day(0), 13, 0),
         "Corner Bistro", "", "", false},
        {"today-planning", work, "Sprint planning", localAt(day(0), 14, 0), localAt(day(0), 15, 30),
         "", "Pick the stories for the next two weeks.", "", false},
        {"today-yoga", personal, "Yoga class", localAt(day(0), 17, 30), localAt(day(0), 18, 30),
         "Studio 4", "", "FREQ=WEEKLY;INTERVAL=2;BYDAY=MO,WE,FR", false},
        {"today-dinner", family, "Family dinner out", localAt(day(0), 19, 0),
         localAt(day(0), 21, 0), "Harbour Restaurant", "", "", false},
        {"tom-client", work, "Client presentation", localAt(day(1), 10, 0), localAt(day(1), 11, 0),
         "Meeting room 2", "Show the quarterly results.", "", false},
        {"tom-dentist", personal, "Dentist appointment", localAt(day(1), 14, 0),
         localAt(day(1), 15, 0), "Smile Dental", "", "", false},
        {"d2-1on1", work, "One-to-one with manager", localAt(day(2), 11, 0),
         localAt(day(2), 11, 30), "", "", "FREQ=WEEKLY", false},
        {"d2-pickup", family, "Pick up the kids", localAt(day(2), 15, 45), localAt(day(2), 16, 15),
         "School gate", "", "FREQ=WEEKLY;BYDAY=MO,WE,FR", false},
        {"d3-bookclub", personal, "Book club", localAt(day(3), 19, 0), localAt(day(3), 21, 0),
         "Library", "", "FREQ=MONTHLY;BYDAY=1TH", false},
        {"d5-drinks", work, "Drinks after work", localAt(day(5), 17, 0), localAt(day(5), 19, 0),
         "The Crown", "", "", false},
        {"d5-party", family, "Birthday party", localAt(day(5), 15, 0), localAt(day(5), 18, 0),
         "Play Park", "Bring the present and the cake.", "", false},
        {"d2-flight", personal, "Overnight flight", localAt(day(2), 21, 30), localAt(day(4), 6, 15),
         "Airport terminal 1", "", "", false},
        {"d6-conf", work, "Tech conference", utcMidnight(day(6)), utcMidnight(day(9)),
         "Convention centre", "Three days of talks and workshops.", "", true},
    };
    for (const Row& row : rows) {
        makeSampleEvent(state, QString::fromLatin1(row.key), row.calendarId,
                        QString::fromLatin1(row.title), row.start, row.end,
                        QString::fromLatin1(row.location), QString::fromLatin1(row.description),
                        QString::fromLatin1(row.rule), row.allDay, &count);
    }

    struct TaskRow
    {
        const char* key;
        QString calendarId;
        const char* title;
        std::optional<QDateTime> due;
        int priority;
        bool completed;
    };
    const TaskRow tasks[] = {
        {"review-mockups", work, "Review design mockups", localAt(day(1), 17, 0), 5, false},
        {"q1-report", work, "Prepare quarterly report", localAt(day(-2), 17, 0), 2, false},
        {"anniversary", family, "Book anniversary dinner", localAt(day(7), 17, 0), 4, false},
        {"buy-gift", family, "Buy birthday gift", localAt(day(14), 17, 0), 3, false},
        {"dentist-followup", personal, "Schedule dentist follow-up", localAt(day(12), 12, 0), 8,
         false},
        {"buy-milk", personal, "Buy milk", std::nullopt, 0, false},
        {"renew-license", personal, "Renew driving licence", localAt(day(30), 17, 0), 5, false},
        {"old-completed", work, "File expense report", localAt(day(-3), 17, 0), 5, true},
    };
    for (const TaskRow& row : tasks) {
        makeSampleTask(state, QString::fromLatin1(row.key), row.calendarId,
                       QString::fromLatin1(row.title), row.due, row.priority, row.completed,
                       &count);
    }
    if (!savepoint.commit()) {
        qWarning().noquote() << "[SampleData] loading failed:" << savepoint.errorText();
        return 0;
    }
    return count;
}

int removeSampleData(AppState* state)
{
    QSqlDatabase& db = state->database()->database();
    int removed = 0;
    Savepoint savepoint(db);
    if (savepoint.isActive()) {
        // Child rows first: the store's foreign keys have no cascade, and the user may have
        // added reminders, attendees or attachments to a sample event.
        runDelete(db, QStringLiteral("DELETE FROM reminders WHERE event_id LIKE 'sample-event-%'"));
        runDelete(db, QStringLiteral("DELETE FROM attendees WHERE event_id LIKE 'sample-event-%'"));
        runDelete(db,
                  QStringLiteral("DELETE FROM attachments WHERE event_id LIKE 'sample-event-%'"));
        removed +=
            runDelete(db, QStringLiteral("DELETE FROM events WHERE id LIKE 'sample-event-%'"));
        removed += runDelete(db, QStringLiteral("DELETE FROM tasks WHERE id LIKE 'sample-task-%'"));
        removed +=
            runDelete(db, QStringLiteral("DELETE FROM calendars WHERE id LIKE 'sample-cal-%'"));
        removed +=
            runDelete(db, QStringLiteral("DELETE FROM accounts WHERE id = 'sample-account'"));
        if (!savepoint.commit()) {
            qWarning().noquote() << "[SampleData] removal failed:" << savepoint.errorText();
            removed = 0;
        }
    }
    Q_EMIT state->calendars()->calendarsChanged();
    state->events()->scheduleChanged(QString());
    state->tasks()->scheduleChanged(QString());
    return removed;
}

QString sampleEventIcs(const Event& event)
{
    // A timed event in a zone is written as every event made here: wall-clock times in its
    // zone, with the zone's definition.
    if (!event.isAllDay && EventZone::writingZone(event.timezone))
        return Ical::buildEvent(event);
    QString text = icsHead + QStringLiteral("BEGIN:VEVENT") + crlf;
    text += QStringLiteral("UID:") + event.uid + crlf;
    text += QStringLiteral("SUMMARY:") + Ical::escapeText(event.title) + crlf;
    if (event.isAllDay) {
        // The stored dates themselves: all-day events are never moved into a zone.
        text += QStringLiteral("DTSTART;VALUE=DATE:") +
                event.startTime.date().toString(QStringLiteral("yyyyMMdd")) + crlf;
        if (event.endTime)
            text += QStringLiteral("DTEND;VALUE=DATE:") +
                    event.endTime->date().toString(QStringLiteral("yyyyMMdd")) + crlf;
    } else {
        text += QStringLiteral("DTSTART:") + utcStamp(event.startTime) + crlf;
        if (event.endTime)
            text += QStringLiteral("DTEND:") + utcStamp(*event.endTime) + crlf;
    }
    if (!event.location.isEmpty())
        text += QStringLiteral("LOCATION:") + Ical::escapeText(event.location) + crlf;
    if (!event.description.isEmpty())
        text += QStringLiteral("DESCRIPTION:") + Ical::escapeText(event.description) + crlf;
    if (!event.recurrenceRule.isEmpty())
        text += QStringLiteral("RRULE:") + event.recurrenceRule + crlf;
    text += QStringLiteral("END:VEVENT") + crlf + QStringLiteral("END:VCALENDAR") + crlf;
    return text;
}

QString sampleTaskIcs(const Task& task)
{
    QString text = icsHead + QStringLiteral("BEGIN:VTODO") + crlf;
    text += QStringLiteral("UID:") + task.uid + crlf;
    text += QStringLiteral("SUMMARY:") + Ical::escapeText(task.title) + crlf;
    text += QStringLiteral("STATUS:") + task.status.toUpper() + crlf;
    if (task.priority > 0)
        text += QStringLiteral("PRIORITY:") + QString::number(task.priority) + crlf;
    if (task.dueDate)
        text += QStringLiteral("DUE:") + utcStamp(*task.dueDate) + crlf;
    text += QStringLiteral("END:VTODO") + crlf + QStringLiteral("END:VCALENDAR") + crlf;
    return text;
}

#include "AppState.h"
#include "AppStateFixture.h"
#include "Clock.h"
#include "DBusNotifier.h"
#include "Database.h"
#include "EventRepository.h"
#include "FakeTrayIcon.h"
#include "FilterRuleRepository.h"
#include "Limits.h"
#include "NotificationService.h"
#include "PreferencesRepository.h"
#include "RecordingNotifier.h"
#include "ReminderWindow.h"
#include "StoreTime.h"
#include "TimeFormat.h"
#include "TrayBalloonNotifier.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTest>
#include <QTimeZone>
#include <QUuid>

namespace {

QDateTime local(int day, int hour, int minute = 0)
{
    return QDateTime(QDate(2026, 3, day), QTime(hour, minute), QTimeZone::systemTimeZone());
}

struct NewEvent
{
    QString title;
    QDateTime start;
    QString location = {};
    QString rule = {};
    int minutesBefore = 15;
    bool allDay = false;
};

// A one-hour event of the seeded calendar with one reminder, by default 15 minutes before it
// starts; all-day: held at 00:00 UTC of the start's date, for that day.
QString addEvent(AppState* state, const NewEvent& wanted)
{
    Event event;
    event.id = event.uid = QUuid::createUuid().toString(QUuid::WithoutBraces);
    event.calendarId = AppState::localCalendarId;
    event.title = wanted.title.isNull() ? QStringLiteral("") : wanted.title;
    event.rawIcalendar = QStringLiteral("");
    event.location = wanted.location;
    event.isAllDay = wanted.allDay;
    event.startTime = wanted.allDay ? QDateTime(wanted.start.date(), QTime(0, 0), QTimeZone::utc())
                                    : wanted.start.toUTC();
    event.endTime = event.startTime.addSecs(wanted.allDay ? 86400 : 3600);
    event.recurrenceRule = wanted.rule;
    // A series repeats on the machine's wall clock, whatever its offset from UTC.
    if (!wanted.rule.isEmpty() && !wanted.allDay)
        event.timezone = QString::fromUtf8(QTimeZone::systemTimeZoneId());
    Reminder reminder;
    reminder.minutesBefore = wanted.minutesBefore;
    event.reminders = {reminder};
    event.created = event.lastModified = Clock::now();
    return state->events()->insert(event) ? event.id : QString();
}

// acknowledged flag and stored trigger of the event's one reminder row.
QPair<int, QDateTime> reminderRow(AppState* state, const QString& eventId)
{
    QSqlQuery query(state->database()->database());
    query.prepare("SELECT acknowledged, trigger_time FROM reminders WHERE event_id = ?");
    query.addBindValue(eventId);
    if (!query.exec() || !query.next())
        return {-1, {}};
    return {query.value(0).toInt(), StoreTime::parse(query.value(1).toString())};
}

// The start of the occurrence the event's one reminder row handled last, as stored.
QString lastShown(AppState* state, const QString& eventId)
{
    QSqlQuery query(state->database()->database());
    query.prepare("SELECT last_shown FROM reminders WHERE event_id = ?");
    query.addBindValue(eventId);
    return query.exec() && query.next() ? query.value(0).toString() : QString();
}

// A started store with a recording notifier as the only way to show a reminder.
struct Harness
{
    explicit Harness(const QDateTime& now = AppStateFixture::defaultNow()) : fixture(now) {}
    AppStateFixture fixture;
    bool started = fixture.start();
    AppState* state = fixture.state();
    RecordingNotifier notifier;
    NotificationService service{state, QList<Notifier*>{&notifier}, nullptr};
};

ReminderWindow* reminderWindow()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<ReminderWindow*>(widget))
            return window;
    return nullptr;
}

// Title and text of each reminder the window lists, in order.
QStringList listed(QWidget* window)
{
    QStringList entries;
    for (QWidget* entry : window->findChildren<QWidget*>(QStringLiteral("reminderEntry"))) {
        if (entry->isHidden())
            continue;
        QStringList texts;
        for (const QLabel* label : entry->findChildren<QLabel*>())
            texts.append(label->text());
        entries.append(texts.join(QStringLiteral(" / ")));
    }
    return entries;
}

// Clicks `button` of the listed reminder titled `title`.
bool clickOn(QWidget* window, const QString& title, const QString& button)
{
    for (QWidget* entry : window->findChildren<QWidget*>(QStringLiteral("reminderEntry"))) {
        const QList<QLabel*> labels = entry->findChildren<QLabel*>();
        if (entry->isHidden() || labels.isEmpty() || labels.first()->text() != title)
            continue;
        for (QPushButton* candidate : entry->findChildren<QPushButton*>())
            if (candidate->text() == button) {
                candidate->click();
                return true;
            }
    }
    return false;
}

} // namespace

class TestNotificationService : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void reminderBody_data();
    void reminderBody();
    void dueRemindersAreShownOrMissedOnce();
    void handledRemindersWaitForTheHeldStore();
    void everyOccurrenceOfASeriesReminds();
    void allDayRemindersCountFromLocalMidnight();
    void seriesRewriteRemindsOnlyWhatMoved();
    void seriesRewritesRemindEachOccurrenceOnce_data();
    void seriesRewritesRemindEachOccurrenceOnce();
    void nothingIsMarkedWithoutANotifier();
    void clickRevealsTheShownReminder();
    void failedTestNotificationGoesOn();
    void trayBalloonFallback();
    void reminderWindowWhenNothingElseCanShow();
    void markupServersGetEscapedBodies();
};

void TestNotificationService::reminderBody_data()
{
    QTest::addColumn<QDateTime>("shown");
    QTest::addColumn<QDateTime>("start");
    QTest::addColumn<QString>("location");
    QTest::addColumn<bool>("allDay");
    QTest::addColumn<QString>("expected"); // on a 24-hour clock

    QTest::newRow("15 minutes with location") << local(11, 10) << local(11, 10, 15) << "Room 4"
                                              << false << "In 15 minutes (10:15) · Room 4";
    const QString room = QStringLiteral("Room ") + QString(Limits::maxRowTextChars, u'4');
    QTest::newRow("long location: a row's length")
        << local(11, 10) << local(11, 10, 15) << room << false
        << "In 15 minutes (10:15) · " + room.left(Limits::maxRowTextChars) + QChar(0x2026);
    QTest::newRow("starting now") << local(11, 10) << local(11, 10) << "" << false
                                  << "Starting now (10:00)";
    QTest::newRow("one hour") << local(11, 10) << local(11, 11) << "" << false << "In 1h (11:00)";
    QTest::newRow("ninety minutes in whole hours")
        << local(11, 10) << local(11, 11, 30) << "" << false << "In 1h (11:30)";
    QTest::newRow("a day") << local(11, 10) << local(12, 10) << "" << false << "Tomorrow at 10:00";
    QTest::newRow("two days name the day")
        << local(11, 10) << local(13, 10) << "" << false << "Friday, Mar 13 at 10:00";
    // Stored at 00:00 UTC of Mar 12: named by that date in every zone.
    QTest::newRow("all-day by stored date")
        << local(11, 10) << QDateTime(QDate(2026, 3, 12), QTime(0, 0), Qt::UTC) << "" << true
        << "Tomorrow, all day";
    // The words follow the time left when the reminder is shown, whatever it was set for.
    QTest::newRow("shown within its trigger's minute")
        << local(11, 9, 45).addSecs(20) << local(11, 10) << "" << false << "In 15 minutes (10:00)";
    QTest::newRow("set a day ahead, shown 10 minutes before")
        << local(12, 9, 50) << local(12, 10) << "" << false << "In 10 minutes (10:00)";
    QTest::newRow("shown after the start")
        << local(12, 10, 5) << local(12, 10) << "" << false << "Starting now (10:00)";
    QTest::newRow("set 30 minutes ahead, shown two days ahead")
        << local(11, 9, 30) << local(13, 10) << "" << false << "Friday, Mar 13 at 10:00";
    QTest::newRow("over midnight in minutes")
        << local(11, 23, 50) << local(12, 0, 20) << "" << false << "In 30 minutes (00:20)";
    QTest::newRow("tomorrow's morning within a day in hours")
        << local(11, 22) << local(12, 9) << "" << false << "In 11h (09:00)";
    QTest::newRow("over a day off but two dates on")
        << local(11, 23) << local(13, 0, 30) << "" << false << "Friday, Mar 13 at 00:30";
    QTest::newRow("just past midnight the next date is tomorrow")
        << local(12, 0, 10) << local(13, 1) << "" << false << "Tomorrow at 01:00";
}

void TestNotificationService::reminderBody()
{
    QFETCH(QDateTime, shown);
    QFETCH(QDateTime, start);
    QFETCH(QString, location);
    QFETCH(bool, allDay);
    QFETCH(QString, expected);
    Event occurrence;
    occurrence.startTime = start;
    occurrence.isAllDay = allDay;
    occurrence.location = location;
    QCOMPARE(NotificationService::reminderBody(occurrence, TimeFormat::pattern(true), shown),
             expected);
}

void TestNotificationService::dueRemindersAreShownOrMissedOnce()
{
    Harness h(local(11, 10, 20));
    QVERIFY(h.started);
    h.state->preferences()->set("ui/timeFormat", "24");
    // Set a day ahead and due since yesterday: it says the time left, not "Tomorrow".
    const QString dayAhead = addEvent(h.state, {"Review", local(11, 10, 30), {}, {}, 1440});
    // Started 20 minutes ago: still shown, saying so.
    const QString recent = addEvent(h.state, {"", local(11, 10), "Room 4"});
    // Started 31 minutes ago: passed over as missed.
    const QString late = addEvent(h.state, {"Late", local(11, 9, 49)});

    h.service.poll();
    QCOMPARE(h.notifier.shown.size(), 2);
    QCOMPARE(h.notifier.shown.first().body, QStringLiteral("In 10 minutes (10:30)"));
    QCOMPARE(h.notifier.shown.last().title, QStringLiteral("Reminder")); // untitled
    QCOMPARE(h.notifier.shown.last().body, QStringLiteral("Starting now (10:00) · Room 4"));
    QCOMPARE(h.notifier.shown.last().timeoutMs, 15000);
    QCOMPARE(h.service.missedCount(), 1);
    QCOMPARE(reminderRow(h.state, late).first, 1);
    QCOMPARE(reminderRow(h.state, recent).first, 1);
    QCOMPARE(reminderRow(h.state, dayAhead).first, 1);
    h.service.poll(); // each once
    QCOMPARE(h.service.missedCount(), 1);
    QCOMPARE(h.notifier.shown.size(), 2);
}

// While an import holds the store a shown reminder is recorded as handled only when the import
// has ended, and meanwhile it is not shown again.
void TestNotificationService::handledRemindersWaitForTheHeldStore()
{
    Harness h(local(11, 10, 20));
    QVERIFY(h.started);
    const QString id = addEvent(h.state, {"Standup", local(11, 10, 25)});
    h.state->holdStore();
    h.service.poll();
    h.service.poll();
    QCOMPARE(h.notifier.shown.size(), 1);
    QCOMPARE(reminderRow(h.state, id).first, 0);
    h.state->releaseStore();
    QCOMPARE(reminderRow(h.state, id).first, 1);
    h.service.poll();
    QCOMPARE(h.notifier.shown.size(), 1);
}

void TestNotificationService::everyOccurrenceOfASeriesReminds()
{
    Harness h(local(10, 9, 46));
    QVERIFY(h.started);
    const QString id = addEvent(h.state, {"Daily", local(10, 10), {}, "FREQ=DAILY;COUNT=3"});

    h.service.poll(); // the first occurrence
    QCOMPARE(h.notifier.shown.size(), 1);
    QCOMPARE(h.service.lastEventDate(), QDate(2026, 3, 10));
    QCOMPARE(reminderRow(h.state, id), qMakePair(0, local(11, 9, 45).toUTC()));

    Clock::pin(local(11, 9, 40)); // not due yet
    h.service.poll();
    QCOMPARE(h.notifier.shown.size(), 1);

    Clock::pin(local(11, 9, 45)); // the second occurrence reminds
    h.service.poll();
    QCOMPARE(h.notifier.shown.size(), 2);
    QCOMPARE(h.notifier.shown.last().body, QStringLiteral("In 15 minutes (10:00 AM)"));
    QCOMPARE(h.service.lastEventDate(), QDate(2026, 3, 11));

    Clock::pin(local(12, 11, 0)); // the third was missed; the series is done
    h.service.poll();
    QCOMPARE(h.notifier.shown.size(), 2);
    QCOMPARE(h.service.missedCount(), 1);
    QCOMPARE(reminderRow(h.state, id).first, 1);
}

// "15 minutes before" an all-day event is 23:45 on the evening before by the machine's clock,
// for a single event and for each day of a series, whatever zone a stored trigger was counted in.
void TestNotificationService::allDayRemindersCountFromLocalMidnight()
{
    Harness h(local(11, 23, 44));
    QVERIFY(h.started);
    const QString single = addEvent(h.state, {"Holiday", local(12, 12), {}, {}, 15, true});
    const QString series = addEvent(h.state, {"Duty", local(12, 12), {}, "FREQ=DAILY", 15, true});
    // A trigger stored under another zone (here a day early) waits for the machine's.
    QSqlQuery stale(h.state->database()->database());
    stale.prepare("UPDATE reminders SET trigger_time = ? WHERE event_id = ?");
    stale.addBindValue(StoreTime::toText(local(10, 23, 45)));
    stale.addBindValue(single);
    QVERIFY(stale.exec());

    h.service.poll();
    QCOMPARE(h.notifier.shown.size(), 0);
    QCOMPARE(reminderRow(h.state, single), qMakePair(0, local(11, 23, 45).toUTC()));

    Clock::pin(local(11, 23, 45));
    h.service.poll();
    QCOMPARE(h.notifier.shown.size(), 2);
    QCOMPARE(h.notifier.shown.first().body, QStringLiteral("Tomorrow, all day"));
    QCOMPARE(h.service.lastEventDate(), QDate(2026, 3, 12));
    QCOMPARE(reminderRow(h.state, single).first, 1);
    QCOMPARE(reminderRow(h.state, series), qMakePair(0, local(12, 23, 45).toUTC()));
}

// A series' occurrence reminds once however often the series is rewritten (a sync bringing
// another client's rename), and again when the rewrite moves it after the last one reminded,
// but not when an undo puts it back where it was reminded: the row keeps that last one.
void TestNotificationService::seriesRewriteRemindsOnlyWhatMoved()
{
    Harness h(local(10, 9, 50));
    QVERIFY(h.started);
    const QString id = addEvent(h.state, {"Daily", local(9, 10), {}, "FREQ=DAILY", 10});
    h.service.poll();
    QCOMPARE(h.notifier.shown.size(), 1);
    QCOMPARE(h.notifier.shown.last().body, QStringLiteral("In 10 minutes (10:00 AM)"));

    // A server's copy: the same alarm without the row's id or trigger.
    Event renamed = *h.state->events()->getById(id);
    renamed.title = QStringLiteral("Daily sync");
    renamed.syncStatus = QStringLiteral("synced");
    Reminder alarm;
    alarm.minutesBefore = 10;
    renamed.reminders = {alarm};
    QVERIFY(h.state->events()->update(renamed));
    Clock::pin(local(10, 9, 51));
    h.service.poll();
    QCOMPARE(h.notifier.shown.size(), 1);
    QCOMPARE(reminderRow(h.state, id), qMakePair(0, local(11, 9, 50).toUTC()));

    const Event before = *h.state->events()->getById(id);
    Event moved = before;
    moved.startTime = moved.startTime.addSecs(1800);
    moved.endTime = moved.endTime->addSecs(1800);
    QVERIFY(h.state->events()->update(moved));
    Clock::pin(local(10, 10, 20));
    h.service.poll();
    QCOMPARE(h.notifier.shown.size(), 2);
    QCOMPARE(h.notifier.shown.last().body, QStringLiteral("In 10 minutes (10:30 AM)"));
    QCOMPARE(reminderRow(h.state, id), qMakePair(0, local(11, 10, 20).toUTC()));
    const QString movedShown = StoreTime::toText(local(10, 10, 30));
    QCOMPARE(lastShown(h.state, id), movedShown);

    QVERIFY(h.state->events()->update(before)); // undone
    Clock::pin(local(10, 10, 21));
    h.service.poll();
    QCOMPARE(h.notifier.shown.size(), 2);
    QCOMPARE(reminderRow(h.state, id), qMakePair(0, local(11, 9, 50).toUTC()));

    // Redone and undone again: today's 10:30, reminded already, is not reminded again, and
    // tomorrow's 10:00 once.
    QVERIFY(h.state->events()->update(moved));
    Clock::pin(local(10, 10, 22));
    h.service.poll();
    QCOMPARE(h.notifier.shown.size(), 2);
    QCOMPARE(reminderRow(h.state, id), qMakePair(0, local(11, 10, 20).toUTC()));
    QCOMPARE(lastShown(h.state, id), movedShown);
    QVERIFY(h.state->events()->update(before));
    Clock::pin(local(11, 9, 50));
    h.service.poll();
    h.service.poll();
    QCOMPARE(h.notifier.shown.size(), 3);
    QCOMPARE(h.notifier.shown.last().body, QStringLiteral("In 10 minutes (10:00 AM)"));
    QCOMPARE(lastShown(h.state, id), StoreTime::toText(local(11, 10)));
}

// A series with a 10-minute reminder from `start` by `rule`, then `steps`, each "day hh:mm what"
// in March 2026 on the machine's clock, each followed by a poll as the running program makes
// one: "poll"; "rule R" and "sync R", the rule changed here or by a server's copy (its alarm
// without the row's id or trigger); "shift N", the series moved N minutes with the form;
// "rename"; "kind", made all-day on its dates, or timed at 10:00; "undo", the record as it was
// before the latest change written back. Every occurrence shown, as "day hh:mm" of its start
// ("day all day" for an all-day one), in order, and how many passes passed some over as late.
void TestNotificationService::seriesRewritesRemindEachOccurrenceOnce_data()
{
    QTest::addColumn<QString>("rule");
    QTest::addColumn<QDateTime>("start");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<int>("missed");
    const QString monday = QStringLiteral("FREQ=WEEKLY;BYDAY=MO");
    const QStringList week = {"11 09:50 poll", "12 09:50 poll", "13 09:50 poll",
                              "14 09:50 poll", "15 09:50 poll", "16 09:50 poll"};
    QTest::newRow("weekday added the day after")
        << monday << local(9, 10)
        << QStringList{"9 09:50 poll", "10 12:00 rule FREQ=WEEKLY;BYDAY=MO,WE"} + week
        << QStringList{"9 10:00", "11 10:00", "16 10:00"} << 0;
    QTest::newRow("weekday added by a sync the day after")
        << monday << local(9, 10)
        << QStringList{"9 09:50 poll", "10 12:00 sync FREQ=WEEKLY;BYDAY=MO,WE"} + week
        << QStringList{"9 10:00", "11 10:00", "16 10:00"} << 0;
    // Tuesday's had started when the series was made daily: passed over.
    QTest::newRow("made daily the day after")
        << monday << local(9, 10) << QStringList{"9 09:50 poll", "10 12:00 rule FREQ=DAILY"} + week
        << QStringList{"9 10:00",  "11 10:00", "12 10:00", "13 10:00",
                       "14 10:00", "15 10:00", "16 10:00"}
        << 1;
    QTest::newRow("Wednesday moved to Thursday on Thursday")
        << "FREQ=WEEKLY;BYDAY=MO,WE" << local(9, 10)
        << QStringList{"9 09:50 poll", "11 09:50 poll", "12 08:00 rule FREQ=WEEKLY;BYDAY=MO,TH"} +
               week
        << QStringList{"9 10:00", "11 10:00", "12 10:00", "16 10:00"} << 0;
    QTest::newRow("finished series renamed after its moved last one was shown")
        << "FREQ=DAILY;COUNT=3" << local(8, 10)
        << QStringList{"9 09:50 poll", "10 09:50 poll", "10 10:05 shift 15", "10 10:20 rename"}
        << QStringList{"9 10:00", "10 10:00", "10 10:15"} << 1;
    QTest::newRow("last one moved to before its reminder was due")
        << "FREQ=DAILY;COUNT=3" << local(8, 10)
        << QStringList{"9 09:50 poll", "10 09:40 shift -15", "10 09:50 rename"}
        << QStringList{"9 10:00", "10 09:45"} << 1;
    QTest::newRow("today's time changed twice, then undone twice")
        << "FREQ=DAILY" << local(10, 10)
        << QStringList{"10 09:50 poll", "10 09:52 shift 60", "10 09:53 shift 30",
                       "10 09:54 undo", "10 09:55 undo",     "11 09:50 poll"}
        << QStringList{"10 10:00", "11 10:00"} << 0;
    QTest::newRow("today's time changed twice, then put back with the form")
        << "FREQ=DAILY" << local(10, 10)
        << QStringList{"10 09:50 poll", "10 09:52 shift 60", "10 09:53 shift 30",
                       "10 09:54 shift -90", "11 09:50 poll"}
        << QStringList{"10 10:00", "11 10:00"} << 0;
    // The series changed kind: what was shown and what comes compare on the machine's clock.
    QTest::newRow("made timed after its all-day one was shown")
        << "FREQ=DAILY" << local(9, 10)
        << QStringList{"8 12:00 kind", "8 23:50 poll", "9 08:00 kind", "9 09:50 poll",
                       "10 09:50 poll"}
        << QStringList{"9 all day", "9 10:00", "10 10:00"} << 0;
    // Off from Monday to Thursday noon: those passed over stay so through a rewrite.
    QTest::newRow("renamed after some were passed over")
        << "FREQ=DAILY" << local(9, 10)
        << QStringList{"9 09:50 poll", "12 12:00 poll", "12 12:05 rename", "13 09:50 poll"}
        << QStringList{"9 10:00", "13 10:00"} << 1;
}

void TestNotificationService::seriesRewritesRemindEachOccurrenceOnce()
{
    QFETCH(QString, rule);
    QFETCH(QDateTime, start);
    QFETCH(QStringList, steps);
    QFETCH(QStringList, expected);
    QFETCH(int, missed);
    const auto when = [](const QString& step) {
        const QTime time = QTime::fromString(step.section(u' ', 1, 1), QStringLiteral("hh:mm"));
        return local(step.section(u' ', 0, 0).toInt(), time.hour(), time.minute());
    };
    Harness h(when(steps.first()));
    QVERIFY(h.started);
    const QString id = addEvent(h.state, {"Series", start, {}, rule, 10});
    QList<Event> undo;
    for (const QString& step : std::as_const(steps)) {
        Clock::pin(when(step));
        const QString what = step.section(u' ', 2, 2);
        Event series = *h.state->events()->getById(id);
        if (what == u"undo")
            series = undo.takeLast();
        else if (what != u"poll")
            undo.append(series);
        if (what == u"rule" || what == u"sync")
            series.recurrenceRule = step.section(u' ', 3);
        if (what == u"sync") {
            Reminder alarm;
            alarm.minutesBefore = 10;
            series.reminders = {alarm};
        }
        if (what == u"shift") {
            const qint64 seconds = step.section(u' ', 3).toLongLong() * 60;
            series.startTime = series.startTime.addSecs(seconds);
            series.endTime = series.endTime->addSecs(seconds);
        }
        if (what == u"rename")
            series.title += QStringLiteral(" (renamed)");
        if (what == u"kind") {
            const QDate date = series.isAllDay ? series.startTime.toUTC().date()
                                               : series.startTime.toLocalTime().date();
            series.isAllDay = !series.isAllDay;
            series.startTime = series.isAllDay ? QDateTime(date, QTime(0, 0), QTimeZone::utc())
                                               : QDateTime(date, QTime(10, 0));
            series.endTime = series.startTime.addSecs(series.isAllDay ? 86400 : 3600);
            series.timezone = QStringLiteral("UTC");
        }
        QVERIFY(what == u"poll" || h.state->events()->update(series));
        h.service.poll();
    }
    QStringList shown;
    for (const Notification& notification : std::as_const(h.notifier.shown)) {
        const QDateTime start =
            QDateTime::fromString(notification.id.section(u'\n', 1), Qt::ISODate).toLocalTime();
        const QDate date = QDate::fromString(notification.tag.section(u'\n', 1), Qt::ISODate);
        const bool allDay = notification.body.contains(QStringLiteral("all day"));
        shown.append(
            QString::number(date.day()) + u' ' +
            (allDay ? QStringLiteral("all day") : start.toString(QStringLiteral("hh:mm"))));
    }
    QCOMPARE(shown, expected);
    QCOMPARE(h.service.missedCount(), missed);
}

void TestNotificationService::nothingIsMarkedWithoutANotifier()
{
    Harness h;
    QVERIFY(h.started);
    const QString id = addEvent(h.state, {"Standup", local(11, 10, 15)});
    const QString series = addEvent(h.state, {"Daily", local(11, 10, 10), {}, "FREQ=DAILY"});
    const auto before = reminderRow(h.state, series);
    h.notifier.available = false;

    h.service.poll();
    QCOMPARE(reminderRow(h.state, id).first, 0);
    QCOMPARE(reminderRow(h.state, series), before);

    h.notifier.available = true;
    h.service.poll();
    QCOMPARE(h.notifier.shown.size(), 2);
    QCOMPARE(reminderRow(h.state, id).first, 1);
}

void TestNotificationService::clickRevealsTheShownReminder()
{
    Harness h;
    QVERIFY(h.started);
    FilterRule rule;
    rule.id = rule.name = QStringLiteral("quiet");
    rule.type = QStringLiteral("pattern");
    rule.action = QStringLiteral("dim");
    rule.suppressReminders = true;
    rule.conditions = QStringLiteral(R"({"runtimeType":"pattern","titleContains":["Focus"]})");
    rule.createdAt = rule.updatedAt = Clock::now();
    QVERIFY(h.state->filterRules()->insert(rule));
    const QString quiet = addEvent(h.state, {"Focus time", local(11, 10, 15)});
    QVERIFY(h.state->events()->remove(addEvent(h.state, {"Gone", local(11, 10, 15)})));
    const QString first = addEvent(h.state, {"First", local(11, 10, 5)});
    addEvent(h.state, {"Second", local(11, 10, 10)});
    QSignalSpy clicked(&h.service, &NotificationService::reminderClicked);

    // Suppressed and deleted events show nothing; a suppressed reminder still counts as done.
    h.service.poll();
    QCOMPARE(h.notifier.shown.size(), 2);
    QCOMPARE(h.notifier.shown.at(1).title, QStringLiteral("Second")); // in trigger order
    QCOMPARE(reminderRow(h.state, quiet).first, 1);
    h.notifier.click(0);
    QCOMPARE(clicked.size(), 1);
    QCOMPARE(clicked.first().at(0).toString(), first);
    QCOMPARE(clicked.first().at(1).toDate(), QDate(2026, 3, 11));

    QVERIFY(h.service.showTestNotification());
    QCOMPARE(h.notifier.shown.last().title, QStringLiteral("Test reminder"));
    QVERIFY(h.service.lastEventId().isEmpty());
    h.notifier.click(2); // names no event
    QCOMPARE(clicked.size(), 1);
}

// A notifier that answers later and fails the test notification hands it to the next one.
void TestNotificationService::failedTestNotificationGoesOn()
{
    RecordingNotifier desktop;
    RecordingNotifier window;
    desktop.answersLater = true;
    NotificationService service(nullptr, QList<Notifier*>{&desktop, &window}, nullptr);
    QVERIFY(service.showTestNotification());
    Q_EMIT desktop.failed(desktop.shown.first().id);
    QCOMPARE(window.shown.size(), 1);
}

void TestNotificationService::trayBalloonFallback()
{
    AppStateFixture fixture;
    QVERIFY(fixture.start());
    AppState* state = fixture.state();
    const QString id = addEvent(state, {"Standup", local(11, 10, 15)});
    FakeTrayIcon tray;
    TrayBalloonNotifier balloons(&tray, nullptr);
    NotificationService service(state, QList<Notifier*>{&balloons}, nullptr);
    QSignalSpy clicked(&service, &NotificationService::reminderClicked);

    service.poll(); // hidden icon: nothing shown, nothing marked
    QVERIFY(tray.messages.isEmpty());
    QCOMPARE(reminderRow(state, id).first, 0);

    tray.setVisible(true);
    service.poll();
    QCOMPARE(tray.messages.size(), 1);
    QCOMPARE(tray.messages.first().body, QStringLiteral("In 15 minutes (10:15 AM)"));
    Q_EMIT tray.messageClicked();
    QCOMPARE(clicked.size(), 1);
    QCOMPARE(clicked.first().at(0).toString(), id);
}

// Without a notification service and without a tray the reminders wait in a window of our own:
// listed once however often the service polls, recorded as handled only when dismissed (a series
// moves on to its next occurrence, as after a shown notification), and "Open" reveals the event
// like a click on a notification.
void TestNotificationService::reminderWindowWhenNothingElseCanShow()
{
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/calendar-test-bus");
    AppStateFixture fixture;
    QVERIFY(fixture.start());
    AppState* state = fixture.state();
    const QString single = addEvent(state, {"Standup", local(11, 10, 15), "Room 4"});
    const QString series = addEvent(state, {"Daily", local(11, 10, 10), {}, "FREQ=DAILY"});
    const auto seriesBefore = reminderRow(state, series);
    NotificationService service(state, nullptr, nullptr);
    QSignalSpy clicked(&service, &NotificationService::reminderClicked);

    service.poll();
    service.poll();
    ReminderWindow* window = reminderWindow();
    QVERIFY(window && window->isVisible());
    // Both due since before 10:00: each says the time left at that pass.
    QCOMPARE(listed(window), QStringList({"Daily / In 10 minutes (10:10 AM)",
                                          "Standup / In 15 minutes (10:15 AM) · Room 4"}));
    QCOMPARE(reminderRow(state, single).first, 0);
    QCOMPARE(reminderRow(state, series), seriesBefore);

    QVERIFY(clickOn(window, "Standup", "Dismiss"));
    QCOMPARE(reminderRow(state, single).first, 1);
    QCOMPARE(reminderRow(state, series), seriesBefore);
    QVERIFY(window->isVisible());

    QVERIFY(clickOn(window, "Daily", "Open"));
    QCOMPARE(clicked.size(), 1);
    QCOMPARE(clicked.first().at(0).toString(), series);
    QCOMPARE(reminderRow(state, series), qMakePair(0, local(12, 9, 55).toUTC()));
    QVERIFY(!window->isVisible());
    service.poll();
    QVERIFY(!window->isVisible());
}

void TestNotificationService::markupServersGetEscapedBodies()
{
    const QString text = QStringLiteral("In 5 minutes (10:00) · <b>R&D</b>");
    QCOMPARE(DBusNotifier::bodyFor(text, {"body", "body-markup"}),
             QStringLiteral("In 5 minutes (10:00) · &lt;b&gt;R&amp;D&lt;/b&gt;"));
    QCOMPARE(DBusNotifier::bodyFor(text, {"body"}), text);
}

QTEST_MAIN(TestNotificationService)
#include "tst_notificationservice.moc"

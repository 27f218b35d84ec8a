#include "AccountRepository.h"
#include "AppState.h"
#include "AppStateFixture.h"
#include "CalendarRepository.h"
#include "Clock.h"
#include "EventRepository.h"
#include "EventZone.h"
#include "Ical.h"
#include "SampleData.h"
#include "StoreSeed.h"
#include "TaskRepository.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimeZone>

class TestSampleData : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void loadsOnceAndRemovesEverything_data();
    void loadsOnceAndRemovesEverything();
    void datesAndTexts();
    void removalKeepsTheUsersOwnRows();
};

void TestSampleData::loadsOnceAndRemovesEverything_data()
{
    QTest::addColumn<bool>("withChildRows");
    QTest::newRow("as loaded") << false;
    QTest::newRow("user added a reminder and an attendee") << true;
}

void TestSampleData::loadsOnceAndRemovesEverything()
{
    QFETCH(bool, withChildRows);

    AppStateFixture fixture;
    QVERIFY(fixture.start());
    AppState* state = fixture.state();

    QCOMPARE(loadSampleData(state), 30);
    QCOMPARE(loadSampleData(state), 0);

    if (withChildRows) {
        Event event = *state->events()->getById(QStringLiteral("sample-event-today-standup"));
        event.reminders.append(Reminder{});
        event.attendees.append(Attendee{});
        event.attendees.last().email = QStringLiteral("bob@example.org");
        QVERIFY(state->events()->update(event));
    }

    QSignalSpy calendarsChanged(state->calendars(), &CalendarRepository::calendarsChanged);
    QSignalSpy eventsChanged(state->events(), &EventRepository::eventsChanged);
    QCOMPARE(removeSampleData(state), 31);
    QCOMPARE(calendarsChanged.count(), 1);
    QVERIFY(!state->accounts()->getById(QStringLiteral("sample-account")));
    QVERIFY(!state->events()->getById(QStringLiteral("sample-event-today-standup")));
    QVERIFY(!state->calendars()->getById(QStringLiteral("sample-cal-work")));
    // The seeded calendar is untouched.
    QVERIFY(state->calendars()->getById(AppState::localCalendarId));
    QTRY_COMPARE(eventsChanged.count(), 1);

    // Removal after removal deletes nothing; loading again brings everything back.
    QCOMPARE(removeSampleData(state), 0);
    QCOMPARE(loadSampleData(state), 30);
}

void TestSampleData::datesAndTexts()
{
    AppStateFixture fixture;
    QVERIFY(fixture.start());
    AppState* state = fixture.state();
    QCOMPARE(loadSampleData(state), 30);
    const QDate today = Clock::today();
    const auto event = [state](const char* key) {
        return *state->events()->getById(QStringLiteral("sample-event-") + QLatin1String(key));
    };

    // All-day rows lie at 00:00 UTC of their dates and say so in their text.
    const Event deadline = event("today-deadline");
    QVERIFY(deadline.isAllDay);
    QCOMPARE(deadline.startTime, QDateTime(today, QTime(0, 0), QTimeZone::utc()));
    QVERIFY(deadline.rawIcalendar.contains(QStringLiteral("DTSTART;VALUE=DATE:") +
                                           today.toString(QStringLiteral("yyyyMMdd")) +
                                           QStringLiteral("\r\n")));
    QVERIFY(deadline.rawIcalendar.contains(QStringLiteral("DTEND;VALUE=DATE:") +
                                           today.addDays(1).toString(QStringLiteral("yyyyMMdd"))));

    // Timed rows keep their local wall-clock time and their table day, whatever their rule.
    const Event standup = event("today-standup");
    QCOMPARE(standup.startTime.toLocalTime().time(), QTime(9, 0));
    QCOMPARE(standup.startTime.toLocalTime().date(), today);
    // ... in the machine's zone, which their text names.
    QCOMPARE(standup.timezone, EventZone::forNewEvents());
    QCOMPARE(Ical::parseEvents(standup.rawIcalendar).value(0).timezone, standup.timezone);
    QCOMPARE(event("d2-1on1").startTime.toLocalTime().date(), today.addDays(2));

    const Task milk = *state->tasks()->getById(QStringLiteral("sample-task-buy-milk"));
    QVERIFY(!milk.dueDate);
    QVERIFY(!milk.rawIcalendar.contains(QStringLiteral("PRIORITY:")));
    QVERIFY(!milk.rawIcalendar.contains(QStringLiteral("DUE:")));
    const Task done = *state->tasks()->getById(QStringLiteral("sample-task-old-completed"));
    QVERIFY(done.rawIcalendar.contains(QStringLiteral("STATUS:COMPLETED\r\n")));
}

void TestSampleData::removalKeepsTheUsersOwnRows()
{
    AppStateFixture fixture;
    QVERIFY(fixture.start());
    AppState* state = fixture.state();
    QCOMPARE(loadSampleData(state), 30);

    // The user put an event of their own into a sample calendar: it and its calendar stay.
    const QDateTime now = Clock::now();
    QVERIFY(StoreSeed::addEvent(
        state, StoreSeed::timedEvent("mine", "sample-cal-family", "Mine", now, now.addSecs(3600))));

    QCOMPARE(removeSampleData(state), 18 + 8);
    QVERIFY(state->events()->getById(QStringLiteral("mine")));
    QVERIFY(state->calendars()->getById(QStringLiteral("sample-cal-family")));
    QVERIFY(state->accounts()->getById(QStringLiteral("sample-account")));
}

QTEST_MAIN(TestSampleData)
#include "tst_sampledata.moc"

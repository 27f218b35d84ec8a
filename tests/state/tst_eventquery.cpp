#include "AppState.h"
#include "AppStateFixture.h"
#include "CalendarRepository.h"
#include "Clock.h"
#include "EventQueryState.h"
#include "EventRepository.h"
#include "FilterRuleRepository.h"
#include "Ical.h"

#include <QTest>
#include <QTimeZone>

namespace {

const QString personal = AppState::localCalendarId;

// An event of the seeded calendar. Timed rows: local times on `day` (days from today); an end
// before its start means "no end". All-day rows: `day` to `lastDay` inclusive.
struct Row
{
    int day = 0;
    QTime start;
    QTime end;
    bool allDay = false;
    int lastDay = 0;
    QString rule;
    QString title = QStringLiteral("Event");
};

Event makeEvent(const QString& id, const Row& row)
{
    const QDate today = Clock::today();
    Event event;
    event.id = event.uid = id;
    event.calendarId = personal;
    event.title = row.title;
    event.recurrenceRule = row.rule;
    event.isAllDay = row.allDay;
    if (row.allDay) {
        event.startTime = QDateTime(today.addDays(row.day), QTime(0, 0), QTimeZone::utc());
        event.endTime = QDateTime(today.addDays(row.lastDay + 1), QTime(0, 0), QTimeZone::utc());
    } else {
        const QTimeZone local = QTimeZone::systemTimeZone();
        event.startTime = QDateTime(today.addDays(row.day), row.start, local);
        if (row.end > row.start)
            event.endTime = QDateTime(today.addDays(row.day), row.end, local);
    }
    event.created = event.lastModified = Clock::now();
    event.rawIcalendar = Ical::buildEvent(event);
    return event;
}

Row timed(int day, int startHour, int startMinute, int endHour, int endMinute,
          const QString& rule = {}, const QString& title = QStringLiteral("Event"))
{
    const QTime end = endHour < 0 ? QTime(0, 0) : QTime(endHour, endMinute);
    return {day, QTime(startHour, startMinute), end, false, 0, rule, title};
}

Row allDay(int first, int last, const QString& rule = {})
{
    return {first, {}, {}, true, last, rule};
}

} // namespace

Q_DECLARE_METATYPE(Row)

class TestEventQuery : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void visibleOccurrences_data();
    void visibleOccurrences();
    void nextIsFirstNotOver();
};

void TestEventQuery::visibleOccurrences_data()
{
    QTest::addColumn<Row>("row");
    QTest::addColumn<int>("shown"); // occurrences of the event in the result

    // Now is 10:00 local time on a Wednesday.
    QTest::newRow("over at 09:00") << timed(0, 8, 0, 9, 0) << 0;
    QTest::newRow("in progress") << timed(0, 8, 0, 10, 30) << 1;
    QTest::newRow("ends exactly now") << timed(0, 8, 0, 10, 0) << 0;
    QTest::newRow("no end, started earlier") << timed(0, 8, 0, -1, 0) << 0;
    QTest::newRow("later today") << timed(0, 18, 0, 19, 0) << 1;
    QTest::newRow("tomorrow evening") << timed(1, 22, 0, 23, 0) << 1;
    QTest::newRow("day after tomorrow") << timed(2, 0, 30, 1, 0) << 0;
    QTest::newRow("all-day today") << allDay(0, 0) << 1;
    QTest::newRow("all-day tomorrow") << allDay(1, 1) << 1;
    QTest::newRow("all-day yesterday") << allDay(-1, -1) << 0;
    QTest::newRow("all-day day after tomorrow") << allDay(2, 2) << 0;
    QTest::newRow("holiday on its third day") << allDay(-2, 0) << 1;
    QTest::newRow("daily all-day series") << allDay(-10, -10, "FREQ=DAILY") << 2;
    QTest::newRow("weekly series from last week") << timed(-7, 11, 0, 12, 0, "FREQ=WEEKLY") << 1;
    QTest::newRow("daily series, today's is over") << timed(-3, 8, 0, 9, 0, "FREQ=DAILY") << 1;
    QTest::newRow("hidden by a rule") << timed(0, 18, 0, 19, 0, {}, "Secret meeting") << 0;
    QTest::newRow("dimmed stays") << timed(0, 18, 0, 19, 0, {}, "Lunch break") << 1;
}

void TestEventQuery::visibleOccurrences()
{
    QFETCH(Row, row);
    QFETCH(int, shown);

    AppStateFixture fixture;
    QVERIFY(fixture.start());
    AppState* state = fixture.state();
    QVERIFY(state->events()->insert(makeEvent(QStringLiteral("e"), row)));
    QVERIFY(state->events()->insert(makeEvent(QStringLiteral("noise"), timed(3, 9, 0, 10, 0))));
    FilterRule hide;
    hide.id = QStringLiteral("hide");
    hide.name = hide.id;
    hide.type = QStringLiteral("keyword");
    hide.conditions = QStringLiteral(R"({"runtimeType":"pattern","titleContains":["secret"]})");
    FilterRule dim = hide;
    dim.id = QStringLiteral("dim");
    dim.name = dim.id;
    dim.action = QStringLiteral("dim");
    dim.conditions = QStringLiteral(R"({"runtimeType":"pattern","titleContains":["lunch"]})");
    QVERIFY(state->filterRules()->insert(hide));
    QVERIFY(state->filterRules()->insert(dim));

    const QList<Event> result = EventQuery::visibleOccurrences(state);
    QCOMPARE(result.size(), shown);
    for (const Event& event : result)
        QCOMPARE(event.id, QStringLiteral("e"));
}

void TestEventQuery::nextIsFirstNotOver()
{
    AppStateFixture fixture;
    QVERIFY(fixture.start());
    AppState* state = fixture.state();
    QVERIFY(!EventQuery::nextVisibleOccurrence(state));

    QVERIFY(state->events()->insert(makeEvent(QStringLiteral("over"), timed(0, 7, 0, 8, 0))));
    QVERIFY(state->events()->insert(makeEvent(QStringLiteral("later"), timed(0, 15, 0, 16, 0))));
    QVERIFY(state->events()->insert(makeEvent(QStringLiteral("running"), timed(0, 9, 0, 11, 0))));
    QCOMPARE(EventQuery::nextVisibleOccurrence(state)->id, QStringLiteral("running"));

    // No visible calendar and a View naming none: nothing, without asking for all calendars.
    Calendar calendar = *state->calendars()->getById(personal);
    calendar.isVisible = false;
    QVERIFY(state->calendars()->update(calendar));
    QVERIFY(EventQuery::visibleOccurrences(state).isEmpty());
}

QTEST_MAIN(TestEventQuery)
#include "tst_eventquery.moc"

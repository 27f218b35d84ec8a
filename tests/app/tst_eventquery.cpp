#include "AppState.h"
#include "AppStateFixture.h"
#include "CalendarRepository.h"
#include "Clock.h"
#include "EventQuery.h"
#include "EventRepository.h"
#include "Ical.h"
#include "FilterRuleRepository.h"

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
    event.id = id;
    event.uid = id;
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
    event.created = Clock::now();
    event.lastModified = event.created;
    event.rawIcalendar = Ical::buildEvent(event);
    return event;
}

Row timed(int day, int startHour, int startMinute, int endHour, int endMinute)
{
    Row row;
    row.day = day;
    row.start = QTime(startHour, startMinute);
    row.end = endHour < 0 ? QTime(0, 0) : QTime(endHour, endMinute);
    return row;
}

Row allDay(int first, int last, const QString& rule = {})
{
    Row row;
    row.day = first;
    row.lastDay = last;
    row.allDay = true;
    row.rule = rule;
    return row;
}

Row withRule(Row row, const QString& rule)
{
    row.rule = rule;
    return row;
}

Row titled(Row row, const QString& title)
{
    row.title = title;
    return row;
}

} // namespace

Q_DECLARE_METATYPE(Row)

class TestEventQuery : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void calendarIdsForView_data();
    void calendarIdsForView();
    void visibleOccurrences_data();
    void visibleOccurrences();
    void nextIsFirstNotOver();
};

void TestEventQuery::calendarIdsForView_data()
{
    QTest::addColumn<QString>("calendarIds"); // empty: no View
    QTest::addColumn<bool>("removed");
    QTest::addColumn<QStringList>("expected");

    // Calendars: a (visible), b (hidden), c (visible).
    QTest::newRow("no View") << QString() << false << QStringList{"a", "c"};
    QTest::newRow("View of all calendars") << "[]" << false << QStringList{"a", "c"};
    QTest::newRow("named calendars in View order, hidden ones too")
        << R"(["b","a"])" << false << QStringList{"b", "a"};
    QTest::newRow("non-text element stays as an empty id")
        << R"([1,"c"])" << false << QStringList{"", "c"};
    QTest::newRow("not JSON") << "b,a" << false << QStringList{"a", "c"};
    QTest::newRow("object, not array") << R"({"ids":["b"]})" << false << QStringList{"a", "c"};
    QTest::newRow("removed View shows what no View shows")
        << R"(["b"])" << true << QStringList{"a", "c"};
}

void TestEventQuery::calendarIdsForView()
{
    QFETCH(QString, calendarIds);
    QFETCH(bool, removed);
    QFETCH(QStringList, expected);

    QList<Calendar> calendars;
    for (const char* id : {"a", "b", "c"}) {
        Calendar calendar;
        calendar.id = QString::fromLatin1(id);
        calendar.isVisible = calendar.id != QLatin1String("b");
        calendars.append(calendar);
    }
    std::optional<CalendarView> view;
    if (!calendarIds.isEmpty()) {
        view = CalendarView{};
        view->calendarIds = calendarIds;
        if (removed)
            view->deletedAt = Clock::now();
    }
    QCOMPARE(EventQuery::calendarIdsForView(view, calendars), expected);
}

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
    QTest::newRow("holiday that began last week, ends next week") << allDay(-7, 7) << 1;
    QTest::newRow("daily all-day series") << allDay(-10, -10, "FREQ=DAILY") << 2;
    QTest::newRow("weekly series from last week")
        << withRule(timed(-7, 11, 0, 12, 0), "FREQ=WEEKLY") << 1;
    QTest::newRow("daily series, today's is over")
        << withRule(timed(-3, 8, 0, 9, 0), "FREQ=DAILY") << 1;
    QTest::newRow("hidden by a rule") << titled(timed(0, 18, 0, 19, 0), "Secret meeting") << 0;
    QTest::newRow("dimmed stays") << titled(timed(0, 18, 0, 19, 0), "Lunch break") << 1;
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
    int count = 0;
    for (const Event& event : result) {
        QCOMPARE(event.id, QStringLiteral("e"));
        ++count;
    }
    QCOMPARE(count, shown);
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

#include "AppState.h"
#include "AppStateFixture.h"
#include "CalendarRepository.h"
#include "Clock.h"
#include "Database.h"
#include "EventRepository.h"
#include "QuickAddState.h"

#include <QSqlQuery>
#include <QTest>
#include <QTimeZone>

namespace {

// "id:flags" with v visible, d default, r read-only, t tasks only, x unreadable component list.
QList<Calendar> calendars(const QStringList& specs)
{
    QList<Calendar> list;
    for (const QString& spec : specs) {
        Calendar calendar;
        calendar.id = spec.section(QLatin1Char(':'), 0, 0);
        const QString flags = spec.section(QLatin1Char(':'), 1);
        calendar.isVisible = flags.contains(QLatin1Char('v'));
        calendar.isDefault = flags.contains(QLatin1Char('d'));
        calendar.isReadOnly = flags.contains(QLatin1Char('r'));
        if (flags.contains(QLatin1Char('t')))
            calendar.supportedComponents = QStringLiteral(R"(["VTODO"])");
        if (flags.contains(QLatin1Char('x')))
            calendar.supportedComponents = QStringLiteral("VEVENT,VTODO");
        list.append(calendar);
    }
    return list;
}

} // namespace

class TestQuickAdd : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void chooseCalendar_data();
    void chooseCalendar();
    void createEvent_data();
    void createEvent();
    void nothingStoredWithoutAWritableCalendar();
    void failureNamesTheCause_data();
    void failureNamesTheCause();
};

void TestQuickAdd::chooseCalendar_data()
{
    QTest::addColumn<QStringList>("specs");
    QTest::addColumn<QString>("preferred");
    QTest::addColumn<QString>("chosen");

    QTest::newRow("default wins, hidden or not") << QStringList{"A:v", "B:d"} << ""
                                                 << "B";
    QTest::newRow("first visible without a default") << QStringList{"A:", "B:v"} << ""
                                                     << "B";
    QTest::newRow("first of all when none visible") << QStringList{"A:", "B:"} << ""
                                                    << "A";
    QTest::newRow("preferred first") << QStringList{"A:vd", "B:"} << "B"
                                     << "B";
    QTest::newRow("unknown preferred falls through") << QStringList{"A:v", "B:d"} << "Z"
                                                     << "B";
    QTest::newRow("read-only default skipped") << QStringList{"A:v", "B:vdr"} << ""
                                               << "A";
    QTest::newRow("task-only default skipped") << QStringList{"A:vdt", "B:"} << ""
                                               << "B";
    QTest::newRow("unreadable component list counts as events") << QStringList{"A:x"} << ""
                                                                << "A";
    QTest::newRow("nothing accepts events") << QStringList{"A:vr", "B:t"} << "A"
                                            << "";
}

void TestQuickAdd::chooseCalendar()
{
    QFETCH(QStringList, specs);
    QFETCH(QString, preferred);
    QFETCH(QString, chosen);
    QCOMPARE(QuickAdd::chooseCalendar(calendars(specs), preferred), chosen);
}

void TestQuickAdd::createEvent_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("day");     // days from today (a Wednesday); -1: nothing stored
    QTest::addColumn<QTime>("start"); // invalid: all day; timed events last an hour

    QTest::newRow("title, day and time") << "Lunch tomorrow at noon"
                                         << "Lunch" << 1 << QTime(12, 0);
    QTest::newRow("no title left keeps the text") << "tomorrow at 3pm"
                                                  << "tomorrow at 3pm" << 1 << QTime(15, 0);
    QTest::newRow("a day without a time is all day") << "Dentist friday"
                                                     << "Dentist" << 2 << QTime();
    QTest::newRow("blank") << "   "
                           << "" << -1 << QTime();
    QTest::newRow("a date that does not exist") << "Party feb 30"
                                                << "" << -1 << QTime();
}

void TestQuickAdd::createEvent()
{
    QFETCH(QString, text);
    QFETCH(QString, title);
    QFETCH(int, day);
    QFETCH(QTime, start);

    AppStateFixture fixture;
    QVERIFY(fixture.start());
    AppState* state = fixture.state();
    const QString id = QuickAdd::createEvent(state, text, QString());
    if (day < 0) {
        QVERIFY(id.isEmpty());
        QVERIFY(state->events()->getByCalendar(AppState::localCalendarId).isEmpty());
        return;
    }
    const std::optional<Event> stored = state->events()->getById(id);
    QVERIFY(stored);
    QCOMPARE(stored->title, title);
    QCOMPARE(stored->calendarId, AppState::localCalendarId);
    QCOMPARE(stored->uid, id);
    QCOMPARE(stored->syncStatus, QStringLiteral("pending"));
    QCOMPARE(stored->status, QStringLiteral("confirmed"));

    const QDate date = Clock::today().addDays(day);
    if (!start.isValid()) {
        // Stored as every all-day event is: 00:00 UTC of the date, whatever the machine's zone.
        QVERIFY(stored->isAllDay);
        QCOMPARE(stored->startTime, QDateTime(date, QTime(0, 0), QTimeZone::utc()));
        QCOMPARE(*stored->endTime, QDateTime(date.addDays(1), QTime(0, 0), QTimeZone::utc()));
        QVERIFY(stored->rawIcalendar.contains(QStringLiteral("DTSTART;VALUE=DATE:") +
                                              date.toString(QStringLiteral("yyyyMMdd"))));
        return;
    }
    const QTimeZone local = QTimeZone::systemTimeZone();
    QVERIFY(!stored->isAllDay);
    QCOMPARE(stored->startTime.toMSecsSinceEpoch(),
             QDateTime(date, start, local).toMSecsSinceEpoch());
    QCOMPARE(stored->endTime->toMSecsSinceEpoch(),
             QDateTime(date, start.addSecs(3600), local).toMSecsSinceEpoch());
}

void TestQuickAdd::nothingStoredWithoutAWritableCalendar()
{
    AppStateFixture fixture;
    QVERIFY(fixture.start());
    AppState* state = fixture.state();
    Calendar personal = *state->calendars()->getById(AppState::localCalendarId);
    personal.isReadOnly = true;
    QVERIFY(state->calendars()->update(personal));
    QVERIFY(QuickAdd::createEvent(state, QStringLiteral("Lunch tomorrow at noon"), {}).isEmpty());
    QVERIFY(state->events()->getByCalendar(personal.id).isEmpty());
    QVERIFY(QuickAdd::createEvent(nullptr, QStringLiteral("Lunch"), {}).isEmpty());
}

void TestQuickAdd::failureNamesTheCause_data()
{
    QTest::addColumn<QString>("store"); // "writable", "read-only", "tasks only", "broken"
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("failure");

    QTest::newRow("stored") << "writable"
                            << "Tea at 4pm" << int(QuickAdd::Failure::None);
    QTest::newRow("unreadable date") << "writable"
                                     << "Party feb 30" << int(QuickAdd::Failure::Unreadable);
    QTest::newRow("read-only, even for good text")
        << "read-only"
        << "Tea at 4pm" << int(QuickAdd::Failure::NoWritableCalendar);
    QTest::newRow("read-only wins over unreadable text")
        << "read-only"
        << "Party feb 30" << int(QuickAdd::Failure::NoWritableCalendar);
    QTest::newRow("tasks only") << "tasks only"
                                << "Tea at 4pm" << int(QuickAdd::Failure::NoWritableCalendar);
    QTest::newRow("the write fails") << "broken"
                                     << "Tea at 4pm" << int(QuickAdd::Failure::WriteFailed);
}

void TestQuickAdd::failureNamesTheCause()
{
    QFETCH(QString, store);
    QFETCH(QString, text);
    QFETCH(int, failure);
    AppStateFixture fixture;
    QVERIFY(fixture.start());
    AppState* state = fixture.state();
    Calendar personal = *state->calendars()->getById(AppState::localCalendarId);
    personal.isReadOnly = store == QLatin1String("read-only");
    if (store == QLatin1String("tasks only"))
        personal.supportedComponents = QStringLiteral(R"(["VTODO"])");
    QVERIFY(state->calendars()->update(personal));
    if (store == QLatin1String("broken")) {
        QSqlQuery drop(state->database()->database());
        QVERIFY(drop.exec(QStringLiteral("DROP TABLE events")));
    }
    QuickAdd::Failure why = QuickAdd::Failure::WriteFailed;
    const QString id = QuickAdd::createEvent(state, text, QString(), &why);
    QCOMPARE(int(why), failure);
    QCOMPARE(id.isEmpty(), failure != int(QuickAdd::Failure::None));
}

QTEST_MAIN(TestQuickAdd)
#include "tst_quickadd.moc"

#include "AccountRepository.h"
#include "AppStateFixture.h"
#include "CalDavSyncClient.h"
#include "CalendarRepository.h"
#include "Clock.h"
#include "DavServer.h"
#include "EventRepository.h"
#include "Ical.h"
#include "Recurrence.h"
#include "RecurringEdit.h"
#include "StoreSeed.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTimeZone>

namespace {

// A series as stored here, two drags of its occurrences (this one only, then this and
// following) and the starts each half must keep once the server holds them.
struct Series
{
    Event master;
    QDateTime onlyOccurrence, onlyNewStart, onlyNewEnd;
    QDateTime splitOccurrence, splitNewStart, splitNewEnd;
    QList<QDateTime> firstHalf, secondHalf;
    QString untilPattern; // what the UNTIL value of both halves must look like
};

QList<QDateTime> weekly(const QDateTime& first, int count)
{
    QList<QDateTime> starts;
    for (int i = 0; i < count; ++i)
        starts.append(StoreSeed::local(first.date().addDays(7 * i), first.time()).toUTC());
    return starts;
}

QList<QDateTime> daily(const QDate& first, const QDate& last)
{
    QList<QDateTime> starts;
    for (QDate day = first; day <= last; day = day.addDays(1))
        starts.append(QDateTime(day, QTime(0, 0), Qt::UTC));
    return starts;
}

Series timedWeekly()
{
    const auto at = [](int month, int day, int hour) {
        return StoreSeed::local(QDate(2026, month, day), QTime(hour, 0));
    };
    Series s;
    s.master = StoreSeed::timedEvent(QStringLiteral("weekly"), QStringLiteral("cal-1"),
                                     QStringLiteral("Planning"), at(3, 4, 9).toUTC(),
                                     at(3, 4, 10).toUTC());
    s.master.timezone = QString::fromUtf8(QTimeZone::systemTimeZoneId());
    s.master.recurrenceRule = QStringLiteral("FREQ=WEEKLY;COUNT=10");
    s.onlyOccurrence = at(3, 11, 9).toUTC();
    s.onlyNewStart = at(3, 11, 14).toUTC();
    s.onlyNewEnd = at(3, 11, 15).toUTC();
    // After the change to summer time: the split must still fall on the local wall clock.
    s.splitOccurrence = at(4, 1, 9).toUTC();
    s.splitNewStart = at(4, 1, 11).toUTC();
    s.splitNewEnd = at(4, 1, 12).toUTC();
    s.firstHalf = weekly(at(3, 4, 9), 4);
    s.secondHalf = weekly(at(4, 1, 11), 6);
    s.untilPattern = QStringLiteral("^\\d{8}T\\d{6}Z$");
    return s;
}

Series allDayDaily()
{
    const auto day = [](int d) { return QDateTime(QDate(2026, 3, d), QTime(0, 0), Qt::UTC); };
    Series s;
    s.master =
        StoreSeed::allDayEvent(QStringLiteral("daily"), QStringLiteral("cal-1"),
                               QStringLiteral("Trade fair"), QDate(2026, 3, 2), QDate(2026, 3, 2));
    s.master.recurrenceRule = QStringLiteral("FREQ=DAILY;UNTIL=20260320");
    s.onlyOccurrence = day(5);
    s.onlyNewStart = day(6);
    s.onlyNewEnd = day(7);
    s.splitOccurrence = day(10);
    s.splitNewStart = day(12);
    s.splitNewEnd = day(13);
    s.firstHalf = daily(QDate(2026, 3, 2), QDate(2026, 3, 9));
    // Two days later from the 10th on: the last day moves with the rest.
    s.secondHalf = daily(QDate(2026, 3, 12), QDate(2026, 3, 22));
    s.untilPattern = QStringLiteral("^\\d{8}$");
    return s;
}

// The UNTIL value of the RRULE line of one stored object, as the server holds it.
QString storedUntil(const QString& data)
{
    QString unfolded = data;
    unfolded.replace(QStringLiteral("\r\n "), QString());
    static const QRegularExpression until(QStringLiteral("^RRULE:.*UNTIL=([^;\\r\\n]+)"),
                                          QRegularExpression::MultilineOption);
    return until.match(unfolded).captured(1);
}

QList<QDateTime> startsOf(const Event& series)
{
    QList<QDateTime> starts;
    const QDateTime from(QDate(2026, 1, 1), QTime(0, 0), Qt::UTC);
    for (const Event& occurrence : Recurrence::occurrences(series, from, from.addYears(2)))
        starts.append(occurrence.startTime.toUTC());
    return starts;
}

} // namespace

Q_DECLARE_METATYPE(Series)

// Recurring edits made here reach a real server the way other clients read them: a moved
// occurrence travels with its series as one resource, and a split leaves two series whose ends
// match the series before the split.
class TestRecurringEditCalDav : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void editsReachTheServer_data()
    {
        QTest::addColumn<Series>("series");
        QTest::newRow("timed weekly, count") << timedWeekly();
        QTest::newRow("all-day daily, until") << allDayDaily();
    }
    void editsReachTheServer()
    {
        QFETCH(Series, series);
        if (!DavServer::available(DavServer::Kind::Radicale))
            QSKIP("radicale is not installed");
        DavServer server(DavServer::Kind::Radicale);
        QVERIFY(server.start());
        const QUrl collection = server.makeCalendar(QStringLiteral("work"), QStringLiteral("Work"));
        QVERIFY(collection.isValid());

        AppStateFixture fixture;
        QVERIFY(fixture.start());
        AppState* state = fixture.state();
        Account account = StoreSeed::account(QStringLiteral("acc-1"), QStringLiteral("Server"),
                                             QStringLiteral("caldav"));
        account.serverUrl = server.baseUrl().toString();
        account.username = server.username();
        Calendar calendar = StoreSeed::calendar(QStringLiteral("cal-1"), account.id,
                                                QStringLiteral("Work"), QStringLiteral("#3366cc"));
        calendar.url = collection.toString();
        calendar.supportedComponents = QStringLiteral("[\"VEVENT\",\"VTODO\"]");
        calendar.syncEnabled = true;
        QVERIFY(StoreSeed::addCalendar(state, account, calendar));
        series.master.syncStatus = QStringLiteral("pending");
        QVERIFY(StoreSeed::addEvent(state, series.master));

        const auto sync = [&] {
            CalDavSyncClient client(state);
            QSignalSpy completed(&client, &CalDavSyncClient::calendarSyncCompleted);
            QSignalSpy failed(&client, &CalDavSyncClient::calendarSyncFailed);
            client.syncCalendar(*state->calendars()->getById(calendar.id),
                                server.baseUrl().toString(), server.username(), server.password(),
                                QString());
            return QTest::qWaitFor([&] { return completed.count() + failed.count() > 0; }, 20000) &&
                   completed.count() == 1;
        };
        QVERIFY(sync());
        QCOMPARE(server.listObjects(collection).size(), 1);

        const Event master = *state->events()->getById(series.master.id);
        QVERIFY(RecurringEdit::apply(state->events(), master, series.onlyOccurrence,
                                     series.onlyNewStart, series.onlyNewEnd, 1));
        QVERIFY(RecurringEdit::apply(state->events(), *state->events()->getById(master.id),
                                     series.splitOccurrence, series.splitNewStart,
                                     series.splitNewEnd, 2));
        QVERIFY(sync());

        // One resource per UID: the series' own holds its master and the moved occurrence.
        const QList<DavHttp::Object> objects = server.listObjects(collection);
        QCOMPARE(objects.size(), 2);
        QString ownData, followingData;
        QList<Event> own, following;
        for (const DavHttp::Object& object : objects) {
            const QList<Event> parsed = Ical::parseEvents(object.data);
            QVERIFY(!parsed.isEmpty());
            for (const Event& event : parsed)
                QCOMPARE(event.uid, parsed.first().uid);
            if (parsed.first().uid == master.uid) {
                own = parsed;
                ownData = object.data;
            } else {
                following = parsed;
                followingData = object.data;
            }
        }
        QCOMPARE(own.size(), 2);
        QCOMPARE(following.size(), 1);
        const auto isOverride = [](const Event& e) { return !e.recurrenceId.isEmpty(); };
        const Event storedMaster = isOverride(own.at(0)) ? own.at(1) : own.at(0);
        const Event storedOverride = isOverride(own.at(0)) ? own.at(0) : own.at(1);
        QVERIFY(!isOverride(storedMaster));
        QVERIFY(isOverride(storedOverride));
        QCOMPARE(storedOverride.recurrenceId,
                 Recurrence::recurrenceIdFor(series.onlyOccurrence, master.isAllDay));
        QCOMPARE(storedOverride.startTime.toUTC(), series.onlyNewStart);

        // The split keeps both halves' ends, each UNTIL in the value type of its DTSTART.
        QCOMPARE(startsOf(storedMaster), series.firstHalf);
        QCOMPARE(startsOf(following.first()), series.secondHalf);
        QVERIFY2(storedUntil(ownData).contains(QRegularExpression(series.untilPattern)),
                 qPrintable(storedUntil(ownData)));
        const QString followingUntil = storedUntil(followingData);
        QVERIFY2(followingUntil.isEmpty() ||
                     followingUntil.contains(QRegularExpression(series.untilPattern)),
                 qPrintable(followingUntil));

        // The next pull leaves the edits as they are.
        QVERIFY(sync());
        QCOMPARE(startsOf(*state->events()->getById(master.id)), series.firstHalf);
        QCOMPARE(server.listObjects(collection).size(), 2);
    }
};

QTEST_MAIN(TestRecurringEditCalDav)
#include "tst_recurringeditcaldav.moc"

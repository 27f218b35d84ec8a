// The two kinds of rows a CalDAV calendar's objects become, applied to a real store: which
// calendars are asked for tasks, what a server's copy leaves of the local row, what the store
// cannot hold, and one row for a UID a listing holds twice.
#include "AppState.h"
#include "AppStateFixture.h"
#include "CalDavRowKind.h"
#include "CalDavSyncStore.h"
#include "Database.h"
#include "EventRepository.h"
#include "StoreSeed.h"
#include "TaskRepository.h"

#include <QTest>

namespace {

const QString calendarId = QStringLiteral("work");

QString calendarText(const QString& component, const QString& uid, const QString& lines)
{
    return QStringLiteral("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//EN\r\n"
                          "BEGIN:%1\r\nUID:%2\r\nDTSTAMP:20260301T090000Z\r\n%3END:%1\r\n"
                          "END:VCALENDAR\r\n")
        .arg(component, uid, lines);
}

} // namespace

class TestCalDavRowKind : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_fixture = std::make_unique<AppStateFixture>();
        QVERIFY(m_fixture->start());
        const Account account = StoreSeed::account(QStringLiteral("acc"), QStringLiteral("Work"),
                                                   QStringLiteral("caldav"));
        m_calendar = StoreSeed::calendar(calendarId, account.id, QStringLiteral("Work"),
                                         QStringLiteral("#33b679"));
        QVERIFY(StoreSeed::addCalendar(state(), account, m_calendar));
    }

    void cleanup() { m_fixture.reset(); }

    void tasksAreAskedOnlyOfCalendarsListingThem_data()
    {
        QTest::addColumn<QString>("components");
        QTest::addColumn<bool>("listed");
        QTest::newRow("events and tasks") << QStringLiteral(R"(["VEVENT","VTODO"])") << true;
        QTest::newRow("any case") << QStringLiteral(R"(["vtodo"])") << true;
        QTest::newRow("events only") << QStringLiteral(R"(["VEVENT"])") << false;
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("not a list") << QStringLiteral("VTODO") << false;
        QTest::newRow("an object") << QStringLiteral(R"({"VTODO":true})") << false;
    }

    void tasksAreAskedOnlyOfCalendarsListingThem()
    {
        QFETCH(QString, components);
        QFETCH(bool, listed);
        Calendar calendar = m_calendar;
        calendar.supportedComponents = components;
        QCOMPARE(CalDavRowKind::tasks.listedBy(calendar), listed);
        QVERIFY(CalDavRowKind::events.listedBy(calendar));
    }

    // The server knows nothing of where the user placed a task or which colour it has.
    void aServersTaskKeepsTheLocalPlaceAndColour()
    {
        Task task;
        task.id = QStringLiteral("t1");
        task.uid = QStringLiteral("u1");
        task.calendarId = calendarId;
        task.title = QStringLiteral("Report");
        task.href = QStringLiteral("/cal/u1.ics");
        task.etag = QStringLiteral("e1");
        task.sortOrder = 7;
        task.color = QStringLiteral("#ff0000");
        task.created = AppStateFixture::defaultNow().toUTC();
        task.lastModified = task.created;
        QVERIFY(state()->tasks()->insert(task));

        int written = 0;
        const CalDavRowKind::Applied applied =
            apply(CalDavRowKind::tasks, task.href, QStringLiteral("e2"),
                  calendarText(QStringLiteral("VTODO"), task.uid,
                               QStringLiteral("SUMMARY:Report, revised\r\n")),
                  &written);
        QVERIFY(!applied.failed);
        QCOMPARE(applied.stored, 1);
        QCOMPARE(written, 1);
        const std::optional<Task> stored = state()->tasks()->getById(task.id);
        QVERIFY(stored);
        QCOMPARE(stored->title, QStringLiteral("Report, revised"));
        QCOMPARE(stored->etag, QStringLiteral("e2"));
        QCOMPARE(stored->sortOrder, 7);
        QCOMPARE(stored->color, QStringLiteral("#ff0000"));
    }

    // One broken object must not stop the calendar, nor take the row stored for it.
    void anEventWithoutAStartLeavesTheStoredRow()
    {
        const QDateTime start = StoreSeed::local(QDate(2026, 3, 12), QTime(12, 0));
        Event event = StoreSeed::timedEvent(QStringLiteral("e1"), calendarId,
                                            QStringLiteral("Lunch"), start, start.addSecs(3600));
        event.href = QStringLiteral("/cal/e1.ics");
        event.etag = QStringLiteral("e1");
        QVERIFY(StoreSeed::addEvent(state(), event));

        int written = 0;
        const CalDavRowKind::Applied applied = apply(
            CalDavRowKind::events, event.href, QStringLiteral("e2"),
            calendarText(QStringLiteral("VEVENT"), event.uid, QStringLiteral("SUMMARY:Broken\r\n")),
            &written);
        QVERIFY(!applied.failed);
        QCOMPARE(applied.handled, 0);
        QCOMPARE(written, 0);
        const std::optional<Event> stored = state()->events()->getById(event.id);
        QVERIFY(stored);
        QCOMPARE(stored->title, QStringLiteral("Lunch"));
        QCOMPARE(stored->etag, QStringLiteral("e1"));
    }

    // A server holding one UID under two hrefs makes one row here, whichever kind.
    void aUidListedTwiceMakesOneRow_data()
    {
        QTest::addColumn<bool>("tasks");
        QTest::newRow("events") << false;
        QTest::newRow("tasks") << true;
    }

    void aUidListedTwiceMakesOneRow()
    {
        QFETCH(bool, tasks);
        const CalDavRowKind& kind = tasks ? CalDavRowKind::tasks : CalDavRowKind::events;
        const QString text =
            calendarText(QLatin1String(kind.component), QStringLiteral("twice"),
                         QStringLiteral("SUMMARY:Twice\r\nDTSTART:20260312T090000Z\r\n"
                                        "DTEND:20260312T100000Z\r\n"));
        CalDavSyncPlan::Index index = CalDavSyncPlan::indexRows(
            CalDavSyncStore(state()->database()).rows(kind.table, calendarId, false));
        for (const QString& href : {QStringLiteral("/cal/a.ics"), QStringLiteral("/cal/b.ics")}) {
            const CalDavRowKind::Applied applied = kind.apply(
                state(), m_calendar, index, href, QStringLiteral("e1"), text, [](int) {});
            QVERIFY(!applied.failed);
        }
        const int rows = tasks ? int(state()->tasks()->getByCalendar(calendarId).size())
                               : int(state()->events()->getByCalendar(calendarId).size());
        QCOMPARE(rows, 1);
    }

private:
    AppState* state() const { return m_fixture->state(); }

    CalDavRowKind::Applied apply(const CalDavRowKind& kind, const QString& href,
                                 const QString& etag, const QString& text, int* written)
    {
        CalDavSyncPlan::Index index = CalDavSyncPlan::indexRows(
            CalDavSyncStore(state()->database()).rows(kind.table, calendarId, false));
        return kind.apply(state(), m_calendar, index, href, etag, text,
                          [written](int) { ++*written; });
    }

    std::unique_ptr<AppStateFixture> m_fixture;
    Calendar m_calendar;
};

QTEST_MAIN(TestCalDavRowKind)
#include "tst_caldavrowkind.moc"

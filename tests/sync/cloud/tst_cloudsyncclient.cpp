#include "CloudTesting.h"

#include "AccountRepository.h"
#include "ApiClient.h"
#include "CalendarRepository.h"
#include "Client.h"
#include "ConflictResolutionService.h"
#include "EventRepository.h"
#include "Ical.h"
#include "Limits.h"
#include "OrvandellicSyncClient.h"

#include <QRegularExpression>
#include <QTimeZone>
#include <QTimer>

namespace {

const QString cloudCalendar = QStringLiteral("cal-a");

QString icsFor(const QString& uid, const QString& title, int day)
{
    return QStringLiteral("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//EN\r\n"
                          "BEGIN:VEVENT\r\nUID:%1\r\nSUMMARY:%2\r\n"
                          "DTSTART:202603%3T090000Z\r\nDTEND:202603%3T100000Z\r\n"
                          "END:VEVENT\r\nEND:VCALENDAR\r\n")
        .arg(uid, title, QStringLiteral("%1").arg(day, 2, 10, QLatin1Char('0')));
}

} // namespace

class TestCloudSyncClient : public QObject
{
    Q_OBJECT

private:
    CloudWorld m_world;

    EventRepository* events() const { return m_world.state()->events(); }

    // Runs one calendar sync with a fresh client; the completed count, or -1 after a failure.
    int sync(const QString& calendarId)
    {
        Orvandellic::SyncClient client(m_world.state(),
                                       m_world.state()->accountClient()->syncApiClient());
        QSignalSpy completed(&client, &Orvandellic::SyncClient::calendarSyncCompleted);
        QSignalSpy failed(&client, &Orvandellic::SyncClient::calendarSyncFailed);
        client.syncCalendar(*m_world.state()->calendars()->getById(calendarId));
        if (!QTest::qWaitFor([&] { return completed.size() + failed.size() > 0; }, 10000)) {
            return -2;
        }
        return completed.isEmpty() ? -1 : completed.first().at(1).toInt();
    }

    int pullList()
    {
        Orvandellic::SyncClient client(m_world.state(),
                                       m_world.state()->accountClient()->syncApiClient());
        QSignalSpy pulled(&client, &Orvandellic::SyncClient::calendarListPulled);
        client.pullCalendarList();
        if (!pulled.wait(10000) && pulled.isEmpty()) {
            return -1;
        }
        return pulled.first().first().toInt();
    }

    Event localEvent(const QString& uid, const QString& title)
    {
        Event event;
        event.id = QStringLiteral("local-") + uid;
        event.calendarId = cloudCalendar;
        event.uid = uid;
        event.title = title;
        event.startTime = QDateTime(QDate(2026, 3, 12), QTime(9, 0), QTimeZone::utc());
        event.endTime = event.startTime.addSecs(3600);
        event.syncStatus = QStringLiteral("pending");
        event.created = Clock::now();
        event.lastModified = event.created;
        event.rawIcalendar = Ical::buildEvent(event);
        return event;
    }

private Q_SLOTS:
    void init() { QVERIFY(m_world.start({cloudCalendar})); }
    void cleanup() { m_world.stop(); }

    void signInListsCloudCalendarsInsteadOfSeedingLocalOnes()
    {
        const std::optional<Calendar> listed = m_world.state()->calendars()->getById(cloudCalendar);
        QVERIFY(listed);
        QVERIFY(listed->syncEnabled);
        QCOMPARE(listed->accountId, Orvandellic::SyncClient::cloudAccountId);
        QVERIFY(!m_world.state()->accounts()->getById(QStringLiteral("personal-local-account")));

        m_world.cloud->addCalendar(QStringLiteral("cal-b"), QStringLiteral("Team"));
        QCOMPARE(pullList(), 1);
        QCOMPARE(pullList(), 0);
        QCOMPARE(m_world.state()->calendars()->getById(QStringLiteral("cal-b"))->accountId,
                 Orvandellic::SyncClient::cloudAccountId);
        m_world.cloud->addCalendar(QStringLiteral("cal-c"), QStringLiteral("Later"));
        m_world.cloud->failPath("GET", QStringLiteral("/calendars"), 503);
        QCOMPARE(pullList(), 0);
        QVERIFY(!m_world.state()->calendars()->getById(QStringLiteral("cal-c")));
    }

    // A list of thousands goes in as one write with one signal. What the bound keeps out is
    // counted in the cloud account's last error and named in the log; the count goes once the
    // list fits again.
    void calendarListIsOneWriteAndTellsWhatTheBoundLeftOut()
    {
        const auto id = [](int i) { return QStringLiteral("list-%1").arg(i, 4, 10, QChar(u'0')); };
        for (int i = 0; i < Limits::maxCloudCalendars + 5; ++i) {
            m_world.cloud->addCalendar(id(i), QStringLiteral("Team %1").arg(i));
        }
        CalendarRepository* calendars = m_world.state()->calendars();
        AccountRepository* accounts = m_world.state()->accounts();
        QSignalSpy changed(calendars, &CalendarRepository::calendarsChanged);
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression("^\\[CloudSync\\] .*1000 calendars; not added: "
                                                "\"Team 999\", \"Team 1000\", .*, \"Team 1004\"$"));
        QCOMPARE(pullList(), Limits::maxCloudCalendars - 1); // "cal-a" is listed first
        QCOMPARE(changed.count(), 1);
        QVERIFY(!calendars->getById(id(999)));
        // No catalogue is loaded here: the source text, its count filled in.
        QCOMPARE(accounts->getById(Orvandellic::SyncClient::cloudAccountId)->lastSyncError,
                 QStringLiteral("6 calendar(s) of the cloud calendar list not added: only the "
                                "first 1000 are taken."));

        for (int i = 0; i < 6; ++i) {
            m_world.cloud->removeCalendar(id(i));
        }
        QCOMPARE(pullList(), 6);
        QCOMPARE(changed.count(), 2);
        QVERIFY(
            accounts->getById(Orvandellic::SyncClient::cloudAccountId)->lastSyncError.isEmpty());
    }

    void pullFollowsTheCursorPageByPage()
    {
        for (int i = 1; i <= 5; ++i) {
            m_world.cloud->putEvent(cloudCalendar, QStringLiteral("u%1").arg(i),
                                    icsFor(QStringLiteral("u%1").arg(i), "Remote", 10 + i));
        }
        m_world.cloud->setPageSize(2);
        // The cursor is written alone: a rename made while the pull is out is kept.
        Calendar renamed = *m_world.state()->calendars()->getById(cloudCalendar);
        renamed.name = QStringLiteral("Renamed here");
        QTimer::singleShot(0, [&] { QVERIFY(m_world.state()->calendars()->update(renamed)); });
        QCOMPARE(sync(cloudCalendar), 5);
        QCOMPARE(m_world.state()->calendars()->getById(cloudCalendar)->name, renamed.name);
        QCOMPARE(events()->getByCalendar(cloudCalendar).size(), 5);
        const std::optional<Event> third = events()->getByUid(QStringLiteral("u3"), cloudCalendar);
        QCOMPARE(third->etag, m_world.cloud->event(cloudCalendar, "u3")->etag);
        QCOMPARE(third->syncStatus, QStringLiteral("synced"));
        QCOMPARE(m_world.state()->calendars()->getById(cloudCalendar)->syncToken,
                 QString::number(m_world.cloud->sequence()));

        // Only what changed after the cursor comes again.
        m_world.cloud->putEvent(cloudCalendar, "u2", icsFor("u2", "Renamed", 12));
        m_world.cloud->deleteEvent(cloudCalendar, "u4");
        QCOMPARE(sync(cloudCalendar), 2);
        QCOMPARE(events()->getByUid("u2", cloudCalendar)->title, QStringLiteral("Renamed"));
        QVERIFY(!events()->getByUid("u4", cloudCalendar));
        QCOMPARE(m_world.cloud->requests().last().query.queryItemValue("since"),
                 QString::number(m_world.cloud->sequence() - 2));
    }

    void failedPullLeavesCursorAndRows()
    {
        m_world.cloud->putEvent(cloudCalendar, "u1", icsFor("u1", "First", 11));
        QCOMPARE(sync(cloudCalendar), 1);
        const QString cursor = m_world.state()->calendars()->getById(cloudCalendar)->syncToken;
        m_world.cloud->putEvent(cloudCalendar, "u2", icsFor("u2", "Second", 12));
        m_world.cloud->failPath("GET", QStringLiteral("/calendars/cal-a/events"), 500);
        QCOMPARE(sync(cloudCalendar), -1);
        QCOMPARE(m_world.state()->calendars()->getById(cloudCalendar)->syncToken, cursor);
        QVERIFY(!events()->getByUid("u2", cloudCalendar));
        m_world.cloud->clearFailures();
        QCOMPARE(sync(cloudCalendar), 1);
        QVERIFY(events()->getByUid("u2", cloudCalendar));
    }

    void pendingRowWinsOverANewerServerCopy()
    {
        m_world.cloud->putEvent(cloudCalendar, "u1", icsFor("u1", "Original", 11));
        QCOMPARE(sync(cloudCalendar), 1);
        Event edited = *events()->getByUid("u1", cloudCalendar);
        edited.title = QStringLiteral("Edited here");
        edited.syncStatus = QStringLiteral("pending");
        edited.rawIcalendar = Ical::buildEvent(edited);
        QVERIFY(events()->update(edited));
        const QString serverEtag =
            m_world.cloud->putEvent(cloudCalendar, "u1", icsFor("u1", "Edited there", 11));

        QSignalSpy recorded(m_world.state()->conflicts(),
                            &Sync::ConflictResolutionService::conflictRecorded);
        QCOMPARE(sync(cloudCalendar), 1); // the push
        QCOMPARE(recorded.size(), 1);
        const Sync::Conflict conflict = m_world.state()->conflicts()->conflicts().first();
        QCOMPARE(conflict.uid, QStringLiteral("u1"));
        QCOMPARE(conflict.remoteEtag, serverEtag);
        const Event kept = *events()->getByUid("u1", cloudCalendar);
        QCOMPARE(kept.title, QStringLiteral("Edited here"));
        QCOMPARE(kept.syncStatus, QStringLiteral("synced"));
        QVERIFY(m_world.cloud->event(cloudCalendar, "u1")->ical.contains("Edited here"));
        QCOMPARE(kept.etag, m_world.cloud->event(cloudCalendar, "u1")->etag);
    }

    void pushSendsNewRowsAndDeletions()
    {
        QVERIFY(events()->insert(localEvent("n1", "Made here")));
        QVERIFY(events()->insert(localEvent("n2", "Made and dropped")));
        QVERIFY(events()->remove("local-n2"));
        QCOMPARE(sync(cloudCalendar), 1);
        QVERIFY(m_world.cloud->event(cloudCalendar, "n1"));
        QCOMPARE(events()->getById("local-n1")->syncStatus, QStringLiteral("synced"));
        // Never sent, so deleting it needs no request.
        QVERIFY(!events()->getById("local-n2"));
        QCOMPARE(m_world.cloud->count("DELETE", "/n2"), 0);

        QVERIFY(events()->remove("local-n1"));
        QCOMPARE(sync(cloudCalendar), 1);
        QVERIFY(m_world.cloud->event(cloudCalendar, "n1")->deleted);
        QVERIFY(!events()->getById("local-n1"));
    }

    void seriesTravelsAsOneItem()
    {
        const QString series = QStringLiteral(
            "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//EN\r\n"
            "BEGIN:VEVENT\r\nUID:s1\r\nSUMMARY:Weekly\r\nDTSTART:20260302T090000Z\r\n"
            "DTEND:20260302T100000Z\r\nRRULE:FREQ=WEEKLY\r\nEND:VEVENT\r\n"
            "BEGIN:VEVENT\r\nUID:s1\r\nRECURRENCE-ID:20260309T090000Z\r\nSUMMARY:Moved\r\n"
            "DTSTART:20260309T110000Z\r\nDTEND:20260309T120000Z\r\nEND:VEVENT\r\n"
            "END:VCALENDAR\r\n");
        m_world.cloud->putEvent(cloudCalendar, "s1", series);
        QCOMPARE(sync(cloudCalendar), 2);
        Event moved = *events()->getByUidAndRecurrenceId("s1", cloudCalendar,
                                                         QStringLiteral("20260309T090000Z"));
        QCOMPARE(moved.title, QStringLiteral("Moved"));

        // Editing the occurrence sends the whole series, never the occurrence alone.
        moved.title = QStringLiteral("Moved again");
        moved.syncStatus = QStringLiteral("pending");
        moved.rawIcalendar = Ical::buildEvent(moved);
        QVERIFY(events()->update(moved));
        QCOMPARE(sync(cloudCalendar), 1);
        const QString stored = m_world.cloud->event(cloudCalendar, "s1")->ical;
        QVERIFY(stored.contains("RRULE:FREQ=WEEKLY"));
        QVERIFY(stored.contains("Moved again"));
        QCOMPARE(stored.count("BEGIN:VEVENT"), 2);
        QCOMPARE(events()->getById(moved.id)->syncStatus, QStringLiteral("synced"));

        // The series' deletion on the server removes every row of it.
        m_world.cloud->deleteEvent(cloudCalendar, "s1");
        QCOMPARE(sync(cloudCalendar), 2);
        QVERIFY(!events()->getById(moved.id));
        QVERIFY(!events()->getByUid("s1", cloudCalendar));
    }

    void devicesOwnCalendarsNeverReachTheServer_data()
    {
        QTest::addColumn<QString>("accountId");
        QTest::newRow("sample data") << QStringLiteral("sample-account");
        QTest::newRow("on this device") << QStringLiteral("personal-local-account");
    }

    void devicesOwnCalendarsNeverReachTheServer()
    {
        QFETCH(QString, accountId);
        Account account;
        account.id = accountId;
        account.name = QStringLiteral("Here");
        account.type = QStringLiteral("orvandellic");
        account.createdAt = Clock::now();
        account.updatedAt = account.createdAt;
        QVERIFY(m_world.state()->accounts()->insert(account));
        Calendar calendar;
        calendar.id = QStringLiteral("here-cal");
        calendar.accountId = accountId;
        calendar.url = QStringLiteral("local://calendar/here-cal");
        calendar.name = QStringLiteral("Here");
        calendar.syncEnabled = true;
        calendar.createdAt = Clock::now();
        calendar.updatedAt = calendar.createdAt;
        QVERIFY(m_world.state()->calendars()->insert(calendar));
        Event event = localEvent("h1", "Stays here");
        event.calendarId = calendar.id;
        QVERIFY(events()->insert(event));

        const qsizetype before = m_world.cloud->requests().size();
        QCOMPARE(sync(calendar.id), 0);
        QCOMPARE(m_world.cloud->requests().size(), before);
        QCOMPARE(events()->getById(event.id)->syncStatus, QStringLiteral("pending"));
    }
};

QTEST_MAIN(TestCloudSyncClient)
#include "tst_cloudsyncclient.moc"

#include "EventRepository.h"
#include "PinnedClock.h"
#include "StoreFixture.h"
#include "StoreTime.h"
#include "TestTime.h"

#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSqlDriver>
#include <QSqlError>
#include <QTest>
#include <QTimeZone>

#include <sqlite3.h>

using TestTime::utc;

namespace {

QStringList idsOf(const QList<Event>& events)
{
    QStringList ids;
    for (const Event& event : events)
        ids.append(event.id);
    return ids;
}

// Two reminders (60 min display, 15 min email) and two attendees (Bob, then one without name).
Event withChildren(Event event)
{
    event.reminders = {Reminder(), Reminder()};
    event.reminders[0].minutesBefore = 60;
    event.reminders[1].minutesBefore = 15;
    event.reminders[1].action = QStringLiteral("email");
    event.attendees = {Attendee(), Attendee()};
    event.attendees[0].email = QStringLiteral("bob@example.org");
    event.attendees[0].name = QStringLiteral("Bob");
    event.attendees[1].email = QStringLiteral("zed@example.org");
    return event;
}

} // namespace

class TestEventRepository : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<StoreFixture> m_store;
    EventRepository* m_events = nullptr;

private Q_SLOTS:
    void init()
    {
        m_store = std::make_unique<StoreFixture>(QStringList{"cal-a", "cal-b"});
        QVERIFY(m_store->isReady());
        m_events = new EventRepository(m_store->database(), m_store->database());
    }

    void cleanup() { m_store.reset(); }

    // Whatever zone a time carries, the row holds its UTC text, and the reader expresses it in
    // the event's zone (all-day events excepted).
    void timesAreStoredInUtcAndReadInEventZone_data()
    {
        QTest::addColumn<QDateTime>("start");
        QTest::addColumn<QString>("zone");
        QTest::addColumn<bool>("allDay");
        QTest::addColumn<QString>("storedStart");
        QTest::addColumn<QString>("readZone");
        const QDateTime berlin(QDate(2025, 3, 1), QTime(9, 30), QTimeZone("Europe/Berlin"));
        const QDateTime local(QDate(2025, 7, 1), QTime(12, 0), Qt::LocalTime);
        const QString utcText = QStringLiteral("2025-03-01T08:30:00Z");
        // clang-format off
        QTest::newRow("berlin") << berlin << "Europe/Berlin" << false << utcText << "Europe/Berlin";
        QTest::newRow("offset into new york") << QDateTime(QDate(2025, 3, 1), QTime(9, 30),
            QTimeZone(3600)) << "America/New_York" << false << utcText << "America/New_York";
        QTest::newRow("local time") << local << "UTC" << false
                                    << local.toUTC().toString(Qt::ISODate) << "";
        QTest::newRow("unknown zone") << berlin << "Not/AZone" << false << utcText << "";
        QTest::newRow("empty zone") << berlin << "" << false << utcText << "";
        QTest::newRow("zone only its definition names") << berlin
            << "BEGIN:VTIMEZONE\r\nTZID:Odd\r\nBEGIN:STANDARD\r\nDTSTART:19700101T000000\r\n"
               "TZOFFSETFROM:+0530\r\nTZOFFSETTO:+0530\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n"
            << false << utcText << "";
        QTest::newRow("all-day stays utc") << utc(2025, 3, 1) << "Pacific/Kiritimati" << true
                                           << "2025-03-01T00:00:00Z" << "";
        // clang-format on
    }

    void timesAreStoredInUtcAndReadInEventZone()
    {
        QFETCH(QDateTime, start);
        QFETCH(QString, zone);
        QFETCH(bool, allDay);
        QFETCH(QString, storedStart);
        QFETCH(QString, readZone);
        Event event = StoreFixture::event("e1", "cal-a", start);
        event.timezone = zone;
        event.isAllDay = allDay;
        QVERIFY(m_events->insert(event));
        QCOMPARE(m_store->strings("SELECT start_time FROM events"), QStringList{storedStart});
        const std::optional<Event> read = m_events->getById("e1");
        QVERIFY(read);
        QCOMPARE(read->timezone, zone);
        QCOMPARE(read->startTime, start);
        QCOMPARE(read->endTime.value(), start.addSecs(3600));
        if (readZone.isEmpty())
            QCOMPARE(read->startTime.timeSpec(), Qt::UTC);
        else
            QCOMPARE(read->startTime.timeZone().id(), readZone.toUtf8());
        if (allDay)
            QCOMPARE(read->startTime.date(), start.date());
    }

    // The range query reads three classes of rows through separate indexes; it must give
    // exactly the rows, in the order, of the one plain statement over the stored texts.
    void rangeMatchesPlainStatement()
    {
        QRandomGenerator random(20250301);
        const QStringList calendars = {"cal-a", "cal-b"};
        QVERIFY(m_store->exec("BEGIN"));
        for (int i = 0; i < 600; ++i) {
            const QDateTime start = utc(2025, 1, 1).addSecs(qint64(random.bounded(90 * 24)) * 3600);
            const int kind = random.bounded(12);
            // Values as SQL literals.
            const auto quoted = [](const QString& text) { return u'\'' + text + u'\''; };
            QString end =
                quoted(StoreTime::toText(start.addSecs(qint64(random.bounded(1, 48)) * 1800)));
            QString startText = StoreTime::toText(start);
            QString rule = QStringLiteral("NULL");
            if (kind == 0)
                end = QStringLiteral("NULL");
            else if (kind == 1)
                end = quoted(StoreTime::toText(start.addDays(random.bounded(8, 60))));
            else if (kind == 2)
                end = quoted(StoreTime::toText(start.addDays(7)));
            else if (kind == 3)
                rule = QStringLiteral("'FREQ=WEEKLY'");
            else if (kind == 4)
                rule = QStringLiteral("''");
            else if (kind == 5) // written by an older build, with an offset
                startText = start.toOffsetFromUtc(7200).toString(Qt::ISODate);
            else if (kind == 6) // zone-less, as SQLite's datetime() writes
                end = quoted(start.addSecs(5400).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
            else if (kind == 7)
                end = quoted(StoreTime::toText(start.addSecs(-3600)));
            QVERIFY(m_store->exec(
                QStringLiteral("INSERT INTO events (id, calendar_id, uid, title, start_time, "
                               "end_time, recurrence_rule, deleted_at, raw_icalendar) VALUES "
                               "('e%1', '%2', 'u%1', 'T', '%3', %4, %5, %6, 'raw')")
                    .arg(QString::number(1000 + i), calendars.at(random.bounded(2)), startText, end,
                         rule, kind == 8 ? QStringLiteral("'2025-01-01T00:00:00Z'") : "NULL")));
        }
        QVERIFY(m_store->exec("COMMIT"));

        qsizetype returned = 0;
        for (int round = 0; round < 200; ++round) {
            const QDateTime from =
                utc(2024, 12, 20).addSecs(qint64(random.bounded(110 * 24)) * 3600);
            const QDateTime to = from.addSecs(qint64(random.bounded(1, 24 * 40)) * 3600);
            const QStringList filter = QStringList{"cal-a", "cal-b"}.mid(2 - round % 3);
            const QStringList expected = m_store->strings(
                QStringLiteral(
                    "SELECT id FROM events WHERE start_time < '%1' AND (end_time IS NULL "
                    "OR end_time > '%2' OR (recurrence_rule IS NOT NULL AND "
                    "recurrence_rule != '')) AND deleted_at IS NULL%3 ORDER BY "
                    "start_time, id")
                    .arg(StoreTime::toText(to), StoreTime::toText(from),
                         filter.isEmpty() ? QString()
                                          : " AND calendar_id IN ('" + filter.join("','") + "')"));
            const QTimeZone zone = round % 2 ? QTimeZone("Asia/Tokyo") : QTimeZone::utc();
            QCOMPARE(
                idsOf(m_events->getInRange(from.toTimeZone(zone), to.toTimeZone(zone), filter)),
                expected);
            returned += expected.size();
        }
        QVERIFY(returned > 2000);
    }

    // Any record a lookup hands out can be written back without losing its child rows.
    void updateFromAnyLookupKeepsChildren_data()
    {
        QTest::addColumn<QString>("lookup");
        for (const char* lookup : {"getById", "getByUid", "getByUidAndRecurrenceId", "getPending",
                                   "search", "getByCalendar", "getInRange"})
            QTest::newRow(lookup) << lookup;
    }

    void updateFromAnyLookupKeepsChildren()
    {
        QFETCH(QString, lookup);
        Event stored = withChildren(StoreFixture::event("e1", "cal-a", utc(2025, 3, 1, 10)));
        stored.syncStatus = QStringLiteral("pending");
        QVERIFY(m_events->insert(stored));
        std::optional<Event> found;
        const auto first = [](const QList<Event>& list) {
            return list.isEmpty() ? std::optional<Event>() : list.first();
        };
        if (lookup == u"getById")
            found = m_events->getById("e1");
        else if (lookup == u"getByUid")
            found = m_events->getByUid(stored.uid, "cal-a");
        else if (lookup == u"getByUidAndRecurrenceId")
            found = m_events->getByUidAndRecurrenceId(stored.uid, "cal-a", QString());
        else if (lookup == u"getPending")
            found = first(m_events->getPending("cal-a"));
        else if (lookup == u"search")
            found = first(m_events->search("Event", 5));
        else if (lookup == u"getByCalendar")
            found = first(m_events->getByCalendar("cal-a"));
        else
            found = first(m_events->getInRange(utc(2025, 3, 1), utc(2025, 3, 2), {}));
        QVERIFY(found);
        // Children come in their order: reminders by minutes, attendees by name.
        QCOMPARE(found->reminders.size(), 2);
        QCOMPARE(found->reminders.at(0).minutesBefore, 15);
        QCOMPARE(found->attendees.at(1).name, QStringLiteral("Bob"));
        found->title = QStringLiteral("Renamed");
        QVERIFY(m_events->update(*found));
        QCOMPARE(m_store->strings("SELECT e.title, r.id, r.action, a.role FROM events e, "
                                  "reminders r, attendees a WHERE r.minutes_before = 15 AND "
                                  "a.name = 'Bob'"),
                 QStringList{"Renamed|" + found->reminders.at(0).id + "|email|required"});
        QCOMPARE(m_store->strings("SELECT (SELECT count(*) FROM reminders) || (SELECT count(*) "
                                  "FROM attendees)"),
                 QStringList{"22"});
    }

    // The trigger follows the start on every write; a moved reminder is shown again, an
    // unchanged one keeps its acknowledgement, also when the record was rebuilt elsewhere (a
    // server's copy) without the reminder's id.
    void reminderTriggerFollowsStart_data()
    {
        QTest::addColumn<int>("moveMinutes");
        QTest::addColumn<QString>("record");
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<bool>("acknowledged");
        // clang-format off
        QTest::newRow("moved") << 60 << "loaded" << "2025-03-01T10:45:00Z" << false;
        QTest::newRow("moved, no trigger") << 60 << "no trigger" << "2025-03-01T10:45:00Z" << false;
        QTest::newRow("unchanged, no trigger") << 0 << "no trigger" << "2025-03-01T09:45:00Z" << true;
        QTest::newRow("unchanged, rebuilt") << 0 << "rebuilt" << "2025-03-01T09:45:00Z" << true;
        // clang-format on
    }

    void reminderTriggerFollowsStart()
    {
        QFETCH(int, moveMinutes);
        QFETCH(QString, record);
        QFETCH(QString, trigger);
        QFETCH(bool, acknowledged);
        Event event = StoreFixture::event(
            "e1", "cal-a", QDateTime(QDate(2025, 3, 1), QTime(11, 0), QTimeZone("Europe/Berlin")));
        event.timezone = QStringLiteral("Europe/Berlin");
        Reminder reminder;
        reminder.minutesBefore = 15;
        reminder.triggerTime = utc(2020, 1, 1); // stale: the start decides
        Reminder other;
        other.minutesBefore = 1440;
        event.reminders = {reminder, other};
        QVERIFY(m_events->insert(event));
        QCOMPARE(m_store->strings("SELECT trigger_time FROM reminders ORDER BY minutes_before"),
                 (QStringList{"2025-03-01T09:45:00Z", "2025-02-28T10:00:00Z"}));
        QVERIFY(m_store->exec("UPDATE reminders SET acknowledged = 1 WHERE minutes_before = 15"));
        Event stored = *m_events->getById("e1");
        const QString storedId = stored.reminders.at(0).id;
        QCOMPARE(stored.reminders.at(0).triggerTime->toUTC(), utc(2025, 3, 1, 9, 45));
        stored.startTime = stored.startTime.addSecs(moveMinutes * 60);
        for (Reminder& each : stored.reminders) {
            if (record != u"loaded")
                each.triggerTime.reset();
            if (record == u"rebuilt") {
                each.id.clear();
                each.acknowledged = false;
            }
        }
        QVERIFY(m_events->update(stored));
        QCOMPARE(m_store->strings("SELECT trigger_time || '|' || acknowledged FROM reminders "
                                  "WHERE minutes_before = 15"),
                 QStringList{trigger + u'|' + (acknowledged ? u'1' : u'0')});
        QCOMPARE(m_store->strings("SELECT id FROM reminders WHERE minutes_before = 15"),
                 QStringList{storedId});
        QCOMPARE(m_store->strings("SELECT acknowledged FROM reminders WHERE minutes_before = 1440"),
                 QStringList{"0"});
    }

    // An event and its children are one unit: a failing child row undoes the event row too.
    void failedChildRowUndoesEventWrite()
    {
        Event event = withChildren(StoreFixture::event("e1", "cal-a", utc(2025, 3, 1, 10)));
        event.attendees[0].id = QStringLiteral("same");
        event.attendees[1].id = QStringLiteral("same");
        QSignalSpy changed(m_events, &EventRepository::eventsChanged);
        QTest::ignoreMessage(
            QtWarningMsg, QRegularExpression("^EventRepository::writeAttendeeRows insert failed:"));
        QVERIFY(!m_events->insert(event));
        QCOMPARE(m_store->strings("SELECT count(*) FROM events"), QStringList{"0"});
        QCOMPARE(m_store->strings("SELECT count(*) FROM reminders"), QStringList{"0"});

        event.attendees[1].id.clear();
        QVERIFY(m_events->insert(event));
        Event changedEvent = *m_events->getById("e1");
        changedEvent.title = QStringLiteral("Changed");
        changedEvent.reminders[1].id = changedEvent.reminders[0].id;
        QTest::ignoreMessage(
            QtWarningMsg, QRegularExpression("^EventRepository::writeReminderRows insert failed:"));
        QVERIFY(!m_events->update(changedEvent));
        const Event after = *m_events->getById("e1");
        QCOMPARE(after.title, event.title);
        QCOMPARE(after.reminders.size(), 2);
        QCOMPARE(after.attendees.size(), 2);
        QTest::qWait(200);
        QCOMPARE(changed.count(), 1);

        // The unit nests in a caller's transaction and goes with its rollback.
        QVERIFY(m_store->db().transaction());
        QVERIFY(
            m_events->insert(withChildren(StoreFixture::event("e2", "cal-a", utc(2025, 3, 2)))));
        QVERIFY(m_store->db().rollback());
        QCOMPARE(m_store->strings("SELECT count(*) FROM reminders"), QStringList{"2"});

        // Inside a caller's transaction a failed insert takes away its own rows only.
        QVERIFY(m_store->db().transaction());
        QVERIFY(
            m_events->insert(withChildren(StoreFixture::event("e3", "cal-a", utc(2025, 3, 3)))));
        Event broken = withChildren(StoreFixture::event("e4", "cal-a", utc(2025, 3, 4)));
        broken.attendees[0].id = QStringLiteral("twice");
        broken.attendees[1].id = QStringLiteral("twice");
        QTest::ignoreMessage(
            QtWarningMsg, QRegularExpression("^EventRepository::writeAttendeeRows insert failed:"));
        QVERIFY(!m_events->insert(broken));
        QVERIFY(m_store->db().commit());
        QCOMPARE(m_store->strings("SELECT id FROM events ORDER BY id"), QStringList({"e1", "e3"}));
        QCOMPARE(m_store->strings("SELECT count(*) FROM reminders WHERE event_id = 'e4'"),
                 QStringList{"0"});
        QCOMPARE(m_store->strings("SELECT count(*) FROM attendees WHERE event_id = 'e4'"),
                 QStringList{"0"});
        QCOMPARE(m_store->strings("SELECT count(*) FROM attendees WHERE event_id = 'e3'"),
                 QStringList{"2"});

        // Inside a caller's transaction a failed update leaves the row and its children as
        // they were, not half written.
        QVERIFY(m_store->db().transaction());
        Event halfway = *m_events->getById("e3");
        halfway.title = QStringLiteral("Half written");
        halfway.reminders[1].id = halfway.reminders[0].id;
        QTest::ignoreMessage(
            QtWarningMsg, QRegularExpression("^EventRepository::writeReminderRows insert failed:"));
        QVERIFY(!m_events->update(halfway));
        QVERIFY(m_store->db().commit());
        const Event kept = *m_events->getById("e3");
        QCOMPARE(kept.title, QStringLiteral("Event e3"));
        QCOMPARE(kept.reminders.size(), 2);
        QCOMPARE(kept.attendees.size(), 2);
    }

    void searchTakesWildcardsLiterally_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("limit");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("underscore") << "a_c" << 10 << QStringList{"e2"};
        QTest::newRow("percent") << "100%" << 10 << QStringList{"e1"};
        QTest::newRow("backslash") << "C:\\" << 10 << QStringList{"e4"};
        QTest::newRow("case") << "ABC" << 10 << QStringList{"e3"};
        QTest::newRow("limit below one") << "e" << 0 << QStringList{"e1"};
        QTest::newRow("blank") << "  " << 10 << QStringList{};
        QTest::newRow("location") << "Room 5" << 10 << QStringList{"e3"};
    }

    void searchTakesWildcardsLiterally()
    {
        QFETCH(QString, text);
        QFETCH(int, limit);
        QFETCH(QStringList, expected);
        const QStringList titles = {"100% sure", "a_c here", "abc there", "C:\\temp",
                                    "1000 points"};
        for (int i = 0; i < titles.size(); ++i) {
            Event event = StoreFixture::event(QStringLiteral("e%1").arg(i + 1), "cal-a",
                                              utc(2025, 3, 1 + i, 10));
            event.title = titles.at(i);
            if (i == 2)
                event.location = QStringLiteral("Room 5");
            QVERIFY(m_events->insert(event));
        }
        Event deleted = StoreFixture::event("e9", "cal-a", utc(2025, 3, 9));
        deleted.title = QStringLiteral("a_c deleted");
        QVERIFY(m_events->insert(deleted));
        QVERIFY(m_events->remove("e9"));
        QCOMPARE(idsOf(m_events->search(text, limit)), expected);
    }

    // Child rows of any number of events load, even where SQLite takes few bound values.
    void batchLoadsSplitLongIdLists()
    {
        sqlite3* handle = *static_cast<sqlite3* const*>(m_store->db().driver()->handle().data());
        QVERIFY(handle);
        sqlite3_limit(handle, SQLITE_LIMIT_VARIABLE_NUMBER, 999);
        QVERIFY(m_store->db().transaction());
        for (int i = 0; i < 2500; ++i) {
            Event event = StoreFixture::event(QStringLiteral("e%1").arg(i), "cal-a",
                                              utc(2025, 3, 1).addSecs(i * 60));
            Reminder reminder;
            reminder.minutesBefore = i % 30;
            event.reminders = {reminder};
            QVERIFY(m_events->insert(event));
        }
        QVERIFY(m_store->db().commit());
        const QList<Event> events = m_events->getByCalendar("cal-a");
        QCOMPARE(events.size(), 2500);
        for (const Event& event : events)
            QCOMPARE(event.reminders.size(), 1);
        QCOMPARE(m_events->getInRange(utc(2025, 1, 1), utc(2026, 1, 1), {}).size(), 2500);
        QStringList manyCalendars;
        for (int i = 0; i < 1500; ++i)
            manyCalendars.append(QStringLiteral("other-%1").arg(i));
        manyCalendars.append("cal-a");
        QCOMPARE(m_events->getInRange(utc(2025, 1, 1), utc(2026, 1, 1), manyCalendars).size(),
                 2500);
    }

    // Ids travel to the child-row statement as text: any character in an id still finds them.
    void batchLoadsMatchIdsOfAnyCharacters()
    {
        const QStringList ids{"quote\"d", "back\\slash", "Grüße 日本", "tab\tnew\nline", "[1]"};
        for (int i = 0; i < ids.size(); ++i)
            QVERIFY(m_events->insert(withChildren(
                StoreFixture::event(ids[i], "cal-a", utc(2025, 3, 1).addSecs(i * 60)))));
        QStringList loaded;
        for (const Event& event : m_events->getInRange(utc(2025, 3, 1), utc(2025, 3, 2), {}))
            loaded.append(QStringLiteral("%1 %2 %3")
                              .arg(event.id)
                              .arg(event.reminders.size())
                              .arg(event.attendees.size()));
        QStringList expected;
        for (const QString& id : ids)
            expected.append(id + QStringLiteral(" 2 2"));
        QCOMPARE(loaded, expected);
    }

    void statusDefaultsAndStamps()
    {
        const PinnedClock clock(utc(2025, 6, 1, 12));
        Event event = StoreFixture::event("e1", "cal-a", utc(2025, 3, 1, 10));
        event.syncStatus.clear();
        QVERIFY(m_events->insert(event));
        QCOMPARE(m_store->strings("SELECT sync_status FROM events"), QStringList{"synced"});
        Event stored = *m_events->getById("e1");
        stored.syncStatus.clear();
        stored.created = utc(2030, 1, 1);
        stored.lastModified = utc(2030, 1, 1);
        QVERIFY(m_events->update(stored));
        QCOMPARE(m_store->strings("SELECT sync_status || '|' || created || '|' || last_modified "
                                  "FROM events"),
                 QStringList{"pending|2025-01-01T09:00:00Z|2025-06-01T12:00:00Z"});
    }

    // An override repeats with its series only: a local change giving it a rule is refused (a
    // server would refuse the push); a server's copy that has one is kept without it.
    void overrideNeverStoresARule_data()
    {
        QTest::addColumn<bool>("insert");
        QTest::addColumn<QString>("status");
        QTest::addColumn<bool>("written");
        QTest::newRow("local insert") << true << "pending" << false;
        QTest::newRow("local update") << false << "" << false;
        QTest::newRow("server copy") << true << "synced" << true;
        QTest::newRow("server copy again") << false << "synced" << true;
    }
    void overrideNeverStoresARule()
    {
        QFETCH(bool, insert);
        QFETCH(QString, status);
        QFETCH(bool, written);
        Event occurrence = StoreFixture::event("o1", "cal-a", utc(2025, 3, 8, 14));
        occurrence.recurrenceId = QStringLiteral("20250308T090000Z");
        occurrence.masterEventUid = occurrence.uid;
        if (!insert)
            QVERIFY(m_events->insert(occurrence));
        occurrence.title = QStringLiteral("Changed");
        occurrence.recurrenceRule = QStringLiteral("FREQ=DAILY");
        occurrence.syncStatus = status;
        QCOMPARE(insert ? m_events->insert(occurrence) : m_events->update(occurrence), written);
        const QStringList before = insert ? QStringList() : QStringList{"Event o1|"};
        QCOMPARE(m_store->strings("SELECT title || '|' || ifnull(recurrence_rule, '') FROM events"),
                 written ? QStringList{"Changed|"} : before);
    }

    // A batch stores what insert stores, column for column, and keeps insert's unit: a refused
    // event (a clashing id, a failing child row, a local override with a rule) leaves no row of
    // its own and takes nothing of the others with it.
    void batchInsertKeepsTheSingleRowGuarantees_data()
    {
        QTest::addColumn<bool>("inTransaction");
        QTest::newRow("in a caller's transaction") << true;
        QTest::newRow("on its own") << false;
    }
    void batchInsertKeepsTheSingleRowGuarantees()
    {
        QFETCH(bool, inTransaction);
        const auto rowsOf = [this](const QString& idPattern) {
            return m_store->strings(
                       QStringLiteral("SELECT * FROM events WHERE id GLOB '%1' ORDER BY id")
                           .arg(idPattern)) +
                   m_store->strings(
                       QStringLiteral("SELECT event_id, minutes_before, action, acknowledged, "
                                      "trigger_time "
                                      "FROM reminders WHERE event_id GLOB '%1' ORDER BY event_id, "
                                      "minutes_before")
                           .arg(idPattern)) +
                   m_store->strings(
                       QStringLiteral("SELECT event_id, email, name, role, status, type, rsvp "
                                      "FROM attendees WHERE event_id GLOB '%1' "
                                      "ORDER BY event_id, email")
                           .arg(idPattern));
        };
        QList<Event> batch;
        for (int i = 0; i < 20; ++i) {
            Event event =
                withChildren(StoreFixture::event(QStringLiteral("b%1").arg(i, 2, 10, QChar(u'0')),
                                                 "cal-a", utc(2025, 3, 1 + i, 10)));
            event.providerEventId = QStringLiteral("g%1").arg(i);
            event.description = i % 2 ? QString() : QStringLiteral("");
            event.endTime.reset();
            event.timezone = QStringLiteral("Europe/Berlin");
            event.rawIcalendar = QStringLiteral("{\"id\":\"g%1\"}").arg(i);
            event.syncStatus = i % 3 ? QStringLiteral("synced") : QString();
            if (i == 10) { // a server's override with a rule, stored without it
                event.recurrenceId = QStringLiteral("20250310T090000Z");
                event.recurrenceRule = QStringLiteral("FREQ=DAILY");
            }
            batch.append(event);
        }
        // The same records one by one under other ids are the reference.
        for (Event event : std::as_const(batch)) {
            event.id.replace(0, 1, u'r');
            event.uid.replace(0, 1, u'r');
            QVERIFY(m_events->insert(event));
        }
        QVERIFY(m_events->insert(StoreFixture::event("taken", "cal-a", utc(2025, 2, 1))));
        batch[3].id = QStringLiteral("taken");
        batch[5].attendees[1].id = batch[5].attendees[0].id = QStringLiteral("twice");
        batch[7].recurrenceId = QStringLiteral("20250308T090000Z");
        batch[7].recurrenceRule = QStringLiteral("FREQ=DAILY");
        batch[7].syncStatus = QStringLiteral("pending");

        QTest::qWait(200);
        QSignalSpy changed(m_events, &EventRepository::eventsChanged);
        if (inTransaction)
            QVERIFY(m_store->db().transaction());
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^EventRepository::insert failed:"));
        QTest::ignoreMessage(
            QtWarningMsg, QRegularExpression("^EventRepository::writeAttendeeRows insert failed:"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("carries a repeat rule"));
        const QList<bool> written = m_events->insertAll(batch);
        if (inTransaction)
            QVERIFY(m_store->db().commit());
        QList<bool> expected(batch.size(), true);
        expected[3] = expected[5] = expected[7] = false;
        QCOMPARE(written, expected);
        QCOMPARE(m_store->strings("SELECT title FROM events WHERE id = 'taken'"),
                 QStringList{"Event taken"});

        // Every other row reads as the one written by insert, field for field.
        QStringList reference = rowsOf("r*");
        QStringList stored = rowsOf("b*");
        for (QString& row : reference)
            row.replace(QRegularExpression("\\br(\\d\\d)\\b"), "b\\1");
        const QStringList unwritten{"b03", "b05", "b07"};
        reference.removeIf(
            [&](const QString& row) { return unwritten.contains(row.section(u'|', 0, 0)); });
        QCOMPARE(stored.size(), reference.size());
        QCOMPARE(stored, reference);
        QCOMPARE(m_store->strings("SELECT count(*) FROM events WHERE recurrence_rule IS NOT NULL"),
                 QStringList{"0"});
        QTest::qWait(200);
        QCOMPARE(changed.count(), 1);
    }

    // Inside a caller's transaction the batch goes with the caller's rollback.
    void batchInsertGoesWithTheCallersRollback()
    {
        QList<Event> batch;
        for (int i = 0; i < 20; ++i)
            batch.append(withChildren(
                StoreFixture::event(QStringLiteral("b%1").arg(i), "cal-b", utc(2025, 3, 1, i))));
        QVERIFY(m_store->db().transaction());
        QCOMPARE(m_events->insertAll(batch), QList<bool>(batch.size(), true));
        QCOMPARE(m_store->strings("SELECT count(*) FROM reminders"), QStringList{"40"});
        QVERIFY(m_store->db().rollback());
        QCOMPARE(m_store->strings("SELECT (SELECT count(*) FROM events) + (SELECT count(*) FROM "
                                  "reminders) + (SELECT count(*) FROM attendees)"),
                 QStringList{"0"});
    }

    // Texts reach the columns as the same UTF-8 whatever characters they hold, and a null text
    // stays NULL where the column allows it, in the batch as in a single insert.
    void insertStoresTextsAsGiven_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("batch");
        const QList<std::pair<const char*, QString>> texts = {
            {"ascii", QStringLiteral("Team meeting; notes\r\nline two")},
            {"empty", QStringLiteral("")},
            {"null", QString()},
            {"accents", QStringLiteral("Caf\u00e9 in Z\u00fcrich")},
            {"outside the basic plane", QStringLiteral("Launch \U0001F389")},
        };
        for (const auto& [name, text] : texts) {
            QTest::addRow("%s, insert", name) << text << false;
            QTest::addRow("%s, batch", name) << text << true;
        }
    }

    void insertStoresTextsAsGiven()
    {
        QFETCH(QString, text);
        QFETCH(bool, batch);
        Event event = withChildren(StoreFixture::event("e1", "cal-a", utc(2025, 3, 1, 10)));
        event.title = event.description = event.rawIcalendar = text;
        event.attendees[0].name = text;
        QList<Event> events{event};
        for (int i = 0; batch && i < 20; ++i)
            events.append(
                StoreFixture::event(QStringLiteral("b%1").arg(i), "cal-a", utc(2025, 3, 2, i)));
        if (batch)
            QVERIFY(m_store->db().transaction());
        QCOMPARE(m_events->insertAll(events), QList<bool>(events.size(), true));
        if (batch)
            QVERIFY(m_store->db().commit());

        const QString stored =
            text.isNull()
                ? QStringLiteral("null|")
                : QStringLiteral("text|") + QString::fromLatin1(text.toUtf8().toHex()).toUpper();
        const QString required =
            QStringLiteral("text|") + QString::fromLatin1(text.toUtf8().toHex()).toUpper();
        QCOMPARE(m_store->strings("SELECT typeof(title) || '|' || hex(title), typeof(description) "
                                  "|| '|' || hex(description), typeof(raw_icalendar) || '|' || "
                                  "hex(raw_icalendar) FROM events WHERE id = 'e1'"),
                 QStringList{required + u'|' + stored + u'|' + required});
        QCOMPARE(m_store->strings("SELECT typeof(name) || '|' || hex(name) FROM attendees WHERE "
                                  "email = 'bob@example.org'"),
                 QStringList{stored});
        QCOMPARE(m_events->getById("e1")->description, text);
    }

    // The statements the repository keeps do not hold the connection open, and after it is
    // opened again inserts still work.
    void insertsOutliveAReopenedConnection()
    {
        QVERIFY(
            m_events->insert(withChildren(StoreFixture::event("e1", "cal-a", utc(2025, 3, 1)))));
        QSqlDatabase& db = m_store->db();
        db.close();
        QVERIFY2(!db.lastError().isValid(), qPrintable(db.lastError().text()));
        QVERIFY(!QFile::exists(m_store->path() + QStringLiteral("-wal")));
        QVERIFY(db.open());
        QVERIFY(
            m_events->insert(withChildren(StoreFixture::event("e2", "cal-a", utc(2025, 3, 2)))));
        QCOMPARE(m_store->strings("SELECT (SELECT count(*) FROM events) || '|' || (SELECT "
                                  "count(*) FROM reminders) || '|' || (SELECT count(*) FROM "
                                  "attendees)"),
                 QStringList{"2|4|4"});
    }

    void removeRestoreAndHardDelete()
    {
        Event event = withChildren(StoreFixture::event("e1", "cal-a", utc(2025, 3, 1, 10)));
        event.href = QStringLiteral("/cal/e1.ics");
        event.etag = QStringLiteral("\"1\"");
        QVERIFY(m_events->insert(event));
        QVERIFY(m_events->remove("e1"));
        QVERIFY(m_events->getByCalendar("cal-a").isEmpty());
        QCOMPARE(m_events->getPending("cal-a").size(), 1);
        QCOMPARE(m_events->getById("e1")->reminders.size(), 2);

        QVERIFY(m_events->restore(event));
        Event restored = *m_events->getById("e1");
        QVERIFY(!restored.deletedAt);
        QCOMPARE(restored.syncStatus, QStringLiteral("pending"));
        QCOMPARE(restored.href, event.href);

        QVERIFY(m_store->exec("INSERT INTO attachments (id, event_id, filename) VALUES ('f', "
                              "'e1', 'f')"));
        QVERIFY(m_events->hardDelete("e1"));
        QCOMPARE(m_store->strings("SELECT (SELECT count(*) FROM events) + (SELECT count(*) FROM "
                                  "reminders) + (SELECT count(*) FROM attendees) + (SELECT "
                                  "count(*) FROM attachments)"),
                 QStringList{"0"});

        QVERIFY(m_events->restore(event));
        restored = *m_events->getById("e1");
        QVERIFY(restored.href.isEmpty() && restored.etag.isEmpty());
        QCOMPARE(restored.attendees.size(), 2);
    }
};

QTEST_GUILESS_MAIN(TestEventRepository)
#include "tst_eventrepository.moc"

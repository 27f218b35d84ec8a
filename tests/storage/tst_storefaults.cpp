#include "AccountRepository.h"
#include "CalendarRepository.h"
#include "Database.h"
#include "EventRepository.h"
#include "FilterRuleRepository.h"
#include "PreferencesRepository.h"
#include "StoreFixture.h"
#include "TaskRepository.h"
#include "TemplateRepository.h"
#include "ViewRepository.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QTest>
#include <QTimeZone>

#include <cstdio>

namespace {

const char writerArgument[] = "--writer";

Event eventWithChildren(int index)
{
    Event event = StoreFixture::event(
        QStringLiteral("e%1").arg(index), "cal-a",
        QDateTime(QDate(2025, 3, 1), QTime(8, 0), QTimeZone::utc()).addSecs(qint64(index) * 900));
    event.rawIcalendar = QString(1500, u'x');
    for (int minutes : {5, 15, 60}) {
        Reminder reminder;
        reminder.minutesBefore = minutes;
        event.reminders.append(reminder);
    }
    for (const char* name : {"Ann", "Bob", "Cy"}) {
        Attendee attendee;
        attendee.name = QString::fromLatin1(name);
        attendee.email = attendee.name.toLower() + QStringLiteral("@example.org");
        event.attendees.append(attendee);
    }
    return event;
}

const QString bareId = QStringLiteral("bare");
const QDateTime stamp(QDate(2025, 3, 1), QTime(8, 0), QTimeZone::utc());

// Writes a record of `table` whose texts are all null but its id and the calendar it belongs to,
// as records read from sparse files or servers arrive (an event without SUMMARY).
bool writeBareRecord(Database* database, const QString& table)
{
    if (table == u"accounts") {
        Account account;
        account.id = bareId;
        account.color = QString();
        account.createdAt = account.updatedAt = stamp;
        return AccountRepository(database).insert(account);
    }
    if (table == u"calendars") {
        Calendar calendar;
        calendar.id = bareId;
        calendar.accountId = QStringLiteral("acc");
        calendar.color = calendar.timezone = calendar.supportedComponents = QString();
        calendar.createdAt = calendar.updatedAt = stamp;
        return CalendarRepository(database).insert(calendar);
    }
    if (table == u"events") {
        Event event;
        event.id = bareId;
        event.calendarId = QStringLiteral("cal-a");
        event.startTime = stamp;
        event.timezone = event.status = QString();
        event.created = event.lastModified = stamp;
        Reminder reminder;
        reminder.action = QString();
        event.reminders = {reminder};
        Attendee attendee;
        attendee.role = attendee.status = QString();
        event.attendees = {attendee};
        return EventRepository(database).insert(event);
    }
    if (table == u"tasks") {
        Task task;
        task.id = bareId;
        task.calendarId = QStringLiteral("cal-a");
        task.status = task.repeatMode = task.syncStatus = QString();
        task.created = task.lastModified = stamp;
        return TaskRepository(database).insert(task);
    }
    if (table == u"calendar_views") {
        CalendarView view;
        view.id = bareId;
        view.calendarIds = view.syncStatus = QString();
        return ViewRepository(database).insert(view);
    }
    if (table == u"filter_rules") {
        FilterRule rule;
        rule.id = bareId;
        rule.calendarIds = rule.action = rule.syncStatus = QString();
        return FilterRuleRepository(database).insert(rule);
    }
    if (table == u"event_templates") {
        EventTemplate eventTemplate;
        eventTemplate.id = bareId;
        return TemplateRepository(database).insert(eventTemplate);
    }
    return PreferencesRepository(database).set(bareId, QString());
}

// The writer child: inserts events without end into the store at `path` and reports each
// committed id on stdout, until it is killed.
int runWriter(const QString& path)
{
    Database database;
    if (!database.open(path) || !database.migrate())
        return 2;
    EventRepository events(&database);
    for (int index = 0;; ++index) {
        if (!events.insert(eventWithChildren(index)))
            return 3;
        std::printf("e%d\n", index);
        std::fflush(stdout);
    }
}

} // namespace

class TestStoreFaults : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A record without its optional texts is stored with empty texts, children included,
    // instead of failing on the NOT NULL columns and being silently dropped.
    void recordWithNullTextsIsStored_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("children");
        QTest::newRow("account") << "accounts" << QString();
        QTest::newRow("calendar") << "calendars" << QString();
        QTest::newRow("event") << "events"
                               << "reminders|attendees";
        QTest::newRow("task") << "tasks" << QString();
        QTest::newRow("View") << "calendar_views" << QString();
        QTest::newRow("filter rule") << "filter_rules" << QString();
        QTest::newRow("template") << "event_templates" << QString();
        QTest::newRow("preference") << "settings" << QString();
    }

    void recordWithNullTextsIsStored()
    {
        QFETCH(QString, table);
        QFETCH(QString, children);
        StoreFixture store;
        QVERIFY(store.isReady());
        QVERIFY(writeBareRecord(store.database(), table));
        const QString key = table == u"settings" ? QStringLiteral("key") : QStringLiteral("id");
        QCOMPARE(
            store.strings(
                QStringLiteral("SELECT count(*) FROM %1 WHERE %2 = '%3'").arg(table, key, bareId)),
            QStringList{"1"});
        for (const QString& child : children.split(u'|', Qt::SkipEmptyParts))
            QCOMPARE(store.strings(QStringLiteral("SELECT count(*) FROM %1 WHERE event_id = '%2'")
                                       .arg(child, bareId)),
                     QStringList{"1"});
    }

    // Fill the file to its page limit: every insert that reported success is there whole, the
    // one that failed left nothing, and the file stays sound.
    void fullDiskLeavesNothingHalfWritten()
    {
        StoreFixture store;
        QVERIFY(store.isReady());
        EventRepository events(store.database());
        QSqlQuery pages(store.db());
        QVERIFY(pages.exec("PRAGMA wal_checkpoint(TRUNCATE)"));
        QVERIFY(pages.exec("PRAGMA page_count") && pages.next());
        const int pageCount = pages.value(0).toInt();
        pages.finish();
        QVERIFY(pages.exec(QStringLiteral("PRAGMA max_page_count = %1").arg(pageCount + 40)));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("failed:.*full"));
        int written = 0;
        while (written < 10000 && events.insert(eventWithChildren(written)))
            ++written;
        QVERIFY(written > 0);
        QVERIFY(written < 10000);
        QCOMPARE(store.strings("SELECT count(*) FROM events"),
                 QStringList{QString::number(written)});
        QCOMPARE(store.strings("SELECT count(*) FROM events WHERE id = 'e" +
                               QString::number(written) + "'"),
                 QStringList{"0"});
        QCOMPARE(store.strings("SELECT count(*) FROM reminders"),
                 QStringList{QString::number(written * 3)});
        QCOMPARE(store.strings("SELECT count(*) FROM attendees"),
                 QStringList{QString::number(written * 3)});
        QCOMPARE(store.strings("PRAGMA integrity_check"), QStringList{"ok"});
        QVERIFY(pages.exec("PRAGMA max_page_count = 1000000"));
        QVERIFY(events.insert(eventWithChildren(written)));
    }

    // A writer killed mid-stream loses nothing it reported as committed.
    void killedWriterKeepsCommittedRows()
    {
        StoreFixture store;
        QVERIFY(store.isReady());
        QProcess writer;
        writer.setProcessChannelMode(QProcess::SeparateChannels);
        writer.start(QCoreApplication::applicationFilePath(),
                     {QString::fromLatin1(writerArgument), store.path()});
        QVERIFY(writer.waitForStarted());
        QStringList committed;
        while (committed.size() < 300 && writer.state() == QProcess::Running) {
            writer.waitForReadyRead(5000);
            while (writer.canReadLine())
                committed.append(QString::fromLatin1(writer.readLine()).trimmed());
        }
        QVERIFY2(committed.size() >= 300, writer.readAllStandardError().constData());
        writer.kill(); // SIGKILL
        QVERIFY(writer.waitForFinished(5000));
        while (writer.canReadLine())
            committed.append(QString::fromLatin1(writer.readLine()).trimmed());

        QCOMPARE(store.strings("PRAGMA integrity_check"), QStringList{"ok"});
        EventRepository events(store.database());
        for (const QString& id : committed) {
            const std::optional<Event> event = events.getById(id);
            QVERIFY2(event, qPrintable(id));
            QCOMPARE(event->reminders.size(), 3);
            QCOMPARE(event->attendees.size(), 3);
        }
        // Whatever was written beyond the last report is whole too.
        QCOMPARE(store.strings("SELECT count(*) FROM events e WHERE (SELECT count(*) FROM "
                               "reminders r WHERE r.event_id = e.id) != 3 OR (SELECT count(*) "
                               "FROM attendees a WHERE a.event_id = e.id) != 3"),
                 QStringList{"0"});
    }
};

int main(int argc, char** argv)
{
    if (argc == 3 && qstrcmp(argv[1], writerArgument) == 0) {
        QCoreApplication app(argc, argv);
        return runWriter(QString::fromLocal8Bit(argv[2]));
    }
    QCoreApplication app(argc, argv);
    TestStoreFaults test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_storefaults.moc"

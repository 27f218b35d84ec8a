#include "AppStateFixture.h"
#include "CalDavSyncClient.h"
#include "CalendarRepository.h"
#include "DavServer.h"
#include "Ical.h"
#include "StoreSeed.h"
#include "TaskFormDialog.h"
#include "TaskRepository.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

// A task moved to another calendar in the form reaches the server as a move: gone from the old
// collection, once in the new one, its subtask with it and still linked to it.
class TestTaskMoveCalDav : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void movedWithSubtask_data()
    {
        QTest::addColumn<bool>("andBack");
        QTest::newRow("to work") << false;
        // Moved back before any sync: the row meets its own tombstone at home.
        QTest::newRow("to work and back home") << true;
    }
    void movedWithSubtask()
    {
        QFETCH(bool, andBack);
        if (!DavServer::available(DavServer::Kind::Radicale))
            QSKIP("radicale is not installed");
        DavServer server(DavServer::Kind::Radicale);
        QVERIFY(server.start());
        const QUrl home = server.makeCalendar(QStringLiteral("home"), QStringLiteral("Home"));
        const QUrl work = server.makeCalendar(QStringLiteral("work"), QStringLiteral("Work"));
        QVERIFY(home.isValid() && work.isValid());

        AppStateFixture fixture;
        QVERIFY(fixture.start());
        AppState* state = fixture.state();
        Account account = StoreSeed::account(QStringLiteral("acc-1"), QStringLiteral("Server"),
                                             QStringLiteral("caldav"));
        account.serverUrl = server.baseUrl().toString();
        account.username = server.username();
        for (const auto& [id, url] : {std::pair{"home", home}, std::pair{"work", work}}) {
            Calendar calendar = StoreSeed::calendar(id, account.id, id, QStringLiteral("#3366cc"));
            calendar.url = url.toString();
            calendar.supportedComponents = QStringLiteral("[\"VEVENT\",\"VTODO\"]");
            calendar.syncEnabled = true;
            QVERIFY(StoreSeed::addCalendar(state, account, calendar));
        }

        const auto sync = [&](const QString& calendarId) {
            CalDavSyncClient client(state);
            QSignalSpy completed(&client, &CalDavSyncClient::calendarSyncCompleted);
            QSignalSpy failed(&client, &CalDavSyncClient::calendarSyncFailed);
            client.syncCalendar(*state->calendars()->getById(calendarId),
                                server.baseUrl().toString(), server.username(), server.password(),
                                QString());
            return QTest::qWaitFor([&] { return completed.count() + failed.count() > 0; }, 20000) &&
                   completed.count() == 1;
        };
        const auto add = [&](const QString& id, const QString& parentUid) {
            Task task;
            task.id = task.uid = id;
            task.calendarId = QStringLiteral("home");
            task.title = id;
            task.parentTaskUid = parentUid;
            task.syncStatus = QStringLiteral("pending");
            task.created = task.lastModified = AppStateFixture::defaultNow().toUTC();
            task.rawIcalendar = Ical::buildTask(task);
            return state->tasks()->insert(task);
        };
        QVERIFY(add(QStringLiteral("parent"), QString()));
        QVERIFY(add(QStringLiteral("child"), QStringLiteral("parent")));
        QVERIFY(sync(QStringLiteral("home")));
        QCOMPARE(server.listObjects(home).size(), 2);

        const auto moveTo = [&](const QString& calendarId) {
            TaskFormDialog form(state, *state->tasks()->getById(QStringLiteral("parent")));
            auto* calendar = form.findChild<QComboBox*>(QStringLiteral("calendarCombo"));
            calendar->setCurrentIndex(calendar->findData(calendarId));
            form.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
            return form.result() == QDialog::Accepted;
        };
        QVERIFY(moveTo(QStringLiteral("work")));
        if (andBack)
            QVERIFY(moveTo(QStringLiteral("home")));
        QVERIFY(sync(QStringLiteral("home")));
        QVERIFY(sync(QStringLiteral("work")));
        // Once more both ways: nothing comes back and nothing doubles.
        QVERIFY(sync(QStringLiteral("home")));
        QVERIFY(sync(QStringLiteral("work")));

        const QString there = andBack ? QStringLiteral("home") : QStringLiteral("work");
        const QString other = andBack ? QStringLiteral("work") : QStringLiteral("home");
        QVERIFY(server.listObjects(andBack ? work : home).isEmpty());
        const QList<DavHttp::Object> objects = server.listObjects(andBack ? home : work);
        QCOMPARE(objects.size(), 2);
        QMap<QString, QString> parentOf;
        for (const DavHttp::Object& object : objects) {
            const QList<Task> parsed = Ical::parseTasks(object.data);
            QCOMPARE(parsed.size(), 1);
            parentOf.insert(parsed.first().uid, parsed.first().parentTaskUid);
        }
        QCOMPARE(parentOf, (QMap<QString, QString>{{"parent", ""}, {"child", "parent"}}));
        QVERIFY(state->tasks()->getByCalendar(other).isEmpty());
        QVERIFY(state->tasks()->getPending(other).isEmpty());
        QCOMPARE(state->tasks()->getByCalendar(there).size(), 2);
    }
};

QTEST_MAIN(TestTaskMoveCalDav)
#include "tst_taskmovecaldav.moc"

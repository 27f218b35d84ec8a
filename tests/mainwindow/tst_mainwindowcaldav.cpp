#include "AccountRepository.h"
#include "AppStateFixture.h"
#include "CalendarRepository.h"
#include "Clock.h"
#include "CredentialManagerTokenStore.h"
#include "DavServer.h"
#include "EventRepository.h"
#include "MainWindow.h"
#include "Platform.h"
#include "PreferencesRepository.h"
#include "SyncOrchestrator.h"
#include "ViewArea.h"
#include "WeekTimelineWidget.h"
#include "WeekView.h"

#include <QTest>
#include <QTimeZone>

// The whole road with the real CalDAV client: the window's full sync discovers the account's
// calendar, an event made here reaches the server through the push, and an event made on the
// server shows in the week view after the next sync.
class TestMainWindowCalDav : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void editsTravelBothWays()
    {
        if (!DavServer::available(DavServer::Kind::Radicale)) {
            QSKIP("radicale is not installed");
        }
        DavServer server(DavServer::Kind::Radicale);
        QVERIFY(server.start());
        const QUrl collection = server.makeCalendar(QStringLiteral("work"), QStringLiteral("Work"));
        QVERIFY(collection.isValid());

        AppStateFixture fixture;
        QVERIFY(fixture.start());
        AppState* state = fixture.state();
        state->setViewMode(QStringLiteral("week"));
        Account account;
        account.id = QStringLiteral("radicale");
        account.name = QStringLiteral("Radicale");
        account.type = QStringLiteral("caldav");
        account.serverUrl = server.baseUrl().toString();
        account.username = server.username();
        account.createdAt = account.updatedAt = Clock::now();
        QVERIFY(state->accounts()->insert(account));
        QVERIFY(OrvaAccount::makeCredentialManagerTokenStore(Platform::applicationId())
                    ->write(QStringLiteral("caldav-password-radicale"), server.password()));

        state->preferences()->setBool(QStringLiteral("ui/firstLaunchSeen"), true);
        MainWindow window(state);
        window.resize(1400, 800);
        window.show();
        window.syncNow();
        QTRY_VERIFY_WITH_TIMEOUT(!state->calendars()->getByAccount(account.id).isEmpty(), 20000);
        QTRY_VERIFY_WITH_TIMEOUT(!window.syncOrchestrator()->isFullSyncRunning(), 20000);
        const Calendar work = state->calendars()->getByAccount(account.id).first();

        // Made here: pending, pushed by the window shortly after the change.
        Event local;
        local.id = QStringLiteral("made-here");
        local.uid = QStringLiteral("made-here-uid");
        local.calendarId = work.id;
        local.title = QStringLiteral("Made here");
        local.startTime =
            QDateTime(Clock::today(), QTime(9, 0), QTimeZone::systemTimeZone()).toUTC();
        local.endTime = local.startTime.addSecs(3600);
        local.created = local.lastModified = Clock::now();
        local.syncStatus = QStringLiteral("pending");
        QVERIFY(state->events()->insert(local));
        QTRY_COMPARE_WITH_TIMEOUT(server.listObjects(collection).size(), 1, 20000);
        QTRY_COMPARE_WITH_TIMEOUT(state->events()->getById(local.id)->syncStatus,
                                  QStringLiteral("synced"), 20000);

        // Made on the server: shows in the week after the next sync.
        const QDateTime start =
            QDateTime(Clock::today(), QTime(14, 0), QTimeZone::systemTimeZone()).toUTC();
        const QString ics =
            QStringLiteral(
                "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//EN\r\nBEGIN:VEVENT\r\n"
                "UID:from-server\r\nDTSTAMP:20260301T000000Z\r\nDTSTART:%1\r\n"
                "DURATION:PT1H\r\nSUMMARY:From the server\r\nEND:VEVENT\r\n"
                "END:VCALENDAR\r\n")
                .arg(start.toString(QStringLiteral("yyyyMMddTHHmmss'Z'")));
        QVERIFY(server.putObject(collection.resolved(QUrl(QStringLiteral("from-server.ics"))), ics)
                    .status < 300);
        window.syncNow();
        QTRY_VERIFY_WITH_TIMEOUT(
            state->events()->getByUid(QStringLiteral("from-server"), work.id).has_value(), 20000);
        const QString id = state->events()->getByUid(QStringLiteral("from-server"), work.id)->id;
        WeekTimelineWidget* timeline = window.findChild<ViewArea*>()->weekView()->timeline();
        const auto shown = [&] {
            timeline->grab(); // the hit regions come from the last paint
            const auto& regions = timeline->hitRegions();
            return std::any_of(regions.cbegin(), regions.cend(),
                               [&](const auto& region) { return region.eventId == id; });
        };
        QTRY_VERIFY_WITH_TIMEOUT(shown(), 10000);
    }
};

QTEST_MAIN(TestMainWindowCalDav)
#include "tst_mainwindowcaldav.moc"

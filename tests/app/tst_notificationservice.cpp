#include "AppState.h"
#include "AppStateFixture.h"
#include "Clock.h"
#include "DBusNotifier.h"
#include "Database.h"
#include "EventRepository.h"
#include "FakeTrayIcon.h"
#include "FilterRuleRepository.h"
#include "NotificationService.h"
#include "PreferencesRepository.h"
#include "RecordingNotifier.h"
#include "StoreTime.h"
#include "TrayBalloonNotifier.h"

#include <QSignalSpy>
#include <QSqlQuery>
#include <QTest>
#include <QTimeZone>
#include <QUuid>

namespace {

QDateTime local(int day, int hour, int minute = 0)
{
    return QDateTime(QDate(2026, 3, day), QTime(hour, minute), QTimeZone::systemTimeZone());
}

struct NewEvent
{
    QString title;
    QDateTime start;
    int minutesBefore = 15;
    QString location = {};
    QString rule = {};
    bool allDay = false;
};

QString addEvent(AppState* state, const NewEvent& wanted)
{
    Event event;
    event.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    event.uid = event.id;
    event.calendarId = AppState::localCalendarId;
    event.title = wanted.title.isNull() ? QStringLiteral("") : wanted.title;
    event.rawIcalendar = QStringLiteral("");
    event.location = wanted.location;
    event.isAllDay = wanted.allDay;
    event.startTime = wanted.start.toUTC();
    event.endTime = wanted.allDay ? event.startTime.addDays(1) : event.startTime.addSecs(3600);
    event.recurrenceRule = wanted.rule;
    Reminder reminder;
    reminder.minutesBefore = wanted.minutesBefore;
    event.reminders = {reminder};
    event.created = Clock::now();
    event.lastModified = event.created;
    return state->events()->insert(event) ? event.id : QString();
}

// acknowledged flag and stored trigger of the event's one reminder row.
QPair<int, QDateTime> reminderRow(AppState* state, const QString& eventId)
{
    QSqlQuery query(state->database()->database());
    query.prepare("SELECT acknowledged, trigger_time FROM reminders WHERE event_id = ?");
    query.addBindValue(eventId);
    if (!query.exec() || !query.next())
        return {-1, {}};
    return {query.value(0).toInt(), StoreTime::parse(query.value(1).toString())};
}

} // namespace

class TestNotificationService : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void reminderTexts_data();
    void reminderTexts();
    void lateRemindersAreMissedOnce();
    void everyOccurrenceOfASeriesReminds();
    void nothingIsMarkedWithoutANotifier();
    void suppressedAndDeletedAreNotShown();
    void clickRevealsTheClickedReminder();
    void trayBalloonFallback();
    void markupServersGetEscapedBodies();
};

void TestNotificationService::reminderTexts_data()
{
    QTest::addColumn<int>("minutesBefore");
    QTest::addColumn<QDateTime>("start");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("location");
    QTest::addColumn<bool>("use24Hour");
    QTest::addColumn<bool>("allDay");
    QTest::addColumn<QString>("expectedTitle");
    QTest::addColumn<QString>("expectedBody");

    QTest::newRow("15 minutes with location") << 15 << local(11, 10, 15) << "Standup"
                                              << "Room 4" << true << false << "Standup"
                                              << "In 15 minutes (10:15) · Room 4";
    QTest::newRow("12-hour clock") << 15 << local(11, 10, 15) << "Standup"
                                   << "" << false << false << "Standup"
                                   << "In 15 minutes (10:15 AM)";
    QTest::newRow("starting now") << 0 << local(11, 10) << "Standup"
                                  << "" << true << false << "Standup"
                                  << "Starting now (10:00)";
    QTest::newRow("one hour") << 60 << local(11, 11) << "Standup"
                              << "" << true << false << "Standup"
                              << "In 1h (11:00)";
    QTest::newRow("ninety minutes in whole hours") << 90 << local(11, 11, 30) << "Standup"
                                                   << "" << true << false << "Standup"
                                                   << "In 1h (11:30)";
    QTest::newRow("a day") << 1440 << local(12, 10) << "Standup"
                           << "" << true << false << "Standup"
                           << "Tomorrow at 10:00";
    QTest::newRow("two days name the day") << 2880 << local(13, 10) << "Standup"
                                           << "" << true << false << "Standup"
                                           << "Friday, Mar 13 at 10:00";
    QTest::newRow("untitled") << 15 << local(11, 10, 15) << ""
                              << "" << true << false << "Reminder"
                              << "In 15 minutes (10:15)";
    // Stored at 00:00 UTC of Mar 12: named by that date in every zone.
    QTest::newRow("all-day by stored date")
        << 2880 << QDateTime(QDate(2026, 3, 12), QTime(0, 0), Qt::UTC) << "Holiday"
        << "" << true << true << "Holiday"
        << "Tomorrow, all day";
}

void TestNotificationService::reminderTexts()
{
    QFETCH(int, minutesBefore);
    QFETCH(QDateTime, start);
    QFETCH(QString, title);
    QFETCH(QString, location);
    QFETCH(bool, use24Hour);
    QFETCH(bool, allDay);
    QFETCH(QString, expectedTitle);
    QFETCH(QString, expectedBody);

    AppStateFixture fixture;
    QVERIFY(fixture.start());
    AppState* state = fixture.state();
    state->preferences()->set("ui/timeFormat", use24Hour ? "24" : "12");
    const QString id = addEvent(state, {title, start, minutesBefore, location, {}, allDay});
    QVERIFY(!id.isEmpty());
    RecordingNotifier notifier;
    NotificationService service(state, QList<Notifier*>{&notifier}, nullptr);

    service.poll();
    QCOMPARE(notifier.shown.size(), 1);
    QCOMPARE(notifier.shown.first().title, expectedTitle);
    QCOMPARE(notifier.shown.first().body, expectedBody);
    QCOMPARE(notifier.shown.first().timeoutMs, 15000);
    QCOMPARE(reminderRow(state, id).first, 1);
    service.poll();
    QCOMPARE(notifier.shown.size(), 1);
}

void TestNotificationService::lateRemindersAreMissedOnce()
{
    AppStateFixture fixture(local(11, 10, 20));
    QVERIFY(fixture.start());
    AppState* state = fixture.state();
    // Started 20 minutes ago: still shown, in the wording of its stored offset.
    const QString recent = addEvent(state, {"Recent", local(11, 10), 15});
    // Started 31 minutes ago: passed over as missed, once.
    const QString late = addEvent(state, {"Late", local(11, 9, 49), 15});
    RecordingNotifier notifier;
    NotificationService service(state, QList<Notifier*>{&notifier}, nullptr);

    service.poll();
    QCOMPARE(notifier.shown.size(), 1);
    QCOMPARE(notifier.shown.first().title, QStringLiteral("Recent"));
    QCOMPARE(service.missedCount(), 1);
    QCOMPARE(reminderRow(state, late).first, 1);
    QCOMPARE(reminderRow(state, recent).first, 1);
    service.poll();
    QCOMPARE(service.missedCount(), 1);
    QCOMPARE(notifier.shown.size(), 1);
}

void TestNotificationService::everyOccurrenceOfASeriesReminds()
{
    AppStateFixture fixture(local(10, 9, 46));
    QVERIFY(fixture.start());
    AppState* state = fixture.state();
    const QString id = addEvent(state, {"Daily", local(10, 10), 15, {}, "FREQ=DAILY;COUNT=3"});
    RecordingNotifier notifier;
    NotificationService service(state, QList<Notifier*>{&notifier}, nullptr);

    service.poll(); // the first occurrence
    QCOMPARE(notifier.shown.size(), 1);
    QCOMPARE(service.lastEventDate(), QDate(2026, 3, 10));
    QCOMPARE(reminderRow(state, id), qMakePair(0, local(11, 9, 45).toUTC()));

    Clock::pin(local(11, 9, 40)); // not due yet
    service.poll();
    QCOMPARE(notifier.shown.size(), 1);

    Clock::pin(local(11, 9, 45)); // the second occurrence reminds
    service.poll();
    QCOMPARE(notifier.shown.size(), 2);
    QCOMPARE(notifier.shown.last().body, QStringLiteral("In 15 minutes (10:00 AM)"));
    QCOMPARE(service.lastEventDate(), QDate(2026, 3, 11));

    Clock::pin(local(12, 11, 0)); // the third was missed; the series is done
    service.poll();
    QCOMPARE(notifier.shown.size(), 2);
    QCOMPARE(service.missedCount(), 1);
    QCOMPARE(reminderRow(state, id).first, 1);
}

void TestNotificationService::nothingIsMarkedWithoutANotifier()
{
    AppStateFixture fixture;
    QVERIFY(fixture.start());
    AppState* state = fixture.state();
    const QString id = addEvent(state, {"Standup", local(11, 10, 15), 15});
    const QString series = addEvent(state, {"Daily", local(11, 10, 10), 15, {}, "FREQ=DAILY"});
    const auto before = reminderRow(state, series);
    RecordingNotifier notifier;
    notifier.available = false;
    NotificationService service(state, QList<Notifier*>{&notifier}, nullptr);

    service.poll();
    QCOMPARE(reminderRow(state, id).first, 0);
    QCOMPARE(reminderRow(state, series), before);

    notifier.available = true;
    service.poll();
    QCOMPARE(notifier.shown.size(), 2);
    QCOMPARE(reminderRow(state, id).first, 1);
}

void TestNotificationService::suppressedAndDeletedAreNotShown()
{
    AppStateFixture fixture;
    QVERIFY(fixture.start());
    AppState* state = fixture.state();
    FilterRule rule;
    rule.id = QStringLiteral("rule-1");
    rule.name = QStringLiteral("Quiet");
    rule.type = QStringLiteral("pattern");
    rule.action = QStringLiteral("dim");
    rule.suppressReminders = true;
    rule.conditions = QStringLiteral(R"({"runtimeType":"pattern","titleContains":["Focus"]})");
    rule.createdAt = Clock::now();
    rule.updatedAt = rule.createdAt;
    QVERIFY(state->filterRules()->insert(rule));
    const QString quiet = addEvent(state, {"Focus time", local(11, 10, 15), 15});
    const QString deleted = addEvent(state, {"Gone", local(11, 10, 15), 15});
    QVERIFY(state->events()->remove(deleted));
    const QString shown = addEvent(state, {"Standup", local(11, 10, 15), 15});
    RecordingNotifier notifier;
    NotificationService service(state, QList<Notifier*>{&notifier}, nullptr);

    service.poll();
    QCOMPARE(notifier.shown.size(), 1);
    QCOMPARE(notifier.shown.first().title, QStringLiteral("Standup"));
    QCOMPARE(reminderRow(state, quiet).first, 1);
    QCOMPARE(reminderRow(state, shown).first, 1);
}

void TestNotificationService::clickRevealsTheClickedReminder()
{
    AppStateFixture fixture;
    QVERIFY(fixture.start());
    AppState* state = fixture.state();
    const QString first = addEvent(state, {"First", local(11, 10, 5), 15});
    const QString second = addEvent(state, {"Second", local(11, 10, 10), 15});
    RecordingNotifier notifier;
    NotificationService service(state, QList<Notifier*>{&notifier}, nullptr);
    QSignalSpy clicked(&service, &NotificationService::reminderClicked);

    service.poll();
    QCOMPARE(notifier.shown.size(), 2);
    QCOMPARE(notifier.shown.at(1).title, QStringLiteral("Second")); // in trigger order
    notifier.click(0);
    QCOMPARE(clicked.size(), 1);
    QCOMPARE(clicked.first().at(0).toString(), first);
    QCOMPARE(clicked.first().at(1).toDate(), QDate(2026, 3, 11));

    service.showTestNotification();
    QCOMPARE(notifier.shown.last().title, QStringLiteral("Test reminder"));
    notifier.click(2);
    QCOMPARE(clicked.size(), 1);
    QVERIFY(service.lastEventId().isEmpty());
    Q_UNUSED(second)
}

void TestNotificationService::trayBalloonFallback()
{
    AppStateFixture fixture;
    QVERIFY(fixture.start());
    AppState* state = fixture.state();
    const QString id = addEvent(state, {"Standup", local(11, 10, 15), 15});
    FakeTrayIcon tray;
    TrayBalloonNotifier balloons(&tray, nullptr);
    NotificationService service(state, QList<Notifier*>{&balloons}, nullptr);
    QSignalSpy clicked(&service, &NotificationService::reminderClicked);

    service.poll(); // hidden icon: nothing shown, nothing marked
    QVERIFY(tray.messages.isEmpty());
    QCOMPARE(reminderRow(state, id).first, 0);

    tray.setVisible(true);
    service.poll();
    QCOMPARE(tray.messages.size(), 1);
    QCOMPARE(tray.messages.first().body, QStringLiteral("In 15 minutes (10:15 AM)"));
    Q_EMIT tray.messageClicked();
    QCOMPARE(clicked.size(), 1);
    QCOMPARE(clicked.first().at(0).toString(), id);
}

void TestNotificationService::markupServersGetEscapedBodies()
{
    const QString text = QStringLiteral("In 5 minutes (10:00) · <b>R&D</b>");
    QCOMPARE(DBusNotifier::bodyFor(text, {"body", "body-markup"}),
             QStringLiteral("In 5 minutes (10:00) · &lt;b&gt;R&amp;D&lt;/b&gt;"));
    QCOMPARE(DBusNotifier::bodyFor(text, {"body"}), text);
}

QTEST_MAIN(TestNotificationService)
#include "tst_notificationservice.moc"

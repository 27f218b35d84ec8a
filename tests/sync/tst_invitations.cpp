#include "AccountRepository.h"
#include "AppState.h"
#include "AppStateFixture.h"
#include "CalendarRepository.h"
#include "Clock.h"
#include "EventRepository.h"
#include "Ical.h"
#include "InvitationsService.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimeZone>

namespace {

const QString own = QStringLiteral("ada@example.org");

// An event of the seeded calendar starting `startDays` from now for an hour (no end when
// `withEnd` is false), inviting `attendees` ("email=status" items, in order).
Event invitation(const QString& id, double startDays, const QStringList& attendees,
                 bool withEnd = true, const QString& rule = {})
{
    Event event;
    event.id = event.uid = event.title = id;
    event.calendarId = AppState::localCalendarId;
    // Rows are built before the test pins the clock: relative to the time it pins.
    event.startTime = AppStateFixture::defaultNow().addSecs(qint64(startDays * 86400));
    if (withEnd)
        event.endTime = event.startTime.addSecs(3600);
    event.recurrenceRule = rule;
    event.created = event.lastModified = event.startTime;
    for (const QString& item : attendees) {
        Attendee attendee;
        attendee.email = item.section(QLatin1Char('='), 0, 0);
        attendee.status = item.section(QLatin1Char('='), 1);
        attendee.name = QStringLiteral("p%1").arg(event.attendees.size());
        event.attendees.append(attendee);
    }
    event.rawIcalendar = Ical::buildEvent(event);
    return event;
}

QStringList ids(const QList<Event>& events)
{
    QStringList list;
    for (const Event& event : events)
        list.append(event.id);
    return list;
}

} // namespace

Q_DECLARE_METATYPE(Event)

class TestInvitations : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void classifies_data();
    void classifies();
    void ordersAndOwnAddresses();
    void respondRecordsTheAnswer();
};

void TestInvitations::classifies_data()
{
    QTest::addColumn<Event>("event");
    QTest::addColumn<QString>("list"); // "pending", "past" or "" (neither)

    const QStringList unanswered{own + "=needs-action"};
    const auto series = [&](double days, const QString& rule) {
        return invitation("e", days, unanswered, true, rule);
    };
    Event cancelled = invitation("e", 2, unanswered);
    cancelled.status = QStringLiteral("cancelled");
    const QString until = AppStateFixture::defaultNow().toUTC().addDays(-3).toString(
        QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
    QTest::newRow("unanswered, ahead, upper-case status")
        << invitation("e", 2, {"ADA@example.org=NEEDS-ACTION"}) << "pending";
    QTest::newRow("accepted, ahead") << invitation("e", 2, {own + "=accepted"}) << "past";
    QTest::newRow("unanswered, over") << invitation("e", -2, unanswered) << "past";
    QTest::newRow("in progress") << invitation("e", -0.01, unanswered) << "pending";
    QTest::newRow("no end: judged by its start")
        << invitation("e", -0.01, unanswered, false) << "past";
    QTest::newRow("not invited") << invitation("e", 2, {"bob@example.org=needs-action"}) << "";
    QTest::newRow("first own attendee decides")
        << invitation("e", 2, {own + "=accepted", "ada@work.example=needs-action"}) << "past";
    QTest::newRow("ended 100 days ago") << invitation("e", -100, unanswered) << "";
    QTest::newRow("400 days ahead") << invitation("e", 400, unanswered) << "";
    QTest::newRow("cancelled") << cancelled << "";
    QTest::newRow("weekly meeting that began last week") << series(-7, "FREQ=WEEKLY") << "pending";
    QTest::newRow("series from two years ago, still running")
        << series(-730, "FREQ=MONTHLY") << "pending";
    QTest::newRow("series that ended") << series(-30, "FREQ=DAILY;COUNT=3") << "past";
    QTest::newRow("series past its UNTIL") << series(-30, "FREQ=DAILY;UNTIL=" + until) << "past";
}

void TestInvitations::classifies()
{
    QFETCH(Event, event);
    QFETCH(QString, list);

    AppStateFixture fixture;
    QVERIFY(fixture.start());
    AppState* state = fixture.state();
    Account account = *state->accounts()->getById(AppState::localAccountId);
    account.username = QStringLiteral("Ada@Example.org");
    QVERIFY(state->accounts()->update(account));
    QVERIFY(state->events()->insert(event));

    const Invitations::InvitationLists lists = state->invitations()->pendingInvitations();
    QCOMPARE(ids(lists.pending),
             list == QLatin1String("pending") ? QStringList{"e"} : QStringList{});
    QCOMPARE(ids(lists.past), list == QLatin1String("past") ? QStringList{"e"} : QStringList{});
    QCOMPARE(state->invitations()->pendingCount(), list == QLatin1String("pending") ? 1 : 0);
}

void TestInvitations::ordersAndOwnAddresses()
{
    AppStateFixture fixture;
    QVERIFY(fixture.start());
    AppState* state = fixture.state();
    Invitations::Service* service = state->invitations();
    QVERIFY(state->events()->insert(invitation("late", 5, {own + "=needs-action"})));
    QVERIFY(state->events()->insert(invitation("soon", 1, {own + "=needs-action"})));
    QVERIFY(state->events()->insert(invitation("old", -5, {own + "=accepted"})));
    QVERIFY(state->events()->insert(invitation("older", -9, {own + "=needs-action"})));

    // No account user name looks like an address: nothing is an invitation.
    QVERIFY(service->ownEmails().isEmpty());
    QVERIFY(service->pendingInvitations().pending.isEmpty());

    Account account = *state->accounts()->getById(AppState::localAccountId);
    account.username = own;
    QVERIFY(state->accounts()->update(account));
    const Invitations::InvitationLists lists = service->pendingInvitations();
    QCOMPARE(ids(lists.pending), (QStringList{"soon", "late"}));
    QCOMPARE(ids(lists.past), (QStringList{"old", "older"}));

    // Hidden calendars are not searched.
    Calendar calendar = *state->calendars()->getById(AppState::localCalendarId);
    calendar.isVisible = false;
    QVERIFY(state->calendars()->update(calendar));
    QVERIFY(service->pendingInvitations().pending.isEmpty());
}

void TestInvitations::respondRecordsTheAnswer()
{
    AppStateFixture fixture;
    QVERIFY(fixture.start());
    AppState* state = fixture.state();
    Invitations::Service* service = state->invitations();
    QVERIFY(state->events()->insert(
        invitation("e", 2, {own + "=needs-action", "bob@example.org=needs-action"})));
    QSignalSpy changed(service, &Invitations::Service::invitationsChanged);

    QVERIFY(!service->respond(QStringLiteral("missing"), own, QStringLiteral("accepted")));
    QVERIFY(!service->respond(QStringLiteral("e"), QStringLiteral("eve@example.org"),
                              QStringLiteral("accepted")));
    QCOMPARE(changed.count(), 0);

    QVERIFY(service->respond(QStringLiteral("e"), QStringLiteral("ADA@example.org"),
                             QStringLiteral("accepted")));
    QCOMPARE(changed.count(), 1);
    const Event stored = *state->events()->getById(QStringLiteral("e"));
    QCOMPARE(stored.syncStatus, QStringLiteral("pending"));
    QCOMPARE(stored.sequence, 0);
    QStringList statuses;
    for (const Attendee& attendee : stored.attendees)
        statuses.append(attendee.email + QLatin1Char('=') + attendee.status);
    QCOMPARE(statuses, (QStringList{own + "=accepted", "bob@example.org=needs-action"}));
    // The text a push sends carries the answer.
    QVERIFY(stored.rawIcalendar.contains(QStringLiteral("PARTSTAT=ACCEPTED")));
    // The repository's coalesced change follows.
    QTRY_COMPARE(changed.count(), 2);
}

QTEST_MAIN(TestInvitations)
#include "tst_invitations.moc"

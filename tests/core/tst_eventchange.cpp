#include "EventChange.h"
#include "Ical.h"

#include <QTest>
#include <QTimeZone>

namespace {

QDateTime local(const QString& hhmm)
{
    return QDateTime(QDate(2026, 3, 11), QTime::fromString(hhmm, QStringLiteral("HH:mm")),
                     QTimeZone::systemTimeZone());
}

const QDateTime now(QDate(2026, 3, 11), QTime(12, 0), QTimeZone::utc());

Event stored(const QString& from, const QString& to)
{
    Event event;
    event.id = event.uid = QStringLiteral("ev-1");
    event.calendarId = QStringLiteral("cal");
    event.title = QStringLiteral("Review");
    event.startTime = local(from);
    if (!to.isEmpty())
        event.endTime = local(to);
    event.etag = QStringLiteral("etag-1");
    event.href = QStringLiteral("/cal/ev-1.ics");
    event.providerEventId = QStringLiteral("p-1");
    event.syncStatus = QStringLiteral("synced");
    event.lastModified = QDateTime(QDate(2026, 3, 1), QTime(9, 0), QTimeZone::utc());
    event.rawIcalendar = Ical::buildEvent(event);
    return event;
}

Event sent(const Event& event)
{
    const QList<Event> parsed = Ical::parseEvents(event.rawIcalendar);
    return parsed.size() == 1 ? parsed.first() : Event();
}

} // namespace

class TestEventChange : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The record a drag writes: new times in the row and in the text the next push sends.
    void moveRewritesRecordAndText()
    {
        const Event before = stored("09:00", "10:00");
        const Event after = EventChange::moved(before, before.startTime, 30, now);
        QCOMPARE(after.startTime, local("09:30"));
        QCOMPARE(after.endTime, std::optional(local("10:30")));
        QCOMPARE(after.syncStatus, QStringLiteral("pending"));
        QCOMPARE(after.lastModified, now);
        QCOMPARE(sent(after).startTime, local("09:30"));
        QCOMPARE(*sent(after).endTime, local("10:30"));

        // Without an end it stays without one; the text gets the start for both times.
        const Event open = stored("09:00", QString());
        const Event moved = EventChange::moved(open, open.startTime, -15, now);
        QCOMPARE(moved.startTime, local("08:45"));
        QVERIFY(!moved.endTime);
        QCOMPARE(sent(moved).startTime, local("08:45"));
    }

    void resizedEnd_data()
    {
        QTest::addColumn<QString>("instance");
        QTest::addColumn<int>("delta");
        QTest::addColumn<QString>("end");
        QTest::newRow("longer") << "09:00" << 30 << "10:00";
        QTest::newRow("two hours up is clamped to 15 minutes") << "09:00" << -120 << "09:15";
        // An occurrence of a series keeps the series' length from its own start.
        QTest::newRow("occurrence") << "14:00" << 15 << "14:45";
    }

    void resizedEnd()
    {
        QFETCH(QString, instance);
        QFETCH(int, delta);
        QFETCH(QString, end);
        const Event thirtyMinutes = stored("09:00", "09:30");
        QCOMPARE(EventChange::resizedEnd(thirtyMinutes, local(instance), delta),
                 std::optional(local(end)));
        QVERIFY(!EventChange::resizedEnd(stored("09:00", QString()), local(instance), delta));
    }

    // An undo after a push puts back what the edit changed, the reminders and guests among it,
    // and keeps what another client changed since in the rest.
    void undoPutsBackEachChange_data()
    {
        QTest::addColumn<QString>("change");
        QTest::newRow("reminder offset") << "minutes";
        QTest::newRow("reminder kind") << "action";
        QTest::newRow("reminder added") << "added";
        QTest::newRow("guest's answer") << "answer";
        QTest::newRow("guest added") << "guest";
    }
    void undoPutsBackEachChange()
    {
        QFETCH(QString, change);
        Event before = stored("09:00", "10:00");
        before.reminders = {Reminder{}};
        before.reminders[0].minutesBefore = 10;
        before.attendees = {Attendee{}};
        before.attendees[0].email = QStringLiteral("ada@example.com");
        Event written = before;
        written.syncStatus = QStringLiteral("pending");
        if (change == u"minutes")
            written.reminders[0].minutesBefore = 30;
        else if (change == u"action")
            written.reminders[0].action = QStringLiteral("audio");
        else if (change == u"added")
            written.reminders.append(written.reminders[0]);
        else if (change == u"answer")
            written.attendees[0].status = QStringLiteral("accepted");
        else
            written.attendees.append(Attendee{});
        Event current = written;
        current.etag = QStringLiteral("etag-2");
        current.syncStatus = QStringLiteral("synced");
        current.description = QStringLiteral("Dial-in");
        const std::optional<Event> undone =
            EventChange::undoRecord(before, written, current, now.addSecs(60));
        QVERIFY(undone);
        Event expected = before;
        expected.description = current.description;
        QVERIFY(EventChange::sameFields(*undone, expected));
        // Told apart here, not by the comparison the undo itself makes.
        QCOMPARE(undone->reminders.size(), 1);
        QCOMPARE(undone->reminders[0].minutesBefore, 10);
        QCOMPARE(undone->reminders[0].action, QStringLiteral("display"));
        QCOMPARE(undone->attendees.size(), 1);
        QCOMPARE(undone->attendees[0].status, before.attendees[0].status);
    }

    // A row read back from its server against the row the program wrote there: Google names a
    // reminder shown on screen "popup" and fills in an organizer, a link and guests of its own;
    // another server holds all of those as written, and a change of any other field is a change.
    void readBackHoldsWhatWasWritten_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("atGoogle");
        QTest::addColumn<bool>("same");
        QTest::newRow("reminder as popup") << "popup" << false << true;
        QTest::newRow("reminder as popup, at Google") << "popup" << true << true;
        QTest::newRow("reminder by email, at Google") << "email" << true << false;
        QTest::newRow("reminder offset, at Google") << "minutes" << true << false;
        QTest::newRow("organizer") << "organizer" << false << false;
        QTest::newRow("organizer, at Google") << "organizer" << true << true;
        QTest::newRow("link, at Google") << "link" << true << true;
        QTest::newRow("guest, at Google") << "guest" << true << true;
        QTest::newRow("guest") << "guest" << false << false;
        QTest::newRow("title, at Google") << "title" << true << false;
        QTest::newRow("status, at Google") << "status" << true << false;
    }
    void readBackHoldsWhatWasWritten()
    {
        QFETCH(QString, change);
        QFETCH(bool, atGoogle);
        QFETCH(bool, same);
        Event written = stored("09:00", "10:00");
        written.reminders = {Reminder{}};
        written.reminders[0].minutesBefore = 10;
        Event current = written;
        current.etag = QStringLiteral("etag-2");
        current.rawIcalendar = QStringLiteral("{}");
        if (change == u"popup")
            current.reminders[0].action = QStringLiteral("popup");
        else if (change == u"email")
            current.reminders[0].action = QStringLiteral("email");
        else if (change == u"minutes")
            current.reminders[0].minutesBefore = 15;
        else if (change == u"organizer")
            current.organizerEmail = QStringLiteral("team@example.com");
        else if (change == u"link")
            current.eventUrl = QStringLiteral("https://calendar.example/event?eid=p-1");
        else if (change == u"guest")
            current.attendees = {Attendee{}};
        else if (change == u"title")
            current.title = QStringLiteral("Review, moved");
        else
            current.status = QStringLiteral("tentative");
        QCOMPARE(EventChange::sameAsWritten(current, written, atGoogle), same);
        QCOMPARE(EventChange::sameAsWritten(written, current, atGoogle), same);
    }

    void undoRecord_data()
    {
        QTest::addColumn<QString>("row");
        QTest::addColumn<bool>("restored");
        QTest::addColumn<bool>("exactlyBefore");
        QTest::addColumn<QString>("etag");

        QTest::newRow("not pushed yet") << "pending" << true << true << "etag-1";
        QTest::newRow("not pushed, given a UID of its own")
            << "renamed" << true << true << "etag-1";
        QTest::newRow("pushed") << "pushed" << true << false << "etag-2";
        QTest::newRow("pushed, then edited again") << "pushed-edited" << true << false << "etag-2";
        QTest::newRow("pushed, then another client added a description and a place")
            << "pushed-there" << true << false << "etag-2";
        QTest::newRow("pushed, then another client made it all-day")
            << "pushed-all-day" << true << false << "etag-2";
        QTest::newRow("deleted") << "deleted" << false << false << QString();
        QTest::newRow("gone") << "gone" << false << false << QString();
    }

    // Undo restores the old record as it was while the edit has not left the machine; after a
    // push it puts the edit's fields back as a new edit on top of the server's version, keeping
    // what changed there in the other fields; a vanished row is not revived.
    void undoRecord()
    {
        QFETCH(QString, row);
        const Event before = stored("09:00", "10:00");
        const Event written = EventChange::moved(before, before.startTime, 60, now);
        std::optional<Event> current = written;
        if (row.startsWith(QLatin1String("pushed"))) {
            current->etag = QStringLiteral("etag-2");
            current->href = QStringLiteral("/cal/ev-1b.ics");
            current->syncStatus = row == QLatin1String("pushed") ? QStringLiteral("synced")
                                                                 : QStringLiteral("pending");
            current->uid = QStringLiteral("given-by-the-server");
            if (row == QLatin1String("pushed-there")) {
                current->description = QStringLiteral("Dial-in");
                current->location = QStringLiteral("Room 9");
            } else if (row == QLatin1String("pushed-all-day")) {
                current->isAllDay = true;
                current->startTime = QDateTime(written.startTime.date(), QTime(0, 0), Qt::UTC);
                current->endTime = current->startTime.addDays(1);
            }
            current->rawIcalendar = Ical::buildEvent(*current); // the server's copy
        } else if (row == QLatin1String("renamed")) {
            current->uid = QStringLiteral("a-place-of-its-own");
            current->rawIcalendar = Ical::buildEvent(*current);
        } else if (row == QLatin1String("deleted")) {
            current->deletedAt = now;
        } else if (row == QLatin1String("gone")) {
            current.reset();
        }
        const QDateTime later = now.addSecs(60);
        const std::optional<Event> undone =
            EventChange::undoRecord(before, written, current, later);
        QTEST(undone.has_value(), "restored");
        if (!undone)
            return;
        QCOMPARE(undone->startTime, before.startTime);
        QCOMPARE(sent(*undone).startTime, before.startTime);
        QCOMPARE(sent(*undone).isAllDay, false);
        QCOMPARE(sent(*undone).endTime, before.endTime);
        QCOMPARE(sent(*undone).uid, current->uid);
        QCOMPARE(undone->description, current->description);
        QCOMPARE(sent(*undone).description, current->description);
        QCOMPARE(undone->location, current->location);
        QTEST(undone->etag, "etag");
        QCOMPARE(undone->uid, current->uid);
        QFETCH(bool, exactlyBefore);
        if (exactlyBefore) {
            QCOMPARE(undone->syncStatus, QStringLiteral("synced"));
            QCOMPARE(undone->lastModified, before.lastModified);
        } else {
            QCOMPARE(undone->syncStatus, QStringLiteral("pending"));
            QCOMPARE(undone->href, QStringLiteral("/cal/ev-1b.ics"));
            QCOMPARE(undone->lastModified, later);
        }
    }
};

QTEST_GUILESS_MAIN(TestEventChange)
#include "tst_eventchange.moc"

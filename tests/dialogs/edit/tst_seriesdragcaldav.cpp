// Occurrences of a synced weekly series dragged through the window's own path, undone or moved
// to another weekday, then pushed to a real server: what other clients read there (python3-
// icalendar with recurring_ical_events) and what this store shows afterwards. Run under
// TZ=Europe/Berlin, the series' own zone.
#include "AppStateFixture.h"
#include "CalDavSyncClient.h"
#include "CalendarRepository.h"
#include "Clock.h"
#include "DavServer.h"
#include "EventChangeState.h"
#include "EventRepository.h"
#include "ModalSeam.h"
#include "Oracle.h"
#include "Recurrence.h"
#include "RecurringEdit.h"
#include "SeriesActions.h"
#include "StoreSeed.h"
#include "UndoStack.h"
#include "WallClock.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>

#include <algorithm>

namespace {

const QTimeZone berlin("Europe/Berlin");

QDateTime at(int month, int day, int hour = 9, int minute = 0)
{
    return QDateTime(QDate(2026, month, day), QTime(hour, minute), berlin);
}

// "yyyy-MM-dd HH:mm" in the zone of every occurrence in 2026 of the object, as python reads it.
QStringList pythonOccurrences(const QString& data, const QTimeZone& zone = berlin)
{
    QStringList lines;
    for (const QString& line : Oracle::occurrencesIn2026(data))
        lines.append(QDateTime::fromSecsSinceEpoch(line.section(u' ', 0, 0).toLongLong(), zone)
                         .toString(QStringLiteral("yyyy-MM-dd HH:mm")));
    return lines;
}

QList<Event> storedIn2026(EventRepository* events, const QString& calendarId)
{
    const QDateTime from(QDate(2026, 1, 1), QTime(0, 0), Qt::UTC);
    const QDateTime to = from.addYears(1);
    return Recurrence::expand(events->getInRange(from, to, {calendarId}), from, to);
}

QStringList storeOccurrences(EventRepository* events, const QString& calendarId,
                             const QTimeZone& zone = berlin)
{
    QStringList lines;
    for (const Event& occurrence : storedIn2026(events, calendarId))
        lines.append(
            occurrence.startTime.toTimeZone(zone).toString(QStringLiteral("yyyy-MM-dd HH:mm")));
    lines.sort();
    return lines;
}

// The wall time on the zone's clock as a series reads it: after the gap where the clocks skip
// it, the earlier instant where they repeat it.
QDateTime onClock(const QDate& day, const QTime& time, const QTimeZone& zone)
{
    WallClock clock(QDateTime(QDate(2026, 1, 1), QTime(12, 0), zone));
    return clock.make(clock.toUtc(QDateTime(day, time, Qt::UTC).toMSecsSinceEpoch()));
}

// The text with every local date-time of the named properties (DTSTART, EXDATE, ...) moved by
// `days` and `hours`, as another client moving a series writes it.
QString shifted(QString text, const QStringList& properties, int days, int hours)
{
    static const QRegularExpression line(QStringLiteral("(?m)^([A-Z-]+)([^:\r\n]*):([^\r\n]+)"));
    // The zone definitions' own DTSTART lines stay.
    qsizetype done = text.indexOf(u"BEGIN:VEVENT");
    QString result = text.left(done);
    QRegularExpressionMatchIterator lines = line.globalMatch(text, done);
    while (lines.hasNext()) {
        const QRegularExpressionMatch match = lines.next();
        if (!properties.contains(match.captured(1)))
            continue;
        QStringList values = match.captured(3).split(u',');
        for (QString& value : values) {
            const QDateTime at(QDate::fromString(value.left(8), "yyyyMMdd"),
                               QTime::fromString(value.mid(9, 6), "HHmmss"), Qt::UTC);
            if (at.isValid())
                value = at.addDays(days).addSecs(3600 * hours).toString("yyyyMMdd'T'HHmmss") +
                        value.mid(15);
        }
        result += text.mid(done, match.capturedStart(3) - done) + values.join(u',');
        done = match.capturedEnd(3);
    }
    return result + text.mid(done);
}

// The SEQUENCE of the object's master, which a push writes first; -1 when it has none.
int sequenceOf(const QString& data)
{
    static const QRegularExpression sequence(QStringLiteral("\nSEQUENCE:(\\d+)"));
    const QRegularExpressionMatch match = sequence.match(data);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// A Radicale calendar, a store syncing with it, and a weekly series made here and pushed.
class Setup
{
public:
    Setup() : server(DavServer::Kind::Radicale) {}

    bool start(const QString& rule, const QDateTime& first = at(3, 2),
               const QTimeZone& zone = berlin)
    {
        if (!server.start() || !fixture.start())
            return false;
        collection = server.makeCalendar(QStringLiteral("work"), QStringLiteral("Work"));
        Account account = StoreSeed::account(QStringLiteral("acc-1"), QStringLiteral("Server"),
                                             QStringLiteral("caldav"));
        account.serverUrl = server.baseUrl().toString();
        account.username = server.username();
        calendar = StoreSeed::calendar(QStringLiteral("cal-1"), account.id, QStringLiteral("Work"),
                                       QStringLiteral("#3366cc"));
        calendar.url = collection.toString();
        calendar.syncEnabled = true;
        if (!collection.isValid() || !StoreSeed::addCalendar(state(), account, calendar))
            return false;
        Event master =
            StoreSeed::timedEvent(QStringLiteral("weekly"), calendar.id, QStringLiteral("Planning"),
                                  first, first.addSecs(3600));
        master.timezone = QString::fromUtf8(zone.id());
        master.recurrenceRule = rule;
        master.syncStatus = QStringLiteral("pending");
        return StoreSeed::addEvent(state(), master) && sync() >= 0;
    }

    AppState* state() { return fixture.state(); }
    EventRepository* events() { return fixture.state()->events(); }
    Event master()
    {
        return *events()->getByUidAndRecurrenceId(QStringLiteral("weekly"), calendar.id, {});
    }

    // The number of changes the run reports; -1 when it failed.
    int sync()
    {
        CalDavSyncClient client(state());
        QSignalSpy completed(&client, &CalDavSyncClient::calendarSyncCompleted);
        QSignalSpy failed(&client, &CalDavSyncClient::calendarSyncFailed);
        client.syncCalendar(*state()->calendars()->getById(calendar.id),
                            server.baseUrl().toString(), server.username(), server.password(),
                            QString());
        if (!QTest::qWaitFor([&] { return completed.count() + failed.count() > 0; }, 20000) ||
            completed.count() != 1)
            return -1;
        return completed.first().at(1).toInt();
    }

    // Every occurrence of every object, as python reads them.
    QStringList pythonAll(const QTimeZone& zone = berlin)
    {
        QStringList lines;
        for (const DavHttp::Object& object : server.listObjects(collection))
            lines += pythonOccurrences(object.data, zone);
        lines.sort();
        return lines;
    }

    QString objectData()
    {
        const QList<DavHttp::Object> objects = server.listObjects(collection);
        return objects.size() == 1 ? objects.first().data : QString();
    }

    // The occurrence at `at` deleted, "This event only".
    void removeOne(const QDateTime& at, const EventChange::Reporter& report)
    {
        QWidget host;
        ModalSeam::run(
            [&] { QVERIFY(SeriesActions::remove(state(), &host, master(), at, report)); },
            [](QWidget* window) {
                ModalSeam::clickButton(window, QStringLiteral("This event only"));
            });
    }

    // A drag of the occurrence at `from` to `to` (half an hour long) for the scope's answer.
    void drag(const QDateTime& from, const QDateTime& to, const QString& answer,
              const EventChange::Reporter& report)
    {
        QWidget host;
        ModalSeam::run(
            [&] {
                QVERIFY(SeriesActions::move(state(), &host, master(), from, to, to.addSecs(1800),
                                            QStringLiteral("Moved"), QStringLiteral("failed"),
                                            report));
            },
            [&answer](QWidget* window) { ModalSeam::clickButton(window, answer); });
    }

    // Another client rewrites the series' object, or the one of the series that is not `weekly`
    // (`change` gives its new text; none deletes it).
    bool otherClient(const std::function<QString(QString)>& change, bool otherSeries = false)
    {
        QList<DavHttp::Object> objects = server.listObjects(collection);
        objects.removeIf([otherSeries](const DavHttp::Object& object) {
            static const QRegularExpression weekly(QStringLiteral("^UID:weekly\r?$"),
                                                   QRegularExpression::MultilineOption);
            return object.data.contains(weekly) == otherSeries;
        });
        if (objects.size() != 1)
            return false;
        const QUrl url = collection.resolved(QUrl(objects.first().href));
        const QString text = change(objects.first().data);
        const DavHttp::Reply reply =
            text.isEmpty() ? server.deleteObject(url) : server.putObject(url, text);
        return reply.status >= 200 && reply.status <= 299;
    }

    DavServer server;
    AppStateFixture fixture;
    QUrl collection;
    Calendar calendar;
};

const EventChange::Reporter noMessage = [](const QString& message) { QFAIL(qPrintable(message)); };

} // namespace

class TestSeriesDragCalDav : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // One occurrence changed ("This event only") and undone comes back as the plain occurrence,
    // here and for every other client, whether the change reached the server or not.
    void undoneOccurrenceComesBack_data()
    {
        QTest::addColumn<bool>("pushedFirst");
        QTest::addColumn<bool>("form");
        QTest::newRow("drag, undone before the push") << false << false;
        QTest::newRow("drag, undone after the push") << true << false;
        QTest::newRow("form edit, undone before the push") << false << true;
        QTest::newRow("form edit, undone after the push") << true << true;
    }
    void undoneOccurrenceComesBack()
    {
        QFETCH(bool, pushedFirst);
        QFETCH(bool, form);
        if (!DavServer::available(DavServer::Kind::Radicale))
            QSKIP("radicale is not installed");
        Setup s;
        QVERIFY(s.start(QStringLiteral("FREQ=WEEKLY;BYDAY=MO;COUNT=6")));
        const QStringList plain{"2026-03-02 09:00", "2026-03-09 09:00", "2026-03-16 09:00",
                                "2026-03-23 09:00", "2026-03-30 09:00", "2026-04-06 09:00"};
        QCOMPARE(pythonOccurrences(s.objectData()), plain);

        if (form) {
            // What the event form saves for "This event only".
            Event edited = s.master();
            edited.title = QStringLiteral("Planning, later");
            edited.startTime = at(3, 9, 14);
            edited.endTime = at(3, 9, 15);
            const std::optional<SeriesEdit::Plan> plan =
                RecurringEdit::planEdit(s.events(), s.master(), at(3, 9), edited, 1);
            QVERIFY(plan);
            QVERIFY(RecurringEdit::carryOutWithUndo(s.state(), *plan, QStringLiteral("Changed"),
                                                    QString(), noMessage));
        } else {
            s.drag(at(3, 9), at(3, 9, 14), QStringLiteral("This event only"), noMessage);
        }
        QVERIFY(storeOccurrences(s.events(), s.calendar.id).contains("2026-03-09 14:00"));
        if (pushedFirst) {
            QVERIFY(s.sync() >= 0);
            QVERIFY(pythonOccurrences(s.objectData()).contains("2026-03-09 14:00"));
        }

        s.state()->undoStack()->undo();
        QVERIFY(s.sync() >= 0);
        QCOMPARE(pythonOccurrences(s.objectData()), plain);
        QCOMPARE(storeOccurrences(s.events(), s.calendar.id), plain);
        // The next run finds nothing to change either way.
        QCOMPARE(s.sync(), 0);
    }

    // A change to all events of a pushed series with an excluded and a moved occurrence, pushed,
    // then undone and pushed again with a SEQUENCE past the one sent. Dragged from Monday to
    // Tuesday, every occurrence, the excluded and the moved one, goes one day later; a new rule
    // drops the override without excluding its start.
    void allEventsChangedThenUndone_data()
    {
        QTest::addColumn<QString>("rule"); // empty: the drag to Tuesday
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("to another weekday")
            << QString()
            << QStringList{"2026-03-03 09:00", "2026-03-10 09:00", "2026-03-24 14:00",
                           "2026-03-31 09:00", "2026-04-07 09:00"};
        QTest::newRow("new rule") << "FREQ=WEEKLY;BYDAY=MO;COUNT=4"
                                  << QStringList{"2026-03-02 09:00", "2026-03-09 09:00",
                                                 "2026-03-23 09:00"};
    }
    void allEventsChangedThenUndone()
    {
        QFETCH(QString, rule);
        QFETCH(QStringList, expected);
        if (!DavServer::available(DavServer::Kind::Radicale))
            QSKIP("radicale is not installed");
        Setup s;
        QVERIFY(s.start(QStringLiteral("FREQ=WEEKLY;BYDAY=MO;COUNT=6")));
        s.removeOne(at(3, 16), noMessage);
        s.drag(at(3, 23), at(3, 23, 14), QStringLiteral("This event only"), noMessage);
        QVERIFY(s.sync() > 0);
        const QStringList before{"2026-03-02 09:00", "2026-03-09 09:00", "2026-03-23 14:00",
                                 "2026-03-30 09:00", "2026-04-06 09:00"};
        QCOMPARE(pythonOccurrences(s.objectData()), before);

        if (rule.isEmpty()) {
            s.drag(at(3, 9), at(3, 10), QStringLiteral("All events in the series"), noMessage);
        } else {
            Event edited = s.master();
            edited.recurrenceRule = rule;
            const std::optional<SeriesEdit::Plan> plan =
                RecurringEdit::planEdit(s.events(), s.master(), at(3, 2), edited, 3);
            QVERIFY(plan);
            QVERIFY(RecurringEdit::carryOutWithUndo(s.state(), *plan, QStringLiteral("Changed"),
                                                    QString(), noMessage));
        }
        QVERIFY(s.sync() > 0);
        QCOMPARE(pythonOccurrences(s.objectData()), expected);
        QCOMPARE(storeOccurrences(s.events(), s.calendar.id), expected);

        const int sent = sequenceOf(s.objectData());
        QVERIFY(sent > 0);
        s.state()->undoStack()->undo();
        QVERIFY(s.sync() > 0);
        QCOMPARE(pythonOccurrences(s.objectData()), before);
        QCOMPARE(storeOccurrences(s.events(), s.calendar.id), before);
        QVERIFY2(sequenceOf(s.objectData()) > sent, qPrintable(s.objectData()));
    }

    // A change pushed, then another client changes the series, then Undo: what that client did
    // stays, for it and for this store. After "All events" an hour later: an occurrence it
    // deleted stays deleted beside the one excluded here before, one it changed stays attached,
    // and a series it deleted is not made again (the user is told). After "This event only": an
    // occurrence it described keeps the description and location, its time going back.
    void undoKeepsAnotherClientsChange_data()
    {
        QTest::addColumn<QString>("there");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("occurrence deleted there")
            << "exclude"
            << QStringList{"2026-03-02 09:00", "2026-03-09 09:00", "2026-03-23 09:00",
                           "2026-04-06 09:00"};
        QTest::newRow("occurrence changed there")
            << "override"
            << QStringList{"2026-03-02 09:00", "2026-03-09 09:00", "2026-03-16 15:00",
                           "2026-03-23 09:00", "2026-04-06 09:00"};
        QTest::newRow("series deleted there") << "delete" << QStringList();
        QTest::newRow("occurrence changed here, described there")
            << "describe"
            << QStringList{"2026-03-02 09:00", "2026-03-09 09:00", "2026-03-16 09:00",
                           "2026-03-23 09:00", "2026-04-06 09:00"};
        // Nothing is left to put back: the user is told why, and nothing is announced as undone.
        QTest::newRow("occurrence changed here, deleted there")
            << "one deleted"
            << QStringList{"2026-03-02 09:00", "2026-03-16 09:00", "2026-03-23 09:00",
                           "2026-04-06 09:00"};
        QTest::newRow("occurrence changed here, series deleted there")
            << "one series deleted" << QStringList();
    }
    void undoKeepsAnotherClientsChange()
    {
        QFETCH(QString, there);
        QFETCH(QStringList, expected);
        if (!DavServer::available(DavServer::Kind::Radicale))
            QSKIP("radicale is not installed");
        Setup s;
        QVERIFY(s.start(QStringLiteral("FREQ=WEEKLY;BYDAY=MO;COUNT=6")));
        s.removeOne(at(3, 30), noMessage);
        QStringList messages;
        const EventChange::Reporter report = [&messages](const QString& message) {
            messages.append(message);
        };
        const bool one = there == u"describe" || there.startsWith(u"one ");
        if (one)
            s.drag(at(3, 9), at(3, 9, 14), QStringLiteral("This event only"), report);
        else
            s.drag(at(3, 2), at(3, 2, 10), QStringLiteral("All events in the series"), report);
        QVERIFY(s.sync() > 0);

        const QString movedSixteenth = QStringLiteral(";TZID=Europe/Berlin:20260316T100000\r\n");
        QVERIFY(s.otherClient([&](QString text) {
            if (there == u"exclude")
                text.insert(text.indexOf(u"RRULE:FREQ=WEEKLY"),
                            QStringLiteral("EXDATE") + movedSixteenth);
            else if (there == u"override")
                text.insert(text.indexOf(u"END:VCALENDAR"),
                            QStringLiteral("BEGIN:VEVENT\r\nUID:weekly\r\nDTSTAMP:20260301T000000Z"
                                           "\r\nRECURRENCE-ID") +
                                movedSixteenth +
                                QStringLiteral("DTSTART;TZID=Europe/Berlin:20260316T150000\r\n"
                                               "DTEND;TZID=Europe/Berlin:20260316T153000\r\n"
                                               "SUMMARY:Planning, there\r\nEND:VEVENT\r\n"));
            else if (there == u"delete" || there == u"one series deleted")
                text.clear();
            else if (there == u"one deleted")
                text =
                    text.left(text.lastIndexOf(u"BEGIN:VEVENT", text.indexOf(u"RECURRENCE-ID")))
                        .insert(text.indexOf(u"RRULE:FREQ=WEEKLY"),
                                QStringLiteral("EXDATE;TZID=Europe/Berlin:20260309T090000\r\n")) +
                    QStringLiteral("END:VCALENDAR\r\n");
            else
                text.insert(text.indexOf(u"END:VEVENT", text.indexOf(u"RECURRENCE-ID")),
                            QStringLiteral("DESCRIPTION:Dial-in\r\nLOCATION:Room 9\r\n"));
            return text;
        }));
        QVERIFY(s.sync() > 0);

        QSignalSpy undone(s.state()->undoStack(), &UndoStack::undone);
        s.state()->undoStack()->undo();
        QVERIFY(s.sync() >= 0);
        if (expected.isEmpty())
            QVERIFY(s.server.listObjects(s.collection).isEmpty());
        else
            QCOMPARE(pythonOccurrences(s.objectData()), expected);
        QCOMPARE(storeOccurrences(s.events(), s.calendar.id), expected);
        QCOMPARE(s.sync(), 0);
        const bool gone = there == u"delete" || there.startsWith(u"one ");
        // Only the occurrence went: the user is told which.
        const QString goneText =
            there == u"one deleted"
                ? RecurringEdit::occurrenceGoneText("Planning", QDate(2026, 3, 9))
                : EventChange::goneText("Planning");
        QCOMPARE(messages, gone ? QStringList{goneText} : QStringList());
        QCOMPARE(undone.count(), gone ? 0 : 1);
        if (there == u"describe") {
            const QString data = s.objectData();
            QVERIFY2(data.contains(u"DESCRIPTION:Dial-in") && data.contains(u"LOCATION:Room 9"),
                     qPrintable(data));
            const std::optional<Event> occurrence =
                s.events()->getByUidAndRecurrenceId(QStringLiteral("weekly"), s.calendar.id,
                                                    Recurrence::recurrenceIdFor(at(3, 9), false));
            QVERIFY(occurrence && occurrence->location == u"Room 9");
        }
    }

    // A change pushed, then another client changes the series, then Undo and Sync Now. A change
    // of fields goes back over what that client did; one of the frame (times, rule, exclusions,
    // a split) goes back only where the frames it wrote stand, else it writes nothing and says
    // so. Whichever, this store shows what every other reader shows, and the next run changes
    // nothing. Every row starts with 30 March deleted here and pushed; `first` may move 23 March
    // to 14:00 ("This event only") and push that too.
    void undoAfterTheFrameChangedThere_data()
    {
        QTest::addColumn<bool>("first");
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("there");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<bool>("refused");
        const auto days = [](const QStringList& dates, const QString& time) {
            QStringList lines;
            for (const QString& date : dates)
                lines.append(QStringLiteral("2026-%1 %2").arg(date, time));
            return lines;
        };
        const QStringList nine = days({"03-02", "03-09", "03-16", "03-23", "04-06"}, "09:00");
        QTest::newRow("renamed here, series moved there")
            << false << "rename"
            << "move" << days({"03-02", "03-09", "03-16", "03-23", "04-06"}, "10:00") << false;
        QTest::newRow("one deleted here, series moved there")
            << false << "delete"
            << "move" << days({"03-02", "03-09", "03-23", "04-06"}, "10:00") << true;
        QTest::newRow("moved here, an end set there")
            << false << "move"
            << "until" << days({"03-02", "03-09", "03-16", "03-23"}, "10:00") << true;
        QTest::newRow("moved here, another weekday there")
            << false << "move"
            << "weekday" << days({"03-03", "03-10", "03-17", "03-24", "04-07"}, "10:00") << true;
        QTest::newRow("moved here, a changed occurrence deleted there")
            << true << "move"
            << "delete changed" << days({"03-02", "03-09", "03-16", "04-06"}, "09:00") << false;
        QStringList changed = nine;
        changed[2] = QStringLiteral("2026-03-16 15:00");
        QTest::newRow("moved a day here, an occurrence changed there")
            << false << "move a day"
            << "override" << changed << false;
        QStringList split = nine;
        split[3] = QStringLiteral("2026-03-23 14:00");
        QTest::newRow("split after a moved occurrence") << true << "split"
                                                        << "" << split << false;
        QTest::newRow("split here, new series deleted there")
            << false << "split"
            << "tail delete" << days({"03-02", "03-09"}, "09:00") << true;
        QTest::newRow("split here, an occurrence of the new series deleted there")
            << false << "split"
            << "tail exclude"
            << days({"03-02", "03-09"}, "09:00") + days({"03-16", "04-06"}, "10:00") << true;
        QStringList tailChanged =
            days({"03-02", "03-09"}, "09:00") + days({"03-16", "04-06"}, "10:00");
        tailChanged.insert(3, QStringLiteral("2026-03-23 16:00"));
        QTest::newRow("split here, an occurrence of the new series changed there")
            << false << "split"
            << "tail override" << tailChanged << true;
        const QStringList tail =
            days({"03-02", "03-09"}, "09:00") + days({"03-16", "03-23", "04-06"}, "10:00");
        QTest::newRow("split here, the new series renamed and described there")
            << false << "split"
            << "tail rename" << tail << true;
        QTest::newRow("split here, the new series renamed there") << false << "split"
                                                                  << "tail title" << tail << true;
        QTest::newRow("split here, the new series given a place there")
            << false << "split"
            << "tail location" << tail << true;
        QStringList carriedChanged =
            days({"03-02", "03-09"}, "09:00") + days({"03-16", "04-06"}, "10:00");
        carriedChanged.insert(3, QStringLiteral("2026-03-23 16:00"));
        QTest::newRow("split after a moved occurrence, which then changed there")
            << true << "split"
            << "tail carried" << carriedChanged << true;
        QTest::newRow("split here, a weekday added to the new series there")
            << false << "split"
            << "tail weekday"
            << days({"03-02", "03-09"}, "09:00") +
                   days({"03-16", "03-17", "03-23", "03-24"}, "10:00")
            << true;
        // The same rule written another way is no change of the frame.
        QTest::newRow("moved here, the rule written another way there")
            << false << "move"
            << "rule rewritten" << nine << false;
        QTest::newRow("moved here, lengthened there")
            << false << "move"
            << "lengthen" << days({"03-02", "03-09", "03-16", "03-23", "04-06"}, "10:00") << true;
        // Every other week on Mondays and Sundays: the weeks begin on Sunday there, which pairs
        // the days otherwise.
        QTest::newRow("moved here, the week start changed there")
            << false << "move every other week"
            << "week start" << days({"03-02", "03-15", "03-16", "03-29", "04-12"}, "10:00") << true;
    }
    void undoAfterTheFrameChangedThere()
    {
        QFETCH(bool, first);
        QFETCH(QString, change);
        QFETCH(QString, there);
        QFETCH(QStringList, expected);
        QFETCH(bool, refused);
        if (!DavServer::available(DavServer::Kind::Radicale))
            QSKIP("radicale is not installed");
        Setup s;
        QVERIFY(s.start(change == u"move every other week"
                            ? QStringLiteral("FREQ=WEEKLY;INTERVAL=2;BYDAY=MO,SU;WKST=MO;COUNT=6")
                            : QStringLiteral("FREQ=WEEKLY;BYDAY=MO;COUNT=6")));
        s.removeOne(at(3, 30), noMessage);
        if (first)
            s.drag(at(3, 23), at(3, 23, 14), QStringLiteral("This event only"), noMessage);
        QVERIFY(s.sync() > 0);

        QStringList messages;
        const EventChange::Reporter report = [&messages](const QString& message) {
            messages.append(message);
        };
        if (change == u"rename") {
            Event edited = s.master();
            edited.title = QStringLiteral("Planning, renamed");
            const std::optional<SeriesEdit::Plan> plan =
                RecurringEdit::planEdit(s.events(), s.master(), at(3, 2), edited, 3);
            QVERIFY(plan &&
                    RecurringEdit::carryOutWithUndo(s.state(), *plan, "Renamed", {}, report));
        } else if (change == u"delete") {
            s.removeOne(at(3, 16), report);
        } else if (change.startsWith(u"move every") || change == u"move") {
            s.drag(at(3, 2), at(3, 2, 10), QStringLiteral("All events in the series"), report);
        } else if (change == u"move a day") {
            s.drag(at(3, 9), at(3, 10), QStringLiteral("All events in the series"), report);
        } else {
            s.drag(at(3, 16), at(3, 16, 10), QStringLiteral("This and following events"), report);
        }
        QVERIFY(s.sync() > 0);

        const QString override = QStringLiteral(
            "BEGIN:VEVENT\r\nUID:%1\r\nDTSTAMP:20260301T000000Z\r\n"
            "RECURRENCE-ID;TZID=Europe/Berlin:%2\r\nDTSTART;TZID=Europe/Berlin:%3\r\n"
            "DTEND;TZID=Europe/Berlin:%4\r\nSUMMARY:There\r\nEND:VEVENT\r\n");
        const QString tailUid = [&] {
            for (const Event& row : s.events()->getByCalendar(s.calendar.id))
                if (row.uid != u"weekly")
                    return row.uid;
            return QString();
        }();
        // An exclusion of the wall time in Berlin added to the object's series.
        const auto excluded = [](QString text, const char* wall) {
            return text.insert(text.indexOf(u"RRULE:", text.indexOf(u"BEGIN:VEVENT")),
                               QStringLiteral("EXDATE;TZID=Europe/Berlin:%1\n").arg(wall));
        };
        if (!there.isEmpty())
            QVERIFY(s.otherClient(
                [&](QString text) {
                    const QStringList times{"DTSTART", "DTEND", "EXDATE", "RECURRENCE-ID"};
                    if (there == u"move")
                        return shifted(text, times, 0, 1);
                    if (there == u"until")
                        return text.replace(QStringLiteral("COUNT=6"),
                                            QStringLiteral("UNTIL=20260324T000000Z"));
                    if (there == u"weekday")
                        return shifted(text, times, 1, 0)
                            .replace(QStringLiteral("BYDAY=MO"), QStringLiteral("BYDAY=TU"));
                    if (there == u"delete changed") {
                        const qsizetype begin =
                            text.lastIndexOf(u"BEGIN:VEVENT", text.indexOf(u"RECURRENCE-ID"));
                        const qsizetype end =
                            text.indexOf(u'\n', text.indexOf(u"END:VEVENT", begin)) + 1;
                        text.remove(begin, end - begin);
                        return excluded(text, "20260323T100000");
                    }
                    if (there == u"override")
                        return text.insert(text.indexOf(u"END:VCALENDAR"),
                                           override.arg("weekly", "20260317T090000",
                                                        "20260317T150000", "20260317T153000"));
                    if (there == u"tail delete")
                        return QString();
                    if (there == u"tail exclude")
                        return excluded(text, "20260323T100000");
                    if (there == u"tail rename")
                        return text.replace(QStringLiteral("SUMMARY:Planning"),
                                            QStringLiteral("SUMMARY:Planning, there\r\n"
                                                           "DESCRIPTION:Agenda"));
                    if (there == u"tail title")
                        return text.replace(QStringLiteral("SUMMARY:Planning"),
                                            QStringLiteral("SUMMARY:Review"));
                    if (there == u"tail location")
                        return text.insert(text.indexOf(u"END:VEVENT"),
                                           QStringLiteral("LOCATION:Room 9\r\n"));
                    if (there == u"tail carried")
                        return text
                            .replace(QStringLiteral(":20260323T140000"),
                                     QStringLiteral(":20260323T160000"))
                            .replace(QStringLiteral(":20260323T143000"),
                                     QStringLiteral(":20260323T163000"));
                    if (there == u"week start")
                        return text.replace(QStringLiteral("WKST=MO"), QStringLiteral("WKST=SU"));
                    if (there == u"tail weekday")
                        return text.replace(QStringLiteral("BYDAY=MO"),
                                            QStringLiteral("BYDAY=MO,TU"));
                    if (there == u"lengthen")
                        return text.replace(
                            QStringLiteral("DTEND;TZID=Europe/Berlin:20260302T103000"),
                            QStringLiteral("DTEND;TZID=Europe/Berlin:20260302T110000"));
                    if (there == u"rule rewritten") {
                        static const QRegularExpression line(QStringLiteral("RRULE:([^\r\n]+)"));
                        const QRegularExpressionMatch rule =
                            line.match(text, text.indexOf(u"BEGIN:VEVENT"));
                        QStringList parts = rule.captured(1).split(u';');
                        std::reverse(parts.begin(), parts.end());
                        return text.replace(rule.capturedStart(1), rule.capturedLength(1),
                                            parts.join(u';') +
                                                QStringLiteral(";INTERVAL=1;WKST=MO"));
                    }
                    return text.insert(text.indexOf(u"END:VCALENDAR"),
                                       override.arg(tailUid, "20260323T100000", "20260323T160000",
                                                    "20260323T163000"));
                },
                there.startsWith(u"tail")));
        QVERIFY(s.sync() >= 0);

        QStringList served;
        for (const DavHttp::Object& object : s.server.listObjects(s.collection))
            served.append(object.data);
        s.state()->undoStack()->undo();
        QVERIFY(s.sync() >= 0);
        // A refused undo leaves the server's text as it was, byte for byte.
        if (refused) {
            QStringList now;
            for (const DavHttp::Object& object : s.server.listObjects(s.collection))
                now.append(object.data);
            QCOMPARE(now, served);
        }
        QCOMPARE(s.pythonAll(), expected);
        QCOMPARE(storeOccurrences(s.events(), s.calendar.id), expected);
        QCOMPARE(s.sync(), 0);
        QCOMPARE(messages, refused ? QStringList{RecurringEdit::changedElsewhereText("Planning")}
                                   : QStringList());
        if (change == u"rename")
            QCOMPARE(s.master().title, QStringLiteral("Planning"));
        // What another client deleted is not made again, neither here nor on the server.
        if (there == u"delete changed") {
            QVERIFY2(!s.objectData().contains(u"RECURRENCE-ID"), qPrintable(s.objectData()));
            for (const Event& row : s.events()->getByCalendar(s.calendar.id))
                QVERIFY2(row.recurrenceId.isEmpty(), qPrintable(row.recurrenceId));
        }
    }

    // Every event of a daily series moved to another hour, or a day, over a night the clocks
    // change, in Berlin, New York and Auckland, with one occurrence changed on its own and one
    // deleted: each occurrence lands at the new wall time on its day (where the clocks skip it,
    // the hour after), the changed one stays attached and the deleted one deleted, for this
    // store as for other readers; the undo, with an occurrence another client deleted meanwhile,
    // takes all back. The series runs daily from `first`; occurrence `changed` goes to 12:00 on
    // its own and `deleted` is deleted, then occurrence `dragged` goes to `to` for all events (or
    // for the following ones, where the row says so).
    void moveOverTheClockChange_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QDateTime>("first");
        QTest::addColumn<int>("changed");
        QTest::addColumn<int>("deleted");
        QTest::addColumn<int>("dragged");
        QTest::addColumn<QDateTime>("to");
        QTest::addColumn<QString>("excludedThere"); // a wall time another client excludes
        QTest::addColumn<QStringList>("moved");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("told"); // the user is told the time the series now has
        const auto add = [](const char* name, const char* zone, const char* rule,
                            const QDateTime& first, int changed, int deleted, int dragged,
                            const QDateTime& to, const QStringList& moved,
                            const char* excludedThere = "",
                            const char* answer = "All events in the series", bool told = false) {
            QTest::newRow(name) << QByteArray(zone) << QString::fromLatin1(rule) << first << changed
                                << deleted << dragged << to << QString::fromLatin1(excludedThere)
                                << moved << QString::fromLatin1(answer) << told;
        };
        const auto wall = [](const char* zone, int month, int day, int hour, int minute = 0) {
            return onClock(QDate(2026, month, day), QTime(hour, minute), QTimeZone(zone));
        };
        const char* daily = "FREQ=DAILY;COUNT=5";
        const char* b = "Europe/Berlin";
        add("Berlin, 01:00 to 04:00", b, daily, wall(b, 3, 27, 1), 2, 3, 0, wall(b, 3, 27, 4),
            {"2026-03-27 04:00", "2026-03-28 04:00", "2026-03-29 12:00", "2026-03-31 04:00"});
        add("Berlin, 04:00 to 01:00", b, daily, wall(b, 3, 27, 4), 2, 3, 0, wall(b, 3, 27, 1),
            {"2026-03-27 01:00", "2026-03-28 01:00", "2026-03-29 12:00", "2026-03-31 01:00"});
        add("Berlin, 02:30 an hour earlier", b, daily, wall(b, 3, 27, 2, 30), 2, 3, 0,
            wall(b, 3, 27, 1, 30),
            {"2026-03-27 01:30", "2026-03-28 01:30", "2026-03-29 12:00", "2026-03-31 01:30"});
        add("Berlin, 01:00 to 02:30", b, daily, wall(b, 3, 27, 1), 2, 3, 0, wall(b, 3, 27, 2, 30),
            {"2026-03-27 02:30", "2026-03-28 02:30", "2026-03-29 12:00", "2026-03-31 02:30"});
        add("Berlin, 02:30 a day later", b, daily, wall(b, 3, 26, 2, 30), 3, 1, 0,
            wall(b, 3, 27, 2, 30),
            {"2026-03-27 02:30", "2026-03-29 03:30", "2026-03-30 12:00", "2026-03-31 02:30"});
        // Dropped a day earlier in the week view: onto the hour the clocks skip on the 29th.
        add("Berlin, 02:30 a day earlier onto the spring night", b, daily, wall(b, 3, 26, 2, 30),
            2, 1, 4, wall(b, 3, 29, 2, 30),
            {"2026-03-25 02:30", "2026-03-27 12:00", "2026-03-28 02:30", "2026-03-29 03:30"});
        // The new series begins where the first of them lands, the hour after, and repeats there;
        // what it takes over (the exclusion of 2 April, the change of 3 April) moves with it.
        add("Berlin, 02:30, the following a day later onto the spring night", b,
            "FREQ=DAILY;COUNT=9", wall(b, 3, 26, 2, 30), 8, 7, 2, wall(b, 3, 29, 2, 30),
            {"2026-03-26 02:30", "2026-03-27 02:30", "2026-03-29 03:30", "2026-03-30 03:30",
             "2026-03-31 03:30", "2026-04-01 03:30", "2026-04-02 03:30", "2026-04-04 12:00"},
            "", "This and following events");
        add("Berlin, 02:30 a day back over the autumn night", b, "FREQ=DAILY;COUNT=4",
            wall(b, 10, 25, 2, 30), 1, 2, 0, wall(b, 10, 24, 2, 30),
            {"2026-10-24 02:30", "2026-10-25 12:00", "2026-10-27 02:30"});
        add("Berlin, with an end, a day and an hour later", b, "FREQ=DAILY;UNTIL=20260401T000000Z",
            wall(b, 3, 27, 2, 30), 2, 3, 0, wall(b, 3, 28, 3, 30),
            {"2026-03-28 03:30", "2026-03-29 03:30", "2026-03-30 12:00", "2026-04-01 03:30"});
        // The first start dragged onto the hour the clocks skip: it and every other occurrence
        // are at the hour after, which is what the series then says to every reader.
        add("Berlin, 14:00, first start onto the skipped hour", b, "FREQ=DAILY;COUNT=4",
            wall(b, 3, 27, 14), 2, -1, 1, wall(b, 3, 30, 2),
            {"2026-03-29 03:00", "2026-03-30 03:00", "2026-03-31 12:00", "2026-04-01 03:00"}, "",
            "All events in the series", true);
        const char* ny = "America/New_York";
        add("New York, 01:00 to 02:30", ny, daily, wall(ny, 3, 6, 1), 2, 3, 0,
            wall(ny, 3, 6, 2, 30),
            {"2026-03-06 02:30", "2026-03-07 02:30", "2026-03-08 12:00", "2026-03-10 02:30"});
        add("New York, 01:30 a day back over the autumn night", ny, "FREQ=DAILY;COUNT=4",
            wall(ny, 11, 1, 1, 30), 1, 2, 0, wall(ny, 10, 31, 1, 30),
            {"2026-10-31 01:30", "2026-11-01 12:00", "2026-11-03 01:30"});
        const char* akl = "Pacific/Auckland";
        add("Auckland, 01:00 to 02:30", akl, daily, wall(akl, 9, 25, 1), 2, 3, 0,
            wall(akl, 9, 25, 2, 30),
            {"2026-09-25 02:30", "2026-09-26 02:30", "2026-09-27 12:00", "2026-09-29 02:30"});
        // 02:00 on 5 April comes twice in Auckland; the occurrence is the earlier one.
        add("Auckland, monthly 02:00 four hours later, 5 April excluded there", akl,
            "FREQ=MONTHLY;COUNT=2", wall(akl, 3, 5, 2), -1, -1, 0, wall(akl, 3, 5, 6),
            {"2026-03-05 06:00", "2026-04-05 06:00"}, "20260405T060000");
    }
    void moveOverTheClockChange()
    {
        QFETCH(QByteArray, zone);
        QFETCH(QString, rule);
        QFETCH(QDateTime, first);
        QFETCH(int, changed);
        QFETCH(int, deleted);
        QFETCH(int, dragged);
        QFETCH(QDateTime, to);
        QFETCH(QString, excludedThere);
        QFETCH(QStringList, moved);
        QFETCH(QString, answer);
        QFETCH(bool, told);
        if (!DavServer::available(DavServer::Kind::Radicale))
            QSKIP("radicale is not installed");
        const QTimeZone tz(zone);
        Setup s;
        QVERIFY(s.start(rule, first, tz));
        // The starts as the views give them.
        const auto nth = [&](int index) {
            const QList<Event> shown = storedIn2026(s.events(), s.calendar.id);
            return shown.value(index).startTime;
        };
        const QDateTime dragFrom = nth(dragged);
        if (changed >= 0) {
            const QDateTime from = nth(changed);
            s.drag(from, onClock(from.toTimeZone(tz).date(), QTime(12, 0), tz),
                   QStringLiteral("This event only"), noMessage);
        }
        if (deleted >= 0)
            s.removeOne(nth(deleted), noMessage);
        QVERIFY(s.sync() >= 0);
        const QStringList before = storeOccurrences(s.events(), s.calendar.id, tz);
        QCOMPARE(pythonOccurrences(s.objectData(), tz), before);

        QStringList messages;
        s.drag(dragFrom, to, answer,
               [&messages](const QString& message) { messages.append(message); });
        QCOMPARE(messages, told ? QStringList{RecurringEdit::settledText(
                                      s.state(), QStringLiteral("Planning"), s.master().startTime)}
                                : QStringList());
        QVERIFY(s.sync() > 0);
        QCOMPARE(s.pythonAll(tz), moved);
        QCOMPARE(storeOccurrences(s.events(), s.calendar.id, tz), moved);

        QStringList back = before;
        if (!excludedThere.isEmpty()) {
            QVERIFY(s.otherClient([&](QString text) {
                return text.insert(text.indexOf(u"RRULE:", text.indexOf(u"BEGIN:VEVENT")),
                                   QStringLiteral("EXDATE;TZID=%1:%2\r\n")
                                       .arg(QString::fromUtf8(zone), excludedThere));
            }));
            QVERIFY(s.sync() > 0);
            back.removeAt(1);
        }
        s.state()->undoStack()->undo();
        QVERIFY(s.sync() > 0);
        QCOMPARE(s.pythonAll(tz), back);
        QCOMPARE(storeOccurrences(s.events(), s.calendar.id, tz), back);
        QCOMPARE(s.sync(), 0);
    }

    // A rule whose days cannot follow the start is left as it is, and the user is told.
    void ruleThatCannotMoveIsKept()
    {
        if (!DavServer::available(DavServer::Kind::Radicale))
            QSKIP("radicale is not installed");
        Setup s;
        QVERIFY(s.start(QStringLiteral("FREQ=MONTHLY;BYDAY=MO;BYSETPOS=1;COUNT=4")));
        const QString before = s.objectData();
        QStringList messages;
        s.drag(at(3, 2), at(3, 3), QStringLiteral("All events in the series"),
               [&messages](const QString& message) { messages.append(message); });
        QCOMPARE(messages, QStringList{RecurringEdit::refusalText()});
        QVERIFY(!s.state()->undoStack()->canUndo());
        QCOMPARE(s.sync(), 0);
        QCOMPARE(s.objectData(), before);
    }
};

QTEST_MAIN(TestSeriesDragCalDav)
#include "tst_seriesdragcaldav.moc"

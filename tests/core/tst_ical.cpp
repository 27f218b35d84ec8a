#include "Clock.h"
#include "DateText.h"
#include "EventChange.h"
#include "EventZone.h"
#include "ExceptionDates.h"
#include "Ical.h"
#include "IcalSamples.h"
#include "PinnedClock.h"
#include "Recurrence.h"
#include "RuleUntil.h"
#include "SeriesEdit.h"
#include "TestTime.h"

#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>

#include <atomic>
#include <chrono>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using TestTime::inZone;
using TestTime::utc;

namespace {

QString crlf(QString text)
{
    return text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
}

QString calendarWith(const QString& body)
{
    return crlf("BEGIN:VCALENDAR\nVERSION:2.0\nPRODID:-//Test//EN\n" + body + "END:VCALENDAR\n");
}

// A calendar as this application writes it, around the given component lines.
QString ours(const QString& body)
{
    return crlf("BEGIN:VCALENDAR\nVERSION:2.0\nPRODID:-//Orvandellic//Calendar Desktop//EN\n" +
                body + "END:VCALENDAR\n");
}

Event onlyEvent(const QString& body)
{
    const QList<Event> events = Ical::parseEvents(calendarWith(body));
    if (events.size() != 1)
        qFatal("expected one event, got %d", int(events.size()));
    return events.first();
}

// Every field the iCalendar text carries, one labelled line each, so a failure names the field.
QStringList fieldsOf(const Event& e)
{
    QStringList fields{"uid " + e.uid,
                       "title " + e.title,
                       "description " + e.description,
                       "location " + e.location,
                       "start " + e.startTime.toUTC().toString(Qt::ISODateWithMs),
                       "end " + (e.endTime ? e.endTime->toUTC().toString(Qt::ISODateWithMs)
                                           : QStringLiteral("none")),
                       "all day " + QString::number(e.isAllDay),
                       "zone " + e.timezone,
                       "rule " + e.recurrenceRule,
                       "exceptions " + e.exceptionDates,
                       "recurrence id " + e.recurrenceId,
                       "master " + e.masterEventUid,
                       "status " + e.status,
                       "url " + e.eventUrl,
                       "organizer " + e.organizerEmail + " " + e.organizerName,
                       "sequence " + QString::number(e.sequence),
                       "created " + e.created.toUTC().toString(Qt::ISODateWithMs),
                       "modified " + e.lastModified.toUTC().toString(Qt::ISODateWithMs)};
    for (const Attendee& a : e.attendees)
        fields << QStringList{"attendee",
                              a.email,
                              a.name,
                              a.role,
                              a.status,
                              a.type,
                              QString::number(a.rsvp)}
                      .join(u'|');
    for (const Reminder& r : e.reminders)
        fields << QStringLiteral("reminder %1 %2").arg(r.minutesBefore).arg(r.action);
    return fields;
}

// The reminders with the instant and zone of an absolute trigger.
QStringList remindersOf(const Event& e)
{
    QStringList result;
    for (const Reminder& r : e.reminders) {
        QString text = QStringLiteral("%1 %2").arg(r.minutesBefore).arg(r.action);
        if (r.triggerTime)
            text += u' ' + r.triggerTime->toUTC().toString(Qt::ISODate);
        if (r.triggerTime && r.triggerTime->timeSpec() == Qt::TimeZone)
            text += u' ' + QString::fromUtf8(r.triggerTime->timeZone().id());
        result << text;
    }
    return result;
}

void expectFields(const Event& event, const QStringList& fields)
{
    const QStringList read = fieldsOf(event);
    for (const QString& field : fields)
        QVERIFY2(read.contains(field), qPrintable(field + " not in\n" + read.join(u'\n')));
}

// Every one of `lines` is a line of the text.
void expectLines(const QString& text, const QStringList& lines)
{
    const QStringList written = text.split(QStringLiteral("\r\n"));
    for (const QString& line : lines)
        QVERIFY2(written.contains(line), qPrintable(line + " not in\n" + text));
}

} // namespace

class TestIcal : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_fifoDir.isValid());
        m_fifo = m_fifoDir.filePath(QStringLiteral("zone"));
        QCOMPARE(::mkfifo(QFile::encodeName(m_fifo).constData(), 0600), 0);
        // A reader that opens the FIFO would block until a writer came: the watch comes as one
        // (opening for writing without blocking succeeds only while a reader has it open), so
        // the reader reads the FIFO's end and goes on, and the watch remembers that it came.
        m_fifoWatch = std::jthread([this, path = QFile::encodeName(m_fifo)](std::stop_token stop) {
            while (!stop.stop_requested()) {
                if (const int fd = ::open(path.constData(), O_WRONLY | O_NONBLOCK); fd >= 0) {
                    m_fifoOpened = true;
                    ::close(fd);
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
        });
    }

    void startForms_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QDateTime>("start");
        QTest::addColumn<bool>("allDay");
        QTest::addColumn<QString>("timezone");

        const QDateTime local(QDate(2024, 3, 5), QTime(10, 30), QTimeZone::systemTimeZone());
        QTest::newRow("utc") << "DTSTART:20240305T103000Z" << utc(2024, 3, 5, 10, 30) << false
                             << "UTC";
        QTest::newRow("quoted tzid")
            << "DTSTART;TZID=\"America/New_York\":20240305T103000"
            << inZone("America/New_York", 2024, 3, 5, 10, 30) << false << "America/New_York";
        QTest::newRow("windows zone")
            << "DTSTART;TZID=\"W. Europe Standard Time\":20240305T103000"
            << inZone("Europe/Berlin", 2024, 3, 5, 10, 30) << false << "Europe/Berlin";
        // Read on the machine's clock, the event repeats on it.
        const QString machine = EventZone::forNewEvents();
        QTest::newRow("unknown zone is local")
            << "DTSTART;TZID=Mars/Olympus:20240305T103000" << local << false << machine;
        QTest::newRow("floating is local")
            << "DTSTART:20240305T103000" << local << false << machine;
        QTest::newRow("path as zone is local")
            << "DTSTART;TZID=../../../../etc/passwd:20240305T103000" << local << false << machine;
        QTest::newRow("held zone that names no zone")
            << "DTSTART;X-ORVANDELLIC-TZID=../../../../etc/passwd:20240305T103000Z"
            << utc(2024, 3, 5, 10, 30) << false << "UTC";
        QTest::newRow("held zone") << "DTSTART;X-ORVANDELLIC-TZID=Europe/Berlin:20271031T013000Z"
                                   << utc(2027, 10, 31, 1, 30) << false << "Europe/Berlin";
        QTest::newRow("date") << "DTSTART:20241231" << utc(2024, 12, 31) << true << "UTC";
        QTest::newRow("no seconds") << "DTSTART:20240305T1030Z" << QDateTime() << false << "UTC";
        QTest::newRow("out of range")
            << "DTSTART:99999999T999999Z" << QDateTime() << false << "UTC";
        QTest::newRow("bad date") << "DTSTART:20230230" << QDateTime() << true << "UTC";
    }

    void startForms()
    {
        QFETCH(QString, line);
        QFETCH(QDateTime, start);
        QFETCH(bool, allDay);
        QFETCH(QString, timezone);
        const Event event = onlyEvent("BEGIN:VEVENT\nUID:x\n" + line + "\nEND:VEVENT\n");
        QCOMPARE(event.startTime.isValid(), start.isValid());
        if (start.isValid())
            QCOMPARE(event.startTime, start);
        QCOMPARE(event.isAllDay, allDay);
        QCOMPARE(event.timezone, timezone);
        if (allDay && start.isValid()) {
            // Midnight UTC whatever the zone, and without an end the one day.
            QCOMPARE(event.startTime.timeSpec(), Qt::UTC);
            QCOMPARE(event.endTime.value(), start.addDays(1));
        }
    }

    // A wall time the clocks skip is read with the offset before the gap, a repeated one as the
    // earlier instant, as the expansion reads a series' times.
    void wallTimesTheClocksSkipOrRepeat_data()
    {
        QTest::addColumn<QString>("lines");
        QTest::addColumn<QDateTime>("start");
        QTest::addColumn<QDateTime>("end");
        QTest::addColumn<QString>("recurrenceId");
        QTest::addColumn<QStringList>("exceptions");

        const QString berlin = QStringLiteral(";TZID=Europe/Berlin:");
        QTest::newRow("start in the skipped hour")
            << "DTSTART" + berlin + "20270328T023000\nDTEND" + berlin + "20270328T043000\n"
            << utc(2027, 3, 28, 1, 30) << utc(2027, 3, 28, 2, 30) << QString() << QStringList();
        // Read after the gap, the start would lie after its end: the digits' length stands.
        QTest::newRow("end the clocks put before the start")
            << "DTSTART" + berlin + "20270328T023000\nDTEND" + berlin + "20270328T030000\n"
            << utc(2027, 3, 28, 1, 30) << utc(2027, 3, 28, 2) << QString() << QStringList();
        QTest::newRow("end in the skipped hour")
            << "DTSTART" + berlin + "20270328T013000\nDTEND" + berlin + "20270328T023000\n"
            << utc(2027, 3, 28, 0, 30) << utc(2027, 3, 28, 1, 30) << QString() << QStringList();
        QTest::newRow("repeated hour is the earlier instant")
            << "DTSTART" + berlin + "20271031T020000\nDTEND" + berlin + "20271031T023000\n"
            << utc(2027, 10, 31, 0, 0) << utc(2027, 10, 31, 0, 30) << QString() << QStringList();
        QTest::newRow("recurrence id in the repeated hour")
            << "DTSTART" + berlin + "20271031T120000\nRECURRENCE-ID" + berlin + "20271031T023000\n"
            << utc(2027, 10, 31, 11) << QDateTime() << "20271031T003000Z" << QStringList();
        QTest::newRow("recurrence id in the skipped hour")
            << "DTSTART" + berlin + "20270328T120000\nRECURRENCE-ID" + berlin + "20270328T023000\n"
            << utc(2027, 3, 28, 10) << QDateTime() << "20270328T013000Z" << QStringList();
        QTest::newRow("exception dates on both nights")
            << "DTSTART" + berlin + "20270301T023000\nRRULE:FREQ=DAILY\nEXDATE" + berlin +
                   "20270328T023000,20271031T023000\n"
            << utc(2027, 3, 1, 1, 30) << QDateTime() << QString()
            << QStringList{"20270328T013000Z", "20271031T003000Z"};
        QTest::newRow("new york skipped")
            << "DTSTART;TZID=America/New_York:20270314T023000\n"
            << utc(2027, 3, 14, 7, 30) << QDateTime() << QString() << QStringList();
        QTest::newRow("new york repeated")
            << "DTSTART;TZID=America/New_York:20271107T013000\n"
            << utc(2027, 11, 7, 5, 30) << QDateTime() << QString() << QStringList();
        QTest::newRow("auckland repeated")
            << "DTSTART;TZID=Pacific/Auckland:20270404T023000\n"
            << utc(2027, 4, 3, 13, 30) << QDateTime() << QString() << QStringList();
        QTest::newRow("auckland skipped")
            << "DTSTART;TZID=Pacific/Auckland:20270926T023000\n"
            << utc(2027, 9, 25, 14, 30) << QDateTime() << QString() << QStringList();
    }

    void wallTimesTheClocksSkipOrRepeat()
    {
        QFETCH(QString, lines);
        QFETCH(QDateTime, start);
        QFETCH(QDateTime, end);
        QFETCH(QString, recurrenceId);
        QFETCH(QStringList, exceptions);
        const Event event = onlyEvent("BEGIN:VEVENT\nUID:x\n" + lines + "END:VEVENT\n");
        QCOMPARE(event.startTime, start);
        QCOMPARE(event.endTime.value_or(QDateTime()), end);
        QCOMPARE(event.recurrenceId, recurrenceId);
        // A task's due time and an alarm's time read the start's wall time as the start does.
        const QString startValue = lines.section(u'\n', 0, 0).mid(7);
        const QList<Task> tasks = Ical::parseTasks(
            calendarWith("BEGIN:VTODO\nUID:t\nDUE" + startValue + "\nEND:VTODO\n"));
        QCOMPARE(tasks.value(0).dueDate.value_or(QDateTime()), start);
        const Event alarmed = onlyEvent("BEGIN:VEVENT\nUID:x\n" + lines +
                                        "BEGIN:VALARM\nACTION:DISPLAY\nTRIGGER;VALUE=DATE-TIME" +
                                        startValue + "\nEND:VALARM\nEND:VEVENT\n");
        QCOMPARE(alarmed.reminders.value(0).triggerTime.value_or(QDateTime()), start);
        QCOMPARE(event.exceptionDates,
                 exceptions.isEmpty() ? QString() : ExceptionDates::write(exceptions));
    }

    // Another client's change to the 02:30 of the night the clocks go back stands in place of
    // that occurrence.
    void overrideInTheRepeatedHourReplacesItsOccurrence()
    {
        const QList<Event> events = Ical::parseEvents(calendarWith(
            "BEGIN:VEVENT\nUID:s\nDTSTART;TZID=Europe/Berlin:20271030T023000\n"
            "DTEND;TZID=Europe/Berlin:20271030T033000\nRRULE:FREQ=DAILY;COUNT=3\nEND:VEVENT\n"
            "BEGIN:VEVENT\nUID:s\nRECURRENCE-ID;TZID=Europe/Berlin:20271031T023000\n"
            "DTSTART;TZID=Europe/Berlin:20271031T120000\n"
            "DTEND;TZID=Europe/Berlin:20271031T130000\nSUMMARY:Moved\nEND:VEVENT\n"));
        QCOMPARE(events.size(), 2);
        QStringList shown;
        for (const Event& e : Recurrence::expand(events, utc(2027, 10, 29), utc(2027, 11, 3)))
            shown << e.startTime.toUTC().toString(Qt::ISODate) + u' ' + e.title;
        QCOMPARE(shown, QStringList({"2027-10-30T00:30:00Z ", "2027-10-31T11:00:00Z Moved",
                                     "2027-11-01T01:30:00Z "}));
    }

    // Local digits cannot say the later instant of a repeated hour: it goes out in UTC, an end
    // after a start that can be said as the exact length.
    void buildEventSaysEveryInstant_data()
    {
        QTest::addColumn<QDateTime>("start");
        QTest::addColumn<QDateTime>("end");
        QTest::addColumn<QString>("recurrenceId");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("rule");

        QTest::newRow("series moved to the first 02:00, ends at the second")
            << utc(2027, 10, 31, 0) << utc(2027, 10, 31, 1) << QString()
            << QStringList{"DTSTART;TZID=Europe/Berlin:20271031T020000", "DURATION:PT1H"}
            << "FREQ=DAILY";
        // Other readers repeat a series at its digits' wall time, never at a UTC time of day.
        QTest::newRow("series held at the second 02:30 begins at the first")
            << utc(2027, 10, 31, 1, 30) << utc(2027, 10, 31, 2, 30) << QString()
            << QStringList{"DTSTART;TZID=Europe/Berlin:20271031T023000", "DURATION:PT1H"}
            << "FREQ=WEEKLY";
        QTest::newRow("start at the second 02:30")
            << utc(2027, 10, 31, 1, 30) << utc(2027, 10, 31, 2, 30) << QString()
            << QStringList{"DTSTART;X-ORVANDELLIC-TZID=Europe/Berlin:20271031T013000Z",
                           "DTEND;TZID=Europe/Berlin:20271031T033000"}
            << QString();
        QTest::newRow("both in the second hour")
            << utc(2027, 10, 31, 1) << utc(2027, 10, 31, 1, 45) << QString()
            << QStringList{"DTSTART;X-ORVANDELLIC-TZID=Europe/Berlin:20271031T010000Z",
                           "DTEND;X-ORVANDELLIC-TZID=Europe/Berlin:20271031T014500Z"}
            << QString();
        QTest::newRow("override of the second 02:30")
            << utc(2027, 10, 31, 9) << utc(2027, 10, 31, 10) << "20271031T013000Z"
            << QStringList{"DTSTART;TZID=Europe/Berlin:20271031T100000",
                           "DTEND;TZID=Europe/Berlin:20271031T110000",
                           "RECURRENCE-ID;X-ORVANDELLIC-TZID=Europe/Berlin:20271031T013000Z"}
            << QString();
        QTest::newRow("ordinary times keep their digits")
            << utc(2027, 10, 31, 0, 30) << utc(2027, 10, 31, 2, 30) << "20271031T003000Z"
            << QStringList{"DTSTART;TZID=Europe/Berlin:20271031T023000",
                           "DTEND;TZID=Europe/Berlin:20271031T033000",
                           "RECURRENCE-ID;TZID=Europe/Berlin:20271031T023000"}
            << QString();
    }

    void buildEventSaysEveryInstant()
    {
        QFETCH(QDateTime, start);
        QFETCH(QDateTime, end);
        QFETCH(QString, recurrenceId);
        QFETCH(QStringList, lines);
        QFETCH(QString, rule);
        PinnedClock clock(utc(2027, 6, 1, 12));
        Event event;
        event.uid = QStringLiteral("x");
        event.timezone = QStringLiteral("Europe/Berlin");
        event.startTime = start.toTimeZone(QTimeZone("Europe/Berlin"));
        event.endTime = end.toTimeZone(QTimeZone("Europe/Berlin"));
        event.recurrenceId = recurrenceId;
        event.recurrenceRule = rule;
        const QString text = Ical::buildEvent(event);
        expectLines(text, lines);
        QCOMPARE(text.split(QStringLiteral("\r\n"))
                     .filter(QRegularExpression("^(DTEND|DURATION)"))
                     .size(),
                 1);
    }

    // Another client's times stay as written while the record still holds them; a time or a
    // length that changed goes out anew. A DURATION stays only where every reader reads it as the
    // end held: RFC 5545 readers count its days on the start's clock, this reader in seconds.
    void storedTimesKeptWhileTheyHold_data()
    {
        QTest::addColumn<QString>("lines");
        QTest::addColumn<QDateTime>("start");
        QTest::addColumn<QDateTime>("end");
        QTest::addColumn<QStringList>("written");

        const QString berlin = QStringLiteral(";TZID=Europe/Berlin:");
        const QString dayLong = "DTSTART" + berlin + "20260321T120000\nDURATION:P1D\n";
        QTest::newRow("a day's length moved within the winter")
            << dayLong << utc(2026, 3, 14, 11) << utc(2026, 3, 15, 11)
            << QStringList{"DTSTART" + berlin + "20260314T120000", "DURATION:P1D"};
        QTest::newRow("a day's length moved across the spring night")
            << dayLong << utc(2026, 3, 28, 11) << utc(2026, 3, 29, 11)
            << QStringList{"DTSTART" + berlin + "20260328T120000",
                           "DTEND" + berlin + "20260329T130000"};
        QTest::newRow("the length changed")
            << dayLong << utc(2026, 3, 21, 11) << utc(2026, 3, 21, 13)
            << QStringList{"DTSTART" + berlin + "20260321T120000",
                           "DTEND" + berlin + "20260321T140000"};
        const QString skipped =
            "DTSTART" + berlin + "20270328T023000\nDTEND" + berlin + "20270328T043000\n";
        QTest::newRow("the skipped hour left alone")
            << skipped << utc(2027, 3, 28, 1, 30) << utc(2027, 3, 28, 2, 30)
            << QStringList{"DTSTART" + berlin + "20270328T023000",
                           "DTEND" + berlin + "20270328T043000"};
        QTest::newRow("the start moved off the skipped hour")
            << skipped << utc(2027, 3, 29, 1, 30) << utc(2027, 3, 28, 2, 30).addDays(1)
            << QStringList{"DTSTART" + berlin + "20270329T033000",
                           "DTEND" + berlin + "20270329T043000"};
    }

    void storedTimesKeptWhileTheyHold()
    {
        QFETCH(QString, lines);
        QFETCH(QDateTime, start);
        QFETCH(QDateTime, end);
        QFETCH(QStringList, written);
        PinnedClock clock(utc(2026, 1, 1, 12));
        Event event = onlyEvent("BEGIN:VEVENT\nUID:x\nSUMMARY:Old\n" + lines + "END:VEVENT\n");
        event.title = QStringLiteral("New");
        event.startTime = start;
        event.endTime = end;
        const QString text = Ical::buildEvent(event);
        expectLines(text, written);
        const QStringList inEvent =
            text.mid(text.indexOf(QStringLiteral("BEGIN:VEVENT"))).split(QStringLiteral("\r\n"));
        QCOMPARE(inEvent.filter(QRegularExpression("^(DTSTART|DTEND|DURATION)")).size(), 2);
        const Event again = Ical::parseEvents(text).value(0);
        QCOMPARE(again.startTime, start);
        QCOMPARE(again.endTime.value_or(QDateTime()), end);
    }

    // Another client's floating times, read on a Berlin machine that then travels to Tokyo, stay
    // floating through every edit here, their digits on the clock of Berlin (the event's zone):
    // other clients see the same wall times wherever they are.
    void floatingTimesStayFloating_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QStringList>("written");
        QTest::newRow("renamed") << "rename"
                                 << QStringList{"DTSTART:20270326T100000", "DTEND:20270326T110000",
                                                "RRULE:FREQ=DAILY;UNTIL=20270330T100000"};
        QTest::newRow("moved an hour")
            << "move"
            << QStringList{"DTSTART:20270326T110000", "DTEND:20270326T120000",
                           "RRULE:FREQ=DAILY;UNTIL=20270330T100000"};
        QTest::newRow("an occurrence excluded")
            << "exclude" << QStringList{"DTSTART:20270326T100000", "EXDATE:20270328T100000"};
        QTest::newRow("an occurrence changed")
            << "override"
            << QStringList{"RECURRENCE-ID:20270327T100000", "DTSTART:20270327T120000"};
        QTest::newRow("this and following changed")
            << "split"
            << QStringList{"DTSTART:20270329T110000", "RRULE:FREQ=DAILY;UNTIL=20270330T100000"};
        QTest::newRow("a single event dragged a day on")
            << "drag" << QStringList{"DTSTART:20270327T100000", "DTEND:20270327T110000"};
        // A zone nobody defines is read on the machine's clock too.
        QTest::newRow("a single event in an unknown zone dragged a day on")
            << "drag unknown"
            << QStringList{"DTSTART;TZID=Nowhere/Land:20270327T100000", "DTEND:20270327T110000"};
    }

    void floatingTimesStayFloating()
    {
        QFETCH(QString, edit);
        QFETCH(QStringList, written);
        PinnedClock clock(utc(2027, 1, 1, 12));
        const bool drag = edit.startsWith(u"drag");
        const QString rule = drag ? QString() : "RRULE:FREQ=DAILY;UNTIL=20270330T100000\n";
        const QString zone = edit == u"drag unknown" ? ";TZID=Nowhere/Land" : "";
        std::optional<TestTime::MachineZone> berlin(std::in_place, "Europe/Berlin");
        Event event =
            onlyEvent("BEGIN:VEVENT\nUID:f\nSUMMARY:Gym\nDTSTART" + zone +
                      ":20270326T100000\nDTEND:20270326T110000\n" + rule + "END:VEVENT\n");
        berlin.reset();
        TestTime::MachineZone tokyo("Asia/Tokyo");
        QCOMPARE(event.timezone, QStringLiteral("Europe/Berlin"));
        // As the form writes a series' rule: its UNTIL in the series' value type.
        event.recurrenceRule = RuleUntil::ofSeries(event);
        event.title = QStringLiteral("All events");
        if (edit == u"move") {
            event.startTime = event.startTime.addSecs(3600);
            event.endTime = event.endTime->addSecs(3600);
        } else if (edit == u"exclude") {
            event.exceptionDates = ExceptionDates::write({QStringLiteral("20270328T080000Z")});
        } else if (edit == u"override") {
            event = SeriesEdit::occurrenceOverride(event, utc(2027, 3, 27, 9), utc(2027, 3, 27, 11),
                                                   utc(2027, 3, 27, 12), "o", utc(2027, 1, 1));
        } else if (edit == u"split") {
            event = SeriesEdit::followingSeries(event, utc(2027, 3, 29, 8), utc(2027, 3, 29, 9),
                                                utc(2027, 3, 29, 10), "s", utc(2027, 1, 1));
        }
        const QString text =
            drag ? EventChange::moved(event, event.startTime, 24 * 60, utc(2027, 1, 1)).rawIcalendar
                 : Ical::buildEvent(event);
        expectLines(text, written);
        QVERIFY2(text.count(QStringLiteral("TZID")) == (zone.isEmpty() ? 0 : 1), qPrintable(text));
        // The series keeps its last day, here as for other readers.
        if (edit == u"rename")
            QCOMPARE(Recurrence::occurrences(event, utc(2027, 3, 1), utc(2027, 5, 1)).size(), 5);
    }

    void nestedComponentsNeverOverwriteTheEvent()
    {
        const Event event = onlyEvent(
            "BEGIN:VEVENT\nUID:x\nSUMMARY:Own\nDESCRIPTION:Own text\nDTSTART:20240305T100000Z\n"
            "DTEND:20240305T110000Z\n"
            "BEGIN:VALARM\nACTION:DISPLAY\nDESCRIPTION:Alarm text\nSUMMARY:Alarm\n"
            "TRIGGER:-PT15M\nUID:alarm-uid\nEND:VALARM\n"
            "BEGIN:VALARM\nACTION:AUDIO\nTRIGGER;RELATED=END:PT5M\nEND:VALARM\n"
            "BEGIN:VALARM\nACTION:EMAIL\nTRIGGER;VALUE=DATE-TIME:20240305T080000Z\nEND:VALARM\n"
            "BEGIN:VALARM\nACTION:NONE\nTRIGGER;VALUE=DATE-TIME:19760401T005545Z\nEND:VALARM\n"
            "BEGIN:X-CUSTOM\nSUMMARY:Custom\nBEGIN:VALARM\nTRIGGER:-PT1M\nEND:VALARM\n"
            "END:X-CUSTOM\nLOCATION:After the alarms\nEND:VEVENT\n");
        expectFields(event,
                     {"uid x", "title Own", "description Own text", "location After the alarms"});
        QCOMPARE(remindersOf(event),
                 QStringList({"15 display", "-65 audio", "120 email 2024-03-05T08:00:00Z"}));
        QVERIFY(event.rawIcalendar.contains(QStringLiteral("DESCRIPTION:Alarm text\r\n")));
    }

    // The reader shares storage between consecutive events with equal texts or alarms; every
    // event must still come out with exactly its own values.
    void consecutiveEventsKeepTheirOwnValues_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QStringList>("secondReminders");

        const QString alarm15 = "BEGIN:VALARM\nACTION:DISPLAY\nTRIGGER:-PT15M\nEND:VALARM\n";
        const QString audio15 = "BEGIN:VALARM\nACTION:AUDIO\nTRIGGER:-PT15M\nEND:VALARM\n";
        const QString alarm30 = "BEGIN:VALARM\nACTION:DISPLAY\nTRIGGER:-PT30M\nEND:VALARM\n";
        const QString atUtc =
            "BEGIN:VALARM\nACTION:DISPLAY\nTRIGGER;VALUE=DATE-TIME:20240305T080000Z\nEND:VALARM\n";
        const QString atBerlin = "BEGIN:VALARM\nACTION:DISPLAY\nTRIGGER;VALUE=DATE-TIME;"
                                 "TZID=Europe/Berlin:20240305T090000\nEND:VALARM\n";
        QTest::newRow("same alarm") << alarm15 << alarm15 << QStringList{"15 display"};
        QTest::newRow("other action") << alarm15 << audio15 << QStringList{"15 audio"};
        QTest::newRow("other offset") << alarm15 << alarm30 << QStringList{"30 display"};
        QTest::newRow("one alarm more")
            << alarm15 << alarm15 + alarm30 << QStringList{"15 display", "30 display"};
        QTest::newRow("one alarm less")
            << alarm15 + alarm30 << alarm15 << QStringList{"15 display"};
        QTest::newRow("alarm dropped") << alarm15 << "" << QStringList{};
        QTest::newRow("same instant, other zone")
            << atUtc << atBerlin << QStringList{"120 display 2024-03-05T08:00:00Z Europe/Berlin"};
    }

    void consecutiveEventsKeepTheirOwnValues()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(QStringList, secondReminders);
        const QString head = "DTSTART:20240305T100000Z\nDESCRIPTION:Same\\, text\nLOCATION:";
        QList<Event> events = Ical::parseEvents(
            calendarWith("BEGIN:VEVENT\nUID:a\n" + head + "Here\n" + first + "END:VEVENT\n" +
                         "BEGIN:VEVENT\nUID:b\n" + head + "There\n" + second + "END:VEVENT\n"));
        QCOMPARE(events.size(), 2);
        QCOMPARE(remindersOf(events[1]), secondReminders);
        expectFields(events[1], {"uid b", "description Same, text", "location There"});

        // A change to one event never shows in the other.
        const QList<Reminder> firstReminders = events[0].reminders;
        events[1].description += u'!';
        if (!events[1].reminders.isEmpty())
            events[1].reminders[0].minutesBefore = 99;
        QCOMPARE(events[0].description, QStringLiteral("Same, text"));
        QCOMPARE(events[0].reminders.size(), firstReminders.size());
        if (!firstReminders.isEmpty())
            QVERIFY(events[0].reminders[0].minutesBefore != 99);
    }

    // The forms of the end, the exception dates and the recurrence id of an event starting
    // 2024-03-05 10:00 UTC, checked on the labelled fields they set. The common forms (a plain
    // duration, zoned exception dates and recurrence ids) the differential test compares.
    void propertyForms_data()
    {
        QTest::addColumn<QString>("lines");
        QTest::addColumn<QStringList>("fields");
        const auto row = [](const char* name, const char* lines, const QStringList& fields) {
            QTest::newRow(name) << QString::fromUtf8(lines) << fields;
        };
        row("explicit plus", "DURATION:+P1DT2H", {"end 2024-03-06T12:00:00.000Z"});
        row("month before T", "DURATION:P1M", {"end 2024-04-04T10:00:00.000Z"});
        row("weeks", "DURATION:P2W", {"end 2024-03-19T10:00:00.000Z"});
        row("negative duration", "DURATION:-PT1H", {"end none"});
        row("huge duration", "DURATION:P99999999999999999999W", {"end none"});
        row("dtend wins", "DURATION:PT5H\nDTEND:20240305T110000Z",
            {"end 2024-03-05T11:00:00.000Z"});
        row("neither end nor exception", "RRULE:FREQ=WEEKLY", {"end none", "exceptions "});
        row("exception dates on several lines, zone, duplicate",
            "EXDATE;TZID=Europe/Berlin:20240312T110000\nEXDATE:20240319T100000Z\n"
            "EXDATE:20240312T100000Z",
            {R"(exceptions ["20240312T100000Z","20240319T100000Z"])"});
        row("unreadable exception date skipped", "EXDATE:garbage,20240312T100000Z,",
            {R"(exceptions ["20240312T100000Z"])"});
        row("utc recurrence id", "RECURRENCE-ID:20240305T100000Z",
            {"recurrence id 20240305T100000Z", "master series"});
        row("date recurrence id", "RECURRENCE-ID;VALUE=DATE:20240305",
            {"recurrence id 20240305", "master series"});
        row("unreadable recurrence id", "RECURRENCE-ID:soon",
            {"recurrence id soon", "master series"});
        row("sequence beyond int", "SEQUENCE:99999999999", {"sequence 2147483647"});
        row("negative sequence", "SEQUENCE:-4", {"sequence 0"});
    }

    void propertyForms()
    {
        QFETCH(QString, lines);
        QFETCH(QStringList, fields);
        expectFields(onlyEvent("BEGIN:VEVENT\nUID:series\nDTSTART:20240305T100000Z\n" + lines +
                               "\nEND:VEVENT\n"),
                     fields);
    }

    void quotedParameters()
    {
        const Ical::ContentLine line = Ical::splitContentLine(
            QStringLiteral("description;altrep=\"http://x.example/a;b:c\";CN=\"Doe, "
                           "J\";X=1;x=2:Value: with colon"));
        QCOMPARE(line.name, QStringLiteral("DESCRIPTION"));
        QCOMPARE(line.params.value("ALTREP"), QStringLiteral("http://x.example/a;b:c"));
        QCOMPARE(line.params.value("CN"), QStringLiteral("Doe, J"));
        QCOMPARE(line.params.value("X"), QStringLiteral("2"));
        QCOMPARE(line.value, QStringLiteral("Value: with colon"));

        const Event event = onlyEvent(
            "BEGIN:VEVENT\nUID:x\nORGANIZER;CN=\"Boss: the; one\":MAILTO:boss@example.com\n"
            "ATTENDEE;CUTYPE=ROOM;ROLE=NON-PARTICIPANT;CN=\"Room, 1\";RSVP=TRUE:mailto:r@x\n"
            "END:VEVENT\n");
        QCOMPARE(event.attendees.size(), 1);
        expectFields(event, {"organizer boss@example.com Boss: the; one",
                             "attendee|r@x|Room, 1|non-participant|needs-action|room|1"});
    }

    void unfoldingAndRawText_data()
    {
        QTest::addColumn<QString>("text");
        const QString body = QStringLiteral(
            "BEGIN:VEVENT\nUID:x\nSUMMARY:A long summary\nDTSTART:20240305T100000Z\nEND:VEVENT\n");
        QTest::newRow("crlf") << crlf(body);
        QTest::newRow("lf") << body;
        QTest::newRow("folded space") << crlf(QString(body).replace("A long", "A lo\n ng"));
        QTest::newRow("folded tab, lf") << QString(body).replace("A long", "A l\n\tong");
        QTest::newRow("blank lines") << crlf(QString(body).replace("UID:x\n", "UID:x\n\n"));
        QTest::newRow("folded first line")
            << crlf(QString(body).replace("BEGIN:VEVENT", "BEGIN:VEV\n ENT"));
        QTest::newRow("blank line after the first")
            << crlf(QString(body).replace("VEVENT\nUID", "VEVENT\n\nUID"));
        QTest::newRow("folded last line")
            << crlf(QString(body).replace("END:VEVENT", "END:VE\n VENT"));
        QTest::newRow("lf from the middle on")
            << crlf(body.left(body.indexOf("SUMMARY"))) + body.mid(body.indexOf("SUMMARY"));
        QTest::newRow("no break after the last line") << crlf(body).chopped(2);
        QTest::newRow("lf on the last line only") << crlf(body).chopped(2) + u'\n';
    }

    void unfoldingAndRawText()
    {
        QFETCH(QString, text);
        const QList<Event> events = Ical::parseEvents(text);
        QCOMPARE(events.size(), 1);
        QCOMPARE(events[0].title, QStringLiteral("A long summary"));
        QCOMPARE(events[0].rawIcalendar,
                 ours("BEGIN:VEVENT\nUID:x\nSUMMARY:A long summary\nDTSTART:20240305T100000Z\n"
                      "END:VEVENT\n"));
    }

    // Events alternating between many zones (IANA ones and names only the machine's zone stands
    // in for), each with an exception date at the same wall-clock time in another zone: every
    // time is read in its own zone.
    void manyZonesAlternating()
    {
        QList<QByteArray> zones = {
            "Europe/Berlin",     "America/New_York", "Asia/Tokyo",          "Europe/London",
            "Australia/Sydney",  "America/Chicago",  "Asia/Kolkata",        "Africa/Cairo",
            "America/Sao_Paulo", "Europe/Moscow",    "Pacific/Auckland",    "Asia/Dubai",
            "America/Denver",    "Europe/Madrid",    "Asia/Singapore",      "America/Anchorage",
            "Europe/Helsinki",   "Asia/Kathmandu",   "Australia/Lord_Howe", "Pacific/Honolulu"};
        const qsizetype known = zones.size();
        for (int i = 0; i < 60; ++i)
            zones << "Office " + QByteArray::number(i);
        const auto zoneOf = [&](qsizetype index) {
            return index < known ? QTimeZone(zones[index]) : QTimeZone::systemTimeZone();
        };
        QString body;
        QStringList expected;
        for (int i = 0; i < 3 * zones.size(); ++i) {
            const qsizetype index = (i * 7) % zones.size();
            const QString zone = QString::fromLatin1(zones[index]);
            const QString eventZone = index < known ? zone : EventZone::forNewEvents();
            const QByteArray other = zones[(i * 3 + 1) % known];
            const QString wall = i % 2 ? "20240305T100000" : "20390706T100000";
            body += QStringLiteral("BEGIN:VEVENT\nUID:%1\nDTSTART;TZID=%2:%3\nDTEND;TZID=%2:%3\n"
                                   "EXDATE;TZID=%4:%3\nEND:VEVENT\n")
                        .arg(QString::number(i), zone, wall, QString::fromLatin1(other));
            const QDateTime local = QDateTime::fromString(wall, u"yyyyMMdd'T'HHmmss");
            const QDateTime start(local.date(), local.time(), zoneOf(index));
            const QDateTime inOther(local.date(), local.time(), QTimeZone(other));
            expected << QStringLiteral("%1 %2 %3 [\"%4\"]")
                            .arg(eventZone, start.toUTC().toString(Qt::ISODate),
                                 QString::fromLatin1(zoneOf(index).id()),
                                 inOther.toUTC().toString(u"yyyyMMdd'T'HHmmss'Z'"));
        }
        QStringList read;
        for (const Event& event : Ical::parseEvents(calendarWith(body)))
            read << QStringLiteral("%1 %2 %3 %4")
                        .arg(event.timezone, event.startTime.toUTC().toString(Qt::ISODate),
                             QString::fromLatin1(event.endTime->timeZone().id()),
                             event.exceptionDates);
        QCOMPARE(read, expected);
    }

    void tasks()
    {
        const QList<Task> tasks = Ical::parseTasks(calendarWith(
            "BEGIN:VTODO\nUID:t1\nSUMMARY:Write\\, then send\nDUE;VALUE=DATE:20240410\n"
            "DTSTART:20240401T090000Z\nSTATUS:IN-PROCESS\nPRIORITY:3\nPERCENT-COMPLETE:40\n"
            "CATEGORIES:Work\\, urgent,,  , Home \nRELATED-TO:parent-1\n"
            "X-ORVANDELLIC-SORT-ORDER: 20 \nX-ORVANDELLIC-REPEAT-MODE:fromCompletionDate\n"
            "BEGIN:VALARM\nTRIGGER:-PT5M\nDESCRIPTION:nested\nEND:VALARM\nEND:VTODO\n"
            "BEGIN:VTODO\nUID:t2\nRELATED-TO;RELTYPE=SIBLING:t1\nX-ORVANDELLIC-SORT-ORDER:-4\n"
            "CATEGORIES:a,b\nCATEGORIES:c\nCATEGORIES:b,a,d\nEND:VTODO\nBEGIN:VTODO\nSUMMARY:no "
            "uid\nEND:VTODO\n"));
        QCOMPARE(tasks.size(), 2);
        const Task& first = tasks[0];
        QCOMPARE(
            QStringList({first.title, first.description, first.status, first.parentTaskUid,
                         first.repeatMode}),
            QStringList({"Write, then send", "", "in-process", "parent-1", "fromCompletionDate"}));
        QCOMPARE(QList<int>({first.priority, first.percentComplete, first.sortOrder,
                             first.dueIsDateOnly, first.startIsDateOnly}),
                 QList<int>({3, 40, 20, true, false}));
        QCOMPARE(first.dueDate.value(), utc(2024, 4, 10));
        QCOMPARE(first.startDate.value(), utc(2024, 4, 1, 9));
        QCOMPARE(first.categories, QStringList({"Work, urgent", "", "Home"}));
        QVERIFY(first.rawIcalendar.startsWith("BEGIN:VTODO\r\n") &&
                first.rawIcalendar.endsWith("END:VTODO\r\n"));
        QCOMPARE(tasks[1].parentTaskUid + QString::number(tasks[1].sortOrder), "0");
        QCOMPARE(tasks[1].categories, QStringList({"a", "b", "c", "d"}));
        // Written back over its own text, every category goes out on one line.
        const QString written = Ical::buildTask(tasks[1]);
        QCOMPARE(written.count(QLatin1String("CATEGORIES")), 1);
        QVERIFY(written.contains(QLatin1String("CATEGORIES:a,b,c,d\r\n")));
    }

    void roundTripOfGeneratedEvents()
    {
        PinnedClock clock(utc(2025, 6, 1, 12));
        QRandomGenerator random(20240305);
        for (int i = 0; i < 300; ++i) {
            const Event event = IcalSamples::generatedEvent(random, i);
            const QString text = Ical::buildEvent(event);
            const QList<Event> read = Ical::parseEvents(text);
            QCOMPARE(read.size(), 1);
            QCOMPARE(fieldsOf(read[0]), fieldsOf(event));
            // A second build from what was read keeps every line of the first.
            QCOMPARE(Ical::buildEvent(read[0]), text);
        }
    }

    void buildEventKeepsWhatTheRecordDoesNotModel()
    {
        PinnedClock clock(utc(2025, 6, 1, 12));
        Event event = onlyEvent(
            "BEGIN:VEVENT\nUID:x\nSUMMARY:Old\nDTSTART;TZID=Europe/Berlin:20240305T100000\n"
            "DTEND;TZID=Europe/Berlin:20240305T110000\nDTSTAMP:20200101T000000Z\n"
            "CATEGORIES:Work\nX-APPLE-TRAVEL-ADVISORY-BEHAVIOR:AUTOMATIC\nCLASS:PRIVATE\n"
            "RDATE:20240320T090000Z\nATTENDEE:mailto:a@x\n"
            "BEGIN:VALARM\nACTION:DISPLAY\nTRIGGER:-PT15M\nREPEAT:2\nDURATION:PT5M\n"
            "X-WR-ALARMUID:kept\nEND:VALARM\n"
            "BEGIN:VALARM\nACTION:AUDIO\nTRIGGER:-PT30M\nEND:VALARM\n"
            "BEGIN:VALARM\nACTION:NONE\nTRIGGER;VALUE=DATE-TIME:19760401T005545Z\nEND:VALARM\n"
            "END:VEVENT\n");
        event.title = QStringLiteral("New");
        event.attendees.clear();
        event.reminders.removeAt(1); // the 30-minute sound goes
        Reminder added;
        added.minutesBefore = 60;
        event.reminders.append(added);

        // The event keeps the zone it was read in; its definition comes before the event.
        const QString built = Ical::buildEvent(event);
        const qsizetype eventAt = built.indexOf(QStringLiteral("BEGIN:VEVENT"));
        QCOMPARE(built.count(QStringLiteral("BEGIN:VTIMEZONE\r\nTZID:Europe/Berlin\r\n")), 1);
        QVERIFY(built.indexOf(QStringLiteral("END:VTIMEZONE")) < eventAt);
        QCOMPARE(built.left(built.indexOf(QStringLiteral("BEGIN:VTIMEZONE"))) + built.mid(eventAt),
                 ours("BEGIN:VEVENT\nUID:x\nSUMMARY:New\n"
                      "DTSTART;TZID=Europe/Berlin:20240305T100000\n"
                      "DTEND;TZID=Europe/"
                      "Berlin:20240305T110000\nDTSTAMP:20250601T120000Z\nSTATUS:CONFIRMED\n"
                      "CATEGORIES:Work\nX-APPLE-TRAVEL-ADVISORY-BEHAVIOR:AUTOMATIC\n"
                      "CLASS:PRIVATE\nRDATE:20240320T090000Z\n"
                      "BEGIN:VALARM\nACTION:DISPLAY\nTRIGGER:-PT15M\nREPEAT:2\nDURATION:PT5M\n"
                      "X-WR-ALARMUID:kept\nEND:VALARM\n"
                      "BEGIN:VALARM\nACTION:DISPLAY\nTRIGGER:-PT60M\nDESCRIPTION:New\n"
                      "END:VALARM\n"
                      "BEGIN:VALARM\nACTION:NONE\nTRIGGER;VALUE=DATE-TIME:19760401T005545Z\n"
                      "END:VALARM\nEND:VEVENT\n"));
    }

    void buildEventCarriesNoBrokenLines()
    {
        PinnedClock clock(utc(2025, 6, 1, 12));
        Event event;
        event.uid = QStringLiteral("x");
        event.title = QStringLiteral("T");
        event.startTime = utc(2024, 3, 5, 10);
        event.endTime = utc(2024, 3, 5, 11);
        event.rawIcalendar = crlf("BEGIN:VCALENDAR\nBEGIN:VEVENT\nUID:other\nX-OTHER:1\n"
                                  "END:VEVENT\nBEGIN:VEVENT\nUID:x\nNOT A PROPERTY\n"
                                  "BAD NAME:1\nX-GOOD;P=\"a:b\":kept\nBEGIN:X-CLOSED\nA:1\n"
                                  "END:X-CLOSED\nBEGIN:X-UNCLOSED\nB:2\nEND:VEVENT\n"
                                  "END:VCALENDAR\n");
        QCOMPARE(Ical::buildEvent(event),
                 ours("BEGIN:VEVENT\nUID:x\nSUMMARY:T\nDTSTART:20240305T100000Z\n"
                      "DTEND:20240305T110000Z\nDTSTAMP:20250601T120000Z\nSTATUS:CONFIRMED\n"
                      "X-GOOD;P=\"a:b\":kept\nBEGIN:X-CLOSED\nA:1\nEND:X-CLOSED\nEND:VEVENT\n"));
    }

    // Lines that open or close components no VEVENT holds are never carried into a new text:
    // an END with nothing open, a calendar-level component, one closed by another's END.
    void buildEventCarriesNoStrayComponents()
    {
        PinnedClock clock(utc(2025, 6, 1, 12));
        Event event;
        event.uid = QStringLiteral("x");
        event.startTime = utc(2024, 3, 5, 10);
        event.endTime = utc(2024, 3, 5, 11);
        event.rawIcalendar = crlf("BEGIN:VCALENDAR\nBEGIN:VEVENT\nUID:x\nEND:VTIMEZONE\n"
                                  "BEGIN:VTODO\nUID:t\nEND:VTODO\nBEGIN:X-A\nEND:X-B\n"
                                  "BEGIN:X-KEPT\nA:1\nEND:X-KEPT\nEND:VEVENT\nEND:VCALENDAR\n");
        const QString built = Ical::buildEvent(event);
        QCOMPARE(built, ours("BEGIN:VEVENT\nUID:x\nDTSTART:20240305T100000Z\n"
                             "DTEND:20240305T110000Z\nDTSTAMP:20250601T120000Z\n"
                             "STATUS:CONFIRMED\nBEGIN:X-KEPT\nA:1\nEND:X-KEPT\nEND:VEVENT\n"));
        QCOMPARE(Ical::parseEvents(built).size(), 1);
        QVERIFY(Ical::parseTasks(built).isEmpty());
    }

    // A DATE UNTIL on a timed series ends it before that day's occurrence; written back, it
    // still does (for other readers as for ours). An all-day series keeps its DATE.
    void dateUntilIsWrittenAsRead_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("until");
        QTest::addColumn<int>("count");
        QTest::newRow("in a zone") << "DTSTART;TZID=Europe/Berlin:20250301T090000"
                                   << "UNTIL=20250305T000000Z" << 4;
        QTest::newRow("in UTC") << "DTSTART:20250301T090000Z"
                                << "UNTIL=20250305T000000Z" << 4;
        QTest::newRow("all-day") << "DTSTART;VALUE=DATE:20250301"
                                 << "UNTIL=20250305" << 5;
    }

    void dateUntilIsWrittenAsRead()
    {
        QFETCH(QString, start);
        QFETCH(QString, until);
        QFETCH(int, count);
        PinnedClock clock(utc(2025, 2, 1, 12));
        const Event read = onlyEvent("BEGIN:VEVENT\nUID:u\n" + start +
                                     "\nRRULE:FREQ=DAILY;UNTIL=20250305\nEND:VEVENT\n");
        QCOMPARE(Recurrence::occurrences(read, utc(2025, 1, 1), utc(2026, 1, 1)).size(), count);
        const QString written = Ical::buildEvent(read);
        QVERIFY2(written.contains("\r\nRRULE:FREQ=DAILY;" + until + "\r\n"), qPrintable(written));
        const Event again = Ical::parseEvents(written).value(0);
        QCOMPARE(Recurrence::occurrences(again, utc(2025, 1, 1), utc(2026, 1, 1)).size(), count);
    }

    // A task with a time keeps its rule's end the same way.
    void taskDateUntilIsWrittenAsRead()
    {
        const QList<Task> tasks = Ical::parseTasks(calendarWith(
            "BEGIN:VTODO\nUID:t\nDUE:20250301T090000Z\nRRULE:FREQ=DAILY;UNTIL=20250305\n"
            "END:VTODO\n"));
        QCOMPARE(tasks.size(), 1);
        QVERIFY(
            Ical::buildTask(tasks[0]).contains("\r\nRRULE:FREQ=DAILY;UNTIL=20250305T000000Z\r\n"));
    }

    void buildEventWritesAllDayAsDates()
    {
        PinnedClock clock(utc(2025, 6, 1, 12));
        Event event;
        event.uid = QStringLiteral("d");
        event.title = QStringLiteral("Holiday");
        event.isAllDay = true;
        event.startTime = utc(2024, 12, 31);
        // No end, an end on the start and an end before it all end the day after the start.
        for (const std::optional<QDateTime>& end :
             {std::optional<QDateTime>(), std::optional(utc(2024, 12, 31)),
              std::optional(utc(2024, 12, 30))}) {
            event.endTime = end;
            QVERIFY(Ical::buildEvent(event).contains(QStringLiteral(
                "\r\nDTSTART;VALUE=DATE:20241231\r\nDTEND;VALUE=DATE:20250101\r\n")));
        }
        event.endTime = utc(2025, 1, 3);
        QVERIFY(
            Ical::buildEvent(event).contains(QStringLiteral("\r\nDTEND;VALUE=DATE:20250103\r\n")));
        Event timed;
        timed.uid = QStringLiteral("t");
        timed.startTime = inZone("Europe/Berlin", 2024, 3, 5, 10, 30);
        QVERIFY(Ical::buildEvent(timed).contains(
            QStringLiteral("\r\nDTSTART:20240305T093000Z\r\nDTEND:20240305T093000Z\r\n")));

        // UNTIL takes the value type of DTSTART, whichever form the stored rule carries.
        event.recurrenceRule = QStringLiteral("FREQ=DAILY;UNTIL=20250110T000000Z");
        QVERIFY(Ical::buildEvent(event).contains(
            QStringLiteral("\r\nRRULE:FREQ=DAILY;UNTIL=20250110\r\n")));
        timed.recurrenceRule = QStringLiteral("FREQ=DAILY;UNTIL=20240310");
        const QString endOfDay = QDateTime(QDate(2024, 3, 10), QTime(23, 59, 59))
                                     .toUTC()
                                     .toString(QStringLiteral("yyyyMMddTHHmmssZ"));
        QVERIFY(Ical::buildEvent(timed).contains(
            QStringLiteral("\r\nRRULE:FREQ=DAILY;UNTIL=%1\r\n").arg(endOfDay)));
    }

    // Text values both ways: "read" rows only unescape, "write" rows only escape.
    void textEscapes_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("escaped");
        const auto row = [](const char* name, const char* way, const char* text,
                            const char* escaped) {
            QTest::newRow(name) << way << QString::fromUtf8(text) << QString::fromUtf8(escaped);
        };
        row("specials", "both", "a,b;c\\d", "a\\,b\\;c\\\\d");
        row("specials at both ends", "both", ",a b;", "\\,a b\\;");
        row("every escape", "read", "a,b;c\\d\ne\nf", "a\\,b\\;c\\\\d\\ne\\Nf");
        row("unknown escape and final backslash stay", "read", "\\x\\", "\\x\\");
        row("lf, cr lf and a lone cr", "write", "a\nb\r\nc\rd\r", "a\\nb\\nc\\nd\\n");
        row("controls dropped, tab kept", "write", "a\x01\tb\x7f", "a\tb\x7f");
    }

    void textEscapes()
    {
        QFETCH(QString, way);
        QFETCH(QString, text);
        QFETCH(QString, escaped);
        if (way != u"read")
            QCOMPARE(Ical::escapeText(text), escaped);
        if (way != u"write")
            QCOMPARE(Ical::unescapeText(escaped), text);
    }

    void buildTaskGolden()
    {
        PinnedClock clock(utc(2025, 6, 1, 12, 30, 5));
        const Task task = IcalSamples::fullTask();
        QCOMPARE(Ical::buildTask(task),
                 ours("BEGIN:VTODO\nUID:task-1\nDTSTAMP:20250601T123005Z\n"
                      "SUMMARY:Pay\\; then file\\, done\nSTATUS:IN-PROCESS\nSEQUENCE:2\n"
                      "PRIORITY:1\nPERCENT-COMPLETE:50\nDTSTART;VALUE=DATE:20240401\n"
                      "DUE:20240410T150000Z\nCOMPLETED:20240409T080000Z\n"
                      "RRULE:FREQ=MONTHLY;BYMONTHDAY=1\nCATEGORIES:Money\\, home,Admin\n"
                      "RELATED-TO;RELTYPE=PARENT:parent\n"
                      "X-ORVANDELLIC-REPEAT-MODE:fromCompletionDate\n"
                      "X-ORVANDELLIC-SORT-ORDER:30\nDESCRIPTION:Line one\\nLine two \\\\ end\n"
                      "END:VTODO\n"));

        Task plain;
        plain.uid = QStringLiteral("p");
        plain.status.clear();
        QCOMPARE(Ical::buildTask(plain), ours("BEGIN:VTODO\nUID:p\nDTSTAMP:20250601T123005Z\n"
                                              "STATUS:NEEDS-ACTION\nEND:VTODO\n"));

        const QList<Task> read = Ical::parseTasks(Ical::buildTask(task));
        QCOMPARE(read.size(), 1);
        QCOMPARE(QStringList({read[0].title, read[0].description}) + read[0].categories,
                 QStringList({task.title, task.description}) + task.categories);
        QCOMPARE(read[0].dueDate.value(), task.dueDate.value());

        // Built over its own text, a task carries nothing twice.
        Task rebuilt = task;
        rebuilt.rawIcalendar = Ical::buildTask(task);
        QCOMPARE(Ical::buildTask(rebuilt), rebuilt.rawIcalendar);
    }

    // A task renamed here over the text another client stored.
    void buildTaskKeepsWhatTheRecordDoesNotModel_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("withDue");
        QTest::addColumn<QString>("kept");
        QTest::newRow("unknown and X- properties")
            << "BEGIN:VTODO\nUID:t\nSUMMARY:Old\nX-OTHER-CLIENT:yes\nCLASS:PRIVATE\n"
               "GEO:1.5;2.5\nEND:VTODO\n"
            << false << "X-OTHER-CLIENT:yes\nCLASS:PRIVATE\nGEO:1.5;2.5\n";
        QTest::newRow("alarm whole")
            << "BEGIN:VTODO\nUID:t\nBEGIN:VALARM\nACTION:DISPLAY\nTRIGGER:-PT2H\nREPEAT:1\n"
               "DURATION:PT5M\nDESCRIPTION:Soon\nEND:VALARM\nEND:VTODO\n"
            << false
            << "BEGIN:VALARM\nACTION:DISPLAY\nTRIGGER:-PT2H\nREPEAT:1\nDURATION:PT5M\n"
               "DESCRIPTION:Soon\nEND:VALARM\n";
        QTest::newRow("modelled properties from the record, a link to a child kept")
            << "BEGIN:VTODO\nUID:t\nDTSTAMP:20200101T000000Z\nSUMMARY:Old\nSTATUS:COMPLETED\n"
               "SEQUENCE:3\nPRIORITY:1\nPERCENT-COMPLETE:100\nDTSTART:20200101T090000Z\n"
               "DUE:20200102T090000Z\nCOMPLETED:20200102T080000Z\nRRULE:FREQ=DAILY\n"
               "CATEGORIES:Old\nRELATED-TO:old-parent\nRELATED-TO;RELTYPE=PARENT:p\n"
               "RELATED-TO;RELTYPE=CHILD:kid\nX-ORVANDELLIC-REPEAT-MODE:fromCompletionDate\n"
               "X-ORVANDELLIC-SORT-ORDER:5\nDESCRIPTION:Old\nCREATED:20200101T000000Z\n"
               "LAST-MODIFIED:20200101T000000Z\nEND:VTODO\n"
            << false << "RELATED-TO;RELTYPE=CHILD:kid\n";
        QTest::newRow("duration beside a start")
            << "BEGIN:VTODO\nUID:t\nDTSTART;VALUE=DATE:20240401\nDURATION:P2D\nEND:VTODO\n"
            << false << "DURATION:P2D\n";
        QTest::newRow("duration replaced by a due date")
            << "BEGIN:VTODO\nUID:t\nDTSTART;VALUE=DATE:20240401\nDURATION:P2D\nEND:VTODO\n"
            << true << "";
        QTest::newRow("another UID") << "BEGIN:VTODO\nUID:other\nX-OTHER-CLIENT:yes\nEND:VTODO\n"
                                     << false << "";
        QTest::newRow("its own among others")
            << "BEGIN:VEVENT\nUID:t\nX-EVENT:1\nEND:VEVENT\nBEGIN:VTODO\nUID:other\nX-A:1\n"
               "END:VTODO\nBEGIN:VTODO\nUID:t\nX-B:2\nEND:VTODO\n"
            << false << "X-B:2\n";
    }

    void buildTaskKeepsWhatTheRecordDoesNotModel()
    {
        QFETCH(QString, stored);
        QFETCH(bool, withDue);
        QFETCH(QString, kept);
        PinnedClock clock(utc(2025, 6, 1, 12));
        Task task;
        task.uid = QStringLiteral("t");
        task.title = QStringLiteral("New");
        task.startDate = utc(2024, 4, 1);
        if (withDue)
            task.dueDate = utc(2024, 4, 10);
        task.rawIcalendar = calendarWith(stored);
        QCOMPARE(Ical::buildTask(task),
                 ours("BEGIN:VTODO\nUID:t\nDTSTAMP:20250601T120000Z\nSUMMARY:New\n"
                      "STATUS:NEEDS-ACTION\nDTSTART;VALUE=DATE:20240401\n" +
                      QString(withDue ? "DUE;VALUE=DATE:20240410\n" : "") + kept + "END:VTODO\n"));
    }

    void rewriteTimes_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("expected");

        QTest::newRow("zone kept, duration replaced, alarm kept")
            << "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:x\r\n"
               "DTSTART;TZID=Europe/Berlin:20240305T100000\r\nDURATION:PT1H\r\n"
               "BEGIN:VALARM\r\nTRIGGER:-PT5M\r\nREPEAT:1\r\nDURATION:PT5M\r\nEND:VALARM\r\n"
               "END:VEVENT\r\nEND:VCALENDAR\r\n"
            << "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:x\r\n"
               "DTSTART;TZID=Europe/Berlin:20240601T100000\r\n"
               "BEGIN:VALARM\r\nTRIGGER:-PT5M\r\nREPEAT:1\r\nDURATION:PT5M\r\nEND:VALARM\r\n"
               "DTEND;TZID=Europe/Berlin:20240601T113000\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
        QTest::newRow("dates stay dates, only the first event, lf, no final break")
            << "BEGIN:VEVENT\nUID:x\nDTSTART;VALUE=DATE:20240305\nDTEND;VALUE=DATE:20240306\n"
               "END:VEVENT\nBEGIN:VEVENT\nUID:x\nDTSTART:20240305T100000Z\nEND:VEVENT"
            << "BEGIN:VEVENT\r\nUID:x\r\nDTSTART;VALUE=DATE:20240601\r\n"
               "DTEND;VALUE=DATE:20240602\r\nEND:VEVENT\r\nBEGIN:VEVENT\r\nUID:x\r\n"
               "DTSTART:20240305T100000Z\r\nEND:VEVENT";
        QTest::newRow("folded start, missing end")
            << "BEGIN:VEVENT\r\nUID:x\r\nDTSTART;TZID=\"America/\r\n New_York\":20240305T100000\r\n"
               "SUMMARY:a\r\n b\r\nEND:VEVENT\r\n"
            << "BEGIN:VEVENT\r\nUID:x\r\nDTSTART;TZID=America/New_York:20240601T040000\r\n"
               "SUMMARY:a\r\n b\r\nDTEND;TZID=America/New_York:20240601T053000\r\nEND:VEVENT\r\n";
        // As read: on the machine's clock.
        const QTimeZone machine = QTimeZone::systemTimeZone();
        QTest::newRow("unknown zone and floating time keep the machine's clock")
            << "BEGIN:VEVENT\r\nUID:x\r\nDTSTART;TZID=Nowhere/Land:20240305T100000\r\n"
               "DTEND:20240305T110000\r\nEND:VEVENT\r\n"
            << "BEGIN:VEVENT\r\nUID:x\r\nDTSTART;TZID=Nowhere/Land:" +
                   DateText::compactLocal(utc(2024, 6, 1, 8), machine) +
                   "\r\nDTEND:" + DateText::compactLocal(utc(2024, 6, 1, 9, 30), machine) +
                   "\r\nEND:VEVENT\r\n";
        QTest::newRow("held zone read back")
            << "BEGIN:VEVENT\r\nUID:x\r\n"
               "DTSTART;X-ORVANDELLIC-TZID=America/New_York:20241103T063000Z\r\n"
               "DTEND;X-ORVANDELLIC-TZID=America/New_York:20241103T070000Z\r\nEND:VEVENT\r\n"
            << "BEGIN:VEVENT\r\nUID:x\r\nDTSTART;TZID=America/New_York:20240601T040000\r\n"
               "DTEND;TZID=America/New_York:20240601T053000\r\nEND:VEVENT\r\n";
        QTest::newRow("utc stays utc") << "BEGIN:VEVENT\r\nUID:x\r\nDTSTART:20240305T100000Z\r\n"
                                          "DTEND:20240305T110000Z\r\nEND:VEVENT\r\n"
                                       << "BEGIN:VEVENT\r\nUID:x\r\nDTSTART:20240601T080000Z\r\n"
                                          "DTEND:20240601T093000Z\r\nEND:VEVENT\r\n";
        QTest::newRow("zone the text defines itself")
            << "BEGIN:VTIMEZONE\r\nTZID:Office\r\nBEGIN:STANDARD\r\nDTSTART:19700101T000000\r\n"
               "TZOFFSETFROM:+0530\r\nTZOFFSETTO:+0530\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n"
               "BEGIN:VEVENT\r\nUID:x\r\nDTSTART;TZID=Office:20240305T100000\r\nEND:VEVENT\r\n"
            << "BEGIN:VTIMEZONE\r\nTZID:Office\r\nBEGIN:STANDARD\r\nDTSTART:19700101T000000\r\n"
               "TZOFFSETFROM:+0530\r\nTZOFFSETTO:+0530\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n"
               "BEGIN:VEVENT\r\nUID:x\r\nDTSTART;TZID=Office:20240601T133000\r\n"
               "DTEND;TZID=Office:20240601T150000\r\nEND:VEVENT\r\n";
        QTest::newRow("no event") << "BEGIN:VCALENDAR\nBEGIN:VTODO\nEND:VTODO\nEND:VCALENDAR\n"
                                  << "BEGIN:VCALENDAR\nBEGIN:VTODO\nEND:VTODO\nEND:VCALENDAR\n";
    }

    void rewriteTimes()
    {
        QFETCH(QString, stored);
        QFETCH(QString, expected);
        const QDateTime start = utc(2024, 6, 1, 8);
        const QDateTime end = utc(2024, 6, 1, 9, 30);
        const QString zone = EventZone::forNewEvents();
        QCOMPARE(Ical::rewriteTimes(stored, start, end, zone), expected);
        QCOMPARE(Ical::rewriteTimes(stored, QDateTime(), end, zone), stored);
    }

    void badInput_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("uids");

        const QByteArray good = "BEGIN:VEVENT\r\nUID:good\r\nSUMMARY:ok\r\nEND:VEVENT\r\n";
        static const char withNul[] = "BEGIN:VEVENT\r\nUID:a\0b\r\nSUMMARY:x\0\r\nEND:VEVENT\r\n";
        QTest::newRow("nul bytes") << QByteArray(withNul, sizeof(withNul) - 1) + good
                                   << QStringList{QStringLiteral("a") + QChar(0) + "b", "good"};
        QTest::newRow("invalid utf-8") << QByteArray("BEGIN:VEVENT\r\nUID:\xff\xfe\xc3\r\n"
                                                     "SUMMARY:\xed\xa0\x80\r\nEND:VEVENT\r\n")
                                       << QStringList{QString(3, QChar::ReplacementCharacter)};
        QTest::newRow("10 MB line")
            << "BEGIN:VEVENT\r\nUID:big\r\nX-BIG:" + QByteArray(10 * 1024 * 1024, 'a') +
                   "\r\nEND:VEVENT\r\n" + good
            << QStringList{"big", "good"};
        QTest::newRow("10 MB folded line")
            << "BEGIN:VEVENT\r\nUID:big\r\nDESCRIPTION:" +
                   QByteArray(10 * 1024 * 1024, 'a')
                       .replace(QByteArray(70, 'a'), QByteArray(70, 'a') + "\r\n ") +
                   "\r\nEND:VEVENT\r\n" + good
            << QStringList{"big", "good"};
        QTest::newRow("begin without end") << good + "BEGIN:VEVENT\r\nUID:lost\r\n"
                                           << QStringList{"good"};
        QTest::newRow("names in lower case")
            << QByteArray("begin:vcalendar\nbegin:vevent\nuid:x\nend:vevent\nend:vcalendar\n")
            << QStringList{"x"};
        QTest::newRow("end without begin") << "END:VEVENT\r\n" + good << QStringList{"good"};
        QTest::newRow("no uid") << QByteArray("BEGIN:VEVENT\r\nSUMMARY:x\r\nEND:VEVENT\r\n") + good
                                << QStringList{"good"};
        QTest::newRow("unbalanced quotes")
            << QByteArray(
                   "BEGIN:VEVENT\r\nUID:q\r\nDTSTART;TZID=\"Europe/Berlin:20240305T100000\r\n"
                   "ATTENDEE;CN=\"open:mailto:a@x\r\nEND:VEVENT\r\n")
            << QStringList{"q"};
        QTest::newRow("deep nesting")
            << "BEGIN:VEVENT\r\nUID:deep\r\n" + QByteArray("BEGIN:X\r\n").repeated(100000) +
                   "END:VEVENT\r\n" + good
            << QStringList{"good"};
        QTest::newRow("restarted events")
            << QByteArray("BEGIN:VEVENT\r\nUID:r\r\n").repeated(100000) + good
            << QStringList{"good"};
        QTest::newRow("too many properties")
            << "BEGIN:VEVENT\r\nUID:many\r\n" + QByteArray("X-A:1\r\n").repeated(30000) +
                   "END:VEVENT\r\n" + good
            << QStringList{"good"};
        QTest::newRow("many exception dates")
            << "BEGIN:VEVENT\r\nUID:ex\r\nEXDATE:" +
                   QByteArray("20240101T000000Z,").repeated(200000) + "\r\nEND:VEVENT\r\n"
            << QStringList{"ex"};
        // A zone name is never opened as a file: here one that would block its reader.
        const QByteArray fifo = "../../../.." + m_fifo.toUtf8();
        QTest::newRow("zone names that are paths")
            << "BEGIN:VEVENT\r\nUID:path\r\nDTSTART;X-ORVANDELLIC-TZID=" + fifo +
                   ":20240101T090000Z\r\nDTEND;TZID=" + fifo +
                   ":20240101T100000\r\nRRULE:FREQ=DAILY\r\nEND:VEVENT\r\n"
            << QStringList{"path"};
        // A zone name a parameter cannot say is kept nowhere: the start is read by its
        // definition and the event kept in UTC, so what is written reads back as the same times.
        static const char controlInZoneName[] =
            "BEGIN:VTIMEZONE\r\nTZID:Europe\0/Odd\r\nBEGIN:STANDARD\r\nDTSTART:19700101T000000\r\n"
            "TZOFFSETFROM:-1400\r\nTZOFFSETTO:-1400\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n"
            "BEGIN:VEVENT\r\nUID:odd\r\nDTSTART;TZID=Europe\0/Odd:20240305T100000\r\n"
            "DTEND;TZID=Europe/Berlin:20240306T050000\r\nEND:VEVENT\r\n";
        QTest::newRow("control character in a zone name")
            << QByteArray(controlInZoneName, sizeof(controlInZoneName) - 1) << QStringList{"odd"};
        // Matched to the zone id it ends with by its last characters only: milliseconds to read.
        const QByteArray manyParts = QByteArray("A/").repeated(32000) + "Berlin";
        QTest::newRow("zone name of many parts")
            << "BEGIN:VTIMEZONE\r\nTZID:" + manyParts +
                   "\r\nBEGIN:STANDARD\r\nDTSTART:19700101T000000\r\nTZOFFSETFROM:+0100\r\n"
                   "TZOFFSETTO:+0100\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\nBEGIN:VEVENT\r\n"
                   "UID:long\r\nDTSTART;TZID=" +
                   manyParts + ":20240305T100000\r\nEND:VEVENT\r\n"
            << QStringList{"long"};
        QTest::newRow("many zones") << "BEGIN:VEVENT\r\nUID:z\r\n" + [] {
            QByteArray lines;
            for (int i = 0; i < 3000; ++i)
                lines += "EXDATE;TZID=Zone/" + QByteArray::number(i) + ":20240101T000000\r\n";
            return lines;
        }() + "END:VEVENT\r\n" << QStringList{"z"};
    }

    void badInput()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, uids);
        const QString text = QString::fromUtf8(bytes);
        QStringList read;
        for (const Event& event : Ical::parseEvents(text))
            read.append(event.uid);
        QCOMPARE(read, uids);
        QVERIFY(Ical::parseTasks(text).isEmpty());
        const QString rewritten =
            Ical::rewriteTimes(text, utc(2024, 1, 1), utc(2024, 1, 2), EventZone::forNewEvents());
        // What was read is shown in its window and written again as the same times.
        const QDateTime from = utc(2024, 1, 1);
        const QDateTime to = utc(2024, 2, 1);
        const auto endOf = [](const Event& event) {
            return event.endTime.value_or(event.startTime);
        };
        for (const Event& event :
             Ical::parseEvents(text.left(1024 * 1024) + rewritten.left(1024 * 1024))) {
            for (const Event& occurrence : Recurrence::occurrences(event, from, to))
                QVERIFY(occurrence.startTime < to && endOf(occurrence) >= from);
            const Event again = Ical::parseEvents(Ical::buildEvent(event)).value(0);
            QCOMPARE(again.startTime, event.startTime);
            QCOMPARE(endOf(again), endOf(event));
        }
        QVERIFY2(!m_fifoOpened.exchange(false), "a zone name was opened as a file");
    }

private:
    QTemporaryDir m_fifoDir;
    QString m_fifo;
    std::atomic<bool> m_fifoOpened = false;
    std::jthread m_fifoWatch;
};

QTEST_GUILESS_MAIN(TestIcal)
#include "tst_ical.moc"

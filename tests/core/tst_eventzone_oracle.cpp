// What we write in a zone, checked by an independent reader: by the definition the text carries,
// libical expands a weekly 09:00 series to 09:00 across both DST changes, as our own expansion
// does; python3-icalendar (recurring_ical_events) reads a series in a zone that only its own
// definition names, moved and retitled here, as we do. (tst_ical_oracle has libical and python
// read zoned texts of every shape.)
#include "CalDavBody.h"
#include "Ical.h"
#include "Oracle.h"
#include "PinnedClock.h"
#include "Recurrence.h"
#include "SeriesEdit.h"
#include "TestTime.h"

#include <libical/ical.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using TestTime::utc;

namespace {

// +05:30, and +06:30 from the first Sunday of April to the last of October: no IANA zone has it.
const QString lakeside =
    QStringLiteral("BEGIN:VTIMEZONE\r\nTZID:Lakeside Time\r\n"
                   "BEGIN:STANDARD\r\nDTSTART:19701025T020000\r\nTZOFFSETFROM:+0630\r\n"
                   "TZOFFSETTO:+0530\r\nRRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU\r\n"
                   "END:STANDARD\r\nBEGIN:DAYLIGHT\r\nDTSTART:19700405T020000\r\n"
                   "TZOFFSETFROM:+0530\r\nTZOFFSETTO:+0630\r\n"
                   "RRULE:FREQ=YEARLY;BYMONTH=4;BYDAY=1SU\r\nEND:DAYLIGHT\r\nEND:VTIMEZONE\r\n");

// The UTC instants (seconds) in 2026 of every series in the text, as our reader and expansion
// take them, ascending.
QStringList ourInstants(const QString& text)
{
    QStringList instants;
    for (const Event& occurrence :
         Recurrence::expand(Ical::parseEvents(text), utc(2026, 1, 1), utc(2027, 1, 1)))
        instants.append(QString::number(occurrence.startTime.toSecsSinceEpoch()));
    instants.sort();
    return instants;
}

QStringList instantsOf(const QStringList& lines)
{
    QStringList instants;
    for (const QString& line : lines)
        instants.append(line.section(u' ', 0, 0));
    return instants;
}

} // namespace

class TestEventZoneOracle : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Weekly from February to December 2025, across both changes.
    void libicalExpandsTheSeriesAtNine()
    {
        PinnedClock clock(utc(2025, 6, 1, 12));
        const QTimeZone tz("Europe/Berlin");
        Event series;
        series.uid = "weekly";
        series.timezone = "Europe/Berlin";
        series.startTime = QDateTime(QDate(2025, 2, 3), QTime(9, 0), tz).toUTC();
        series.endTime = series.startTime.addSecs(1800);
        series.recurrenceRule = "FREQ=WEEKLY;COUNT=45";

        const QByteArray utf8 = Ical::buildEvent(series).toUtf8();
        icalcomponent* root = icalparser_parse_string(utf8.constData());
        icalcomponent* vevent = icalcomponent_get_first_component(root, ICAL_VEVENT_COMPONENT);
        icalproperty* start = icalcomponent_get_first_property(vevent, ICAL_DTSTART_PROPERTY);
        icalparameter* tzid = icalproperty_get_first_parameter(start, ICAL_TZID_PARAMETER);
        // The zone as the text defines it, not libical's own data for the name.
        icaltimezone* defined = icalcomponent_get_timezone(root, icalparameter_get_tzid(tzid));
        icalproperty* rule = icalcomponent_get_first_property(vevent, ICAL_RRULE_PROPERTY);
        QVERIFY(defined && rule);
        icalrecur_iterator* it =
            icalrecur_iterator_new(icalproperty_get_rrule(rule), icalproperty_get_dtstart(start));
        QList<qint64> theirs;
        for (icaltimetype t = icalrecur_iterator_next(it); !icaltime_is_null_time(t);
             t = icalrecur_iterator_next(it))
            theirs.append(icaltime_as_timet_with_zone(t, defined));
        icalrecur_iterator_free(it);
        icalcomponent_free(root);

        QList<qint64> ours;
        for (const Event& occurrence :
             Recurrence::occurrences(series, utc(2025, 1, 1), utc(2026, 1, 1)))
            ours.append(occurrence.startTime.toSecsSinceEpoch());
        QCOMPARE(ours.size(), 45);
        QCOMPARE(theirs, ours);
        for (const qint64 at : std::as_const(theirs))
            QCOMPARE(QDateTime::fromSecsSinceEpoch(at, tz).time(), QTime(9, 0));
    }

    // A weekly 09:00 series from late March across the zone's April change: read, one occurrence
    // moved two hours, the series retitled. Python sees the same six instants as we do, the moved
    // one in place of its original, and every text names the zone and defines it as it came.
    void seriesInAZoneOnlyItsTextDefines()
    {
        PinnedClock clock(utc(2026, 3, 1, 12));
        const QString original =
            "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//EN\r\n" + lakeside +
            "BEGIN:VEVENT\r\nUID:lake\r\nDTSTAMP:20260101T000000Z\r\nSUMMARY:Standup\r\n"
            "DTSTART;TZID=Lakeside Time:20260326T090000\r\n"
            "DTEND;TZID=Lakeside Time:20260326T093000\r\nRRULE:FREQ=WEEKLY;COUNT=6\r\n"
            "END:VEVENT\r\nEND:VCALENDAR\r\n";
        const QStringList read = Oracle::occurrencesIn2026(original);
        QCOMPARE(read.size(), 6);
        for (const QString& line : read)
            QCOMPARE(line.section(u' ', 1), "09:00");
        QCOMPARE(ourInstants(original), instantsOf(read));

        // The third occurrence (April 9, after the change) moves to 11:00.
        Event master = Ical::parseEvents(original).value(0);
        const QList<Event> occurrences =
            Recurrence::occurrences(master, utc(2026, 1, 1), utc(2027, 1, 1));
        QCOMPARE(occurrences.size(), 6);
        const QDateTime third = occurrences[2].startTime;
        Event moved = SeriesEdit::occurrenceOverride(master, third, third.addSecs(7200),
                                                     third.addSecs(9000), "m", utc(2026, 3, 1, 12));
        moved.rawIcalendar = Ical::buildEvent(moved);
        QVERIFY2(moved.rawIcalendar.contains("\r\nRECURRENCE-ID;TZID=Lakeside Time:"
                                             "20260409T090000\r\n"),
                 qPrintable(moved.rawIcalendar));
        const QString object =
            CalDavBody::compose({Ical::buildEvent(master), moved.rawIcalendar}, {});
        QCOMPARE(object.count(u"BEGIN:VTIMEZONE"), 1);
        const QStringList afterMove = Oracle::occurrencesIn2026(object);
        QCOMPARE(afterMove.size(), 6);
        QCOMPARE(afterMove[2].section(u' ', 1), "11:00");
        QCOMPARE(ourInstants(object), instantsOf(afterMove));

        // Retitled, the master keeps its zone and the zone's definition as it came.
        master.title = "Daily sync";
        const QString retitled = Ical::buildEvent(master);
        QVERIFY2(retitled.contains(lakeside), qPrintable(retitled));
        QCOMPARE(Oracle::occurrencesIn2026(retitled), read);
        QCOMPARE(Ical::parseEvents(retitled).value(0).timezone, master.timezone);

        // The fifth occurrence deleted: the exception names it in the zone's own time.
        const SeriesEdit::Plan removal =
            SeriesEdit::remove(master, {}, occurrences[4].startTime, 1, utc(2026, 3, 1, 12));
        QCOMPARE(removal.updates.size(), 1);
        const QStringList afterDelete =
            Oracle::occurrencesIn2026(Ical::buildEvent(removal.updates.first()));
        QCOMPARE(afterDelete, QStringList(read.mid(0, 4)) + read.mid(5));
    }
};

QTEST_GUILESS_MAIN(TestEventZoneOracle)
#include "tst_eventzone_oracle.moc"

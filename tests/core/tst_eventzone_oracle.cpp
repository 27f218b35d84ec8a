// What we write in a zone, checked by an independent reader: by the definition the text carries,
// libical expands a weekly 09:00 series to 09:00 across both DST changes, as our own expansion
// does. (tst_ical_oracle has libical and python read zoned texts of every shape.)
#include "Ical.h"
#include "PinnedClock.h"
#include "Recurrence.h"
#include "TestTime.h"

#include <libical/ical.h>

#include <QTest>

using TestTime::utc;

namespace {

// A DATE-TIME property's instant, read in the zone its TZID names within the text.
qint64 instantOf(icalcomponent* root, icalproperty* property, struct icaltimetype time)
{
    icalparameter* tzid = icalproperty_get_first_parameter(property, ICAL_TZID_PARAMETER);
    icaltimezone* zone = tzid ? icalcomponent_get_timezone(root, icalparameter_get_tzid(tzid))
                              : icaltimezone_get_utc_timezone();
    return qint64(icaltime_as_timet_with_zone(time, zone));
}

} // namespace

class TestEventZoneOracle : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void libicalExpandsTheSeriesAtNine_data()
    {
        QTest::addColumn<QString>("zone");
        QTest::newRow("Berlin") << "Europe/Berlin";
        QTest::newRow("half-hour DST, southern summer") << "Australia/Lord_Howe";
    }

    // Weekly from February to December 2025, 7 April (after a change in both zones) excluded.
    void libicalExpandsTheSeriesAtNine()
    {
        QFETCH(QString, zone);
        PinnedClock clock(utc(2025, 6, 1, 12));
        const QTimeZone tz(zone.toUtf8());
        Event series;
        series.uid = "weekly";
        series.timezone = zone;
        series.startTime = QDateTime(QDate(2025, 2, 3), QTime(9, 0), tz).toUTC();
        series.endTime = series.startTime.addSecs(1800);
        series.recurrenceRule = "FREQ=WEEKLY;COUNT=45";
        series.exceptionDates = "[\"" +
                                QDateTime(QDate(2025, 4, 7), QTime(9, 0), tz)
                                    .toUTC()
                                    .toString(u"yyyyMMdd'T'HHmmss'Z'") +
                                "\"]";

        const QByteArray utf8 = Ical::buildEvent(series).toUtf8();
        icalcomponent* root = icalparser_parse_string(utf8.constData());
        icalcomponent* vevent = icalcomponent_get_first_component(root, ICAL_VEVENT_COMPONENT);
        icalproperty* start = icalcomponent_get_first_property(vevent, ICAL_DTSTART_PROPERTY);
        QSet<qint64> excluded;
        for (icalproperty* exdate = icalcomponent_get_first_property(vevent, ICAL_EXDATE_PROPERTY);
             exdate; exdate = icalcomponent_get_next_property(vevent, ICAL_EXDATE_PROPERTY))
            excluded.insert(instantOf(root, exdate, icalproperty_get_exdate(exdate)));
        icalproperty* rule = icalcomponent_get_first_property(vevent, ICAL_RRULE_PROPERTY);
        icalrecur_iterator* it =
            icalrecur_iterator_new(icalproperty_get_rrule(rule), icalproperty_get_dtstart(start));
        QList<qint64> theirs;
        for (struct icaltimetype t = icalrecur_iterator_next(it); !icaltime_is_null_time(t);
             t = icalrecur_iterator_next(it)) {
            if (!excluded.contains(instantOf(root, start, t)))
                theirs.append(instantOf(root, start, t));
        }
        icalrecur_iterator_free(it);
        icalcomponent_free(root);

        QList<qint64> ours;
        for (const Event& occurrence :
             Recurrence::occurrences(series, utc(2025, 1, 1), utc(2026, 1, 1)))
            ours.append(occurrence.startTime.toSecsSinceEpoch());
        QCOMPARE(ours.size(), 44);
        QCOMPARE(theirs, ours);
        for (const qint64 at : std::as_const(theirs))
            QCOMPARE(QDateTime::fromSecsSinceEpoch(at, tz).time(), QTime(9, 0));
    }
};

QTEST_GUILESS_MAIN(TestEventZoneOracle)
#include "tst_eventzone_oracle.moc"

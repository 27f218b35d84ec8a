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
};

QTEST_GUILESS_MAIN(TestEventZoneOracle)
#include "tst_eventzone_oracle.moc"

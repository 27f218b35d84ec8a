// What we write in a zone, checked by an independent reader: libical reads every zoned text
// without complaint and, by the definition the text carries, expands a Berlin series to 09:00
// across both DST changes, as our own expansion does. (python3-icalendar with
// recurring_ical_events reads the same from a server in tst_caldavzones.)
#include "Ical.h"
#include "PinnedClock.h"
#include "Recurrence.h"
#include "TestTime.h"

#include <libical/ical.h>

#include <QTest>

using TestTime::utc;

namespace {

const QTimeZone berlin("Europe/Berlin");

// Weekly 09:00 in Berlin from February to December 2025, with 7 April excluded.
Event berlinSeries()
{
    Event series;
    series.uid = QStringLiteral("weekly-berlin");
    series.title = QStringLiteral("Standup");
    series.timezone = QStringLiteral("Europe/Berlin");
    series.startTime = QDateTime(QDate(2025, 2, 3), QTime(9, 0), berlin).toUTC();
    series.endTime = series.startTime.addSecs(1800);
    series.recurrenceRule = QStringLiteral("FREQ=WEEKLY;COUNT=45");
    series.exceptionDates = QStringLiteral(R"(["20250407T070000Z"])");
    return series;
}

// Events in every shape the writer has: zones with and without DST, half hours, all-day,
// series with exceptions and an override.
QList<Event> zonedEvents()
{
    QList<Event> events{berlinSeries()};
    const QStringList zones{QStringLiteral("America/New_York"), QStringLiteral("Asia/Kolkata"),
                            QStringLiteral("Australia/Lord_Howe"), QStringLiteral("UTC")};
    for (const QString& zone : zones) {
        Event event;
        event.uid = QStringLiteral("in-") + zone;
        event.title = zone;
        event.timezone = zone;
        event.startTime = utc(2025, 3, 20, 14);
        event.endTime = utc(2025, 3, 20, 15);
        event.recurrenceRule = QStringLiteral("FREQ=MONTHLY;UNTIL=20261231T000000Z");
        events.append(event);
    }
    Event allDay = events.last();
    allDay.uid = QStringLiteral("all-day");
    allDay.isAllDay = true;
    allDay.timezone = QStringLiteral("Europe/Berlin");
    allDay.startTime = utc(2025, 3, 20);
    allDay.endTime = utc(2025, 3, 21);
    events.append(allDay);
    Event moved = berlinSeries();
    moved.recurrenceRule.clear();
    moved.exceptionDates.clear();
    moved.recurrenceId = QStringLiteral("20250414T070000Z");
    moved.masterEventUid = moved.uid;
    moved.startTime = utc(2025, 4, 14, 12);
    moved.endTime = utc(2025, 4, 14, 13);
    events.append(moved);
    return events;
}

void collectErrors(icalcomponent* component, QStringList& errors)
{
    for (icalproperty* property =
             icalcomponent_get_first_property(component, ICAL_XLICERROR_PROPERTY);
         property; property = icalcomponent_get_next_property(component, ICAL_XLICERROR_PROPERTY))
        errors.append(QString::fromUtf8(icalproperty_get_xlicerror(property)));
    for (icalcomponent* child = icalcomponent_get_first_component(component, ICAL_ANY_COMPONENT);
         child; child = icalcomponent_get_next_component(component, ICAL_ANY_COMPONENT))
        collectErrors(child, errors);
}

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
    void libicalReadsEveryZonedText()
    {
        PinnedClock clock(utc(2025, 6, 1, 12));
        for (const Event& event : zonedEvents()) {
            const QString text = Ical::buildEvent(event);
            const QByteArray utf8 = text.toUtf8();
            icalcomponent* root = icalparser_parse_string(utf8.constData());
            QVERIFY2(root, utf8.constData());
            QStringList errors;
            collectErrors(root, errors);
            icalcomponent* vevent = icalcomponent_get_first_component(root, ICAL_VEVENT_COMPONENT);
            icalproperty* start = icalcomponent_get_first_property(vevent, ICAL_DTSTART_PROPERTY);
            const qint64 instant = instantOf(root, start, icalproperty_get_dtstart(start));
            icalcomponent_free(root);
            QVERIFY2(errors.isEmpty(), qPrintable(errors.join(u"; ") + u'\n' + text));
            QCOMPARE(instant, event.startTime.toSecsSinceEpoch());
        }
    }

    // libical follows the rule from DTSTART in the zone the text defines (not its own zone
    // data for the name), and leaves out the excluded date.
    void libicalExpandsTheSeriesAtNineInBerlin()
    {
        PinnedClock clock(utc(2025, 6, 1, 12));
        const Event series = berlinSeries();
        const QByteArray utf8 = Ical::buildEvent(series).toUtf8();
        icalcomponent* root = icalparser_parse_string(utf8.constData());
        icalcomponent* vevent = icalcomponent_get_first_component(root, ICAL_VEVENT_COMPONENT);
        icalproperty* start = icalcomponent_get_first_property(vevent, ICAL_DTSTART_PROPERTY);
        struct icaltimetype dtstart = icalproperty_get_dtstart(start);
        QSet<qint64> excluded;
        for (icalproperty* exdate = icalcomponent_get_first_property(vevent, ICAL_EXDATE_PROPERTY);
             exdate; exdate = icalcomponent_get_next_property(vevent, ICAL_EXDATE_PROPERTY))
            excluded.insert(instantOf(root, exdate, icalproperty_get_exdate(exdate)));
        icalproperty* rule = icalcomponent_get_first_property(vevent, ICAL_RRULE_PROPERTY);
        icalrecur_iterator* it = icalrecur_iterator_new(icalproperty_get_rrule(rule), dtstart);
        QList<qint64> theirs;
        for (struct icaltimetype t = icalrecur_iterator_next(it); !icaltime_is_null_time(t);
             t = icalrecur_iterator_next(it)) {
            const qint64 instant = instantOf(root, start, t);
            if (!excluded.contains(instant))
                theirs.append(instant);
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
            QCOMPARE(QDateTime::fromSecsSinceEpoch(at, berlin).time(), QTime(9, 0));
    }
};

QTEST_GUILESS_MAIN(TestEventZoneOracle)
#include "tst_eventzone_oracle.moc"

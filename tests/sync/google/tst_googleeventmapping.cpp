#include "GoogleEventMapping.h"
#include "PinnedClock.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QTimeZone>

Q_DECLARE_METATYPE(Event)

namespace {

const QDateTime pinnedNow(QDate(2026, 3, 11), QTime(9, 0), QTimeZone::utc());

QJsonObject json(const char* text)
{
    return QJsonDocument::fromJson(text).object();
}

QString compact(const QJsonObject& object)
{
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

QString utc(const QDateTime& time)
{
    return time.isValid() ? time.toUTC().toString(Qt::ISODate) : QString();
}

// One field of the record as text, for the table.
QString fieldOf(const Event& event, const QString& field)
{
    if (field == u"calendarId")
        return event.calendarId;
    if (field == u"providerEventId")
        return event.providerEventId;
    if (field == u"uid")
        return event.uid;
    if (field == u"etag")
        return event.etag;
    if (field == u"title")
        return event.title;
    if (field == u"description")
        return event.description;
    if (field == u"location")
        return event.location;
    if (field == u"eventUrl")
        return event.eventUrl;
    if (field == u"conferenceUrl")
        return event.conferenceUrl;
    if (field == u"startTime")
        return utc(event.startTime);
    if (field == u"endTime")
        return event.endTime ? utc(*event.endTime) : QStringLiteral("absent");
    if (field == u"isAllDay")
        return event.isAllDay ? QStringLiteral("true") : QStringLiteral("false");
    if (field == u"timezone")
        return event.timezone;
    if (field == u"recurrenceRule")
        return event.recurrenceRule;
    if (field == u"exceptionDates")
        return event.exceptionDates;
    if (field == u"recurrenceId")
        return event.recurrenceId;
    if (field == u"masterEventUid")
        return event.masterEventUid;
    if (field == u"status")
        return event.status;
    if (field == u"organizer")
        return event.organizerEmail + u'|' + event.organizerName;
    if (field == u"sequence")
        return QString::number(event.sequence);
    if (field == u"lastModified")
        return utc(event.lastModified) + u'|' + utc(event.created);
    if (field == u"syncStatus")
        return event.syncStatus;
    if (field == u"reminders") {
        QStringList parts;
        for (const Reminder& reminder : event.reminders)
            parts << reminder.action + u':' + QString::number(reminder.minutesBefore);
        return parts.join(u',');
    }
    if (field == u"attendees") {
        QStringList parts;
        for (const Attendee& attendee : event.attendees)
            parts << QStringList{attendee.email, attendee.name, attendee.role, attendee.status,
                                 attendee.rsvp ? QStringLiteral("rsvp") : QString()}
                         .join(u':');
        return parts.join(u',');
    }
    return QStringLiteral("unknown field ") + field;
}

const char* const standup =
    "{\"id\":\"abc\",\"etag\":\"\\\"e1\\\"\",\"summary\":\"Standup\","
    "\"description\":\"Daily\",\"location\":\"Room "
    "4\",\"htmlLink\":\"https://calendar.example/abc\","
    "\"hangoutLink\":\"https://meet.example/abc\","
    "\"start\":{\"dateTime\":\"2026-03-02T09:00:00+01:00\",\"timeZone\":\"Europe/Berlin\"},"
    "\"end\":{\"dateTime\":\"2026-03-02T09:15:00+01:00\",\"timeZone\":\"Europe/Berlin\"},"
    "\"recurrence\":[\"EXDATE;TZID=Europe/Berlin:20260304T090000\",\"RRULE:FREQ=DAILY\"],"
    "\"status\":\"tentative\",\"organizer\":{\"email\":\"lead@example.com\",\"displayName\":"
    "\"Lead\"},"
    "\"sequence\":3,\"updated\":\"2026-03-01T10:00:00.250Z\","
    "\"reminders\":{\"useDefault\":false,\"overrides\":[{\"method\":\"email\",\"minutes\":30},"
    "{\"method\":\"popup\",\"minutes\":-5},{\"minutes\":10}]},"
    "\"attendees\":[{\"email\":\"a@example.com\",\"organizer\":true,\"optional\":true,"
    "\"responseStatus\":\"Accepted\"},"
    "{\"email\":\"b@example.com\",\"optional\":true,\"responseStatus\":\"needsAction\"},"
    "{\"displayName\":\"Nobody\"},"
    "{\"email\":\"c@example.com\",\"displayName\":\"Cleo\",\"responseStatus\":\"declined\"}]}";

const char* const bare = "{\"id\":\"bare1\",\"status\":\"CANCELLED\","
                         "\"start\":{\"dateTime\":\"2026-03-02T08:00:00Z\"}}";

// Wall times without an offset, in the item's zone: the first in the hour the clocks skip, the
// second in the hour they repeat.
const char* const wallTimes =
    "{\"id\":\"w1\",\"start\":{\"dateTime\":\"2027-03-28T02:30:00\",\"timeZone\":\"Europe/"
    "Berlin\"},\"end\":{\"dateTime\":\"2027-10-31T02:30:00\",\"timeZone\":\"Europe/Berlin\"}}";

const char* const allDay = "{\"id\":\"day1\",\"summary\":\"Offsite\","
                           "\"start\":{\"date\":\"2026-03-01\"},\"end\":{\"date\":\"2026-03-02\"}}";

const char* const movedInstance =
    "{\"id\":\"abc_20260303T080000Z\",\"recurringEventId\":\"abc\","
    "\"originalStartTime\":{\"dateTime\":\"2026-03-03T09:00:00+01:00\",\"timeZone\":\"Europe/"
    "Berlin\"},"
    "\"start\":{\"dateTime\":\"2026-03-03T11:00:00+01:00\",\"timeZone\":\"Europe/Berlin\"},"
    "\"end\":{\"dateTime\":\"2026-03-03T11:15:00+01:00\",\"timeZone\":\"Europe/Berlin\"}}";

const char* const allDayInstance =
    "{\"id\":\"wk_20260303\",\"recurringEventId\":\"wk\","
    "\"originalStartTime\":{\"date\":\"2026-03-03\"},\"start\":{\"date\":\"2026-03-04\"},"
    "\"end\":{\"date\":\"2026-03-05\"}}";

const char* const dateExceptions = "{\"id\":\"wk\",\"start\":{\"date\":\"2026-03-03\"},"
                                   "\"recurrence\":[\"EXDATE;VALUE=DATE:20260310,20260317\","
                                   "\"RRULE:FREQ=WEEKLY\",\"EXDATE:20260310\"]}";

const char* const onlyExceptions = "{\"id\":\"x1\",\"start\":{\"date\":\"2026-03-03\"},"
                                   "\"recurrence\":[\"EXDATE;VALUE=DATE:20260310\"]}";

Event standupEvent()
{
    Event event;
    event.title = QStringLiteral("Standup");
    event.timezone = QStringLiteral("Europe/Berlin");
    const QTimeZone berlin("Europe/Berlin");
    event.startTime = QDateTime(QDate(2026, 3, 2), QTime(9, 0), berlin);
    event.endTime = QDateTime(QDate(2026, 3, 2), QTime(9, 15), berlin);
    event.recurrenceRule = QStringLiteral("FREQ=DAILY");
    Reminder reminder;
    reminder.minutesBefore = 10;
    event.reminders = {reminder};
    return event;
}

Event allDayEvent(const QDate& first, const QDate& endExclusive)
{
    Event event;
    event.title = QStringLiteral("Offsite");
    event.isAllDay = true;
    event.startTime = QDateTime(first, QTime(0, 0), QTimeZone::utc());
    event.endTime = QDateTime(endExclusive, QTime(0, 0), QTimeZone::utc());
    event.status.clear();
    return event;
}

} // namespace

class TestGoogleEventMapping : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fromJson_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, const char* item, const char* field,
                            const QString& expected) {
            QTest::newRow(name) << QString::fromUtf8(item) << QString::fromLatin1(field)
                                << expected;
        };
        row("calendar id", standup, "calendarId", QStringLiteral("cal"));
        row("google id", standup, "providerEventId", QStringLiteral("abc"));
        row("uid is the google id", standup, "uid", QStringLiteral("abc"));
        row("etag", standup, "etag", QStringLiteral("\"e1\""));
        row("title", standup, "title", QStringLiteral("Standup"));
        row("untitled", bare, "title", QStringLiteral("Untitled Event"));
        row("description", standup, "description", QStringLiteral("Daily"));
        row("location", standup, "location", QStringLiteral("Room 4"));
        row("html link", standup, "eventUrl", QStringLiteral("https://calendar.example/abc"));
        row("hangout link", standup, "conferenceUrl", QStringLiteral("https://meet.example/abc"));
        row("start instant", standup, "startTime", QStringLiteral("2026-03-02T08:00:00Z"));
        row("end instant", standup, "endTime", QStringLiteral("2026-03-02T08:15:00Z"));
        row("no end", bare, "endTime", QStringLiteral("absent"));
        row("wall time the clocks skip: the offset before the gap", wallTimes, "startTime",
            QStringLiteral("2027-03-28T01:30:00Z"));
        row("wall time the clocks repeat: the earlier instant", wallTimes, "endTime",
            QStringLiteral("2027-10-31T00:30:00Z"));
        row("timed", standup, "isAllDay", QStringLiteral("false"));
        row("zone of the start", standup, "timezone", QStringLiteral("Europe/Berlin"));
        row("no zone is UTC", bare, "timezone", QStringLiteral("UTC"));
        row("rule after an exception line", standup, "recurrenceRule",
            QStringLiteral("FREQ=DAILY"));
        row("exception lines only: no rule", onlyExceptions, "recurrenceRule", QString());
        row("zoned EXDATE", standup, "exceptionDates", QStringLiteral("[\"20260304T080000Z\"]"));
        row("date EXDATEs, each once", dateExceptions, "exceptionDates",
            QStringLiteral("[\"20260310\",\"20260317\"]"));
        row("master has no recurrence id", standup, "recurrenceId", QString());
        row("moved instance: original start", movedInstance, "recurrenceId",
            QStringLiteral("20260303T080000Z"));
        row("moved instance: master", movedInstance, "masterEventUid", QStringLiteral("abc"));
        row("moved instance: series uid", movedInstance, "uid", QStringLiteral("abc"));
        row("moved instance: own google id", movedInstance, "providerEventId",
            QStringLiteral("abc_20260303T080000Z"));
        row("all-day instance: date id", allDayInstance, "recurrenceId",
            QStringLiteral("20260303"));
        row("status kept", standup, "status", QStringLiteral("tentative"));
        row("status in capitals", bare, "status", QStringLiteral("confirmed"));
        row("organizer", standup, "organizer", QStringLiteral("lead@example.com|Lead"));
        row("attendees", standup, "attendees",
            QStringLiteral("a@example.com::chair:accepted:rsvp,"
                           "b@example.com::optional:needs-action:rsvp,"
                           "c@example.com:Cleo:required:declined:rsvp"));
        row("sequence", standup, "sequence", QStringLiteral("3"));
        row("no sequence", bare, "sequence", QStringLiteral("0"));
        row("updated", standup, "lastModified",
            QStringLiteral("2026-03-01T10:00:00Z|2026-03-01T10:00:00Z"));
        row("no updated: now", bare, "lastModified",
            QStringLiteral("2026-03-11T09:00:00Z|2026-03-11T09:00:00Z"));
        row("reminder overrides", standup, "reminders", QStringLiteral("email:30,display:10"));
        row("default reminders", bare, "reminders", QString());
        row("synced", standup, "syncStatus", QStringLiteral("synced"));
        // All-day dates in the store's one form, whatever the machine's zone.
        row("all-day start", allDay, "startTime", QStringLiteral("2026-03-01T00:00:00Z"));
        row("all-day end kept exclusive", allDay, "endTime",
            QStringLiteral("2026-03-02T00:00:00Z"));
        row("all-day", allDay, "isAllDay", QStringLiteral("true"));
        row("all-day zone", allDay, "timezone", QStringLiteral("UTC"));
    }

    void fromJson()
    {
        QFETCH(QString, item);
        QFETCH(QString, field);
        QFETCH(QString, expected);
        PinnedClock clock(pinnedNow);
        const QJsonObject object = QJsonDocument::fromJson(item.toUtf8()).object();
        QVERIFY(!object.isEmpty());
        const Event event = Google::eventFromJson(object, QStringLiteral("cal"));
        QCOMPARE(fieldOf(event, field), expected);
    }

    void fromJsonKeepsTheItemAndMakesNewIds()
    {
        const QJsonObject item = json(standup);
        const Event first = Google::eventFromJson(item, QStringLiteral("cal"));
        const Event second = Google::eventFromJson(item, QStringLiteral("cal"));
        QCOMPARE(first.rawIcalendar, compact(item));
        QVERIFY(!first.id.isEmpty() && !first.id.contains(u'{'));
        QVERIFY(first.id != second.id);
    }

    // A whole listing maps item by item as eventFromJson does, in order, whether it is mapped
    // on one thread or on several; cancellations and items without an id give nothing.
    void listingMapsLikeEachItem_data()
    {
        QTest::addColumn<int>("count");
        QTest::newRow("short") << 30;
        QTest::newRow("long") << 3001;
    }
    void listingMapsLikeEachItem()
    {
        QFETCH(int, count);
        PinnedClock clock(pinnedNow);
        const QStringList zones{"Europe/Berlin", "America/New_York", "Asia/Kolkata", "UTC"};
        QList<QJsonObject> items;
        for (int i = 0; i < count; ++i) {
            QJsonObject item = json(standup);
            item.insert(QStringLiteral("id"),
                        i % 11 == 5 ? QString() : QStringLiteral("e%1").arg(i));
            item.insert(QStringLiteral("summary"), QStringLiteral("Item %1").arg(i));
            item.insert(
                QStringLiteral("start"),
                QJsonObject{
                    {QStringLiteral("dateTime"),
                     QStringLiteral("2026-03-%1T09:00:00Z").arg(1 + i % 28, 2, 10, QChar(u'0'))},
                    {QStringLiteral("timeZone"), zones.at(i % zones.size())}});
            if (i % 7 == 3)
                item.insert(QStringLiteral("status"), QStringLiteral("cancelled"));
            items.append(item);
        }
        const QList<std::optional<Event>> events =
            Google::eventsFromJson(items, QStringLiteral("cal"));
        QCOMPARE(events.size(), items.size());
        const QStringList fields{"calendarId", "providerEventId", "uid",          "title",
                                 "startTime",  "endTime",         "timezone",     "status",
                                 "reminders",  "attendees",       "lastModified", "syncStatus"};
        QSet<QString> ids;
        for (int i = 0; i < count; ++i) {
            const bool skipped = i % 11 == 5 || i % 7 == 3;
            QCOMPARE(events.at(i).has_value(), !skipped);
            if (skipped)
                continue;
            const Event expected = Google::eventFromJson(items.at(i), QStringLiteral("cal"));
            for (const QString& field : fields)
                QCOMPARE(fieldOf(*events.at(i), field), fieldOf(expected, field));
            QCOMPARE(events.at(i)->startTime.timeZone(), expected.startTime.timeZone());
            QCOMPARE(events.at(i)->rawIcalendar, expected.rawIcalendar);
            ids.insert(events.at(i)->id);
        }
        QCOMPARE(ids.size(), count - int(std::count_if(events.begin(), events.end(),
                                                       [](const auto& e) { return !e; })));
    }

    void toJson_data()
    {
        QTest::addColumn<Event>("event");
        QTest::addColumn<QString>("expected");

        // The worked example, in the event's own zone.
        QTest::newRow("standup") << standupEvent()
                                 << QStringLiteral(
                                        "{\"end\":{\"dateTime\":\"2026-03-02T09:15:00+01:00\","
                                        "\"timeZone\":\"Europe/Berlin\"},"
                                        "\"recurrence\":[\"RRULE:FREQ=DAILY\"],"
                                        "\"reminders\":{\"overrides\":[{\"method\":\"popup\","
                                        "\"minutes\":10}],\"useDefault\":false},"
                                        "\"start\":{\"dateTime\":\"2026-03-02T09:00:00+01:00\","
                                        "\"timeZone\":\"Europe/Berlin\"},"
                                        "\"status\":\"confirmed\",\"summary\":\"Standup\"}");
        QTest::newRow("standup all-day")
            << allDayEvent(QDate(2026, 3, 2), QDate(2026, 3, 3))
            << QStringLiteral("{\"end\":{\"date\":\"2026-03-03\"},\"start\":{\"date\":\"2026-03-"
                              "02\"},\"summary\":\"Offsite\"}");
        QTest::newRow("all-day end not after start")
            << allDayEvent(QDate(2026, 3, 2), QDate(2026, 3, 2))
            << QStringLiteral("{\"end\":{\"date\":\"2026-03-03\"},\"start\":{\"date\":\"2026-03-"
                              "02\"},\"summary\":\"Offsite\"}");

        Event inUtc;
        inUtc.title = QStringLiteral("Call");
        inUtc.startTime = QDateTime(QDate(2026, 3, 2), QTime(8, 0), QTimeZone::utc());
        inUtc.description = QStringLiteral("notes");
        inUtc.location = QStringLiteral("Desk");
        QTest::newRow("UTC event without end: one hour")
            << inUtc
            << QStringLiteral("{\"description\":\"notes\",\"end\":{\"dateTime\":\"2026-03-02T09:00:"
                              "00.000Z\",\"timeZone\":\"UTC\"},"
                              "\"location\":\"Desk\",\"start\":{\"dateTime\":\"2026-03-02T08:00:00."
                              "000Z\",\"timeZone\":\"UTC\"},"
                              "\"status\":\"confirmed\",\"summary\":\"Call\"}");

        Event untitled = inUtc;
        untitled.title.clear();
        untitled.description.clear();
        untitled.location.clear();
        Reminder email;
        email.minutesBefore = 60;
        email.action = QStringLiteral("email");
        untitled.reminders = {email};
        QTest::newRow("empty title, email reminder")
            << untitled
            << QStringLiteral(
                   "{\"end\":{\"dateTime\":\"2026-03-02T09:00:00.000Z\",\"timeZone\":\"UTC\"},"
                   "\"reminders\":{\"overrides\":[{\"method\":\"email\",\"minutes\":60}],"
                   "\"useDefault\":false},"
                   "\"start\":{\"dateTime\":\"2026-03-02T08:00:00.000Z\",\"timeZone\":\"UTC\"},"
                   "\"status\":\"confirmed\",\"summary\":\"\"}");

        // A weekly 09:00 Berlin series with one excluded day after the clocks change.
        Event weekly = standupEvent();
        weekly.reminders.clear();
        weekly.recurrenceRule = QStringLiteral("FREQ=WEEKLY");
        weekly.exceptionDates = QStringLiteral("[\"20260406T070000Z\"]");
        QTest::newRow("zoned exception dates")
            << weekly
            << QStringLiteral("{\"end\":{\"dateTime\":\"2026-03-02T09:15:00+01:00\",\"timeZone\":"
                              "\"Europe/Berlin\"},"
                              "\"recurrence\":[\"RRULE:FREQ=WEEKLY\",\"EXDATE;TZID=Europe/"
                              "Berlin:20260406T090000\"],"
                              "\"start\":{\"dateTime\":\"2026-03-02T09:00:00+01:00\",\"timeZone\":"
                              "\"Europe/Berlin\"},"
                              "\"status\":\"confirmed\",\"summary\":\"Standup\"}");
    }

    void toJson()
    {
        QFETCH(Event, event);
        QFETCH(QString, expected);
        QCOMPARE(compact(Google::eventToJson(event)), expected);
    }

    void roundTripKeepsAllDayDates()
    {
        const Event read = Google::eventFromJson(json(allDay), QStringLiteral("cal"));
        const QJsonObject written = Google::eventToJson(read);
        QCOMPARE(compact(written.value(QStringLiteral("start")).toObject()),
                 QStringLiteral("{\"date\":\"2026-03-01\"}"));
        QCOMPARE(compact(written.value(QStringLiteral("end")).toObject()),
                 QStringLiteral("{\"date\":\"2026-03-02\"}"));
    }

    void updateKeepsWhatThisSystemDoesNotHold()
    {
        const QJsonObject stored = json(
            "{\"id\":\"abc\",\"etag\":\"\\\"e1\\\"\",\"kind\":\"calendar#event\","
            "\"summary\":\"Old\",\"description\":\"Agenda\",\"location\":\"Room 1\","
            "\"start\":{\"dateTime\":\"2026-03-02T09:00:00+01:00\",\"timeZone\":\"Europe/Berlin\"},"
            "\"end\":{\"dateTime\":\"2026-03-02T09:15:00+01:00\",\"timeZone\":\"Europe/Berlin\"},"
            "\"recurrence\":[\"RRULE:FREQ=DAILY\",\"EXDATE;TZID=Europe/Berlin:20260304T090000\","
            "\"RDATE;TZID=Europe/Berlin:20260301T090000\"],"
            "\"attendees\":[{\"email\":\"a@example.com\"}],\"organizer\":{\"email\":\"lead@example."
            "com\"},"
            "\"conferenceData\":{\"conferenceId\":\"xyz\"},\"colorId\":\"5\",\"visibility\":"
            "\"private\","
            "\"extendedProperties\":{\"private\":{\"k\":\"v\"}},\"attachments\":[{\"fileUrl\":"
            "\"https://f\"}],"
            "\"reminders\":{\"useDefault\":false,\"overrides\":[{\"method\":\"popup\",\"minutes\":"
            "5}]}}");
        Event event = standupEvent();
        event.title = QStringLiteral("New");
        event.reminders.clear();
        event.exceptionDates = QStringLiteral("[\"20260304T080000Z\",\"20260305T080000Z\"]");
        const QJsonObject merged = Google::mergeIntoItem(stored, event);

        for (const char* kept : {"attendees", "organizer", "conferenceData", "colorId",
                                 "visibility", "extendedProperties", "attachments"})
            QVERIFY2(merged.value(QLatin1String(kept)) == stored.value(QLatin1String(kept)), kept);
        QCOMPARE(merged.value(QStringLiteral("summary")).toString(), QStringLiteral("New"));
        // Emptied by the user: cleared on Google.
        QVERIFY(!merged.contains(QStringLiteral("description")));
        QVERIFY(!merged.contains(QStringLiteral("location")));
        QCOMPARE(compact(merged.value(QStringLiteral("reminders")).toObject()),
                 QStringLiteral("{\"overrides\":[],\"useDefault\":false}"));
        QCOMPARE(merged.value(QStringLiteral("recurrence")).toArray(),
                 QJsonArray({QStringLiteral("RRULE:FREQ=DAILY"),
                             QStringLiteral("EXDATE;TZID=Europe/Berlin:20260304T090000"),
                             QStringLiteral("EXDATE;TZID=Europe/Berlin:20260305T090000"),
                             QStringLiteral("RDATE;TZID=Europe/Berlin:20260301T090000")}));
        QVERIFY(!merged.contains(QStringLiteral("etag")));

        // An item on the calendar's default reminders keeps them.
        QJsonObject onDefaults = stored;
        onDefaults.insert(QStringLiteral("reminders"),
                          QJsonObject{{QStringLiteral("useDefault"), true}});
        QCOMPARE(compact(Google::mergeIntoItem(onDefaults, event)
                             .value(QStringLiteral("reminders"))
                             .toObject()),
                 QStringLiteral("{\"useDefault\":true}"));
    }

    void occurrenceIdsReadBack_data()
    {
        QTest::addColumn<QString>("recurrenceId");
        QTest::addColumn<QString>("zone");
        QTest::newRow("winter") << "20260303T080000Z"
                                << "Europe/Berlin";
        QTest::newRow("all-day") << "20260303"
                                 << "Europe/Berlin";
        // Berlin's local mean time, +00:53:28, does not fit a text offset of whole minutes.
        QTest::newRow("local mean time") << "10130303T080000Z"
                                         << "Europe/Berlin";
        QTest::newRow("no real zone") << "20260303T080000Z"
                                      << "Not/AZone";
    }

    void occurrenceIdsReadBack()
    {
        QFETCH(QString, recurrenceId);
        QFETCH(QString, zone);
        const QJsonObject original = Google::originalStartToJson(recurrenceId, zone);
        QCOMPARE(Google::recurrenceIdFromJson(
                     QJsonObject{{QStringLiteral("originalStartTime"), original}}),
                 recurrenceId);
    }

    void clientIds()
    {
        const QString uuid = QStringLiteral("3F2504E0-4F89-41D3-9A0C-0305E82C3301");
        QCOMPARE(Google::clientEventId(uuid), QStringLiteral("3f2504e04f8941d39a0c0305e82c3301"));
        const QString other = QStringLiteral("imported@example.com");
        QCOMPARE(Google::clientEventId(other), Google::clientEventId(other));
        QVERIFY(QRegularExpression(QStringLiteral("^[0-9a-v]{40}$"))
                    .match(Google::clientEventId(other))
                    .hasMatch());
    }

    void cancelledOccurrences()
    {
        QVERIFY(!Google::cancelledOccurrence(json(movedInstance)));
        QJsonObject cancelled = json(movedInstance);
        cancelled.insert(QStringLiteral("status"), QStringLiteral("cancelled"));
        const auto occurrence = Google::cancelledOccurrence(cancelled);
        QVERIFY(occurrence);
        QCOMPARE(occurrence->masterId, QStringLiteral("abc"));
        QCOMPARE(occurrence->recurrenceId, QStringLiteral("20260303T080000Z"));
        QVERIFY(!Google::cancelledOccurrence(json("{\"id\":\"single\",\"status\":\"cancelled\"}")));
    }
};

QTEST_GUILESS_MAIN(TestGoogleEventMapping)
#include "tst_googleeventmapping.moc"

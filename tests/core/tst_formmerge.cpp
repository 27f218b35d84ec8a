#include "FormMerge.h"
#include "TestTime.h"

#include <QTest>

using FormMerge::Field;
using TestTime::utc;

namespace {

// One field of an event set from a short text: times as "hh:mm" starts of an hour-long event,
// reminders as minutes and attendees as address:answer, each comma-separated.
void setEventField(Event& event, const QString& field, const QString& value)
{
    if (field == QLatin1String("title")) {
        event.title = value;
    } else if (field == QLatin1String("description")) {
        event.description = value;
    } else if (field == QLatin1String("times")) {
        event.startTime = QDateTime(QDate(2026, 3, 11), QTime::fromString(value), Qt::UTC);
        event.endTime = event.startTime.addSecs(3600);
    } else if (field == QLatin1String("rule")) {
        event.recurrenceRule = value;
    } else if (field == QLatin1String("reminders")) {
        event.reminders.clear();
        for (const QString& minutes : value.split(u',', Qt::SkipEmptyParts))
            event.reminders.emplace_back().minutesBefore = minutes.toInt();
    } else if (field == QLatin1String("attendees")) {
        event.attendees.clear();
        for (const QString& text : value.split(u',', Qt::SkipEmptyParts)) {
            Attendee& attendee = event.attendees.emplace_back();
            attendee.email = text.section(u':', 0, 0);
            attendee.status = text.section(u':', 1);
        }
    }
}

Event baseEvent()
{
    Event event;
    event.id = QStringLiteral("ev-1");
    event.title = QStringLiteral("Review");
    event.description = QStringLiteral("Original description");
    event.location = QStringLiteral("Room 1");
    event.startTime = utc(2026, 3, 11, 14);
    event.endTime = utc(2026, 3, 11, 15);
    event.timezone = QStringLiteral("Europe/Berlin");
    return event;
}

} // namespace

class TestFormMerge : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // One field as the form opened it, as stored now and as the form holds it: the user's value
    // where the user changed it, named when it replaced another change.
    void eventField_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("opened");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("edited");
        QTest::addColumn<QString>("written");
        QTest::addColumn<bool>("replaced");
        // clang-format off
        QTest::newRow("untouched, changed elsewhere") << "description" << "A" << "B" << "A" << "B" << false;
        QTest::newRow("changed by the user") << "description" << "A" << "A" << "C" << "C" << false;
        QTest::newRow("both, alike") << "description" << "A" << "B" << "B" << "B" << false;
        QTest::newRow("both, apart") << "description" << "A" << "B" << "C" << "C" << true;
        QTest::newRow("times untouched") << "times" << "14:00" << "16:00" << "14:00" << "16:00" << false;
        QTest::newRow("rule untouched") << "rule" << "FREQ=DAILY" << "FREQ=WEEKLY" << "FREQ=DAILY" << "FREQ=WEEKLY" << false;
        QTest::newRow("rule alike in other spelling") << "rule" << "FREQ=DAILY" << "FREQ=DAILY;;INTERVAL=2" << "FREQ=DAILY;INTERVAL=2" << "FREQ=DAILY;INTERVAL=2" << false;
        QTest::newRow("reminders untouched") << "reminders" << "15" << "15,60" << "15" << "15,60" << false;
        QTest::newRow("reminders both") << "reminders" << "15" << "15,60" << "30" << "30" << true;
        QTest::newRow("attendee's answer elsewhere") << "attendees" << "a@x:needs-action" << "a@x:accepted" << "a@x:needs-action" << "a@x:accepted" << false;
        QTest::newRow("attendee added, answer elsewhere") << "attendees" << "a@x:needs-action" << "a@x:accepted" << "a@x:needs-action,b@x:" << "a@x:needs-action,b@x:" << true;
        // clang-format on
    }
    void eventField()
    {
        QFETCH(QString, field);
        QFETCH(QString, opened);
        QFETCH(QString, stored);
        QFETCH(QString, edited);
        QFETCH(QString, written);
        const auto with = [&field](const QString& value) {
            Event event = baseEvent();
            setEventField(event, field, value);
            return event;
        };
        const FormMerge::Merged<Event> merged =
            FormMerge::event(with(opened), with(opened), with(stored), with(edited));
        Event expected = with(written);
        QCOMPARE(merged.record.title, expected.title);
        QCOMPARE(merged.record.description, expected.description);
        QCOMPARE(merged.record.startTime, expected.startTime);
        QCOMPARE(merged.record.recurrenceRule, expected.recurrenceRule);
        QCOMPARE(merged.record.reminders.size(), expected.reminders.size());
        QCOMPARE(merged.record.attendees.size(), expected.attendees.size());
        QCOMPARE(merged.record.attendees.value(0).status, expected.attendees.value(0).status);
        QFETCH(bool, replaced);
        QCOMPARE(merged.replaced.size(), replaced ? 1 : 0);
    }

    // A sync changed the title, the description and the times, the user the location: the row
    // keeps what the form does not show, the sync's fields and the user's. The user's change is
    // measured against what the form showed, which may round what was stored (seconds of a
    // start); a field that changed nowhere is written as the form holds it.
    void untouchedFieldsKeepTheStoredValues()
    {
        Event opened = baseEvent();
        opened.startTime = opened.startTime.addSecs(30);
        opened.recurrenceRule = QStringLiteral("FREQ=DAILY;;COUNT=2");
        Event shown = baseEvent();
        shown.recurrenceRule = QStringLiteral("FREQ=DAILY;COUNT=2");
        Event stored = opened;
        stored.title = QStringLiteral("Review (moved)");
        stored.description = QStringLiteral("Changed elsewhere");
        stored.startTime = stored.startTime.addSecs(3600);
        stored.etag = QStringLiteral("etag-2");
        Event edited = shown;
        edited.location = QStringLiteral("Room 2");

        const FormMerge::Merged<Event> merged = FormMerge::event(opened, shown, stored, edited);
        QCOMPARE(
            (QStringList{merged.record.title, merged.record.description, merged.record.location,
                         merged.record.etag, merged.record.recurrenceRule}),
            (QStringList{"Review (moved)", "Changed elsewhere", "Room 2", "etag-2",
                         "FREQ=DAILY;COUNT=2"}));
        QCOMPARE(merged.record.startTime, stored.startTime);
        QVERIFY(merged.replaced.isEmpty());

        // Both changed the title and the times: the user's win, and both are named in order.
        edited.title = QStringLiteral("Retro");
        edited.startTime = utc(2026, 3, 12, 9);
        stored.startTime = utc(2026, 3, 11, 16);
        const FormMerge::Merged<Event> both = FormMerge::event(opened, shown, stored, edited);
        QCOMPARE(both.record.title, QStringLiteral("Retro"));
        QCOMPARE(both.record.startTime, edited.startTime);
        QCOMPARE(both.replaced, (QList<Field>{Field::Title, Field::Times}));
    }
};

QTEST_APPLESS_MAIN(TestFormMerge)
#include "tst_formmerge.moc"

#include "FormMerge.h"
#include "TestTime.h"

#include <QTest>

using FormMerge::Field;
using TestTime::utc;

namespace {

// An event with one field set from a short text: times as the hour an hour-long event starts,
// reminders as minutes and attendees as address:answer, each comma-separated.
Event with(const QString& field, const QString& value)
{
    const auto is = [&field](const char* name) { return field == QLatin1String(name); };
    Event event;
    event.title = QStringLiteral("Review");
    event.description = is("description") ? value : QString();
    event.recurrenceRule = is("rule") ? value : QString();
    event.startTime = utc(2026, 3, 11, is("times") ? value.toInt() : 14);
    event.endTime = event.startTime.addSecs(3600);
    for (const QString& item : value.split(u',', Qt::SkipEmptyParts)) {
        if (is("reminders"))
            event.reminders.emplace_back().minutesBefore = item.toInt();
        if (is("attendees")) {
            Attendee& attendee = event.attendees.emplace_back();
            attendee.email = item.section(u':', 0, 0);
            attendee.status = item.section(u':', 1);
        }
    }
    return event;
}

// The fields the merge decides on and one it leaves to the stored row (the etag), as one text.
QString summary(const Event& event)
{
    QStringList parts{event.title, event.description, event.location, event.etag};
    parts << event.startTime.toString(Qt::ISODate) << event.recurrenceRule;
    for (const Reminder& reminder : event.reminders)
        parts.append(QString::number(reminder.minutesBefore));
    for (const Attendee& attendee : event.attendees)
        parts.append(attendee.email + u':' + attendee.status);
    return parts.join(u'|');
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
        QTest::newRow("times untouched") << "times" << "14" << "16" << "14" << "16" << false;
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
        QFETCH(bool, replaced);
        const FormMerge::Merged<Event> merged = FormMerge::event(
            with(field, opened), with(field, opened), with(field, stored), with(field, edited));
        QCOMPARE(summary(merged.record), summary(with(field, written)));
        QCOMPARE(merged.replaced.size(), replaced ? 1 : 0);
    }

    // The user's change is measured against what the form showed, which may round what was
    // stored (a start's seconds, a rule's spelling): a field that changed nowhere is written as
    // the form holds it, what the form does not show is the stored row's, and the fields both
    // changed are named in order.
    void measuredAgainstWhatTheFormShowed()
    {
        Event opened = with(QStringLiteral("rule"), QStringLiteral("FREQ=DAILY;;COUNT=2"));
        opened.startTime = opened.startTime.addSecs(30);
        const Event shown = with(QStringLiteral("rule"), QStringLiteral("FREQ=DAILY;COUNT=2"));
        Event stored = opened;
        stored.title = QStringLiteral("Moved");
        stored.startTime = stored.startTime.addSecs(3600);
        stored.etag = QStringLiteral("etag-2");
        Event edited = shown;
        edited.location = QStringLiteral("Room 2");
        FormMerge::Merged<Event> merged = FormMerge::event(opened, shown, stored, edited);
        QCOMPARE(
            summary(merged.record),
            QStringLiteral("Moved||Room 2|etag-2|2026-03-11T15:00:30+00:00|FREQ=DAILY;COUNT=2"));
        QVERIFY(merged.replaced.isEmpty());

        edited.title = QStringLiteral("Retro");
        edited.startTime = utc(2026, 3, 12, 9);
        merged = FormMerge::event(opened, shown, stored, edited);
        QCOMPARE(
            summary(merged.record),
            QStringLiteral("Retro||Room 2|etag-2|2026-03-12T09:00:00+00:00|FREQ=DAILY;COUNT=2"));
        QCOMPARE(merged.replaced, (QList<Field>{Field::Title, Field::Times}));
    }
};

QTEST_APPLESS_MAIN(TestFormMerge)
#include "tst_formmerge.moc"

#include "FilterEngine.h"

#include <QTest>
#include <QTimeZone>

namespace {

// 2025-03-03 is a Monday. Starts are built in the machine's zone, as the user sees them.
QDateTime localAt(int day, int hour, int minute, int second = 0)
{
    return QDateTime(QDate(2025, 3, day), QTime(hour, minute, second), QTimeZone::systemTimeZone());
}

Event makeEvent(const QString& title, const QDateTime& start = localAt(3, 10, 0))
{
    Event e;
    e.id = QStringLiteral("e-") + title;
    e.uid = e.id;
    e.calendarId = QStringLiteral("cal-a");
    e.title = title;
    e.startTime = start;
    e.endTime = start.addSecs(3600);
    return e;
}

FilterRule rule(const QString& conditions, const QString& action = QStringLiteral("hide"),
                int priority = 100)
{
    FilterRule r;
    r.id = QStringLiteral("r-%1").arg(priority);
    r.conditions = conditions;
    r.action = action;
    r.priority = priority;
    return r;
}

QString pattern(const QString& body)
{
    return QStringLiteral(R"({"runtimeType":"pattern",%1})").arg(body);
}

QString timeRule(const QString& body)
{
    return QStringLiteral(R"({"runtimeType":"time",%1})").arg(body);
}

// "hide", "dim", "dim, muted" or "" for the decision of apply() on a single event.
QString decision(const Event& e, const QList<FilterRule>& rules)
{
    const FilterResult result = FilterEngine::apply({e}, rules);
    if (result.hiddenCount == 1 && result.visibleEvents.isEmpty() && result.isReminderSuppressed(e))
        return QStringLiteral("hide");
    if (result.hiddenCount != 0 || result.visibleEvents.size() != 1)
        return QStringLiteral("inconsistent result");
    if (!result.isDimmed(e))
        return result.isReminderSuppressed(e) ? QStringLiteral("muted only") : QString();
    return result.isReminderSuppressed(e) ? QStringLiteral("dim, muted") : QStringLiteral("dim");
}

// The one rule of a row.
QList<FilterRule> only(const QString& conditions, const QString& action = QStringLiteral("hide"))
{
    return {rule(conditions, action)};
}

} // namespace

class TestFilterEngine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void decidesOneEvent_data()
    {
        QTest::addColumn<Event>("event");
        QTest::addColumn<QList<FilterRule>>("rules");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, const Event& event, const QList<FilterRule>& rules,
                            const char* expected) {
            QTest::newRow(name) << event << rules << QString::fromUtf8(expected);
        };
        // The one pattern or time rule of a row, hiding unless told otherwise.
        const auto byPattern = [](const char* body, const char* action = "hide") {
            return only(pattern(QString::fromUtf8(body)), QString::fromUtf8(action));
        };
        const auto byTime = [](const char* body) {
            return only(timeRule(QString::fromUtf8(body)));
        };
        const auto stand = [](const char* action, int priority) {
            return rule(pattern(R"("titleContains":["stand"])"), action, priority);
        };

        const Event standup = makeEvent(QStringLiteral("Daily STANDUP"));
        Event described = makeEvent(QStringLiteral("Review"));
        described.description = QStringLiteral("Bring the Budget");
        described.location = QStringLiteral("Room 4");
        // clang-format off
        row("no rules", standup, {}, "");
        row("contains ignores case", standup, byPattern(R"("titleContains":["standup"])"), "hide");
        row("contains respects case when asked", standup,
            byPattern(R"("titleContains":["standup"],"caseSensitive":true)"), "");
        row("exact needs the whole title", standup, byPattern(R"("titleExact":["daily"])"), "");
        row("exact whole title", standup, byPattern(R"("titleExact":["daily standup"])"), "hide");
        row("phrase is literal, not a pattern", standup,
            byPattern(R"("titleContains":["d.*p"])"), "");
        row("empty phrase matches nothing", standup,
            byPattern(R"("titleContains":["zzz",""])"), "");
        row("blank phrase matches nothing", standup, byPattern(R"("titleContains":[" "])"), "");
        row("empty exact title matches nothing", makeEvent(QString()),
            byPattern(R"("titleExact":[""])"), "");
        row("non-string phrase is empty", standup, byPattern(R"("titleContains":[3, null])"), "");
        row("four empty lists match nothing", standup, byPattern(R"("caseSensitive":false)"), "");
        row("description phrase", described,
            byPattern(R"("descriptionContains":["budget"])", "dim"), "dim");
        row("location phrase", described, byPattern(R"("locationContains":["room"])"), "hide");
        row("dim before hide by priority", standup, {stand("hide", 5), stand("dim", 1)}, "dim");
        row("unknown action decides and leaves visible", standup,
            {stand("show", 1), stand("hide", 2)}, "");
        row("action compared exactly", standup, {stand("Hide", 1)}, "");
        // clang-format on

        FilterRule disabled = stand("hide", 1);
        disabled.enabled = false;
        FilterRule deleted = stand("hide", 2);
        deleted.deletedAt = QDateTime(QDate(2025, 1, 1), QTime(0, 0), Qt::UTC);
        row("disabled and deleted rules are inert", standup, {disabled, deleted}, "");
        FilterRule otherCalendar = stand("hide", 1);
        otherCalendar.calendarIds = QStringLiteral(R"(["cal-b"])");
        FilterRule ownCalendar = stand("dim", 2);
        ownCalendar.calendarIds = QStringLiteral(R"(["cal-b","cal-a"])");
        row("scope passes over other calendars", standup, {otherCalendar, ownCalendar}, "dim");
        FilterRule brokenScope = stand("hide", 1);
        brokenScope.calendarIds = QStringLiteral("{not json");
        row("unreadable scope means every calendar", standup, {brokenScope}, "hide");
        for (const char* conditions :
             {"", "[]", "{}", R"({"runtimeType":"Pattern","titleContains":["stand"]})",
              "{broken"}) {
            QTest::newRow(qPrintable(QStringLiteral("inert conditions '%1'").arg(conditions)))
                << standup << only(QString::fromUtf8(conditions)) << "";
        }

        const auto at = [](int hour, int minute, int second = 0) {
            return makeEvent(QStringLiteral("x"), localAt(3, hour, minute, second));
        };
        const char* office = R"("timeRange":{"start":"09:00","end":"17:00"})";
        const char* monFri = R"("daysOfWeek":["Mon","fri"])";
        Event allDay = makeEvent(QStringLiteral("Holiday"),
                                 QDateTime(QDate(2025, 3, 3), QTime(0, 0), Qt::UTC));
        allDay.isAllDay = true;
        // clang-format off
        row("exact time ignores seconds", at(9, 0, 40), byTime(R"("timeExact":"09:00")"), "hide");
        row("exact time other minute", at(9, 1), byTime(R"("timeExact":"09:00")"), "");
        row("range includes start", at(9, 0), byTime(office), "hide");
        row("range includes end", at(17, 0), byTime(office), "hide");
        row("range excludes after", at(17, 1), byTime(office), "");
        row("range does not wrap midnight", at(23, 0),
            byTime(R"("timeRange":{"start":"22:00","end":"02:00"})"), "");
        row("open-ended range", at(18, 0), byTime(R"("timeRange":{"start":"17:30"})"), "hide");
        row("weekday listed", at(10, 0), byTime(monFri), "hide");
        row("weekday not listed", makeEvent(QStringLiteral("x"), localAt(4, 10, 0)),
            byTime(monFri), "");
        row("long weekday names map to nothing", at(10, 0),
            byTime(R"("daysOfWeek":["monday"])"), "");
        row("recurring only, no criterion", at(10, 0), byTime(R"("recurringOnly":true)"), "");
        row("recurring only skips single events", at(9, 0),
            byTime(R"("timeExact":"09:00","recurringOnly":true)"), "");
        row("all-day rule", allDay, only(R"({"runtimeType":"allDay"})"), "hide");
        row("all-day rule, recurring only", allDay,
            only(R"({"runtimeType":"allDay","recurringOnly":true})"), "");
        // All-day events keep their date in every zone, so a weekday rule sees Monday.
        row("all-day event by its date", allDay, byTime(R"("daysOfWeek":["mon"])"), "hide");
        // clang-format on

        Event remote = makeEvent(QStringLiteral("Synced"));
        remote.providerEventId = QStringLiteral("google-17");
        FilterRule specific = rule(R"({"runtimeType":"specific"})");
        specific.eventUid = QStringLiteral("google-17");
        specific.eventCalendarId = QStringLiteral("cal-a");
        row("specific by provider id", remote, {specific}, "hide");
        specific.eventCalendarId = QStringLiteral("cal-b");
        row("specific needs its calendar", remote, {specific}, "");
    }

    void decidesOneEvent()
    {
        QFETCH(Event, event);
        QFETCH(QList<FilterRule>, rules);
        QFETCH(QString, expected);
        QCOMPARE(decision(event, rules), expected);
        const std::optional<FilterRule> deciding = FilterEngine::matchingRule(event, rules);
        if (!expected.isEmpty()) {
            QVERIFY(deciding.has_value());
            QCOMPARE(deciding->action, expected);
        }
    }

    // Only a rule that apply() would use and that hides can hide anything; the views skip
    // counting hidden events without one.
    void hidesAnyOnlyWithAUsableHideRule_data()
    {
        QTest::addColumn<QList<FilterRule>>("rules");
        QTest::addColumn<bool>("hides");
        const QString all = pattern(R"("titleContains":["a"])");
        FilterRule disabled = rule(all);
        disabled.enabled = false;
        FilterRule deleted = rule(all);
        deleted.deletedAt = localAt(3, 9, 0);
        QTest::newRow("none") << QList<FilterRule>() << false;
        QTest::newRow("dim only") << only(all, "dim") << false;
        QTest::newRow("hide") << only(all) << true;
        QTest::newRow("hide disabled") << QList<FilterRule>{disabled} << false;
        QTest::newRow("hide deleted") << QList<FilterRule>{deleted} << false;
        QTest::newRow("hide unreadable") << only(QStringLiteral("{not json")) << false;
        QTest::newRow("dim before hide")
            << QList<FilterRule>{rule(all, "dim", 1), rule(all)} << true;
    }

    void hidesAnyOnlyWithAUsableHideRule()
    {
        QFETCH(QList<FilterRule>, rules);
        QFETCH(bool, hides);
        QCOMPARE(FilterEngine::hidesAny(rules), hides);
    }

    // A dim rule for Mondays must not dim the Wednesday occurrences of the same series, and the
    // hidden count counts occurrences. The two in the evening carry no recurrence id: their
    // starts tell them apart. What stays visible keeps the input order.
    void decisionsBelongToOccurrences()
    {
        Event series = makeEvent(QStringLiteral("Gym"));
        series.recurrenceRule = QStringLiteral("FREQ=WEEKLY;BYDAY=MO,WE");
        QList<Event> occurrences;
        for (int day : {10, 3, 12, 5}) {
            Event occurrence = series;
            occurrence.startTime = localAt(day, day < 6 ? 7 : 19, 0);
            if (day < 6)
                occurrence.recurrenceId =
                    occurrence.startTime.toUTC().toString(QStringLiteral("yyyyMMddTHHmmssZ"));
            occurrences.append(occurrence);
        }
        FilterRule dimMondays = rule(timeRule(R"("daysOfWeek":["mon"])"), "dim", 1);
        dimMondays.suppressReminders = true;
        const FilterRule hideEvenings =
            rule(timeRule(R"("timeRange":{"start":"18:00"})"), "hide", 2);

        const FilterResult result = FilterEngine::apply(occurrences, {hideEvenings, dimMondays});
        QList<int> visibleDays;
        for (const Event& e : result.visibleEvents)
            visibleDays.append(e.startTime.date().day());
        QCOMPARE(visibleDays, QList<int>({10, 3, 5})); // the 12th (Wed evening) is hidden
        QCOMPARE(result.hiddenCount, 1);
        QVERIFY(result.isDimmed(occurrences[0]));  // Mon 10th, evening, but dim decides first
        QVERIFY(result.isDimmed(occurrences[1]));  // Mon 3rd
        QVERIFY(!result.isDimmed(occurrences[2])); // Wed 12th
        QVERIFY(!result.isDimmed(occurrences[3])); // Wed 5th
        QVERIFY(result.isReminderSuppressed(occurrences[1]));
        QVERIFY(result.isReminderSuppressed(occurrences[2]));
        QVERIFY(!result.isReminderSuppressed(occurrences[3]));
        QCOMPARE(result.dimmedIds.size(), 2);
        QCOMPARE(result.reminderSuppressedIds.size(), 3);
    }
};

QTEST_GUILESS_MAIN(TestFilterEngine)
#include "tst_filterengine.moc"

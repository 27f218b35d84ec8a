#include "AppState.h"
#include "AppStateFixture.h"
#include "CalendarRepository.h"
#include "EventRepository.h"
#include "FilterRuleRepository.h"
#include "ViewRepository.h"
#include "VisibleEvents.h"

#include <QTest>
#include <QTimeZone>

namespace {

const QString personal = AppState::localCalendarId;

QDateTime local(int hour)
{
    return QDateTime(AppStateFixture::defaultNow().date(), QTime(hour, 0),
                     QTimeZone::systemTimeZone());
}

Event timedEvent(const QString& id, const QString& calendarId, int hour)
{
    Event e;
    e.id = e.uid = e.title = id;
    e.calendarId = calendarId;
    e.startTime = local(hour);
    e.endTime = local(hour + 1);
    e.created = e.lastModified = AppStateFixture::defaultNow().toUTC();
    return e;
}

FilterRule rule(const QString& id, const QString& titleWord, const QString& action)
{
    FilterRule r;
    r.id = r.name = id;
    r.type = QStringLiteral("pattern");
    r.action = action;
    r.conditions =
        QStringLiteral(R"({"runtimeType":"pattern","titleContains":["%1"]})").arg(titleWord);
    r.createdAt = r.updatedAt = AppStateFixture::defaultNow().toUTC();
    return r;
}

CalendarView group(const QString& id, const QString& listed)
{
    CalendarView view;
    view.id = view.name = id;
    view.calendarIds = listed;
    return view;
}

QStringList sortedIds(const QList<Event>& events)
{
    QStringList ids;
    for (const Event& e : events)
        ids.append(e.id);
    ids.sort();
    return ids;
}

} // namespace

class TestVisibleEvents : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A day of the seeded visible calendar (a dimmed, a hidden and a plain event) and of a hidden
    // calendar, under each View and each option a caller passes.
    void load_data()
    {
        QTest::addColumn<QString>("activeView");
        QTest::addColumn<bool>("everyCalendar");
        QTest::addColumn<bool>("ownRule");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QStringList>("dimmed");
        QTest::addColumn<int>("hidden");

        const QStringList visibleDay{"boring", "standup"};
        QTest::newRow("All Calendars")
            << "all-calendars" << false << false << visibleDay << QStringList{"boring"} << 1;
        QTest::newRow("a group of the hidden calendar")
            << "work" << false << false << QStringList{"elsewhere"} << QStringList{} << 0;
        QTest::newRow("a group that is gone shows what All Calendars shows")
            << "gone" << false << false << visibleDay << QStringList{"boring"} << 1;
        QTest::newRow("a removed group shows what All Calendars shows")
            << "removed" << false << false << visibleDay << QStringList{"boring"} << 1;
        QTest::newRow("every calendar under one rule of the caller's")
            << "work" << true << true << QStringList{"boring", "elsewhere", "secret"}
            << QStringList{} << 1;
    }

    void load()
    {
        QFETCH(QString, activeView);
        QFETCH(bool, everyCalendar);
        QFETCH(bool, ownRule);

        AppStateFixture fixture;
        QVERIFY(fixture.start());
        AppState* state = fixture.state();
        Calendar hidden;
        hidden.id = hidden.name = QStringLiteral("hidden");
        hidden.accountId = AppState::localAccountId;
        hidden.isVisible = false;
        hidden.createdAt = hidden.updatedAt = AppStateFixture::defaultNow().toUTC();
        QVERIFY(state->calendars()->insert(hidden));
        for (const Event& e :
             {timedEvent("standup", personal, 9), timedEvent("boring", personal, 11),
              timedEvent("secret", personal, 13), timedEvent("elsewhere", "hidden", 9)})
            QVERIFY(state->events()->insert(e));
        QVERIFY(state->filterRules()->insert(rule("dim", "boring", "dim")));
        QVERIFY(state->filterRules()->insert(rule("hide", "secret", "hide")));
        QVERIFY(state->views()->insert(group("work", R"(["hidden"])")));
        QVERIFY(state->views()->insert(group("removed", R"(["hidden"])")));
        QVERIFY(state->views()->remove("removed"));
        state->setActiveViewId(activeView);

        VisibleEvents::Options options;
        if (everyCalendar)
            options.calendars = VisibleEvents::Calendars::Every;
        if (ownRule)
            options.rules = QList<FilterRule>{rule("own", "standup", "hide")};
        const VisibleEvents::Result result =
            VisibleEvents::load(state, local(0), local(0).addDays(1), options);

        QTEST(sortedIds(result.filtered.visibleEvents), "shown");
        QStringList dimmed;
        for (const FilterEngine::OccurrenceKey& key : result.filtered.dimmedIds)
            dimmed.append(key.id);
        QTEST(dimmed, "dimmed");
        QTEST(result.filtered.hiddenCount, "hidden");
        QCOMPARE(result.occurrences.size(),
                 result.filtered.visibleEvents.size() + result.filtered.hiddenCount);
        if (everyCalendar) {
            QVERIFY(result.calendarIds.isEmpty());
        } else {
            QCOMPARE(result.calendarIds, VisibleEvents::calendarIds(state));
            QCOMPARE(result.calendars.size(), 2);
        }
    }
};

QTEST_MAIN(TestVisibleEvents)
#include "tst_visibleevents.moc"

#include "AppState.h"
#include "AppStateFixture.h"
#include "CalendarRepository.h"
#include "EventRepository.h"
#include "FilterRuleRepository.h"
#include "Limits.h"
#include "ViewData.h"

#include <QTest>
#include <QTimeZone>

namespace {

Calendar calendar(const QString& id, bool visible)
{
    Calendar c;
    c.id = id;
    c.name = id;
    c.isVisible = visible;
    return c;
}

QDateTime local(int dayOffset, int hour)
{
    return QDateTime(AppStateFixture::defaultNow().date().addDays(dayOffset), QTime(hour, 0),
                     QTimeZone::systemTimeZone());
}

Event timedEvent(const QString& id, const QString& calendarId, const QDateTime& start, int hours)
{
    Event e;
    e.id = e.uid = id;
    e.calendarId = calendarId;
    e.title = id;
    e.startTime = start;
    e.endTime = start.addSecs(hours * 3600);
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

} // namespace

class TestViewData : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void itemColor_data()
    {
        QTest::addColumn<QString>("own");
        QTest::addColumn<QString>("calendarId");
        QTest::addColumn<QString>("colour");
        const auto row = [](const char* name, const char* own, const char* calendar,
                            const char* colour) {
            QTest::newRow(name) << QString(own) << QString(calendar) << QString(colour);
        };
        row("own colour", "#112233", "cal", "#112233");
        row("calendar colour", "", "cal", "#aabbcc");
        row("deleted calendar", "", "gone", "#4285f4");
        row("unreadable", "not a colour", "cal", "#4285f4");
    }

    void itemColor()
    {
        QFETCH(QString, own);
        QFETCH(QString, calendarId);
        Event e;
        e.color = own;
        e.calendarId = calendarId;
        QTEST(ViewData::itemColor(e, {{"cal", "#aabbcc"}}).name(), "colour");
    }

    // What every view elides to one line: a megabyte title reaches the painters cut to the
    // bound a row lays out, so a view switch does not lay out the whole of it.
    void shownTitle_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("shown");
        QTest::newRow("own") << QStringLiteral("Standup") << QStringLiteral("Standup");
        QTest::newRow("none") << QString() << QStringLiteral("(Untitled)");
        QTest::newRow("a megabyte")
            << QString(1 << 20, QLatin1Char('x'))
            << QString(Limits::maxRowTextChars, QLatin1Char('x')) + QStringLiteral("…");
    }

    void shownTitle()
    {
        QFETCH(QString, title);
        Event e;
        e.title = title;
        QTEST(ViewData::shownTitle(e), "shown");
    }

    // One day's reload over a real store: series expanded (also the part of last night's
    // occurrence that reaches into the day), rules applied per occurrence, every calendar's
    // colour, and nothing from calendars the View does not show.
    void loadsTheDay()
    {
        AppStateFixture fixture;
        QVERIFY(fixture.start());
        AppState* state = fixture.state();
        const QString personal = AppState::localCalendarId;
        Calendar hidden = calendar("hidden", false);
        hidden.accountId = AppState::localAccountId;
        hidden.color = QStringLiteral("#00ff00");
        hidden.createdAt = hidden.updatedAt = AppStateFixture::defaultNow().toUTC();
        QVERIFY(state->calendars()->insert(hidden));

        Event night = timedEvent("night", personal, local(-5, 22), 4);
        night.recurrenceRule = QStringLiteral("FREQ=DAILY");
        night.timezone = QString::fromUtf8(QTimeZone::systemTimeZoneId());
        QVERIFY(state->events()->insert(night));
        for (const Event& e : {timedEvent("standup", personal, local(0, 9), 1),
                               timedEvent("boring standup", personal, local(0, 11), 1),
                               timedEvent("secret", personal, local(0, 13), 1),
                               timedEvent("tomorrow", personal, local(1, 9), 1),
                               timedEvent("elsewhere", "hidden", local(0, 9), 1)})
            QVERIFY(state->events()->insert(e));
        QVERIFY(state->filterRules()->insert(rule("dim", "boring", "dim")));
        QVERIFY(state->filterRules()->insert(rule("hide", "secret", "hide")));

        const ViewData::Result day = ViewData::load(state, ViewData::rangeStart(local(0, 0).date()),
                                                    ViewData::rangeEnd(local(0, 0).date(), 1));
        QStringList shown;
        for (const Event& e : day.events)
            shown.append(e.id + e.startTime.toTimeZone(QTimeZone::systemTimeZone())
                                    .toString(QStringLiteral(" dd HH:mm")));
        shown.sort();
        const QString today = local(0, 0).toString(QStringLiteral("dd"));
        const QString yesterday = local(-1, 0).toString(QStringLiteral("dd"));
        QStringList expected{"boring standup " + today + " 11:00", "night " + today + " 22:00",
                             "night " + yesterday + " 22:00", "standup " + today + " 09:00"};
        expected.sort();
        QCOMPARE(shown, expected);
        QCOMPARE(day.hiddenCount, 1);
        QCOMPARE(day.dimmed.size(), 1);
        QCOMPARE(day.dimmed.values().first().id, QStringLiteral("boring standup"));
        QCOMPARE(day.calendarColors.value("hidden"), QStringLiteral("#00ff00"));
        QVERIFY(day.calendarColors.contains(personal));
    }
};

QTEST_MAIN(TestViewData)
#include "tst_viewdata.moc"

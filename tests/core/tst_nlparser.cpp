#include "NLParser.h"
#include "PinnedClock.h"

#include <QTest>
#include <QTimeZone>

namespace {

const QString minuteFormat = QStringLiteral("yyyy-MM-dd HH:mm");

// Wednesday 2025-03-05, 15:10:20 on the machine's clock.
QDateTime pinnedNow()
{
    return QDateTime(QDate(2025, 3, 5), QTime(15, 10, 20), QTimeZone::systemTimeZone());
}

QString local(const QDateTime& dateTime)
{
    return dateTime.toTimeZone(QTimeZone::systemTimeZone()).toString(minuteFormat);
}

} // namespace

class TestNLParser : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parse_data()
    {
        QTest::addColumn<QString>("text");
        // "title|start|end|flags" with flags "A" (all day), "T" (has time) or "-", the end empty
        // when there is none; "none" for no event.
        QTest::addColumn<QString>("expected");

        const auto row = [](const char* text, const char* expected) {
            QTest::newRow(text) << QString::fromUtf8(text) << QString::fromUtf8(expected);
        };
        row(" ", "|2025-03-05 15:30||-");
        row("Lunch tomorrow at noon", "Lunch|2025-03-06 12:00|2025-03-06 13:00|T");
        row("Dentist wednesday", "Dentist|2025-03-05 00:00|2025-03-06 00:00|A");
        row("Dentist next wed", "Dentist|2025-03-12 00:00|2025-03-13 00:00|A");
        row("Standup on mon 9:30am for 15 min", "Standup|2025-03-10 09:30|2025-03-10 09:45|T");
        row("Review from 2 to 4pm", "Review|2025-03-05 14:00|2025-03-05 16:00|T");
        row("Shift from 10pm to 1am", "Shift|2025-03-05 22:00|2025-03-06 01:00|T");
        row("Call from 11 to 1pm", "Call|2025-03-05 23:00|2025-03-06 13:00|T");
        row("from 3 to 3", "|2025-03-05 03:00|2025-03-06 03:00|T");
        row("Trip in 2 weeks", "Trip|2025-03-19 00:00|2025-03-20 00:00|A");
        row("Party mar 5", "Party|2025-03-05 00:00|2025-03-06 00:00|A");
        row("Party jan 5", "Party|2026-01-05 00:00|2026-01-06 00:00|A");
        row("Fair sept 3", "Fair|2025-09-03 00:00|2025-09-04 00:00|A");
        row("Sync at 1430", "Sync|2025-03-05 14:30|2025-03-05 15:30|T");
        row("Sync at 2460", "Sync at 2460|2025-03-05 15:30|2025-03-05 16:30|-");
        row("at 7", "|2025-03-05 07:00|2025-03-05 08:00|T");
        row("7pm", "|2025-03-05 19:00|2025-03-05 20:00|T");
        row("12am", "|2025-03-05 00:00|2025-03-05 01:00|T");
        row("12pm", "|2025-03-05 12:00|2025-03-05 13:00|T");
        row("13pm", "|2025-03-05 13:00|2025-03-05 14:00|T");
        row("Late at 25", "Late at 25|2025-03-05 15:30|2025-03-05 16:30|-");
        row("Call mom at 25pm", "Call mom at 25pm|2025-03-05 15:30|2025-03-05 16:30|-");
        row("Call at 9:75", "Call at 9:75|2025-03-05 15:30|2025-03-05 16:30|-");
        row("Shift from 10 to 25 tomorrow",
            "Shift from 10 to 25|2025-03-06 00:00|2025-03-07 00:00|A");
        row("Call mom at 25pm tomorrow", "Call mom at 25pm|2025-03-06 00:00|2025-03-07 00:00|A");
        row("tomorrow for 2 hours", "|2025-03-06 00:00|2025-03-07 00:00|A");
        row("Gym for 45 min", "Gym|2025-03-05 15:30|2025-03-05 16:15|-");
        row("Gym for 2.9 min", "Gym|2025-03-05 15:30|2025-03-05 15:32|-");
        row("Gym for 1.5 hours", "Gym|2025-03-05 15:30|2025-03-05 17:00|-");
        row("Meeting for tomorrow", "Meeting|2025-03-06 00:00|2025-03-07 00:00|A");
        row("tomorrow at 3pm", "|2025-03-06 15:00|2025-03-06 16:00|T");
        row("Picnic sat", "Picnic|2025-03-08 00:00|2025-03-09 00:00|A");
        row("Meet 3-5pm", "Meet 3-|2025-03-05 17:00|2025-03-05 18:00|T");
        row("tomorrow at midnight", "|2025-03-06 00:00|2025-03-06 01:00|T");
        row("LUNCH TOMORROW AT NOON", "LUNCH|2025-03-06 12:00|2025-03-06 13:00|T");
        row("  Plan   the\tday  ", "Plan the day|2025-03-05 15:30|2025-03-05 16:30|-");
        row("Plan in 99999999999 days", "Plan|2025-03-05 00:00|2025-03-06 00:00|A");
        row("for 1e12 hours", "1e12 hours|2025-03-05 15:30|2025-03-05 16:30|-");

        row("Party feb 30", "none");
        row("apr 0", "none");
        row("Trip in 2147483647 weeks", "none");
        row("Trip in 3000000 days", "none");
        row("Nap for 1000000000000 hours", "none");
        row("Nap for 99999999999999999999999999999999999999 min", "none");
    }

    void parse()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        const PinnedClock pinned(pinnedNow());
        const std::optional<NLParser::ParseResult> result = NLParser::parse(text);
        if (expected == QLatin1String("none")) {
            QVERIFY(!result.has_value());
            return;
        }
        QVERIFY(result.has_value());
        QVERIFY(result->start.isValid());
        const QString flags = result->allDay    ? QStringLiteral("A")
                              : result->hasTime ? QStringLiteral("T")
                                                : QStringLiteral("-");
        const QString end = result->end ? local(*result->end) : QString();
        QCOMPARE(
            QStringList({result->title, local(result->start), end, flags}).join(QLatin1Char('|')),
            expected);
        QCOMPARE(result->start.timeZone(), QTimeZone::systemTimeZone());
    }

    // A time typed for the night the clocks change reads as the expansion reads a wall time: a
    // skipped one with the offset before the gap, a repeated one as the earlier instant.
    void wallTimesTheClocksSkipOrRepeat_data()
    {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QDateTime>("start");
        const QTimeZone berlin("Europe/Berlin");
        QTest::newRow("skipped") << QDateTime(QDate(2027, 3, 27), QTime(10, 0), berlin)
                                 << QDateTime(QDate(2027, 3, 28), QTime(1, 30), Qt::UTC);
        QTest::newRow("repeated") << QDateTime(QDate(2027, 10, 30), QTime(10, 0), berlin)
                                  << QDateTime(QDate(2027, 10, 31), QTime(0, 30), Qt::UTC);
    }
    void wallTimesTheClocksSkipOrRepeat()
    {
        QFETCH(QDateTime, now);
        QFETCH(QDateTime, start);
        const std::optional<NLParser::ParseResult> result =
            NLParser::parse(QStringLiteral("Watch tomorrow at 2:30am"), now);
        QVERIFY(result.has_value());
        QCOMPARE(result->start.toUTC(), start);
        QCOMPARE(result->end.value_or(QDateTime()).toUTC(), start.addSecs(3600));
        QCOMPARE(result->start.timeZone(), now.timeZone());
    }

    void lateEveningRollsToTomorrow()
    {
        const QDateTime now(QDate(2025, 3, 5), QTime(23, 45), QTimeZone("Asia/Tokyo"));
        const std::optional<NLParser::ParseResult> result =
            NLParser::parse(QStringLiteral("Walk"), now);
        QVERIFY(result.has_value());
        QCOMPARE(result->start, QDateTime(QDate(2025, 3, 6), QTime(0, 0), QTimeZone("Asia/Tokyo")));
        QCOMPARE(result->start.timeZone(), QTimeZone("Asia/Tokyo"));
    }

    void roundUpToHalfHour_data()
    {
        QTest::addColumn<QTime>("time");
        QTest::addColumn<QString>("expected");
        QTest::newRow("before half") << QTime(10, 7, 42) << "2025-03-05 10:30:00.000";
        QTest::newRow("on half with seconds")
            << QTime(10, 30, 59, 500) << "2025-03-05 10:30:00.000";
        QTest::newRow("on the hour") << QTime(10, 0) << "2025-03-05 10:00:00.000";
        QTest::newRow("after half") << QTime(10, 31) << "2025-03-05 11:00:00.000";
    }

    void roundUpToHalfHour()
    {
        QFETCH(QTime, time);
        QFETCH(QString, expected);
        const QDateTime rounded =
            NLParser::roundUpToHalfHour(QDateTime(QDate(2025, 3, 5), time, Qt::UTC));
        QCOMPARE(rounded.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")), expected);
    }

    void stripSpansCutsOverlapsOnce()
    {
        QCOMPARE(NLParser::stripSpans(QStringLiteral("abcdef"), {{4, 1}, {1, 3}, {2, 2}}),
                 QStringLiteral("af"));
        QCOMPARE(NLParser::stripSpans(QStringLiteral("  a   b "), {}), QStringLiteral("a b"));
        QCOMPARE(NLParser::stripSpans(QStringLiteral("abc"), {{1, 99}}), QStringLiteral("a"));
    }
};

QTEST_GUILESS_MAIN(TestNLParser)
#include "tst_nlparser.moc"

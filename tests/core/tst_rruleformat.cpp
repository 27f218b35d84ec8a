#include "RruleFormat.h"

#include <QCoreApplication>
#include <QTest>
#include <QTranslator>

namespace {

// Marks every text with the context it was looked up in, so the test sees which context each
// part of a summary uses.
class ContextMarkingTranslator : public QTranslator
{
public:
    QString translate(const char* context, const char* sourceText, const char* disambiguation,
                      int n) const override
    {
        Q_UNUSED(disambiguation)
        QString text =
            QStringLiteral("%1{%2}").arg(QLatin1String(context), QString::fromUtf8(sourceText));
        if (n >= 0)
            text.replace(QLatin1String("%n"), QString::number(n));
        return text;
    }
    bool isEmpty() const override { return false; }
};

} // namespace

class TestRruleFormat : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void describe_data()
    {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QString>("summary");
        const auto row = [](const char* rule, const char* summary) {
            QTest::newRow(*rule ? rule : "(empty)")
                << QString::fromUtf8(rule) << QString::fromUtf8(summary);
        };
        row("", "");
        row("FREQ=DAILY", "Repeats daily");
        row("FREQ=DAILY;INTERVAL=3", "Every 3 days");
        row("FREQ=DAILY;INTERVAL=0", "Repeats daily");
        row("FREQ=WEEKLY;BYDAY=MO,WE;COUNT=10", "Repeats weekly · Mon, Wed · 10 time(s)");
        row("freq=weekly;byday=fr", "Repeats weekly · Fri");
        row("FREQ=WEEKLY;INTERVAL=2;BYDAY=TU,TH;UNTIL=20251231T235959Z",
            "Every 2 weeks · Tue, Thu · until Dec 31, 2025");
        row("FREQ=MONTHLY;BYDAY=2TU", "Repeats monthly · on the second Tue");
        row("FREQ=MONTHLY;BYDAY=-1FR,1MO", "Repeats monthly · on the last Fri");
        row("FREQ=MONTHLY;BYDAY=MO", "Repeats monthly · Mon");
        row("FREQ=MONTHLY;BYMONTHDAY=22", "Repeats monthly · on the 22nd");
        row("FREQ=MONTHLY;BYMONTHDAY=-1", "Repeats monthly");
        row("FREQ=YEARLY;BYDAY=1MO", "Repeats yearly · Mon");
        row("FREQ=YEARLY;COUNT=0;UNTIL=20261231T000000Z", "Repeats yearly");
        row("FREQ=HOURLY", "Repeats");
        row("FREQ=MONTHLY;INTERVAL=6", "Every 6 months");
        row("FREQ=YEARLY;INTERVAL=2", "Every 2 years");
        row("FREQ=DAILY;FREQ=WEEKLY", "Repeats weekly");
        row("FREQ=DAILY;UNTIL=20250229", "Repeats daily");
        row("FREQ=DAILY;UNTIL=20240229", "Repeats daily · until Feb 29, 2024");
        row("FREQ=WEEKLY;BYDAY=,3,SU", "Repeats weekly · Sun");
        row("FREQ=WEEKLY;BYDAY=+1MO, -2TU", "Repeats weekly · Mon, Tue");
        row("FREQ=MONTHLY;BYDAY=-3SA", "Repeats monthly · on the 3th-from-last Sat");
        row("FREQ=MONTHLY;BYMONTHDAY=1,15", "Repeats monthly · on the 1st");
        row("FREQ=MONTHLY;BYDAY=1SU;BYMONTHDAY=5", "Repeats monthly · on the first Sun");
        row("FREQ=YEARLY;BYMONTHDAY=5", "Repeats yearly");
    }

    void describe()
    {
        QFETCH(QString, rule);
        QFETCH(QString, summary);
        QCOMPARE(RruleFormat::describe(rule), summary);
    }

    void reminderText_data()
    {
        QTest::addColumn<int>("minutes");
        QTest::addColumn<QString>("text");
        QTest::newRow("0") << 0 << "At time of event";
        QTest::newRow("59") << 59 << "59 min before";
        QTest::newRow("60") << 60 << "1 hour(s) before";
        QTest::newRow("90") << 90 << "1 hour(s) before";
        QTest::newRow("1439") << 1439 << "23 hour(s) before";
        QTest::newRow("1440") << 1440 << "1 day(s) before";
    }

    void reminderText()
    {
        QFETCH(int, minutes);
        QFETCH(QString, text);
        QCOMPARE(RruleFormat::reminderText(minutes), text);
    }

    void numberWords_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("ordinal");
        QTest::addColumn<QString>("position");
        const auto row = [](int number, const char* ordinal, const char* position) {
            QTest::newRow(QByteArray::number(number).constData())
                << number << QString::fromUtf8(ordinal) << QString::fromUtf8(position);
        };
        row(1, "1st", "first");
        row(2, "2nd", "second");
        row(3, "3rd", "third");
        row(4, "4th", "fourth");
        row(5, "5th", "fifth");
        row(6, "6th", "6th");
        row(11, "11th", "11th");
        row(13, "13th", "13th");
        row(21, "21st", "21st");
        row(0, "0th", "0th-from-last");
        row(-1, "-1th", "last");
        row(-2, "-2th", "second-to-last");
        row(-3, "-3th", "3th-from-last");
        row(std::numeric_limits<int>::min(), "-2147483648th", "2147483648th-from-last");
    }

    void numberWords()
    {
        QFETCH(int, number);
        QFETCH(QString, ordinal);
        QFETCH(QString, position);
        QCOMPARE(RruleFormat::ordinal(number), ordinal);
        QCOMPARE(RruleFormat::positionText(number), position);
    }

    void splitByDayItem_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("code");
        QTest::newRow("+2MO") << "+2MO" << 2 << "MO";
        QTest::newRow("-1FR") << "-1FR" << -1 << "FR";
        QTest::newRow("mo") << "mo" << 0 << "MO";
        QTest::newRow("3") << "3" << 3 << "";
        QTest::newRow("lone sign") << "-" << 0 << "";
        QTest::newRow("sign only before code") << "+we" << 0 << "WE";
        QTest::newRow("empty") << "" << 0 << "";
        QTest::newRow("too many digits") << "99999999999SU" << 0 << "SU";
    }

    void splitByDayItem()
    {
        QFETCH(QString, item);
        QFETCH(int, position);
        QFETCH(QString, code);
        const RruleFormat::ByDayItem parsed = RruleFormat::splitByDayItem(item);
        QCOMPARE(parsed.position, position);
        QCOMPARE(parsed.code, code);
    }

    void textsUseTheirTranslationContexts()
    {
        ContextMarkingTranslator translator;
        QCoreApplication::installTranslator(&translator);
        const QString summary =
            RruleFormat::describe(QStringLiteral("FREQ=MONTHLY;BYDAY=-1FR;COUNT=3"));
        const QString weekly = RruleFormat::describe(QStringLiteral("FREQ=WEEKLY;BYDAY=MO"));
        const QString reminder = RruleFormat::reminderText(30);
        const QString unknownDay = RruleFormat::weekdayNames(QStringLiteral("ZZ"));
        QCoreApplication::removeTranslator(&translator);

        QCOMPARE(summary,
                 QStringLiteral("QObject{Repeats monthly} · QObject{on the %1 %2} · "
                                "QObject{3 time(s)}")
                     .arg(QStringLiteral("QObject{last}"), QStringLiteral("RruleFormat{Fri}")));
        QCOMPARE(weekly, QStringLiteral("QObject{Repeats weekly} · RruleFormat{Mon}"));
        QCOMPARE(reminder, QStringLiteral("QObject{30 min before}"));
        QCOMPARE(unknownDay, QStringLiteral("ZZ"));
    }
};

QTEST_GUILESS_MAIN(TestRruleFormat)
#include "tst_rruleformat.moc"

#include "DateLanguage.h"
#include "ViewPeriod.h"

#include <QTest>

namespace {

const QDate monday(2026, 3, 2);

} // namespace

class TestDateLanguage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { DateLanguage::setLanguage(QString()); }

    // The screens' patterns keep their order and punctuation; only the names change.
    void patternsNameDaysAndMonthsInTheLanguage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("expected");

        const QString full = QStringLiteral("dddd, MMMM d, yyyy");
        const QString shortDay = QStringLiteral("ddd, MMM d, yyyy");
        const QString monthTitle = QStringLiteral("MMMM yyyy");
        QTest::newRow("unset") << QString() << full << "Monday, March 2, 2026";
        QTest::newRow("en") << "en" << shortDay << "Mon, Mar 2, 2026";
        QTest::newRow("unsupported reads English") << "ar" << full << "Monday, March 2, 2026";
        QTest::newRow("de full") << "de" << full << "Montag, März 2, 2026";
        QTest::newRow("de short") << "de" << shortDay << "Mo., März 2, 2026";
        QTest::newRow("de month") << "de" << monthTitle << "März 2026";
        QTest::newRow("es full") << "es" << full << "lunes, marzo 2, 2026";
        QTest::newRow("es short") << "es" << shortDay << "lun, mar 2, 2026";
        QTest::newRow("fr full") << "fr" << full << "lundi, mars 2, 2026";
        QTest::newRow("fr short") << "fr" << shortDay << "lun., mars 2, 2026";
        QTest::newRow("ja full") << "ja" << full << "月曜日, 3月 2, 2026";
        QTest::newRow("ja short") << "ja" << shortDay << "月, 3月 2, 2026";
        QTest::newRow("ja month") << "ja" << monthTitle << "3月 2026";
    }
    void patternsNameDaysAndMonthsInTheLanguage()
    {
        QFETCH(QString, language);
        QFETCH(QString, pattern);
        QFETCH(QString, expected);
        DateLanguage::setLanguage(language);
        QCOMPARE(DateLanguage::format(monday, pattern), expected);
    }

    // Grid headings: a title above a month and two characters at most over a day column, never
    // cut to nothing; the weekday buttons of a weekly rule, a letter each.
    void headingsOfGrids_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("month");
        QTest::addColumn<QString>("monday");
        QTest::addColumn<QString>("sunday");
        QTest::addColumn<QString>("firstWeekday");
        QTest::addColumn<QString>("letters");

        QTest::newRow("unset") << QString() << "March"
                               << "Mo"
                               << "Su"
                               << "Monday"
                               << "MTWTFSS";
        QTest::newRow("de") << "de"
                            << "März"
                            << "Mo"
                            << "So"
                            << "Montag"
                            << "MDMDFSS";
        QTest::newRow("es") << "es"
                            << "marzo"
                            << "lu"
                            << "do"
                            << "lunes"
                            << "LMXJVSD";
        QTest::newRow("fr") << "fr"
                            << "mars"
                            << "lu"
                            << "di"
                            << "lundi"
                            << "LMMJVSD";
        QTest::newRow("ja") << "ja"
                            << "3月"
                            << "月"
                            << "日"
                            << "月曜日"
                            << "月火水木金土日";
    }
    void headingsOfGrids()
    {
        QFETCH(QString, language);
        QFETCH(QString, month);
        QFETCH(QString, monday);
        QFETCH(QString, sunday);
        QFETCH(QString, firstWeekday);
        QFETCH(QString, letters);
        DateLanguage::setLanguage(language);
        QCOMPARE(DateLanguage::monthName(3), month);
        QCOMPARE(DateLanguage::weekdayInitials(1), monday);
        QCOMPARE(DateLanguage::weekdayInitials(7), sunday);
        QCOMPARE(DateLanguage::dayName(1), firstWeekday);
        QString week;
        for (int day = 1; day <= 7; ++day)
            week += DateLanguage::weekdayLetter(day);
        QCOMPARE(week, letters);
    }

    // The period titles take their names from the language and go back to English with none.
    void periodTitlesFollowTheLanguage()
    {
        DateLanguage::setLanguage(QStringLiteral("de"));
        QCOMPARE(ViewPeriod::rangeTitle(QDate(2026, 2, 23), monday),
                 QStringLiteral("Feb. 23 \u2013 März 2, 2026"));
        QCOMPARE(ViewPeriod::dayTitle(monday, QDate(2026, 3, 1)),
                 QStringLiteral("Montag, März 2, 2026"));
        DateLanguage::setLanguage(QString());
        QCOMPARE(DateLanguage::language(), QStringLiteral("en"));
        QCOMPARE(ViewPeriod::rangeTitle(QDate(2026, 2, 23), monday),
                 QStringLiteral("Feb 23 \u2013 Mar 2, 2026"));
    }
};

QTEST_GUILESS_MAIN(TestDateLanguage)
#include "tst_datelanguage.moc"

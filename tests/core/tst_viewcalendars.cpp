#include "ViewCalendars.h"

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

} // namespace

class TestViewCalendars : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void ids_data()
    {
        QTest::addColumn<bool>("viewExists");
        QTest::addColumn<bool>("removed");
        QTest::addColumn<QString>("listed");
        QTest::addColumn<QStringList>("ids");
        QTest::newRow("none listed: the visible ones")
            << true << false << "[]" << QStringList{"a", "c"};
        QTest::newRow("a hidden calendar listed is shown")
            << true << false << R"(["b"])" << QStringList{"b"};
        QTest::newRow("order and duplicates kept")
            << true << false << R"(["c","a","c"])" << QStringList{"c", "a", "c"};
        QTest::newRow("numbers give empty ids, no fallback")
            << true << false << "[1,2]" << QStringList{"", ""};
        QTest::newRow("not JSON") << true << false << "calendars" << QStringList{"a", "c"};
        QTest::newRow("a calendar that is gone names nothing")
            << true << false << R"(["gone"])" << QStringList{"gone"};
        // The group button names "All Calendars" for a View that is gone or removed, and the
        // next start opens on the first live View: the events follow that.
        QTest::newRow("no View: the visible ones")
            << false << false << "[]" << QStringList{"a", "c"};
        QTest::newRow("removed View: the visible ones")
            << true << true << R"(["b"])" << QStringList{"a", "c"};
    }

    void ids()
    {
        QFETCH(bool, viewExists);
        QFETCH(bool, removed);
        QFETCH(QString, listed);
        std::optional<CalendarView> view;
        if (viewExists) {
            view.emplace();
            view->calendarIds = listed;
            if (removed)
                view->deletedAt = QDateTime(QDate(2026, 1, 5), QTime(9, 0), QTimeZone::utc());
        }
        const QList<Calendar> calendars{calendar("a", true), calendar("b", false),
                                        calendar("c", true)};
        QTEST(ViewCalendars::ids(view, calendars), "ids");
    }
};

QTEST_MAIN(TestViewCalendars)
#include "tst_viewcalendars.moc"

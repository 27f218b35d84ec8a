#include "ReminderWindow.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

namespace {

Notification reminder(const QString& title, const QString& id)
{
    Notification notification;
    notification.title = title;
    notification.body = QStringLiteral("In 15 minutes (10:00)");
    notification.tag = QStringLiteral("tag-") + id;
    notification.id = id;
    return notification;
}

QPushButton* button(QWidget* window, const QString& text)
{
    for (QPushButton* candidate : window->findChildren<QPushButton*>())
        if (candidate->text() == text && candidate->isVisibleTo(window))
            return candidate;
    return nullptr;
}

} // namespace

class TestReminderWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Text from events stays plain text. "Dismiss all" dismisses each; the program closing the
    // window (on its way out) dismisses nothing, so the reminders remind again at the next start,
    // and what it still lists shows again with the next one.
    void dismissAllAndClosingOnTheWayOut()
    {
        ReminderWindow window;
        QSignalSpy dismissed(&window, &ReminderWindow::dismissed);
        window.add(reminder(QStringLiteral("<b>R&D</b>"), QStringLiteral("one")));
        QVERIFY(window.isVisible());
        const QLabel* title = window.findChildren<QLabel*>().value(0);
        QVERIFY(title && title->textFormat() == Qt::PlainText);

        window.add(reminder(QStringLiteral("Lunch"), QStringLiteral("two")));
        QVERIFY(window.close());
        QCOMPARE(dismissed.size(), 0);
        QCOMPARE(window.count(), 2);

        window.add(reminder(QStringLiteral("Gym"), QStringLiteral("three")));
        QVERIFY(window.isVisible());
        QPushButton* all = button(&window, QStringLiteral("Dismiss all"));
        QVERIFY(all);
        all->click();
        QCOMPARE(window.count(), 0);
        QVERIFY(!window.isVisible());
        QStringList ids;
        for (const QList<QVariant>& signal : std::as_const(dismissed))
            ids.append(signal.at(0).toString());
        QCOMPARE(ids, QStringList({"one", "two", "three"}));
    }

    // The window is as tall as its list: it grows with each reminder until the list reaches its
    // bound and scrolls, and after dismissals it is as tall as a window that only ever listed
    // the reminders left.
    void heightFollowsTheList_data()
    {
        QTest::addColumn<int>("added");
        QTest::addColumn<int>("dismissed");
        QTest::newRow("one") << 1 << 0;
        QTest::newRow("three") << 3 << 0;
        QTest::newRow("three, two dismissed") << 3 << 2;
        QTest::newRow("twelve, scrolling") << 12 << 0;
        QTest::newRow("twelve, ten dismissed") << 12 << 10;
    }
    void heightFollowsTheList()
    {
        QFETCH(int, added);
        QFETCH(int, dismissed);
        ReminderWindow window;
        const auto* scroll = window.findChild<QScrollArea*>();
        QVERIFY(scroll);
        for (int i = 0; i < added; ++i) {
            const int before = window.isVisible() ? window.height() : 0;
            const bool bounded = scroll->height() == ReminderWindow::maxListHeight;
            window.add(reminder(QStringLiteral("Reminder %1").arg(i), QString::number(i)));
            QVERIFY2(bounded ? window.height() == before : window.height() > before,
                     qPrintable(QString::number(i)));
        }
        for (int i = 0; i < dismissed; ++i)
            button(&window, QStringLiteral("Dismiss"))->click();
        QCoreApplication::sendPostedEvents();

        ReminderWindow fresh;
        for (int i = dismissed; i < added; ++i)
            fresh.add(reminder(QStringLiteral("Reminder %1").arg(i), QString::number(i)));
        QCoreApplication::sendPostedEvents();
        QCOMPARE(window.size(), fresh.size());
        QCOMPARE(window.width(), ReminderWindow::windowWidth);
        // Below its bound the list shows every reminder whole; at it, the rest scroll.
        QVERIFY(scroll->height() <= ReminderWindow::maxListHeight);
        QCOMPARE(scroll->verticalScrollBar()->maximum() > 0,
                 scroll->height() == ReminderWindow::maxListHeight);
    }
};

QTEST_MAIN(TestReminderWindow)
#include "tst_reminderwindow.moc"

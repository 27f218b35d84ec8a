#include "ReminderWindow.h"

#include <QLabel>
#include <QPushButton>
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
};

QTEST_MAIN(TestReminderWindow)
#include "tst_reminderwindow.moc"

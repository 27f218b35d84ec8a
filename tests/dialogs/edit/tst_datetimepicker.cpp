#include "DateTimePicker.h"
#include "PinnedClock.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

namespace {

const QDate day(2025, 3, 12);

QComboBox* combo(DateTimePicker& picker)
{
    return picker.findChild<QComboBox*>();
}

QDateEdit* dateEdit(DateTimePicker& picker)
{
    return picker.findChild<QDateEdit*>();
}

QStringList items(DateTimePicker& picker)
{
    QStringList texts;
    for (int row = 0; row < combo(picker)->count(); ++row)
        texts.append(combo(picker)->itemText(row));
    return texts;
}

// What a person does in the field: types the text and leaves it. (Leaving the field also makes
// the combo activate an item whose text matches, a second commit of the same time.)
void type(DateTimePicker& picker, const QString& text)
{
    combo(picker)->lineEdit()->setText(text);
    picker.onTimeCommit();
}

} // namespace

class TestDateTimePicker : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // A new picker shows today at 9:00 AM; all-day hides the time and reads 00:00, and turning it
    // off brings the time back.
    void newPickerAndAllDay()
    {
        const PinnedClock clock(QDateTime(day, QTime(15, 20)));
        DateTimePicker picker(Qt::Monday);
        QCOMPARE(combo(picker)->currentText(), QStringLiteral("9:00 AM"));
        QCOMPARE(picker.dateTime(), QDateTime(day, QTime(9, 0)));
        QCOMPARE(items(picker).size(), 96);

        picker.setAllDay(true);
        QVERIFY(combo(picker)->isHidden());
        QCOMPARE(picker.dateTime(), QDateTime(day, QTime(0, 0)));
        picker.setAllDay(false);
        QVERIFY(!combo(picker)->isHidden());
        QCOMPARE(picker.dateTime(), QDateTime(day, QTime(9, 0)));
    }

    // The end's list starts at the start and says how long the event would last.
    void itemsAfterTheReference_data()
    {
        QTest::addColumn<QTime>("start");
        QTest::addColumn<bool>("startAllDay");
        QTest::addColumn<int>("endDayOffset");
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("expected"); // first items, then the last
        QTest::newRow("same day from 9:00")
            << QTime(9, 0) << false << 0 << 60 << QStringList{"9:00 AM",
                                                              "9:15 AM  (15 min)",
                                                              "9:30 AM  (30 min)",
                                                              "9:45 AM  (45 min)",
                                                              "10:00 AM  (1 hr)",
                                                              "10:15 AM  (1 hr 15 min)",
                                                              "11:45 PM  (14 hr 45 min)"};
        QTest::newRow("between quarters")
            << QTime(9, 10) << false << 0 << 59
            << QStringList{"9:15 AM  (5 min)", "11:45 PM  (14 hr 35 min)"};
        QTest::newRow("next day") << QTime(9, 0) << false << 1 << 96
                                  << QStringList{"12:00 AM  (15 hr)", "11:45 PM  (38 hr 45 min)"};
        QTest::newRow("start all-day")
            << QTime(9, 0) << true << 0 << 96
            << QStringList{"12:00 AM", "12:15 AM  (15 min)", "11:45 PM  (23 hr 45 min)"};
    }
    void itemsAfterTheReference()
    {
        QFETCH(QTime, start);
        QFETCH(bool, startAllDay);
        QFETCH(int, endDayOffset);
        QFETCH(int, count);
        QFETCH(QStringList, expected);
        DateTimePicker startPicker(Qt::Monday);
        DateTimePicker endPicker(Qt::Monday);
        startPicker.setDateTime(QDateTime(day, start));
        startPicker.setAllDay(startAllDay);
        endPicker.setDateTime(QDateTime(day.addDays(endDayOffset), QTime(23, 0)));
        endPicker.setReference(&startPicker);

        const QStringList texts = items(endPicker);
        QCOMPARE(texts.size(), count);
        QCOMPARE(texts.mid(0, expected.size() - 1), expected.mid(0, expected.size() - 1));
        QCOMPARE(texts.last(), expected.last());
    }

    // Picked or typed text commits a time; text no format reads puts the last time back without
    // a signal. Every accepted commit signals, also an unchanged one.
    void commit_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QTime>("expected"); // invalid: rejected
        QTest::newRow("picked item") << "10:30 AM  (1 hr 30 min)" << QTime(10, 30);
        QTest::newRow("12-hour lower case") << "2:30 pm" << QTime(14, 30);
        QTest::newRow("12-hour joined") << "2:30PM" << QTime(14, 30);
        QTest::newRow("24-hour") << "14:30" << QTime(14, 30);
        QTest::newRow("hour pm") << "2pm" << QTime(14, 0);
        QTest::newRow("hour 24") << "14" << QTime(14, 0);
        QTest::newRow("hour alone") << "9" << QTime(9, 0);
        QTest::newRow("word") << "lunch" << QTime();
        QTest::newRow("empty") << "" << QTime();
        QTest::newRow("leading parenthesis") << "(10:30 AM)" << QTime();
    }
    void commit()
    {
        QFETCH(QString, text);
        QFETCH(QTime, expected);
        DateTimePicker picker(Qt::Monday);
        picker.setDateTime(QDateTime(day, QTime(11, 15)));
        QSignalSpy changed(&picker, &DateTimePicker::dateTimeChanged);

        type(picker, text);
        type(picker, text);

        const QTime shown = expected.isValid() ? expected : QTime(11, 15);
        QCOMPARE(picker.dateTime(), QDateTime(day, shown));
        QCOMPARE(combo(picker)->currentText(), shown.toString(QStringLiteral("h:mm AP")));
        QCOMPARE(changed.size(), expected.isValid() ? 2 : 0);
        if (expected.isValid())
            QCOMPARE(changed.last().first().toDateTime(), QDateTime(day, expected));
    }

    // The end never lies before the start: a typed earlier time becomes the start; a start moved
    // past the end pulls it along silently, unless the end's date has to move, which it announces.
    void endFollowsTheStart()
    {
        DateTimePicker startPicker(Qt::Monday);
        DateTimePicker endPicker(Qt::Monday);
        startPicker.setDateTime(QDateTime(day, QTime(9, 10)));
        endPicker.setDateTime(QDateTime(day, QTime(10, 0)));
        endPicker.setReference(&startPicker);
        QSignalSpy endChanged(&endPicker, &DateTimePicker::dateTimeChanged);

        type(endPicker, QStringLiteral("8:00 AM"));
        QCOMPARE(endPicker.dateTime(), QDateTime(day, QTime(9, 10)));
        QCOMPARE(endChanged.size(), 1);
        QCOMPARE(endChanged.takeFirst().first().toDateTime(), QDateTime(day, QTime(9, 10)));

        type(startPicker, QStringLiteral("1 PM"));
        QCOMPARE(endPicker.dateTime(), QDateTime(day, QTime(13, 0)));
        QCOMPARE(endChanged.size(), 0);

        dateEdit(startPicker)->setDate(day.addDays(2));
        QCOMPARE(endPicker.date(), day.addDays(2));
        QCOMPARE(dateEdit(endPicker)->minimumDate(), day.addDays(2));
        QVERIFY(endChanged.size() >= 1);

        endPicker.setReference(nullptr);
        QCOMPARE(dateEdit(endPicker)->minimumDate(), QDate(100, 1, 1));
        QCOMPARE(items(endPicker).size(), 96);
        QVERIFY(!items(endPicker).join(QString()).contains(QLatin1Char('(')));
    }

    // The popup is wide enough for the longest item and shows the current one in its middle.
    void popupFitsItsItems()
    {
        DateTimePicker startPicker(Qt::Monday);
        DateTimePicker endPicker(Qt::Monday);
        startPicker.setDateTime(QDateTime(day, QTime(0, 0)));
        endPicker.setDateTime(QDateTime(day, QTime(12, 0)));
        endPicker.setReference(&startPicker);
        endPicker.resize(260, 30);
        endPicker.show();
        QComboBox* times = combo(endPicker);
        times->showPopup();
        QAbstractItemView* list = times->view();
        int widest = 0;
        for (const QString& text : items(endPicker))
            widest = std::max(widest, list->fontMetrics().horizontalAdvance(text));
        QVERIFY(list->parentWidget()->width() >= widest + 48);
        const QRect current = list->visualRect(list->model()->index(times->currentIndex(), 0));
        QVERIFY(qAbs(current.center().y() - list->viewport()->height() / 2) <= current.height());
        times->hidePopup();
    }
};

QTEST_MAIN(TestDateTimePicker)
#include "tst_datetimepicker.moc"

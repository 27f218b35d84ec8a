#pragma once

#include <QDate>
#include <QDateTime>
#include <QPointer>
#include <QTime>
#include <QWidget>

class QComboBox;
class QDateEdit;

// A date field with a calendar popup beside an editable combo of quarter-hour times that also
// takes typed times ("2:30 pm", "14:30", "9"). Bound to a reference picker (the start of the same
// form) it lists only times from the reference on, each with the duration from it, and never lets
// its own moment fall before the reference. GUI thread only.
class DateTimePicker : public QWidget
{
    Q_OBJECT

public:
    explicit DateTimePicker(Qt::DayOfWeek firstDayOfWeek, QWidget* parent = nullptr);

    QDate date() const;
    // The committed time (00:00 in all-day mode), as the field shows it.
    QTime time() const;
    // The instant the date and time() stand for on the machine's clock, in local time: the one
    // setInstant gave while they still show it, else a time the clocks skip is the instant after
    // the gap by its length and a repeated one the earlier instant (WallClock::toUtc).
    QDateTime dateTime() const;
    // Whether the clocks skip the wall time shown, so that dateTime() lies after it.
    bool showsSkippedTime() const;

    // Hides the time combo while on; the committed time is kept for when it goes off again.
    void setAllDay(bool allDay);
    bool isAllDay() const { return m_allDay; }

    // Shows the moment's own date and time as given (in all-day mode its date only); an invalid
    // value is ignored. Emits nothing.
    void setDateTime(const QDateTime& dateTime);
    // Shows the wall time `instant` reads on the machine's clock, and keeps the instant for as
    // long as that wall time is shown: the second of a repeated hour stays the second. An invalid
    // value is ignored. Emits nothing.
    void setInstant(const QDateTime& instant);

    // Binds this picker to `picker` (null unbinds). The reference is not owned; both pickers
    // belong to the same form.
    void setReference(DateTimePicker* picker);

Q_SIGNALS:
    // After a date change in the field and after every accepted time commit, even an unchanged one.
    void dateTimeChanged(const QDateTime& dt);

public Q_SLOTS:
    void onDateChanged(const QDate& d);
    // Reads the combo's text; text no time format reads puts the last committed time back.
    void onTimeCommit();
    void onReferenceChanged();

private:
    void rebuildItems();
    void selectTimeItem(const QTime& time);
    // The instant the wall time `time` on `date` stands for here: the kept one where it reads it.
    QDateTime instantOf(const QDate& date, const QTime& time) const;

    QDateEdit* m_dateEdit = nullptr;
    QComboBox* m_timeCombo = nullptr;
    QTime m_time = QTime(9, 0);
    QDateTime m_instant; // from setInstant, in local time
    bool m_allDay = false;
    QPointer<DateTimePicker> m_reference;
};

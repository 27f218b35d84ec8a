#pragma once

#include <QDate>
#include <QDialog>
#include <QList>
#include <QString>

class QButtonGroup;
class QComboBox;
class QDateEdit;
class QFormLayout;
class QLabel;
class QSpinBox;
class QStackedWidget;
class QToolButton;

// Edits one repeat rule: frequency and interval, weekdays, day of the month or nth weekday, and
// the end (never, after a count, on a date); "Does not repeat" takes the rule away. Understands
// FREQ, INTERVAL, BYDAY, BYMONTHDAY, COUNT and UNTIL; anything else in the given rule is dropped
// from rrule(). Unreadable parts keep the widgets' defaults, which come from the anchor date.
class RecurrenceEditDialog : public QDialog
{
    Q_OBJECT

public:
    RecurrenceEditDialog(const QString& rule, const QDate& anchorDate, int firstDayOfWeek,
                         QWidget* parent = nullptr);

    // The rule the widgets describe; empty for "Does not repeat".
    QString rrule() const;
    // Shows a rule in the widgets; an empty one shows a weekly rule on the anchor's weekday.
    void setRRule(const QString& rule);

    // Whether the series starts on dates rather than at times; decides the UNTIL value type:
    // a date, or the end of the chosen day in UTC. Off at construction.
    void setSeriesAllDay(bool allDay);

    // Weekday codes: 1 "MO" .. 7 "SU", empty otherwise; and back by the code an item ends with
    // (case-sensitive), 0 when none.
    static QString weekdayCode(int day);
    static int weekdayFromCode(const QString& item);

private:
    void buildWidgets();
    void onFrequencyChanged(int index);
    void refreshUnit();
    void refreshSummary();
    QDate untilDate(const QString& value) const;

    QDate m_anchorDate;
    QString m_initialRule;
    int m_firstDayOfWeek;
    bool m_seriesAllDay = false;

    QFormLayout* m_form = nullptr;
    QComboBox* m_frequencyCombo = nullptr;
    QSpinBox* m_intervalSpin = nullptr;
    QLabel* m_unitLabel = nullptr;
    QStackedWidget* m_pageStack = nullptr;
    QList<QToolButton*> m_weekdayButtons;
    QButtonGroup* m_monthlyModeGroup = nullptr;
    QSpinBox* m_monthDaySpin = nullptr;
    QComboBox* m_ordinalCombo = nullptr;
    QComboBox* m_weekdayCombo = nullptr;
    QButtonGroup* m_endGroup = nullptr;
    QSpinBox* m_countSpin = nullptr;
    QDateEdit* m_untilEdit = nullptr;
    QLabel* m_summaryLabel = nullptr;
};

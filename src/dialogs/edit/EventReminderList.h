#pragma once

#include <QList>
#include <QWidget>

class QPushButton;
class ScrollingRows;

// The event form's reminders: one row per reminder with its offset and a remove button, and
// "+ Add reminder" (15 minutes before) below them. Beyond a few rows the list scrolls, and only
// the rows in view (and some around them) exist, so an event with thousands of alarms opens as
// fast as one with two and the form stays on the screen; every reminder is kept, shown or not.
class EventReminderList : public QWidget
{
    Q_OBJECT

public:
    // Rows shown at once; more scroll.
    static constexpr int shownRows = 5;

    explicit EventReminderList(QWidget* parent);

    // Adds a row with `minutes` chosen; an offset that is not among the usual ones is offered too.
    void addRow(int minutes);
    void clear();
    // The chosen offsets in minutes, top to bottom.
    QList<int> minutes() const { return m_minutes; }

private:
    void remove(int index);
    QWidget* buildRow(int index, QWidget* parent);

    static constexpr int spacing = 8;

    ScrollingRows* m_rows = nullptr;
    QPushButton* m_addButton = nullptr;
    QList<int> m_minutes;
};

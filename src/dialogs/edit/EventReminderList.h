#pragma once

#include <QList>
#include <QWidget>

class QPushButton;
class QVBoxLayout;

// The event form's reminders: one row per reminder with its offset and a remove button, and
// "+ Add reminder" (15 minutes before) below them.
class EventReminderList : public QWidget
{
    Q_OBJECT

public:
    explicit EventReminderList(QWidget* parent);

    // Adds a row with `minutes` chosen; an offset that is not among the usual ones is offered too.
    void addRow(int minutes);
    void clear();
    // The chosen offsets in minutes, top to bottom.
    QList<int> minutes() const;

private:
    QVBoxLayout* m_layout = nullptr;
    QPushButton* m_addButton = nullptr;
};

#pragma once

#include "Attendee.h"

#include <QList>
#include <QWidget>

class QPushButton;
class ScrollingRows;

// The event form's attendees: one row per attendee with name, e-mail address, their answer and
// a remove button, and "+ Add attendee" below them. A new attendee is required and asked to
// answer. Beyond a few rows the list scrolls, and only the rows in view (and some around them)
// exist, so a server's list of thousands opens as fast as a short one and the form stays on the
// screen; the attendees themselves are kept whole, shown or not.
class EventAttendeeList : public QWidget
{
    Q_OBJECT

public:
    // Rows shown at once; more scroll.
    static constexpr int shownRows = 5;

    explicit EventAttendeeList(QWidget* parent);

    void setAttendees(const QList<Attendee>& attendees);
    // As edited, rows without an address included; addresses trimmed.
    QList<Attendee> attendees() const { return m_attendees; }

private:
    void add();
    void remove(int index);
    QWidget* buildRow(int index, QWidget* parent);

    static constexpr int spacing = 4;

    ScrollingRows* m_rows = nullptr;
    QPushButton* m_addButton = nullptr;
    QList<Attendee> m_attendees;
};

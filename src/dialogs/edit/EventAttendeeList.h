#pragma once

#include "Attendee.h"

#include <QList>
#include <QWidget>

class QPushButton;
class QVBoxLayout;

// The event form's attendees: one row per attendee with name, e-mail address, their answer and
// a remove button, and "+ Add attendee" below them. A new attendee is required and asked to
// answer.
class EventAttendeeList : public QWidget
{
    Q_OBJECT

public:
    explicit EventAttendeeList(QWidget* parent);

    void setAttendees(const QList<Attendee>& attendees);
    // As edited, rows without an address included; addresses trimmed.
    QList<Attendee> attendees() const { return m_attendees; }

private:
    void add();
    void rebuildRows();

    QVBoxLayout* m_layout = nullptr;
    QPushButton* m_addButton = nullptr;
    QList<Attendee> m_attendees;
};

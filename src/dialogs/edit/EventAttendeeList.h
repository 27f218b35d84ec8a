#pragma once

#include "Attendee.h"

#include <QHash>
#include <QList>
#include <QWidget>

class QPushButton;
class QScrollArea;

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

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void add();
    void remove(int index);
    // Drops every row and sizes the list for the attendees; the rows in view follow.
    void rebuildRows();
    // Builds the rows in view and around them, drops those far from it, and places them.
    void fillView();
    QWidget* buildRow(int index);
    int rowPitch() const { return m_rowHeight + spacing; }

    static constexpr int spacing = 4;

    QScrollArea* m_scroll = nullptr;
    QWidget* m_rowsArea = nullptr;
    QPushButton* m_addButton = nullptr;
    QList<Attendee> m_attendees;
    QHash<int, QWidget*> m_rows;
    int m_rowHeight = 0;
};

#pragma once

#include "DetailsCard.h"
#include "Event.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QPoint>
#include <QString>

class QListView;

// A card over the window listing events under a heading, one row each with its colour, its times
// and its title: the events a view could not show where they belong. A click or Return on a row
// chooses its event and closes the card, a right click asks for its menu; the host opens the
// event's own card or menu. Rows are laid out only as they come into sight, so thousands of
// events open at once; titles are plain text cut to a row's length. It closes as the details
// cards do.
class EventListCard : public DetailsCard
{
    Q_OBJECT

public:
    // `events` in the order shown; `timePattern` as TimeFormat gives it. Does not show the card
    // (see PopoverPlacement.h).
    EventListCard(const QString& heading, const QString& note, const QList<Event>& events,
                  const QHash<QString, QString>& calendarColors, const QString& timePattern,
                  QWidget* parent);

    // The rows, for tests: Qt::UserRole holds each event's id, Qt::UserRole + 1 its start.
    QListView* list() const { return m_list; }

Q_SIGNALS:
    void eventChosen(const QString& eventId, const QDateTime& occurrenceStart);
    void eventContextRequested(const QString& eventId, const QPoint& globalPos,
                               const QDateTime& occurrenceStart);

private:
    QListView* m_list = nullptr;
    // A row was chosen: the same click's activation is not another choice.
    bool m_chosen = false;
};

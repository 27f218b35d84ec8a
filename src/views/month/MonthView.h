#pragma once

#include "Event.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QPoint>
#include <QWidget>

class AppState;
class MonthGridWidget;
class QTimer;

// The "month" page: loads the 42 days around the date's month for its grid and answers the
// grid's requests (details card, edit form, context menu).
class MonthView : public QWidget
{
    Q_OBJECT

public:
    MonthView(AppState* appState, QWidget* parent = nullptr);

    // A different date is stored and read from the event loop (dates set together read once);
    // an equal one does nothing.
    void setDate(const QDate& date);
    // Reloads now, or, while the page is put away (hidden by its stack), when it is next shown:
    // a page nobody sees reads nothing from the store.
    void reload();

    MonthGridWidget* grid() const { return m_grid; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showEventContextMenu(const QString& eventId, const QPoint& globalPos,
                              const QDateTime& occurrenceStart = QDateTime());

    AppState* m_appState;
    MonthGridWidget* m_grid;
    QDate m_date;
    // The grid does not show the date's data yet: the page was hidden or a reload is due.
    bool m_stale = false;
    QTimer* m_dateReload;
    // The events of the last reload, which the grid shows.
    QList<Event> m_shown;
};

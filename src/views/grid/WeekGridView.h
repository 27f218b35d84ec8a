#pragma once

#include "Event.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QPoint>
#include <QWidget>

class AppState;
class QTimer;
class WeekGridWidget;

// The "grid" page: eight day cards from the current date. It follows the current date itself,
// reading from the event loop (dates set together read once); a click on a card's free space
// asks to open that day.
class WeekGridView : public QWidget
{
    Q_OBJECT

public:
    WeekGridView(AppState* appState, QWidget* parent = nullptr);

    void reload();
    WeekGridWidget* grid() const { return m_grid; }

Q_SIGNALS:
    void dayActivated(const QDate& date);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showEventContextMenu(const QString& eventId, const QPoint& globalPos,
                              const QDateTime& occurrenceStart = QDateTime());

    AppState* m_appState;
    WeekGridWidget* m_grid;
    // The cards do not show the current date's data yet: a reload was skipped while the page
    // was hidden, or one is due; the next show catches up.
    bool m_stale = false;
    QTimer* m_dateReload;
    // The events of the last reload, which the grid shows.
    QList<Event> m_shown;
};

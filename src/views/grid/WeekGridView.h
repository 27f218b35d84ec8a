#pragma once

#include <QDate>
#include <QDateTime>
#include <QPoint>
#include <QWidget>

class AppState;
class WeekGridWidget;

// The "grid" page: eight day cards from the current date. It follows the current date itself;
// a click on a card's free space asks to open that day.
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
    // A reload was skipped while the page was hidden; the next show catches up.
    bool m_stale = false;
};

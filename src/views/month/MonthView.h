#pragma once

#include <QDate>
#include <QPoint>
#include <QWidget>

class AppState;
class MonthGridWidget;

// The "month" page: loads the 42 days around the date's month for its grid and answers the
// grid's requests (details card, edit form, context menu).
class MonthView : public QWidget
{
    Q_OBJECT

public:
    MonthView(AppState* appState, QWidget* parent = nullptr);

    // A different date is stored and reloaded; an equal one does nothing.
    void setDate(const QDate& date);
    void reload();

    MonthGridWidget* grid() const { return m_grid; }

private:
    void showEventContextMenu(const QString& eventId, const QPoint& globalPos);

    AppState* m_appState;
    MonthGridWidget* m_grid;
    QDate m_date;
};

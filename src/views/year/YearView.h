#pragma once

#include <QDate>
#include <QWidget>

class AppState;
class QTimer;
class YearGridWidget;

// The "year" page: the twelve months of the current date's year with dots on busy days. It
// reloads on its data signals and, from the event loop, when the year changes (years set
// together read once); a date within the same year is only stored.
class YearView : public QWidget
{
    Q_OBJECT

public:
    YearView(AppState* appState, QWidget* parent = nullptr);

    void setDate(const QDate& date);
    // Reloads now, or, while the page is put away (hidden by its stack), when it is next shown:
    // a page nobody sees reads nothing from the store.
    void reload();

    YearGridWidget* grid() const { return m_grid; }

Q_SIGNALS:
    void dayActivated(const QDate& date);

protected:
    void showEvent(QShowEvent* event) override;

private:
    AppState* m_appState;
    YearGridWidget* m_grid;
    QDate m_date;
    // The grid does not show the year's data yet: the page was hidden or a reload is due.
    bool m_stale = false;
    QTimer* m_yearReload;
};

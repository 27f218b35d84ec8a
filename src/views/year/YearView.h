#pragma once

#include <QDate>
#include <QWidget>

class AppState;
class YearGridWidget;

// The "year" page: the twelve months of the current date's year with dots on busy days. It
// reloads on its data signals and when the year changes; a date within the same year is only
// stored.
class YearView : public QWidget
{
    Q_OBJECT

public:
    YearView(AppState* appState, QWidget* parent = nullptr);

    void setDate(const QDate& date);
    void reload();

    YearGridWidget* grid() const { return m_grid; }

Q_SIGNALS:
    void dayActivated(const QDate& date);

private:
    AppState* m_appState;
    YearGridWidget* m_grid;
    QDate m_date;
};

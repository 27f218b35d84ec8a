#pragma once

#include <QWidget>

class AgendaListWidget;
class AppState;
class MiniMonthCalendar;

// The left column of the main window: the small month over the agenda of the next 30 days.
// Both read and follow the state hub, so it holds nothing of its own.
class Sidebar : public QWidget
{
    Q_OBJECT

public:
    explicit Sidebar(AppState* appState, QWidget* parent = nullptr);

    MiniMonthCalendar* miniMonth() const { return m_miniMonth; }
    // The main window binds View › "Show Empty Days in Agenda" to this list.
    AgendaListWidget* agenda() const { return m_agenda; }

private:
    AppState* m_appState;
    MiniMonthCalendar* m_miniMonth;
    AgendaListWidget* m_agenda;
};

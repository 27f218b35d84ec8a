#pragma once

#include <QMainWindow>

class AgendaListWidget;
class AppState;
class MiniMonthCalendar;

// The small month and the agenda in a top-level window of their own, to keep on another part of
// the screen. Its agenda keeps its own empty-days mode; a date picked in its month moves every
// view, since all of them follow the state hub. Its place on the screen is kept across closes.
class DetachedAgendaWindow : public QMainWindow
{
    Q_OBJECT

public:
    static inline const QString geometryKey = QStringLiteral("ui/detachedAgendaWindow/geometry");

    explicit DetachedAgendaWindow(AppState* appState, QWidget* parent = nullptr);

    MiniMonthCalendar* miniMonth() const { return m_miniMonth; }
    AgendaListWidget* agenda() const { return m_agenda; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    AppState* m_appState;
    MiniMonthCalendar* m_miniMonth = nullptr;
    AgendaListWidget* m_agenda = nullptr;
};

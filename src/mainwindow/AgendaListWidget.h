#pragma once

#include <QDate>
#include <QDateTime>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QWidget>

#include <optional>

class AgendaEventRow;
class AgendaTaskRow;
class AppState;
class QStackedWidget;
class QTimer;
class QVBoxLayout;
struct Task;

// The day-by-day list of events and tasks under the sidebar's mini month and in the detached
// agenda window: `days` days from the navigation date (from the start of its week while the main
// view shows a week or the grid), each under a header. In the agenda mode every day has its
// header; in the list mode only the days that hold something. Each reload rebuilds every row from
// the store; a burst of store signals gives one reload, and a timer keeps "today" current.
class AgendaListWidget : public QWidget
{
    Q_OBJECT

public:
    // How long the list waits after a change signal before it reloads, and how often it reloads
    // regardless (a past event leaves today, the day changes).
    static constexpr int coalesceMs = 120;
    static constexpr int refreshMs = 60000;

    // `modeKey` names the preference the mode is kept under ("agenda" or "list"); empty keeps
    // none. A stored mode wins over `showEmptyDays`. Reloads at once.
    AgendaListWidget(AppState* appState, bool showEmptyDays, int days, const QString& modeKey,
                     QWidget* parent = nullptr);

    bool showEmptyDays() const { return m_showEmptyDays; }
    int days() const { return m_days; }
    // Switches between the agenda mode (true) and the list mode, stores it and reloads; nothing
    // when the mode stays.
    void setShowEmptyDays(bool show);
    void reload();

Q_SIGNALS:
    void showEmptyDaysChanged(bool show);

private:
    QWidget* buildEmptyPage();
    QWidget* dayHeader(const QDate& day, const QDate& today);
    void clearRows();
    void insertRow(QWidget* row, int* position);
    void connectEventRow(AgendaEventRow* row);
    void connectTaskRow(AgendaTaskRow* row);
    // The live task with that id; a removed one counts as gone.
    std::optional<Task> liveTask(const QString& taskId) const;
    bool inReadOnlyCalendar(const Task& task) const;
    void showTaskCard(const QString& taskId, const QRect& screenRect);
    void editTask(const QString& taskId);
    void newSubtask(const QString& parentTaskId);
    void showTaskMenu(const QString& taskId, const QPoint& globalPos);

    AppState* m_appState;
    bool m_showEmptyDays;
    int m_days;
    QString m_modeKey;
    QStackedWidget* m_pages = nullptr;
    QWidget* m_content = nullptr;
    QVBoxLayout* m_contentLayout = nullptr;
    QTimer* m_reloadTimer = nullptr;
    // When the list shown would change with the clock alone; the minute's refresh rebuilds
    // nothing before then.
    QDateTime m_clockChangeAt;
};

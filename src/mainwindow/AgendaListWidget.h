#pragma once

#include "StoreReader.h"

#include <QDate>
#include <QDateTime>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QWidget>

#include <memory>
#include <optional>

class AgendaEventRow;
class AgendaTaskRow;
class AppState;
class FirstFrameWait;
class LazyRowList;
class QStackedWidget;
class QTimer;
struct Task;

// The day-by-day list of events and tasks under the sidebar's mini month and in the detached
// agenda window: `days` days from the navigation date (from the start of its week while the main
// view shows a week or the grid), each under a header. In the agenda mode every day has its
// header; in the list mode only the days that hold something. A reload reads the store off the
// window's thread and then builds only the rows in view, keeping those that show what they
// showed; a burst of store signals gives one reload, and a timer keeps "today" current.
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
    ~AgendaListWidget() override;

    bool showEmptyDays() const { return m_showEmptyDays; }
    int days() const { return m_days; }
    // Switches between the agenda mode (true) and the list mode, stores it and reloads; nothing
    // when the mode stays.
    void setShowEmptyDays(bool show);
    // Reads the days anew; the rows follow when the read is back.
    void reload();
    // From a write to the events or tasks, or a reload, until the rows in view are in place.
    bool isLoading() const;

    // What the list holds, built or not: its rows in order, the kind of each, and the row
    // itself, scrolled into view and built.
    enum class RowKind { DayHeader, Event, Task };
    int rowCount() const;
    RowKind rowKind(int index) const;
    QWidget* showRow(int index);

Q_SIGNALS:
    void showEmptyDaysChanged(bool show);

private:
    struct Content;
    struct Request;

    static Content read(const Request& request, const StoreReader::Repositories& store);
    void showContent(Content content);
    void showArrived(Content content);
    QWidget* buildRow(int index);
    QWidget* buildEmptyPage();
    QWidget* dayHeader(const QDate& day, const QDate& today);
    void connectEventRow(AgendaEventRow* row);
    void connectTaskRow(AgendaTaskRow* row);
    // The live task with that id; a removed one counts as gone.
    std::optional<Task> liveTask(const QString& taskId) const;
    // After a menu or a question: the task `read` as stored now, when it is still live in its
    // calendar; otherwise the person is told and nothing is given.
    std::optional<Task> taskAfterQuestion(const Task& read);
    bool inReadOnlyCalendar(const Task& task) const;
    void showTaskCard(const QString& taskId, const QRect& screenRect);
    void editTask(const QString& taskId);
    void newSubtask(const QString& parentTaskId);
    // By value, as the row that asks may be deleted while the menu is open.
    void showTaskMenu(QString taskId, QPoint globalPos);

    AppState* m_appState;
    bool m_showEmptyDays;
    int m_days;
    QString m_modeKey;
    QStackedWidget* m_pages = nullptr;
    LazyRowList* m_rows = nullptr;
    QTimer* m_reloadTimer = nullptr;
    StoreReader* m_reader = nullptr;
    FirstFrameWait* m_firstFrame = nullptr;
    std::unique_ptr<Content> m_content;
    // When the list shown would change with the clock alone; the minute's refresh rebuilds
    // nothing before then.
    QDateTime m_clockChangeAt;
};

#pragma once

#include "StoreReader.h"
#include "TasksPaneContent.h"

#include <QColor>
#include <QDate>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class AppState;
class FirstFrameWait;
class LazyRowList;
class QAction;
class QDialog;
class QLabel;
class QScrollArea;
class QTimer;
class QToolButton;
class TasksPaneRow;
struct Task;

// The side pane listing the user's tasks as an indented tree, optionally grouped by calendar,
// narrowed by a filter menu whose choices are preferences. It refreshes itself from the store's
// change signals and opens the task card and the task form itself, so any window can host it.
// A reload reads the store and lays out the tree off the window's thread; then only the rows in
// view are built, and rows that show what they showed before are kept as they are.
class TasksPane : public QWidget
{
    Q_OBJECT

public:
    TasksPane(AppState* appState, QWidget* parent = nullptr);
    // Joins a read still running before the rows it would answer go.
    ~TasksPane() override;

    // Reads the tasks anew; the rows follow when the read is back.
    void reload();
    // From a write to the tasks, or a reload, until the rows in view are in place.
    bool isLoading() const;
    void setFilter(int mode);
    void setHideCompleted(bool on);
    void setGroupByCalendar(bool on);
    void setShowNotes(bool on);
    void setShowCategories(bool on);

    // What the list holds, built or not: its rows in order, the kind of each, and the row itself,
    // scrolled into view and built (a group header or a TasksPaneRow).
    using RowKind = TasksPaneContent::RowKind;
    int rowCount() const;
    RowKind rowKind(int index) const;
    QWidget* showRow(int index);

    // Moves the dragged task (both looked up by id) into the target (zone 2) or above or below
    // it (zones 1 and 3). Beside the target it takes the target's parent only when the target is
    // drawn under that parent; otherwise it lands at the top level. Across calendars it refuses
    // with a message.
    void handleRowDrop(const QString& sourceTaskId, const QString& targetTaskId, int zone);
    // Takes the id by value: a row asks with its own copy, which a reload while the menu is
    // open deletes along with the row.
    void showRowContextMenu(QString taskId, QPoint globalPos);

    // The task's card beside that rectangle (a row's, in global coordinates); nothing for a
    // task that is gone.
    void showCard(const QString& taskId, const QRect& globalRowRect);
    // The task form for a new task, a subtask of the task with that id when it is not empty.
    void newTask(const QString& parentTaskId = QString());
    // The task form on the task as stored now.
    void editTask(const QString& taskId);

    // How the task form is run; a host or a test hands in its own (the default runs exec()).
    std::function<int(QDialog* dialog)> execDialog;

protected:
    void changeEvent(QEvent* event) override;

private:
    void showContent(TasksPaneContent content);
    // Puts the list that arrived in place of the one shown.
    void showArrived();
    QWidget* buildRow(int index);
    QWidget* buildHeader();
    void paintFilterIcon();
    QWidget* buildEmptyState();
    QWidget* buildFooter();
    QWidget* buildGroupHeader(const QString& text, const QString& color, int count);
    void connectRow(TasksPaneRow* row);
    void showEmptyState(bool empty);
    // The live task with that id, or nothing (a removed task counts as gone).
    std::optional<Task> liveTask(const QString& taskId) const;
    // After a menu or a question: the task `read` as stored now, when it is still live in its
    // calendar; otherwise the person is told and nothing is given.
    std::optional<Task> taskAfterQuestion(const Task& read);
    bool inReadOnlyCalendar(const Task& task) const;
    // Writes a changed task with a new sequence, pending, its iCalendar text rebuilt.
    bool saveChanged(Task task);

    AppState* m_appState;
    QScrollArea* m_scroll = nullptr;
    LazyRowList* m_rows = nullptr;
    QWidget* m_emptyState = nullptr;
    QLabel* m_emptyTitle = nullptr;
    QLabel* m_emptySubtitle = nullptr;
    QToolButton* m_filterButton = nullptr;
    QColor m_filterIconColour;
    QAction* m_hideCompletedAction = nullptr;
    QAction* m_groupByCalendarAction = nullptr;
    QAction* m_showNotesAction = nullptr;
    QAction* m_showCategoriesAction = nullptr;
    QTimer* m_reloadTimer = nullptr;
    StoreReader* m_reader = nullptr;
    int m_filterMode = 0;
    bool m_hideCompleted = false;
    bool m_groupByCalendar = true;
    bool m_showNotes = false;
    bool m_showCategories = false;
    // What the last read listed, with the completed tasks "Hide completed" keeps among it.
    std::unique_ptr<TasksPaneContent> m_content;
    // A list read while the window was not yet on screen.
    std::unique_ptr<TasksPaneContent> m_arrived;
    FirstFrameWait* m_firstFrame = nullptr;
};

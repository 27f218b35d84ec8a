#pragma once

#include <QSet>
#include <QString>
#include <QWidget>

#include <functional>
#include <optional>

class AppState;
class QAction;
class QDialog;
class QLabel;
class QScrollArea;
class QTimer;
class QToolButton;
class QVBoxLayout;
class TasksPaneRow;
struct Task;

// The side pane listing the user's tasks as an indented tree, optionally grouped by calendar,
// narrowed by a filter menu whose choices are preferences. It refreshes itself from the store's
// change signals and opens the task card and the task form itself, so any window can host it.
class TasksPane : public QWidget
{
    Q_OBJECT

public:
    TasksPane(AppState* appState, QWidget* parent = nullptr);

    void reload();
    void setFilter(int mode);
    void setHideCompleted(bool on);
    void setGroupByCalendar(bool on);
    void setShowNotes(bool on);
    void setShowCategories(bool on);

    // Moves the dragged task (both looked up by id) into the target (zone 2) or above or below
    // it (zones 1 and 3) among the target's siblings. Across calendars it refuses with a message.
    void handleRowDrop(const QString& sourceTaskId, const QString& targetTaskId, int zone);
    void showRowContextMenu(const QString& taskId, const QPoint& globalPos);

    // The task's card beside that rectangle (a row's, in global coordinates); nothing for a
    // task that is gone.
    void showCard(const QString& taskId, const QRect& globalRowRect);
    // The task form for a new task, a subtask of the task with that id when it is not empty.
    void newTask(const QString& parentTaskId = QString());
    // The task form on the task as stored now.
    void editTask(const QString& taskId);

    // How the task form is run; a host or a test hands in its own (the default runs exec()).
    std::function<int(QDialog* dialog)> execDialog;

private:
    QWidget* buildHeader();
    QWidget* buildEmptyState();
    QWidget* buildFooter();
    QWidget* buildGroupHeader(const QString& text, const QString& color, int count);
    void connectRow(TasksPaneRow* row);
    void insertListWidget(QWidget* widget);
    void showEmptyState(bool empty);
    // The live task with that id, or nothing (a removed task counts as gone).
    std::optional<Task> liveTask(const QString& taskId) const;
    // Writes a changed task with a new sequence, pending, its iCalendar text rebuilt.
    bool inReadOnlyCalendar(const Task& task) const;
    bool saveChanged(Task task);

    AppState* m_appState;
    QScrollArea* m_scroll = nullptr;
    QWidget* m_listWidget = nullptr;
    QVBoxLayout* m_listLayout = nullptr;
    QWidget* m_emptyState = nullptr;
    QLabel* m_emptyTitle = nullptr;
    QLabel* m_emptySubtitle = nullptr;
    QToolButton* m_filterButton = nullptr;
    QAction* m_hideCompletedAction = nullptr;
    QAction* m_groupByCalendarAction = nullptr;
    QAction* m_showNotesAction = nullptr;
    QAction* m_showCategoriesAction = nullptr;
    QTimer* m_reloadTimer = nullptr;
    int m_filterMode = 0;
    bool m_hideCompleted = false;
    bool m_groupByCalendar = true;
    bool m_showNotes = false;
    bool m_showCategories = false;
    QSet<QString> m_keptCompletedUids;
};

#pragma once

#include "DetailsCard.h"
#include "Task.h"

#include <QString>

#include <optional>

class AppState;
class QLabel;
class QPushButton;
class QVBoxLayout;

// The card that shows one task over its window: title, start and due days, calendar, priority,
// categories and notes, with "Edit…", "Add Subtask", "Mark complete"/"Mark incomplete" and
// "Delete". At most one exists; it shares the event card's frame and closing rules and deletes
// itself on close. Every field is plain text; only http, https and mailto links open. A task of
// a read-only calendar offers neither the status toggle nor "Add Subtask". Edit and Add Subtask
// are the caller's (the card is closed when they are emitted); the toggle and Delete it carries
// out itself, on the stored row.
class TaskDetailsPopover : public DetailsCard
{
    Q_OBJECT

public:
    // Reads the task by id (a removed task counts as gone) and builds the card as a child of
    // `parent`'s window, closing the task card shown before; does not show it (see
    // PopoverPlacement.h). `appState` must outlive the card.
    TaskDetailsPopover(AppState* appState, const QString& taskId, QWidget* parent = nullptr);

    // False when the task was gone when the card was built; it then offers no action.
    bool hasTask() const { return m_found; }

    // As tall as the wrapped content at the card's width needs, at most 560 px.
    QSize sizeHint() const override;

Q_SIGNALS:
    // The task, still live when asked, is to be edited.
    void editRequested(const QString& taskId);
    // A subtask of the task is to be made.
    void addSubtaskRequested(const QString& parentTaskId);

private:
    void buildUi();
    void populate();
    // The start and due lines, "Today", "Tomorrow" or "Yesterday" as of the clock's date.
    void showDates();
    // Moves the buttons that do not fit the card's width beside the others to a row of their
    // own.
    void arrangeButtons();
    // The stored task when it is still live; says so and returns nothing otherwise.
    std::optional<Task> liveTask();
    void onEdit();
    void onAddSubtask();
    void onToggleComplete();
    void onDelete();

    AppState* m_appState;
    Task m_task;
    bool m_found = false;
    bool m_readOnly = false;
    QWidget* m_content = nullptr;
    QLabel* m_titleLabel = nullptr;
    QLabel* m_startLabel = nullptr;
    QLabel* m_dueLabel = nullptr;
    QLabel* m_calendarLabel = nullptr;
    QLabel* m_priorityLabel = nullptr;
    QLabel* m_categoriesLabel = nullptr;
    QLabel* m_descriptionLabel = nullptr;
    QPushButton* m_editButton = nullptr;
    QPushButton* m_addSubtaskButton = nullptr;
    QPushButton* m_completeButton = nullptr;
    QPushButton* m_deleteButton = nullptr;
    QVBoxLayout* m_buttonRows = nullptr;
};

#include "StoredTask.h"

#include "AppState.h"
#include "Limits.h"
#include "ShownText.h"
#include "TaskRepository.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace StoredTask {

std::optional<Task> live(AppState* state, const QString& taskId)
{
    if (!state || !state->tasks())
        return std::nullopt;
    std::optional<Task> task = state->tasks()->getById(taskId);
    if (task && task->deletedAt)
        return std::nullopt;
    return task;
}

std::optional<Task> afterQuestion(AppState* state, QWidget* parent, const Task& read)
{
    const std::optional<Task> stored = live(state, read.id);
    if (stored && stored->calendarId == read.calendarId)
        return stored;
    const auto tr = [](const char* text) {
        return QCoreApplication::translate("StoredTask", text);
    };
    QMessageBox::information(
        parent, tr("Task not found"),
        stored ? tr("\"%1\" was moved to another calendar meanwhile, so nothing was changed.")
                     .arg(ShownText::bounded(read.title, Limits::maxRowTextChars))
               : tr("This task no longer exists."));
    return std::nullopt;
}

} // namespace StoredTask

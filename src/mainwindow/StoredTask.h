#pragma once

#include "Task.h"

#include <QString>

#include <optional>

class AppState;
class QWidget;

// The task a row's menu or question was about, as stored once the menu or question has closed:
// a sync may have changed, removed or moved it meanwhile, and what is written is planned from
// the stored row.
namespace StoredTask {

// The task as stored; nothing when it is gone or soft-deleted.
std::optional<Task> live(AppState* state, const QString& taskId);

// `read` as stored now. When it is gone, or in another calendar than `read`, the user is told in
// a message over `parent` and nothing is given.
std::optional<Task> afterQuestion(AppState* state, QWidget* parent, const Task& read);

} // namespace StoredTask

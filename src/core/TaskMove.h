#pragma once

#include "Task.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// The rows that moving a task to another calendar writes, as a pure function of the stored rows.
// A server keeps a task as a resource of one calendar, so a move is a deletion there and a new
// resource in the other: the old place keeps a tombstone with the old href and ETag (the push
// deletes it on the server), and the task itself leaves with href and ETag cleared and its UID
// kept, so that its subtasks still name it. Its subtasks, at any depth, move with it the same way.
namespace TaskMove {

struct Plan
{
    QList<Task> updates; // the task and its subtasks in their new calendar, pending
    QList<Task> inserts; // tombstones in the old calendar, pending and deleted
    // Tombstones in the new calendar that a moved row takes the place of (a move back before
    // the sync carried the first one): the row keeps their href and ETag and they go for good,
    // since two rows of one UID in a calendar would be pushed as one deleted resource.
    QStringList purges;
    // A live task of the same UID is in the new calendar already: nothing is written.
    bool refused = false;
};

// Gives a fresh row id on every call.
using IdSource = std::function<QString()>;

// `edited` is the task as the form saves it, already in its new calendar; `stored` is its row as
// stored (in the old calendar); `oldCalendarTasks` are the live tasks of the old calendar (the
// task itself may be among them); `targetRows` are the rows of the new calendar, removed ones
// that still wait for the sync included. A row that was never on a server (no href) leaves no
// tombstone. Nothing is planned when the calendar did not change.
Plan move(const Task& edited, const Task& stored, const QList<Task>& oldCalendarTasks,
          const QList<Task>& targetRows, const QDateTime& now, const IdSource& newId);

} // namespace TaskMove

#pragma once

#include "StoreReader.h"
#include "TaskTree.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QVector>

// What one reload of the tasks pane lists, read and laid out off the window's thread: the group
// headers and the flattened tree, each row with a key that stands for everything it shows.
struct TasksPaneContent
{
    enum class RowKind { GroupHeader, Task };

    // What a reload reads by: the pane's settings and the hub's state when it was asked for.
    struct Request
    {
        QString activeViewId;
        int filterMode = 0;
        bool hideCompleted = false;
        bool groupByCalendar = true;
        bool showNotes = false;
        bool showCategories = false;
        QDate today;
    };

    // A calendar's group header.
    struct Header
    {
        QString title;
        QString colour;
        int count = 0;
    };

    // A task of the flattened tree.
    struct ListedTask
    {
        TreeTask tree;
        // The stripe's colour; empty when a group header carries the calendar's.
        QString stripe;
        // The task this one is drawn under, as an index among the listed tasks; -1 at the top
        // level.
        int drawnParent = -1;
    };

    // A row of the list: a group header or a task.
    struct Row
    {
        RowKind kind = RowKind::Task;
        // Among the headers or the tasks.
        int item = 0;
    };

    // Reads on the connection of `store`; safe on any thread.
    static TasksPaneContent read(const Request& request, const StoreReader::Repositories& store);

    // Whether the listed task is drawn nested under its own parent.
    bool drawnUnderItsParent(const Task& task) const;

    // No calendar at all: the list gives way to the empty state as it last read.
    bool noCalendars = true;
    int filterMode = 0;
    bool showNotes = false;
    bool showCategories = false;
    QList<Header> headers;
    QList<ListedTask> tasks;
    QVector<Row> rows;
    QVector<quint64> keys;
    QVector<quint8> shapes;
    // Task id to its index in `tasks`.
    QHash<QString, int> taskIndex;
    // The completed tasks that stay listed with "Hide completed" on: their tree holds open work.
    QSet<QString> keptCompletedUids;
};

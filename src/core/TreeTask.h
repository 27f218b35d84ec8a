#pragma once

#include "Task.h"

// One row of the flattened task tree.
struct TreeTask
{
    Task task;
    int depth = 0; // 0 for a top-level task
};

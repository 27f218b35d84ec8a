#include "TaskTree.h"

#include <QHash>

#include <algorithm>
#include <utility>
#include <vector>

namespace TaskTree {

namespace {

struct Forest
{
    std::vector<qsizetype> roots;
    std::vector<std::vector<qsizetype>> children;
};

// Parent of each task as an index, -1 for top-level. Picks one parent per task so that
// duplicate uids cannot list a task twice.
std::vector<qsizetype> parentIndexes(const QList<Task>& tasks)
{
    // The first two holders of each uid: a task whose parent uid is its own falls back to the
    // second, so it is never its own parent.
    QHash<QString, std::pair<qsizetype, qsizetype>> holders;
    holders.reserve(tasks.size());
    for (qsizetype i = 0; i < tasks.size(); ++i) {
        auto it = holders.find(tasks[i].uid);
        if (it == holders.end())
            holders.insert(tasks[i].uid, {i, -1});
        else if (it->second < 0)
            it->second = i;
    }
    std::vector<qsizetype> parent(size_t(tasks.size()), -1);
    for (qsizetype i = 0; i < tasks.size(); ++i) {
        const QString& parentUid = tasks[i].parentTaskUid;
        if (parentUid.isEmpty())
            continue;
        const auto it = holders.constFind(parentUid);
        if (it == holders.cend())
            continue;
        parent[size_t(i)] = it->first != i ? it->first : it->second;
    }
    return parent;
}

// Cuts every parent cycle at its member that comes first in the list, so that each task hangs
// under exactly one top-level task. Iterative: each task is walked once.
void breakCycles(std::vector<qsizetype>& parent)
{
    enum : char { Unseen, OnPath, Done };
    std::vector<char> state(parent.size(), Unseen);
    std::vector<qsizetype> path;
    for (size_t startIndex = 0; startIndex < parent.size(); ++startIndex) {
        if (state[startIndex] != Unseen)
            continue;
        path.clear();
        qsizetype node = qsizetype(startIndex);
        while (node >= 0 && state[size_t(node)] == Unseen) {
            state[size_t(node)] = OnPath;
            path.push_back(node);
            node = parent[size_t(node)];
        }
        if (node >= 0 && state[size_t(node)] == OnPath) {
            const auto cycleBegin = std::find(path.begin(), path.end(), node);
            const qsizetype first = *std::min_element(cycleBegin, path.end());
            parent[size_t(first)] = -1;
        }
        for (qsizetype member : path)
            state[size_t(member)] = Done;
    }
}

Forest buildForest(const QList<Task>& tasks, const Comparator& comparator)
{
    std::vector<qsizetype> parent = parentIndexes(tasks);
    breakCycles(parent);
    Forest forest;
    forest.children.resize(parent.size());
    for (size_t i = 0; i < parent.size(); ++i) {
        if (parent[i] < 0)
            forest.roots.push_back(qsizetype(i));
        else
            forest.children[size_t(parent[i])].push_back(qsizetype(i));
    }
    if (comparator) {
        // Stable, so ties keep input order; unlike std::sort it stays in bounds even when a
        // caller's comparator is not a strict weak order.
        const auto byComparator = [&](qsizetype a, qsizetype b) {
            return comparator(tasks[a], tasks[b]);
        };
        std::stable_sort(forest.roots.begin(), forest.roots.end(), byComparator);
        for (auto& siblings : forest.children)
            std::stable_sort(siblings.begin(), siblings.end(), byComparator);
    }
    return forest;
}

} // namespace

QList<TreeTask> flatten(const QList<Task>& tasks, const Comparator& comparator)
{
    QList<TreeTask> rows;
    if (tasks.isEmpty())
        return rows;
    const Forest forest = buildForest(tasks, comparator);
    rows.reserve(tasks.size());
    std::vector<std::pair<qsizetype, int>> stack;
    for (auto it = forest.roots.rbegin(); it != forest.roots.rend(); ++it)
        stack.emplace_back(*it, 0);
    while (!stack.empty()) {
        const auto [index, depth] = stack.back();
        stack.pop_back();
        rows.append(TreeTask{tasks[index], depth});
        const auto& children = forest.children[size_t(index)];
        for (auto it = children.rbegin(); it != children.rend(); ++it)
            stack.emplace_back(*it, depth + 1);
    }
    return rows;
}

Comparator withManualSortOrder(Comparator fallback)
{
    return [fallback = std::move(fallback)](const Task& a, const Task& b) {
        if (a.sortOrder != 0 && b.sortOrder != 0)
            return a.sortOrder < b.sortOrder;
        if (a.sortOrder != 0)
            return true;
        if (b.sortOrder != 0)
            return false;
        return fallback ? fallback(a, b) : false;
    };
}

QSet<QString> completedKeptByActiveTree(const QList<Task>& tasks)
{
    QSet<QString> kept;
    if (tasks.isEmpty())
        return kept;
    const Forest forest = buildForest(tasks, {});
    std::vector<qsizetype> tree;
    std::vector<qsizetype> stack;
    for (qsizetype root : forest.roots) {
        tree.clear();
        stack.assign(1, root);
        bool hasOpenTask = false;
        while (!stack.empty()) {
            const qsizetype index = stack.back();
            stack.pop_back();
            tree.push_back(index);
            hasOpenTask = hasOpenTask || !tasks[index].isCompleted();
            const auto& children = forest.children[size_t(index)];
            stack.insert(stack.end(), children.begin(), children.end());
        }
        if (!hasOpenTask)
            continue;
        for (qsizetype index : tree) {
            if (tasks[index].isCompleted())
                kept.insert(tasks[index].uid);
        }
    }
    return kept;
}

} // namespace TaskTree

#include "UndoStack.h"

#include "Limits.h"
#include "ShownText.h"

#include <utility>

UndoStack::UndoStack(QObject* parent) : QObject(parent) {}

void UndoStack::push(Entry entry)
{
    if (!entry.undo)
        return;
    // Summaries name an event by its title, which may have come from a server at any length;
    // they reach the status bar and the undo failure messages as they are.
    entry.summary = ShownText::bounded(entry.summary, Limits::maxRowTextChars);
    m_entries.append(std::move(entry));
    while (m_entries.size() > maxEntries)
        m_entries.removeFirst();
    Q_EMIT changed();
}

void UndoStack::undo()
{
    if (m_entries.isEmpty())
        return;
    // The entry leaves the list before its callable runs, so a callable that pushes a new entry
    // lands after it rather than being undone with it.
    Entry entry = m_entries.takeLast();
    const bool undid = entry.undo();
    Q_EMIT changed();
    if (undid)
        Q_EMIT undone(entry.summary);
}

QString UndoStack::nextSummary() const
{
    return m_entries.isEmpty() ? QString() : m_entries.constLast().summary;
}

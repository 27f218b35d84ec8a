#pragma once

#include <QList>
#include <QObject>
#include <QString>

#include <functional>

// A short in-memory list of undoable edits (at most 20, oldest dropped first). No redo, nothing
// kept across runs. GUI thread only.
class UndoStack : public QObject
{
    Q_OBJECT

public:
    struct Entry
    {
        // Names the edit to the user, e.g. "Moved \"Standup\"". push() shortens it to what a
        // one-line label lays out.
        QString summary;
        // Reverts the edit; owns whatever it captured. False when it wrote nothing (the edited
        // rows were changed or deleted elsewhere, or the write failed), which it tells the
        // user about itself.
        std::function<bool()> undo;
    };

    static constexpr int maxEntries = 20;

    explicit UndoStack(QObject* parent = nullptr);

    // Appends the entry and emits changed(); an entry without a callable is dropped silently.
    void push(Entry entry);

    // Takes the most recent entry out, runs its callable, then emits changed(), and undone() when
    // the callable undid something. Does nothing on an empty list.
    void undo();

    bool canUndo() const { return !m_entries.isEmpty(); }
    int count() const { return int(m_entries.size()); }
    // Summary of the entry undo() would revert; empty when there is none.
    QString nextSummary() const;

Q_SIGNALS:
    void changed();
    void undone(const QString& summary);

private:
    QList<Entry> m_entries;
};

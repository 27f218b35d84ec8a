#pragma once

#include <QLabel>

#include <functional>

class AppState;
class QPushButton;

// The line a form shows while an import keeps the store's lock for its whole write: the form
// keeps the user's input and saves when the import ends, instead of waiting on the lock (or
// failing) on the window's thread. Hidden until a save has to wait.
class StoreWaitNote : public QLabel
{
    Q_OBJECT

public:
    StoreWaitNote(AppState* appState, const QString& text, QWidget* parent);

    // Shows the note, disables `ok` and runs `save` once the store is released; a second call
    // while waiting changes nothing.
    void saveWhenFree(QPushButton* ok, std::function<void()> save);
    // A form cancelled while it waits saves nothing.
    void cancel();

private:
    AppState* m_appState = nullptr;
    bool m_waiting = false;
};

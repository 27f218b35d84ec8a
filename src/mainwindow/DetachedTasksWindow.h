#pragma once

#include <QMainWindow>

class AppState;
class TasksPane;

// A second tasks pane in a top-level window of its own. It shares the pane's stored filter and
// follows the store like the one in the main window; its place on the screen is kept across
// closes.
class DetachedTasksWindow : public QMainWindow
{
    Q_OBJECT

public:
    static inline const QString geometryKey = QStringLiteral("ui/detachedTasksWindow/geometry");

    explicit DetachedTasksWindow(AppState* appState, QWidget* parent = nullptr);

    TasksPane* tasksPane() const { return m_tasksPane; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    AppState* m_appState;
    TasksPane* m_tasksPane = nullptr;
};

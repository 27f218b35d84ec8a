#include "DetachedTasksWindow.h"

#include "AppState.h"
#include "DetachedWindowGeometry.h"
#include "TasksPane.h"

#include <QCloseEvent>

DetachedTasksWindow::DetachedTasksWindow(AppState* appState, QWidget* parent)
    : QMainWindow(parent), m_appState(appState)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
    setWindowTitle(tr("Tasks — Orvandellic Calendar"));
    resize(360, 720);
    m_tasksPane = new TasksPane(appState, this);
    setCentralWidget(m_tasksPane);
    DetachedWindowGeometry::restore(this, appState->preferences(), geometryKey);
}

void DetachedTasksWindow::closeEvent(QCloseEvent* event)
{
    DetachedWindowGeometry::save(this, m_appState->preferences(), geometryKey);
    QMainWindow::closeEvent(event);
}

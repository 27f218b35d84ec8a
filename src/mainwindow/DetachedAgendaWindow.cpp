#include "DetachedAgendaWindow.h"

#include "AgendaListWidget.h"
#include "AppState.h"
#include "DetachedWindowGeometry.h"
#include "MiniMonthCalendar.h"

#include <QCloseEvent>
#include <QVBoxLayout>

DetachedAgendaWindow::DetachedAgendaWindow(AppState* appState, QWidget* parent)
    : QMainWindow(parent), m_appState(appState)
{
    // The opener decides whether closing destroys the window.
    setAttribute(Qt::WA_DeleteOnClose, false);
    setWindowTitle(tr("Agenda — Orvandellic Calendar"));
    resize(380, 720);
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(8);
    m_miniMonth = new MiniMonthCalendar(appState, central);
    m_agenda =
        new AgendaListWidget(appState, true, 30, QStringLiteral("ui/detachedAgendaMode"), central);
    layout->addWidget(m_miniMonth, 0);
    layout->addWidget(m_agenda, 1);
    setCentralWidget(central);
    DetachedWindowGeometry::restore(this, appState->preferences(), geometryKey);
}

void DetachedAgendaWindow::closeEvent(QCloseEvent* event)
{
    DetachedWindowGeometry::save(this, m_appState->preferences(), geometryKey);
    QMainWindow::closeEvent(event);
}

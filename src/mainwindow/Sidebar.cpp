#include "Sidebar.h"

#include "AgendaListWidget.h"
#include "MiniMonthCalendar.h"

#include <QVBoxLayout>

Sidebar::Sidebar(AppState* appState, QWidget* parent)
    : QWidget(parent), m_appState(appState), m_miniMonth(new MiniMonthCalendar(appState)),
      m_agenda(new AgendaListWidget(appState, true, 30, QStringLiteral("ui/sidebarAgendaMode")))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(8);
    layout->addWidget(m_miniMonth, 0);
    layout->addWidget(m_agenda, 1);
}

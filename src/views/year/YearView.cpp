#include "YearView.h"

#include "AppState.h"
#include "CalendarRepository.h"
#include "Clock.h"
#include "DeferredReload.h"
#include "EventRepository.h"
#include "FilterRuleRepository.h"
#include "ViewData.h"
#include "ViewDays.h"
#include "YearGridWidget.h"

#include <QTimeZone>
#include <QTimer>
#include <QVBoxLayout>

YearView::YearView(AppState* appState, QWidget* parent)
    : QWidget(parent), m_appState(appState), m_grid(new YearGridWidget(this)),
      m_date(Clock::today()), m_yearReload(DeferredReload::create(this, [this] { reload(); }))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_grid, 1);

    connect(appState, &AppState::activeViewChanged, this, &YearView::reload);
    if (appState->calendars())
        connect(appState->calendars(), &CalendarRepository::calendarsChanged, this,
                &YearView::reload);
    if (appState->events())
        connect(appState->events(), &EventRepository::eventsChanged, this, &YearView::reload);
    if (appState->filterRules())
        connect(appState->filterRules(), &FilterRuleRepository::filterRulesChanged, this,
                &YearView::reload);
    connect(m_grid, &YearGridWidget::dayActivated, this, &YearView::dayActivated);
    m_grid->setFirstDayOfWeek(appState->firstDayOfWeek());
    connect(appState, &AppState::firstDayOfWeekChanged, m_grid, &YearGridWidget::setFirstDayOfWeek);
    // Loaded when first shown (or by an explicit reload), not while the area is being built.
    m_stale = true;
}

void YearView::setDate(const QDate& date)
{
    const bool sameYear = m_date.isValid() && date.year() == m_date.year();
    m_date = date;
    if (sameYear)
        return;
    // The grid keeps the year it shows until the reload.
    m_stale = true;
    m_yearReload->start();
}

void YearView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_stale)
        reload();
}

void YearView::reload()
{
    m_yearReload->stop();
    if (testAttribute(Qt::WA_WState_ExplicitShowHide) && isHidden()) {
        m_stale = true;
        return;
    }
    m_stale = false;
    const QDate first(m_date.year(), 1, 1);
    const QDateTime from = ViewData::rangeStart(first);
    const QDateTime to = from.addYears(1);
    const ViewData::Result result = ViewData::load(m_appState, from, to);
    const ViewDays::StartDays days =
        ViewDays::startDays(result.events, result.calendarColors, QTimeZone::systemTimeZone());
    m_grid->setData(m_date.year(), days.colors, days.days);
}

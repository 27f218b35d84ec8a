#include "MonthView.h"

#include "AppState.h"
#include "CalendarRepository.h"
#include "Clock.h"
#include "DeferredReload.h"
#include "EventRepository.h"
#include "FilterRuleRepository.h"
#include "MonthGridWidget.h"
#include "ViewData.h"
#include "ViewEventActions.h"
#include "ViewPeriod.h"
#include "ViewWeather.h"
#include "WeatherService.h"

#include <QTimer>
#include <QVBoxLayout>

MonthView::MonthView(AppState* appState, QWidget* parent)
    : QWidget(parent), m_appState(appState), m_grid(new MonthGridWidget(appState, this)),
      m_date(Clock::today()), m_dateReload(DeferredReload::create(this, [this] { reload(); }))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_grid);

    connect(appState, &AppState::activeViewChanged, this, &MonthView::reload);
    if (appState->calendars())
        connect(appState->calendars(), &CalendarRepository::calendarsChanged, this,
                &MonthView::reload);
    if (appState->events())
        connect(appState->events(), &EventRepository::eventsChanged, this, &MonthView::reload);
    if (appState->filterRules())
        connect(appState->filterRules(), &FilterRuleRepository::filterRulesChanged, this,
                &MonthView::reload);
    if (appState->weather())
        connect(appState->weather(), &Weather::Service::forecastRefreshed, this,
                &MonthView::reload);
    m_grid->setCompact(appState->isCompact(QStringLiteral("month")));
    m_grid->setFirstDayOfWeek(appState->firstDayOfWeek());
    connect(appState, &AppState::densityChanged, this,
            [this](const QString& mode, const QString& density) {
                if (mode == QLatin1String("month"))
                    m_grid->setCompact(density == QLatin1String("compact"));
            });
    connect(appState, &AppState::firstDayOfWeekChanged, this, [this](int day) {
        m_grid->setFirstDayOfWeek(day);
        reload();
    });
    connect(m_grid, &MonthGridWidget::eventSelected, this,
            [this](const QString& id, const QDateTime& start, const QRect& rect) {
                ViewEventActions::showDetails(m_appState, this, id, start, rect,
                                              ViewEventActions::titleShown(m_shown, id));
            });
    connect(m_grid, &MonthGridWidget::eventActivated, this,
            [this](const QString& id, const QDateTime& start) {
                ViewEventActions::editEvent(m_appState, this, id, start,
                                            ViewEventActions::titleShown(m_shown, id));
            });
    connect(m_grid, &MonthGridWidget::eventContextRequested, this,
            &MonthView::showEventContextMenu);
    // Loaded when first shown (or by an explicit reload), not while the area is being built.
    m_stale = true;
}

void MonthView::setDate(const QDate& date)
{
    if (date == m_date)
        return;
    m_date = date;
    // The grid keeps the month it shows until the reload.
    m_stale = true;
    m_dateReload->start();
}

void MonthView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_stale)
        reload();
}

void MonthView::reload()
{
    m_dateReload->stop();
    if (testAttribute(Qt::WA_WState_ExplicitShowHide) && isHidden()) {
        m_stale = true;
        return;
    }
    m_stale = false;
    const QDate start = ViewPeriod::monthGridStart(m_date, m_appState->firstDayOfWeek());
    const ViewData::Result result =
        ViewData::load(m_appState, ViewData::rangeStart(start), ViewData::rangeEnd(start, 42));
    m_shown = result.events;
    m_grid->setData(m_date, result.events, result.calendarColors, result.dimmed,
                    ViewWeather::labels(m_appState, start, 42));
}

void MonthView::showEventContextMenu(const QString& eventId, const QPoint& globalPos,
                                     const QDateTime& occurrenceStart)
{
    ViewEventActions::showContextMenu(m_appState, this, eventId, globalPos, "MonthView",
                                      occurrenceStart,
                                      ViewEventActions::titleShown(m_shown, eventId));
}

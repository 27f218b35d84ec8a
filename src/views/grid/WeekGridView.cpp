#include "WeekGridView.h"

#include "AppState.h"
#include "CalendarRepository.h"
#include "DeferredReload.h"
#include "EventRepository.h"
#include "FilterRuleRepository.h"
#include "ViewData.h"
#include "ViewEventActions.h"
#include "ViewWeather.h"
#include "WeatherService.h"
#include "WeekGridWidget.h"

#include <QTimer>
#include <QVBoxLayout>

WeekGridView::WeekGridView(AppState* appState, QWidget* parent)
    : QWidget(parent), m_appState(appState), m_grid(new WeekGridWidget(this)),
      m_dateReload(DeferredReload::create(this, [this] { reload(); }))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(0);
    layout->addWidget(m_grid, 1);

    connect(appState, &AppState::activeViewChanged, this, &WeekGridView::reload);
    connect(appState, &AppState::currentDateChanged, this, [this] {
        // The cards keep the days they show until the reload.
        m_stale = true;
        m_dateReload->start();
    });
    if (appState->calendars())
        connect(appState->calendars(), &CalendarRepository::calendarsChanged, this,
                &WeekGridView::reload);
    if (appState->events())
        connect(appState->events(), &EventRepository::eventsChanged, this, &WeekGridView::reload);
    if (appState->filterRules())
        connect(appState->filterRules(), &FilterRuleRepository::filterRulesChanged, this,
                &WeekGridView::reload);
    if (appState->weather())
        connect(appState->weather(), &Weather::Service::forecastRefreshed, this,
                &WeekGridView::reload);
    connect(appState, &AppState::densityChanged, this,
            [this](const QString& mode, const QString& density) {
                if (mode == QLatin1String("grid"))
                    m_grid->setCompact(density == QLatin1String("compact"));
            });
    connect(m_grid, &WeekGridWidget::eventSelected, this,
            [this](const QString& id, const QDateTime& start, const QRect& rect) {
                ViewEventActions::showDetails(m_appState, this, id, start, rect,
                                              ViewEventActions::titleShown(m_shown, id));
            });
    connect(m_grid, &WeekGridWidget::eventActivated, this,
            [this](const QString& id, const QDateTime& start) {
                ViewEventActions::editEvent(m_appState, this, id, start,
                                            ViewEventActions::titleShown(m_shown, id));
            });
    connect(m_grid, &WeekGridWidget::eventContextRequested, this,
            &WeekGridView::showEventContextMenu);
    connect(m_grid, &WeekGridWidget::dayActivated, this, &WeekGridView::dayActivated);
    m_grid->setCompact(appState->isCompact(QStringLiteral("grid")));
    // Read when first shown (or by an explicit reload), not while the view area is being built.
    m_stale = true;
}

void WeekGridView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_stale)
        reload();
}

void WeekGridView::reload()
{
    m_dateReload->stop();
    // Hidden in the view area: read when shown, not on every step.
    if (testAttribute(Qt::WA_WState_ExplicitShowHide) && isHidden()) {
        m_stale = true;
        return;
    }
    m_stale = false;
    const QDate start = m_appState->currentDate();
    const QHash<QDate, QString> weather = ViewWeather::labels(m_appState, start, 8);
    const ViewData::Result result =
        ViewData::load(m_appState, ViewData::rangeStart(start), ViewData::rangeEnd(start, 8));
    m_shown = result.events;
    m_grid->setData(start, result.events, result.calendarColors, result.dimmed, weather);
}

void WeekGridView::showEventContextMenu(const QString& eventId, const QPoint& globalPos,
                                        const QDateTime& occurrenceStart)
{
    ViewEventActions::showContextMenu(m_appState, this, eventId, globalPos, "WeekGridView",
                                      occurrenceStart,
                                      ViewEventActions::titleShown(m_shown, eventId));
}

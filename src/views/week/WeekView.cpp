#include "WeekView.h"

#include "AllDayStrip.h"
#include "AppState.h"
#include "CalendarRepository.h"
#include "Clock.h"
#include "DateLanguage.h"
#include "Defaults.h"
#include "DeferredReload.h"
#include "EventChangeState.h"
#include "EventRepository.h"
#include "FilterRuleRepository.h"
#include "PreferencesRepository.h"
#include "SeriesActions.h"
#include "TimelineGeometry.h"
#include "ViewData.h"
#include "ViewEventActions.h"
#include "ViewPeriod.h"
#include "ViewWeather.h"
#include "WeatherService.h"
#include "WeekDrag.h"
#include "WeekTimelineWidget.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimeZone>
#include <QTimer>
#include <QVBoxLayout>

WeekView::WeekView(AppState* appState, bool weekAligned, QWidget* parent)
    : QWidget(parent), m_appState(appState), m_weekAligned(weekAligned),
      m_headerRow(new QWidget(this)), m_allDayStrip(new AllDayStrip(this)),
      m_scrollArea(new QScrollArea(this)), m_timeline(new WeekTimelineWidget),
      m_anchorDate(Clock::today()), m_dateReload(DeferredReload::create(this, [this] { reload(); }))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* headerLayout = new QHBoxLayout(m_headerRow);
    headerLayout->setContentsMargins(0, 8, 0, 8);
    headerLayout->setSpacing(0);
    auto* gutter = new QWidget(m_headerRow);
    gutter->setFixedWidth(TimelineGeometry::gutterWidth);
    headerLayout->addWidget(gutter);
    layout->addWidget(m_headerRow);
    layout->addWidget(m_allDayStrip);
    layout->addWidget(m_scrollArea, 1);
    m_scrollArea->setWidgetResizable(true);
    m_scrollArea->setFrameShape(QFrame::NoFrame);

    m_timeline->setMinimumWidth(420);
    m_timeline->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_timeline->setMouseTracking(true);
    m_timeline->setFocusPolicy(Qt::ClickFocus);
    m_timeline->setAppState(appState);
    m_timeline->setHourHeight(appState->hourHeight());
    m_timeline->setCompact(appState->isCompact(modeWord()));
    m_scrollArea->setWidget(m_timeline);

    connect(appState, &AppState::densityChanged, this,
            [this](const QString& mode, const QString& density) {
                if (mode == modeWord())
                    m_timeline->setCompact(density == QLatin1String("compact"));
            });
    connect(appState, &AppState::hourHeightChanged, this,
            [this](int pixels) { m_timeline->setHourHeight(pixels); });
    connect(appState, &AppState::activeViewChanged, this, &WeekView::reload);
    if (appState->calendars())
        connect(appState->calendars(), &CalendarRepository::calendarsChanged, this,
                &WeekView::reload);
    if (appState->events())
        connect(appState->events(), &EventRepository::eventsChanged, this, &WeekView::reload);
    if (appState->filterRules())
        connect(appState->filterRules(), &FilterRuleRepository::filterRulesChanged, this,
                &WeekView::reload);
    connect(appState, &AppState::weekHorizonChanged, this, &WeekView::reload);
    connect(appState, &AppState::firstDayOfWeekChanged, this, &WeekView::reload);
    if (appState->weather())
        connect(appState->weather(), &Weather::Service::forecastRefreshed, this,
                &WeekView::rebuildDayHeaders);
    connect(appState, &AppState::selectedEventChanged, m_timeline,
            &WeekTimelineWidget::setSelectedEventId);
    connect(m_timeline, &WeekTimelineWidget::zoomRequested, this, [this](int notches) {
        m_appState->setHourHeight(m_appState->hourHeight() + 8 * notches);
    });
    const auto showDetails = [this](const QString& id, const QDateTime& start, const QRect& rect) {
        ViewEventActions::showDetails(m_appState, this, id, start, rect,
                                      ViewEventActions::titleShown(m_shown, id));
    };
    connect(m_timeline, &WeekTimelineWidget::eventSelected, this, showDetails);
    connect(m_allDayStrip, &AllDayStrip::eventSelected, this, showDetails);
    connect(m_timeline, &WeekTimelineWidget::eventFocused, appState, &AppState::setSelectedEventId);
    const auto edit = [this](const QString& id, const QDateTime& start) {
        ViewEventActions::editEvent(m_appState, this, id, start,
                                    ViewEventActions::titleShown(m_shown, id));
    };
    connect(m_timeline, &WeekTimelineWidget::eventActivated, this, edit);
    connect(m_allDayStrip, &AllDayStrip::eventActivated, this, edit);
    connect(m_timeline, &WeekTimelineWidget::eventContextRequested, this,
            &WeekView::showEventContextMenu);
    connect(m_allDayStrip, &AllDayStrip::eventContextRequested, this,
            &WeekView::showEventContextMenu);
    connect(m_timeline, &WeekTimelineWidget::emptySlotActivated, this,
            [this](const QDate& date, const QTime& time) {
                ViewEventActions::createEvent(
                    m_appState, this,
                    WeekDrag::instantOf({date, time, QTimeZone::systemTimeZone()}));
            });
    connect(m_timeline, &WeekTimelineWidget::eventDeleteRequested, this,
            [this](const QString& id, const QDateTime& start) {
                ViewEventActions::deleteEvent(m_appState, this, id, start, "WeekView",
                                              ViewEventActions::titleShown(m_shown, id));
            });
    connect(m_timeline, &WeekTimelineWidget::eventMoveRequested, this, &WeekView::commitMove);
    connect(m_timeline, &WeekTimelineWidget::eventResizeRequested, this, &WeekView::commitResize);

    m_timeline->setSelectedEventId(appState->selectedEventId());
    rebuildDayHeaders();
    // Read when first shown (or by an explicit reload), not while the view area is being built.
    m_stale = true;
    m_scrollArea->viewport()->installEventFilter(this);
    auto* repaint = new QTimer(this);
    repaint->setInterval(60000);
    connect(repaint, &QTimer::timeout, m_timeline, qOverload<>(&QWidget::update));
    repaint->start();
}

QString WeekView::modeWord() const
{
    return m_weekAligned ? QStringLiteral("week") : QStringLiteral("days");
}

void WeekView::setDate(const QDate& date)
{
    if (date == m_anchorDate)
        return;
    m_anchorDate = date;
    m_stale = true;
    m_dateReload->start();
}

QDate WeekView::rangeStart() const
{
    return ViewPeriod::timelineStart(m_weekAligned, m_anchorDate, m_appState->firstDayOfWeek());
}

int WeekView::dayCount() const
{
    return ViewPeriod::timelineDayCount(m_weekAligned, m_appState->weekHorizon());
}

void WeekView::rebuildDayHeaders()
{
    qDeleteAll(m_dayLabels);
    m_dayLabels.clear();
    const bool weather = ViewWeather::isEnabled(m_appState);
    // The days the timeline shows; before its first reload, the range.
    const bool loaded = m_timeline->firstDate().isValid();
    const QDate start = loaded ? m_timeline->firstDate() : rangeStart();
    const int days = loaded ? m_timeline->dayCount() : dayCount();
    const QHash<QDate, QString> labels =
        weather ? ViewWeather::labels(m_appState, start, days) : QHash<QDate, QString>();
    const QDate today = Clock::today();
    auto* layout = static_cast<QHBoxLayout*>(m_headerRow->layout());
    for (int c = 0; c < days; ++c) {
        const QDate date = start.addDays(c);
        QString text = DateLanguage::format(date, QStringLiteral("ddd\nMMM d"));
        if (weather)
            text += QLatin1Char('\n') + labels.value(date);
        auto* label = new QLabel(text, m_headerRow);
        label->setAlignment(Qt::AlignCenter);
        QFont font = label->font();
        font.setWeight(date == today ? QFont::Bold : QFont::Normal);
        label->setFont(font);
        layout->addWidget(label, 1);
        m_dayLabels.append(label);
    }
}

void WeekView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_stale)
        reload();
}

void WeekView::reload()
{
    m_dateReload->stop();
    // A page the view area keeps hidden would read the store on every step and every change
    // for nothing: it reads when shown.
    if (testAttribute(Qt::WA_WState_ExplicitShowHide) && isHidden()) {
        m_stale = true;
        return;
    }
    m_stale = false;
    const QDate start = rangeStart();
    const int days = dayCount();
    const ViewData::Result result =
        ViewData::load(m_appState, ViewData::rangeStart(start), ViewData::rangeEnd(start, days));
    // The headers name the days the timeline shows, so they move with its data, not before.
    const bool moved = start != m_timeline->firstDate() || days != m_timeline->dayCount();
    m_shown = result.events;
    m_timeline->setEvents(start, days, result.events, result.calendarColors, result.dimmed,
                          m_appState->twoWaySyncCalendarIds());
    if (m_appState->preferences())
        m_timeline->setWorkdayHours(
            m_appState->preferences()->getInt(Defaults::workdayStartKey,
                                              Defaults::workdayStartHour),
            m_appState->preferences()->getInt(Defaults::workdayEndKey, Defaults::workdayEndHour));
    m_allDayStrip->setEvents(TimelineGeometry::gutterWidth, start, days, result.events,
                             result.calendarColors, result.dimmed);
    if (moved)
        rebuildDayHeaders();
}

void WeekView::scrollToWorkday()
{
    QScrollBar* bar = m_scrollArea->verticalScrollBar();
    const int h = m_scrollArea->viewport()->height();
    if (!bar || h <= 0)
        return;
    const int startHour = m_appState->preferences()
                              ? m_appState->preferences()->getInt(Defaults::workdayStartKey,
                                                                  Defaults::workdayStartHour)
                              : Defaults::workdayStartHour;
    const int endHour =
        m_appState->preferences()
            ? m_appState->preferences()->getInt(Defaults::workdayEndKey, Defaults::workdayEndHour)
            : Defaults::workdayEndHour;
    const int H = m_timeline->rowHeight();
    int target = TimelineGeometry::yForTime(QTime(std::clamp(startHour, 0, 23), 0), H);
    const QDateTime now = Clock::nowLocal();
    const QDate start = rangeStart();
    const qint64 column = start.daysTo(now.date());
    if (column >= 0 && column < dayCount() &&
        (now.time().hour() < startHour || now.time().hour() >= endHour))
        target = std::max(0, TimelineGeometry::yForTime(now.time(), H) - h / 3);
    bar->setValue(target);
    m_needsWorkdayScroll = false;
}

bool WeekView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_scrollArea->viewport() && event->type() == QEvent::Resize &&
        m_needsWorkdayScroll)
        scrollToWorkday();
    return QWidget::eventFilter(watched, event);
}

void WeekView::report(const QString& message)
{
    QMessageBox::warning(window(), tr("Calendar"), message);
}

void WeekView::commitMove(const QString& eventId, const QDateTime& instanceStart, int dayDelta,
                          int minuteOffset)
{
    if (!m_appState->events())
        return;
    const std::optional<Event> stored = m_appState->events()->getById(eventId);
    if (!stored || (dayDelta == 0 && minuteOffset == 0))
        return;
    // The block lands on the wall time of the row it was dropped on: whole days keep the time of
    // day across a daylight-saving change, and minutes count on the wall clock.
    const SeriesMove::WallTime landing =
        WeekDrag::landing(instanceStart, dayDelta, minuteOffset, QTimeZone::systemTimeZone());
    const QDateTime newStart = WeekDrag::instantOf(landing);
    QPointer<WeekView> guard(this);
    const EventChange::Reporter report = [guard](const QString& message) {
        if (guard)
            guard->report(message);
    };
    if (stored->recurrenceRule.isEmpty()) {
        const Event updated = EventChange::moved(*stored, newStart, 0, Clock::now());
        EventChange::updateWithUndo(m_appState, *stored, updated,
                                    tr("Moved \"%1\"").arg(stored->title), report);
        return;
    }
    SeriesActions::move(m_appState, this, *stored, instanceStart, newStart,
                        EventChange::movedEnd(*stored, newStart),
                        tr("Moved \"%1\"").arg(stored->title), tr("The event could not be moved."),
                        report, landing);
}

void WeekView::commitResize(const QString& eventId, const QDateTime& instanceStart, int minuteDelta)
{
    if (!m_appState->events())
        return;
    const std::optional<Event> stored = m_appState->events()->getById(eventId);
    if (!stored || minuteDelta == 0 || !stored->endTime)
        return;
    QPointer<WeekView> guard(this);
    const EventChange::Reporter report = [guard](const QString& message) {
        if (guard)
            guard->report(message);
    };
    if (stored->recurrenceRule.isEmpty()) {
        const Event updated =
            EventChange::resized(*stored, instanceStart, minuteDelta, Clock::now());
        EventChange::updateWithUndo(m_appState, *stored, updated,
                                    tr("Resized \"%1\"").arg(stored->title), report);
        return;
    }
    SeriesActions::move(m_appState, this, *stored, instanceStart, instanceStart,
                        EventChange::resizedEnd(*stored, instanceStart, minuteDelta),
                        tr("Resized \"%1\"").arg(stored->title),
                        tr("The event could not be resized."), report);
}

void WeekView::showEventContextMenu(const QString& eventId, const QPoint& globalPos,
                                    const QDateTime& occurrenceStart)
{
    ViewEventActions::showContextMenu(m_appState, this, eventId, globalPos, "WeekView",
                                      occurrenceStart,
                                      ViewEventActions::titleShown(m_shown, eventId));
}

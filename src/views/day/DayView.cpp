#include "DayView.h"

#include "AllDayStrip.h"
#include "AppState.h"
#include "CalendarRepository.h"
#include "Clock.h"
#include "DayTimelineWidget.h"
#include "Defaults.h"
#include "DeferredReload.h"
#include "EventChangeState.h"
#include "EventFormDialog.h"
#include "EventRepository.h"
#include "FilterRuleRepository.h"
#include "Limits.h"
#include "PreferencesRepository.h"
#include "SeriesActions.h"
#include "ShownText.h"
#include "TimelineGeometry.h"
#include "ViewData.h"
#include "ViewEventActions.h"
#include "WeekDrag.h"

#include <QEvent>
#include <QMessageBox>
#include <QPointer>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimeZone>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

DayView::DayView(AppState* appState, QWidget* parent)
    : QWidget(parent), m_appState(appState), m_date(Clock::today())
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_allDayStrip = new AllDayStrip(this);
    layout->addWidget(m_allDayStrip);
    m_scrollArea = new QScrollArea(this);
    m_scrollArea->setFrameShape(QFrame::NoFrame);
    m_scrollArea->setWidgetResizable(true);
    m_timeline = new DayTimelineWidget(appState, m_scrollArea);
    m_scrollArea->setWidget(m_timeline);
    layout->addWidget(m_scrollArea);

    m_timeline->setHourHeight(appState->hourHeight());
    m_timeline->setCompact(appState->isCompact(QStringLiteral("day")));
    m_timeline->setSelectedEventId(appState->selectedEventId());

    connect(m_timeline, &DayTimelineWidget::zoomRequested, this, [this](int notches) {
        m_appState->setHourHeight(m_timeline->hourHeight() + 8 * notches);
    });
    connect(appState, &AppState::hourHeightChanged, m_timeline, &DayTimelineWidget::setHourHeight);
    connect(appState, &AppState::activeViewChanged, this, &DayView::reload);
    if (appState->calendars())
        connect(appState->calendars(), &CalendarRepository::calendarsChanged, this,
                &DayView::reload);
    if (appState->events())
        connect(appState->events(), &EventRepository::eventsChanged, this, &DayView::reload);
    if (appState->filterRules())
        connect(appState->filterRules(), &FilterRuleRepository::filterRulesChanged, this,
                &DayView::reload);
    connect(appState, &AppState::densityChanged, this,
            [this](const QString& mode, const QString& density) {
                if (mode == QLatin1String("day"))
                    m_timeline->setCompact(density == QLatin1String("compact"));
            });
    connect(m_timeline, &DayTimelineWidget::eventSelected, this, &DayView::showEventDetails);
    connect(m_timeline, &DayTimelineWidget::eventFocused, appState, &AppState::setSelectedEventId);
    connect(m_timeline, &DayTimelineWidget::eventActivated, this, &DayView::editEvent);
    connect(m_allDayStrip, &AllDayStrip::eventActivated, this, &DayView::editEvent);
    connect(m_timeline, &DayTimelineWidget::eventContextRequested, this,
            &DayView::showEventContextMenu);
    connect(m_allDayStrip, &AllDayStrip::eventContextRequested, this,
            &DayView::showEventContextMenu);
    connect(m_allDayStrip, &AllDayStrip::eventSelected, this, &DayView::showEventDetails);
    connect(m_timeline, &DayTimelineWidget::eventDeleteRequested, this,
            [this](const QString& id, const QDateTime& start) {
                ViewEventActions::deleteEvent(m_appState, this, id, start, "DayView",
                                              ViewEventActions::titleShown(m_shown, id));
            });
    connect(m_timeline, &DayTimelineWidget::emptySlotActivated, this, &DayView::createEventAt);
    connect(m_timeline, &DayTimelineWidget::eventMoveRequested, this, &DayView::commitMove);
    connect(m_timeline, &DayTimelineWidget::eventResizeRequested, this, &DayView::commitResize);
    connect(appState, &AppState::selectedEventChanged, m_timeline,
            &DayTimelineWidget::setSelectedEventId);

    // Read when first shown (or by an explicit reload), not while the view area is being built.
    m_stale = true;
    m_dateReload = DeferredReload::create(this, [this] { reload(); });
    m_scrollArea->viewport()->installEventFilter(this);

    // The current-time line moves; the data does not need reading again.
    m_repaintTimer = new QTimer(this);
    m_repaintTimer->setInterval(30000);
    connect(m_repaintTimer, &QTimer::timeout, m_timeline, qOverload<>(&QWidget::update));
    m_repaintTimer->start();
}

void DayView::setDate(const QDate& date)
{
    if (date == m_date)
        return;
    m_date = date;
    // The timeline keeps the day it shows until the reload, so nothing is painted at a day it
    // does not belong to meanwhile.
    m_stale = true;
    m_dateReload->start();
}

void DayView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_stale)
        reload();
}

void DayView::reload()
{
    m_dateReload->stop();
    // Hidden in the view area: read when shown, not on every step.
    if (testAttribute(Qt::WA_WState_ExplicitShowHide) && isHidden()) {
        m_stale = true;
        return;
    }
    m_stale = false;
    const ViewData::Result data =
        ViewData::load(m_appState, ViewData::rangeStart(m_date), ViewData::rangeEnd(m_date, 1));
    m_shown = data.events;
    m_timeline->setEvents(data.events, data.calendarColors, data.dimmed,
                          m_appState->twoWaySyncCalendarIds());
    m_timeline->setDate(m_date);
    if (PreferencesRepository* preferences = m_appState->preferences())
        m_timeline->setWorkdayHours(
            preferences->getInt(Defaults::workdayStartKey, Defaults::workdayStartHour),
            preferences->getInt(Defaults::workdayEndKey, Defaults::workdayEndHour));
    m_allDayStrip->setEvents(TimelineGeometry::gutterWidth, m_date, 1, data.events,
                             data.calendarColors, data.dimmed);
}

bool DayView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_scrollArea->viewport() && event->type() == QEvent::Resize) {
        if (m_pendingReveal)
            revealTime(*m_pendingReveal);
        else if (m_needsWorkdayScroll)
            scrollToWorkday();
    }
    // A page of the view area keeps its size while hidden: showing it brings no resize.
    if (watched == m_scrollArea->viewport() && event->type() == QEvent::Show && m_pendingReveal)
        revealTime(*m_pendingReveal);
    return QWidget::eventFilter(watched, event);
}

void DayView::scrollToWorkday()
{
    QScrollBar* bar = m_scrollArea->verticalScrollBar();
    const int viewportHeight = m_scrollArea->viewport()->height();
    if (!bar || viewportHeight <= 0)
        return;
    int start = Defaults::workdayStartHour;
    int end = Defaults::workdayEndHour;
    if (PreferencesRepository* preferences = m_appState->preferences()) {
        start = preferences->getInt(Defaults::workdayStartKey, Defaults::workdayStartHour);
        end = preferences->getInt(Defaults::workdayEndKey, Defaults::workdayEndHour);
    }
    int target = m_timeline->yForTime(QTime(std::clamp(start, 0, 23), 0));
    const QDateTime now = Clock::nowLocal();
    if (m_date == now.date() && (now.time().hour() < start || now.time().hour() >= end))
        target = std::max(0, m_timeline->yForTime(now.time()) - viewportHeight / 3);
    bar->setValue(target);
    m_needsWorkdayScroll = false;
}

void DayView::revealTime(const QTime& time)
{
    QScrollBar* bar = m_scrollArea->verticalScrollBar();
    const int viewportHeight = m_scrollArea->viewport()->height();
    if (!bar || viewportHeight <= 0 || !m_scrollArea->isVisible()) {
        m_pendingReveal = time;
        return;
    }
    bar->setValue(std::max(0, m_timeline->yForTime(time) - viewportHeight / 3));
    m_pendingReveal.reset();
    m_needsWorkdayScroll = false;
}

void DayView::showEventDetails(const QString& eventId, const QDateTime& occurrenceStart,
                               const QRect& screenRect)
{
    // The block may still show an event a sync deleted since the last reload: that is reported,
    // not shown or edited.
    ViewEventActions::showDetails(m_appState, this, eventId, occurrenceStart, screenRect,
                                  ViewEventActions::titleShown(m_shown, eventId));
}

void DayView::editEvent(const QString& eventId, const QDateTime& occurrenceStart)
{
    ViewEventActions::editEvent(m_appState, this, eventId, occurrenceStart,
                                ViewEventActions::titleShown(m_shown, eventId));
}

void DayView::createEventAt(const QTime& time)
{
    if (!m_appState->calendars() || m_appState->calendars()->getAll().isEmpty())
        return;
    EventFormDialog dialog(m_appState, this);
    // The slot lies on the day the timeline shows, which a date just set has not reached yet.
    dialog.setStartAndDuration(
        WeekDrag::instantOf({m_timeline->date(), time, QTimeZone::systemTimeZone()}), 60);
    dialog.exec();
}

void DayView::showEventContextMenu(QString eventId, QPoint globalPos, QDateTime occurrenceStart)
{
    // The menu the other views offer: what it writes reads the event again once it has closed.
    ViewEventActions::showContextMenu(m_appState, this, eventId, globalPos, "DayView",
                                      occurrenceStart,
                                      ViewEventActions::titleShown(m_shown, eventId));
}

void DayView::commitMove(const QString& eventId, const QDateTime& instanceStart, int minuteOffset)
{
    const std::optional<Event> record = m_appState->events()->getById(eventId);
    if (!record || minuteOffset == 0)
        return;
    if (!record->recurrenceRule.isEmpty()) {
        // The series moves to the wall time of the row the block landed on.
        const SeriesMove::WallTime landing =
            WeekDrag::landing(instanceStart, 0, minuteOffset, QTimeZone::systemTimeZone());
        const QDateTime newStart = WeekDrag::instantOf(landing);
        applyToSeries(*record, instanceStart, newStart, EventChange::movedEnd(*record, newStart),
                      tr("Moved \"%1\"").arg(record->title), landing);
        return;
    }
    QPointer<DayView> guard(this);
    EventChange::updateWithUndo(
        m_appState, *record, EventChange::moved(*record, instanceStart, minuteOffset, Clock::now()),
        tr("Moved \"%1\"").arg(record->title), [guard](const QString& message) {
            if (guard)
                guard->report(message);
        });
}

void DayView::commitResize(const QString& eventId, const QDateTime& instanceStart, int minuteDelta)
{
    const std::optional<Event> record = m_appState->events()->getById(eventId);
    if (!record || minuteDelta == 0 || !record->endTime)
        return;
    if (!record->recurrenceRule.isEmpty()) {
        applyToSeries(*record, instanceStart, instanceStart,
                      EventChange::resizedEnd(*record, instanceStart, minuteDelta),
                      tr("Resized \"%1\"").arg(record->title));
        return;
    }
    QPointer<DayView> guard(this);
    EventChange::updateWithUndo(
        m_appState, *record,
        EventChange::resized(*record, instanceStart, minuteDelta, Clock::now()),
        tr("Resized \"%1\"").arg(record->title), [guard](const QString& message) {
            if (guard)
                guard->report(message);
        });
}

void DayView::applyToSeries(const Event& record, const QDateTime& instanceStart,
                            const QDateTime& newStart, const std::optional<QDateTime>& newEnd,
                            const QString& summary,
                            const std::optional<SeriesMove::WallTime>& landing)
{
    QPointer<DayView> guard(this);
    SeriesActions::move(
        m_appState, this, record, instanceStart, newStart, newEnd, summary,
        tr("Could not save the change to \"%1\".")
            .arg(ShownText::bounded(record.title, Limits::maxRowTextChars)),
        [guard](const QString& message) {
            if (guard)
                guard->report(message);
        },
        landing);
}

void DayView::report(const QString& message)
{
    QMessageBox::warning(this, tr("Calendar"), message);
}

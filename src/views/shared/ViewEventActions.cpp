#include "ViewEventActions.h"

#include "AppState.h"
#include "CalendarRepository.h"
#include "EventChangeState.h"
#include "EventDetailsPopover.h"
#include "EventFormDialog.h"
#include "EventRepository.h"
#include "FilterEngine.h"
#include "FilterFormDialog.h"
#include "FilterRuleRepository.h"
#include "Limits.h"
#include "PopoverPlacement.h"
#include "SeriesActions.h"
#include "ShownText.h"

#include <QCoreApplication>
#include <QDebug>
#include <QKeySequence>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>

#include <algorithm>

namespace {

// The texts below are translated in the context of the view that asks for them; the table lets
// the translation tools see every pair.
[[maybe_unused]] const char* const contextTexts[][2] = {
    {"DayView", QT_TRANSLATE_NOOP("DayView", "Edit filter \"%1\"\u2026")},
    {"DayView", QT_TRANSLATE_NOOP("DayView", "Create Filter from Event\u2026")},
    {"DayView", QT_TRANSLATE_NOOP("DayView", "Delete \"%1\"? You can undo with %2.")},
    {"DayView", QT_TRANSLATE_NOOP("DayView", "Delete event?")},
    {"DayView", QT_TRANSLATE_NOOP("DayView", "Edit\u2026")},
    {"DayView", QT_TRANSLATE_NOOP("DayView", "Delete")},
    {"WeekView", QT_TRANSLATE_NOOP("WeekView", "Edit filter \"%1\"\u2026")},
    {"WeekView", QT_TRANSLATE_NOOP("WeekView", "Create Filter from Event\u2026")},
    {"WeekView", QT_TRANSLATE_NOOP("WeekView", "Delete \"%1\"? You can undo with %2.")},
    {"WeekView", QT_TRANSLATE_NOOP("WeekView", "Delete event?")},
    {"WeekView", QT_TRANSLATE_NOOP("WeekView", "Edit\u2026")},
    {"WeekView", QT_TRANSLATE_NOOP("WeekView", "Delete")},
    {"MonthView", QT_TRANSLATE_NOOP("MonthView", "Edit filter \"%1\"\u2026")},
    {"MonthView", QT_TRANSLATE_NOOP("MonthView", "Create Filter from Event\u2026")},
    {"MonthView", QT_TRANSLATE_NOOP("MonthView", "Delete \"%1\"? You can undo with %2.")},
    {"MonthView", QT_TRANSLATE_NOOP("MonthView", "Delete event?")},
    {"MonthView", QT_TRANSLATE_NOOP("MonthView", "Edit\u2026")},
    {"MonthView", QT_TRANSLATE_NOOP("MonthView", "Delete")},
    {"WeekGridView", QT_TRANSLATE_NOOP("WeekGridView", "Edit filter \"%1\"\u2026")},
    {"WeekGridView", QT_TRANSLATE_NOOP("WeekGridView", "Create Filter from Event\u2026")},
    {"WeekGridView", QT_TRANSLATE_NOOP("WeekGridView", "Delete \"%1\"? You can undo with %2.")},
    {"WeekGridView", QT_TRANSLATE_NOOP("WeekGridView", "Delete event?")},
    {"WeekGridView", QT_TRANSLATE_NOOP("WeekGridView", "Edit\u2026")},
    {"WeekGridView", QT_TRANSLATE_NOOP("WeekGridView", "Delete")},
    {"AgendaListWidget", QT_TRANSLATE_NOOP("AgendaListWidget", "Edit filter \"%1\"\u2026")},
    {"AgendaListWidget", QT_TRANSLATE_NOOP("AgendaListWidget", "Create Filter from Event\u2026")},
    {"AgendaListWidget",
     QT_TRANSLATE_NOOP("AgendaListWidget", "Delete \"%1\"? You can undo with %2.")},
    {"AgendaListWidget", QT_TRANSLATE_NOOP("AgendaListWidget", "Delete event?")},
    {"AgendaListWidget", QT_TRANSLATE_NOOP("AgendaListWidget", "Edit\u2026")},
    {"AgendaListWidget", QT_TRANSLATE_NOOP("AgendaListWidget", "Delete")},
};

// Tells the user in a message box over `host`'s window; the box may come long after the host
// is gone (an undo entry keeps it).
EventChange::Reporter warningOver(QWidget* host)
{
    const QPointer<QWidget> guard(host);
    return [guard](const QString& message) {
        QMessageBox::warning(guard ? guard->window() : nullptr,
                             QCoreApplication::translate("ViewEventActions", "Calendar"), message);
    };
}

void editStored(AppState* appState, QWidget* host, const Event& stored,
                const QDateTime& occurrenceStart)
{
    if (SeriesActions::edit(appState, host, stored, occurrenceStart))
        return;
    EventFormDialog dialog(appState, stored, host);
    dialog.exec();
}

void deleteStored(AppState* appState, QWidget* host, const Event& stored,
                  const QDateTime& occurrenceStart, const char* context)
{
    const EventChange::Reporter report = warningOver(host);
    if (SeriesActions::remove(appState, host, stored, occurrenceStart, report))
        return;
    const QString question =
        QCoreApplication::translate(context, "Delete \"%1\"? You can undo with %2.")
            .arg(ShownText::bounded(stored.title, Limits::maxRowTextChars),
                 QKeySequence(QKeySequence::Undo).toString(QKeySequence::NativeText));
    if (QMessageBox::question(host, QCoreApplication::translate(context, "Delete event?"), question,
                              QMessageBox::Yes | QMessageBox::No,
                              QMessageBox::No) != QMessageBox::Yes)
        return;
    // Deletes the row as stored once the question has closed, and undo brings that back.
    EventChange::deleteWithUndo(appState, stored, report);
}

// The live stored row of an event a view shows. The view drops a gone one only with the reload
// the store announces a while after the change, so until then a row deleted meanwhile is reported
// by its title, and one a sync removed from the store outright by the title the view shows.
std::optional<Event> pointedAt(AppState* appState, QWidget* host, const QString& eventId,
                               const QString& shownTitle)
{
    if (!appState->events())
        return std::nullopt;
    const std::optional<Event> stored = appState->events()->getById(eventId);
    if (stored && !stored->deletedAt)
        return stored;
    qWarning().noquote() << "[ViewEventActions] event" << eventId << "is no longer stored";
    warningOver(host)(EventChange::goneText(stored ? stored->title : shownTitle));
    return std::nullopt;
}

} // namespace

namespace ViewEventActions {

FilterEntries::FilterEntries(AppState* appState, QMenu& menu, const Event& event,
                             const char* context)
    : m_appState(appState), m_event(event)
{
    menu.addSeparator();
    if (appState->filterRules()) {
        if (const std::optional<FilterRule> rule =
                FilterEngine::matchingRule(event, appState->filterRules()->getAll())) {
            m_ruleId = rule->id;
            m_editRule =
                menu.addAction(QCoreApplication::translate(context, "Edit filter \"%1\"\u2026")
                                   .arg(ShownText::bounded(rule->name, Limits::maxRowTextChars)));
        }
    }
    m_create =
        menu.addAction(QCoreApplication::translate(context, "Create Filter from Event\u2026"));
}

bool FilterEntries::run(QAction* chosen, QWidget* host) const
{
    if (chosen == nullptr)
        return false;
    if (chosen == m_editRule) {
        // Read again: the rule may have changed while the menu was open.
        const std::optional<FilterRule> rule = m_appState->filterRules()->getById(m_ruleId);
        if (rule) {
            FilterFormDialog dialog(m_appState, *rule, host);
            dialog.exec();
        }
        return true;
    }
    if (chosen == m_create) {
        // The form takes its name from the event as stored now, not as the menu found it.
        const std::optional<Event> event =
            EventChange::reread(m_appState, m_event, warningOver(host));
        if (!event)
            return true;
        FilterFormDialog dialog(m_appState, host);
        dialog.setSpecificEvent(*event);
        dialog.exec();
        return true;
    }
    return false;
}

void showDetails(AppState* appState, QWidget* host, const QString& eventId,
                 const QDateTime& occurrenceStart, const QRect& screenRect,
                 const QString& shownTitle)
{
    appState->setSelectedEventId(eventId);
    if (eventId.isEmpty())
        return;
    const std::optional<Event> stored = pointedAt(appState, host, eventId, shownTitle);
    if (!stored)
        return;
    Event shown = *stored;
    if (occurrenceStart.isValid() && !shown.recurrenceRule.isEmpty() &&
        shown.recurrenceId.isEmpty()) {
        const qint64 shift = shown.startTime.secsTo(occurrenceStart);
        shown.startTime = occurrenceStart;
        if (shown.endTime)
            shown.endTime = shown.endTime->addSecs(shift);
    }
    auto* popover = new EventDetailsPopover(appState, shown, host);
    if (screenRect.isValid())
        showPopoverAnchored(popover, screenRect);
    else
        showPopoverCentered(popover);
}

void editEvent(AppState* appState, QWidget* host, const QString& eventId,
               const QDateTime& occurrenceStart, const QString& shownTitle)
{
    if (const std::optional<Event> stored = pointedAt(appState, host, eventId, shownTitle))
        editStored(appState, host, *stored, occurrenceStart);
}

void deleteEvent(AppState* appState, QWidget* host, const QString& eventId,
                 const QDateTime& occurrenceStart, const char* context, const QString& shownTitle)
{
    if (const std::optional<Event> stored = pointedAt(appState, host, eventId, shownTitle))
        deleteStored(appState, host, *stored, occurrenceStart, context);
}

QString titleShown(const QList<Event>& shown, const QString& eventId)
{
    const auto found = std::ranges::find(shown, eventId, &Event::id);
    return found == shown.end() ? QString() : found->title;
}

bool stillStored(AppState* appState, QWidget* host, const Event& listed)
{
    return EventChange::reread(appState, listed, warningOver(host)).has_value();
}

void createEvent(AppState* appState, QWidget* host, const QDateTime& start)
{
    if (!appState->calendars() || appState->calendars()->getAll().isEmpty())
        return;
    EventFormDialog dialog(appState, host);
    dialog.setStartAndDuration(start, 60);
    dialog.exec();
}

void showContextMenu(AppState* appState, QWidget* host, QString eventId, QPoint globalPos,
                     const char* context, QDateTime occurrenceStart, QString shownTitle)
{
    const std::optional<Event> stored = pointedAt(appState, host, eventId, shownTitle);
    if (!stored)
        return;
    appState->setSelectedEventId(eventId);

    QMenu menu(host);
    QAction* edit = menu.addAction(QCoreApplication::translate(context, "Edit\u2026"));
    QAction* remove = menu.addAction(QCoreApplication::translate(context, "Delete"));
    const FilterEntries filters(appState, menu, *stored, context);
    QAction* chosen = menu.exec(globalPos);
    if (filters.run(chosen, host))
        return;
    if (chosen != edit && chosen != remove)
        return;
    // The menu ran its own event loop: a sync may have changed, removed or moved the event.
    const std::optional<Event> current = EventChange::reread(appState, *stored, warningOver(host));
    if (!current)
        return;
    if (chosen == edit)
        editStored(appState, host, *current, occurrenceStart);
    else
        deleteStored(appState, host, *current, occurrenceStart, context);
}

} // namespace ViewEventActions

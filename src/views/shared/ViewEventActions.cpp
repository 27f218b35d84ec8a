#include "ViewEventActions.h"

#include "AppState.h"
#include "CalendarRepository.h"
#include "EventChange.h"
#include "EventDetailsPopover.h"
#include "EventFormDialog.h"
#include "EventRepository.h"
#include "PopoverPlacement.h"

#include <QCoreApplication>
#include <QKeySequence>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>

namespace ViewEventActions {

void showDetails(AppState* appState, QWidget* host, const QString& eventId,
                 const QDateTime& occurrenceStart, const QRect& screenRect)
{
    appState->setSelectedEventId(eventId);
    if (eventId.isEmpty() || !appState->events())
        return;
    const std::optional<Event> stored = appState->events()->getById(eventId);
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

void editEvent(AppState* appState, QWidget* host, const QString& eventId)
{
    if (!appState->events())
        return;
    const std::optional<Event> stored = appState->events()->getById(eventId);
    if (!stored)
        return;
    EventFormDialog dialog(appState, *stored, host);
    dialog.exec();
}

void createEvent(AppState* appState, QWidget* host, const QDateTime& start)
{
    if (!appState->calendars() || appState->calendars()->getAll().isEmpty())
        return;
    EventFormDialog dialog(appState, host);
    dialog.setStartAndDuration(start, 60);
    dialog.exec();
}

void showContextMenu(AppState* appState, QWidget* host, const QString& eventId,
                     const QPoint& globalPos, const char* context)
{
    if (!appState->events())
        return;
    const std::optional<Event> stored = appState->events()->getById(eventId);
    if (!stored)
        return;
    appState->setSelectedEventId(eventId);

    QMenu menu(host);
    QAction* edit = menu.addAction(QCoreApplication::translate(context, "Edit\u2026"));
    QAction* remove = menu.addAction(QCoreApplication::translate(context, "Delete"));
    QAction* chosen = menu.exec(globalPos);
    if (chosen == edit) {
        EventFormDialog dialog(appState, *stored, host);
        dialog.exec();
    } else if (chosen == remove) {
        const QString question =
            QCoreApplication::translate(context, "Delete \"%1\"? You can undo with %2.")
                .arg(stored->title,
                     QKeySequence(QKeySequence::Undo).toString(QKeySequence::NativeText));
        if (QMessageBox::question(host, QCoreApplication::translate(context, "Delete event?"),
                                  question, QMessageBox::Yes | QMessageBox::No,
                                  QMessageBox::No) != QMessageBox::Yes)
            return;
        QPointer<QWidget> guard(host);
        EventChange::deleteWithUndo(appState, *stored, [guard](const QString& message) {
            QMessageBox::warning(guard ? guard->window() : nullptr,
                                 QCoreApplication::translate("ViewEventActions", "Calendar"),
                                 message);
        });
    }
}

} // namespace ViewEventActions

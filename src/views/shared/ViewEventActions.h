#pragma once

#include "Event.h"

#include <QDateTime>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>

#include <optional>

class AppState;
class QAction;
class QMenu;
class QWidget;

// What the timelines, the week grid, the month view and the agenda do with a painted event the
// user points at: select it and show its card, open its form, or offer its context menu. `host`
// is the view: parent of the card, the dialogs and the menu. A view may still show an event a
// sync deleted, or removed from the store, since its last reload: that is reported over `host`
// with EventChange::goneText, naming it by `shownTitle` (its title as the view has it), and
// nothing opens or is written.
namespace ViewEventActions {

// Selects the event (an empty id clears the selection). A found event's card opens anchored at
// `screenRect`, or centred over the host when the rectangle is not valid; a series shows the
// occurrence starting at `occurrenceStart` with its own times.
void showDetails(AppState* appState, QWidget* host, const QString& eventId,
                 const QDateTime& occurrenceStart, const QRect& screenRect,
                 const QString& shownTitle);

// The edit form of the stored event, modal. For an occurrence of a series (`occurrenceStart`
// valid) the scope question comes first and the form shows the occurrence; without a start the
// form edits the whole series.
void editEvent(AppState* appState, QWidget* host, const QString& eventId,
               const QDateTime& occurrenceStart, const QString& shownTitle);

// Deletes the stored event after asking, with undo: for an occurrence of a series (or an
// override) the scope question in its delete wording, else "Delete event?", not asked for an
// event gone. `context` is the translation context of the texts.
void deleteEvent(AppState* appState, QWidget* host, const QString& eventId,
                 const QDateTime& occurrenceStart, const char* context, const QString& shownTitle);

// The title of `eventId` among the events a view shows; empty when it shows none of that id.
QString titleShown(const QList<Event>& shown, const QString& eventId);

// Whether the event a list showed as `listed` is still stored in its calendar, read again now:
// one removed, deleted or moved to another calendar meanwhile is reported over `host` as the
// menu reports it.
bool stillStored(AppState* appState, QWidget* host, const Event& listed);

// The new-event form starting at `start`, one hour long, modal; nothing without any calendar.
void createEvent(AppState* appState, QWidget* host, const QDateTime& start);

// The filter entries at the end of an event's menu: "Edit filter "%1"…" when a rule matches the
// event, then "Create Filter from Event…".
class FilterEntries
{
public:
    // Adds a separator and the entries to `menu`; `context` is the translation context.
    FilterEntries(AppState* appState, QMenu& menu, const Event& event, const char* context);
    // Runs the filter form for `chosen` when it is one of these entries, modal with `host`, on
    // the rule or the event as stored once the menu has closed (an event gone or moved to
    // another calendar meanwhile is reported instead); false for any other action.
    bool run(QAction* chosen, QWidget* host) const;

private:
    AppState* m_appState;
    Event m_event;
    QString m_ruleId;
    QAction* m_editRule = nullptr;
    QAction* m_create = nullptr;
};

// Selects the event and shows its menu ("Edit…", "Delete", the filter entries) at `globalPos`;
// edit and delete act on the occurrence starting at `occurrenceStart` as above, of the event as
// stored once the menu has closed: one removed or moved to another calendar meanwhile is
// reported instead. `context` is the translation context of the texts. No menu opens for an
// event gone before it would. The id, the start and the title are taken by value: callers pass a
// row's or a painted region's own, which a reload or a repaint while the menu is open frees.
void showContextMenu(AppState* appState, QWidget* host, QString eventId, QPoint globalPos,
                     const char* context, QDateTime occurrenceStart, QString shownTitle);

} // namespace ViewEventActions

#include "SeriesActions.h"

#include "AppState.h"
#include "EventChangeState.h"
#include "EventFormDialog.h"
#include "EventRepository.h"
#include "Limits.h"
#include "RecurringEdit.h"
#include "RecurringEditScopeDialog.h"
#include "SeriesEdit.h"
#include "ShownText.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPointer>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("SeriesActions", text);
}

// The series' master as stored once the scope question has closed: a sync may have changed it
// meanwhile, and the change is planned from what it wrote. Nothing, and the user is told, when
// the series is gone, in another calendar or no series any more.
std::optional<Event> masterAfterQuestion(AppState* appState, const Event& master,
                                         const EventChange::Reporter& report)
{
    std::optional<Event> stored = EventChange::stillStored(
        master, appState->events() ? appState->events()->getById(master.id) : std::nullopt);
    if (stored && !stored->recurrenceRule.isEmpty() && stored->recurrenceId.isEmpty())
        return stored;
    if (report)
        report(EventChange::goneText(master.title));
    return std::nullopt;
}

// Tells the user in a message box over `host`'s window.
EventChange::Reporter warningOver(QWidget* host)
{
    const QPointer<QWidget> guard(host);
    return [guard](const QString& message) {
        QMessageBox::warning(guard ? guard->window() : nullptr,
                             QCoreApplication::translate("SeriesActions", "Calendar"), message);
    };
}

} // namespace

namespace SeriesActions {

bool edit(AppState* appState, QWidget* host, const Event& stored, const QDateTime& occurrenceStart)
{
    if (!appState || !appState->events())
        return false;
    const std::optional<Event> master = RecurringEdit::masterOf(appState->events(), stored);
    if (!master)
        return false;
    // An override stands for the occurrence it replaced, wherever it was moved to.
    const bool isOverride = !stored.recurrenceId.isEmpty();
    const QDateTime occurrence =
        isOverride ? SeriesEdit::instantOf(stored.recurrenceId) : occurrenceStart;
    if (!occurrence.isValid())
        return false;
    RecurringEditScopeDialog question(master->title, host);
    if (question.exec() != QDialog::Accepted || question.scope == 0)
        return true;
    const EventChange::Reporter report = warningOver(host);
    const std::optional<Event> current = masterAfterQuestion(appState, *master, report);
    if (!current)
        return true;
    // This event only edits the occurrence as it stands (an override with its own times and
    // texts); the other answers edit the series from this occurrence's place in it.
    Event shown = *current;
    if (isOverride && question.scope == 1) {
        const std::optional<Event> override = EventChange::reread(appState, stored, report);
        if (!override)
            return true;
        shown = *override;
    } else {
        const qint64 shift = current->startTime.secsTo(occurrence);
        shown.startTime = occurrence;
        if (shown.endTime)
            shown.endTime = shown.endTime->addSecs(shift);
    }
    EventFormDialog form(appState, shown, host);
    form.setSeriesScope(*current, occurrence, question.scope);
    form.exec();
    return true;
}

bool move(AppState* appState, QWidget* host, const Event& master, const QDateTime& occurrenceStart,
          const QDateTime& newStart, const std::optional<QDateTime>& newEnd, const QString& summary,
          const QString& failure, const EventChange::Reporter& report,
          const std::optional<SeriesMove::WallTime>& wall)
{
    if (!appState || master.recurrenceRule.isEmpty())
        return false;
    RecurringEditScopeDialog question(master.title, host);
    if (question.exec() != QDialog::Accepted || question.scope == 0)
        return true;
    const std::optional<Event> current = masterAfterQuestion(appState, master, report);
    if (!current)
        return true;
    const std::optional<SeriesEdit::Plan> plan = RecurringEdit::planMove(
        appState->events(), *current, occurrenceStart, newStart, newEnd, question.scope, wall);
    if (!plan) {
        if (report)
            report(failure);
        return true;
    }
    if (RecurringEdit::carryOutWithUndo(appState, *plan, summary, failure, report) &&
        plan->settledStart && report)
        report(RecurringEdit::settledText(appState, current->title, *plan->settledStart));
    return true;
}

bool remove(AppState* appState, QWidget* host, const Event& stored,
            const QDateTime& occurrenceStart, const EventChange::Reporter& report)
{
    if (!appState || !appState->events())
        return false;
    const std::optional<Event> master = RecurringEdit::masterOf(appState->events(), stored);
    if (!master)
        return false;
    // An override stands for the occurrence it replaced.
    const QDateTime occurrence = stored.recurrenceId.isEmpty()
                                     ? occurrenceStart
                                     : SeriesEdit::instantOf(stored.recurrenceId);
    if (!occurrence.isValid())
        return false;
    RecurringEditScopeDialog question(master->title, host, RecurringEditScopeDialog::Mode::Delete);
    if (question.exec() != QDialog::Accepted || question.scope == 0)
        return true;
    const std::optional<Event> current = masterAfterQuestion(appState, *master, report);
    if (!current)
        return true;
    const std::optional<SeriesEdit::Plan> plan =
        RecurringEdit::planRemove(appState->events(), *current, occurrence, question.scope);
    const QString failure = tr("Could not delete \"%1\".")
                                .arg(ShownText::bounded(current->title, Limits::maxRowTextChars));
    if (!plan) {
        if (report)
            report(failure);
        return true;
    }
    if (RecurringEdit::carryOutWithUndo(
            appState, *plan,
            QCoreApplication::translate("DayView", "Deleted \"%1\"").arg(current->title), failure,
            report))
        appState->setSelectedEventId(QString());
    return true;
}

} // namespace SeriesActions

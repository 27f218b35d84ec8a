#include "SeriesActions.h"

#include "AppState.h"
#include "EventFormDialog.h"
#include "EventRepository.h"
#include "RecurringEdit.h"
#include "RecurringEditScopeDialog.h"
#include "SeriesEdit.h"

#include <QCoreApplication>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("SeriesActions", text);
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
    // This event only edits the occurrence as it stands (an override with its own times and
    // texts); the other answers edit the series from this occurrence's place in it.
    Event shown = *master;
    if (isOverride && question.scope == 1) {
        shown = stored;
    } else {
        const qint64 shift = master->startTime.secsTo(occurrence);
        shown.startTime = occurrence;
        if (shown.endTime)
            shown.endTime = shown.endTime->addSecs(shift);
    }
    EventFormDialog form(appState, shown, host);
    form.setSeriesScope(*master, occurrence, question.scope);
    form.exec();
    return true;
}

bool move(AppState* appState, QWidget* host, const Event& master, const QDateTime& occurrenceStart,
          const QDateTime& newStart, const std::optional<QDateTime>& newEnd, const QString& summary,
          const QString& failure, const EventChange::Reporter& report)
{
    if (!appState || master.recurrenceRule.isEmpty())
        return false;
    RecurringEditScopeDialog question(master.title, host);
    if (question.exec() != QDialog::Accepted || question.scope == 0)
        return true;
    const std::optional<SeriesEdit::Plan> plan = RecurringEdit::planMove(
        appState->events(), master, occurrenceStart, newStart, newEnd, question.scope);
    if (!plan) {
        if (report)
            report(failure);
        return true;
    }
    RecurringEdit::carryOutWithUndo(appState, *plan, summary, failure, report);
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
    const std::optional<SeriesEdit::Plan> plan =
        RecurringEdit::planRemove(appState->events(), *master, occurrence, question.scope);
    const QString failure = tr("Could not delete \"%1\".").arg(master->title);
    if (!plan) {
        if (report)
            report(failure);
        return true;
    }
    if (RecurringEdit::carryOutWithUndo(
            appState, *plan,
            QCoreApplication::translate("DayView", "Deleted \"%1\"").arg(master->title), failure,
            report))
        appState->setSelectedEventId(QString());
    return true;
}

} // namespace SeriesActions

#pragma once

#include "Event.h"
#include "EventTemplate.h"
#include "SeriesMove.h"

#include <QDateTime>
#include <QDialog>
#include <QString>

#include <optional>

class AppState;
class DateTimePicker;
class EventAttendeeList;
class EventReminderList;
class LongTextField;
class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QToolButton;
class StoreWaitNote;

// Creates one event or edits one stored event: title, calendar, colour, times, all-day, repeat
// rule, reminders, location, notes and attendees; a new event can start from a template. Saving
// writes the event, pending, through the event repository and accepts only on success; failed
// checks leave the dialog open with everything as typed. A recurring series is saved through
// RecurringEdit: the form on the master edits all its events, the form on one occurrence (see
// setSeriesScope) the events of the scope asked before. Moving the start keeps the event's
// length. An event of a read-only calendar opens for viewing only. Save writes each field the user
// left alone as it is stored then (a sync may have changed it while the form was open), and says
// which changes made elsewhere the user's values replaced (FormMerge). A single event or a new
// series given a time the clocks skip has the hour after it, and Save says so. Both constructors
// first announce the form (FormOpening), which closes an open details card.
class EventFormDialog : public QDialog
{
    Q_OBJECT

public:
    // The edit form. `appState` is not owned and must outlive the dialog.
    EventFormDialog(AppState* appState, const Event& event, QWidget* parent = nullptr);
    // The new-event form, starting at the next half hour for one hour.
    explicit EventFormDialog(AppState* appState, QWidget* parent = nullptr);

    // Sets the start and an end `minutes` later; an invalid start changes nothing.
    void setStartAndDuration(const QDateTime& start, int minutes);

    // The edit form shows one occurrence (starting at `occurrenceStart`) of the series `master`
    // and saves for `scope` (1 this event only, 2 this and following, 3 all events) through
    // RecurringEdit, with an undo entry. For this event only the calendar, the rule and all-day
    // cannot change.
    void setSeriesScope(const Event& master, const QDateTime& occurrenceStart, int scope);

    // What the user is told when the clocks skip a time typed on `day` for a single event or a
    // new series, which then has the hour after it: the times `event` has, in the 12/24-hour
    // setting of `state`, and for a series (one with a rule) that it repeats at its start's time.
    static QString skippedTimeText(const AppState* state, const Event& event, const QDate& day);

private:
    void build();
    void loadCalendars();
    void populate(const Event& event);
    void refreshSwatch();
    QString effectiveColor() const;
    void chooseColor();
    void refreshRepeatButton();
    void editRecurrence();
    void showTemplatesMenu();
    void applyTemplate(const EventTemplate& eventTemplate);
    // What the form's fields hold, in the record's terms (FormMerge).
    Event formValues() const;
    // While an import holds the store, saves once it has ended; the form stays open meanwhile.
    void save();
    // Carries the end along with a start the user changed, as the instant that keeps the length.
    void keepLength(const QDateTime& start);
    // Turns the pickers all-day or timed with the box. A timed end at 00:00 and the all-day last
    // day before it are the same end, so the end's date changes with the kind.
    void switchAllDay(bool on);
    void measureLength();
    bool saveSeries(const Event& master, const QDateTime& occurrenceStart, int scope,
                    const Event& edited, const std::optional<SeriesMove::WallTime>& wall);
    bool isReadOnly() const;

    AppState* m_appState;
    std::optional<Event> m_editedEvent;
    // formValues() when the edit form opened: a field the user changed differs from it.
    Event m_shown;
    std::optional<Event> m_seriesMaster;
    QDateTime m_occurrenceStart;
    int m_scope = 0;
    // The start and end the event's length is kept from while the user changes the start.
    QDateTime m_lengthStart;
    QDateTime m_lengthEnd;
    StoreWaitNote* m_storeWaitNote = nullptr;
    bool m_movingEnd = false; // the end is following the start, not changed by the user

    QLineEdit* m_titleEdit = nullptr;
    LongTextField* m_title = nullptr;
    QComboBox* m_calendarCombo = nullptr;
    DateTimePicker* m_startPicker = nullptr;
    DateTimePicker* m_endPicker = nullptr;
    QCheckBox* m_allDayCheck = nullptr;
    QToolButton* m_colorSwatch = nullptr;
    QPushButton* m_useCalendarColorButton = nullptr;
    QString m_customColor;
    QPushButton* m_repeatButton = nullptr;
    QString m_ruleText;
    EventReminderList* m_reminders = nullptr;
    QLineEdit* m_locationEdit = nullptr;
    LongTextField* m_location = nullptr;
    QPlainTextEdit* m_notesEdit = nullptr;
    LongTextField* m_notes = nullptr;
    EventAttendeeList* m_attendees = nullptr;
    QDialogButtonBox* m_buttonBox = nullptr;
};

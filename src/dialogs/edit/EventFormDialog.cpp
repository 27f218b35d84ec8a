#include "EventFormDialog.h"

#include "StoreWaitNote.h"

#include "AccountRepository.h"
#include "AppState.h"
#include "CalendarRepository.h"
#include "ChangedElsewhere.h"
#include "Clock.h"
#include "Database.h"
#include "DateLanguage.h"
#include "DateTimePicker.h"
#include "Defaults.h"
#include "EventAttendeeList.h"
#include "EventChangeState.h"
#include "EventFormRules.h"
#include "EventReminderList.h"
#include "EventRepository.h"
#include "EventZone.h"
#include "FormMerge.h"
#include "FormOpening.h"
#include "FormRows.h"
#include "FormScrollArea.h"
#include "Ical.h"
#include "Limits.h"
#include "LongTextField.h"
#include "PreferencesRepository.h"
#include "PushCopy.h"
#include "RecurrenceEditDialog.h"
#include "RecurringEdit.h"
#include "RruleFormat.h"
#include "RuleUntil.h"
#include "Savepoint.h"
#include "SeriesEdit.h"
#include "ShownText.h"
#include "TemplateRepository.h"
#include "Theme.h"
#include "TimeFormatState.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QCursor>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QToolButton>
#include <QUuid>
#include <QVBoxLayout>

namespace {

// On a read-only store every save fails; the user is told why, not only that it did.
QString saveFailureText(AppState* state)
{
    if (state->database()->isReadOnly())
        return EventFormDialog::tr("Could not save the event: the calendar file is read-only.");
    return EventFormDialog::tr("Could not save the event.");
}

QString newId()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

// What a field gives to save: the stored text as it was when the field still holds it, else the
// typed text without the blanks around it.
QString keptOrTrimmed(const QString& text, const QString& stored)
{
    return text == stored ? text : text.trimmed();
}

// A timed moment as the pickers show it: in the machine's zone, whatever zone it was read in.
QDateTime localMoment(const QDateTime& moment)
{
    return QDateTime(moment.toLocalTime().date(), moment.toLocalTime().time());
}

// The occurrence of `master` that starts at `start`, as the series form shows it.
Event occurrenceOf(const Event& master, const QDateTime& start)
{
    Event occurrence = master;
    occurrence.startTime = start;
    if (occurrence.endTime)
        occurrence.endTime = occurrence.endTime->addSecs(master.startTime.secsTo(start));
    return occurrence;
}

} // namespace

EventFormDialog::EventFormDialog(AppState* appState, const Event& event, QWidget* parent)
    : QDialog(parent), m_appState(appState), m_editedEvent(event)
{
    FormOpening::announce();
    setWindowTitle(tr("Edit Event"));
    setModal(true);
    build();
    loadCalendars();
    populate(event);
    m_shown = formValues();
}

EventFormDialog::EventFormDialog(AppState* appState, QWidget* parent)
    : QDialog(parent), m_appState(appState)
{
    FormOpening::announce();
    setWindowTitle(tr("New Event"));
    setModal(true);
    build();
    loadCalendars();
}

void EventFormDialog::build()
{
    const bool editing = m_editedEvent.has_value();
    const auto firstDay = Qt::DayOfWeek(m_appState ? m_appState->firstDayOfWeek() : 1);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(16, 16, 16, 16);
    outer->setSpacing(12);

    auto* header = new QHBoxLayout;
    header->setContentsMargins(0, 0, 0, 0);
    auto* heading = new QLabel(editing ? tr("Edit event") : tr("New event"), this);
    QFont headingFont = heading->font();
    headingFont.setWeight(QFont::Bold);
    headingFont.setPointSize(16);
    heading->setFont(headingFont);
    header->addWidget(heading);
    header->addStretch();
    if (!editing) {
        auto* templatesButton = new QPushButton(tr("From template…"), this);
        templatesButton->setFlat(true);
        templatesButton->setCursor(Qt::PointingHandCursor);
        templatesButton->setStyleSheet(
            QStringLiteral("QPushButton { color: %1; border: none; background: transparent; }")
                .arg(Theme::accent().name()));
        connect(templatesButton, &QPushButton::clicked, this, &EventFormDialog::showTemplatesMenu);
        header->addWidget(templatesButton);
    }
    outer->addLayout(header);

    auto* subtitle = new QLabel(editing ? tr("Update the details below and save to apply.")
                                        : tr("Fill in the basics. Start time and calendar are "
                                             "required."),
                                this);
    subtitle->setObjectName(QStringLiteral("subtitle"));
    subtitle->setWordWrap(true);
    subtitle->setProperty("muted", true);
    outer->addWidget(subtitle);
    outer->addSpacing(8);

    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->setHorizontalSpacing(12);
    form->setVerticalSpacing(12);
    outer->addLayout(form);

    m_titleEdit = new QLineEdit(this);
    m_title = new LongTextField(m_titleEdit);
    m_titleEdit->setPlaceholderText(tr("Lunch with Maria, Sprint planning…"));
    form->addRow(tr("&Title"), m_titleEdit);

    m_calendarCombo = new QComboBox(this);
    // Calendar names come from servers: the form's width does not follow the longest one.
    m_calendarCombo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_calendarCombo->setMinimumContentsLength(24);
    form->addRow(tr("&Calendar"), m_calendarCombo);

    auto* colorRow = new QWidget(this);
    auto* colorLayout = FormRows::rowLayout(colorRow);
    m_colorSwatch = new QToolButton(colorRow);
    m_colorSwatch->setFixedSize(28, 28);
    m_colorSwatch->setCursor(Qt::PointingHandCursor);
    connect(m_colorSwatch, &QToolButton::clicked, this, &EventFormDialog::chooseColor);
    m_useCalendarColorButton = new QPushButton(tr("Use calendar color"), colorRow);
    m_useCalendarColorButton->setFlat(true);
    m_useCalendarColorButton->setCursor(Qt::PointingHandCursor);
    m_useCalendarColorButton->setStyleSheet(
        QStringLiteral("color: %1; border: none; background: transparent;")
            .arg(Theme::accent().name()));
    connect(m_useCalendarColorButton, &QPushButton::clicked, this, [this] {
        m_customColor.clear();
        refreshSwatch();
    });
    colorLayout->addWidget(m_colorSwatch);
    colorLayout->addWidget(m_useCalendarColorButton);
    colorLayout->addStretch();
    form->addRow(tr("Color"), colorRow);

    const QDateTime start = EventFormRules::defaultStart(Clock::nowLocal());
    m_startPicker = new DateTimePicker(firstDay);
    m_startPicker->setDateTime(localMoment(start));
    form->addRow(tr("&Starts"), m_startPicker);
    m_endPicker = new DateTimePicker(firstDay);
    m_endPicker->setDateTime(localMoment(start.addSecs(3600)));
    // Connected before the end binds to the start: the end follows the start before the end's
    // own bounds are checked, so a later start carries it along instead of clamping it.
    connect(m_startPicker, &DateTimePicker::dateTimeChanged, this, &EventFormDialog::keepLength);
    m_endPicker->setReference(m_startPicker);
    connect(m_endPicker, &DateTimePicker::dateTimeChanged, this, [this] {
        if (!m_movingEnd)
            measureLength();
    });
    measureLength();
    form->addRow(tr("&Ends"), m_endPicker);

    m_allDayCheck = new QCheckBox(tr("All day"), this);
    connect(m_allDayCheck, &QCheckBox::toggled, this, &EventFormDialog::switchAllDay);
    form->addRow(QString(), m_allDayCheck);

    m_repeatButton = new QPushButton(this);
    m_repeatButton->setCursor(Qt::PointingHandCursor);
    connect(m_repeatButton, &QPushButton::clicked, this, &EventFormDialog::editRecurrence);
    refreshRepeatButton();
    form->addRow(tr("&Repeats"), m_repeatButton);

    m_reminders = new EventReminderList(this);
    form->addRow(tr("Re&minders"), m_reminders);

    m_locationEdit = new QLineEdit(this);
    m_location = new LongTextField(m_locationEdit);
    m_locationEdit->setPlaceholderText(tr("Address, room, or video link"));
    form->addRow(tr("&Location"), m_locationEdit);

    m_notesEdit = new QPlainTextEdit(this);
    m_notes = new LongTextField(m_notesEdit);
    m_notesEdit->setPlaceholderText(tr("Notes, agenda, links…"));
    m_notesEdit->setMinimumHeight(110);
    m_notesEdit->setMaximumHeight(160);
    form->addRow(tr("&Notes"), m_notesEdit);

    m_attendees = new EventAttendeeList(this);
    form->addRow(tr("Attendees"), m_attendees);

    outer->addStretch();
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Plain);
    line->setStyleSheet(QStringLiteral("color: %1;").arg(Theme::border().name()));
    outer->addWidget(line);

    m_buttonBox = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_buttonBox->button(QDialogButtonBox::Ok)
        ->setText(editing ? tr("Save changes") : tr("Create event"));
    m_buttonBox->button(QDialogButtonBox::Cancel)->setText(tr("Cancel"));
    connect(m_buttonBox, &QDialogButtonBox::accepted, this, &EventFormDialog::save);
    connect(m_buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // A form cancelled while it waits for an import to end saves nothing.
    m_storeWaitNote = new StoreWaitNote(
        m_appState, tr("An import is writing to the calendar. This form saves as soon as it ends."),
        this);
    connect(this, &QDialog::rejected, m_storeWaitNote, &StoreWaitNote::cancel);
    outer->addWidget(m_storeWaitNote);
    outer->addWidget(m_buttonBox);
    // Enter saves wherever the focus is: a button inside the form that had the focus last (such
    // as Repeats after its editor closed) must not become the default and reopen its dialog.
    for (QPushButton* button : findChildren<QPushButton*>()) {
        if (!m_buttonBox->isAncestorOf(button))
            button->setAutoDefault(false);
    }
    // Attendees and reminders make the form taller than a laptop's screen.
    FormScrollArea::wrap(this, line);

    refreshSwatch();
    resize(560, sizeHint().height());
    m_titleEdit->setFocus();
}

void EventFormDialog::loadCalendars()
{
    if (!m_appState || !m_appState->calendars())
        return;
    const QList<Account> accounts =
        m_appState->accounts() ? m_appState->accounts()->getAll() : QList<Account>();
    const QList<EventFormRules::CalendarOption> options =
        EventFormRules::calendarOptions(m_appState->calendars()->getAll(), accounts,
                                        m_editedEvent ? m_editedEvent->calendarId : QString());
    for (const EventFormRules::CalendarOption& option : options)
        m_calendarCombo->addItem(Theme::calendarColorIcon(option.color),
                                 ShownText::bounded(option.label, Limits::maxRowTextChars),
                                 option.id);

    const QString preferred = m_appState->preferences()
                                  ? m_appState->preferences()
                                        ->get(QStringLiteral("ui/defaultCalendarId"))
                                        .value_or(QString())
                                  : QString();
    const int selected = EventFormRules::preselectedIndex(options, preferred);
    if (selected >= 0)
        m_calendarCombo->setCurrentIndex(selected);
    refreshSwatch();
    connect(m_calendarCombo, &QComboBox::currentIndexChanged, this,
            &EventFormDialog::refreshSwatch);
}

void EventFormDialog::populate(const Event& event)
{
    m_title->setText(event.title);
    const int own = m_calendarCombo->findData(event.calendarId);
    if (own >= 0)
        m_calendarCombo->setCurrentIndex(own);
    m_customColor = event.color;
    refreshSwatch();

    if (event.isAllDay) {
        const QDate first = EventFormRules::allDayFirstDay(event.startTime);
        m_startPicker->setDateTime(QDateTime(first, QTime(0, 0)));
        m_endPicker->onReferenceChanged();
        if (event.endTime)
            m_endPicker->setDateTime(QDateTime(
                EventFormRules::allDayLastDay(event.startTime, *event.endTime), QTime(0, 0)));
    } else {
        // The instants, not their wall times: one in the hour the clocks repeat reads as the first.
        m_startPicker->setInstant(event.startTime);
        m_endPicker->onReferenceChanged();
        if (event.endTime)
            m_endPicker->setInstant(*event.endTime);
    }
    {
        // The pickers already show the stored days; switching would read them as timed ones.
        const QSignalBlocker blocker(m_allDayCheck);
        m_allDayCheck->setChecked(event.isAllDay);
    }
    m_startPicker->setAllDay(event.isAllDay);
    m_endPicker->setAllDay(event.isAllDay);
    measureLength();
    // An override lives in its series' calendar (moving it alone would orphan it) and repeats
    // with it.
    if (!event.recurrenceId.isEmpty()) {
        m_calendarCombo->setEnabled(false);
        m_repeatButton->setEnabled(false);
    }

    m_ruleText = event.recurrenceRule;
    refreshRepeatButton();
    for (const Reminder& reminder : event.reminders)
        m_reminders->addRow(reminder.minutesBefore);
    m_location->setText(event.location);
    m_notes->setText(event.description);
    m_attendees->setAttendees(event.attendees);

    if (isReadOnly()) {
        // Saving could only fail on the server or move the event out of a calendar the user
        // may not change; the form shows the event instead.
        if (auto* subtitle = findChild<QLabel*>(QStringLiteral("subtitle")))
            subtitle->setText(tr("This event belongs to a read-only calendar. It can be viewed "
                                 "but not changed."));
        m_buttonBox->button(QDialogButtonBox::Ok)->setEnabled(false);
    }
}

bool EventFormDialog::isReadOnly() const
{
    if (!m_editedEvent || !m_appState || !m_appState->calendars())
        return false;
    const std::optional<Calendar> calendar =
        m_appState->calendars()->getById(m_editedEvent->calendarId);
    return calendar && calendar->isReadOnly;
}

QString EventFormDialog::effectiveColor() const
{
    if (!m_customColor.isEmpty())
        return m_customColor;
    const QString id = m_calendarCombo->currentData().toString();
    if (id.isEmpty() || !m_appState || !m_appState->calendars())
        return Defaults::itemColour;
    const std::optional<Calendar> calendar = m_appState->calendars()->getById(id);
    return calendar && !calendar->color.isEmpty() ? calendar->color : QString(Defaults::itemColour);
}

void EventFormDialog::refreshSwatch()
{
    const QString color = effectiveColor();
    m_colorSwatch->setStyleSheet(
        QStringLiteral("QToolButton { background: %1; border: 1px solid %2; border-radius: 14px; }")
            .arg(color, Theme::border().name()));
    m_colorSwatch->setToolTip(
        m_customColor.isEmpty()
            ? tr("Inheriting calendar color (%1). Click to override.").arg(color)
            : tr("Custom color (%1). Click to change.").arg(color));
    m_useCalendarColorButton->setVisible(!m_customColor.isEmpty());
}

void EventFormDialog::chooseColor()
{
    QColor initial(effectiveColor());
    if (!initial.isValid())
        initial = Theme::accent();
    const QColor chosen = QColorDialog::getColor(initial, this, tr("Event color"));
    if (!chosen.isValid())
        return;
    m_customColor = chosen.name();
    refreshSwatch();
}

void EventFormDialog::refreshRepeatButton()
{
    m_repeatButton->setText(m_ruleText.isEmpty() ? tr("Does not repeat")
                                                 : RruleFormat::describe(m_ruleText));
}

void EventFormDialog::editRecurrence()
{
    RecurrenceEditDialog dialog(m_ruleText, m_startPicker->date(),
                                m_appState ? m_appState->firstDayOfWeek() : 1, this);
    dialog.setSeriesAllDay(m_allDayCheck->isChecked());
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_ruleText = dialog.rrule();
    refreshRepeatButton();
}

void EventFormDialog::showTemplatesMenu()
{
    if (!m_appState || !m_appState->templates())
        return;
    const QList<EventTemplate> templates = m_appState->templates()->getAll();
    if (templates.isEmpty()) {
        QMessageBox::information(this, tr("No templates"),
                                 tr("You haven't created any event templates yet. Open Tools → "
                                    "Manage Templates to create one."),
                                 QMessageBox::Ok);
        return;
    }
    QMenu menu(this);
    for (const EventTemplate& eventTemplate : templates) {
        QAction* action = menu.addAction(eventTemplate.name);
        if (!eventTemplate.color.isEmpty())
            action->setIcon(Theme::calendarColorIcon(eventTemplate.color));
        action->setData(eventTemplate.id);
    }
    auto* button = qobject_cast<QPushButton*>(sender());
    const QPoint at = button ? button->mapToGlobal(button->rect().bottomLeft()) : QCursor::pos();
    QAction* chosen = menu.exec(at);
    if (!chosen)
        return;
    if (const std::optional<EventTemplate> eventTemplate =
            m_appState->templates()->getById(chosen->data().toString()))
        applyTemplate(*eventTemplate);
}

void EventFormDialog::applyTemplate(const EventTemplate& eventTemplate)
{
    if (!eventTemplate.title.isEmpty())
        m_title->setText(eventTemplate.title);
    if (!eventTemplate.location.isEmpty())
        m_location->setText(eventTemplate.location);
    if (!eventTemplate.description.isEmpty())
        m_notes->setText(eventTemplate.description);
    if (!eventTemplate.color.isEmpty()) {
        m_customColor = eventTemplate.color;
        refreshSwatch();
    }
    if (!eventTemplate.calendarId.isEmpty()) {
        const int index = m_calendarCombo->findData(eventTemplate.calendarId);
        if (index >= 0)
            m_calendarCombo->setCurrentIndex(index);
    }
    m_allDayCheck->setChecked(eventTemplate.isAllDay);
    if (eventTemplate.durationMinutes >= 1 && !eventTemplate.isAllDay) {
        m_endPicker->setInstant(
            m_startPicker->dateTime().addSecs(qint64(eventTemplate.durationMinutes) * 60));
        measureLength();
    }
    if (!eventTemplate.recurrenceRule.isEmpty()) {
        m_ruleText = eventTemplate.recurrenceRule;
        refreshRepeatButton();
    }
    m_reminders->clear();
    for (int minutes : eventTemplate.reminders)
        m_reminders->addRow(minutes);
}

Event EventFormDialog::formValues() const
{
    Event values;
    // A stored text the user did not edit goes back as it came, every character of it.
    values.title = keptOrTrimmed(m_title->text(), m_editedEvent ? m_editedEvent->title : QString());
    values.calendarId = m_calendarCombo->currentData().toString();
    values.color = m_customColor;
    values.isAllDay = m_allDayCheck->isChecked();
    if (values.isAllDay) {
        // One stored form for all-day events: midnight UTC of the dates, whatever the zone.
        const EventFormRules::Range range =
            EventFormRules::allDayRange(m_startPicker->date(), m_endPicker->date());
        values.startTime = range.start;
        values.endTime = range.end;
    } else {
        values.startTime = m_startPicker->dateTime();
        values.endTime = m_endPicker->dateTime();
    }
    values.timezone = m_editedEvent ? m_editedEvent->timezone : EventZone::forNewEvents();
    values.recurrenceRule = m_ruleText;
    values.recurrenceRule = RuleUntil::ofSeries(values);
    for (int minutes : m_reminders->minutes()) {
        Reminder reminder;
        reminder.minutesBefore = minutes;
        reminder.action = QStringLiteral("display");
        values.reminders.append(reminder);
    }
    values.location =
        keptOrTrimmed(m_location->text(), m_editedEvent ? m_editedEvent->location : QString());
    values.description = m_notes->text();
    for (const Attendee& attendee : m_attendees->attendees()) {
        if (!attendee.email.trimmed().isEmpty())
            values.attendees.append(attendee);
    }
    return values;
}

void EventFormDialog::save()
{
    const Event edited = formValues();
    if (edited.title.trimmed().isEmpty()) {
        QMessageBox::warning(this, tr("Title required"), tr("Please enter a title for the event."),
                             QMessageBox::Ok);
        m_titleEdit->setFocus();
        return;
    }
    if (m_calendarCombo->count() == 0) {
        QMessageBox::warning(this, tr("No calendars"), tr("Create a calendar first."),
                             QMessageBox::Ok);
        return;
    }
    // Nothing is written at a time nobody chose: a start or end that is no instant is refused.
    if (!edited.startTime.isValid() || !edited.endTime || !edited.endTime->isValid()) {
        QMessageBox::warning(this, tr("Invalid time"),
                             tr("The start or the end is not a time on this computer's clock."),
                             QMessageBox::Ok);
        m_startPicker->setFocus();
        return;
    }
    if (m_endPicker->dateTime() < m_startPicker->dateTime()) {
        QMessageBox::warning(this, tr("End before start"),
                             tr("The end time is earlier than the start time."), QMessageBox::Ok);
        m_endPicker->setFocus();
        return;
    }
    if (isReadOnly()) {
        QMessageBox::warning(this, tr("Read-only calendar"),
                             tr("This event belongs to a read-only calendar and cannot be "
                                "changed."),
                             QMessageBox::Ok);
        return;
    }
    if (!m_appState || !m_appState->events())
        return;
    if (m_appState->isStoreHeld()) {
        m_storeWaitNote->saveWhenFree(m_buttonBox->button(QDialogButtonBox::Ok),
                                      [this] { save(); });
        return;
    }

    // The form ran its own event loop: a sync may have changed or removed the row it was opened
    // on. What the form does not show, and each field the user left alone, is taken from the row
    // as stored now, and a row gone or moved to another calendar meanwhile is reported and not
    // written again.
    const EventChange::Reporter report = [this](const QString& message) {
        QMessageBox::warning(this, tr("Calendar"), message);
    };
    std::optional<Event> master;
    std::optional<Event> stored;
    QDateTime occurrenceStart = m_occurrenceStart;
    int scope = m_scope;
    if (m_seriesMaster) {
        master = EventChange::stillStored(*m_seriesMaster,
                                          m_appState->events()->getById(m_seriesMaster->id));
        if (!master || master->recurrenceRule.isEmpty() || !master->recurrenceId.isEmpty()) {
            report(EventChange::goneText(m_seriesMaster->title));
            return;
        }
        if (!m_editedEvent->recurrenceId.isEmpty()) {
            // The form shows an override as it stands.
            stored = EventChange::reread(m_appState, *m_editedEvent, report);
            if (!stored)
                return;
            const QDateTime original = SeriesEdit::instantOf(stored->recurrenceId);
            if (original.isValid())
                occurrenceStart = original;
        } else {
            // A series moved meanwhile took the occurrence along.
            occurrenceStart =
                m_occurrenceStart.addSecs(m_seriesMaster->startTime.secsTo(master->startTime));
            stored = occurrenceOf(*master, occurrenceStart);
        }
    } else if (m_editedEvent && !m_editedEvent->id.isEmpty()) {
        stored = EventChange::reread(m_appState, *m_editedEvent, report);
        if (!stored)
            return;
    }

    const QDateTime now = Clock::now();
    Event record = m_editedEvent ? *m_editedEvent : Event();
    QList<FormMerge::Field> replaced;
    if (stored) {
        const FormMerge::Merged<Event> merged =
            FormMerge::event(*m_editedEvent, m_shown, *stored, edited);
        record = merged.record;
        replaced = merged.replaced;
        record.sequence = PushCopy::nextSequence(record.sequence);
    } else {
        // A new event takes every field the form holds.
        record = FormMerge::event(record, record, record, edited).record;
        record.id = newId();
        record.uid = record.id;
        record.created = now;
        record.sequence = 0;
        record.status = QStringLiteral("confirmed");
    }
    // One occurrence never carries a rule of its own: the rule belongs to the series. A rule
    // kept through a change between all-day and timed takes the new kind's UNTIL.
    const bool oneOccurrence = !record.recurrenceId.isEmpty() || scope == 1;
    record.recurrenceRule =
        oneOccurrence ? QString() : RuleUntil::ofSeries(record);
    if (record.timezone.isEmpty())
        record.timezone = EventZone::forNewEvents();
    record.lastModified = now;
    record.syncStatus = QStringLiteral("pending");

    // A series is rewritten through its rules, which keep its overrides and exception dates with
    // it; the form on the series itself is an edit of all its events.
    if (!master && stored && !stored->recurrenceRule.isEmpty() && stored->recurrenceId.isEmpty()) {
        master = stored;
        occurrenceStart = master->startTime;
        scope = 3;
    }
    if (master) {
        // A rule that cannot move with the start is the user's to change: the form stays open.
        // A start the user changed moves the series to the wall time its field shows, which the
        // start cannot name where the clocks skip it. A start left alone moves nothing: its
        // field may show the second of a repeated hour, which reads as the first.
        std::optional<SeriesMove::WallTime> wall;
        if (!record.isAllDay && edited.startTime != m_shown.startTime)
            wall = SeriesMove::WallTime{m_startPicker->date(), m_startPicker->time(),
                                        QTimeZone::systemTimeZone()};
        const std::optional<SeriesEdit::Plan> plan = RecurringEdit::planEdit(
            m_appState->events(), *master, occurrenceStart, record, scope, wall);
        if (plan && plan->refused) {
            QMessageBox::warning(this, tr("Calendar"), RecurringEdit::refusalText());
            return;
        }
        if (!saveSeries(*master, occurrenceStart, scope, record, wall)) {
            QMessageBox::critical(this, tr("Database Error"), saveFailureText(m_appState),
                                  QMessageBox::Ok);
            return;
        }
        ChangedElsewhere::tell(this, replaced);
        accept();
        return;
    }

    EventRepository* events = m_appState->events();
    const bool moving = m_editedEvent && !m_editedEvent->id.isEmpty() &&
                        record.calendarId != m_editedEvent->calendarId;
    bool saved = false;
    if (moving) {
        // The old row's deletion (for its calendar's server) and the new row go together.
        record.id = newId();
        record.uid = record.id;
        record.providerEventId.clear();
        record.etag.clear();
        record.href.clear();
        record.created = now;
        record.sequence = 0;
        // The old row keeps its reminder and attendee rows: the new one gets rows of its own.
        for (Reminder& reminder : record.reminders) {
            reminder.id.clear();
            reminder.eventId.clear();
        }
        for (Attendee& attendee : record.attendees) {
            attendee.id.clear();
            attendee.eventId.clear();
        }
        record.rawIcalendar = Ical::buildEvent(record);
        Savepoint transaction(events->database()->database());
        saved = transaction.isActive() && events->remove(m_editedEvent->id) &&
                events->insert(record) && transaction.commit();
    } else {
        record.rawIcalendar = Ical::buildEvent(record);
        saved = m_editedEvent && !m_editedEvent->id.isEmpty() ? events->update(record)
                                                              : events->insert(record);
    }
    if (!saved) {
        QMessageBox::critical(this, tr("Database Error"), saveFailureText(m_appState),
                              QMessageBox::Ok);
        return;
    }
    ChangedElsewhere::tell(this, replaced);
    // The fields still show the time typed; the event has the one after the gap.
    if (!record.isAllDay &&
        (m_startPicker->showsSkippedTime() || m_endPicker->showsSkippedTime())) {
        const QDate day =
            m_startPicker->showsSkippedTime() ? m_startPicker->date() : m_endPicker->date();
        QMessageBox::warning(this, tr("Calendar"), skippedTimeText(m_appState, record, day));
    }
    accept();
}

QString EventFormDialog::skippedTimeText(const AppState* state, const Event& event,
                                         const QDate& day)
{
    const QString pattern = TimeFormat::timePattern(state);
    const QString title = ShownText::bounded(event.title, Limits::maxRowTextChars);
    const QString date = DateLanguage::format(day, QStringLiteral("MMM d, yyyy"));
    const QString start = event.startTime.toLocalTime().time().toString(pattern);
    const QString end =
        event.endTime ? event.endTime->toLocalTime().time().toString(pattern) : QString();
    // A series repeats at the time of day its first start has, the one after the gap; its end
    // on the other days keeps the length, which the clocks may have changed on this one.
    if (!event.recurrenceRule.isEmpty())
        return tr("The clocks skip the time \"%1\" was set to on %2, so it begins at %3 and ends "
                  "at %4 that day, and repeats at %3.")
            .arg(title, date, start, end);
    return tr("The clocks skip the time \"%1\" was set to on %2, so it begins at %3 and ends at "
              "%4.")
        .arg(title, date, start, end);
}

void EventFormDialog::setStartAndDuration(const QDateTime& start, int minutes)
{
    if (!start.isValid() || !m_startPicker || !m_endPicker)
        return;
    // The instants, not their wall times: an end an hour on from the first of a repeated hour is
    // the second.
    m_startPicker->setInstant(start);
    // The end's earliest date follows the start before the end is set.
    m_endPicker->onReferenceChanged();
    m_endPicker->setInstant(start.addSecs(qint64(minutes) * 60));
    measureLength();
}

void EventFormDialog::switchAllDay(bool on)
{
    if (on) {
        const QDate lastDay =
            EventFormRules::lastDayWhenAllDay(m_startPicker->dateTime(), m_endPicker->dateTime());
        m_startPicker->setAllDay(true);
        m_endPicker->setAllDay(true);
        m_endPicker->setDateTime(QDateTime(lastDay, QTime(0, 0)));
    } else {
        m_startPicker->setAllDay(false);
        m_endPicker->setAllDay(false);
        // The end's kept time of day counts again, and with it the day a midnight end closes.
        m_endPicker->setDateTime(
            EventFormRules::timedEndOnLastDay(m_endPicker->date(), m_endPicker->dateTime().time()));
    }
    measureLength();
}

void EventFormDialog::measureLength()
{
    m_lengthStart = m_startPicker->dateTime();
    m_lengthEnd = m_endPicker->dateTime();
}

void EventFormDialog::keepLength(const QDateTime& start)
{
    const QDateTime end = EventFormRules::endKeepingLength(start, m_lengthStart, m_lengthEnd,
                                                           m_allDayCheck->isChecked());
    if (!end.isValid())
        return;
    const QScopedValueRollback following(m_movingEnd, true);
    // The end's earliest date follows the start first, so that an earlier end is not clamped.
    m_endPicker->onReferenceChanged();
    // The instant, not its wall time: an hour on from the first of a repeated hour is the second.
    m_endPicker->setInstant(end);
}

void EventFormDialog::setSeriesScope(const Event& master, const QDateTime& occurrenceStart,
                                     int scope)
{
    m_seriesMaster = master;
    m_occurrenceStart = occurrenceStart;
    m_scope = scope;
    if (scope == 1) {
        // One occurrence keeps its series' calendar, rule and kind; the rule shows what the
        // occurrence belongs to.
        m_calendarCombo->setEnabled(false);
        m_ruleText = master.recurrenceRule;
        refreshRepeatButton();
        m_repeatButton->setEnabled(false);
        m_repeatButton->setToolTip(tr("The repeat rule belongs to the series."));
        m_allDayCheck->setEnabled(false);
    }
    m_shown = formValues();
}

bool EventFormDialog::saveSeries(const Event& master, const QDateTime& occurrenceStart, int scope,
                                 const Event& edited,
                                 const std::optional<SeriesMove::WallTime>& wall)
{
    const QPointer<QWidget> guard(parentWidget());
    const EventChange::Reporter report = [guard](const QString& message) {
        if (!message.isEmpty())
            QMessageBox::warning(guard ? guard->window() : nullptr, tr("Calendar"), message);
    };
    const std::optional<SeriesEdit::Plan> plan =
        RecurringEdit::planEdit(m_appState->events(), master, occurrenceStart, edited, scope, wall);
    // The undo entry names the event in menus and the status bar: as a row does.
    const QString name = ShownText::bounded(edited.title, Limits::maxRowTextChars);
    if (!plan || !RecurringEdit::carryOutWithUndo(m_appState, *plan, tr("Changed \"%1\"").arg(name),
                                                  QString(), report))
        return false;
    if (plan->settledStart)
        report(RecurringEdit::settledText(m_appState, edited.title, *plan->settledStart));
    return true;
}

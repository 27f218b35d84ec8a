#include "TaskFormDialog.h"

#include "StoreWaitNote.h"

#include "AccountRepository.h"
#include "AppState.h"
#include "CalendarRepository.h"
#include "ChangedElsewhere.h"
#include "Clock.h"
#include "Database.h"
#include "DateTimePicker.h"
#include "EventFormRules.h"
#include "FormMerge.h"
#include "FormOpening.h"
#include "FormScrollArea.h"
#include "Ical.h"
#include "LongTextField.h"
#include "PushCopy.h"
#include "RecurrenceEditDialog.h"
#include "RruleFormat.h"
#include "TaskCalendarMove.h"
#include "TaskFormRules.h"
#include "TaskMove.h"
#include "TaskRepository.h"
#include "Theme.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUuid>
#include <QVBoxLayout>

namespace {

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

QString saveFailureText(AppState* state)
{
    if (state->database() && state->database()->isReadOnly())
        return TaskFormDialog::tr("Could not save the task: the calendar file is read-only.");
    return TaskFormDialog::tr("Could not save the task.");
}

// A date-only value is kept as 00:00 UTC of its date, whatever the machine's zone.
std::optional<QDateTime> pickedMoment(const QCheckBox* check, const DateTimePicker* picker)
{
    if (!check->isChecked())
        return std::nullopt;
    if (picker->isAllDay())
        return QDateTime(picker->date(), QTime(0, 0), Qt::UTC);
    return picker->dateTime();
}

void showMoment(QCheckBox* check, DateTimePicker* picker, const std::optional<QDateTime>& moment,
                bool dateOnly)
{
    if (!moment || !moment->isValid())
        return;
    check->setChecked(true);
    if (dateOnly) {
        picker->setAllDay(true);
        picker->setDateTime(QDateTime(moment->toUTC().date(), QTime(0, 0)));
    } else {
        picker->setDateTime(moment->toLocalTime());
    }
}

} // namespace

TaskFormDialog::TaskFormDialog(AppState* appState, const Task& task, QWidget* parent)
    : QDialog(parent), m_appState(appState), m_editedTask(task)
{
    FormOpening::announce();
    setWindowTitle(tr("Edit Task"));
    setModal(true);
    buildUi();
    // Its own calendar is offered even when hidden or read-only, so that saving never moves it
    // by accident.
    loadCalendars(task.calendarId);
    populate(task);
    m_shown = formValues();
    m_openedUnderLiveParent =
        !task.parentTaskUid.isEmpty() && parentIsLive(task.parentTaskUid, task.calendarId);
}

TaskFormDialog::TaskFormDialog(AppState* appState, QWidget* parent)
    : QDialog(parent), m_appState(appState)
{
    FormOpening::announce();
    setWindowTitle(tr("New Task"));
    setModal(true);
    buildUi();
    loadCalendars(QString());
}

void TaskFormDialog::buildUi()
{
    const bool editing = m_editedTask.has_value();
    const auto firstDay = Qt::DayOfWeek(m_appState ? m_appState->firstDayOfWeek() : 1);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(16, 16, 16, 16);
    outer->setSpacing(12);

    auto* heading = new QLabel(editing ? tr("Edit task") : tr("New task"), this);
    QFont headingFont = heading->font();
    headingFont.setWeight(QFont::Bold);
    headingFont.setPointSize(16);
    heading->setFont(headingFont);
    outer->addWidget(heading);

    m_subtitle = new QLabel(editing ? tr("Update the task and save to apply.")
                                    : tr("Drop a quick to-do; due date and priority are optional."),
                            this);
    m_subtitle->setObjectName(QStringLiteral("subtitle"));
    m_subtitle->setWordWrap(true);
    m_subtitle->setProperty("muted", true);
    outer->addWidget(m_subtitle);
    outer->addSpacing(8);

    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->setHorizontalSpacing(12);
    form->setVerticalSpacing(12);

    // Tasks arrive from servers: each text is kept whole, and a very long one is shown in part
    // until its field is clicked.
    m_titleEdit = new QLineEdit(this);
    m_title = new LongTextField(m_titleEdit);
    m_titleEdit->setObjectName(QStringLiteral("titleEdit"));
    m_titleEdit->setPlaceholderText(tr("Buy birthday gift, prep Q1 report…"));
    form->addRow(tr("&Title"), m_titleEdit);

    m_calendarCombo = new QComboBox(this);
    m_calendarCombo->setObjectName(QStringLiteral("calendarCombo"));
    form->addRow(tr("&Calendar"), m_calendarCombo);

    const auto dateRow = [this, firstDay](QCheckBox*& check, DateTimePicker*& picker,
                                          const QString& text, const QString& name,
                                          const QDateTime& initial) {
        auto* row = new QWidget(this);
        auto* layout = new QHBoxLayout(row);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(8);
        check = new QCheckBox(text, row);
        check->setObjectName(name + QStringLiteral("Check"));
        picker = new DateTimePicker(firstDay, row);
        picker->setObjectName(name + QStringLiteral("Picker"));
        picker->setDateTime(initial);
        picker->setEnabled(false);
        layout->addWidget(check);
        layout->addWidget(picker, 1);
        connect(check, &QCheckBox::toggled, picker, &QWidget::setEnabled);
        return row;
    };
    const QDateTime now = Clock::nowLocal();
    form->addRow(tr("&Starts"), dateRow(m_startCheck, m_startPicker, tr("Set start date"),
                                        QStringLiteral("start"), now));
    form->addRow(tr("&Due"), dateRow(m_dueCheck, m_duePicker, tr("Set due date"),
                                     QStringLiteral("due"), now.addDays(1)));

    m_repeatButton = new QPushButton(tr("Does not repeat"), this);
    m_repeatButton->setObjectName(QStringLiteral("repeatButton"));
    m_repeatButton->setStyleSheet(QStringLiteral("text-align: left; padding-left: 8px;"));
    connect(m_repeatButton, &QPushButton::clicked, this, &TaskFormDialog::editRecurrence);
    form->addRow(tr("&Repeat"), m_repeatButton);

    m_repeatModeCombo = new QComboBox(this);
    m_repeatModeCombo->setObjectName(QStringLiteral("repeatModeCombo"));
    m_repeatModeCombo->addItem(tr("Due date"), QStringLiteral("fromDueDate"));
    m_repeatModeCombo->addItem(tr("Completion date"), QStringLiteral("fromCompletionDate"));
    m_repeatModeCombo->setToolTip(tr("Due date: next due = current due + interval.\n"
                                     "Completion date: next due = today + interval."));
    m_repeatModeCombo->setEnabled(false);
    connect(m_repeatModeCombo, &QComboBox::currentIndexChanged, this,
            [this] { m_repeatMode = m_repeatModeCombo->currentData().toString(); });
    form->addRow(tr("Repeats &from"), m_repeatModeCombo);

    m_priorityCombo = new QComboBox(this);
    m_priorityCombo->setObjectName(QStringLiteral("priorityCombo"));
    m_priorityCombo->addItem(tr("— None"), 0);
    m_priorityCombo->addItem(tr("● High"), 1);
    m_priorityCombo->addItem(tr("● Medium"), 5);
    m_priorityCombo->addItem(tr("● Low"), 9);
    form->addRow(tr("&Priority"), m_priorityCombo);

    m_completedCheck = new QCheckBox(tr("Completed"), this);
    m_completedCheck->setObjectName(QStringLiteral("completedCheck"));
    form->addRow(QString(), m_completedCheck);

    m_categoriesEdit = new QLineEdit(this);
    m_categories = new LongTextField(m_categoriesEdit);
    m_categoriesEdit->setObjectName(QStringLiteral("categoriesEdit"));
    m_categoriesEdit->setPlaceholderText(tr("e.g. Personal, Health, Errands"));
    form->addRow(tr("&Categories"), m_categoriesEdit);

    m_notesEdit = new QPlainTextEdit(this);
    m_notes = new LongTextField(m_notesEdit);
    m_notesEdit->setObjectName(QStringLiteral("notesEdit"));
    m_notesEdit->setPlaceholderText(tr("Steps, links, context…"));
    m_notesEdit->setMinimumHeight(110);
    m_notesEdit->setMaximumHeight(160);
    form->addRow(tr("&Notes"), m_notesEdit);
    outer->addLayout(form);

    outer->addStretch();
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Plain);
    line->setStyleSheet(QStringLiteral("color: %1;").arg(Theme::border().name()));
    outer->addWidget(line);

    // Beside the buttons, so that it is in sight however far the form is scrolled.
    m_storeWaitNote = new StoreWaitNote(
        m_appState, tr("An import is being written; the task is saved when it ends."), this);
    m_storeWaitNote->setProperty("muted", true);
    connect(this, &QDialog::rejected, m_storeWaitNote, &StoreWaitNote::cancel);
    outer->addWidget(m_storeWaitNote);

    m_buttonBox = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_buttonBox->button(QDialogButtonBox::Ok)
        ->setText(editing ? tr("Save changes") : tr("Create task"));
    m_buttonBox->button(QDialogButtonBox::Cancel)->setText(tr("Cancel"));
    connect(m_buttonBox, &QDialogButtonBox::accepted, this, &TaskFormDialog::save);
    connect(m_buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    outer->addWidget(m_buttonBox);
    FormScrollArea::wrap(this, line);

    resize(560, sizeHint().height());
    m_titleEdit->setFocus();
}

void TaskFormDialog::loadCalendars(const QString& ownCalendarId)
{
    if (!m_appState || !m_appState->calendars())
        return;
    m_calendarCombo->clear();
    const QList<Account> accounts =
        m_appState->accounts() ? m_appState->accounts()->getAll() : QList<Account>();
    const QList<EventFormRules::CalendarOption> options =
        EventFormRules::calendarOptions(m_appState->calendars()->getAll(), accounts, ownCalendarId);
    for (const EventFormRules::CalendarOption& option : options)
        m_calendarCombo->addItem(Theme::calendarColorIcon(option.color), option.label, option.id);
    const int selected = EventFormRules::preselectedIndex(options, QString());
    if (selected >= 0)
        m_calendarCombo->setCurrentIndex(selected);
}

void TaskFormDialog::populate(const Task& task)
{
    // Read-only first: a field that shows a long text in part keeps the state it finds.
    if (calendarIsReadOnly(task.calendarId)) {
        makeReadOnly(tr("This task belongs to a read-only calendar. It can be viewed but not "
                        "changed."));
    } else if (!task.parentTaskUid.isEmpty()) {
        m_calendarCombo->setEnabled(false);
        m_calendarCombo->setToolTip(tr("Subtasks stay in their parent task's calendar."));
    }
    m_title->setText(task.title);
    setCalendarId(task.calendarId);
    showMoment(m_dueCheck, m_duePicker, task.dueDate, task.dueIsDateOnly);
    showMoment(m_startCheck, m_startPicker, task.startDate, task.startIsDateOnly);
    m_ruleText = task.recurrenceRule;
    m_repeatMode = task.repeatMode.isEmpty() ? QStringLiteral("fromDueDate") : task.repeatMode;
    updateRepeatButton();
    m_categories->setText(task.categories.join(QStringLiteral(", ")));
    const int choice = m_priorityCombo->findData(TaskFormRules::priorityChoice(task.priority));
    if (choice >= 0)
        m_priorityCombo->setCurrentIndex(choice);
    m_completedCheck->setChecked(task.isCompleted());
    m_notes->setText(task.description);
}

void TaskFormDialog::setParentTask(const Task& parent)
{
    m_parentUid = parent.uid;
    m_parentCalendarId = parent.calendarId;
    // A hidden parent calendar is still the subtask's place.
    if (m_calendarCombo->findData(parent.calendarId) < 0)
        loadCalendars(parent.calendarId);
    setCalendarId(parent.calendarId);
    m_calendarCombo->setEnabled(false);
    m_calendarCombo->setToolTip(tr("Subtasks stay in their parent task's calendar."));
    if (calendarIsReadOnly(parent.calendarId))
        makeReadOnly(tr("The parent task belongs to a read-only calendar, so it cannot get "
                        "subtasks."));
}

void TaskFormDialog::setCalendarId(const QString& calendarId)
{
    const int index = m_calendarCombo->findData(calendarId, Qt::UserRole, Qt::MatchExactly);
    if (index >= 0)
        m_calendarCombo->setCurrentIndex(index);
}

bool TaskFormDialog::calendarIsReadOnly(const QString& calendarId) const
{
    if (!m_appState || !m_appState->calendars() || calendarId.isEmpty())
        return false;
    const std::optional<Calendar> calendar = m_appState->calendars()->getById(calendarId);
    return calendar && calendar->isReadOnly;
}

bool TaskFormDialog::parentIsLive(const QString& uid, const QString& calendarId) const
{
    if (!m_appState || !m_appState->tasks())
        return false;
    const std::optional<Task> parent = m_appState->tasks()->getByUid(uid, calendarId);
    return parent && !parent->deletedAt;
}

void TaskFormDialog::makeReadOnly(const QString& reason)
{
    m_readOnly = true;
    m_subtitle->setText(reason);
    for (QWidget* field : std::initializer_list<QWidget*>{
             m_calendarCombo, m_startCheck, m_startPicker, m_dueCheck, m_duePicker, m_repeatButton,
             m_repeatModeCombo, m_priorityCombo, m_completedCheck})
        field->setEnabled(false);
    m_titleEdit->setReadOnly(true);
    m_categoriesEdit->setReadOnly(true);
    m_notesEdit->setReadOnly(true);
    m_buttonBox->button(QDialogButtonBox::Ok)->setEnabled(false);
}

void TaskFormDialog::updateRepeatButton()
{
    m_repeatButton->setText(m_ruleText.isEmpty() ? tr("Does not repeat")
                                                 : RruleFormat::describe(m_ruleText));
    m_repeatModeCombo->setEnabled(!m_ruleText.isEmpty() && !m_readOnly);
    const int index = m_repeatModeCombo->findData(m_repeatMode);
    if (index >= 0)
        m_repeatModeCombo->setCurrentIndex(index);
}

void TaskFormDialog::editRecurrence()
{
    QDate anchor = Clock::nowLocal().date();
    if (m_dueCheck->isChecked())
        anchor = m_duePicker->date();
    else if (m_startCheck->isChecked())
        anchor = m_startPicker->date();
    RecurrenceEditDialog dialog(m_ruleText, anchor, m_appState ? m_appState->firstDayOfWeek() : 1,
                                this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_ruleText = dialog.rrule();
    updateRepeatButton();
}

Task TaskFormDialog::formValues() const
{
    const bool editing = m_editedTask && !m_editedTask->id.isEmpty();
    // The completed box and the priority are read against the row the form opened with.
    Task values = m_editedTask ? *m_editedTask : Task();
    // A stored text the user did not edit goes back as it came, every character of it.
    values.title = keptOrTrimmed(m_title->text(), m_editedTask ? m_editedTask->title : QString());
    values.calendarId = m_parentUid.isEmpty() || editing ? m_calendarCombo->currentData().toString()
                                                         : m_parentCalendarId;
    values.description = m_notes->text();
    values.priority = TaskFormRules::priorityToSave(m_editedTask ? m_editedTask->priority : 0,
                                                    m_priorityCombo->currentData().toInt());
    values.dueDate = pickedMoment(m_dueCheck, m_duePicker);
    values.startDate = pickedMoment(m_startCheck, m_startPicker);
    values.dueIsDateOnly = m_dueCheck->isChecked() && m_duePicker->isAllDay();
    values.startIsDateOnly = m_startCheck->isChecked() && m_startPicker->isAllDay();
    values.recurrenceRule = m_ruleText;
    values.repeatMode = m_repeatMode.isEmpty() ? QStringLiteral("fromDueDate") : m_repeatMode;
    const QString categories = m_categories->text();
    // Untouched, the categories stay as they were, a comma inside one included.
    if (!m_editedTask || categories != m_editedTask->categories.join(QStringLiteral(", "))) {
        values.categories.clear();
        for (const QString& piece : categories.split(QLatin1Char(','))) {
            const QString category = piece.trimmed();
            if (!category.isEmpty())
                values.categories.append(category);
        }
    }
    TaskFormRules::applyCompleted(values, m_completedCheck->isChecked(), Clock::now());
    return values;
}

void TaskFormDialog::save()
{
    if (m_readOnly)
        return;
    const Task edited = formValues();
    if (edited.title.trimmed().isEmpty()) {
        QMessageBox::warning(this, tr("Title required"), tr("Please enter a title for the task."),
                             QMessageBox::Ok);
        m_titleEdit->setFocus();
        return;
    }
    if (m_calendarCombo->count() == 0) {
        QMessageBox::warning(this, tr("No calendars"), tr("Create a calendar first."),
                             QMessageBox::Ok);
        return;
    }
    if (TaskFormRules::startAfterDue(edited.startDate, edited.startIsDateOnly, edited.dueDate,
                                     edited.dueIsDateOnly)) {
        QMessageBox::warning(this, tr("Start after due date"),
                             tr("The start date is later than the due date."), QMessageBox::Ok);
        m_startPicker->setFocus();
        return;
    }
    if (!m_appState || !m_appState->tasks())
        return;
    if (m_appState->isStoreHeld()) {
        m_storeWaitNote->saveWhenFree(m_buttonBox->button(QDialogButtonBox::Ok),
                                      [this] { save(); });
        return;
    }

    TaskRepository* tasks = m_appState->tasks();
    const bool editing = m_editedTask && !m_editedTask->id.isEmpty();
    // The stored row, not the copy taken when the form opened: a sync may have given it an href
    // and ETag meanwhile, or changed fields the user left alone, and a row removed meanwhile must
    // not come back.
    std::optional<Task> stored;
    if (editing) {
        stored = tasks->getById(m_editedTask->id);
        if (!stored || stored->deletedAt) {
            QMessageBox::warning(this, tr("Task removed"),
                                 tr("This task was deleted meanwhile, so it cannot be saved."),
                                 QMessageBox::Ok);
            reject();
            return;
        }
    }
    // A subtask would name a parent the server no longer has. An edited subtask whose parent
    // was already gone when the form opened stays editable: it is listed at the top level.
    const bool parentGone =
        editing ? m_openedUnderLiveParent && !stored->parentTaskUid.isEmpty() &&
                      !parentIsLive(stored->parentTaskUid, stored->calendarId)
                : !m_parentUid.isEmpty() && !parentIsLive(m_parentUid, m_parentCalendarId);
    if (parentGone) {
        QMessageBox::warning(this, tr("Task removed"),
                             tr("The parent task was deleted meanwhile, so the subtask "
                                "cannot be saved."),
                             QMessageBox::Ok);
        return;
    }

    const QDateTime now = Clock::now();
    Task task = edited;
    QList<FormMerge::Field> replaced;
    if (editing) {
        const FormMerge::Merged<Task> merged =
            FormMerge::task(*m_editedTask, m_shown, *stored, edited);
        task = merged.record;
        replaced = merged.replaced;
        task.sequence = PushCopy::nextSequence(task.sequence);
    } else {
        task.id = newId();
        task.uid = task.id;
        task.created = now;
        task.sequence = 0;
        if (!m_parentUid.isEmpty())
            task.parentTaskUid = m_parentUid;
    }
    task.lastModified = now;
    task.syncStatus = QStringLiteral("pending");

    m_moveRefused = false;
    if (!write(task, stored)) {
        if (m_moveRefused) {
            QMessageBox::warning(this, tr("Cannot move task"),
                                 tr("The chosen calendar already holds this task or one of its "
                                    "subtasks."),
                                 QMessageBox::Ok);
            return;
        }
        QMessageBox::critical(this, tr("Database Error"), saveFailureText(m_appState),
                              QMessageBox::Ok);
        return;
    }
    ChangedElsewhere::tell(this, replaced);
    accept();
}

bool TaskFormDialog::write(Task task, const std::optional<Task>& stored)
{
    TaskRepository* tasks = m_appState->tasks();
    if (!stored) {
        task.rawIcalendar = Ical::buildTask(task);
        return tasks->insert(task);
    }
    if (task.calendarId != stored->calendarId) {
        const TaskMove::Plan plan = TaskMove::move(
            task, *stored, tasks->getByCalendar(stored->calendarId),
            tasks->getByCalendar(task.calendarId) + tasks->getPending(task.calendarId),
            Clock::now(), newId);
        if (plan.refused) {
            m_moveRefused = true;
            return false;
        }
        return TaskCalendarMove::carryOut(m_appState, plan);
    }
    task.rawIcalendar = Ical::buildTask(task);
    return tasks->update(task);
}

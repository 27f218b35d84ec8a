#include "TemplateEditorDialog.h"

#include "AppState.h"
#include "CalendarRepository.h"
#include "Clock.h"
#include "Defaults.h"
#include "FormScrollArea.h"
#include "FormMerge.h"
#include "LongTextField.h"
#include "RecurrenceEditDialog.h"
#include "RruleFormat.h"
#include "ScrollingRows.h"
#include "TemplateRepository.h"
#include "TemplateRules.h"
#include "Theme.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <QUuid>
#include <QVBoxLayout>

namespace {

// Reminder rows shown at once; more scroll. A template from another device may carry thousands.
constexpr int shownReminderRows = 5;

// Link-like: without the border and fill the application style gives push buttons.
QString linkStyle()
{
    return QStringLiteral(
               "QPushButton { color: %1; text-align: left; padding: 4px 0; border: none; "
               "background: transparent; }")
        .arg(Theme::accent().name());
}

// What a field gives to save: the stored text as it was when the field still holds it, else the
// typed text without the blanks around it.
QString keptOrTrimmed(const QString& text, const QString& stored)
{
    return text == stored ? text : text.trimmed();
}

} // namespace

TemplateEditorDialog::TemplateEditorDialog(AppState* appState, const EventTemplate& tmpl,
                                           QWidget* parent)
    : QDialog(parent), m_appState(appState), m_tmpl(tmpl), m_opened(tmpl)
{
    setWindowTitle(m_tmpl.id.isEmpty() ? tr("New Template") : tr("Edit Template"));
    setModal(true);
    resize(560, 620);
    buildUi();
    m_shown = formValues();
}

void TemplateEditorDialog::buildUi()
{
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(16, 16, 16, 16);
    outer->setSpacing(12);

    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight);
    form->setHorizontalSpacing(12);
    form->setVerticalSpacing(8);

    // Templates arrive from other devices: each text is kept whole, and a very long one is
    // shown in part until its field is clicked.
    m_nameEdit = new QLineEdit(this);
    m_name = new LongTextField(m_nameEdit);
    m_name->setText(m_tmpl.name);
    m_nameEdit->setPlaceholderText(tr("e.g., Standup, Doctor visit"));
    form->addRow(tr("Template name"), m_nameEdit);
    m_titleEdit = new QLineEdit(this);
    m_title = new LongTextField(m_titleEdit);
    m_title->setText(m_tmpl.title);
    m_titleEdit->setPlaceholderText(tr("Event title shown on the calendar"));
    form->addRow(tr("Event title"), m_titleEdit);
    m_descriptionEdit = new QPlainTextEdit(this);
    m_description = new LongTextField(m_descriptionEdit);
    m_description->setText(m_tmpl.description);
    m_descriptionEdit->setFixedHeight(72);
    form->addRow(tr("Description"), m_descriptionEdit);
    m_locationEdit = new QLineEdit(this);
    m_location = new LongTextField(m_locationEdit);
    m_location->setText(m_tmpl.location);
    m_locationEdit->setPlaceholderText(tr("Optional location"));
    form->addRow(tr("Location"), m_locationEdit);

    auto* colorRow = new QHBoxLayout;
    colorRow->setSpacing(8);
    m_colorSwatch = new QToolButton(this);
    m_colorSwatch->setFixedSize(28, 28);
    m_colorSwatch->setCursor(Qt::PointingHandCursor);
    connect(m_colorSwatch, &QToolButton::clicked, this, &TemplateEditorDialog::chooseColor);
    m_useCalendarColorButton = new QPushButton(tr("Use calendar color"), this);
    m_useCalendarColorButton->setFlat(true);
    m_useCalendarColorButton->setCursor(Qt::PointingHandCursor);
    m_useCalendarColorButton->setStyleSheet(linkStyle());
    connect(m_useCalendarColorButton, &QPushButton::clicked, this,
            &TemplateEditorDialog::useCalendarColor);
    colorRow->addWidget(m_colorSwatch);
    colorRow->addWidget(m_useCalendarColorButton);
    colorRow->addStretch();
    form->addRow(tr("Color"), colorRow);

    m_calendarCombo = new QComboBox(this);
    m_calendarCombo->addItem(tr("(use default)"), QString());
    if (m_appState) {
        for (const Calendar& calendar : m_appState->calendars()->getAll()) {
            if (calendar.isReadOnly)
                continue;
            m_calendarCombo->addItem(Theme::calendarColorIcon(calendar.color), calendar.name,
                                     calendar.id);
        }
    }
    const int calendarIndex = m_calendarCombo->findData(m_tmpl.calendarId);
    m_calendarCombo->setCurrentIndex(calendarIndex < 0 ? 0 : calendarIndex);
    form->addRow(tr("Calendar"), m_calendarCombo);

    m_allDayCheck = new QCheckBox(tr("All-day event"), this);
    m_allDayCheck->setChecked(m_tmpl.isAllDay);
    form->addRow(QString(), m_allDayCheck);

    auto* durationRow = new QHBoxLayout;
    durationRow->setSpacing(8);
    m_hoursSpin = new QSpinBox(this);
    m_hoursSpin->setRange(0, 24);
    m_hoursSpin->setSuffix(tr("h"));
    m_minutesSpin = new QSpinBox(this);
    m_minutesSpin->setRange(0, 59);
    m_minutesSpin->setSingleStep(5);
    m_minutesSpin->setSuffix(tr("m"));
    const TemplateRules::Duration duration = TemplateRules::durationParts(m_tmpl.durationMinutes);
    m_hoursSpin->setValue(duration.hours);
    m_minutesSpin->setValue(duration.minutes);
    durationRow->addWidget(m_hoursSpin);
    durationRow->addWidget(m_minutesSpin);
    durationRow->addStretch();
    form->addRow(tr("Default duration"), durationRow);

    m_recurrenceButton = new QPushButton(this);
    m_recurrenceButton->setCursor(Qt::PointingHandCursor);
    connect(m_recurrenceButton, &QPushButton::clicked, this, &TemplateEditorDialog::editRecurrence);
    form->addRow(tr("Recurrence"), m_recurrenceButton);
    outer->addLayout(form);

    auto* reminders = new QGroupBox(tr("Reminders"), this);
    auto* remindersLayout = new QVBoxLayout(reminders);
    remindersLayout->setContentsMargins(12, 12, 12, 12);
    remindersLayout->setSpacing(8);
    m_noReminders = new QLabel(tr("No reminders"), reminders);
    m_noReminders->setStyleSheet(QStringLiteral("color: %1;").arg(Theme::textMuted().name()));
    remindersLayout->addWidget(m_noReminders);
    m_reminderRows = new ScrollingRows(
        shownReminderRows, 4,
        [this](int index, QWidget* area) { return buildReminderRow(index, area); }, reminders);
    remindersLayout->addWidget(m_reminderRows);
    m_addReminderButton = new QPushButton(tr("+ Add reminder"), reminders);
    m_addReminderButton->setFlat(true);
    m_addReminderButton->setCursor(Qt::PointingHandCursor);
    m_addReminderButton->setStyleSheet(linkStyle());
    connect(m_addReminderButton, &QPushButton::clicked, this, &TemplateEditorDialog::addReminder);
    remindersLayout->addWidget(m_addReminderButton, 0, Qt::AlignLeft);
    outer->addWidget(reminders);
    rebuildReminderRows();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &TemplateEditorDialog::validateAndAccept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    outer->addWidget(buttons);
    // Reminders make the editor taller than a laptop's screen.
    FormScrollArea::wrap(this, buttons);

    refreshColorSwatch();
    refreshRecurrenceText();
}

void TemplateEditorDialog::rebuildReminderRows()
{
    m_noReminders->setVisible(m_tmpl.reminders.isEmpty());
    m_reminderRows->reset(int(m_tmpl.reminders.size()));
}

QWidget* TemplateEditorDialog::buildReminderRow(int i, QWidget* parent)
{
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* combo = new QComboBox(row);
    for (const int minutes : TemplateRules::reminderPresets())
        combo->addItem(TemplateRules::reminderLabel(minutes), minutes);
    const int value = m_tmpl.reminders.at(i);
    int index = combo->findData(value);
    if (index < 0) {
        combo->insertItem(0, TemplateRules::reminderLabel(value), value);
        index = 0;
    }
    combo->setCurrentIndex(index);
    connect(combo, &QComboBox::currentIndexChanged, this, [this, combo, i] {
        if (i < m_tmpl.reminders.size())
            m_tmpl.reminders[i] = combo->currentData().toInt();
    });
    layout->addWidget(combo, 1);
    auto* remove = new QToolButton(row);
    remove->setText(QString(QChar(0x00D7)));
    remove->setCursor(Qt::PointingHandCursor);
    remove->setToolTip(tr("Remove reminder"));
    remove->setAutoRaise(true);
    connect(remove, &QToolButton::clicked, this, [this, i] {
        if (i < m_tmpl.reminders.size()) {
            m_tmpl.reminders.removeAt(i);
            rebuildReminderRows();
        }
    });
    layout->addWidget(remove);
    return row;
}

void TemplateEditorDialog::addReminder()
{
    m_tmpl.reminders.append(15);
    m_noReminders->hide();
    m_reminderRows->append();
    m_reminderRows->scrollToEnd();
}

void TemplateEditorDialog::chooseColor()
{
    const QColor chosen = QColorDialog::getColor(
        QColor(m_tmpl.color.isEmpty() ? QString(Defaults::itemColour) : m_tmpl.color), this,
        tr("Template color"));
    if (!chosen.isValid())
        return;
    m_tmpl.color = chosen.name();
    refreshColorSwatch();
}

void TemplateEditorDialog::useCalendarColor()
{
    m_tmpl.color.clear();
    refreshColorSwatch();
}

void TemplateEditorDialog::refreshColorSwatch()
{
    const QString fill = m_tmpl.color.isEmpty() ? QStringLiteral("#cccccc") : m_tmpl.color;
    m_colorSwatch->setStyleSheet(
        QStringLiteral("QToolButton { background: %1; border: 1px solid %2; border-radius: 14px; }")
            .arg(fill, Theme::border().name()));
    m_colorSwatch->setToolTip(m_tmpl.color.isEmpty()
                                  ? tr("Inherits the calendar's color. Click to override.")
                                  : tr("%1, click to change.").arg(m_tmpl.color));
    m_useCalendarColorButton->setVisible(!m_tmpl.color.isEmpty());
}

void TemplateEditorDialog::editRecurrence()
{
    RecurrenceEditDialog dialog(m_tmpl.recurrenceRule, Clock::today(),
                                m_appState ? m_appState->firstDayOfWeek() : Qt::Monday, this);
    // An all-day series ends on a date, a timed one at an instant.
    dialog.setSeriesAllDay(m_allDayCheck->isChecked());
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_tmpl.recurrenceRule = dialog.rrule();
    refreshRecurrenceText();
}

void TemplateEditorDialog::refreshRecurrenceText()
{
    m_recurrenceButton->setText(m_tmpl.recurrenceRule.isEmpty()
                                    ? tr("Does not repeat")
                                    : RruleFormat::describe(m_tmpl.recurrenceRule));
}

EventTemplate TemplateEditorDialog::formValues() const
{
    // The colour, the rule and the reminders are kept in the copy as the user changes them.
    EventTemplate values = m_tmpl;
    // A stored text the user did not edit goes back as it came, every character of it.
    values.name = keptOrTrimmed(m_name->text(), m_opened.name);
    values.title = keptOrTrimmed(m_title->text(), m_opened.title);
    values.description = keptOrTrimmed(m_description->text(), m_opened.description);
    values.location = keptOrTrimmed(m_location->text(), m_opened.location);
    values.calendarId = m_calendarCombo->currentData().toString();
    values.isAllDay = m_allDayCheck->isChecked();
    values.durationMinutes =
        TemplateRules::savedDuration(m_hoursSpin->value(), m_minutesSpin->value());
    return values;
}

void TemplateEditorDialog::validateAndAccept()
{
    const EventTemplate edited = formValues();
    if (edited.name.trimmed().isEmpty()) {
        QMessageBox::warning(this, tr("Missing name"),
                             tr("Give this template a name so you can pick it later."),
                             QMessageBox::Ok);
        m_nameEdit->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (edited.title.trimmed().isEmpty()) {
        QMessageBox::warning(
            this, tr("Missing event title"),
            tr("Set the event title. That's what events created from this template will be "
               "called."),
            QMessageBox::Ok);
        m_titleEdit->setFocus(Qt::OtherFocusReason);
        return;
    }
    const QDateTime now = Clock::now();
    m_tmpl = edited;
    m_replaced.clear();
    // The template as stored now: the configuration sync may have changed it while the form was
    // open, and a field the user left alone keeps that change.
    const std::optional<EventTemplate> stored =
        m_opened.id.isEmpty() || !m_appState || !m_appState->templates()
            ? std::nullopt
            : m_appState->templates()->getById(m_opened.id);
    if (stored) {
        const FormMerge::Merged<EventTemplate> merged =
            FormMerge::eventTemplate(m_opened, m_shown, *stored, edited);
        m_tmpl = merged.record;
        m_replaced = merged.replaced;
    }
    if (m_tmpl.id.isEmpty()) {
        m_tmpl.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
        m_tmpl.createdAt = now;
    }
    m_tmpl.updatedAt = now;
    accept();
}

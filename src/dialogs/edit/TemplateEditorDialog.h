#pragma once

#include "EventTemplate.h"
#include "FormMerge.h"

#include <QDialog>

class AppState;
class LongTextField;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QToolButton;
class ScrollingRows;

// Edits a copy of one event template: name, title, description, location, colour, calendar,
// all-day flag, duration, repeat rule and reminders. Writes nothing itself: after acceptance the
// opener takes eventTemplate() and stores it. A new template gets its id and creation time when
// it is accepted. A stored template is accepted as stored then with the user's changes, so that
// what the configuration sync changed in the fields the user left alone stays (FormMerge).
class TemplateEditorDialog : public QDialog
{
    Q_OBJECT

public:
    // `appState` is not owned and must outlive the dialog. An empty id means a new template.
    TemplateEditorDialog(AppState* appState, const EventTemplate& tmpl, QWidget* parent = nullptr);

    // The edited template; meaningful after the dialog was accepted.
    EventTemplate eventTemplate() const { return m_tmpl; }
    // The fields whose change made elsewhere the accepted template's values replaced, for the
    // opener to tell once it has stored it (ChangedElsewhere).
    QList<FormMerge::Field> replacedFields() const { return m_replaced; }

private:
    void buildUi();
    void chooseColor();
    void useCalendarColor();
    void editRecurrence();
    void addReminder();
    void rebuildReminderRows();
    QWidget* buildReminderRow(int index, QWidget* parent);
    void refreshColorSwatch();
    void refreshRecurrenceText();
    // What the form's fields hold, in the record's terms (FormMerge).
    EventTemplate formValues() const;
    void validateAndAccept();

    AppState* m_appState;
    EventTemplate m_tmpl;
    // The template as the form opened it, and formValues() then.
    EventTemplate m_opened;
    EventTemplate m_shown;
    QList<FormMerge::Field> m_replaced;

    QLineEdit* m_nameEdit = nullptr;
    LongTextField* m_name = nullptr;
    QLineEdit* m_titleEdit = nullptr;
    LongTextField* m_title = nullptr;
    QPlainTextEdit* m_descriptionEdit = nullptr;
    LongTextField* m_description = nullptr;
    QLineEdit* m_locationEdit = nullptr;
    LongTextField* m_location = nullptr;
    QToolButton* m_colorSwatch = nullptr;
    QPushButton* m_useCalendarColorButton = nullptr;
    QCheckBox* m_allDayCheck = nullptr;
    QSpinBox* m_hoursSpin = nullptr;
    QSpinBox* m_minutesSpin = nullptr;
    QPushButton* m_recurrenceButton = nullptr;
    QComboBox* m_calendarCombo = nullptr;
    ScrollingRows* m_reminderRows = nullptr;
    QLabel* m_noReminders = nullptr;
    QPushButton* m_addReminderButton = nullptr;
};

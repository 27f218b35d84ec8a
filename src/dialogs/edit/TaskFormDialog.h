#pragma once

#include "Task.h"

#include <QDialog>
#include <QString>

#include <optional>

class AppState;
class DateTimePicker;
class LongTextField;
class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class StoreWaitNote;

// Creates one task or edits one stored task: title, calendar, start and due date, repeat rule and
// what its next occurrence counts from, priority, completed, categories and notes. Saving writes
// the task, pending, through the task repository and accepts only on success; failed checks leave
// the dialog open with everything as typed. Choosing another calendar moves the task and its
// subtasks there (TaskMove). A task of a read-only calendar opens for viewing only. Save writes
// each field the user left alone as it is stored then, and says which changes made elsewhere the
// user's values replaced (FormMerge). Both constructors first announce the form (FormOpening),
// which closes an open details card.
class TaskFormDialog : public QDialog
{
    Q_OBJECT

public:
    // The edit form. `appState` is not owned and must outlive the dialog.
    TaskFormDialog(AppState* appState, const Task& task, QWidget* parent = nullptr);
    // The new-task form.
    explicit TaskFormDialog(AppState* appState, QWidget* parent = nullptr);

    // The new task becomes a subtask of `parent`: it is saved into the parent's calendar, which
    // cannot be changed. A parent in a read-only calendar gets no subtask: the form only shows.
    void setParentTask(const Task& parent);
    // Selects the calendar with this id when it is offered; otherwise the selection stays.
    void setCalendarId(const QString& calendarId);

private:
    void buildUi();
    // The visible writable calendars and `ownCalendarId`'s, the first default one selected.
    void loadCalendars(const QString& ownCalendarId);
    void populate(const Task& task);
    void updateRepeatButton();
    void editRecurrence();
    void makeReadOnly(const QString& reason);
    bool calendarIsReadOnly(const QString& calendarId) const;
    // Whether a live task of that calendar has that uid.
    bool parentIsLive(const QString& uid, const QString& calendarId) const;
    // What the form's fields hold, in the record's terms (FormMerge).
    Task formValues() const;
    void save();
    bool write(Task task, const std::optional<Task>& stored);

    AppState* m_appState = nullptr;
    std::optional<Task> m_editedTask;
    // formValues() when the edit form opened: a field the user changed differs from it.
    Task m_shown;
    QString m_parentUid;
    QString m_parentCalendarId;
    QString m_ruleText;
    QString m_repeatMode = QStringLiteral("fromDueDate");
    bool m_readOnly = false;
    bool m_moveRefused = false;
    // The edited task was a subtask of a live task when the form opened.
    bool m_openedUnderLiveParent = false;

    QLabel* m_subtitle = nullptr;
    QLineEdit* m_titleEdit = nullptr;
    LongTextField* m_title = nullptr;
    QComboBox* m_calendarCombo = nullptr;
    QCheckBox* m_startCheck = nullptr;
    DateTimePicker* m_startPicker = nullptr;
    QCheckBox* m_dueCheck = nullptr;
    DateTimePicker* m_duePicker = nullptr;
    QPushButton* m_repeatButton = nullptr;
    QComboBox* m_repeatModeCombo = nullptr;
    QComboBox* m_priorityCombo = nullptr;
    QCheckBox* m_completedCheck = nullptr;
    QLineEdit* m_categoriesEdit = nullptr;
    LongTextField* m_categories = nullptr;
    QPlainTextEdit* m_notesEdit = nullptr;
    LongTextField* m_notes = nullptr;
    StoreWaitNote* m_storeWaitNote = nullptr;
    QDialogButtonBox* m_buttonBox = nullptr;
};

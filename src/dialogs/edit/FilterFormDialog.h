#pragma once

#include "Event.h"
#include "FilterRule.h"

#include <QDialog>
#include <QHash>
#include <QString>

#include <optional>

class AppState;
class FormScrollArea;
class LongTextField;
class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QStackedWidget;
class QTimeEdit;
class QTimer;

// Creates or edits one filter rule: its kind (title phrases, start times and weekdays, one
// specific event, all-day events), the action (hide, or dim with optional reminder suppression),
// the enabled switch and the calendars it is limited to. A preview line counts what the rule
// would hide or dim in the next 30 days; it is recomputed once typing pauses. Saving writes the
// rule, pending, through the filter rule repository and accepts only on success; an edit writes
// over the rule as stored then, keeping what the configuration sync changed in the fields the user
// left alone (FormMerge), and a rule removed meanwhile is reported, not written again.
class FilterFormDialog : public QDialog
{
    Q_OBJECT

public:
    // The edit form. `appState` is not owned and must outlive the dialog.
    FilterFormDialog(AppState* appState, const FilterRule& rule, QWidget* parent = nullptr);
    // The add form, on the pattern kind.
    explicit FilterFormDialog(AppState* appState, QWidget* parent = nullptr);
    ~FilterFormDialog() override;

    // Turns the form into a rule for this event's series; an event without a uid changes nothing.
    void setSpecificEvent(const Event& event);

    // Milliseconds the preview waits after the last change.
    static constexpr int previewDelayMs = 250;

private:
    void buildUi();
    void buildKindSelector(QWidget* section);
    void buildKindPages();
    void buildCalendarList(QWidget* section);
    void setKind(const QString& key);
    void loadRule();
    QString currentAction() const;
    // What the form's fields say, then that with what the form does not edit kept.
    QString formConditionsText() const;
    QString conditionsText() const;
    QString calendarIdsText() const;
    FilterRule previewRule() const;
    // What the form's fields hold, in the record's terms (FormMerge).
    FilterRule formValues() const;
    void schedulePreview();
    void refreshPreview();
    void save();
    void updateSuppressRemindersVisibility();

    AppState* m_appState;
    std::optional<FilterRule> m_editedRule;

    QLineEdit* m_nameEdit = nullptr;
    LongTextField* m_name = nullptr;
    // formValues() when the edit form opened: a field the user changed differs from it.
    FilterRule m_shown;
    QButtonGroup* m_kindGroup = nullptr;
    QHash<QString, QAbstractButton*> m_kindButtons;
    QLabel* m_kindDescriptionLabel = nullptr;
    QStackedWidget* m_pageStack = nullptr;
    QHash<QString, int> m_pageIndexByKind;
    QString m_currentKind;

    QLineEdit* m_titleContainsEdit = nullptr;
    QCheckBox* m_caseSensitiveCheck = nullptr;
    QCheckBox* m_exactTimeCheck = nullptr;
    QTimeEdit* m_exactTimeEdit = nullptr;
    QCheckBox* m_rangeCheck = nullptr;
    QTimeEdit* m_rangeStartEdit = nullptr;
    QTimeEdit* m_rangeEndEdit = nullptr;
    QHash<QString, QAbstractButton*> m_dayButtons;
    QCheckBox* m_recurringOnlyCheck = nullptr;
    QCheckBox* m_allDayRecurringOnlyCheck = nullptr;

    QString m_specificEventUid;
    QString m_specificEventCalendarId;
    QLabel* m_specificEventLabel = nullptr;

    QListWidget* m_calendarList = nullptr;
    QWidget* m_calendarSection = nullptr;
    QComboBox* m_actionCombo = nullptr;
    QCheckBox* m_suppressRemindersCheck = nullptr;
    QCheckBox* m_enabledCheck = nullptr;
    QLabel* m_previewLabel = nullptr;
    QTimer* m_previewTimer = nullptr;
    FormScrollArea* m_fields = nullptr;
};

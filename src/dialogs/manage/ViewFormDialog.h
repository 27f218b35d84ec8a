#pragma once

#include "CalendarView.h"
#include "Defaults.h"

#include <QDialog>
#include <QString>
#include <QStringList>

#include <optional>

class AppState;
class LongTextField;
class QLabel;
class QLineEdit;
class QListWidget;
class QToolButton;

// Creates a calendar group or edits one: its name, colour and calendars. Saves by itself on OK;
// the group repository's viewsChanged follows. Calendars named by the group but not listed
// (deleted, or of a removed account) stay in the group, so editing never widens it to every
// calendar. No calendar ticked means every visible calendar. An edit writes over the group as
// stored when it is saved, keeping what the configuration sync changed in the fields the user
// left alone (FormMerge); a name is kept whole however long.
class ViewFormDialog : public QDialog
{
    Q_OBJECT

public:
    // A new group.
    explicit ViewFormDialog(AppState* state, QWidget* parent = nullptr);
    // An existing group.
    ViewFormDialog(AppState* state, const CalendarView& view, QWidget* parent = nullptr);

    // The id of the group saved by an accepted exec(); empty when nothing was saved.
    QString savedViewId() const { return m_savedViewId; }

    void accept() override;

private:
    void build();
    // What the form's fields hold, in the record's terms (FormMerge).
    CalendarView formValues() const;
    void pickColour();
    void paintColour();

    AppState* m_state;
    std::optional<CalendarView> m_editing;
    // formValues() when the edit form opened: a field the user changed differs from it.
    CalendarView m_shown;
    QString m_colour = Defaults::itemColour;
    QStringList m_unlistedIds;
    QString m_savedViewId;
    QLineEdit* m_name = nullptr;
    LongTextField* m_nameText = nullptr;
    QToolButton* m_colourButton = nullptr;
    QListWidget* m_calendars = nullptr;
    QLabel* m_status = nullptr;
};

#pragma once

#include "ManageListDialog.h"

class AppState;

// Lists the filter rules in the order they apply; the tick turns a rule on or off. Adds and
// edits rules through the filter form, deletes (after asking) and reorders them. Every change
// is saved at once.
class ManageFiltersDialog : public ManageListDialog
{
    Q_OBJECT

public:
    explicit ManageFiltersDialog(AppState* state, QWidget* parent = nullptr);

private:
    void fillList() override;
    void addEntry() override;
    void editEntry() override;
    void deleteEntry() override;
    void reorder(const QStringList& ids) override;
    void onItemChanged(QListWidgetItem* item);

    AppState* m_state;
};

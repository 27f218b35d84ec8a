#pragma once

#include "ManageListDialog.h"

class AppState;

// Lists the calendar groups in their order; adds, edits, deletes (after asking) and reorders
// them. Every change is saved at once.
class ManageViewsDialog : public ManageListDialog
{
    Q_OBJECT

public:
    explicit ManageViewsDialog(AppState* state, QWidget* parent = nullptr);

private:
    void fillList() override;
    void addEntry() override;
    void editEntry() override;
    void deleteEntry() override;
    void reorder(const QStringList& ids) override;
    bool canDelete(const QListWidgetItem* item) const override;

    AppState* m_state;
};

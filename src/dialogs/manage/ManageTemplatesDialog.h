#pragma once

#include "ManageListDialog.h"

class AppState;

// Lists the event templates; adds and edits them through the template editor and deletes them
// after asking. Every change is saved at once.
class ManageTemplatesDialog : public ManageListDialog
{
    Q_OBJECT

public:
    explicit ManageTemplatesDialog(AppState* state, QWidget* parent = nullptr);

private:
    void fillList() override;
    void addEntry() override;
    void editEntry() override;
    void deleteEntry() override;

    AppState* m_state;
};

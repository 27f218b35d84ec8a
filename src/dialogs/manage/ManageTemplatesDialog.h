#pragma once

#include <QDialog>

class AppState;
class QListWidget;
class QPushButton;

// Lists the event templates; adds and edits them through the template editor and deletes them
// after asking. Every change is saved at once.
class ManageTemplatesDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ManageTemplatesDialog(AppState* state, QWidget* parent = nullptr);

private:
    void reload();
    void updateButtons();
    void addTemplate();
    void editTemplate();
    void deleteTemplate();

    AppState* m_state;
    QListWidget* m_list = nullptr;
    QPushButton* m_edit = nullptr;
    QPushButton* m_delete = nullptr;
};

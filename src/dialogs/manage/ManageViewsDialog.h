#pragma once

#include <QDialog>

class AppState;
class QListWidget;
class QPushButton;

// Lists the calendar groups in their order; adds, edits, deletes (after asking) and reorders
// them. Every change is saved at once.
class ManageViewsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ManageViewsDialog(AppState* state, QWidget* parent = nullptr);

private:
    void reload();
    void updateButtons();
    void addView();
    void editView();
    void deleteView();
    void move(int delta);
    QString currentId() const;

    AppState* m_state;
    QListWidget* m_list = nullptr;
    QPushButton* m_edit = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_up = nullptr;
    QPushButton* m_down = nullptr;
};

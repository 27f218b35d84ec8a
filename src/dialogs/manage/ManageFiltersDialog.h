#pragma once

#include <QDialog>

class AppState;
class QListWidget;
class QListWidgetItem;
class QPushButton;

// Lists the filter rules in the order they apply; the tick turns a rule on or off. Adds and
// edits rules through the filter form, deletes (after asking) and reorders them. Every change
// is saved at once.
class ManageFiltersDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ManageFiltersDialog(AppState* state, QWidget* parent = nullptr);

private:
    void reload();
    void updateButtons();
    void addRule();
    void editRule();
    void deleteRule();
    void move(int delta);
    void onItemChanged(QListWidgetItem* item);
    QString currentId() const;

    AppState* m_state;
    QListWidget* m_list = nullptr;
    QPushButton* m_edit = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_up = nullptr;
    QPushButton* m_down = nullptr;
    bool m_reloading = false;
};

#pragma once

#include <QDialog>
#include <QStringList>

class QListWidget;
class QListWidgetItem;
class QPushButton;

// The shape every "manage a list" dialog shares: the stored entries in a list, a column of
// Add/Edit/Delete (and, where the order matters, Move Up/Move Down) buttons and a Close button.
// Each list item carries its entry's id under Qt::UserRole. Subclasses fill the list and carry
// out the actions; this class keeps the selection across reloads and the buttons in step.
class ManageListDialog : public QDialog
{
    Q_OBJECT

protected:
    ManageListDialog(const QString& title, QSize listMinimum, bool reorderable, QWidget* parent);

    // Refills the list through fillList(), keeping the selected entry selected where it still
    // exists and otherwise selecting the first one. Subclasses call it at the end of their
    // constructor and whenever their repository reports a change.
    void reload();
    QString currentId() const;
    // Asks the yes/no question with No as the default; the text shows as plain text because it
    // quotes entry names that can arrive from other devices.
    bool confirmDelete(const QString& title, const QString& text);
    QListWidget* list() const { return m_list; }
    // True while reload() rebuilds the list, so item-change handlers can ignore its own edits.
    bool reloading() const { return m_reloading; }

    virtual void fillList() = 0;
    virtual void addEntry() = 0;
    virtual void editEntry() = 0;
    virtual void deleteEntry() = 0;
    // Saves the entries in the order of `ids`; only called for reorderable lists.
    virtual void reorder(const QStringList& ids);
    virtual bool canDelete(const QListWidgetItem* item) const;

private:
    void updateButtons();
    void move(int delta);

    QListWidget* m_list = nullptr;
    QPushButton* m_edit = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_up = nullptr;
    QPushButton* m_down = nullptr;
    bool m_reloading = false;
};

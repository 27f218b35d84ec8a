#include "ManageListDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

ManageListDialog::ManageListDialog(const QString& title, QSize listMinimum, bool reorderable,
                                   QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(title);
    setModal(true);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    m_list = new QListWidget(this);
    m_list->setMinimumSize(listMinimum);
    layout->addWidget(m_list, 1);
    auto* column = new QVBoxLayout;
    auto* add = new QPushButton(tr("Add…"), this);
    m_edit = new QPushButton(tr("Edit…"), this);
    m_delete = new QPushButton(tr("Delete…"), this);
    QList<QPushButton*> buttons{add, m_edit, m_delete};
    if (reorderable) {
        m_up = new QPushButton(tr("Move Up"), this);
        m_down = new QPushButton(tr("Move Down"), this);
        buttons << m_up << m_down;
        connect(m_up, &QPushButton::clicked, this, [this] { move(-1); });
        connect(m_down, &QPushButton::clicked, this, [this] { move(1); });
    }
    for (QPushButton* button : buttons) {
        button->setAutoDefault(false);
        column->addWidget(button);
    }
    column->addStretch(1);
    auto* close = new QDialogButtonBox(QDialogButtonBox::Close, Qt::Vertical, this);
    connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);
    column->addWidget(close);
    layout->addLayout(column);

    connect(add, &QPushButton::clicked, this, [this] { addEntry(); });
    connect(m_edit, &QPushButton::clicked, this, [this] { editEntry(); });
    connect(m_delete, &QPushButton::clicked, this, [this] { deleteEntry(); });
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] { editEntry(); });
    connect(m_list, &QListWidget::currentRowChanged, this, &ManageListDialog::updateButtons);
}

QString ManageListDialog::currentId() const
{
    return m_list->currentItem() ? m_list->currentItem()->data(Qt::UserRole).toString() : QString();
}

void ManageListDialog::reload()
{
    const QString selected = currentId();
    m_reloading = true;
    m_list->clear();
    fillList();
    for (int row = 0; row < m_list->count() && !selected.isEmpty(); ++row) {
        if (m_list->item(row)->data(Qt::UserRole).toString() == selected)
            m_list->setCurrentRow(row);
    }
    if (!m_list->currentItem() && m_list->count() > 0)
        m_list->setCurrentRow(0);
    m_reloading = false;
    updateButtons();
}

void ManageListDialog::updateButtons()
{
    const int row = m_list->currentRow();
    const bool any = m_list->currentItem() != nullptr;
    m_edit->setEnabled(any);
    m_delete->setEnabled(any && canDelete(m_list->currentItem()));
    if (m_up)
        m_up->setEnabled(any && row > 0);
    if (m_down)
        m_down->setEnabled(any && row < m_list->count() - 1);
}

bool ManageListDialog::canDelete(const QListWidgetItem*) const
{
    return true;
}

void ManageListDialog::reorder(const QStringList&) {}

bool ManageListDialog::confirmDelete(const QString& title, const QString& text)
{
    QMessageBox question(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No,
                         this);
    question.setTextFormat(Qt::PlainText);
    question.setDefaultButton(QMessageBox::No);
    return question.exec() == QMessageBox::Yes;
}

void ManageListDialog::move(int delta)
{
    const int row = m_list->currentRow();
    const int target = row + delta;
    if (row < 0 || target < 0 || target >= m_list->count())
        return;
    QStringList ids;
    for (int index = 0; index < m_list->count(); ++index)
        ids.append(m_list->item(index)->data(Qt::UserRole).toString());
    ids.swapItemsAt(row, target);
    reorder(ids);
}

#include "ManageFiltersDialog.h"

#include "AppState.h"
#include "FilterFormDialog.h"
#include "FilterRule.h"
#include "FilterRuleRepository.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

ManageFiltersDialog::ManageFiltersDialog(AppState* state, QWidget* parent)
    : QDialog(parent), m_state(state)
{
    setWindowTitle(tr("Manage Filters"));
    setModal(true);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    m_list = new QListWidget(this);
    m_list->setMinimumSize(340, 280);
    layout->addWidget(m_list, 1);
    auto* column = new QVBoxLayout;
    auto* add = new QPushButton(tr("Add…"), this);
    m_edit = new QPushButton(tr("Edit…"), this);
    m_delete = new QPushButton(tr("Delete…"), this);
    m_up = new QPushButton(tr("Move Up"), this);
    m_down = new QPushButton(tr("Move Down"), this);
    for (QPushButton* button : {add, m_edit, m_delete, m_up, m_down}) {
        button->setAutoDefault(false);
        column->addWidget(button);
    }
    column->addStretch(1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, Qt::Vertical, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    column->addWidget(buttons);
    layout->addLayout(column);

    connect(add, &QPushButton::clicked, this, &ManageFiltersDialog::addRule);
    connect(m_edit, &QPushButton::clicked, this, &ManageFiltersDialog::editRule);
    connect(m_delete, &QPushButton::clicked, this, &ManageFiltersDialog::deleteRule);
    connect(m_up, &QPushButton::clicked, this, [this] { move(-1); });
    connect(m_down, &QPushButton::clicked, this, [this] { move(1); });
    connect(m_list, &QListWidget::itemDoubleClicked, this, &ManageFiltersDialog::editRule);
    connect(m_list, &QListWidget::currentRowChanged, this, &ManageFiltersDialog::updateButtons);
    connect(m_list, &QListWidget::itemChanged, this, &ManageFiltersDialog::onItemChanged);
    if (m_state && m_state->filterRules())
        connect(m_state->filterRules(), &FilterRuleRepository::filterRulesChanged, this,
                &ManageFiltersDialog::reload);
    reload();
}

QString ManageFiltersDialog::currentId() const
{
    return m_list->currentItem() ? m_list->currentItem()->data(Qt::UserRole).toString() : QString();
}

void ManageFiltersDialog::reload()
{
    const QString selected = currentId();
    m_reloading = true;
    m_list->clear();
    if (m_state && m_state->filterRules()) {
        for (const FilterRule& rule : m_state->filterRules()->getAll()) {
            const QString action = rule.action == QLatin1String("dim") ? tr("dim") : tr("hide");
            // Rule names can arrive from other devices: list items show plain text.
            auto* item =
                new QListWidgetItem(QStringLiteral("%1 (%2)").arg(rule.name, action), m_list);
            item->setData(Qt::UserRole, rule.id);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(rule.enabled ? Qt::Checked : Qt::Unchecked);
            if (rule.id == selected)
                m_list->setCurrentItem(item);
        }
    }
    if (!m_list->currentItem() && m_list->count() > 0)
        m_list->setCurrentRow(0);
    m_reloading = false;
    updateButtons();
}

void ManageFiltersDialog::updateButtons()
{
    const int row = m_list->currentRow();
    m_edit->setEnabled(row >= 0);
    m_delete->setEnabled(row >= 0);
    m_up->setEnabled(row > 0);
    m_down->setEnabled(row >= 0 && row < m_list->count() - 1);
}

void ManageFiltersDialog::onItemChanged(QListWidgetItem* item)
{
    if (m_reloading || !m_state || !m_state->filterRules())
        return;
    m_state->filterRules()->setEnabled(item->data(Qt::UserRole).toString(),
                                       item->checkState() == Qt::Checked);
}

void ManageFiltersDialog::addRule()
{
    FilterFormDialog form(m_state, this);
    form.exec();
}

void ManageFiltersDialog::editRule()
{
    const std::optional<FilterRule> rule = m_state && m_state->filterRules()
                                               ? m_state->filterRules()->getById(currentId())
                                               : std::nullopt;
    if (!rule)
        return;
    FilterFormDialog form(m_state, *rule, this);
    form.exec();
}

void ManageFiltersDialog::deleteRule()
{
    QListWidgetItem* item = m_list->currentItem();
    if (!item || !m_state || !m_state->filterRules())
        return;
    QMessageBox question(
        QMessageBox::Question, tr("Delete Filter"),
        tr("Delete the filter \"%1\"? The events it hides show again.").arg(item->text()),
        QMessageBox::Yes | QMessageBox::No, this);
    question.setTextFormat(Qt::PlainText);
    question.setDefaultButton(QMessageBox::No);
    if (question.exec() == QMessageBox::Yes)
        m_state->filterRules()->remove(item->data(Qt::UserRole).toString());
}

void ManageFiltersDialog::move(int delta)
{
    const int row = m_list->currentRow();
    const int target = row + delta;
    if (row < 0 || target < 0 || target >= m_list->count() || !m_state || !m_state->filterRules())
        return;
    QStringList ids;
    for (int index = 0; index < m_list->count(); ++index)
        ids.append(m_list->item(index)->data(Qt::UserRole).toString());
    ids.swapItemsAt(row, target);
    m_state->filterRules()->reorder(ids);
}

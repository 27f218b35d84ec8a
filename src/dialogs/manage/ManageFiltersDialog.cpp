#include "ManageFiltersDialog.h"

#include "AppState.h"
#include "FilterFormDialog.h"
#include "FilterRule.h"
#include "FilterRuleRepository.h"
#include "Limits.h"
#include "ShownText.h"

#include <QListWidget>

ManageFiltersDialog::ManageFiltersDialog(AppState* state, QWidget* parent)
    : ManageListDialog(tr("Manage Filters"), QSize(340, 280), true, parent), m_state(state)
{
    connect(list(), &QListWidget::itemChanged, this, &ManageFiltersDialog::onItemChanged);
    if (m_state && m_state->filterRules())
        connect(m_state->filterRules(), &FilterRuleRepository::filterRulesChanged, this,
                &ManageFiltersDialog::reload);
    reload();
}

void ManageFiltersDialog::fillList()
{
    if (!m_state || !m_state->filterRules())
        return;
    for (const FilterRule& rule : m_state->filterRules()->getAll()) {
        const QString action = rule.action == QLatin1String("dim") ? tr("dim") : tr("hide");
        // Rule names can arrive from other devices: list items show plain text, and a bounded
        // amount of it (the delete question quotes the item).
        auto* item =
            new QListWidgetItem(QStringLiteral("%1 (%2)").arg(
                                    ShownText::bounded(rule.name, Limits::maxRowTextChars), action),
                                list());
        item->setData(Qt::UserRole, rule.id);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(rule.enabled ? Qt::Checked : Qt::Unchecked);
    }
}

void ManageFiltersDialog::onItemChanged(QListWidgetItem* item)
{
    if (reloading() || !m_state || !m_state->filterRules())
        return;
    m_state->filterRules()->setEnabled(item->data(Qt::UserRole).toString(),
                                       item->checkState() == Qt::Checked);
}

void ManageFiltersDialog::addEntry()
{
    FilterFormDialog form(m_state, this);
    form.exec();
}

void ManageFiltersDialog::editEntry()
{
    const std::optional<FilterRule> rule = m_state && m_state->filterRules()
                                               ? m_state->filterRules()->getById(currentId())
                                               : std::nullopt;
    if (!rule)
        return;
    FilterFormDialog form(m_state, *rule, this);
    form.exec();
}

void ManageFiltersDialog::deleteEntry()
{
    QListWidgetItem* item = list()->currentItem();
    if (!item || !m_state || !m_state->filterRules())
        return;
    if (confirmDelete(
            tr("Delete Filter"),
            tr("Delete the filter \"%1\"? The events it hides show again.").arg(item->text())))
        m_state->filterRules()->remove(item->data(Qt::UserRole).toString());
}

void ManageFiltersDialog::reorder(const QStringList& ids)
{
    if (m_state && m_state->filterRules())
        m_state->filterRules()->reorder(ids);
}

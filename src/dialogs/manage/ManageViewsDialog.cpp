#include "ManageViewsDialog.h"

#include "AppState.h"
#include "CalendarView.h"
#include "Theme.h"
#include "ViewFormDialog.h"
#include "ViewRepository.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
enum Role { IdRole = Qt::UserRole, DefaultRole };
}

ManageViewsDialog::ManageViewsDialog(AppState* state, QWidget* parent)
    : QDialog(parent), m_state(state)
{
    setWindowTitle(tr("Manage Calendar Groups"));
    setModal(true);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    m_list = new QListWidget(this);
    m_list->setMinimumSize(320, 280);
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

    connect(add, &QPushButton::clicked, this, &ManageViewsDialog::addView);
    connect(m_edit, &QPushButton::clicked, this, &ManageViewsDialog::editView);
    connect(m_delete, &QPushButton::clicked, this, &ManageViewsDialog::deleteView);
    connect(m_up, &QPushButton::clicked, this, [this] { move(-1); });
    connect(m_down, &QPushButton::clicked, this, [this] { move(1); });
    connect(m_list, &QListWidget::itemDoubleClicked, this, &ManageViewsDialog::editView);
    connect(m_list, &QListWidget::currentRowChanged, this, &ManageViewsDialog::updateButtons);
    if (m_state && m_state->views())
        connect(m_state->views(), &ViewRepository::viewsChanged, this, &ManageViewsDialog::reload);
    reload();
}

QString ManageViewsDialog::currentId() const
{
    return m_list->currentItem() ? m_list->currentItem()->data(IdRole).toString() : QString();
}

void ManageViewsDialog::reload()
{
    const QString selected = currentId();
    m_list->clear();
    if (!m_state || !m_state->views())
        return;
    for (const CalendarView& view : m_state->views()->getAll()) {
        // Group names can arrive from other devices: list items show plain text.
        auto* item = new QListWidgetItem(Theme::calendarColorIcon(view.color), view.name, m_list);
        item->setData(IdRole, view.id);
        item->setData(DefaultRole, view.isDefault);
        if (view.id == selected)
            m_list->setCurrentItem(item);
    }
    if (!m_list->currentItem() && m_list->count() > 0)
        m_list->setCurrentRow(0);
    updateButtons();
}

void ManageViewsDialog::updateButtons()
{
    const int row = m_list->currentRow();
    const bool any = row >= 0;
    m_edit->setEnabled(any);
    // The default group is where the program falls back to; it stays.
    m_delete->setEnabled(any && !m_list->currentItem()->data(DefaultRole).toBool());
    m_up->setEnabled(row > 0);
    m_down->setEnabled(any && row < m_list->count() - 1);
}

void ManageViewsDialog::addView()
{
    ViewFormDialog form(m_state, this);
    if (form.exec() == QDialog::Accepted && !form.savedViewId().isEmpty()) {
        reload();
        for (int row = 0; row < m_list->count(); ++row) {
            if (m_list->item(row)->data(IdRole).toString() == form.savedViewId())
                m_list->setCurrentRow(row);
        }
    }
}

void ManageViewsDialog::editView()
{
    const std::optional<CalendarView> view =
        m_state && m_state->views() ? m_state->views()->getById(currentId()) : std::nullopt;
    if (!view)
        return;
    ViewFormDialog form(m_state, *view, this);
    form.exec();
}

void ManageViewsDialog::deleteView()
{
    QListWidgetItem* item = m_list->currentItem();
    if (!item || !m_state || !m_state->views())
        return;
    QMessageBox question(
        QMessageBox::Question, tr("Delete Calendar Group"),
        tr("Delete the group \"%1\"? Its calendars and events are kept.").arg(item->text()),
        QMessageBox::Yes | QMessageBox::No, this);
    question.setTextFormat(Qt::PlainText);
    question.setDefaultButton(QMessageBox::No);
    if (question.exec() != QMessageBox::Yes)
        return;
    const QString id = item->data(IdRole).toString();
    if (!m_state->views()->remove(id))
        return;
    if (m_state->activeViewId() == id)
        m_state->setActiveViewId(QStringLiteral("all-calendars"));
}

void ManageViewsDialog::move(int delta)
{
    const int row = m_list->currentRow();
    const int target = row + delta;
    if (row < 0 || target < 0 || target >= m_list->count() || !m_state || !m_state->views())
        return;
    QStringList ids;
    for (int index = 0; index < m_list->count(); ++index)
        ids.append(m_list->item(index)->data(IdRole).toString());
    ids.swapItemsAt(row, target);
    m_state->views()->reorder(ids);
}

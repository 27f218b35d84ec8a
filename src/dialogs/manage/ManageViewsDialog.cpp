#include "ManageViewsDialog.h"

#include "AppState.h"
#include "CalendarView.h"
#include "Limits.h"
#include "ShownText.h"
#include "Theme.h"
#include "ViewFormDialog.h"
#include "ViewRepository.h"

#include <QListWidget>

namespace {
enum Role { IdRole = Qt::UserRole, DefaultRole };
}

ManageViewsDialog::ManageViewsDialog(AppState* state, QWidget* parent)
    : ManageListDialog(tr("Manage Calendar Groups"), QSize(320, 280), true, parent), m_state(state)
{
    if (m_state && m_state->views())
        connect(m_state->views(), &ViewRepository::viewsChanged, this, &ManageViewsDialog::reload);
    reload();
}

void ManageViewsDialog::fillList()
{
    if (!m_state || !m_state->views())
        return;
    for (const CalendarView& view : m_state->views()->getAll()) {
        // Group names can arrive from other devices: list items show plain text, and a bounded
        // amount of it (the delete question quotes the item).
        auto* item = new QListWidgetItem(
            Theme::calendarColorIcon(view.color),
            ShownText::bounded(view.displayName(), Limits::maxRowTextChars), list());
        item->setData(IdRole, view.id);
        item->setData(DefaultRole, view.isDefault);
    }
}

bool ManageViewsDialog::canDelete(const QListWidgetItem* item) const
{
    // The default group is where the program falls back to; it stays.
    return !item->data(DefaultRole).toBool();
}

void ManageViewsDialog::addEntry()
{
    ViewFormDialog form(m_state, this);
    if (form.exec() == QDialog::Accepted && !form.savedViewId().isEmpty()) {
        reload();
        for (int row = 0; row < list()->count(); ++row) {
            if (list()->item(row)->data(IdRole).toString() == form.savedViewId())
                list()->setCurrentRow(row);
        }
    }
}

void ManageViewsDialog::editEntry()
{
    const std::optional<CalendarView> view =
        m_state && m_state->views() ? m_state->views()->getById(currentId()) : std::nullopt;
    if (!view)
        return;
    ViewFormDialog form(m_state, *view, this);
    form.exec();
}

void ManageViewsDialog::deleteEntry()
{
    QListWidgetItem* item = list()->currentItem();
    if (!item || !m_state || !m_state->views())
        return;
    if (!confirmDelete(
            tr("Delete Calendar Group"),
            tr("Delete the group \"%1\"? Its calendars and events are kept.").arg(item->text())))
        return;
    const QString id = item->data(IdRole).toString();
    if (!m_state->views()->remove(id))
        return;
    if (m_state->activeViewId() == id)
        m_state->setActiveViewId(QStringLiteral("all-calendars"));
}

void ManageViewsDialog::reorder(const QStringList& ids)
{
    if (m_state && m_state->views())
        m_state->views()->reorder(ids);
}

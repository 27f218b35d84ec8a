#include "ManageTemplatesDialog.h"

#include "AppState.h"
#include "ChangedElsewhere.h"
#include "EventTemplate.h"
#include "Limits.h"
#include "ShownText.h"
#include "TemplateEditorDialog.h"
#include "TemplateRepository.h"
#include "Theme.h"

#include <QListWidget>
#include <QMessageBox>
#include <QUuid>

ManageTemplatesDialog::ManageTemplatesDialog(AppState* state, QWidget* parent)
    : ManageListDialog(tr("Manage Templates"), QSize(320, 260), false, parent), m_state(state)
{
    if (m_state && m_state->templates())
        connect(m_state->templates(), &TemplateRepository::templatesChanged, this,
                &ManageTemplatesDialog::reload);
    reload();
}

void ManageTemplatesDialog::fillList()
{
    if (!m_state || !m_state->templates())
        return;
    for (const EventTemplate& entry : m_state->templates()->getAll()) {
        // Template names can arrive from other devices: list items show plain text, a row's
        // worth of it.
        auto* item = new QListWidgetItem(list());
        item->setText(entry.name.isEmpty()
                          ? tr("(Unnamed)")
                          : ShownText::bounded(entry.name, Limits::maxRowTextChars));
        if (!entry.color.isEmpty())
            item->setIcon(Theme::calendarColorIcon(entry.color));
        item->setData(Qt::UserRole, entry.id);
    }
}

void ManageTemplatesDialog::addEntry()
{
    if (!m_state || !m_state->templates())
        return;
    TemplateEditorDialog editor(m_state, EventTemplate(), this);
    if (editor.exec() != QDialog::Accepted)
        return;
    EventTemplate created = editor.eventTemplate();
    if (created.id.isEmpty())
        created.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    created.sortOrder = int(m_state->templates()->getAll().size());
    if (!m_state->templates()->insert(created))
        QMessageBox::warning(this, tr("Manage Templates"), tr("The template could not be saved."));
}

void ManageTemplatesDialog::editEntry()
{
    const std::optional<EventTemplate> stored =
        m_state && m_state->templates() ? m_state->templates()->getById(currentId()) : std::nullopt;
    if (!stored)
        return;
    TemplateEditorDialog editor(m_state, *stored, this);
    if (editor.exec() != QDialog::Accepted)
        return;
    // Removed meanwhile (by the configuration sync): it does not come back.
    if (!m_state->templates()->getById(stored->id)) {
        QMessageBox::warning(this, tr("Manage Templates"),
                             tr("This template was removed meanwhile, so it cannot be saved."));
        return;
    }
    if (!m_state->templates()->update(editor.eventTemplate())) {
        QMessageBox::warning(this, tr("Manage Templates"), tr("The template could not be saved."));
        return;
    }
    ChangedElsewhere::tell(this, editor.replacedFields());
}

void ManageTemplatesDialog::deleteEntry()
{
    QListWidgetItem* item = list()->currentItem();
    if (!item || !m_state || !m_state->templates())
        return;
    if (confirmDelete(tr("Delete Template"), tr("Delete the template \"%1\"?").arg(item->text())))
        m_state->templates()->remove(item->data(Qt::UserRole).toString());
}

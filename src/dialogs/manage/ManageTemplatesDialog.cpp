#include "ManageTemplatesDialog.h"

#include "AppState.h"
#include "EventTemplate.h"
#include "TemplateEditorDialog.h"
#include "TemplateRepository.h"
#include "Theme.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QUuid>
#include <QVBoxLayout>

ManageTemplatesDialog::ManageTemplatesDialog(AppState* state, QWidget* parent)
    : QDialog(parent), m_state(state)
{
    setWindowTitle(tr("Manage Templates"));
    setModal(true);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    m_list = new QListWidget(this);
    m_list->setMinimumSize(320, 260);
    layout->addWidget(m_list, 1);
    auto* column = new QVBoxLayout;
    auto* add = new QPushButton(tr("Add…"), this);
    m_edit = new QPushButton(tr("Edit…"), this);
    m_delete = new QPushButton(tr("Delete…"), this);
    for (QPushButton* button : {add, m_edit, m_delete}) {
        button->setAutoDefault(false);
        column->addWidget(button);
    }
    column->addStretch(1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, Qt::Vertical, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    column->addWidget(buttons);
    layout->addLayout(column);

    connect(add, &QPushButton::clicked, this, &ManageTemplatesDialog::addTemplate);
    connect(m_edit, &QPushButton::clicked, this, &ManageTemplatesDialog::editTemplate);
    connect(m_delete, &QPushButton::clicked, this, &ManageTemplatesDialog::deleteTemplate);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &ManageTemplatesDialog::editTemplate);
    connect(m_list, &QListWidget::currentRowChanged, this, &ManageTemplatesDialog::updateButtons);
    if (m_state && m_state->templates())
        connect(m_state->templates(), &TemplateRepository::templatesChanged, this,
                &ManageTemplatesDialog::reload);
    reload();
}

void ManageTemplatesDialog::reload()
{
    const QString selected =
        m_list->currentItem() ? m_list->currentItem()->data(Qt::UserRole).toString() : QString();
    m_list->clear();
    if (m_state && m_state->templates()) {
        for (const EventTemplate& entry : m_state->templates()->getAll()) {
            // Template names can arrive from other devices: list items show plain text.
            auto* item = new QListWidgetItem(m_list);
            item->setText(entry.name.isEmpty() ? tr("(Unnamed)") : entry.name);
            if (!entry.color.isEmpty())
                item->setIcon(Theme::calendarColorIcon(entry.color));
            item->setData(Qt::UserRole, entry.id);
            if (entry.id == selected)
                m_list->setCurrentItem(item);
        }
    }
    if (!m_list->currentItem() && m_list->count() > 0)
        m_list->setCurrentRow(0);
    updateButtons();
}

void ManageTemplatesDialog::updateButtons()
{
    m_edit->setEnabled(m_list->currentItem() != nullptr);
    m_delete->setEnabled(m_list->currentItem() != nullptr);
}

void ManageTemplatesDialog::addTemplate()
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

void ManageTemplatesDialog::editTemplate()
{
    const QString id =
        m_list->currentItem() ? m_list->currentItem()->data(Qt::UserRole).toString() : QString();
    const std::optional<EventTemplate> stored =
        m_state && m_state->templates() ? m_state->templates()->getById(id) : std::nullopt;
    if (!stored)
        return;
    TemplateEditorDialog editor(m_state, *stored, this);
    if (editor.exec() != QDialog::Accepted)
        return;
    if (!m_state->templates()->update(editor.eventTemplate()))
        QMessageBox::warning(this, tr("Manage Templates"), tr("The template could not be saved."));
}

void ManageTemplatesDialog::deleteTemplate()
{
    QListWidgetItem* item = m_list->currentItem();
    if (!item || !m_state || !m_state->templates())
        return;
    QMessageBox question(QMessageBox::Question, tr("Delete Template"),
                         tr("Delete the template \"%1\"?").arg(item->text()),
                         QMessageBox::Yes | QMessageBox::No, this);
    question.setTextFormat(Qt::PlainText);
    question.setDefaultButton(QMessageBox::No);
    if (question.exec() == QMessageBox::Yes)
        m_state->templates()->remove(item->data(Qt::UserRole).toString());
}

#include "ViewFormDialog.h"

#include "Account.h"
#include "AccountRepository.h"
#include "AppState.h"
#include "Calendar.h"
#include "CalendarRepository.h"
#include "ChangedElsewhere.h"
#include "Clock.h"
#include "FormMerge.h"
#include "JsonList.h"
#include "Limits.h"
#include "LongTextField.h"
#include "ShownText.h"
#include "Theme.h"
#include "ViewRepository.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSet>
#include <QToolButton>
#include <QUuid>
#include <QVBoxLayout>

ViewFormDialog::ViewFormDialog(AppState* state, QWidget* parent) : QDialog(parent), m_state(state)
{
    setWindowTitle(tr("Add Calendar Group"));
    build();
}

ViewFormDialog::ViewFormDialog(AppState* state, const CalendarView& view, QWidget* parent)
    : QDialog(parent), m_state(state), m_editing(view)
{
    setWindowTitle(tr("Edit Calendar Group"));
    if (QColor(view.color).isValid())
        m_colour = view.color;
    build();
    m_nameText->setText(view.name);
    m_shown = formValues();
}

void ViewFormDialog::build()
{
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    auto* form = new QFormLayout;
    m_name = new QLineEdit(this);
    m_nameText = new LongTextField(m_name);
    m_name->setPlaceholderText(tr("e.g. Work"));
    form->addRow(tr("Name:"), m_name);
    m_colourButton = new QToolButton(this);
    m_colourButton->setAutoRaise(false);
    m_colourButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    connect(m_colourButton, &QToolButton::clicked, this, &ViewFormDialog::pickColour);
    form->addRow(tr("Colour:"), m_colourButton);
    layout->addLayout(form);

    auto* hint =
        new QLabel(tr("Calendars in this group (none ticked: every visible calendar):"), this);
    hint->setWordWrap(true);
    layout->addWidget(hint);
    m_calendars = new QListWidget(this);
    m_calendars->setMinimumSize(420, 220);
    // Long calendar names are shortened in the middle rather than scrolled sideways.
    m_calendars->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_calendars->setTextElideMode(Qt::ElideMiddle);
    layout->addWidget(m_calendars, 1);

    const QStringList chosen =
        m_editing ? JsonList::toStrings(m_editing->calendarIds) : QStringList();
    QSet<QString> listed;
    if (m_state && m_state->calendars() && m_state->accounts()) {
        QHash<QString, QString> accountNames;
        for (const Account& account : m_state->accounts()->getAll())
            accountNames.insert(account.id, account.name);
        for (const Calendar& calendar : m_state->calendars()->getAll()) {
            // Calendars of removed accounts are not offered.
            if (!accountNames.contains(calendar.accountId))
                continue;
            // Names come from servers: list items show plain text, and no more of it than a row
            // lays out.
            const QString name = ShownText::bounded(calendar.name, Limits::maxRowTextChars);
            const QString accountName =
                ShownText::bounded(accountNames.value(calendar.accountId), Limits::maxRowTextChars);
            auto* item = new QListWidgetItem(
                Theme::calendarColorIcon(calendar.color),
                accountName.isEmpty() ? name : QStringLiteral("%1 / %2").arg(accountName, name),
                m_calendars);
            item->setData(Qt::UserRole, calendar.id);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(chosen.contains(calendar.id) ? Qt::Checked : Qt::Unchecked);
            listed.insert(calendar.id);
        }
    }
    for (const QString& id : chosen) {
        if (!id.isEmpty() && !listed.contains(id))
            m_unlistedIds.append(id);
    }

    m_status = new QLabel(this);
    m_status->setProperty("error", true);
    m_status->hide();
    layout->addWidget(m_status);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &ViewFormDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    paintColour();
}

void ViewFormDialog::pickColour()
{
    const QColor chosen = QColorDialog::getColor(QColor(m_colour), this, tr("Group Colour"));
    if (!chosen.isValid())
        return;
    m_colour = chosen.name();
    paintColour();
}

void ViewFormDialog::paintColour()
{
    m_colourButton->setIcon(Theme::calendarColorIcon(m_colour));
    m_colourButton->setText(m_colour);
}

CalendarView ViewFormDialog::formValues() const
{
    CalendarView values;
    // A stored name the user did not edit goes back as it came.
    const QString name = m_nameText->text();
    values.name = m_editing && name == m_editing->name ? name : name.trimmed();
    values.color = m_colour;
    QStringList ids;
    for (int row = 0; row < m_calendars->count(); ++row) {
        const QListWidgetItem* item = m_calendars->item(row);
        if (item->checkState() == Qt::Checked)
            ids.append(item->data(Qt::UserRole).toString());
    }
    // A group that named only unlisted calendars keeps them rather than becoming "all".
    ids += m_unlistedIds;
    values.calendarIds = JsonList::fromStrings(ids);
    return values;
}

void ViewFormDialog::accept()
{
    const CalendarView edited = formValues();
    if (edited.name.trimmed().isEmpty()) {
        m_status->setText(tr("Please enter a name."));
        m_status->show();
        m_name->setFocus();
        return;
    }
    if (!m_state || !m_state->views())
        return;

    CalendarView view = edited;
    QList<FormMerge::Field> replaced;
    if (m_editing) {
        // The group as stored now: the configuration sync may have changed it while the form
        // was open (a field the user left alone keeps that change), or removed it.
        const std::optional<CalendarView> stored = m_state->views()->getById(m_editing->id);
        if (!stored || stored->deletedAt) {
            m_status->setText(tr("This group was removed meanwhile, so it cannot be saved."));
            m_status->show();
            return;
        }
        const FormMerge::Merged<CalendarView> merged =
            FormMerge::view(*m_editing, m_shown, *stored, edited);
        view = merged.record;
        replaced = merged.replaced;
    }
    view.syncStatus = QStringLiteral("pending");
    view.updatedAt = Clock::now();
    bool saved = false;
    if (m_editing) {
        saved = m_state->views()->update(view);
    } else {
        view.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
        view.createdAt = view.updatedAt;
        view.sortOrder = int(m_state->views()->getAll().size());
        saved = m_state->views()->insert(view);
    }
    if (!saved) {
        m_status->setText(tr("The group could not be saved."));
        m_status->show();
        return;
    }
    m_savedViewId = view.id;
    ChangedElsewhere::tell(this, replaced);
    QDialog::accept();
}

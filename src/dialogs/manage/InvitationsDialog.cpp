#include "InvitationsDialog.h"

#include "AppState.h"
#include "DateLanguage.h"
#include "Invitations.h"
#include "InvitationsService.h"
#include "Limits.h"
#include "ShownText.h"
#include "TimeFormatState.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTimeZone>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

enum Role { EventIdRole = Qt::UserRole, EmailRole, PendingRole };

QString whenText(const AppState* state, const Event& event)
{
    if (event.isAllDay)
        return DateLanguage::format(event.startTime.toUTC().date(),
                                    QStringLiteral("ddd, MMM d, yyyy"));
    const QDateTime start = event.startTime.toTimeZone(QTimeZone::systemTimeZone());
    return QStringLiteral("%1 %2").arg(
        DateLanguage::format(start.date(), QStringLiteral("ddd, MMM d, yyyy")),
        TimeFormat::formatTime(state, start));
}

QString answerText(const QString& status)
{
    const QString lower = status.toLower();
    if (lower == QLatin1String("accepted"))
        return InvitationsDialog::tr("Accepted");
    if (lower == QLatin1String("declined"))
        return InvitationsDialog::tr("Declined");
    if (lower == QLatin1String("tentative"))
        return InvitationsDialog::tr("Maybe");
    return InvitationsDialog::tr("No answer");
}

} // namespace

InvitationsDialog::InvitationsDialog(AppState* state, QWidget* parent)
    : QDialog(parent), m_state(state)
{
    setWindowTitle(tr("Invitations"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(8);

    m_list = new QTreeWidget(this);
    m_list->setHeaderLabels({tr("Event"), tr("When"), tr("Organizer"), tr("Your answer")});
    m_list->setRootIsDecorated(false);
    m_list->setMinimumSize(640, 320);
    m_list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_list->header()->setStretchLastSection(false);
    layout->addWidget(m_list, 1);
    m_status = new QLabel(this);
    m_status->setProperty("muted", true);
    layout->addWidget(m_status);

    auto* row = new QHBoxLayout;
    m_accept = new QPushButton(tr("Accept"), this);
    m_maybe = new QPushButton(tr("Maybe"), this);
    m_decline = new QPushButton(tr("Decline"), this);
    for (QPushButton* button : {m_accept, m_maybe, m_decline}) {
        button->setAutoDefault(false);
        row->addWidget(button);
    }
    row->addStretch(1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    row->addWidget(buttons);
    layout->addLayout(row);

    connect(m_accept, &QPushButton::clicked, this, [this] { answer(QStringLiteral("accepted")); });
    connect(m_maybe, &QPushButton::clicked, this, [this] { answer(QStringLiteral("tentative")); });
    connect(m_decline, &QPushButton::clicked, this, [this] { answer(QStringLiteral("declined")); });
    connect(m_list, &QTreeWidget::currentItemChanged, this, &InvitationsDialog::updateButtons);
    if (m_state && m_state->invitations())
        connect(m_state->invitations(), &Invitations::Service::invitationsChanged, this,
                &InvitationsDialog::reload);
    reload();
}

void InvitationsDialog::reload()
{
    const QString selected =
        m_list->currentItem() ? m_list->currentItem()->data(0, EventIdRole).toString() : QString();
    m_list->clear();
    Invitations::Service* service = m_state ? m_state->invitations() : nullptr;
    if (!service) {
        m_status->setText(tr("No invitations."));
        updateButtons();
        return;
    }
    const QSet<QString> own = service->ownEmails();
    const Invitations::InvitationLists lists = service->pendingInvitations();
    const auto add = [&](const Event& event, bool pending) {
        const int index = Invitations::ownAttendeeIndex(event, own);
        if (index < 0)
            return;
        const Attendee& attendee = event.attendees.at(index);
        const QString organizer = ShownText::bounded(
            event.organizerName.isEmpty() ? event.organizerEmail : event.organizerName,
            Limits::maxRowTextChars);
        // Every text here comes from another person's calendar: tree items show plain text, and
        // a row's length of it (the columns are sized to their contents).
        auto* item = new QTreeWidgetItem(
            m_list,
            {event.title.isEmpty() ? tr("(No title)")
                                   : ShownText::bounded(event.title, Limits::maxRowTextChars),
             whenText(m_state, event), organizer, answerText(attendee.status)});
        item->setData(0, EventIdRole, event.id);
        item->setData(0, EmailRole, attendee.email);
        item->setData(0, PendingRole, pending);
        if (!pending) {
            for (int column = 0; column < item->columnCount(); ++column)
                item->setForeground(column, palette().brush(QPalette::Disabled, QPalette::Text));
        }
        if (event.id == selected)
            m_list->setCurrentItem(item);
    };
    for (const Event& event : lists.pending)
        add(event, true);
    for (const Event& event : lists.past)
        add(event, false);
    for (int column = 1; column < 4; ++column)
        m_list->resizeColumnToContents(column);
    m_status->setText(lists.pending.isEmpty() ? tr("No invitations await your answer.")
                      : lists.pending.size() == 1
                          ? tr("1 invitation awaits your answer.")
                          : tr("%1 invitations await your answer.").arg(lists.pending.size()));
    if (!m_list->currentItem() && m_list->topLevelItemCount() > 0)
        m_list->setCurrentItem(m_list->topLevelItem(0));
    updateButtons();
}

void InvitationsDialog::updateButtons()
{
    const bool any = m_list->currentItem() != nullptr;
    for (QPushButton* button : {m_accept, m_maybe, m_decline})
        button->setEnabled(any);
}

void InvitationsDialog::answer(const QString& status)
{
    QTreeWidgetItem* item = m_list->currentItem();
    Invitations::Service* service = m_state ? m_state->invitations() : nullptr;
    if (!item || !service)
        return;
    if (!service->respond(item->data(0, EventIdRole).toString(),
                          item->data(0, EmailRole).toString(), status)) {
        m_status->setText(tr("Your answer could not be saved."));
        return;
    }
    reload();
}

#include "ShareMembersDialog.h"

#include "AccountClient.h"
#include "AccountDisplay.h"
#include "AccountWidgets.h"
#include "AvatarLabel.h"
#include "Client.h"
#include "Profile.h"
#include "SharingBackend.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

namespace OrvaAccount {

namespace {

constexpr int avatarSize = 36;

// The error red; on a dark window a lighter one, the darker red being hard to read there.
QString errorColour(const QWidget* widget)
{
    return widget->palette().color(QPalette::Window).lightness() < 128 ? QStringLiteral("#ef9a9a")
                                                                       : QStringLiteral("#b00020");
}

// Text from the opener, or the dialog's own when it is empty.
QString orFallback(const QString& text, const QString& fallback)
{
    return text.isEmpty() ? fallback : text;
}

void usePlaceholderColour(QLabel* label)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, palette.color(QPalette::PlaceholderText));
    label->setPalette(palette);
    // The application's style sheet colours labels over their palette; it subdues these.
    label->setProperty("muted", true);
}

QLabel* plainLabel(const QString& text, QWidget* parent = nullptr)
{
    auto* label = new QLabel(parent);
    // Names and e-mail addresses come from the service: never rich text.
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    return label;
}

QFont withWeight(QFont font, QFont::Weight weight)
{
    font.setWeight(weight);
    return font;
}

void emptyLayout(QVBoxLayout* layout)
{
    for (int i = layout->count() - 1; i >= 0; --i) {
        QLayoutItem* item = layout->takeAt(i);
        if (QWidget* widget = item->widget())
            widget->deleteLater();
        delete item;
    }
}

} // namespace

ShareMembersDialog::ShareMembersDialog(Client* client, SharingBackend* backend,
                                       const QString& calendarId, const Texts& texts,
                                       QWidget* parent)
    : QDialog(parent), m_client(client), m_backend(backend), m_calendarId(calendarId),
      m_texts(texts)
{
    setWindowTitle(m_texts.title);
    setMinimumSize(560, 560);
    resize(620, 620);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 20);
    layout->setSpacing(12);

    if (!m_texts.subtitle.isEmpty()) {
        QLabel* heading = plainLabel(m_texts.subtitle, this);
        QFont font = withWeight(heading->font(), QFont::DemiBold);
        font.setPointSizeF(font.pointSizeF() + 2);
        heading->setFont(font);
        heading->setWordWrap(true);
        layout->addWidget(heading);
    }
    if (!m_texts.description.isEmpty()) {
        QLabel* description = plainLabel(m_texts.description, this);
        description->setWordWrap(true);
        usePlaceholderColour(description);
        layout->addWidget(description);
    }

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Plain);
    line->setStyleSheet(QStringLiteral("color: rgba(128,128,128,0.25);"));
    layout->addWidget(line);

    m_errorLabel = plainLabel(QString(), this);
    m_errorLabel->setObjectName(QStringLiteral("shareError"));
    m_errorLabel->setWordWrap(true);
    m_errorLabel->setStyleSheet(
        QStringLiteral("QLabel { color: %1; padding: 4px 0; }").arg(errorColour(this)));
    m_errorLabel->hide();
    layout->addWidget(m_errorLabel);

    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    auto* content = new QWidget(scroll);
    auto* contentLayout = new QVBoxLayout(content);
    contentLayout->setContentsMargins(0, 0, 0, 0);
    contentLayout->setSpacing(8);

    m_sharedSection = new QWidget(content);
    auto* sharedLayout = new QVBoxLayout(m_sharedSection);
    sharedLayout->setContentsMargins(0, 0, 0, 0);
    sharedLayout->setSpacing(4);
    m_sharedHeader =
        plainLabel(orFallback(m_texts.sharedWithHeader, tr("People with access")), m_sharedSection);
    m_sharedHeader->setFont(withWeight(m_sharedHeader->font(), QFont::DemiBold));
    sharedLayout->addWidget(m_sharedHeader);
    auto* sharedList = new QWidget(m_sharedSection);
    m_sharedListLayout = new QVBoxLayout(sharedList);
    m_sharedListLayout->setContentsMargins(0, 0, 0, 0);
    m_sharedListLayout->setSpacing(2);
    sharedLayout->addWidget(sharedList);
    contentLayout->addWidget(m_sharedSection);

    m_addSection = new QWidget(content);
    auto* addLayout = new QVBoxLayout(m_addSection);
    addLayout->setContentsMargins(0, 8, 0, 0);
    addLayout->setSpacing(4);
    m_addHeader = plainLabel(orFallback(m_texts.addPeopleHeader, tr("Add people")), m_addSection);
    m_addHeader->setFont(m_sharedHeader->font());
    addLayout->addWidget(m_addHeader);
    auto* addList = new QWidget(m_addSection);
    m_addListLayout = new QVBoxLayout(addList);
    m_addListLayout->setContentsMargins(0, 0, 0, 0);
    m_addListLayout->setSpacing(2);
    addLayout->addWidget(addList);
    m_noGroupLabel = plainLabel(m_texts.emptyGroupText, m_addSection);
    m_allSharedLabel =
        plainLabel(orFallback(m_texts.allSharedText, tr("All group members already have access")),
                   m_addSection);
    for (QLabel* label : {m_noGroupLabel, m_allSharedLabel}) {
        label->setWordWrap(true);
        usePlaceholderColour(label);
        label->setContentsMargins(0, 8, 0, 0);
        label->hide();
        addLayout->addWidget(label);
    }
    contentLayout->addWidget(m_addSection);
    contentLayout->addStretch(1);
    scroll->setWidget(content);
    layout->addWidget(scroll, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    auto* close = new QPushButton(orFallback(m_texts.closeButton, tr("Close")), this);
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    bottom->addWidget(close);
    layout->addLayout(bottom);

    reload();
    rebuild();
}

void ShareMembersDialog::reload()
{
    loadGroupMembers();
    loadShares();
}

void ShareMembersDialog::loadGroupMembers()
{
    AccountClient* account = m_client ? m_client->accountClient() : nullptr;
    if (!account)
        return;
    const int request = ++m_groupRequests;
    // The dialog may be closed (and deleted) before either answer comes.
    QPointer<ShareMembersDialog> self(this);
    account->getProfile([self, request](const Profile& profile) {
        if (!self)
            return;
        self->m_myAccountId = profile.id;
        AccountClient* account = self->m_client->accountClient();
        account->fetchGroup([self, request](const Group& group, const QString& error) {
            if (!self || request <= self->m_groupShown)
                return;
            self->m_groupShown = request;
            self->m_groupMembers = group.members;
            self->m_membersLeftOut = group.membersLeftOut;
            self->m_groupError = error;
            self->rebuild();
        });
    });
}

void ShareMembersDialog::loadShares()
{
    if (!m_backend)
        return;
    const int request = ++m_sharesRequests;
    QPointer<ShareMembersDialog> self(this);
    m_backend->listMembers(m_calendarId, [self, request](bool ok, const QList<ShareMember>& members,
                                                         const QString& error) {
        if (!self || request <= self->m_sharesShown)
            return;
        self->m_sharesShown = request;
        self->m_shares = members;
        self->m_sharesError = ok ? QString() : error;
        self->rebuild();
    });
}

QLabel* ShareMembersDialog::makeNote(const QString& text, bool isError)
{
    QLabel* label = plainLabel(text);
    label->setWordWrap(true);
    if (isError)
        label->setStyleSheet(QStringLiteral("QLabel { color: %1; }").arg(errorColour(this)));
    else
        usePlaceholderColour(label);
    label->setContentsMargins(0, 4, 0, 4);
    return label;
}

void ShareMembersDialog::rebuild()
{
    emptyLayout(m_sharedListLayout);
    emptyLayout(m_addListLayout);

    const auto shareUserIdFor = [this](const QString& accountId) {
        return m_backend ? m_backend->shareUserIdFor(accountId) : accountId;
    };
    const AccountDisplay::ShareRows rows =
        AccountDisplay::shareRows(m_shares, m_groupMembers, m_myAccountId, shareUserIdFor);

    const bool sharesRead = m_sharesShown > 0;
    if (!sharesRead) {
        m_sharedListLayout->addWidget(makeNote(tr("Loading…"), false));
    } else if (!m_sharesError.isEmpty()) {
        m_sharedListLayout->addWidget(
            makeNote(tr("Could not load who has access: %1").arg(m_sharesError), true));
    } else if (rows.withAccess.isEmpty()) {
        m_sharedListLayout->addWidget(makeNote(
            orFallback(m_texts.emptySharedText, tr("Not shared with anyone yet.")), false));
    }
    if (m_sharesError.isEmpty()) {
        for (const AccountDisplay::PersonRow& person : rows.withAccess) {
            QWidget* row = buildPersonRow(person.initials, person.shownName, person.secondLine);
            auto* remove = new QToolButton(row);
            remove->setText(QStringLiteral("\u00D7"));
            remove->setAutoRaise(true);
            remove->setCursor(Qt::PointingHandCursor);
            remove->setFixedSize(28, 28);
            // The application's tool-button padding would leave no room for the sign.
            remove->setStyleSheet(QStringLiteral("QToolButton { padding: 0px; }"));
            QFont font = remove->font();
            font.setPointSizeF(font.pointSizeF() + 4);
            remove->setFont(font);
            remove->setToolTip(orFallback(m_texts.removeButton, tr("Remove access")));
            const QString userId = person.userId;
            const QString name = person.shownName;
            connect(remove, &QToolButton::clicked, this,
                    [this, userId, name] { removeShare(userId, name); });
            row->layout()->addWidget(remove);
            m_sharedListLayout->addWidget(row);
        }
    }

    // Whom to offer is decided only from a group and a list of shares that were read: until the
    // group is, it is not known whether there is one at all, and until the shares are, every
    // member would be offered, those with access too.
    if (m_groupShown == 0 || !sharesRead) {
        m_noGroupLabel->hide();
        m_allSharedLabel->hide();
        m_addListLayout->addWidget(makeNote(tr("Loading…"), false));
        return;
    }
    if (!m_groupError.isEmpty()) {
        m_noGroupLabel->hide();
        m_allSharedLabel->hide();
        m_addListLayout->addWidget(
            makeNote(tr("Could not load your group: %1").arg(m_groupError), true));
        return;
    }
    // Whom to offer is unknown while who has access is: everybody would be offered.
    if (!m_sharesError.isEmpty()) {
        m_noGroupLabel->hide();
        m_allSharedLabel->hide();
        return;
    }
    if (rows.groupEmpty) {
        m_noGroupLabel->setVisible(true);
        m_allSharedLabel->hide();
        return;
    }
    for (const AccountDisplay::PersonRow& person : rows.toAdd) {
        QWidget* row = buildPersonRow(person.initials, person.shownName, person.secondLine);
        // A member the service gave no id is listed, but there is nobody to grant access to.
        if (!person.userId.isEmpty()) {
            auto* share = new QPushButton(orFallback(m_texts.shareButton, tr("Share")), row);
            share->setCursor(Qt::PointingHandCursor);
            share->setAutoDefault(false);
            const QString userId = person.userId;
            const QString name = person.shownName;
            connect(share, &QPushButton::clicked, this,
                    [this, userId, name] { shareWithMember(userId, name); });
            row->layout()->addWidget(share);
        }
        m_addListLayout->addWidget(row);
    }
    if (m_membersLeftOut > 0)
        m_addListLayout->addWidget(makeNote(tr("Only the first %1 of %2 group members are listed.")
                                                .arg(m_groupMembers.size())
                                                .arg(m_groupMembers.size() + m_membersLeftOut),
                                            false));
    m_noGroupLabel->hide();
    m_allSharedLabel->setVisible(rows.toAdd.isEmpty());
}

QWidget* ShareMembersDialog::buildPersonRow(const QString& initials, const QString& name,
                                            const QString& secondLine)
{
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 4, 0, 4);
    layout->setSpacing(10);
    layout->addWidget(new AvatarLabel(initials, palette().color(QPalette::Highlight), avatarSize));
    auto* text = new QVBoxLayout;
    text->setSpacing(0);
    // One line each, free to shrink: a long name never widens the dialog.
    QLabel* nameLabel = AccountWidgets::serviceLabel(name, row);
    nameLabel->setFont(withWeight(nameLabel->font(), QFont::Medium));
    text->addWidget(nameLabel);
    if (!secondLine.isEmpty()) {
        QLabel* email = AccountWidgets::serviceLabel(secondLine, row);
        usePlaceholderColour(email);
        text->addWidget(email);
    }
    layout->addLayout(text, 1);
    return row;
}

void ShareMembersDialog::showError(const QString& text)
{
    m_errorLabel->setText(text);
    m_errorLabel->show();
}

void ShareMembersDialog::shareWithMember(const QString& userId, const QString& name)
{
    if (m_busy || !m_backend)
        return;
    m_busy = true;
    m_errorLabel->hide();
    QPointer<ShareMembersDialog> self(this);
    m_backend->shareWith(
        m_calendarId, userId, m_texts.defaultRole, [self, name](bool ok, const QString& error) {
            if (!self)
                return;
            self->m_busy = false;
            if (ok) {
                Q_EMIT self->sharingChanged();
                self->reload();
                return;
            }
            self->showError(!error.isEmpty() ? error : tr("Could not share with %1.").arg(name));
        });
}

void ShareMembersDialog::removeShare(const QString& userId, const QString& name)
{
    if (m_busy || !m_backend)
        return;
    // On the heap: the question runs a loop of its own, and the dialog (its parent) may be
    // closed under it.
    QPointer<QMessageBox> question = new QMessageBox(
        QMessageBox::Question, orFallback(m_texts.confirmRemoveTitle, tr("Remove access?")),
        orFallback(m_texts.confirmRemoveText, tr("%1 will no longer have access. Continue?"))
            .arg(name),
        QMessageBox::Yes | QMessageBox::No, this);
    question->setTextFormat(Qt::PlainText);
    question->setDefaultButton(QMessageBox::No);
    QPointer<ShareMembersDialog> self(this);
    const int answer = question->exec();
    delete question;
    if (!self || answer != QMessageBox::Yes || m_busy)
        return;
    m_busy = true;
    m_errorLabel->hide();
    m_backend->removeShare(m_calendarId, userId, [self, name](bool ok) {
        if (!self)
            return;
        self->m_busy = false;
        if (ok) {
            Q_EMIT self->sharingChanged();
            self->reload();
            return;
        }
        self->showError(tr("Could not remove %1.").arg(name));
    });
}

} // namespace OrvaAccount

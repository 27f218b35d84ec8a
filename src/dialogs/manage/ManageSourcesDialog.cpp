#include "ManageSourcesDialog.h"

#include "Account.h"
#include "AccountFormDialog.h"
#include "AccountRepository.h"
#include "AccountTypes.h"
#include "AppState.h"
#include "CalDavConnectionDialog.h"
#include "Calendar.h"
#include "CalendarFormDialog.h"
#include "CalendarKey.h"
#include "CalendarRepository.h"
#include "Client.h"
#include "Clock.h"
#include "CloudSync.h"
#include "CredentialManagerTokenStore.h"
#include "Defaults.h"
#include "GoogleCalendarImport.h"
#include "Limits.h"
#include "OrvandellicSharingBackend.h"
#include "Platform.h"
#include "ShareMembersDialog.h"
#include "ShownText.h"
#include "SourceRemoval.h"
#include "SyncRules.h"
#include "Theme.h"
#include "TokenStore.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>
#include <QUrl>
#include <QUuid>
#include <QVBoxLayout>

#include <memory>
#include <optional>

namespace {

enum Role { IdRole = Qt::UserRole, KindRole };
enum Kind { AccountKind = 1, CalendarKind = 2 };

const QString webcalType = QStringLiteral("webcal");

QString newId()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

// A colour field: a button showing the colour that opens the colour picker.
class ColourButton
{
public:
    ColourButton(const QString& colour, QWidget* parent)
        : m_colour(QColor(colour).isValid() ? colour : QString(Defaults::itemColour)),
          m_button(new QToolButton(parent))
    {
        m_button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        paint();
        QObject::connect(m_button, &QToolButton::clicked, m_button, [this, parent] {
            const QColor chosen = QColorDialog::getColor(QColor(m_colour), parent);
            if (chosen.isValid()) {
                m_colour = chosen.name();
                paint();
            }
        });
    }
    QToolButton* widget() const { return m_button; }
    QString colour() const { return m_colour; }

private:
    void paint()
    {
        m_button->setIcon(Theme::calendarColorIcon(m_colour));
        m_button->setText(m_colour);
    }
    QString m_colour;
    QToolButton* m_button;
};

// A small modal form of rows over OK and Cancel. `check` runs on OK and returns an error text
// (shown, the form stays open) or an empty text (the form closes as accepted).
class SmallForm
{
public:
    SmallForm(QWidget* parent, const QString& title) : m_dialog(parent)
    {
        m_dialog.setWindowTitle(title);
        m_dialog.setModal(true);
        auto* layout = new QVBoxLayout(&m_dialog);
        layout->setContentsMargins(16, 16, 16, 16);
        m_form = new QFormLayout;
        layout->addLayout(m_form);
        m_error = new QLabel(&m_dialog);
        m_error->setTextFormat(Qt::PlainText);
        m_error->setWordWrap(true);
        m_error->setProperty("error", true);
        m_error->hide();
        layout->addWidget(m_error);
        m_buttons =
            new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &m_dialog);
        QObject::connect(m_buttons, &QDialogButtonBox::rejected, &m_dialog, &QDialog::reject);
        QObject::connect(m_buttons, &QDialogButtonBox::accepted, &m_dialog, [this] {
            const QString error = m_check ? m_check() : QString();
            if (error.isEmpty()) {
                m_dialog.accept();
                return;
            }
            m_error->setText(error);
            m_error->show();
        });
        layout->addWidget(m_buttons);
        m_dialog.setMinimumWidth(400);
    }
    QWidget* parent() { return &m_dialog; }
    void addRow(const QString& label, QWidget* field) { m_form->addRow(label, field); }
    void setCheck(std::function<QString()> check) { m_check = std::move(check); }
    bool exec() { return m_dialog.exec() == QDialog::Accepted; }

private:
    QDialog m_dialog;
    QFormLayout* m_form;
    QLabel* m_error;
    QDialogButtonBox* m_buttons;
    std::function<QString()> m_check;
};

} // namespace

ManageSourcesDialog::ManageSourcesDialog(AppState* state, QWidget* mainWindow, QWidget* parent)
    : QDialog(parent), m_state(state), m_mainWindow(mainWindow)
{
    setWindowTitle(tr("Calendar Accounts"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(10);

    auto* addRow = new QHBoxLayout;
    auto* addAccount = new QPushButton(tr("Add Account…"), this);
    addAccount->setToolTip(tr("Add a Google, Microsoft or CalDAV account"));
    auto* addCalDav = new QPushButton(tr("Add CalDAV Account…"), this);
    auto* addSubscription = new QPushButton(tr("Subscribe to Calendar…"), this);
    auto* addLocal = new QPushButton(tr("Add Calendar on This Device…"), this);
    for (QPushButton* button : {addAccount, addCalDav, addSubscription, addLocal}) {
        button->setAutoDefault(false);
        addRow->addWidget(button);
    }
    addRow->addStretch(1);
    layout->addLayout(addRow);

    m_tree = new QTreeWidget(this);
    m_tree->setHeaderLabels({tr("Name"), tr("Type")});
    m_tree->setMinimumSize(560, 320);
    m_tree->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_tree->header()->setStretchLastSection(false);
    layout->addWidget(m_tree, 1);

    m_status = new QLabel(this);
    m_status->setTextFormat(Qt::PlainText);
    m_status->setWordWrap(true);
    // A failure from a server can be one long unbroken run: it takes the dialog's width rather
    // than setting it.
    m_status->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_status->setProperty("muted", true);
    m_status->hide();
    layout->addWidget(m_status);

    auto* actions = new QHBoxLayout;
    m_addToAccount = new QPushButton(tr("Add Calendar to Account…"), this);
    m_edit = new QPushButton(tr("Edit…"), this);
    m_remove = new QPushButton(tr("Remove…"), this);
    m_sync = new QPushButton(tr("Sync Now"), this);
    m_share = new QPushButton(tr("Share…"), this);
    for (QPushButton* button : {m_addToAccount, m_edit, m_remove, m_sync, m_share}) {
        button->setAutoDefault(false);
        actions->addWidget(button);
    }
    actions->addStretch(1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    actions->addWidget(buttons);
    layout->addLayout(actions);

    connect(addAccount, &QPushButton::clicked, this, &ManageSourcesDialog::addAccount);
    connect(addCalDav, &QPushButton::clicked, this, &ManageSourcesDialog::addCalDavAccount);
    connect(addSubscription, &QPushButton::clicked, this, &ManageSourcesDialog::addSubscription);
    connect(addLocal, &QPushButton::clicked, this, &ManageSourcesDialog::addLocalCalendar);
    connect(m_addToAccount, &QPushButton::clicked, this,
            &ManageSourcesDialog::addCalendarToAccount);
    connect(m_edit, &QPushButton::clicked, this, &ManageSourcesDialog::editSelected);
    connect(m_remove, &QPushButton::clicked, this, &ManageSourcesDialog::removeSelected);
    connect(m_sync, &QPushButton::clicked, this, &ManageSourcesDialog::syncNow);
    connect(m_share, &QPushButton::clicked, this, &ManageSourcesDialog::shareSelected);
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this, &ManageSourcesDialog::editSelected);
    connect(m_tree, &QTreeWidget::currentItemChanged, this, &ManageSourcesDialog::updateButtons);
    if (m_state && m_state->accounts() && m_state->calendars()) {
        connect(m_state->accounts(), &AccountRepository::accountsChanged, this,
                &ManageSourcesDialog::reload);
        connect(m_state->calendars(), &CalendarRepository::calendarsChanged, this,
                &ManageSourcesDialog::reload);
    }
    if (m_state) {
        connect(m_state, &AppState::syncBusyChanged, this, [this](bool busy) {
            if (!busy && m_awaitingSync)
                showSyncEnded();
        });
    }
    reload();
}

void ManageSourcesDialog::reload()
{
    QString selected;
    if (QTreeWidgetItem* current = m_tree->currentItem())
        selected = current->data(0, IdRole).toString();
    m_tree->clear();
    if (!m_state || !m_state->accounts() || !m_state->calendars())
        return;
    QHash<QString, QList<Calendar>> calendarsOf;
    for (const Calendar& calendar : m_state->calendars()->getAll())
        calendarsOf[calendar.accountId].append(calendar);
    QHash<QString, QIcon> icons;
    QList<QTreeWidgetItem*> accountItems;
    QTreeWidgetItem* current = nullptr;
    for (const Account& account : m_state->accounts()->getAll()) {
        // Names come from servers and other devices: tree items show plain text, and no more of
        // it than a row lays out; the store keeps every character.
        auto* accountItem =
            new QTreeWidgetItem({ShownText::bounded(account.name, Limits::maxRowTextChars),
                                 QObject::tr(AccountTypes::labelSource(account.type))});
        accountItem->setData(0, IdRole, account.id);
        accountItem->setData(0, KindRole, AccountKind);
        QFont bold = accountItem->font(0);
        bold.setWeight(QFont::DemiBold);
        accountItem->setFont(0, bold);
        if (!account.lastSyncError.isEmpty())
            accountItem->setToolTip(
                0, ShownText::bounded(account.lastSyncError, Limits::maxRowTextChars));
        if (account.id == selected)
            current = accountItem;
        // The children go in as one list: a discovery of thousands of calendars fills the tree
        // in one insertion rather than one per row.
        QList<QTreeWidgetItem*> calendarItems;
        for (const Calendar& calendar : calendarsOf.value(account.id)) {
            auto* item =
                new QTreeWidgetItem({ShownText::bounded(calendar.name, Limits::maxRowTextChars),
                                     calendar.isReadOnly ? tr("Read only") : QString()});
            auto icon = icons.find(calendar.color);
            if (icon == icons.end())
                icon = icons.insert(calendar.color, Theme::calendarColorIcon(calendar.color));
            item->setIcon(0, *icon);
            item->setData(0, IdRole, calendar.id);
            item->setData(0, KindRole, CalendarKind);
            if (calendar.id == selected)
                current = item;
            calendarItems.append(item);
        }
        accountItem->addChildren(calendarItems);
        accountItems.append(accountItem);
    }
    m_tree->addTopLevelItems(accountItems);
    for (QTreeWidgetItem* accountItem : std::as_const(accountItems))
        accountItem->setExpanded(true);
    if (current)
        m_tree->setCurrentItem(current);
    m_tree->resizeColumnToContents(1);
    updateButtons();
}

void ManageSourcesDialog::updateButtons()
{
    QTreeWidgetItem* item = m_tree->currentItem();
    m_edit->setEnabled(item != nullptr);
    const std::optional<Account> account = item && m_state && m_state->accounts()
                                               ? m_state->accounts()->getById(selectedAccountId())
                                               : std::nullopt;
    m_addToAccount->setEnabled(account && AccountTypes::isCalDavFamily(account->type));
    m_remove->setEnabled(item != nullptr);
    m_sync->setEnabled(m_tree->topLevelItemCount() > 0);
    m_share->setEnabled(selectedShareableCalendar().has_value());
}

std::optional<Calendar> ManageSourcesDialog::selectedShareableCalendar() const
{
    QTreeWidgetItem* item = m_tree->currentItem();
    OrvaAccount::Client* client = m_state ? m_state->accountClient() : nullptr;
    if (!item || item->data(0, KindRole).toInt() != CalendarKind || !client ||
        !client->isAuthenticated())
        return std::nullopt;
    const std::optional<Account> account = m_state->accounts()->getById(selectedAccountId());
    if (!account || !CloudSync::isCloudAccount(*account))
        return std::nullopt;
    return m_state->calendars()->getById(item->data(0, IdRole).toString());
}

void ManageSourcesDialog::shareSelected()
{
    const std::optional<Calendar> calendar = selectedShareableCalendar();
    if (!calendar)
        return;
    OrvaAccount::Client* client = m_state->accountClient();
    OrvaAccount::ShareMembersDialog::Texts texts;
    texts.title = tr("Share Calendar");
    texts.subtitle = ShownText::bounded(calendar->name, Limits::maxShownCalendarNameChars);
    texts.description = tr("Members of your Orvandellic group you share this calendar with see "
                           "and edit its events.");
    texts.sharedWithHeader = tr("People with access");
    texts.addPeopleHeader = tr("Add people");
    texts.emptySharedText = tr("Not shared with anyone yet.");
    texts.emptyGroupText = tr("You are not in a group. Create or join one under File › "
                              "Orvandellic Account… to share calendars.");
    texts.allSharedText = tr("All group members already have access");
    texts.shareButton = tr("Share");
    texts.removeButton = tr("Remove access");
    texts.closeButton = tr("Close");
    texts.defaultRole = QStringLiteral("member");
    texts.shareErrorTitle = tr("Could not share");
    texts.removeErrorTitle = tr("Could not remove access");
    texts.confirmRemoveTitle = tr("Remove access?");
    texts.confirmRemoveText = tr("%1 will no longer have access. Continue?");
    auto* backend = new Orvandellic::SharingBackend(client->syncApiClient());
    auto* dialog = new OrvaAccount::ShareMembersDialog(client, backend, calendar->id, texts, this);
    backend->setParent(dialog);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &OrvaAccount::ShareMembersDialog::sharingChanged, this,
            [this] { showStatus(tr("Sharing updated.")); });
    dialog->show();
}

void ManageSourcesDialog::showStatus(const QString& text)
{
    // The texts carry names and failures from servers.
    m_status->setText(ShownText::bounded(text, Limits::maxRowTextChars));
    m_status->setVisible(!text.isEmpty());
}

bool ManageSourcesDialog::confirm(const QString& title, const QString& text)
{
    QMessageBox question(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No,
                         this);
    question.setTextFormat(Qt::PlainText);
    question.setDefaultButton(QMessageBox::No);
    return question.exec() == QMessageBox::Yes;
}

void ManageSourcesDialog::addSubscription()
{
    if (!m_state || !m_state->accounts())
        return;
    SmallForm form(this, tr("Subscribe to Calendar"));
    auto* url = new QLineEdit(form.parent());
    url->setPlaceholderText(QStringLiteral("webcal://example.com/calendar.ics"));
    auto* name = new QLineEdit(form.parent());
    ColourButton colour(QStringLiteral("#0B8043"), form.parent());
    form.addRow(tr("Address:"), url);
    form.addRow(tr("Name:"), name);
    form.addRow(tr("Colour:"), colour.widget());
    form.setCheck([url, name] {
        const QUrl address(url->text().trimmed(), QUrl::StrictMode);
        const QString scheme = address.scheme().toLower();
        if (!address.isValid() || address.host().isEmpty() ||
            !QStringList{QStringLiteral("webcal"), QStringLiteral("webcals"),
                         QStringLiteral("http"), QStringLiteral("https")}
                 .contains(scheme))
            return ManageSourcesDialog::tr("Enter a webcal, http or https address.");
        if (name->text().trimmed().isEmpty())
            return ManageSourcesDialog::tr("Please enter a name.");
        return QString();
    });
    if (!form.exec())
        return;
    const QString feed = url->text().trimmed();
    const QDateTime now = Clock::now();
    Account account;
    account.id = newId();
    account.name = name->text().trimmed();
    account.type = webcalType;
    account.serverUrl = feed;
    account.color = colour.colour();
    account.syncIntervalMinutes = 60;
    account.createdAt = account.updatedAt = now;
    Calendar calendar;
    calendar.id = newId();
    calendar.accountId = account.id;
    calendar.url = feed;
    calendar.name = account.name;
    calendar.color = colour.colour();
    calendar.isReadOnly = true;
    calendar.syncEnabled = true;
    calendar.canonicalKey = calendarKey(webcalType, feed).value_or(QString());
    calendar.createdAt = calendar.updatedAt = now;
    if (!m_state->accounts()->insert(account)) {
        showStatus(tr("The subscription could not be saved."));
        return;
    }
    if (!m_state->calendars()->insert(calendar)) {
        // No account without its one calendar.
        SourceRemoval::removeAccount(m_state, account.id);
        showStatus(tr("The subscription could not be saved."));
        return;
    }
    showStatus(tr("Subscribed to \"%1\". Its events arrive with the next sync.").arg(account.name));
    Q_EMIT syncRequested();
}

void ManageSourcesDialog::addLocalCalendar()
{
    if (!m_state)
        return;
    CalendarFormDialog form(m_state, this);
    form.exec();
}

void ManageSourcesDialog::addCalendarToAccount()
{
    const QString accountId = selectedAccountId();
    const std::optional<Account> account =
        m_state && m_state->accounts() ? m_state->accounts()->getById(accountId) : std::nullopt;
    if (!account || !AccountTypes::isCalDavFamily(account->type))
        return;
    CalendarFormDialog form(m_state, *account, this);
    form.exec();
}

QString ManageSourcesDialog::selectedAccountId() const
{
    QTreeWidgetItem* item = m_tree->currentItem();
    if (!item)
        return QString();
    if (item->data(0, KindRole).toInt() == CalendarKind && item->parent())
        item = item->parent();
    return item->data(0, IdRole).toString();
}

void ManageSourcesDialog::editSelected()
{
    QTreeWidgetItem* item = m_tree->currentItem();
    if (!item)
        return;
    const QString id = item->data(0, IdRole).toString();
    if (item->data(0, KindRole).toInt() == CalendarKind)
        editCalendar(id);
    else
        editAccount(id);
}

void ManageSourcesDialog::editCalendar(const QString& calendarId)
{
    const std::optional<Calendar> calendar = m_state->calendars()->getById(calendarId);
    if (!calendar)
        return;
    CalendarFormDialog form(m_state, *calendar, this);
    form.exec();
}

void ManageSourcesDialog::editAccount(const QString& accountId)
{
    const std::optional<Account> account = m_state->accounts()->getById(accountId);
    if (!account)
        return;
    AccountFormDialog form(m_state, *account, this);
    if (form.exec() == QDialog::Accepted && form.credentialsChanged())
        syncNow();
}

void ManageSourcesDialog::removeSelected()
{
    QTreeWidgetItem* item = m_tree->currentItem();
    if (!item || !m_state)
        return;
    const QString id = item->data(0, IdRole).toString();
    const QString name = item->text(0);
    if (item->data(0, KindRole).toInt() == CalendarKind) {
        if (!confirm(tr("Remove Calendar"),
                     tr("Remove the calendar \"%1\" with all its events and tasks from this "
                        "computer?")
                         .arg(name)))
            return;
        if (!SourceRemoval::removeCalendar(m_state, id))
            showStatus(tr("The calendar could not be removed."));
        return;
    }
    if (!confirm(
            tr("Remove Account"),
            tr("Remove the account \"%1\" and its calendars with all their events and tasks from "
               "this computer?")
                .arg(name)))
        return;
    if (!SourceRemoval::removeAccount(m_state, id))
        showStatus(tr("The account could not be removed."));
}

void ManageSourcesDialog::syncNow()
{
    if (!m_state)
        return;
    requestSync(tr("Syncing…"));
}

void ManageSourcesDialog::requestSync(const QString& text)
{
    // Without an account that can sync, no sync starts and so none ends.
    m_awaitingSync = anyAccountReady();
    showStatus(m_awaitingSync ? text : tr("Nothing to sync: no account is ready to sync."));
    Q_EMIT syncRequested();
}

bool ManageSourcesDialog::anyAccountReady() const
{
    if (!m_state->accounts())
        return false;
    const std::unique_ptr<OrvaAccount::TokenStore> secrets =
        OrvaAccount::makeCredentialManagerTokenStore(Platform::applicationId());
    for (const Account& account : m_state->accounts()->getAll()) {
        // The account on this device has nothing to fetch.
        if (!account.enabled || !SyncRules::isSyncType(account.type) ||
            account.type == QLatin1String("orvandellic"))
            continue;
        if (!AccountTypes::isCalDavFamily(account.type))
            return true;
        if (secrets && !secrets->read(QStringLiteral("caldav-password-") + account.id)
                            .value_or(QString())
                            .isEmpty())
            return true;
    }
    return false;
}

void ManageSourcesDialog::showSyncEnded()
{
    m_awaitingSync = false;
    if (m_state->lastSyncErrored())
        showStatus(m_state->lastSyncError().isEmpty()
                       ? tr("Sync failed.")
                       : tr("Sync failed: %1").arg(m_state->lastSyncError()));
    else
        showStatus(tr("Sync finished."));
}

void ManageSourcesDialog::addAccount()
{
    AccountFormDialog form(m_state, this);
    // A new Google account brings its calendars along; their events come with the sync that
    // follows the import.
    form.setGoogleCalendarImport([this](const QString& accountId) {
        showStatus(tr("Reading the account's calendars…"));
        Google::CalendarImport::listAndImport(
            m_state, accountId, this,
            [this](bool ok, int added, int leftOut, const QString& reason) {
                if (!ok) {
                    showStatus(tr("The calendars could not be read: %1").arg(reason));
                    return;
                }
                QString text = tr("%n calendar(s) added. Their events arrive with the sync that "
                                  "starts now.",
                                  nullptr, added);
                if (leftOut > 0)
                    text += u' ' + Google::CalendarImport::leftOutText(leftOut);
                requestSync(text);
            });
    });
    if (form.exec() != QDialog::Accepted || !m_state)
        return;
    const std::optional<Account> account = m_state->accounts()->getById(form.accountId());
    if (account && AccountTypes::isCalDavFamily(account->type)) {
        requestSync(calDavAccountAddedText(form.calendarsLeftOut()));
        return;
    }
    if (account && account->type == QLatin1String("google"))
        return;
    showStatus(account ? tr("Signed in as %1.").arg(account->username) : QString());
}

void ManageSourcesDialog::addCalDavAccount()
{
    CalDavConnectionDialog connection(m_state, this);
    if (connection.exec() != QDialog::Accepted || !m_state)
        return;
    requestSync(calDavAccountAddedText(connection.calendarsLeftOut()));
}

QString ManageSourcesDialog::calDavAccountAddedText(int calendarsLeftOut)
{
    if (calendarsLeftOut < 1)
        return tr("Account added. Its events arrive with the sync that starts now.");
    return tr("Account added. %n calendar(s) were not added: the server lists more than %1. Its "
              "events arrive with the sync that starts now.",
              nullptr, calendarsLeftOut)
        .arg(QLocale().toString(Limits::maxDiscoveredCalendars));
}

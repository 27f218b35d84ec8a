#include "StatusBarWidgets.h"

#include "AccountAttention.h"
#include "AccountRepository.h"
#include "AppState.h"
#include "FilterRuleRepository.h"
#include "Glyphs.h"
#include "GoogleAuthService.h"
#include "Limits.h"
#include "MainWindow.h"
#include "ManageFiltersDialog.h"
#include "MicrosoftAuthService.h"
#include "ShownText.h"
#include "Theme.h"
#include "ThemeManager.h"

#include <QCoreApplication>
#include <QMenu>
#include <QStatusBar>
#include <QToolButton>

#include <algorithm>

StatusBarWidgets::StatusBarWidgets(MainWindow* window, AppState* state)
    : QObject(window), m_window(window), m_state(state)
{
}

void StatusBarWidgets::build()
{
    m_accountPill = new QToolButton(m_window);
    m_accountPill->setObjectName(QStringLiteral("accountPill"));
    m_accountPill->setAutoRaise(true);
    m_accountPill->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_accountPill->setCursor(Qt::PointingHandCursor);
    m_accountPill->setIcon(
        Theme::glyphIcon(Glyphs::warning, 14, QColor(QStringLiteral("#F59E0B"))));
    m_accountPill->setStyleSheet(
        QStringLiteral("QToolButton { color: #F59E0B; font-weight: 600; }"));
    m_accountPill->hide();
    connect(m_accountPill, &QToolButton::clicked, this, [this] {
        m_window->openCalendarAccounts();
        refreshAccountPill();
    });
    m_window->statusBar()->addPermanentWidget(m_accountPill);
    connect(m_state->accounts(), &AccountRepository::accountsChanged, this,
            &StatusBarWidgets::refreshAccountPill);
    refreshAccountPill();

    m_filterButton = new QToolButton(m_window);
    m_filterButton->setObjectName(QStringLiteral("filterButton"));
    m_filterButton->setPopupMode(QToolButton::InstantPopup);
    m_filterButton->setAutoRaise(true);
    m_filterButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_filterButton->setCursor(Qt::PointingHandCursor);
    m_filterButton->setToolTip(MainWindow::tr("Manage filters"));
    paintFilterIcon();
    // The glyph is drawn in the theme's text colour: a theme chosen later draws it again.
    if (ThemeManager* themes = m_state->themeManager()) {
        connect(themes, &ThemeManager::modeChanged, this, &StatusBarWidgets::paintFilterIcon);
    }
    m_window->statusBar()->addPermanentWidget(m_filterButton);
    connect(m_state->filterRules(), &FilterRuleRepository::filterRulesChanged, this,
            &StatusBarWidgets::rebuildFilterMenu);
    connect(m_state, &AppState::filterHiddenCountChanged, this,
            &StatusBarWidgets::updateFilterButton);
    rebuildFilterMenu();
}

void StatusBarWidgets::paintFilterIcon()
{
    m_filterButton->setIcon(Theme::glyphIcon(Glyphs::filterLines, 16, Theme::textPrimary()));
}

void StatusBarWidgets::refreshAccountPill()
{
    if (!m_accountPill) {
        return;
    }
    const auto hasRefreshToken = [](const Account& account) {
        const QString token = account.type == QLatin1String("google")
                                  ? Google::AuthService::loadTokens(account.id).refreshToken
                                  : Microsoft::AuthService::loadTokens(account.id).refreshToken;
        return !token.isEmpty();
    };
    const AccountAttention::Counts counts =
        AccountAttention::count(m_state->accounts()->getAll(), hasRefreshToken,
                                QCoreApplication::translate("MainWindow", "Password missing"));
    qInfo().noquote() << "[Pill] refresh: oauthAccounts=" << counts.oauthAccounts
                      << "needAuth=" << counts.needSignIn << "needPassword=" << counts.needPassword;
    const int total = counts.needSignIn + counts.needPassword;
    m_accountPill->setVisible(total >= 1);
    if (total < 1) {
        return;
    }
    if (counts.needPassword == 0) {
        m_accountPill->setText(
            MainWindow::tr("%n account(s) need sign-in", nullptr, counts.needSignIn));
        m_accountPill->setToolTip(MainWindow::tr("Click to open Calendar Accounts and sign in."));
    } else if (counts.needSignIn == 0) {
        m_accountPill->setText(
            MainWindow::tr("%n account(s) need password", nullptr, counts.needPassword));
        m_accountPill->setToolTip(
            MainWindow::tr("Click to open Calendar Accounts and re-enter the password."));
    } else {
        m_accountPill->setText(MainWindow::tr("%n account(s) need attention", nullptr, total));
        m_accountPill->setToolTip(
            MainWindow::tr("Click to open Calendar Accounts and resolve the issues."));
    }
}

void StatusBarWidgets::rebuildFilterMenu()
{
    if (!m_filterButton) {
        return;
    }
    const QList<FilterRule> rules = m_state->filterRules()->getAll();
    m_filterButton->setVisible(true);
    updateFilterButton();
    // The menu may be the one running right now (its "Manage Filters…" opened the dialog that
    // changed the rules): deleting it under its own event loop crashed. It stays; only its
    // entries are replaced, the old ones deleted once control is back in the event loop.
    QMenu* menu = m_filterButton->menu();
    if (!menu) {
        menu = new QMenu(m_filterButton);
        m_filterButton->setMenu(menu);
    }
    for (QAction* action : menu->actions()) {
        menu->removeAction(action);
        action->deleteLater();
    }
    if (!rules.isEmpty()) {
        const bool allEnabled = std::all_of(rules.cbegin(), rules.cend(),
                                            [](const FilterRule& r) { return r.enabled; });
        QAction* all = menu->addAction(allEnabled ? MainWindow::tr("Disable all filters")
                                                  : MainWindow::tr("Enable all filters"));
        const bool target = !allEnabled;
        connect(all, &QAction::triggered, this, [this, target] {
            for (const FilterRule& rule : m_state->filterRules()->getAll()) {
                if (rule.enabled != target) {
                    m_state->filterRules()->setEnabled(rule.id, target);
                }
            }
        });
        menu->addSeparator();
        for (const FilterRule& rule : rules) {
            QAction* entry =
                menu->addAction(ShownText::bounded(rule.name, Limits::maxRowTextChars));
            entry->setCheckable(true);
            entry->setChecked(rule.enabled);
            const QString id = rule.id;
            connect(entry, &QAction::toggled, this,
                    [this, id](bool on) { m_state->filterRules()->setEnabled(id, on); });
        }
        menu->addSeparator();
    }
    connect(menu->addAction(MainWindow::tr("Add Filter…")), &QAction::triggered, m_window,
            &MainWindow::addFilter);
    if (!rules.isEmpty()) {
        connect(menu->addAction(MainWindow::tr("Manage Filters…")), &QAction::triggered, this,
                [this] {
                    ManageFiltersDialog dialog(m_state, m_window);
                    m_window->execDialog(&dialog);
                });
    }
}

void StatusBarWidgets::updateFilterButton()
{
    if (!m_filterButton) {
        return;
    }
    const QList<FilterRule> rules = m_state->filterRules()->getAll();
    if (rules.isEmpty()) {
        m_filterButton->setText(MainWindow::tr("No filters"));
        return;
    }
    const int enabled = int(
        std::count_if(rules.cbegin(), rules.cend(), [](const FilterRule& r) { return r.enabled; }));
    QString text = MainWindow::tr("%n filter(s) applied", nullptr, enabled);
    const int hidden = m_state->filterHiddenCount();
    if (enabled > 0 && hidden > 0) {
        text += QStringLiteral(" · ") + MainWindow::tr("%n hidden", nullptr, hidden);
    }
    m_filterButton->setText(text);
}

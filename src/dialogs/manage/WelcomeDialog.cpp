#include "WelcomeDialog.h"

#include "Glyphs.h"
#include "Theme.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

WelcomeDialog::WelcomeDialog(AppState* state, QWidget* parent) : QDialog(parent)
{
    Q_UNUSED(state);
    setWindowTitle(tr("Welcome"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(32, 28, 32, 24);
    layout->setSpacing(12);

    auto* icon = new QLabel(this);
    icon->setPixmap(Theme::glyphIcon(Glyphs::calendarPage, 56, Theme::accent()).pixmap(56, 56));
    icon->setAlignment(Qt::AlignCenter);
    layout->addWidget(icon);

    auto* title = new QLabel(tr("Welcome to Calendar"), this);
    QFont titleFont = title->font();
    titleFont.setPointSize(20);
    titleFont.setWeight(QFont::Bold);
    title->setFont(titleFont);
    title->setAlignment(Qt::AlignCenter);
    layout->addWidget(title);

    auto* body = new QLabel(tr("Your calendars, events and tasks in one place. Add an account to "
                               "connect a CalDAV server or subscribe to a calendar feed, or get "
                               "started with the calendar on this device."),
                            this);
    body->setWordWrap(true);
    body->setAlignment(Qt::AlignCenter);
    body->setProperty("muted", true);
    body->setMinimumWidth(420);
    layout->addWidget(body);
    layout->addSpacing(12);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* getStarted = new QPushButton(tr("Get Started"), this);
    getStarted->setAutoDefault(false);
    connect(getStarted, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(getStarted);
    auto* addAccount = new QPushButton(tr("Add Account…"), this);
    addAccount->setDefault(true);
    addAccount->setMinimumWidth(140);
    connect(addAccount, &QPushButton::clicked, this, &QDialog::accept);
    buttons->addWidget(addAccount);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    addAccount->setFocus();
}

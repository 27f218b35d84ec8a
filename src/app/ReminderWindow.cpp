#include "ReminderWindow.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int windowMargin = 12;
constexpr int listWidth = ReminderWindow::windowWidth - 2 * windowMargin;

} // namespace

ReminderWindow::ReminderWindow(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("reminderWindow"));
    setWindowTitle(tr("Reminders"));
    // A reminder must not take the keys from what the user is typing, nor keep the program
    // running once its main window is gone.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_QuitOnClose, false);

    auto* layout = new QVBoxLayout(this);
    // The window follows its list: a window manager otherwise keeps the old height when a
    // reminder goes, and the list floats in the middle of it.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setContentsMargins(windowMargin, windowMargin, windowMargin, windowMargin);
    layout->setSpacing(10);

    m_scroll = new QScrollArea(this);
    m_scroll->setFixedWidth(listWidth);
    m_scroll->setWidgetResizable(true);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* content = new QWidget(m_scroll);
    m_list = new QVBoxLayout(content);
    m_list->setContentsMargins(0, 0, 0, 0);
    m_list->setSpacing(8);
    m_list->addStretch();
    m_scroll->setWidget(content);
    layout->addWidget(m_scroll, 1);

    auto* footer = new QHBoxLayout;
    footer->addStretch();
    m_dismissAll = new QPushButton(tr("Dismiss all"), this);
    m_dismissAll->setFocusPolicy(Qt::NoFocus);
    footer->addWidget(m_dismissAll);
    layout->addLayout(footer);
    connect(m_dismissAll, &QPushButton::clicked, this, &ReminderWindow::dismissAll);
}

QWidget* ReminderWindow::buildRow(const Notification& notification)
{
    auto* row = new QFrame(m_scroll->widget());
    row->setObjectName(QStringLiteral("reminderEntry")); // styled by the application stylesheet
    auto* layout = new QVBoxLayout(row);
    layout->setContentsMargins(12, 10, 12, 10);
    layout->setSpacing(4);

    // The texts wrap within the list's width; a word longer than it (a link) is cut at the edge
    // rather than widening every entry and pushing its buttons out of sight.
    auto* title = new QLabel(notification.title, row);
    title->setTextFormat(Qt::PlainText);
    title->setWordWrap(true);
    title->setMinimumWidth(1);
    QFont bold = title->font();
    bold.setWeight(QFont::Bold);
    title->setFont(bold);
    layout->addWidget(title);
    if (!notification.body.isEmpty()) {
        auto* body = new QLabel(notification.body, row);
        body->setTextFormat(Qt::PlainText);
        body->setWordWrap(true);
        body->setMinimumWidth(1);
        body->setProperty("muted", true);
        layout->addWidget(body);
    }

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    buttons->addStretch();
    if (!notification.tag.isEmpty()) {
        auto* open = new QPushButton(tr("Open"), row);
        open->setFocusPolicy(Qt::NoFocus);
        buttons->addWidget(open);
        connect(open, &QPushButton::clicked, this, [this, row] { finish(row, true); });
    }
    auto* dismiss = new QPushButton(tr("Dismiss"), row);
    dismiss->setFocusPolicy(Qt::NoFocus);
    buttons->addWidget(dismiss);
    connect(dismiss, &QPushButton::clicked, this, [this, row] { finish(row, false); });
    layout->addSpacing(4);
    layout->addLayout(buttons);
    return row;
}

void ReminderWindow::add(const Notification& notification)
{
    QWidget* row = buildRow(notification);
    // Above the stretch that keeps the list at the top.
    m_list->insertWidget(m_list->count() - 1, row);
    row->show();
    m_entries.append({row, notification});
    const bool wasVisible = isVisible();
    fit();
    if (!wasVisible) {
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect area = screen->availableGeometry();
            move(area.right() - width() - screenMargin, area.top() + screenMargin);
        }
    }
    show();
    raise();
}

void ReminderWindow::finish(QWidget* row, bool open)
{
    const auto entry = std::find_if(m_entries.begin(), m_entries.end(),
                                    [row](const Entry& e) { return e.row == row; });
    if (entry == m_entries.end())
        return;
    const Notification shown = entry->notification;
    m_entries.erase(entry);
    // The row may hold the button whose click ends it.
    row->hide();
    row->deleteLater();
    if (m_entries.isEmpty())
        hide();
    else
        fit();
    if (open)
        Q_EMIT opened(shown.tag);
    Q_EMIT dismissed(shown.id);
}

void ReminderWindow::dismissAll()
{
    const QList<Entry> entries = m_entries;
    for (const Entry& entry : entries)
        finish(entry.row, false);
}

void ReminderWindow::fit()
{
    m_dismissAll->setVisible(m_entries.size() > 1);
    int listHeight = 0;
    for (const Entry& entry : std::as_const(m_entries)) {
        const int height = entry.row->heightForWidth(listWidth);
        listHeight += (height > 0 ? height : entry.row->sizeHint().height()) + m_list->spacing();
    }
    m_scroll->setFixedHeight(std::min(std::max(listHeight - m_list->spacing(), 0), maxListHeight));
    layout()->activate();
}

void ReminderWindow::closeEvent(QCloseEvent* event)
{
    // Only the user's own close counts as having seen them: the program closing its windows on
    // the way out leaves them to remind again at the next start.
    if (event->spontaneous())
        dismissAll();
    QWidget::closeEvent(event);
}

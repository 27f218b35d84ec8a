#include "TrayManager.h"

#include "AppState.h"
#include "Clock.h"
#include "DateLanguage.h"
#include "EventQueryState.h"
#include "EventRepository.h"
#include "Limits.h"
#include "MainWindow.h"
#include "ShownText.h"
#include "SystemTrayIcon.h"
#include "TimeFormatState.h"
#include "WinTrayPopover.h"

#include <QCoreApplication>
#include <QCursor>
#include <QMenu>
#include <QPainter>
#include <QTimeZone>
#include <QTimer>

namespace {

QIcon baseIcon()
{
    return QIcon(QStringLiteral(":/icons/app-icon.png"));
}

} // namespace

TrayManager::TrayManager(AppState* state, MainWindow* mainWindow, QObject* parent)
    : QObject(parent), m_state(state), m_mainWindow(mainWindow)
{
}

TrayManager::~TrayManager()
{
    delete m_menu;
    // Without a main window to own it, the popover is the manager's.
    if (m_popover && !m_popover->parent())
        delete m_popover;
}

void TrayManager::setup()
{
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        return;
    setup(new SystemTrayIcon(this));
}

void TrayManager::setup(TrayIcon* icon)
{
    m_trayIcon = icon;
    m_trayIcon->setParent(this);
    refreshIcon();
    refreshTooltip();

    m_menu = new QMenu;
    m_menu->addAction(tr("&Show Calendar"), this, [this]() {
        if (m_mainWindow)
            m_mainWindow->focusWindow();
    });
    m_menu->addAction(tr("Sync &Now"), this, &TrayManager::syncNowRequested);
    m_menu->addSeparator();
    m_menu->addAction(tr("&Quit"), this, [this]() {
        if (m_mainWindow)
            m_mainWindow->quit();
        else
            QCoreApplication::quit();
    });
    m_trayIcon->setContextMenu(m_menu);

    m_popover = new WinTrayPopover(m_state, m_mainWindow);
    connect(m_popover, &WinTrayPopover::openMainWindow, this, [this]() {
        if (m_mainWindow)
            m_mainWindow->focusWindow();
    });
    connect(m_popover, &WinTrayPopover::requestFocusOnEvent, this,
            [this](const QString& eventId, const QDate& date) {
                if (m_mainWindow)
                    m_mainWindow->revealEvent(eventId, date);
            });
    connect(m_popover, &WinTrayPopover::openSettings, this, [this]() {
        if (m_mainWindow)
            m_mainWindow->openPreferences();
    });
    connect(m_popover, &WinTrayPopover::syncNowRequested, this, &TrayManager::syncNowRequested);

    connect(m_trayIcon, &TrayIcon::activated, this, &TrayManager::togglePopover);
    m_trayIcon->setVisible(true);

    m_refreshTimer = new QTimer(this);
    m_refreshTimer->setInterval(tooltipIntervalMs);
    connect(m_refreshTimer, &QTimer::timeout, this, &TrayManager::refreshTooltip);
    m_refreshTimer->start();

    if (m_state) {
        if (m_state->events())
            connect(m_state->events(), &EventRepository::eventsChanged, this,
                    &TrayManager::refreshTooltip);
        connect(m_state, &AppState::syncBusyChanged, this, &TrayManager::refreshIcon);
        connect(m_state, &AppState::lastSyncErroredChanged, this, &TrayManager::refreshIcon);
        connect(m_state, &AppState::lastSyncErroredChanged, this, &TrayManager::refreshTooltip);
    }
}

QIcon TrayManager::badgedIcon(const QIcon& base, const QColor& colour)
{
    QIcon icon;
    for (int size : {16, 24, 32, 48}) {
        QPixmap pixmap = base.pixmap(QSize(size, size), 1.0, QIcon::Normal, QIcon::Off);
        if (pixmap.isNull())
            continue;
        const int d = std::max(size * 38 / 100, 6);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(255, 255, 255, 230), std::max(size / 24, 1)));
        painter.setBrush(colour);
        painter.drawEllipse(size - d, size - d, d - 1, d - 1);
        painter.end();
        icon.addPixmap(pixmap, QIcon::Normal, QIcon::Off);
    }
    return icon;
}

void TrayManager::refreshIcon()
{
    if (!m_trayIcon)
        return;
    const bool busy = m_state && m_state->isSyncBusy();
    const bool errored = m_state && m_state->lastSyncErrored();
    if (!busy && !errored)
        m_trayIcon->setIcon(baseIcon());
    else
        m_trayIcon->setIcon(badgedIcon(baseIcon(), errored ? errorColour : busyColour));
}

QString TrayManager::tooltipText(const AppState* state)
{
    const QString name = tr("Orvandellic Calendar");
    if (state && state->lastSyncErrored()) {
        if (state->lastSyncError().isEmpty())
            return tr("%1 — Last sync failed").arg(name);
        return tr("%1 — Sync failed: %2")
            .arg(name, ShownText::bounded(state->lastSyncError(), Limits::maxRowTextChars));
    }
    const std::optional<Event> next = EventQuery::nextVisibleOccurrence(state);
    if (!next)
        return tr("%1 — No upcoming events").arg(name);
    // The tip is one line: a megabyte title would be laid out whenever the pointer rests on it.
    const QString title = next->title.isEmpty()
                              ? tr("Untitled")
                              : ShownText::bounded(next->title, Limits::maxRowTextChars);
    const QDate today = Clock::today();
    if (next->isAllDay) {
        // All-day events keep their stored date, whatever the zone.
        const QDate date = next->startTime.toUTC().date();
        const QString day = date == today ? tr("today")
                            : date == today.addDays(1)
                                ? tr("tomorrow")
                                : DateLanguage::format(date, QStringLiteral("ddd, MMM d"));
        return tr("%1 — Next: %2 (%3, all day)").arg(name, title, day);
    }
    const QDateTime start = next->startTime.toTimeZone(QTimeZone::systemTimeZone());
    const QString time = TimeFormat::format(start, TimeFormat::timePattern(state));
    QString when;
    if (start.date() == today)
        when = tr("at %1").arg(time);
    else if (start.date() == today.addDays(1))
        when = tr("tomorrow at %1").arg(time);
    else
        when = QStringLiteral("%1 %2").arg(
            DateLanguage::format(start.date(), QStringLiteral("ddd, MMM d")), time);
    return tr("%1 — Next: %2 %3").arg(name, title, when);
}

void TrayManager::refreshTooltip()
{
    if (m_trayIcon)
        m_trayIcon->setToolTip(tooltipText(m_state));
}

void TrayManager::togglePopover(QSystemTrayIcon::ActivationReason reason)
{
    if (reason != QSystemTrayIcon::DoubleClick && reason != QSystemTrayIcon::Trigger &&
        reason != QSystemTrayIcon::MiddleClick)
        return;
    if (!m_popover)
        return;
    if (m_popover->isVisible()) {
        m_popover->hide();
        return;
    }
    const QRect geometry = m_trayIcon ? m_trayIcon->geometry() : QRect();
    m_popover->showAt(geometry.isEmpty() ? QCursor::pos() : geometry.center());
}

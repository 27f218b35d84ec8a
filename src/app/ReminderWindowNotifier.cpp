#include "ReminderWindowNotifier.h"

#include <QApplication>

ReminderWindowNotifier::ReminderWindowNotifier(QObject* parent) : Notifier(parent) {}

ReminderWindowNotifier::~ReminderWindowNotifier()
{
    delete m_window;
}

bool ReminderWindowNotifier::isAvailable() const
{
    return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
}

bool ReminderWindowNotifier::notify(const Notification& notification)
{
    if (!isAvailable())
        return false;
    if (!m_window) {
        m_window = new ReminderWindow;
        connect(m_window, &ReminderWindow::opened, this, &Notifier::activated);
        connect(m_window, &ReminderWindow::dismissed, this, &Notifier::dismissed);
    }
    m_window->add(notification);
    return true;
}

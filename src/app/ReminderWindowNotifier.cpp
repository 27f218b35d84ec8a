#include "ReminderWindowNotifier.h"

#include <QApplication>

ReminderWindowNotifier::ReminderWindowNotifier(QObject* parent) : Notifier(parent)
{
    // The service lives as long as the application object, whose children go only after the
    // widget system is torn down: a window deleted that late takes the program down with it.
    if (QCoreApplication* application = QCoreApplication::instance())
        connect(application, &QCoreApplication::aboutToQuit, this, [this] { delete m_window; });
}

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

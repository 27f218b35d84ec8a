// Renders the reminder window with three reminders, light and dark:
//     reminder_window_shots <output folder>
// Writes reminder-window-light.png and reminder-window-dark.png, and the same after the first
// reminder is dismissed (reminder-window-light-dismissed.png, reminder-window-dark-dismissed.png).

#include "BundledFonts.h"
#include "ReminderWindow.h"
#include "Theme.h"
#include "ThemeManager.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>

#include <cstdio>

namespace {

Notification reminder(const QString& title, const QString& body, const QString& tag)
{
    Notification notification;
    notification.title = title;
    notification.body = body;
    notification.tag = tag;
    notification.id = title;
    return notification;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: reminder_window_shots <output folder>\n");
        return 2;
    }
    const QString output = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(output);
    BundledFonts::registerAll();
    QApplication::setFont(QFont(Theme::sansFamily(), 11));

    ThemeManager theme(nullptr);
    for (const QString& mode : QStringList{"light", "dark"}) {
        theme.apply(mode);
        ReminderWindow window;
        window.add(reminder(QStringLiteral("Design review with the platform team"),
                            QStringLiteral("In 15 minutes (11:00) · Room 4, second floor"),
                            QStringLiteral("review")));
        window.add(reminder(QStringLiteral("Dentist"), QStringLiteral("In 1h (16:15)"),
                            QStringLiteral("dentist")));
        window.add(reminder(QStringLiteral("Test reminder"),
                            QStringLiteral("If you can see this, your desktop notifications are "
                                           "wired up correctly. Real reminders look just like "
                                           "this one."),
                            QString()));
        QApplication::processEvents();
        const QString path = output + QStringLiteral("/reminder-window-%1.png").arg(mode);
        if (!window.grab().save(path))
            return 1;
        std::printf("%s\n", qPrintable(path));

        // The list after the first one is dismissed.
        for (QPushButton* button : window.findChildren<QPushButton*>()) {
            if (button->text() == QStringLiteral("Dismiss")) {
                button->click();
                break;
            }
        }
        QApplication::processEvents();
        const QString after =
            output + QStringLiteral("/reminder-window-%1-dismissed.png").arg(mode);
        if (!window.grab().save(after))
            return 1;
        std::printf("%s\n", qPrintable(after));
    }
    return 0;
}

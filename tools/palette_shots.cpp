// The command palette over the main window, light and dark, at 1024 by 640 and at 1440 by 900:
// with every command listed, with commands and events found for "da", and with events only for
// "lunch", as PNG files for a person to check.
//     xvfb-run -a build/tools/palette_shots /tmp/palette

#include "AppState.h"
#include "Clock.h"
#include "CommandPalette.h"
#include "EventRepository.h"
#include "GalleryCapture.h"
#include "MainWindow.h"
#include "PreferencesRepository.h"
#include "ThemeManager.h"

#include <QApplication>
#include <QLineEdit>
#include <QPainter>
#include <QTimeZone>
#include <QUuid>

namespace {

const QDate today(2026, 3, 11);

void addEvent(AppState& state, const QString& title, const QDate& date, const QTime& time,
              const QString& location = {})
{
    Event event;
    event.id = event.uid = QUuid::createUuid().toString(QUuid::WithoutBraces);
    event.calendarId = AppState::localCalendarId;
    event.title = title;
    event.location = location;
    if (time.isValid()) {
        event.startTime = QDateTime(date, time, QTimeZone::systemTimeZone()).toUTC();
        event.endTime = event.startTime.addSecs(3600);
        event.timezone = QString::fromUtf8(QTimeZone::systemTimeZoneId());
    } else {
        event.isAllDay = true;
        event.startTime = QDateTime(date, QTime(0, 0), QTimeZone::utc());
        event.endTime = event.startTime.addDays(1);
    }
    event.created = event.lastModified = Clock::now();
    state.events()->insert(event);
}

void seed(AppState& state)
{
    addEvent(state, QStringLiteral("Daily standup"), today, QTime(9, 30));
    addEvent(state, QStringLiteral("Lunch with Ana"), today, QTime(12, 30),
             QStringLiteral("Café Central"));
    addEvent(state, QStringLiteral("Roadmap update"), today.addDays(1), QTime(14, 0));
    addEvent(state, QString(), today.addDays(2), QTime(16, 0), QStringLiteral("Lunchroom"));
    addEvent(state, QStringLiteral("Team day"), today.addDays(7), QTime());
    addEvent(state, QStringLiteral("Quarterly planning lunch"), today.addDays(9), QTime(12, 0));
}

// The window with the palette drawn where it stands over it.
bool savePalette(GalleryCapture& capture, MainWindow& window, CommandPalette* palette,
                 const QString& name)
{
    QApplication::processEvents();
    QPixmap shot = window.grab();
    QPainter painter(&shot);
    painter.drawPixmap(palette->geometry().topLeft() - window.geometry().topLeft(),
                       palette->grab());
    painter.end();
    if (!shot.save(capture.filePath(name))) {
        capture.addFailure();
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    GalleryCapture capture(QDateTime(today, QTime(10, 20), QTimeZone::systemTimeZone()));
    QApplication app(argc, argv);
    if (const int status = capture.start(argc, argv, "palette_shots"))
        return status;
    AppState* state = capture.state();
    seed(*state);
    state->preferences()->setBool(QStringLiteral("ui/firstLaunchSeen"), true);

    for (const char* mode : {"light", "dark"}) {
        state->themeManager()->apply(QString::fromLatin1(mode));
        const QString suffix = GalleryCapture::suffix(mode);
        MainWindow window(state);
        window.show();
        for (const QSize& size : {QSize(1024, 640), QSize(1440, 900)}) {
            window.resize(size);
            QApplication::processEvents();
            const QString prefix =
                QStringLiteral("palette-%1x%2-").arg(size.width()).arg(size.height());
            window.openCommandPalette();
            auto* palette = window.findChild<CommandPalette*>();
            auto* text = palette->findChild<QLineEdit*>();
            savePalette(capture, window, palette, prefix + QStringLiteral("commands") + suffix);
            for (const char* typed : {"da", "lunch"}) {
                text->setText(QString::fromLatin1(typed));
                while (palette->isSearching())
                    QApplication::processEvents(QEventLoop::WaitForMoreEvents);
                savePalette(capture, window, palette, prefix + QString::fromLatin1(typed) + suffix);
            }
            palette->hide();
        }
    }
    return capture.finish();
}

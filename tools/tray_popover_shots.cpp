// Renders the tray popover, light and dark, over a small calendar at a fixed time:
//     tray_popover_shots <output folder>
// Writes tray-popover-light.png and tray-popover-dark.png.

#include "AppState.h"
#include "BundledFonts.h"
#include "CalendarRepository.h"
#include "Clock.h"
#include "EventRepository.h"
#include "PreferencesRepository.h"
#include "Services.h"
#include "Theme.h"
#include "ThemeManager.h"
#include "WinTrayPopover.h"

#include "GalleryCapture.h"

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimeZone>
#include <QUuid>

#include <cstdio>

namespace {

void addEvent(AppState* state, const QString& title, const QDateTime& start, int minutes,
              bool allDay = false, const QString& location = {}, const QString& colour = {})
{
    Event event;
    event.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    event.uid = event.id;
    event.calendarId = AppState::localCalendarId;
    event.title = title;
    event.location = location;
    event.color = colour;
    event.isAllDay = allDay;
    event.startTime = allDay ? QDateTime(start.date(), QTime(0, 0), Qt::UTC) : start.toUTC();
    event.endTime = allDay ? event.startTime.addDays(1) : event.startTime.addSecs(minutes * 60);
    event.rawIcalendar = QStringLiteral("");
    event.created = Clock::now();
    event.lastModified = event.created;
    state->events()->insert(event);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: tray_popover_shots <output folder>\n");
        return 2;
    }
    const QString output = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(output);
    QTemporaryDir data;
    qputenv("CALENDAR_DATA_DIR", data.path().toUtf8());
    BundledFonts::registerAll();
    QApplication::setFont(QFont(Theme::sansFamily(), 11));
    GalleryCapture::installCatalogue();

    const QTimeZone zone = QTimeZone::systemTimeZone();
    const QDate today(2026, 3, 11);
    Clock::pin(QDateTime(today, QTime(10, 20), zone));
    AppState state;
    if (!Services::start(state))
        return 1;
    addEvent(&state, QStringLiteral("Design review with the platform team"),
             QDateTime(today, QTime(11, 0), zone), 60, false,
             QStringLiteral("Room 4, second floor"));
    addEvent(&state, QStringLiteral("Lunch"), QDateTime(today, QTime(12, 30), zone), 45);
    addEvent(&state, QStringLiteral("Dentist"), QDateTime(today, QTime(16, 15), zone), 30, false,
             {}, QStringLiteral("#e53935"));
    addEvent(&state, QStringLiteral("Company holiday"), QDateTime(today.addDays(1), {}, zone), 0,
             true, {}, QStringLiteral("#0b8043"));
    addEvent(&state, QStringLiteral("Standup"), QDateTime(today.addDays(1), QTime(9, 30), zone),
             15);

    QCursor::setPos(0, 0); // no row under the pointer
    for (const QString& mode : QStringList{"light", "dark"}) {
        state.themeManager()->apply(mode);
        WinTrayPopover popover(&state, nullptr);
        popover.showAt(QPoint(600, 700));
        popover.quickAddEdit()->setText(QStringLiteral("lunch Thursday 1pm"));
        QApplication::processEvents();
        const QString path = output + QStringLiteral("/tray-popover-%1.png").arg(mode);
        if (!popover.grab().save(path))
            return 1;
        std::printf("%s\n", qPrintable(path));
        popover.hide();
    }
    return 0;
}

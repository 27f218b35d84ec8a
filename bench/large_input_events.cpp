// Events of extreme but well-formed size against ordinary ones, each in a fresh store: the event
// form opened on an event with 5,000 attendees against 5 (the stored row read and the form
// shown), and the sidebar's agenda (its first fill and a reload) and the details card of an event
// with a megabyte title, location and description against short texts. The card is built from
// the stored row; the click's read of that row is the store's cost and is printed beside the
// ratio. Each figure is the window's longest event-loop block, the median of a few runs.

#include "AgendaListWidget.h"
#include "AppState.h"
#include "EventDetailsPopover.h"
#include "EventFormDialog.h"
#include "EventLoopBlocks.h"
#include "EventRepository.h"
#include "Ical.h"
#include "LargeInput.h"
#include "PopoverPlacement.h"
#include "Services.h"
#include "ViewBenchStore.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimeZone>

#include <cstdio>
#include <functional>
#include <vector>

namespace LargeInput {

namespace {

using ViewBenchStore::measuredDay;

constexpr int runs = 9;
constexpr int agendaDays = 30;
// Ordinary events around the measured one, so that the agenda has rows to keep and build.
constexpr int otherEvents = 40;
const QString measuredId = QStringLiteral("measured");

// A megabyte of words and web addresses, as a long imported description or a runaway title
// holds.
QString megabyteText(const QString& word)
{
    QString text;
    text.reserve(1024 * 1024 + 64);
    for (int i = 0; text.size() < 1024 * 1024; ++i)
        text += (i % 50 == 49 ? QStringLiteral("https://example.com/%1 ").arg(i) : word + u' ');
    return text;
}

Event otherEvent(int index)
{
    const QTimeZone zone = QTimeZone::systemTimeZone();
    Event event;
    event.id = QStringLiteral("other-%1").arg(index);
    event.uid = event.id + QStringLiteral("@bench");
    event.calendarId = AppState::localCalendarId;
    event.title = QStringLiteral("Meeting %1").arg(index);
    event.location = QStringLiteral("Room %1").arg(index % 7);
    event.startTime = QDateTime(measuredDay.addDays(index % 10), QTime(8 + index % 9, 0), zone);
    event.endTime = event.startTime.addSecs(45 * 60);
    event.timezone = QString::fromUtf8(zone.id());
    event.created = event.lastModified = event.startTime.addYears(-1).toUTC();
    return event;
}

// The measured event, today at 11:00, with its texts and `attendees` attendees.
Event measuredEvent(const QString& title, const QString& location, const QString& description,
                    int attendees)
{
    Event event = otherEvent(0);
    event.id = measuredId;
    event.uid = measuredId + QStringLiteral("@bench");
    event.title = title;
    event.location = location;
    event.description = description;
    event.startTime = QDateTime(measuredDay, QTime(11, 0), QTimeZone::systemTimeZone());
    event.endTime = event.startTime.addSecs(3600);
    for (int i = 0; i < attendees; ++i) {
        Attendee& attendee = event.attendees.emplace_back();
        attendee.email = QStringLiteral("person%1@example.com").arg(i);
        attendee.name = QStringLiteral("Person %1").arg(i);
        attendee.status = i % 3 ? QStringLiteral("accepted") : QStringLiteral("needs-action");
        attendee.role = QStringLiteral("required");
    }
    event.rawIcalendar = Ical::buildEvent(event);
    return event;
}

// A fresh store holding the ordinary events and `measured`; `measure` runs on it.
bool withStore(const Event& measured, const std::function<bool(AppState&)>& measure)
{
    QTemporaryDir dir;
    qputenv("CALENDAR_DATA_DIR", dir.path().toUtf8());
    AppState state;
    if (!Services::start(state) ||
        !ViewBenchStore::insertEvents(state, otherEvents + 1, [&](int index) {
            return index == otherEvents ? measured : otherEvent(index);
        }))
        return false;
    state.setViewModeAndDate(QStringLiteral("day"), measuredDay);
    return measure(state);
}

// The median over `runs` of the longest block while `work` runs until `settled`; negative when
// the loop never settled.
double medianBlock(EventLoopBlocks& app, const std::function<void()>& work,
                   const std::function<bool()>& settled, const std::function<void()>& after = {})
{
    std::vector<double> blocks;
    for (int run = 0; run < runs; ++run) {
        app.reset();
        if (!app.run(work, settled))
            return -1;
        blocks.push_back(app.longestMs());
        if (after)
            after();
    }
    return ViewBenchStore::median(blocks);
}

// Opening the edit form on the stored event, as a double click does: read, build, show.
double formBlock(EventLoopBlocks& app, AppState& state, int* attendeesKept)
{
    QPointer<EventFormDialog> form;
    return medianBlock(
        app,
        [&] {
            const std::optional<Event> stored = state.events()->getById(measuredId);
            if (!stored)
                return;
            *attendeesKept = int(stored->attendees.size());
            form = new EventFormDialog(&state, *stored);
            form->setAttribute(Qt::WA_DeleteOnClose);
            form->show();
        },
        [&] { return form && form->isVisible(); }, [&] { delete form; });
}

struct TextFigures
{
    double agendaMs = -1;
    double cardMs = -1;
    double readMs = -1;
};

// The agenda's first fill and a reload, and the details card of the stored event opened as a
// click on its row does.
bool textBlocks(EventLoopBlocks& app, const Event& measured, TextFigures* figures)
{
    return withStore(measured, [&](AppState& state) {
        QWidget window;
        window.resize(1200, 800);
        window.show();
        QPointer<AgendaListWidget> list;
        const auto loaded = [&] { return list && !list->isLoading(); };
        const double first = medianBlock(
            app,
            [&] {
                list = new AgendaListWidget(&state, true, agendaDays, QString(), &window);
                list->setGeometry(0, 0, 300, 800);
                list->show();
            },
            loaded, [&] { delete list; });
        list = new AgendaListWidget(&state, true, agendaDays, QString(), &window);
        list->setGeometry(0, 0, 300, 800);
        list->show();
        if (!app.settle(loaded))
            return false;
        const double reload = medianBlock(
            app, [&] { list->reload(); }, loaded);
        figures->agendaMs = std::max(first, reload);

        // The row's click reads the stored row first: the store's cost, not the card's.
        QElapsedTimer reading;
        reading.start();
        const std::optional<Event> stored = state.events()->getById(measuredId);
        figures->readMs = double(reading.nsecsElapsed()) / 1e6;
        if (!stored)
            return false;
        QPointer<EventDetailsPopover> card;
        figures->cardMs = medianBlock(
            app,
            [&] {
                card = new EventDetailsPopover(&state, *stored, list);
                showPopoverAnchored(card, QRect(list->mapToGlobal(QPoint(0, 100)), QSize(300, 40)));
            },
            [&] { return card && card->isVisible(); }, [&] { delete card; });
        return first >= 0 && reload >= 0 && figures->cardMs >= 0;
    });
}

} // namespace

bool attendees(EventLoopBlocks& app)
{
    const int counts[] = {5, 5000};
    double blocks[2] = {-1, -1};
    int kept[2] = {0, 0};
    for (int i = 0; i < 2; ++i) {
        const Event event = measuredEvent(QStringLiteral("Planning"), QStringLiteral("Room 1"),
                                          QStringLiteral("Agenda"), counts[i]);
        if (!withStore(event,
                       [&](AppState& state) {
                           blocks[i] = formBlock(app, state, &kept[i]);
                           return blocks[i] >= 0;
                       }) ||
            kept[i] != counts[i]) {
            std::printf("attendees: the event form could not be opened\n");
            return false;
        }
    }
    std::printf("  event form opened, longest event-loop block: %d attendees %.1f ms, %d attendees "
                "%.1f ms\n",
                counts[1], blocks[1], counts[0], blocks[0]);
    std::printf("attendees ratio %.2f (target <= 3)\n", blocks[1] / blocks[0]);
    return true;
}

bool longText(EventLoopBlocks& app)
{
    TextFigures shortTexts;
    TextFigures longTexts;
    const Event ordinary = measuredEvent(QStringLiteral("Planning"), QStringLiteral("Room 1"),
                                         QStringLiteral("Agenda: https://example.com/plan"), 3);
    const Event extreme = measuredEvent(megabyteText(QStringLiteral("Planning")),
                                        megabyteText(QStringLiteral("Room")),
                                        megabyteText(QStringLiteral("Agenda")), 3);
    if (!textBlocks(app, ordinary, &shortTexts) || !textBlocks(app, extreme, &longTexts)) {
        std::printf("long text: the agenda or the card did not settle\n");
        return false;
    }
    const double agenda = longTexts.agendaMs / shortTexts.agendaMs;
    const double card = longTexts.cardMs / shortTexts.cardMs;
    std::printf("  agenda fill and reload, longest event-loop block: 1 MB texts %.1f ms, short "
                "texts %.1f ms, ratio %.2f\n",
                longTexts.agendaMs, shortTexts.agendaMs, agenda);
    std::printf("  details card, longest event-loop block: 1 MB texts %.1f ms, short texts %.1f "
                "ms, ratio %.2f\n",
                longTexts.cardMs, shortTexts.cardMs, card);
    std::printf(
        "  (the click's read of the stored row before the card, not in the ratio: 1 MB texts "
        "%.1f ms, short texts %.1f ms)\n",
        longTexts.readMs, shortTexts.readMs);
    std::printf("long text ratio %.2f (target <= 2)\n", std::max(agenda, card));
    return true;
}

} // namespace LargeInput

// Renders the day view over a seeded throw-away store in light and dark mode as PNG files for a
// person to look at: overlapping events in columns, off-hours shading, the current-time line,
// pending and reminder glyphs, a dimmed event, an event begun the evening before, the all-day
// strip collapsed and expanded, and the details card; then a crowded week at 1024 px and its days
// (500 events in one hour, a dozen overlapping meetings) with their "+N" marks, the list one
// opens and the card of an event chosen there; the week of the night the clocks go forward in
// 2027 (under TZ=Europe/Berlin: 28 March skips 02:00 to 03:00) with series at 01:30, 02:30 and
// 03:00, and the message a series moved into the skipped hour gives. Contacts nothing. Run
// under a display:
//     xvfb-run -a views_gallery <output folder>

#include "AccountRepository.h"
#include "AllDayStrip.h"
#include "AppState.h"
#include "CalendarRepository.h"
#include "Clock.h"
#include "DayTimelineWidget.h"
#include "DayView.h"
#include "EventDetailsPopover.h"
#include "EventRepository.h"
#include "FilterRuleRepository.h"
#include "GalleryCapture.h"
#include "Ical.h"
#include "RecurringEdit.h"
#include "ThemeManager.h"
#include "WeekTimelineWidget.h"
#include "WeekView.h"

#include <QApplication>
#include <QListView>
#include <QMessageBox>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimeZone>
#include <QVBoxLayout>

namespace {

const QDate today(2026, 3, 11);

QDateTime local(const QDate& date, const QTime& time)
{
    return QDateTime(date, time, QTimeZone::systemTimeZone());
}

QDateTime utcMidnight(const QDate& date)
{
    return QDateTime(date, QTime(0, 0), Qt::UTC);
}

void addCalendars(AppState& state)
{
    GalleryCapture::addAccount(state, QStringLiteral("dav"), QStringLiteral("Work"));
    GalleryCapture::addCalendar(state, QStringLiteral("team"), QStringLiteral("dav"),
                                QStringLiteral("Team"), QStringLiteral("#33b679"));
    GalleryCapture::addCalendar(state, QStringLiteral("family"), QStringLiteral("dav"),
                                QStringLiteral("Family"), QStringLiteral("#e67c73"));
}

Event event(const char* id, const char* calendar, const char* title, const QDateTime& start,
            const QDateTime& end)
{
    Event event;
    event.id = event.uid = QString::fromLatin1(id);
    event.calendarId = QString::fromLatin1(calendar);
    event.title = QString::fromUtf8(title);
    event.startTime = start;
    event.endTime = end;
    event.created = event.lastModified = Clock::now();
    return event;
}

void addEvents(AppState& state)
{
    QList<Event> events;
    Event review = event("review", "team", "Design review: timeline drag and drop",
                         local(today, QTime(9, 0)), local(today, QTime(10, 30)));
    review.reminders = {Reminder{}};
    review.reminders[0].minutesBefore = 15;
    review.location = QStringLiteral("Room 4.12, north building");
    review.description = QStringLiteral(
        "Agenda:\n1. Ghost and time label\n2. Undo after a push\nNotes: https://example.com/notes");
    review.organizerName = QStringLiteral("Ann Meyer");
    review.organizerEmail = QStringLiteral("ann@example.com");
    events.append(review);
    events.append(event("interview", "team", "Interview: backend engineer",
                        local(today, QTime(9, 30)), local(today, QTime(11, 0))));
    events.append(event("coffee", "family", "Coffee with Sam", local(today, QTime(10, 0)),
                        local(today, QTime(10, 45))));
    Event lunch = event("lunch", "family", "Lunch with the team (not yet uploaded)",
                        local(today, QTime(12, 30)), local(today, QTime(13, 30)));
    lunch.syncStatus = QStringLiteral("pending");
    events.append(lunch);
    Event budget = event("budget", "team", "Budget sync (dimmed by a filter)",
                         local(today, QTime(15, 0)), local(today, QTime(16, 0)));
    budget.reminders = {Reminder{}};
    budget.reminders[0].minutesBefore = 10;
    events.append(budget);
    events.append(event("short", "team", "5-minute check-in", local(today, QTime(16, 30)),
                        local(today, QTime(16, 35))));
    // Without length, as other clients write reminders-only entries: each needs its own column.
    events.append(event("call-ann", "team", "Call Ann", local(today, QTime(17, 30)),
                        local(today, QTime(17, 30))));
    events.append(event("call-bo", "family", "Call Bo", local(today, QTime(17, 30)),
                        local(today, QTime(17, 30))));
    events.append(event("parcel", "family", "Parcel pickup", local(today, QTime(17, 40)),
                        local(today, QTime(17, 40))));
    events.append(event("run", "family", "Evening run", local(today, QTime(19, 0)),
                        local(today, QTime(20, 0))));
    Event night = event("night", "team", "Night shift", local(today.addDays(-1), QTime(22, 0)),
                        local(today, QTime(2, 0)));
    night.recurrenceRule = QStringLiteral("FREQ=DAILY");
    events.append(night);

    const char* allDayTitles[] = {"Conference (three days)", "Team offsite", "Mia's birthday",
                                  "Public holiday", "Release freeze"};
    int index = 0;
    for (const char* title : allDayTitles) {
        const QByteArray id = "allday" + QByteArray::number(index);
        Event allDay = event(id.constData(), index % 2 ? "family" : "team", title,
                             utcMidnight(today.addDays(index == 0 ? -1 : 0)),
                             utcMidnight(today.addDays(index == 0 ? 2 : 1)));
        allDay.isAllDay = true;
        events.append(allDay);
        ++index;
    }
    for (Event& item : events) {
        item.rawIcalendar = Ical::buildEvent(item);
        state.events()->insert(item);
    }

    FilterRule rule;
    rule.id = QStringLiteral("dim-budget");
    rule.name = QStringLiteral("Dim the budget sync");
    rule.type = QStringLiteral("specific");
    rule.conditions = QStringLiteral("{\"runtimeType\":\"specific\"}");
    rule.action = QStringLiteral("dim");
    rule.eventUid = QStringLiteral("budget");
    rule.eventCalendarId = QStringLiteral("team");
    rule.createdAt = rule.updatedAt = Clock::now();
    state.filterRules()->insert(rule);
}

// A week later: 500 events in one hour on Wednesday, a dozen meetings overlapping on Thursday
// morning and a second, smaller crowd that afternoon.
const QDate crowdedDay = today.addDays(7);

void addCrowds(AppState& state)
{
    QList<Event> events;
    for (int i = 0; i < 500; ++i) {
        const QByteArray id = "load" + QByteArray::number(i);
        const QByteArray title = "Load test slot " + QByteArray::number(i + 1);
        events.append(event(id.constData(), i % 3 ? "team" : "family", title.constData(),
                            local(crowdedDay, QTime(10, 0)), local(crowdedDay, QTime(11, 0))));
    }
    const char* meetings[] = {"Sprint planning", "Design sync",      "Hiring panel",
                              "1:1 with Ann",    "Vendor call",      "Budget review",
                              "Support rota",    "Release go/no-go", "Security review",
                              "Customer demo",   "Docs triage",      "Team retro"};
    const QDate thursday = crowdedDay.addDays(1);
    int index = 0;
    for (const char* title : meetings) {
        const QByteArray id = "meeting" + QByteArray::number(index);
        const QTime start(9, 15 * (index % 4));
        events.append(event(id.constData(), index % 2 ? "family" : "team", title,
                            local(thursday, start), local(thursday, start.addSecs(75 * 60))));
        ++index;
    }
    for (int i = 0; i < 8; ++i) {
        const QByteArray id = "workshop" + QByteArray::number(i);
        const QByteArray title = "Workshop table " + QByteArray::number(i + 1);
        events.append(event(id.constData(), "team", title.constData(),
                            local(thursday, QTime(14, 0)), local(thursday, QTime(16, 0))));
    }
    for (Event& item : events) {
        item.rawIcalendar = Ical::buildEvent(item);
        state.events()->insert(item);
    }
}

// The Sunday of 2027 on which Berlin's clocks skip 02:00 to 03:00.
const QDate springNight(2027, 3, 28);

// Daily series from the Monday before that night: one before the skipped hour, one inside it
// (shown at 03:30 that night) and one that began in it and so repeats at the hour after.
void addSpringNight(AppState& state)
{
    const QDate monday = springNight.addDays(-6);
    const auto series = [&state](const char* id, const char* title, const QDate& first,
                                 const QTime& time) {
        Event row = event(id, "team", title, local(first, time), local(first, time).addSecs(1800));
        row.recurrenceRule = QStringLiteral("FREQ=DAILY;COUNT=10");
        row.timezone = QString::fromUtf8(QTimeZone::systemTimeZoneId());
        row.rawIcalendar = Ical::buildEvent(row);
        state.events()->insert(row);
    };
    series("bakery", "Bakery delivery", monday, QTime(1, 30));
    series("backup", "Night backup", monday, QTime(2, 30));
    series("watch", "Night watch", springNight, QTime(3, 0));
}

void leftClick(QWidget* widget, const QPoint& position)
{
    const QPointF local(position);
    const QPointF global(widget->mapToGlobal(position));
    QMouseEvent press(QEvent::MouseButtonPress, local, local, global, Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, local, global, Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

void settle()
{
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

} // namespace

int main(int argc, char* argv[])
{
    GalleryCapture capture(local(today, QTime(14, 20)));

    QApplication app(argc, argv);
    if (const int status = capture.start(argc, argv, "views_gallery"))
        return status;
    AppState* state = capture.state();
    addCalendars(*state);
    addEvents(*state);
    addCrowds(*state);
    addSpringNight(*state);

    ThemeManager theme(nullptr);
    const auto save = [&](QWidget* widget, const QString& name) {
        settle();
        capture.save(widget, name);
    };
    for (const char* mode : {"light", "dark"}) {
        theme.setMode(QString::fromLatin1(mode));
        const QString suffix = GalleryCapture::suffix(mode);

        QWidget window;
        window.resize(820, 900);
        auto* layout = new QVBoxLayout(&window);
        layout->setContentsMargins(0, 0, 0, 0);
        auto* view = new DayView(state, &window);
        layout->addWidget(view);
        view->setDate(today);
        window.show();
        settle();
        // The working morning and the afternoon with the current-time line in one picture.
        view->scrollArea()->verticalScrollBar()->setValue(7 * 56);
        save(&window, QStringLiteral("day-collapsed") + suffix);

        AllDayStrip* strip = view->allDayStrip();
        if (!strip->moreRects().isEmpty())
            leftClick(strip, strip->moreRects().first().center());
        save(&window, QStringLiteral("day-expanded") + suffix);

        // Evening and night: shading after the working day, the night shift's early block.
        view->scrollArea()->verticalScrollBar()->setValue(0);
        save(&window, QStringLiteral("day-night") + suffix);

        view->scrollArea()->verticalScrollBar()->setValue(7 * 56);
        settle();
        for (const auto& region : view->timeline()->hitRegions()) {
            if (region.eventId == QLatin1String("review")) {
                const QRect global(view->timeline()->mapToGlobal(region.rect.topLeft()),
                                   region.rect.size());
                view->showEventDetails(region.eventId, region.instanceStart, global);
                break;
            }
        }
        save(&window, QStringLiteral("day-popover") + suffix);
        EventDetailsPopover::closeActive();
        if (!strip->collapseRect().isNull())
            leftClick(strip, strip->collapseRect().center());
        settle();

        // The crowded days: each "+N" mark, and the list the first one opens.
        for (const int offset : {0, 1}) {
            view->setDate(crowdedDay.addDays(offset));
            settle();
            view->scrollArea()->verticalScrollBar()->setValue(8 * 56);
            const QString name = QStringLiteral("day-crowded-%1").arg(offset);
            save(&window, name + suffix);
            DayTimelineWidget* timeline = view->timeline();
            if (timeline->hiddenMarks().isEmpty())
                continue;
            leftClick(timeline, timeline->hiddenMarks().first().rect.center());
            save(&window, name + QStringLiteral("-list") + suffix);
            EventDetailsPopover::closeActive();
        }
        view->setDate(today);

        QWidget weekWindow;
        weekWindow.resize(1024, 760);
        auto* weekLayout = new QVBoxLayout(&weekWindow);
        weekLayout->setContentsMargins(0, 0, 0, 0);
        auto* week = new WeekView(state, true, &weekWindow);
        weekLayout->addWidget(week);
        week->setDate(crowdedDay);
        weekWindow.show();
        settle();
        week->scrollArea()->verticalScrollBar()->setValue(8 * 56);
        save(&weekWindow, QStringLiteral("week-crowded") + suffix);
        WeekTimelineWidget* weekTimeline = week->timeline();
        for (const auto& mark : weekTimeline->hiddenMarks()) {
            if (mark.day == crowdedDay.addDays(1)) {
                leftClick(weekTimeline, mark.rect.center());
                break;
            }
        }
        save(&weekWindow, QStringLiteral("week-crowded-list") + suffix);
        // A row chosen: the event's card beside the mark, which is ringed as holding the selection.
        if (auto* list = weekWindow.findChild<QListView*>()) {
            const QModelIndex first = list->model()->index(0, 0);
            leftClick(list->viewport(), list->visualRect(first).center());
        }
        save(&weekWindow, QStringLiteral("week-crowded-chosen") + suffix);
        EventDetailsPopover::closeActive();

        // The spring night: no block starts in the skipped hour; what the clocks skip there is
        // shown at the hour after.
        week->setDate(springNight);
        settle();
        week->scrollArea()->verticalScrollBar()->setValue(0);
        save(&weekWindow, QStringLiteral("week-spring-night") + suffix);
        QMessageBox settled(QMessageBox::Warning, QStringLiteral("Calendar"),
                            RecurringEdit::settledText(state, QStringLiteral("Night watch"),
                                                       local(springNight, QTime(3, 0))),
                            QMessageBox::Ok, &weekWindow);
        settled.show();
        save(&settled, QStringLiteral("spring-night-settled") + suffix);
    }
    return capture.finish();
}

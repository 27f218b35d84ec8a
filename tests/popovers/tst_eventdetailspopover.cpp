#include "AppState.h"
#include "AppStateFixture.h"
#include "EventChangeState.h"
#include "EventDetailsPopover.h"
#include "EventFormDialog.h"
#include "EventRepository.h"
#include "GuiEnvironment.h"
#include "Ical.h"
#include "InputEvents.h"
#include "Limits.h"
#include "ModalSeam.h"
#include "PopoverPlacement.h"
#include "Recurrence.h"
#include "StoreSeed.h"
#include "UndoStack.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTimeZone>

namespace {

const QDate today(2026, 3, 11);

QLabel* labelWithText(QWidget* card, const QString& part)
{
    for (QLabel* label : card->findChildren<QLabel*>()) {
        if (label->text().contains(part))
            return label;
    }
    return nullptr;
}

void click(QWidget* card, const QString& text)
{
    for (QPushButton* candidate : card->findChildren<QPushButton*>()) {
        if (candidate->text() == text)
            return candidate->click();
    }
    QFAIL(qPrintable(text));
}

Event review()
{
    return StoreSeed::timedEvent(QStringLiteral("x"), QStringLiteral("work"),
                                 QStringLiteral("Review"), StoreSeed::local(today, QTime(9, 0)),
                                 StoreSeed::local(today, QTime(10, 0)));
}

// A daily 09:00-10:00 series of a calendar that syncs both ways, with a server copy, reminders,
// an attendee and a property the record does not model.
Event storedSeries()
{
    Event series = StoreSeed::timedEvent(QStringLiteral("series"), QStringLiteral("work"),
                                         QStringLiteral("Standup"),
                                         StoreSeed::local(today.addDays(-7), QTime(9, 0)),
                                         StoreSeed::local(today.addDays(-7), QTime(10, 0)));
    series.recurrenceRule = QStringLiteral("FREQ=DAILY");
    series.providerEventId = QStringLiteral("provider-1");
    series.etag = QStringLiteral("\"etag-1\"");
    series.href = QStringLiteral("/cal/series.ics");
    series.reminders = {Reminder{}};
    series.reminders[0].id = QStringLiteral("r1");
    series.reminders[0].eventId = series.id;
    series.reminders[0].minutesBefore = 10;
    series.attendees = {Attendee{}};
    series.attendees[0].id = QStringLiteral("a1");
    series.attendees[0].eventId = series.id;
    series.attendees[0].email = QStringLiteral("ann@example.com");
    series.rawIcalendar = QStringLiteral("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\n"
                                         "UID:series\r\nSUMMARY:Standup\r\nX-TEAM-ROOM:blue\r\n"
                                         "DTSTART:20260304T090000Z\r\nRRULE:FREQ=DAILY\r\n"
                                         "END:VEVENT\r\nEND:VCALENDAR\r\n");
    return series;
}

// Today's occurrence of the series as a view hands it to the card.
Event todaysOccurrence(const Event& series)
{
    const QList<Event> occurrences =
        Recurrence::expand({series}, StoreSeed::local(today, QTime(0, 0)),
                           StoreSeed::local(today.addDays(1), QTime(0, 0)));
    return occurrences.value(0);
}

} // namespace

class TestEventDetailsPopover : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { GuiEnvironment::prepare(); }

    void init()
    {
        m_fixture = std::make_unique<AppStateFixture>();
        QVERIFY(m_fixture->start());
        QVERIFY(StoreSeed::addCalendar(
            state(),
            StoreSeed::account(QStringLiteral("acc"), QStringLiteral("Work"),
                               QStringLiteral("caldav")),
            StoreSeed::calendar(QStringLiteral("work"), QStringLiteral("acc"),
                                QStringLiteral("<b>Team</b>"), QStringLiteral("#33b679"))));
        m_window = std::make_unique<QWidget>();
        m_window->resize(1000, 700);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    void cleanup()
    {
        EventDetailsPopover::closeActive();
        m_window.reset();
        m_fixture.reset();
    }

    void anchoredPlacement_data()
    {
        QTest::addColumn<QRect>("host");
        QTest::addColumn<QRect>("anchor");
        QTest::addColumn<QPoint>("expected");
        const QRect wide(0, 0, 1000, 700);
        QTest::newRow("right of the anchor, top-aligned")
            << wide << QRect(100, 100, 50, 20) << QPoint(157, 100);
        QTest::newRow("moved up to stay inside the bottom")
            << wide << QRect(100, 600, 50, 20) << QPoint(157, 391);
        QTest::newRow("kept 8 px below the top")
            << wide << QRect(100, -50, 50, 20) << QPoint(157, 8);
        QTest::newRow("flips to the left near the right edge")
            << wide << QRect(700, 100, 50, 20) << QPoint(292, 100);
        QTest::newRow("no side room: below, centred")
            << QRect(0, 0, 600, 700) << QRect(250, 100, 100, 20) << QPoint(99, 127);
        QTest::newRow("no side room, none below: above")
            << QRect(0, 0, 600, 700) << QRect(250, 500, 100, 20) << QPoint(99, 192);
        QTest::newRow("no side room: kept 8 px inside the right edge")
            << QRect(0, 0, 500, 700) << QRect(400, 100, 60, 20) << QPoint(91, 127);
    }

    void anchoredPlacement()
    {
        QFETCH(QRect, host);
        QFETCH(QRect, anchor);
        QFETCH(QPoint, expected);
        QCOMPARE(PopoverPlacement::anchoredTopLeft(QSize(400, 300), anchor, host), expected);
    }

    // A card stands in its window where it fits, else on the window's screen, whole; all in
    // global coordinates. No anchor: centred.
    void placementInWindowOrOnScreen_data()
    {
        QTest::addColumn<QRect>("host");
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<QRect>("anchor");
        QTest::addColumn<QPoint>("expected");
        QTest::addColumn<bool>("ownWindow");
        const QRect screen(0, 0, 1280, 720);
        QTest::newRow("fits: beside the anchor in the window")
            << QRect(100, 100, 1000, 600) << screen << QRect(200, 200, 50, 20) << QPoint(257, 200)
            << false;
        QTest::newRow("narrow window: right of it on the screen")
            << QRect(100, 0, 360, 720) << screen << QRect(100, 150, 360, 30) << QPoint(467, 150)
            << true;
        QTest::newRow("narrow window at the screen's right edge: left of it")
            << QRect(920, 0, 360, 720) << screen << QRect(920, 150, 360, 30) << QPoint(512, 150)
            << true;
        QTest::newRow("low window at the screen's bottom: moved up onto the screen")
            << QRect(0, 500, 1000, 220) << screen << QRect(100, 690, 50, 20) << QPoint(157, 411)
            << true;
        QTest::newRow("larger than the screen: its top-left corner on it")
            << QRect(0, 0, 300, 200) << QRect(0, 0, 300, 200) << QRect(10, 10, 20, 20)
            << QPoint(8, 8) << true;
        QTest::newRow("centred over a narrow window partly off the screen")
            << QRect(1000, 0, 360, 720) << screen << QRect() << QPoint(872, 210) << true;
    }

    void placementInWindowOrOnScreen()
    {
        QFETCH(QRect, host);
        QFETCH(QRect, screen);
        QFETCH(QRect, anchor);
        QFETCH(QPoint, expected);
        QFETCH(bool, ownWindow);
        const QSize size(400, 300);
        const PopoverPlacement::Spot spot =
            anchor.isValid() ? PopoverPlacement::anchoredSpot(size, anchor, host, screen)
                             : PopoverPlacement::centeredSpot(size, host, screen);
        QCOMPARE(spot.topLeft, expected);
        QCOMPARE(spot.ownWindow, ownWindow);
    }

    void timeText_data()
    {
        QTest::addColumn<Event>("event");
        QTest::addColumn<QString>("expected");
        const auto utc = [](int day) {
            return QDateTime(QDate(2026, 3, day), QTime(0, 0), Qt::UTC);
        };
        Event oneDay;
        oneDay.isAllDay = true;
        oneDay.startTime = utc(3);
        oneDay.endTime = utc(4);
        QTest::newRow("all-day, one day, the stored date in every zone")
            << oneDay << QStringLiteral("Tuesday, March 3, 2026  ·  All-day");
        Event range = oneDay;
        range.endTime = utc(6);
        QTest::newRow("all-day, exclusive end")
            << range << QStringLiteral("Tuesday, Mar 3 – Thursday, Mar 5, 2026  ·  All-day");
        Event timed;
        timed.startTime = StoreSeed::local(QDate(2026, 3, 3), QTime(9, 30));
        timed.endTime = StoreSeed::local(QDate(2026, 3, 3), QTime(10, 15));
        QTest::newRow("timed") << timed << QStringLiteral("Tuesday, March 3, 2026\n09:30 – 10:15");
        Event overnight = timed;
        overnight.endTime = StoreSeed::local(QDate(2026, 3, 4), QTime(1, 0));
        QTest::newRow("ends the next day")
            << overnight
            << QStringLiteral("Tuesday, March 3, 2026\n09:30 – Wednesday, March 4, 2026 01:00");
        Event noEnd = timed;
        noEnd.endTime.reset();
        QTest::newRow("no end") << noEnd << QStringLiteral("Tuesday, March 3, 2026\n09:30");
    }

    void timeText()
    {
        QFETCH(Event, event);
        QFETCH(QString, expected);
        QCOMPARE(EventDetailsPopover::formatEventTimeRange(event, QStringLiteral("HH:mm")),
                 expected);
    }

    // Text from a server never turns into markup: title, location and organiser as typed, the
    // description sanitised (no script, no javascript link, the web address linked), and a
    // colour that is not a colour never reaches the style attribute.
    void hostileTextStaysPlain()
    {
        Event event = StoreSeed::timedEvent(
            QStringLiteral("x"), QStringLiteral("work"),
            QStringLiteral("<img src=\"http://evil/p.png\"><b>Boss</b>"),
            StoreSeed::local(today, QTime(9, 0)), StoreSeed::local(today, QTime(10, 0)));
        event.location = QStringLiteral("<a href=\"javascript:steal()\">Room</a>");
        event.organizerName = QStringLiteral("<i>Eve</i>");
        event.description = QStringLiteral("<script>alert(1)</script><a href=\"javascript:evil()\">"
                                           "click</a> see https://example.com/agenda");
        event.color = QStringLiteral("red;background:url(http://evil/x)");
        auto* card = new EventDetailsPopover(state(), event, m_window.get());

        for (const char* typed : {"<b>Boss</b>", "javascript:steal()", "Organizer: <i>Eve</i>"}) {
            QLabel* label = labelWithText(card, QString::fromUtf8(typed));
            QVERIFY2(label && label->textFormat() == Qt::PlainText, typed);
        }
        QLabel* description = labelWithText(card, QStringLiteral("example.com/agenda"));
        QVERIFY(description && !description->openExternalLinks());
        QVERIFY(!description->text().contains(QStringLiteral("script"), Qt::CaseInsensitive));
        QVERIFY(description->text().contains(QStringLiteral("href=\"https://example.com/agenda")));

        const QString calendar = labelWithText(card, QStringLiteral("Team"))->text();
        QVERIFY(calendar.contains(QStringLiteral("Work / &lt;b&gt;Team&lt;/b&gt;")));
        QVERIFY(calendar.contains(QStringLiteral("color:#4285f4;")) && !calendar.contains("evil"));
    }

    // One card at a time: a second card closes the first, an event form closes the open one,
    // a press on the card keeps it, a press elsewhere in its window closes it. Near the right
    // edge the card opens to the left of its anchor.
    void cardsCloseAndFlip()
    {
        QPointer<EventDetailsPopover> first =
            new EventDetailsPopover(state(), review(), m_window.get());
        showPopoverAnchored(first, QRect(m_window->mapToGlobal(QPoint(900, 200)), QSize(60, 24)));
        QVERIFY(first->isVisible() && first->parentWidget() == m_window.get());
        QCOMPARE(first->geometry().topRight(), QPoint(900 - PopoverPlacement::margin - 1, 200));

        QPointer<EventDetailsPopover> second = openCard(review());
        QTRY_VERIFY(!first);
        QCOMPARE(second->geometry().center().x(), m_window->rect().center().x());
        InputEvents::press(second->findChild<QLabel*>(), QPoint(2, 2));
        QVERIFY(second && second->isVisible());
        {
            EventFormDialog form(state(), review(), m_window.get());
            QTRY_VERIFY(!second);
        }

        QPointer<EventDetailsPopover> third = openCard(review());
        InputEvents::press(m_window.get(), QPoint(5, 5));
        QTRY_VERIFY(!third);
    }

    // Escape closes the card; "Edit…" closes it and then opens the event form on the window.
    void escapeAndEdit()
    {
        QVERIFY(state()->events()->insert(review()));
        QPointer<EventDetailsPopover> card = openCard(review());
        QTest::keyClick(card, Qt::Key_Escape);
        QTRY_VERIFY(!card);

        card = openCard(review());
        bool closedBeforeForm = false;
        const QList<ModalSeam::Seen> seen = ModalSeam::run(
            [&] {
                click(card, QStringLiteral("Edit…"));
                QTRY_VERIFY(!card);
            },
            [&](QWidget* form) {
                closedBeforeForm = !card || !card->isVisible();
                QCOMPARE(form->parentWidget(), m_window.get());
            });
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen[0].title, QStringLiteral("Edit Event"));
        QVERIFY(closedBeforeForm);
    }

    // "Edit…" on an occurrence asks which occurrences first. "This event only" opens the form on
    // the occurrence and saves one override of it with the series' reminders and guests; the
    // series keeps its start and title, and undo takes the override away again.
    void editOccurrenceThisOnly()
    {
        const Event series = storedSeries();
        QVERIFY(state()->events()->insert(series));
        const Event occurrence = todaysOccurrence(series);
        auto* card = openCard(occurrence);
        ModalSeam::run(
            [&] {
                click(card, QStringLiteral("Edit…"));
                QTest::qWait(50);
            },
            QList<ModalSeam::Answer>{
                [](QWidget* question) { ModalSeam::clickButton(question, "This event only"); },
                [](QWidget* form) {
                    form->findChildren<QLineEdit*>().first()->setText(QStringLiteral("Retro"));
                    ModalSeam::clickButton(form, QStringLiteral("Save changes"));
                }});
        const Event master = *state()->events()->getById(series.id);
        QCOMPARE(master.title + master.startTime.toUTC().toString(),
                 series.title + series.startTime.toUTC().toString());
        const QList<Event> rows = state()->events()->getSeries(series.uid, series.calendarId);
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows.last().title + rows.last().startTime.toUTC().toString(),
                 "Retro" + occurrence.startTime.toUTC().toString());
        QCOMPARE(rows.last().reminders.size() + rows.last().attendees.size(), 2);
        state()->undoStack()->undo();
        QCOMPARE(state()->events()->getSeries(series.uid, series.calendarId).size(), 1);
    }

    // The card grows with its content, wrapped at its own width, up to 560 px; then it scrolls.
    void heightFollowsContent()
    {
        Event event = review();
        QVERIFY(openCard(event)->height() < 300);
        event.description = QStringLiteral("line\n").repeated(200);
        auto* tall = openCard(event);
        QCOMPARE(tall->height(), 560);
        QVERIFY(tall->findChild<QScrollArea*>()->verticalScrollBar()->maximum() > 0);

        // A megabyte from a server: the card lays out the start of each text, ending in "…",
        // and stays as tall.
        event.title = QString(1024 * 1024, u't');
        event.location = QString(1024 * 1024, u'l');
        event.description = QStringLiteral("see https://example.com/agenda ").repeated(40000);
        auto* huge = openCard(event);
        QCOMPARE(huge->height(), 560);
        const QString ellipsis(QChar(0x2026));
        for (const QString& text : {QStringLiteral("ttt"), QStringLiteral("lll")}) {
            const QString shown = labelWithText(huge, text)->text();
            QVERIFY2(shown.size() <= Limits::maxRowTextChars + 1 && shown.endsWith(ellipsis),
                     qPrintable(text));
        }
        const QString description = labelWithText(huge, QStringLiteral("agenda"))->text();
        QVERIFY(description.size() < 4 * Limits::maxCardTextChars &&
                description.endsWith(ellipsis));
        // No link is cut short.
        QCOMPARE(description.count(QStringLiteral("href=\"https://example.com/agenda\"")),
                 description.count(QStringLiteral("<a ")));
    }

    // A copy asked for while an import holds the store is stored when the import has ended.
    void duplicateWaitsWhileTheStoreIsHeld()
    {
        const Event shown = review();
        QVERIFY(state()->events()->insert(shown));
        state()->holdStore();
        click(openCard(shown), QStringLiteral("Duplicate"));
        QCOMPARE(state()->events()->getByCalendar(QStringLiteral("work")).size(), 1);
        state()->releaseStore();
        QCOMPARE(state()->events()->getByCalendar(QStringLiteral("work")).size(), 2);
    }

    // A sync renames and moves the event while its card is open: the copy is of the event as
    // stored then, as the views show it, not of the card's.
    void duplicateCopiesTheEventAsStoredNow()
    {
        const Event shown = review();
        QVERIFY(state()->events()->insert(shown));
        auto* card = openCard(shown);
        Event synced = *state()->events()->getById(shown.id);
        synced.title = QStringLiteral("Review, later");
        synced.startTime = synced.startTime.addSecs(3600);
        synced.endTime = synced.endTime->addSecs(3600);
        QVERIFY(state()->events()->update(synced));
        click(card, QStringLiteral("Duplicate"));
        const QList<Event> rows = state()->events()->getByCalendar(QStringLiteral("work"));
        QCOMPARE(rows.size(), 2);
        const Event copy = rows[0].id == shown.id ? rows[1] : rows[0];
        QCOMPARE(copy.title, QStringLiteral("Review, later (copy)"));
        QCOMPARE(copy.startTime, synced.startTime);
        QCOMPARE(copy.endTime, synced.endTime);
    }

    void duplicate_data()
    {
        QTest::addColumn<bool>("override");
        QTest::newRow("occurrence of a series") << false;
        QTest::newRow("overriding instance") << true;
    }

    // Duplicate stores a standalone new event: new id and UID (in its iCalendar text too, which
    // keeps the unmodelled properties but no RECURRENCE-ID), no server or series links, fresh
    // child rows, pending; the shown times. The source is untouched.
    void duplicate()
    {
        QFETCH(bool, override);
        const Event series = storedSeries();
        QVERIFY(state()->events()->insert(series));
        Event shown = todaysOccurrence(series);
        QVERIFY(!shown.recurrenceId.isEmpty());
        if (override) {
            shown.id = QStringLiteral("override");
            shown.masterEventUid = series.uid;
            shown.recurrenceRule.clear();
            shown.reminders[0].id = QStringLiteral("r2");
            shown.attendees[0].id = QStringLiteral("a2");
            shown.rawIcalendar.replace(QStringLiteral("RRULE:FREQ=DAILY\r\n"),
                                       QStringLiteral("RECURRENCE-ID:20260311T090000Z\r\n"));
            QVERIFY(state()->events()->insert(shown));
        }
        click(openCard(shown), QStringLiteral("Duplicate"));

        const QList<Event> rows = state()->events()->getByCalendar(QStringLiteral("work"));
        QCOMPARE(rows.size(), override ? 3 : 2);
        std::optional<Event> copy;
        for (const Event& row : rows) {
            if (row.id != series.id && row.id != shown.id)
                copy = row;
        }
        QVERIFY(copy);
        QVERIFY(copy->uid != series.uid);
        QCOMPARE(copy->startTime, shown.startTime);
        QCOMPARE(copy->endTime, shown.endTime);
        QCOMPARE(copy->recurrenceRule, override ? QString() : QStringLiteral("FREQ=DAILY"));
        QCOMPARE(copy->recurrenceId + copy->masterEventUid + copy->providerEventId + copy->etag +
                     copy->href + copy->syncStatus,
                 QStringLiteral("pending"));
        QCOMPARE(copy->reminders.size() + copy->attendees.size(), 2);
        QVERIFY(copy->reminders[0].id != shown.reminders[0].id);
        QVERIFY(copy->attendees[0].id != shown.attendees[0].id);

        const QList<Event> parsed = Ical::parseEvents(copy->rawIcalendar);
        QCOMPARE(parsed.size(), 1);
        QCOMPARE(parsed[0].uid, copy->uid);
        QVERIFY(!copy->rawIcalendar.contains(QStringLiteral("RECURRENCE-ID")));
        QVERIFY(copy->rawIcalendar.contains(QStringLiteral("X-TEAM-ROOM:blue")));
        QCOMPARE(state()->events()->getById(series.id)->etag, series.etag);
    }

    // Delete from an occurrence's card asks which occurrences; "All events in the series" removes
    // the series' row and pushes an undo that brings the series back as it was stored (not moved
    // to the occurrence). Cancel changes nothing; a delete that fails is reported and leaves
    // nothing to undo.
    void deleteThenUndo()
    {
        const Event series = storedSeries();
        QVERIFY(state()->events()->insert(series));
        state()->setSelectedEventId(series.id);
        UndoStack* undo = state()->undoStack();

        auto* card = openCard(todaysOccurrence(series));
        QList<ModalSeam::Seen> seen = ModalSeam::run(
            [&] { click(card, QStringLiteral("Delete")); },
            [](QWidget* box) { ModalSeam::clickButton(box, QStringLiteral("Cancel")); });
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen[0].title, QStringLiteral("Delete Recurring Event"));
        QVERIFY(!state()->events()->getById(series.id)->deletedAt);
        QCOMPARE(undo->count(), 0);

        card = openCard(todaysOccurrence(series));
        ModalSeam::run([&] { click(card, QStringLiteral("Delete")); },
                       [](QWidget* box) {
                           ModalSeam::clickButton(box, QStringLiteral("All events in the series"));
                       });
        QVERIFY(state()->events()->getById(series.id)->deletedAt);
        QVERIFY(state()->selectedEventId().isEmpty());
        QCOMPARE(undo->count(), 1);

        undo->undo();
        const std::optional<Event> restored = state()->events()->getById(series.id);
        QVERIFY(!restored->deletedAt);
        QCOMPARE(restored->startTime, series.startTime);
        QCOMPARE(restored->recurrenceRule + restored->recurrenceId, series.recurrenceRule);

        Event gone = series;
        gone.id = QStringLiteral("never-stored");
        card = openCard(gone);
        seen =
            ModalSeam::run([&] { click(card, QStringLiteral("Delete")); },
                           [](QWidget* box) { ModalSeam::clickButton(box, QStringLiteral("OK")); });
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen[0].title, QStringLiteral("Event change failed"));
        QCOMPARE(undo->count(), 0);
    }

    // "Edit…", "Duplicate" or "Delete" on a card that was open while a sync deleted its event,
    // removed it from the store or moved it to another calendar: the user is told in the words
    // the views use, no question or form opens and nothing is written.
    void actionOnAnEventGoneMeanwhileSaysSo_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("series");
        for (const char* button : {"Edit…", "Duplicate", "Delete"}) {
            for (const char* change : {"deleted", "removed", "moved"})
                QTest::addRow("%s, %s", button, change) << button << change << false;
            QTest::addRow("%s, series removed", button) << button << "removed" << true;
        }
    }

    void actionOnAnEventGoneMeanwhileSaysSo()
    {
        QFETCH(QString, button);
        QFETCH(QString, change);
        QFETCH(bool, series);
        QVERIFY(StoreSeed::addCalendar(
            state(),
            StoreSeed::account(QStringLiteral("home"), QStringLiteral("Home"),
                               QStringLiteral("caldav")),
            StoreSeed::calendar(QStringLiteral("other"), QStringLiteral("home"),
                                QStringLiteral("Other"), QStringLiteral("#e67c73"))));
        const Event stored = series ? storedSeries() : review();
        QVERIFY(state()->events()->insert(stored));
        auto* card = openCard(series ? todaysOccurrence(stored) : stored);
        Event moved = stored;
        moved.calendarId = QStringLiteral("other");
        QVERIFY(change == QLatin1String("removed")   ? state()->events()->hardDelete(stored.id)
                : change == QLatin1String("deleted") ? state()->events()->remove(stored.id)
                                                     : state()->events()->update(moved));
        const QList<ModalSeam::Seen> seen = ModalSeam::run([&] {
            click(card, button);
            QTest::qWait(50);
        });
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen[0].text, EventChange::goneText(stored.title));
        QCOMPARE(state()->undoStack()->count(), 0);
        const std::optional<Event> left = state()->events()->getById(stored.id);
        QCOMPARE(bool(left), change != QLatin1String("removed"));
        if (change == QLatin1String("moved"))
            QVERIFY(!left->deletedAt && left->calendarId == QLatin1String("other"));
        else if (left)
            QVERIFY(left->deletedAt && left->calendarId == stored.calendarId);
        QCOMPARE(state()->events()->getByCalendar(QStringLiteral("work")).size() +
                     state()->events()->getByCalendar(QStringLiteral("other")).size(),
                 change == QLatin1String("moved") ? 1 : 0);
    }

private:
    AppState* state() const { return m_fixture->state(); }
    EventDetailsPopover* openCard(const Event& event)
    {
        auto* card = new EventDetailsPopover(state(), event, m_window.get());
        showPopoverCentered(card);
        return card;
    }

    std::unique_ptr<AppStateFixture> m_fixture;
    std::unique_ptr<QWidget> m_window;
};

QTEST_MAIN(TestEventDetailsPopover)
#include "tst_eventdetailspopover.moc"

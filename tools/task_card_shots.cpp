// Renders the task details card over a plain window in light and dark mode as PNG files for a
// person to look at: an open task with every line (overdue, priority, categories, linked notes),
// a completed one, one with a megabyte title and notes, and one beside a window too narrow for it.
// Contacts nothing. Run under a display, GALLERY_LANGUAGE (de, es, fr, ja) for another language:
//     xvfb-run -a task_card_shots <output folder>

#include "AppState.h"
#include "GalleryCapture.h"
#include "PopoverPlacement.h"
#include "TaskDetailsPopover.h"
#include "TaskRepository.h"
#include "ThemeManager.h"

#include <QApplication>
#include <QTimeZone>

namespace {

const QDate today(2026, 3, 11);

QDateTime local(const QDate& date, const QTime& time)
{
    return QDateTime(date, time, QTimeZone::systemTimeZone());
}

void addTasks(AppState& state)
{
    Task open;
    open.id = QStringLiteral("open");
    open.uid = open.id;
    open.calendarId = QStringLiteral("team");
    open.title = QStringLiteral("Send the quarterly report to the board");
    open.startDate = local(today, QTime(0, 0)).toUTC();
    open.startIsDateOnly = false;
    open.dueDate = local(today.addDays(-1), QTime(15, 30)).toUTC();
    open.dueIsDateOnly = false;
    open.priority = 2;
    open.categories = {QStringLiteral("work"), QStringLiteral("finance")};
    open.description = QStringLiteral("Figures from the shared sheet:\n"
                                      "https://example.org/sheets/q1\nAsk Dana before sending.");
    open.created = local(today.addDays(-3), QTime(9, 0)).toUTC();
    open.lastModified = open.created;
    state.tasks()->insert(open);

    Task done = open;
    done.id = QStringLiteral("done");
    done.uid = done.id;
    done.title = QStringLiteral("Book the venue");
    done.status = QStringLiteral("completed");
    done.completedDate = local(today, QTime(8, 0)).toUTC();
    done.dueDate = QDateTime(today.addDays(1), QTime(0, 0), QTimeZone::utc());
    done.dueIsDateOnly = true;
    done.startDate.reset();
    done.categories.clear();
    done.description.clear();
    state.tasks()->insert(done);

    // What a server may send: a megabyte title and notes, and a hundred categories.
    Task extreme = open;
    extreme.id = QStringLiteral("long");
    extreme.uid = extreme.id;
    extreme.title = QStringLiteral("Send the quarterly report to the board ").repeated(27000);
    extreme.description =
        QStringLiteral("Figures from https://example.org/sheets/q1 and the notes. ")
            .repeated(18000);
    extreme.categories.clear();
    for (int i = 0; i < 100; ++i)
        extreme.categories.append(QStringLiteral("category %1").arg(i));
    state.tasks()->insert(extreme);
}

void settle()
{
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

} // namespace

int main(int argc, char* argv[])
{
    GalleryCapture capture(local(today, QTime(10, 0)));

    QApplication app(argc, argv);
    if (const int status = capture.start(argc, argv, "task_card_shots"))
        return status;
    AppState* state = capture.state();
    GalleryCapture::addAccount(*state, QStringLiteral("dav"), QStringLiteral("Work"));
    GalleryCapture::addCalendar(*state, QStringLiteral("team"), QStringLiteral("dav"),
                                QStringLiteral("Team"), QStringLiteral("#33b679"));
    addTasks(*state);

    ThemeManager theme(nullptr);
    for (const char* mode : {"light", "dark"}) {
        theme.setMode(QString::fromLatin1(mode));
        const QString suffix = GalleryCapture::suffix(mode);
        QWidget window;
        window.resize(1024, 640);
        window.show();
        settle();
        for (const QString& id :
             {QStringLiteral("open"), QStringLiteral("done"), QStringLiteral("long")}) {
            auto* card = new TaskDetailsPopover(state, id, &window);
            showPopoverAnchored(card, QRect(window.mapToGlobal(QPoint(40, 120)), QSize(300, 28)));
            settle();
            capture.save(&window, QStringLiteral("task-card-") + id + suffix);
            TaskDetailsPopover::closeActive();
            settle();
        }
        // Wider than a detached tasks window: the card stands beside it, in a window of its own.
        QWidget narrow;
        narrow.setGeometry(0, 40, 360, 600);
        narrow.show();
        settle();
        auto* card = new TaskDetailsPopover(state, QStringLiteral("open"), &narrow);
        showPopoverAnchored(card, QRect(narrow.mapToGlobal(QPoint(0, 120)), QSize(360, 28)));
        settle();
        if (!card->isWindow())
            capture.addFailure();
        capture.save(card, QStringLiteral("task-card-beside") + suffix);
        TaskDetailsPopover::closeActive();
        settle();
    }
    return capture.finish();
}

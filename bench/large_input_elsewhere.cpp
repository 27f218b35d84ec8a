// "long text" in the tasks pane, the detached tasks window, the filter form and the template
// editor: each time the same steps on a store whose one text is a megabyte and on one where it is
// a few words, by the longest block of the window's event loop.
//
// "tasks pane tick": ticks of the checkbox of a task titled 1 MB, each until its row shows the
// change (the median over the ticks after the first).
// "detached tasks window": the window opened until its rows are in place.
// "filter preview": "LongText" typed into the filter form's "Title contains" with an event titled
// 1 MB in the next days, until the preview names it.
// "template editor": Manage Templates opened, the editor opened on a template whose name, title,
// description and location are 1 MB each, and its OK with the store's write and the list's
// reload.

#include "AccountRepository.h"
#include "AppState.h"
#include "CalendarRepository.h"
#include "Clock.h"
#include "DetachedTasksWindow.h"
#include "EventLoopBlocks.h"
#include "EventRepository.h"
#include "FilterFormDialog.h"
#include "Ical.h"
#include "LargeInput.h"
#include "ManageTemplatesDialog.h"
#include "Services.h"
#include "TaskRepository.h"
#include "TasksPane.h"
#include "TasksPaneRow.h"
#include "TemplateEditorDialog.h"
#include "TemplateRepository.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimeZone>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace LargeInput {

namespace {

constexpr int longChars = 1024 * 1024;
constexpr int ticks = 5;

// A megabyte of words, so that wrapping has places to break.
QString longText()
{
    QString text;
    text.reserve(longChars + 16);
    while (text.size() < longChars)
        text += QStringLiteral("LongText ");
    text.truncate(longChars);
    return text;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// A fresh store with a local account and one calendar for events and tasks.
class Store
{
public:
    bool open()
    {
        if (!m_dir.isValid())
            return false;
        qputenv("CALENDAR_DATA_DIR", m_dir.path().toUtf8());
        m_state = std::make_unique<AppState>();
        if (!Services::start(*m_state))
            return false;
        Account local;
        local.id = QStringLiteral("local");
        local.name = QStringLiteral("On this device");
        local.type = QStringLiteral("orvandellic");
        local.createdAt = local.updatedAt = Clock::now();
        m_state->accounts()->insert(local);
        Calendar calendar;
        calendar.id = QStringLiteral("list");
        calendar.accountId = local.id;
        calendar.url = QStringLiteral("local://calendar/list");
        calendar.name = QStringLiteral("List");
        calendar.supportedComponents = QStringLiteral("[\"VEVENT\",\"VTODO\"]");
        calendar.createdAt = calendar.updatedAt = Clock::now();
        return m_state->calendars()->insert(calendar);
    }

    AppState* state() const { return m_state.get(); }

    // A few ordinary tasks and, first, one titled `title`; its id.
    QString addTasks(const QString& title) const
    {
        QString firstId;
        for (int i = 0; i < 6; ++i) {
            Task task;
            task.id = task.uid = QStringLiteral("task-%1").arg(i);
            task.calendarId = QStringLiteral("list");
            task.title = i == 0 ? title : QStringLiteral("Task %1 of the list").arg(i);
            task.description = QStringLiteral("Some notes");
            task.dueDate = QDateTime(Clock::today().addDays(i), QTime(12, 0)).toUTC();
            task.sortOrder = i;
            task.created = task.lastModified = Clock::now();
            task.rawIcalendar = Ical::buildTask(task);
            if (!m_state->tasks()->insert(task))
                return QString();
            if (i == 0)
                firstId = task.id;
        }
        return firstId;
    }

    // A few ordinary events and one titled `title` tomorrow.
    bool addEvents(const QString& title) const
    {
        for (int i = 0; i < 6; ++i) {
            Event event;
            event.id = event.uid = QStringLiteral("event-%1").arg(i);
            event.calendarId = QStringLiteral("list");
            event.title = i == 0 ? title : QStringLiteral("Meeting %1").arg(i);
            event.startTime = QDateTime(Clock::today().addDays(1 + i), QTime(9, 0),
                                        QTimeZone::systemTimeZone());
            event.endTime = event.startTime.addSecs(3600);
            event.timezone = QString::fromUtf8(QTimeZone::systemTimeZoneId());
            event.created = event.lastModified = Clock::now();
            event.rawIcalendar = Ical::buildEvent(event);
            if (!m_state->events()->insert(event))
                return false;
        }
        return true;
    }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<AppState> m_state;
};

TasksPaneRow* shownRow(const QWidget& pane, const QString& taskId, bool completed)
{
    for (TasksPaneRow* row : pane.findChildren<TasksPaneRow*>()) {
        if (row->isVisible() && row->task().id == taskId && row->task().isCompleted() == completed)
            return row;
    }
    return nullptr;
}

void click(QWidget* widget, const QPointF& at)
{
    QMouseEvent press(QEvent::MouseButtonPress, at, widget->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, widget->mapToGlobal(at), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &release);
}

// Median longest block of a tick on the task titled `title`; negative when it could not measure.
double tickMs(EventLoopBlocks& app, const QString& title)
{
    Store store;
    if (!store.open())
        return -1;
    const QString taskId = store.addTasks(title);
    if (taskId.isEmpty())
        return -1;
    TasksPane pane(store.state());
    pane.resize(320, 800);
    pane.show();
    if (!app.settle([&] { return !pane.isLoading() && shownRow(pane, taskId, false); }))
        return -1;
    bool completed = false;
    std::vector<double> blocks;
    for (int tick = 0; tick < ticks; ++tick) {
        app.reset();
        const bool done = app.run(
            [&] {
                if (TasksPaneRow* row = shownRow(pane, taskId, completed))
                    click(row, row->checkboxRect().center());
            },
            [&] { return !pane.isLoading() && shownRow(pane, taskId, !completed); }, 120000);
        if (!done)
            return -1;
        completed = !completed;
        if (tick > 0)
            blocks.push_back(app.longestMs());
    }
    return median(blocks);
}

// Longest block of opening the detached tasks window with the task titled `title` listed.
double detachedMs(EventLoopBlocks& app, const QString& title)
{
    Store store;
    if (!store.open())
        return -1;
    const QString taskId = store.addTasks(title);
    if (taskId.isEmpty())
        return -1;
    std::unique_ptr<DetachedTasksWindow> window;
    app.reset();
    const bool done = app.run(
        [&] {
            window = std::make_unique<DetachedTasksWindow>(store.state());
            window->show();
        },
        [&] {
            return window && !window->tasksPane()->isLoading() &&
                   shownRow(*window, taskId, false);
        },
        120000);
    return done ? app.longestMs() : -1;
}

// Longest block from "LongText" typed into "Title contains" to the preview with an event titled
// `title`.
double previewMs(EventLoopBlocks& app, const QString& title)
{
    Store store;
    if (!store.open() || !store.addEvents(title))
        return -1;
    FilterFormDialog form(store.state());
    form.show();
    QLineEdit* titleContains = nullptr;
    for (QLineEdit* edit : form.findChildren<QLineEdit*>()) {
        if (edit->placeholderText().contains(QLatin1String("comma separated")))
            titleContains = edit;
    }
    if (!titleContains || !app.settle([] { return true; }))
        return -1;
    const auto previewNamesIt = [&] {
        for (QLabel* label : form.findChildren<QLabel*>()) {
            if (label->text().contains(QLatin1String("Would hide 1 ")))
                return true;
        }
        return false;
    };
    app.reset();
    const bool done = app.run([&] { titleContains->setText(QStringLiteral("LongText")); },
                              previewNamesIt, 120000);
    return done ? app.longestMs() : -1;
}

// Longest block of Manage Templates opened, the editor opened on a template whose texts are
// `text`, and its OK through the list's reload.
double templateMs(EventLoopBlocks& app, const QString& text)
{
    Store store;
    if (!store.open())
        return -1;
    EventTemplate stored;
    stored.id = QStringLiteral("template");
    stored.name = text;
    stored.title = text;
    stored.description = text;
    stored.location = text;
    stored.reminders = {15};
    TemplateRepository* templates = store.state()->templates();
    if (!templates->insert(stored))
        return -1;

    double longest = 0;
    std::unique_ptr<ManageTemplatesDialog> manage;
    app.reset();
    if (!app.run(
            [&] {
                manage = std::make_unique<ManageTemplatesDialog>(store.state());
                manage->show();
            },
            [&] { return manage && manage->isVisible(); }, 120000))
        return -1;
    longest = std::max(longest, app.longestMs());

    std::unique_ptr<TemplateEditorDialog> editor;
    bool written = false;
    app.reset();
    if (!app.run(
            [&] {
                editor = std::make_unique<TemplateEditorDialog>(
                    store.state(), templates->getById(stored.id).value_or(stored), manage.get());
                // What Manage Templates does with the accepted editor, without the nested loop
                // of exec(), which would hide the blocks inside it.
                QObject::connect(editor.get(), &QDialog::accepted, editor.get(), [&] {
                    written = templates->update(editor->eventTemplate());
                });
                editor->show();
            },
            [&] { return editor && editor->isVisible(); }, 120000))
        return -1;
    longest = std::max(longest, app.longestMs());

    app.reset();
    auto* buttons = editor->findChild<QDialogButtonBox*>();
    if (!buttons ||
        !app.run([&] { buttons->button(QDialogButtonBox::Ok)->click(); },
                 [&] { return written && !editor->isVisible(); }, 120000))
        return -1;
    longest = std::max(longest, app.longestMs());
    const std::optional<EventTemplate> saved = templates->getById(stored.id);
    if (!saved || saved->title != text || saved->description != text)
        std::printf("  template editor: the saved template lost text\n");
    return longest;
}

// One "long text" line: the step with the megabyte text against the same with a short one.
bool report(EventLoopBlocks& app, const char* place,
            const std::function<double(EventLoopBlocks&, const QString&)>& measure,
            const QString& shortText)
{
    const double shortMs = measure(app, shortText);
    app.reset();
    const double longMs = measure(app, longText());
    app.reset();
    if (shortMs <= 0 || longMs < 0) {
        std::printf("long text %s: could not measure\n", place);
        return false;
    }
    std::printf("  %s: short text %.1f ms, 1 MB text %.1f ms\n", place, shortMs, longMs);
    std::printf("long text %s ratio %.2f (target <= 2)\n", place, longMs / shortMs);
    return true;
}

} // namespace

bool longTextElsewhere(EventLoopBlocks& app)
{
    bool measured = true;
    measured = report(app, "tasks pane tick", tickMs, QStringLiteral("Water the plants")) &&
               measured;
    measured = report(app, "detached tasks window", detachedMs,
                      QStringLiteral("Water the plants")) &&
               measured;
    measured = report(app, "filter preview", previewMs, QStringLiteral("LongText review")) &&
               measured;
    measured = report(app, "template editor", templateMs, QStringLiteral("Standup")) && measured;
    return measured;
}

} // namespace LargeInput

#include "CommandPalette.h"

#include "AppState.h"
#include "CalendarView.h"
#include "Clock.h"
#include "DateLanguage.h"
#include "EventRepository.h"
#include "Limits.h"
#include "MainWindow.h"
#include "PaletteInput.h"
#include "QuickAddState.h"
#include "ShownText.h"
#include "StoreReader.h"
#include "TimeFormatState.h"
#include "ViewRepository.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QTimeZone>
#include <QVBoxLayout>

namespace {

// Item data: the command name or the event id, and true on an event's item only.
constexpr int targetRole = Qt::UserRole;
constexpr int eventRole = Qt::UserRole + 1;

// The day an event is listed and opened on: an all-day event's stored date, a timed event's
// local date.
QDate shownDate(const Event& event)
{
    return event.isAllDay ? event.startTime.toUTC().date()
                          : event.startTime.toTimeZone(QTimeZone::systemTimeZone()).date();
}

} // namespace

CommandPalette::CommandPalette(AppState* state, MainWindow* mainWindow, QWidget* parent)
    : QFrame(parent, Qt::Popup), m_state(state), m_mainWindow(mainWindow)
{
    setObjectName(QStringLiteral("commandPalette"));
    setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    setFixedWidth(480);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(4);

    m_text = new QLineEdit(this);
    m_text->setObjectName(QStringLiteral("commandPaletteText"));
    m_text->setPlaceholderText(
        tr("Find an event or run a command — today, goto, view, new, resync…"));
    QFont font = m_text->font();
    font.setPointSizeF(font.pointSizeF() + 2);
    m_text->setFont(font);
    layout->addWidget(m_text);

    m_results = new QListWidget(this);
    m_results->setObjectName(QStringLiteral("commandPaletteResults"));
    m_results->setFrameShape(QFrame::NoFrame);
    m_results->setUniformItemSizes(true);
    m_results->setSelectionMode(QAbstractItemView::SingleSelection);
    m_results->setMinimumHeight(180);
    layout->addWidget(m_results);

    // A large store is searched off the window's thread; only the latest text's answer counts.
    m_search = new StoreReader(state, QStringLiteral("event-search"), this);

    connect(m_text, &QLineEdit::textChanged, this, &CommandPalette::refreshResults);
    connect(m_text, &QLineEdit::returnPressed, this, &CommandPalette::runSelection);
    connect(m_results, &QListWidget::itemActivated, this, &CommandPalette::runSelection);
    m_text->installEventFilter(this);
    buildCommands();
    refreshResults(QString());
}

CommandPalette::~CommandPalette() = default;

bool CommandPalette::isSearching() const
{
    return m_search->isBusy();
}

void CommandPalette::buildCommands()
{
    AppState* state = m_state;
    const auto viewMode = [state](const QString& name, const QString& description) {
        return Command{name, name, description, [state, name](const QString&) {
                           state->setViewMode(name);
                           return true;
                       }};
    };
    const auto horizon = [state](const QString& name, int days, const QString& description) {
        return Command{name, name, description, [state, days](const QString&) {
                           state->setWeekHorizon(days);
                           state->setViewMode(QStringLiteral("days"));
                           return true;
                       }};
    };
    m_commands = {
        {QStringLiteral("today"), tr("today"), tr("Snap the calendar to today"),
         [state](const QString&) {
             state->setCurrentDate(Clock::today());
             return true;
         }},
        {QStringLiteral("goto"), tr("goto YYYY-MM-DD"), tr("Jump to a specific date in Day view"),
         [state](const QString& argument) {
             const QDate date = QDate::fromString(argument.trimmed(), Qt::ISODate);
             if (!date.isValid())
                 return false;
             state->setViewModeAndDate(QStringLiteral("day"), date);
             return true;
         }},
        {QStringLiteral("view"), tr("view <mode|name>"),
         tr("Switch view mode (day/week/grid/month/year) or active calendar group"),
         [this](const QString& argument) { return switchView(argument); }},
        {QStringLiteral("new"), tr("new <event description>"),
         tr("Quick-add an event using the NL parser"),
         [state](const QString& argument) {
             const QString text = argument.trimmed();
             return !text.isEmpty() && !QuickAdd::createEvent(state, text, QString()).isEmpty();
         }},
        {QStringLiteral("resync"), tr("resync"), tr("Pull + push every CalDAV calendar"),
         [this](const QString&) {
             if (m_mainWindow)
                 m_mainWindow->syncNow();
             return true;
         }},
        {QStringLiteral("notifytest"), tr("notifytest"),
         tr("Fire a test tray notification (verifies the pipeline)"),
         [this](const QString&) {
             if (m_mainWindow)
                 m_mainWindow->sendTestNotification();
             return true;
         }},
        viewMode(QStringLiteral("day"), tr("Switch to Day view")),
        viewMode(QStringLiteral("week"), tr("Switch to Week view (locale-bracketed 7 days)")),
        viewMode(QStringLiteral("days"), tr("Switch to Days view (sliding window)")),
        viewMode(QStringLiteral("grid"), tr("Switch to Grid view")),
        viewMode(QStringLiteral("month"), tr("Switch to Month view")),
        viewMode(QStringLiteral("year"), tr("Switch to Year view")),
        horizon(QStringLiteral("3day"), 3, tr("Days view, 3-day sliding window")),
        horizon(QStringLiteral("5day"), 5, tr("Days view, 5-day sliding window")),
        horizon(QStringLiteral("10day"), 10, tr("Days view, 10-day medium-term horizon")),
        horizon(QStringLiteral("14day"), 14, tr("Days view, 14-day fortnight horizon")),
    };
}

bool CommandPalette::switchView(const QString& argument)
{
    const QString word = argument.trimmed().toLower();
    if (word.isEmpty())
        return false;
    if (PaletteInput::isSwitchableMode(word)) {
        m_state->setViewMode(word);
        return true;
    }
    for (const CalendarView& view : m_state->views()->getAll()) {
        if (view.displayName().toLower().contains(word) || view.name.toLower().contains(word)) {
            m_state->setActiveViewId(view.id);
            return true;
        }
    }
    return false;
}

void CommandPalette::popup()
{
    // Clearing an empty field signals nothing, and the list may still hold the last results.
    m_text->clear();
    refreshResults(QString());
    if (m_mainWindow) {
        const QRect window = m_mainWindow->geometry();
        move(window.x() + window.width() / 2 - width() / 2, window.top() + 80);
    }
    show();
    raise();
    activateWindow();
    m_text->setFocus(Qt::OtherFocusReason);
}

void CommandPalette::refreshResults(const QString& text)
{
    m_results->clear();
    for (const Command& command : std::as_const(m_commands)) {
        if (!PaletteInput::lists(command.name, text))
            continue;
        auto* item = new QListWidgetItem(
            QStringLiteral("%1   —   %2").arg(command.usage, command.description), m_results);
        item->setData(targetRole, command.name);
    }
    if (PaletteInput::searchesEvents(text))
        m_search->read([this, text = text.trimmed()](const StoreReader::Repositories& store) {
            QList<Event> found;
            if (store.events)
                found = store.events->search(text, PaletteInput::maxEventResults);
            return [this, found] { appendEvents(found); };
        });
    else
        m_search->cancel();
    if (m_results->count() > 0)
        m_results->setCurrentRow(0);
}

QString CommandPalette::eventText(const Event& event) const
{
    // A row shows a line of the title; the whole of a megabyte one would be laid out.
    const QString title = event.title.isEmpty()
                              ? tr("(Untitled)")
                              : ShownText::bounded(event.title, Limits::maxRowTextChars);
    const QString date = DateLanguage::format(shownDate(event), QStringLiteral("ddd MMM d"));
    const QString time =
        event.isAllDay ? tr("all-day")
                       : TimeFormat::format(event.startTime.toTimeZone(QTimeZone::systemTimeZone()),
                                            TimeFormat::timePattern(m_state));
    return tr("Event: %1   —   %2 · %3").arg(title, date, time);
}

void CommandPalette::appendEvents(const QList<Event>& events)
{
    for (const Event& event : events) {
        auto* item = new QListWidgetItem(eventText(event), m_results);
        item->setData(targetRole, event.id);
        item->setData(eventRole, true);
    }
    // A row the user has moved to in the meantime stays current.
    if (!m_results->currentItem() && m_results->count() > 0)
        m_results->setCurrentRow(0);
}

void CommandPalette::runSelection()
{
    QListWidgetItem* current = m_results->currentItem();
    if (current && current->data(eventRole).toBool()) {
        if (const std::optional<Event> event =
                m_state->events()->getById(current->data(targetRole).toString())) {
            m_state->setViewModeAndDate(QStringLiteral("day"), shownDate(*event));
            m_state->setSelectedEventId(event->id);
        }
        hide();
        return;
    }
    const QString text = m_text->text().trimmed();
    if (text.isEmpty())
        return;
    const PaletteInput::Line line = PaletteInput::read(text);
    const auto named = [this](const QString& name) {
        return std::find_if(m_commands.cbegin(), m_commands.cend(),
                            [&name](const Command& command) { return command.name == name; });
    };
    auto command = named(line.head);
    if (command == m_commands.cend()) {
        if (!current)
            return;
        command = named(current->data(targetRole).toString());
        if (command == m_commands.cend())
            return;
    }
    if (command->run(line.argument))
        hide();
}

bool CommandPalette::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_text && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            QCoreApplication::sendEvent(m_results, event);
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}

void CommandPalette::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        hide();
        return;
    }
    QFrame::keyPressEvent(event);
}

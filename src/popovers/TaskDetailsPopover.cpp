#include "TaskDetailsPopover.h"

#include "Limits.h"
#include "ShownText.h"
#include "TaskFormDialog.h"

#include "AccountRepository.h"
#include "AppState.h"
#include "CalendarRepository.h"
#include "Clock.h"
#include "Defaults.h"
#include "DescriptionHtml.h"
#include "Glyphs.h"
#include "TaskDetailsText.h"
#include "TaskRepository.h"
#include "TaskStatusChange.h"
#include "Theme.h"
#include "TodayWatch.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int cardWidth = 460;

QLabel* wrappedLabel(QWidget* parent, Qt::TextFormat format)
{
    auto* label = new QLabel(parent);
    label->setTextFormat(format);
    label->setWordWrap(true);
    return label;
}

// The notes as escaped text with their line breaks and http(s) addresses as links.
QString notesHtml(const QString& text)
{
    QString escaped = text.toHtmlEscaped();
    escaped.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    escaped.replace(QLatin1Char('\n'), QLatin1String("<br>"));
    return DescriptionHtml::linkify(escaped, Theme::accent().name());
}

} // namespace

TaskDetailsPopover::TaskDetailsPopover(AppState* appState, const QString& taskId, QWidget* parent)
    : DetailsCard(QStringLiteral("taskDetailsPopover"), cardWidth, parent), m_appState(appState)
{
    if (m_appState && m_appState->tasks()) {
        const std::optional<Task> stored = m_appState->tasks()->getById(taskId);
        if (stored && !stored->deletedAt) {
            m_task = *stored;
            m_found = true;
        }
    }
    m_task.id = taskId;
    buildUi();
    populate();
    // A card left open over midnight moves its "Today" and "Tomorrow" on, as the list beneath.
    if (m_found)
        connect(new TodayWatch(this), &TodayWatch::dayChanged, this,
                &TaskDetailsPopover::showDates);
}

void TaskDetailsPopover::buildUi()
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(12);

    // Text from the task or a server is plain text; the rich labels are built from escaped
    // parts and parsed colours only.
    m_titleLabel = wrappedLabel(this, Qt::PlainText);
    QFont titleFont = m_titleLabel->font();
    titleFont.setPointSize(16);
    titleFont.setWeight(QFont::Bold);
    m_titleLabel->setFont(titleFont);
    m_startLabel = wrappedLabel(this, Qt::PlainText);
    m_startLabel->setProperty("muted", true);
    m_startLabel->hide();
    m_dueLabel = wrappedLabel(this, Qt::RichText);
    m_dueLabel->setProperty("muted", true);
    m_dueLabel->hide();
    m_calendarLabel = wrappedLabel(this, Qt::RichText);
    m_priorityLabel = wrappedLabel(this, Qt::RichText);
    m_priorityLabel->hide();
    m_categoriesLabel = wrappedLabel(this, Qt::RichText);
    m_categoriesLabel->hide();
    m_descriptionLabel = wrappedLabel(this, Qt::RichText);
    m_descriptionLabel->setOpenExternalLinks(false);
    m_descriptionLabel->setTextInteractionFlags(Qt::TextSelectableByMouse |
                                                Qt::LinksAccessibleByMouse);
    connect(m_descriptionLabel, &QLabel::linkActivated, this, &DetailsCard::openLink);
    m_descriptionLabel->hide();
    for (QLabel* label : {m_titleLabel, m_startLabel, m_dueLabel, m_calendarLabel, m_priorityLabel,
                          m_categoriesLabel, m_descriptionLabel})
        layout->addWidget(label);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    m_editButton = new QPushButton(tr("Edit…"), this);
    m_editButton->setDefault(true);
    m_addSubtaskButton = new QPushButton(tr("Add Subtask"), this);
    m_completeButton = new QPushButton(this);
    m_deleteButton = new QPushButton(tr("Delete"), this);
    buttons->addWidget(m_editButton);
    buttons->addWidget(m_addSubtaskButton);
    buttons->addWidget(m_completeButton);
    buttons->addStretch();
    buttons->addWidget(m_deleteButton);
    layout->addSpacing(8);
    layout->addLayout(buttons);

    connect(m_editButton, &QPushButton::clicked, this, &TaskDetailsPopover::onEdit);
    connect(m_addSubtaskButton, &QPushButton::clicked, this, &TaskDetailsPopover::onAddSubtask);
    connect(m_completeButton, &QPushButton::clicked, this, &TaskDetailsPopover::onToggleComplete);
    connect(m_deleteButton, &QPushButton::clicked, this, &TaskDetailsPopover::onDelete);
}

void TaskDetailsPopover::populate()
{
    if (!m_found) {
        m_titleLabel->setText(tr("This task no longer exists."));
        for (QPushButton* button :
             {m_editButton, m_addSubtaskButton, m_completeButton, m_deleteButton})
            button->hide();
        m_calendarLabel->hide();
        return;
    }

    m_titleLabel->setText(m_task.title.isEmpty() ? tr("(Untitled task)") : m_task.title);
    if (m_task.isCompleted()) {
        QFont font = m_titleLabel->font();
        font.setStrikeOut(true);
        m_titleLabel->setFont(font);
    }
    showDates();

    std::optional<Calendar> calendar;
    if (m_appState && m_appState->calendars())
        calendar = m_appState->calendars()->getById(m_task.calendarId);
    m_readOnly = calendar && calendar->isReadOnly;
    // The colour goes into a style attribute: only a parsed colour's own name may go there.
    QColor colour(m_task.color);
    if (!colour.isValid() && calendar)
        colour = QColor(calendar->color);
    if (!colour.isValid())
        colour = QColor(Defaults::itemColour);
    QString name = calendar ? calendar->name : tr("Unknown calendar");
    if (calendar && m_appState->accounts()) {
        const std::optional<Account> account = m_appState->accounts()->getById(calendar->accountId);
        if (account && !account->name.isEmpty())
            name = QStringLiteral("%1 / %2").arg(account->name, calendar->name);
    }
    // Label rich text has no sized inline boxes: the square is a coloured glyph.
    m_calendarLabel->setText(
        QStringLiteral("<span style=\"color:%1;\">&#9632;</span>&nbsp;&nbsp;%2")
            .arg(colour.name(), name.toHtmlEscaped()));

    if (m_task.priority >= 1 && !m_task.isCompleted()) {
        m_priorityLabel->setText(QStringLiteral("<span style=\"color:%1;\">●</span> %2")
                                     .arg(TaskDetailsText::priorityColor(m_task.priority),
                                          tr("%1 priority")
                                              .arg(TaskDetailsText::priorityWord(m_task.priority))
                                              .toHtmlEscaped()));
        m_priorityLabel->show();
    }

    QStringList chips;
    for (const QString& category : m_task.categories) {
        if (category.trimmed().isEmpty())
            continue;
        chips.append(QStringLiteral("<span style=\"background:%1; color:%2; padding:1px 6px; "
                                    "border-radius:8px; font-size:11px;\">&nbsp;%3&nbsp;</span>")
                         .arg(Theme::surfaceMuted().name(), Theme::textMuted().name(),
                              category.toHtmlEscaped()));
    }
    if (!chips.isEmpty()) {
        m_categoriesLabel->setText(chips.join(QLatin1String("&nbsp;&nbsp;")));
        m_categoriesLabel->show();
    }

    if (!m_task.description.isEmpty()) {
        m_descriptionLabel->setText(notesHtml(m_task.description));
        m_descriptionLabel->show();
    }

    m_completeButton->setText(m_task.isCompleted() ? tr("Mark incomplete") : tr("Mark complete"));
    // A read-only calendar takes no changes from here; the form opens such a task read-only.
    m_completeButton->setVisible(!m_readOnly);
    m_addSubtaskButton->setVisible(!m_readOnly);
    m_deleteButton->setVisible(!m_readOnly);
}

void TaskDetailsPopover::showDates()
{
    const QDate today = Clock::today();
    if (m_task.startDate) {
        m_startLabel->setText(tr("▶  Starts %1")
                                  .arg(TaskDetailsText::relativeDay(
                                      *m_task.startDate, m_task.startIsDateOnly, today)));
        m_startLabel->show();
    }
    if (m_task.dueDate) {
        // The clock is the icon font's: an emoji needs a colour font the system may lack.
        // Rich text folds runs of spaces; the gaps around the dot are kept as written.
        const QString day =
            TaskDetailsText::relativeDay(*m_task.dueDate, m_task.dueIsDateOnly, today)
                .toHtmlEscaped()
                .replace(QLatin1String("  "), QLatin1String("&nbsp; "));
        m_dueLabel->setText(
            QStringLiteral("<span style=\"font-family:'%1'; font-size:14px;\">%2</span>"
                           "&nbsp;&nbsp;%3")
                .arg(Theme::iconFontFamily().toHtmlEscaped(), QString(Glyphs::clock), day));
        // The muted look comes from the style sheet, which a palette does not override.
        m_dueLabel->setStyleSheet(TaskStatusChange::isOverdue(m_task, today)
                                      ? QStringLiteral("color: %1;").arg(Theme::danger().name())
                                      : QString());
        m_dueLabel->show();
    }
}

std::optional<Task> TaskDetailsPopover::liveTask()
{
    std::optional<Task> stored;
    if (m_appState && m_appState->tasks())
        stored = m_appState->tasks()->getById(m_task.id);
    if (stored && !stored->deletedAt)
        return stored;
    QMessageBox::information(window(), tr("Task not found"), tr("This task no longer exists."));
    return std::nullopt;
}

void TaskDetailsPopover::onEdit()
{
    // One turn later, so that the click has ended before the form's own event loop starts. The
    // card's copy may be stale: the form gets the row as it is now.
    QTimer::singleShot(0, this, [this] {
        const QString id = m_task.id;
        close();
        if (liveTask())
            Q_EMIT editRequested(id);
    });
}

void TaskDetailsPopover::onAddSubtask()
{
    QTimer::singleShot(0, this, [this] {
        const QString id = m_task.id;
        close();
        if (liveTask())
            Q_EMIT addSubtaskRequested(id);
    });
}

void TaskDetailsPopover::onToggleComplete()
{
    const QString id = m_task.id;
    const bool complete = !m_task.isCompleted();
    AppState* appState = m_appState;
    const QPointer<QWidget> window = this->window();
    close();
    if (!appState)
        return;
    appState->whenStoreFree([appState, id, complete, window] {
        if (!appState->tasks()->setCompleted(id, complete))
            QMessageBox::warning(window, tr("Task change failed"),
                                 tr("The task could not be changed; it may have been deleted."));
    });
}

void TaskDetailsPopover::onDelete()
{
    const QString id = m_task.id;
    const QString calendarId = m_task.calendarId;
    const QString name = m_task.title.isEmpty() ? tr("Task") : m_task.title;
    AppState* appState = m_appState;
    const QPointer<QWidget> window = this->window();
    close();
    const auto answer =
        QMessageBox::question(nullptr, tr("Delete task?"),
                              tr("Delete \"%1\"? This cannot be undone.")
                                  .arg(ShownText::bounded(name, Limits::maxRowTextChars)),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes || !appState)
        return;
    // The question ran its own event loop: a task gone or moved to another calendar meanwhile is
    // left alone.
    appState->whenStoreFree([appState, id, calendarId, name, window] {
        const std::optional<Task> stored = appState->tasks()->getById(id);
        if (!stored || stored->deletedAt || stored->calendarId != calendarId ||
            !appState->tasks()->remove(id))
            QMessageBox::warning(window, tr("Task change failed"),
                                 tr("Could not delete \"%1\".")
                                     .arg(ShownText::bounded(name, Limits::maxRowTextChars)));
    });
}

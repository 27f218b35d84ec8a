#include "TaskDetailsPopover.h"

#include "Limits.h"
#include "ShownText.h"
#include "TaskFormDialog.h"

#include "AccountRepository.h"
#include "AppState.h"
#include "CalendarRepository.h"
#include "CardText.h"
#include "Clock.h"
#include "Defaults.h"
#include "DescriptionHtml.h"
#include "Glyphs.h"
#include "Limits.h"
#include "ShownText.h"
#include "TaskDetailsText.h"
#include "TaskRepository.h"
#include "TaskStatusChange.h"
#include "Theme.h"
#include "TodayWatch.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int cardWidth = 460;
constexpr int cardMaxHeight = 560;
constexpr int cardMargin = 16;

QLabel* wrappedLabel(QWidget* parent, Qt::TextFormat format)
{
    auto* label = new QLabel(parent);
    label->setTextFormat(format);
    label->setWordWrap(true);
    return label;
}

// The notes as escaped text with their line breaks and http(s) addresses as links: as much as a
// card lays out, ending in "…" when they go on.
QString notesHtml(const QString& text)
{
    const QString shown = DescriptionHtml::leadingText(text, Limits::maxCardTextChars);
    QString escaped = shown.toHtmlEscaped();
    escaped.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    escaped.replace(QLatin1Char('\n'), QLatin1String("<br>"));
    QString html = DescriptionHtml::linkify(escaped, Theme::accent().name());
    if (shown.size() < text.size())
        html += QChar(0x2026);
    return html;
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
    layout->setContentsMargins(cardMargin, cardMargin, cardMargin, cardMargin);
    layout->setSpacing(12);

    // Long notes scroll inside the card, which stays within its window.
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setStyleSheet(QStringLiteral("QScrollArea { background: transparent; }"));
    m_content = new QWidget(scroll);
    m_content->setStyleSheet(QStringLiteral("background: transparent;"));
    auto* contentLayout = new QVBoxLayout(m_content);
    contentLayout->setContentsMargins(0, 0, 0, 0);
    contentLayout->setSpacing(12);

    // Text from the task or a server is plain text; the rich labels are built from escaped
    // parts and parsed colours only.
    QWidget* content = m_content;
    const int textWidth = cardWidth - 2 * cardMargin;
    m_titleLabel = new CardText(Qt::PlainText, textWidth, content);
    QFont titleFont = m_titleLabel->font();
    titleFont.setPointSize(16);
    titleFont.setWeight(QFont::Bold);
    m_titleLabel->setFont(titleFont);
    m_startLabel = wrappedLabel(content, Qt::PlainText);
    m_startLabel->setProperty("muted", true);
    m_startLabel->hide();
    m_dueLabel = wrappedLabel(content, Qt::RichText);
    m_dueLabel->setProperty("muted", true);
    m_dueLabel->hide();
    m_calendarLabel = wrappedLabel(content, Qt::RichText);
    m_priorityLabel = wrappedLabel(content, Qt::RichText);
    m_priorityLabel->hide();
    m_categoriesLabel = new CardText(Qt::RichText, textWidth, content);
    m_categoriesLabel->hide();
    m_descriptionLabel = new CardText(Qt::RichText, textWidth, content);
    m_descriptionLabel->setOpenExternalLinks(false);
    m_descriptionLabel->setTextInteractionFlags(Qt::TextSelectableByMouse |
                                                Qt::LinksAccessibleByMouse);
    connect(m_descriptionLabel, &QLabel::linkActivated, this, &DetailsCard::openLink);
    m_descriptionLabel->hide();
    for (QLabel* label : {m_titleLabel, m_startLabel, m_dueLabel, m_calendarLabel, m_priorityLabel,
                          m_categoriesLabel, m_descriptionLabel})
        contentLayout->addWidget(label);
    contentLayout->addStretch();
    scroll->setWidget(m_content);
    layout->addWidget(scroll, 1);
    setMaximumHeight(cardMaxHeight);

    m_buttonRows = new QVBoxLayout;
    m_buttonRows->setSpacing(8);
    auto* firstRow = new QHBoxLayout;
    firstRow->setSpacing(8);
    m_editButton = new QPushButton(tr("Edit…"), this);
    m_editButton->setDefault(true);
    m_addSubtaskButton = new QPushButton(tr("Add Subtask"), this);
    m_completeButton = new QPushButton(this);
    m_deleteButton = new QPushButton(tr("Delete"), this);
    firstRow->addWidget(m_editButton);
    firstRow->addWidget(m_addSubtaskButton);
    firstRow->addWidget(m_completeButton);
    firstRow->addStretch();
    firstRow->addWidget(m_deleteButton);
    m_buttonRows->addLayout(firstRow);
    layout->addSpacing(8);
    layout->addLayout(m_buttonRows);

    connect(m_editButton, &QPushButton::clicked, this, &TaskDetailsPopover::onEdit);
    connect(m_addSubtaskButton, &QPushButton::clicked, this, &TaskDetailsPopover::onAddSubtask);
    connect(m_completeButton, &QPushButton::clicked, this, &TaskDetailsPopover::onToggleComplete);
    connect(m_deleteButton, &QPushButton::clicked, this, &TaskDetailsPopover::onDelete);
}

QSize TaskDetailsPopover::sizeHint() const
{
    // A scroll area hints the content's height at the content's own preferred width, where the
    // wrapped labels take more lines than at the card's: measure at the card's width instead.
    const QMargins margins = layout()->contentsMargins();
    const int width = cardWidth - 2 * frameWidth() - margins.left() - margins.right();
    int content = m_content->heightForWidth(width);
    if (content < 0)
        content = m_content->sizeHint().height();
    // One row of buttons or two; none when every button is hidden.
    const int buttons = m_buttonRows->sizeHint().height();
    const int spacing = layout()->spacing();
    const int height = 2 * frameWidth() + margins.top() + content +
                       (buttons > 0 ? spacing + 8 + spacing + buttons : 0) + margins.bottom();
    return {cardWidth, std::min(height, cardMaxHeight)};
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

    // Outside texts are laid out in part: the title, a heading, as much as a row shows, the
    // notes a card's worth. The form holds them whole.
    m_titleLabel->setText(m_task.title.isEmpty()
                              ? tr("(Untitled task)")
                              : ShownText::bounded(m_task.title, Limits::maxRowTextChars));
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
    const QString calendarName =
        calendar ? ShownText::bounded(calendar->name, Limits::maxRowTextChars) : QString();
    QString name = calendar ? calendarName : tr("Unknown calendar");
    if (calendar && m_appState->accounts()) {
        const std::optional<Account> account = m_appState->accounts()->getById(calendar->accountId);
        if (account && !account->name.isEmpty())
            name = QStringLiteral("%1 / %2").arg(
                ShownText::bounded(account->name, Limits::maxRowTextChars), calendarName);
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

    // Categories come from servers too: each as a row's text, and no more of them than a card's
    // worth of characters.
    QStringList chips;
    qsizetype chipChars = 0;
    for (const QString& category : m_task.categories) {
        if (category.trimmed().isEmpty())
            continue;
        if (chipChars >= Limits::maxCardTextChars) {
            chips.append(QString(QChar(0x2026)));
            break;
        }
        const QString shownCategory = ShownText::bounded(category, Limits::maxRowTextChars);
        chipChars += shownCategory.size();
        chips.append(QStringLiteral("<span style=\"background:%1; color:%2; padding:1px 6px; "
                                    "border-radius:8px; font-size:11px;\">&nbsp;%3&nbsp;</span>")
                         .arg(Theme::surfaceMuted().name(), Theme::textMuted().name(),
                              shownCategory.toHtmlEscaped()));
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
    arrangeButtons();
}

void TaskDetailsPopover::arrangeButtons()
{
    // In some languages the four labels are wider than the card: rather than cut them, the
    // status toggle and Delete go to a second row. The frame's border counts once polished.
    ensurePolished();
    const QMargins margins = layout()->contentsMargins();
    const int width = cardWidth - 2 * frameWidth() - margins.left() - margins.right();
    if (m_buttonRows->minimumSize().width() <= width)
        return;
    QLayout* firstRow = m_buttonRows->itemAt(0)->layout();
    firstRow->removeWidget(m_completeButton);
    firstRow->removeWidget(m_deleteButton);
    auto* secondRow = new QHBoxLayout;
    secondRow->setSpacing(8);
    secondRow->addWidget(m_completeButton);
    secondRow->addStretch();
    secondRow->addWidget(m_deleteButton);
    m_buttonRows->addLayout(secondRow);
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
    QMessageBox::information(hostWindow(), tr("Task not found"), tr("This task no longer exists."));
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
    const QPointer<QWidget> window = hostWindow();
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
    // The questions name the task as a row does: a few lines of a long title.
    const QString name = m_task.title.isEmpty()
                             ? tr("Task")
                             : ShownText::bounded(m_task.title, Limits::maxRowTextChars);
    AppState* appState = m_appState;
    const QPointer<QWidget> window = hostWindow();
    close();
    const auto answer =
        QMessageBox::question(nullptr, tr("Delete task?"),
                              tr("Delete \"%1\"? This cannot be undone.").arg(name),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes || !appState)
        return;
    // The question ran its own event loop: a task gone or moved to another calendar meanwhile is
    // left alone, and the user told so in the tasks pane's words; only a refused delete is a
    // failure.
    appState->whenStoreFree([appState, id, calendarId, name, window] {
        const std::optional<Task> stored = appState->tasks()->getById(id);
        if (!stored || stored->deletedAt) {
            QMessageBox::information(window, tr("Task not found"),
                                     tr("This task no longer exists."));
            return;
        }
        if (stored->calendarId != calendarId) {
            QMessageBox::information(
                window, tr("Task not found"),
                QCoreApplication::translate(
                    "StoredTask",
                    "\"%1\" was moved to another calendar meanwhile, so nothing was changed.")
                    .arg(name));
            return;
        }
        if (!appState->tasks()->remove(id))
            QMessageBox::warning(window, tr("Task change failed"),
                                 tr("Could not delete \"%1\".").arg(name));
    });
}

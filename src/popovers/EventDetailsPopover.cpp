#include "EventDetailsPopover.h"

#include "AccountRepository.h"
#include "AppState.h"
#include "CalendarRepository.h"
#include "CardText.h"
#include "Clock.h"
#include "DateLanguage.h"
#include "Defaults.h"
#include "DescriptionHtml.h"
#include "EventChangeState.h"
#include "EventDuplicate.h"
#include "EventFormDialog.h"
#include "EventRepository.h"
#include "Glyphs.h"
#include "Limits.h"
#include "RruleFormat.h"
#include "SeriesActions.h"
#include "ShownText.h"
#include "Theme.h"
#include "TimeFormatState.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int cardWidth = 400;
constexpr int cardMaxHeight = 560;
constexpr int cardMargin = 16;

QString detailsIconRow(QChar glyph, const QString& text)
{
    return QStringLiteral("<span style=\"font-family:'%1'; font-size:14px;\">%2</span>"
                          "&nbsp;&nbsp;%3")
        .arg(Theme::iconFontFamily().toHtmlEscaped(), QString(glyph), text.toHtmlEscaped());
}

QLabel* mutedLabel(QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setProperty("muted", true);
    return label;
}

// Tells the user over `window`, which may be gone by the time a change is reported.
EventChange::Reporter failureOver(QWidget* window)
{
    const QPointer<QWidget> guard(window);
    return [guard](const QString& message) {
        QMessageBox::warning(
            guard, QCoreApplication::translate("EventDetailsPopover", "Event change failed"),
            message);
    };
}

} // namespace

EventDetailsPopover::EventDetailsPopover(AppState* appState, const Event& event, QWidget* parent)
    : DetailsCard(QStringLiteral("eventDetailsPopover"), cardWidth, parent), m_appState(appState),
      m_event(event)
{
    buildUi();
    populate();
}

void EventDetailsPopover::buildUi()
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(cardMargin, cardMargin, cardMargin, cardMargin);
    layout->setSpacing(12);

    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setStyleSheet(QStringLiteral("QScrollArea { background: transparent; }"));
    auto* content = new QWidget(scroll);
    m_content = content;
    content->setStyleSheet(QStringLiteral("background: transparent;"));
    auto* contentLayout = new QVBoxLayout(content);
    contentLayout->setContentsMargins(0, 0, 0, 0);
    contentLayout->setSpacing(12);

    // Text from the event or a server is plain text; the rich labels are built from escaped or
    // sanitised parts only.
    // Texts long enough to scroll are laid out beside the scroll bar: measured there first, the
    // long ones are measured once.
    // The card's border comes from its style sheet.
    ensurePolished();
    m_textWidth = cardWidth - 2 * frameWidth() - 2 * cardMargin;
    m_scrolledWidth = m_textWidth - scroll->verticalScrollBar()->sizeHint().width();
    m_titleLabel = new CardText(Qt::PlainText, m_scrolledWidth, content);
    QFont titleFont = m_titleLabel->font();
    titleFont.setPointSize(16);
    titleFont.setWeight(QFont::Bold);
    m_titleLabel->setFont(titleFont);

    m_timeLabel = mutedLabel(content);
    m_timeLabel->setTextFormat(Qt::PlainText);

    m_calendarLabel = new QLabel(content);
    m_calendarLabel->setTextFormat(Qt::RichText);

    // The pin is the icon font's (an emoji needs a colour font the system may lack), beside
    // the location as plain text.
    m_locationRow = new QWidget(content);
    auto* locationLayout = new QHBoxLayout(m_locationRow);
    locationLayout->setContentsMargins(0, 0, 0, 0);
    locationLayout->setSpacing(6);
    auto* pin = new QLabel(QString(Glyphs::mapPin), m_locationRow);
    QFont pinFont(Theme::iconFontFamily());
    pinFont.setPixelSize(14);
    pin->setFont(pinFont);
    pin->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Beside the pin, the row as wide as the other texts.
    m_locationLabel = new CardText(
        Qt::PlainText, m_scrolledWidth - pin->sizeHint().width() - locationLayout->spacing(),
        m_locationRow);
    m_locationLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    locationLayout->addWidget(pin, 0, Qt::AlignTop);
    locationLayout->addWidget(m_locationLabel, 1);
    m_locationRow->hide();

    m_descriptionLabel = new CardText(Qt::RichText, m_scrolledWidth, content);
    m_descriptionLabel->setOpenExternalLinks(false);
    m_descriptionLabel->setTextInteractionFlags(Qt::TextSelectableByMouse |
                                                Qt::LinksAccessibleByMouse);
    connect(m_descriptionLabel, &QLabel::linkActivated, this, &DetailsCard::openLink);
    m_descriptionLabel->hide();

    m_organizerLabel = mutedLabel(content);
    m_organizerLabel->setTextFormat(Qt::PlainText);
    m_organizerLabel->hide();
    m_recurrenceLabel = mutedLabel(content);
    m_recurrenceLabel->setTextFormat(Qt::RichText);
    m_recurrenceLabel->hide();
    m_remindersLabel = mutedLabel(content);
    m_remindersLabel->setTextFormat(Qt::RichText);
    m_remindersLabel->hide();

    for (QLabel* label :
         {m_titleLabel, m_timeLabel, m_recurrenceLabel, m_remindersLabel, m_calendarLabel}) {
        label->setWordWrap(true);
        contentLayout->addWidget(label);
    }
    contentLayout->addWidget(m_locationRow);
    for (QLabel* label : {m_descriptionLabel, m_organizerLabel}) {
        label->setWordWrap(true);
        contentLayout->addWidget(label);
    }
    contentLayout->addStretch();
    scroll->setWidget(content);
    layout->addWidget(scroll, 1);
    setMaximumHeight(cardMaxHeight);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    m_editButton = new QPushButton(tr("Edit…"), this);
    m_editButton->setDefault(true);
    m_duplicateButton = new QPushButton(tr("Duplicate"), this);
    m_deleteButton = new QPushButton(tr("Delete"), this);
    buttons->addWidget(m_editButton);
    buttons->addWidget(m_duplicateButton);
    buttons->addStretch();
    buttons->addWidget(m_deleteButton);
    layout->addSpacing(8);
    layout->addLayout(buttons);

    connect(m_editButton, &QPushButton::clicked, this, &EventDetailsPopover::onEdit);
    connect(m_duplicateButton, &QPushButton::clicked, this, &EventDetailsPopover::onDuplicate);
    connect(m_deleteButton, &QPushButton::clicked, this, &EventDetailsPopover::onDelete);
}

QSize EventDetailsPopover::sizeHint() const
{
    // A scroll area hints the content's height at the content's own preferred width, where the
    // wrapped labels take more lines than at the card's: measure at the card's width instead,
    // beside the scroll bar first, where content that scrolls is laid out.
    const QMargins margins = layout()->contentsMargins();
    const int spacing = layout()->spacing();
    const int around = 2 * frameWidth() + margins.top() + spacing + 8 + spacing +
                       m_editButton->sizeHint().height() + margins.bottom();
    int content = m_content->heightForWidth(m_scrolledWidth);
    if (around + content <= cardMaxHeight)
        content = m_content->heightForWidth(m_textWidth);
    if (content < 0)
        content = m_content->sizeHint().height();
    return {cardWidth, std::min(around + content, cardMaxHeight)};
}

void EventDetailsPopover::populate()
{
    // Outside texts are laid out in part: the title and the location, headings, as much as a row
    // shows, the description a card's worth. The form holds them whole.
    m_titleLabel->setText(m_event.title.isEmpty()
                              ? tr("(Untitled)")
                              : ShownText::bounded(m_event.title, Limits::maxRowTextChars));
    m_timeLabel->setText(formatEventTimeRange(m_event, TimeFormat::timePattern(m_appState)));

    std::optional<Calendar> calendar;
    if (m_appState && m_appState->calendars())
        calendar = m_appState->calendars()->getById(m_event.calendarId);
    QString colorText = m_event.color;
    if (colorText.isEmpty() && calendar)
        colorText = calendar->color;
    // The colour goes into a style attribute: only a parsed colour's own name may go there.
    QColor colour(colorText.isEmpty() ? QString(Defaults::itemColour) : colorText);
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

    if (!m_event.recurrenceRule.isEmpty()) {
        m_recurrenceLabel->setText(
            detailsIconRow(Glyphs::repeat, RruleFormat::describe(m_event.recurrenceRule)));
        m_recurrenceLabel->show();
    }
    if (!m_event.reminders.isEmpty()) {
        QStringList texts;
        for (const Reminder& reminder : m_event.reminders)
            texts.append(RruleFormat::reminderText(reminder.minutesBefore));
        m_remindersLabel->setText(detailsIconRow(Glyphs::bell, texts.join(QLatin1String(", "))));
        m_remindersLabel->show();
    }
    if (!m_event.location.isEmpty()) {
        m_locationLabel->setText(ShownText::bounded(m_event.location, Limits::maxRowTextChars));
        m_locationRow->show();
    }
    if (!m_event.description.isEmpty()) {
        const QString html =
            DescriptionHtml::displayHtml(m_event.description, m_event.conferenceUrl,
                                         Theme::accent().name(), Limits::maxCardTextChars);
        if (!html.isEmpty()) {
            m_descriptionLabel->setText(html);
            m_descriptionLabel->show();
        }
    }
    if (!m_event.organizerName.isEmpty() || !m_event.organizerEmail.isEmpty()) {
        const QString organizerName =
            ShownText::bounded(m_event.organizerName, Limits::maxRowTextChars);
        const QString organizerEmail =
            ShownText::bounded(m_event.organizerEmail, Limits::maxRowTextChars);
        const QString person = !organizerName.isEmpty() && !organizerEmail.isEmpty()
                                   ? QStringLiteral("%1 <%2>").arg(organizerName, organizerEmail)
                                   : (organizerName.isEmpty() ? organizerEmail : organizerName);
        m_organizerLabel->setText(tr("Organizer: %1").arg(person));
        m_organizerLabel->show();
    }
}

QString EventDetailsPopover::formatEventTimeRange(const Event& event, const QString& timePattern)
{
    if (event.isAllDay) {
        // All-day events are stored at 00:00 UTC of their dates: show those dates as stored.
        const QDate start = event.startTime.toUTC().date();
        QDate end = event.endTime ? event.endTime->toUTC().date() : start;
        if (event.endTime && end > start)
            end = end.addDays(-1);
        const QString allDay = EventDetailsPopover::tr("All-day");
        if (end == start) {
            return DateLanguage::format(start, QStringLiteral("dddd, MMMM d, yyyy")) +
                   QStringLiteral("  ·  ") + allDay;
        }
        return QStringLiteral("%1 – %2  ·  %3")
            .arg(DateLanguage::format(start, QStringLiteral("dddd, MMM d")),
                 DateLanguage::format(end, QStringLiteral("dddd, MMM d, yyyy")), allDay);
    }
    const QDateTime start = event.startTime.toLocalTime();
    const QString firstLine =
        DateLanguage::format(start.date(), QStringLiteral("dddd, MMMM d, yyyy"));
    const QString startTime = TimeFormat::format(start, timePattern);
    if (!event.endTime)
        return QStringLiteral("%1\n%2").arg(firstLine, startTime);
    const QDateTime end = event.endTime->toLocalTime();
    const QString endText =
        end.date() == start.date()
            ? TimeFormat::format(end, timePattern)
            : DateLanguage::format(end.date(), QStringLiteral("dddd, MMMM d, yyyy ")) +
                  TimeFormat::format(end, timePattern);
    return QStringLiteral("%1\n%2 – %3").arg(firstLine, startTime, endText);
}

void EventDetailsPopover::keyPressEvent(QKeyEvent* event)
{
    // The card holds the focus once it opens, so the views never see this key: Delete here is
    // the card's own "Delete".
    if (event->matches(QKeySequence::Delete)) {
        onDelete();
        return;
    }
    DetailsCard::keyPressEvent(event);
}

void EventDetailsPopover::onEdit()
{
    AppState* appState = m_appState;
    const Event copy = m_event;
    QWidget* window = hostWindow();
    const QPointer<EventDetailsPopover> self(this);
    QTimer::singleShot(0, window, [appState, copy, window, self] {
        if (self)
            self->close();
        // The card shows an occurrence with its own times; the series is the stored row. A sync
        // may have deleted it, or removed it from the store, while the card was open.
        const std::optional<Event> stored =
            EventChange::reread(appState, copy, failureOver(window));
        if (!stored || SeriesActions::edit(appState, window, *stored, copy.startTime))
            return;
        EventFormDialog dialog(appState, *stored, window);
        dialog.exec();
    });
}

void EventDetailsPopover::onDuplicate()
{
    const QString source = m_event.title.isEmpty() ? tr("Event") : m_event.title;
    const QString shownName = ShownText::bounded(source, Limits::maxRowTextChars);
    AppState* appState = m_appState;
    const Event shown = m_event;
    const QPointer<QWidget> window = hostWindow();
    close();
    const auto failed = [window, shownName] {
        QMessageBox::warning(window, tr("Duplicate failed"),
                             tr("The copy of \"%1\" could not be saved.").arg(shownName));
    };
    if (!appState) {
        failed();
        return;
    }
    // While an import holds the store the copy is written at its end. A sync may have deleted the
    // event, removed it from the store or moved it while the card was open: a copy would bring
    // it back, and would be pushed.
    appState->whenStoreFree([appState, shown, failed, report = failureOver(window)] {
        std::optional<Event> stored = EventChange::reread(appState, shown, report);
        if (!stored)
            return;
        // What a sync brought in meanwhile is what the copy holds; an occurrence of a series
        // keeps the times it was shown at, as the series row holds only its first. The views
        // show an occurrence as the series' row at the occurrence's times, without a recurrence
        // id, so the copy of any occurrence is a new series starting there.
        const bool occurrence = !shown.recurrenceId.isEmpty() || !shown.recurrenceRule.isEmpty();
        if (stored->recurrenceId.isEmpty() && occurrence) {
            stored->startTime = shown.startTime;
            stored->endTime = shown.endTime;
            stored->isAllDay = shown.isAllDay;
        }
        const QString title = stored->title.isEmpty() ? tr("Event") : stored->title;
        const Event copy =
            EventDuplicate::standalone(*stored, tr("%1 (copy)").arg(title), Clock::now().toUTC());
        if (!appState->events()->insert(copy))
            failed();
    });
}

void EventDetailsPopover::onDelete()
{
    const Event record = m_event;
    // The questions name the event as a row does: a few lines of a long title.
    const QString name = record.title.isEmpty()
                             ? tr("Event")
                             : ShownText::bounded(record.title, Limits::maxRowTextChars);
    AppState* appState = m_appState;
    const QPointer<QWidget> window = hostWindow();
    close();
    const EventChange::Reporter report = failureOver(window);
    // An event a sync deleted or removed while the card was open is reported, not asked about.
    const std::optional<Event> stored = EventChange::reread(appState, record, report);
    if (!stored || SeriesActions::remove(appState, window, *stored, record.startTime, report))
        return;
    const auto answer = QMessageBox::question(
        window, tr("Delete event?"),
        tr("Delete \"%1\"? You can undo with %2.")
            .arg(name, QKeySequence(QKeySequence::Undo).toString(QKeySequence::NativeText)),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    // The delete reads the row again: the undo writes back the stored row as the question left
    // it, not the card's copy, and a row gone or moved meanwhile is reported.
    if (EventChange::deleteWithUndo(appState, record, report))
        appState->setSelectedEventId(QString());
}

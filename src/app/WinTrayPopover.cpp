#include "WinTrayPopover.h"

#include "AgendaDays.h"
#include "AppState.h"
#include "CalendarRepository.h"
#include "Clock.h"
#include "DateLanguage.h"
#include "Defaults.h"
#include "EventQueryState.h"
#include "EventRepository.h"
#include "FilterEngine.h"
#include "FilterRuleRepository.h"
#include "Limits.h"
#include "NLParser.h"
#include "QuickAddState.h"
#include "ShownText.h"
#include "Theme.h"
#include "TimeFormatState.h"
#include "ViewRepository.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <QTextLayout>
#include <QTextOption>
#include <QTimeZone>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QColor colourOf(const QString& text)
{
    const QColor colour(text);
    return colour.isValid() ? colour : QColor(Defaults::itemColour);
}

QPixmap dot(int size, int inset, const QColor& colour)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawEllipse(QRectF(inset, inset, size - 2 * inset, size - 2 * inset));
    return pixmap;
}

// The date an occurrence is listed under: all-day events by their stored date, timed events by
// their local start.
QDate listDate(const Event& occurrence)
{
    if (occurrence.isAllDay)
        return occurrence.startTime.toUTC().date();
    return occurrence.startTime.toTimeZone(QTimeZone::systemTimeZone()).date();
}

QDateTime localTime(const QDateTime& time)
{
    return time.toTimeZone(QTimeZone::systemTimeZone());
}

void setMuted(QWidget* widget)
{
    widget->setProperty("muted", true);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, Theme::textMuted());
    palette.setColor(QPalette::Text, Theme::textMuted());
    widget->setPalette(palette);
}

// The first two lines of `text` as `label` wraps it at `width`, the second elided where more
// follows, joined by a line break. A word longer than the width breaks where it reaches it.
QString twoLines(const QLabel* label, const QString& text, int width)
{
    const QString shown = ShownText::bounded(text, Limits::maxRowTextChars);
    QTextLayout layout(shown, label->font());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    QStringList lines;
    while (lines.size() < 2) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(width);
        if (lines.size() == 1 && line.textStart() + line.textLength() < shown.size())
            lines.append(label->fontMetrics().elidedText(shown.mid(line.textStart()),
                                                         Qt::ElideRight, width));
        else
            lines.append(shown.mid(line.textStart(), line.textLength()).trimmed());
    }
    layout.endLayout();
    return lines.join(QLatin1Char('\n'));
}

} // namespace

WinTrayPopover::WinTrayPopover(AppState* state, QWidget* parent)
    : QFrame(parent, Qt::Popup), m_state(state)
{
    setObjectName(QStringLiteral("trayPopover"));
    setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    setFixedWidth(popoverWidth);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(8);

    m_headerLabel = new QLabel(this);
    QFont headerFont = m_headerLabel->font();
    headerFont.setWeight(QFont::Bold);
    headerFont.setPointSizeF(headerFont.pointSizeF() + 2);
    m_headerLabel->setFont(headerFont);
    layout->addWidget(m_headerLabel);

    auto* groupRow = new QHBoxLayout;
    groupRow->setContentsMargins(0, 0, 0, 0);
    groupRow->setSpacing(6);
    auto* groupLabel = new QLabel(tr("Group"), this);
    setMuted(groupLabel);
    m_groupCombo = new QComboBox(this);
    m_groupCombo->setFocusPolicy(Qt::NoFocus);
    groupRow->addWidget(groupLabel);
    groupRow->addWidget(m_groupCombo, 1);
    layout->addLayout(groupRow);

    m_card = new QFrame(this);
    m_card->setObjectName(QStringLiteral("nextEventCard"));
    m_card->setFrameStyle(QFrame::StyledPanel | QFrame::Plain);
    auto* cardLayout = new QHBoxLayout(m_card);
    cardLayout->setContentsMargins(10, 8, 10, 8);
    cardLayout->setSpacing(10);
    m_cardDot = new QLabel(m_card);
    m_cardDot->setFixedSize(14, 14);
    cardLayout->addWidget(m_cardDot, 0, Qt::AlignTop);
    auto* cardText = new QVBoxLayout;
    cardText->setContentsMargins(0, 0, 0, 0);
    cardText->setSpacing(2);
    m_cardTitle = new QLabel(m_card);
    m_cardTitle->setTextFormat(Qt::PlainText);
    QFont titleFont = m_cardTitle->font();
    titleFont.setWeight(QFont::Bold);
    m_cardTitle->setFont(titleFont);
    m_cardTitle->setWordWrap(true);
    m_cardWhen = new QLabel(m_card);
    m_cardWhen->setTextFormat(Qt::PlainText);
    setMuted(m_cardWhen);
    m_cardLocation = new QLabel(m_card);
    m_cardLocation->setTextFormat(Qt::PlainText);
    m_cardLocation->setWordWrap(true);
    setMuted(m_cardLocation);
    cardText->addWidget(m_cardTitle);
    cardText->addWidget(m_cardWhen);
    cardText->addWidget(m_cardLocation);
    cardLayout->addLayout(cardText, 1);
    layout->addWidget(m_card);

    m_list = new QListWidget(this);
    m_list->setFrameShape(QFrame::NoFrame);
    m_list->setUniformItemSizes(false);
    m_list->setSelectionMode(QAbstractItemView::NoSelection);
    m_list->setIconSize(QSize(12, 12));
    m_list->setFocusPolicy(Qt::NoFocus);
    // Long titles are elided rather than scrolled sideways.
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setTextElideMode(Qt::ElideRight);
    layout->addWidget(m_list, 1);

    m_quickAddEdit = new QLineEdit(this);
    m_quickAddEdit->setClearButtonEnabled(true);
    m_quickAddEdit->setPlaceholderText(tr("Add event — e.g. \"lunch Thursday 1pm\""));
    layout->addWidget(m_quickAddEdit);

    m_previewLabel = new QLabel(this);
    m_previewLabel->setTextFormat(Qt::PlainText);
    m_previewLabel->setWordWrap(true);
    QFont previewFont = m_previewLabel->font();
    previewFont.setPointSizeF(std::max(8.0, previewFont.pointSizeF() - 1));
    m_previewLabel->setFont(previewFont);
    setMuted(m_previewLabel);
    layout->addWidget(m_previewLabel);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    auto* openButton = new QPushButton(tr("Open Calendar"), this);
    openButton->setDefault(true);
    auto* syncButton = new QPushButton(tr("Sync Now"), this);
    m_prefsButton = new QToolButton(this);
    m_prefsButton->setText(QString(QChar(0x2699)));
    m_prefsButton->setToolTip(tr("Preferences"));
    m_prefsButton->setAutoRaise(true);
    m_prefsButton->setCursor(Qt::PointingHandCursor);
    QFont gearFont = m_prefsButton->font();
    gearFont.setPointSizeF(gearFont.pointSizeF() + 2);
    m_prefsButton->setFont(gearFont);
    buttons->addWidget(openButton);
    buttons->addWidget(syncButton);
    buttons->addStretch(1);
    buttons->addWidget(m_prefsButton);
    layout->addLayout(buttons);

    m_refreshTimer = new QTimer(this);
    m_refreshTimer->setInterval(clockIntervalMs);

    connect(m_groupCombo, &QComboBox::activated, this, &WinTrayPopover::onGroupActivated);
    connect(m_list, &QListWidget::itemClicked, this, &WinTrayPopover::onItemClicked);
    connect(m_quickAddEdit, &QLineEdit::textChanged, this, &WinTrayPopover::updateQuickAddPreview);
    connect(m_quickAddEdit, &QLineEdit::returnPressed, this, &WinTrayPopover::commitQuickAdd);
    connect(openButton, &QPushButton::clicked, this, [this]() {
        Q_EMIT openMainWindow();
        hide();
    });
    connect(syncButton, &QPushButton::clicked, this, [this]() {
        Q_EMIT syncNowRequested();
        hide();
    });
    connect(m_prefsButton, &QToolButton::clicked, this, [this]() {
        Q_EMIT openSettings();
        hide();
    });
    connect(m_refreshTimer, &QTimer::timeout, this, &WinTrayPopover::updateTimeLabels);
    if (m_state) {
        if (m_state->events())
            connect(m_state->events(), &EventRepository::eventsChanged, this,
                    &WinTrayPopover::refresh);
        if (m_state->calendars())
            connect(m_state->calendars(), &CalendarRepository::calendarsChanged, this,
                    &WinTrayPopover::refresh);
        if (m_state->filterRules())
            connect(m_state->filterRules(), &FilterRuleRepository::filterRulesChanged, this,
                    &WinTrayPopover::refresh);
        const auto reloadAll = [this]() {
            reloadGroups();
            refresh();
        };
        if (m_state->views())
            connect(m_state->views(), &ViewRepository::viewsChanged, this, reloadAll);
        connect(m_state, &AppState::activeViewChanged, this, reloadAll);
    }
    reloadGroups();
}

QString WinTrayPopover::relativeTime(const QDateTime& start, const QDateTime& now)
{
    const qint64 seconds = now.secsTo(start);
    if (seconds <= 0)
        return tr("now");
    if (seconds < 3600)
        return tr("in %1 min").arg(std::max<qint64>(seconds / 60, 1));
    const qint64 hours = seconds / 3600;
    const qint64 minutes = (seconds - hours * 3600) / 60;
    return minutes != 0 ? tr("in %1h %2m").arg(hours).arg(minutes) : tr("in %1h").arg(hours);
}

void WinTrayPopover::addHeader(const QString& text)
{
    auto* item = new QListWidgetItem(text, m_list);
    QFont font = item->font();
    font.setWeight(QFont::Bold);
    item->setFont(font);
    item->setForeground(Theme::textMuted());
    item->setFlags(Qt::NoItemFlags);
    item->setData(headerRole, true);
}

void WinTrayPopover::addPlaceholder(const QString& text)
{
    auto* item = new QListWidgetItem(text, m_list);
    item->setFlags(Qt::NoItemFlags);
    item->setForeground(Theme::textMuted());
}

void WinTrayPopover::addOccurrence(const Event& occurrence, const QString& colour,
                                   const QString& pattern)
{
    const QString time = occurrence.isAllDay
                             ? tr("All-day")
                             : TimeFormat::format(localTime(occurrence.startTime), pattern);
    // The row elides, but only after measuring all it holds.
    auto* item = new QListWidgetItem(
        QStringLiteral("%1  %2").arg(time,
                                     ShownText::bounded(occurrence.title, Limits::maxRowTextChars)),
        m_list);
    item->setIcon(QIcon(dot(12, 1, colourOf(colour))));
    item->setForeground(Theme::textPrimary());
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    item->setData(dateRole, listDate(occurrence));
    item->setData(eventIdRole, occurrence.id);
}

void WinTrayPopover::refresh()
{
    const QDate today = Clock::today();
    m_list->clear();
    const QList<Calendar> calendars =
        m_state && m_state->calendars() ? m_state->calendars()->getAll() : QList<Calendar>();
    if (calendars.isEmpty()) {
        m_cardEvent.reset();
        m_card->hide();
        auto* item = new QListWidgetItem(tr("No calendars yet"), m_list);
        item->setFlags(Qt::NoItemFlags);
        fitListHeight();
        updateTimeLabels();
        return;
    }
    QHash<QString, QString> calendarColours;
    for (const Calendar& calendar : calendars)
        calendarColours.insert(calendar.id, calendar.color);
    const auto colourFor = [&](const Event& event) {
        return event.color.isEmpty() ? calendarColours.value(event.calendarId) : event.color;
    };

    const QList<Event> occurrences = EventQuery::visibleOccurrences(m_state);
    if (occurrences.isEmpty()) {
        m_cardEvent.reset();
        m_cardDot->setPixmap(QPixmap());
        m_cardTitle->setText(tr("No upcoming events"));
        m_cardWhen->setText(tr("Nothing scheduled in the next 24 hours."));
        m_cardLocation->hide();
    } else {
        const Event& first = occurrences.first();
        m_cardEvent = first;
        m_cardDot->setPixmap(dot(14, 0, colourOf(colourFor(first))));
        // Two lines of each keep the card short whatever the server sent.
        const int textWidth = popoverWidth - 72; // margins, frame, the dot and its spacing
        m_cardTitle->setText(first.title.isEmpty() ? tr("Untitled")
                                                   : twoLines(m_cardTitle, first.title, textWidth));
        m_cardLocation->setText(twoLines(m_cardLocation, first.location, textWidth));
        m_cardLocation->setVisible(!first.location.isEmpty());
    }
    m_card->show();

    const QString pattern = TimeFormat::timePattern(m_state);
    // Each occurrence once, in the part of the first of the two days it is listed under: one
    // running since yesterday or into tomorrow belongs to today.
    const QList<QList<Event>> days =
        AgendaDays::eventsByDay(occurrences, today, 2, QTimeZone::systemTimeZone(), QDateTime());
    const QList<Event>& todayPart = days[0];
    QSet<FilterEngine::OccurrenceKey> listedToday;
    for (const Event& occurrence : todayPart)
        listedToday.insert(FilterEngine::OccurrenceKey::of(occurrence));
    QList<Event> tomorrowPart;
    for (const Event& occurrence : days[1]) {
        if (!listedToday.contains(FilterEngine::OccurrenceKey::of(occurrence)))
            tomorrowPart.append(occurrence);
    }
    addHeader(tr("Today"));
    for (const Event& occurrence : std::as_const(todayPart))
        addOccurrence(occurrence, colourFor(occurrence), pattern);
    if (todayPart.isEmpty())
        addPlaceholder(tr("  No more events today"));
    addHeader(tr("Tomorrow"));
    for (const Event& occurrence : std::as_const(tomorrowPart))
        addOccurrence(occurrence, colourFor(occurrence), pattern);
    if (tomorrowPart.isEmpty())
        addPlaceholder(tr("  Nothing scheduled"));
    fitListHeight();
    updateTimeLabels();
}

void WinTrayPopover::fitListHeight()
{
    // As tall as its rows, so a short day shows whole without a scroll bar; a long one scrolls.
    // Frame and stylesheet padding: what the list takes beyond its viewport.
    int height =
        m_list->height() - m_list->viewport()->height() + 2 * m_list->spacing() * m_list->count();
    for (int row = 0; row < m_list->count(); ++row)
        height += m_list->sizeHintForRow(row);
    m_list->setFixedHeight(std::clamp(height, 40, maxListHeight));
}

void WinTrayPopover::updateTimeLabels()
{
    const QString pattern = TimeFormat::timePattern(m_state);
    const QDateTime now = Clock::nowLocal();
    m_headerLabel->setText(DateLanguage::format(Clock::today(), QStringLiteral("dddd, MMM d")) +
                           QStringLiteral("  ·  ") + TimeFormat::format(now, pattern));
    if (!m_cardEvent)
        return;
    const bool isToday = listDate(*m_cardEvent) <= Clock::today();
    if (m_cardEvent->isAllDay) {
        m_cardWhen->setText(isToday ? tr("Today, all day") : tr("Tomorrow, all day"));
        return;
    }
    const QDateTime start = localTime(m_cardEvent->startTime);
    QString when =
        tr("%1 at %2")
            .arg(isToday ? tr("Today") : tr("Tomorrow"), TimeFormat::format(start, pattern));
    if (isToday)
        when += QStringLiteral(" · ") + relativeTime(start, now);
    m_cardWhen->setText(when);
}

void WinTrayPopover::reloadGroups()
{
    const bool wasBlocked = m_groupCombo->blockSignals(true);
    m_groupCombo->clear();
    if (m_state && m_state->views()) {
        for (const CalendarView& view : m_state->views()->getAll())
            m_groupCombo->addItem(view.name.isEmpty() ? tr("(Unnamed)")
                                                      : ShownText::bounded(view.displayName(),
                                                                           Limits::maxRowTextChars),
                                  view.id);
        const int active = m_groupCombo->findData(m_state->activeViewId());
        if (active >= 0)
            m_groupCombo->setCurrentIndex(active);
    }
    m_groupCombo->blockSignals(wasBlocked);
}

void WinTrayPopover::onGroupActivated(int index)
{
    if (index < 0 || !m_state)
        return;
    const QString viewId = m_groupCombo->itemData(index).toString();
    if (!viewId.isEmpty() && viewId != m_state->activeViewId())
        m_state->setActiveViewId(viewId);
}

void WinTrayPopover::onItemClicked(QListWidgetItem* item)
{
    if (!item || item->data(headerRole).toBool())
        return;
    const QString eventId = item->data(eventIdRole).toString();
    const QDate date = item->data(dateRole).toDate();
    if (eventId.isEmpty() || !date.isValid())
        return;
    Q_EMIT requestFocusOnEvent(eventId, date);
    hide();
}

void WinTrayPopover::showAt(const QPoint& anchor)
{
    refresh();
    m_quickAddEdit->clear();
    m_previewLabel->clear();
    adjustSize();

    QRect available;
    if (QScreen* screen = QGuiApplication::screenAt(anchor))
        available = screen->availableGeometry();
    else if (QScreen* primary = QGuiApplication::primaryScreen())
        available = primary->availableGeometry();
    // Placed once shown: the window system settles the final size only then.
    show();
    const QSize size = frameGeometry().size();
    int x = anchor.x() - size.width() / 2;
    int y = anchor.y() - size.height() - 8;
    if (!available.isEmpty()) {
        x = std::max(std::min(x, available.right() - 8 - size.width()), available.left() + 8);
        y = std::max(std::min(y, available.bottom() - 8 - size.height()), available.top() + 8);
    }
    move(x, y);
    raise();
    activateWindow();
    m_quickAddEdit->setFocus();
}

void WinTrayPopover::updateQuickAddPreview(const QString& text)
{
    if (text.trimmed().isEmpty()) {
        m_previewLabel->clear();
        return;
    }
    const std::optional<NLParser::ParseResult> parsed = NLParser::parse(text, Clock::nowLocal());
    if (!parsed || !parsed->start.isValid()) {
        m_previewLabel->clear();
        return;
    }
    const QString pattern = TimeFormat::timePattern(m_state);
    const QDateTime start = localTime(parsed->start);
    QString line;
    if (parsed->allDay) {
        line = DateLanguage::format(start.date(), QStringLiteral("ddd, MMM d")) +
               QStringLiteral("  ‒  ") + tr("All-day");
    } else {
        line = DateLanguage::format(start.date(), QStringLiteral("ddd, MMM d")) +
               QStringLiteral("  ") + TimeFormat::format(start, pattern);
        if (parsed->end)
            line += QStringLiteral(" – ") + TimeFormat::format(localTime(*parsed->end), pattern);
    }
    if (!parsed->title.isEmpty())
        line += QStringLiteral("  ·  ") + parsed->title;
    m_previewLabel->setText(line);
}

void WinTrayPopover::commitQuickAdd()
{
    const QString text = m_quickAddEdit->text().trimmed();
    if (text.isEmpty() || !m_state)
        return;
    if (!m_state->calendars() || m_state->calendars()->getAll().isEmpty()) {
        Q_EMIT openMainWindow();
        hide();
        return;
    }
    if (QuickAdd::createEvent(m_state, text, QString()).isEmpty()) {
        m_previewLabel->setText(tr("Couldn't save event"));
        return;
    }
    hide();
}

bool WinTrayPopover::event(QEvent* event)
{
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        hide();
        event->accept();
        return true;
    }
    return QFrame::event(event);
}

void WinTrayPopover::showEvent(QShowEvent* event)
{
    QFrame::showEvent(event);
    m_refreshTimer->start();
}

void WinTrayPopover::hideEvent(QHideEvent* event)
{
    QFrame::hideEvent(event);
    m_refreshTimer->stop();
}

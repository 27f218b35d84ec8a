#include "DayTimelineWidget.h"

#include "TimelineBlockText.h"

#include "Clock.h"
#include "Theme.h"
#include "TimeFormatState.h"
#include "TimelineDrag.h"
#include "TimelineGeometry.h"
#include "ViewData.h"
#include "ViewEventActions.h"

#include <QFontMetrics>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>
#include <QTimeZone>

#include <algorithm>

static_assert(int(DayTimelineWidget::Idle) == int(TimelineDragSession::State::Idle) &&
              int(DayTimelineWidget::Pressed) == int(TimelineDragSession::State::Pressed) &&
              int(DayTimelineWidget::Moving) == int(TimelineDragSession::State::Moving) &&
              int(DayTimelineWidget::Resizing) == int(TimelineDragSession::State::Resizing));

namespace {

QColor withAlpha(QColor colour, int alpha)
{
    colour.setAlpha(alpha);
    return colour;
}

// The font one point smaller, never below `floor` points.
QFont smallerFont(const QFont& base, int floor = 1)
{
    QFont font = base;
    if (font.pointSize() > 0)
        font.setPointSize(std::max(font.pointSize() - 1, floor));
    return font;
}

QFont boldFont(const QFont& base)
{
    QFont font = base;
    font.setWeight(QFont::Bold);
    return font;
}

} // namespace

DayTimelineWidget::DayTimelineWidget(AppState* appState, QWidget* parent)
    : TimelineWidget(TimelineDragSession::Axes::Vertical, parent), m_appState(appState)
{
    setMinimumWidth(320);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
}

void DayTimelineWidget::setEvents(const QList<Event>& events,
                                  const QHash<QString, QString>& calendarColors,
                                  const QSet<FilterEngine::OccurrenceKey>& dimmed,
                                  const QSet<QString>& twoWayCalendarIds)
{
    setShownEvents(events, calendarColors, dimmed, twoWayCalendarIds);
    update();
}

void DayTimelineWidget::setDate(const QDate& date)
{
    m_date = date;
    update();
}

void DayTimelineWidget::setWorkdayHours(int start, int end)
{
    if (start == m_workdayStart && end == m_workdayEnd)
        return;
    m_workdayStart = start;
    m_workdayEnd = end;
    update();
}

void DayTimelineWidget::setSelectedEventId(const QString& eventId)
{
    if (eventId == m_selectedEventId)
        return;
    m_selectedEventId = eventId;
    update();
}

int DayTimelineWidget::yForTime(const QTime& time) const
{
    return TimelineGeometry::yForTime(time, rowHeight());
}

int DayTimelineWidget::yForDateTime(const QDateTime& time) const
{
    return TimelineGeometry::yForDateTime(time, m_date, rowHeight());
}

QSize DayTimelineWidget::sizeHint() const
{
    return QSize(800, 24 * hourHeight());
}

void DayTimelineWidget::paintEvent(QPaintEvent*)
{
    using namespace TimelineGeometry;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const int row = rowHeight();
    const int w = width();

    painter.fillRect(rect(), palette().base());

    if (m_workdayStart > 0 || m_workdayEnd < 24) {
        const QColor shade = withAlpha(palette().color(QPalette::WindowText), 18);
        if (m_workdayStart > 0)
            painter.fillRect(QRect(gutterWidth, 0, w - gutterWidth, row * m_workdayStart), shade);
        if (m_workdayEnd < 24)
            painter.fillRect(QRect(gutterWidth, row * m_workdayEnd, w - gutterWidth,
                                   height() - row * m_workdayEnd),
                             shade);
    }

    painter.setPen(palette().color(QPalette::Mid));
    for (int i = 0; i <= 24; ++i)
        painter.drawLine(gutterWidth, row * i, w, row * i);

    painter.setFont(smallerFont(font()));
    painter.setPen(palette().color(QPalette::WindowText));
    const QLocale english(QLocale::English);
    for (int h = 1; h < 24; ++h)
        painter.drawText(QRect(0, row * h - 8, labelWidth, 16), Qt::AlignRight | Qt::AlignVCenter,
                         english.toString(QTime(h, 0), QStringLiteral("h AP")));

    const QDateTime now = Clock::nowLocal();
    if (m_date.isValid() && m_date == now.date()) {
        const int y = yForTime(now.time());
        painter.setPen(QPen(Theme::danger(), 2));
        painter.drawLine(gutterWidth, y, w, y);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Theme::danger());
        painter.drawEllipse(QPoint(gutterWidth, y), 5, 5);
    }

    paintEvents(painter);
    paintGhost(painter);
}

void DayTimelineWidget::paintEvents(QPainter& painter)
{
    using namespace TimelineGeometry;
    m_hits.clear();
    if (!m_date.isValid())
        return;
    const int inset = isCompact() ? 1 : 4;
    const QFont titleFont = boldFont(font());
    const QFont smallFont = smallerFont(font());
    const QFontMetrics titleMetrics(titleFont);
    const QFontMetrics smallMetrics(smallFont);
    const int minimumHeight = titleMetrics.height() + 2 * inset;
    const QList<PlacedOccurrence> placed =
        layoutDay(m_events, m_date, minimumBlockMsecs(minimumHeight, rowHeight()));
    if (placed.isEmpty())
        return;

    QFont glyphFont(Theme::iconFontFamily());
    glyphFont.setPixelSize(13);
    const QFontMetrics glyphMetrics(glyphFont);
    const int visibleTop = std::max(-y(), 0);
    const int areaWidth = eventAreaWidth(width());
    const QString pattern = TimeFormat::timePattern(m_appState);
    const QTimeZone local = QTimeZone::systemTimeZone();
    const QColor windowText = palette().color(QPalette::WindowText);

    for (const PlacedOccurrence& item : placed) {
        // A column that does not fit at a legible width is neither drawn nor hit.
        const std::optional<ColumnSpan> span =
            columnSpan(eventAreaLeft, areaWidth, item.column, item.columnCount);
        if (!span || span->width < 1)
            continue;
        const Event& event = m_events[item.index];
        const int top = yForDateTime(item.start);
        const int bottom = item.end ? yForDateTime(*item.end) : top;
        const QRect block = blockRect(*span, top, bottom, minimumHeight);
        m_hits.append({event.id, block, item.start, event.startTime});

        const QColor colour = ViewData::itemColor(event, m_calendarColors);
        const bool dimmed = m_dimmed.contains(FilterEngine::OccurrenceKey::of(event));
        m_blockPainter.fill(painter, block, 4, withAlpha(colour, dimmed ? 28 : 96));
        m_blockPainter.fill(painter, QRect(block.left(), block.top(), 4, block.height()), 4,
                            dimmed ? withAlpha(colour, 80) : colour);
        if (event.id == m_selectedEventId) {
            painter.setPen(QPen(colour, 2));
            painter.setBrush(Qt::NoBrush);
            painter.drawRoundedRect(block.adjusted(1, 1, -1, -1), 4, 4);
        }

        const bool timeShown =
            block.height() >= titleMetrics.height() + smallMetrics.height() + 2 * inset + 1;
        const int textHeight =
            titleMetrics.height() + (timeShown ? smallMetrics.height() : 0) + 2 * inset;
        const int shift = textTop(block, visibleTop, textHeight) - block.top();
        const QRect text(block.left() + 12, block.top() + shift + inset, block.width() - 20,
                         block.height() - shift - 2 * inset);
        const QColor textColour = dimmed ? withAlpha(windowText, 140) : windowText;

        // Glyphs too stay in the block: a narrow one leaves no room for both.
        painter.save();
        painter.setClipRect(block);
        painter.setFont(glyphFont);
        painter.setPen(withAlpha(textColour, 170));
        const int glyphWidth = TimelineBlockText::paintGlyphs(
            painter, glyphMetrics, text.left(), block.right() - 4,
            text.top() + glyphMetrics.ascent(),
            TimelineBlockText::statusGlyphs(event, m_twoWayCalendarIds.contains(event.calendarId)));

        painter.setFont(titleFont);
        painter.setPen(textColour);
        const int titleWidth = text.width() - glyphWidth;
        painter.drawText(
            QRect(text.left(), text.top(), titleWidth, titleMetrics.height()),
            Qt::AlignLeft | Qt::AlignVCenter,
            titleMetrics.elidedText(ViewData::shownTitle(event), Qt::ElideRight, titleWidth));
        if (timeShown) {
            const QString line = TimelineBlockText::timeRange(event, pattern, local);
            painter.setFont(smallFont);
            painter.drawText(QRect(text.left(), text.top() + titleMetrics.height(), text.width(),
                                   smallMetrics.height()),
                             Qt::AlignLeft | Qt::AlignVCenter,
                             smallMetrics.elidedText(line, Qt::ElideRight, text.width()));
        }
        painter.restore();
    }
    placeMarks(placed, m_date, eventAreaLeft, areaWidth, rowHeight());
    paintMarks(painter, rect());
}

void DayTimelineWidget::paintGhost(QPainter& painter)
{
    if (!m_drag.showsGhost())
        return;
    const bool resizing = m_drag.state() == TimelineDragSession::State::Resizing;
    const int row = rowHeight();
    const QRect ghost = TimelineDrag::ghostRect(m_drag.block(), resizing, m_drag.minutes(), row);
    QPen pen(Theme::accent(), 1.6);
    pen.setStyle(Qt::DashLine);
    painter.setPen(pen);
    painter.setBrush(withAlpha(Theme::accent(), 40));
    painter.drawRoundedRect(ghost, 4, 4);

    QString label;
    if (resizing) {
        label = QStringLiteral("%1 min").arg(TimelineDrag::resizeLabelMinutes(ghost, row));
    } else {
        const int minutes = TimelineDrag::moveLabelMinutes(ghost, row);
        label = TimeFormat::format(
            QDateTime(QDate(2000, 1, 1), QTime(minutes / 60, minutes % 60), QTimeZone::utc()),
            TimeFormat::timePattern(m_appState));
    }
    painter.setFont(smallerFont(boldFont(font()), 8));
    painter.setPen(Theme::textPrimary());
    painter.drawText(QRect(ghost.x() + 4, ghost.y() - 18, ghost.width() - 8, 16),
                     Qt::AlignLeft | Qt::AlignVCenter, label);
}

void DayTimelineWidget::requestMove(const QString& eventId, const QDateTime& instanceStart, int,
                                    int minutes)
{
    Q_EMIT eventMoveRequested(eventId, instanceStart, minutes);
}

QString DayTimelineWidget::timePattern() const
{
    return TimeFormat::timePattern(m_appState);
}

bool DayTimelineWidget::stillStored(const Event& listed)
{
    return ViewEventActions::stillStored(m_appState, this, listed);
}

bool DayTimelineWidget::activateSlot(int, const QTime& time)
{
    Q_EMIT emptySlotActivated(time);
    return true;
}

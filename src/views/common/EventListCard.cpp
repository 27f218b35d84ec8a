#include "EventListCard.h"

#include "TimelineBlockText.h"
#include "ViewData.h"

#include <QAbstractListModel>
#include <QLabel>
#include <QListView>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QTimeZone>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int cardWidth = 340;
constexpr int cardMargin = 12;
// Rows in sight before the list scrolls.
constexpr int visibleRows = 10;

// The events as rows, each text made when the view first asks for it.
class EventRows : public QAbstractListModel
{
public:
    EventRows(const QList<Event>& events, const QHash<QString, QString>& calendarColors,
              const QString& timePattern, QObject* parent)
        : QAbstractListModel(parent), m_events(events), m_calendarColors(calendarColors),
          m_timePattern(timePattern), m_zone(QTimeZone::systemTimeZone())
    {
    }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : int(m_events.size());
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || index.row() >= m_events.size())
            return {};
        const Event& event = m_events.at(index.row());
        switch (role) {
        case Qt::DisplayRole:
            // One line: a title's line breaks would be cut off by the row.
            return TimelineBlockText::timeRange(event, m_timePattern, m_zone) +
                   QStringLiteral("  ") + ViewData::shownTitle(event).simplified();
        case Qt::DecorationRole:
            return dot(ViewData::itemColor(event, m_calendarColors));
        case Qt::UserRole:
            return event.id;
        case Qt::UserRole + 1:
            return event.startTime;
        default:
            return {};
        }
    }

private:
    QPixmap dot(const QColor& colour) const
    {
        auto found = m_dots.constFind(colour.rgba());
        if (found != m_dots.cend())
            return *found;
        QPixmap pixmap(10, 10);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        painter.drawEllipse(QRectF(1, 1, 8, 8));
        painter.end();
        m_dots.insert(colour.rgba(), pixmap);
        return pixmap;
    }

    QList<Event> m_events;
    QHash<QString, QString> m_calendarColors;
    QString m_timePattern;
    QTimeZone m_zone;
    mutable QHash<QRgb, QPixmap> m_dots;
};

} // namespace

EventListCard::EventListCard(const QString& heading, const QString& note,
                             const QList<Event>& events,
                             const QHash<QString, QString>& calendarColors,
                             const QString& timePattern, QWidget* parent)
    : DetailsCard(QStringLiteral("eventListCard"), cardWidth, parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(cardMargin, cardMargin, cardMargin, cardMargin);
    layout->setSpacing(4);

    auto* title = new QLabel(heading, this);
    title->setTextFormat(Qt::PlainText);
    QFont titleFont = title->font();
    titleFont.setWeight(QFont::Bold);
    title->setFont(titleFont);
    layout->addWidget(title);
    auto* count = new QLabel(note, this);
    count->setTextFormat(Qt::PlainText);
    count->setProperty("muted", true);
    layout->addWidget(count);
    layout->addSpacing(4);

    m_list = new QListView(this);
    m_list->setModel(new EventRows(events, calendarColors, timePattern, m_list));
    m_list->setUniformItemSizes(true);
    m_list->setFrameShape(QFrame::NoFrame);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setTextElideMode(Qt::ElideRight);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    m_list->setStyleSheet(QStringLiteral("QListView { background: transparent; }"));
    const int rowHeight = events.isEmpty() ? 0 : m_list->sizeHintForRow(0);
    m_list->setFixedHeight(rowHeight * std::clamp(int(events.size()), 1, visibleRows) + 2);
    layout->addWidget(m_list);
    setFocusProxy(m_list);
    if (!events.isEmpty())
        m_list->setCurrentIndex(m_list->model()->index(0, 0));

    const auto choose = [this](const QModelIndex& index) {
        if (m_chosen || !index.isValid())
            return;
        m_chosen = true;
        const QString id = index.data(Qt::UserRole).toString();
        const QDateTime start = index.data(Qt::UserRole + 1).toDateTime();
        // Out of sight before the event's card opens, but closed (and deleted from the event
        // loop) only once the host has answered: a message it shows runs an event loop while
        // the click is still being handled here.
        hide();
        const QPointer<EventListCard> self(this);
        Q_EMIT eventChosen(id, start);
        if (self)
            close();
    };
    connect(m_list, &QListView::clicked, this, choose);
    connect(m_list, &QListView::activated, this, choose);
    connect(m_list, &QListView::customContextMenuRequested, this, [this](const QPoint& position) {
        const QModelIndex index = m_list->indexAt(position);
        if (!index.isValid())
            return;
        Q_EMIT eventContextRequested(index.data(Qt::UserRole).toString(),
                                     m_list->viewport()->mapToGlobal(position),
                                     index.data(Qt::UserRole + 1).toDateTime());
    });
}

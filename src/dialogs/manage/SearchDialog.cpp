#include "SearchDialog.h"

#include "AppState.h"
#include "Calendar.h"
#include "CalendarRepository.h"
#include "DateLanguage.h"
#include "EventRepository.h"
#include "Limits.h"
#include "ShownText.h"
#include "Theme.h"
#include "TimeFormatState.h"

#include <QDialogButtonBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTimeZone>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// "Wed, Mar 11, 2026 · 10:00 AM": all-day events by their stored date, never zone-converted.
QString whenText(const AppState* state, const Event& event)
{
    if (event.isAllDay)
        return SearchDialog::tr("%1 · All day")
            .arg(DateLanguage::format(event.startTime.toUTC().date(),
                                      QStringLiteral("ddd, MMM d, yyyy")));
    const QDateTime start = event.startTime.toTimeZone(QTimeZone::systemTimeZone());
    return QStringLiteral("%1 · %2").arg(
        DateLanguage::format(start.date(), QStringLiteral("ddd, MMM d, yyyy")),
        TimeFormat::formatTime(state, start));
}

} // namespace

SearchDialog::SearchDialog(AppState* state, QWidget* parent) : QDialog(parent), m_state(state)
{
    setWindowTitle(tr("Find Events"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(8);

    m_query = new QLineEdit(this);
    m_query->setPlaceholderText(tr("Search titles, locations and notes"));
    m_query->setClearButtonEnabled(true);
    layout->addWidget(m_query);

    m_results = new QListWidget(this);
    m_results->setMinimumSize(520, 360);
    m_results->setUniformItemSizes(true);
    layout->addWidget(m_results, 1);

    m_status = new QLabel(this);
    m_status->setProperty("muted", true);
    layout->addWidget(m_status);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    m_delay = new QTimer(this);
    m_delay->setSingleShot(true);
    m_delay->setInterval(searchDelayMs);
    connect(m_delay, &QTimer::timeout, this, &SearchDialog::runSearch);
    connect(m_query, &QLineEdit::textChanged, m_delay, qOverload<>(&QTimer::start));
    connect(m_results, &QListWidget::itemActivated, this, &SearchDialog::activate);
    // Enter in the query field picks the highlighted (or first) result.
    connect(m_query, &QLineEdit::returnPressed, this, [this] {
        if (m_delay->isActive()) {
            m_delay->stop();
            runSearch();
        }
        QListWidgetItem* item =
            m_results->currentItem() ? m_results->currentItem() : m_results->item(0);
        if (item)
            activate(item);
    });
    m_query->setFocus();
}

void SearchDialog::runSearch()
{
    m_results->clear();
    const QString text = m_query->text().trimmed();
    if (text.isEmpty() || !m_state || !m_state->events()) {
        m_status->clear();
        return;
    }
    QHash<QString, Calendar> calendars;
    if (m_state->calendars()) {
        for (const Calendar& calendar : m_state->calendars()->getAll())
            calendars.insert(calendar.id, calendar);
    }
    const QList<Event> found = m_state->events()->search(text, maxResults + 1);
    for (const Event& event : found.mid(0, maxResults)) {
        const Calendar calendar = calendars.value(event.calendarId);
        const QString title = event.title.isEmpty()
                                  ? tr("(No title)")
                                  : ShownText::bounded(event.title, Limits::maxRowTextChars);
        // Item texts are plain text: titles from servers cannot inject markup here, and a row
        // lays out no more of one than it shows.
        auto* item = new QListWidgetItem(
            QStringLiteral("%1\n%2").arg(title, whenText(m_state, event)), m_results);
        item->setIcon(
            Theme::calendarColorIcon(event.color.isEmpty() ? calendar.color : event.color));
        item->setToolTip(ShownText::bounded(calendar.name, Limits::maxRowTextChars));
        item->setData(Qt::UserRole, event.id);
    }
    if (found.isEmpty())
        m_status->setText(tr("No events found."));
    else if (found.size() > maxResults)
        m_status->setText(tr("Showing the first %1 matches.").arg(maxResults));
    else
        m_status->setText(found.size() == 1 ? tr("1 event found.")
                                            : tr("%1 events found.").arg(found.size()));
    m_results->setCurrentRow(found.isEmpty() ? -1 : 0);
}

void SearchDialog::activate(QListWidgetItem* item)
{
    const QString id = item ? item->data(Qt::UserRole).toString() : QString();
    if (id.isEmpty())
        return;
    Q_EMIT eventActivated(id);
    accept();
}

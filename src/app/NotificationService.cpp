#include "NotificationService.h"

#include "AppState.h"
#include "Clock.h"
#include "DBusNotifier.h"
#include "DateLanguage.h"
#include "EventRepository.h"
#include "FilterEngine.h"
#include "FilterRuleRepository.h"
#include "Limits.h"
#include "Notifier.h"
#include "ReminderRepository.h"
#include "ReminderSchedule.h"
#include "ReminderWindowNotifier.h"
#include "ShownText.h"
#include "TimeFormatState.h"
#include "TrayBalloonNotifier.h"

#include <QDebug>
#include <QHash>
#include <QTimeZone>
#include <QTimer>

#include <utility>

namespace {

QString encodeTag(const QString& eventId, const QDate& date)
{
    return eventId + QLatin1Char('\n') + date.toString(Qt::ISODate);
}

// The date an occurrence belongs to: all-day events by their stored date, never converted.
QDate occurrenceDate(const Event& occurrence)
{
    if (occurrence.isAllDay)
        return occurrence.startTime.toUTC().date();
    return occurrence.startTime.toTimeZone(QTimeZone::systemTimeZone()).date();
}

} // namespace

NotificationService::NotificationService(AppState* state, TrayIcon* trayIcon, QObject* parent)
    : QObject(parent), m_state(state)
{
    m_notifiers = {new DBusNotifier(this), new TrayBalloonNotifier(trayIcon, this),
                   new ReminderWindowNotifier(this)};
    connectNotifiers();
    m_pollTimer = new QTimer(this);
    m_pollTimer->setInterval(pollIntervalMs);
    connect(m_pollTimer, &QTimer::timeout, this, &NotificationService::poll);
    m_pollTimer->start();
    QTimer::singleShot(firstPollDelayMs, this, &NotificationService::poll);
}

NotificationService::NotificationService(AppState* state, const QList<Notifier*>& notifiers,
                                         QObject* parent)
    : QObject(parent), m_state(state), m_notifiers(notifiers)
{
    connectNotifiers();
}

void NotificationService::connectNotifiers()
{
    if (m_state)
        connect(m_state, &AppState::storeReleased, this,
                [this] { record(std::exchange(m_kept, {}).values()); });
    for (Notifier* notifier : std::as_const(m_notifiers)) {
        connect(notifier, &Notifier::activated, this, &NotificationService::onActivated);
        connect(notifier, &Notifier::dismissed, this, &NotificationService::settle);
        connect(notifier, &Notifier::confirmed, this, [this, notifier](const QString& id) {
            if (m_handedOver.value(id).notifier != notifier)
                return;
            m_handedOver.remove(id);
            if (!notifier->waitsForDismissal())
                settle(id);
        });
        connect(notifier, &Notifier::failed, this, &NotificationService::onFailed);
    }
}

QString NotificationService::reminderBody(const Event& occurrence, const QString& timePattern,
                                          const QDateTime& now)
{
    const QTimeZone zone = QTimeZone::systemTimeZone();
    const QDate today = now.toTimeZone(zone).date();
    const QDate date = occurrenceDate(occurrence);
    const auto dayName = [&](const QDate& day) {
        if (day == today)
            return tr("Today");
        if (day == today.addDays(1))
            return tr("Tomorrow");
        return DateLanguage::format(day, QStringLiteral("dddd, MMM d"));
    };
    QString body;
    if (occurrence.isAllDay) {
        body = tr("%1, all day").arg(dayName(date));
    } else {
        const QString time = TimeFormat::format(occurrence.startTime.toTimeZone(zone), timePattern);
        const ReminderSchedule::Lead lead = ReminderSchedule::lead(occurrence.startTime, now, zone);
        switch (lead.kind) {
        case ReminderSchedule::Lead::Kind::StartingNow:
            body = tr("Starting now (%1)").arg(time);
            break;
        case ReminderSchedule::Lead::Kind::Minutes:
            body = tr("In %1 minutes (%2)").arg(lead.count).arg(time);
            break;
        case ReminderSchedule::Lead::Kind::Hours:
            body = tr("In %1h (%2)").arg(lead.count).arg(time);
            break;
        case ReminderSchedule::Lead::Kind::Tomorrow:
            body = tr("Tomorrow at %1").arg(time);
            break;
        case ReminderSchedule::Lead::Kind::OnDate:
            body =
                tr("%1 at %2").arg(DateLanguage::format(date, QStringLiteral("dddd, MMM d")), time);
            break;
        }
    }
    if (!occurrence.location.isEmpty())
        body += QStringLiteral(" · ") +
                ShownText::bounded(occurrence.location, Limits::maxRowTextChars);
    return body;
}

Notifier* NotificationService::deliver(const Notification& notification, const Notifier* after)
{
    bool passed = after == nullptr;
    for (Notifier* notifier : std::as_const(m_notifiers)) {
        if (passed && notifier->isAvailable() && notifier->notify(notification))
            return notifier;
        passed = passed || notifier == after;
    }
    return nullptr;
}

bool NotificationService::awaits(const Notification& notification, Notifier* notifier)
{
    if (notifier->confirmsLater() && !notification.id.isEmpty())
        m_handedOver.insert(notification.id, {notification, notifier});
    return notifier->confirmsLater() || notifier->waitsForDismissal();
}

void NotificationService::poll()
{
    if (!m_state || !m_state->database() || !m_state->events())
        return;
    ReminderRepository reminders(m_state->database());
    const QDateTime now = Clock::now();
    const QTimeZone zone = QTimeZone::systemTimeZone();

    const std::optional<QList<ReminderRepository::Due>> rows =
        reminders.due(now, zone, maxRowsPerPoll);
    if (!rows || rows->isEmpty())
        return;

    // The events of the due rows, with the stored overrides of each series.
    QHash<QString, Event> events;
    QHash<QString, QList<Event>> overrides;
    for (const ReminderRepository::Due& row : *rows) {
        if (events.contains(row.eventId))
            continue;
        const std::optional<Event> event = m_state->events()->getById(row.eventId);
        if (!event)
            continue;
        events.insert(row.eventId, *event);
        if (event->recurrenceRule.isEmpty() || event->uid.isEmpty())
            continue;
        const QStringList ids = reminders.overrideIds(event->uid, event->calendarId);
        for (const QString& id : ids)
            if (const std::optional<Event> child = m_state->events()->getById(id))
                overrides[row.eventId].append(*child);
    }

    const QList<FilterRule> rules =
        m_state->filterRules() ? m_state->filterRules()->getEnabled() : QList<FilterRule>();
    const QString pattern = TimeFormat::timePattern(m_state);

    QList<Update> updates;
    for (const ReminderRepository::Due& row : *rows) {
        // Still on screen, waiting for the user, or handled and waiting for the store.
        if (m_waiting.contains(row.reminderId) || m_kept.contains(row.reminderId))
            continue;
        const auto event = events.constFind(row.eventId);
        if (event == events.constEnd())
            continue;
        const ReminderSchedule::Decision decision =
            ReminderSchedule::decide(*event, overrides.value(row.eventId), row.minutesBefore,
                                     row.trigger, row.triggerDate, now, zone);
        // An all-day row read ahead of its trigger, already counted in this zone: nothing to do.
        if (decision.show.isEmpty() && decision.missed == 0 && decision.nextTrigger &&
            decision.nextTrigger->toSecsSinceEpoch() == row.trigger.toSecsSinceEpoch())
            continue;
        const FilterResult filtered = FilterEngine::apply(decision.show, rules);
        bool allShown = true;
        QSet<QString> waiting;
        for (const Event& occurrence : decision.show) {
            if (filtered.isReminderSuppressed(occurrence))
                continue;
            const QDate date = occurrenceDate(occurrence);
            Notification notification;
            // Every notifier lays the texts out whole (the reminder window wraps them), and a
            // desktop's notification service gets them over the bus.
            notification.title =
                occurrence.title.isEmpty()
                    ? tr("Reminder")
                    : ShownText::bounded(occurrence.title, Limits::maxRowTextChars);
            notification.body = reminderBody(occurrence, pattern, now);
            notification.tag = encodeTag(occurrence.id, date);
            notification.id = row.reminderId + QLatin1Char('\n') +
                              occurrence.startTime.toUTC().toString(Qt::ISODate);
            Notifier* shownBy = deliver(notification);
            if (!shownBy) {
                allShown = false;
                break;
            }
            if (awaits(notification, shownBy))
                waiting.insert(notification.id);
            m_lastEventId = occurrence.id;
            m_lastEventDate = date;
        }
        // A reminder that could not be shown stays as it is and is tried again next pass.
        if (!allShown)
            continue;
        if (decision.missed > 0) {
            m_missedCount += decision.missed;
            qInfo().noquote() << "[Notifications] missed reminder passed over:" << row.reminderId;
        }
        const Update update{row.reminderId, row.triggerText, decision.nextTrigger,
                            decision.nextDate, decision.handled};
        if (waiting.isEmpty())
            updates.append(update);
        else
            m_waiting.insert(row.reminderId, {update, waiting});
    }
    record(updates);
}

void NotificationService::record(const QList<Update>& updates)
{
    if (updates.isEmpty() || !m_state || !m_state->database())
        return;
    // While an import holds the store the rows are kept (and not shown again) until it ends.
    if (m_state->isStoreHeld()) {
        for (const Update& update : updates)
            m_kept.insert(update.reminderId, update);
        return;
    }
    if (!ReminderRepository(m_state->database()).record(updates))
        qWarning().noquote() << "[Notifications] recording handled reminders failed";
}

bool NotificationService::showTestNotification()
{
    m_lastEventId.clear();
    m_lastEventDate = QDate();
    Notification notification;
    notification.title = tr("Test reminder");
    notification.body = tr("If you can see this, your desktop notifications are wired up "
                           "correctly. Real reminders look just like this one.");
    // An id of its own, so that a notifier failing it later hands it on like a reminder.
    notification.id = QStringLiteral("test-%1").arg(++m_testNotifications);
    Notifier* shownBy = deliver(notification);
    if (shownBy)
        awaits(notification, shownBy);
    return shownBy != nullptr;
}

void NotificationService::settle(const QString& id)
{
    const qsizetype split = id.indexOf(QLatin1Char('\n'));
    if (split <= 0)
        return;
    const auto waiting = m_waiting.find(id.left(split));
    if (waiting == m_waiting.end())
        return;
    waiting->open.remove(id);
    if (!waiting->open.isEmpty())
        return;
    const Update update = waiting->update;
    m_waiting.erase(waiting);
    record({update});
}

void NotificationService::onFailed(const QString& id)
{
    const auto handed = m_handedOver.constFind(id);
    if (handed == m_handedOver.constEnd())
        return;
    const HandedOver failed = *handed;
    m_handedOver.erase(handed);
    if (Notifier* next = deliver(failed.notification, failed.notifier)) {
        if (!awaits(failed.notification, next))
            settle(id);
        return;
    }
    // Shown nowhere: a reminder's row is left as it is, to be tried again at the next pass.
    const QString reminderId = id.section(QLatin1Char('\n'), 0, 0);
    qWarning().noquote() << "[Notifications] no notifier could show:" << reminderId;
    m_waiting.remove(reminderId);
}

void NotificationService::onActivated(const QString& tag)
{
    const qsizetype split = tag.indexOf(QLatin1Char('\n'));
    if (split <= 0)
        return;
    Q_EMIT reminderClicked(tag.left(split), QDate::fromString(tag.mid(split + 1), Qt::ISODate));
}

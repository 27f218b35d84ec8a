#include "WebcalMirror.h"

#include <QHash>
#include <QSet>

namespace WebcalMirror {

namespace {

QString keyOf(const Event& event)
{
    // A uid never holds a line break, so the pair is unambiguous.
    return event.uid + QLatin1Char('\n') + event.recurrenceId;
}

// The feed's copy differs from the stored one in what the feed defines. The stored text is the
// feed's own text for that event, so comparing it catches every change, including properties
// the record does not model; the record fields catch a row stored by other means.
bool differs(const Event& stored, const Event& fromFeed)
{
    return stored.rawIcalendar != fromFeed.rawIcalendar || stored.title != fromFeed.title ||
           stored.startTime != fromFeed.startTime || stored.endTime != fromFeed.endTime ||
           stored.isAllDay != fromFeed.isAllDay || stored.deletedAt.has_value();
}

} // namespace

Plan plan(const QList<Event>& local, const QList<Event>& feed, const QString& calendarId)
{
    // QHash::insert keeps the last value, so walking backwards leaves the first row of a key.
    QHash<QString, const Event*> localByKey;
    for (auto it = local.crbegin(); it != local.crend(); ++it) {
        localByKey.insert(keyOf(*it), &*it);
    }

    Plan result;
    QSet<QString> seen;
    for (const Event& item : feed) {
        if (item.uid.isEmpty()) {
            continue;
        }
        const QString key = keyOf(item);
        if (seen.contains(key)) {
            continue;
        }
        seen.insert(key);
        if (!item.startTime.isValid()) {
            ++result.skipped;
            continue;
        }
        const Event* stored = localByKey.value(key, nullptr);
        if (stored == nullptr) {
            Event inserted = item;
            inserted.id.clear();
            inserted.calendarId = calendarId;
            inserted.syncStatus = QStringLiteral("synced");
            inserted.deletedAt.reset();
            result.inserts.append(inserted);
            continue;
        }
        if (stored->syncStatus == QLatin1String("pending")) {
            ++result.keptPending;
            continue;
        }
        if (!differs(*stored, item)) {
            ++result.unchanged;
            continue;
        }
        Event updated = item;
        updated.id = stored->id;
        updated.calendarId = calendarId;
        updated.color = stored->color;
        updated.created = stored->created;
        updated.syncStatus = QStringLiteral("synced");
        updated.deletedAt.reset();
        result.updates.append(updated);
    }

    QSet<QString> removed;
    for (const Event& row : local) {
        if (row.syncStatus == QLatin1String("pending") || seen.contains(keyOf(row)) ||
            removed.contains(row.id)) {
            continue;
        }
        removed.insert(row.id);
        result.removals.append(row.id);
    }
    return result;
}

QUrl downloadUrl(const QString& feedUrl)
{
    QUrl url(feedUrl.trimmed(), QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("webcal") || scheme == QLatin1String("webcals")) {
        url.setScheme(QStringLiteral("https"));
    } else if (scheme != QLatin1String("http") && scheme != QLatin1String("https")) {
        return QUrl();
    }
    if (!url.isValid() || url.host().isEmpty()) {
        return QUrl();
    }
    return url;
}

} // namespace WebcalMirror

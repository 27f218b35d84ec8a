#include "CalDavSyncPlan.h"

#include <QSet>
#include <QUrl>

#include <algorithm>

namespace CalDavSyncPlan {

namespace {

QString keyOf(const QString& uid, const QString& recurrenceId)
{
    return uid + QLatin1Char('\n') + recurrenceId;
}

bool isSuccess(int status)
{
    return status >= 200 && status <= 299;
}

} // namespace

QString comparableHref(const QString& href)
{
    QStringList segments = href.split(QLatin1Char('/'));
    for (QString& segment : segments)
        segment = QString::fromLatin1(QUrl::toPercentEncoding(
            QString::fromUtf8(QByteArray::fromPercentEncoding(segment.toUtf8()))));
    return segments.join(QLatin1Char('/'));
}

Index indexRows(QList<LocalRow> rows)
{
    Index index;
    index.rows = std::move(rows);
    for (int i = 0; i < index.rows.size(); ++i) {
        const LocalRow& row = index.rows.at(i);
        const QString key = keyOf(row.uid, row.recurrenceId);
        if (!index.byKey.contains(key))
            index.byKey.insert(key, i);
        if (!row.href.isEmpty())
            index.byHref[comparableHref(row.href)].append(i);
        index.byUid[row.uid].append(i);
    }
    return index;
}

ListingPlan planListing(const Index& index, const QList<RemoteObject>& listing,
                        bool listingComplete)
{
    ListingPlan plan;
    QHash<QString, int> lastPosition;
    QStringList hrefs;
    hrefs.reserve(listing.size());
    for (int i = 0; i < listing.size(); ++i) {
        hrefs.append(listing.at(i).href.isEmpty() ? QString() : comparableHref(listing.at(i).href));
        if (!hrefs.last().isEmpty())
            lastPosition.insert(hrefs.last(), i);
    }
    for (int i = 0; i < listing.size(); ++i) {
        const RemoteObject& object = listing.at(i);
        if (hrefs.at(i).isEmpty() || lastPosition.value(hrefs.at(i)) != i)
            continue;
        const QList<int> positions = index.byHref.value(hrefs.at(i));
        bool unchanged = !positions.isEmpty() && !object.etag.isEmpty();
        for (int position : positions) {
            if (index.rows.at(position).etag != object.etag)
                unchanged = false;
        }
        if (unchanged) {
            plan.unchangedRows += int(positions.size());
            continue;
        }
        plan.toRead.append(i);
        for (int position : positions) {
            const LocalRow& row = index.rows.at(position);
            if (row.pending && row.etag != object.etag)
                plan.adoptTags.append({row.id, object.href, object.etag});
        }
    }
    if (!listingComplete)
        return plan;
    for (const LocalRow& row : index.rows) {
        if (row.href.isEmpty() || lastPosition.contains(comparableHref(row.href)))
            continue;
        if (!row.pending)
            plan.remove.append(row.id);
        else if (row.deleted)
            plan.dropDeletion.append(row.id);
        else
            plan.recreate.append(row.id);
    }
    return plan;
}

ObjectPlan planObject(const Index& index, const RemoteObject& object,
                      const QList<Component>& components)
{
    ObjectPlan plan;
    const QString href = comparableHref(object.href);
    QSet<QString> seen;
    for (const Component& component : components) {
        const QString key = keyOf(component.uid, component.recurrenceId);
        if (component.uid.isEmpty() || seen.contains(key)) {
            plan.actions.append(Apply::Skip);
            plan.localIds.append(QString());
            continue;
        }
        seen.insert(key);
        const auto found = index.byKey.constFind(key);
        if (found == index.byKey.constEnd()) {
            plan.actions.append(Apply::Insert);
            plan.localIds.append(QString());
            continue;
        }
        const LocalRow& row = index.rows.at(*found);
        plan.localIds.append(row.id);
        if (row.pending)
            plan.actions.append(Apply::Adopt);
        else if (!row.etag.isEmpty() && row.etag == object.etag && comparableHref(row.href) == href)
            plan.actions.append(Apply::Keep);
        else
            plan.actions.append(Apply::Replace);
    }
    if (seen.isEmpty())
        return plan;
    for (int position : index.byHref.value(href)) {
        const LocalRow& row = index.rows.at(position);
        if (!row.pending && !seen.contains(keyOf(row.uid, row.recurrenceId)))
            plan.remove.append(row.id);
    }
    return plan;
}

QList<PushGroup> planPush(const Index& index)
{
    QList<PushGroup> groups;
    QSet<QString> done;
    for (const LocalRow& first : index.rows) {
        if (!first.pending || done.contains(first.uid))
            continue;
        done.insert(first.uid);
        QList<const LocalRow*> rows;
        for (int position : index.byUid.value(first.uid))
            rows.append(&index.rows.at(position));
        std::stable_sort(rows.begin(), rows.end(), [](const LocalRow* a, const LocalRow* b) {
            return a->recurrenceId < b->recurrenceId;
        });

        const LocalRow* master = nullptr;
        const LocalRow* named = nullptr;
        bool anyLive = false;
        for (const LocalRow* row : rows) {
            if (row->recurrenceId.isEmpty() && !master)
                master = row;
            if (!row->href.isEmpty() && !named)
                named = row;
            anyLive = anyLive || !row->deleted;
        }
        if (master && !master->href.isEmpty())
            named = master;

        PushGroup group;
        group.uid = first.uid;
        if (named) {
            group.href = named->href;
            group.etag = named->etag;
        }
        if ((master && master->deleted) || !anyLive) {
            group.kind = named ? PushKind::Delete : PushKind::ForgetLocally;
            for (const LocalRow* row : rows)
                group.deletedIds.append(row->id);
        } else {
            group.kind = PushKind::Put;
            for (const LocalRow* row : rows) {
                if (!row->deleted) {
                    group.bodyIds.append(row->id);
                    continue;
                }
                group.deletedIds.append(row->id);
                if (master && !row->recurrenceId.isEmpty())
                    group.exceptionDates.append(row->recurrenceId);
            }
        }
        groups.append(group);
    }
    return groups;
}

Verdict judgeReply(PushKind kind, bool isCreate, int status, bool transportError, bool retried)
{
    if (transportError)
        return Verdict::Failed;
    if (isSuccess(status))
        return Verdict::Done;
    if (kind == PushKind::Delete && (status == 404 || status == 410))
        return Verdict::Done;
    if (status == 412 && !retried)
        return isCreate ? Verdict::PlaceTaken : Verdict::RetryWithTag;
    return Verdict::Failed;
}

std::optional<PushGroup> retryAfterRefresh(const PushGroup& sent,
                                           const std::optional<QString>& currentEtag)
{
    PushGroup again = sent;
    if (currentEtag) {
        again.etag = *currentEtag;
        return again;
    }
    if (sent.kind == PushKind::Delete)
        return std::nullopt;
    again.etag.clear();
    return again;
}

QList<Settlement> settle(const PushGroup& group, const QList<LocalRow>& sent,
                         const QList<LocalRow>& current)
{
    QHash<QString, const LocalRow*> before;
    for (const LocalRow& row : sent)
        before.insert(row.id, &row);
    const QSet<QString> body(group.bodyIds.begin(), group.bodyIds.end());
    const QSet<QString> deleted(group.deletedIds.begin(), group.deletedIds.end());

    QList<Settlement> result;
    for (const LocalRow& row : current) {
        const LocalRow* then = before.value(row.id);
        const bool untouched = then && then->version == row.version &&
                               then->deleted == row.deleted && then->pending == row.pending;
        switch (group.kind) {
        case PushKind::Put:
            if (body.contains(row.id) && untouched && !row.deleted)
                result.append({row.id, Settle::MarkSynced});
            else if (deleted.contains(row.id) && untouched && row.deleted)
                result.append({row.id, Settle::Remove});
            else
                result.append({row.id, Settle::TagOnly});
            break;
        case PushKind::Delete:
            result.append({row.id, untouched && deleted.contains(row.id) ? Settle::Remove
                                                                         : Settle::ForgetTag});
            break;
        case PushKind::ForgetLocally:
            if (untouched && deleted.contains(row.id))
                result.append({row.id, Settle::Remove});
            break;
        }
    }
    return result;
}

} // namespace CalDavSyncPlan

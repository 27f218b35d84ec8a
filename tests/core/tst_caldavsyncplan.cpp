#include "CalDavSyncPlan.h"

#include <QMap>
#include <QRandomGenerator>
#include <QTest>

using namespace CalDavSyncPlan;

namespace {

QString orEmpty(const QString& text)
{
    return text == u"-" ? QString() : text;
}

// "id uid recurrenceId href etag flags": '-' for an empty field, flags p (pending), d (deleted).
QList<LocalRow> rows(const QStringList& descriptions)
{
    QList<LocalRow> result;
    for (const QString& description : descriptions) {
        const QStringList f = description.split(QLatin1Char(' '));
        LocalRow row;
        row.id = f[0];
        row.uid = f[1];
        row.recurrenceId = orEmpty(f[2]);
        row.href = orEmpty(f[3]);
        row.etag = orEmpty(f[4]);
        row.pending = f.size() > 5 && f[5].contains(u'p');
        row.deleted = f.size() > 5 && f[5].contains(u'd');
        row.version = row.id;
        result.append(row);
    }
    return result;
}

// "href etag" pairs.
QList<RemoteObject> remoteListing(const QStringList& descriptions)
{
    QList<RemoteObject> result;
    for (const QString& description : descriptions) {
        const QStringList f = description.split(QLatin1Char(' '));
        result.append({f[0], orEmpty(f.value(1, QStringLiteral("-")))});
    }
    return result;
}

// Only the non-empty parts, e.g. "read[0,1] same=2 adopt[a=e2]".
QString describe(const ListingPlan& plan)
{
    QStringList read, adopt, parts;
    for (int i : plan.toRead)
        read.append(QString::number(i));
    for (const RowTag& tag : plan.adoptTags)
        adopt.append(tag.id + u'=' + tag.etag);
    const std::pair<const char*, QStringList> lists[] = {{"read", read},
                                                         {"adopt", adopt},
                                                         {"remove", plan.remove},
                                                         {"recreate", plan.recreate},
                                                         {"drop", plan.dropDeletion}};
    for (const auto& [name, list] : lists) {
        if (!list.isEmpty())
            parts.append(QString::fromLatin1(name) + u'[' + list.join(u',') + u']');
    }
    if (plan.unchangedRows)
        parts.insert(read.isEmpty() ? 0 : 1, QStringLiteral("same=%1").arg(plan.unchangedRows));
    return parts.join(u' ');
}

QString describe(const ObjectPlan& plan)
{
    QStringList parts;
    for (int i = 0; i < plan.actions.size(); ++i) {
        static const char* names[] = {"skip", "insert", "replace", "adopt", "keep"};
        parts.append(QString::fromLatin1(names[int(plan.actions[i])]) +
                     (plan.localIds[i].isEmpty() ? QString() : u':' + plan.localIds[i]));
    }
    return parts.join(u' ') + QStringLiteral(" remove[%1]").arg(plan.remove.join(u','));
}

QString describe(const QList<PushGroup>& groups)
{
    QStringList parts;
    for (const PushGroup& g : groups) {
        static const char* kinds[] = {"forget", "delete", "put"};
        parts.append(QStringLiteral("%1 %2 %3@%4 body[%5] del[%6] ex[%7]")
                         .arg(QString::fromLatin1(kinds[int(g.kind)]), g.uid,
                              g.href.isEmpty() ? QStringLiteral("new") : g.href,
                              g.etag.isEmpty() ? QStringLiteral("-") : g.etag, g.bodyIds.join(u','),
                              g.deletedIds.join(u','), g.exceptionDates.join(u',')));
    }
    return parts.join(QStringLiteral(" | "));
}

// --- a model of both sides, driven only by the decision functions ---

struct ServerObject
{
    QString uid;
    QString etag;
    QMap<QString, QString> components; // recurrence id -> content
};

struct Model
{
    QMap<QString, ServerObject> server; // href -> object
    QList<LocalRow> local;              // version holds the content
    QHash<QString, QString> renamed;    // uid of an item that moved out of a taken place -> new
    int counter = 0;
    QRandomGenerator random;

    QString next(const char* prefix)
    {
        return QString::fromLatin1(prefix) + QString::number(++counter);
    }
    bool chance(int percent) { return int(random.bounded(100)) < percent; }
    int pick(qsizetype size) { return int(random.bounded(int(size))); }

    LocalRow* row(const QString& id)
    {
        const auto it =
            std::find_if(local.begin(), local.end(), [&](auto& r) { return r.id == id; });
        return it == local.end() ? nullptr : &*it;
    }
    QList<LocalRow> rowsOf(const QString& uid) const
    {
        QList<LocalRow> result;
        for (const LocalRow& r : local) {
            if (r.uid == uid)
                result.append(r);
        }
        return result;
    }
    void erase(const QString& id)
    {
        local.removeIf([&](const LocalRow& r) { return r.id == id; });
    }

    // The user's edits: new events and series, edits and deletions of any row.
    void editLocally()
    {
        const int action = int(random.bounded(4));
        if (action == 0 || local.isEmpty()) {
            const QString uid = next("U");
            local.append({next("r"), uid, {}, {}, {}, true, false, next("local")});
            if (chance(40))
                local.append({next("r"),
                              uid,
                              QStringLiteral("20250101T0900%1Z").arg(counter % 60),
                              {},
                              {},
                              true,
                              false,
                              next("local")});
            return;
        }
        LocalRow& target = local[pick(local.size())];
        if (target.deleted)
            return;
        target.pending = true;
        if (action == 1)
            target.deleted = true;
        else
            target.version = next("local");
    }

    // Another client on the server: edits, new objects, new overrides and deletions.
    void editRemotely()
    {
        const int action = int(random.bounded(5));
        if (action == 0 || server.isEmpty()) {
            const QString uid = next("S");
            ServerObject object{uid, next("t"), {{QString(), next("remote")}}};
            if (chance(30))
                object.components.insert(QStringLiteral("20250301T100000Z"), next("remote"));
            server.insert(QStringLiteral("/cal/") + uid + QStringLiteral(".ics"), object);
            return;
        }
        auto it = std::next(server.begin(), pick(server.size()));
        if (action == 1) {
            server.erase(it);
            return;
        }
        ServerObject& object = it.value();
        object.etag = next("t");
        const QStringList keys = object.components.keys();
        if (action == 2)
            object.components[keys[pick(keys.size())]] = next("remote");
        else if (action == 3 && keys.size() > 1)
            object.components.remove(keys.last());
        else
            object.components.insert(
                QStringLiteral("20250401T1000%1Z").arg(counter % 60, 2, 10, QLatin1Char('0')),
                next("remote"));
    }

    struct Faults
    {
        int truncateListing = 0; // percent
        int failRequest = 0;     // transport error before the server acts
        int loseReply = 0;       // the server acts, the reply never arrives
        int editInFlight = 0;    // a local edit between request and reply
        int remoteInFlight = 0;  // a remote edit just before the request arrives
        int placeTaken = 0;      // another client puts an object where a create goes
    };

    // The server's side of one request. Returns the status.
    int serve(const PushGroup& group, const QString& href, const QMap<QString, QString>& body,
              bool create)
    {
        const bool exists = server.contains(href);
        if (create && exists)
            return 412; // If-None-Match
        if (!group.etag.isEmpty() && (!exists || server[href].etag != group.etag))
            return 412;
        if (group.kind == PushKind::Delete) {
            if (!exists)
                return 404;
            server.remove(href);
            return 204;
        }
        server[href] = {group.uid, next("t"), body};
        return exists ? 204 : 201;
    }

    // Reads one object into the store as the pull does.
    void applyObject(const Index& index, const RemoteObject& object)
    {
        const ServerObject held = server[object.href];
        QList<Component> components;
        for (auto c = held.components.cbegin(); c != held.components.cend(); ++c)
            components.append({held.uid, c.key()});
        const ObjectPlan decided = planObject(index, object, components);
        int i = 0;
        for (auto c = held.components.cbegin(); c != held.components.cend(); ++c, ++i) {
            LocalRow* target = row(decided.localIds[i]);
            switch (decided.actions[i]) {
            case Apply::Insert:
                local.append({next("r"), held.uid, c.key(), object.href, object.etag, false, false,
                              c.value()});
                break;
            case Apply::Replace:
                *target = {target->id,  held.uid, c.key(), object.href,
                           object.etag, false,    false,   c.value()};
                break;
            case Apply::Adopt:
                target->href = object.href;
                target->etag = object.etag;
                break;
            case Apply::Keep:
            case Apply::Skip:
                break;
            }
        }
        for (const QString& id : decided.remove)
            erase(id);
    }

    QMap<QString, QString> bodyOf(const PushGroup& group)
    {
        QMap<QString, QString> body;
        for (const QString& id : group.bodyIds)
            body.insert(row(id)->recurrenceId, row(id)->version);
        if (!group.exceptionDates.isEmpty() && body.contains(QString()))
            body[QString()] += QStringLiteral("+ex") + group.exceptionDates.join(u',');
        return body;
    }

    bool sync(const Faults& faults)
    {
        // Pull.
        QList<RemoteObject> listed;
        for (auto it = server.cbegin(); it != server.cend(); ++it)
            listed.append({it.key(), it->etag});
        bool complete = true;
        if (!listed.isEmpty() && chance(faults.truncateListing)) {
            listed.removeAt(pick(listed.size()));
            complete = false;
        }
        {
            const Index index = indexRows(local);
            const ListingPlan plan = planListing(index, listed, complete);
            for (const RowTag& tag : plan.adoptTags) {
                row(tag.id)->href = tag.href;
                row(tag.id)->etag = tag.etag;
            }
            for (int position : plan.toRead)
                applyObject(index, listed[position]);
            for (const QString& id : plan.remove + plan.dropDeletion)
                erase(id);
            for (const QString& id : plan.recreate) {
                row(id)->href.clear();
                row(id)->etag.clear();
            }
        }

        // Push, one group at a time; the first failure ends the run.
        const QList<PushGroup> groups = planPush(indexRows(local));
        for (PushGroup group : groups) {
            QList<LocalRow> sent = rowsOf(group.uid);
            if (group.kind == PushKind::ForgetLocally) {
                for (const Settlement& s : settle(group, sent, sent))
                    erase(s.id);
                continue;
            }
            const auto placeOf = [](const PushGroup& g) {
                return g.href.isEmpty() ? QStringLiteral("/cal/") + g.uid + QStringLiteral(".ics")
                                        : g.href;
            };
            bool create = group.href.isEmpty();
            QString href = placeOf(group);
            QMap<QString, QString> body = bodyOf(group);

            bool retried = false;
            int status = 0;
            for (;;) {
                if (chance(faults.remoteInFlight) && server.contains(href)) {
                    server[href].etag = next("t");
                    server[href].components.first() = next("remote");
                }
                if (create && !server.contains(href) && chance(faults.placeTaken))
                    server.insert(href, {next("F"), next("t"), {{QString(), next("remote")}}});
                if (chance(faults.failRequest))
                    return false;
                status = serve(group, href, body, create);
                if (chance(faults.loseReply))
                    return false;
                const Verdict verdict = judgeReply(group.kind, create, status, false, retried);
                if (verdict == Verdict::Failed)
                    return false;
                if (verdict == Verdict::Done)
                    break;
                retried = true;
                if (verdict == Verdict::PlaceTaken) {
                    // What holds the place is read in; the item goes over it when it is the
                    // same one, else under a UID of its own.
                    QString uid = group.uid;
                    applyObject(indexRows(local), {href, server[href].etag});
                    if (server[href].uid != uid) {
                        uid = next("R");
                        for (LocalRow& r : local) {
                            if (r.uid == group.uid)
                                r.uid = uid;
                        }
                        renamed.insert(group.uid, uid);
                    }
                    const QList<PushGroup> again = planPush(indexRows(rowsOf(uid)));
                    if (again.isEmpty())
                        break;
                    group = again.first();
                    sent = rowsOf(uid);
                    body = bodyOf(group);
                    create = group.href.isEmpty();
                    href = placeOf(group);
                    continue;
                }
                // The object moved on: read it again as the pull would (synced rows take the
                // server's copy, pending ones its tag), then send what is pending once more.
                if (server.contains(href)) {
                    applyObject(indexRows(local), {href, server[href].etag});
                    const QList<PushGroup> again = planPush(indexRows(rowsOf(group.uid)));
                    if (again.isEmpty())
                        break;
                    group = again.first();
                    sent = rowsOf(group.uid);
                    body = bodyOf(group);
                    continue;
                }
                const std::optional<PushGroup> again = retryAfterRefresh(group, std::nullopt);
                if (!again)
                    break;
                group = *again;
            }
            if (chance(faults.editInFlight)) {
                const QList<LocalRow> mine = rowsOf(group.uid);
                LocalRow* target = row(mine[pick(mine.size())].id);
                target->pending = true;
                if (chance(30))
                    target->deleted = !target->deleted;
                else
                    target->version = next("local");
            }
            const QString etag = group.kind == PushKind::Put ? server[href].etag : QString();
            for (const Settlement& s : settle(group, sent, rowsOf(group.uid))) {
                LocalRow* target = row(s.id);
                switch (s.what) {
                case Settle::MarkSynced:
                    target->pending = false;
                    [[fallthrough]];
                case Settle::TagOnly:
                    target->href = href;
                    target->etag = etag;
                    break;
                case Settle::Remove:
                    erase(s.id);
                    break;
                case Settle::ForgetTag:
                    target->href.clear();
                    target->etag.clear();
                    break;
                }
            }
            if (!group.exceptionDates.isEmpty()) {
                for (LocalRow& r : local) {
                    if (r.uid == group.uid && r.recurrenceId.isEmpty())
                        r.version += QStringLiteral("+ex") + group.exceptionDates.join(u',');
                }
            }
        }
        return true;
    }
};

} // namespace

class TestCalDavSyncPlan : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void listing_data()
    {
        QTest::addColumn<QStringList>("local");
        QTest::addColumn<QStringList>("remote");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, const QStringList& local, const QStringList& remote,
                            const char* expected) {
            QTest::newRow(name) << local << remote << QString::fromLatin1(expected);
        };
        row("empty store reads everything", {}, {"/c/1.ics e1", "/c/2.ics e2"}, "read[0,1]");
        row("same tag is neither read nor written",
            {"a U1 - /c/1.ics e1", "b U1 20250101T090000Z /c/1.ics e1"}, {"/c/1.ics e1"}, "same=2");
        row("an empty server tag is always read", {"a U1 - /c/1.ics -"}, {"/c/1.ics"}, "read[0]");
        row("one stale row of an object reads it",
            {"a U1 - /c/1.ics e2", "b U1 20250101T090000Z /c/1.ics e1"}, {"/c/1.ics e2"},
            "read[0]");
        row("pending row of a changed object takes its tag", {"a U1 - /c/1.ics e1 p"},
            {"/c/1.ics e2"}, "read[0] adopt[a=e2]");
        row("object gone: synced removed, live pending recreated, deletion dropped",
            {"a U1 - /c/1.ics e1", "b U2 - /c/2.ics e1 p", "c U3 - /c/3.ics e1 pd", "d U4 - - - p"},
            {}, "remove[a] recreate[b] drop[c]");
        row("href listed twice is read once, at its last place", {},
            {"/c/1.ics e1", "/c/2.ics e1", "/c/1.ics e3"}, "read[1,2]");
        // One object whose href the server spells otherwise than it was put is neither new
        // nor gone.
        row("href listed decoded is the stored encoded one",
            {"a U1 - /c/a%40b.ics e1", "b U2 - /c/x%7ey.ics e1"},
            {"/c/a@b.ics e2", "/c/x~y.ics e1"}, "read[0] same=1");
        row("href listed encoded is the stored decoded one, any hex case",
            {"a U1 - /c/a@b.ics e1 p", "b U2 - /c/%c3%a9.ics e1"},
            {"/c/a%40b.ics e2", "/c/%C3%A9.ics e1"}, "read[0] same=1 adopt[a=e2]");
        row("an encoded slash is not a separator", {"a U1 - /c/a%2Fb.ics e1"}, {"/c/a/b.ics e1"},
            "read[0] remove[a]");
    }

    void listing()
    {
        QFETCH(QStringList, local);
        QFETCH(QStringList, remote);
        QFETCH(QString, expected);
        QCOMPARE(describe(planListing(indexRows(rows(local)), remoteListing(remote), true)),
                 expected);
    }

    void object_data()
    {
        QTest::addColumn<QStringList>("local");
        QTest::addColumn<QString>("object");
        QTest::addColumn<QStringList>("components");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, const QStringList& local, const char* object,
                            const QStringList& components, const char* expected) {
            QTest::newRow(name) << local << QString::fromLatin1(object) << components
                                << QString::fromLatin1(expected);
        };
        const QStringList series{"U1 -", "U1 20250101T090000Z"};
        row("new series inserts master and override", {}, "/c/1.ics e1", series,
            "insert insert remove[]");
        row("synced rows replaced, pending adopts, tag holder kept",
            {"a U1 - /c/1.ics e0", "b U1 20250101T090000Z /c/1.ics e0 p", "c U2 - /c/2.ics e1"},
            "/c/1.ics e1", series, "replace:a adopt:b remove[]");
        row("same tag at the same href is kept", {"a U1 - /c/1.ics e1"}, "/c/1.ics e1", {"U1 -"},
            "keep:a remove[]");
        row("same tag at another href is replaced", {"a U1 - /c/old.ics e1"}, "/c/1.ics e1",
            {"U1 -"}, "replace:a remove[]");
        row("pending create found on the server adopts its href", {"a U1 - - - p"}, "/c/U1.ics e5",
            {"U1 -"}, "adopt:a remove[]");
        row("override dropped on the server goes, a pending one stays",
            {"a U1 - /c/1.ics e0", "b U1 20250101T090000Z /c/1.ics e0",
             "c U1 20250102T090000Z /c/1.ics e0 p"},
            "/c/1.ics e1", {"U1 -"}, "replace:a remove[b]");
        row("unreadable object removes nothing", {"a U1 - /c/1.ics e0"}, "/c/1.ics e1", {},
            " remove[]");
        row("no uid and repeated keys are skipped", {}, "/c/1.ics e1", {"- -", "U1 -", "U1 -"},
            "skip insert skip remove[]");
        row("same tag at the same href spelt otherwise is kept", {"a U1 - /c/a%40b.ics e1"},
            "/c/a@b.ics e1", {"U1 -"}, "keep:a remove[]");
        row("override dropped at an href spelt otherwise goes",
            {"a U1 - /c/a@b.ics e0", "b U1 20250101T090000Z /c/a@b.ics e0"}, "/c/a%40b.ics e1",
            {"U1 -"}, "replace:a remove[b]");
    }

    void object()
    {
        QFETCH(QStringList, local);
        QFETCH(QString, object);
        QFETCH(QStringList, components);
        QFETCH(QString, expected);
        QList<Component> parsed;
        for (const QString& description : components) {
            const QStringList f = description.split(u' ');
            parsed.append({orEmpty(f[0]), orEmpty(f[1])});
        }
        const QList<RemoteObject> remote = remoteListing({object});
        QCOMPARE(describe(planObject(indexRows(rows(local)), remote.first(), parsed)), expected);
    }

    void push_data()
    {
        QTest::addColumn<QStringList>("local");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, const QStringList& local, const char* expected) {
            QTest::newRow(name) << local << QString::fromLatin1(expected);
        };
        row("nothing pending sends nothing", {"a U1 - /c/1.ics e1"}, "");
        row("new event is a create", {"a U1 - - - p"}, "put U1 new@- body[a] del[] ex[]");
        row("edited override sends the whole object once",
            {"m U1 - /c/1.ics e1", "o U1 20250101T090000Z /c/1.ics e1 p",
             "p U1 20250102T090000Z /c/1.ics e1 p"},
            "put U1 /c/1.ics@e1 body[m,o,p] del[] ex[]");
        row("deleted override is a put without it and an exception date",
            {"m U1 - /c/1.ics e1", "o U1 20250101T090000Z /c/1.ics e1 pd"},
            "put U1 /c/1.ics@e1 body[m] del[o] ex[20250101T090000Z]");
        row("deleted master deletes the object with all its rows",
            {"o U1 20250101T090000Z /c/1.ics e1", "m U1 - /c/1.ics e1 pd"},
            "delete U1 /c/1.ics@e1 body[] del[m,o] ex[]");
        row("deletion never sent is forgotten locally", {"a U1 - - - pd"},
            "forget U1 new@- body[] del[a] ex[]");
        row("overrides alone: last one deleted deletes the object",
            {"o U1 20250101T090000Z /c/1.ics e1 pd"}, "delete U1 /c/1.ics@e1 body[] del[o] ex[]");
        row("master's href wins over an override's",
            {"o U1 20250101T090000Z /c/x.ics e9 p", "m U1 - /c/1.ics e1"},
            "put U1 /c/1.ics@e1 body[m,o] del[] ex[]");
        row("groups follow the first row of each uid",
            {"b U2 - /c/2.ics e1 p", "a U1 - /c/1.ics e1 p", "c U2 - /c/2.ics e1"},
            "put U2 /c/2.ics@e1 body[b,c] del[] ex[] | put U1 /c/1.ics@e1 body[a] del[] ex[]");
    }

    void push()
    {
        QFETCH(QStringList, local);
        QFETCH(QString, expected);
        QCOMPARE(describe(planPush(indexRows(rows(local)))), expected);
    }

    void verdict_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("create");
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("transport");
        QTest::addColumn<bool>("retried");
        QTest::addColumn<int>("expected");

        const int put = int(PushKind::Put);
        const int del = int(PushKind::Delete);
        const int done = int(Verdict::Done);
        const int retry = int(Verdict::RetryWithTag);
        const int failed = int(Verdict::Failed);
        QTest::newRow("transport error") << put << false << 0 << true << false << failed;
        QTest::newRow("put 404") << put << false << 404 << false << false << failed;
        QTest::newRow("delete 404") << del << false << 404 << false << false << done;
        QTest::newRow("delete 410") << del << false << 410 << false << false << done;
        QTest::newRow("put 412 first") << put << false << 412 << false << false << retry;
        QTest::newRow("put 412 again") << put << false << 412 << false << true << failed;
        QTest::newRow("create 412 first")
            << put << true << 412 << false << false << int(Verdict::PlaceTaken);
        QTest::newRow("create 412 again") << put << true << 412 << false << true << failed;
    }

    void verdict()
    {
        QFETCH(int, kind);
        QFETCH(bool, create);
        QFETCH(int, status);
        QFETCH(bool, transport);
        QFETCH(bool, retried);
        QFETCH(int, expected);
        QCOMPARE(int(judgeReply(PushKind(kind), create, status, transport, retried)), expected);
    }

    void settleKeepsEditsMadeInFlight_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("sent");
        QTest::addColumn<QStringList>("current");
        QTest::addColumn<QString>("expected");

        QTest::newRow("put, master edited and override restored meanwhile")
            << int(PushKind::Put) << QStringList{"m U1 - - - p", "o U1 20250101T090000Z - - pd"}
            << QStringList{"m2 U1 - - - p", "o U1 20250101T090000Z - - p"} << "m:tag o:tag";
        QTest::newRow("put, row added meanwhile")
            << int(PushKind::Put) << QStringList{"m U1 - - - p"}
            << QStringList{"m U1 - - - p", "n U1 20250101T090000Z - - p"} << "m:synced n:tag";
        QTest::newRow("delete, row restored meanwhile is created again")
            << int(PushKind::Delete) << QStringList{"m U1 - /c/1.ics e1 pd"}
            << QStringList{"m U1 - /c/1.ics e1 p"} << "m:forget";
    }

    void settleKeepsEditsMadeInFlight()
    {
        QFETCH(int, kind);
        QFETCH(QStringList, sent);
        QFETCH(QStringList, current);
        QFETCH(QString, expected);
        // The row id doubles as its version: "m2" is row m after an edit.
        QList<LocalRow> now = rows(current);
        for (LocalRow& row : now)
            row.id = row.id.left(1);
        const QList<LocalRow> before = rows(sent);
        PushGroup group = planPush(indexRows(before)).value(0);
        group.kind = PushKind(kind);
        QStringList parts;
        static const char* names[] = {"synced", "tag", "remove", "forget"};
        for (const Settlement& s : settle(group, before, now))
            parts.append(s.id + u':' + QString::fromLatin1(names[int(s.what)]));
        QCOMPARE(parts.join(u' '), expected);
    }

    // Random histories on both sides with failures, lost replies, truncated listings and edits
    // during requests. After each run without interference both sides must hold the same
    // events, every pending change must have reached the server, and nothing may exist twice.
    void randomHistoriesConverge()
    {
        const Model::Faults rough{20, 10, 10, 20, 10, 10};
        for (quint32 seed = 1; seed <= 400; ++seed) {
            Model model;
            model.random.seed(seed);
            for (int round = 0; round < 6; ++round) {
                const int localEdits = int(model.random.bounded(5));
                for (int i = 0; i < localEdits; ++i)
                    model.editLocally();
                const int remoteEdits = int(model.random.bounded(4));
                for (int i = 0; i < remoteEdits; ++i)
                    model.editRemotely();
                model.sync(rough);
            }
            for (int i = 0; i < 3; ++i)
                model.editLocally();

            // What the user asked for must survive rough runs as well as the clean one.
            const QList<LocalRow> before = model.local;
            Model::Faults roughWithoutEdits = rough;
            roughWithoutEdits.editInFlight = 0;
            for (int i = 0; i < 3; ++i)
                model.sync(roughWithoutEdits);
            QVERIFY2(model.sync({}), qPrintable(QStringLiteral("seed %1").arg(seed)));
            checkConverged(model, before, seed);
            // A second run changes nothing.
            const QList<LocalRow> settled = model.local;
            const auto serverBefore = model.server;
            QVERIFY(model.sync({}));
            QCOMPARE(model.local.size(), settled.size());
            QCOMPARE(model.server.size(), serverBefore.size());
            for (auto it = model.server.cbegin(); it != model.server.cend(); ++it)
                QCOMPARE(it->etag, serverBefore[it.key()].etag);
        }
    }

private:
    static void checkConverged(const Model& model, const QList<LocalRow>& before, quint32 seed)
    {
        const QString where = QStringLiteral("seed %1").arg(seed);
        QMap<QString, QString> localContent;
        for (const LocalRow& row : model.local) {
            const QString key = row.uid + u'/' + row.recurrenceId;
            QVERIFY2(!row.pending, qPrintable(where + QStringLiteral(" pending ") + key));
            QVERIFY2(!row.deleted, qPrintable(where));
            QVERIFY2(!localContent.contains(key),
                     qPrintable(where + QStringLiteral(" twice ") + key));
            localContent.insert(key, row.version);
            QVERIFY2(model.server.contains(row.href),
                     qPrintable(where + QStringLiteral(" no object ") + key));
            QCOMPARE(row.etag, model.server[row.href].etag);
        }
        QMap<QString, QString> serverContent;
        QSet<QString> uids;
        for (const ServerObject& object : model.server) {
            QVERIFY2(!uids.contains(object.uid),
                     qPrintable(where + QStringLiteral(" uid twice ") + object.uid));
            uids.insert(object.uid);
            for (auto c = object.components.cbegin(); c != object.components.cend(); ++c)
                serverContent.insert(object.uid + u'/' + c.key(), c.value());
        }
        QVERIFY2(localContent == serverContent,
                 qPrintable(where + QStringLiteral(" sides differ")));
        QSet<QString> seriesDeleted;
        for (const LocalRow& row : before) {
            if (row.deleted && row.recurrenceId.isEmpty())
                seriesDeleted.insert(row.uid);
        }
        for (const LocalRow& row : before) {
            // Deleting a series takes its overrides with it, edited or not.
            if (!row.pending ||
                (!row.deleted && !row.recurrenceId.isEmpty() && seriesDeleted.contains(row.uid)))
                continue;
            QString uid = row.uid;
            while (model.renamed.contains(uid))
                uid = model.renamed.value(uid);
            const QString key = uid + u'/' + row.recurrenceId;
            if (row.deleted)
                QVERIFY2(!serverContent.contains(key),
                         qPrintable(where + QStringLiteral(" deletion lost ") + key));
            else
                QVERIFY2(serverContent.value(key).startsWith(row.version),
                         qPrintable(where + QStringLiteral(" edit lost ") + key));
        }
    }
};

QTEST_GUILESS_MAIN(TestCalDavSyncPlan)
#include "tst_caldavsyncplan.moc"

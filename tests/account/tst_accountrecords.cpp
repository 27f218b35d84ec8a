#include "Group.h"
#include "Profile.h"

#include <QJsonDocument>
#include <QTest>

using namespace OrvaAccount;

class TestAccountRecords : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Each row: the JSON of one value at key "v" (no key for an empty text), read by the rule that
    // starts the row's name, and the result in a text form. The rows are the values of the wrong
    // type or shape, which a plain conversion would misread.
    void readingRules_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("expected");
        QTest::newRow("text: from number") << QByteArray("5") << QStringLiteral("");
        QTest::newRow("time: with offset") << QByteArray(R"("2025-03-01T09:30:00+01:00")")
                                           << QStringLiteral("2025-03-01T08:30:00Z");
        QTest::newRow("time: a word") << QByteArray(R"("yesterday")") << QStringLiteral("invalid");
        QTest::newRow("flag: as text") << QByteArray(R"("true")") << QStringLiteral("0");
        QTest::newRow("integer: fractional") << QByteArray("2.5") << QStringLiteral("0");
        QTest::newRow("list: element not an object")
            << QByteArray(R"([{"account_id":"a"},7,{"account_id":"c"}])") << QStringLiteral("a,,c");
        // Read up to the bound (three here), the rest counted.
        QTest::newRow("list: past the bound")
            << QByteArray(R"([{"account_id":"a"},{"account_id":"b"},{"account_id":"c"},{},{}])")
            << QStringLiteral("a,b,c+2");
        QTest::newRow("list: not an array")
            << QByteArray(R"({"account_id":"a"})") << QStringLiteral("");
        QTest::newRow("group") << QByteArray(R"({"id":"g","name":"Family","member_count":3})")
                               << QStringLiteral("g|Family|3");
        QTest::newRow("group: null") << QByteArray("null") << QStringLiteral("||0");
        QTest::newRow("group: count as text")
            << QByteArray(R"({"id":"g","member_count":"3"})") << QStringLiteral("g||0");
        // The profile's group is present whenever its key is, whatever the value.
        QTest::newRow("group: absent") << QByteArray() << QStringLiteral("absent");
    }

    void readingRules()
    {
        QFETCH(QByteArray, json);
        QFETCH(QString, expected);
        const QString rule = QString::fromLatin1(QTest::currentDataTag()).section(':', 0, 0);
        const QString key = QStringLiteral("v");
        const QJsonObject object =
            json.isEmpty()
                ? QJsonObject()
                : QJsonDocument::fromJson("{\"v\":" + json + ",\"extra\":[1,{}]}").object();
        QString read;
        if (rule == QLatin1String("text")) {
            read = AccountJson::text(object, key);
        } else if (rule == QLatin1String("time")) {
            const QDateTime time = AccountJson::time(object, key);
            read = time.isValid() ? time.toUTC().toString(Qt::ISODate) : QStringLiteral("invalid");
        } else if (rule == QLatin1String("flag")) {
            read = QString::number(AccountJson::flag(object, key));
        } else if (rule == QLatin1String("integer")) {
            read = QString::number(AccountJson::integer(object, key));
        } else if (rule == QLatin1String("list")) {
            QStringList ids;
            int leftOut = -1;
            for (const GroupMember& member :
                 AccountJson::list<GroupMember>(object, key, 3, &leftOut))
                ids.append(member.accountId);
            read = ids.join(QLatin1Char(','));
            if (leftOut != 0)
                read += QStringLiteral("+%1").arg(leftOut);
        } else {
            QJsonObject profile = object;
            if (!json.isEmpty())
                profile = {{QStringLiteral("group"), object.value(key)}};
            const std::optional<GroupSummary> group = Profile::fromJson(profile).group;
            read =
                group
                    ? QStringLiteral("%1|%2|%3").arg(group->id, group->name).arg(group->memberCount)
                    : QStringLiteral("absent");
        }
        QCOMPARE(read, expected);
    }
};

QTEST_GUILESS_MAIN(TestAccountRecords)
#include "tst_accountrecords.moc"

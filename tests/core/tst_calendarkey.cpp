#include "CalendarKey.h"

#include <QCryptographicHash>
#include <QTest>

namespace {

QString sha(const QString& input)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(input.toUtf8(), QCryptographicHash::Sha256).toHex());
}

Calendar calendar(const QString& id, const QString& key)
{
    Calendar c;
    c.id = id;
    c.canonicalKey = key;
    return c;
}

} // namespace

class TestCalendarKey : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keyInput_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("input");
        QTest::newRow("caldav drops scheme, host, case, trailing slashes")
            << "caldav" << "https://DAV.example.com:8443/Cal/Work///" << "caldav:/cal/work";
        QTest::newRow("icloud is caldav") << "icloud" << "https://p1.example.com/x/" << "caldav:/x";
        QTest::newRow("percent-encoded path is decoded")
            << "caldav" << "https://h/cal/my%20work/" << "caldav:/cal/my work";
        QTest::newRow("query kept, fragment dropped")
            << "zoho" << "https://h/cal?id=5#frag" << "caldav:/cal?id=5";
        QTest::newRow("bare path keyed by lower-cased text") << "caldav" << "/Cal/Home/"
                                                             << "caldav:/cal/home";
        QTest::newRow("webcal keeps scheme and host")
            << "webcal" << "WEBCAL://Feeds.example.com/h.ics/" << "webcal:webcal://feeds.example.com/h.ics";
        QTest::newRow("local calendar") << "orvandellic"
                                        << "local://calendar/orvandellic-personal-default"
                                        << "orvandellic:orvandellic-personal-default";
        QTest::newRow("cloud personal") << "orvandellic" << "orvandellic://calendar/personal"
                                        << "orvandellic:orvandellic-personal-default";
        QTest::newRow("cloud other") << "orvandellic" << "orvandellic://Team-42/"
                                     << "orvandellic:team-42";
        QTest::newRow("only slashes") << "google" << "///" << "google:";
    }

    void keyInput()
    {
        QFETCH(QString, type);
        QFETCH(QString, url);
        QFETCH(QString, input);
        const auto key = calendarKey(type, url);
        QVERIFY(key.has_value());
        QCOMPARE(*key, sha(input));
        QCOMPARE(key->size(), 64);
    }

    void unknownOrMiscasedTypeHasNoKey()
    {
        QVERIFY(!calendarKey(QStringLiteral("CalDAV"), QStringLiteral("https://h/x")));
        QVERIFY(!calendarKey(QString(), QStringLiteral("https://h/x")));
    }

    void translationsBetweenIdsAndKeys()
    {
        const QList<Calendar> calendars{calendar("a", "ka"), calendar("b", ""), calendar("c", "kc"),
                                        calendar("d", "kc")};
        QCOMPARE(calendarKeysOf({"a", "missing", "b", "c", "a"}, calendars),
                 QStringList({"ka", "kc", "ka"}));
        const auto [ids, unknown] = calendarKeysById({"kc", "nope", "ka"}, calendars);
        QCOMPARE(ids, QStringList({"d", "a"}));
        QCOMPARE(unknown, QStringList({"nope"}));
    }
};

QTEST_GUILESS_MAIN(TestCalendarKey)
#include "tst_calendarkey.moc"

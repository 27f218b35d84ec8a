#include "AppState.h"
#include "AppStateFixture.h"
#include "GeocodingClient.h"
#include "GuiEnvironment.h"
#include "PreferencesRepository.h"
#include "WeatherSettingsDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

namespace {

// A geocoding stand-in on 127.0.0.1: answers every request with `body` and keeps the request
// lines it saw.
class GeocodingStandIn : public QObject
{
public:
    explicit GeocodingStandIn(const QByteArray& body) : m_body(body)
    {
        m_server.listen(QHostAddress::LocalHost, 0);
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            QTcpSocket* socket = m_server.nextPendingConnection();
            connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                const QByteArray request = socket->readAll();
                requestLines.append(QString::fromUtf8(request.left(request.indexOf('\r'))));
                socket->write("HTTP/1.1 200 OK\r\nContent-Type: application/json\r\n"
                              "Connection: close\r\nContent-Length: " +
                              QByteArray::number(m_body.size()) + "\r\n\r\n" + m_body);
                socket->disconnectFromHost();
            });
        });
    }
    QString url() const
    {
        return QStringLiteral("http://127.0.0.1:%1/v1/search").arg(m_server.serverPort());
    }
    QStringList requestLines;

private:
    QTcpServer m_server;
    QByteArray m_body;
};

} // namespace

class WeatherSettingsDialogTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { GuiEnvironment::prepare(); }

    // The service's entries become places; nameless ones and coordinates off the globe are
    // dropped, and unreadable replies give none.
    void parsePlaces_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QStringList>("labels");
        QTest::newRow("two places")
            << QByteArray(
                   R"({"results":[{"name":"Berlin","admin1":"Land Berlin","country":"Germany",)"
                   R"("latitude":52.52,"longitude":13.41},{"name":"Berlin","admin1":"New Hampshire",)"
                   R"("country":"United States","latitude":44.47,"longitude":-71.19}]})")
            << QStringList{QStringLiteral("Berlin, Land Berlin, Germany"),
                           QStringLiteral("Berlin, New Hampshire, United States")};
        QTest::newRow("no name, bad latitude")
            << QByteArray(R"({"results":[{"latitude":1,"longitude":2},)"
                          R"({"name":"X","latitude":91,"longitude":0},)"
                          R"({"name":"Quito","latitude":-0.22,"longitude":-78.5}]})")
            << QStringList{QStringLiteral("Quito")};
        QTest::newRow("no results key")
            << QByteArray(R"({"generationtime_ms":0.5})") << QStringList();
        QTest::newRow("not json") << QByteArray("<html>") << QStringList();
    }
    void parsePlaces()
    {
        QFETCH(QByteArray, body);
        QFETCH(QStringList, labels);
        QStringList got;
        for (const Weather::Place& place : Weather::GeocodingClient::parsePlaces(body))
            got.append(place.label());
        QCOMPARE(got, labels);
    }

    // Searching asks the stand-in, the first match is preselected, and OK stores the place,
    // the unit and the switch.
    void searchPickAndStore()
    {
        GeocodingStandIn standIn(
            R"({"results":[{"name":"Lisbon","admin1":"Lisbon","country":"Portugal",)"
            R"("latitude":38.71667,"longitude":-9.13333}]})");
        qputenv("WEATHER_GEOCODING_URL", standIn.url().toUtf8());
        // The forecast refresh that follows a new place goes to the stand-in too.
        qputenv("WEATHER_API_URL", standIn.url().toUtf8());
        AppStateFixture fixture;
        QVERIFY(fixture.start());
        PreferencesRepository* preferences = fixture.state()->preferences();

        WeatherSettingsDialog dialog(fixture.state());
        dialog.findChild<QCheckBox*>()->setChecked(true);
        // With the switch on and no place, OK keeps the dialog open.
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(!preferences->get(QStringLiteral("weather/enabled")));

        dialog.findChild<QComboBox*>()->setCurrentIndex(0); // Celsius
        auto* query = dialog.findChild<QLineEdit*>();
        query->setText(QStringLiteral("Lisbon"));
        QTest::keyClick(query, Qt::Key_Return);
        auto* results = dialog.findChild<QListWidget*>();
        QTRY_COMPARE(results->count(), 1);
        QVERIFY(standIn.requestLines.value(0).contains(QStringLiteral("name=Lisbon")));
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(preferences->getString(QStringLiteral("weather/location_name")),
                 QStringLiteral("Lisbon, Portugal"));
        QCOMPARE(preferences->getString(QStringLiteral("weather/location_lat")),
                 QStringLiteral("38.7167"));
        QCOMPARE(preferences->getString(QStringLiteral("weather/location_lng")),
                 QStringLiteral("-9.1333"));
        QCOMPARE(preferences->getString(QStringLiteral("weather/unit")), QStringLiteral("C"));
        QVERIFY(preferences->getBool(QStringLiteral("weather/enabled")));
        qunsetenv("WEATHER_GEOCODING_URL");
        qunsetenv("WEATHER_API_URL");
    }
};

QTEST_MAIN(WeatherSettingsDialogTest)
#include "tst_weathersettingsdialog.moc"

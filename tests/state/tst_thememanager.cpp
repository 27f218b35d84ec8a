#include "CalendarProxyStyle.h"
#include "Database.h"
#include "PreferencesRepository.h"
#include "SystemColorScheme.h"
#include "TestDataDir.h"
#include "Theme.h"
#include "ThemeManager.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDialog>
#include <QImage>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <atomic>

namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString themeKey = QStringLiteral("ui/theme");
const QString accentKey = QStringLiteral("ui/accentColor");

const QColor lightCanvas("#F6F7F9");
const QColor darkCanvas("#14161B");

} // namespace

// Stands in for the desktop portal's settings interface. It lives in a thread of its own, so it
// can answer while the code under test blocks on its question.
class FakePortal : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Settings")

public:
    std::atomic<uint> colorScheme{0};

public Q_SLOTS:
    QDBusVariant Read(const QString&, const QString&)
    {
        // The real portal wraps the value twice.
        return QDBusVariant(QVariant::fromValue(QDBusVariant(QVariant(colorScheme.load()))));
    }
};

class TestThemeManager : public QObject
{
    Q_OBJECT

private:
    QProcess m_bus;
    QTemporaryDir m_busDir;
    QString m_busAddress;
    QThread m_portalThread;
    FakePortal* m_portal = nullptr;
    bool m_portalRegistered = false;

    std::unique_ptr<TestDataDir> m_dataDir;
    std::unique_ptr<Database> m_database;
    std::unique_ptr<PreferencesRepository> m_preferences;
    std::unique_ptr<ThemeManager> m_manager;

    void startPortal(uint colorScheme)
    {
        if (m_busAddress.isEmpty())
            QSKIP("dbus-daemon is not installed");
        m_portal->colorScheme = colorScheme;
        if (!m_portalRegistered)
            QVERIFY(QDBusConnection(QStringLiteral("portal")).registerService(portalService));
        m_portalRegistered = true;
    }

    void stopPortal()
    {
        if (m_portalRegistered)
            QDBusConnection(QStringLiteral("portal")).unregisterService(portalService);
        m_portalRegistered = false;
    }

    void sendPortalChange(const QString& key, uint value)
    {
        m_portal->colorScheme = value;
        QDBusMessage signal = QDBusMessage::createSignal(
            portalPath, QStringLiteral("org.freedesktop.portal.Settings"),
            QStringLiteral("SettingChanged"));
        signal << QStringLiteral("org.freedesktop.appearance") << key
               << QVariant::fromValue(QDBusVariant(QVariant(value)));
        QVERIFY(QDBusConnection(QStringLiteral("portal")).send(signal));
    }

    // A new manager on the preferences, loaded unless asked not to.
    ThemeManager* makeManager(bool load = true)
    {
        m_manager = std::make_unique<ThemeManager>(m_preferences.get());
        if (load)
            m_manager->load();
        return m_manager.get();
    }

private Q_SLOTS:
    void initTestCase()
    {
        // A private session bus without service activation: no real portal can answer, and the
        // user's own session is never touched.
        qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/calendar-test-bus");
        if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty())
            return;
        const QString config = m_busDir.filePath(QStringLiteral("bus.conf"));
        QFile file(config);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration "
                   "1.0//EN\" \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                   "<busconfig><type>session</type><listen>unix:dir=" +
                   m_busDir.path().toUtf8() +
                   "</listen><auth>EXTERNAL</auth><policy context=\"default\">"
                   "<allow send_destination=\"*\" eavesdrop=\"true\"/><allow eavesdrop=\"true\"/>"
                   "<allow own=\"*\"/></policy></busconfig>\n");
        file.close();
        m_bus.start(QStringLiteral("dbus-daemon"),
                    {QStringLiteral("--nofork"), QStringLiteral("--print-address=1"),
                     QStringLiteral("--config-file=") + config});
        QVERIFY(m_bus.waitForStarted(30000));
        while (!m_bus.canReadLine())
            QVERIFY(m_bus.waitForReadyRead(30000));
        m_busAddress = QString::fromUtf8(m_bus.readLine()).trimmed();
        qputenv("DBUS_SESSION_BUS_ADDRESS", m_busAddress.toUtf8());
        QVERIFY(QDBusConnection::sessionBus().isConnected());

        m_portal = new FakePortal;
        m_portal->moveToThread(&m_portalThread);
        m_portalThread.start();
        QDBusConnection portalBus =
            QDBusConnection::connectToBus(m_busAddress, QStringLiteral("portal"));
        QVERIFY(portalBus.isConnected());
        QVERIFY(portalBus.registerObject(portalPath, m_portal, QDBusConnection::ExportAllSlots));
    }

    void cleanupTestCase()
    {
        stopPortal();
        m_portalThread.quit();
        m_portalThread.wait();
        delete m_portal;
        QDBusConnection::disconnectFromBus(QStringLiteral("portal"));
        if (m_bus.state() != QProcess::NotRunning) {
            m_bus.terminate();
            m_bus.waitForFinished(30000);
        }
    }

    void init()
    {
        qunsetenv("CALENDAR_COLOR_SCHEME");
        m_dataDir = std::make_unique<TestDataDir>();
        m_database = std::make_unique<Database>();
        QVERIFY(m_database->open(m_dataDir->filePath(QStringLiteral("calendar.db"))));
        QVERIFY(m_database->migrate());
        m_preferences = std::make_unique<PreferencesRepository>(m_database.get());
    }

    void cleanup()
    {
        m_manager.reset();
        m_preferences.reset();
        m_database.reset();
        m_dataDir.reset();
        stopPortal();
        qunsetenv("CALENDAR_COLOR_SCHEME");
        Theme::setAccentName(QString());
        Theme::setDark(0);
    }

    // Without a stored mode the override, then the portal, then the palette decide; a stored
    // mode decides alone, and the desktop flipping later does not move it.
    void modeSources_data()
    {
        QTest::addColumn<QByteArray>("override");
        QTest::addColumn<QString>("stored"); // empty: none stored
        QTest::addColumn<int>("portal");     // -1: no portal on the bus
        QTest::addColumn<bool>("dark");
        const QByteArray none;
        QTest::newRow("override light beats portal dark")
            << QByteArray("light") << "" << 1 << false;
        QTest::newRow("unknown override falls through") << QByteArray("Dark") << "" << 1 << true;
        QTest::newRow("portal prefers dark") << none << "" << 1 << true;
        QTest::newRow("portal without preference uses palette") << none << "" << 0 << false;
        QTest::newRow("portal with unknown value uses palette") << none << "" << 7 << false;
        QTest::newRow("no portal uses palette") << none << "" << -1 << false;
        QTest::newRow("stored light on a dark desktop") << none << "light" << 1 << false;
        QTest::newRow("unknown stored word is light") << none << "sepia" << 1 << false;
        QTest::newRow("stored dark on a light desktop") << none << "dark" << 2 << true;
    }

    void modeSources()
    {
        QFETCH(QByteArray, override);
        QFETCH(QString, stored);
        QFETCH(int, portal);
        QFETCH(bool, dark);
        qputenv("CALENDAR_COLOR_SCHEME", override);
        if (portal >= 0)
            startPortal(uint(portal));
        if (!stored.isEmpty())
            QVERIFY(m_preferences->set(themeKey, stored));
        ThemeManager* manager = makeManager();
        const QColor canvas = dark ? darkCanvas : lightCanvas;
        QCOMPARE(Theme::canvas(), canvas);
        QCOMPARE(qApp->palette().color(QPalette::Window), canvas);
        if (stored.isEmpty()) {
            QCOMPARE(manager->mode(), QStringLiteral("system"));
            QVERIFY(!m_preferences->get(themeKey));
            return;
        }
        QCOMPARE(manager->mode(), stored);
        // The desktop flips; the scheme sees it, but the theme follows it only in "system" mode.
        auto* scheme = manager->findChild<SystemColorScheme*>();
        QVERIFY(scheme);
        QSignalSpy flipped(scheme, &SystemColorScheme::changed);
        sendPortalChange(QStringLiteral("color-scheme"), portal == 1 ? 2 : 1);
        QTRY_COMPARE_WITH_TIMEOUT(flipped.count(), 1, 30000);
        QCOMPARE(Theme::canvas(), canvas);
    }

    void systemModeFollowsPortalChanges()
    {
        startPortal(2);
        makeManager();
        QCOMPARE(Theme::canvas(), lightCanvas);

        sendPortalChange(QStringLiteral("color-scheme"), 1);
        QTRY_COMPARE_WITH_TIMEOUT(qApp->palette().color(QPalette::Window), darkCanvas, 30000);
        QCOMPARE(Theme::canvas(), darkCanvas);
        QVERIFY(qApp->styleSheet().contains(Theme::cssRgba(darkCanvas)));

        // Other keys of the group are not the colour scheme.
        sendPortalChange(QStringLiteral("accent-color"), 2);
        sendPortalChange(QStringLiteral("color-scheme"), 2);
        QTRY_COMPARE_WITH_TIMEOUT(qApp->palette().color(QPalette::Window), lightCanvas, 30000);

        // Back to "no preference": the platform palette decides, and it is light here.
        sendPortalChange(QStringLiteral("color-scheme"), 1);
        QTRY_COMPARE_WITH_TIMEOUT(Theme::canvas(), darkCanvas, 30000);
        sendPortalChange(QStringLiteral("color-scheme"), 0);
        QTRY_COMPARE_WITH_TIMEOUT(Theme::canvas(), lightCanvas, 30000);
    }

    // Without override and portal the platform palette decides; the palette the theme itself set
    // must not be taken for it, and reading it must leave the theme's palette in place.
    void ownDarkPaletteIsNotTheDesktops()
    {
        ThemeManager* manager = makeManager(false);
        manager->setMode(QStringLiteral("dark"));
        QCOMPARE(qApp->palette().color(QPalette::Window), darkCanvas);

        SystemColorScheme scheme;
        QVERIFY(!scheme.isDark());
        QCOMPARE(qApp->palette().color(QPalette::Window), darkCanvas);
        QCOMPARE(qApp->palette().color(QPalette::Disabled, QPalette::Text), QColor("#5C626D"));

        manager->setMode(QStringLiteral("system"));
        QCOMPARE(Theme::canvas(), lightCanvas);
    }

    void setModeStoresOnlyChanges()
    {
        qputenv("CALENDAR_COLOR_SCHEME", "light");
        ThemeManager* manager = makeManager();
        QSignalSpy stored(m_preferences.get(), &PreferencesRepository::changed);
        QSignalSpy modes(manager, &ThemeManager::modeChanged);

        manager->setMode(QStringLiteral("system"));
        QCOMPARE(stored.count(), 0);
        QCOMPARE(modes.count(), 0);
        QVERIFY(!m_preferences->get(themeKey));

        manager->setMode(QStringLiteral("dark"));
        QCOMPARE(m_preferences->get(themeKey), QStringLiteral("dark"));
        QCOMPARE(modes.count(), 1);
        QCOMPARE(modes.constFirst().constFirst().toString(), QStringLiteral("dark"));
        QCOMPARE(Theme::canvas(), darkCanvas);
        QCOMPARE(qApp->palette(), ThemeManager::buildPalette());

        manager->setMode(QStringLiteral("dark"));
        QCOMPARE(stored.count(), 1);
        QCOMPARE(modes.count(), 1);

        manager->setMode(QStringLiteral("light"));
        QCOMPARE(Theme::canvas(), lightCanvas);
        QCOMPARE(qApp->palette(), ThemeManager::buildPalette());
        QCOMPARE(modes.count(), 2);
    }

    void accentIsStoredAndRemoved()
    {
        qputenv("CALENDAR_COLOR_SCHEME", "light");
        ThemeManager* manager = makeManager();
        QSignalSpy accents(manager, &ThemeManager::accentChanged);

        manager->setAccentColor(QStringLiteral("#ff0000"));
        QCOMPARE(m_preferences->get(accentKey), QStringLiteral("#ff0000"));
        QCOMPARE(accents.takeFirst().constFirst().value<QColor>(), QColor(Qt::red));
        QVERIFY(qApp->styleSheet().contains(QLatin1String("rgba(255, 0, 0, 0.149)")));
        QCOMPARE(qApp->palette().color(QPalette::Highlight), QColor(Qt::red));

        // A new start reads it back, in the stored mode.
        manager->setMode(QStringLiteral("dark"));
        Theme::setAccentName(QString());
        manager = makeManager();
        QSignalSpy laterAccents(manager, &ThemeManager::accentChanged);
        QCOMPARE(Theme::accent(), QColor(Qt::red));
        QVERIFY(qApp->styleSheet().contains(QLatin1String("rgba(255, 0, 0, 0.196)")));

        manager->setAccentColor(QString());
        QVERIFY(!m_preferences->get(accentKey));
        QCOMPARE(laterAccents.takeFirst().constFirst().value<QColor>(), QColor("#6BA1F7"));

        // A name that does not parse stays stored but leaves the default accent.
        manager->setAccentColor(QStringLiteral("nonsense"));
        QCOMPARE(m_preferences->get(accentKey), QStringLiteral("nonsense"));
        QCOMPARE(laterAccents.takeFirst().constFirst().value<QColor>(), QColor("#6BA1F7"));
    }

    void styleAndStylesheetInstalled()
    {
        qputenv("CALENDAR_COLOR_SCHEME", "dark");
        ThemeManager* manager = makeManager();
        // The stylesheet wraps the application style, so the style is found among the
        // application's children; every later apply keeps that one instance.
        const QList<CalendarProxyStyle*> styles = qApp->findChildren<CalendarProxyStyle*>();
        QCOMPARE(styles.size(), 1);
        QCOMPARE(QApplication::style()->pixelMetric(QStyle::PM_IndicatorWidth), 18);
        QCOMPARE(qApp->styleSheet(), Theme::stylesheet());
        QVERIFY(qApp->styleSheet().contains(QLatin1String("background: #14161b")));
        manager->apply(QStringLiteral("light"));
        manager->setMode(QStringLiteral("dark"));
        makeManager();
        QCOMPARE(qApp->findChildren<CalendarProxyStyle*>(), styles);
    }

    // A default button that cannot be pressed (a form waiting to save) does not keep the accent
    // fill of one that can.
    void disabledDefaultButtonLooksDisabled()
    {
        qputenv("CALENDAR_COLOR_SCHEME", "light");
        makeManager();
        QDialog dialog;
        auto* save = new QPushButton(QStringLiteral("Save"), &dialog);
        save->setDefault(true);
        save->resize(120, 32);
        const auto fill = [save] {
            QImage image(save->size(), QImage::Format_ARGB32);
            save->render(&image);
            return image.pixelColor(8, image.height() / 2);
        };
        const QColor enabled = fill();
        save->setEnabled(false);
        const QColor disabled = fill();
        QCOMPARE(enabled, Theme::accent());
        QVERIFY2(qAbs(disabled.lightness() - enabled.lightness()) > 40,
                 qPrintable(disabled.name() + " " + enabled.name()));
    }
};

QTEST_MAIN(TestThemeManager)
#include "tst_thememanager.moc"

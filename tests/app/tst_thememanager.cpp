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
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <atomic>

namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString settingsInterface = QStringLiteral("org.freedesktop.portal.Settings");

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
    QDBusVariant Read(const QString& group, const QString& key)
    {
        Q_UNUSED(group);
        Q_UNUSED(key);
        // The real portal wraps the value twice.
        return QDBusVariant(QVariant::fromValue(QDBusVariant(QVariant(colorScheme.load()))));
    }
};

class TestThemeManager : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void absentModeFollowsSystem_data();
    void absentModeFollowsSystem();
    void storedModeIgnoresSystem_data();
    void storedModeIgnoresSystem();
    void systemModeFollowsPortalChanges();
    void ownDarkPaletteIsNotTheDesktops();
    void setModeStoresOnlyChanges();
    void accentIsStoredAndRemoved();
    void loadReadsStoredAccent();
    void paletteRolesMatchTable_data();
    void paletteRolesMatchTable();
    void styleAndStylesheetInstalled();

private:
    void startPortal(uint colorScheme);
    void stopPortal();
    void sendPortalChange(const QString& key, uint value);
    ThemeManager* makeManager();

    QProcess m_bus;
    QTemporaryDir m_busDir;
    QString m_busAddress;
    QThread m_portalThread;
    FakePortal* m_portal = nullptr;
    bool m_portalRegistered = false;

    TestDataDir* m_dataDir = nullptr;
    Database* m_database = nullptr;
    PreferencesRepository* m_preferences = nullptr;
    ThemeManager* m_manager = nullptr;
};

void TestThemeManager::initTestCase()
{
    // A private session bus without service activation: no real portal can answer, and the
    // user's own session is never touched.
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/calendar-test-bus");
    if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty())
        return;
    const QString config = m_busDir.filePath(QStringLiteral("bus.conf"));
    QFile file(config);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\" "
               "\"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
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

void TestThemeManager::cleanupTestCase()
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

void TestThemeManager::init()
{
    qunsetenv("CALENDAR_COLOR_SCHEME");
    m_dataDir = new TestDataDir;
    m_database = new Database;
    QVERIFY(m_database->open(m_dataDir->filePath(QStringLiteral("calendar.db"))));
    QVERIFY(m_database->migrate());
    m_preferences = new PreferencesRepository(m_database, m_database);
}

void TestThemeManager::cleanup()
{
    delete m_manager;
    m_manager = nullptr;
    delete m_database;
    delete m_dataDir;
    stopPortal();
    qunsetenv("CALENDAR_COLOR_SCHEME");
    Theme::setAccentName(QString());
    Theme::setDark(0);
}

void TestThemeManager::startPortal(uint colorScheme)
{
    if (m_busAddress.isEmpty())
        QSKIP("dbus-daemon is not installed");
    m_portal->colorScheme = colorScheme;
    if (!m_portalRegistered)
        QVERIFY(QDBusConnection(QStringLiteral("portal")).registerService(portalService));
    m_portalRegistered = true;
}

void TestThemeManager::stopPortal()
{
    if (m_portalRegistered)
        QDBusConnection(QStringLiteral("portal")).unregisterService(portalService);
    m_portalRegistered = false;
}

void TestThemeManager::sendPortalChange(const QString& key, uint value)
{
    m_portal->colorScheme = value;
    QDBusMessage signal =
        QDBusMessage::createSignal(portalPath, settingsInterface, QStringLiteral("SettingChanged"));
    signal << QStringLiteral("org.freedesktop.appearance") << key
           << QVariant::fromValue(QDBusVariant(QVariant(value)));
    QVERIFY(QDBusConnection(QStringLiteral("portal")).send(signal));
}

ThemeManager* TestThemeManager::makeManager()
{
    m_manager = new ThemeManager(m_preferences);
    return m_manager;
}

void TestThemeManager::absentModeFollowsSystem_data()
{
    QTest::addColumn<QByteArray>("override");
    QTest::addColumn<int>("portal"); // -1: no portal on the bus
    QTest::addColumn<bool>("dark");

    QTest::newRow("override dark") << QByteArray("dark") << -1 << true;
    QTest::newRow("override light beats portal dark") << QByteArray("light") << 1 << false;
    QTest::newRow("unknown override falls through") << QByteArray("Dark") << 1 << true;
    QTest::newRow("portal prefers dark") << QByteArray() << 1 << true;
    QTest::newRow("portal prefers light") << QByteArray() << 2 << false;
    QTest::newRow("portal without preference uses palette") << QByteArray() << 0 << false;
    QTest::newRow("portal with unknown value uses palette") << QByteArray() << 7 << false;
    QTest::newRow("no portal uses palette") << QByteArray() << -1 << false;
}

void TestThemeManager::absentModeFollowsSystem()
{
    QFETCH(QByteArray, override);
    QFETCH(int, portal);
    QFETCH(bool, dark);

    qputenv("CALENDAR_COLOR_SCHEME", override);
    if (portal >= 0)
        startPortal(uint(portal));
    ThemeManager* manager = makeManager();
    manager->load();
    QCOMPARE(manager->mode(), QStringLiteral("system"));
    QCOMPARE(Theme::canvas(), dark ? darkCanvas : lightCanvas);
    QCOMPARE(qApp->palette().color(QPalette::Window), dark ? darkCanvas : lightCanvas);
    QVERIFY(!m_preferences->get(QStringLiteral("ui/theme")));
}

void TestThemeManager::storedModeIgnoresSystem_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<uint>("portal");
    QTest::addColumn<bool>("dark");

    QTest::newRow("light on a dark desktop") << "light" << 1u << false;
    QTest::newRow("unknown word is light") << "sepia" << 1u << false;
    QTest::newRow("dark on a light desktop") << "dark" << 2u << true;
}

void TestThemeManager::storedModeIgnoresSystem()
{
    QFETCH(QString, stored);
    QFETCH(uint, portal);
    QFETCH(bool, dark);

    startPortal(portal);
    QVERIFY(m_preferences->set(QStringLiteral("ui/theme"), stored));
    ThemeManager* manager = makeManager();
    manager->load();
    QCOMPARE(manager->mode(), stored);
    QCOMPARE(Theme::canvas(), dark ? darkCanvas : lightCanvas);

    // The desktop flips; the scheme sees it, but the theme follows it only in "system" mode.
    auto* scheme = manager->findChild<SystemColorScheme*>();
    QVERIFY(scheme);
    QSignalSpy flipped(scheme, &SystemColorScheme::changed);
    sendPortalChange(QStringLiteral("color-scheme"), portal == 1 ? 2 : 1);
    QTRY_COMPARE_WITH_TIMEOUT(flipped.count(), 1, 30000);
    QCOMPARE(Theme::canvas(), dark ? darkCanvas : lightCanvas);
}

void TestThemeManager::systemModeFollowsPortalChanges()
{
    startPortal(2);
    ThemeManager* manager = makeManager();
    manager->load();
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
void TestThemeManager::ownDarkPaletteIsNotTheDesktops()
{
    ThemeManager* manager = makeManager();
    manager->setMode(QStringLiteral("dark"));
    QCOMPARE(qApp->palette().color(QPalette::Window), darkCanvas);

    SystemColorScheme scheme;
    QVERIFY(!scheme.isDark());
    QCOMPARE(qApp->palette().color(QPalette::Window), darkCanvas);
    QCOMPARE(qApp->palette().color(QPalette::Disabled, QPalette::Text), QColor("#5C626D"));

    manager->setMode(QStringLiteral("system"));
    QCOMPARE(Theme::canvas(), lightCanvas);
}

void TestThemeManager::setModeStoresOnlyChanges()
{
    qputenv("CALENDAR_COLOR_SCHEME", "light");
    ThemeManager* manager = makeManager();
    manager->load();
    QSignalSpy stored(m_preferences, &PreferencesRepository::changed);
    QSignalSpy modes(manager, &ThemeManager::modeChanged);

    manager->setMode(QStringLiteral("system"));
    QCOMPARE(stored.count(), 0);
    QCOMPARE(modes.count(), 0);
    QVERIFY(!m_preferences->get(QStringLiteral("ui/theme")));

    manager->setMode(QStringLiteral("dark"));
    QCOMPARE(m_preferences->get(QStringLiteral("ui/theme")), QStringLiteral("dark"));
    QCOMPARE(modes.count(), 1);
    QCOMPARE(modes.constFirst().constFirst().toString(), QStringLiteral("dark"));
    QCOMPARE(Theme::canvas(), darkCanvas);

    manager->setMode(QStringLiteral("dark"));
    QCOMPARE(stored.count(), 1);
    QCOMPARE(modes.count(), 1);

    manager->setMode(QStringLiteral("light"));
    QCOMPARE(Theme::canvas(), lightCanvas);
    QCOMPARE(modes.count(), 2);
}

void TestThemeManager::accentIsStoredAndRemoved()
{
    qputenv("CALENDAR_COLOR_SCHEME", "light");
    ThemeManager* manager = makeManager();
    manager->load();
    QSignalSpy accents(manager, &ThemeManager::accentChanged);
    const QString accentKey = QStringLiteral("ui/accentColor");

    manager->setAccentColor(QStringLiteral("#ff0000"));
    QCOMPARE(m_preferences->get(accentKey), QStringLiteral("#ff0000"));
    QCOMPARE(accents.takeFirst().constFirst().value<QColor>(), QColor(Qt::red));
    QVERIFY(qApp->styleSheet().contains(QLatin1String("rgba(255, 0, 0, 0.149)")));
    QCOMPARE(qApp->palette().color(QPalette::Highlight), QColor(Qt::red));

    manager->setMode(QStringLiteral("dark"));
    QCOMPARE(Theme::accent(), QColor(Qt::red));
    QCOMPARE(Theme::accentMuted().alpha(), 50);

    manager->setAccentColor(QString());
    QVERIFY(!m_preferences->get(accentKey));
    QCOMPARE(accents.takeFirst().constFirst().value<QColor>(), QColor("#6BA1F7"));
    manager->setMode(QStringLiteral("light"));
    QCOMPARE(Theme::accent(), QColor("#4285F4"));

    // A name that does not parse stays stored but leaves the default accent.
    manager->setAccentColor(QStringLiteral("nonsense"));
    QCOMPARE(m_preferences->get(accentKey), QStringLiteral("nonsense"));
    QCOMPARE(accents.takeFirst().constFirst().value<QColor>(), QColor("#4285F4"));
}

void TestThemeManager::loadReadsStoredAccent()
{
    qputenv("CALENDAR_COLOR_SCHEME", "dark");
    QVERIFY(m_preferences->set(QStringLiteral("ui/accentColor"), QStringLiteral("#00aa00")));
    ThemeManager* manager = makeManager();
    manager->load();
    QCOMPARE(Theme::accentName(), QStringLiteral("#00aa00"));
    QVERIFY(qApp->styleSheet().contains(QLatin1String("rgba(0, 170, 0, 0.196)")));
}

void TestThemeManager::paletteRolesMatchTable_data()
{
    QTest::addColumn<int>("group");
    QTest::addColumn<int>("role");
    QTest::addColumn<QString>("light");
    QTest::addColumn<QString>("dark");

    const int all = QPalette::All;
    struct Row
    {
        const char* name;
        int group;
        QPalette::ColorRole role;
        const char* light;
        const char* dark;
    };
    const Row rows[] = {
        {"Window", all, QPalette::Window, "#F6F7F9", "#14161B"},
        {"WindowText", all, QPalette::WindowText, "#181B22", "#E7E9EE"},
        {"Base", all, QPalette::Base, "#FFFFFF", "#1B1E24"},
        {"AlternateBase", all, QPalette::AlternateBase, "#F0F1F4", "#23272F"},
        {"ToolTipBase", all, QPalette::ToolTipBase, "#181B22", "#E7E9EE"},
        {"ToolTipText", all, QPalette::ToolTipText, "#FFFFFF", "#1B1E24"},
        {"Text", all, QPalette::Text, "#181B22", "#E7E9EE"},
        {"Button", all, QPalette::Button, "#FFFFFF", "#1B1E24"},
        {"ButtonText", all, QPalette::ButtonText, "#181B22", "#E7E9EE"},
        {"BrightText", all, QPalette::BrightText, "#DC3545", "#E74C3C"},
        {"Highlight", all, QPalette::Highlight, "#4285F4", "#6BA1F7"},
        {"HighlightedText", all, QPalette::HighlightedText, "#FFFFFF", "#FFFFFF"},
        {"Mid", all, QPalette::Mid, "#E3E5EA", "#2C313A"},
        {"Light", all, QPalette::Light, "#FFFFFF", "#1B1E24"},
        {"Dark", all, QPalette::Dark, "#C9CDD4", "#3A404B"},
        {"Disabled Text", QPalette::Disabled, QPalette::Text, "#A8ADB6", "#5C626D"},
        {"Disabled ButtonText", QPalette::Disabled, QPalette::ButtonText, "#A8ADB6", "#5C626D"},
        {"Disabled WindowText", QPalette::Disabled, QPalette::WindowText, "#A8ADB6", "#5C626D"},
    };
    for (const Row& row : rows)
        QTest::newRow(row.name) << row.group << int(row.role) << row.light << row.dark;
}

void TestThemeManager::paletteRolesMatchTable()
{
    QFETCH(int, group);
    QFETCH(int, role);
    QFETCH(QString, light);
    QFETCH(QString, dark);

    ThemeManager* manager = makeManager();
    for (const QString& mode : {QStringLiteral("light"), QStringLiteral("dark")}) {
        manager->setMode(mode);
        const QColor expected(mode == QLatin1String("dark") ? dark : light);
        const QPalette palette = qApp->palette();
        const QList<QPalette::ColorGroup> groups =
            group == QPalette::All
                ? QList<QPalette::ColorGroup>{QPalette::Active, QPalette::Inactive}
                : QList<QPalette::ColorGroup>{QPalette::ColorGroup(group)};
        for (QPalette::ColorGroup colorGroup : groups) {
            QCOMPARE(palette.color(colorGroup, QPalette::ColorRole(role)), expected);
            QCOMPARE(palette.brush(colorGroup, QPalette::ColorRole(role)).style(),
                     Qt::SolidPattern);
        }
        QCOMPARE(ThemeManager::buildPalette().color(groups.constFirst(), QPalette::ColorRole(role)),
                 expected);
    }
}

void TestThemeManager::styleAndStylesheetInstalled()
{
    qputenv("CALENDAR_COLOR_SCHEME", "dark");
    ThemeManager* manager = makeManager();
    manager->load();
    // The stylesheet wraps the application style, so the style is found among the
    // application's children; every later apply keeps that one instance.
    const QList<CalendarProxyStyle*> styles = qApp->findChildren<CalendarProxyStyle*>();
    QCOMPARE(styles.size(), 1);
    QCOMPARE(QApplication::style()->pixelMetric(QStyle::PM_IndicatorWidth), 18);
    QCOMPARE(qApp->styleSheet(), Theme::stylesheet());
    QVERIFY(qApp->styleSheet().contains(QLatin1String("background: #14161b")));
    manager->apply(QStringLiteral("light"));
    manager->setMode(QStringLiteral("dark"));
    delete m_manager;
    m_manager = nullptr;
    makeManager()->load();
    QCOMPARE(qApp->findChildren<CalendarProxyStyle*>(), styles);
}

QTEST_MAIN(TestThemeManager)
#include "tst_thememanager.moc"

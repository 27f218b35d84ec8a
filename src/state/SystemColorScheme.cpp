#include "SystemColorScheme.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QEvent>
#include <QPalette>
#include <QTimer>

namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString settingsInterface = QStringLiteral("org.freedesktop.portal.Settings");
const QString appearanceGroup = QStringLiteral("org.freedesktop.appearance");
const QString colorSchemeKey = QStringLiteral("color-scheme");

constexpr uint portalPrefersDark = 1;
constexpr uint portalPrefersLight = 2;

// Set while the palette is swapped to read the platform's own; the change events that causes
// are ours, not the desktop's.
bool probingPalette = false;

std::optional<bool> overrideIsDark()
{
    const QString value = qEnvironmentVariable("CALENDAR_COLOR_SCHEME");
    if (value == QLatin1String("dark"))
        return true;
    if (value == QLatin1String("light"))
        return false;
    return std::nullopt;
}

// The portal wraps the value in one variant (ReadOne, signals) or two (Read); unwrap them all.
std::optional<uint> colorSchemeValue(QVariant value)
{
    for (int depth = 0; depth < 4 && value.canConvert<QDBusVariant>(); ++depth)
        value = value.value<QDBusVariant>().variant();
    bool ok = false;
    const uint number = value.toUInt(&ok);
    return ok ? std::optional<uint>(number) : std::nullopt;
}

QDBusMessage readColorSchemeMessage()
{
    QDBusMessage message = QDBusMessage::createMethodCall(
        portalService, portalPath, settingsInterface, QStringLiteral("Read"));
    message << appearanceGroup << colorSchemeKey;
    return message;
}

} // namespace

SystemColorScheme::SystemColorScheme(QObject* parent) : QObject(parent)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected()) {
        bus.connect(portalService, portalPath, settingsInterface, QStringLiteral("SettingChanged"),
                    this, SLOT(onPortalSettingChanged(QString, QString, QDBusVariant)));
        queryPortal();
    }
    m_paletteDark = platformPaletteIsDark();
    if (qApp)
        qApp->installEventFilter(this);
    m_dark = decide();
}

bool SystemColorScheme::isDark() const
{
    return m_dark;
}

void SystemColorScheme::queryPortal()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    const QDBusMessage reply = bus.call(readColorSchemeMessage(), QDBus::Block, portalTimeoutMs);
    if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()) {
        m_portalValue = colorSchemeValue(reply.arguments().constFirst());
        return;
    }
    // A portal that is still starting (the program autostarts with the session) answers late;
    // ask once more without blocking and take the answer when it comes.
    if (reply.type() == QDBusMessage::ErrorMessage &&
        reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.NoReply")) {
        auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(readColorSchemeMessage()), this);
        connect(watcher, &QDBusPendingCallWatcher::finished, this,
                &SystemColorScheme::onPortalReply);
    }
}

void SystemColorScheme::onPortalReply(QDBusPendingCallWatcher* watcher)
{
    watcher->deleteLater();
    const QDBusMessage reply = watcher->reply();
    if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty())
        setPortalValue(colorSchemeValue(reply.arguments().constFirst()));
}

void SystemColorScheme::onPortalSettingChanged(const QString& group, const QString& key,
                                               const QDBusVariant& value)
{
    if (group == appearanceGroup && key == colorSchemeKey)
        setPortalValue(colorSchemeValue(value.variant()));
}

void SystemColorScheme::setPortalValue(std::optional<uint> value)
{
    m_portalValue = value;
    update();
}

bool SystemColorScheme::paletteLayerDecides() const
{
    return !overrideIsDark() && m_portalValue != portalPrefersDark &&
           m_portalValue != portalPrefersLight;
}

bool SystemColorScheme::eventFilter(QObject* watched, QEvent* event)
{
    // The platform announces a new palette with a theme change to its windows and, when the
    // application's palette changes with it, a palette change to the application. Our own
    // palette writes cause the latter too; the recheck below finds nothing new for them.
    const bool platformChange =
        event->type() == QEvent::ThemeChange ||
        (watched == qApp && event->type() == QEvent::ApplicationPaletteChange);
    if (platformChange && !probingPalette && !m_recheckQueued && paletteLayerDecides()) {
        m_recheckQueued = true;
        QTimer::singleShot(0, this, &SystemColorScheme::recheckPalette);
    }
    return QObject::eventFilter(watched, event);
}

void SystemColorScheme::recheckPalette()
{
    m_recheckQueued = false;
    m_paletteDark = platformPaletteIsDark();
    update();
}

bool SystemColorScheme::decide() const
{
    if (const std::optional<bool> forced = overrideIsDark())
        return *forced;
    if (m_portalValue == portalPrefersDark || m_portalValue == portalPrefersLight)
        return *m_portalValue == portalPrefersDark;
    return m_paletteDark;
}

void SystemColorScheme::update()
{
    const bool dark = decide();
    if (dark == m_dark)
        return;
    m_dark = dark;
    Q_EMIT changed();
}

bool SystemColorScheme::platformPaletteIsDark()
{
    if (!qGuiApp)
        return false;
    const QPalette current = QGuiApplication::palette();
    if (current.resolveMask() == 0)
        return current.color(QPalette::Window).lightness() < 128;
    // The theme has set its own palette; a palette that resolves nothing itself shows the
    // platform's, and the theme's palette goes back at once.
    probingPalette = true;
    QPalette unresolved = current;
    unresolved.setResolveMask(0);
    QGuiApplication::setPalette(unresolved);
    const bool dark = QGuiApplication::palette().color(QPalette::Window).lightness() < 128;
    QGuiApplication::setPalette(current);
    probingPalette = false;
    return dark;
}

#include "Platform.h"

#include "DataDirectory.h"
#include "Limits.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringList>

#include <optional>

#ifndef CALENDAR_BUILTIN_OAUTH_CLIENT_ID
#define CALENDAR_BUILTIN_OAUTH_CLIENT_ID ""
#endif
#ifndef CALENDAR_BUILTIN_OAUTH_CLIENT_SECRET
#define CALENDAR_BUILTIN_OAUTH_CLIENT_SECRET ""
#endif

namespace Platform {

namespace {

const QString productId = QStringLiteral("com.orvandellic.calendar");
const QString calendarMimeType = QStringLiteral("text/calendar");
const QString desktopEntryGroup = QStringLiteral("Desktop Entry");
const QString defaultsGroup = QStringLiteral("Default Applications");
const QString removedGroup = QStringLiteral("Removed Associations");

QString environment(const char* name)
{
    return qEnvironmentVariable(name);
}

QString instanceName()
{
    return environment("CALENDAR_INSTANCE");
}

std::optional<QString> readSmallTextFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.read(Limits::maxDesktopFileBytes + 1);
    if (bytes.size() > Limits::maxDesktopFileBytes)
        return std::nullopt;
    return QString::fromUtf8(bytes);
}

bool writeTextFileAtomically(const QString& path, const QString& text)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = text.toUtf8();
    if (file.write(bytes) != bytes.size())
        return false;
    return file.commit();
}

bool isGroupHeader(QStringView trimmed)
{
    return trimmed.startsWith(QLatin1Char('[')) && trimmed.endsWith(QLatin1Char(']'));
}

// The value of `key` in group `group` of a desktop-entry style text (the format of .desktop
// files and mimeapps.list), or nothing when the key is absent.
std::optional<QString> iniValue(const QString& text, const QString& group, const QString& key)
{
    bool inGroup = false;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#')))
            continue;
        if (isGroupHeader(trimmed)) {
            inGroup = trimmed.mid(1, trimmed.size() - 2) == group;
            continue;
        }
        if (!inGroup)
            continue;
        const qsizetype equals = trimmed.indexOf(QLatin1Char('='));
        if (equals > 0 && trimmed.left(equals).trimmed() == key)
            return trimmed.mid(equals + 1).trimmed();
    }
    return std::nullopt;
}

QStringList desktopIdList(const QString& value)
{
    QStringList ids;
    const QStringList parts = value.split(QLatin1Char(';'));
    for (const QString& part : parts) {
        const QString id = part.trimmed();
        if (!id.isEmpty())
            ids.append(id);
    }
    return ids;
}

// One argument of an Exec line, quoted as the desktop entry format asks: the whole argument in
// double quotes, with `"`, backtick, `$` and backslash escaped by a backslash, and `%` doubled
// because a lone one would start a field code.
QString quotedExecArgument(const QString& argument)
{
    QString quoted = QStringLiteral("\"");
    for (const QChar ch : argument) {
        if (ch == QLatin1Char('"') || ch == QLatin1Char('`') || ch == QLatin1Char('$') ||
            ch == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        if (ch == QLatin1Char('%'))
            quoted += QLatin1Char('%');
        quoted += ch;
    }
    quoted += QLatin1Char('"');
    return quoted;
}

// A value written into a desktop entry: backslash and control characters use the format's
// escapes, so the line stays one line and the quoting above survives the file reader.
QString escapedValue(const QString& value)
{
    QString escaped;
    escaped.reserve(value.size());
    for (const QChar ch : value) {
        if (ch == QLatin1Char('\\'))
            escaped += QStringLiteral("\\\\");
        else if (ch == QLatin1Char('\n'))
            escaped += QStringLiteral("\\n");
        else if (ch == QLatin1Char('\t'))
            escaped += QStringLiteral("\\t");
        else if (ch == QLatin1Char('\r'))
            escaped += QStringLiteral("\\r");
        else
            escaped += ch;
    }
    return escaped;
}

QString runningExecutable()
{
    if (!QCoreApplication::instance())
        return {};
    return QCoreApplication::applicationFilePath();
}

QString configHome()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

QString dataHome()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

// The user's own mimeapps.list files in the order the lookup reads them: desktop-specific ones
// before the general one, the config location before the older data location.
QStringList userMimeAppsLists()
{
    QStringList desktops;
    const QStringList current = environment("XDG_CURRENT_DESKTOP").split(QLatin1Char(':'));
    for (const QString& desktop : current) {
        if (!desktop.trimmed().isEmpty())
            desktops.append(desktop.trimmed().toLower());
    }
    QStringList files;
    const QStringList folders{configHome(), dataHome() + QStringLiteral("/applications")};
    for (const QString& folder : folders) {
        for (const QString& desktop : desktops)
            files.append(folder + QLatin1Char('/') + desktop + QStringLiteral("-mimeapps.list"));
        files.append(folder + QStringLiteral("/mimeapps.list"));
    }
    return files;
}

enum class DefaultChoice { None, Ours, Other, Unreadable };

// What the user's mimeapps.list files say about the default handler of text/calendar. The first
// file that names a default decides, as in the lookup itself; a removal of our entry counts as a
// choice against it.
DefaultChoice userDefaultForCalendarFiles()
{
    const QString ours = icsDesktopFileName();
    const QStringList files = userMimeAppsLists();
    for (const QString& path : files) {
        if (!QFileInfo::exists(path))
            continue;
        const std::optional<QString> text = readSmallTextFile(path);
        if (!text)
            return DefaultChoice::Unreadable;
        const std::optional<QString> removed = iniValue(*text, removedGroup, calendarMimeType);
        if (removed && desktopIdList(*removed).contains(ours))
            return DefaultChoice::Other;
        const std::optional<QString> chosen = iniValue(*text, defaultsGroup, calendarMimeType);
        if (chosen && !desktopIdList(*chosen).isEmpty())
            return desktopIdList(*chosen).constFirst() == ours ? DefaultChoice::Ours
                                                               : DefaultChoice::Other;
    }
    return DefaultChoice::None;
}

// Adds "text/calendar=<our entry>" to the [Default Applications] group of the user's
// mimeapps.list, keeping every other line as it was.
bool makeOursTheDefault()
{
    const QString path = configHome() + QStringLiteral("/mimeapps.list");
    QString text;
    if (QFileInfo::exists(path)) {
        const std::optional<QString> existing = readSmallTextFile(path);
        if (!existing)
            return false;
        text = *existing;
    }
    const QString entry =
        calendarMimeType + QLatin1Char('=') + icsDesktopFileName() + QLatin1Char(';');
    QStringList lines = text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    qsizetype header = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines.at(i).trimmed() == QLatin1Char('[') + defaultsGroup + QLatin1Char(']')) {
            header = i;
            break;
        }
    }
    if (header >= 0) {
        // Only an empty value can be there (any other is a choice we keep); drop it so the new
        // line is the group's only one.
        for (qsizetype i = header + 1; i < lines.size() && !isGroupHeader(lines.at(i).trimmed());) {
            const QString line = lines.at(i).trimmed();
            const qsizetype equals = line.indexOf(QLatin1Char('='));
            if (equals > 0 && line.left(equals).trimmed() == calendarMimeType)
                lines.removeAt(i);
            else
                ++i;
        }
        lines.insert(header + 1, entry);
    } else {
        if (!lines.isEmpty() && !lines.constLast().trimmed().isEmpty())
            lines.append(QString());
        lines.append(QLatin1Char('[') + defaultsGroup + QLatin1Char(']'));
        lines.append(entry);
    }
    return writeTextFileAtomically(path, lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
}

} // namespace

QString dataDirectory()
{
    const QString directory = DataDirectory::path();
    QDir().mkpath(directory);
    return directory;
}

QString databasePath()
{
    return dataDirectory() + QStringLiteral("/calendar.db");
}

bool isDevInstance()
{
    return instanceName() == QLatin1String("dev");
}

QString applicationId()
{
    const QString instance = instanceName();
    return instance.isEmpty() ? productId : productId + QLatin1Char('.') + instance;
}

QString autostartValueName()
{
    const QString instance = instanceName();
    const QString base = QStringLiteral("OrvandellicCalendar");
    return instance.isEmpty() ? base : base + QLatin1Char('-') + instance;
}

QString autostartFilePath()
{
    return configHome() + QStringLiteral("/autostart/") + autostartValueName() +
           QStringLiteral(".desktop");
}

bool isAutostartEnabled()
{
    const std::optional<QString> text = readSmallTextFile(autostartFilePath());
    if (!text)
        return false;
    const std::optional<QString> exec = iniValue(*text, desktopEntryGroup, QStringLiteral("Exec"));
    // Desktops switch an entry off in place rather than deleting it: "Hidden" is the standard
    // key, GNOME's startup settings write their own.
    const std::optional<QString> hidden =
        iniValue(*text, desktopEntryGroup, QStringLiteral("Hidden"));
    const std::optional<QString> gnomeEnabled =
        iniValue(*text, desktopEntryGroup, QStringLiteral("X-GNOME-Autostart-enabled"));
    return exec && !exec->isEmpty() && hidden.value_or(QString()) != QLatin1String("true") &&
           gnomeEnabled.value_or(QString()) != QLatin1String("false");
}

QString autostartEntryText(const QString& executable)
{
    if (executable.isEmpty())
        return {};
    const QString exec = quotedExecArgument(executable) + QStringLiteral(" --background");
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Orvandellic Calendar\n"
                          "Comment=Start Orvandellic Calendar in the tray\n"
                          "Exec=%1\n"
                          "Terminal=false\n")
        .arg(escapedValue(exec));
}

bool setAutostartEnabled(bool enabled)
{
    const QString path = autostartFilePath();
    if (!enabled)
        return !QFileInfo::exists(path) || QFile::remove(path);
    const QString text = autostartEntryText(runningExecutable());
    return !text.isEmpty() && writeTextFileAtomically(path, text);
}

QString icsDesktopFileName()
{
    return productId + QStringLiteral(".ics.desktop");
}

QString icsDesktopFilePath()
{
    return dataHome() + QStringLiteral("/applications/") + icsDesktopFileName();
}

QString icsDesktopEntryText(const QString& executable)
{
    if (executable.isEmpty())
        return {};
    // The field code stays outside the quotes: the format forbids field codes inside a quoted
    // argument, and the launcher passes the path as one argument whatever it holds.
    const QString exec = quotedExecArgument(executable) + QStringLiteral(" --ics %f");
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Orvandellic Calendar\n"
                          "Comment=Orvandellic Calendar event file\n"
                          "Exec=%1\n"
                          "MimeType=text/calendar;\n"
                          "Terminal=false\n"
                          "NoDisplay=true\n")
        .arg(escapedValue(exec));
}

bool registerIcsFileAssociation()
{
    const QString text = icsDesktopEntryText(runningExecutable());
    if (text.isEmpty() || !writeTextFileAtomically(icsDesktopFilePath(), text))
        return false;
    switch (userDefaultForCalendarFiles()) {
    case DefaultChoice::None:
        return makeOursTheDefault();
    case DefaultChoice::Ours:
    case DefaultChoice::Other:
    case DefaultChoice::Unreadable:
        break;
    }
    return true;
}

QString defaultOAuthClientId()
{
    const QString configured = environment("CALENDAR_OAUTH_CLIENT_ID");
    return configured.isEmpty() ? QString::fromUtf8(CALENDAR_BUILTIN_OAUTH_CLIENT_ID) : configured;
}

QString defaultOAuthClientSecret()
{
    const QString configured = environment("CALENDAR_OAUTH_CLIENT_SECRET");
    return configured.isEmpty() ? QString::fromUtf8(CALENDAR_BUILTIN_OAUTH_CLIENT_SECRET)
                                : configured;
}

bool hasBuiltInClientCredentials()
{
    return !defaultOAuthClientId().isEmpty() && !defaultOAuthClientSecret().isEmpty();
}

bool hasBuiltInClientId()
{
    return !defaultOAuthClientId().isEmpty();
}

} // namespace Platform

#pragma once

#include <QString>

// The program's place on the machine: data directory, identity, autostart entry, `.ics`
// association and the build's OAuth client credentials. Free functions without state; every call
// reads the environment anew. Environment variables count as unset when empty and are UTF-8.
namespace Platform {

// DataDirectory::path(): CALENDAR_DATA_DIR when set, else "<generic data
// location>/Orvandellic/Calendar". The directory is created with its parents (a failure shows
// later, when the database cannot be opened). No trailing separator.
QString dataDirectory();

// dataDirectory() followed by "/calendar.db".
QString databasePath();

// True exactly when CALENDAR_INSTANCE is "dev" (case-sensitive).
bool isDevInstance();

// The product's stable reverse-domain id, plus "." and the instance name when CALENDAR_INSTANCE
// is set. It names the credential-store entries, so it must never change between versions.
QString applicationId();

// "OrvandellicCalendar", plus "-" and the instance name when CALENDAR_INSTANCE is set.
QString autostartValueName();

// This instance's XDG autostart entry: "<config location>/autostart/<value name>.desktop".
QString autostartFilePath();

// True when this instance's autostart entry exists with a non-empty Exec line and the desktop
// has not switched it off (Hidden=true, X-GNOME-Autostart-enabled=false).
bool isAutostartEnabled();

// Writes (enabled) or removes this instance's autostart entry; the entry starts the running
// executable with "--background". Returns false when the entry could not be written or removed.
bool setAutostartEnabled(bool enabled);

// The text of an autostart entry that starts `executable` with "--background"; empty when the
// path is empty.
QString autostartEntryText(const QString& executable);

// The desktop entry that opens `.ics` files: "<data location>/applications/<file name>". It
// carries no instance suffix: the instance that started last owns the association.
QString icsDesktopFileName();
QString icsDesktopFilePath();

// The text of the desktop entry that opens text/calendar files with `executable` "--ics <file>";
// empty when the path is empty.
QString icsDesktopEntryText(const QString& executable);

// Writes the `.ics` desktop entry for the running executable and makes it the default handler of
// text/calendar unless the user's mimeapps.list already names a default (or the user removed this
// entry there). Returns false when a file could not be written.
bool registerIcsFileAssociation();

// The built-in OAuth client id and Google client secret: the build's CALENDAR_OAUTH_CLIENT_ID
// and CALENDAR_OAUTH_CLIENT_SECRET, overridden by environment variables of the same names.
// Empty unless supplied.
QString defaultOAuthClientId();
QString defaultOAuthClientSecret();

// Client id and client secret are both non-empty (the Google sign-in needs both).
bool hasBuiltInClientCredentials();

// The client id is non-empty (the Microsoft sign-in needs no secret).
bool hasBuiltInClientId();

} // namespace Platform

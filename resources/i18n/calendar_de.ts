<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AccountFormDialog</name>
    <message>
        <source>Add Account</source>
        <translation>Konto hinzufügen</translation>
    </message>
    <message>
        <source>Where are your calendars?</source>
        <translation>Wo befinden sich Ihre Kalender?</translation>
    </message>
    <message>
        <source>Google and Microsoft accounts sign in through your web browser, so this program never sees their passwords.</source>
        <translation>Google- und Microsoft-Konten melden sich über Ihren Webbrowser an, daher sieht dieses Programm deren Passwörter nie.</translation>
    </message>
    <message>
        <source>Google</source>
        <translation>Google</translation>
    </message>
    <message>
        <source>Google Calendar, signed in through your browser.</source>
        <translation>Google Kalender, Anmeldung über Ihren Browser.</translation>
    </message>
    <message>
        <source>Microsoft</source>
        <translation>Microsoft</translation>
    </message>
    <message>
        <source>Outlook.com and Microsoft 365, signed in through your browser. Their calendars do not sync yet.</source>
        <translation>Outlook.com und Microsoft 365, Anmeldung über Ihren Browser. Deren Kalender werden noch nicht synchronisiert.</translation>
    </message>
    <message>
        <source>CalDAV Server</source>
        <translation>CalDAV-Server</translation>
    </message>
    <message>
        <source>Nextcloud, Synology, Radicale, iCloud and other servers, with a user name and password.</source>
        <translation>Nextcloud, Synology, Radicale, iCloud und andere Server, mit Benutzername und Passwort.</translation>
    </message>
    <message>
        <source>Edit Account</source>
        <translation>Konto bearbeiten</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source> min</source>
        <translation> Min.</translation>
    </message>
    <message>
        <source>Manual only</source>
        <translation>Nur manuell</translation>
    </message>
    <message>
        <source>Sync every:</source>
        <translation>Synchronisieren alle:</translation>
    </message>
    <message>
        <source>Address:</source>
        <translation>Adresse:</translation>
    </message>
    <message>
        <source>Not signed in</source>
        <translation>Nicht angemeldet</translation>
    </message>
    <message>
        <source>Signed in as %1</source>
        <translation>Angemeldet als %1</translation>
    </message>
    <message>
        <source>Sign-in:</source>
        <translation>Anmeldung:</translation>
    </message>
    <message>
        <source>Sign In Again…</source>
        <translation>Erneut anmelden…</translation>
    </message>
    <message>
        <source>No password saved</source>
        <translation>Kein Passwort gespeichert</translation>
    </message>
    <message>
        <source>Unchanged</source>
        <translation>Unverändert</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Passwort:</translation>
    </message>
    <message>
        <source>Certificate:</source>
        <translation>Zertifikat:</translation>
    </message>
    <message>
        <source>Check Connection</source>
        <translation>Verbindung prüfen</translation>
    </message>
    <message>
        <source>Connected: the server accepted the password.</source>
        <translation>Verbunden: Der Server hat das Passwort akzeptiert.</translation>
    </message>
    <message>
        <source>The account could not be saved.</source>
        <translation>Das Konto konnte nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>That sign-in is for %1, not for this account (%2). Sign in as %2, or add %1 as an account of its own.</source>
        <translation>Diese Anmeldung gilt für %1, nicht für dieses Konto (%2). Melden Sie sich als %2 an oder fügen Sie %1 als eigenes Konto hinzu.</translation>
    </message>
    <message>
        <source>%1 account</source>
        <translation>%1-Konto</translation>
    </message>
    <message>
        <source>Signed in, but the credential store did not take the new tokens; the account keeps its old sign-in.</source>
        <translation>Angemeldet, aber der Anmeldedatenspeicher hat die neuen Tokens nicht übernommen; das Konto behält seine bisherige Anmeldung.</translation>
    </message>
    <message>
        <source>Signed in, but the credential store did not take the tokens, so no account was added.</source>
        <translation>Angemeldet, aber der Anmeldedatenspeicher hat die Tokens nicht übernommen, daher wurde kein Konto hinzugefügt.</translation>
    </message>
    <message>
        <source>Signed in again as %1.</source>
        <translation>Erneut angemeldet als %1.</translation>
    </message>
    <message>
        <source>Checked by the system</source>
        <translation>Vom System geprüft</translation>
    </message>
    <message>
        <source>Pinned, SHA-256 %1</source>
        <translation>Fixiert, SHA-256 %1</translation>
    </message>
    <message>
        <source>Enter the password first.</source>
        <translation>Geben Sie zuerst das Passwort ein.</translation>
    </message>
    <message>
        <source>Connecting…</source>
        <translation>Verbindung wird hergestellt…</translation>
    </message>
    <message>
        <source>Please enter a name.</source>
        <translation>Bitte geben Sie einen Namen ein.</translation>
    </message>
    <message>
        <source>The password could not be stored in the credential store.</source>
        <translation>Das Passwort konnte nicht im Anmeldedatenspeicher gespeichert werden.</translation>
    </message>
    <message>
        <source>This account was removed meanwhile, so it cannot be saved.</source>
        <translation>Dieses Konto wurde inzwischen entfernt und kann daher nicht gespeichert werden.</translation>
    </message>
</context>
<context>
    <name>AgendaEventRow</name>
    <message>
        <source>All-day</source>
        <translation>Ganztägig</translation>
    </message>
    <message>
        <source>(Untitled)</source>
        <translation>(Ohne Titel)</translation>
    </message>
</context>
<context>
    <name>AgendaListWidget</name>
    <message>
        <source>No upcoming events</source>
        <translation>Keine anstehenden Termine</translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation>Bearbeiten…</translation>
    </message>
    <message>
        <source>Mark Incomplete</source>
        <translation>Als unerledigt markieren</translation>
    </message>
    <message>
        <source>Mark Complete</source>
        <translation>Als erledigt markieren</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Delete task?</source>
        <translation>Aufgabe löschen?</translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;? This cannot be undone.</source>
        <translation>„%1“ löschen? Dies kann nicht rückgängig gemacht werden.</translation>
    </message>
    <message>
        <source>Edit filter &quot;%1&quot;…</source>
        <translation>Filter „%1“ bearbeiten…</translation>
    </message>
    <message>
        <source>Create Filter from Event…</source>
        <translation>Filter aus Termin erstellen…</translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;? You can undo with %2.</source>
        <translation>„%1“ löschen? Sie können dies mit %2 rückgängig machen.</translation>
    </message>
    <message>
        <source>Delete event?</source>
        <translation>Termin löschen?</translation>
    </message>
</context>
<context>
    <name>AgendaTaskRow</name>
    <message>
        <source>(Untitled)</source>
        <translation>(Ohne Titel)</translation>
    </message>
    <message>
        <source>Overdue</source>
        <translation>Überfällig</translation>
    </message>
</context>
<context>
    <name>AllDayStrip</name>
    <message>
        <source>all-day</source>
        <translation>ganztägig</translation>
    </message>
    <message>
        <source>+%1 more</source>
        <translation>+%1 weitere</translation>
    </message>
</context>
<context>
    <name>Application</name>
    <message>
        <source>The file was left unchanged.</source>
        <translation>Die Datei wurde nicht verändert.</translation>
    </message>
    <message>
        <source>The calendar file %1 is not a database.</source>
        <translation>Die Kalenderdatei %1 ist keine Datenbank.</translation>
    </message>
    <message>
        <source>The calendar file %1 is damaged.</source>
        <translation>Die Kalenderdatei %1 ist beschädigt.</translation>
    </message>
    <message>
        <source>The calendar file %1 was made by a newer version of this program (schema %2; this version reads up to %3). Update the program to open it.</source>
        <translation>Die Kalenderdatei %1 wurde von einer neueren Version dieses Programms erstellt (Schema %2; diese Version liest bis %3). Aktualisieren Sie das Programm, um sie zu öffnen.</translation>
    </message>
    <message>
        <source>The calendar file %1 is read-only and was made by an older version of this program; it has to be updated before it can be opened. Make it writable and start again.</source>
        <translation>Die Kalenderdatei %1 ist schreibgeschützt und wurde von einer älteren Version dieses Programms erstellt; sie muss aktualisiert werden, bevor sie geöffnet werden kann. Machen Sie sie beschreibbar und starten Sie erneut.</translation>
    </message>
    <message>
        <source>Failed to initialize the database.

Data directory: %1

This is a file, not a folder. Move or rename the file, then start again.</source>
        <translation>Die Datenbank konnte nicht initialisiert werden.

Datenverzeichnis: %1

Dies ist eine Datei, kein Ordner. Verschieben oder benennen Sie die Datei um und starten Sie dann erneut.</translation>
    </message>
    <message>
        <source>Failed to initialize the database.

The calendar file %1 is a folder, not a database file. Move or rename the folder, then start again.</source>
        <translation>Die Datenbank konnte nicht initialisiert werden.

Die Kalenderdatei %1 ist ein Ordner, keine Datenbankdatei. Verschieben oder benennen Sie den Ordner um und starten Sie dann erneut.</translation>
    </message>
    <message>
        <source>Failed to initialize the database.

Data directory: %1

Please check file permissions and try again.</source>
        <translation>Die Datenbank konnte nicht initialisiert werden.

Datenverzeichnis: %1

Bitte prüfen Sie die Dateiberechtigungen und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>Database Error</source>
        <translation>Datenbankfehler</translation>
    </message>
    <message>
        <source>The data directory is in use by another running instance.

Data directory: %1</source>
        <translation>Das Datenverzeichnis wird von einer anderen laufenden Instanz verwendet.

Datenverzeichnis: %1</translation>
    </message>
    <message>
        <source>Read-Only Calendar</source>
        <translation>Schreibgeschützter Kalender</translation>
    </message>
    <message>
        <source>The calendar file %1 is read-only. The calendar is shown, but changes can&apos;t be saved until the file can be written.</source>
        <translation>Die Kalenderdatei %1 ist schreibgeschützt. Der Kalender wird angezeigt, aber Änderungen können erst gespeichert werden, wenn die Datei beschreibbar ist.</translation>
    </message>
    <message>
        <source>The command line is too long: at most %1 bytes can be handed to the calendar.
</source>
        <translation>Die Befehlszeile ist zu lang: Es können höchstens %1 Bytes an den Kalender übergeben werden.
</translation>
    </message>
    <message>
        <source>The calendar is running but does not answer; the command was not handed to it.
</source>
        <translation>Der Kalender läuft, antwortet aber nicht; der Befehl wurde nicht übergeben.
</translation>
    </message>
</context>
<context>
    <name>CalDavCertificateDialog</name>
    <message>
        <source>Untrusted Certificate</source>
        <translation>Nicht vertrauenswürdiges Zertifikat</translation>
    </message>
    <message>
        <source>The certificate of %1 is not trusted. Trust it only if the fingerprint matches the one your server administrator gave you.</source>
        <translation>Das Zertifikat von %1 ist nicht vertrauenswürdig. Vertrauen Sie ihm nur, wenn der Fingerabdruck mit dem übereinstimmt, den Ihnen Ihr Serveradministrator genannt hat.</translation>
    </message>
    <message>
        <source>Subject: %1
Issuer: %2
Valid: %3 to %4
SHA-256 fingerprint:
%5</source>
        <translation>Inhaber: %1
Aussteller: %2
Gültig: %3 bis %4
SHA-256-Fingerabdruck:
%5</translation>
    </message>
    <message>
        <source>Trust Certificate</source>
        <translation>Zertifikat vertrauen</translation>
    </message>
</context>
<context>
    <name>CalDavClient</name>
    <message>
        <source>The server&apos;s reply was larger than %1 MB.</source>
        <translation>Die Antwort des Servers war größer als %1 MB.</translation>
    </message>
    <message>
        <source>The server&apos;s reply did not end within %1 s.</source>
        <translation>Die Antwort des Servers endete nicht innerhalb von %1 s.</translation>
    </message>
    <message>
        <source>The server did not answer within %1 s.</source>
        <translation>Der Server hat nicht innerhalb von %1 s geantwortet.</translation>
    </message>
</context>
<context>
    <name>CalDavConnectionDialog</name>
    <message>
        <source>Add CalDAV Account</source>
        <translation>CalDAV-Konto hinzufügen</translation>
    </message>
    <message>
        <source>Connect any CalDAV server, such as Nextcloud, Synology, Radicale or iCloud (with an app-specific password).</source>
        <translation>Verbinden Sie einen beliebigen CalDAV-Server, etwa Nextcloud, Synology, Radicale oder iCloud (mit einem app-spezifischen Passwort).</translation>
    </message>
    <message>
        <source>Server:</source>
        <translation>Server:</translation>
    </message>
    <message>
        <source>User name:</source>
        <translation>Benutzername:</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Passwort:</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Verbinden</translation>
    </message>
    <message>
        <source>Enter the server&apos;s address, for example https://dav.example.com/.</source>
        <translation>Geben Sie die Adresse des Servers ein, zum Beispiel https://dav.example.com/.</translation>
    </message>
    <message>
        <source>Enter your user name and password.</source>
        <translation>Geben Sie Ihren Benutzernamen und Ihr Passwort ein.</translation>
    </message>
    <message>
        <source>This account has already been added.</source>
        <translation>Dieses Konto wurde bereits hinzugefügt.</translation>
    </message>
    <message>
        <source>Connecting…</source>
        <translation>Verbindung wird hergestellt…</translation>
    </message>
    <message>
        <source>The account could not be saved.</source>
        <translation>Das Konto konnte nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>The password could not be stored in the credential store.</source>
        <translation>Das Passwort konnte nicht im Anmeldedatenspeicher gespeichert werden.</translation>
    </message>
    <message>
        <source>The account&apos;s calendars could not be saved.</source>
        <translation>Die Kalender des Kontos konnten nicht gespeichert werden.</translation>
    </message>
</context>
<context>
    <name>CalDavDiscovery</name>
    <message>
        <source>Enter a CalDAV URL starting with http:// or https://</source>
        <translation>Geben Sie eine CalDAV-URL ein, die mit http:// oder https:// beginnt</translation>
    </message>
    <message>
        <source>Could not reach the server: %1</source>
        <translation>Der Server ist nicht erreichbar: %1</translation>
    </message>
    <message>
        <source>The server rejected the username or password.</source>
        <translation>Der Server hat den Benutzernamen oder das Passwort abgelehnt.</translation>
    </message>
    <message>
        <source>Server returned HTTP %1 during principal discovery.</source>
        <translation>Der Server hat bei der Suche nach dem Principal HTTP %1 zurückgegeben.</translation>
    </message>
    <message>
        <source>Lost connection during calendar-home-set discovery: %1</source>
        <translation>Verbindung bei der Suche nach dem Kalender-Stammverzeichnis (calendar-home-set) verloren: %1</translation>
    </message>
    <message>
        <source>Server returned HTTP %1 during home-set discovery.</source>
        <translation>Der Server hat bei der Suche nach dem Kalender-Stammverzeichnis HTTP %1 zurückgegeben.</translation>
    </message>
    <message>
        <source>Lost connection during calendar enumeration: %1</source>
        <translation>Verbindung beim Auflisten der Kalender verloren: %1</translation>
    </message>
    <message>
        <source>Server returned HTTP %1 during calendar enumeration.</source>
        <translation>Der Server hat beim Auflisten der Kalender HTTP %1 zurückgegeben.</translation>
    </message>
    <message>
        <source>No calendars found at the discovered home set.</source>
        <translation>Im gefundenen Kalender-Stammverzeichnis wurden keine Kalender gefunden.</translation>
    </message>
</context>
<context>
    <name>CalDavImport</name>
    <message numerus="yes">
        <source>%n calendar(s) were not added: the server lists more than %1.</source>
        <translation>
            <numerusform>%n Kalender wurde nicht hinzugefügt: Der Server listet mehr als %1 auf.</numerusform>
            <numerusform>%n Kalender wurden nicht hinzugefügt: Der Server listet mehr als %1 auf.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CalDavSyncClient</name>
    <message>
        <source>Network error: %1</source>
        <translation>Netzwerkfehler: %1</translation>
    </message>
    <message>
        <source>Push error: %1</source>
        <translation>Fehler beim Hochladen: %1</translation>
    </message>
    <message>
        <source>Server returned HTTP %1 pushing &quot;%2&quot;</source>
        <translation>Der Server hat beim Hochladen von „%2“ HTTP %1 zurückgegeben</translation>
    </message>
    <message>
        <source>The events read from the server could not be stored.</source>
        <translation>Die vom Server gelesenen Termine konnten nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>Network error during task pull: %1</source>
        <translation>Netzwerkfehler beim Abrufen der Aufgaben: %1</translation>
    </message>
    <message>
        <source>Task push error: %1</source>
        <translation>Fehler beim Hochladen der Aufgabe: %1</translation>
    </message>
    <message>
        <source>Server returned HTTP %1 pushing task &quot;%2&quot;</source>
        <translation>Der Server hat beim Hochladen der Aufgabe „%2“ HTTP %1 zurückgegeben</translation>
    </message>
    <message>
        <source>The tasks read from the server could not be stored.</source>
        <translation>Die vom Server gelesenen Aufgaben konnten nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>The server&apos;s listing was cut short or unreadable.</source>
        <translation>Die Auflistung des Servers war unvollständig oder nicht lesbar.</translation>
    </message>
    <message>
        <source>Server returned HTTP %1 during ctag check</source>
        <translation>Der Server hat bei der ctag-Prüfung HTTP %1 zurückgegeben</translation>
    </message>
    <message>
        <source>Server returned HTTP %1</source>
        <translation>Der Server hat HTTP %1 zurückgegeben</translation>
    </message>
    <message>
        <source>The calendar&apos;s sync state could not be stored.</source>
        <translation>Der Synchronisierungsstatus des Kalenders konnte nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>no reply</source>
        <translation>keine Antwort</translation>
    </message>
    <message>
        <source>The result of sending &quot;%1&quot; could not be stored.</source>
        <translation>Das Ergebnis des Sendens von „%1“ konnte nicht gespeichert werden.</translation>
    </message>
</context>
<context>
    <name>CalendarFormDialog</name>
    <message>
        <source>Add Calendar</source>
        <translation>Kalender hinzufügen</translation>
    </message>
    <message>
        <source>Add Calendar to %1</source>
        <translation>Kalender zu %1 hinzufügen</translation>
    </message>
    <message>
        <source>Edit Calendar</source>
        <translation>Kalender bearbeiten</translation>
    </message>
    <message>
        <source>Create a new calendar on the CalDAV server. The server must allow MKCALENDAR for your user; if it refuses, the calendar will not be created.</source>
        <translation>Erstellt einen neuen Kalender auf dem CalDAV-Server. Der Server muss MKCALENDAR für Ihren Benutzer erlauben; lehnt er ab, wird der Kalender nicht erstellt.</translation>
    </message>
    <message>
        <source>e.g. Personal, Work, Family</source>
        <translation>z. B. Persönlich, Arbeit, Familie</translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation>&amp;Name:</translation>
    </message>
    <message>
        <source>&amp;Color:</source>
        <translation>&amp;Farbe:</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Create</source>
        <translation>Erstellen</translation>
    </message>
    <message>
        <source>Pick a calendar color</source>
        <translation>Kalenderfarbe wählen</translation>
    </message>
    <message>
        <source>Name required</source>
        <translation>Name erforderlich</translation>
    </message>
    <message>
        <source>Please enter a name for the calendar.</source>
        <translation>Bitte geben Sie einen Namen für den Kalender ein.</translation>
    </message>
    <message>
        <source>Database Error</source>
        <translation>Datenbankfehler</translation>
    </message>
    <message>
        <source>Could not save the calendar.</source>
        <translation>Der Kalender konnte nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>Could not create the local account row.</source>
        <translation>Der lokale Kontoeintrag konnte nicht erstellt werden.</translation>
    </message>
    <message>
        <source>Missing password</source>
        <translation>Passwort fehlt</translation>
    </message>
    <message>
        <source>No saved password for this account. Enter it again under Calendar Accounts: select the account, then Edit…</source>
        <translation>Für dieses Konto ist kein Passwort gespeichert. Geben Sie es unter Kalenderkonten erneut ein: Wählen Sie das Konto aus, dann Bearbeiten…</translation>
    </message>
    <message>
        <source>Creating calendar on server…</source>
        <translation>Kalender wird auf dem Server erstellt…</translation>
    </message>
    <message>
        <source>Network error: %1</source>
        <translation>Netzwerkfehler: %1</translation>
    </message>
    <message>
        <source>Server refused (HTTP %1). Your account may not have permission to create calendars on this server.</source>
        <translation>Der Server hat abgelehnt (HTTP %1). Ihr Konto darf auf diesem Server möglicherweise keine Kalender erstellen.</translation>
    </message>
    <message>
        <source>Server returned success but the new calendar isn&apos;t reachable. This server may not support MKCALENDAR.</source>
        <translation>Der Server meldete Erfolg, aber der neue Kalender ist nicht erreichbar. Dieser Server unterstützt MKCALENDAR möglicherweise nicht.</translation>
    </message>
    <message>
        <source>Created on server, but couldn&apos;t save locally. Run sync to recover.</source>
        <translation>Auf dem Server erstellt, aber lokal nicht gespeichert. Synchronisieren Sie, um das zu beheben.</translation>
    </message>
    <message>
        <source>Account missing</source>
        <translation>Konto fehlt</translation>
    </message>
    <message>
        <source>Could not find the parent account.</source>
        <translation>Das übergeordnete Konto wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>Saving changes to server…</source>
        <translation>Änderungen werden auf dem Server gespeichert…</translation>
    </message>
    <message>
        <source>Server refused (HTTP %1). You may not have permission to rename or recolour this calendar.</source>
        <translation>Der Server hat abgelehnt (HTTP %1). Möglicherweise dürfen Sie diesen Kalender nicht umbenennen oder umfärben.</translation>
    </message>
    <message>
        <source>Saved on server, but couldn&apos;t update locally.</source>
        <translation>Auf dem Server gespeichert, aber lokal nicht aktualisiert.</translation>
    </message>
    <message>
        <source>Calendar removed</source>
        <translation>Kalender entfernt</translation>
    </message>
    <message>
        <source>This calendar was removed meanwhile, so it cannot be saved.</source>
        <translation>Dieser Kalender wurde inzwischen entfernt und kann daher nicht gespeichert werden.</translation>
    </message>
</context>
<context>
    <name>ChangedElsewhere</name>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>Kalender</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>Farbe</translation>
    </message>
    <message>
        <source>Times</source>
        <translation>Zeiten</translation>
    </message>
    <message>
        <source>Dates</source>
        <translation>Beginn und Fälligkeit</translation>
    </message>
    <message>
        <source>Repeat</source>
        <translation>Wiederholung</translation>
    </message>
    <message>
        <source>Reminders</source>
        <translation>Erinnerungen</translation>
    </message>
    <message>
        <source>Priority</source>
        <translation>Priorität</translation>
    </message>
    <message>
        <source>Completed</source>
        <translation>Erledigt</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Ort</translation>
    </message>
    <message>
        <source>Categories</source>
        <translation>Kategorien</translation>
    </message>
    <message>
        <source>Notes</source>
        <translation>Notizen</translation>
    </message>
    <message>
        <source>Attendees</source>
        <translation>Teilnehmer</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Your change to %1 replaced a change made elsewhere while the form was open.</source>
        <translation>Ihre Änderung an %1 hat eine Änderung ersetzt, die anderswo vorgenommen wurde, während das Formular geöffnet war.</translation>
    </message>
    <message>
        <source>Your changes to %1 replaced changes made elsewhere while the form was open.</source>
        <translation>Ihre Änderungen an %1 haben Änderungen ersetzt, die anderswo vorgenommen wurden, während das Formular geöffnet war.</translation>
    </message>
    <message>
        <source>Changed elsewhere</source>
        <translation>Anderswo geändert</translation>
    </message>
    <message>
        <source>Conditions</source>
        <translation>Bedingungen</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>Aktion</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>Aktiviert</translation>
    </message>
    <message>
        <source>Calendars</source>
        <translation>Kalender</translation>
    </message>
    <message>
        <source>Sync interval</source>
        <translation>Synchronisierungsintervall</translation>
    </message>
    <message>
        <source>Certificate</source>
        <translation>Zertifikat</translation>
    </message>
</context>
<context>
    <name>CommandPalette</name>
    <message>
        <source>Find an event or run a command — today, goto, view, new, resync…</source>
        <translation>Termin suchen oder Befehl ausführen — today, goto, view, new, resync…</translation>
    </message>
    <message>
        <source>today</source>
        <translation>today</translation>
    </message>
    <message>
        <source>Snap the calendar to today</source>
        <translation>Kalender auf heute setzen</translation>
    </message>
    <message>
        <source>goto YYYY-MM-DD</source>
        <translation>goto JJJJ-MM-TT</translation>
    </message>
    <message>
        <source>Jump to a specific date in Day view</source>
        <translation>Zu einem bestimmten Datum in der Tagesansicht springen</translation>
    </message>
    <message>
        <source>view &lt;mode|name&gt;</source>
        <translation>view &lt;Modus|Name&gt;</translation>
    </message>
    <message>
        <source>Switch view mode (day/week/grid/month/year) or active calendar group</source>
        <translation>Ansicht (day/week/grid/month/year) oder aktive Kalendergruppe wechseln</translation>
    </message>
    <message>
        <source>new &lt;event description&gt;</source>
        <translation>new &lt;Terminbeschreibung&gt;</translation>
    </message>
    <message>
        <source>Quick-add an event using the NL parser</source>
        <translation>Termin per Schnelleingabe in natürlicher Sprache anlegen</translation>
    </message>
    <message>
        <source>resync</source>
        <translation>resync</translation>
    </message>
    <message>
        <source>Pull + push every CalDAV calendar</source>
        <translation>Alle CalDAV-Kalender abrufen und hochladen</translation>
    </message>
    <message>
        <source>notifytest</source>
        <translation>notifytest</translation>
    </message>
    <message>
        <source>Fire a test tray notification (verifies the pipeline)</source>
        <translation>Test-Benachrichtigung im Infobereich auslösen (prüft die Zustellung)</translation>
    </message>
    <message>
        <source>Switch to Day view</source>
        <translation>Zur Tagesansicht wechseln</translation>
    </message>
    <message>
        <source>Switch to Week view (locale-bracketed 7 days)</source>
        <translation>Zur Wochenansicht wechseln (7 Tage gemäß Gebietsschema)</translation>
    </message>
    <message>
        <source>Switch to Days view (sliding window)</source>
        <translation>Zur Mehrtagesansicht wechseln (gleitendes Fenster)</translation>
    </message>
    <message>
        <source>Switch to Grid view</source>
        <translation>Zur Rasteransicht wechseln</translation>
    </message>
    <message>
        <source>Switch to Month view</source>
        <translation>Zur Monatsansicht wechseln</translation>
    </message>
    <message>
        <source>Switch to Year view</source>
        <translation>Zur Jahresansicht wechseln</translation>
    </message>
    <message>
        <source>Days view, 3-day sliding window</source>
        <translation>Mehrtagesansicht, 3-Tage-Fenster</translation>
    </message>
    <message>
        <source>Days view, 5-day sliding window</source>
        <translation>Mehrtagesansicht, 5-Tage-Fenster</translation>
    </message>
    <message>
        <source>Days view, 10-day medium-term horizon</source>
        <translation>Mehrtagesansicht, 10 Tage mittelfristig</translation>
    </message>
    <message>
        <source>Days view, 14-day fortnight horizon</source>
        <translation>Mehrtagesansicht, 14 Tage (zwei Wochen)</translation>
    </message>
    <message>
        <source>(Untitled)</source>
        <translation>(Ohne Titel)</translation>
    </message>
    <message>
        <source>all-day</source>
        <translation>ganztägig</translation>
    </message>
    <message>
        <source>Event: %1   —   %2 · %3</source>
        <translation>Termin: %1   —   %2 · %3</translation>
    </message>
</context>
<context>
    <name>DBusNotifier</name>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
</context>
<context>
    <name>DateTimePicker</name>
    <message>
        <source>%1 min</source>
        <translation>%1 Min.</translation>
    </message>
    <message>
        <source>%1 hr</source>
        <translation>%1 Std.</translation>
    </message>
    <message>
        <source>%1 hr %2 min</source>
        <translation>%1 Std. %2 Min.</translation>
    </message>
</context>
<context>
    <name>DayView</name>
    <message>
        <source>Deleted &quot;%1&quot;</source>
        <translation>„%1“ gelöscht</translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation>Bearbeiten…</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Delete event?</source>
        <translation>Termin löschen?</translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;? You can undo with %2.</source>
        <translation>„%1“ löschen? Sie können dies mit %2 rückgängig machen.</translation>
    </message>
    <message>
        <source>Moved &quot;%1&quot;</source>
        <translation>„%1“ verschoben</translation>
    </message>
    <message>
        <source>Resized &quot;%1&quot;</source>
        <translation>Dauer von „%1“ geändert</translation>
    </message>
    <message>
        <source>Could not save the change to &quot;%1&quot;.</source>
        <translation>Die Änderung an „%1“ konnte nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>Kalender</translation>
    </message>
    <message>
        <source>Edit filter &quot;%1&quot;…</source>
        <translation>Filter „%1“ bearbeiten…</translation>
    </message>
    <message>
        <source>Create Filter from Event…</source>
        <translation>Filter aus Termin erstellen…</translation>
    </message>
</context>
<context>
    <name>DetachedAgendaWindow</name>
    <message>
        <source>Agenda — Orvandellic Calendar</source>
        <translation>Agenda — Orvandellic Calendar</translation>
    </message>
</context>
<context>
    <name>DetachedTasksWindow</name>
    <message>
        <source>Tasks — Orvandellic Calendar</source>
        <translation>Aufgaben — Orvandellic Calendar</translation>
    </message>
</context>
<context>
    <name>EventChange</name>
    <message>
        <source>Could not save the change to &quot;%1&quot;.</source>
        <translation>Die Änderung an „%1“ konnte nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>Could not undo: &quot;%1&quot; no longer exists.</source>
        <translation>Rückgängig nicht möglich: „%1“ existiert nicht mehr.</translation>
    </message>
    <message>
        <source>Could not undo the change to &quot;%1&quot;.</source>
        <translation>Die Änderung an „%1“ konnte nicht rückgängig gemacht werden.</translation>
    </message>
    <message>
        <source>Could not delete &quot;%1&quot;.</source>
        <translation>„%1“ konnte nicht gelöscht werden.</translation>
    </message>
    <message>
        <source>Could not restore &quot;%1&quot;.</source>
        <translation>„%1“ konnte nicht wiederhergestellt werden.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; was deleted or moved to another calendar meanwhile, so nothing was changed.</source>
        <translation>„%1“ wurde inzwischen gelöscht oder in einen anderen Kalender verschoben, daher wurde nichts geändert.</translation>
    </message>
</context>
<context>
    <name>EventDetailsPopover</name>
    <message>
        <source>Edit…</source>
        <translation>Bearbeiten…</translation>
    </message>
    <message>
        <source>Duplicate</source>
        <translation>Duplizieren</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>(Untitled)</source>
        <translation>(Ohne Titel)</translation>
    </message>
    <message>
        <source>Unknown calendar</source>
        <translation>Unbekannter Kalender</translation>
    </message>
    <message>
        <source>Organizer: %1</source>
        <translation>Organisator: %1</translation>
    </message>
    <message>
        <source>All-day</source>
        <translation>Ganztägig</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>Termin</translation>
    </message>
    <message>
        <source>%1 (copy)</source>
        <translation>%1 (Kopie)</translation>
    </message>
    <message>
        <source>Duplicate failed</source>
        <translation>Duplizieren fehlgeschlagen</translation>
    </message>
    <message>
        <source>The copy of &quot;%1&quot; could not be saved.</source>
        <translation>Die Kopie von „%1“ konnte nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>Event change failed</source>
        <translation>Änderung des Termins fehlgeschlagen</translation>
    </message>
    <message>
        <source>Delete event?</source>
        <translation>Termin löschen?</translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;? You can undo with %2.</source>
        <translation>„%1“ löschen? Sie können dies mit %2 rückgängig machen.</translation>
    </message>
</context>
<context>
    <name>EventFormDialog</name>
    <message>
        <source>The clocks skip the time &quot;%1&quot; was set to on %2, so it begins at %3 and ends at %4.</source>
        <translation>Die Uhren überspringen die Zeit, auf die „%1“ am %2 gesetzt wurde; daher beginnt der Termin um %3 und endet um %4.</translation>
    </message>
    <message>
        <source>The clocks skip the time &quot;%1&quot; was set to on %2, so it begins at %3 and ends at %4 that day, and repeats at %3.</source>
        <translation>Die Uhren überspringen die Zeit, auf die „%1“ am %2 gesetzt wurde; daher beginnt der Termin an diesem Tag um %3, endet um %4 und wiederholt sich um %3.</translation>
    </message>
    <message>
        <source>Invalid time</source>
        <translation>Ungültige Zeit</translation>
    </message>
    <message>
        <source>The start or the end is not a time on this computer&apos;s clock.</source>
        <translation>Beginn oder Ende ist keine Zeit, die die Uhr dieses Computers anzeigt.</translation>
    </message>
    <message>
        <source>Going</source>
        <translation>Zugesagt</translation>
    </message>
    <message>
        <source>Declined</source>
        <translation>Abgelehnt</translation>
    </message>
    <message>
        <source>Maybe</source>
        <translation>Vielleicht</translation>
    </message>
    <message>
        <source>Delegated</source>
        <translation>Delegiert</translation>
    </message>
    <message>
        <source>No response</source>
        <translation>Keine Antwort</translation>
    </message>
    <message>
        <source>+ Add attendee</source>
        <translation>+ Teilnehmer hinzufügen</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>name@example.com</source>
        <translation>name@example.com</translation>
    </message>
    <message>
        <source>Could not save the event: the calendar file is read-only.</source>
        <translation>Der Termin konnte nicht gespeichert werden: Die Kalenderdatei ist schreibgeschützt.</translation>
    </message>
    <message>
        <source>Could not save the event.</source>
        <translation>Der Termin konnte nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>Edit Event</source>
        <translation>Termin bearbeiten</translation>
    </message>
    <message>
        <source>New Event</source>
        <translation>Neuer Termin</translation>
    </message>
    <message>
        <source>Edit event</source>
        <translation>Termin bearbeiten</translation>
    </message>
    <message>
        <source>New event</source>
        <translation>Neuer Termin</translation>
    </message>
    <message>
        <source>From template…</source>
        <translation>Aus Vorlage…</translation>
    </message>
    <message>
        <source>Update the details below and save to apply.</source>
        <translation>Ändern Sie die Angaben unten und speichern Sie, um sie zu übernehmen.</translation>
    </message>
    <message>
        <source>Fill in the basics. Start time and calendar are required.</source>
        <translation>Füllen Sie die Grunddaten aus. Beginn und Kalender sind erforderlich.</translation>
    </message>
    <message>
        <source>Lunch with Maria, Sprint planning…</source>
        <translation>Mittagessen mit Maria, Sprintplanung…</translation>
    </message>
    <message>
        <source>&amp;Title</source>
        <translation>&amp;Titel</translation>
    </message>
    <message>
        <source>&amp;Calendar</source>
        <translation>&amp;Kalender</translation>
    </message>
    <message>
        <source>Use calendar color</source>
        <translation>Kalenderfarbe verwenden</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>Farbe</translation>
    </message>
    <message>
        <source>&amp;Starts</source>
        <translation>&amp;Beginn</translation>
    </message>
    <message>
        <source>&amp;Ends</source>
        <translation>&amp;Ende</translation>
    </message>
    <message>
        <source>All day</source>
        <translation>Ganztägig</translation>
    </message>
    <message>
        <source>&amp;Repeats</source>
        <translation>&amp;Wiederholung</translation>
    </message>
    <message>
        <source>Re&amp;minders</source>
        <translation>&amp;Erinnerungen</translation>
    </message>
    <message>
        <source>Address, room, or video link</source>
        <translation>Adresse, Raum oder Videolink</translation>
    </message>
    <message>
        <source>&amp;Location</source>
        <translation>&amp;Ort</translation>
    </message>
    <message>
        <source>Notes, agenda, links…</source>
        <translation>Notizen, Tagesordnung, Links…</translation>
    </message>
    <message>
        <source>&amp;Notes</source>
        <translation>&amp;Notizen</translation>
    </message>
    <message>
        <source>Attendees</source>
        <translation>Teilnehmer</translation>
    </message>
    <message>
        <source>Save changes</source>
        <translation>Änderungen speichern</translation>
    </message>
    <message>
        <source>Create event</source>
        <translation>Termin erstellen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>An import is writing to the calendar. This form saves as soon as it ends.</source>
        <translation>Ein Import schreibt gerade in den Kalender. Dieses Formular wird gespeichert, sobald er abgeschlossen ist.</translation>
    </message>
    <message>
        <source>This event belongs to a read-only calendar. It can be viewed but not changed.</source>
        <translation>Dieser Termin gehört zu einem schreibgeschützten Kalender. Er kann angezeigt, aber nicht geändert werden.</translation>
    </message>
    <message>
        <source>Inheriting calendar color (%1). Click to override.</source>
        <translation>Kalenderfarbe wird übernommen (%1). Zum Überschreiben klicken.</translation>
    </message>
    <message>
        <source>Custom color (%1). Click to change.</source>
        <translation>Eigene Farbe (%1). Zum Ändern klicken.</translation>
    </message>
    <message>
        <source>Event color</source>
        <translation>Terminfarbe</translation>
    </message>
    <message>
        <source>Does not repeat</source>
        <translation>Keine Wiederholung</translation>
    </message>
    <message>
        <source>No templates</source>
        <translation>Keine Vorlagen</translation>
    </message>
    <message>
        <source>You haven&apos;t created any event templates yet. Open Tools → Manage Templates to create one.</source>
        <translation>Sie haben noch keine Terminvorlagen erstellt. Öffnen Sie Extras → Vorlagen verwalten, um eine zu erstellen.</translation>
    </message>
    <message>
        <source>Title required</source>
        <translation>Titel erforderlich</translation>
    </message>
    <message>
        <source>Please enter a title for the event.</source>
        <translation>Bitte geben Sie einen Titel für den Termin ein.</translation>
    </message>
    <message>
        <source>No calendars</source>
        <translation>Keine Kalender</translation>
    </message>
    <message>
        <source>Create a calendar first.</source>
        <translation>Erstellen Sie zuerst einen Kalender.</translation>
    </message>
    <message>
        <source>End before start</source>
        <translation>Ende vor Beginn</translation>
    </message>
    <message>
        <source>The end time is earlier than the start time.</source>
        <translation>Das Ende liegt vor dem Beginn.</translation>
    </message>
    <message>
        <source>Read-only calendar</source>
        <translation>Schreibgeschützter Kalender</translation>
    </message>
    <message>
        <source>This event belongs to a read-only calendar and cannot be changed.</source>
        <translation>Dieser Termin gehört zu einem schreibgeschützten Kalender und kann nicht geändert werden.</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>Kalender</translation>
    </message>
    <message>
        <source>Database Error</source>
        <translation>Datenbankfehler</translation>
    </message>
    <message>
        <source>The repeat rule belongs to the series.</source>
        <translation>Die Wiederholungsregel gehört zur Serie.</translation>
    </message>
    <message>
        <source>Changed &quot;%1&quot;</source>
        <translation>„%1“ geändert</translation>
    </message>
    <message>
        <source>At time of event</source>
        <translation>Zum Zeitpunkt des Termins</translation>
    </message>
    <message>
        <source>5 minutes before</source>
        <translation>5 Minuten vorher</translation>
    </message>
    <message>
        <source>10 minutes before</source>
        <translation>10 Minuten vorher</translation>
    </message>
    <message>
        <source>15 minutes before</source>
        <translation>15 Minuten vorher</translation>
    </message>
    <message>
        <source>30 minutes before</source>
        <translation>30 Minuten vorher</translation>
    </message>
    <message>
        <source>1 hour before</source>
        <translation>1 Stunde vorher</translation>
    </message>
    <message>
        <source>2 hours before</source>
        <translation>2 Stunden vorher</translation>
    </message>
    <message>
        <source>1 day before</source>
        <translation>1 Tag vorher</translation>
    </message>
    <message>
        <source>2 days before</source>
        <translation>2 Tage vorher</translation>
    </message>
    <message>
        <source>1 week before</source>
        <translation>1 Woche vorher</translation>
    </message>
    <message numerus="yes">
        <source>%n minute(s) before</source>
        <translation>
            <numerusform>%n Minute vorher</numerusform>
            <numerusform>%n Minuten vorher</numerusform>
        </translation>
    </message>
    <message>
        <source>+ Add reminder</source>
        <translation>+ Erinnerung hinzufügen</translation>
    </message>
    <message numerus="yes">
        <source>%n day(s) before</source>
        <translation>
            <numerusform>%n Tag vorher</numerusform>
            <numerusform>%n Tage vorher</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n hour(s) before</source>
        <translation>
            <numerusform>%n Stunde vorher</numerusform>
            <numerusform>%n Stunden vorher</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>FilterFormDialog</name>
    <message>
        <source>(Untitled)</source>
        <translation>(Ohne Titel)</translation>
    </message>
    <message>
        <source>Edit Filter</source>
        <translation>Filter bearbeiten</translation>
    </message>
    <message>
        <source>Add Filter</source>
        <translation>Filter hinzufügen</translation>
    </message>
    <message>
        <source>Edit filter</source>
        <translation>Filter bearbeiten</translation>
    </message>
    <message>
        <source>New filter</source>
        <translation>Neuer Filter</translation>
    </message>
    <message>
        <source>Filters hide or dim events that match — they don&apos;t delete anything, and you can toggle the whole set off from the filters pill in the status bar.</source>
        <translation>Filter blenden passende Termine aus oder ab — sie löschen nichts, und Sie können alle Filter über die Filter-Schaltfläche in der Statusleiste ausschalten.</translation>
    </message>
    <message>
        <source>Hide standups, Dim birthdays…</source>
        <translation>Standups ausblenden, Geburtstage abblenden…</translation>
    </message>
    <message>
        <source>&amp;Name</source>
        <translation>&amp;Name</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <source>Hide completely</source>
        <translation>Vollständig ausblenden</translation>
    </message>
    <message>
        <source>Dim (still visible, faded)</source>
        <translation>Abblenden (weiterhin sichtbar, blass)</translation>
    </message>
    <message>
        <source>&amp;Action</source>
        <translation>&amp;Aktion</translation>
    </message>
    <message>
        <source>Suppress reminders for matched events</source>
        <translation>Erinnerungen für passende Termine unterdrücken</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>Aktiviert</translation>
    </message>
    <message>
        <source>Apply to calendars</source>
        <translation>Auf Kalender anwenden</translation>
    </message>
    <message>
        <source>Leave empty to apply to every calendar.</source>
        <translation>Leer lassen, um den Filter auf alle Kalender anzuwenden.</translation>
    </message>
    <message>
        <source>Save changes</source>
        <translation>Änderungen speichern</translation>
    </message>
    <message>
        <source>Create filter</source>
        <translation>Filter erstellen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Title contains</source>
        <translation>Titel enthält</translation>
    </message>
    <message>
        <source>e.g. standup, lunch, 1:1 — comma separated</source>
        <translation>z. B. Standup, Mittagessen, 1:1 — durch Kommas getrennt</translation>
    </message>
    <message>
        <source>Case sensitive</source>
        <translation>Groß-/Kleinschreibung beachten</translation>
    </message>
    <message>
        <source>Exact start time</source>
        <translation>Genaue Beginnzeit</translation>
    </message>
    <message>
        <source>Time range</source>
        <translation>Zeitraum</translation>
    </message>
    <message>
        <source>to</source>
        <translation>bis</translation>
    </message>
    <message>
        <source>Days of week (empty = every day)</source>
        <translation>Wochentage (leer = jeden Tag)</translation>
    </message>
    <message>
        <source>Recurring events only</source>
        <translation>Nur wiederkehrende Termine</translation>
    </message>
    <message>
        <source>Filtering this specific event:</source>
        <translation>Filter für diesen bestimmten Termin:</translation>
    </message>
    <message>
        <source>(Right-click an event and choose &quot;Create Filter from Event&quot; to create a specific-event filter.)</source>
        <translation>(Klicken Sie mit der rechten Maustaste auf einen Termin und wählen Sie „Filter aus Termin erstellen“, um einen Filter für einen bestimmten Termin zu erstellen.)</translation>
    </message>
    <message>
        <source>Matches every all-day event in the selected calendars.</source>
        <translation>Trifft auf alle ganztägigen Termine in den ausgewählten Kalendern zu.</translation>
    </message>
    <message>
        <source>Only recurring all-day events</source>
        <translation>Nur wiederkehrende ganztägige Termine</translation>
    </message>
    <message>
        <source>(Event no longer exists)</source>
        <translation>(Termin existiert nicht mehr)</translation>
    </message>
    <message>
        <source>(Untitled event)</source>
        <translation>(Termin ohne Titel)</translation>
    </message>
    <message>
        <source>No events in the next 30 days to preview against.</source>
        <translation>Keine Termine in den nächsten 30 Tagen für eine Vorschau.</translation>
    </message>
    <message numerus="yes">
        <source>Would hide %1 of %n event(s) in the next 30 days.</source>
        <translation>
            <numerusform>Würde %1 von %n Termin in den nächsten 30 Tagen ausblenden.</numerusform>
            <numerusform>Würde %1 von %n Terminen in den nächsten 30 Tagen ausblenden.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Would dim %1 of %n event(s) in the next 30 days.</source>
        <translation>
            <numerusform>Würde %1 von %n Termin in den nächsten 30 Tagen abblenden.</numerusform>
            <numerusform>Würde %1 von %n Terminen in den nächsten 30 Tagen abblenden.</numerusform>
        </translation>
    </message>
    <message>
        <source>e.g. %1</source>
        <translation>z. B. %1</translation>
    </message>
    <message>
        <source>Name required</source>
        <translation>Name erforderlich</translation>
    </message>
    <message>
        <source>Please enter a name for the filter.</source>
        <translation>Bitte geben Sie einen Namen für den Filter ein.</translation>
    </message>
    <message>
        <source>No patterns</source>
        <translation>Keine Muster</translation>
    </message>
    <message>
        <source>Add at least one phrase to &quot;Title contains&quot;.</source>
        <translation>Fügen Sie mindestens einen Begriff zu „Titel enthält“ hinzu.</translation>
    </message>
    <message>
        <source>No event selected</source>
        <translation>Kein Termin ausgewählt</translation>
    </message>
    <message>
        <source>Specific-event filters need to be created from an event&apos;s right-click menu — that&apos;s how the rule learns which event to match.</source>
        <translation>Filter für bestimmte Termine müssen über das Kontextmenü eines Termins erstellt werden — so erfährt die Regel, welcher Termin gemeint ist.</translation>
    </message>
    <message>
        <source>Database Error</source>
        <translation>Datenbankfehler</translation>
    </message>
    <message>
        <source>Could not save the filter.</source>
        <translation>Der Filter konnte nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>Filter removed</source>
        <translation>Filter entfernt</translation>
    </message>
    <message>
        <source>This filter was removed meanwhile, so it cannot be saved.</source>
        <translation>Dieser Filter wurde inzwischen entfernt und kann daher nicht gespeichert werden.</translation>
    </message>
</context>
<context>
    <name>Google::AuthService</name>
    <message>
        <source>Google OAuth credentials are not configured in this build. See .env.example.</source>
        <translation>Google-OAuth-Zugangsdaten sind in diesem Build nicht konfiguriert. Siehe .env.example.</translation>
    </message>
    <message>
        <source>Could not bind a local port for the Google sign-in callback: %1</source>
        <translation>Für die Rückmeldung der Google-Anmeldung konnte kein lokaler Port belegt werden: %1</translation>
    </message>
    <message>
        <source>Could not launch the system browser for Google sign-in.</source>
        <translation>Der Systembrowser für die Google-Anmeldung konnte nicht gestartet werden.</translation>
    </message>
    <message>
        <source>Sign-in cancelled.</source>
        <translation>Anmeldung abgebrochen.</translation>
    </message>
    <message>
        <source>Google denied the sign-in: %1</source>
        <translation>Google hat die Anmeldung verweigert: %1</translation>
    </message>
    <message>
        <source>Google did not return an authorization code.</source>
        <translation>Google hat keinen Autorisierungscode zurückgegeben.</translation>
    </message>
    <message>
        <source>Token exchange failed (HTTP %1): %2</source>
        <translation>Token-Austausch fehlgeschlagen (HTTP %1): %2</translation>
    </message>
    <message>
        <source>Google did not return an access token.</source>
        <translation>Google hat kein Zugriffstoken zurückgegeben.</translation>
    </message>
    <message>
        <source>Google did not return a refresh token. Try removing the app from your Google Account permissions and signing in again.</source>
        <translation>Google hat kein Aktualisierungstoken zurückgegeben. Entfernen Sie die App aus den Berechtigungen Ihres Google-Kontos und melden Sie sich erneut an.</translation>
    </message>
    <message>
        <source>Google&apos;s token service did not answer in time.</source>
        <translation>Der Token-Dienst von Google hat nicht rechtzeitig geantwortet.</translation>
    </message>
    <message>
        <source>Google OAuth credentials are not configured.</source>
        <translation>Google-OAuth-Zugangsdaten sind nicht konfiguriert.</translation>
    </message>
    <message>
        <source>Token refresh failed (HTTP %1): %2</source>
        <translation>Token-Aktualisierung fehlgeschlagen (HTTP %1): %2</translation>
    </message>
    <message>
        <source>Google&apos;s response had no access_token.</source>
        <translation>Die Antwort von Google enthielt kein access_token.</translation>
    </message>
</context>
<context>
    <name>Google::CalendarClient</name>
    <message>
        <source>the reply was larger than %1 MB</source>
        <translation>die Antwort war größer als %1 MB</translation>
    </message>
    <message>
        <source>the reply did not end within %1 s</source>
        <translation>die Antwort endete nicht innerhalb von %1 s</translation>
    </message>
    <message>
        <source>no answer within %1 s</source>
        <translation>keine Antwort innerhalb von %1 s</translation>
    </message>
    <message>
        <source>Google could not be reached: %1</source>
        <translation>Google ist nicht erreichbar: %1</translation>
    </message>
    <message>
        <source>No Google access token available.</source>
        <translation>Kein Google-Zugriffstoken verfügbar.</translation>
    </message>
    <message>
        <source>Google rejected calendarList.list (HTTP %1): %2</source>
        <translation>Google hat calendarList.list abgelehnt (HTTP %1): %2</translation>
    </message>
    <message>
        <source>Google sent a calendar list that is not JSON.</source>
        <translation>Google hat eine Kalenderliste gesendet, die kein JSON ist.</translation>
    </message>
    <message>
        <source>Google&apos;s calendar list does not end.</source>
        <translation>Die Kalenderliste von Google endet nicht.</translation>
    </message>
    <message>
        <source>Google rejected events.list (HTTP %1): %2</source>
        <translation>Google hat events.list abgelehnt (HTTP %1): %2</translation>
    </message>
    <message>
        <source>Google sent an event listing that is not JSON; nothing of it was stored.</source>
        <translation>Google hat eine Terminliste gesendet, die kein JSON ist; davon wurde nichts gespeichert.</translation>
    </message>
    <message>
        <source>Google named the same page of the event listing twice; nothing of it was stored.</source>
        <translation>Google hat dieselbe Seite der Terminliste zweimal geliefert; davon wurde nichts gespeichert.</translation>
    </message>
    <message numerus="yes">
        <source>Google&apos;s event listing went on past %n page(s); nothing of it was stored.</source>
        <translation>
            <numerusform>Die Terminliste von Google ging über %n Seite hinaus; davon wurde nichts gespeichert.</numerusform>
            <numerusform>Die Terminliste von Google ging über %n Seiten hinaus; davon wurde nichts gespeichert.</numerusform>
        </translation>
    </message>
    <message>
        <source>No Google access token.</source>
        <translation>Kein Google-Zugriffstoken.</translation>
    </message>
    <message>
        <source>Google rejected events.%1 (HTTP %2): %3</source>
        <translation>Google hat events.%1 abgelehnt (HTTP %2): %3</translation>
    </message>
    <message>
        <source>Google answered events.%1 with a reply that is not an event.</source>
        <translation>Google hat auf events.%1 mit einer Antwort reagiert, die kein Termin ist.</translation>
    </message>
    <message>
        <source>Google rejected events.delete (HTTP %1): %2</source>
        <translation>Google hat events.delete abgelehnt (HTTP %1): %2</translation>
    </message>
    <message>
        <source>The Google calendars could not be stored.</source>
        <translation>Die Google-Kalender konnten nicht gespeichert werden.</translation>
    </message>
    <message numerus="yes">
        <source>%n more calendar(s) were not added: Google lists more than %1.</source>
        <translation>
            <numerusform>%n weiterer Kalender wurde nicht hinzugefügt: Google listet mehr als %1 auf.</numerusform>
            <numerusform>%n weitere Kalender wurden nicht hinzugefügt: Google listet mehr als %1 auf.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Google::SyncClient</name>
    <message>
        <source>Parent account missing</source>
        <translation>Übergeordnetes Konto fehlt</translation>
    </message>
    <message>
        <source>No saved Google credentials. Sign in again.</source>
        <translation>Keine gespeicherten Google-Zugangsdaten. Melden Sie sich erneut an.</translation>
    </message>
    <message>
        <source>Google token refresh failed: %1</source>
        <translation>Aktualisierung des Google-Tokens fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>Google no longer accepts the saved sign-in. Sign in again.</source>
        <translation>Google akzeptiert die gespeicherte Anmeldung nicht mehr. Melden Sie sich erneut an.</translation>
    </message>
    <message>
        <source>Google refused the calendar&apos;s sync token again.</source>
        <translation>Google hat das Synchronisierungstoken des Kalenders erneut abgelehnt.</translation>
    </message>
    <message>
        <source>The Google events could not be stored.</source>
        <translation>Die Google-Termine konnten nicht gespeichert werden.</translation>
    </message>
    <message numerus="yes">
        <source>%n event(s) failed to save locally; will retry next sync.</source>
        <translation>
            <numerusform>%n Termin konnte lokal nicht gespeichert werden; neuer Versuch bei der nächsten Synchronisierung.</numerusform>
            <numerusform>%n Termine konnten lokal nicht gespeichert werden; neuer Versuch bei der nächsten Synchronisierung.</numerusform>
        </translation>
    </message>
    <message>
        <source>The Google event&apos;s new state could not be stored.</source>
        <translation>Der neue Zustand des Google-Termins konnte nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>Google&apos;s copy of &quot;%1&quot; could not be read: %2</source>
        <translation>Googles Kopie von „%1“ konnte nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be written to Google: %2</source>
        <translation>„%1“ konnte nicht zu Google geschrieben werden: %2</translation>
    </message>
</context>
<context>
    <name>IcsImportFlow</name>
    <message numerus="yes">
        <source>%n already present</source>
        <translation>
            <numerusform>%n bereits vorhanden</numerusform>
            <numerusform>%n bereits vorhanden</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n repeated in the file</source>
        <translation>
            <numerusform>%n in der Datei wiederholt</numerusform>
            <numerusform>%n in der Datei wiederholt</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n without UID or unreadable</source>
        <translation>
            <numerusform>%n ohne UID oder nicht lesbar</numerusform>
            <numerusform>%n ohne UID oder nicht lesbar</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n without start time</source>
        <translation>
            <numerusform>%n ohne Beginnzeit</numerusform>
            <numerusform>%n ohne Beginnzeit</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n task(s)</source>
        <translation>
            <numerusform>%n Aufgabe</numerusform>
            <numerusform>%n Aufgaben</numerusform>
        </translation>
    </message>
    <message>
        <source>Read-only calendar</source>
        <translation>Schreibgeschützter Kalender</translation>
    </message>
    <message>
        <source>The calendar file is read-only; &quot;%1&quot; was not imported.</source>
        <translation>Die Kalenderdatei ist schreibgeschützt; „%1“ wurde nicht importiert.</translation>
    </message>
    <message>
        <source>No calendars configured</source>
        <translation>Keine Kalender eingerichtet</translation>
    </message>
    <message>
        <source>Add a calendar first; then re-import &quot;%1&quot;.</source>
        <translation>Fügen Sie zuerst einen Kalender hinzu und importieren Sie „%1“ dann erneut.</translation>
    </message>
    <message>
        <source>No writable calendar</source>
        <translation>Kein beschreibbarer Kalender</translation>
    </message>
    <message>
        <source>Every calendar is read-only. Add a calendar you can edit; then re-import &quot;%1&quot;.</source>
        <translation>Alle Kalender sind schreibgeschützt. Fügen Sie einen bearbeitbaren Kalender hinzu und importieren Sie „%1“ dann erneut.</translation>
    </message>
    <message>
        <source>Reading &quot;%1&quot;…</source>
        <translation>„%1“ wird gelesen…</translation>
    </message>
    <message>
        <source>The import of %1 was cancelled.</source>
        <translation>Der Import von %1 wurde abgebrochen.</translation>
    </message>
    <message>
        <source>Couldn&apos;t open file</source>
        <translation>Datei konnte nicht geöffnet werden</translation>
    </message>
    <message>
        <source>No events found in &quot;%1&quot;.</source>
        <translation>Keine Termine in „%1“ gefunden.</translation>
    </message>
    <message>
        <source>Skipped: %1.</source>
        <translation>Übersprungen: %1.</translation>
    </message>
    <message>
        <source>Nothing to import</source>
        <translation>Nichts zu importieren</translation>
    </message>
    <message>
        <source>Imported 0 events into %1; skipped %2.</source>
        <translation>0 Termine in %1 importiert; %2 übersprungen.</translation>
    </message>
    <message>
        <source>Import events?</source>
        <translation>Termine importieren?</translation>
    </message>
    <message numerus="yes">
        <source>Import %n event(s) from &quot;%1&quot; into &quot;%2&quot;?</source>
        <translation>
            <numerusform>%n Termin aus „%1“ in „%2“ importieren?</numerusform>
            <numerusform>%n Termine aus „%1“ in „%2“ importieren?</numerusform>
        </translation>
    </message>
    <message>
        <source>Waiting for the sync to end before importing &quot;%1&quot;…</source>
        <translation>Warten auf das Ende der Synchronisierung, bevor „%1“ importiert wird…</translation>
    </message>
    <message>
        <source>Importing &quot;%1&quot;…</source>
        <translation>„%1“ wird importiert…</translation>
    </message>
    <message>
        <source>The import of %1 was cancelled; nothing was stored.</source>
        <translation>Der Import von %1 wurde abgebrochen; es wurde nichts gespeichert.</translation>
    </message>
    <message>
        <source>The events of %1 could not be imported.</source>
        <translation>Die Termine aus %1 konnten nicht importiert werden.</translation>
    </message>
    <message numerus="yes">
        <source>Imported %n event(s) into %1.</source>
        <translation>
            <numerusform>%n Termin in %1 importiert.</numerusform>
            <numerusform>%n Termine in %1 importiert.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Imported %n event(s) into %1; skipped %2.</source>
        <translation>
            <numerusform>%n Termin in %1 importiert; %2 übersprungen.</numerusform>
            <numerusform>%n Termine in %1 importiert; %2 übersprungen.</numerusform>
        </translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Importieren</translation>
    </message>
</context>
<context>
    <name>IcsImportJob</name>
    <message>
        <source>Couldn&apos;t open &quot;%1&quot; for reading.</source>
        <translation>„%1“ konnte nicht zum Lesen geöffnet werden.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a file that can be imported: only regular files are read.</source>
        <translation>„%1“ ist keine importierbare Datei: Nur reguläre Dateien werden gelesen.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is too large to import (more than %2 MB).</source>
        <translation>„%1“ ist zu groß für den Import (mehr als %2 MB).</translation>
    </message>
    <message>
        <source>The calendar store could not be read.</source>
        <translation>Der Kalenderspeicher konnte nicht gelesen werden.</translation>
    </message>
    <message>
        <source>The calendar store could not be written.</source>
        <translation>Der Kalenderspeicher konnte nicht beschrieben werden.</translation>
    </message>
    <message>
        <source>The events could not be stored.</source>
        <translation>Die Termine konnten nicht gespeichert werden.</translation>
    </message>
</context>
<context>
    <name>InvitationsDialog</name>
    <message>
        <source>Accepted</source>
        <translation>Angenommen</translation>
    </message>
    <message>
        <source>Declined</source>
        <translation>Abgelehnt</translation>
    </message>
    <message>
        <source>Maybe</source>
        <translation>Vielleicht</translation>
    </message>
    <message>
        <source>No answer</source>
        <translation>Keine Antwort</translation>
    </message>
    <message>
        <source>Invitations</source>
        <translation>Einladungen</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>Termin</translation>
    </message>
    <message>
        <source>When</source>
        <translation>Wann</translation>
    </message>
    <message>
        <source>Organizer</source>
        <translation>Organisator</translation>
    </message>
    <message>
        <source>Your answer</source>
        <translation>Ihre Antwort</translation>
    </message>
    <message>
        <source>Accept</source>
        <translation>Annehmen</translation>
    </message>
    <message>
        <source>Decline</source>
        <translation>Ablehnen</translation>
    </message>
    <message>
        <source>No invitations.</source>
        <translation>Keine Einladungen.</translation>
    </message>
    <message>
        <source>(No title)</source>
        <translation>(Kein Titel)</translation>
    </message>
    <message>
        <source>No invitations await your answer.</source>
        <translation>Keine Einladungen warten auf Ihre Antwort.</translation>
    </message>
    <message>
        <source>1 invitation awaits your answer.</source>
        <translation>1 Einladung wartet auf Ihre Antwort.</translation>
    </message>
    <message>
        <source>%1 invitations await your answer.</source>
        <translation>%1 Einladungen warten auf Ihre Antwort.</translation>
    </message>
    <message>
        <source>Your answer could not be saved.</source>
        <translation>Ihre Antwort konnte nicht gespeichert werden.</translation>
    </message>
</context>
<context>
    <name>KeyboardHelpDialog</name>
    <message>
        <source>Keyboard Shortcuts</source>
        <translation>Tastenkürzel</translation>
    </message>
    <message>
        <source>New event</source>
        <translation>Neuer Termin</translation>
    </message>
    <message>
        <source>New task</source>
        <translation>Neue Aufgabe</translation>
    </message>
    <message>
        <source>Quick add</source>
        <translation>Schnelleingabe</translation>
    </message>
    <message>
        <source>Find events</source>
        <translation>Termine suchen</translation>
    </message>
    <message>
        <source>Command palette</source>
        <translation>Befehlspalette</translation>
    </message>
    <message>
        <source>Sync now</source>
        <translation>Jetzt synchronisieren</translation>
    </message>
    <message>
        <source>Force full sync</source>
        <translation>Vollständige Synchronisierung erzwingen</translation>
    </message>
    <message>
        <source>Go to today</source>
        <translation>Zu heute springen</translation>
    </message>
    <message>
        <source>Next period</source>
        <translation>Nächster Zeitraum</translation>
    </message>
    <message>
        <source>Previous period</source>
        <translation>Vorheriger Zeitraum</translation>
    </message>
    <message>
        <source>One week later</source>
        <translation>Eine Woche vor</translation>
    </message>
    <message>
        <source>One week earlier</source>
        <translation>Eine Woche zurück</translation>
    </message>
    <message>
        <source>One month later</source>
        <translation>Einen Monat vor</translation>
    </message>
    <message>
        <source>One month earlier</source>
        <translation>Einen Monat zurück</translation>
    </message>
    <message>
        <source>Day view</source>
        <translation>Tagesansicht</translation>
    </message>
    <message>
        <source>Days view</source>
        <translation>Mehrtagesansicht</translation>
    </message>
    <message>
        <source>Week view</source>
        <translation>Wochenansicht</translation>
    </message>
    <message>
        <source>Grid view</source>
        <translation>Rasteransicht</translation>
    </message>
    <message>
        <source>Month view</source>
        <translation>Monatsansicht</translation>
    </message>
    <message>
        <source>Year view</source>
        <translation>Jahresansicht</translation>
    </message>
    <message>
        <source>Days view span: 3, 5, 7, 10 or 14 days (Ctrl+Shift+1 to Ctrl+Shift+5)</source>
        <translation>Zeitraum der Mehrtagesansicht: 3, 5, 7, 10 oder 14 Tage (Ctrl+Shift+1 bis Ctrl+Shift+5)</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Vorwärts</translation>
    </message>
    <message>
        <source>Calendar group 1 (Ctrl+1 to Ctrl+9)</source>
        <translation>Kalendergruppe 1 (Ctrl+1 bis Ctrl+9)</translation>
    </message>
    <message>
        <source>Next calendar group</source>
        <translation>Nächste Kalendergruppe</translation>
    </message>
    <message>
        <source>Previous calendar group</source>
        <translation>Vorherige Kalendergruppe</translation>
    </message>
    <message>
        <source>Show empty days in the agenda</source>
        <translation>Leere Tage in der Agenda anzeigen</translation>
    </message>
    <message>
        <source>Compact density</source>
        <translation>Kompakte Darstellung</translation>
    </message>
    <message>
        <source>Show or hide the tasks pane</source>
        <translation>Aufgabenbereich ein- oder ausblenden</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Keyboard shortcuts</source>
        <translation>Tastenkürzel</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Shortcut</source>
        <translation>Tastenkürzel</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>Aktion</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Event</source>
        <translation>Termin</translation>
    </message>
    <message numerus="yes">
        <source>Loaded %n sample row(s).</source>
        <translation>
            <numerusform>%n Beispieleintrag geladen.</numerusform>
            <numerusform>%n Beispieleinträge geladen.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Removed %n sample row(s).</source>
        <translation>
            <numerusform>%n Beispieleintrag entfernt.</numerusform>
            <numerusform>%n Beispieleinträge entfernt.</numerusform>
        </translation>
    </message>
    <message>
        <source>Orvandellic Calendar</source>
        <translation>Orvandellic Calendar</translation>
    </message>
    <message>
        <source>Your change is saved once the import ends.</source>
        <translation>Ihre Änderung wird gespeichert, sobald der Import abgeschlossen ist.</translation>
    </message>
    <message>
        <source>Added: %1</source>
        <translation>Hinzugefügt: %1</translation>
    </message>
    <message>
        <source>Quick-add couldn&apos;t save: &quot;%1&quot;</source>
        <translation>Schnelleingabe nicht gespeichert: „%1“</translation>
    </message>
    <message>
        <source>Signed in to Orvandellic</source>
        <translation>Bei Orvandellic angemeldet</translation>
    </message>
    <message>
        <source>Signed out of Orvandellic</source>
        <translation>Von Orvandellic abgemeldet</translation>
    </message>
    <message>
        <source>Undid: %1</source>
        <translation>Rückgängig: %1</translation>
    </message>
    <message>
        <source>No accounts configured</source>
        <translation>Keine Konten eingerichtet</translation>
    </message>
    <message>
        <source>Add a Orvandellic Calendar account to store calendars on this device, connect Google or Microsoft, or hook up any CalDAV server (Synology, Nextcloud, Radicale, iCloud).</source>
        <translation>Fügen Sie ein Orvandellic-Calendar-Konto hinzu, um Kalender auf diesem Gerät zu speichern, verbinden Sie Google oder Microsoft, oder binden Sie einen beliebigen CalDAV-Server an (Synology, Nextcloud, Radicale, iCloud).</translation>
    </message>
    <message>
        <source>  Add Account…</source>
        <translation>  Konto hinzufügen…</translation>
    </message>
    <message>
        <source>Orvandellic Account</source>
        <translation>Orvandellic-Konto</translation>
    </message>
    <message>
        <source>Test notification shown</source>
        <translation>Test-Benachrichtigung angezeigt</translation>
    </message>
    <message>
        <source>Test notification not shown: no notification service or tray icon is available</source>
        <translation>Test-Benachrichtigung nicht angezeigt: Kein Benachrichtigungsdienst und kein Infobereich-Symbol verfügbar</translation>
    </message>
    <message>
        <source>Quick-add ignored: no calendars configured.</source>
        <translation>Schnelleingabe ignoriert: Keine Kalender eingerichtet.</translation>
    </message>
    <message>
        <source>The calendar file is read-only; &quot;%1&quot; was not added.</source>
        <translation>Die Kalenderdatei ist schreibgeschützt; „%1“ wurde nicht hinzugefügt.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is added once the import ends.</source>
        <translation>„%1“ wird hinzugefügt, sobald der Import abgeschlossen ist.</translation>
    </message>
    <message>
        <source>Quick-add ignored: no calendar accepts new events (they are read-only or hold only tasks).</source>
        <translation>Schnelleingabe ignoriert: Kein Kalender nimmt neue Termine an (sie sind schreibgeschützt oder enthalten nur Aufgaben).</translation>
    </message>
    <message>
        <source>Quick-add couldn&apos;t parse: &quot;%1&quot;</source>
        <translation>Schnelleingabe nicht verstanden: „%1“</translation>
    </message>
    <message>
        <source>Import ICS file</source>
        <translation>ICS-Datei importieren</translation>
    </message>
    <message>
        <source>iCalendar files (*.ics);;All files (*)</source>
        <translation>iCalendar-Dateien (*.ics);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Calendar is still running in the system tray. Use File → Quit to exit, or turn off Preferences → Startup → Close to tray.</source>
        <translation>Der Kalender läuft weiter im Infobereich. Beenden Sie ihn über Datei → Beenden, oder schalten Sie Einstellungen → Start → In den Infobereich schließen aus.</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;New Event…</source>
        <translation>&amp;Neuer Termin…</translation>
    </message>
    <message>
        <source>New &amp;Task…</source>
        <translation>Neue &amp;Aufgabe…</translation>
    </message>
    <message>
        <source>Quick &amp;Add…</source>
        <translation>&amp;Schnelleingabe…</translation>
    </message>
    <message>
        <source>Type an event in plain English (&quot;lunch Thursday 1pm&quot;)</source>
        <translation>Geben Sie einen Termin in englischer Alltagssprache ein („lunch Thursday 1pm“)</translation>
    </message>
    <message>
        <source>Calendar &amp;Accounts…</source>
        <translation>Kalender&amp;konten…</translation>
    </message>
    <message>
        <source>&amp;Sync Now</source>
        <translation>&amp;Jetzt synchronisieren</translation>
    </message>
    <message>
        <source>Force F&amp;ull Sync…</source>
        <translation>&amp;Vollständige Synchronisierung erzwingen…</translation>
    </message>
    <message>
        <source>Re-pull every event from every account, ignoring sync tokens</source>
        <translation>Alle Termine aller Konten neu abrufen, ohne Synchronisierungstokens</translation>
    </message>
    <message>
        <source>&amp;Invitations…</source>
        <translation>Ein&amp;ladungen…</translation>
    </message>
    <message>
        <source>&amp;Import ICS File…</source>
        <translation>ICS-Datei &amp;importieren…</translation>
    </message>
    <message>
        <source>&amp;Export Agenda PDF…</source>
        <translation>Agenda als PDF e&amp;xportieren…</translation>
    </message>
    <message>
        <source>Orvandellic &amp;Account…</source>
        <translation>Orvandellic-&amp;Konto…</translation>
    </message>
    <message>
        <source>Sign in or sign up</source>
        <translation>Anmelden oder registrieren</translation>
    </message>
    <message>
        <source>Sign &amp;Out</source>
        <translation>Ab&amp;melden</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Preferences…</source>
        <translation>Ein&amp;stellungen…</translation>
    </message>
    <message>
        <source>&amp;Find Events…</source>
        <translation>Termine &amp;suchen…</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>Toggle &amp;Sidebar</source>
        <translation>&amp;Seitenleiste ein/aus</translation>
    </message>
    <message>
        <source>Show &amp;Empty Days in Agenda</source>
        <translation>&amp;Leere Tage in der Agenda anzeigen</translation>
    </message>
    <message>
        <source>&amp;Compact Density</source>
        <translation>&amp;Kompakte Darstellung</translation>
    </message>
    <message>
        <source>Toggle &amp;Tasks Pane</source>
        <translation>&amp;Aufgabenbereich ein/aus</translation>
    </message>
    <message>
        <source>&amp;Window</source>
        <translation>&amp;Fenster</translation>
    </message>
    <message>
        <source>Detached &amp;Agenda Window</source>
        <translation>Separates &amp;Agenda-Fenster</translation>
    </message>
    <message>
        <source>Detached &amp;Tasks Window</source>
        <translation>Separates A&amp;ufgaben-Fenster</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>E&amp;xtras</translation>
    </message>
    <message>
        <source>Add &amp;Filter…</source>
        <translation>&amp;Filter hinzufügen…</translation>
    </message>
    <message>
        <source>Add Calendar &amp;Group…</source>
        <translation>Kalender&amp;gruppe hinzufügen…</translation>
    </message>
    <message>
        <source>Manage Calendar Gr&amp;oups…</source>
        <translation>Kalendergruppen &amp;verwalten…</translation>
    </message>
    <message>
        <source>Manage Te&amp;mplates…</source>
        <translation>&amp;Vorlagen verwalten…</translation>
    </message>
    <message>
        <source>&amp;Weather…</source>
        <translation>&amp;Wetter…</translation>
    </message>
    <message>
        <source>&amp;Developer</source>
        <translation>E&amp;ntwickler</translation>
    </message>
    <message>
        <source>Load Sample &amp;Data</source>
        <translation>Beispiel&amp;daten laden</translation>
    </message>
    <message>
        <source>&amp;Clear Sample Data</source>
        <translation>Beispieldaten &amp;entfernen</translation>
    </message>
    <message>
        <source>Send Test &amp;Notification</source>
        <translation>Test-Be&amp;nachrichtigung senden</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Keyboard Shortcuts</source>
        <translation>&amp;Tastenkürzel</translation>
    </message>
    <message>
        <source>Fire a sample reminder toast to verify your desktop notification setup.</source>
        <translation>Eine Beispiel-Erinnerung auslösen, um die Desktop-Benachrichtigungen zu prüfen.</translation>
    </message>
    <message>
        <source>&amp;What&apos;s New</source>
        <translation>&amp;Was ist neu</translation>
    </message>
    <message>
        <source>Send &amp;Feedback…</source>
        <translation>&amp;Feedback senden…</translation>
    </message>
    <message>
        <source>Check for &amp;Updates…</source>
        <translation>Nach &amp;Updates suchen…</translation>
    </message>
    <message>
        <source>&amp;About Orvandellic Calendar</source>
        <translation>Ü&amp;ber Orvandellic Calendar</translation>
    </message>
    <message>
        <source>Manage your account</source>
        <translation>Ihr Konto verwalten</translation>
    </message>
    <message>
        <source>&amp;Invitations… (%1)</source>
        <translation>Ein&amp;ladungen… (%1)</translation>
    </message>
    <message>
        <source>About Orvandellic Calendar</source>
        <translation>Über Orvandellic Calendar</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Orvandellic Calendar&lt;/h3&gt;&lt;p&gt;Version %1&lt;/p&gt;&lt;p&gt;A CalDAV-first calendar with client-side filters and Views, the killer feature competitors don&apos;t have.&lt;/p&gt;&lt;p&gt;Made for people who keep several calendars in one place. Built with Qt %2.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Orvandellic Calendar&lt;/h3&gt;&lt;p&gt;Version %1&lt;/p&gt;&lt;p&gt;Ein CalDAV-orientierter Kalender mit clientseitigen Filtern und Ansichten – die Funktion, die der Konkurrenz fehlt.&lt;/p&gt;&lt;p&gt;Für alle, die mehrere Kalender an einem Ort führen. Erstellt mit Qt %2.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Clear sample data?</source>
        <translation>Beispieldaten entfernen?</translation>
    </message>
    <message>
        <source>Remove the sample calendars, events, and tasks? Your real data is untouched.</source>
        <translation>Die Beispielkalender, -termine und -aufgaben entfernen? Ihre echten Daten bleiben unberührt.</translation>
    </message>
    <message>
        <source>Manage filters</source>
        <translation>Filter verwalten</translation>
    </message>
    <message>
        <source>Password missing</source>
        <translation>Passwort fehlt</translation>
    </message>
    <message numerus="yes">
        <source>%n account(s) need sign-in</source>
        <translation>
            <numerusform>%n Konto erfordert Anmeldung</numerusform>
            <numerusform>%n Konten erfordern Anmeldung</numerusform>
        </translation>
    </message>
    <message>
        <source>Click to open Calendar Accounts and sign in.</source>
        <translation>Klicken, um die Kalenderkonten zu öffnen und sich anzumelden.</translation>
    </message>
    <message numerus="yes">
        <source>%n account(s) need password</source>
        <translation>
            <numerusform>%n Konto benötigt ein Passwort</numerusform>
            <numerusform>%n Konten benötigen ein Passwort</numerusform>
        </translation>
    </message>
    <message>
        <source>Click to open Calendar Accounts and re-enter the password.</source>
        <translation>Klicken, um die Kalenderkonten zu öffnen und das Passwort erneut einzugeben.</translation>
    </message>
    <message numerus="yes">
        <source>%n account(s) need attention</source>
        <translation>
            <numerusform>%n Konto erfordert Aufmerksamkeit</numerusform>
            <numerusform>%n Konten erfordern Aufmerksamkeit</numerusform>
        </translation>
    </message>
    <message>
        <source>Click to open Calendar Accounts and resolve the issues.</source>
        <translation>Klicken, um die Kalenderkonten zu öffnen und die Probleme zu beheben.</translation>
    </message>
    <message>
        <source>Disable all filters</source>
        <translation>Alle Filter deaktivieren</translation>
    </message>
    <message>
        <source>Enable all filters</source>
        <translation>Alle Filter aktivieren</translation>
    </message>
    <message>
        <source>Add Filter…</source>
        <translation>Filter hinzufügen…</translation>
    </message>
    <message>
        <source>Manage Filters…</source>
        <translation>Filter verwalten…</translation>
    </message>
    <message>
        <source>No filters</source>
        <translation>Keine Filter</translation>
    </message>
    <message numerus="yes">
        <source>%n filter(s) applied</source>
        <translation>
            <numerusform>%n Filter aktiv</numerusform>
            <numerusform>%n Filter aktiv</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n hidden</source>
        <translation>
            <numerusform>%n ausgeblendet</numerusform>
            <numerusform>%n ausgeblendet</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Synced %n event(s)</source>
        <translation>
            <numerusform>%n Termin synchronisiert</numerusform>
            <numerusform>%n Termine synchronisiert</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n event(s) without start left out</source>
        <translation>
            <numerusform>%n Termin ohne Beginn ausgelassen</numerusform>
            <numerusform>%n Termine ohne Beginn ausgelassen</numerusform>
        </translation>
    </message>
    <message>
        <source>This account&apos;s calendars do not sync in this version.</source>
        <translation>Die Kalender dieses Kontos werden in dieser Version nicht synchronisiert.</translation>
    </message>
    <message>
        <source>All caught up, nothing waiting to sync.</source>
        <translation>Alles aktuell, nichts wartet auf Synchronisierung.</translation>
    </message>
    <message numerus="yes">
        <source>Discovered %n new calendar(s).</source>
        <translation>
            <numerusform>%n neuer Kalender gefunden.</numerusform>
            <numerusform>%n neue Kalender gefunden.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Syncing %n account(s)…</source>
        <translation>
            <numerusform>%n Konto wird synchronisiert…</numerusform>
            <numerusform>%n Konten werden synchronisiert…</numerusform>
        </translation>
    </message>
    <message>
        <source>No sync accounts configured. Add one in Calendar Accounts.</source>
        <translation>Keine Konten zur Synchronisierung eingerichtet. Fügen Sie eines unter Kalenderkonten hinzu.</translation>
    </message>
    <message>
        <source>Re-fetch every event and task from every account, ignoring saved sync tokens. Useful when items look stale or out of date.

Any unsynced local edits will be discarded in favour of the server&apos;s copy. Pending deletions are preserved.

Heavy accounts may take a minute or two and use more bandwidth than usual.</source>
        <translation>Alle Termine und Aufgaben aller Konten neu abrufen, ohne gespeicherte Synchronisierungstokens. Nützlich, wenn Einträge veraltet wirken.

Nicht synchronisierte lokale Änderungen werden zugunsten der Kopie auf dem Server verworfen. Ausstehende Löschungen bleiben erhalten.

Bei umfangreichen Konten kann dies ein bis zwei Minuten dauern und mehr Datenvolumen als üblich verbrauchen.</translation>
    </message>
    <message>
        <source>Force full sync?</source>
        <translation>Vollständige Synchronisierung erzwingen?</translation>
    </message>
    <message>
        <source>The full sync starts once the import ends.</source>
        <translation>Die vollständige Synchronisierung beginnt, sobald der Import beendet ist.</translation>
    </message>
    <message numerus="yes">
        <source>Cleared %n calendar sync token(s), running full sync…</source>
        <translation>
            <numerusform>%n Synchronisierungstoken eines Kalenders gelöscht, vollständige Synchronisierung läuft…</numerusform>
            <numerusform>%n Synchronisierungstokens von Kalendern gelöscht, vollständige Synchronisierung läuft…</numerusform>
        </translation>
    </message>
    <message>
        <source>The sync did not finish in time.</source>
        <translation>Die Synchronisierung wurde nicht rechtzeitig abgeschlossen.</translation>
    </message>
    <message>
        <source>%1 (%2): %3</source>
        <translation>%1 (%2): %3</translation>
    </message>
</context>
<context>
    <name>ManageFiltersDialog</name>
    <message>
        <source>Manage Filters</source>
        <translation>Filter verwalten</translation>
    </message>
    <message>
        <source>dim</source>
        <translation>abblenden</translation>
    </message>
    <message>
        <source>hide</source>
        <translation>ausblenden</translation>
    </message>
    <message>
        <source>Delete Filter</source>
        <translation>Filter löschen</translation>
    </message>
    <message>
        <source>Delete the filter &quot;%1&quot;? The events it hides show again.</source>
        <translation>Den Filter „%1“ löschen? Die von ihm ausgeblendeten Termine werden wieder angezeigt.</translation>
    </message>
</context>
<context>
    <name>ManageListDialog</name>
    <message>
        <source>Add…</source>
        <translation>Hinzufügen…</translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation>Bearbeiten…</translation>
    </message>
    <message>
        <source>Delete…</source>
        <translation>Löschen…</translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation>Nach oben</translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation>Nach unten</translation>
    </message>
</context>
<context>
    <name>ManageSourcesDialog</name>
    <message>
        <source>Calendar Accounts</source>
        <translation>Kalenderkonten</translation>
    </message>
    <message>
        <source>Add Account…</source>
        <translation>Konto hinzufügen…</translation>
    </message>
    <message>
        <source>Add a Google, Microsoft or CalDAV account</source>
        <translation>Ein Google-, Microsoft- oder CalDAV-Konto hinzufügen</translation>
    </message>
    <message>
        <source>Add CalDAV Account…</source>
        <translation>CalDAV-Konto hinzufügen…</translation>
    </message>
    <message>
        <source>Subscribe to Calendar…</source>
        <translation>Kalender abonnieren…</translation>
    </message>
    <message>
        <source>Add Calendar on This Device…</source>
        <translation>Kalender auf diesem Gerät hinzufügen…</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <source>Add Calendar to Account…</source>
        <translation>Kalender zu Konto hinzufügen…</translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation>Bearbeiten…</translation>
    </message>
    <message>
        <source>Remove…</source>
        <translation>Entfernen…</translation>
    </message>
    <message>
        <source>Sync Now</source>
        <translation>Jetzt synchronisieren</translation>
    </message>
    <message>
        <source>Share…</source>
        <translation>Freigeben…</translation>
    </message>
    <message>
        <source>Read only</source>
        <translation>Schreibgeschützt</translation>
    </message>
    <message>
        <source>Share Calendar</source>
        <translation>Kalender freigeben</translation>
    </message>
    <message>
        <source>Members of your Orvandellic group you share this calendar with see and edit its events.</source>
        <translation>Mitglieder Ihrer Orvandellic-Gruppe, für die Sie diesen Kalender freigeben, sehen und bearbeiten seine Termine.</translation>
    </message>
    <message>
        <source>People with access</source>
        <translation>Personen mit Zugriff</translation>
    </message>
    <message>
        <source>Add people</source>
        <translation>Personen hinzufügen</translation>
    </message>
    <message>
        <source>Not shared with anyone yet.</source>
        <translation>Noch für niemanden freigegeben.</translation>
    </message>
    <message>
        <source>You are not in a group. Create or join one under File › Orvandellic Account… to share calendars.</source>
        <translation>Sie sind in keiner Gruppe. Erstellen Sie unter Datei › Orvandellic-Konto… eine Gruppe oder treten Sie einer bei, um Kalender freizugeben.</translation>
    </message>
    <message>
        <source>All group members already have access</source>
        <translation>Alle Gruppenmitglieder haben bereits Zugriff</translation>
    </message>
    <message>
        <source>Share</source>
        <translation>Freigeben</translation>
    </message>
    <message>
        <source>Remove access</source>
        <translation>Zugriff entfernen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Could not share</source>
        <translation>Freigabe nicht möglich</translation>
    </message>
    <message>
        <source>Could not remove access</source>
        <translation>Zugriff konnte nicht entfernt werden</translation>
    </message>
    <message>
        <source>Remove access?</source>
        <translation>Zugriff entfernen?</translation>
    </message>
    <message>
        <source>%1 will no longer have access. Continue?</source>
        <translation>%1 hat dann keinen Zugriff mehr. Fortfahren?</translation>
    </message>
    <message>
        <source>Sharing updated.</source>
        <translation>Freigabe aktualisiert.</translation>
    </message>
    <message>
        <source>Subscribe to Calendar</source>
        <translation>Kalender abonnieren</translation>
    </message>
    <message>
        <source>Address:</source>
        <translation>Adresse:</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Colour:</source>
        <translation>Farbe:</translation>
    </message>
    <message>
        <source>Enter a webcal, http or https address.</source>
        <translation>Geben Sie eine webcal-, http- oder https-Adresse ein.</translation>
    </message>
    <message>
        <source>Please enter a name.</source>
        <translation>Bitte geben Sie einen Namen ein.</translation>
    </message>
    <message>
        <source>The subscription could not be saved.</source>
        <translation>Das Abonnement konnte nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>Subscribed to &quot;%1&quot;. Its events arrive with the next sync.</source>
        <translation>„%1“ abonniert. Die Termine kommen mit der nächsten Synchronisierung.</translation>
    </message>
    <message>
        <source>Remove Calendar</source>
        <translation>Kalender entfernen</translation>
    </message>
    <message>
        <source>Remove the calendar &quot;%1&quot; with all its events and tasks from this computer?</source>
        <translation>Den Kalender „%1“ mit allen Terminen und Aufgaben von diesem Computer entfernen?</translation>
    </message>
    <message>
        <source>The calendar could not be removed.</source>
        <translation>Der Kalender konnte nicht entfernt werden.</translation>
    </message>
    <message>
        <source>Remove Account</source>
        <translation>Konto entfernen</translation>
    </message>
    <message>
        <source>Remove the account &quot;%1&quot; and its calendars with all their events and tasks from this computer?</source>
        <translation>Das Konto „%1“ und seine Kalender mit allen Terminen und Aufgaben von diesem Computer entfernen?</translation>
    </message>
    <message>
        <source>The account could not be removed.</source>
        <translation>Das Konto konnte nicht entfernt werden.</translation>
    </message>
    <message>
        <source>Syncing…</source>
        <translation>Wird synchronisiert…</translation>
    </message>
    <message>
        <source>Nothing to sync: no account is ready to sync.</source>
        <translation>Nichts zu synchronisieren: Kein Konto ist für die Synchronisierung bereit.</translation>
    </message>
    <message>
        <source>Sync failed.</source>
        <translation>Synchronisierung fehlgeschlagen.</translation>
    </message>
    <message>
        <source>Sync failed: %1</source>
        <translation>Synchronisierung fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>Sync finished.</source>
        <translation>Synchronisierung abgeschlossen.</translation>
    </message>
    <message>
        <source>Reading the account&apos;s calendars…</source>
        <translation>Kalender des Kontos werden gelesen…</translation>
    </message>
    <message>
        <source>The calendars could not be read: %1</source>
        <translation>Die Kalender konnten nicht gelesen werden: %1</translation>
    </message>
    <message numerus="yes">
        <source>%n calendar(s) added. Their events arrive with the sync that starts now.</source>
        <translation>
            <numerusform>%n Kalender hinzugefügt. Seine Termine kommen mit der jetzt startenden Synchronisierung.</numerusform>
            <numerusform>%n Kalender hinzugefügt. Ihre Termine kommen mit der jetzt startenden Synchronisierung.</numerusform>
        </translation>
    </message>
    <message>
        <source>Account added. Its events arrive with the sync that starts now.</source>
        <translation>Konto hinzugefügt. Seine Termine kommen mit der jetzt startenden Synchronisierung.</translation>
    </message>
    <message numerus="yes">
        <source>Account added. %n calendar(s) were not added: the server lists more than %1. Its events arrive with the sync that starts now.</source>
        <translation>
            <numerusform>Konto hinzugefügt. %n Kalender wurde nicht hinzugefügt: Der Server listet mehr als %1 auf. Seine Termine kommen mit der jetzt startenden Synchronisierung.</numerusform>
            <numerusform>Konto hinzugefügt. %n Kalender wurden nicht hinzugefügt: Der Server listet mehr als %1 auf. Seine Termine kommen mit der jetzt startenden Synchronisierung.</numerusform>
        </translation>
    </message>
    <message>
        <source>Signed in as %1.</source>
        <translation>Angemeldet als %1.</translation>
    </message>
</context>
<context>
    <name>ManageTemplatesDialog</name>
    <message>
        <source>Manage Templates</source>
        <translation>Vorlagen verwalten</translation>
    </message>
    <message>
        <source>(Unnamed)</source>
        <translation>(Ohne Namen)</translation>
    </message>
    <message>
        <source>The template could not be saved.</source>
        <translation>Die Vorlage konnte nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>Delete Template</source>
        <translation>Vorlage löschen</translation>
    </message>
    <message>
        <source>Delete the template &quot;%1&quot;?</source>
        <translation>Die Vorlage „%1“ löschen?</translation>
    </message>
    <message>
        <source>This template was removed meanwhile, so it cannot be saved.</source>
        <translation>Diese Vorlage wurde inzwischen entfernt und kann daher nicht gespeichert werden.</translation>
    </message>
</context>
<context>
    <name>ManageViewsDialog</name>
    <message>
        <source>Manage Calendar Groups</source>
        <translation>Kalendergruppen verwalten</translation>
    </message>
    <message>
        <source>Delete Calendar Group</source>
        <translation>Kalendergruppe löschen</translation>
    </message>
    <message>
        <source>Delete the group &quot;%1&quot;? Its calendars and events are kept.</source>
        <translation>Die Gruppe „%1“ löschen? Ihre Kalender und Termine bleiben erhalten.</translation>
    </message>
</context>
<context>
    <name>Microsoft::AuthService</name>
    <message>
        <source>Microsoft OAuth credentials are not configured in this build. See .env.example.</source>
        <translation>Microsoft-OAuth-Zugangsdaten sind in diesem Build nicht konfiguriert. Siehe .env.example.</translation>
    </message>
    <message>
        <source>Could not bind a local port for the Microsoft sign-in callback: %1</source>
        <translation>Für die Rückmeldung der Microsoft-Anmeldung konnte kein lokaler Port belegt werden: %1</translation>
    </message>
    <message>
        <source>Could not launch the system browser for Microsoft sign-in.</source>
        <translation>Der Systembrowser für die Microsoft-Anmeldung konnte nicht gestartet werden.</translation>
    </message>
    <message>
        <source>Sign-in cancelled.</source>
        <translation>Anmeldung abgebrochen.</translation>
    </message>
    <message>
        <source>Microsoft denied the sign-in: %1</source>
        <translation>Microsoft hat die Anmeldung verweigert: %1</translation>
    </message>
    <message>
        <source>Microsoft did not return an authorization code.</source>
        <translation>Microsoft hat keinen Autorisierungscode zurückgegeben.</translation>
    </message>
    <message>
        <source>Token exchange failed (HTTP %1): %2</source>
        <translation>Token-Austausch fehlgeschlagen (HTTP %1): %2</translation>
    </message>
    <message>
        <source>Microsoft did not return an access token.</source>
        <translation>Microsoft hat kein Zugriffstoken zurückgegeben.</translation>
    </message>
    <message>
        <source>Microsoft did not return a refresh token. Verify offline_access is in the scopes configured for this app.</source>
        <translation>Microsoft hat kein Aktualisierungstoken zurückgegeben. Prüfen Sie, ob offline_access in den für diese App konfigurierten Bereichen (Scopes) enthalten ist.</translation>
    </message>
    <message>
        <source>Microsoft&apos;s token service did not answer in time.</source>
        <translation>Der Token-Dienst von Microsoft hat nicht rechtzeitig geantwortet.</translation>
    </message>
    <message>
        <source>Microsoft OAuth credentials are not configured.</source>
        <translation>Microsoft-OAuth-Zugangsdaten sind nicht konfiguriert.</translation>
    </message>
    <message>
        <source>Token refresh failed (HTTP %1): %2</source>
        <translation>Token-Aktualisierung fehlgeschlagen (HTTP %1): %2</translation>
    </message>
    <message>
        <source>Microsoft&apos;s response had no access_token.</source>
        <translation>Die Antwort von Microsoft enthielt kein access_token.</translation>
    </message>
</context>
<context>
    <name>Microsoft::SyncClient</name>
    <message>
        <source>Microsoft calendars do not sync yet.</source>
        <translation>Microsoft-Kalender werden noch nicht synchronisiert.</translation>
    </message>
</context>
<context>
    <name>MonthGridWidget</name>
    <message>
        <source>+%1 more</source>
        <translation>+%1 weitere</translation>
    </message>
</context>
<context>
    <name>MonthView</name>
    <message>
        <source>Edit filter &quot;%1&quot;…</source>
        <translation>Filter „%1“ bearbeiten…</translation>
    </message>
    <message>
        <source>Create Filter from Event…</source>
        <translation>Filter aus Termin erstellen…</translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;? You can undo with %2.</source>
        <translation>„%1“ löschen? Sie können dies mit %2 rückgängig machen.</translation>
    </message>
    <message>
        <source>Delete event?</source>
        <translation>Termin löschen?</translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation>Bearbeiten…</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
</context>
<context>
    <name>NotificationService</name>
    <message>
        <source>Today</source>
        <translation>Heute</translation>
    </message>
    <message>
        <source>Tomorrow</source>
        <translation>Morgen</translation>
    </message>
    <message>
        <source>%1, all day</source>
        <translation>%1, ganztägig</translation>
    </message>
    <message>
        <source>Starting now (%1)</source>
        <translation>Beginnt jetzt (%1)</translation>
    </message>
    <message>
        <source>In %1 minutes (%2)</source>
        <translation>In %1 Minuten (%2)</translation>
    </message>
    <message>
        <source>In %1h (%2)</source>
        <translation>In %1 Std. (%2)</translation>
    </message>
    <message>
        <source>Tomorrow at %1</source>
        <translation>Morgen um %1</translation>
    </message>
    <message>
        <source>%1 at %2</source>
        <translation>%1 um %2</translation>
    </message>
    <message>
        <source>Reminder</source>
        <translation>Erinnerung</translation>
    </message>
    <message>
        <source>Test reminder</source>
        <translation>Test-Erinnerung</translation>
    </message>
    <message>
        <source>If you can see this, your desktop notifications are wired up correctly. Real reminders look just like this one.</source>
        <translation>Wenn Sie dies sehen, sind Ihre Desktop-Benachrichtigungen richtig eingerichtet. Echte Erinnerungen sehen genauso aus.</translation>
    </message>
</context>
<context>
    <name>OAuthProgressDialog</name>
    <message>
        <source>Sign in to %1</source>
        <translation>Bei %1 anmelden</translation>
    </message>
    <message>
        <source>Waiting for %1…</source>
        <translation>Warten auf %1…</translation>
    </message>
    <message>
        <source>Complete the sign-in in the browser window that has opened. This window closes by itself when you are done.</source>
        <translation>Schließen Sie die Anmeldung im geöffneten Browserfenster ab. Dieses Fenster schließt sich automatisch, wenn Sie fertig sind.</translation>
    </message>
</context>
<context>
    <name>OrvaAccount::AccountGroupPage</name>
    <message>
        <source>Only the first %1 of %2 members are shown.</source>
        <translation>Nur die ersten %1 von %2 Mitgliedern werden angezeigt.</translation>
    </message>
    <message>
        <source>Only the first %1 of %2 invitations are shown.</source>
        <translation>Nur die ersten %1 von %2 Einladungen werden angezeigt.</translation>
    </message>
</context>
<context>
    <name>OrvaAccount::AccountScreen</name>
    <message>
        <source>Only the first %1 of %2 devices are shown.</source>
        <translation>Nur die ersten %1 von %2 Geräten werden angezeigt.</translation>
    </message>
    <message>
        <source>Only the first %1 of %2 sessions are shown.</source>
        <translation>Nur die ersten %1 von %2 Sitzungen werden angezeigt.</translation>
    </message>
</context>
<context>
    <name>OrvaAccount::ApiClient</name>
    <message>
        <source>The service&apos;s reply was too large.</source>
        <translation>Die Antwort des Dienstes war zu groß.</translation>
    </message>
    <message>
        <source>The service gave this entry no id</source>
        <translation>Der Dienst hat diesem Eintrag keine ID gegeben</translation>
    </message>
</context>
<context>
    <name>OrvaAccount::ShareMembersDialog</name>
    <message>
        <source>People with access</source>
        <translation>Personen mit Zugriff</translation>
    </message>
    <message>
        <source>Add people</source>
        <translation>Personen hinzufügen</translation>
    </message>
    <message>
        <source>All group members already have access</source>
        <translation>Alle Gruppenmitglieder haben bereits Zugriff</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Could not load who has access: %1</source>
        <translation>Es konnte nicht geladen werden, wer Zugriff hat: %1</translation>
    </message>
    <message>
        <source>Not shared with anyone yet.</source>
        <translation>Noch für niemanden freigegeben.</translation>
    </message>
    <message>
        <source>Remove access</source>
        <translation>Zugriff entfernen</translation>
    </message>
    <message>
        <source>Could not load your group: %1</source>
        <translation>Ihre Gruppe konnte nicht geladen werden: %1</translation>
    </message>
    <message>
        <source>Share</source>
        <translation>Freigeben</translation>
    </message>
    <message>
        <source>Could not share with %1.</source>
        <translation>Freigabe für %1 nicht möglich.</translation>
    </message>
    <message>
        <source>Remove access?</source>
        <translation>Zugriff entfernen?</translation>
    </message>
    <message>
        <source>%1 will no longer have access. Continue?</source>
        <translation>%1 hat dann keinen Zugriff mehr. Fortfahren?</translation>
    </message>
    <message>
        <source>Could not remove %1.</source>
        <translation>%1 konnte nicht entfernt werden.</translation>
    </message>
    <message>
        <source>Loading…</source>
        <translation>Wird geladen …</translation>
    </message>
    <message>
        <source>Only the first %1 of %2 group members are listed.</source>
        <translation>Nur die ersten %1 von %2 Gruppenmitgliedern werden aufgeführt.</translation>
    </message>
</context>
<context>
    <name>OrvaUpdate</name>
    <message>
        <source>Send Feedback</source>
        <translation>Feedback senden</translation>
    </message>
    <message>
        <source>No browser could be started. The feedback page is at:
%1</source>
        <translation>Es konnte kein Browser gestartet werden. Die Feedback-Seite finden Sie unter:
%1</translation>
    </message>
    <message>
        <source>Checking for updates…</source>
        <translation>Suche nach Updates…</translation>
    </message>
    <message>
        <source>%1 is up to date (version %2).</source>
        <translation>%1 ist auf dem neuesten Stand (Version %2).</translation>
    </message>
    <message>
        <source>Update check failed: %1</source>
        <translation>Update-Prüfung fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>Loading release notes…</source>
        <translation>Versionshinweise werden geladen…</translation>
    </message>
    <message>
        <source>Release notes could not be loaded: %1</source>
        <translation>Die Versionshinweise konnten nicht geladen werden: %1</translation>
    </message>
</context>
<context>
    <name>OrvaUpdate::FeedRequest</name>
    <message>
        <source>The update server sent too much data.</source>
        <translation>Der Update-Server hat zu viele Daten gesendet.</translation>
    </message>
    <message>
        <source>The update server did not answer in time.</source>
        <translation>Der Update-Server hat nicht rechtzeitig geantwortet.</translation>
    </message>
    <message>
        <source>The update server answered with status %1.</source>
        <translation>Der Update-Server hat mit Status %1 geantwortet.</translation>
    </message>
</context>
<context>
    <name>OrvaUpdate::ReleaseManifest</name>
    <message>
        <source>The release manifest could not be read.</source>
        <translation>Das Release-Manifest konnte nicht gelesen werden.</translation>
    </message>
    <message>
        <source>The release manifest has an unknown format.</source>
        <translation>Das Release-Manifest hat ein unbekanntes Format.</translation>
    </message>
    <message>
        <source>The release manifest names no version.</source>
        <translation>Das Release-Manifest nennt keine Version.</translation>
    </message>
    <message>
        <source>The release manifest offers no usable download.</source>
        <translation>Das Release-Manifest bietet keinen nutzbaren Download.</translation>
    </message>
</context>
<context>
    <name>OrvaUpdate::UpdateDialog</name>
    <message>
        <source>Update Available</source>
        <translation>Update verfügbar</translation>
    </message>
    <message>
        <source>%1 %2 is available.</source>
        <translation>%1 %2 ist verfügbar.</translation>
    </message>
    <message>
        <source>You have version %1.</source>
        <translation>Sie haben Version %1.</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Herunterladen</translation>
    </message>
    <message>
        <source>Release Notes</source>
        <translation>Versionshinweise</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>Später</translation>
    </message>
</context>
<context>
    <name>OrvaUpdate::WhatsNewDialog</name>
    <message>
        <source>What&apos;s New in %1 %2</source>
        <translation>Neu in %1 %2</translation>
    </message>
    <message>
        <source>Loading release notes…</source>
        <translation>Versionshinweise werden geladen…</translation>
    </message>
    <message>
        <source>No release notes for this version.</source>
        <translation>Keine Versionshinweise für diese Version.</translation>
    </message>
    <message>
        <source>The release notes could not be loaded: %1</source>
        <translation>Die Versionshinweise konnten nicht geladen werden: %1</translation>
    </message>
</context>
<context>
    <name>Orvandellic::SharingBackend</name>
    <message>
        <source>Not signed in</source>
        <translation>Nicht angemeldet</translation>
    </message>
    <message>
        <source>Sharing failed (HTTP %1)</source>
        <translation>Freigabe fehlgeschlagen (HTTP %1)</translation>
    </message>
</context>
<context>
    <name>Orvandellic::SyncClient</name>
    <message>
        <source>Not signed in</source>
        <translation>Nicht angemeldet</translation>
    </message>
    <message>
        <source>The calendar no longer exists.</source>
        <translation>Der Kalender existiert nicht mehr.</translation>
    </message>
    <message>
        <source>Could not store the cloud calendar&apos;s changes.</source>
        <translation>Die Änderungen des Cloud-Kalenders konnten nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>Could not reach the cloud service.</source>
        <translation>Der Cloud-Dienst ist nicht erreichbar.</translation>
    </message>
    <message>
        <source>Cloud sync failed (HTTP %1)</source>
        <translation>Cloud-Synchronisierung fehlgeschlagen (HTTP %1)</translation>
    </message>
    <message numerus="yes">
        <source>%n calendar(s) of the cloud calendar list not added: only the first %1 are taken.</source>
        <translation>
            <numerusform>%n Kalender der Cloud-Kalenderliste nicht hinzugefügt: nur die ersten %1 werden übernommen.</numerusform>
            <numerusform>%n Kalender der Cloud-Kalenderliste nicht hinzugefügt: nur die ersten %1 werden übernommen.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>PdfExportDialog</name>
    <message>
        <source>All day</source>
        <translation>Ganztägig</translation>
    </message>
    <message>
        <source>All day – %1</source>
        <translation>Ganztägig – %1</translation>
    </message>
    <message>
        <source>Export Agenda PDF</source>
        <translation>Agenda als PDF exportieren</translation>
    </message>
    <message>
        <source>From:</source>
        <translation>Von:</translation>
    </message>
    <message>
        <source>To:</source>
        <translation>Bis:</translation>
    </message>
    <message>
        <source>Browse…</source>
        <translation>Durchsuchen…</translation>
    </message>
    <message>
        <source>File:</source>
        <translation>Datei:</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Exportieren</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>PDF-Dateien (*.pdf)</translation>
    </message>
    <message>
        <source>The end date must not be before the start date.</source>
        <translation>Das Enddatum darf nicht vor dem Startdatum liegen.</translation>
    </message>
    <message>
        <source>Choose a range of at most %1 days.</source>
        <translation>Wählen Sie einen Zeitraum von höchstens %1 Tagen.</translation>
    </message>
    <message>
        <source>Choose a file to write.</source>
        <translation>Wählen Sie eine Zieldatei.</translation>
    </message>
    <message>
        <source>Agenda</source>
        <translation>Agenda</translation>
    </message>
    <message>
        <source>Could not write &quot;%1&quot;.</source>
        <translation>„%1“ konnte nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>No events in this range.</source>
        <translation>Keine Termine in diesem Zeitraum.</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>CalDAV</source>
        <translation>CalDAV</translation>
    </message>
    <message>
        <source>iCloud</source>
        <translation>iCloud</translation>
    </message>
    <message>
        <source>Zoho</source>
        <translation>Zoho</translation>
    </message>
    <message>
        <source>Google</source>
        <translation>Google</translation>
    </message>
    <message>
        <source>Microsoft</source>
        <translation>Microsoft</translation>
    </message>
    <message>
        <source>Subscription</source>
        <translation>Abonnement</translation>
    </message>
    <message>
        <source>This device</source>
        <translation>Dieses Gerät</translation>
    </message>
    <message>
        <source>Repeats daily</source>
        <translation>Täglich</translation>
    </message>
    <message>
        <source>Every %1 days</source>
        <translation>Alle %1 Tage</translation>
    </message>
    <message>
        <source>Repeats weekly</source>
        <translation>Wöchentlich</translation>
    </message>
    <message>
        <source>Every %1 weeks</source>
        <translation>Alle %1 Wochen</translation>
    </message>
    <message>
        <source>Repeats monthly</source>
        <translation>Monatlich</translation>
    </message>
    <message>
        <source>Every %1 months</source>
        <translation>Alle %1 Monate</translation>
    </message>
    <message>
        <source>Repeats yearly</source>
        <translation>Jährlich</translation>
    </message>
    <message>
        <source>Every %1 years</source>
        <translation>Alle %1 Jahre</translation>
    </message>
    <message>
        <source>Repeats</source>
        <translation>Wiederholung</translation>
    </message>
    <message>
        <source>on the %1 %2</source>
        <translation>am %1 %2</translation>
    </message>
    <message>
        <source>on the %1</source>
        <translation>am %1</translation>
    </message>
    <message numerus="yes">
        <source>%n time(s)</source>
        <translation>
            <numerusform>%n Mal</numerusform>
            <numerusform>%n Mal</numerusform>
        </translation>
    </message>
    <message>
        <source>until %1</source>
        <translation>bis %1</translation>
    </message>
    <message>
        <source>At time of event</source>
        <translation>Zum Zeitpunkt des Termins</translation>
    </message>
    <message numerus="yes">
        <source>%n min before</source>
        <translation>
            <numerusform>%n Min. vorher</numerusform>
            <numerusform>%n Min. vorher</numerusform>
        </translation>
    </message>
    <message>
        <source>%1th</source>
        <translation>%1.</translation>
    </message>
    <message>
        <source>%1st</source>
        <translation>%1.</translation>
    </message>
    <message>
        <source>%1nd</source>
        <translation>%1.</translation>
    </message>
    <message>
        <source>%1rd</source>
        <translation>%1.</translation>
    </message>
    <message>
        <source>first</source>
        <translation>ersten</translation>
    </message>
    <message>
        <source>second</source>
        <translation>zweiten</translation>
    </message>
    <message>
        <source>third</source>
        <translation>dritten</translation>
    </message>
    <message>
        <source>fourth</source>
        <translation>vierten</translation>
    </message>
    <message>
        <source>fifth</source>
        <translation>fünften</translation>
    </message>
    <message>
        <source>last</source>
        <translation>letzten</translation>
    </message>
    <message>
        <source>second-to-last</source>
        <translation>vorletzten</translation>
    </message>
    <message>
        <source>%1th-from-last</source>
        <translation>%1. vom Ende</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Heute</translation>
    </message>
    <message>
        <source>Tomorrow</source>
        <translation>Morgen</translation>
    </message>
    <message>
        <source>Yesterday</source>
        <translation>Gestern</translation>
    </message>
    <message>
        <source>High</source>
        <translation>Hoch</translation>
    </message>
    <message>
        <source>Medium</source>
        <translation>Mittel</translation>
    </message>
    <message>
        <source>Low</source>
        <translation>Niedrig</translation>
    </message>
    <message>
        <source>↳ subtask</source>
        <translation>↳ Unteraufgabe</translation>
    </message>
    <message numerus="yes">
        <source>%n hour(s) before</source>
        <translation>
            <numerusform>%n Stunde vorher</numerusform>
            <numerusform>%n Stunden vorher</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n day(s) before</source>
        <translation>
            <numerusform>%n Tag vorher</numerusform>
            <numerusform>%n Tage vorher</numerusform>
        </translation>
    </message>
    <message>
        <source>Pattern Match</source>
        <translation>Textmuster</translation>
    </message>
    <message>
        <source>Filter events matching text patterns</source>
        <translation>Termine nach Textmustern filtern</translation>
    </message>
    <message>
        <source>Time-Based</source>
        <translation>Zeitbasiert</translation>
    </message>
    <message>
        <source>Filter events at specific times</source>
        <translation>Termine zu bestimmten Zeiten filtern</translation>
    </message>
    <message>
        <source>Specific Event</source>
        <translation>Bestimmter Termin</translation>
    </message>
    <message>
        <source>Filter a specific recurring event</source>
        <translation>Einen bestimmten Serientermin filtern</translation>
    </message>
    <message>
        <source>All-Day Events</source>
        <translation>Ganztägige Termine</translation>
    </message>
    <message>
        <source>Filter all-day events</source>
        <translation>Ganztägige Termine filtern</translation>
    </message>
    <message>
        <source>Mon</source>
        <translation>Mo</translation>
    </message>
    <message>
        <source>Tue</source>
        <translation>Di</translation>
    </message>
    <message>
        <source>Wed</source>
        <translation>Mi</translation>
    </message>
    <message>
        <source>Thu</source>
        <translation>Do</translation>
    </message>
    <message>
        <source>Fri</source>
        <translation>Fr</translation>
    </message>
    <message>
        <source>Sat</source>
        <translation>Sa</translation>
    </message>
    <message>
        <source>Sun</source>
        <translation>So</translation>
    </message>
</context>
<context>
    <name>QuickAddDialog</name>
    <message>
        <source>Quick Add</source>
        <translation>Schnelleingabe</translation>
    </message>
    <message>
        <source>Type an event in plain English.</source>
        <translation>Geben Sie einen Termin in englischer Alltagssprache ein.</translation>
    </message>
    <message>
        <source>e.g. &quot;lunch Thursday 1pm&quot;</source>
        <translation>z. B. „lunch Thursday 1pm“</translation>
    </message>
    <message>
        <source>All-day</source>
        <translation>Ganztägig</translation>
    </message>
    <message>
        <source>No calendar accepts new events</source>
        <translation>Kein Kalender nimmt neue Termine an</translation>
    </message>
    <message>
        <source>Couldn&apos;t read an event in this text</source>
        <translation>In diesem Text wurde kein Termin erkannt</translation>
    </message>
    <message>
        <source>Couldn&apos;t save event</source>
        <translation>Termin konnte nicht gespeichert werden</translation>
    </message>
</context>
<context>
    <name>RecurrenceEditDialog</name>
    <message>
        <source>Recurrence</source>
        <translation>Wiederholung</translation>
    </message>
    <message>
        <source>Daily</source>
        <translation>Täglich</translation>
    </message>
    <message>
        <source>Weekly</source>
        <translation>Wöchentlich</translation>
    </message>
    <message>
        <source>Monthly</source>
        <translation>Monatlich</translation>
    </message>
    <message>
        <source>Yearly</source>
        <translation>Jährlich</translation>
    </message>
    <message>
        <source>Does not repeat</source>
        <translation>Keine Wiederholung</translation>
    </message>
    <message>
        <source>Frequency</source>
        <translation>Häufigkeit</translation>
    </message>
    <message>
        <source>Every</source>
        <translation>Alle</translation>
    </message>
    <message>
        <source>On day of the month</source>
        <translation>Am Tag des Monats</translation>
    </message>
    <message>
        <source>of every month</source>
        <translation>jedes Monats</translation>
    </message>
    <message>
        <source>On the nth weekday</source>
        <translation>Am n-ten Wochentag</translation>
    </message>
    <message>
        <source>first</source>
        <translation>ersten</translation>
    </message>
    <message>
        <source>second</source>
        <translation>zweiten</translation>
    </message>
    <message>
        <source>third</source>
        <translation>dritten</translation>
    </message>
    <message>
        <source>fourth</source>
        <translation>vierten</translation>
    </message>
    <message>
        <source>last</source>
        <translation>letzten</translation>
    </message>
    <message>
        <source>Monday</source>
        <translation>Montag</translation>
    </message>
    <message>
        <source>Tuesday</source>
        <translation>Dienstag</translation>
    </message>
    <message>
        <source>Wednesday</source>
        <translation>Mittwoch</translation>
    </message>
    <message>
        <source>Thursday</source>
        <translation>Donnerstag</translation>
    </message>
    <message>
        <source>Friday</source>
        <translation>Freitag</translation>
    </message>
    <message>
        <source>Saturday</source>
        <translation>Samstag</translation>
    </message>
    <message>
        <source>Sunday</source>
        <translation>Sonntag</translation>
    </message>
    <message>
        <source>Never</source>
        <translation>Nie</translation>
    </message>
    <message>
        <source>After</source>
        <translation>Nach</translation>
    </message>
    <message>
        <source>occurrences</source>
        <translation>Vorkommen</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Am</translation>
    </message>
    <message>
        <source>Ends</source>
        <translation>Endet</translation>
    </message>
    <message>
        <source>day</source>
        <translation>Tag</translation>
    </message>
    <message>
        <source>days</source>
        <translation>Tage</translation>
    </message>
    <message>
        <source>month</source>
        <translation>Monat</translation>
    </message>
    <message>
        <source>months</source>
        <translation>Monate</translation>
    </message>
    <message>
        <source>year</source>
        <translation>Jahr</translation>
    </message>
    <message>
        <source>years</source>
        <translation>Jahre</translation>
    </message>
    <message>
        <source>week</source>
        <translation>Woche</translation>
    </message>
    <message>
        <source>weeks</source>
        <translation>Wochen</translation>
    </message>
</context>
<context>
    <name>RecurringEdit</name>
    <message>
        <source>The clocks skip the time &quot;%1&quot; was moved to on %2, so it begins at %3 that day and repeats at %3.</source>
        <translation>Die Uhren überspringen die Zeit, auf die „%1“ am %2 verschoben wurde; daher beginnt der Termin an diesem Tag um %3 und wiederholt sich um %3.</translation>
    </message>
    <message>
        <source>The days of this series&apos; repeat rule cannot all move by the same number of days, so the series was left as it was. To move it, change its repeat rule together with its date in the event form.</source>
        <translation>Die Tage der Wiederholungsregel dieser Serie lassen sich nicht alle um dieselbe Anzahl Tage verschieben, daher blieb die Serie unverändert. Um sie zu verschieben, ändern Sie ihre Wiederholungsregel zusammen mit dem Datum im Terminformular.</translation>
    </message>
    <message>
        <source>Could not undo: %1</source>
        <translation>Rückgängig nicht möglich: %1</translation>
    </message>
    <message>
        <source>&quot;%1&quot; was changed elsewhere meanwhile, so nothing was changed.</source>
        <translation>„%1“ wurde inzwischen anderswo geändert, daher wurde nichts geändert.</translation>
    </message>
    <message>
        <source>The change of &quot;%1&quot; on %2 was deleted elsewhere meanwhile, so nothing was changed.</source>
        <translation>Die Änderung an „%1“ am %2 wurde inzwischen anderswo gelöscht, daher wurde nichts geändert.</translation>
    </message>
</context>
<context>
    <name>RecurringEditScopeDialog</name>
    <message>
        <source>Delete Recurring Event</source>
        <translation>Serientermin löschen</translation>
    </message>
    <message>
        <source>Edit Recurring Event</source>
        <translation>Serientermin bearbeiten</translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;</source>
        <translation>„%1“ löschen</translation>
    </message>
    <message>
        <source>Edit &quot;%1&quot;</source>
        <translation>„%1“ bearbeiten</translation>
    </message>
    <message>
        <source>This event repeats. Delete:</source>
        <translation>Dieser Termin wiederholt sich. Löschen:</translation>
    </message>
    <message>
        <source>This event repeats. Apply your changes to:</source>
        <translation>Dieser Termin wiederholt sich. Änderungen anwenden auf:</translation>
    </message>
    <message>
        <source>This event only</source>
        <translation>Nur diesen Termin</translation>
    </message>
    <message>
        <source>Only this occurrence is changed; the rest of the series stays as it was.</source>
        <translation>Nur dieses Vorkommen wird geändert; der Rest der Serie bleibt unverändert.</translation>
    </message>
    <message>
        <source>This and following events</source>
        <translation>Diesen und alle folgenden Termine</translation>
    </message>
    <message>
        <source>This occurrence and every later one inherit the change. Past occurrences keep their original times.</source>
        <translation>Dieses und alle späteren Vorkommen übernehmen die Änderung. Vergangene Vorkommen behalten ihre ursprünglichen Zeiten.</translation>
    </message>
    <message>
        <source>All events in the series</source>
        <translation>Alle Termine der Serie</translation>
    </message>
    <message>
        <source>The master event shifts; every occurrence — past and future — moves with it.</source>
        <translation>Der Haupttermin wird verschoben; alle Vorkommen — vergangene und zukünftige — werden mitverschoben.</translation>
    </message>
    <message>
        <source>Only this occurrence is deleted; the rest of the series stays.</source>
        <translation>Nur dieses Vorkommen wird gelöscht; der Rest der Serie bleibt erhalten.</translation>
    </message>
    <message>
        <source>This occurrence and every later one are deleted. Earlier occurrences stay.</source>
        <translation>Dieses und alle späteren Vorkommen werden gelöscht. Frühere Vorkommen bleiben erhalten.</translation>
    </message>
    <message>
        <source>Every occurrence — past and future — is deleted.</source>
        <translation>Alle Vorkommen — vergangene und zukünftige — werden gelöscht.</translation>
    </message>
</context>
<context>
    <name>ReminderWindow</name>
    <message>
        <source>Reminders</source>
        <translation>Erinnerungen</translation>
    </message>
    <message>
        <source>Dismiss all</source>
        <translation>Alle schließen</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Dismiss</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>RruleFormat</name>
    <message>
        <source>Mon</source>
        <translation>Mo</translation>
    </message>
    <message>
        <source>Tue</source>
        <translation>Di</translation>
    </message>
    <message>
        <source>Wed</source>
        <translation>Mi</translation>
    </message>
    <message>
        <source>Thu</source>
        <translation>Do</translation>
    </message>
    <message>
        <source>Fri</source>
        <translation>Fr</translation>
    </message>
    <message>
        <source>Sat</source>
        <translation>Sa</translation>
    </message>
    <message>
        <source>Sun</source>
        <translation>So</translation>
    </message>
</context>
<context>
    <name>SearchDialog</name>
    <message>
        <source>%1 · All day</source>
        <translation>%1 · Ganztägig</translation>
    </message>
    <message>
        <source>Find Events</source>
        <translation>Termine suchen</translation>
    </message>
    <message>
        <source>Search titles, locations and notes</source>
        <translation>Titel, Orte und Notizen durchsuchen</translation>
    </message>
    <message>
        <source>(No title)</source>
        <translation>(Kein Titel)</translation>
    </message>
    <message>
        <source>No events found.</source>
        <translation>Keine Termine gefunden.</translation>
    </message>
    <message>
        <source>Showing the first %1 matches.</source>
        <translation>Die ersten %1 Treffer werden angezeigt.</translation>
    </message>
    <message>
        <source>1 event found.</source>
        <translation>1 Termin gefunden.</translation>
    </message>
    <message>
        <source>%1 events found.</source>
        <translation>%1 Termine gefunden.</translation>
    </message>
</context>
<context>
    <name>SeriesActions</name>
    <message>
        <source>Could not delete &quot;%1&quot;.</source>
        <translation>„%1“ konnte nicht gelöscht werden.</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>Kalender</translation>
    </message>
</context>
<context>
    <name>SettingsDialog</name>
    <message>
        <source>Preferences</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>12-hour (1:30 PM)</source>
        <translation>12 Stunden (1:30 PM)</translation>
    </message>
    <message>
        <source>24-hour (13:30)</source>
        <translation>24 Stunden (13:30)</translation>
    </message>
    <message>
        <source>Time format:</source>
        <translation>Zeitformat:</translation>
    </message>
    <message>
        <source>Follow the system</source>
        <translation>Systemeinstellung verwenden</translation>
    </message>
    <message>
        <source>Week starts on:</source>
        <translation>Woche beginnt am:</translation>
    </message>
    <message>
        <source>to</source>
        <translation>bis</translation>
    </message>
    <message>
        <source>Working hours:</source>
        <translation>Arbeitszeit:</translation>
    </message>
    <message>
        <source>Show week numbers</source>
        <translation>Kalenderwochen anzeigen</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>Default calendar:</source>
        <translation>Standardkalender:</translation>
    </message>
    <message>
        <source>Show the weather forecast</source>
        <translation>Wettervorhersage anzeigen</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>Hell</translation>
    </message>
    <message>
        <source>Dark</source>
        <translation>Dunkel</translation>
    </message>
    <message>
        <source>Theme:</source>
        <translation>Design:</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Blau</translation>
    </message>
    <message>
        <source>Teal</source>
        <translation>Petrol</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Grün</translation>
    </message>
    <message>
        <source>Orange</source>
        <translation>Orange</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Rot</translation>
    </message>
    <message>
        <source>Purple</source>
        <translation>Lila</translation>
    </message>
    <message>
        <source>Pink</source>
        <translation>Rosa</translation>
    </message>
    <message>
        <source>Accent colour:</source>
        <translation>Akzentfarbe:</translation>
    </message>
    <message>
        <source>Language:</source>
        <translation>Sprache:</translation>
    </message>
    <message>
        <source>A new language applies the next time Calendar starts.</source>
        <translation>Eine neue Sprache wird beim nächsten Start des Kalenders wirksam.</translation>
    </message>
    <message>
        <source>Appearance</source>
        <translation>Darstellung</translation>
    </message>
    <message>
        <source>Start Calendar when I log in</source>
        <translation>Kalender bei der Anmeldung starten</translation>
    </message>
    <message>
        <source>Start minimised to the tray</source>
        <translation>Minimiert im Infobereich starten</translation>
    </message>
    <message>
        <source>Close to tray (keep running in the background)</source>
        <translation>In den Infobereich schließen (im Hintergrund weiterlaufen)</translation>
    </message>
    <message>
        <source>Startup</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>When you are signed in, these settings follow you to your other devices:</source>
        <translation>Wenn Sie angemeldet sind, werden diese Einstellungen auf Ihre anderen Geräte übernommen:</translation>
    </message>
    <message>
        <source>Accounts</source>
        <translation>Konten</translation>
    </message>
    <message>
        <source>Filter rules</source>
        <translation>Filterregeln</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Templates</source>
        <translation>Vorlagen</translation>
    </message>
    <message>
        <source>Calendar groups</source>
        <translation>Kalendergruppen</translation>
    </message>
    <message>
        <source>Sync</source>
        <translation>Synchronisierung</translation>
    </message>
</context>
<context>
    <name>StoredTask</name>
    <message>
        <source>Task not found</source>
        <translation>Aufgabe nicht gefunden</translation>
    </message>
    <message>
        <source>&quot;%1&quot; was moved to another calendar meanwhile, so nothing was changed.</source>
        <translation>„%1“ wurde inzwischen in einen anderen Kalender verschoben, daher wurde nichts geändert.</translation>
    </message>
    <message>
        <source>This task no longer exists.</source>
        <translation>Diese Aufgabe existiert nicht mehr.</translation>
    </message>
</context>
<context>
    <name>TaskDetailsPopover</name>
    <message>
        <source>Edit…</source>
        <translation>Bearbeiten…</translation>
    </message>
    <message>
        <source>Add Subtask</source>
        <translation>Unteraufgabe hinzufügen</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>This task no longer exists.</source>
        <translation>Diese Aufgabe existiert nicht mehr.</translation>
    </message>
    <message>
        <source>(Untitled task)</source>
        <translation>(Aufgabe ohne Titel)</translation>
    </message>
    <message>
        <source>▶  Starts %1</source>
        <translation>▶  Beginn: %1</translation>
    </message>
    <message>
        <source>Unknown calendar</source>
        <translation>Unbekannter Kalender</translation>
    </message>
    <message>
        <source>%1 priority</source>
        <translation>Priorität %1</translation>
    </message>
    <message>
        <source>Mark incomplete</source>
        <translation>Als unerledigt markieren</translation>
    </message>
    <message>
        <source>Mark complete</source>
        <translation>Als erledigt markieren</translation>
    </message>
    <message>
        <source>Task not found</source>
        <translation>Aufgabe nicht gefunden</translation>
    </message>
    <message>
        <source>Task change failed</source>
        <translation>Änderung der Aufgabe fehlgeschlagen</translation>
    </message>
    <message>
        <source>The task could not be changed; it may have been deleted.</source>
        <translation>Die Aufgabe konnte nicht geändert werden; möglicherweise wurde sie gelöscht.</translation>
    </message>
    <message>
        <source>Task</source>
        <translation>Aufgabe</translation>
    </message>
    <message>
        <source>Delete task?</source>
        <translation>Aufgabe löschen?</translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;? This cannot be undone.</source>
        <translation>„%1“ löschen? Dies kann nicht rückgängig gemacht werden.</translation>
    </message>
    <message>
        <source>Could not delete &quot;%1&quot;.</source>
        <translation>„%1“ konnte nicht gelöscht werden.</translation>
    </message>
</context>
<context>
    <name>TaskFormDialog</name>
    <message>
        <source>Could not save the task: the calendar file is read-only.</source>
        <translation>Die Aufgabe konnte nicht gespeichert werden: Die Kalenderdatei ist schreibgeschützt.</translation>
    </message>
    <message>
        <source>Could not save the task.</source>
        <translation>Die Aufgabe konnte nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>Edit Task</source>
        <translation>Aufgabe bearbeiten</translation>
    </message>
    <message>
        <source>New Task</source>
        <translation>Neue Aufgabe</translation>
    </message>
    <message>
        <source>Edit task</source>
        <translation>Aufgabe bearbeiten</translation>
    </message>
    <message>
        <source>New task</source>
        <translation>Neue Aufgabe</translation>
    </message>
    <message>
        <source>Update the task and save to apply.</source>
        <translation>Ändern Sie die Aufgabe und speichern Sie, um die Änderungen zu übernehmen.</translation>
    </message>
    <message>
        <source>Drop a quick to-do; due date and priority are optional.</source>
        <translation>Notieren Sie kurz eine Aufgabe; Fälligkeitsdatum und Priorität sind optional.</translation>
    </message>
    <message>
        <source>Buy birthday gift, prep Q1 report…</source>
        <translation>Geburtstagsgeschenk kaufen, Q1-Bericht vorbereiten…</translation>
    </message>
    <message>
        <source>&amp;Title</source>
        <translation>&amp;Titel</translation>
    </message>
    <message>
        <source>&amp;Calendar</source>
        <translation>&amp;Kalender</translation>
    </message>
    <message>
        <source>&amp;Starts</source>
        <translation>&amp;Beginn</translation>
    </message>
    <message>
        <source>Set start date</source>
        <translation>Startdatum festlegen</translation>
    </message>
    <message>
        <source>&amp;Due</source>
        <translation>&amp;Fällig</translation>
    </message>
    <message>
        <source>Set due date</source>
        <translation>Fälligkeitsdatum festlegen</translation>
    </message>
    <message>
        <source>Does not repeat</source>
        <translation>Keine Wiederholung</translation>
    </message>
    <message>
        <source>&amp;Repeat</source>
        <translation>&amp;Wiederholung</translation>
    </message>
    <message>
        <source>Due date</source>
        <translation>Fälligkeitsdatum</translation>
    </message>
    <message>
        <source>Completion date</source>
        <translation>Erledigungsdatum</translation>
    </message>
    <message>
        <source>Due date: next due = current due + interval.
Completion date: next due = today + interval.</source>
        <translation>Fälligkeitsdatum: nächste Fälligkeit = aktuelle Fälligkeit + Intervall.
Erledigungsdatum: nächste Fälligkeit = heute + Intervall.</translation>
    </message>
    <message>
        <source>Repeats &amp;from</source>
        <translation>Wiederholen &amp;ab</translation>
    </message>
    <message>
        <source>— None</source>
        <translation>— Keine</translation>
    </message>
    <message>
        <source>● High</source>
        <translation>● Hoch</translation>
    </message>
    <message>
        <source>● Medium</source>
        <translation>● Mittel</translation>
    </message>
    <message>
        <source>● Low</source>
        <translation>● Niedrig</translation>
    </message>
    <message>
        <source>&amp;Priority</source>
        <translation>&amp;Priorität</translation>
    </message>
    <message>
        <source>Completed</source>
        <translation>Erledigt</translation>
    </message>
    <message>
        <source>e.g. Personal, Health, Errands</source>
        <translation>z. B. Persönlich, Gesundheit, Besorgungen</translation>
    </message>
    <message>
        <source>&amp;Categories</source>
        <translation>&amp;Kategorien</translation>
    </message>
    <message>
        <source>Steps, links, context…</source>
        <translation>Schritte, Links, Kontext…</translation>
    </message>
    <message>
        <source>&amp;Notes</source>
        <translation>&amp;Notizen</translation>
    </message>
    <message>
        <source>An import is being written; the task is saved when it ends.</source>
        <translation>Ein Import wird geschrieben; die Aufgabe wird gespeichert, sobald er abgeschlossen ist.</translation>
    </message>
    <message>
        <source>Save changes</source>
        <translation>Änderungen speichern</translation>
    </message>
    <message>
        <source>Create task</source>
        <translation>Aufgabe erstellen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>This task belongs to a read-only calendar. It can be viewed but not changed.</source>
        <translation>Diese Aufgabe gehört zu einem schreibgeschützten Kalender. Sie kann angezeigt, aber nicht geändert werden.</translation>
    </message>
    <message>
        <source>Subtasks stay in their parent task&apos;s calendar.</source>
        <translation>Unteraufgaben bleiben im Kalender ihrer übergeordneten Aufgabe.</translation>
    </message>
    <message>
        <source>The parent task belongs to a read-only calendar, so it cannot get subtasks.</source>
        <translation>Die übergeordnete Aufgabe gehört zu einem schreibgeschützten Kalender und kann daher keine Unteraufgaben erhalten.</translation>
    </message>
    <message>
        <source>Title required</source>
        <translation>Titel erforderlich</translation>
    </message>
    <message>
        <source>Please enter a title for the task.</source>
        <translation>Bitte geben Sie einen Titel für die Aufgabe ein.</translation>
    </message>
    <message>
        <source>No calendars</source>
        <translation>Keine Kalender</translation>
    </message>
    <message>
        <source>Create a calendar first.</source>
        <translation>Erstellen Sie zuerst einen Kalender.</translation>
    </message>
    <message>
        <source>Start after due date</source>
        <translation>Beginn nach Fälligkeit</translation>
    </message>
    <message>
        <source>The start date is later than the due date.</source>
        <translation>Das Startdatum liegt nach dem Fälligkeitsdatum.</translation>
    </message>
    <message>
        <source>Task removed</source>
        <translation>Aufgabe entfernt</translation>
    </message>
    <message>
        <source>This task was deleted meanwhile, so it cannot be saved.</source>
        <translation>Diese Aufgabe wurde inzwischen gelöscht und kann daher nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>The parent task was deleted meanwhile, so the subtask cannot be saved.</source>
        <translation>Die übergeordnete Aufgabe wurde inzwischen gelöscht, daher kann die Unteraufgabe nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>Cannot move task</source>
        <translation>Aufgabe kann nicht verschoben werden</translation>
    </message>
    <message>
        <source>The chosen calendar already holds this task or one of its subtasks.</source>
        <translation>Der gewählte Kalender enthält diese Aufgabe oder eine ihrer Unteraufgaben bereits.</translation>
    </message>
    <message>
        <source>Database Error</source>
        <translation>Datenbankfehler</translation>
    </message>
</context>
<context>
    <name>TasksPane</name>
    <message>
        <source>Tasks</source>
        <translation>Aufgaben</translation>
    </message>
    <message>
        <source>Filter tasks</source>
        <translation>Aufgaben filtern</translation>
    </message>
    <message>
        <source>All tasks</source>
        <translation>Alle Aufgaben</translation>
    </message>
    <message>
        <source>Due today</source>
        <translation>Heute fällig</translation>
    </message>
    <message>
        <source>Due this week</source>
        <translation>Diese Woche fällig</translation>
    </message>
    <message>
        <source>Overdue</source>
        <translation>Überfällig</translation>
    </message>
    <message>
        <source>Group by calendar</source>
        <translation>Nach Kalender gruppieren</translation>
    </message>
    <message>
        <source>Hide completed</source>
        <translation>Erledigte ausblenden</translation>
    </message>
    <message>
        <source>Show notes</source>
        <translation>Notizen anzeigen</translation>
    </message>
    <message>
        <source>Show categories</source>
        <translation>Kategorien anzeigen</translation>
    </message>
    <message>
        <source>No tasks yet</source>
        <translation>Noch keine Aufgaben</translation>
    </message>
    <message>
        <source>Create a task to track what needs doing.</source>
        <translation>Erstellen Sie eine Aufgabe, um festzuhalten, was zu tun ist.</translation>
    </message>
    <message>
        <source>+ New Task</source>
        <translation>+ Neue Aufgabe</translation>
    </message>
    <message>
        <source>Nothing due today</source>
        <translation>Heute ist nichts fällig</translation>
    </message>
    <message>
        <source>Nothing due this week</source>
        <translation>Diese Woche ist nichts fällig</translation>
    </message>
    <message>
        <source>Nothing overdue</source>
        <translation>Nichts überfällig</translation>
    </message>
    <message>
        <source>You&apos;re caught up. Nice.</source>
        <translation>Alles erledigt. Sehr gut.</translation>
    </message>
    <message>
        <source>Switch the filter to see other tasks.</source>
        <translation>Ändern Sie den Filter, um andere Aufgaben zu sehen.</translation>
    </message>
    <message>
        <source>No calendars</source>
        <translation>Keine Kalender</translation>
    </message>
    <message>
        <source>Create a calendar first.</source>
        <translation>Erstellen Sie zuerst einen Kalender.</translation>
    </message>
    <message>
        <source>Task not found</source>
        <translation>Aufgabe nicht gefunden</translation>
    </message>
    <message>
        <source>This task no longer exists.</source>
        <translation>Diese Aufgabe existiert nicht mehr.</translation>
    </message>
    <message>
        <source>Can&apos;t move task</source>
        <translation>Aufgabe kann nicht verschoben werden</translation>
    </message>
    <message>
        <source>Subtasks must belong to the same calendar as their parent. Move &quot;%1&quot; to the same calendar first.</source>
        <translation>Unteraufgaben müssen zum selben Kalender gehören wie ihre übergeordnete Aufgabe. Verschieben Sie „%1“ zuerst in denselben Kalender.</translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation>Bearbeiten…</translation>
    </message>
    <message>
        <source>Add Subtask</source>
        <translation>Unteraufgabe hinzufügen</translation>
    </message>
    <message>
        <source>Mark Incomplete</source>
        <translation>Als unerledigt markieren</translation>
    </message>
    <message>
        <source>Mark Complete</source>
        <translation>Als erledigt markieren</translation>
    </message>
    <message>
        <source>Clear In Progress</source>
        <translation>„In Bearbeitung“ entfernen</translation>
    </message>
    <message>
        <source>Mark In Progress</source>
        <translation>Als in Bearbeitung markieren</translation>
    </message>
    <message>
        <source>Restore Task</source>
        <translation>Aufgabe wiederherstellen</translation>
    </message>
    <message>
        <source>Mark Cancelled</source>
        <translation>Als abgebrochen markieren</translation>
    </message>
    <message>
        <source>Make Top-Level</source>
        <translation>Auf oberste Ebene</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Delete task?</source>
        <translation>Aufgabe löschen?</translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;? This cannot be undone.</source>
        <translation>„%1“ löschen? Dies kann nicht rückgängig gemacht werden.</translation>
    </message>
</context>
<context>
    <name>TasksPaneRow</name>
    <message>
        <source>(Untitled)</source>
        <translation>(Ohne Titel)</translation>
    </message>
    <message>
        <source>IN PROGRESS</source>
        <translation>IN BEARBEITUNG</translation>
    </message>
    <message>
        <source>CANCELLED</source>
        <translation>ABGEBROCHEN</translation>
    </message>
</context>
<context>
    <name>TemplateEditorDialog</name>
    <message>
        <source>At time of event</source>
        <translation>Zum Zeitpunkt des Termins</translation>
    </message>
    <message numerus="yes">
        <source>%n minute(s) before</source>
        <translation>
            <numerusform>%n Minute vorher</numerusform>
            <numerusform>%n Minuten vorher</numerusform>
        </translation>
    </message>
    <message>
        <source>1 hour before</source>
        <translation>1 Stunde vorher</translation>
    </message>
    <message>
        <source>New Template</source>
        <translation>Neue Vorlage</translation>
    </message>
    <message>
        <source>Edit Template</source>
        <translation>Vorlage bearbeiten</translation>
    </message>
    <message>
        <source>e.g., Standup, Doctor visit</source>
        <translation>z. B. Standup, Arzttermin</translation>
    </message>
    <message>
        <source>Template name</source>
        <translation>Vorlagenname</translation>
    </message>
    <message>
        <source>Event title shown on the calendar</source>
        <translation>Im Kalender angezeigter Termintitel</translation>
    </message>
    <message>
        <source>Event title</source>
        <translation>Termintitel</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <source>Optional location</source>
        <translation>Ort (optional)</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Ort</translation>
    </message>
    <message>
        <source>Use calendar color</source>
        <translation>Kalenderfarbe verwenden</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>Farbe</translation>
    </message>
    <message>
        <source>(use default)</source>
        <translation>(Standard verwenden)</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>Kalender</translation>
    </message>
    <message>
        <source>All-day event</source>
        <translation>Ganztägiger Termin</translation>
    </message>
    <message>
        <source>h</source>
        <translation>Std.</translation>
    </message>
    <message>
        <source>m</source>
        <translation>Min.</translation>
    </message>
    <message>
        <source>Default duration</source>
        <translation>Standarddauer</translation>
    </message>
    <message>
        <source>Recurrence</source>
        <translation>Wiederholung</translation>
    </message>
    <message>
        <source>Reminders</source>
        <translation>Erinnerungen</translation>
    </message>
    <message>
        <source>+ Add reminder</source>
        <translation>+ Erinnerung hinzufügen</translation>
    </message>
    <message>
        <source>No reminders</source>
        <translation>Keine Erinnerungen</translation>
    </message>
    <message>
        <source>Remove reminder</source>
        <translation>Erinnerung entfernen</translation>
    </message>
    <message>
        <source>Template color</source>
        <translation>Vorlagenfarbe</translation>
    </message>
    <message>
        <source>Inherits the calendar&apos;s color. Click to override.</source>
        <translation>Übernimmt die Kalenderfarbe. Zum Überschreiben klicken.</translation>
    </message>
    <message>
        <source>%1, click to change.</source>
        <translation>%1, zum Ändern klicken.</translation>
    </message>
    <message>
        <source>Does not repeat</source>
        <translation>Keine Wiederholung</translation>
    </message>
    <message>
        <source>Missing name</source>
        <translation>Name fehlt</translation>
    </message>
    <message>
        <source>Give this template a name so you can pick it later.</source>
        <translation>Geben Sie dieser Vorlage einen Namen, damit Sie sie später auswählen können.</translation>
    </message>
    <message>
        <source>Missing event title</source>
        <translation>Termintitel fehlt</translation>
    </message>
    <message>
        <source>Set the event title. That&apos;s what events created from this template will be called.</source>
        <translation>Legen Sie den Termintitel fest. So heißen die Termine, die aus dieser Vorlage erstellt werden.</translation>
    </message>
    <message numerus="yes">
        <source>%n day(s) before</source>
        <translation>
            <numerusform>%n Tag vorher</numerusform>
            <numerusform>%n Tage vorher</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n hour(s) before</source>
        <translation>
            <numerusform>%n Stunde vorher</numerusform>
            <numerusform>%n Stunden vorher</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TimelineWidget</name>
    <message>
        <source>+%1</source>
        <translation>+%1</translation>
    </message>
    <message numerus="yes">
        <source>%n more events</source>
        <translation>
            <numerusform>%n weiterer Termin</numerusform>
            <numerusform>%n weitere Termine</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TrayManager</name>
    <message>
        <source>&amp;Show Calendar</source>
        <translation>Kalender &amp;anzeigen</translation>
    </message>
    <message>
        <source>Sync &amp;Now</source>
        <translation>&amp;Jetzt synchronisieren</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Orvandellic Calendar</source>
        <translation>Orvandellic Calendar</translation>
    </message>
    <message>
        <source>%1 — Last sync failed</source>
        <translation>%1 — Letzte Synchronisierung fehlgeschlagen</translation>
    </message>
    <message>
        <source>%1 — Sync failed: %2</source>
        <translation>%1 — Synchronisierung fehlgeschlagen: %2</translation>
    </message>
    <message>
        <source>%1 — No upcoming events</source>
        <translation>%1 — Keine anstehenden Termine</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Ohne Titel</translation>
    </message>
    <message>
        <source>today</source>
        <translation>heute</translation>
    </message>
    <message>
        <source>tomorrow</source>
        <translation>morgen</translation>
    </message>
    <message>
        <source>%1 — Next: %2 (%3, all day)</source>
        <translation>%1 — Nächster: %2 (%3, ganztägig)</translation>
    </message>
    <message>
        <source>at %1</source>
        <translation>um %1</translation>
    </message>
    <message>
        <source>tomorrow at %1</source>
        <translation>morgen um %1</translation>
    </message>
    <message>
        <source>%1 — Next: %2 %3</source>
        <translation>%1 — Nächster: %2 %3</translation>
    </message>
</context>
<context>
    <name>ViewArea</name>
    <message>
        <source>Today · %1</source>
        <translation>Heute · %1</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Heute</translation>
    </message>
    <message>
        <source>Day</source>
        <translation>Tag</translation>
    </message>
    <message>
        <source>Days</source>
        <translation>Tage</translation>
    </message>
    <message>
        <source>Week</source>
        <translation>Woche</translation>
    </message>
    <message>
        <source>Grid</source>
        <translation>Raster</translation>
    </message>
    <message>
        <source>Month</source>
        <translation>Monat</translation>
    </message>
    <message>
        <source>Year</source>
        <translation>Jahr</translation>
    </message>
    <message>
        <source>Days timeline span — Ctrl+Shift+1..5 for 3 / 5 / 7 / 10 / 14 days</source>
        <translation>Zeitraum der Mehrtagesansicht — Ctrl+Shift+1..5 für 3 / 5 / 7 / 10 / 14 Tage</translation>
    </message>
    <message numerus="yes">
        <source>%n days</source>
        <translation>
            <numerusform>%n Tag</numerusform>
            <numerusform>%n Tage</numerusform>
        </translation>
    </message>
    <message>
        <source>%1d</source>
        <translation>%1 T.</translation>
    </message>
    <message>
        <source>All Calendars</source>
        <translation>Alle Kalender</translation>
    </message>
    <message>
        <source>Add Calendar Group…</source>
        <translation>Kalendergruppe hinzufügen…</translation>
    </message>
    <message>
        <source>Edit Current Group…</source>
        <translation>Aktuelle Gruppe bearbeiten…</translation>
    </message>
    <message>
        <source>Delete Current Group</source>
        <translation>Aktuelle Gruppe löschen</translation>
    </message>
    <message>
        <source>Delete group?</source>
        <translation>Gruppe löschen?</translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;? You can recreate it later.</source>
        <translation>„%1“ löschen? Sie können die Gruppe später neu erstellen.</translation>
    </message>
</context>
<context>
    <name>ViewEventActions</name>
    <message>
        <source>Calendar</source>
        <translation>Kalender</translation>
    </message>
</context>
<context>
    <name>ViewFormDialog</name>
    <message>
        <source>Add Calendar Group</source>
        <translation>Kalendergruppe hinzufügen</translation>
    </message>
    <message>
        <source>Edit Calendar Group</source>
        <translation>Kalendergruppe bearbeiten</translation>
    </message>
    <message>
        <source>e.g. Work</source>
        <translation>z. B. Arbeit</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Colour:</source>
        <translation>Farbe:</translation>
    </message>
    <message>
        <source>Calendars in this group (none ticked: every visible calendar):</source>
        <translation>Kalender in dieser Gruppe (keiner angehakt: alle sichtbaren Kalender):</translation>
    </message>
    <message>
        <source>Group Colour</source>
        <translation>Gruppenfarbe</translation>
    </message>
    <message>
        <source>Please enter a name.</source>
        <translation>Bitte geben Sie einen Namen ein.</translation>
    </message>
    <message>
        <source>The group could not be saved.</source>
        <translation>Die Gruppe konnte nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>This group was removed meanwhile, so it cannot be saved.</source>
        <translation>Diese Gruppe wurde inzwischen entfernt und kann daher nicht gespeichert werden.</translation>
    </message>
</context>
<context>
    <name>VisibleEvents</name>
    <message>
        <source>(Untitled)</source>
        <translation>(Ohne Titel)</translation>
    </message>
</context>
<context>
    <name>Weather::GeocodingClient</name>
    <message>
        <source>The place search failed. Check your connection and try again.</source>
        <translation>Die Ortssuche ist fehlgeschlagen. Prüfen Sie Ihre Verbindung und versuchen Sie es erneut.</translation>
    </message>
</context>
<context>
    <name>WeatherSettingsDialog</name>
    <message>
        <source>Weather</source>
        <translation>Wetter</translation>
    </message>
    <message>
        <source>Show the weather forecast in the calendar</source>
        <translation>Wettervorhersage im Kalender anzeigen</translation>
    </message>
    <message>
        <source>Celsius (°C)</source>
        <translation>Celsius (°C)</translation>
    </message>
    <message>
        <source>Fahrenheit (°F)</source>
        <translation>Fahrenheit (°F)</translation>
    </message>
    <message>
        <source>Temperature:</source>
        <translation>Temperatur:</translation>
    </message>
    <message>
        <source>No place chosen</source>
        <translation>Kein Ort ausgewählt</translation>
    </message>
    <message>
        <source>Place:</source>
        <translation>Ort:</translation>
    </message>
    <message>
        <source>City or town</source>
        <translation>Stadt oder Ort</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Searching…</source>
        <translation>Suche läuft…</translation>
    </message>
    <message>
        <source>No place of that name was found.</source>
        <translation>Kein Ort mit diesem Namen gefunden.</translation>
    </message>
    <message>
        <source>Search for a place and choose it to see its forecast.</source>
        <translation>Suchen Sie einen Ort und wählen Sie ihn aus, um seine Vorhersage zu sehen.</translation>
    </message>
</context>
<context>
    <name>Webcal::SyncClient</name>
    <message>
        <source>The calendar&apos;s feed address is not a web address.</source>
        <translation>Die Feed-Adresse des Kalenders ist keine Webadresse.</translation>
    </message>
    <message>
        <source>The calendar feed is too large.</source>
        <translation>Der Kalender-Feed ist zu groß.</translation>
    </message>
    <message>
        <source>The calendar feed did not answer in time.</source>
        <translation>Der Kalender-Feed hat nicht rechtzeitig geantwortet.</translation>
    </message>
    <message>
        <source>The calendar feed could not be downloaded (HTTP %1).</source>
        <translation>Der Kalender-Feed konnte nicht heruntergeladen werden (HTTP %1).</translation>
    </message>
    <message>
        <source>The calendar feed could not be downloaded.</source>
        <translation>Der Kalender-Feed konnte nicht heruntergeladen werden.</translation>
    </message>
    <message>
        <source>The calendar feed is not an iCalendar file.</source>
        <translation>Der Kalender-Feed ist keine iCalendar-Datei.</translation>
    </message>
    <message>
        <source>The calendar feed could not be stored.</source>
        <translation>Der Kalender-Feed konnte nicht gespeichert werden.</translation>
    </message>
</context>
<context>
    <name>WeekGridView</name>
    <message>
        <source>Edit filter &quot;%1&quot;…</source>
        <translation>Filter „%1“ bearbeiten…</translation>
    </message>
    <message>
        <source>Create Filter from Event…</source>
        <translation>Filter aus Termin erstellen…</translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;? You can undo with %2.</source>
        <translation>„%1“ löschen? Sie können dies mit %2 rückgängig machen.</translation>
    </message>
    <message>
        <source>Delete event?</source>
        <translation>Termin löschen?</translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation>Bearbeiten…</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
</context>
<context>
    <name>WeekGridWidget</name>
    <message numerus="yes">
        <source>+%n more</source>
        <translation>
            <numerusform>+%n weiterer</numerusform>
            <numerusform>+%n weitere</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>WeekTimelineWidget</name>
    <message>
        <source>%1 min</source>
        <translation>%1 Min.</translation>
    </message>
</context>
<context>
    <name>WeekView</name>
    <message>
        <source>Edit filter &quot;%1&quot;…</source>
        <translation>Filter „%1“ bearbeiten…</translation>
    </message>
    <message>
        <source>Create Filter from Event…</source>
        <translation>Filter aus Termin erstellen…</translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;? You can undo with %2.</source>
        <translation>„%1“ löschen? Sie können dies mit %2 rückgängig machen.</translation>
    </message>
    <message>
        <source>Delete event?</source>
        <translation>Termin löschen?</translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation>Bearbeiten…</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>Kalender</translation>
    </message>
    <message>
        <source>Moved &quot;%1&quot;</source>
        <translation>„%1“ verschoben</translation>
    </message>
    <message>
        <source>The event could not be moved.</source>
        <translation>Der Termin konnte nicht verschoben werden.</translation>
    </message>
    <message>
        <source>Resized &quot;%1&quot;</source>
        <translation>Dauer von „%1“ geändert</translation>
    </message>
    <message>
        <source>The event could not be resized.</source>
        <translation>Die Dauer des Termins konnte nicht geändert werden.</translation>
    </message>
</context>
<context>
    <name>WelcomeDialog</name>
    <message>
        <source>Welcome</source>
        <translation>Willkommen</translation>
    </message>
    <message>
        <source>Welcome to Calendar</source>
        <translation>Willkommen im Kalender</translation>
    </message>
    <message>
        <source>Your calendars, events and tasks in one place. Add an account to connect a CalDAV server or subscribe to a calendar feed, or get started with the calendar on this device.</source>
        <translation>Ihre Kalender, Termine und Aufgaben an einem Ort. Fügen Sie ein Konto hinzu, um einen CalDAV-Server zu verbinden oder einen Kalender-Feed zu abonnieren, oder legen Sie direkt mit dem Kalender auf diesem Gerät los.</translation>
    </message>
    <message>
        <source>Get Started</source>
        <translation>Los geht’s</translation>
    </message>
    <message>
        <source>Add Account…</source>
        <translation>Konto hinzufügen…</translation>
    </message>
</context>
<context>
    <name>WinTrayPopover</name>
    <message>
        <source>Group</source>
        <translation>Gruppe</translation>
    </message>
    <message>
        <source>Add event — e.g. &quot;lunch Thursday 1pm&quot;</source>
        <translation>Termin hinzufügen — z. B. „lunch Thursday 1pm“</translation>
    </message>
    <message>
        <source>Open Calendar</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Sync Now</source>
        <translation>Synchronisieren</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>now</source>
        <translation>jetzt</translation>
    </message>
    <message>
        <source>in %1 min</source>
        <translation>in %1 Min.</translation>
    </message>
    <message>
        <source>in %1h %2m</source>
        <translation>in %1 Std. %2 Min.</translation>
    </message>
    <message>
        <source>in %1h</source>
        <translation>in %1 Std.</translation>
    </message>
    <message>
        <source>All-day</source>
        <translation>Ganztägig</translation>
    </message>
    <message>
        <source>No calendars yet</source>
        <translation>Noch keine Kalender</translation>
    </message>
    <message>
        <source>No upcoming events</source>
        <translation>Keine anstehenden Termine</translation>
    </message>
    <message>
        <source>Nothing scheduled in the next 24 hours.</source>
        <translation>In den nächsten 24 Stunden ist nichts geplant.</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Ohne Titel</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Heute</translation>
    </message>
    <message>
        <source>  No more events today</source>
        <translation>  Heute keine weiteren Termine</translation>
    </message>
    <message>
        <source>Tomorrow</source>
        <translation>Morgen</translation>
    </message>
    <message>
        <source>  Nothing scheduled</source>
        <translation>  Nichts geplant</translation>
    </message>
    <message>
        <source>Today, all day</source>
        <translation>Heute, ganztägig</translation>
    </message>
    <message>
        <source>Tomorrow, all day</source>
        <translation>Morgen, ganztägig</translation>
    </message>
    <message>
        <source>%1 at %2</source>
        <translation>%1 um %2</translation>
    </message>
    <message>
        <source>(Unnamed)</source>
        <translation>(Ohne Namen)</translation>
    </message>
    <message>
        <source>Couldn&apos;t save event</source>
        <translation>Termin konnte nicht gespeichert werden</translation>
    </message>
</context>
</TS>

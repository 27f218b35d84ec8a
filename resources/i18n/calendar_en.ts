<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name>AccountFormDialog</name>
    <message>
        <source>Add Account</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Where are your calendars?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Google and Microsoft accounts sign in through your web browser, so this program never sees their passwords.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Google</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Google Calendar, signed in through your browser.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Microsoft</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Outlook.com and Microsoft 365, signed in through your browser. Their calendars do not sync yet.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CalDAV Server</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nextcloud, Synology, Radicale, iCloud and other servers, with a user name and password.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit Account</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> min</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Manual only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sync every:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Address:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not signed in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Signed in as %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sign-in:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sign In Again…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No password saved</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unchanged</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Certificate:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check Connection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connected: the server accepted the password.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The account could not be saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>That sign-in is for %1, not for this account (%2). Sign in as %2, or add %1 as an account of its own.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 account</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Signed in, but the credential store did not take the new tokens; the account keeps its old sign-in.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Signed in, but the credential store did not take the tokens, so no account was added.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Signed in again as %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Checked by the system</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pinned, SHA-256 %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter the password first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connecting…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please enter a name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The password could not be stored in the credential store.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This account was removed meanwhile, so it cannot be saved.</source>
        <translation>This account was removed meanwhile, so it cannot be saved.</translation>
    </message>
</context>
<context>
    <name>AgendaEventRow</name>
    <message>
        <source>All-day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(Untitled)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AgendaListWidget</name>
    <message>
        <source>No upcoming events</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mark Incomplete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mark Complete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete task?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;? This cannot be undone.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit filter &quot;%1&quot;…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create Filter from Event…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;? You can undo with %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete event?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AgendaTaskRow</name>
    <message>
        <source>(Untitled)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Overdue</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AllDayStrip</name>
    <message>
        <source>all-day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>+%1 more</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Application</name>
    <message>
        <source>The file was left unchanged.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The calendar file %1 is not a database.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The calendar file %1 is damaged.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The calendar file %1 was made by a newer version of this program (schema %2; this version reads up to %3). Update the program to open it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The calendar file %1 is read-only and was made by an older version of this program; it has to be updated before it can be opened. Make it writable and start again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to initialize the database.

Data directory: %1

This is a file, not a folder. Move or rename the file, then start again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to initialize the database.

The calendar file %1 is a folder, not a database file. Move or rename the folder, then start again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to initialize the database.

Data directory: %1

Please check file permissions and try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Database Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The data directory is in use by another running instance.

Data directory: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read-Only Calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The calendar file %1 is read-only. The calendar is shown, but changes can&apos;t be saved until the file can be written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The command line is too long: at most %1 bytes can be handed to the calendar.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The calendar is running but does not answer; the command was not handed to it.
</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CalDavCertificateDialog</name>
    <message>
        <source>Untrusted Certificate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The certificate of %1 is not trusted. Trust it only if the fingerprint matches the one your server administrator gave you.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Subject: %1
Issuer: %2
Valid: %3 to %4
SHA-256 fingerprint:
%5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Trust Certificate</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CalDavClient</name>
    <message>
        <source>The server&apos;s reply was larger than %1 MB.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server&apos;s reply did not end within %1 s.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server did not answer within %1 s.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CalDavConnectionDialog</name>
    <message>
        <source>Add CalDAV Account</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connect any CalDAV server, such as Nextcloud, Synology, Radicale or iCloud (with an app-specific password).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Server:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter the server&apos;s address, for example https://dav.example.com/.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter your user name and password.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This account has already been added.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connecting…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The account could not be saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The password could not be stored in the credential store.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The account&apos;s calendars could not be saved.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CalDavDiscovery</name>
    <message>
        <source>Enter a CalDAV URL starting with http:// or https://</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not reach the server: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server rejected the username or password.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Server returned HTTP %1 during principal discovery.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lost connection during calendar-home-set discovery: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Server returned HTTP %1 during home-set discovery.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lost connection during calendar enumeration: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Server returned HTTP %1 during calendar enumeration.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No calendars found at the discovered home set.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CalDavImport</name>
    <message numerus="yes">
        <source>%n calendar(s) were not added: the server lists more than %1.</source>
        <translation>
            <numerusform>%n calendar was not added: the server lists more than %1.</numerusform>
            <numerusform>%n calendars were not added: the server lists more than %1.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CalDavSyncClient</name>
    <message>
        <source>Network error: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Push error: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Server returned HTTP %1 pushing &quot;%2&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The events read from the server could not be stored.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Network error during task pull: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Task push error: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Server returned HTTP %1 pushing task &quot;%2&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The tasks read from the server could not be stored.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server&apos;s listing was cut short or unreadable.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Server returned HTTP %1 during ctag check</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Server returned HTTP %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The calendar&apos;s sync state could not be stored.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no reply</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The result of sending &quot;%1&quot; could not be stored.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CalendarFormDialog</name>
    <message>
        <source>Add Calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Calendar to %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit Calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create a new calendar on the CalDAV server. The server must allow MKCALENDAR for your user; if it refuses, the calendar will not be created.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>e.g. Personal, Work, Family</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Color:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pick a calendar color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name required</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please enter a name for the calendar.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Database Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not save the calendar.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not create the local account row.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Missing password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No saved password for this account. Enter it again under Calendar Accounts: select the account, then Edit…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Creating calendar on server…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Network error: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Server refused (HTTP %1). Your account may not have permission to create calendars on this server.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Server returned success but the new calendar isn&apos;t reachable. This server may not support MKCALENDAR.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Created on server, but couldn&apos;t save locally. Run sync to recover.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Account missing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not find the parent account.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saving changes to server…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Server refused (HTTP %1). You may not have permission to rename or recolour this calendar.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saved on server, but couldn&apos;t update locally.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calendar removed</source>
        <translation>Calendar removed</translation>
    </message>
    <message>
        <source>This calendar was removed meanwhile, so it cannot be saved.</source>
        <translation>This calendar was removed meanwhile, so it cannot be saved.</translation>
    </message>
</context>
<context>
    <name>ChangedElsewhere</name>
    <message>
        <source>Title</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>Calendar</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>Color</translation>
    </message>
    <message>
        <source>Times</source>
        <translation>Times</translation>
    </message>
    <message>
        <source>Dates</source>
        <translation>Dates</translation>
    </message>
    <message>
        <source>Repeat</source>
        <translation>Repeat</translation>
    </message>
    <message>
        <source>Reminders</source>
        <translation>Reminders</translation>
    </message>
    <message>
        <source>Priority</source>
        <translation>Priority</translation>
    </message>
    <message>
        <source>Completed</source>
        <translation>Completed</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Location</translation>
    </message>
    <message>
        <source>Categories</source>
        <translation>Categories</translation>
    </message>
    <message>
        <source>Notes</source>
        <translation>Notes</translation>
    </message>
    <message>
        <source>Attendees</source>
        <translation>Attendees</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Your change to %1 replaced a change made elsewhere while the form was open.</source>
        <translation>Your change to %1 replaced a change made elsewhere while the form was open.</translation>
    </message>
    <message>
        <source>Your changes to %1 replaced changes made elsewhere while the form was open.</source>
        <translation>Your changes to %1 replaced changes made elsewhere while the form was open.</translation>
    </message>
    <message>
        <source>Changed elsewhere</source>
        <translation>Changed elsewhere</translation>
    </message>
    <message>
        <source>Conditions</source>
        <translation>Conditions</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>Action</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>Enabled</translation>
    </message>
    <message>
        <source>Calendars</source>
        <translation>Calendars</translation>
    </message>
    <message>
        <source>Sync interval</source>
        <translation>Sync interval</translation>
    </message>
    <message>
        <source>Certificate</source>
        <translation>Certificate</translation>
    </message>
</context>
<context>
    <name>CommandPalette</name>
    <message>
        <source>Find an event or run a command — today, goto, view, new, resync…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>today</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Snap the calendar to today</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>goto YYYY-MM-DD</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Jump to a specific date in Day view</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>view &lt;mode|name&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Switch view mode (day/week/grid/month/year) or active calendar group</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>new &lt;event description&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quick-add an event using the NL parser</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>resync</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pull + push every CalDAV calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>notifytest</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fire a test tray notification (verifies the pipeline)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Switch to Day view</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Switch to Week view (locale-bracketed 7 days)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Switch to Days view (sliding window)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Switch to Grid view</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Switch to Month view</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Switch to Year view</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Days view, 3-day sliding window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Days view, 5-day sliding window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Days view, 10-day medium-term horizon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Days view, 14-day fortnight horizon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(Untitled)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>all-day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Event: %1   —   %2 · %3</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DBusNotifier</name>
    <message>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DateTimePicker</name>
    <message>
        <source>%1 min</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 hr</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 hr %2 min</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DayView</name>
    <message>
        <source>Deleted &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete event?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;? You can undo with %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Moved &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Resized &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not save the change to &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit filter &quot;%1&quot;…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create Filter from Event…</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DetachedAgendaWindow</name>
    <message>
        <source>Agenda — Orvandellic Calendar</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DetachedTasksWindow</name>
    <message>
        <source>Tasks — Orvandellic Calendar</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EventChange</name>
    <message>
        <source>Could not save the change to &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not undo: &quot;%1&quot; no longer exists.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not undo the change to &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not delete &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not restore &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; was deleted or moved to another calendar meanwhile, so nothing was changed.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EventDetailsPopover</name>
    <message>
        <source>Edit…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Duplicate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(Untitled)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unknown calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Organizer: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All-day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (copy)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Duplicate failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The copy of &quot;%1&quot; could not be saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Event change failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete event?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;? You can undo with %2.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EventFormDialog</name>
    <message>
        <source>The clocks skip the time &quot;%1&quot; was set to on %2, so it begins at %3 and ends at %4.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The clocks skip the time &quot;%1&quot; was set to on %2, so it begins at %3 and ends at %4 that day, and repeats at %3.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The start or the end is not a time on this computer&apos;s clock.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Going</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Declined</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Maybe</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delegated</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No response</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>+ Add attendee</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>name@example.com</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not save the event: the calendar file is read-only.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not save the event.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit Event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New Event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>From template…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Update the details below and save to apply.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fill in the basics. Start time and calendar are required.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lunch with Maria, Sprint planning…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Title</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use calendar color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Starts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Ends</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Repeats</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Re&amp;minders</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Address, room, or video link</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Location</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Notes, agenda, links…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Notes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Attendees</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save changes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An import is writing to the calendar. This form saves as soon as it ends.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This event belongs to a read-only calendar. It can be viewed but not changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inheriting calendar color (%1). Click to override.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Custom color (%1). Click to change.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Event color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Does not repeat</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No templates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You haven&apos;t created any event templates yet. Open Tools → Manage Templates to create one.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Title required</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please enter a title for the event.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No calendars</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create a calendar first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>End before start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The end time is earlier than the start time.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read-only calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This event belongs to a read-only calendar and cannot be changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Database Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The repeat rule belongs to the series.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Changed &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>At time of event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>5 minutes before</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>10 minutes before</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>15 minutes before</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>30 minutes before</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 hour before</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2 hours before</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 day before</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2 days before</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 week before</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n minute(s) before</source>
        <translation>
            <numerusform>%n minute before</numerusform>
            <numerusform>%n minutes before</numerusform>
        </translation>
    </message>
    <message>
        <source>+ Add reminder</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n day(s) before</source>
        <translation>
            <numerusform>%n day before</numerusform>
            <numerusform>%n days before</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n hour(s) before</source>
        <translation>
            <numerusform>%n hour before</numerusform>
            <numerusform>%n hours before</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>FilterFormDialog</name>
    <message>
        <source>(Untitled)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit Filter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Filter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit filter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New filter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Filters hide or dim events that match — they don&apos;t delete anything, and you can toggle the whole set off from the filters pill in the status bar.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hide standups, Dim birthdays…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hide completely</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dim (still visible, faded)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Action</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Suppress reminders for matched events</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Apply to calendars</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Leave empty to apply to every calendar.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save changes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create filter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Title contains</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>e.g. standup, lunch, 1:1 — comma separated</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Case sensitive</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exact start time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time range</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>to</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Days of week (empty = every day)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recurring events only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Filtering this specific event:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(Right-click an event and choose &quot;Create Filter from Event&quot; to create a specific-event filter.)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Matches every all-day event in the selected calendars.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Only recurring all-day events</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(Event no longer exists)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(Untitled event)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No events in the next 30 days to preview against.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Would hide %1 of %n event(s) in the next 30 days.</source>
        <translation>
            <numerusform>Would hide %1 of %n event in the next 30 days.</numerusform>
            <numerusform>Would hide %1 of %n events in the next 30 days.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Would dim %1 of %n event(s) in the next 30 days.</source>
        <translation>
            <numerusform>Would dim %1 of %n event in the next 30 days.</numerusform>
            <numerusform>Would dim %1 of %n events in the next 30 days.</numerusform>
        </translation>
    </message>
    <message>
        <source>e.g. %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name required</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please enter a name for the filter.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No patterns</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add at least one phrase to &quot;Title contains&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No event selected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Specific-event filters need to be created from an event&apos;s right-click menu — that&apos;s how the rule learns which event to match.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Database Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not save the filter.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Filter removed</source>
        <translation>Filter removed</translation>
    </message>
    <message>
        <source>This filter was removed meanwhile, so it cannot be saved.</source>
        <translation>This filter was removed meanwhile, so it cannot be saved.</translation>
    </message>
</context>
<context>
    <name>Google::AuthService</name>
    <message>
        <source>Google OAuth credentials are not configured in this build. See .env.example.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not bind a local port for the Google sign-in callback: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not launch the system browser for Google sign-in.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sign-in cancelled.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Google denied the sign-in: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Google did not return an authorization code.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Token exchange failed (HTTP %1): %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Google did not return an access token.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Google did not return a refresh token. Try removing the app from your Google Account permissions and signing in again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Google&apos;s token service did not answer in time.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Google OAuth credentials are not configured.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Token refresh failed (HTTP %1): %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Google&apos;s response had no access_token.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Google::CalendarClient</name>
    <message>
        <source>the reply was larger than %1 MB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the reply did not end within %1 s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no answer within %1 s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Google could not be reached: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No Google access token available.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Google rejected calendarList.list (HTTP %1): %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Google sent a calendar list that is not JSON.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Google&apos;s calendar list does not end.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Google rejected events.list (HTTP %1): %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Google sent an event listing that is not JSON; nothing of it was stored.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Google named the same page of the event listing twice; nothing of it was stored.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Google&apos;s event listing went on past %n page(s); nothing of it was stored.</source>
        <translation>
            <numerusform>Google&apos;s event listing went on past %n page; nothing of it was stored.</numerusform>
            <numerusform>Google&apos;s event listing went on past %n pages; nothing of it was stored.</numerusform>
        </translation>
    </message>
    <message>
        <source>No Google access token.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Google rejected events.%1 (HTTP %2): %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Google answered events.%1 with a reply that is not an event.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Google rejected events.delete (HTTP %1): %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The Google calendars could not be stored.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n more calendar(s) were not added: Google lists more than %1.</source>
        <translation>
            <numerusform>%n more calendar was not added: Google lists more than %1.</numerusform>
            <numerusform>%n more calendars were not added: Google lists more than %1.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Google::SyncClient</name>
    <message>
        <source>Parent account missing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No saved Google credentials. Sign in again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Google token refresh failed: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Google no longer accepts the saved sign-in. Sign in again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Google refused the calendar&apos;s sync token again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The Google events could not be stored.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n event(s) failed to save locally; will retry next sync.</source>
        <translation>
            <numerusform>%n event failed to save locally; will retry next sync.</numerusform>
            <numerusform>%n events failed to save locally; will retry next sync.</numerusform>
        </translation>
    </message>
    <message>
        <source>The Google event&apos;s new state could not be stored.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Google&apos;s copy of &quot;%1&quot; could not be read: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be written to Google: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>IcsImportFlow</name>
    <message numerus="yes">
        <source>Import %n event(s) from &quot;%1&quot; into &quot;%2&quot;?</source>
        <translation>
            <numerusform>Import %n event from &quot;%1&quot; into &quot;%2&quot;?</numerusform>
            <numerusform>Import %n events from &quot;%1&quot; into &quot;%2&quot;?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Imported %n event(s) into %1.</source>
        <translation>
            <numerusform>Imported %n event into %1.</numerusform>
            <numerusform>Imported %n events into %1.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Imported %n event(s) into %1; skipped %2.</source>
        <translation>
            <numerusform>Imported %n event into %1; skipped %2.</numerusform>
            <numerusform>Imported %n events into %1; skipped %2.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n task(s)</source>
        <translation>
            <numerusform>%n task</numerusform>
            <numerusform>%n tasks</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n already present</source>
        <translation>
            <numerusform>%n already present</numerusform>
            <numerusform>%n already present</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n repeated in the file</source>
        <translation>
            <numerusform>%n repeated in the file</numerusform>
            <numerusform>%n repeated in the file</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n without UID or unreadable</source>
        <translation>
            <numerusform>%n without UID or unreadable</numerusform>
            <numerusform>%n without UID or unreadable</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n without start time</source>
        <translation>
            <numerusform>%n without start time</numerusform>
            <numerusform>%n without start time</numerusform>
        </translation>
    </message>
    <message>
        <source>Read-only calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The calendar file is read-only; &quot;%1&quot; was not imported.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No calendars configured</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add a calendar first; then re-import &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No writable calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every calendar is read-only. Add a calendar you can edit; then re-import &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reading &quot;%1&quot;…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The import of %1 was cancelled.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t open file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No events found in &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Skipped: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing to import</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Imported 0 events into %1; skipped %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import events?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Waiting for the sync to end before importing &quot;%1&quot;…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Importing &quot;%1&quot;…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The import of %1 was cancelled; nothing was stored.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The events of %1 could not be imported.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>IcsImportJob</name>
    <message>
        <source>Couldn&apos;t open &quot;%1&quot; for reading.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a file that can be imported: only regular files are read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is too large to import (more than %2 MB).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The calendar store could not be read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The calendar store could not be written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The events could not be stored.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>InvitationsDialog</name>
    <message>
        <source>Accepted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Declined</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Maybe</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No answer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invitations</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>When</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Organizer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your answer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Accept</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Decline</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No invitations.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(No title)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No invitations await your answer.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 invitation awaits your answer.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 invitations await your answer.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your answer could not be saved.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>KeyboardHelpDialog</name>
    <message>
        <source>Keyboard Shortcuts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New task</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quick add</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find events</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Command palette</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sync now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Force full sync</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Go to today</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next period</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Previous period</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>One week later</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>One week earlier</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>One month later</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>One month earlier</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Day view</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Days view</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Week view</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Grid view</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Month view</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Year view</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Days view span: 3, 5, 7, 10 or 14 days (Ctrl+Shift+1 to Ctrl+Shift+5)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Forward</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calendar group 1 (Ctrl+1 to Ctrl+9)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next calendar group</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Previous calendar group</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show empty days in the agenda</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Compact density</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show or hide the tasks pane</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keyboard shortcuts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shortcut</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Action</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Event</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n event(s) without start left out</source>
        <translation>
            <numerusform>%n event without start left out</numerusform>
            <numerusform>%n events without start left out</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Loaded %n sample row(s).</source>
        <translation>
            <numerusform>Loaded %n sample row.</numerusform>
            <numerusform>Loaded %n sample rows.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Removed %n sample row(s).</source>
        <translation>
            <numerusform>Removed %n sample row.</numerusform>
            <numerusform>Removed %n sample rows.</numerusform>
        </translation>
    </message>
    <message>
        <source>Orvandellic Calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your change is saved once the import ends.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Added: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quick-add couldn&apos;t save: &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Signed in to Orvandellic</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Signed out of Orvandellic</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undid: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No accounts configured</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add a Orvandellic Calendar account to store calendars on this device, connect Google or Microsoft, or hook up any CalDAV server (Synology, Nextcloud, Radicale, iCloud).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  Add Account…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Orvandellic Account</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Test notification shown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Test notification not shown: no notification service or tray icon is available</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quick-add ignored: no calendars configured.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The calendar file is read-only; &quot;%1&quot; was not added.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is added once the import ends.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quick-add ignored: no calendar accepts new events (they are read-only or hold only tasks).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quick-add couldn&apos;t parse: &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import ICS file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>iCalendar files (*.ics);;All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calendar is still running in the system tray. Use File → Quit to exit, or turn off Preferences → Startup → Close to tray.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;New Event…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New &amp;Task…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quick &amp;Add…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type an event in plain English (&quot;lunch Thursday 1pm&quot;)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calendar &amp;Accounts…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Sync Now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Force F&amp;ull Sync…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Re-pull every event from every account, ignoring sync tokens</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Invitations…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Import ICS File…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Export Agenda PDF…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Orvandellic &amp;Account…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sign in or sign up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sign &amp;Out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Preferences…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Find Events…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Toggle &amp;Sidebar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show &amp;Empty Days in Agenda</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Compact Density</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Toggle &amp;Tasks Pane</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Detached &amp;Agenda Window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Detached &amp;Tasks Window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add &amp;Filter…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Calendar &amp;Group…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Manage Calendar Gr&amp;oups…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Manage Te&amp;mplates…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Weather…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Developer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load Sample &amp;Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Clear Sample Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send Test &amp;Notification</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Keyboard Shortcuts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fire a sample reminder toast to verify your desktop notification setup.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;What&apos;s New</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send &amp;Feedback…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check for &amp;Updates…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About Orvandellic Calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Manage your account</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Invitations… (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About Orvandellic Calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;h3&gt;Orvandellic Calendar&lt;/h3&gt;&lt;p&gt;Version %1&lt;/p&gt;&lt;p&gt;A CalDAV-first calendar with client-side filters and Views, the killer feature competitors don&apos;t have.&lt;/p&gt;&lt;p&gt;Made for people who keep several calendars in one place. Built with Qt %2.&lt;/p&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear sample data?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove the sample calendars, events, and tasks? Your real data is untouched.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Manage filters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password missing</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n account(s) need sign-in</source>
        <translation>
            <numerusform>%n account needs sign-in</numerusform>
            <numerusform>%n accounts need sign-in</numerusform>
        </translation>
    </message>
    <message>
        <source>Click to open Calendar Accounts and sign in.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n account(s) need password</source>
        <translation>
            <numerusform>%n account needs a password</numerusform>
            <numerusform>%n accounts need a password</numerusform>
        </translation>
    </message>
    <message>
        <source>Click to open Calendar Accounts and re-enter the password.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n account(s) need attention</source>
        <translation>
            <numerusform>%n account needs attention</numerusform>
            <numerusform>%n accounts need attention</numerusform>
        </translation>
    </message>
    <message>
        <source>Click to open Calendar Accounts and resolve the issues.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disable all filters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enable all filters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Filter…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Manage Filters…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No filters</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n filter(s) applied</source>
        <translation>
            <numerusform>%n filter applied</numerusform>
            <numerusform>%n filters applied</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n hidden</source>
        <translation>
            <numerusform>%n hidden</numerusform>
            <numerusform>%n hidden</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Synced %n event(s)</source>
        <translation>
            <numerusform>Synced %n event</numerusform>
            <numerusform>Synced %n events</numerusform>
        </translation>
    </message>
    <message>
        <source>This account&apos;s calendars do not sync in this version.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All caught up, nothing waiting to sync.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Discovered %n new calendar(s).</source>
        <translation>
            <numerusform>Discovered %n new calendar.</numerusform>
            <numerusform>Discovered %n new calendars.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Syncing %n account(s)…</source>
        <translation>
            <numerusform>Syncing %n account…</numerusform>
            <numerusform>Syncing %n accounts…</numerusform>
        </translation>
    </message>
    <message>
        <source>No sync accounts configured. Add one in Calendar Accounts.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Re-fetch every event and task from every account, ignoring saved sync tokens. Useful when items look stale or out of date.

Any unsynced local edits will be discarded in favour of the server&apos;s copy. Pending deletions are preserved.

Heavy accounts may take a minute or two and use more bandwidth than usual.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Force full sync?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The full sync starts once the import ends.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Cleared %n calendar sync token(s), running full sync…</source>
        <translation>
            <numerusform>Cleared %n calendar sync token, running full sync…</numerusform>
            <numerusform>Cleared %n calendar sync tokens, running full sync…</numerusform>
        </translation>
    </message>
    <message>
        <source>The sync did not finish in time.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (%2): %3</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ManageFiltersDialog</name>
    <message>
        <source>Manage Filters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>dim</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>hide</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete Filter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete the filter &quot;%1&quot;? The events it hides show again.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ManageListDialog</name>
    <message>
        <source>Add…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ManageSourcesDialog</name>
    <message>
        <source>Calendar Accounts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Account…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add a Google, Microsoft or CalDAV account</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add CalDAV Account…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Subscribe to Calendar…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Calendar on This Device…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Calendar to Account…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sync Now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Share…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Share Calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Members of your Orvandellic group you share this calendar with see and edit its events.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>People with access</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add people</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not shared with anyone yet.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You are not in a group. Create or join one under File › Orvandellic Account… to share calendars.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All group members already have access</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Share</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove access</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not share</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not remove access</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove access?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 will no longer have access. Continue?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sharing updated.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Subscribe to Calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Address:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Colour:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter a webcal, http or https address.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please enter a name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The subscription could not be saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Subscribed to &quot;%1&quot;. Its events arrive with the next sync.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove Calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove the calendar &quot;%1&quot; with all its events and tasks from this computer?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The calendar could not be removed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove Account</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove the account &quot;%1&quot; and its calendars with all their events and tasks from this computer?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The account could not be removed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Syncing…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing to sync: no account is ready to sync.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sync failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sync failed: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sync finished.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reading the account&apos;s calendars…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The calendars could not be read: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n calendar(s) added. Their events arrive with the sync that starts now.</source>
        <translation>
            <numerusform>%n calendar added. Its events arrive with the sync that starts now.</numerusform>
            <numerusform>%n calendars added. Their events arrive with the sync that starts now.</numerusform>
        </translation>
    </message>
    <message>
        <source>Account added. Its events arrive with the sync that starts now.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Account added. %n calendar(s) were not added: the server lists more than %1. Its events arrive with the sync that starts now.</source>
        <translation>
            <numerusform>Account added. %n calendar was not added: the server lists more than %1. Its events arrive with the sync that starts now.</numerusform>
            <numerusform>Account added. %n calendars were not added: the server lists more than %1. Its events arrive with the sync that starts now.</numerusform>
        </translation>
    </message>
    <message>
        <source>Signed in as %1.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ManageTemplatesDialog</name>
    <message>
        <source>Manage Templates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(Unnamed)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The template could not be saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete Template</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete the template &quot;%1&quot;?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This template was removed meanwhile, so it cannot be saved.</source>
        <translation>This template was removed meanwhile, so it cannot be saved.</translation>
    </message>
</context>
<context>
    <name>ManageViewsDialog</name>
    <message>
        <source>Manage Calendar Groups</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete Calendar Group</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete the group &quot;%1&quot;? Its calendars and events are kept.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Microsoft::AuthService</name>
    <message>
        <source>Microsoft OAuth credentials are not configured in this build. See .env.example.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not bind a local port for the Microsoft sign-in callback: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not launch the system browser for Microsoft sign-in.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sign-in cancelled.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Microsoft denied the sign-in: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Microsoft did not return an authorization code.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Token exchange failed (HTTP %1): %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Microsoft did not return an access token.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Microsoft did not return a refresh token. Verify offline_access is in the scopes configured for this app.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Microsoft&apos;s token service did not answer in time.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Microsoft OAuth credentials are not configured.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Token refresh failed (HTTP %1): %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Microsoft&apos;s response had no access_token.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Microsoft::SyncClient</name>
    <message>
        <source>Microsoft calendars do not sync yet.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MonthGridWidget</name>
    <message>
        <source>+%1 more</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MonthView</name>
    <message>
        <source>Edit filter &quot;%1&quot;…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create Filter from Event…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;? You can undo with %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete event?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>NotificationService</name>
    <message>
        <source>Today</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tomorrow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, all day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Starting now (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>In %1 minutes (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>In %1h (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tomorrow at %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 at %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reminder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Test reminder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>If you can see this, your desktop notifications are wired up correctly. Real reminders look just like this one.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>OAuthProgressDialog</name>
    <message>
        <source>Sign in to %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Waiting for %1…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Complete the sign-in in the browser window that has opened. This window closes by itself when you are done.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>OrvaAccount::AccountGroupPage</name>
    <message>
        <source>Only the first %1 of %2 members are shown.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Only the first %1 of %2 invitations are shown.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>OrvaAccount::AccountScreen</name>
    <message>
        <source>Only the first %1 of %2 devices are shown.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Only the first %1 of %2 sessions are shown.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>OrvaAccount::ApiClient</name>
    <message>
        <source>The service&apos;s reply was too large.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The service gave this entry no id</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>OrvaAccount::ShareMembersDialog</name>
    <message>
        <source>People with access</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add people</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All group members already have access</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not load who has access: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not shared with anyone yet.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove access</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not load your group: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Share</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not share with %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove access?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 will no longer have access. Continue?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not remove %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loading…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Only the first %1 of %2 group members are listed.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>OrvaUpdate</name>
    <message>
        <source>Send Feedback</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No browser could be started. The feedback page is at:
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Checking for updates…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is up to date (version %2).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Update check failed: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loading release notes…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Release notes could not be loaded: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>OrvaUpdate::FeedRequest</name>
    <message>
        <source>The update server sent too much data.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The update server did not answer in time.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The update server answered with status %1.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>OrvaUpdate::ReleaseManifest</name>
    <message>
        <source>The release manifest could not be read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The release manifest has an unknown format.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The release manifest names no version.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The release manifest offers no usable download.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>OrvaUpdate::UpdateDialog</name>
    <message>
        <source>Update Available</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 %2 is available.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You have version %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Release Notes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Later</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>OrvaUpdate::WhatsNewDialog</name>
    <message>
        <source>What&apos;s New in %1 %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loading release notes…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No release notes for this version.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The release notes could not be loaded: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Orvandellic::SharingBackend</name>
    <message>
        <source>Not signed in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sharing failed (HTTP %1)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Orvandellic::SyncClient</name>
    <message>
        <source>Not signed in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The calendar no longer exists.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not store the cloud calendar&apos;s changes.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not reach the cloud service.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cloud sync failed (HTTP %1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n calendar(s) of the cloud calendar list not added: only the first %1 are taken.</source>
        <translation>
            <numerusform>%n calendar of the cloud calendar list not added: only the first %1 are taken.</numerusform>
            <numerusform>%n calendars of the cloud calendar list not added: only the first %1 are taken.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>PdfExportDialog</name>
    <message>
        <source>All day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All day – %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export Agenda PDF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>From:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>To:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Browse…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The end date must not be before the start date.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose a range of at most %1 days.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose a file to write.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Agenda</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not write &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No events in this range.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message numerus="yes">
        <source>%n time(s)</source>
        <translation>
            <numerusform>%n time</numerusform>
            <numerusform>%n times</numerusform>
        </translation>
    </message>
    <message>
        <source>CalDAV</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>iCloud</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoho</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Google</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Microsoft</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Subscription</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This device</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Repeats daily</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every %1 days</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Repeats weekly</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every %1 weeks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Repeats monthly</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every %1 months</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Repeats yearly</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every %1 years</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Repeats</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>on the %1 %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>on the %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>until %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>At time of event</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n min before</source>
        <translation>
            <numerusform>%n min before</numerusform>
            <numerusform>%n min before</numerusform>
        </translation>
    </message>
    <message>
        <source>%1th</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1st</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1nd</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1rd</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>first</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>second</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>third</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>fourth</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>fifth</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>last</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>second-to-last</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1th-from-last</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Today</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tomorrow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Yesterday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>High</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Medium</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Low</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>↳ subtask</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n hour(s) before</source>
        <translation>
            <numerusform>%n hour before</numerusform>
            <numerusform>%n hours before</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n day(s) before</source>
        <translation>
            <numerusform>%n day before</numerusform>
            <numerusform>%n days before</numerusform>
        </translation>
    </message>
    <message>
        <source>Pattern Match</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Filter events matching text patterns</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time-Based</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Filter events at specific times</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Specific Event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Filter a specific recurring event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All-Day Events</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Filter all-day events</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Thu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fri</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sat</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sun</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QuickAddDialog</name>
    <message>
        <source>Quick Add</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type an event in plain English.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>e.g. &quot;lunch Thursday 1pm&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All-day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No calendar accepts new events</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t read an event in this text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t save event</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RecurrenceEditDialog</name>
    <message>
        <source>Recurrence</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Daily</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Weekly</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Monthly</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Yearly</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Does not repeat</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frequency</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On day of the month</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>of every month</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On the nth weekday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>first</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>second</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>third</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>fourth</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>last</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Monday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tuesday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wednesday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Thursday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Friday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saturday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sunday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Never</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>After</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>occurrences</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ends</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>days</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>month</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>months</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>year</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>years</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>week</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>weeks</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RecurringEdit</name>
    <message>
        <source>The clocks skip the time &quot;%1&quot; was moved to on %2, so it begins at %3 that day and repeats at %3.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The days of this series&apos; repeat rule cannot all move by the same number of days, so the series was left as it was. To move it, change its repeat rule together with its date in the event form.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not undo: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; was changed elsewhere meanwhile, so nothing was changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The change of &quot;%1&quot; on %2 was deleted elsewhere meanwhile, so nothing was changed.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RecurringEditScopeDialog</name>
    <message>
        <source>Delete Recurring Event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit Recurring Event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This event repeats. Delete:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This event repeats. Apply your changes to:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This event only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Only this occurrence is changed; the rest of the series stays as it was.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This and following events</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This occurrence and every later one inherit the change. Past occurrences keep their original times.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All events in the series</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The master event shifts; every occurrence — past and future — moves with it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Only this occurrence is deleted; the rest of the series stays.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This occurrence and every later one are deleted. Earlier occurrences stay.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every occurrence — past and future — is deleted.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ReminderWindow</name>
    <message>
        <source>Reminders</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dismiss all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dismiss</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RruleFormat</name>
    <message>
        <source>Mon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Thu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fri</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sat</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sun</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SearchDialog</name>
    <message>
        <source>%1 · All day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find Events</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search titles, locations and notes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(No title)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No events found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Showing the first %1 matches.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 event found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 events found.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SeriesActions</name>
    <message>
        <source>Could not delete &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SettingsDialog</name>
    <message>
        <source>Preferences</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>12-hour (1:30 PM)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>24-hour (13:30)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time format:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Follow the system</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Week starts on:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>to</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Working hours:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show week numbers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>None</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Default calendar:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the weather forecast</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>General</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Light</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dark</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Theme:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Default</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Blue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Teal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Green</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Orange</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Red</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Purple</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pink</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Accent colour:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Language:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A new language applies the next time Calendar starts.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Appearance</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start Calendar when I log in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start minimised to the tray</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close to tray (keep running in the background)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Startup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>When you are signed in, these settings follow you to your other devices:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Accounts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Filter rules</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Templates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calendar groups</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sync</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StoredTask</name>
    <message>
        <source>Task not found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; was moved to another calendar meanwhile, so nothing was changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This task no longer exists.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TaskDetailsPopover</name>
    <message>
        <source>Edit…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Subtask</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This task no longer exists.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(Untitled task)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>▶  Starts %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unknown calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 priority</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mark incomplete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mark complete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Task not found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Task change failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The task could not be changed; it may have been deleted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Task</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete task?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;? This cannot be undone.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not delete &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TaskFormDialog</name>
    <message>
        <source>Could not save the task: the calendar file is read-only.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not save the task.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit Task</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New Task</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit task</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New task</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Update the task and save to apply.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drop a quick to-do; due date and priority are optional.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Buy birthday gift, prep Q1 report…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Title</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Starts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set start date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Due</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set due date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Does not repeat</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Repeat</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Due date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Completion date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Due date: next due = current due + interval.
Completion date: next due = today + interval.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Repeats &amp;from</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>— None</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>● High</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>● Medium</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>● Low</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Priority</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Completed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>e.g. Personal, Health, Errands</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Categories</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Steps, links, context…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Notes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An import is being written; the task is saved when it ends.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save changes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create task</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This task belongs to a read-only calendar. It can be viewed but not changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Subtasks stay in their parent task&apos;s calendar.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The parent task belongs to a read-only calendar, so it cannot get subtasks.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Title required</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please enter a title for the task.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No calendars</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create a calendar first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start after due date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The start date is later than the due date.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Task removed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This task was deleted meanwhile, so it cannot be saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The parent task was deleted meanwhile, so the subtask cannot be saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot move task</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The chosen calendar already holds this task or one of its subtasks.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Database Error</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TasksPane</name>
    <message>
        <source>Tasks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Filter tasks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All tasks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Due today</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Due this week</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Overdue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Group by calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hide completed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show notes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show categories</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No tasks yet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create a task to track what needs doing.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>+ New Task</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing due today</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing due this week</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing overdue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You&apos;re caught up. Nice.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Switch the filter to see other tasks.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No calendars</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create a calendar first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Task not found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This task no longer exists.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can&apos;t move task</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Subtasks must belong to the same calendar as their parent. Move &quot;%1&quot; to the same calendar first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Subtask</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mark Incomplete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mark Complete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear In Progress</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mark In Progress</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restore Task</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mark Cancelled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Make Top-Level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete task?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;? This cannot be undone.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TasksPaneRow</name>
    <message>
        <source>(Untitled)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IN PROGRESS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CANCELLED</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TemplateEditorDialog</name>
    <message>
        <source>At time of event</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n minute(s) before</source>
        <translation>
            <numerusform>%n minute before</numerusform>
            <numerusform>%n minutes before</numerusform>
        </translation>
    </message>
    <message>
        <source>1 hour before</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New Template</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit Template</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>e.g., Standup, Doctor visit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Template name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Event title shown on the calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Event title</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Description</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Optional location</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Location</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use calendar color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(use default)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All-day event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>h</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>m</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Default duration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recurrence</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reminders</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>+ Add reminder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No reminders</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove reminder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Template color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inherits the calendar&apos;s color. Click to override.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, click to change.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Does not repeat</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Missing name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Give this template a name so you can pick it later.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Missing event title</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set the event title. That&apos;s what events created from this template will be called.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n day(s) before</source>
        <translation>
            <numerusform>%n day before</numerusform>
            <numerusform>%n days before</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n hour(s) before</source>
        <translation>
            <numerusform>%n hour before</numerusform>
            <numerusform>%n hours before</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TimelineWidget</name>
    <message>
        <source>+%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n more events</source>
        <translation>
            <numerusform>%n more event</numerusform>
            <numerusform>%n more events</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TrayManager</name>
    <message>
        <source>&amp;Show Calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sync &amp;Now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Orvandellic Calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 — Last sync failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 — Sync failed: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 — No upcoming events</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>today</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>tomorrow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 — Next: %2 (%3, all day)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>at %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>tomorrow at %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 — Next: %2 %3</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ViewArea</name>
    <message numerus="yes">
        <source>%n days</source>
        <translation>
            <numerusform>%n day</numerusform>
            <numerusform>%n days</numerusform>
        </translation>
    </message>
    <message>
        <source>Today · %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Today</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Days</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Week</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Grid</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Month</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Year</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Days timeline span — Ctrl+Shift+1..5 for 3 / 5 / 7 / 10 / 14 days</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1d</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All Calendars</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Calendar Group…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit Current Group…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete Current Group</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete group?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;? You can recreate it later.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ViewEventActions</name>
    <message>
        <source>Calendar</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ViewFormDialog</name>
    <message>
        <source>Add Calendar Group</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit Calendar Group</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>e.g. Work</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Colour:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calendars in this group (none ticked: every visible calendar):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Group Colour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please enter a name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The group could not be saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This group was removed meanwhile, so it cannot be saved.</source>
        <translation>This group was removed meanwhile, so it cannot be saved.</translation>
    </message>
</context>
<context>
    <name>VisibleEvents</name>
    <message>
        <source>(Untitled)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Weather::GeocodingClient</name>
    <message>
        <source>The place search failed. Check your connection and try again.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WeatherSettingsDialog</name>
    <message>
        <source>Weather</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the weather forecast in the calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Celsius (°C)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fahrenheit (°F)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Temperature:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No place chosen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Place:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>City or town</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Searching…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No place of that name was found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search for a place and choose it to see its forecast.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Webcal::SyncClient</name>
    <message>
        <source>The calendar&apos;s feed address is not a web address.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The calendar feed is too large.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The calendar feed did not answer in time.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The calendar feed could not be downloaded (HTTP %1).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The calendar feed could not be downloaded.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The calendar feed is not an iCalendar file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The calendar feed could not be stored.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WeekGridView</name>
    <message>
        <source>Edit filter &quot;%1&quot;…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create Filter from Event…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;? You can undo with %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete event?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WeekGridWidget</name>
    <message numerus="yes">
        <source>+%n more</source>
        <translation>
            <numerusform>+%n more</numerusform>
            <numerusform>+%n more</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>WeekTimelineWidget</name>
    <message>
        <source>%1 min</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WeekView</name>
    <message>
        <source>Edit filter &quot;%1&quot;…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create Filter from Event…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;? You can undo with %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete event?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Moved &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The event could not be moved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Resized &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The event could not be resized.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WelcomeDialog</name>
    <message>
        <source>Welcome</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Welcome to Calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your calendars, events and tasks in one place. Add an account to connect a CalDAV server or subscribe to a calendar feed, or get started with the calendar on this device.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Get Started</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Account…</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WinTrayPopover</name>
    <message>
        <source>Group</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add event — e.g. &quot;lunch Thursday 1pm&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sync Now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>in %1 min</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>in %1h %2m</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>in %1h</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All-day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No calendars yet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No upcoming events</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing scheduled in the next 24 hours.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Today</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  No more events today</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tomorrow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  Nothing scheduled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Today, all day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tomorrow, all day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 at %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(Unnamed)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t save event</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>

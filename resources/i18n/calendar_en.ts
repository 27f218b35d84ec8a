<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
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
</context>
<context>
    <name>MainWindow</name>
    <message numerus="yes">
        <source>Synced %n events</source>
        <translation>
            <numerusform>Synced %n event</numerusform>
            <numerusform>Synced %n events</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n event(s) without start left out</source>
        <translation>
            <numerusform>%n event without start left out</numerusform>
            <numerusform>%n events without start left out</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>MainWindowMenus</name>
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
</context>
<context>
    <name>StatusBarWidgets</name>
    <message numerus="yes">
        <source>%n account(s) need sign-in</source>
        <translation>
            <numerusform>%n account needs sign-in</numerusform>
            <numerusform>%n accounts need sign-in</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n account(s) need password</source>
        <translation>
            <numerusform>%n account needs password</numerusform>
            <numerusform>%n accounts need password</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n account(s) need attention</source>
        <translation>
            <numerusform>%n account needs attention</numerusform>
            <numerusform>%n accounts need attention</numerusform>
        </translation>
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
</TS>

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>AccountFormDialog</name>
    <message>
        <source>Add Account</source>
        <translation>Añadir cuenta</translation>
    </message>
    <message>
        <source>Where are your calendars?</source>
        <translation>¿Dónde están los calendarios?</translation>
    </message>
    <message>
        <source>Google and Microsoft accounts sign in through your web browser, so this program never sees their passwords.</source>
        <translation>Las cuentas de Google y Microsoft inician sesión a través del navegador web, así que este programa nunca ve sus contraseñas.</translation>
    </message>
    <message>
        <source>Google</source>
        <translation>Google</translation>
    </message>
    <message>
        <source>Google Calendar, signed in through your browser.</source>
        <translation>Google Calendar, con inicio de sesión a través del navegador.</translation>
    </message>
    <message>
        <source>Microsoft</source>
        <translation>Microsoft</translation>
    </message>
    <message>
        <source>Outlook.com and Microsoft 365, signed in through your browser. Their calendars do not sync yet.</source>
        <translation>Outlook.com y Microsoft 365, con inicio de sesión a través del navegador. Sus calendarios aún no se sincronizan.</translation>
    </message>
    <message>
        <source>CalDAV Server</source>
        <translation>Servidor CalDAV</translation>
    </message>
    <message>
        <source>Nextcloud, Synology, Radicale, iCloud and other servers, with a user name and password.</source>
        <translation>Nextcloud, Synology, Radicale, iCloud y otros servidores, con nombre de usuario y contraseña.</translation>
    </message>
    <message>
        <source>Edit Account</source>
        <translation>Editar cuenta</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Nombre:</translation>
    </message>
    <message>
        <source> min</source>
        <translation> min</translation>
    </message>
    <message>
        <source>Manual only</source>
        <translation>Solo manualmente</translation>
    </message>
    <message>
        <source>Sync every:</source>
        <translation>Sincronizar cada:</translation>
    </message>
    <message>
        <source>Address:</source>
        <translation>Dirección:</translation>
    </message>
    <message>
        <source>Not signed in</source>
        <translation>Sesión no iniciada</translation>
    </message>
    <message>
        <source>Signed in as %1</source>
        <translation>Sesión iniciada como %1</translation>
    </message>
    <message>
        <source>Sign-in:</source>
        <translation>Inicio de sesión:</translation>
    </message>
    <message>
        <source>Sign In Again…</source>
        <translation>Volver a iniciar sesión…</translation>
    </message>
    <message>
        <source>No password saved</source>
        <translation>No hay ninguna contraseña guardada</translation>
    </message>
    <message>
        <source>Unchanged</source>
        <translation>Sin cambios</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Contraseña:</translation>
    </message>
    <message>
        <source>Certificate:</source>
        <translation>Certificado:</translation>
    </message>
    <message>
        <source>Check Connection</source>
        <translation>Comprobar conexión</translation>
    </message>
    <message>
        <source>Connected: the server accepted the password.</source>
        <translation>Conectado: el servidor aceptó la contraseña.</translation>
    </message>
    <message>
        <source>The account could not be saved.</source>
        <translation>No se pudo guardar la cuenta.</translation>
    </message>
    <message>
        <source>That sign-in is for %1, not for this account (%2). Sign in as %2, or add %1 as an account of its own.</source>
        <translation>Ese inicio de sesión es de %1, no de esta cuenta (%2). Hay que iniciar sesión como %2 o añadir %1 como una cuenta independiente.</translation>
    </message>
    <message>
        <source>%1 account</source>
        <translation>Cuenta de %1</translation>
    </message>
    <message>
        <source>Signed in, but the credential store did not take the new tokens; the account keeps its old sign-in.</source>
        <translation>Se inició sesión, pero el almacén de credenciales no aceptó los nuevos tokens; la cuenta conserva su inicio de sesión anterior.</translation>
    </message>
    <message>
        <source>Signed in, but the credential store did not take the tokens, so no account was added.</source>
        <translation>Se inició sesión, pero el almacén de credenciales no aceptó los tokens, por lo que no se añadió ninguna cuenta.</translation>
    </message>
    <message>
        <source>Signed in again as %1.</source>
        <translation>Se ha vuelto a iniciar sesión como %1.</translation>
    </message>
    <message>
        <source>Checked by the system</source>
        <translation>Comprobado por el sistema</translation>
    </message>
    <message>
        <source>Pinned, SHA-256 %1</source>
        <translation>Fijado, SHA-256 %1</translation>
    </message>
    <message>
        <source>Enter the password first.</source>
        <translation>Primero hay que introducir la contraseña.</translation>
    </message>
    <message>
        <source>Connecting…</source>
        <translation>Conectando…</translation>
    </message>
    <message>
        <source>Please enter a name.</source>
        <translation>Hay que introducir un nombre.</translation>
    </message>
    <message>
        <source>The password could not be stored in the credential store.</source>
        <translation>No se pudo guardar la contraseña en el almacén de credenciales.</translation>
    </message>
    <message>
        <source>This account was removed meanwhile, so it cannot be saved.</source>
        <translation>Esta cuenta se eliminó mientras tanto, así que no se puede guardar.</translation>
    </message>
</context>
<context>
    <name>AgendaEventRow</name>
    <message>
        <source>All-day</source>
        <translation>Todo el día</translation>
    </message>
    <message>
        <source>(Untitled)</source>
        <translation>(Sin título)</translation>
    </message>
</context>
<context>
    <name>AgendaListWidget</name>
    <message>
        <source>No upcoming events</source>
        <translation>No hay próximos eventos</translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation>Editar…</translation>
    </message>
    <message>
        <source>Mark Incomplete</source>
        <translation>Marcar como pendiente</translation>
    </message>
    <message>
        <source>Mark Complete</source>
        <translation>Marcar como completada</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Eliminar</translation>
    </message>
    <message>
        <source>Delete task?</source>
        <translation>¿Eliminar la tarea?</translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;? This cannot be undone.</source>
        <translation>¿Eliminar &quot;%1&quot;? Esta acción no se puede deshacer.</translation>
    </message>
    <message>
        <source>Edit filter &quot;%1&quot;…</source>
        <translation>Editar filtro &quot;%1&quot;…</translation>
    </message>
    <message>
        <source>Create Filter from Event…</source>
        <translation>Crear filtro a partir del evento…</translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;? You can undo with %2.</source>
        <translation>¿Eliminar &quot;%1&quot;? Se puede deshacer con %2.</translation>
    </message>
    <message>
        <source>Delete event?</source>
        <translation>¿Eliminar el evento?</translation>
    </message>
</context>
<context>
    <name>AgendaTaskRow</name>
    <message>
        <source>(Untitled)</source>
        <translation>(Sin título)</translation>
    </message>
    <message>
        <source>Overdue</source>
        <translation>Vencida</translation>
    </message>
</context>
<context>
    <name>AllDayStrip</name>
    <message>
        <source>all-day</source>
        <translation>todo el día</translation>
    </message>
    <message>
        <source>+%1 more</source>
        <translation>+%1 más</translation>
    </message>
</context>
<context>
    <name>Application</name>
    <message>
        <source>The file was left unchanged.</source>
        <translation>El archivo no se ha modificado.</translation>
    </message>
    <message>
        <source>The calendar file %1 is not a database.</source>
        <translation>El archivo de calendario %1 no es una base de datos.</translation>
    </message>
    <message>
        <source>The calendar file %1 is damaged.</source>
        <translation>El archivo de calendario %1 está dañado.</translation>
    </message>
    <message>
        <source>The calendar file %1 was made by a newer version of this program (schema %2; this version reads up to %3). Update the program to open it.</source>
        <translation>El archivo de calendario %1 lo creó una versión más reciente de este programa (esquema %2; esta versión lee hasta el %3). Hay que actualizar el programa para abrirlo.</translation>
    </message>
    <message>
        <source>The calendar file %1 is read-only and was made by an older version of this program; it has to be updated before it can be opened. Make it writable and start again.</source>
        <translation>El archivo de calendario %1 es de solo lectura y lo creó una versión anterior de este programa; hay que actualizarlo antes de poder abrirlo. Hay que habilitar la escritura en el archivo y volver a iniciar el programa.</translation>
    </message>
    <message>
        <source>Failed to initialize the database.

Data directory: %1

This is a file, not a folder. Move or rename the file, then start again.</source>
        <translation>No se pudo inicializar la base de datos.

Directorio de datos: %1

Esto es un archivo, no una carpeta. Hay que mover el archivo o cambiarle el nombre y volver a iniciar el programa.</translation>
    </message>
    <message>
        <source>Failed to initialize the database.

The calendar file %1 is a folder, not a database file. Move or rename the folder, then start again.</source>
        <translation>No se pudo inicializar la base de datos.

El archivo de calendario %1 es una carpeta, no un archivo de base de datos. Hay que mover la carpeta o cambiarle el nombre y volver a iniciar el programa.</translation>
    </message>
    <message>
        <source>Failed to initialize the database.

Data directory: %1

Please check file permissions and try again.</source>
        <translation>No se pudo inicializar la base de datos.

Directorio de datos: %1

Conviene comprobar los permisos de los archivos y volver a intentarlo.</translation>
    </message>
    <message>
        <source>Database Error</source>
        <translation>Error de base de datos</translation>
    </message>
    <message>
        <source>The data directory is in use by another running instance.

Data directory: %1</source>
        <translation>Otra instancia en ejecución está usando el directorio de datos.

Directorio de datos: %1</translation>
    </message>
    <message>
        <source>Read-Only Calendar</source>
        <translation>Calendario de solo lectura</translation>
    </message>
    <message>
        <source>The calendar file %1 is read-only. The calendar is shown, but changes can&apos;t be saved until the file can be written.</source>
        <translation>El archivo de calendario %1 es de solo lectura. El calendario se muestra, pero los cambios no se podrán guardar hasta que se pueda escribir en el archivo.</translation>
    </message>
    <message>
        <source>The command line is too long: at most %1 bytes can be handed to the calendar.
</source>
        <translation>La línea de comandos es demasiado larga: se pueden entregar al calendario como máximo %1 bytes.
</translation>
    </message>
    <message>
        <source>The calendar is running but does not answer; the command was not handed to it.
</source>
        <translation>El calendario se está ejecutando pero no responde; no se le ha entregado el comando.
</translation>
    </message>
</context>
<context>
    <name>CalDavCertificateDialog</name>
    <message>
        <source>Untrusted Certificate</source>
        <translation>Certificado no fiable</translation>
    </message>
    <message>
        <source>The certificate of %1 is not trusted. Trust it only if the fingerprint matches the one your server administrator gave you.</source>
        <translation>El certificado de %1 no es de confianza. Solo se debe confiar en él si la huella digital coincide con la que facilitó el administrador del servidor.</translation>
    </message>
    <message>
        <source>Subject: %1
Issuer: %2
Valid: %3 to %4
SHA-256 fingerprint:
%5</source>
        <translation>Sujeto: %1
Emisor: %2
Válido: del %3 al %4
Huella digital SHA-256:
%5</translation>
    </message>
    <message>
        <source>Trust Certificate</source>
        <translation>Confiar en el certificado</translation>
    </message>
</context>
<context>
    <name>CalDavClient</name>
    <message>
        <source>The server&apos;s reply was larger than %1 MB.</source>
        <translation>La respuesta del servidor superó los %1 MB.</translation>
    </message>
    <message>
        <source>The server&apos;s reply did not end within %1 s.</source>
        <translation>La respuesta del servidor no terminó en %1 s.</translation>
    </message>
    <message>
        <source>The server did not answer within %1 s.</source>
        <translation>El servidor no respondió en %1 s.</translation>
    </message>
</context>
<context>
    <name>CalDavConnectionDialog</name>
    <message>
        <source>Add CalDAV Account</source>
        <translation>Añadir cuenta CalDAV</translation>
    </message>
    <message>
        <source>Connect any CalDAV server, such as Nextcloud, Synology, Radicale or iCloud (with an app-specific password).</source>
        <translation>Conectar cualquier servidor CalDAV, como Nextcloud, Synology, Radicale o iCloud (con una contraseña específica de aplicación).</translation>
    </message>
    <message>
        <source>Server:</source>
        <translation>Servidor:</translation>
    </message>
    <message>
        <source>User name:</source>
        <translation>Nombre de usuario:</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Contraseña:</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Conectar</translation>
    </message>
    <message>
        <source>Enter the server&apos;s address, for example https://dav.example.com/.</source>
        <translation>Introducir la dirección del servidor, por ejemplo https://dav.example.com/.</translation>
    </message>
    <message>
        <source>Enter your user name and password.</source>
        <translation>Introducir el nombre de usuario y la contraseña.</translation>
    </message>
    <message>
        <source>This account has already been added.</source>
        <translation>Esta cuenta ya se ha añadido.</translation>
    </message>
    <message>
        <source>Connecting…</source>
        <translation>Conectando…</translation>
    </message>
    <message>
        <source>The account could not be saved.</source>
        <translation>No se pudo guardar la cuenta.</translation>
    </message>
    <message>
        <source>The password could not be stored in the credential store.</source>
        <translation>No se pudo guardar la contraseña en el almacén de credenciales.</translation>
    </message>
    <message>
        <source>The account&apos;s calendars could not be saved.</source>
        <translation>No se pudieron guardar los calendarios de la cuenta.</translation>
    </message>
</context>
<context>
    <name>CalDavDiscovery</name>
    <message>
        <source>Enter a CalDAV URL starting with http:// or https://</source>
        <translation>Hay que introducir una URL de CalDAV que empiece por http:// o https://</translation>
    </message>
    <message>
        <source>Could not reach the server: %1</source>
        <translation>No se pudo contactar con el servidor: %1</translation>
    </message>
    <message>
        <source>The server rejected the username or password.</source>
        <translation>El servidor rechazó el nombre de usuario o la contraseña.</translation>
    </message>
    <message>
        <source>Server returned HTTP %1 during principal discovery.</source>
        <translation>El servidor devolvió HTTP %1 al detectar el principal.</translation>
    </message>
    <message>
        <source>Lost connection during calendar-home-set discovery: %1</source>
        <translation>Se perdió la conexión al detectar el calendar-home-set: %1</translation>
    </message>
    <message>
        <source>Server returned HTTP %1 during home-set discovery.</source>
        <translation>El servidor devolvió HTTP %1 al detectar el home set.</translation>
    </message>
    <message>
        <source>Lost connection during calendar enumeration: %1</source>
        <translation>Se perdió la conexión al enumerar los calendarios: %1</translation>
    </message>
    <message>
        <source>Server returned HTTP %1 during calendar enumeration.</source>
        <translation>El servidor devolvió HTTP %1 al enumerar los calendarios.</translation>
    </message>
    <message>
        <source>No calendars found at the discovered home set.</source>
        <translation>No se encontraron calendarios en el home set detectado.</translation>
    </message>
</context>
<context>
    <name>CalDavImport</name>
    <message numerus="yes">
        <source>%n calendar(s) were not added: the server lists more than %1.</source>
        <translation>
            <numerusform>No se añadió %n calendario: el servidor lista más de %1.</numerusform>
            <numerusform>No se añadieron %n calendarios: el servidor lista más de %1.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CalDavSyncClient</name>
    <message>
        <source>Network error: %1</source>
        <translation>Error de red: %1</translation>
    </message>
    <message>
        <source>Push error: %1</source>
        <translation>Error al enviar: %1</translation>
    </message>
    <message>
        <source>Server returned HTTP %1 pushing &quot;%2&quot;</source>
        <translation>El servidor devolvió HTTP %1 al enviar &quot;%2&quot;</translation>
    </message>
    <message>
        <source>The events read from the server could not be stored.</source>
        <translation>No se pudieron guardar los eventos leídos del servidor.</translation>
    </message>
    <message>
        <source>Network error during task pull: %1</source>
        <translation>Error de red al descargar las tareas: %1</translation>
    </message>
    <message>
        <source>Task push error: %1</source>
        <translation>Error al enviar la tarea: %1</translation>
    </message>
    <message>
        <source>Server returned HTTP %1 pushing task &quot;%2&quot;</source>
        <translation>El servidor devolvió HTTP %1 al enviar la tarea &quot;%2&quot;</translation>
    </message>
    <message>
        <source>The tasks read from the server could not be stored.</source>
        <translation>No se pudieron guardar las tareas leídas del servidor.</translation>
    </message>
    <message>
        <source>The server&apos;s listing was cut short or unreadable.</source>
        <translation>La lista del servidor llegó incompleta o ilegible.</translation>
    </message>
    <message>
        <source>Server returned HTTP %1 during ctag check</source>
        <translation>El servidor devolvió HTTP %1 al comprobar el ctag</translation>
    </message>
    <message>
        <source>Server returned HTTP %1</source>
        <translation>El servidor devolvió HTTP %1</translation>
    </message>
    <message>
        <source>The calendar&apos;s sync state could not be stored.</source>
        <translation>No se pudo guardar el estado de sincronización del calendario.</translation>
    </message>
    <message>
        <source>no reply</source>
        <translation>sin respuesta</translation>
    </message>
    <message>
        <source>The result of sending &quot;%1&quot; could not be stored.</source>
        <translation>No se pudo guardar el resultado del envío de &quot;%1&quot;.</translation>
    </message>
</context>
<context>
    <name>CalendarFormDialog</name>
    <message>
        <source>Add Calendar</source>
        <translation>Añadir calendario</translation>
    </message>
    <message>
        <source>Add Calendar to %1</source>
        <translation>Añadir calendario a %1</translation>
    </message>
    <message>
        <source>Edit Calendar</source>
        <translation>Editar calendario</translation>
    </message>
    <message>
        <source>Create a new calendar on the CalDAV server. The server must allow MKCALENDAR for your user; if it refuses, the calendar will not be created.</source>
        <translation>Crear un calendario nuevo en el servidor CalDAV. El servidor debe permitir MKCALENDAR al usuario; si lo rechaza, el calendario no se creará.</translation>
    </message>
    <message>
        <source>e.g. Personal, Work, Family</source>
        <translation>p. ej., Personal, Trabajo, Familia</translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation>&amp;Nombre:</translation>
    </message>
    <message>
        <source>&amp;Color:</source>
        <translation>&amp;Color:</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Guardar</translation>
    </message>
    <message>
        <source>Create</source>
        <translation>Crear</translation>
    </message>
    <message>
        <source>Pick a calendar color</source>
        <translation>Elegir un color para el calendario</translation>
    </message>
    <message>
        <source>Name required</source>
        <translation>Nombre obligatorio</translation>
    </message>
    <message>
        <source>Please enter a name for the calendar.</source>
        <translation>Hay que introducir un nombre para el calendario.</translation>
    </message>
    <message>
        <source>Database Error</source>
        <translation>Error de base de datos</translation>
    </message>
    <message>
        <source>Could not save the calendar.</source>
        <translation>No se pudo guardar el calendario.</translation>
    </message>
    <message>
        <source>Could not create the local account row.</source>
        <translation>No se pudo crear la fila de la cuenta local.</translation>
    </message>
    <message>
        <source>Missing password</source>
        <translation>Falta la contraseña</translation>
    </message>
    <message>
        <source>No saved password for this account. Enter it again under Calendar Accounts: select the account, then Edit…</source>
        <translation>No hay ninguna contraseña guardada para esta cuenta. Se puede volver a introducir en Cuentas de calendario: seleccionar la cuenta y luego Editar…</translation>
    </message>
    <message>
        <source>Creating calendar on server…</source>
        <translation>Creando el calendario en el servidor…</translation>
    </message>
    <message>
        <source>Network error: %1</source>
        <translation>Error de red: %1</translation>
    </message>
    <message>
        <source>Server refused (HTTP %1). Your account may not have permission to create calendars on this server.</source>
        <translation>El servidor lo rechazó (HTTP %1). Es posible que la cuenta no tenga permiso para crear calendarios en este servidor.</translation>
    </message>
    <message>
        <source>Server returned success but the new calendar isn&apos;t reachable. This server may not support MKCALENDAR.</source>
        <translation>El servidor indicó éxito, pero no se puede acceder al nuevo calendario. Es posible que este servidor no admita MKCALENDAR.</translation>
    </message>
    <message>
        <source>Created on server, but couldn&apos;t save locally. Run sync to recover.</source>
        <translation>Se creó en el servidor, pero no se pudo guardar localmente. Una sincronización lo recuperará.</translation>
    </message>
    <message>
        <source>Account missing</source>
        <translation>Falta la cuenta</translation>
    </message>
    <message>
        <source>Could not find the parent account.</source>
        <translation>No se encontró la cuenta principal.</translation>
    </message>
    <message>
        <source>Saving changes to server…</source>
        <translation>Guardando los cambios en el servidor…</translation>
    </message>
    <message>
        <source>Server refused (HTTP %1). You may not have permission to rename or recolour this calendar.</source>
        <translation>El servidor lo rechazó (HTTP %1). Es posible que falte permiso para cambiar el nombre o el color de este calendario.</translation>
    </message>
    <message>
        <source>Saved on server, but couldn&apos;t update locally.</source>
        <translation>Se guardó en el servidor, pero no se pudo actualizar localmente.</translation>
    </message>
    <message>
        <source>Calendar removed</source>
        <translation>Calendario eliminado</translation>
    </message>
    <message>
        <source>This calendar was removed meanwhile, so it cannot be saved.</source>
        <translation>Este calendario se eliminó mientras tanto, así que no se puede guardar.</translation>
    </message>
</context>
<context>
    <name>ChangedElsewhere</name>
    <message>
        <source>Title</source>
        <translation>Título</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>Calendario</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>Color</translation>
    </message>
    <message>
        <source>Times</source>
        <translation>Horario</translation>
    </message>
    <message>
        <source>Dates</source>
        <translation>Fechas</translation>
    </message>
    <message>
        <source>Repeat</source>
        <translation>Repetición</translation>
    </message>
    <message>
        <source>Reminders</source>
        <translation>Recordatorios</translation>
    </message>
    <message>
        <source>Priority</source>
        <translation>Prioridad</translation>
    </message>
    <message>
        <source>Completed</source>
        <translation>Completada</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Ubicación</translation>
    </message>
    <message>
        <source>Categories</source>
        <translation>Categorías</translation>
    </message>
    <message>
        <source>Notes</source>
        <translation>Notas</translation>
    </message>
    <message>
        <source>Attendees</source>
        <translation>Asistentes</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nombre</translation>
    </message>
    <message>
        <source>Your change to %1 replaced a change made elsewhere while the form was open.</source>
        <translation>Su cambio en %1 reemplazó un cambio hecho en otro lugar mientras el formulario estaba abierto.</translation>
    </message>
    <message>
        <source>Your changes to %1 replaced changes made elsewhere while the form was open.</source>
        <translation>Sus cambios en %1 reemplazaron cambios hechos en otro lugar mientras el formulario estaba abierto.</translation>
    </message>
    <message>
        <source>Changed elsewhere</source>
        <translation>Cambiado en otro lugar</translation>
    </message>
    <message>
        <source>Conditions</source>
        <translation>Condiciones</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>Acción</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>Activado</translation>
    </message>
    <message>
        <source>Calendars</source>
        <translation>Calendarios</translation>
    </message>
    <message>
        <source>Sync interval</source>
        <translation>Intervalo de sincronización</translation>
    </message>
    <message>
        <source>Certificate</source>
        <translation>Certificado</translation>
    </message>
</context>
<context>
    <name>CommandPalette</name>
    <message>
        <source>Find an event or run a command — today, goto, view, new, resync…</source>
        <translation>Buscar un evento o ejecutar un comando: today, goto, view, new, resync…</translation>
    </message>
    <message>
        <source>today</source>
        <translation>today</translation>
    </message>
    <message>
        <source>Snap the calendar to today</source>
        <translation>Llevar el calendario a hoy</translation>
    </message>
    <message>
        <source>goto YYYY-MM-DD</source>
        <translation>goto AAAA-MM-DD</translation>
    </message>
    <message>
        <source>Jump to a specific date in Day view</source>
        <translation>Saltar a una fecha concreta en la vista Día</translation>
    </message>
    <message>
        <source>view &lt;mode|name&gt;</source>
        <translation>view &lt;modo|nombre&gt;</translation>
    </message>
    <message>
        <source>Switch view mode (day/week/grid/month/year) or active calendar group</source>
        <translation>Cambiar el modo de vista (day/week/grid/month/year) o el grupo de calendarios activo</translation>
    </message>
    <message>
        <source>new &lt;event description&gt;</source>
        <translation>new &lt;descripción del evento&gt;</translation>
    </message>
    <message>
        <source>Quick-add an event using the NL parser</source>
        <translation>Añadir rápidamente un evento con el analizador de lenguaje natural</translation>
    </message>
    <message>
        <source>resync</source>
        <translation>resync</translation>
    </message>
    <message>
        <source>Pull + push every CalDAV calendar</source>
        <translation>Descargar y enviar todos los calendarios CalDAV</translation>
    </message>
    <message>
        <source>notifytest</source>
        <translation>notifytest</translation>
    </message>
    <message>
        <source>Fire a test tray notification (verifies the pipeline)</source>
        <translation>Lanzar una notificación de prueba en la bandeja (verifica la cadena de avisos)</translation>
    </message>
    <message>
        <source>Switch to Day view</source>
        <translation>Cambiar a la vista Día</translation>
    </message>
    <message>
        <source>Switch to Week view (locale-bracketed 7 days)</source>
        <translation>Cambiar a la vista Semana (7 días según la configuración regional)</translation>
    </message>
    <message>
        <source>Switch to Days view (sliding window)</source>
        <translation>Cambiar a la vista Días (ventana deslizante)</translation>
    </message>
    <message>
        <source>Switch to Grid view</source>
        <translation>Cambiar a la vista Cuadrícula</translation>
    </message>
    <message>
        <source>Switch to Month view</source>
        <translation>Cambiar a la vista Mes</translation>
    </message>
    <message>
        <source>Switch to Year view</source>
        <translation>Cambiar a la vista Año</translation>
    </message>
    <message>
        <source>Days view, 3-day sliding window</source>
        <translation>Vista Días, ventana deslizante de 3 días</translation>
    </message>
    <message>
        <source>Days view, 5-day sliding window</source>
        <translation>Vista Días, ventana deslizante de 5 días</translation>
    </message>
    <message>
        <source>Days view, 10-day medium-term horizon</source>
        <translation>Vista Días, horizonte a medio plazo de 10 días</translation>
    </message>
    <message>
        <source>Days view, 14-day fortnight horizon</source>
        <translation>Vista Días, horizonte quincenal de 14 días</translation>
    </message>
    <message>
        <source>(Untitled)</source>
        <translation>(Sin título)</translation>
    </message>
    <message>
        <source>all-day</source>
        <translation>todo el día</translation>
    </message>
    <message>
        <source>Event: %1   —   %2 · %3</source>
        <translation>Evento: %1   —   %2 · %3</translation>
    </message>
</context>
<context>
    <name>DBusNotifier</name>
    <message>
        <source>Open</source>
        <translation>Abrir</translation>
    </message>
</context>
<context>
    <name>DateTimePicker</name>
    <message>
        <source>%1 min</source>
        <translation>%1 min</translation>
    </message>
    <message>
        <source>%1 hr</source>
        <translation>%1 h</translation>
    </message>
    <message>
        <source>%1 hr %2 min</source>
        <translation>%1 h %2 min</translation>
    </message>
</context>
<context>
    <name>DayView</name>
    <message>
        <source>Deleted &quot;%1&quot;</source>
        <translation>Se eliminó &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation>Editar…</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Eliminar</translation>
    </message>
    <message>
        <source>Delete event?</source>
        <translation>¿Eliminar el evento?</translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;? You can undo with %2.</source>
        <translation>¿Eliminar &quot;%1&quot;? Se puede deshacer con %2.</translation>
    </message>
    <message>
        <source>Moved &quot;%1&quot;</source>
        <translation>Se movió &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Resized &quot;%1&quot;</source>
        <translation>Se cambió la duración de &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Could not save the change to &quot;%1&quot;.</source>
        <translation>No se pudo guardar el cambio en &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>Calendario</translation>
    </message>
    <message>
        <source>Edit filter &quot;%1&quot;…</source>
        <translation>Editar filtro &quot;%1&quot;…</translation>
    </message>
    <message>
        <source>Create Filter from Event…</source>
        <translation>Crear filtro a partir del evento…</translation>
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
        <translation>Tareas — Orvandellic Calendar</translation>
    </message>
</context>
<context>
    <name>EventChange</name>
    <message>
        <source>Could not save the change to &quot;%1&quot;.</source>
        <translation>No se pudo guardar el cambio en &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>Could not undo: &quot;%1&quot; no longer exists.</source>
        <translation>No se pudo deshacer: &quot;%1&quot; ya no existe.</translation>
    </message>
    <message>
        <source>Could not undo the change to &quot;%1&quot;.</source>
        <translation>No se pudo deshacer el cambio en &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>Could not delete &quot;%1&quot;.</source>
        <translation>No se pudo eliminar &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>Could not restore &quot;%1&quot;.</source>
        <translation>No se pudo restaurar &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; was deleted or moved to another calendar meanwhile, so nothing was changed.</source>
        <translation>&quot;%1&quot; se eliminó o se movió a otro calendario mientras tanto, así que no se cambió nada.</translation>
    </message>
</context>
<context>
    <name>EventDetailsPopover</name>
    <message>
        <source>Edit…</source>
        <translation>Editar…</translation>
    </message>
    <message>
        <source>Duplicate</source>
        <translation>Duplicar</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Eliminar</translation>
    </message>
    <message>
        <source>(Untitled)</source>
        <translation>(Sin título)</translation>
    </message>
    <message>
        <source>Unknown calendar</source>
        <translation>Calendario desconocido</translation>
    </message>
    <message>
        <source>Organizer: %1</source>
        <translation>Organizador: %1</translation>
    </message>
    <message>
        <source>All-day</source>
        <translation>Todo el día</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>Evento</translation>
    </message>
    <message>
        <source>%1 (copy)</source>
        <translation>%1 (copia)</translation>
    </message>
    <message>
        <source>Duplicate failed</source>
        <translation>Error al duplicar</translation>
    </message>
    <message>
        <source>The copy of &quot;%1&quot; could not be saved.</source>
        <translation>No se pudo guardar la copia de &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>Event change failed</source>
        <translation>Error al cambiar el evento</translation>
    </message>
    <message>
        <source>Delete event?</source>
        <translation>¿Eliminar el evento?</translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;? You can undo with %2.</source>
        <translation>¿Eliminar &quot;%1&quot;? Se puede deshacer con %2.</translation>
    </message>
</context>
<context>
    <name>EventFormDialog</name>
    <message>
        <source>The clocks skip the time &quot;%1&quot; was set to on %2, so it begins at %3 and ends at %4.</source>
        <translation>Los relojes se saltan la hora que se fijó para &quot;%1&quot; el %2, así que empieza a las %3 y termina a las %4.</translation>
    </message>
    <message>
        <source>The clocks skip the time &quot;%1&quot; was set to on %2, so it begins at %3 and ends at %4 that day, and repeats at %3.</source>
        <translation>Los relojes se saltan la hora que se fijó para &quot;%1&quot; el %2, así que ese día empieza a las %3 y termina a las %4, y se repite a las %3.</translation>
    </message>
    <message>
        <source>Invalid time</source>
        <translation>Hora no válida</translation>
    </message>
    <message>
        <source>The start or the end is not a time on this computer&apos;s clock.</source>
        <translation>El inicio o el final no es una hora del reloj de este equipo.</translation>
    </message>
    <message>
        <source>Going</source>
        <translation>Asistirá</translation>
    </message>
    <message>
        <source>Declined</source>
        <translation>Rechazado</translation>
    </message>
    <message>
        <source>Maybe</source>
        <translation>Quizás</translation>
    </message>
    <message>
        <source>Delegated</source>
        <translation>Delegado</translation>
    </message>
    <message>
        <source>No response</source>
        <translation>Sin respuesta</translation>
    </message>
    <message>
        <source>+ Add attendee</source>
        <translation>+ Añadir asistente</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nombre</translation>
    </message>
    <message>
        <source>name@example.com</source>
        <translation>nombre@example.com</translation>
    </message>
    <message>
        <source>Could not save the event: the calendar file is read-only.</source>
        <translation>No se pudo guardar el evento: el archivo de calendario es de solo lectura.</translation>
    </message>
    <message>
        <source>Could not save the event.</source>
        <translation>No se pudo guardar el evento.</translation>
    </message>
    <message>
        <source>Edit Event</source>
        <translation>Editar evento</translation>
    </message>
    <message>
        <source>New Event</source>
        <translation>Nuevo evento</translation>
    </message>
    <message>
        <source>Edit event</source>
        <translation>Editar evento</translation>
    </message>
    <message>
        <source>New event</source>
        <translation>Nuevo evento</translation>
    </message>
    <message>
        <source>From template…</source>
        <translation>Desde plantilla…</translation>
    </message>
    <message>
        <source>Update the details below and save to apply.</source>
        <translation>Actualizar los datos siguientes y guardar para aplicarlos.</translation>
    </message>
    <message>
        <source>Fill in the basics. Start time and calendar are required.</source>
        <translation>Rellene los datos básicos. La hora de inicio y el calendario son obligatorios.</translation>
    </message>
    <message>
        <source>Lunch with Maria, Sprint planning…</source>
        <translation>Comida con María, planificación del sprint…</translation>
    </message>
    <message>
        <source>&amp;Title</source>
        <translation>Tít&amp;ulo</translation>
    </message>
    <message>
        <source>&amp;Calendar</source>
        <translation>&amp;Calendario</translation>
    </message>
    <message>
        <source>Use calendar color</source>
        <translation>Usar el color del calendario</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>Color</translation>
    </message>
    <message>
        <source>&amp;Starts</source>
        <translation>&amp;Empieza</translation>
    </message>
    <message>
        <source>&amp;Ends</source>
        <translation>&amp;Termina</translation>
    </message>
    <message>
        <source>All day</source>
        <translation>Todo el día</translation>
    </message>
    <message>
        <source>&amp;Repeats</source>
        <translation>&amp;Repetir</translation>
    </message>
    <message>
        <source>Re&amp;minders</source>
        <translation>Reco&amp;rdatorios</translation>
    </message>
    <message>
        <source>Address, room, or video link</source>
        <translation>Dirección, sala o enlace de videollamada</translation>
    </message>
    <message>
        <source>&amp;Location</source>
        <translation>&amp;Ubicación</translation>
    </message>
    <message>
        <source>Notes, agenda, links…</source>
        <translation>Notas, orden del día, enlaces…</translation>
    </message>
    <message>
        <source>&amp;Notes</source>
        <translation>&amp;Notas</translation>
    </message>
    <message>
        <source>Attendees</source>
        <translation>Asistentes</translation>
    </message>
    <message>
        <source>Save changes</source>
        <translation>Guardar cambios</translation>
    </message>
    <message>
        <source>Create event</source>
        <translation>Crear evento</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>An import is writing to the calendar. This form saves as soon as it ends.</source>
        <translation>Se está importando al calendario. Este formulario se guardará en cuanto termine.</translation>
    </message>
    <message>
        <source>This event belongs to a read-only calendar. It can be viewed but not changed.</source>
        <translation>Este evento pertenece a un calendario de solo lectura. Se puede ver, pero no cambiar.</translation>
    </message>
    <message>
        <source>Inheriting calendar color (%1). Click to override.</source>
        <translation>Se usa el color del calendario (%1). Hacer clic para cambiarlo.</translation>
    </message>
    <message>
        <source>Custom color (%1). Click to change.</source>
        <translation>Color personalizado (%1). Hacer clic para cambiarlo.</translation>
    </message>
    <message>
        <source>Event color</source>
        <translation>Color del evento</translation>
    </message>
    <message>
        <source>Does not repeat</source>
        <translation>No se repite</translation>
    </message>
    <message>
        <source>No templates</source>
        <translation>No hay plantillas</translation>
    </message>
    <message>
        <source>You haven&apos;t created any event templates yet. Open Tools → Manage Templates to create one.</source>
        <translation>Aún no hay plantillas de evento. Para crear una: Herramientas → Gestionar plantillas.</translation>
    </message>
    <message>
        <source>Title required</source>
        <translation>Título obligatorio</translation>
    </message>
    <message>
        <source>Please enter a title for the event.</source>
        <translation>Hay que introducir un título para el evento.</translation>
    </message>
    <message>
        <source>No calendars</source>
        <translation>No hay calendarios</translation>
    </message>
    <message>
        <source>Create a calendar first.</source>
        <translation>Primero hay que crear un calendario.</translation>
    </message>
    <message>
        <source>End before start</source>
        <translation>Fin anterior al inicio</translation>
    </message>
    <message>
        <source>The end time is earlier than the start time.</source>
        <translation>La hora de fin es anterior a la de inicio.</translation>
    </message>
    <message>
        <source>Read-only calendar</source>
        <translation>Calendario de solo lectura</translation>
    </message>
    <message>
        <source>This event belongs to a read-only calendar and cannot be changed.</source>
        <translation>Este evento pertenece a un calendario de solo lectura y no se puede cambiar.</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>Calendario</translation>
    </message>
    <message>
        <source>Database Error</source>
        <translation>Error de base de datos</translation>
    </message>
    <message>
        <source>The repeat rule belongs to the series.</source>
        <translation>La regla de repetición pertenece a la serie.</translation>
    </message>
    <message>
        <source>Changed &quot;%1&quot;</source>
        <translation>Se cambió &quot;%1&quot;</translation>
    </message>
    <message>
        <source>At time of event</source>
        <translation>A la hora del evento</translation>
    </message>
    <message>
        <source>5 minutes before</source>
        <translation>5 minutos antes</translation>
    </message>
    <message>
        <source>10 minutes before</source>
        <translation>10 minutos antes</translation>
    </message>
    <message>
        <source>15 minutes before</source>
        <translation>15 minutos antes</translation>
    </message>
    <message>
        <source>30 minutes before</source>
        <translation>30 minutos antes</translation>
    </message>
    <message>
        <source>1 hour before</source>
        <translation>1 hora antes</translation>
    </message>
    <message>
        <source>2 hours before</source>
        <translation>2 horas antes</translation>
    </message>
    <message>
        <source>1 day before</source>
        <translation>1 día antes</translation>
    </message>
    <message>
        <source>2 days before</source>
        <translation>2 días antes</translation>
    </message>
    <message>
        <source>1 week before</source>
        <translation>1 semana antes</translation>
    </message>
    <message numerus="yes">
        <source>%n minute(s) before</source>
        <translation>
            <numerusform>%n minuto antes</numerusform>
            <numerusform>%n minutos antes</numerusform>
        </translation>
    </message>
    <message>
        <source>+ Add reminder</source>
        <translation>+ Añadir recordatorio</translation>
    </message>
    <message numerus="yes">
        <source>%n day(s) before</source>
        <translation>
            <numerusform>%n día antes</numerusform>
            <numerusform>%n días antes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n hour(s) before</source>
        <translation>
            <numerusform>%n hora antes</numerusform>
            <numerusform>%n horas antes</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>FilterFormDialog</name>
    <message>
        <source>(Untitled)</source>
        <translation>(Sin título)</translation>
    </message>
    <message>
        <source>Edit Filter</source>
        <translation>Editar filtro</translation>
    </message>
    <message>
        <source>Add Filter</source>
        <translation>Añadir filtro</translation>
    </message>
    <message>
        <source>Edit filter</source>
        <translation>Editar filtro</translation>
    </message>
    <message>
        <source>New filter</source>
        <translation>Nuevo filtro</translation>
    </message>
    <message>
        <source>Filters hide or dim events that match — they don&apos;t delete anything, and you can toggle the whole set off from the filters pill in the status bar.</source>
        <translation>Los filtros ocultan o atenúan los eventos que coinciden; no eliminan nada, y se pueden desactivar todos a la vez desde la pastilla de filtros de la barra de estado.</translation>
    </message>
    <message>
        <source>Hide standups, Dim birthdays…</source>
        <translation>Ocultar reuniones diarias, atenuar cumpleaños…</translation>
    </message>
    <message>
        <source>&amp;Name</source>
        <translation>&amp;Nombre</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Tipo</translation>
    </message>
    <message>
        <source>Hide completely</source>
        <translation>Ocultar por completo</translation>
    </message>
    <message>
        <source>Dim (still visible, faded)</source>
        <translation>Atenuar (visible, pero difuminado)</translation>
    </message>
    <message>
        <source>&amp;Action</source>
        <translation>&amp;Acción</translation>
    </message>
    <message>
        <source>Suppress reminders for matched events</source>
        <translation>Silenciar los recordatorios de los eventos que coinciden</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>Activado</translation>
    </message>
    <message>
        <source>Apply to calendars</source>
        <translation>Aplicar a los calendarios</translation>
    </message>
    <message>
        <source>Leave empty to apply to every calendar.</source>
        <translation>Dejar vacío para aplicarlo a todos los calendarios.</translation>
    </message>
    <message>
        <source>Save changes</source>
        <translation>Guardar cambios</translation>
    </message>
    <message>
        <source>Create filter</source>
        <translation>Crear filtro</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Title contains</source>
        <translation>El título contiene</translation>
    </message>
    <message>
        <source>e.g. standup, lunch, 1:1 — comma separated</source>
        <translation>p. ej., reunión diaria, comida, 1:1 (separados por comas)</translation>
    </message>
    <message>
        <source>Case sensitive</source>
        <translation>Distinguir mayúsculas y minúsculas</translation>
    </message>
    <message>
        <source>Exact start time</source>
        <translation>Hora de inicio exacta</translation>
    </message>
    <message>
        <source>Time range</source>
        <translation>Intervalo horario</translation>
    </message>
    <message>
        <source>to</source>
        <translation>a</translation>
    </message>
    <message>
        <source>Days of week (empty = every day)</source>
        <translation>Días de la semana (vacío = todos los días)</translation>
    </message>
    <message>
        <source>Recurring events only</source>
        <translation>Solo eventos periódicos</translation>
    </message>
    <message>
        <source>Filtering this specific event:</source>
        <translation>Filtrar este evento concreto:</translation>
    </message>
    <message>
        <source>(Right-click an event and choose &quot;Create Filter from Event&quot; to create a specific-event filter.)</source>
        <translation>(Para crear un filtro de un evento concreto, hacer clic derecho en el evento y elegir &quot;Crear filtro a partir del evento&quot;.)</translation>
    </message>
    <message>
        <source>Matches every all-day event in the selected calendars.</source>
        <translation>Coincide con todos los eventos de todo el día de los calendarios seleccionados.</translation>
    </message>
    <message>
        <source>Only recurring all-day events</source>
        <translation>Solo eventos periódicos de todo el día</translation>
    </message>
    <message>
        <source>(Event no longer exists)</source>
        <translation>(El evento ya no existe)</translation>
    </message>
    <message>
        <source>(Untitled event)</source>
        <translation>(Evento sin título)</translation>
    </message>
    <message>
        <source>No events in the next 30 days to preview against.</source>
        <translation>No hay eventos en los próximos 30 días para la vista previa.</translation>
    </message>
    <message numerus="yes">
        <source>Would hide %1 of %n event(s) in the next 30 days.</source>
        <translation>
            <numerusform>Esta regla ocultaría %1 de %n evento en los próximos 30 días.</numerusform>
            <numerusform>Esta regla ocultaría %1 de %n eventos en los próximos 30 días.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Would dim %1 of %n event(s) in the next 30 days.</source>
        <translation>
            <numerusform>Esta regla atenuaría %1 de %n evento en los próximos 30 días.</numerusform>
            <numerusform>Esta regla atenuaría %1 de %n eventos en los próximos 30 días.</numerusform>
        </translation>
    </message>
    <message>
        <source>e.g. %1</source>
        <translation>p. ej., %1</translation>
    </message>
    <message>
        <source>Name required</source>
        <translation>Nombre obligatorio</translation>
    </message>
    <message>
        <source>Please enter a name for the filter.</source>
        <translation>Hay que introducir un nombre para el filtro.</translation>
    </message>
    <message>
        <source>No patterns</source>
        <translation>Sin patrones</translation>
    </message>
    <message>
        <source>Add at least one phrase to &quot;Title contains&quot;.</source>
        <translation>Hay que añadir al menos una frase a &quot;El título contiene&quot;.</translation>
    </message>
    <message>
        <source>No event selected</source>
        <translation>No hay ningún evento seleccionado</translation>
    </message>
    <message>
        <source>Specific-event filters need to be created from an event&apos;s right-click menu — that&apos;s how the rule learns which event to match.</source>
        <translation>Los filtros de un evento concreto se crean desde el menú contextual del evento; así la regla sabe con qué evento debe coincidir.</translation>
    </message>
    <message>
        <source>Database Error</source>
        <translation>Error de base de datos</translation>
    </message>
    <message>
        <source>Could not save the filter.</source>
        <translation>No se pudo guardar el filtro.</translation>
    </message>
    <message>
        <source>Filter removed</source>
        <translation>Filtro eliminado</translation>
    </message>
    <message>
        <source>This filter was removed meanwhile, so it cannot be saved.</source>
        <translation>Este filtro se eliminó mientras tanto, así que no se puede guardar.</translation>
    </message>
</context>
<context>
    <name>Google::AuthService</name>
    <message>
        <source>Google OAuth credentials are not configured in this build. See .env.example.</source>
        <translation>Las credenciales OAuth de Google no están configuradas en esta compilación. Ver .env.example.</translation>
    </message>
    <message>
        <source>Could not bind a local port for the Google sign-in callback: %1</source>
        <translation>No se pudo reservar un puerto local para la respuesta del inicio de sesión de Google: %1</translation>
    </message>
    <message>
        <source>Could not launch the system browser for Google sign-in.</source>
        <translation>No se pudo abrir el navegador del sistema para iniciar sesión en Google.</translation>
    </message>
    <message>
        <source>Sign-in cancelled.</source>
        <translation>Inicio de sesión cancelado.</translation>
    </message>
    <message>
        <source>Google denied the sign-in: %1</source>
        <translation>Google denegó el inicio de sesión: %1</translation>
    </message>
    <message>
        <source>Google did not return an authorization code.</source>
        <translation>Google no devolvió un código de autorización.</translation>
    </message>
    <message>
        <source>Token exchange failed (HTTP %1): %2</source>
        <translation>Error en el intercambio de tokens (HTTP %1): %2</translation>
    </message>
    <message>
        <source>Google did not return an access token.</source>
        <translation>Google no devolvió un token de acceso.</translation>
    </message>
    <message>
        <source>Google did not return a refresh token. Try removing the app from your Google Account permissions and signing in again.</source>
        <translation>Google no devolvió un token de actualización. Quitar la aplicación de los permisos de la cuenta de Google y volver a iniciar sesión puede solucionarlo.</translation>
    </message>
    <message>
        <source>Google&apos;s token service did not answer in time.</source>
        <translation>El servicio de tokens de Google no respondió a tiempo.</translation>
    </message>
    <message>
        <source>Google OAuth credentials are not configured.</source>
        <translation>Las credenciales OAuth de Google no están configuradas.</translation>
    </message>
    <message>
        <source>Token refresh failed (HTTP %1): %2</source>
        <translation>Error al renovar el token (HTTP %1): %2</translation>
    </message>
    <message>
        <source>Google&apos;s response had no access_token.</source>
        <translation>La respuesta de Google no contenía access_token.</translation>
    </message>
</context>
<context>
    <name>Google::CalendarClient</name>
    <message>
        <source>the reply was larger than %1 MB</source>
        <translation>la respuesta superó los %1 MB</translation>
    </message>
    <message>
        <source>the reply did not end within %1 s</source>
        <translation>la respuesta no terminó en %1 s</translation>
    </message>
    <message>
        <source>no answer within %1 s</source>
        <translation>sin respuesta en %1 s</translation>
    </message>
    <message>
        <source>Google could not be reached: %1</source>
        <translation>No se pudo contactar con Google: %1</translation>
    </message>
    <message>
        <source>No Google access token available.</source>
        <translation>No hay ningún token de acceso de Google disponible.</translation>
    </message>
    <message>
        <source>Google rejected calendarList.list (HTTP %1): %2</source>
        <translation>Google rechazó calendarList.list (HTTP %1): %2</translation>
    </message>
    <message>
        <source>Google sent a calendar list that is not JSON.</source>
        <translation>Google envió una lista de calendarios que no es JSON.</translation>
    </message>
    <message>
        <source>Google&apos;s calendar list does not end.</source>
        <translation>La lista de calendarios de Google no termina.</translation>
    </message>
    <message>
        <source>Google rejected events.list (HTTP %1): %2</source>
        <translation>Google rechazó events.list (HTTP %1): %2</translation>
    </message>
    <message>
        <source>Google sent an event listing that is not JSON; nothing of it was stored.</source>
        <translation>Google envió una lista de eventos que no es JSON; no se guardó nada de ella.</translation>
    </message>
    <message>
        <source>Google named the same page of the event listing twice; nothing of it was stored.</source>
        <translation>Google indicó dos veces la misma página de la lista de eventos; no se guardó nada de ella.</translation>
    </message>
    <message numerus="yes">
        <source>Google&apos;s event listing went on past %n page(s); nothing of it was stored.</source>
        <translation>
            <numerusform>La lista de eventos de Google superó %n página; no se guardó nada de ella.</numerusform>
            <numerusform>La lista de eventos de Google superó las %n páginas; no se guardó nada de ella.</numerusform>
        </translation>
    </message>
    <message>
        <source>No Google access token.</source>
        <translation>No hay token de acceso de Google.</translation>
    </message>
    <message>
        <source>Google rejected events.%1 (HTTP %2): %3</source>
        <translation>Google rechazó events.%1 (HTTP %2): %3</translation>
    </message>
    <message>
        <source>Google answered events.%1 with a reply that is not an event.</source>
        <translation>Google respondió a events.%1 con algo que no es un evento.</translation>
    </message>
    <message>
        <source>Google rejected events.delete (HTTP %1): %2</source>
        <translation>Google rechazó events.delete (HTTP %1): %2</translation>
    </message>
    <message>
        <source>The Google calendars could not be stored.</source>
        <translation>No se pudieron guardar los calendarios de Google.</translation>
    </message>
    <message numerus="yes">
        <source>%n more calendar(s) were not added: Google lists more than %1.</source>
        <translation>
            <numerusform>No se añadió %n calendario más: Google lista más de %1.</numerusform>
            <numerusform>No se añadieron %n calendarios más: Google lista más de %1.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Google::SyncClient</name>
    <message>
        <source>Parent account missing</source>
        <translation>Falta la cuenta principal</translation>
    </message>
    <message>
        <source>No saved Google credentials. Sign in again.</source>
        <translation>No hay credenciales de Google guardadas. Hay que volver a iniciar sesión.</translation>
    </message>
    <message>
        <source>Google token refresh failed: %1</source>
        <translation>Error al renovar el token de Google: %1</translation>
    </message>
    <message>
        <source>Google no longer accepts the saved sign-in. Sign in again.</source>
        <translation>Google ya no acepta el inicio de sesión guardado. Hay que volver a iniciar sesión.</translation>
    </message>
    <message>
        <source>Google refused the calendar&apos;s sync token again.</source>
        <translation>Google volvió a rechazar el token de sincronización del calendario.</translation>
    </message>
    <message>
        <source>The Google events could not be stored.</source>
        <translation>No se pudieron guardar los eventos de Google.</translation>
    </message>
    <message numerus="yes">
        <source>%n event(s) failed to save locally; will retry next sync.</source>
        <translation>
            <numerusform>No se pudo guardar localmente %n evento; se reintentará en la próxima sincronización.</numerusform>
            <numerusform>No se pudieron guardar localmente %n eventos; se reintentará en la próxima sincronización.</numerusform>
        </translation>
    </message>
    <message>
        <source>The Google event&apos;s new state could not be stored.</source>
        <translation>No se pudo guardar el nuevo estado del evento de Google.</translation>
    </message>
    <message>
        <source>Google&apos;s copy of &quot;%1&quot; could not be read: %2</source>
        <translation>No se pudo leer la copia de Google de &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be written to Google: %2</source>
        <translation>No se pudo escribir &quot;%1&quot; en Google: %2</translation>
    </message>
</context>
<context>
    <name>IcsImportFlow</name>
    <message numerus="yes">
        <source>%n already present</source>
        <translation>
            <numerusform>%n ya existente</numerusform>
            <numerusform>%n ya existentes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n repeated in the file</source>
        <translation>
            <numerusform>%n repetido en el archivo</numerusform>
            <numerusform>%n repetidos en el archivo</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n without UID or unreadable</source>
        <translation>
            <numerusform>%n sin UID o ilegible</numerusform>
            <numerusform>%n sin UID o ilegibles</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n without start time</source>
        <translation>
            <numerusform>%n sin hora de inicio</numerusform>
            <numerusform>%n sin hora de inicio</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n task(s)</source>
        <translation>
            <numerusform>%n tarea</numerusform>
            <numerusform>%n tareas</numerusform>
        </translation>
    </message>
    <message>
        <source>Read-only calendar</source>
        <translation>Calendario de solo lectura</translation>
    </message>
    <message>
        <source>The calendar file is read-only; &quot;%1&quot; was not imported.</source>
        <translation>El archivo de calendario es de solo lectura; no se importó &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>No calendars configured</source>
        <translation>No hay calendarios configurados</translation>
    </message>
    <message>
        <source>Add a calendar first; then re-import &quot;%1&quot;.</source>
        <translation>Primero hay que añadir un calendario; después, volver a importar &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>No writable calendar</source>
        <translation>No hay ningún calendario editable</translation>
    </message>
    <message>
        <source>Every calendar is read-only. Add a calendar you can edit; then re-import &quot;%1&quot;.</source>
        <translation>Todos los calendarios son de solo lectura. Hay que añadir un calendario editable y volver a importar &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>Reading &quot;%1&quot;…</source>
        <translation>Leyendo &quot;%1&quot;…</translation>
    </message>
    <message>
        <source>The import of %1 was cancelled.</source>
        <translation>Se canceló la importación de %1.</translation>
    </message>
    <message>
        <source>Couldn&apos;t open file</source>
        <translation>No se pudo abrir el archivo</translation>
    </message>
    <message>
        <source>No events found in &quot;%1&quot;.</source>
        <translation>No se encontraron eventos en &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>Skipped: %1.</source>
        <translation>Omitidos: %1.</translation>
    </message>
    <message>
        <source>Nothing to import</source>
        <translation>No hay nada que importar</translation>
    </message>
    <message>
        <source>Imported 0 events into %1; skipped %2.</source>
        <translation>Se importaron 0 eventos en %1; omitidos: %2.</translation>
    </message>
    <message>
        <source>Import events?</source>
        <translation>¿Importar eventos?</translation>
    </message>
    <message numerus="yes">
        <source>Import %n event(s) from &quot;%1&quot; into &quot;%2&quot;?</source>
        <translation>
            <numerusform>¿Importar %n evento de &quot;%1&quot; en &quot;%2&quot;?</numerusform>
            <numerusform>¿Importar %n eventos de &quot;%1&quot; en &quot;%2&quot;?</numerusform>
        </translation>
    </message>
    <message>
        <source>Waiting for the sync to end before importing &quot;%1&quot;…</source>
        <translation>Esperando a que termine la sincronización para importar &quot;%1&quot;…</translation>
    </message>
    <message>
        <source>Importing &quot;%1&quot;…</source>
        <translation>Importando &quot;%1&quot;…</translation>
    </message>
    <message>
        <source>The import of %1 was cancelled; nothing was stored.</source>
        <translation>Se canceló la importación de %1; no se guardó nada.</translation>
    </message>
    <message>
        <source>The events of %1 could not be imported.</source>
        <translation>No se pudieron importar los eventos de %1.</translation>
    </message>
    <message numerus="yes">
        <source>Imported %n event(s) into %1.</source>
        <translation>
            <numerusform>Se importó %n evento en %1.</numerusform>
            <numerusform>Se importaron %n eventos en %1.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Imported %n event(s) into %1; skipped %2.</source>
        <translation>
            <numerusform>Se importó %n evento en %1; omitidos: %2.</numerusform>
            <numerusform>Se importaron %n eventos en %1; omitidos: %2.</numerusform>
        </translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Importar</translation>
    </message>
</context>
<context>
    <name>IcsImportJob</name>
    <message>
        <source>Couldn&apos;t open &quot;%1&quot; for reading.</source>
        <translation>No se pudo abrir &quot;%1&quot; para leerlo.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a file that can be imported: only regular files are read.</source>
        <translation>&quot;%1&quot; no es un archivo que se pueda importar: solo se leen archivos normales.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is too large to import (more than %2 MB).</source>
        <translation>&quot;%1&quot; es demasiado grande para importarlo (más de %2 MB).</translation>
    </message>
    <message>
        <source>The calendar store could not be read.</source>
        <translation>No se pudo leer el almacén del calendario.</translation>
    </message>
    <message>
        <source>The calendar store could not be written.</source>
        <translation>No se pudo escribir en el almacén del calendario.</translation>
    </message>
    <message>
        <source>The events could not be stored.</source>
        <translation>No se pudieron guardar los eventos.</translation>
    </message>
</context>
<context>
    <name>InvitationsDialog</name>
    <message>
        <source>Accepted</source>
        <translation>Aceptado</translation>
    </message>
    <message>
        <source>Declined</source>
        <translation>Rechazado</translation>
    </message>
    <message>
        <source>Maybe</source>
        <translation>Quizás</translation>
    </message>
    <message>
        <source>No answer</source>
        <translation>Sin respuesta</translation>
    </message>
    <message>
        <source>Invitations</source>
        <translation>Invitaciones</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>Evento</translation>
    </message>
    <message>
        <source>When</source>
        <translation>Cuándo</translation>
    </message>
    <message>
        <source>Organizer</source>
        <translation>Organizador</translation>
    </message>
    <message>
        <source>Your answer</source>
        <translation>Respuesta</translation>
    </message>
    <message>
        <source>Accept</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Decline</source>
        <translation>Rechazar</translation>
    </message>
    <message>
        <source>No invitations.</source>
        <translation>No hay invitaciones.</translation>
    </message>
    <message>
        <source>(No title)</source>
        <translation>(Sin título)</translation>
    </message>
    <message>
        <source>No invitations await your answer.</source>
        <translation>No hay invitaciones pendientes de respuesta.</translation>
    </message>
    <message>
        <source>1 invitation awaits your answer.</source>
        <translation>1 invitación pendiente de respuesta.</translation>
    </message>
    <message>
        <source>%1 invitations await your answer.</source>
        <translation>%1 invitaciones pendientes de respuesta.</translation>
    </message>
    <message>
        <source>Your answer could not be saved.</source>
        <translation>No se pudo guardar la respuesta.</translation>
    </message>
</context>
<context>
    <name>KeyboardHelpDialog</name>
    <message>
        <source>Keyboard Shortcuts</source>
        <translation>Atajos de teclado</translation>
    </message>
    <message>
        <source>New event</source>
        <translation>Nuevo evento</translation>
    </message>
    <message>
        <source>New task</source>
        <translation>Nueva tarea</translation>
    </message>
    <message>
        <source>Quick add</source>
        <translation>Añadir rápido</translation>
    </message>
    <message>
        <source>Find events</source>
        <translation>Buscar eventos</translation>
    </message>
    <message>
        <source>Command palette</source>
        <translation>Paleta de comandos</translation>
    </message>
    <message>
        <source>Sync now</source>
        <translation>Sincronizar ahora</translation>
    </message>
    <message>
        <source>Force full sync</source>
        <translation>Forzar sincronización completa</translation>
    </message>
    <message>
        <source>Go to today</source>
        <translation>Ir a hoy</translation>
    </message>
    <message>
        <source>Next period</source>
        <translation>Periodo siguiente</translation>
    </message>
    <message>
        <source>Previous period</source>
        <translation>Periodo anterior</translation>
    </message>
    <message>
        <source>One week later</source>
        <translation>Una semana después</translation>
    </message>
    <message>
        <source>One week earlier</source>
        <translation>Una semana antes</translation>
    </message>
    <message>
        <source>One month later</source>
        <translation>Un mes después</translation>
    </message>
    <message>
        <source>One month earlier</source>
        <translation>Un mes antes</translation>
    </message>
    <message>
        <source>Day view</source>
        <translation>Vista Día</translation>
    </message>
    <message>
        <source>Days view</source>
        <translation>Vista Días</translation>
    </message>
    <message>
        <source>Week view</source>
        <translation>Vista Semana</translation>
    </message>
    <message>
        <source>Grid view</source>
        <translation>Vista Cuadrícula</translation>
    </message>
    <message>
        <source>Month view</source>
        <translation>Vista Mes</translation>
    </message>
    <message>
        <source>Year view</source>
        <translation>Vista Año</translation>
    </message>
    <message>
        <source>Days view span: 3, 5, 7, 10 or 14 days (Ctrl+Shift+1 to Ctrl+Shift+5)</source>
        <translation>Duración de la vista Días: 3, 5, 7, 10 o 14 días (Ctrl+Shift+1 a Ctrl+Shift+5)</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Atrás</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Adelante</translation>
    </message>
    <message>
        <source>Calendar group 1 (Ctrl+1 to Ctrl+9)</source>
        <translation>Grupo de calendarios 1 (Ctrl+1 a Ctrl+9)</translation>
    </message>
    <message>
        <source>Next calendar group</source>
        <translation>Grupo de calendarios siguiente</translation>
    </message>
    <message>
        <source>Previous calendar group</source>
        <translation>Grupo de calendarios anterior</translation>
    </message>
    <message>
        <source>Show empty days in the agenda</source>
        <translation>Mostrar los días vacíos en la agenda</translation>
    </message>
    <message>
        <source>Compact density</source>
        <translation>Densidad compacta</translation>
    </message>
    <message>
        <source>Show or hide the tasks pane</source>
        <translation>Mostrar u ocultar el panel de tareas</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Deshacer</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Preferencias</translation>
    </message>
    <message>
        <source>Keyboard shortcuts</source>
        <translation>Atajos de teclado</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Salir</translation>
    </message>
    <message>
        <source>Shortcut</source>
        <translation>Atajo</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>Acción</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Event</source>
        <translation>Evento</translation>
    </message>
    <message numerus="yes">
        <source>Loaded %n sample row(s).</source>
        <translation>
            <numerusform>Se cargó %n fila de ejemplo.</numerusform>
            <numerusform>Se cargaron %n filas de ejemplo.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Removed %n sample row(s).</source>
        <translation>
            <numerusform>Se quitó %n fila de ejemplo.</numerusform>
            <numerusform>Se quitaron %n filas de ejemplo.</numerusform>
        </translation>
    </message>
    <message>
        <source>Orvandellic Calendar</source>
        <translation>Orvandellic Calendar</translation>
    </message>
    <message>
        <source>Your change is saved once the import ends.</source>
        <translation>El cambio se guardará cuando termine la importación.</translation>
    </message>
    <message>
        <source>Added: %1</source>
        <translation>Añadido: %1</translation>
    </message>
    <message>
        <source>Quick-add couldn&apos;t save: &quot;%1&quot;</source>
        <translation>Añadir rápido no pudo guardar: &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Signed in to Orvandellic</source>
        <translation>Sesión iniciada en Orvandellic</translation>
    </message>
    <message>
        <source>Signed out of Orvandellic</source>
        <translation>Sesión cerrada en Orvandellic</translation>
    </message>
    <message>
        <source>Undid: %1</source>
        <translation>Deshecho: %1</translation>
    </message>
    <message>
        <source>No accounts configured</source>
        <translation>No hay cuentas configuradas</translation>
    </message>
    <message>
        <source>Add a Orvandellic Calendar account to store calendars on this device, connect Google or Microsoft, or hook up any CalDAV server (Synology, Nextcloud, Radicale, iCloud).</source>
        <translation>Añadir una cuenta de Orvandellic Calendar para guardar calendarios en este dispositivo, conectar Google o Microsoft, o enlazar cualquier servidor CalDAV (Synology, Nextcloud, Radicale, iCloud).</translation>
    </message>
    <message>
        <source>  Add Account…</source>
        <translation>  Añadir cuenta…</translation>
    </message>
    <message>
        <source>Orvandellic Account</source>
        <translation>Cuenta de Orvandellic</translation>
    </message>
    <message>
        <source>Test notification shown</source>
        <translation>Notificación de prueba mostrada</translation>
    </message>
    <message>
        <source>Test notification not shown: no notification service or tray icon is available</source>
        <translation>No se mostró la notificación de prueba: no hay ningún servicio de notificaciones ni icono en la bandeja disponible</translation>
    </message>
    <message>
        <source>Quick-add ignored: no calendars configured.</source>
        <translation>Añadir rápido ignorado: no hay calendarios configurados.</translation>
    </message>
    <message>
        <source>The calendar file is read-only; &quot;%1&quot; was not added.</source>
        <translation>El archivo de calendario es de solo lectura; no se añadió &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is added once the import ends.</source>
        <translation>&quot;%1&quot; se añadirá cuando termine la importación.</translation>
    </message>
    <message>
        <source>Quick-add ignored: no calendar accepts new events (they are read-only or hold only tasks).</source>
        <translation>Añadir rápido ignorado: ningún calendario acepta eventos nuevos (son de solo lectura o solo contienen tareas).</translation>
    </message>
    <message>
        <source>Quick-add couldn&apos;t parse: &quot;%1&quot;</source>
        <translation>Añadir rápido no pudo interpretar: &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Import ICS file</source>
        <translation>Importar archivo ICS</translation>
    </message>
    <message>
        <source>iCalendar files (*.ics);;All files (*)</source>
        <translation>Archivos iCalendar (*.ics);;Todos los archivos (*)</translation>
    </message>
    <message>
        <source>Calendar is still running in the system tray. Use File → Quit to exit, or turn off Preferences → Startup → Close to tray.</source>
        <translation>El calendario sigue ejecutándose en la bandeja del sistema. Para cerrarlo: Archivo → Salir; o bien desactivar Preferencias → Inicio → Cerrar a la bandeja.</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Archivo</translation>
    </message>
    <message>
        <source>&amp;New Event…</source>
        <translation>&amp;Nuevo evento…</translation>
    </message>
    <message>
        <source>New &amp;Task…</source>
        <translation>Nueva &amp;tarea…</translation>
    </message>
    <message>
        <source>Quick &amp;Add…</source>
        <translation>Añadir &amp;rápido…</translation>
    </message>
    <message>
        <source>Type an event in plain English (&quot;lunch Thursday 1pm&quot;)</source>
        <translation>Escribir un evento en inglés sencillo (&quot;lunch Thursday 1pm&quot;)</translation>
    </message>
    <message>
        <source>Calendar &amp;Accounts…</source>
        <translation>&amp;Cuentas de calendario…</translation>
    </message>
    <message>
        <source>&amp;Sync Now</source>
        <translation>&amp;Sincronizar ahora</translation>
    </message>
    <message>
        <source>Force F&amp;ull Sync…</source>
        <translation>Forzar sincronización &amp;completa…</translation>
    </message>
    <message>
        <source>Re-pull every event from every account, ignoring sync tokens</source>
        <translation>Volver a descargar todos los eventos de todas las cuentas, sin tener en cuenta los tokens de sincronización</translation>
    </message>
    <message>
        <source>&amp;Invitations…</source>
        <translation>&amp;Invitaciones…</translation>
    </message>
    <message>
        <source>&amp;Import ICS File…</source>
        <translation>&amp;Importar archivo ICS…</translation>
    </message>
    <message>
        <source>&amp;Export Agenda PDF…</source>
        <translation>&amp;Exportar agenda en PDF…</translation>
    </message>
    <message>
        <source>Orvandellic &amp;Account…</source>
        <translation>&amp;Cuenta de Orvandellic…</translation>
    </message>
    <message>
        <source>Sign in or sign up</source>
        <translation>Iniciar sesión o registrarse</translation>
    </message>
    <message>
        <source>Sign &amp;Out</source>
        <translation>Cerr&amp;ar sesión</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Editar</translation>
    </message>
    <message>
        <source>&amp;Preferences…</source>
        <translation>&amp;Preferencias…</translation>
    </message>
    <message>
        <source>&amp;Find Events…</source>
        <translation>&amp;Buscar eventos…</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ver</translation>
    </message>
    <message>
        <source>Toggle &amp;Sidebar</source>
        <translation>Mostrar u ocultar barra &amp;lateral</translation>
    </message>
    <message>
        <source>Show &amp;Empty Days in Agenda</source>
        <translation>Mostrar días &amp;vacíos en la agenda</translation>
    </message>
    <message>
        <source>&amp;Compact Density</source>
        <translation>Densidad &amp;compacta</translation>
    </message>
    <message>
        <source>Toggle &amp;Tasks Pane</source>
        <translation>Mostrar u ocultar &amp;panel de tareas</translation>
    </message>
    <message>
        <source>&amp;Window</source>
        <translation>Ve&amp;ntana</translation>
    </message>
    <message>
        <source>Detached &amp;Agenda Window</source>
        <translation>Ventana de &amp;agenda independiente</translation>
    </message>
    <message>
        <source>Detached &amp;Tasks Window</source>
        <translation>Ventana de &amp;tareas independiente</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>&amp;Herramientas</translation>
    </message>
    <message>
        <source>Add &amp;Filter…</source>
        <translation>Añadir &amp;filtro…</translation>
    </message>
    <message>
        <source>Add Calendar &amp;Group…</source>
        <translation>Añadir &amp;grupo de calendarios…</translation>
    </message>
    <message>
        <source>Manage Calendar Gr&amp;oups…</source>
        <translation>Gestionar gr&amp;upos de calendarios…</translation>
    </message>
    <message>
        <source>Manage Te&amp;mplates…</source>
        <translation>Gestionar pl&amp;antillas…</translation>
    </message>
    <message>
        <source>&amp;Weather…</source>
        <translation>&amp;Tiempo…</translation>
    </message>
    <message>
        <source>&amp;Developer</source>
        <translation>&amp;Desarrollador</translation>
    </message>
    <message>
        <source>Load Sample &amp;Data</source>
        <translation>Cargar &amp;datos de ejemplo</translation>
    </message>
    <message>
        <source>&amp;Clear Sample Data</source>
        <translation>&amp;Borrar datos de ejemplo</translation>
    </message>
    <message>
        <source>Send Test &amp;Notification</source>
        <translation>Enviar &amp;notificación de prueba</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>Ay&amp;uda</translation>
    </message>
    <message>
        <source>&amp;Keyboard Shortcuts</source>
        <translation>Atajos de &amp;teclado</translation>
    </message>
    <message>
        <source>Fire a sample reminder toast to verify your desktop notification setup.</source>
        <translation>Lanzar un aviso de recordatorio de ejemplo para comprobar la configuración de notificaciones del escritorio.</translation>
    </message>
    <message>
        <source>&amp;What&apos;s New</source>
        <translation>&amp;Novedades</translation>
    </message>
    <message>
        <source>Send &amp;Feedback…</source>
        <translation>Enviar &amp;comentarios…</translation>
    </message>
    <message>
        <source>Check for &amp;Updates…</source>
        <translation>&amp;Buscar actualizaciones…</translation>
    </message>
    <message>
        <source>&amp;About Orvandellic Calendar</source>
        <translation>&amp;Acerca de Orvandellic Calendar</translation>
    </message>
    <message>
        <source>Manage your account</source>
        <translation>Gestionar la cuenta</translation>
    </message>
    <message>
        <source>&amp;Invitations… (%1)</source>
        <translation>&amp;Invitaciones… (%1)</translation>
    </message>
    <message>
        <source>About Orvandellic Calendar</source>
        <translation>Acerca de Orvandellic Calendar</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Orvandellic Calendar&lt;/h3&gt;&lt;p&gt;Version %1&lt;/p&gt;&lt;p&gt;A CalDAV-first calendar with client-side filters and Views, the killer feature competitors don&apos;t have.&lt;/p&gt;&lt;p&gt;Made for people who keep several calendars in one place. Built with Qt %2.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Orvandellic Calendar&lt;/h3&gt;&lt;p&gt;Versión %1&lt;/p&gt;&lt;p&gt;Un calendario centrado en CalDAV con filtros y Vistas en el cliente, la función estrella que la competencia no tiene.&lt;/p&gt;&lt;p&gt;Hecho para quienes reúnen varios calendarios en un solo lugar. Creado con Qt %2.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Clear sample data?</source>
        <translation>¿Borrar los datos de ejemplo?</translation>
    </message>
    <message>
        <source>Remove the sample calendars, events, and tasks? Your real data is untouched.</source>
        <translation>¿Quitar los calendarios, eventos y tareas de ejemplo? Sus datos reales no se tocan.</translation>
    </message>
    <message>
        <source>Manage filters</source>
        <translation>Gestionar filtros</translation>
    </message>
    <message>
        <source>Password missing</source>
        <translation>Falta la contraseña</translation>
    </message>
    <message numerus="yes">
        <source>%n account(s) need sign-in</source>
        <translation>
            <numerusform>%n cuenta requiere iniciar sesión</numerusform>
            <numerusform>%n cuentas requieren iniciar sesión</numerusform>
        </translation>
    </message>
    <message>
        <source>Click to open Calendar Accounts and sign in.</source>
        <translation>Hacer clic para abrir Cuentas de calendario e iniciar sesión.</translation>
    </message>
    <message numerus="yes">
        <source>%n account(s) need password</source>
        <translation>
            <numerusform>%n cuenta requiere contraseña</numerusform>
            <numerusform>%n cuentas requieren contraseña</numerusform>
        </translation>
    </message>
    <message>
        <source>Click to open Calendar Accounts and re-enter the password.</source>
        <translation>Hacer clic para abrir Cuentas de calendario y volver a introducir la contraseña.</translation>
    </message>
    <message numerus="yes">
        <source>%n account(s) need attention</source>
        <translation>
            <numerusform>%n cuenta requiere atención</numerusform>
            <numerusform>%n cuentas requieren atención</numerusform>
        </translation>
    </message>
    <message>
        <source>Click to open Calendar Accounts and resolve the issues.</source>
        <translation>Hacer clic para abrir Cuentas de calendario y resolver los problemas.</translation>
    </message>
    <message>
        <source>Disable all filters</source>
        <translation>Desactivar todos los filtros</translation>
    </message>
    <message>
        <source>Enable all filters</source>
        <translation>Activar todos los filtros</translation>
    </message>
    <message>
        <source>Add Filter…</source>
        <translation>Añadir filtro…</translation>
    </message>
    <message>
        <source>Manage Filters…</source>
        <translation>Gestionar filtros…</translation>
    </message>
    <message>
        <source>No filters</source>
        <translation>Sin filtros</translation>
    </message>
    <message numerus="yes">
        <source>%n filter(s) applied</source>
        <translation>
            <numerusform>%n filtro aplicado</numerusform>
            <numerusform>%n filtros aplicados</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n hidden</source>
        <translation>
            <numerusform>%n oculto</numerusform>
            <numerusform>%n ocultos</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Synced %n event(s)</source>
        <translation>
            <numerusform>%n evento sincronizado</numerusform>
            <numerusform>%n eventos sincronizados</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n event(s) without start left out</source>
        <translation>
            <numerusform>%n evento sin inicio omitido</numerusform>
            <numerusform>%n eventos sin inicio omitidos</numerusform>
        </translation>
    </message>
    <message>
        <source>This account&apos;s calendars do not sync in this version.</source>
        <translation>Los calendarios de esta cuenta no se sincronizan en esta versión.</translation>
    </message>
    <message>
        <source>All caught up, nothing waiting to sync.</source>
        <translation>Todo al día; no hay nada pendiente de sincronizar.</translation>
    </message>
    <message numerus="yes">
        <source>Discovered %n new calendar(s).</source>
        <translation>
            <numerusform>Se encontró %n calendario nuevo.</numerusform>
            <numerusform>Se encontraron %n calendarios nuevos.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Syncing %n account(s)…</source>
        <translation>
            <numerusform>Sincronizando %n cuenta…</numerusform>
            <numerusform>Sincronizando %n cuentas…</numerusform>
        </translation>
    </message>
    <message>
        <source>No sync accounts configured. Add one in Calendar Accounts.</source>
        <translation>No hay cuentas de sincronización configuradas. Se puede añadir una en Cuentas de calendario.</translation>
    </message>
    <message>
        <source>Re-fetch every event and task from every account, ignoring saved sync tokens. Useful when items look stale or out of date.

Any unsynced local edits will be discarded in favour of the server&apos;s copy. Pending deletions are preserved.

Heavy accounts may take a minute or two and use more bandwidth than usual.</source>
        <translation>Volver a descargar todos los eventos y tareas de todas las cuentas, sin tener en cuenta los tokens de sincronización guardados. Es útil cuando los elementos parecen desactualizados.

Los cambios locales sin sincronizar se descartarán en favor de la copia del servidor. Las eliminaciones pendientes se conservan.

Las cuentas grandes pueden tardar uno o dos minutos y usar más datos de lo habitual.</translation>
    </message>
    <message>
        <source>Force full sync?</source>
        <translation>¿Forzar sincronización completa?</translation>
    </message>
    <message>
        <source>The full sync starts once the import ends.</source>
        <translation>La sincronización completa empezará cuando termine la importación.</translation>
    </message>
    <message numerus="yes">
        <source>Cleared %n calendar sync token(s), running full sync…</source>
        <translation>
            <numerusform>Se borró %n token de sincronización de calendario; sincronización completa en curso…</numerusform>
            <numerusform>Se borraron %n tokens de sincronización de calendario; sincronización completa en curso…</numerusform>
        </translation>
    </message>
    <message>
        <source>The sync did not finish in time.</source>
        <translation>La sincronización no terminó a tiempo.</translation>
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
        <translation>Gestionar filtros</translation>
    </message>
    <message>
        <source>dim</source>
        <translation>atenuar</translation>
    </message>
    <message>
        <source>hide</source>
        <translation>ocultar</translation>
    </message>
    <message>
        <source>Delete Filter</source>
        <translation>Eliminar filtro</translation>
    </message>
    <message>
        <source>Delete the filter &quot;%1&quot;? The events it hides show again.</source>
        <translation>¿Eliminar el filtro &quot;%1&quot;? Los eventos que oculta volverán a mostrarse.</translation>
    </message>
</context>
<context>
    <name>ManageListDialog</name>
    <message>
        <source>Add…</source>
        <translation>Añadir…</translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation>Editar…</translation>
    </message>
    <message>
        <source>Delete…</source>
        <translation>Eliminar…</translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation>Subir</translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation>Bajar</translation>
    </message>
</context>
<context>
    <name>ManageSourcesDialog</name>
    <message>
        <source>Calendar Accounts</source>
        <translation>Cuentas de calendario</translation>
    </message>
    <message>
        <source>Add Account…</source>
        <translation>Añadir cuenta…</translation>
    </message>
    <message>
        <source>Add a Google, Microsoft or CalDAV account</source>
        <translation>Añadir una cuenta de Google, Microsoft o CalDAV</translation>
    </message>
    <message>
        <source>Add CalDAV Account…</source>
        <translation>Añadir cuenta CalDAV…</translation>
    </message>
    <message>
        <source>Subscribe to Calendar…</source>
        <translation>Suscribirse a un calendario…</translation>
    </message>
    <message>
        <source>Add Calendar on This Device…</source>
        <translation>Añadir calendario en este dispositivo…</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nombre</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Tipo</translation>
    </message>
    <message>
        <source>Add Calendar to Account…</source>
        <translation>Añadir calendario a la cuenta…</translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation>Editar…</translation>
    </message>
    <message>
        <source>Remove…</source>
        <translation>Quitar…</translation>
    </message>
    <message>
        <source>Sync Now</source>
        <translation>Sincronizar ahora</translation>
    </message>
    <message>
        <source>Share…</source>
        <translation>Compartir…</translation>
    </message>
    <message>
        <source>Read only</source>
        <translation>Solo lectura</translation>
    </message>
    <message>
        <source>Share Calendar</source>
        <translation>Compartir calendario</translation>
    </message>
    <message>
        <source>Members of your Orvandellic group you share this calendar with see and edit its events.</source>
        <translation>Los miembros del grupo de Orvandellic con los que se comparte este calendario ven y editan sus eventos.</translation>
    </message>
    <message>
        <source>People with access</source>
        <translation>Personas con acceso</translation>
    </message>
    <message>
        <source>Add people</source>
        <translation>Añadir personas</translation>
    </message>
    <message>
        <source>Not shared with anyone yet.</source>
        <translation>Aún no se ha compartido con nadie.</translation>
    </message>
    <message>
        <source>You are not in a group. Create or join one under File › Orvandellic Account… to share calendars.</source>
        <translation>La cuenta no pertenece a ningún grupo. Para compartir calendarios, crear un grupo o unirse a uno en Archivo › Cuenta de Orvandellic…</translation>
    </message>
    <message>
        <source>All group members already have access</source>
        <translation>Todos los miembros del grupo ya tienen acceso</translation>
    </message>
    <message>
        <source>Share</source>
        <translation>Compartir</translation>
    </message>
    <message>
        <source>Remove access</source>
        <translation>Quitar acceso</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Could not share</source>
        <translation>No se pudo compartir</translation>
    </message>
    <message>
        <source>Could not remove access</source>
        <translation>No se pudo quitar el acceso</translation>
    </message>
    <message>
        <source>Remove access?</source>
        <translation>¿Quitar el acceso?</translation>
    </message>
    <message>
        <source>%1 will no longer have access. Continue?</source>
        <translation>%1 dejará de tener acceso. ¿Continuar?</translation>
    </message>
    <message>
        <source>Sharing updated.</source>
        <translation>Uso compartido actualizado.</translation>
    </message>
    <message>
        <source>Subscribe to Calendar</source>
        <translation>Suscribirse a un calendario</translation>
    </message>
    <message>
        <source>Address:</source>
        <translation>Dirección:</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Nombre:</translation>
    </message>
    <message>
        <source>Colour:</source>
        <translation>Color:</translation>
    </message>
    <message>
        <source>Enter a webcal, http or https address.</source>
        <translation>Hay que introducir una dirección webcal, http o https.</translation>
    </message>
    <message>
        <source>Please enter a name.</source>
        <translation>Hay que introducir un nombre.</translation>
    </message>
    <message>
        <source>The subscription could not be saved.</source>
        <translation>No se pudo guardar la suscripción.</translation>
    </message>
    <message>
        <source>Subscribed to &quot;%1&quot;. Its events arrive with the next sync.</source>
        <translation>Suscrito a &quot;%1&quot;. Sus eventos llegarán con la próxima sincronización.</translation>
    </message>
    <message>
        <source>Remove Calendar</source>
        <translation>Quitar calendario</translation>
    </message>
    <message>
        <source>Remove the calendar &quot;%1&quot; with all its events and tasks from this computer?</source>
        <translation>¿Quitar de este equipo el calendario &quot;%1&quot; con todos sus eventos y tareas?</translation>
    </message>
    <message>
        <source>The calendar could not be removed.</source>
        <translation>No se pudo quitar el calendario.</translation>
    </message>
    <message>
        <source>Remove Account</source>
        <translation>Quitar cuenta</translation>
    </message>
    <message>
        <source>Remove the account &quot;%1&quot; and its calendars with all their events and tasks from this computer?</source>
        <translation>¿Quitar de este equipo la cuenta &quot;%1&quot; y sus calendarios con todos sus eventos y tareas?</translation>
    </message>
    <message>
        <source>The account could not be removed.</source>
        <translation>No se pudo quitar la cuenta.</translation>
    </message>
    <message>
        <source>Syncing…</source>
        <translation>Sincronizando…</translation>
    </message>
    <message>
        <source>Nothing to sync: no account is ready to sync.</source>
        <translation>Nada que sincronizar: ninguna cuenta está lista para sincronizarse.</translation>
    </message>
    <message>
        <source>Sync failed.</source>
        <translation>Error de sincronización.</translation>
    </message>
    <message>
        <source>Sync failed: %1</source>
        <translation>Error de sincronización: %1</translation>
    </message>
    <message>
        <source>Sync finished.</source>
        <translation>Sincronización terminada.</translation>
    </message>
    <message>
        <source>Reading the account&apos;s calendars…</source>
        <translation>Leyendo los calendarios de la cuenta…</translation>
    </message>
    <message>
        <source>The calendars could not be read: %1</source>
        <translation>No se pudieron leer los calendarios: %1</translation>
    </message>
    <message numerus="yes">
        <source>%n calendar(s) added. Their events arrive with the sync that starts now.</source>
        <translation>
            <numerusform>Se añadió %n calendario. Sus eventos llegarán con la sincronización que empieza ahora.</numerusform>
            <numerusform>Se añadieron %n calendarios. Sus eventos llegarán con la sincronización que empieza ahora.</numerusform>
        </translation>
    </message>
    <message>
        <source>Account added. Its events arrive with the sync that starts now.</source>
        <translation>Cuenta añadida. Sus eventos llegarán con la sincronización que empieza ahora.</translation>
    </message>
    <message numerus="yes">
        <source>Account added. %n calendar(s) were not added: the server lists more than %1. Its events arrive with the sync that starts now.</source>
        <translation>
            <numerusform>Cuenta añadida. No se añadió %n calendario: el servidor lista más de %1. Sus eventos llegarán con la sincronización que empieza ahora.</numerusform>
            <numerusform>Cuenta añadida. No se añadieron %n calendarios: el servidor lista más de %1. Sus eventos llegarán con la sincronización que empieza ahora.</numerusform>
        </translation>
    </message>
    <message>
        <source>Signed in as %1.</source>
        <translation>Sesión iniciada como %1.</translation>
    </message>
</context>
<context>
    <name>ManageTemplatesDialog</name>
    <message>
        <source>Manage Templates</source>
        <translation>Gestionar plantillas</translation>
    </message>
    <message>
        <source>(Unnamed)</source>
        <translation>(Sin nombre)</translation>
    </message>
    <message>
        <source>The template could not be saved.</source>
        <translation>No se pudo guardar la plantilla.</translation>
    </message>
    <message>
        <source>Delete Template</source>
        <translation>Eliminar plantilla</translation>
    </message>
    <message>
        <source>Delete the template &quot;%1&quot;?</source>
        <translation>¿Eliminar la plantilla &quot;%1&quot;?</translation>
    </message>
    <message>
        <source>This template was removed meanwhile, so it cannot be saved.</source>
        <translation>Esta plantilla se eliminó mientras tanto, así que no se puede guardar.</translation>
    </message>
</context>
<context>
    <name>ManageViewsDialog</name>
    <message>
        <source>Manage Calendar Groups</source>
        <translation>Gestionar grupos de calendarios</translation>
    </message>
    <message>
        <source>Delete Calendar Group</source>
        <translation>Eliminar grupo de calendarios</translation>
    </message>
    <message>
        <source>Delete the group &quot;%1&quot;? Its calendars and events are kept.</source>
        <translation>¿Eliminar el grupo &quot;%1&quot;? Sus calendarios y eventos se conservan.</translation>
    </message>
</context>
<context>
    <name>Microsoft::AuthService</name>
    <message>
        <source>Microsoft OAuth credentials are not configured in this build. See .env.example.</source>
        <translation>Las credenciales OAuth de Microsoft no están configuradas en esta compilación. Ver .env.example.</translation>
    </message>
    <message>
        <source>Could not bind a local port for the Microsoft sign-in callback: %1</source>
        <translation>No se pudo reservar un puerto local para la respuesta del inicio de sesión de Microsoft: %1</translation>
    </message>
    <message>
        <source>Could not launch the system browser for Microsoft sign-in.</source>
        <translation>No se pudo abrir el navegador del sistema para iniciar sesión en Microsoft.</translation>
    </message>
    <message>
        <source>Sign-in cancelled.</source>
        <translation>Inicio de sesión cancelado.</translation>
    </message>
    <message>
        <source>Microsoft denied the sign-in: %1</source>
        <translation>Microsoft denegó el inicio de sesión: %1</translation>
    </message>
    <message>
        <source>Microsoft did not return an authorization code.</source>
        <translation>Microsoft no devolvió un código de autorización.</translation>
    </message>
    <message>
        <source>Token exchange failed (HTTP %1): %2</source>
        <translation>Error en el intercambio de tokens (HTTP %1): %2</translation>
    </message>
    <message>
        <source>Microsoft did not return an access token.</source>
        <translation>Microsoft no devolvió un token de acceso.</translation>
    </message>
    <message>
        <source>Microsoft did not return a refresh token. Verify offline_access is in the scopes configured for this app.</source>
        <translation>Microsoft no devolvió un token de actualización. Conviene comprobar que offline_access esté entre los ámbitos configurados para esta aplicación.</translation>
    </message>
    <message>
        <source>Microsoft&apos;s token service did not answer in time.</source>
        <translation>El servicio de tokens de Microsoft no respondió a tiempo.</translation>
    </message>
    <message>
        <source>Microsoft OAuth credentials are not configured.</source>
        <translation>Las credenciales OAuth de Microsoft no están configuradas.</translation>
    </message>
    <message>
        <source>Token refresh failed (HTTP %1): %2</source>
        <translation>Error al renovar el token (HTTP %1): %2</translation>
    </message>
    <message>
        <source>Microsoft&apos;s response had no access_token.</source>
        <translation>La respuesta de Microsoft no contenía access_token.</translation>
    </message>
</context>
<context>
    <name>Microsoft::SyncClient</name>
    <message>
        <source>Microsoft calendars do not sync yet.</source>
        <translation>Los calendarios de Microsoft aún no se sincronizan.</translation>
    </message>
</context>
<context>
    <name>MonthGridWidget</name>
    <message>
        <source>+%1 more</source>
        <translation>+%1 más</translation>
    </message>
</context>
<context>
    <name>MonthView</name>
    <message>
        <source>Edit filter &quot;%1&quot;…</source>
        <translation>Editar filtro &quot;%1&quot;…</translation>
    </message>
    <message>
        <source>Create Filter from Event…</source>
        <translation>Crear filtro a partir del evento…</translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;? You can undo with %2.</source>
        <translation>¿Eliminar &quot;%1&quot;? Se puede deshacer con %2.</translation>
    </message>
    <message>
        <source>Delete event?</source>
        <translation>¿Eliminar el evento?</translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation>Editar…</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Eliminar</translation>
    </message>
</context>
<context>
    <name>NotificationService</name>
    <message>
        <source>Today</source>
        <translation>Hoy</translation>
    </message>
    <message>
        <source>Tomorrow</source>
        <translation>Mañana</translation>
    </message>
    <message>
        <source>%1, all day</source>
        <translation>%1, todo el día</translation>
    </message>
    <message>
        <source>Starting now (%1)</source>
        <translation>Empieza ahora (%1)</translation>
    </message>
    <message>
        <source>In %1 minutes (%2)</source>
        <translation>Dentro de %1 minutos (%2)</translation>
    </message>
    <message>
        <source>In %1h (%2)</source>
        <translation>Dentro de %1 h (%2)</translation>
    </message>
    <message>
        <source>Tomorrow at %1</source>
        <translation>Mañana a las %1</translation>
    </message>
    <message>
        <source>%1 at %2</source>
        <translation>%1 a las %2</translation>
    </message>
    <message>
        <source>Reminder</source>
        <translation>Recordatorio</translation>
    </message>
    <message>
        <source>Test reminder</source>
        <translation>Recordatorio de prueba</translation>
    </message>
    <message>
        <source>If you can see this, your desktop notifications are wired up correctly. Real reminders look just like this one.</source>
        <translation>Si se ve esto, las notificaciones del escritorio están bien configuradas. Los recordatorios reales tienen este mismo aspecto.</translation>
    </message>
</context>
<context>
    <name>OAuthProgressDialog</name>
    <message>
        <source>Sign in to %1</source>
        <translation>Iniciar sesión en %1</translation>
    </message>
    <message>
        <source>Waiting for %1…</source>
        <translation>Esperando a %1…</translation>
    </message>
    <message>
        <source>Complete the sign-in in the browser window that has opened. This window closes by itself when you are done.</source>
        <translation>Completar el inicio de sesión en la ventana del navegador que se ha abierto. Esta ventana se cerrará sola al terminar.</translation>
    </message>
</context>
<context>
    <name>OrvaAccount::AccountGroupPage</name>
    <message>
        <source>Only the first %1 of %2 members are shown.</source>
        <translation>Solo se muestran los primeros %1 de %2 miembros.</translation>
    </message>
    <message>
        <source>Only the first %1 of %2 invitations are shown.</source>
        <translation>Solo se muestran las primeras %1 de %2 invitaciones.</translation>
    </message>
</context>
<context>
    <name>OrvaAccount::AccountScreen</name>
    <message>
        <source>Only the first %1 of %2 devices are shown.</source>
        <translation>Solo se muestran los primeros %1 de %2 dispositivos.</translation>
    </message>
    <message>
        <source>Only the first %1 of %2 sessions are shown.</source>
        <translation>Solo se muestran las primeras %1 de %2 sesiones.</translation>
    </message>
</context>
<context>
    <name>OrvaAccount::ApiClient</name>
    <message>
        <source>The service&apos;s reply was too large.</source>
        <translation>La respuesta del servicio era demasiado grande.</translation>
    </message>
    <message>
        <source>The service gave this entry no id</source>
        <translation>El servicio no dio ningún identificador a esta entrada</translation>
    </message>
</context>
<context>
    <name>OrvaAccount::ShareMembersDialog</name>
    <message>
        <source>People with access</source>
        <translation>Personas con acceso</translation>
    </message>
    <message>
        <source>Add people</source>
        <translation>Añadir personas</translation>
    </message>
    <message>
        <source>All group members already have access</source>
        <translation>Todos los miembros del grupo ya tienen acceso</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Could not load who has access: %1</source>
        <translation>No se pudo cargar quién tiene acceso: %1</translation>
    </message>
    <message>
        <source>Not shared with anyone yet.</source>
        <translation>Aún no se ha compartido con nadie.</translation>
    </message>
    <message>
        <source>Remove access</source>
        <translation>Quitar acceso</translation>
    </message>
    <message>
        <source>Could not load your group: %1</source>
        <translation>No se pudo cargar el grupo: %1</translation>
    </message>
    <message>
        <source>Share</source>
        <translation>Compartir</translation>
    </message>
    <message>
        <source>Could not share with %1.</source>
        <translation>No se pudo compartir con %1.</translation>
    </message>
    <message>
        <source>Remove access?</source>
        <translation>¿Quitar el acceso?</translation>
    </message>
    <message>
        <source>%1 will no longer have access. Continue?</source>
        <translation>%1 dejará de tener acceso. ¿Continuar?</translation>
    </message>
    <message>
        <source>Could not remove %1.</source>
        <translation>No se pudo quitar a %1.</translation>
    </message>
    <message>
        <source>Loading…</source>
        <translation>Cargando…</translation>
    </message>
    <message>
        <source>Only the first %1 of %2 group members are listed.</source>
        <translation>Solo se muestran los primeros %1 de %2 miembros del grupo.</translation>
    </message>
</context>
<context>
    <name>OrvaUpdate</name>
    <message>
        <source>Send Feedback</source>
        <translation>Enviar comentarios</translation>
    </message>
    <message>
        <source>No browser could be started. The feedback page is at:
%1</source>
        <translation>No se pudo abrir ningún navegador. La página de comentarios está en:
%1</translation>
    </message>
    <message>
        <source>Checking for updates…</source>
        <translation>Buscando actualizaciones…</translation>
    </message>
    <message>
        <source>%1 is up to date (version %2).</source>
        <translation>%1 está actualizado (versión %2).</translation>
    </message>
    <message>
        <source>Update check failed: %1</source>
        <translation>Error al buscar actualizaciones: %1</translation>
    </message>
    <message>
        <source>Loading release notes…</source>
        <translation>Cargando las notas de la versión…</translation>
    </message>
    <message>
        <source>Release notes could not be loaded: %1</source>
        <translation>No se pudieron cargar las notas de la versión: %1</translation>
    </message>
</context>
<context>
    <name>OrvaUpdate::FeedRequest</name>
    <message>
        <source>The update server sent too much data.</source>
        <translation>El servidor de actualizaciones envió demasiados datos.</translation>
    </message>
    <message>
        <source>The update server did not answer in time.</source>
        <translation>El servidor de actualizaciones no respondió a tiempo.</translation>
    </message>
    <message>
        <source>The update server answered with status %1.</source>
        <translation>El servidor de actualizaciones respondió con el estado %1.</translation>
    </message>
</context>
<context>
    <name>OrvaUpdate::ReleaseManifest</name>
    <message>
        <source>The release manifest could not be read.</source>
        <translation>No se pudo leer el manifiesto de la versión.</translation>
    </message>
    <message>
        <source>The release manifest has an unknown format.</source>
        <translation>El manifiesto de la versión tiene un formato desconocido.</translation>
    </message>
    <message>
        <source>The release manifest names no version.</source>
        <translation>El manifiesto de la versión no indica ninguna versión.</translation>
    </message>
    <message>
        <source>The release manifest offers no usable download.</source>
        <translation>El manifiesto de la versión no ofrece ninguna descarga utilizable.</translation>
    </message>
</context>
<context>
    <name>OrvaUpdate::UpdateDialog</name>
    <message>
        <source>Update Available</source>
        <translation>Actualización disponible</translation>
    </message>
    <message>
        <source>%1 %2 is available.</source>
        <translation>%1 %2 está disponible.</translation>
    </message>
    <message>
        <source>You have version %1.</source>
        <translation>Versión instalada: %1.</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Descargar</translation>
    </message>
    <message>
        <source>Release Notes</source>
        <translation>Notas de la versión</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>Más tarde</translation>
    </message>
</context>
<context>
    <name>OrvaUpdate::WhatsNewDialog</name>
    <message>
        <source>What&apos;s New in %1 %2</source>
        <translation>Novedades de %1 %2</translation>
    </message>
    <message>
        <source>Loading release notes…</source>
        <translation>Cargando las notas de la versión…</translation>
    </message>
    <message>
        <source>No release notes for this version.</source>
        <translation>No hay notas para esta versión.</translation>
    </message>
    <message>
        <source>The release notes could not be loaded: %1</source>
        <translation>No se pudieron cargar las notas de la versión: %1</translation>
    </message>
</context>
<context>
    <name>Orvandellic::SharingBackend</name>
    <message>
        <source>Not signed in</source>
        <translation>Sesión no iniciada</translation>
    </message>
    <message>
        <source>Sharing failed (HTTP %1)</source>
        <translation>Error al compartir (HTTP %1)</translation>
    </message>
</context>
<context>
    <name>Orvandellic::SyncClient</name>
    <message>
        <source>Not signed in</source>
        <translation>Sesión no iniciada</translation>
    </message>
    <message>
        <source>The calendar no longer exists.</source>
        <translation>El calendario ya no existe.</translation>
    </message>
    <message>
        <source>Could not store the cloud calendar&apos;s changes.</source>
        <translation>No se pudieron guardar los cambios del calendario en la nube.</translation>
    </message>
    <message>
        <source>Could not reach the cloud service.</source>
        <translation>No se pudo contactar con el servicio en la nube.</translation>
    </message>
    <message>
        <source>Cloud sync failed (HTTP %1)</source>
        <translation>Error de sincronización con la nube (HTTP %1)</translation>
    </message>
    <message numerus="yes">
        <source>%n calendar(s) of the cloud calendar list not added: only the first %1 are taken.</source>
        <translation>
            <numerusform>%n calendario de la lista de calendarios en la nube no añadido: solo se toman los primeros %1.</numerusform>
            <numerusform>%n calendarios de la lista de calendarios en la nube no añadidos: solo se toman los primeros %1.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>PdfExportDialog</name>
    <message>
        <source>All day</source>
        <translation>Todo el día</translation>
    </message>
    <message>
        <source>All day – %1</source>
        <translation>Todo el día – %1</translation>
    </message>
    <message>
        <source>Export Agenda PDF</source>
        <translation>Exportar agenda en PDF</translation>
    </message>
    <message>
        <source>From:</source>
        <translation>Desde:</translation>
    </message>
    <message>
        <source>To:</source>
        <translation>Hasta:</translation>
    </message>
    <message>
        <source>Browse…</source>
        <translation>Examinar…</translation>
    </message>
    <message>
        <source>File:</source>
        <translation>Archivo:</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Exportar</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>Archivos PDF (*.pdf)</translation>
    </message>
    <message>
        <source>The end date must not be before the start date.</source>
        <translation>La fecha de fin no puede ser anterior a la de inicio.</translation>
    </message>
    <message>
        <source>Choose a range of at most %1 days.</source>
        <translation>El intervalo puede ser de %1 días como máximo.</translation>
    </message>
    <message>
        <source>Choose a file to write.</source>
        <translation>Hay que elegir un archivo en el que escribir.</translation>
    </message>
    <message>
        <source>Agenda</source>
        <translation>Agenda</translation>
    </message>
    <message>
        <source>Could not write &quot;%1&quot;.</source>
        <translation>No se pudo escribir &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>No events in this range.</source>
        <translation>No hay eventos en este intervalo.</translation>
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
        <translation>Suscripción</translation>
    </message>
    <message>
        <source>This device</source>
        <translation>Este dispositivo</translation>
    </message>
    <message>
        <source>Repeats daily</source>
        <translation>Se repite cada día</translation>
    </message>
    <message>
        <source>Every %1 days</source>
        <translation>Cada %1 días</translation>
    </message>
    <message>
        <source>Repeats weekly</source>
        <translation>Se repite cada semana</translation>
    </message>
    <message>
        <source>Every %1 weeks</source>
        <translation>Cada %1 semanas</translation>
    </message>
    <message>
        <source>Repeats monthly</source>
        <translation>Se repite cada mes</translation>
    </message>
    <message>
        <source>Every %1 months</source>
        <translation>Cada %1 meses</translation>
    </message>
    <message>
        <source>Repeats yearly</source>
        <translation>Se repite cada año</translation>
    </message>
    <message>
        <source>Every %1 years</source>
        <translation>Cada %1 años</translation>
    </message>
    <message>
        <source>Repeats</source>
        <translation>Se repite</translation>
    </message>
    <message>
        <source>on the %1 %2</source>
        <translation>el %1 %2</translation>
    </message>
    <message>
        <source>on the %1</source>
        <translation>el %1</translation>
    </message>
    <message numerus="yes">
        <source>%n time(s)</source>
        <translation>
            <numerusform>%n vez</numerusform>
            <numerusform>%n veces</numerusform>
        </translation>
    </message>
    <message>
        <source>until %1</source>
        <translation>hasta el %1</translation>
    </message>
    <message>
        <source>At time of event</source>
        <translation>A la hora del evento</translation>
    </message>
    <message numerus="yes">
        <source>%n min before</source>
        <translation>
            <numerusform>%n min antes</numerusform>
            <numerusform>%n min antes</numerusform>
        </translation>
    </message>
    <message>
        <source>%1th</source>
        <translation>%1.º</translation>
    </message>
    <message>
        <source>%1st</source>
        <translation>%1.º</translation>
    </message>
    <message>
        <source>%1nd</source>
        <translation>%1.º</translation>
    </message>
    <message>
        <source>%1rd</source>
        <translation>%1.º</translation>
    </message>
    <message>
        <source>first</source>
        <translation>primer</translation>
    </message>
    <message>
        <source>second</source>
        <translation>segundo</translation>
    </message>
    <message>
        <source>third</source>
        <translation>tercer</translation>
    </message>
    <message>
        <source>fourth</source>
        <translation>cuarto</translation>
    </message>
    <message>
        <source>fifth</source>
        <translation>quinto</translation>
    </message>
    <message>
        <source>last</source>
        <translation>último</translation>
    </message>
    <message>
        <source>second-to-last</source>
        <translation>penúltimo</translation>
    </message>
    <message>
        <source>%1th-from-last</source>
        <translation>%1.º desde el final</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Hoy</translation>
    </message>
    <message>
        <source>Tomorrow</source>
        <translation>Mañana</translation>
    </message>
    <message>
        <source>Yesterday</source>
        <translation>Ayer</translation>
    </message>
    <message>
        <source>High</source>
        <translation>Alta</translation>
    </message>
    <message>
        <source>Medium</source>
        <translation>Media</translation>
    </message>
    <message>
        <source>Low</source>
        <translation>Baja</translation>
    </message>
    <message>
        <source>↳ subtask</source>
        <translation>↳ subtarea</translation>
    </message>
    <message numerus="yes">
        <source>%n hour(s) before</source>
        <translation>
            <numerusform>%n hora antes</numerusform>
            <numerusform>%n horas antes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n day(s) before</source>
        <translation>
            <numerusform>%n día antes</numerusform>
            <numerusform>%n días antes</numerusform>
        </translation>
    </message>
    <message>
        <source>Pattern Match</source>
        <translation>Coincidencia de patrón</translation>
    </message>
    <message>
        <source>Filter events matching text patterns</source>
        <translation>Filtrar eventos que coinciden con patrones de texto</translation>
    </message>
    <message>
        <source>Time-Based</source>
        <translation>Por horario</translation>
    </message>
    <message>
        <source>Filter events at specific times</source>
        <translation>Filtrar eventos a horas concretas</translation>
    </message>
    <message>
        <source>Specific Event</source>
        <translation>Evento concreto</translation>
    </message>
    <message>
        <source>Filter a specific recurring event</source>
        <translation>Filtrar un evento periódico concreto</translation>
    </message>
    <message>
        <source>All-Day Events</source>
        <translation>Eventos de todo el día</translation>
    </message>
    <message>
        <source>Filter all-day events</source>
        <translation>Filtrar eventos de todo el día</translation>
    </message>
    <message>
        <source>Mon</source>
        <translation>Lun</translation>
    </message>
    <message>
        <source>Tue</source>
        <translation>Mar</translation>
    </message>
    <message>
        <source>Wed</source>
        <translation>Mié</translation>
    </message>
    <message>
        <source>Thu</source>
        <translation>Jue</translation>
    </message>
    <message>
        <source>Fri</source>
        <translation>Vie</translation>
    </message>
    <message>
        <source>Sat</source>
        <translation>Sáb</translation>
    </message>
    <message>
        <source>Sun</source>
        <translation>Dom</translation>
    </message>
</context>
<context>
    <name>QuickAddDialog</name>
    <message>
        <source>Quick Add</source>
        <translation>Añadir rápido</translation>
    </message>
    <message>
        <source>Type an event in plain English.</source>
        <translation>Escribir un evento en inglés sencillo.</translation>
    </message>
    <message>
        <source>e.g. &quot;lunch Thursday 1pm&quot;</source>
        <translation>p. ej., &quot;lunch Thursday 1pm&quot;</translation>
    </message>
    <message>
        <source>All-day</source>
        <translation>Todo el día</translation>
    </message>
    <message>
        <source>No calendar accepts new events</source>
        <translation>Ningún calendario acepta eventos nuevos</translation>
    </message>
    <message>
        <source>Couldn&apos;t read an event in this text</source>
        <translation>No se ha podido reconocer un evento en este texto</translation>
    </message>
    <message>
        <source>Couldn&apos;t save event</source>
        <translation>No se pudo guardar el evento</translation>
    </message>
</context>
<context>
    <name>RecurrenceEditDialog</name>
    <message>
        <source>Recurrence</source>
        <translation>Repetición</translation>
    </message>
    <message>
        <source>Daily</source>
        <translation>Diariamente</translation>
    </message>
    <message>
        <source>Weekly</source>
        <translation>Semanalmente</translation>
    </message>
    <message>
        <source>Monthly</source>
        <translation>Mensualmente</translation>
    </message>
    <message>
        <source>Yearly</source>
        <translation>Anualmente</translation>
    </message>
    <message>
        <source>Does not repeat</source>
        <translation>No se repite</translation>
    </message>
    <message>
        <source>Frequency</source>
        <translation>Frecuencia</translation>
    </message>
    <message>
        <source>Every</source>
        <translation>Cada</translation>
    </message>
    <message>
        <source>On day of the month</source>
        <translation>El día del mes</translation>
    </message>
    <message>
        <source>of every month</source>
        <translation>de cada mes</translation>
    </message>
    <message>
        <source>On the nth weekday</source>
        <translation>El enésimo día de la semana</translation>
    </message>
    <message>
        <source>first</source>
        <translation>primer</translation>
    </message>
    <message>
        <source>second</source>
        <translation>segundo</translation>
    </message>
    <message>
        <source>third</source>
        <translation>tercer</translation>
    </message>
    <message>
        <source>fourth</source>
        <translation>cuarto</translation>
    </message>
    <message>
        <source>last</source>
        <translation>último</translation>
    </message>
    <message>
        <source>Monday</source>
        <translation>Lunes</translation>
    </message>
    <message>
        <source>Tuesday</source>
        <translation>Martes</translation>
    </message>
    <message>
        <source>Wednesday</source>
        <translation>Miércoles</translation>
    </message>
    <message>
        <source>Thursday</source>
        <translation>Jueves</translation>
    </message>
    <message>
        <source>Friday</source>
        <translation>Viernes</translation>
    </message>
    <message>
        <source>Saturday</source>
        <translation>Sábado</translation>
    </message>
    <message>
        <source>Sunday</source>
        <translation>Domingo</translation>
    </message>
    <message>
        <source>Never</source>
        <translation>Nunca</translation>
    </message>
    <message>
        <source>After</source>
        <translation>Después de</translation>
    </message>
    <message>
        <source>occurrences</source>
        <translation>repeticiones</translation>
    </message>
    <message>
        <source>On</source>
        <translation>El</translation>
    </message>
    <message>
        <source>Ends</source>
        <translation>Termina</translation>
    </message>
    <message>
        <source>day</source>
        <translation>día</translation>
    </message>
    <message>
        <source>days</source>
        <translation>días</translation>
    </message>
    <message>
        <source>month</source>
        <translation>mes</translation>
    </message>
    <message>
        <source>months</source>
        <translation>meses</translation>
    </message>
    <message>
        <source>year</source>
        <translation>año</translation>
    </message>
    <message>
        <source>years</source>
        <translation>años</translation>
    </message>
    <message>
        <source>week</source>
        <translation>semana</translation>
    </message>
    <message>
        <source>weeks</source>
        <translation>semanas</translation>
    </message>
</context>
<context>
    <name>RecurringEdit</name>
    <message>
        <source>The clocks skip the time &quot;%1&quot; was moved to on %2, so it begins at %3 that day and repeats at %3.</source>
        <translation>Los relojes se saltan la hora a la que se movió &quot;%1&quot; el %2, así que empieza a las %3 ese día y se repite a las %3.</translation>
    </message>
    <message>
        <source>The days of this series&apos; repeat rule cannot all move by the same number of days, so the series was left as it was. To move it, change its repeat rule together with its date in the event form.</source>
        <translation>Los días de la regla de repetición de esta serie no se pueden desplazar todos el mismo número de días, así que la serie se ha dejado como estaba. Para moverla, hay que cambiar su regla de repetición junto con la fecha en el formulario del evento.</translation>
    </message>
    <message>
        <source>Could not undo: %1</source>
        <translation>No se pudo deshacer: %1</translation>
    </message>
    <message>
        <source>&quot;%1&quot; was changed elsewhere meanwhile, so nothing was changed.</source>
        <translation>&quot;%1&quot; se cambió en otro lugar mientras tanto, así que no se cambió nada.</translation>
    </message>
    <message>
        <source>The change of &quot;%1&quot; on %2 was deleted elsewhere meanwhile, so nothing was changed.</source>
        <translation>El cambio de &quot;%1&quot; del %2 se eliminó en otro lugar mientras tanto, así que no se cambió nada.</translation>
    </message>
</context>
<context>
    <name>RecurringEditScopeDialog</name>
    <message>
        <source>Delete Recurring Event</source>
        <translation>Eliminar evento periódico</translation>
    </message>
    <message>
        <source>Edit Recurring Event</source>
        <translation>Editar evento periódico</translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;</source>
        <translation>Eliminar &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Edit &quot;%1&quot;</source>
        <translation>Editar &quot;%1&quot;</translation>
    </message>
    <message>
        <source>This event repeats. Delete:</source>
        <translation>Este evento se repite. Eliminar:</translation>
    </message>
    <message>
        <source>This event repeats. Apply your changes to:</source>
        <translation>Este evento se repite. Aplicar los cambios a:</translation>
    </message>
    <message>
        <source>This event only</source>
        <translation>Solo este evento</translation>
    </message>
    <message>
        <source>Only this occurrence is changed; the rest of the series stays as it was.</source>
        <translation>Solo se cambia esta repetición; el resto de la serie queda como estaba.</translation>
    </message>
    <message>
        <source>This and following events</source>
        <translation>Este evento y los siguientes</translation>
    </message>
    <message>
        <source>This occurrence and every later one inherit the change. Past occurrences keep their original times.</source>
        <translation>Esta repetición y todas las posteriores reciben el cambio. Las repeticiones pasadas conservan sus horas originales.</translation>
    </message>
    <message>
        <source>All events in the series</source>
        <translation>Todos los eventos de la serie</translation>
    </message>
    <message>
        <source>The master event shifts; every occurrence — past and future — moves with it.</source>
        <translation>El evento principal se desplaza; todas las repeticiones, pasadas y futuras, se mueven con él.</translation>
    </message>
    <message>
        <source>Only this occurrence is deleted; the rest of the series stays.</source>
        <translation>Solo se elimina esta repetición; el resto de la serie se conserva.</translation>
    </message>
    <message>
        <source>This occurrence and every later one are deleted. Earlier occurrences stay.</source>
        <translation>Se eliminan esta repetición y todas las posteriores. Las anteriores se conservan.</translation>
    </message>
    <message>
        <source>Every occurrence — past and future — is deleted.</source>
        <translation>Se eliminan todas las repeticiones, pasadas y futuras.</translation>
    </message>
</context>
<context>
    <name>ReminderWindow</name>
    <message>
        <source>Reminders</source>
        <translation>Recordatorios</translation>
    </message>
    <message>
        <source>Dismiss all</source>
        <translation>Descartar todos</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Abrir</translation>
    </message>
    <message>
        <source>Dismiss</source>
        <translation>Descartar</translation>
    </message>
</context>
<context>
    <name>RruleFormat</name>
    <message>
        <source>Mon</source>
        <translation>lun</translation>
    </message>
    <message>
        <source>Tue</source>
        <translation>mar</translation>
    </message>
    <message>
        <source>Wed</source>
        <translation>mié</translation>
    </message>
    <message>
        <source>Thu</source>
        <translation>jue</translation>
    </message>
    <message>
        <source>Fri</source>
        <translation>vie</translation>
    </message>
    <message>
        <source>Sat</source>
        <translation>sáb</translation>
    </message>
    <message>
        <source>Sun</source>
        <translation>dom</translation>
    </message>
</context>
<context>
    <name>SearchDialog</name>
    <message>
        <source>%1 · All day</source>
        <translation>%1 · Todo el día</translation>
    </message>
    <message>
        <source>Find Events</source>
        <translation>Buscar eventos</translation>
    </message>
    <message>
        <source>Search titles, locations and notes</source>
        <translation>Buscar en títulos, ubicaciones y notas</translation>
    </message>
    <message>
        <source>(No title)</source>
        <translation>(Sin título)</translation>
    </message>
    <message>
        <source>No events found.</source>
        <translation>No se encontraron eventos.</translation>
    </message>
    <message>
        <source>Showing the first %1 matches.</source>
        <translation>Se muestran las %1 primeras coincidencias.</translation>
    </message>
    <message>
        <source>1 event found.</source>
        <translation>Se encontró 1 evento.</translation>
    </message>
    <message>
        <source>%1 events found.</source>
        <translation>Se encontraron %1 eventos.</translation>
    </message>
</context>
<context>
    <name>SeriesActions</name>
    <message>
        <source>Could not delete &quot;%1&quot;.</source>
        <translation>No se pudo eliminar &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>Calendario</translation>
    </message>
</context>
<context>
    <name>SettingsDialog</name>
    <message>
        <source>Preferences</source>
        <translation>Preferencias</translation>
    </message>
    <message>
        <source>12-hour (1:30 PM)</source>
        <translation>12 horas (1:30 p. m.)</translation>
    </message>
    <message>
        <source>24-hour (13:30)</source>
        <translation>24 horas (13:30)</translation>
    </message>
    <message>
        <source>Time format:</source>
        <translation>Formato de hora:</translation>
    </message>
    <message>
        <source>Follow the system</source>
        <translation>Según el sistema</translation>
    </message>
    <message>
        <source>Week starts on:</source>
        <translation>La semana empieza el:</translation>
    </message>
    <message>
        <source>to</source>
        <translation>a</translation>
    </message>
    <message>
        <source>Working hours:</source>
        <translation>Horario laboral:</translation>
    </message>
    <message>
        <source>Show week numbers</source>
        <translation>Mostrar los números de semana</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Ninguno</translation>
    </message>
    <message>
        <source>Default calendar:</source>
        <translation>Calendario predeterminado:</translation>
    </message>
    <message>
        <source>Show the weather forecast</source>
        <translation>Mostrar la previsión del tiempo</translation>
    </message>
    <message>
        <source>General</source>
        <translation>General</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>Claro</translation>
    </message>
    <message>
        <source>Dark</source>
        <translation>Oscuro</translation>
    </message>
    <message>
        <source>Theme:</source>
        <translation>Tema:</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Predeterminado</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Azul</translation>
    </message>
    <message>
        <source>Teal</source>
        <translation>Verde azulado</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Verde</translation>
    </message>
    <message>
        <source>Orange</source>
        <translation>Naranja</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Rojo</translation>
    </message>
    <message>
        <source>Purple</source>
        <translation>Morado</translation>
    </message>
    <message>
        <source>Pink</source>
        <translation>Rosa</translation>
    </message>
    <message>
        <source>Accent colour:</source>
        <translation>Color de acento:</translation>
    </message>
    <message>
        <source>Language:</source>
        <translation>Idioma:</translation>
    </message>
    <message>
        <source>A new language applies the next time Calendar starts.</source>
        <translation>El nuevo idioma se aplicará la próxima vez que se inicie el calendario.</translation>
    </message>
    <message>
        <source>Appearance</source>
        <translation>Apariencia</translation>
    </message>
    <message>
        <source>Start Calendar when I log in</source>
        <translation>Iniciar el calendario al iniciar sesión</translation>
    </message>
    <message>
        <source>Start minimised to the tray</source>
        <translation>Iniciar minimizado en la bandeja</translation>
    </message>
    <message>
        <source>Close to tray (keep running in the background)</source>
        <translation>Cerrar a la bandeja (seguir ejecutándose en segundo plano)</translation>
    </message>
    <message>
        <source>Startup</source>
        <translation>Inicio</translation>
    </message>
    <message>
        <source>When you are signed in, these settings follow you to your other devices:</source>
        <translation>Con la sesión iniciada, esta configuración se aplica también en los demás dispositivos:</translation>
    </message>
    <message>
        <source>Accounts</source>
        <translation>Cuentas</translation>
    </message>
    <message>
        <source>Filter rules</source>
        <translation>Reglas de filtro</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Configuración</translation>
    </message>
    <message>
        <source>Templates</source>
        <translation>Plantillas</translation>
    </message>
    <message>
        <source>Calendar groups</source>
        <translation>Grupos de calendarios</translation>
    </message>
    <message>
        <source>Sync</source>
        <translation>Sincronización</translation>
    </message>
</context>
<context>
    <name>StoredTask</name>
    <message>
        <source>Task not found</source>
        <translation>No se encontró la tarea</translation>
    </message>
    <message>
        <source>&quot;%1&quot; was moved to another calendar meanwhile, so nothing was changed.</source>
        <translation>&quot;%1&quot; se movió a otro calendario mientras tanto, así que no se cambió nada.</translation>
    </message>
    <message>
        <source>This task no longer exists.</source>
        <translation>Esta tarea ya no existe.</translation>
    </message>
</context>
<context>
    <name>TaskDetailsPopover</name>
    <message>
        <source>Edit…</source>
        <translation>Editar…</translation>
    </message>
    <message>
        <source>Add Subtask</source>
        <translation>Añadir subtarea</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Eliminar</translation>
    </message>
    <message>
        <source>This task no longer exists.</source>
        <translation>Esta tarea ya no existe.</translation>
    </message>
    <message>
        <source>(Untitled task)</source>
        <translation>(Tarea sin título)</translation>
    </message>
    <message>
        <source>▶  Starts %1</source>
        <translation>▶  Inicio: %1</translation>
    </message>
    <message>
        <source>Unknown calendar</source>
        <translation>Calendario desconocido</translation>
    </message>
    <message>
        <source>%1 priority</source>
        <translation>Prioridad: %1</translation>
    </message>
    <message>
        <source>Mark incomplete</source>
        <translation>Marcar como pendiente</translation>
    </message>
    <message>
        <source>Mark complete</source>
        <translation>Marcar como completada</translation>
    </message>
    <message>
        <source>Task not found</source>
        <translation>No se encontró la tarea</translation>
    </message>
    <message>
        <source>Task change failed</source>
        <translation>Error al cambiar la tarea</translation>
    </message>
    <message>
        <source>The task could not be changed; it may have been deleted.</source>
        <translation>No se pudo cambiar la tarea; es posible que se haya eliminado.</translation>
    </message>
    <message>
        <source>Task</source>
        <translation>Tarea</translation>
    </message>
    <message>
        <source>Delete task?</source>
        <translation>¿Eliminar la tarea?</translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;? This cannot be undone.</source>
        <translation>¿Eliminar &quot;%1&quot;? Esta acción no se puede deshacer.</translation>
    </message>
    <message>
        <source>Could not delete &quot;%1&quot;.</source>
        <translation>No se pudo eliminar &quot;%1&quot;.</translation>
    </message>
</context>
<context>
    <name>TaskFormDialog</name>
    <message>
        <source>Could not save the task: the calendar file is read-only.</source>
        <translation>No se pudo guardar la tarea: el archivo de calendario es de solo lectura.</translation>
    </message>
    <message>
        <source>Could not save the task.</source>
        <translation>No se pudo guardar la tarea.</translation>
    </message>
    <message>
        <source>Edit Task</source>
        <translation>Editar tarea</translation>
    </message>
    <message>
        <source>New Task</source>
        <translation>Nueva tarea</translation>
    </message>
    <message>
        <source>Edit task</source>
        <translation>Editar tarea</translation>
    </message>
    <message>
        <source>New task</source>
        <translation>Nueva tarea</translation>
    </message>
    <message>
        <source>Update the task and save to apply.</source>
        <translation>Actualizar la tarea y guardar para aplicar los cambios.</translation>
    </message>
    <message>
        <source>Drop a quick to-do; due date and priority are optional.</source>
        <translation>Anotar una tarea rápida; la fecha de vencimiento y la prioridad son opcionales.</translation>
    </message>
    <message>
        <source>Buy birthday gift, prep Q1 report…</source>
        <translation>Comprar regalo de cumpleaños, preparar informe del T1…</translation>
    </message>
    <message>
        <source>&amp;Title</source>
        <translation>Tít&amp;ulo</translation>
    </message>
    <message>
        <source>&amp;Calendar</source>
        <translation>&amp;Calendario</translation>
    </message>
    <message>
        <source>&amp;Starts</source>
        <translation>&amp;Empieza</translation>
    </message>
    <message>
        <source>Set start date</source>
        <translation>Establecer fecha de inicio</translation>
    </message>
    <message>
        <source>&amp;Due</source>
        <translation>&amp;Vencimiento</translation>
    </message>
    <message>
        <source>Set due date</source>
        <translation>Establecer vencimiento</translation>
    </message>
    <message>
        <source>Does not repeat</source>
        <translation>No se repite</translation>
    </message>
    <message>
        <source>&amp;Repeat</source>
        <translation>&amp;Repetir</translation>
    </message>
    <message>
        <source>Due date</source>
        <translation>Fecha de vencimiento</translation>
    </message>
    <message>
        <source>Completion date</source>
        <translation>Fecha de finalización</translation>
    </message>
    <message>
        <source>Due date: next due = current due + interval.
Completion date: next due = today + interval.</source>
        <translation>Fecha de vencimiento: próximo vencimiento = vencimiento actual + intervalo.
Fecha de finalización: próximo vencimiento = hoy + intervalo.</translation>
    </message>
    <message>
        <source>Repeats &amp;from</source>
        <translation>Repetir &amp;desde</translation>
    </message>
    <message>
        <source>— None</source>
        <translation>— Ninguna</translation>
    </message>
    <message>
        <source>● High</source>
        <translation>● Alta</translation>
    </message>
    <message>
        <source>● Medium</source>
        <translation>● Media</translation>
    </message>
    <message>
        <source>● Low</source>
        <translation>● Baja</translation>
    </message>
    <message>
        <source>&amp;Priority</source>
        <translation>&amp;Prioridad</translation>
    </message>
    <message>
        <source>Completed</source>
        <translation>Completada</translation>
    </message>
    <message>
        <source>e.g. Personal, Health, Errands</source>
        <translation>p. ej., Personal, Salud, Recados</translation>
    </message>
    <message>
        <source>&amp;Categories</source>
        <translation>&amp;Categorías</translation>
    </message>
    <message>
        <source>Steps, links, context…</source>
        <translation>Pasos, enlaces, contexto…</translation>
    </message>
    <message>
        <source>&amp;Notes</source>
        <translation>&amp;Notas</translation>
    </message>
    <message>
        <source>An import is being written; the task is saved when it ends.</source>
        <translation>Se está escribiendo una importación; la tarea se guardará cuando termine.</translation>
    </message>
    <message>
        <source>Save changes</source>
        <translation>Guardar cambios</translation>
    </message>
    <message>
        <source>Create task</source>
        <translation>Crear tarea</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>This task belongs to a read-only calendar. It can be viewed but not changed.</source>
        <translation>Esta tarea pertenece a un calendario de solo lectura. Se puede ver, pero no cambiar.</translation>
    </message>
    <message>
        <source>Subtasks stay in their parent task&apos;s calendar.</source>
        <translation>Las subtareas permanecen en el calendario de su tarea principal.</translation>
    </message>
    <message>
        <source>The parent task belongs to a read-only calendar, so it cannot get subtasks.</source>
        <translation>La tarea principal pertenece a un calendario de solo lectura, así que no puede tener subtareas.</translation>
    </message>
    <message>
        <source>Title required</source>
        <translation>Título obligatorio</translation>
    </message>
    <message>
        <source>Please enter a title for the task.</source>
        <translation>Hay que introducir un título para la tarea.</translation>
    </message>
    <message>
        <source>No calendars</source>
        <translation>No hay calendarios</translation>
    </message>
    <message>
        <source>Create a calendar first.</source>
        <translation>Primero hay que crear un calendario.</translation>
    </message>
    <message>
        <source>Start after due date</source>
        <translation>Inicio posterior al vencimiento</translation>
    </message>
    <message>
        <source>The start date is later than the due date.</source>
        <translation>La fecha de inicio es posterior a la de vencimiento.</translation>
    </message>
    <message>
        <source>Task removed</source>
        <translation>Tarea eliminada</translation>
    </message>
    <message>
        <source>This task was deleted meanwhile, so it cannot be saved.</source>
        <translation>Esta tarea se eliminó mientras tanto, así que no se puede guardar.</translation>
    </message>
    <message>
        <source>The parent task was deleted meanwhile, so the subtask cannot be saved.</source>
        <translation>La tarea principal se eliminó mientras tanto, así que la subtarea no se puede guardar.</translation>
    </message>
    <message>
        <source>Cannot move task</source>
        <translation>No se puede mover la tarea</translation>
    </message>
    <message>
        <source>The chosen calendar already holds this task or one of its subtasks.</source>
        <translation>El calendario elegido ya contiene esta tarea o una de sus subtareas.</translation>
    </message>
    <message>
        <source>Database Error</source>
        <translation>Error de base de datos</translation>
    </message>
</context>
<context>
    <name>TasksPane</name>
    <message>
        <source>Tasks</source>
        <translation>Tareas</translation>
    </message>
    <message>
        <source>Filter tasks</source>
        <translation>Filtrar tareas</translation>
    </message>
    <message>
        <source>All tasks</source>
        <translation>Todas las tareas</translation>
    </message>
    <message>
        <source>Due today</source>
        <translation>Vencen hoy</translation>
    </message>
    <message>
        <source>Due this week</source>
        <translation>Vencen esta semana</translation>
    </message>
    <message>
        <source>Overdue</source>
        <translation>Vencida</translation>
    </message>
    <message>
        <source>Group by calendar</source>
        <translation>Agrupar por calendario</translation>
    </message>
    <message>
        <source>Hide completed</source>
        <translation>Ocultar completadas</translation>
    </message>
    <message>
        <source>Show notes</source>
        <translation>Mostrar notas</translation>
    </message>
    <message>
        <source>Show categories</source>
        <translation>Mostrar categorías</translation>
    </message>
    <message>
        <source>No tasks yet</source>
        <translation>Aún no hay tareas</translation>
    </message>
    <message>
        <source>Create a task to track what needs doing.</source>
        <translation>Crear una tarea para llevar el control de lo pendiente.</translation>
    </message>
    <message>
        <source>+ New Task</source>
        <translation>+ Nueva tarea</translation>
    </message>
    <message>
        <source>Nothing due today</source>
        <translation>Nada vence hoy</translation>
    </message>
    <message>
        <source>Nothing due this week</source>
        <translation>Nada vence esta semana</translation>
    </message>
    <message>
        <source>Nothing overdue</source>
        <translation>Nada vencido</translation>
    </message>
    <message>
        <source>You&apos;re caught up. Nice.</source>
        <translation>Todo al día. ¡Bien hecho!</translation>
    </message>
    <message>
        <source>Switch the filter to see other tasks.</source>
        <translation>Cambiar el filtro para ver otras tareas.</translation>
    </message>
    <message>
        <source>No calendars</source>
        <translation>No hay calendarios</translation>
    </message>
    <message>
        <source>Create a calendar first.</source>
        <translation>Primero hay que crear un calendario.</translation>
    </message>
    <message>
        <source>Task not found</source>
        <translation>No se encontró la tarea</translation>
    </message>
    <message>
        <source>This task no longer exists.</source>
        <translation>Esta tarea ya no existe.</translation>
    </message>
    <message>
        <source>Can&apos;t move task</source>
        <translation>No se puede mover la tarea</translation>
    </message>
    <message>
        <source>Subtasks must belong to the same calendar as their parent. Move &quot;%1&quot; to the same calendar first.</source>
        <translation>Las subtareas deben pertenecer al mismo calendario que su tarea principal. Primero hay que mover &quot;%1&quot; a ese calendario.</translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation>Editar…</translation>
    </message>
    <message>
        <source>Add Subtask</source>
        <translation>Añadir subtarea</translation>
    </message>
    <message>
        <source>Mark Incomplete</source>
        <translation>Marcar como pendiente</translation>
    </message>
    <message>
        <source>Mark Complete</source>
        <translation>Marcar como completada</translation>
    </message>
    <message>
        <source>Clear In Progress</source>
        <translation>Quitar &quot;En curso&quot;</translation>
    </message>
    <message>
        <source>Mark In Progress</source>
        <translation>Marcar como en curso</translation>
    </message>
    <message>
        <source>Restore Task</source>
        <translation>Restaurar tarea</translation>
    </message>
    <message>
        <source>Mark Cancelled</source>
        <translation>Marcar como cancelada</translation>
    </message>
    <message>
        <source>Make Top-Level</source>
        <translation>Convertir en tarea principal</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Eliminar</translation>
    </message>
    <message>
        <source>Delete task?</source>
        <translation>¿Eliminar la tarea?</translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;? This cannot be undone.</source>
        <translation>¿Eliminar &quot;%1&quot;? Esta acción no se puede deshacer.</translation>
    </message>
</context>
<context>
    <name>TasksPaneRow</name>
    <message>
        <source>(Untitled)</source>
        <translation>(Sin título)</translation>
    </message>
    <message>
        <source>IN PROGRESS</source>
        <translation>EN CURSO</translation>
    </message>
    <message>
        <source>CANCELLED</source>
        <translation>CANCELADA</translation>
    </message>
</context>
<context>
    <name>TemplateEditorDialog</name>
    <message>
        <source>At time of event</source>
        <translation>A la hora del evento</translation>
    </message>
    <message numerus="yes">
        <source>%n minute(s) before</source>
        <translation>
            <numerusform>%n minuto antes</numerusform>
            <numerusform>%n minutos antes</numerusform>
        </translation>
    </message>
    <message>
        <source>1 hour before</source>
        <translation>1 hora antes</translation>
    </message>
    <message>
        <source>New Template</source>
        <translation>Nueva plantilla</translation>
    </message>
    <message>
        <source>Edit Template</source>
        <translation>Editar plantilla</translation>
    </message>
    <message>
        <source>e.g., Standup, Doctor visit</source>
        <translation>p. ej., Reunión diaria, Visita al médico</translation>
    </message>
    <message>
        <source>Template name</source>
        <translation>Nombre de la plantilla</translation>
    </message>
    <message>
        <source>Event title shown on the calendar</source>
        <translation>Título del evento que se muestra en el calendario</translation>
    </message>
    <message>
        <source>Event title</source>
        <translation>Título del evento</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Descripción</translation>
    </message>
    <message>
        <source>Optional location</source>
        <translation>Ubicación opcional</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Ubicación</translation>
    </message>
    <message>
        <source>Use calendar color</source>
        <translation>Usar el color del calendario</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>Color</translation>
    </message>
    <message>
        <source>(use default)</source>
        <translation>(usar el predeterminado)</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>Calendario</translation>
    </message>
    <message>
        <source>All-day event</source>
        <translation>Evento de todo el día</translation>
    </message>
    <message>
        <source>h</source>
        <translation>h</translation>
    </message>
    <message>
        <source>m</source>
        <translation>min</translation>
    </message>
    <message>
        <source>Default duration</source>
        <translation>Duración predeterminada</translation>
    </message>
    <message>
        <source>Recurrence</source>
        <translation>Repetición</translation>
    </message>
    <message>
        <source>Reminders</source>
        <translation>Recordatorios</translation>
    </message>
    <message>
        <source>+ Add reminder</source>
        <translation>+ Añadir recordatorio</translation>
    </message>
    <message>
        <source>No reminders</source>
        <translation>Sin recordatorios</translation>
    </message>
    <message>
        <source>Remove reminder</source>
        <translation>Quitar recordatorio</translation>
    </message>
    <message>
        <source>Template color</source>
        <translation>Color de la plantilla</translation>
    </message>
    <message>
        <source>Inherits the calendar&apos;s color. Click to override.</source>
        <translation>Usa el color del calendario. Hacer clic para cambiarlo.</translation>
    </message>
    <message>
        <source>%1, click to change.</source>
        <translation>%1; hacer clic para cambiarlo.</translation>
    </message>
    <message>
        <source>Does not repeat</source>
        <translation>No se repite</translation>
    </message>
    <message>
        <source>Missing name</source>
        <translation>Falta el nombre</translation>
    </message>
    <message>
        <source>Give this template a name so you can pick it later.</source>
        <translation>Poner un nombre a esta plantilla para poder elegirla más adelante.</translation>
    </message>
    <message>
        <source>Missing event title</source>
        <translation>Falta el título del evento</translation>
    </message>
    <message>
        <source>Set the event title. That&apos;s what events created from this template will be called.</source>
        <translation>Establecer el título del evento. Así se llamarán los eventos creados con esta plantilla.</translation>
    </message>
    <message numerus="yes">
        <source>%n day(s) before</source>
        <translation>
            <numerusform>%n día antes</numerusform>
            <numerusform>%n días antes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n hour(s) before</source>
        <translation>
            <numerusform>%n hora antes</numerusform>
            <numerusform>%n horas antes</numerusform>
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
            <numerusform>%n evento más</numerusform>
            <numerusform>%n eventos más</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TrayManager</name>
    <message>
        <source>&amp;Show Calendar</source>
        <translation>&amp;Mostrar calendario</translation>
    </message>
    <message>
        <source>Sync &amp;Now</source>
        <translation>Sincronizar &amp;ahora</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <source>Orvandellic Calendar</source>
        <translation>Orvandellic Calendar</translation>
    </message>
    <message>
        <source>%1 — Last sync failed</source>
        <translation>%1 — Falló la última sincronización</translation>
    </message>
    <message>
        <source>%1 — Sync failed: %2</source>
        <translation>%1 — Error de sincronización: %2</translation>
    </message>
    <message>
        <source>%1 — No upcoming events</source>
        <translation>%1 — No hay próximos eventos</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Sin título</translation>
    </message>
    <message>
        <source>today</source>
        <translation>today</translation>
    </message>
    <message>
        <source>tomorrow</source>
        <translation>mañana</translation>
    </message>
    <message>
        <source>%1 — Next: %2 (%3, all day)</source>
        <translation>%1 — Siguiente: %2 (%3, todo el día)</translation>
    </message>
    <message>
        <source>at %1</source>
        <translation>a las %1</translation>
    </message>
    <message>
        <source>tomorrow at %1</source>
        <translation>mañana a las %1</translation>
    </message>
    <message>
        <source>%1 — Next: %2 %3</source>
        <translation>%1 — Siguiente: %2 %3</translation>
    </message>
</context>
<context>
    <name>ViewArea</name>
    <message>
        <source>Today · %1</source>
        <translation>Hoy · %1</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Hoy</translation>
    </message>
    <message>
        <source>Day</source>
        <translation>Día</translation>
    </message>
    <message>
        <source>Days</source>
        <translation>Días</translation>
    </message>
    <message>
        <source>Week</source>
        <translation>Semana</translation>
    </message>
    <message>
        <source>Grid</source>
        <translation>Cuadrícula</translation>
    </message>
    <message>
        <source>Month</source>
        <translation>Mes</translation>
    </message>
    <message>
        <source>Year</source>
        <translation>Año</translation>
    </message>
    <message>
        <source>Days timeline span — Ctrl+Shift+1..5 for 3 / 5 / 7 / 10 / 14 days</source>
        <translation>Duración de la vista Días: Ctrl+Shift+1..5 para 3 / 5 / 7 / 10 / 14 días</translation>
    </message>
    <message numerus="yes">
        <source>%n days</source>
        <translation>
            <numerusform>%n día</numerusform>
            <numerusform>%n días</numerusform>
        </translation>
    </message>
    <message>
        <source>%1d</source>
        <translation>%1 d</translation>
    </message>
    <message>
        <source>All Calendars</source>
        <translation>Todos los calendarios</translation>
    </message>
    <message>
        <source>Add Calendar Group…</source>
        <translation>Añadir grupo de calendarios…</translation>
    </message>
    <message>
        <source>Edit Current Group…</source>
        <translation>Editar grupo actual…</translation>
    </message>
    <message>
        <source>Delete Current Group</source>
        <translation>Eliminar grupo actual</translation>
    </message>
    <message>
        <source>Delete group?</source>
        <translation>¿Eliminar el grupo?</translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;? You can recreate it later.</source>
        <translation>¿Eliminar &quot;%1&quot;? Se puede volver a crear más adelante.</translation>
    </message>
</context>
<context>
    <name>ViewEventActions</name>
    <message>
        <source>Calendar</source>
        <translation>Calendario</translation>
    </message>
</context>
<context>
    <name>ViewFormDialog</name>
    <message>
        <source>Add Calendar Group</source>
        <translation>Añadir grupo de calendarios</translation>
    </message>
    <message>
        <source>Edit Calendar Group</source>
        <translation>Editar grupo de calendarios</translation>
    </message>
    <message>
        <source>e.g. Work</source>
        <translation>p. ej., Trabajo</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Nombre:</translation>
    </message>
    <message>
        <source>Colour:</source>
        <translation>Color:</translation>
    </message>
    <message>
        <source>Calendars in this group (none ticked: every visible calendar):</source>
        <translation>Calendarios de este grupo (ninguno marcado: todos los calendarios visibles):</translation>
    </message>
    <message>
        <source>Group Colour</source>
        <translation>Color del grupo</translation>
    </message>
    <message>
        <source>Please enter a name.</source>
        <translation>Hay que introducir un nombre.</translation>
    </message>
    <message>
        <source>The group could not be saved.</source>
        <translation>No se pudo guardar el grupo.</translation>
    </message>
    <message>
        <source>This group was removed meanwhile, so it cannot be saved.</source>
        <translation>Este grupo se eliminó mientras tanto, así que no se puede guardar.</translation>
    </message>
</context>
<context>
    <name>VisibleEvents</name>
    <message>
        <source>(Untitled)</source>
        <translation>(Sin título)</translation>
    </message>
</context>
<context>
    <name>Weather::GeocodingClient</name>
    <message>
        <source>The place search failed. Check your connection and try again.</source>
        <translation>Error al buscar el lugar. Conviene comprobar la conexión y volver a intentarlo.</translation>
    </message>
</context>
<context>
    <name>WeatherSettingsDialog</name>
    <message>
        <source>Weather</source>
        <translation>Tiempo</translation>
    </message>
    <message>
        <source>Show the weather forecast in the calendar</source>
        <translation>Mostrar la previsión del tiempo en el calendario</translation>
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
        <translation>Temperatura:</translation>
    </message>
    <message>
        <source>No place chosen</source>
        <translation>Ningún lugar elegido</translation>
    </message>
    <message>
        <source>Place:</source>
        <translation>Lugar:</translation>
    </message>
    <message>
        <source>City or town</source>
        <translation>Ciudad o localidad</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Buscar</translation>
    </message>
    <message>
        <source>Searching…</source>
        <translation>Buscando…</translation>
    </message>
    <message>
        <source>No place of that name was found.</source>
        <translation>No se encontró ningún lugar con ese nombre.</translation>
    </message>
    <message>
        <source>Search for a place and choose it to see its forecast.</source>
        <translation>Buscar un lugar y elegirlo para ver su previsión.</translation>
    </message>
</context>
<context>
    <name>Webcal::SyncClient</name>
    <message>
        <source>The calendar&apos;s feed address is not a web address.</source>
        <translation>La dirección del canal del calendario no es una dirección web.</translation>
    </message>
    <message>
        <source>The calendar feed is too large.</source>
        <translation>El canal del calendario es demasiado grande.</translation>
    </message>
    <message>
        <source>The calendar feed did not answer in time.</source>
        <translation>El canal del calendario no respondió a tiempo.</translation>
    </message>
    <message>
        <source>The calendar feed could not be downloaded (HTTP %1).</source>
        <translation>No se pudo descargar el canal del calendario (HTTP %1).</translation>
    </message>
    <message>
        <source>The calendar feed could not be downloaded.</source>
        <translation>No se pudo descargar el canal del calendario.</translation>
    </message>
    <message>
        <source>The calendar feed is not an iCalendar file.</source>
        <translation>El canal del calendario no es un archivo iCalendar.</translation>
    </message>
    <message>
        <source>The calendar feed could not be stored.</source>
        <translation>No se pudo guardar el canal del calendario.</translation>
    </message>
</context>
<context>
    <name>WeekGridView</name>
    <message>
        <source>Edit filter &quot;%1&quot;…</source>
        <translation>Editar filtro &quot;%1&quot;…</translation>
    </message>
    <message>
        <source>Create Filter from Event…</source>
        <translation>Crear filtro a partir del evento…</translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;? You can undo with %2.</source>
        <translation>¿Eliminar &quot;%1&quot;? Se puede deshacer con %2.</translation>
    </message>
    <message>
        <source>Delete event?</source>
        <translation>¿Eliminar el evento?</translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation>Editar…</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Eliminar</translation>
    </message>
</context>
<context>
    <name>WeekGridWidget</name>
    <message numerus="yes">
        <source>+%n more</source>
        <translation>
            <numerusform>+%n más</numerusform>
            <numerusform>+%n más</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>WeekTimelineWidget</name>
    <message>
        <source>%1 min</source>
        <translation>%1 min</translation>
    </message>
</context>
<context>
    <name>WeekView</name>
    <message>
        <source>Edit filter &quot;%1&quot;…</source>
        <translation>Editar filtro &quot;%1&quot;…</translation>
    </message>
    <message>
        <source>Create Filter from Event…</source>
        <translation>Crear filtro a partir del evento…</translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;? You can undo with %2.</source>
        <translation>¿Eliminar &quot;%1&quot;? Se puede deshacer con %2.</translation>
    </message>
    <message>
        <source>Delete event?</source>
        <translation>¿Eliminar el evento?</translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation>Editar…</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Eliminar</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>Calendario</translation>
    </message>
    <message>
        <source>Moved &quot;%1&quot;</source>
        <translation>Se movió &quot;%1&quot;</translation>
    </message>
    <message>
        <source>The event could not be moved.</source>
        <translation>No se pudo mover el evento.</translation>
    </message>
    <message>
        <source>Resized &quot;%1&quot;</source>
        <translation>Se cambió la duración de &quot;%1&quot;</translation>
    </message>
    <message>
        <source>The event could not be resized.</source>
        <translation>No se pudo cambiar la duración del evento.</translation>
    </message>
</context>
<context>
    <name>WelcomeDialog</name>
    <message>
        <source>Welcome</source>
        <translation>Bienvenida</translation>
    </message>
    <message>
        <source>Welcome to Calendar</source>
        <translation>Bienvenido a Calendario</translation>
    </message>
    <message>
        <source>Your calendars, events and tasks in one place. Add an account to connect a CalDAV server or subscribe to a calendar feed, or get started with the calendar on this device.</source>
        <translation>Calendarios, eventos y tareas en un solo lugar. Añadir una cuenta para conectar un servidor CalDAV o suscribirse a un canal de calendario, o empezar con el calendario de este dispositivo.</translation>
    </message>
    <message>
        <source>Get Started</source>
        <translation>Empezar</translation>
    </message>
    <message>
        <source>Add Account…</source>
        <translation>Añadir cuenta…</translation>
    </message>
</context>
<context>
    <name>WinTrayPopover</name>
    <message>
        <source>Group</source>
        <translation>Grupo</translation>
    </message>
    <message>
        <source>Add event — e.g. &quot;lunch Thursday 1pm&quot;</source>
        <translation>Añadir evento; p. ej., &quot;lunch Thursday 1pm&quot;</translation>
    </message>
    <message>
        <source>Open Calendar</source>
        <translation>Abrir</translation>
    </message>
    <message>
        <source>Sync Now</source>
        <translation>Sincronizar</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Preferencias</translation>
    </message>
    <message>
        <source>now</source>
        <translation>ahora</translation>
    </message>
    <message>
        <source>in %1 min</source>
        <translation>en %1 min</translation>
    </message>
    <message>
        <source>in %1h %2m</source>
        <translation>en %1 h %2 min</translation>
    </message>
    <message>
        <source>in %1h</source>
        <translation>en %1 h</translation>
    </message>
    <message>
        <source>All-day</source>
        <translation>Todo el día</translation>
    </message>
    <message>
        <source>No calendars yet</source>
        <translation>Aún no hay calendarios</translation>
    </message>
    <message>
        <source>No upcoming events</source>
        <translation>No hay próximos eventos</translation>
    </message>
    <message>
        <source>Nothing scheduled in the next 24 hours.</source>
        <translation>Nada programado en las próximas 24 horas.</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Sin título</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Hoy</translation>
    </message>
    <message>
        <source>  No more events today</source>
        <translation>  No hay más eventos hoy</translation>
    </message>
    <message>
        <source>Tomorrow</source>
        <translation>Mañana</translation>
    </message>
    <message>
        <source>  Nothing scheduled</source>
        <translation>  Nada programado</translation>
    </message>
    <message>
        <source>Today, all day</source>
        <translation>Hoy, todo el día</translation>
    </message>
    <message>
        <source>Tomorrow, all day</source>
        <translation>Mañana, todo el día</translation>
    </message>
    <message>
        <source>%1 at %2</source>
        <translation>%1 a las %2</translation>
    </message>
    <message>
        <source>(Unnamed)</source>
        <translation>(Sin nombre)</translation>
    </message>
    <message>
        <source>Couldn&apos;t save event</source>
        <translation>No se pudo guardar el evento</translation>
    </message>
</context>
</TS>

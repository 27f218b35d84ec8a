<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>AccountFormDialog</name>
    <message>
        <source>Add Account</source>
        <translation>Ajouter un compte</translation>
    </message>
    <message>
        <source>Where are your calendars?</source>
        <translation>Où se trouvent vos calendriers ?</translation>
    </message>
    <message>
        <source>Google and Microsoft accounts sign in through your web browser, so this program never sees their passwords.</source>
        <translation>Les comptes Google et Microsoft se connectent via votre navigateur web : ce programme ne voit donc jamais leurs mots de passe.</translation>
    </message>
    <message>
        <source>Google</source>
        <translation>Google</translation>
    </message>
    <message>
        <source>Google Calendar, signed in through your browser.</source>
        <translation>Google Agenda, connexion via votre navigateur.</translation>
    </message>
    <message>
        <source>Microsoft</source>
        <translation>Microsoft</translation>
    </message>
    <message>
        <source>Outlook.com and Microsoft 365, signed in through your browser. Their calendars do not sync yet.</source>
        <translation>Outlook.com et Microsoft 365, connexion via votre navigateur. Leurs calendriers ne se synchronisent pas encore.</translation>
    </message>
    <message>
        <source>CalDAV Server</source>
        <translation>Serveur CalDAV</translation>
    </message>
    <message>
        <source>Nextcloud, Synology, Radicale, iCloud and other servers, with a user name and password.</source>
        <translation>Nextcloud, Synology, Radicale, iCloud et autres serveurs, avec un nom d’utilisateur et un mot de passe.</translation>
    </message>
    <message>
        <source>Edit Account</source>
        <translation>Modifier le compte</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Nom :</translation>
    </message>
    <message>
        <source> min</source>
        <translation> min</translation>
    </message>
    <message>
        <source>Manual only</source>
        <translation>Manuellement uniquement</translation>
    </message>
    <message>
        <source>Sync every:</source>
        <translation>Synchroniser toutes les :</translation>
    </message>
    <message>
        <source>Address:</source>
        <translation>Adresse :</translation>
    </message>
    <message>
        <source>Not signed in</source>
        <translation>Non connecté</translation>
    </message>
    <message>
        <source>Signed in as %1</source>
        <translation>Connecté en tant que %1</translation>
    </message>
    <message>
        <source>Sign-in:</source>
        <translation>Connexion :</translation>
    </message>
    <message>
        <source>Sign In Again…</source>
        <translation>Se reconnecter…</translation>
    </message>
    <message>
        <source>No password saved</source>
        <translation>Aucun mot de passe enregistré</translation>
    </message>
    <message>
        <source>Unchanged</source>
        <translation>Inchangé</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Mot de passe :</translation>
    </message>
    <message>
        <source>Certificate:</source>
        <translation>Certificat :</translation>
    </message>
    <message>
        <source>Check Connection</source>
        <translation>Vérifier la connexion</translation>
    </message>
    <message>
        <source>Connected: the server accepted the password.</source>
        <translation>Connecté : le serveur a accepté le mot de passe.</translation>
    </message>
    <message>
        <source>The account could not be saved.</source>
        <translation>Le compte n’a pas pu être enregistré.</translation>
    </message>
    <message>
        <source>That sign-in is for %1, not for this account (%2). Sign in as %2, or add %1 as an account of its own.</source>
        <translation>Cette connexion concerne %1, et non ce compte (%2). Connectez-vous en tant que %2, ou ajoutez %1 comme compte distinct.</translation>
    </message>
    <message>
        <source>%1 account</source>
        <translation>Compte %1</translation>
    </message>
    <message>
        <source>Signed in, but the credential store did not take the new tokens; the account keeps its old sign-in.</source>
        <translation>Connecté, mais le trousseau d’identifiants n’a pas accepté les nouveaux jetons ; le compte conserve son ancienne connexion.</translation>
    </message>
    <message>
        <source>Signed in, but the credential store did not take the tokens, so no account was added.</source>
        <translation>Connecté, mais le trousseau d’identifiants n’a pas accepté les jetons : aucun compte n’a été ajouté.</translation>
    </message>
    <message>
        <source>Signed in again as %1.</source>
        <translation>Reconnecté en tant que %1.</translation>
    </message>
    <message>
        <source>Checked by the system</source>
        <translation>Vérifié par le système</translation>
    </message>
    <message>
        <source>Pinned, SHA-256 %1</source>
        <translation>Épinglé, SHA-256 %1</translation>
    </message>
    <message>
        <source>Enter the password first.</source>
        <translation>Saisissez d’abord le mot de passe.</translation>
    </message>
    <message>
        <source>Connecting…</source>
        <translation>Connexion…</translation>
    </message>
    <message>
        <source>Please enter a name.</source>
        <translation>Veuillez saisir un nom.</translation>
    </message>
    <message>
        <source>The password could not be stored in the credential store.</source>
        <translation>Le mot de passe n’a pas pu être enregistré dans le trousseau d’identifiants.</translation>
    </message>
    <message>
        <source>This account was removed meanwhile, so it cannot be saved.</source>
        <translation>Ce compte a été supprimé entre-temps : il ne peut donc pas être enregistré.</translation>
    </message>
</context>
<context>
    <name>AgendaEventRow</name>
    <message>
        <source>All-day</source>
        <translation>Toute la journée</translation>
    </message>
    <message>
        <source>(Untitled)</source>
        <translation>(Sans titre)</translation>
    </message>
</context>
<context>
    <name>AgendaListWidget</name>
    <message>
        <source>No upcoming events</source>
        <translation>Aucun événement à venir</translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation>Modifier…</translation>
    </message>
    <message>
        <source>Mark Incomplete</source>
        <translation>Marquer comme non terminée</translation>
    </message>
    <message>
        <source>Mark Complete</source>
        <translation>Marquer comme terminée</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>Delete task?</source>
        <translation>Supprimer la tâche ?</translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;? This cannot be undone.</source>
        <translation>Supprimer « %1 » ? Cette action est irréversible.</translation>
    </message>
    <message>
        <source>Edit filter &quot;%1&quot;…</source>
        <translation>Modifier le filtre « %1 »…</translation>
    </message>
    <message>
        <source>Create Filter from Event…</source>
        <translation>Créer un filtre à partir de l’événement…</translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;? You can undo with %2.</source>
        <translation>Supprimer « %1 » ? Vous pouvez annuler avec %2.</translation>
    </message>
    <message>
        <source>Delete event?</source>
        <translation>Supprimer l’événement ?</translation>
    </message>
</context>
<context>
    <name>AgendaTaskRow</name>
    <message>
        <source>(Untitled)</source>
        <translation>(Sans titre)</translation>
    </message>
    <message>
        <source>Overdue</source>
        <translation>En retard</translation>
    </message>
</context>
<context>
    <name>AllDayStrip</name>
    <message>
        <source>all-day</source>
        <translation>toute la journée</translation>
    </message>
    <message>
        <source>+%1 more</source>
        <translation>+%1 de plus</translation>
    </message>
</context>
<context>
    <name>Application</name>
    <message>
        <source>The file was left unchanged.</source>
        <translation>Le fichier n’a pas été modifié.</translation>
    </message>
    <message>
        <source>The calendar file %1 is not a database.</source>
        <translation>Le fichier du calendrier %1 n’est pas une base de données.</translation>
    </message>
    <message>
        <source>The calendar file %1 is damaged.</source>
        <translation>Le fichier du calendrier %1 est endommagé.</translation>
    </message>
    <message>
        <source>The calendar file %1 was made by a newer version of this program (schema %2; this version reads up to %3). Update the program to open it.</source>
        <translation>Le fichier du calendrier %1 a été créé par une version plus récente de ce programme (schéma %2 ; cette version lit jusqu’au schéma %3). Mettez le programme à jour pour l’ouvrir.</translation>
    </message>
    <message>
        <source>The calendar file %1 is read-only and was made by an older version of this program; it has to be updated before it can be opened. Make it writable and start again.</source>
        <translation>Le fichier du calendrier %1 est en lecture seule et a été créé par une version plus ancienne de ce programme ; il doit être mis à jour avant de pouvoir être ouvert. Rendez-le accessible en écriture, puis relancez le programme.</translation>
    </message>
    <message>
        <source>Failed to initialize the database.

Data directory: %1

This is a file, not a folder. Move or rename the file, then start again.</source>
        <translation>Impossible d’initialiser la base de données.

Dossier de données : %1

Il s’agit d’un fichier, et non d’un dossier. Déplacez ou renommez le fichier, puis relancez le programme.</translation>
    </message>
    <message>
        <source>Failed to initialize the database.

The calendar file %1 is a folder, not a database file. Move or rename the folder, then start again.</source>
        <translation>Impossible d’initialiser la base de données.

Le fichier du calendrier %1 est un dossier, et non un fichier de base de données. Déplacez ou renommez le dossier, puis relancez le programme.</translation>
    </message>
    <message>
        <source>Failed to initialize the database.

Data directory: %1

Please check file permissions and try again.</source>
        <translation>Impossible d’initialiser la base de données.

Dossier de données : %1

Vérifiez les autorisations des fichiers et réessayez.</translation>
    </message>
    <message>
        <source>Database Error</source>
        <translation>Erreur de base de données</translation>
    </message>
    <message>
        <source>The data directory is in use by another running instance.

Data directory: %1</source>
        <translation>Le dossier de données est utilisé par une autre instance en cours d’exécution.

Dossier de données : %1</translation>
    </message>
    <message>
        <source>Read-Only Calendar</source>
        <translation>Calendrier en lecture seule</translation>
    </message>
    <message>
        <source>The calendar file %1 is read-only. The calendar is shown, but changes can&apos;t be saved until the file can be written.</source>
        <translation>Le fichier du calendrier %1 est en lecture seule. Le calendrier est affiché, mais les modifications ne pourront pas être enregistrées tant que le fichier ne sera pas accessible en écriture.</translation>
    </message>
    <message>
        <source>The command line is too long: at most %1 bytes can be handed to the calendar.
</source>
        <translation>La ligne de commande est trop longue : au plus %1 octets peuvent être transmis au calendrier.
</translation>
    </message>
    <message>
        <source>The calendar is running but does not answer; the command was not handed to it.
</source>
        <translation>Le calendrier est en cours d’exécution mais ne répond pas ; la commande ne lui a pas été transmise.
</translation>
    </message>
</context>
<context>
    <name>CalDavCertificateDialog</name>
    <message>
        <source>Untrusted Certificate</source>
        <translation>Certificat non approuvé</translation>
    </message>
    <message>
        <source>The certificate of %1 is not trusted. Trust it only if the fingerprint matches the one your server administrator gave you.</source>
        <translation>Le certificat de %1 n’est pas approuvé. Ne l’approuvez que si l’empreinte correspond à celle fournie par l’administrateur de votre serveur.</translation>
    </message>
    <message>
        <source>Subject: %1
Issuer: %2
Valid: %3 to %4
SHA-256 fingerprint:
%5</source>
        <translation>Sujet : %1
Émetteur : %2
Valide : du %3 au %4
Empreinte SHA-256 :
%5</translation>
    </message>
    <message>
        <source>Trust Certificate</source>
        <translation>Approuver le certificat</translation>
    </message>
</context>
<context>
    <name>CalDavClient</name>
    <message>
        <source>The server&apos;s reply was larger than %1 MB.</source>
        <translation>La réponse du serveur dépassait %1 Mo.</translation>
    </message>
    <message>
        <source>The server&apos;s reply did not end within %1 s.</source>
        <translation>La réponse du serveur ne s’est pas terminée dans un délai de %1 s.</translation>
    </message>
    <message>
        <source>The server did not answer within %1 s.</source>
        <translation>Le serveur n’a pas répondu dans un délai de %1 s.</translation>
    </message>
</context>
<context>
    <name>CalDavConnectionDialog</name>
    <message>
        <source>Add CalDAV Account</source>
        <translation>Ajouter un compte CalDAV</translation>
    </message>
    <message>
        <source>Connect any CalDAV server, such as Nextcloud, Synology, Radicale or iCloud (with an app-specific password).</source>
        <translation>Connectez n’importe quel serveur CalDAV, comme Nextcloud, Synology, Radicale ou iCloud (avec un mot de passe pour app).</translation>
    </message>
    <message>
        <source>Server:</source>
        <translation>Serveur :</translation>
    </message>
    <message>
        <source>User name:</source>
        <translation>Nom d’utilisateur :</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Mot de passe :</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Se connecter</translation>
    </message>
    <message>
        <source>Enter the server&apos;s address, for example https://dav.example.com/.</source>
        <translation>Saisissez l’adresse du serveur, par exemple https://dav.example.com/.</translation>
    </message>
    <message>
        <source>Enter your user name and password.</source>
        <translation>Saisissez votre nom d’utilisateur et votre mot de passe.</translation>
    </message>
    <message>
        <source>This account has already been added.</source>
        <translation>Ce compte a déjà été ajouté.</translation>
    </message>
    <message>
        <source>Connecting…</source>
        <translation>Connexion…</translation>
    </message>
    <message>
        <source>The account could not be saved.</source>
        <translation>Le compte n’a pas pu être enregistré.</translation>
    </message>
    <message>
        <source>The password could not be stored in the credential store.</source>
        <translation>Le mot de passe n’a pas pu être enregistré dans le trousseau d’identifiants.</translation>
    </message>
    <message>
        <source>The account&apos;s calendars could not be saved.</source>
        <translation>Les calendriers du compte n’ont pas pu être enregistrés.</translation>
    </message>
</context>
<context>
    <name>CalDavDiscovery</name>
    <message>
        <source>Enter a CalDAV URL starting with http:// or https://</source>
        <translation>Saisissez une URL CalDAV commençant par http:// ou https://</translation>
    </message>
    <message>
        <source>Could not reach the server: %1</source>
        <translation>Impossible de joindre le serveur : %1</translation>
    </message>
    <message>
        <source>The server rejected the username or password.</source>
        <translation>Le serveur a refusé le nom d’utilisateur ou le mot de passe.</translation>
    </message>
    <message>
        <source>Server returned HTTP %1 during principal discovery.</source>
        <translation>Le serveur a renvoyé HTTP %1 pendant la découverte du principal.</translation>
    </message>
    <message>
        <source>Lost connection during calendar-home-set discovery: %1</source>
        <translation>Connexion perdue pendant la découverte du calendar-home-set : %1</translation>
    </message>
    <message>
        <source>Server returned HTTP %1 during home-set discovery.</source>
        <translation>Le serveur a renvoyé HTTP %1 pendant la découverte du home-set.</translation>
    </message>
    <message>
        <source>Lost connection during calendar enumeration: %1</source>
        <translation>Connexion perdue pendant l’énumération des calendriers : %1</translation>
    </message>
    <message>
        <source>Server returned HTTP %1 during calendar enumeration.</source>
        <translation>Le serveur a renvoyé HTTP %1 pendant l’énumération des calendriers.</translation>
    </message>
    <message>
        <source>No calendars found at the discovered home set.</source>
        <translation>Aucun calendrier trouvé dans le home-set découvert.</translation>
    </message>
</context>
<context>
    <name>CalDavImport</name>
    <message numerus="yes">
        <source>%n calendar(s) were not added: the server lists more than %1.</source>
        <translation>
            <numerusform>%n calendrier n&apos;a pas été ajouté : le serveur en liste plus de %1.</numerusform>
            <numerusform>%n calendriers n&apos;ont pas été ajoutés : le serveur en liste plus de %1.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CalDavSyncClient</name>
    <message>
        <source>Network error: %1</source>
        <translation>Erreur réseau : %1</translation>
    </message>
    <message>
        <source>Push error: %1</source>
        <translation>Erreur d’envoi : %1</translation>
    </message>
    <message>
        <source>Server returned HTTP %1 pushing &quot;%2&quot;</source>
        <translation>Le serveur a renvoyé HTTP %1 lors de l’envoi de « %2 »</translation>
    </message>
    <message>
        <source>The events read from the server could not be stored.</source>
        <translation>Les événements lus sur le serveur n’ont pas pu être enregistrés.</translation>
    </message>
    <message>
        <source>Network error during task pull: %1</source>
        <translation>Erreur réseau lors de la récupération des tâches : %1</translation>
    </message>
    <message>
        <source>Task push error: %1</source>
        <translation>Erreur d’envoi de tâche : %1</translation>
    </message>
    <message>
        <source>Server returned HTTP %1 pushing task &quot;%2&quot;</source>
        <translation>Le serveur a renvoyé HTTP %1 lors de l’envoi de la tâche « %2 »</translation>
    </message>
    <message>
        <source>The tasks read from the server could not be stored.</source>
        <translation>Les tâches lues sur le serveur n’ont pas pu être enregistrées.</translation>
    </message>
    <message>
        <source>The server&apos;s listing was cut short or unreadable.</source>
        <translation>La liste du serveur était tronquée ou illisible.</translation>
    </message>
    <message>
        <source>Server returned HTTP %1 during ctag check</source>
        <translation>Le serveur a renvoyé HTTP %1 lors de la vérification du ctag</translation>
    </message>
    <message>
        <source>Server returned HTTP %1</source>
        <translation>Le serveur a renvoyé HTTP %1</translation>
    </message>
    <message>
        <source>The calendar&apos;s sync state could not be stored.</source>
        <translation>L’état de synchronisation du calendrier n’a pas pu être enregistré.</translation>
    </message>
    <message>
        <source>no reply</source>
        <translation>pas de réponse</translation>
    </message>
    <message>
        <source>The result of sending &quot;%1&quot; could not be stored.</source>
        <translation>Le résultat de l’envoi de « %1 » n’a pas pu être enregistré.</translation>
    </message>
</context>
<context>
    <name>CalendarFormDialog</name>
    <message>
        <source>Add Calendar</source>
        <translation>Ajouter un calendrier</translation>
    </message>
    <message>
        <source>Add Calendar to %1</source>
        <translation>Ajouter un calendrier à %1</translation>
    </message>
    <message>
        <source>Edit Calendar</source>
        <translation>Modifier le calendrier</translation>
    </message>
    <message>
        <source>Create a new calendar on the CalDAV server. The server must allow MKCALENDAR for your user; if it refuses, the calendar will not be created.</source>
        <translation>Créer un nouveau calendrier sur le serveur CalDAV. Le serveur doit autoriser MKCALENDAR pour votre utilisateur ; s’il refuse, le calendrier ne sera pas créé.</translation>
    </message>
    <message>
        <source>e.g. Personal, Work, Family</source>
        <translation>p. ex. Personnel, Travail, Famille</translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation>&amp;Nom :</translation>
    </message>
    <message>
        <source>&amp;Color:</source>
        <translation>&amp;Couleur :</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Create</source>
        <translation>Créer</translation>
    </message>
    <message>
        <source>Pick a calendar color</source>
        <translation>Choisir une couleur de calendrier</translation>
    </message>
    <message>
        <source>Name required</source>
        <translation>Nom requis</translation>
    </message>
    <message>
        <source>Please enter a name for the calendar.</source>
        <translation>Veuillez saisir un nom pour le calendrier.</translation>
    </message>
    <message>
        <source>Database Error</source>
        <translation>Erreur de base de données</translation>
    </message>
    <message>
        <source>Could not save the calendar.</source>
        <translation>Impossible d’enregistrer le calendrier.</translation>
    </message>
    <message>
        <source>Could not create the local account row.</source>
        <translation>Impossible de créer la ligne du compte local.</translation>
    </message>
    <message>
        <source>Missing password</source>
        <translation>Mot de passe manquant</translation>
    </message>
    <message>
        <source>No saved password for this account. Enter it again under Calendar Accounts: select the account, then Edit…</source>
        <translation>Aucun mot de passe enregistré pour ce compte. Saisissez-le à nouveau dans Comptes de calendrier : sélectionnez le compte, puis Modifier…</translation>
    </message>
    <message>
        <source>Creating calendar on server…</source>
        <translation>Création du calendrier sur le serveur…</translation>
    </message>
    <message>
        <source>Network error: %1</source>
        <translation>Erreur réseau : %1</translation>
    </message>
    <message>
        <source>Server refused (HTTP %1). Your account may not have permission to create calendars on this server.</source>
        <translation>Le serveur a refusé (HTTP %1). Votre compte n’a peut-être pas l’autorisation de créer des calendriers sur ce serveur.</translation>
    </message>
    <message>
        <source>Server returned success but the new calendar isn&apos;t reachable. This server may not support MKCALENDAR.</source>
        <translation>Le serveur a signalé une réussite, mais le nouveau calendrier est inaccessible. Ce serveur ne prend peut-être pas en charge MKCALENDAR.</translation>
    </message>
    <message>
        <source>Created on server, but couldn&apos;t save locally. Run sync to recover.</source>
        <translation>Créé sur le serveur, mais impossible de l’enregistrer localement. Lancez une synchronisation pour rétablir la situation.</translation>
    </message>
    <message>
        <source>Account missing</source>
        <translation>Compte manquant</translation>
    </message>
    <message>
        <source>Could not find the parent account.</source>
        <translation>Impossible de trouver le compte parent.</translation>
    </message>
    <message>
        <source>Saving changes to server…</source>
        <translation>Enregistrement des modifications sur le serveur…</translation>
    </message>
    <message>
        <source>Server refused (HTTP %1). You may not have permission to rename or recolour this calendar.</source>
        <translation>Le serveur a refusé (HTTP %1). Vous n’avez peut-être pas l’autorisation de renommer ce calendrier ou d’en changer la couleur.</translation>
    </message>
    <message>
        <source>Saved on server, but couldn&apos;t update locally.</source>
        <translation>Enregistré sur le serveur, mais impossible de mettre à jour localement.</translation>
    </message>
    <message>
        <source>Calendar removed</source>
        <translation>Calendrier supprimé</translation>
    </message>
    <message>
        <source>This calendar was removed meanwhile, so it cannot be saved.</source>
        <translation>Ce calendrier a été supprimé entre-temps : il ne peut donc pas être enregistré.</translation>
    </message>
</context>
<context>
    <name>ChangedElsewhere</name>
    <message>
        <source>Title</source>
        <translation>Titre</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>Calendrier</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>Couleur</translation>
    </message>
    <message>
        <source>Times</source>
        <translation>Horaires</translation>
    </message>
    <message>
        <source>Dates</source>
        <translation>Dates</translation>
    </message>
    <message>
        <source>Repeat</source>
        <translation>Répétition</translation>
    </message>
    <message>
        <source>Reminders</source>
        <translation>Rappels</translation>
    </message>
    <message>
        <source>Priority</source>
        <translation>Priorité</translation>
    </message>
    <message>
        <source>Completed</source>
        <translation>Terminée</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Lieu</translation>
    </message>
    <message>
        <source>Categories</source>
        <translation>Catégories</translation>
    </message>
    <message>
        <source>Notes</source>
        <translation>Notes</translation>
    </message>
    <message>
        <source>Attendees</source>
        <translation>Participants</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Your change to %1 replaced a change made elsewhere while the form was open.</source>
        <translation>Votre modification de %1 a remplacé une modification faite ailleurs pendant que le formulaire était ouvert.</translation>
    </message>
    <message>
        <source>Your changes to %1 replaced changes made elsewhere while the form was open.</source>
        <translation>Vos modifications de %1 ont remplacé des modifications faites ailleurs pendant que le formulaire était ouvert.</translation>
    </message>
    <message>
        <source>Changed elsewhere</source>
        <translation>Modifié ailleurs</translation>
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
        <translation>Activé</translation>
    </message>
    <message>
        <source>Calendars</source>
        <translation>Calendriers</translation>
    </message>
    <message>
        <source>Sync interval</source>
        <translation>Intervalle de synchronisation</translation>
    </message>
    <message>
        <source>Certificate</source>
        <translation>Certificat</translation>
    </message>
</context>
<context>
    <name>CommandPalette</name>
    <message>
        <source>Find an event or run a command — today, goto, view, new, resync…</source>
        <translation>Rechercher un événement ou exécuter une commande — today, goto, view, new, resync…</translation>
    </message>
    <message>
        <source>today</source>
        <translation>today</translation>
    </message>
    <message>
        <source>Snap the calendar to today</source>
        <translation>Ramener le calendrier à aujourd’hui</translation>
    </message>
    <message>
        <source>goto YYYY-MM-DD</source>
        <translation>goto AAAA-MM-JJ</translation>
    </message>
    <message>
        <source>Jump to a specific date in Day view</source>
        <translation>Aller à une date précise dans la vue Jour</translation>
    </message>
    <message>
        <source>view &lt;mode|name&gt;</source>
        <translation>view &lt;mode|nom&gt;</translation>
    </message>
    <message>
        <source>Switch view mode (day/week/grid/month/year) or active calendar group</source>
        <translation>Changer de mode d’affichage (day/week/grid/month/year) ou de groupe de calendriers actif</translation>
    </message>
    <message>
        <source>new &lt;event description&gt;</source>
        <translation>new &lt;description de l’événement&gt;</translation>
    </message>
    <message>
        <source>Quick-add an event using the NL parser</source>
        <translation>Ajouter rapidement un événement en langage naturel</translation>
    </message>
    <message>
        <source>resync</source>
        <translation>resync</translation>
    </message>
    <message>
        <source>Pull + push every CalDAV calendar</source>
        <translation>Récupérer et envoyer chaque calendrier CalDAV</translation>
    </message>
    <message>
        <source>notifytest</source>
        <translation>notifytest</translation>
    </message>
    <message>
        <source>Fire a test tray notification (verifies the pipeline)</source>
        <translation>Déclencher une notification de test (vérifie la chaîne de notification)</translation>
    </message>
    <message>
        <source>Switch to Day view</source>
        <translation>Passer à la vue Jour</translation>
    </message>
    <message>
        <source>Switch to Week view (locale-bracketed 7 days)</source>
        <translation>Passer à la vue Semaine (7 jours selon les paramètres régionaux)</translation>
    </message>
    <message>
        <source>Switch to Days view (sliding window)</source>
        <translation>Passer à la vue Jours (fenêtre glissante)</translation>
    </message>
    <message>
        <source>Switch to Grid view</source>
        <translation>Passer à la vue Grille</translation>
    </message>
    <message>
        <source>Switch to Month view</source>
        <translation>Passer à la vue Mois</translation>
    </message>
    <message>
        <source>Switch to Year view</source>
        <translation>Passer à la vue Année</translation>
    </message>
    <message>
        <source>Days view, 3-day sliding window</source>
        <translation>Vue Jours, fenêtre glissante de 3 jours</translation>
    </message>
    <message>
        <source>Days view, 5-day sliding window</source>
        <translation>Vue Jours, fenêtre glissante de 5 jours</translation>
    </message>
    <message>
        <source>Days view, 10-day medium-term horizon</source>
        <translation>Vue Jours, horizon à moyen terme de 10 jours</translation>
    </message>
    <message>
        <source>Days view, 14-day fortnight horizon</source>
        <translation>Vue Jours, horizon de 14 jours (quinzaine)</translation>
    </message>
    <message>
        <source>(Untitled)</source>
        <translation>(Sans titre)</translation>
    </message>
    <message>
        <source>all-day</source>
        <translation>toute la journée</translation>
    </message>
    <message>
        <source>Event: %1   —   %2 · %3</source>
        <translation>Événement : %1   —   %2 · %3</translation>
    </message>
</context>
<context>
    <name>DBusNotifier</name>
    <message>
        <source>Open</source>
        <translation>Ouvrir</translation>
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
        <translation>« %1 » supprimé</translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation>Modifier…</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>Delete event?</source>
        <translation>Supprimer l’événement ?</translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;? You can undo with %2.</source>
        <translation>Supprimer « %1 » ? Vous pouvez annuler avec %2.</translation>
    </message>
    <message>
        <source>Moved &quot;%1&quot;</source>
        <translation>« %1 » déplacé</translation>
    </message>
    <message>
        <source>Resized &quot;%1&quot;</source>
        <translation>« %1 » redimensionné</translation>
    </message>
    <message>
        <source>Could not save the change to &quot;%1&quot;.</source>
        <translation>Impossible d’enregistrer la modification de « %1 ».</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>Calendrier</translation>
    </message>
    <message>
        <source>Edit filter &quot;%1&quot;…</source>
        <translation>Modifier le filtre « %1 »…</translation>
    </message>
    <message>
        <source>Create Filter from Event…</source>
        <translation>Créer un filtre à partir de l’événement…</translation>
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
        <translation>Tâches — Orvandellic Calendar</translation>
    </message>
</context>
<context>
    <name>EventChange</name>
    <message>
        <source>Could not save the change to &quot;%1&quot;.</source>
        <translation>Impossible d’enregistrer la modification de « %1 ».</translation>
    </message>
    <message>
        <source>Could not undo: &quot;%1&quot; no longer exists.</source>
        <translation>Impossible d’annuler : « %1 » n’existe plus.</translation>
    </message>
    <message>
        <source>Could not undo the change to &quot;%1&quot;.</source>
        <translation>Impossible d’annuler la modification de « %1 ».</translation>
    </message>
    <message>
        <source>Could not delete &quot;%1&quot;.</source>
        <translation>Impossible de supprimer « %1 ».</translation>
    </message>
    <message>
        <source>Could not restore &quot;%1&quot;.</source>
        <translation>Impossible de restaurer « %1 ».</translation>
    </message>
    <message>
        <source>&quot;%1&quot; was deleted or moved to another calendar meanwhile, so nothing was changed.</source>
        <translation>« %1 » a été supprimé ou déplacé vers un autre calendrier entre-temps : rien n’a donc été modifié.</translation>
    </message>
</context>
<context>
    <name>EventDetailsPopover</name>
    <message>
        <source>Edit…</source>
        <translation>Modifier…</translation>
    </message>
    <message>
        <source>Duplicate</source>
        <translation>Dupliquer</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>(Untitled)</source>
        <translation>(Sans titre)</translation>
    </message>
    <message>
        <source>Unknown calendar</source>
        <translation>Calendrier inconnu</translation>
    </message>
    <message>
        <source>Organizer: %1</source>
        <translation>Organisateur : %1</translation>
    </message>
    <message>
        <source>All-day</source>
        <translation>Toute la journée</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>Événement</translation>
    </message>
    <message>
        <source>%1 (copy)</source>
        <translation>%1 (copie)</translation>
    </message>
    <message>
        <source>Duplicate failed</source>
        <translation>Échec de la duplication</translation>
    </message>
    <message>
        <source>The copy of &quot;%1&quot; could not be saved.</source>
        <translation>La copie de « %1 » n’a pas pu être enregistrée.</translation>
    </message>
    <message>
        <source>Event change failed</source>
        <translation>Échec de la modification de l’événement</translation>
    </message>
    <message>
        <source>Delete event?</source>
        <translation>Supprimer l’événement ?</translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;? You can undo with %2.</source>
        <translation>Supprimer « %1 » ? Vous pouvez annuler avec %2.</translation>
    </message>
</context>
<context>
    <name>EventFormDialog</name>
    <message>
        <source>The clocks skip the time &quot;%1&quot; was set to on %2, so it begins at %3 and ends at %4.</source>
        <translation>Les horloges sautent l’heure à laquelle « %1 » a été fixé le %2 : il commence donc à %3 et se termine à %4.</translation>
    </message>
    <message>
        <source>The clocks skip the time &quot;%1&quot; was set to on %2, so it begins at %3 and ends at %4 that day, and repeats at %3.</source>
        <translation>Les horloges sautent l’heure à laquelle « %1 » a été fixé le %2 : il commence donc à %3 et se termine à %4 ce jour-là, et se répète à %3.</translation>
    </message>
    <message>
        <source>Invalid time</source>
        <translation>Heure non valide</translation>
    </message>
    <message>
        <source>The start or the end is not a time on this computer&apos;s clock.</source>
        <translation>Le début ou la fin n’est pas une heure de l’horloge de cet ordinateur.</translation>
    </message>
    <message>
        <source>Going</source>
        <translation>Participe</translation>
    </message>
    <message>
        <source>Declined</source>
        <translation>Refusé</translation>
    </message>
    <message>
        <source>Maybe</source>
        <translation>Peut-être</translation>
    </message>
    <message>
        <source>Delegated</source>
        <translation>Délégué</translation>
    </message>
    <message>
        <source>No response</source>
        <translation>Pas de réponse</translation>
    </message>
    <message>
        <source>+ Add attendee</source>
        <translation>+ Ajouter un participant</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>name@example.com</source>
        <translation>nom@example.com</translation>
    </message>
    <message>
        <source>Could not save the event: the calendar file is read-only.</source>
        <translation>Impossible d’enregistrer l’événement : le fichier du calendrier est en lecture seule.</translation>
    </message>
    <message>
        <source>Could not save the event.</source>
        <translation>Impossible d’enregistrer l’événement.</translation>
    </message>
    <message>
        <source>Edit Event</source>
        <translation>Modifier l’événement</translation>
    </message>
    <message>
        <source>New Event</source>
        <translation>Nouvel événement</translation>
    </message>
    <message>
        <source>Edit event</source>
        <translation>Modifier l’événement</translation>
    </message>
    <message>
        <source>New event</source>
        <translation>Nouvel événement</translation>
    </message>
    <message>
        <source>From template…</source>
        <translation>À partir d’un modèle…</translation>
    </message>
    <message>
        <source>Update the details below and save to apply.</source>
        <translation>Mettez à jour les informations ci-dessous et enregistrez pour appliquer.</translation>
    </message>
    <message>
        <source>Fill in the basics. Start time and calendar are required.</source>
        <translation>Renseignez l’essentiel. L’heure de début et le calendrier sont obligatoires.</translation>
    </message>
    <message>
        <source>Lunch with Maria, Sprint planning…</source>
        <translation>Déjeuner avec Maria, planification du sprint…</translation>
    </message>
    <message>
        <source>&amp;Title</source>
        <translation>&amp;Titre</translation>
    </message>
    <message>
        <source>&amp;Calendar</source>
        <translation>&amp;Calendrier</translation>
    </message>
    <message>
        <source>Use calendar color</source>
        <translation>Utiliser la couleur du calendrier</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>Couleur</translation>
    </message>
    <message>
        <source>&amp;Starts</source>
        <translation>&amp;Début</translation>
    </message>
    <message>
        <source>&amp;Ends</source>
        <translation>&amp;Fin</translation>
    </message>
    <message>
        <source>All day</source>
        <translation>Toute la journée</translation>
    </message>
    <message>
        <source>&amp;Repeats</source>
        <translation>&amp;Répétition</translation>
    </message>
    <message>
        <source>Re&amp;minders</source>
        <translation>Ra&amp;ppels</translation>
    </message>
    <message>
        <source>Address, room, or video link</source>
        <translation>Adresse, salle ou lien vidéo</translation>
    </message>
    <message>
        <source>&amp;Location</source>
        <translation>&amp;Lieu</translation>
    </message>
    <message>
        <source>Notes, agenda, links…</source>
        <translation>Notes, ordre du jour, liens…</translation>
    </message>
    <message>
        <source>&amp;Notes</source>
        <translation>&amp;Notes</translation>
    </message>
    <message>
        <source>Attendees</source>
        <translation>Participants</translation>
    </message>
    <message>
        <source>Save changes</source>
        <translation>Enregistrer les modifications</translation>
    </message>
    <message>
        <source>Create event</source>
        <translation>Créer l’événement</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>An import is writing to the calendar. This form saves as soon as it ends.</source>
        <translation>Une importation écrit dans le calendrier. Ce formulaire sera enregistré dès qu’elle sera terminée.</translation>
    </message>
    <message>
        <source>This event belongs to a read-only calendar. It can be viewed but not changed.</source>
        <translation>Cet événement appartient à un calendrier en lecture seule. Il peut être consulté mais pas modifié.</translation>
    </message>
    <message>
        <source>Inheriting calendar color (%1). Click to override.</source>
        <translation>Couleur du calendrier héritée (%1). Cliquez pour la remplacer.</translation>
    </message>
    <message>
        <source>Custom color (%1). Click to change.</source>
        <translation>Couleur personnalisée (%1). Cliquez pour la modifier.</translation>
    </message>
    <message>
        <source>Event color</source>
        <translation>Couleur de l’événement</translation>
    </message>
    <message>
        <source>Does not repeat</source>
        <translation>Ne se répète pas</translation>
    </message>
    <message>
        <source>No templates</source>
        <translation>Aucun modèle</translation>
    </message>
    <message>
        <source>You haven&apos;t created any event templates yet. Open Tools → Manage Templates to create one.</source>
        <translation>Vous n’avez encore créé aucun modèle d’événement. Ouvrez Outils → Gérer les modèles pour en créer un.</translation>
    </message>
    <message>
        <source>Title required</source>
        <translation>Titre requis</translation>
    </message>
    <message>
        <source>Please enter a title for the event.</source>
        <translation>Veuillez saisir un titre pour l’événement.</translation>
    </message>
    <message>
        <source>No calendars</source>
        <translation>Aucun calendrier</translation>
    </message>
    <message>
        <source>Create a calendar first.</source>
        <translation>Créez d’abord un calendrier.</translation>
    </message>
    <message>
        <source>End before start</source>
        <translation>Fin avant le début</translation>
    </message>
    <message>
        <source>The end time is earlier than the start time.</source>
        <translation>L’heure de fin est antérieure à l’heure de début.</translation>
    </message>
    <message>
        <source>Read-only calendar</source>
        <translation>Calendrier en lecture seule</translation>
    </message>
    <message>
        <source>This event belongs to a read-only calendar and cannot be changed.</source>
        <translation>Cet événement appartient à un calendrier en lecture seule et ne peut pas être modifié.</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>Calendrier</translation>
    </message>
    <message>
        <source>Database Error</source>
        <translation>Erreur de base de données</translation>
    </message>
    <message>
        <source>The repeat rule belongs to the series.</source>
        <translation>La règle de répétition appartient à la série.</translation>
    </message>
    <message>
        <source>Changed &quot;%1&quot;</source>
        <translation>« %1 » modifié</translation>
    </message>
    <message>
        <source>At time of event</source>
        <translation>À l’heure de l’événement</translation>
    </message>
    <message>
        <source>5 minutes before</source>
        <translation>5 minutes avant</translation>
    </message>
    <message>
        <source>10 minutes before</source>
        <translation>10 minutes avant</translation>
    </message>
    <message>
        <source>15 minutes before</source>
        <translation>15 minutes avant</translation>
    </message>
    <message>
        <source>30 minutes before</source>
        <translation>30 minutes avant</translation>
    </message>
    <message>
        <source>1 hour before</source>
        <translation>1 heure avant</translation>
    </message>
    <message>
        <source>2 hours before</source>
        <translation>2 heures avant</translation>
    </message>
    <message>
        <source>1 day before</source>
        <translation>1 jour avant</translation>
    </message>
    <message>
        <source>2 days before</source>
        <translation>2 jours avant</translation>
    </message>
    <message>
        <source>1 week before</source>
        <translation>1 semaine avant</translation>
    </message>
    <message numerus="yes">
        <source>%n minute(s) before</source>
        <translation>
            <numerusform>%n minute avant</numerusform>
            <numerusform>%n minutes avant</numerusform>
        </translation>
    </message>
    <message>
        <source>+ Add reminder</source>
        <translation>+ Ajouter un rappel</translation>
    </message>
    <message numerus="yes">
        <source>%n day(s) before</source>
        <translation>
            <numerusform>%n jour avant</numerusform>
            <numerusform>%n jours avant</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n hour(s) before</source>
        <translation>
            <numerusform>%n heure avant</numerusform>
            <numerusform>%n heures avant</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>FilterFormDialog</name>
    <message>
        <source>(Untitled)</source>
        <translation>(Sans titre)</translation>
    </message>
    <message>
        <source>Edit Filter</source>
        <translation>Modifier le filtre</translation>
    </message>
    <message>
        <source>Add Filter</source>
        <translation>Ajouter un filtre</translation>
    </message>
    <message>
        <source>Edit filter</source>
        <translation>Modifier le filtre</translation>
    </message>
    <message>
        <source>New filter</source>
        <translation>Nouveau filtre</translation>
    </message>
    <message>
        <source>Filters hide or dim events that match — they don&apos;t delete anything, and you can toggle the whole set off from the filters pill in the status bar.</source>
        <translation>Les filtres masquent ou estompent les événements correspondants — ils ne suppriment rien, et vous pouvez désactiver l’ensemble depuis la pastille des filtres dans la barre d’état.</translation>
    </message>
    <message>
        <source>Hide standups, Dim birthdays…</source>
        <translation>Masquer les réunions quotidiennes, estomper les anniversaires…</translation>
    </message>
    <message>
        <source>&amp;Name</source>
        <translation>&amp;Nom</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Hide completely</source>
        <translation>Masquer complètement</translation>
    </message>
    <message>
        <source>Dim (still visible, faded)</source>
        <translation>Estomper (toujours visible, atténué)</translation>
    </message>
    <message>
        <source>&amp;Action</source>
        <translation>&amp;Action</translation>
    </message>
    <message>
        <source>Suppress reminders for matched events</source>
        <translation>Désactiver les rappels des événements correspondants</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>Activé</translation>
    </message>
    <message>
        <source>Apply to calendars</source>
        <translation>Appliquer aux calendriers</translation>
    </message>
    <message>
        <source>Leave empty to apply to every calendar.</source>
        <translation>Laissez vide pour appliquer à tous les calendriers.</translation>
    </message>
    <message>
        <source>Save changes</source>
        <translation>Enregistrer les modifications</translation>
    </message>
    <message>
        <source>Create filter</source>
        <translation>Créer le filtre</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Title contains</source>
        <translation>Le titre contient</translation>
    </message>
    <message>
        <source>e.g. standup, lunch, 1:1 — comma separated</source>
        <translation>p. ex. réunion, déjeuner, tête-à-tête — séparés par des virgules</translation>
    </message>
    <message>
        <source>Case sensitive</source>
        <translation>Respecter la casse</translation>
    </message>
    <message>
        <source>Exact start time</source>
        <translation>Heure de début exacte</translation>
    </message>
    <message>
        <source>Time range</source>
        <translation>Plage horaire</translation>
    </message>
    <message>
        <source>to</source>
        <translation>à</translation>
    </message>
    <message>
        <source>Days of week (empty = every day)</source>
        <translation>Jours de la semaine (aucun = tous les jours)</translation>
    </message>
    <message>
        <source>Recurring events only</source>
        <translation>Événements périodiques uniquement</translation>
    </message>
    <message>
        <source>Filtering this specific event:</source>
        <translation>Filtrage de cet événement spécifique :</translation>
    </message>
    <message>
        <source>(Right-click an event and choose &quot;Create Filter from Event&quot; to create a specific-event filter.)</source>
        <translation>(Faites un clic droit sur un événement et choisissez « Créer un filtre à partir de l’événement » pour créer un filtre d’événement spécifique.)</translation>
    </message>
    <message>
        <source>Matches every all-day event in the selected calendars.</source>
        <translation>Correspond à tous les événements sur toute la journée des calendriers sélectionnés.</translation>
    </message>
    <message>
        <source>Only recurring all-day events</source>
        <translation>Uniquement les événements périodiques sur toute la journée</translation>
    </message>
    <message>
        <source>(Event no longer exists)</source>
        <translation>(L’événement n’existe plus)</translation>
    </message>
    <message>
        <source>(Untitled event)</source>
        <translation>(Événement sans titre)</translation>
    </message>
    <message>
        <source>No events in the next 30 days to preview against.</source>
        <translation>Aucun événement dans les 30 prochains jours pour l’aperçu.</translation>
    </message>
    <message numerus="yes">
        <source>Would hide %1 of %n event(s) in the next 30 days.</source>
        <translation>
            <numerusform>Ce filtre masquerait %1 sur %n événement des 30 prochains jours.</numerusform>
            <numerusform>Ce filtre masquerait %1 des %n événements des 30 prochains jours.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Would dim %1 of %n event(s) in the next 30 days.</source>
        <translation>
            <numerusform>Ce filtre estomperait %1 sur %n événement des 30 prochains jours.</numerusform>
            <numerusform>Ce filtre estomperait %1 des %n événements des 30 prochains jours.</numerusform>
        </translation>
    </message>
    <message>
        <source>e.g. %1</source>
        <translation>p. ex. %1</translation>
    </message>
    <message>
        <source>Name required</source>
        <translation>Nom requis</translation>
    </message>
    <message>
        <source>Please enter a name for the filter.</source>
        <translation>Veuillez saisir un nom pour le filtre.</translation>
    </message>
    <message>
        <source>No patterns</source>
        <translation>Aucun motif</translation>
    </message>
    <message>
        <source>Add at least one phrase to &quot;Title contains&quot;.</source>
        <translation>Ajoutez au moins une expression à « Le titre contient ».</translation>
    </message>
    <message>
        <source>No event selected</source>
        <translation>Aucun événement sélectionné</translation>
    </message>
    <message>
        <source>Specific-event filters need to be created from an event&apos;s right-click menu — that&apos;s how the rule learns which event to match.</source>
        <translation>Les filtres d’événement spécifique doivent être créés depuis le menu contextuel (clic droit) d’un événement — c’est ainsi que la règle sait quel événement cibler.</translation>
    </message>
    <message>
        <source>Database Error</source>
        <translation>Erreur de base de données</translation>
    </message>
    <message>
        <source>Could not save the filter.</source>
        <translation>Impossible d’enregistrer le filtre.</translation>
    </message>
    <message>
        <source>Filter removed</source>
        <translation>Filtre supprimé</translation>
    </message>
    <message>
        <source>This filter was removed meanwhile, so it cannot be saved.</source>
        <translation>Ce filtre a été supprimé entre-temps : il ne peut donc pas être enregistré.</translation>
    </message>
</context>
<context>
    <name>Google::AuthService</name>
    <message>
        <source>Google OAuth credentials are not configured in this build. See .env.example.</source>
        <translation>Les identifiants OAuth Google ne sont pas configurés dans cette version. Voir .env.example.</translation>
    </message>
    <message>
        <source>Could not bind a local port for the Google sign-in callback: %1</source>
        <translation>Impossible de réserver un port local pour le retour de connexion Google : %1</translation>
    </message>
    <message>
        <source>Could not launch the system browser for Google sign-in.</source>
        <translation>Impossible de lancer le navigateur du système pour la connexion Google.</translation>
    </message>
    <message>
        <source>Sign-in cancelled.</source>
        <translation>Connexion annulée.</translation>
    </message>
    <message>
        <source>Google denied the sign-in: %1</source>
        <translation>Google a refusé la connexion : %1</translation>
    </message>
    <message>
        <source>Google did not return an authorization code.</source>
        <translation>Google n’a pas renvoyé de code d’autorisation.</translation>
    </message>
    <message>
        <source>Token exchange failed (HTTP %1): %2</source>
        <translation>Échec de l’échange de jeton (HTTP %1) : %2</translation>
    </message>
    <message>
        <source>Google did not return an access token.</source>
        <translation>Google n’a pas renvoyé de jeton d’accès.</translation>
    </message>
    <message>
        <source>Google did not return a refresh token. Try removing the app from your Google Account permissions and signing in again.</source>
        <translation>Google n’a pas renvoyé de jeton d’actualisation. Essayez de retirer l’application des autorisations de votre compte Google, puis reconnectez-vous.</translation>
    </message>
    <message>
        <source>Google&apos;s token service did not answer in time.</source>
        <translation>Le service de jetons de Google n’a pas répondu à temps.</translation>
    </message>
    <message>
        <source>Google OAuth credentials are not configured.</source>
        <translation>Les identifiants OAuth Google ne sont pas configurés.</translation>
    </message>
    <message>
        <source>Token refresh failed (HTTP %1): %2</source>
        <translation>Échec de l’actualisation du jeton (HTTP %1) : %2</translation>
    </message>
    <message>
        <source>Google&apos;s response had no access_token.</source>
        <translation>La réponse de Google ne contenait pas d’access_token.</translation>
    </message>
</context>
<context>
    <name>Google::CalendarClient</name>
    <message>
        <source>the reply was larger than %1 MB</source>
        <translation>la réponse dépassait %1 Mo</translation>
    </message>
    <message>
        <source>the reply did not end within %1 s</source>
        <translation>la réponse ne s’est pas terminée dans un délai de %1 s</translation>
    </message>
    <message>
        <source>no answer within %1 s</source>
        <translation>aucune réponse dans un délai de %1 s</translation>
    </message>
    <message>
        <source>Google could not be reached: %1</source>
        <translation>Impossible de joindre Google : %1</translation>
    </message>
    <message>
        <source>No Google access token available.</source>
        <translation>Aucun jeton d’accès Google disponible.</translation>
    </message>
    <message>
        <source>Google rejected calendarList.list (HTTP %1): %2</source>
        <translation>Google a rejeté calendarList.list (HTTP %1) : %2</translation>
    </message>
    <message>
        <source>Google sent a calendar list that is not JSON.</source>
        <translation>Google a envoyé une liste de calendriers qui n’est pas au format JSON.</translation>
    </message>
    <message>
        <source>Google&apos;s calendar list does not end.</source>
        <translation>La liste de calendriers de Google ne se termine pas.</translation>
    </message>
    <message>
        <source>Google rejected events.list (HTTP %1): %2</source>
        <translation>Google a rejeté events.list (HTTP %1) : %2</translation>
    </message>
    <message>
        <source>Google sent an event listing that is not JSON; nothing of it was stored.</source>
        <translation>Google a envoyé une liste d’événements qui n’est pas au format JSON ; rien n’en a été enregistré.</translation>
    </message>
    <message>
        <source>Google named the same page of the event listing twice; nothing of it was stored.</source>
        <translation>Google a renvoyé deux fois la même page de la liste d’événements ; rien n’en a été enregistré.</translation>
    </message>
    <message numerus="yes">
        <source>Google&apos;s event listing went on past %n page(s); nothing of it was stored.</source>
        <translation>
            <numerusform>La liste d’événements de Google dépassait %n page ; rien n’en a été enregistré.</numerusform>
            <numerusform>La liste d’événements de Google dépassait %n pages ; rien n’en a été enregistré.</numerusform>
        </translation>
    </message>
    <message>
        <source>No Google access token.</source>
        <translation>Aucun jeton d’accès Google.</translation>
    </message>
    <message>
        <source>Google rejected events.%1 (HTTP %2): %3</source>
        <translation>Google a rejeté events.%1 (HTTP %2) : %3</translation>
    </message>
    <message>
        <source>Google answered events.%1 with a reply that is not an event.</source>
        <translation>Google a répondu à events.%1 par une réponse qui n’est pas un événement.</translation>
    </message>
    <message>
        <source>Google rejected events.delete (HTTP %1): %2</source>
        <translation>Google a rejeté events.delete (HTTP %1) : %2</translation>
    </message>
    <message>
        <source>The Google calendars could not be stored.</source>
        <translation>Les calendriers Google n’ont pas pu être enregistrés.</translation>
    </message>
    <message numerus="yes">
        <source>%n more calendar(s) were not added: Google lists more than %1.</source>
        <translation>
            <numerusform>%n calendrier de plus n&apos;a pas été ajouté : Google en liste plus de %1.</numerusform>
            <numerusform>%n calendriers de plus n&apos;ont pas été ajoutés : Google en liste plus de %1.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Google::SyncClient</name>
    <message>
        <source>Parent account missing</source>
        <translation>Compte parent manquant</translation>
    </message>
    <message>
        <source>No saved Google credentials. Sign in again.</source>
        <translation>Aucun identifiant Google enregistré. Reconnectez-vous.</translation>
    </message>
    <message>
        <source>Google token refresh failed: %1</source>
        <translation>Échec de l’actualisation du jeton Google : %1</translation>
    </message>
    <message>
        <source>Google no longer accepts the saved sign-in. Sign in again.</source>
        <translation>Google n’accepte plus la connexion enregistrée. Reconnectez-vous.</translation>
    </message>
    <message>
        <source>Google refused the calendar&apos;s sync token again.</source>
        <translation>Google a de nouveau refusé le jeton de synchronisation du calendrier.</translation>
    </message>
    <message>
        <source>The Google events could not be stored.</source>
        <translation>Les événements Google n’ont pas pu être enregistrés.</translation>
    </message>
    <message numerus="yes">
        <source>%n event(s) failed to save locally; will retry next sync.</source>
        <translation>
            <numerusform>%n événement n’a pas pu être enregistré localement ; nouvel essai à la prochaine synchronisation.</numerusform>
            <numerusform>%n événements n’ont pas pu être enregistrés localement ; nouvel essai à la prochaine synchronisation.</numerusform>
        </translation>
    </message>
    <message>
        <source>The Google event&apos;s new state could not be stored.</source>
        <translation>Le nouvel état de l’événement Google n’a pas pu être enregistré.</translation>
    </message>
    <message>
        <source>Google&apos;s copy of &quot;%1&quot; could not be read: %2</source>
        <translation>La copie Google de « %1 » n’a pas pu être lue : %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be written to Google: %2</source>
        <translation>« %1 » n’a pas pu être écrit chez Google : %2</translation>
    </message>
</context>
<context>
    <name>IcsImportFlow</name>
    <message numerus="yes">
        <source>%n already present</source>
        <translation>
            <numerusform>%n déjà présent</numerusform>
            <numerusform>%n déjà présents</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n repeated in the file</source>
        <translation>
            <numerusform>%n en double dans le fichier</numerusform>
            <numerusform>%n en double dans le fichier</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n without UID or unreadable</source>
        <translation>
            <numerusform>%n sans UID ou illisible</numerusform>
            <numerusform>%n sans UID ou illisibles</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n without start time</source>
        <translation>
            <numerusform>%n sans heure de début</numerusform>
            <numerusform>%n sans heure de début</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n task(s)</source>
        <translation>
            <numerusform>%n tâche</numerusform>
            <numerusform>%n tâches</numerusform>
        </translation>
    </message>
    <message>
        <source>Read-only calendar</source>
        <translation>Calendrier en lecture seule</translation>
    </message>
    <message>
        <source>The calendar file is read-only; &quot;%1&quot; was not imported.</source>
        <translation>Le fichier du calendrier est en lecture seule ; « %1 » n’a pas été importé.</translation>
    </message>
    <message>
        <source>No calendars configured</source>
        <translation>Aucun calendrier configuré</translation>
    </message>
    <message>
        <source>Add a calendar first; then re-import &quot;%1&quot;.</source>
        <translation>Ajoutez d’abord un calendrier, puis réimportez « %1 ».</translation>
    </message>
    <message>
        <source>No writable calendar</source>
        <translation>Aucun calendrier modifiable</translation>
    </message>
    <message>
        <source>Every calendar is read-only. Add a calendar you can edit; then re-import &quot;%1&quot;.</source>
        <translation>Tous les calendriers sont en lecture seule. Ajoutez un calendrier modifiable, puis réimportez « %1 ».</translation>
    </message>
    <message>
        <source>Reading &quot;%1&quot;…</source>
        <translation>Lecture de « %1 »…</translation>
    </message>
    <message>
        <source>The import of %1 was cancelled.</source>
        <translation>L’importation de %1 a été annulée.</translation>
    </message>
    <message>
        <source>Couldn&apos;t open file</source>
        <translation>Impossible d’ouvrir le fichier</translation>
    </message>
    <message>
        <source>No events found in &quot;%1&quot;.</source>
        <translation>Aucun événement trouvé dans « %1 ».</translation>
    </message>
    <message>
        <source>Skipped: %1.</source>
        <translation>Ignorés : %1.</translation>
    </message>
    <message>
        <source>Nothing to import</source>
        <translation>Rien à importer</translation>
    </message>
    <message>
        <source>Imported 0 events into %1; skipped %2.</source>
        <translation>0 événement importé dans %1 ; ignorés : %2.</translation>
    </message>
    <message>
        <source>Import events?</source>
        <translation>Importer les événements ?</translation>
    </message>
    <message numerus="yes">
        <source>Import %n event(s) from &quot;%1&quot; into &quot;%2&quot;?</source>
        <translation>
            <numerusform>Importer %n événement de « %1 » dans « %2 » ?</numerusform>
            <numerusform>Importer %n événements de « %1 » dans « %2 » ?</numerusform>
        </translation>
    </message>
    <message>
        <source>Waiting for the sync to end before importing &quot;%1&quot;…</source>
        <translation>Attente de la fin de la synchronisation avant d’importer « %1 »…</translation>
    </message>
    <message>
        <source>Importing &quot;%1&quot;…</source>
        <translation>Importation de « %1 »…</translation>
    </message>
    <message>
        <source>The import of %1 was cancelled; nothing was stored.</source>
        <translation>L’importation de %1 a été annulée ; rien n’a été enregistré.</translation>
    </message>
    <message>
        <source>The events of %1 could not be imported.</source>
        <translation>Les événements de %1 n’ont pas pu être importés.</translation>
    </message>
    <message numerus="yes">
        <source>Imported %n event(s) into %1.</source>
        <translation>
            <numerusform>%n événement importé dans %1.</numerusform>
            <numerusform>%n événements importés dans %1.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Imported %n event(s) into %1; skipped %2.</source>
        <translation>
            <numerusform>%n événement importé dans %1 ; ignorés : %2.</numerusform>
            <numerusform>%n événements importés dans %1 ; ignorés : %2.</numerusform>
        </translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Importer</translation>
    </message>
</context>
<context>
    <name>IcsImportJob</name>
    <message>
        <source>Couldn&apos;t open &quot;%1&quot; for reading.</source>
        <translation>Impossible d’ouvrir « %1 » en lecture.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a file that can be imported: only regular files are read.</source>
        <translation>« %1 » n’est pas un fichier importable : seuls les fichiers ordinaires sont lus.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is too large to import (more than %2 MB).</source>
        <translation>« %1 » est trop volumineux pour être importé (plus de %2 Mo).</translation>
    </message>
    <message>
        <source>The calendar store could not be read.</source>
        <translation>Les données du calendrier n’ont pas pu être lues.</translation>
    </message>
    <message>
        <source>The calendar store could not be written.</source>
        <translation>Les données du calendrier n’ont pas pu être écrites.</translation>
    </message>
    <message>
        <source>The events could not be stored.</source>
        <translation>Les événements n’ont pas pu être enregistrés.</translation>
    </message>
</context>
<context>
    <name>InvitationsDialog</name>
    <message>
        <source>Accepted</source>
        <translation>Accepté</translation>
    </message>
    <message>
        <source>Declined</source>
        <translation>Refusé</translation>
    </message>
    <message>
        <source>Maybe</source>
        <translation>Peut-être</translation>
    </message>
    <message>
        <source>No answer</source>
        <translation>Sans réponse</translation>
    </message>
    <message>
        <source>Invitations</source>
        <translation>Invitations</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>Événement</translation>
    </message>
    <message>
        <source>When</source>
        <translation>Quand</translation>
    </message>
    <message>
        <source>Organizer</source>
        <translation>Organisateur</translation>
    </message>
    <message>
        <source>Your answer</source>
        <translation>Votre réponse</translation>
    </message>
    <message>
        <source>Accept</source>
        <translation>Accepter</translation>
    </message>
    <message>
        <source>Decline</source>
        <translation>Refuser</translation>
    </message>
    <message>
        <source>No invitations.</source>
        <translation>Aucune invitation.</translation>
    </message>
    <message>
        <source>(No title)</source>
        <translation>(Sans titre)</translation>
    </message>
    <message>
        <source>No invitations await your answer.</source>
        <translation>Aucune invitation n’attend votre réponse.</translation>
    </message>
    <message>
        <source>1 invitation awaits your answer.</source>
        <translation>1 invitation attend votre réponse.</translation>
    </message>
    <message>
        <source>%1 invitations await your answer.</source>
        <translation>%1 invitations attendent votre réponse.</translation>
    </message>
    <message>
        <source>Your answer could not be saved.</source>
        <translation>Votre réponse n’a pas pu être enregistrée.</translation>
    </message>
</context>
<context>
    <name>KeyboardHelpDialog</name>
    <message>
        <source>Keyboard Shortcuts</source>
        <translation>Raccourcis clavier</translation>
    </message>
    <message>
        <source>New event</source>
        <translation>Nouvel événement</translation>
    </message>
    <message>
        <source>New task</source>
        <translation>Nouvelle tâche</translation>
    </message>
    <message>
        <source>Quick add</source>
        <translation>Ajout rapide</translation>
    </message>
    <message>
        <source>Find events</source>
        <translation>Rechercher des événements</translation>
    </message>
    <message>
        <source>Command palette</source>
        <translation>Palette de commandes</translation>
    </message>
    <message>
        <source>Sync now</source>
        <translation>Synchroniser maintenant</translation>
    </message>
    <message>
        <source>Force full sync</source>
        <translation>Forcer une synchronisation complète</translation>
    </message>
    <message>
        <source>Go to today</source>
        <translation>Aller à aujourd’hui</translation>
    </message>
    <message>
        <source>Next period</source>
        <translation>Période suivante</translation>
    </message>
    <message>
        <source>Previous period</source>
        <translation>Période précédente</translation>
    </message>
    <message>
        <source>One week later</source>
        <translation>Une semaine plus tard</translation>
    </message>
    <message>
        <source>One week earlier</source>
        <translation>Une semaine plus tôt</translation>
    </message>
    <message>
        <source>One month later</source>
        <translation>Un mois plus tard</translation>
    </message>
    <message>
        <source>One month earlier</source>
        <translation>Un mois plus tôt</translation>
    </message>
    <message>
        <source>Day view</source>
        <translation>Vue Jour</translation>
    </message>
    <message>
        <source>Days view</source>
        <translation>Vue Jours</translation>
    </message>
    <message>
        <source>Week view</source>
        <translation>Vue Semaine</translation>
    </message>
    <message>
        <source>Grid view</source>
        <translation>Vue Grille</translation>
    </message>
    <message>
        <source>Month view</source>
        <translation>Vue Mois</translation>
    </message>
    <message>
        <source>Year view</source>
        <translation>Vue Année</translation>
    </message>
    <message>
        <source>Days view span: 3, 5, 7, 10 or 14 days (Ctrl+Shift+1 to Ctrl+Shift+5)</source>
        <translation>Durée de la vue Jours : 3, 5, 7, 10 ou 14 jours (Ctrl+Shift+1 à Ctrl+Shift+5)</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Précédent</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Suivant</translation>
    </message>
    <message>
        <source>Calendar group 1 (Ctrl+1 to Ctrl+9)</source>
        <translation>Groupe de calendriers 1 (Ctrl+1 à Ctrl+9)</translation>
    </message>
    <message>
        <source>Next calendar group</source>
        <translation>Groupe de calendriers suivant</translation>
    </message>
    <message>
        <source>Previous calendar group</source>
        <translation>Groupe de calendriers précédent</translation>
    </message>
    <message>
        <source>Show empty days in the agenda</source>
        <translation>Afficher les jours vides dans l’agenda</translation>
    </message>
    <message>
        <source>Compact density</source>
        <translation>Affichage compact</translation>
    </message>
    <message>
        <source>Show or hide the tasks pane</source>
        <translation>Afficher ou masquer le volet des tâches</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Préférences</translation>
    </message>
    <message>
        <source>Keyboard shortcuts</source>
        <translation>Raccourcis clavier</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>Shortcut</source>
        <translation>Raccourci</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>Action</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Event</source>
        <translation>Événement</translation>
    </message>
    <message numerus="yes">
        <source>Loaded %n sample row(s).</source>
        <translation>
            <numerusform>%n ligne d’exemple chargée.</numerusform>
            <numerusform>%n lignes d’exemple chargées.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Removed %n sample row(s).</source>
        <translation>
            <numerusform>%n ligne d’exemple supprimée.</numerusform>
            <numerusform>%n lignes d’exemple supprimées.</numerusform>
        </translation>
    </message>
    <message>
        <source>Orvandellic Calendar</source>
        <translation>Orvandellic Calendar</translation>
    </message>
    <message>
        <source>Your change is saved once the import ends.</source>
        <translation>Votre modification sera enregistrée une fois l’importation terminée.</translation>
    </message>
    <message>
        <source>Added: %1</source>
        <translation>Ajouté : %1</translation>
    </message>
    <message>
        <source>Quick-add couldn&apos;t save: &quot;%1&quot;</source>
        <translation>Ajout rapide : impossible d’enregistrer « %1 »</translation>
    </message>
    <message>
        <source>Signed in to Orvandellic</source>
        <translation>Connecté à Orvandellic</translation>
    </message>
    <message>
        <source>Signed out of Orvandellic</source>
        <translation>Déconnecté d’Orvandellic</translation>
    </message>
    <message>
        <source>Undid: %1</source>
        <translation>Annulé : %1</translation>
    </message>
    <message>
        <source>No accounts configured</source>
        <translation>Aucun compte configuré</translation>
    </message>
    <message>
        <source>Add a Orvandellic Calendar account to store calendars on this device, connect Google or Microsoft, or hook up any CalDAV server (Synology, Nextcloud, Radicale, iCloud).</source>
        <translation>Ajoutez un compte Orvandellic Calendar pour stocker des calendriers sur cet appareil, connectez Google ou Microsoft, ou branchez n’importe quel serveur CalDAV (Synology, Nextcloud, Radicale, iCloud).</translation>
    </message>
    <message>
        <source>  Add Account…</source>
        <translation>  Ajouter un compte…</translation>
    </message>
    <message>
        <source>Orvandellic Account</source>
        <translation>Compte Orvandellic</translation>
    </message>
    <message>
        <source>Test notification shown</source>
        <translation>Notification de test affichée</translation>
    </message>
    <message>
        <source>Test notification not shown: no notification service or tray icon is available</source>
        <translation>Notification de test non affichée : aucun service de notification ni icône dans la zone de notification n’est disponible</translation>
    </message>
    <message>
        <source>Quick-add ignored: no calendars configured.</source>
        <translation>Ajout rapide ignoré : aucun calendrier configuré.</translation>
    </message>
    <message>
        <source>The calendar file is read-only; &quot;%1&quot; was not added.</source>
        <translation>Le fichier du calendrier est en lecture seule ; « %1 » n’a pas été ajouté.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is added once the import ends.</source>
        <translation>« %1 » sera ajouté une fois l’importation terminée.</translation>
    </message>
    <message>
        <source>Quick-add ignored: no calendar accepts new events (they are read-only or hold only tasks).</source>
        <translation>Ajout rapide ignoré : aucun calendrier n’accepte de nouveaux événements (ils sont en lecture seule ou ne contiennent que des tâches).</translation>
    </message>
    <message>
        <source>Quick-add couldn&apos;t parse: &quot;%1&quot;</source>
        <translation>Ajout rapide : impossible d’analyser « %1 »</translation>
    </message>
    <message>
        <source>Import ICS file</source>
        <translation>Importer un fichier ICS</translation>
    </message>
    <message>
        <source>iCalendar files (*.ics);;All files (*)</source>
        <translation>Fichiers iCalendar (*.ics);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>Calendar is still running in the system tray. Use File → Quit to exit, or turn off Preferences → Startup → Close to tray.</source>
        <translation>Le calendrier est toujours en cours d’exécution dans la zone de notification. Utilisez Fichier → Quitter pour le fermer, ou désactivez Préférences → Démarrage → Réduire dans la zone de notification à la fermeture.</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;New Event…</source>
        <translation>&amp;Nouvel événement…</translation>
    </message>
    <message>
        <source>New &amp;Task…</source>
        <translation>Nouvelle &amp;tâche…</translation>
    </message>
    <message>
        <source>Quick &amp;Add…</source>
        <translation>&amp;Ajout rapide…</translation>
    </message>
    <message>
        <source>Type an event in plain English (&quot;lunch Thursday 1pm&quot;)</source>
        <translation>Saisissez un événement en anglais courant (« lunch Thursday 1pm »)</translation>
    </message>
    <message>
        <source>Calendar &amp;Accounts…</source>
        <translation>&amp;Comptes de calendrier…</translation>
    </message>
    <message>
        <source>&amp;Sync Now</source>
        <translation>&amp;Synchroniser maintenant</translation>
    </message>
    <message>
        <source>Force F&amp;ull Sync…</source>
        <translation>Forcer une synchronisation &amp;complète…</translation>
    </message>
    <message>
        <source>Re-pull every event from every account, ignoring sync tokens</source>
        <translation>Récupérer à nouveau tous les événements de tous les comptes, en ignorant les jetons de synchronisation</translation>
    </message>
    <message>
        <source>&amp;Invitations…</source>
        <translation>&amp;Invitations…</translation>
    </message>
    <message>
        <source>&amp;Import ICS File…</source>
        <translation>&amp;Importer un fichier ICS…</translation>
    </message>
    <message>
        <source>&amp;Export Agenda PDF…</source>
        <translation>&amp;Exporter l’agenda en PDF…</translation>
    </message>
    <message>
        <source>Orvandellic &amp;Account…</source>
        <translation>Compte &amp;Orvandellic…</translation>
    </message>
    <message>
        <source>Sign in or sign up</source>
        <translation>Se connecter ou créer un compte</translation>
    </message>
    <message>
        <source>Sign &amp;Out</source>
        <translation>Se &amp;déconnecter</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>É&amp;dition</translation>
    </message>
    <message>
        <source>&amp;Preferences…</source>
        <translation>&amp;Préférences…</translation>
    </message>
    <message>
        <source>&amp;Find Events…</source>
        <translation>&amp;Rechercher des événements…</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Affichage</translation>
    </message>
    <message>
        <source>Toggle &amp;Sidebar</source>
        <translation>Afficher/masquer la &amp;barre latérale</translation>
    </message>
    <message>
        <source>Show &amp;Empty Days in Agenda</source>
        <translation>Afficher les &amp;jours vides dans l’agenda</translation>
    </message>
    <message>
        <source>&amp;Compact Density</source>
        <translation>Affichage &amp;compact</translation>
    </message>
    <message>
        <source>Toggle &amp;Tasks Pane</source>
        <translation>Afficher/masquer le volet des &amp;tâches</translation>
    </message>
    <message>
        <source>&amp;Window</source>
        <translation>Fe&amp;nêtre</translation>
    </message>
    <message>
        <source>Detached &amp;Agenda Window</source>
        <translation>Fenêtre &amp;agenda détachée</translation>
    </message>
    <message>
        <source>Detached &amp;Tasks Window</source>
        <translation>Fenêtre des &amp;tâches détachée</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>&amp;Outils</translation>
    </message>
    <message>
        <source>Add &amp;Filter…</source>
        <translation>Ajouter un &amp;filtre…</translation>
    </message>
    <message>
        <source>Add Calendar &amp;Group…</source>
        <translation>Ajouter un &amp;groupe de calendriers…</translation>
    </message>
    <message>
        <source>Manage Calendar Gr&amp;oups…</source>
        <translation>Gérer les gr&amp;oupes de calendriers…</translation>
    </message>
    <message>
        <source>Manage Te&amp;mplates…</source>
        <translation>Gérer les &amp;modèles…</translation>
    </message>
    <message>
        <source>&amp;Weather…</source>
        <translation>&amp;Météo…</translation>
    </message>
    <message>
        <source>&amp;Developer</source>
        <translation>Dé&amp;veloppeur</translation>
    </message>
    <message>
        <source>Load Sample &amp;Data</source>
        <translation>Charger des &amp;données d’exemple</translation>
    </message>
    <message>
        <source>&amp;Clear Sample Data</source>
        <translation>&amp;Effacer les données d’exemple</translation>
    </message>
    <message>
        <source>Send Test &amp;Notification</source>
        <translation>Envoyer une &amp;notification de test</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>Aid&amp;e</translation>
    </message>
    <message>
        <source>&amp;Keyboard Shortcuts</source>
        <translation>&amp;Raccourcis clavier</translation>
    </message>
    <message>
        <source>Fire a sample reminder toast to verify your desktop notification setup.</source>
        <translation>Déclencher un rappel d’exemple pour vérifier la configuration des notifications de votre bureau.</translation>
    </message>
    <message>
        <source>&amp;What&apos;s New</source>
        <translation>&amp;Nouveautés</translation>
    </message>
    <message>
        <source>Send &amp;Feedback…</source>
        <translation>Envoyer des &amp;commentaires…</translation>
    </message>
    <message>
        <source>Check for &amp;Updates…</source>
        <translation>Rechercher des &amp;mises à jour…</translation>
    </message>
    <message>
        <source>&amp;About Orvandellic Calendar</source>
        <translation>À &amp;propos d’Orvandellic Calendar</translation>
    </message>
    <message>
        <source>Manage your account</source>
        <translation>Gérer votre compte</translation>
    </message>
    <message>
        <source>&amp;Invitations… (%1)</source>
        <translation>&amp;Invitations… (%1)</translation>
    </message>
    <message>
        <source>About Orvandellic Calendar</source>
        <translation>À propos d’Orvandellic Calendar</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Orvandellic Calendar&lt;/h3&gt;&lt;p&gt;Version %1&lt;/p&gt;&lt;p&gt;A CalDAV-first calendar with client-side filters and Views, the killer feature competitors don&apos;t have.&lt;/p&gt;&lt;p&gt;Made for people who keep several calendars in one place. Built with Qt %2.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Orvandellic Calendar&lt;/h3&gt;&lt;p&gt;Version %1&lt;/p&gt;&lt;p&gt;Un calendrier pensé avant tout pour CalDAV, avec des filtres côté client et des vues, la fonctionnalité phare que les concurrents n’ont pas.&lt;/p&gt;&lt;p&gt;Conçu pour celles et ceux qui réunissent plusieurs calendriers au même endroit. Développé avec Qt %2.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Clear sample data?</source>
        <translation>Effacer les données d’exemple ?</translation>
    </message>
    <message>
        <source>Remove the sample calendars, events, and tasks? Your real data is untouched.</source>
        <translation>Supprimer les calendriers, événements et tâches d’exemple ? Vos données réelles ne sont pas modifiées.</translation>
    </message>
    <message>
        <source>Manage filters</source>
        <translation>Gérer les filtres</translation>
    </message>
    <message>
        <source>Password missing</source>
        <translation>Mot de passe manquant</translation>
    </message>
    <message numerus="yes">
        <source>%n account(s) need sign-in</source>
        <translation>
            <numerusform>%n compte nécessite une connexion</numerusform>
            <numerusform>%n comptes nécessitent une connexion</numerusform>
        </translation>
    </message>
    <message>
        <source>Click to open Calendar Accounts and sign in.</source>
        <translation>Cliquez pour ouvrir Comptes de calendrier et vous connecter.</translation>
    </message>
    <message numerus="yes">
        <source>%n account(s) need password</source>
        <translation>
            <numerusform>%n compte nécessite un mot de passe</numerusform>
            <numerusform>%n comptes nécessitent un mot de passe</numerusform>
        </translation>
    </message>
    <message>
        <source>Click to open Calendar Accounts and re-enter the password.</source>
        <translation>Cliquez pour ouvrir Comptes de calendrier et saisir à nouveau le mot de passe.</translation>
    </message>
    <message numerus="yes">
        <source>%n account(s) need attention</source>
        <translation>
            <numerusform>%n compte nécessite votre attention</numerusform>
            <numerusform>%n comptes nécessitent votre attention</numerusform>
        </translation>
    </message>
    <message>
        <source>Click to open Calendar Accounts and resolve the issues.</source>
        <translation>Cliquez pour ouvrir Comptes de calendrier et résoudre les problèmes.</translation>
    </message>
    <message>
        <source>Disable all filters</source>
        <translation>Désactiver tous les filtres</translation>
    </message>
    <message>
        <source>Enable all filters</source>
        <translation>Activer tous les filtres</translation>
    </message>
    <message>
        <source>Add Filter…</source>
        <translation>Ajouter un filtre…</translation>
    </message>
    <message>
        <source>Manage Filters…</source>
        <translation>Gérer les filtres…</translation>
    </message>
    <message>
        <source>No filters</source>
        <translation>Aucun filtre</translation>
    </message>
    <message numerus="yes">
        <source>%n filter(s) applied</source>
        <translation>
            <numerusform>%n filtre appliqué</numerusform>
            <numerusform>%n filtres appliqués</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n hidden</source>
        <translation>
            <numerusform>%n masqué</numerusform>
            <numerusform>%n masqués</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Synced %n event(s)</source>
        <translation>
            <numerusform>%n événement synchronisé</numerusform>
            <numerusform>%n événements synchronisés</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n event(s) without start left out</source>
        <translation>
            <numerusform>%n événement sans début ignoré</numerusform>
            <numerusform>%n événements sans début ignorés</numerusform>
        </translation>
    </message>
    <message>
        <source>This account&apos;s calendars do not sync in this version.</source>
        <translation>Les calendriers de ce compte ne se synchronisent pas dans cette version.</translation>
    </message>
    <message>
        <source>All caught up, nothing waiting to sync.</source>
        <translation>Tout est à jour, rien n’attend de synchronisation.</translation>
    </message>
    <message numerus="yes">
        <source>Discovered %n new calendar(s).</source>
        <translation>
            <numerusform>%n nouveau calendrier trouvé.</numerusform>
            <numerusform>%n nouveaux calendriers trouvés.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Syncing %n account(s)…</source>
        <translation>
            <numerusform>Synchronisation de %n compte…</numerusform>
            <numerusform>Synchronisation de %n comptes…</numerusform>
        </translation>
    </message>
    <message>
        <source>No sync accounts configured. Add one in Calendar Accounts.</source>
        <translation>Aucun compte de synchronisation configuré. Ajoutez-en un dans Comptes de calendrier.</translation>
    </message>
    <message>
        <source>Re-fetch every event and task from every account, ignoring saved sync tokens. Useful when items look stale or out of date.

Any unsynced local edits will be discarded in favour of the server&apos;s copy. Pending deletions are preserved.

Heavy accounts may take a minute or two and use more bandwidth than usual.</source>
        <translation>Récupérer à nouveau tous les événements et toutes les tâches de tous les comptes, en ignorant les jetons de synchronisation enregistrés. Utile lorsque des éléments semblent périmés.

Les modifications locales non synchronisées seront abandonnées au profit de la copie du serveur. Les suppressions en attente sont conservées.

Les comptes volumineux peuvent prendre une minute ou deux et consommer plus de données que d’habitude.</translation>
    </message>
    <message>
        <source>Force full sync?</source>
        <translation>Forcer une synchronisation complète ?</translation>
    </message>
    <message>
        <source>The full sync starts once the import ends.</source>
        <translation>La synchronisation complète commencera une fois l’importation terminée.</translation>
    </message>
    <message numerus="yes">
        <source>Cleared %n calendar sync token(s), running full sync…</source>
        <translation>
            <numerusform>%n jeton de synchronisation de calendrier effacé, synchronisation complète en cours…</numerusform>
            <numerusform>%n jetons de synchronisation de calendrier effacés, synchronisation complète en cours…</numerusform>
        </translation>
    </message>
    <message>
        <source>The sync did not finish in time.</source>
        <translation>La synchronisation ne s’est pas terminée à temps.</translation>
    </message>
    <message>
        <source>%1 (%2): %3</source>
        <translation>%1 (%2) : %3</translation>
    </message>
</context>
<context>
    <name>ManageFiltersDialog</name>
    <message>
        <source>Manage Filters</source>
        <translation>Gérer les filtres</translation>
    </message>
    <message>
        <source>dim</source>
        <translation>estomper</translation>
    </message>
    <message>
        <source>hide</source>
        <translation>masquer</translation>
    </message>
    <message>
        <source>Delete Filter</source>
        <translation>Supprimer le filtre</translation>
    </message>
    <message>
        <source>Delete the filter &quot;%1&quot;? The events it hides show again.</source>
        <translation>Supprimer le filtre « %1 » ? Les événements qu’il masque réapparaîtront.</translation>
    </message>
</context>
<context>
    <name>ManageListDialog</name>
    <message>
        <source>Add…</source>
        <translation>Ajouter…</translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation>Modifier…</translation>
    </message>
    <message>
        <source>Delete…</source>
        <translation>Supprimer…</translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation>Monter</translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation>Descendre</translation>
    </message>
</context>
<context>
    <name>ManageSourcesDialog</name>
    <message>
        <source>Calendar Accounts</source>
        <translation>Comptes de calendrier</translation>
    </message>
    <message>
        <source>Add Account…</source>
        <translation>Ajouter un compte…</translation>
    </message>
    <message>
        <source>Add a Google, Microsoft or CalDAV account</source>
        <translation>Ajouter un compte Google, Microsoft ou CalDAV</translation>
    </message>
    <message>
        <source>Add CalDAV Account…</source>
        <translation>Ajouter un compte CalDAV…</translation>
    </message>
    <message>
        <source>Subscribe to Calendar…</source>
        <translation>S’abonner à un calendrier…</translation>
    </message>
    <message>
        <source>Add Calendar on This Device…</source>
        <translation>Ajouter un calendrier sur cet appareil…</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Add Calendar to Account…</source>
        <translation>Ajouter un calendrier au compte…</translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation>Modifier…</translation>
    </message>
    <message>
        <source>Remove…</source>
        <translation>Supprimer…</translation>
    </message>
    <message>
        <source>Sync Now</source>
        <translation>Synchroniser maintenant</translation>
    </message>
    <message>
        <source>Share…</source>
        <translation>Partager…</translation>
    </message>
    <message>
        <source>Read only</source>
        <translation>Lecture seule</translation>
    </message>
    <message>
        <source>Share Calendar</source>
        <translation>Partager le calendrier</translation>
    </message>
    <message>
        <source>Members of your Orvandellic group you share this calendar with see and edit its events.</source>
        <translation>Les membres de votre groupe Orvandellic avec qui vous partagez ce calendrier voient et modifient ses événements.</translation>
    </message>
    <message>
        <source>People with access</source>
        <translation>Personnes ayant accès</translation>
    </message>
    <message>
        <source>Add people</source>
        <translation>Ajouter des personnes</translation>
    </message>
    <message>
        <source>Not shared with anyone yet.</source>
        <translation>Partagé avec personne pour l’instant.</translation>
    </message>
    <message>
        <source>You are not in a group. Create or join one under File › Orvandellic Account… to share calendars.</source>
        <translation>Vous ne faites partie d’aucun groupe. Créez-en un ou rejoignez-en un via Fichier › Compte Orvandellic… pour partager des calendriers.</translation>
    </message>
    <message>
        <source>All group members already have access</source>
        <translation>Tous les membres du groupe y ont déjà accès</translation>
    </message>
    <message>
        <source>Share</source>
        <translation>Partager</translation>
    </message>
    <message>
        <source>Remove access</source>
        <translation>Retirer l’accès</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Could not share</source>
        <translation>Impossible de partager</translation>
    </message>
    <message>
        <source>Could not remove access</source>
        <translation>Impossible de retirer l’accès</translation>
    </message>
    <message>
        <source>Remove access?</source>
        <translation>Retirer l’accès ?</translation>
    </message>
    <message>
        <source>%1 will no longer have access. Continue?</source>
        <translation>%1 n’y aura plus accès. Continuer ?</translation>
    </message>
    <message>
        <source>Sharing updated.</source>
        <translation>Partage mis à jour.</translation>
    </message>
    <message>
        <source>Subscribe to Calendar</source>
        <translation>S’abonner à un calendrier</translation>
    </message>
    <message>
        <source>Address:</source>
        <translation>Adresse :</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Nom :</translation>
    </message>
    <message>
        <source>Colour:</source>
        <translation>Couleur :</translation>
    </message>
    <message>
        <source>Enter a webcal, http or https address.</source>
        <translation>Saisissez une adresse webcal, http ou https.</translation>
    </message>
    <message>
        <source>Please enter a name.</source>
        <translation>Veuillez saisir un nom.</translation>
    </message>
    <message>
        <source>The subscription could not be saved.</source>
        <translation>L’abonnement n’a pas pu être enregistré.</translation>
    </message>
    <message>
        <source>Subscribed to &quot;%1&quot;. Its events arrive with the next sync.</source>
        <translation>Abonné à « %1 ». Ses événements arriveront avec la prochaine synchronisation.</translation>
    </message>
    <message>
        <source>Remove Calendar</source>
        <translation>Supprimer le calendrier</translation>
    </message>
    <message>
        <source>Remove the calendar &quot;%1&quot; with all its events and tasks from this computer?</source>
        <translation>Supprimer de cet ordinateur le calendrier « %1 », avec tous ses événements et tâches ?</translation>
    </message>
    <message>
        <source>The calendar could not be removed.</source>
        <translation>Le calendrier n’a pas pu être supprimé.</translation>
    </message>
    <message>
        <source>Remove Account</source>
        <translation>Supprimer le compte</translation>
    </message>
    <message>
        <source>Remove the account &quot;%1&quot; and its calendars with all their events and tasks from this computer?</source>
        <translation>Supprimer de cet ordinateur le compte « %1 » et ses calendriers, avec tous leurs événements et tâches ?</translation>
    </message>
    <message>
        <source>The account could not be removed.</source>
        <translation>Le compte n’a pas pu être supprimé.</translation>
    </message>
    <message>
        <source>Syncing…</source>
        <translation>Synchronisation…</translation>
    </message>
    <message>
        <source>Nothing to sync: no account is ready to sync.</source>
        <translation>Rien à synchroniser : aucun compte n’est prêt.</translation>
    </message>
    <message>
        <source>Sync failed.</source>
        <translation>Échec de la synchronisation.</translation>
    </message>
    <message>
        <source>Sync failed: %1</source>
        <translation>Échec de la synchronisation : %1</translation>
    </message>
    <message>
        <source>Sync finished.</source>
        <translation>Synchronisation terminée.</translation>
    </message>
    <message>
        <source>Reading the account&apos;s calendars…</source>
        <translation>Lecture des calendriers du compte…</translation>
    </message>
    <message>
        <source>The calendars could not be read: %1</source>
        <translation>Les calendriers n’ont pas pu être lus : %1</translation>
    </message>
    <message numerus="yes">
        <source>%n calendar(s) added. Their events arrive with the sync that starts now.</source>
        <translation>
            <numerusform>%n calendrier ajouté. Ses événements arrivent avec la synchronisation qui démarre maintenant.</numerusform>
            <numerusform>%n calendriers ajoutés. Leurs événements arrivent avec la synchronisation qui démarre maintenant.</numerusform>
        </translation>
    </message>
    <message>
        <source>Account added. Its events arrive with the sync that starts now.</source>
        <translation>Compte ajouté. Ses événements arrivent avec la synchronisation qui démarre maintenant.</translation>
    </message>
    <message numerus="yes">
        <source>Account added. %n calendar(s) were not added: the server lists more than %1. Its events arrive with the sync that starts now.</source>
        <translation>
            <numerusform>Compte ajouté. %n calendrier n&apos;a pas été ajouté : le serveur en liste plus de %1. Ses événements arrivent avec la synchronisation qui démarre maintenant.</numerusform>
            <numerusform>Compte ajouté. %n calendriers n&apos;ont pas été ajoutés : le serveur en liste plus de %1. Ses événements arrivent avec la synchronisation qui démarre maintenant.</numerusform>
        </translation>
    </message>
    <message>
        <source>Signed in as %1.</source>
        <translation>Connecté en tant que %1.</translation>
    </message>
</context>
<context>
    <name>ManageTemplatesDialog</name>
    <message>
        <source>Manage Templates</source>
        <translation>Gérer les modèles</translation>
    </message>
    <message>
        <source>(Unnamed)</source>
        <translation>(Sans nom)</translation>
    </message>
    <message>
        <source>The template could not be saved.</source>
        <translation>Le modèle n’a pas pu être enregistré.</translation>
    </message>
    <message>
        <source>Delete Template</source>
        <translation>Supprimer le modèle</translation>
    </message>
    <message>
        <source>Delete the template &quot;%1&quot;?</source>
        <translation>Supprimer le modèle « %1 » ?</translation>
    </message>
    <message>
        <source>This template was removed meanwhile, so it cannot be saved.</source>
        <translation>Ce modèle a été supprimé entre-temps : il ne peut donc pas être enregistré.</translation>
    </message>
</context>
<context>
    <name>ManageViewsDialog</name>
    <message>
        <source>Manage Calendar Groups</source>
        <translation>Gérer les groupes de calendriers</translation>
    </message>
    <message>
        <source>Delete Calendar Group</source>
        <translation>Supprimer le groupe de calendriers</translation>
    </message>
    <message>
        <source>Delete the group &quot;%1&quot;? Its calendars and events are kept.</source>
        <translation>Supprimer le groupe « %1 » ? Ses calendriers et événements sont conservés.</translation>
    </message>
</context>
<context>
    <name>Microsoft::AuthService</name>
    <message>
        <source>Microsoft OAuth credentials are not configured in this build. See .env.example.</source>
        <translation>Les identifiants OAuth Microsoft ne sont pas configurés dans cette version. Voir .env.example.</translation>
    </message>
    <message>
        <source>Could not bind a local port for the Microsoft sign-in callback: %1</source>
        <translation>Impossible de réserver un port local pour le retour de connexion Microsoft : %1</translation>
    </message>
    <message>
        <source>Could not launch the system browser for Microsoft sign-in.</source>
        <translation>Impossible de lancer le navigateur du système pour la connexion Microsoft.</translation>
    </message>
    <message>
        <source>Sign-in cancelled.</source>
        <translation>Connexion annulée.</translation>
    </message>
    <message>
        <source>Microsoft denied the sign-in: %1</source>
        <translation>Microsoft a refusé la connexion : %1</translation>
    </message>
    <message>
        <source>Microsoft did not return an authorization code.</source>
        <translation>Microsoft n’a pas renvoyé de code d’autorisation.</translation>
    </message>
    <message>
        <source>Token exchange failed (HTTP %1): %2</source>
        <translation>Échec de l’échange de jeton (HTTP %1) : %2</translation>
    </message>
    <message>
        <source>Microsoft did not return an access token.</source>
        <translation>Microsoft n’a pas renvoyé de jeton d’accès.</translation>
    </message>
    <message>
        <source>Microsoft did not return a refresh token. Verify offline_access is in the scopes configured for this app.</source>
        <translation>Microsoft n’a pas renvoyé de jeton d’actualisation. Vérifiez que offline_access figure dans les autorisations (scopes) configurées pour cette application.</translation>
    </message>
    <message>
        <source>Microsoft&apos;s token service did not answer in time.</source>
        <translation>Le service de jetons de Microsoft n’a pas répondu à temps.</translation>
    </message>
    <message>
        <source>Microsoft OAuth credentials are not configured.</source>
        <translation>Les identifiants OAuth Microsoft ne sont pas configurés.</translation>
    </message>
    <message>
        <source>Token refresh failed (HTTP %1): %2</source>
        <translation>Échec de l’actualisation du jeton (HTTP %1) : %2</translation>
    </message>
    <message>
        <source>Microsoft&apos;s response had no access_token.</source>
        <translation>La réponse de Microsoft ne contenait pas d’access_token.</translation>
    </message>
</context>
<context>
    <name>Microsoft::SyncClient</name>
    <message>
        <source>Microsoft calendars do not sync yet.</source>
        <translation>Les calendriers Microsoft ne se synchronisent pas encore.</translation>
    </message>
</context>
<context>
    <name>MonthGridWidget</name>
    <message>
        <source>+%1 more</source>
        <translation>+%1 de plus</translation>
    </message>
</context>
<context>
    <name>MonthView</name>
    <message>
        <source>Edit filter &quot;%1&quot;…</source>
        <translation>Modifier le filtre « %1 »…</translation>
    </message>
    <message>
        <source>Create Filter from Event…</source>
        <translation>Créer un filtre à partir de l’événement…</translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;? You can undo with %2.</source>
        <translation>Supprimer « %1 » ? Vous pouvez annuler avec %2.</translation>
    </message>
    <message>
        <source>Delete event?</source>
        <translation>Supprimer l’événement ?</translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation>Modifier…</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
</context>
<context>
    <name>NotificationService</name>
    <message>
        <source>Today</source>
        <translation>Aujourd’hui</translation>
    </message>
    <message>
        <source>Tomorrow</source>
        <translation>Demain</translation>
    </message>
    <message>
        <source>%1, all day</source>
        <translation>%1, toute la journée</translation>
    </message>
    <message>
        <source>Starting now (%1)</source>
        <translation>Commence maintenant (%1)</translation>
    </message>
    <message>
        <source>In %1 minutes (%2)</source>
        <translation>Dans %1 minutes (%2)</translation>
    </message>
    <message>
        <source>In %1h (%2)</source>
        <translation>Dans %1 h (%2)</translation>
    </message>
    <message>
        <source>Tomorrow at %1</source>
        <translation>Demain à %1</translation>
    </message>
    <message>
        <source>%1 at %2</source>
        <translation>%1 à %2</translation>
    </message>
    <message>
        <source>Reminder</source>
        <translation>Rappel</translation>
    </message>
    <message>
        <source>Test reminder</source>
        <translation>Rappel de test</translation>
    </message>
    <message>
        <source>If you can see this, your desktop notifications are wired up correctly. Real reminders look just like this one.</source>
        <translation>Si vous voyez ceci, les notifications de votre bureau sont correctement configurées. Les vrais rappels ressemblent exactement à celui-ci.</translation>
    </message>
</context>
<context>
    <name>OAuthProgressDialog</name>
    <message>
        <source>Sign in to %1</source>
        <translation>Se connecter à %1</translation>
    </message>
    <message>
        <source>Waiting for %1…</source>
        <translation>En attente de %1…</translation>
    </message>
    <message>
        <source>Complete the sign-in in the browser window that has opened. This window closes by itself when you are done.</source>
        <translation>Terminez la connexion dans la fenêtre du navigateur qui s’est ouverte. Cette fenêtre se fermera d’elle-même une fois que vous aurez terminé.</translation>
    </message>
</context>
<context>
    <name>OrvaAccount::AccountGroupPage</name>
    <message>
        <source>Only the first %1 of %2 members are shown.</source>
        <translation>Seuls les %1 premiers membres sur %2 sont affichés.</translation>
    </message>
    <message>
        <source>Only the first %1 of %2 invitations are shown.</source>
        <translation>Seules les %1 premières invitations sur %2 sont affichées.</translation>
    </message>
</context>
<context>
    <name>OrvaAccount::AccountScreen</name>
    <message>
        <source>Only the first %1 of %2 devices are shown.</source>
        <translation>Seuls les %1 premiers appareils sur %2 sont affichés.</translation>
    </message>
    <message>
        <source>Only the first %1 of %2 sessions are shown.</source>
        <translation>Seules les %1 premières sessions sur %2 sont affichées.</translation>
    </message>
</context>
<context>
    <name>OrvaAccount::ApiClient</name>
    <message>
        <source>The service&apos;s reply was too large.</source>
        <translation>La réponse du service était trop volumineuse.</translation>
    </message>
    <message>
        <source>The service gave this entry no id</source>
        <translation>Le service n’a donné aucun identifiant à cette entrée</translation>
    </message>
</context>
<context>
    <name>OrvaAccount::ShareMembersDialog</name>
    <message>
        <source>People with access</source>
        <translation>Personnes ayant accès</translation>
    </message>
    <message>
        <source>Add people</source>
        <translation>Ajouter des personnes</translation>
    </message>
    <message>
        <source>All group members already have access</source>
        <translation>Tous les membres du groupe y ont déjà accès</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Could not load who has access: %1</source>
        <translation>Impossible de charger la liste des personnes ayant accès : %1</translation>
    </message>
    <message>
        <source>Not shared with anyone yet.</source>
        <translation>Partagé avec personne pour l’instant.</translation>
    </message>
    <message>
        <source>Remove access</source>
        <translation>Retirer l’accès</translation>
    </message>
    <message>
        <source>Could not load your group: %1</source>
        <translation>Impossible de charger votre groupe : %1</translation>
    </message>
    <message>
        <source>Share</source>
        <translation>Partager</translation>
    </message>
    <message>
        <source>Could not share with %1.</source>
        <translation>Impossible de partager avec %1.</translation>
    </message>
    <message>
        <source>Remove access?</source>
        <translation>Retirer l’accès ?</translation>
    </message>
    <message>
        <source>%1 will no longer have access. Continue?</source>
        <translation>%1 n’y aura plus accès. Continuer ?</translation>
    </message>
    <message>
        <source>Could not remove %1.</source>
        <translation>Impossible de retirer %1.</translation>
    </message>
    <message>
        <source>Loading…</source>
        <translation>Chargement…</translation>
    </message>
    <message>
        <source>Only the first %1 of %2 group members are listed.</source>
        <translation>Seuls les %1 premiers membres du groupe sur %2 sont listés.</translation>
    </message>
</context>
<context>
    <name>OrvaUpdate</name>
    <message>
        <source>Send Feedback</source>
        <translation>Envoyer des commentaires</translation>
    </message>
    <message>
        <source>No browser could be started. The feedback page is at:
%1</source>
        <translation>Aucun navigateur n’a pu être lancé. La page de commentaires se trouve à l’adresse :
%1</translation>
    </message>
    <message>
        <source>Checking for updates…</source>
        <translation>Recherche de mises à jour…</translation>
    </message>
    <message>
        <source>%1 is up to date (version %2).</source>
        <translation>%1 est à jour (version %2).</translation>
    </message>
    <message>
        <source>Update check failed: %1</source>
        <translation>Échec de la recherche de mises à jour : %1</translation>
    </message>
    <message>
        <source>Loading release notes…</source>
        <translation>Chargement des notes de version…</translation>
    </message>
    <message>
        <source>Release notes could not be loaded: %1</source>
        <translation>Les notes de version n’ont pas pu être chargées : %1</translation>
    </message>
</context>
<context>
    <name>OrvaUpdate::FeedRequest</name>
    <message>
        <source>The update server sent too much data.</source>
        <translation>Le serveur de mises à jour a envoyé trop de données.</translation>
    </message>
    <message>
        <source>The update server did not answer in time.</source>
        <translation>Le serveur de mises à jour n’a pas répondu à temps.</translation>
    </message>
    <message>
        <source>The update server answered with status %1.</source>
        <translation>Le serveur de mises à jour a répondu avec le statut %1.</translation>
    </message>
</context>
<context>
    <name>OrvaUpdate::ReleaseManifest</name>
    <message>
        <source>The release manifest could not be read.</source>
        <translation>Le manifeste de version n’a pas pu être lu.</translation>
    </message>
    <message>
        <source>The release manifest has an unknown format.</source>
        <translation>Le manifeste de version a un format inconnu.</translation>
    </message>
    <message>
        <source>The release manifest names no version.</source>
        <translation>Le manifeste de version n’indique aucune version.</translation>
    </message>
    <message>
        <source>The release manifest offers no usable download.</source>
        <translation>Le manifeste de version ne propose aucun téléchargement utilisable.</translation>
    </message>
</context>
<context>
    <name>OrvaUpdate::UpdateDialog</name>
    <message>
        <source>Update Available</source>
        <translation>Mise à jour disponible</translation>
    </message>
    <message>
        <source>%1 %2 is available.</source>
        <translation>%1 %2 est disponible.</translation>
    </message>
    <message>
        <source>You have version %1.</source>
        <translation>Vous avez la version %1.</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Télécharger</translation>
    </message>
    <message>
        <source>Release Notes</source>
        <translation>Notes de version</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>Plus tard</translation>
    </message>
</context>
<context>
    <name>OrvaUpdate::WhatsNewDialog</name>
    <message>
        <source>What&apos;s New in %1 %2</source>
        <translation>Nouveautés de %1 %2</translation>
    </message>
    <message>
        <source>Loading release notes…</source>
        <translation>Chargement des notes de version…</translation>
    </message>
    <message>
        <source>No release notes for this version.</source>
        <translation>Aucune note de version pour cette version.</translation>
    </message>
    <message>
        <source>The release notes could not be loaded: %1</source>
        <translation>Les notes de version n’ont pas pu être chargées : %1</translation>
    </message>
</context>
<context>
    <name>Orvandellic::SharingBackend</name>
    <message>
        <source>Not signed in</source>
        <translation>Non connecté</translation>
    </message>
    <message>
        <source>Sharing failed (HTTP %1)</source>
        <translation>Échec du partage (HTTP %1)</translation>
    </message>
</context>
<context>
    <name>Orvandellic::SyncClient</name>
    <message>
        <source>Not signed in</source>
        <translation>Non connecté</translation>
    </message>
    <message>
        <source>The calendar no longer exists.</source>
        <translation>Le calendrier n’existe plus.</translation>
    </message>
    <message>
        <source>Could not store the cloud calendar&apos;s changes.</source>
        <translation>Impossible d’enregistrer les modifications du calendrier cloud.</translation>
    </message>
    <message>
        <source>Could not reach the cloud service.</source>
        <translation>Impossible de joindre le service cloud.</translation>
    </message>
    <message>
        <source>Cloud sync failed (HTTP %1)</source>
        <translation>Échec de la synchronisation cloud (HTTP %1)</translation>
    </message>
    <message numerus="yes">
        <source>%n calendar(s) of the cloud calendar list not added: only the first %1 are taken.</source>
        <translation>
            <numerusform>%n calendrier de la liste des calendriers cloud non ajouté : seuls les %1 premiers sont repris.</numerusform>
            <numerusform>%n calendriers de la liste des calendriers cloud non ajoutés : seuls les %1 premiers sont repris.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>PdfExportDialog</name>
    <message>
        <source>All day</source>
        <translation>Toute la journée</translation>
    </message>
    <message>
        <source>All day – %1</source>
        <translation>Toute la journée – %1</translation>
    </message>
    <message>
        <source>Export Agenda PDF</source>
        <translation>Exporter l’agenda en PDF</translation>
    </message>
    <message>
        <source>From:</source>
        <translation>Du :</translation>
    </message>
    <message>
        <source>To:</source>
        <translation>Au :</translation>
    </message>
    <message>
        <source>Browse…</source>
        <translation>Parcourir…</translation>
    </message>
    <message>
        <source>File:</source>
        <translation>Fichier :</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Exporter</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>Fichiers PDF (*.pdf)</translation>
    </message>
    <message>
        <source>The end date must not be before the start date.</source>
        <translation>La date de fin ne doit pas être antérieure à la date de début.</translation>
    </message>
    <message>
        <source>Choose a range of at most %1 days.</source>
        <translation>Choisissez une plage de %1 jours au maximum.</translation>
    </message>
    <message>
        <source>Choose a file to write.</source>
        <translation>Choisissez un fichier de destination.</translation>
    </message>
    <message>
        <source>Agenda</source>
        <translation>Agenda</translation>
    </message>
    <message>
        <source>Could not write &quot;%1&quot;.</source>
        <translation>Impossible d’écrire « %1 ».</translation>
    </message>
    <message>
        <source>No events in this range.</source>
        <translation>Aucun événement dans cette plage.</translation>
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
        <translation>Cet appareil</translation>
    </message>
    <message>
        <source>Repeats daily</source>
        <translation>Se répète tous les jours</translation>
    </message>
    <message>
        <source>Every %1 days</source>
        <translation>Tous les %1 jours</translation>
    </message>
    <message>
        <source>Repeats weekly</source>
        <translation>Se répète toutes les semaines</translation>
    </message>
    <message>
        <source>Every %1 weeks</source>
        <translation>Toutes les %1 semaines</translation>
    </message>
    <message>
        <source>Repeats monthly</source>
        <translation>Se répète tous les mois</translation>
    </message>
    <message>
        <source>Every %1 months</source>
        <translation>Tous les %1 mois</translation>
    </message>
    <message>
        <source>Repeats yearly</source>
        <translation>Se répète tous les ans</translation>
    </message>
    <message>
        <source>Every %1 years</source>
        <translation>Tous les %1 ans</translation>
    </message>
    <message>
        <source>Repeats</source>
        <translation>Se répète</translation>
    </message>
    <message>
        <source>on the %1 %2</source>
        <translation>le %1 %2</translation>
    </message>
    <message>
        <source>on the %1</source>
        <translation>le %1</translation>
    </message>
    <message numerus="yes">
        <source>%n time(s)</source>
        <translation>
            <numerusform>%n fois</numerusform>
            <numerusform>%n fois</numerusform>
        </translation>
    </message>
    <message>
        <source>until %1</source>
        <translation>jusqu’au %1</translation>
    </message>
    <message>
        <source>At time of event</source>
        <translation>À l’heure de l’événement</translation>
    </message>
    <message numerus="yes">
        <source>%n min before</source>
        <translation>
            <numerusform>%n min avant</numerusform>
            <numerusform>%n min avant</numerusform>
        </translation>
    </message>
    <message>
        <source>%1th</source>
        <translation>%1e</translation>
    </message>
    <message>
        <source>%1st</source>
        <translation>%1er</translation>
    </message>
    <message>
        <source>%1nd</source>
        <translation>%1e</translation>
    </message>
    <message>
        <source>%1rd</source>
        <translation>%1e</translation>
    </message>
    <message>
        <source>first</source>
        <translation>premier</translation>
    </message>
    <message>
        <source>second</source>
        <translation>deuxième</translation>
    </message>
    <message>
        <source>third</source>
        <translation>troisième</translation>
    </message>
    <message>
        <source>fourth</source>
        <translation>quatrième</translation>
    </message>
    <message>
        <source>fifth</source>
        <translation>cinquième</translation>
    </message>
    <message>
        <source>last</source>
        <translation>dernier</translation>
    </message>
    <message>
        <source>second-to-last</source>
        <translation>avant-dernier</translation>
    </message>
    <message>
        <source>%1th-from-last</source>
        <translation>%1e en partant de la fin</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Aujourd’hui</translation>
    </message>
    <message>
        <source>Tomorrow</source>
        <translation>Demain</translation>
    </message>
    <message>
        <source>Yesterday</source>
        <translation>Hier</translation>
    </message>
    <message>
        <source>High</source>
        <translation>Haute</translation>
    </message>
    <message>
        <source>Medium</source>
        <translation>Moyenne</translation>
    </message>
    <message>
        <source>Low</source>
        <translation>Basse</translation>
    </message>
    <message>
        <source>↳ subtask</source>
        <translation>↳ sous-tâche</translation>
    </message>
    <message numerus="yes">
        <source>%n hour(s) before</source>
        <translation>
            <numerusform>%n heure avant</numerusform>
            <numerusform>%n heures avant</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n day(s) before</source>
        <translation>
            <numerusform>%n jour avant</numerusform>
            <numerusform>%n jours avant</numerusform>
        </translation>
    </message>
    <message>
        <source>Pattern Match</source>
        <translation>Correspondance de motif</translation>
    </message>
    <message>
        <source>Filter events matching text patterns</source>
        <translation>Filtrer les événements selon des motifs de texte</translation>
    </message>
    <message>
        <source>Time-Based</source>
        <translation>Horaire</translation>
    </message>
    <message>
        <source>Filter events at specific times</source>
        <translation>Filtrer les événements à des heures précises</translation>
    </message>
    <message>
        <source>Specific Event</source>
        <translation>Événement spécifique</translation>
    </message>
    <message>
        <source>Filter a specific recurring event</source>
        <translation>Filtrer un événement périodique spécifique</translation>
    </message>
    <message>
        <source>All-Day Events</source>
        <translation>Événements sur toute la journée</translation>
    </message>
    <message>
        <source>Filter all-day events</source>
        <translation>Filtrer les événements sur toute la journée</translation>
    </message>
    <message>
        <source>Mon</source>
        <translation>lun.</translation>
    </message>
    <message>
        <source>Tue</source>
        <translation>mar.</translation>
    </message>
    <message>
        <source>Wed</source>
        <translation>mer.</translation>
    </message>
    <message>
        <source>Thu</source>
        <translation>jeu.</translation>
    </message>
    <message>
        <source>Fri</source>
        <translation>ven.</translation>
    </message>
    <message>
        <source>Sat</source>
        <translation>sam.</translation>
    </message>
    <message>
        <source>Sun</source>
        <translation>dim.</translation>
    </message>
</context>
<context>
    <name>QuickAddDialog</name>
    <message>
        <source>Quick Add</source>
        <translation>Ajout rapide</translation>
    </message>
    <message>
        <source>Type an event in plain English.</source>
        <translation>Saisissez un événement en anglais courant.</translation>
    </message>
    <message>
        <source>e.g. &quot;lunch Thursday 1pm&quot;</source>
        <translation>p. ex. « lunch Thursday 1pm »</translation>
    </message>
    <message>
        <source>All-day</source>
        <translation>Toute la journée</translation>
    </message>
    <message>
        <source>No calendar accepts new events</source>
        <translation>Aucun calendrier n’accepte de nouveaux événements</translation>
    </message>
    <message>
        <source>Couldn&apos;t read an event in this text</source>
        <translation>Aucun événement reconnu dans ce texte</translation>
    </message>
    <message>
        <source>Couldn&apos;t save event</source>
        <translation>Impossible d’enregistrer l’événement</translation>
    </message>
</context>
<context>
    <name>RecurrenceEditDialog</name>
    <message>
        <source>Recurrence</source>
        <translation>Périodicité</translation>
    </message>
    <message>
        <source>Daily</source>
        <translation>Quotidienne</translation>
    </message>
    <message>
        <source>Weekly</source>
        <translation>Hebdomadaire</translation>
    </message>
    <message>
        <source>Monthly</source>
        <translation>Mensuelle</translation>
    </message>
    <message>
        <source>Yearly</source>
        <translation>Annuelle</translation>
    </message>
    <message>
        <source>Does not repeat</source>
        <translation>Ne se répète pas</translation>
    </message>
    <message>
        <source>Frequency</source>
        <translation>Fréquence</translation>
    </message>
    <message>
        <source>Every</source>
        <translation>Intervalle de</translation>
    </message>
    <message>
        <source>On day of the month</source>
        <translation>Le jour du mois</translation>
    </message>
    <message>
        <source>of every month</source>
        <translation>de chaque mois</translation>
    </message>
    <message>
        <source>On the nth weekday</source>
        <translation>Le n-ième jour de la semaine</translation>
    </message>
    <message>
        <source>first</source>
        <translation>premier</translation>
    </message>
    <message>
        <source>second</source>
        <translation>deuxième</translation>
    </message>
    <message>
        <source>third</source>
        <translation>troisième</translation>
    </message>
    <message>
        <source>fourth</source>
        <translation>quatrième</translation>
    </message>
    <message>
        <source>last</source>
        <translation>dernier</translation>
    </message>
    <message>
        <source>Monday</source>
        <translation>Lundi</translation>
    </message>
    <message>
        <source>Tuesday</source>
        <translation>Mardi</translation>
    </message>
    <message>
        <source>Wednesday</source>
        <translation>Mercredi</translation>
    </message>
    <message>
        <source>Thursday</source>
        <translation>Jeudi</translation>
    </message>
    <message>
        <source>Friday</source>
        <translation>Vendredi</translation>
    </message>
    <message>
        <source>Saturday</source>
        <translation>Samedi</translation>
    </message>
    <message>
        <source>Sunday</source>
        <translation>Dimanche</translation>
    </message>
    <message>
        <source>Never</source>
        <translation>Jamais</translation>
    </message>
    <message>
        <source>After</source>
        <translation>Après</translation>
    </message>
    <message>
        <source>occurrences</source>
        <translation>occurrences</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Le</translation>
    </message>
    <message>
        <source>Ends</source>
        <translation>Fin</translation>
    </message>
    <message>
        <source>day</source>
        <translation>jour</translation>
    </message>
    <message>
        <source>days</source>
        <translation>jours</translation>
    </message>
    <message>
        <source>month</source>
        <translation>mois</translation>
    </message>
    <message>
        <source>months</source>
        <translation>mois</translation>
    </message>
    <message>
        <source>year</source>
        <translation>an</translation>
    </message>
    <message>
        <source>years</source>
        <translation>ans</translation>
    </message>
    <message>
        <source>week</source>
        <translation>semaine</translation>
    </message>
    <message>
        <source>weeks</source>
        <translation>semaines</translation>
    </message>
</context>
<context>
    <name>RecurringEdit</name>
    <message>
        <source>The clocks skip the time &quot;%1&quot; was moved to on %2, so it begins at %3 that day and repeats at %3.</source>
        <translation>Les horloges sautent l’heure à laquelle « %1 » a été déplacé le %2 : il commence donc à %3 ce jour-là et se répète à %3.</translation>
    </message>
    <message>
        <source>The days of this series&apos; repeat rule cannot all move by the same number of days, so the series was left as it was. To move it, change its repeat rule together with its date in the event form.</source>
        <translation>Les jours de la règle de répétition de cette série ne peuvent pas tous être décalés du même nombre de jours ; la série a donc été laissée telle quelle. Pour la déplacer, modifiez sa règle de répétition en même temps que sa date dans le formulaire de l’événement.</translation>
    </message>
    <message>
        <source>Could not undo: %1</source>
        <translation>Impossible d’annuler : %1</translation>
    </message>
    <message>
        <source>&quot;%1&quot; was changed elsewhere meanwhile, so nothing was changed.</source>
        <translation>« %1 » a été modifié ailleurs entre-temps : rien n’a donc été modifié.</translation>
    </message>
    <message>
        <source>The change of &quot;%1&quot; on %2 was deleted elsewhere meanwhile, so nothing was changed.</source>
        <translation>La modification de « %1 » du %2 a été supprimée ailleurs entre-temps : rien n’a donc été modifié.</translation>
    </message>
</context>
<context>
    <name>RecurringEditScopeDialog</name>
    <message>
        <source>Delete Recurring Event</source>
        <translation>Supprimer l’événement périodique</translation>
    </message>
    <message>
        <source>Edit Recurring Event</source>
        <translation>Modifier l’événement périodique</translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;</source>
        <translation>Supprimer « %1 »</translation>
    </message>
    <message>
        <source>Edit &quot;%1&quot;</source>
        <translation>Modifier « %1 »</translation>
    </message>
    <message>
        <source>This event repeats. Delete:</source>
        <translation>Cet événement se répète. Supprimer :</translation>
    </message>
    <message>
        <source>This event repeats. Apply your changes to:</source>
        <translation>Cet événement se répète. Appliquer vos modifications à :</translation>
    </message>
    <message>
        <source>This event only</source>
        <translation>Cet événement uniquement</translation>
    </message>
    <message>
        <source>Only this occurrence is changed; the rest of the series stays as it was.</source>
        <translation>Seule cette occurrence est modifiée ; le reste de la série reste inchangé.</translation>
    </message>
    <message>
        <source>This and following events</source>
        <translation>Cet événement et les suivants</translation>
    </message>
    <message>
        <source>This occurrence and every later one inherit the change. Past occurrences keep their original times.</source>
        <translation>Cette occurrence et toutes les suivantes reçoivent la modification. Les occurrences passées conservent leurs horaires d’origine.</translation>
    </message>
    <message>
        <source>All events in the series</source>
        <translation>Tous les événements de la série</translation>
    </message>
    <message>
        <source>The master event shifts; every occurrence — past and future — moves with it.</source>
        <translation>L’événement principal est décalé ; toutes les occurrences, passées et futures, sont déplacées avec lui.</translation>
    </message>
    <message>
        <source>Only this occurrence is deleted; the rest of the series stays.</source>
        <translation>Seule cette occurrence est supprimée ; le reste de la série est conservé.</translation>
    </message>
    <message>
        <source>This occurrence and every later one are deleted. Earlier occurrences stay.</source>
        <translation>Cette occurrence et toutes les suivantes sont supprimées. Les occurrences antérieures sont conservées.</translation>
    </message>
    <message>
        <source>Every occurrence — past and future — is deleted.</source>
        <translation>Toutes les occurrences, passées et futures, sont supprimées.</translation>
    </message>
</context>
<context>
    <name>ReminderWindow</name>
    <message>
        <source>Reminders</source>
        <translation>Rappels</translation>
    </message>
    <message>
        <source>Dismiss all</source>
        <translation>Tout ignorer</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>Dismiss</source>
        <translation>Ignorer</translation>
    </message>
</context>
<context>
    <name>RruleFormat</name>
    <message>
        <source>Mon</source>
        <translation>lun.</translation>
    </message>
    <message>
        <source>Tue</source>
        <translation>mar.</translation>
    </message>
    <message>
        <source>Wed</source>
        <translation>mer.</translation>
    </message>
    <message>
        <source>Thu</source>
        <translation>jeu.</translation>
    </message>
    <message>
        <source>Fri</source>
        <translation>ven.</translation>
    </message>
    <message>
        <source>Sat</source>
        <translation>sam.</translation>
    </message>
    <message>
        <source>Sun</source>
        <translation>dim.</translation>
    </message>
</context>
<context>
    <name>SearchDialog</name>
    <message>
        <source>%1 · All day</source>
        <translation>%1 · Toute la journée</translation>
    </message>
    <message>
        <source>Find Events</source>
        <translation>Rechercher des événements</translation>
    </message>
    <message>
        <source>Search titles, locations and notes</source>
        <translation>Rechercher dans les titres, lieux et notes</translation>
    </message>
    <message>
        <source>(No title)</source>
        <translation>(Sans titre)</translation>
    </message>
    <message>
        <source>No events found.</source>
        <translation>Aucun événement trouvé.</translation>
    </message>
    <message>
        <source>Showing the first %1 matches.</source>
        <translation>Affichage des %1 premiers résultats.</translation>
    </message>
    <message>
        <source>1 event found.</source>
        <translation>1 événement trouvé.</translation>
    </message>
    <message>
        <source>%1 events found.</source>
        <translation>%1 événements trouvés.</translation>
    </message>
</context>
<context>
    <name>SeriesActions</name>
    <message>
        <source>Could not delete &quot;%1&quot;.</source>
        <translation>Impossible de supprimer « %1 ».</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>Calendrier</translation>
    </message>
</context>
<context>
    <name>SettingsDialog</name>
    <message>
        <source>Preferences</source>
        <translation>Préférences</translation>
    </message>
    <message>
        <source>12-hour (1:30 PM)</source>
        <translation>12 heures (1:30 PM)</translation>
    </message>
    <message>
        <source>24-hour (13:30)</source>
        <translation>24 heures (13:30)</translation>
    </message>
    <message>
        <source>Time format:</source>
        <translation>Format de l’heure :</translation>
    </message>
    <message>
        <source>Follow the system</source>
        <translation>Suivre le système</translation>
    </message>
    <message>
        <source>Week starts on:</source>
        <translation>Début de la semaine :</translation>
    </message>
    <message>
        <source>to</source>
        <translation>à</translation>
    </message>
    <message>
        <source>Working hours:</source>
        <translation>Heures de travail :</translation>
    </message>
    <message>
        <source>Show week numbers</source>
        <translation>Afficher les numéros de semaine</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Aucun</translation>
    </message>
    <message>
        <source>Default calendar:</source>
        <translation>Calendrier par défaut :</translation>
    </message>
    <message>
        <source>Show the weather forecast</source>
        <translation>Afficher les prévisions météo</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Général</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>Clair</translation>
    </message>
    <message>
        <source>Dark</source>
        <translation>Sombre</translation>
    </message>
    <message>
        <source>Theme:</source>
        <translation>Thème :</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Par défaut</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Bleu</translation>
    </message>
    <message>
        <source>Teal</source>
        <translation>Bleu canard</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Vert</translation>
    </message>
    <message>
        <source>Orange</source>
        <translation>Orange</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Rouge</translation>
    </message>
    <message>
        <source>Purple</source>
        <translation>Violet</translation>
    </message>
    <message>
        <source>Pink</source>
        <translation>Rose</translation>
    </message>
    <message>
        <source>Accent colour:</source>
        <translation>Couleur d’accentuation :</translation>
    </message>
    <message>
        <source>Language:</source>
        <translation>Langue :</translation>
    </message>
    <message>
        <source>A new language applies the next time Calendar starts.</source>
        <translation>Une nouvelle langue s’applique au prochain démarrage du calendrier.</translation>
    </message>
    <message>
        <source>Appearance</source>
        <translation>Apparence</translation>
    </message>
    <message>
        <source>Start Calendar when I log in</source>
        <translation>Lancer le calendrier à l’ouverture de session</translation>
    </message>
    <message>
        <source>Start minimised to the tray</source>
        <translation>Démarrer réduit dans la zone de notification</translation>
    </message>
    <message>
        <source>Close to tray (keep running in the background)</source>
        <translation>Réduire dans la zone de notification à la fermeture (continuer en arrière-plan)</translation>
    </message>
    <message>
        <source>Startup</source>
        <translation>Démarrage</translation>
    </message>
    <message>
        <source>When you are signed in, these settings follow you to your other devices:</source>
        <translation>Lorsque vous êtes connecté, ces paramètres vous suivent sur vos autres appareils :</translation>
    </message>
    <message>
        <source>Accounts</source>
        <translation>Comptes</translation>
    </message>
    <message>
        <source>Filter rules</source>
        <translation>Règles de filtre</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>Templates</source>
        <translation>Modèles</translation>
    </message>
    <message>
        <source>Calendar groups</source>
        <translation>Groupes de calendriers</translation>
    </message>
    <message>
        <source>Sync</source>
        <translation>Synchronisation</translation>
    </message>
</context>
<context>
    <name>StoredTask</name>
    <message>
        <source>Task not found</source>
        <translation>Tâche introuvable</translation>
    </message>
    <message>
        <source>&quot;%1&quot; was moved to another calendar meanwhile, so nothing was changed.</source>
        <translation>« %1 » a été déplacé vers un autre calendrier entre-temps : rien n’a donc été modifié.</translation>
    </message>
    <message>
        <source>This task no longer exists.</source>
        <translation>Cette tâche n’existe plus.</translation>
    </message>
</context>
<context>
    <name>TaskDetailsPopover</name>
    <message>
        <source>Edit…</source>
        <translation>Modifier…</translation>
    </message>
    <message>
        <source>Add Subtask</source>
        <translation>Ajouter une sous-tâche</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>This task no longer exists.</source>
        <translation>Cette tâche n’existe plus.</translation>
    </message>
    <message>
        <source>(Untitled task)</source>
        <translation>(Tâche sans titre)</translation>
    </message>
    <message>
        <source>▶  Starts %1</source>
        <translation>▶  Début : %1</translation>
    </message>
    <message>
        <source>Unknown calendar</source>
        <translation>Calendrier inconnu</translation>
    </message>
    <message>
        <source>%1 priority</source>
        <translation>Priorité %1</translation>
    </message>
    <message>
        <source>Mark incomplete</source>
        <translation>Marquer comme non terminée</translation>
    </message>
    <message>
        <source>Mark complete</source>
        <translation>Marquer comme terminée</translation>
    </message>
    <message>
        <source>Task not found</source>
        <translation>Tâche introuvable</translation>
    </message>
    <message>
        <source>Task change failed</source>
        <translation>Échec de la modification de la tâche</translation>
    </message>
    <message>
        <source>The task could not be changed; it may have been deleted.</source>
        <translation>La tâche n’a pas pu être modifiée ; elle a peut-être été supprimée.</translation>
    </message>
    <message>
        <source>Task</source>
        <translation>Tâche</translation>
    </message>
    <message>
        <source>Delete task?</source>
        <translation>Supprimer la tâche ?</translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;? This cannot be undone.</source>
        <translation>Supprimer « %1 » ? Cette action est irréversible.</translation>
    </message>
    <message>
        <source>Could not delete &quot;%1&quot;.</source>
        <translation>Impossible de supprimer « %1 ».</translation>
    </message>
</context>
<context>
    <name>TaskFormDialog</name>
    <message>
        <source>Could not save the task: the calendar file is read-only.</source>
        <translation>Impossible d’enregistrer la tâche : le fichier du calendrier est en lecture seule.</translation>
    </message>
    <message>
        <source>Could not save the task.</source>
        <translation>Impossible d’enregistrer la tâche.</translation>
    </message>
    <message>
        <source>Edit Task</source>
        <translation>Modifier la tâche</translation>
    </message>
    <message>
        <source>New Task</source>
        <translation>Nouvelle tâche</translation>
    </message>
    <message>
        <source>Edit task</source>
        <translation>Modifier la tâche</translation>
    </message>
    <message>
        <source>New task</source>
        <translation>Nouvelle tâche</translation>
    </message>
    <message>
        <source>Update the task and save to apply.</source>
        <translation>Mettez à jour la tâche et enregistrez pour appliquer.</translation>
    </message>
    <message>
        <source>Drop a quick to-do; due date and priority are optional.</source>
        <translation>Notez rapidement une tâche ; l’échéance et la priorité sont facultatives.</translation>
    </message>
    <message>
        <source>Buy birthday gift, prep Q1 report…</source>
        <translation>Acheter un cadeau d’anniversaire, préparer le rapport du T1…</translation>
    </message>
    <message>
        <source>&amp;Title</source>
        <translation>&amp;Titre</translation>
    </message>
    <message>
        <source>&amp;Calendar</source>
        <translation>&amp;Calendrier</translation>
    </message>
    <message>
        <source>&amp;Starts</source>
        <translation>&amp;Début</translation>
    </message>
    <message>
        <source>Set start date</source>
        <translation>Définir une date de début</translation>
    </message>
    <message>
        <source>&amp;Due</source>
        <translation>Éc&amp;héance</translation>
    </message>
    <message>
        <source>Set due date</source>
        <translation>Définir une échéance</translation>
    </message>
    <message>
        <source>Does not repeat</source>
        <translation>Ne se répète pas</translation>
    </message>
    <message>
        <source>&amp;Repeat</source>
        <translation>&amp;Répétition</translation>
    </message>
    <message>
        <source>Due date</source>
        <translation>Date d’échéance</translation>
    </message>
    <message>
        <source>Completion date</source>
        <translation>Date d’achèvement</translation>
    </message>
    <message>
        <source>Due date: next due = current due + interval.
Completion date: next due = today + interval.</source>
        <translation>Date d’échéance : prochaine échéance = échéance actuelle + intervalle.
Date d’achèvement : prochaine échéance = aujourd’hui + intervalle.</translation>
    </message>
    <message>
        <source>Repeats &amp;from</source>
        <translation>Répéter à p&amp;artir de</translation>
    </message>
    <message>
        <source>— None</source>
        <translation>— Aucune</translation>
    </message>
    <message>
        <source>● High</source>
        <translation>● Haute</translation>
    </message>
    <message>
        <source>● Medium</source>
        <translation>● Moyenne</translation>
    </message>
    <message>
        <source>● Low</source>
        <translation>● Basse</translation>
    </message>
    <message>
        <source>&amp;Priority</source>
        <translation>&amp;Priorité</translation>
    </message>
    <message>
        <source>Completed</source>
        <translation>Terminée</translation>
    </message>
    <message>
        <source>e.g. Personal, Health, Errands</source>
        <translation>p. ex. Personnel, Santé, Courses</translation>
    </message>
    <message>
        <source>&amp;Categories</source>
        <translation>Caté&amp;gories</translation>
    </message>
    <message>
        <source>Steps, links, context…</source>
        <translation>Étapes, liens, contexte…</translation>
    </message>
    <message>
        <source>&amp;Notes</source>
        <translation>&amp;Notes</translation>
    </message>
    <message>
        <source>An import is being written; the task is saved when it ends.</source>
        <translation>Une importation est en cours d’écriture ; la tâche sera enregistrée dès qu’elle sera terminée.</translation>
    </message>
    <message>
        <source>Save changes</source>
        <translation>Enregistrer les modifications</translation>
    </message>
    <message>
        <source>Create task</source>
        <translation>Créer la tâche</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>This task belongs to a read-only calendar. It can be viewed but not changed.</source>
        <translation>Cette tâche appartient à un calendrier en lecture seule. Elle peut être consultée mais pas modifiée.</translation>
    </message>
    <message>
        <source>Subtasks stay in their parent task&apos;s calendar.</source>
        <translation>Les sous-tâches restent dans le calendrier de leur tâche parente.</translation>
    </message>
    <message>
        <source>The parent task belongs to a read-only calendar, so it cannot get subtasks.</source>
        <translation>La tâche parente appartient à un calendrier en lecture seule : elle ne peut donc pas recevoir de sous-tâches.</translation>
    </message>
    <message>
        <source>Title required</source>
        <translation>Titre requis</translation>
    </message>
    <message>
        <source>Please enter a title for the task.</source>
        <translation>Veuillez saisir un titre pour la tâche.</translation>
    </message>
    <message>
        <source>No calendars</source>
        <translation>Aucun calendrier</translation>
    </message>
    <message>
        <source>Create a calendar first.</source>
        <translation>Créez d’abord un calendrier.</translation>
    </message>
    <message>
        <source>Start after due date</source>
        <translation>Début après l’échéance</translation>
    </message>
    <message>
        <source>The start date is later than the due date.</source>
        <translation>La date de début est postérieure à la date d’échéance.</translation>
    </message>
    <message>
        <source>Task removed</source>
        <translation>Tâche supprimée</translation>
    </message>
    <message>
        <source>This task was deleted meanwhile, so it cannot be saved.</source>
        <translation>Cette tâche a été supprimée entre-temps : elle ne peut donc pas être enregistrée.</translation>
    </message>
    <message>
        <source>The parent task was deleted meanwhile, so the subtask cannot be saved.</source>
        <translation>La tâche parente a été supprimée entre-temps : la sous-tâche ne peut donc pas être enregistrée.</translation>
    </message>
    <message>
        <source>Cannot move task</source>
        <translation>Impossible de déplacer la tâche</translation>
    </message>
    <message>
        <source>The chosen calendar already holds this task or one of its subtasks.</source>
        <translation>Le calendrier choisi contient déjà cette tâche ou l’une de ses sous-tâches.</translation>
    </message>
    <message>
        <source>Database Error</source>
        <translation>Erreur de base de données</translation>
    </message>
</context>
<context>
    <name>TasksPane</name>
    <message>
        <source>Tasks</source>
        <translation>Tâches</translation>
    </message>
    <message>
        <source>Filter tasks</source>
        <translation>Filtrer les tâches</translation>
    </message>
    <message>
        <source>All tasks</source>
        <translation>Toutes les tâches</translation>
    </message>
    <message>
        <source>Due today</source>
        <translation>À échéance aujourd’hui</translation>
    </message>
    <message>
        <source>Due this week</source>
        <translation>À échéance cette semaine</translation>
    </message>
    <message>
        <source>Overdue</source>
        <translation>En retard</translation>
    </message>
    <message>
        <source>Group by calendar</source>
        <translation>Grouper par calendrier</translation>
    </message>
    <message>
        <source>Hide completed</source>
        <translation>Masquer les tâches terminées</translation>
    </message>
    <message>
        <source>Show notes</source>
        <translation>Afficher les notes</translation>
    </message>
    <message>
        <source>Show categories</source>
        <translation>Afficher les catégories</translation>
    </message>
    <message>
        <source>No tasks yet</source>
        <translation>Aucune tâche pour l’instant</translation>
    </message>
    <message>
        <source>Create a task to track what needs doing.</source>
        <translation>Créez une tâche pour suivre ce qui reste à faire.</translation>
    </message>
    <message>
        <source>+ New Task</source>
        <translation>+ Nouvelle tâche</translation>
    </message>
    <message>
        <source>Nothing due today</source>
        <translation>Rien à échéance aujourd’hui</translation>
    </message>
    <message>
        <source>Nothing due this week</source>
        <translation>Rien à échéance cette semaine</translation>
    </message>
    <message>
        <source>Nothing overdue</source>
        <translation>Rien en retard</translation>
    </message>
    <message>
        <source>You&apos;re caught up. Nice.</source>
        <translation>Vous êtes à jour. Bravo !</translation>
    </message>
    <message>
        <source>Switch the filter to see other tasks.</source>
        <translation>Changez de filtre pour voir d’autres tâches.</translation>
    </message>
    <message>
        <source>No calendars</source>
        <translation>Aucun calendrier</translation>
    </message>
    <message>
        <source>Create a calendar first.</source>
        <translation>Créez d’abord un calendrier.</translation>
    </message>
    <message>
        <source>Task not found</source>
        <translation>Tâche introuvable</translation>
    </message>
    <message>
        <source>This task no longer exists.</source>
        <translation>Cette tâche n’existe plus.</translation>
    </message>
    <message>
        <source>Can&apos;t move task</source>
        <translation>Impossible de déplacer la tâche</translation>
    </message>
    <message>
        <source>Subtasks must belong to the same calendar as their parent. Move &quot;%1&quot; to the same calendar first.</source>
        <translation>Les sous-tâches doivent appartenir au même calendrier que leur tâche parente. Déplacez d’abord « %1 » dans ce calendrier.</translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation>Modifier…</translation>
    </message>
    <message>
        <source>Add Subtask</source>
        <translation>Ajouter une sous-tâche</translation>
    </message>
    <message>
        <source>Mark Incomplete</source>
        <translation>Marquer comme non terminée</translation>
    </message>
    <message>
        <source>Mark Complete</source>
        <translation>Marquer comme terminée</translation>
    </message>
    <message>
        <source>Clear In Progress</source>
        <translation>Retirer « En cours »</translation>
    </message>
    <message>
        <source>Mark In Progress</source>
        <translation>Marquer comme en cours</translation>
    </message>
    <message>
        <source>Restore Task</source>
        <translation>Restaurer la tâche</translation>
    </message>
    <message>
        <source>Mark Cancelled</source>
        <translation>Marquer comme annulée</translation>
    </message>
    <message>
        <source>Make Top-Level</source>
        <translation>Passer au premier niveau</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>Delete task?</source>
        <translation>Supprimer la tâche ?</translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;? This cannot be undone.</source>
        <translation>Supprimer « %1 » ? Cette action est irréversible.</translation>
    </message>
</context>
<context>
    <name>TasksPaneRow</name>
    <message>
        <source>(Untitled)</source>
        <translation>(Sans titre)</translation>
    </message>
    <message>
        <source>IN PROGRESS</source>
        <translation>EN COURS</translation>
    </message>
    <message>
        <source>CANCELLED</source>
        <translation>ANNULÉE</translation>
    </message>
</context>
<context>
    <name>TemplateEditorDialog</name>
    <message>
        <source>At time of event</source>
        <translation>À l’heure de l’événement</translation>
    </message>
    <message numerus="yes">
        <source>%n minute(s) before</source>
        <translation>
            <numerusform>%n minute avant</numerusform>
            <numerusform>%n minutes avant</numerusform>
        </translation>
    </message>
    <message>
        <source>1 hour before</source>
        <translation>1 heure avant</translation>
    </message>
    <message>
        <source>New Template</source>
        <translation>Nouveau modèle</translation>
    </message>
    <message>
        <source>Edit Template</source>
        <translation>Modifier le modèle</translation>
    </message>
    <message>
        <source>e.g., Standup, Doctor visit</source>
        <translation>p. ex. Réunion quotidienne, Visite chez le médecin</translation>
    </message>
    <message>
        <source>Template name</source>
        <translation>Nom du modèle</translation>
    </message>
    <message>
        <source>Event title shown on the calendar</source>
        <translation>Titre de l’événement affiché dans le calendrier</translation>
    </message>
    <message>
        <source>Event title</source>
        <translation>Titre de l’événement</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>Optional location</source>
        <translation>Lieu (facultatif)</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Lieu</translation>
    </message>
    <message>
        <source>Use calendar color</source>
        <translation>Utiliser la couleur du calendrier</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>Couleur</translation>
    </message>
    <message>
        <source>(use default)</source>
        <translation>(valeur par défaut)</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>Calendrier</translation>
    </message>
    <message>
        <source>All-day event</source>
        <translation>Événement sur toute la journée</translation>
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
        <translation>Durée par défaut</translation>
    </message>
    <message>
        <source>Recurrence</source>
        <translation>Périodicité</translation>
    </message>
    <message>
        <source>Reminders</source>
        <translation>Rappels</translation>
    </message>
    <message>
        <source>+ Add reminder</source>
        <translation>+ Ajouter un rappel</translation>
    </message>
    <message>
        <source>No reminders</source>
        <translation>Aucun rappel</translation>
    </message>
    <message>
        <source>Remove reminder</source>
        <translation>Supprimer le rappel</translation>
    </message>
    <message>
        <source>Template color</source>
        <translation>Couleur du modèle</translation>
    </message>
    <message>
        <source>Inherits the calendar&apos;s color. Click to override.</source>
        <translation>Hérite de la couleur du calendrier. Cliquez pour la remplacer.</translation>
    </message>
    <message>
        <source>%1, click to change.</source>
        <translation>%1, cliquez pour modifier.</translation>
    </message>
    <message>
        <source>Does not repeat</source>
        <translation>Ne se répète pas</translation>
    </message>
    <message>
        <source>Missing name</source>
        <translation>Nom manquant</translation>
    </message>
    <message>
        <source>Give this template a name so you can pick it later.</source>
        <translation>Donnez un nom à ce modèle pour pouvoir le choisir plus tard.</translation>
    </message>
    <message>
        <source>Missing event title</source>
        <translation>Titre d’événement manquant</translation>
    </message>
    <message>
        <source>Set the event title. That&apos;s what events created from this template will be called.</source>
        <translation>Définissez le titre de l’événement. C’est le nom que porteront les événements créés à partir de ce modèle.</translation>
    </message>
    <message numerus="yes">
        <source>%n day(s) before</source>
        <translation>
            <numerusform>%n jour avant</numerusform>
            <numerusform>%n jours avant</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n hour(s) before</source>
        <translation>
            <numerusform>%n heure avant</numerusform>
            <numerusform>%n heures avant</numerusform>
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
            <numerusform>%n autre événement</numerusform>
            <numerusform>%n autres événements</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TrayManager</name>
    <message>
        <source>&amp;Show Calendar</source>
        <translation>&amp;Afficher le calendrier</translation>
    </message>
    <message>
        <source>Sync &amp;Now</source>
        <translation>Synchroniser &amp;maintenant</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>Orvandellic Calendar</source>
        <translation>Orvandellic Calendar</translation>
    </message>
    <message>
        <source>%1 — Last sync failed</source>
        <translation>%1 — Échec de la dernière synchronisation</translation>
    </message>
    <message>
        <source>%1 — Sync failed: %2</source>
        <translation>%1 — Échec de la synchronisation : %2</translation>
    </message>
    <message>
        <source>%1 — No upcoming events</source>
        <translation>%1 — Aucun événement à venir</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Sans titre</translation>
    </message>
    <message>
        <source>today</source>
        <translation>aujourd’hui</translation>
    </message>
    <message>
        <source>tomorrow</source>
        <translation>demain</translation>
    </message>
    <message>
        <source>%1 — Next: %2 (%3, all day)</source>
        <translation>%1 — Prochain : %2 (%3, toute la journée)</translation>
    </message>
    <message>
        <source>at %1</source>
        <translation>à %1</translation>
    </message>
    <message>
        <source>tomorrow at %1</source>
        <translation>demain à %1</translation>
    </message>
    <message>
        <source>%1 — Next: %2 %3</source>
        <translation>%1 — Prochain : %2 %3</translation>
    </message>
</context>
<context>
    <name>ViewArea</name>
    <message>
        <source>Today · %1</source>
        <translation>Aujourd’hui · %1</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Aujourd’hui</translation>
    </message>
    <message>
        <source>Day</source>
        <translation>Jour</translation>
    </message>
    <message>
        <source>Days</source>
        <translation>Jours</translation>
    </message>
    <message>
        <source>Week</source>
        <translation>Semaine</translation>
    </message>
    <message>
        <source>Grid</source>
        <translation>Grille</translation>
    </message>
    <message>
        <source>Month</source>
        <translation>Mois</translation>
    </message>
    <message>
        <source>Year</source>
        <translation>Année</translation>
    </message>
    <message>
        <source>Days timeline span — Ctrl+Shift+1..5 for 3 / 5 / 7 / 10 / 14 days</source>
        <translation>Durée de la vue Jours — Ctrl+Shift+1..5 pour 3 / 5 / 7 / 10 / 14 jours</translation>
    </message>
    <message numerus="yes">
        <source>%n days</source>
        <translation>
            <numerusform>%n jour</numerusform>
            <numerusform>%n jours</numerusform>
        </translation>
    </message>
    <message>
        <source>%1d</source>
        <translation>%1 j</translation>
    </message>
    <message>
        <source>All Calendars</source>
        <translation>Tous les calendriers</translation>
    </message>
    <message>
        <source>Add Calendar Group…</source>
        <translation>Ajouter un groupe de calendriers…</translation>
    </message>
    <message>
        <source>Edit Current Group…</source>
        <translation>Modifier le groupe actuel…</translation>
    </message>
    <message>
        <source>Delete Current Group</source>
        <translation>Supprimer le groupe actuel</translation>
    </message>
    <message>
        <source>Delete group?</source>
        <translation>Supprimer le groupe ?</translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;? You can recreate it later.</source>
        <translation>Supprimer « %1 » ? Vous pourrez le recréer plus tard.</translation>
    </message>
</context>
<context>
    <name>ViewEventActions</name>
    <message>
        <source>Calendar</source>
        <translation>Calendrier</translation>
    </message>
</context>
<context>
    <name>ViewFormDialog</name>
    <message>
        <source>Add Calendar Group</source>
        <translation>Ajouter un groupe de calendriers</translation>
    </message>
    <message>
        <source>Edit Calendar Group</source>
        <translation>Modifier le groupe de calendriers</translation>
    </message>
    <message>
        <source>e.g. Work</source>
        <translation>p. ex. Travail</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Nom :</translation>
    </message>
    <message>
        <source>Colour:</source>
        <translation>Couleur :</translation>
    </message>
    <message>
        <source>Calendars in this group (none ticked: every visible calendar):</source>
        <translation>Calendriers de ce groupe (aucun coché : tous les calendriers visibles) :</translation>
    </message>
    <message>
        <source>Group Colour</source>
        <translation>Couleur du groupe</translation>
    </message>
    <message>
        <source>Please enter a name.</source>
        <translation>Veuillez saisir un nom.</translation>
    </message>
    <message>
        <source>The group could not be saved.</source>
        <translation>Le groupe n’a pas pu être enregistré.</translation>
    </message>
    <message>
        <source>This group was removed meanwhile, so it cannot be saved.</source>
        <translation>Ce groupe a été supprimé entre-temps : il ne peut donc pas être enregistré.</translation>
    </message>
</context>
<context>
    <name>VisibleEvents</name>
    <message>
        <source>(Untitled)</source>
        <translation>(Sans titre)</translation>
    </message>
</context>
<context>
    <name>Weather::GeocodingClient</name>
    <message>
        <source>The place search failed. Check your connection and try again.</source>
        <translation>La recherche du lieu a échoué. Vérifiez votre connexion et réessayez.</translation>
    </message>
</context>
<context>
    <name>WeatherSettingsDialog</name>
    <message>
        <source>Weather</source>
        <translation>Météo</translation>
    </message>
    <message>
        <source>Show the weather forecast in the calendar</source>
        <translation>Afficher les prévisions météo dans le calendrier</translation>
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
        <translation>Température :</translation>
    </message>
    <message>
        <source>No place chosen</source>
        <translation>Aucun lieu choisi</translation>
    </message>
    <message>
        <source>Place:</source>
        <translation>Lieu :</translation>
    </message>
    <message>
        <source>City or town</source>
        <translation>Ville ou village</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Rechercher</translation>
    </message>
    <message>
        <source>Searching…</source>
        <translation>Recherche…</translation>
    </message>
    <message>
        <source>No place of that name was found.</source>
        <translation>Aucun lieu de ce nom n’a été trouvé.</translation>
    </message>
    <message>
        <source>Search for a place and choose it to see its forecast.</source>
        <translation>Recherchez un lieu et sélectionnez-le pour afficher ses prévisions.</translation>
    </message>
</context>
<context>
    <name>Webcal::SyncClient</name>
    <message>
        <source>The calendar&apos;s feed address is not a web address.</source>
        <translation>L’adresse du flux du calendrier n’est pas une adresse web.</translation>
    </message>
    <message>
        <source>The calendar feed is too large.</source>
        <translation>Le flux du calendrier est trop volumineux.</translation>
    </message>
    <message>
        <source>The calendar feed did not answer in time.</source>
        <translation>Le flux du calendrier n’a pas répondu à temps.</translation>
    </message>
    <message>
        <source>The calendar feed could not be downloaded (HTTP %1).</source>
        <translation>Le flux du calendrier n’a pas pu être téléchargé (HTTP %1).</translation>
    </message>
    <message>
        <source>The calendar feed could not be downloaded.</source>
        <translation>Le flux du calendrier n’a pas pu être téléchargé.</translation>
    </message>
    <message>
        <source>The calendar feed is not an iCalendar file.</source>
        <translation>Le flux du calendrier n’est pas un fichier iCalendar.</translation>
    </message>
    <message>
        <source>The calendar feed could not be stored.</source>
        <translation>Le flux du calendrier n’a pas pu être enregistré.</translation>
    </message>
</context>
<context>
    <name>WeekGridView</name>
    <message>
        <source>Edit filter &quot;%1&quot;…</source>
        <translation>Modifier le filtre « %1 »…</translation>
    </message>
    <message>
        <source>Create Filter from Event…</source>
        <translation>Créer un filtre à partir de l’événement…</translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;? You can undo with %2.</source>
        <translation>Supprimer « %1 » ? Vous pouvez annuler avec %2.</translation>
    </message>
    <message>
        <source>Delete event?</source>
        <translation>Supprimer l’événement ?</translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation>Modifier…</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
</context>
<context>
    <name>WeekGridWidget</name>
    <message numerus="yes">
        <source>+%n more</source>
        <translation>
            <numerusform>+%n de plus</numerusform>
            <numerusform>+%n de plus</numerusform>
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
        <translation>Modifier le filtre « %1 »…</translation>
    </message>
    <message>
        <source>Create Filter from Event…</source>
        <translation>Créer un filtre à partir de l’événement…</translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;? You can undo with %2.</source>
        <translation>Supprimer « %1 » ? Vous pouvez annuler avec %2.</translation>
    </message>
    <message>
        <source>Delete event?</source>
        <translation>Supprimer l’événement ?</translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation>Modifier…</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>Calendrier</translation>
    </message>
    <message>
        <source>Moved &quot;%1&quot;</source>
        <translation>« %1 » déplacé</translation>
    </message>
    <message>
        <source>The event could not be moved.</source>
        <translation>L’événement n’a pas pu être déplacé.</translation>
    </message>
    <message>
        <source>Resized &quot;%1&quot;</source>
        <translation>« %1 » redimensionné</translation>
    </message>
    <message>
        <source>The event could not be resized.</source>
        <translation>L’événement n’a pas pu être redimensionné.</translation>
    </message>
</context>
<context>
    <name>WelcomeDialog</name>
    <message>
        <source>Welcome</source>
        <translation>Bienvenue</translation>
    </message>
    <message>
        <source>Welcome to Calendar</source>
        <translation>Bienvenue dans votre calendrier</translation>
    </message>
    <message>
        <source>Your calendars, events and tasks in one place. Add an account to connect a CalDAV server or subscribe to a calendar feed, or get started with the calendar on this device.</source>
        <translation>Vos calendriers, événements et tâches au même endroit. Ajoutez un compte pour connecter un serveur CalDAV ou vous abonner à un flux de calendrier, ou commencez avec le calendrier sur cet appareil.</translation>
    </message>
    <message>
        <source>Get Started</source>
        <translation>Commencer</translation>
    </message>
    <message>
        <source>Add Account…</source>
        <translation>Ajouter un compte…</translation>
    </message>
</context>
<context>
    <name>WinTrayPopover</name>
    <message>
        <source>Group</source>
        <translation>Groupe</translation>
    </message>
    <message>
        <source>Add event — e.g. &quot;lunch Thursday 1pm&quot;</source>
        <translation>Ajouter un événement — p. ex. « lunch Thursday 1pm »</translation>
    </message>
    <message>
        <source>Open Calendar</source>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>Sync Now</source>
        <translation>Synchroniser</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Préférences</translation>
    </message>
    <message>
        <source>now</source>
        <translation>maintenant</translation>
    </message>
    <message>
        <source>in %1 min</source>
        <translation>dans %1 min</translation>
    </message>
    <message>
        <source>in %1h %2m</source>
        <translation>dans %1 h %2 min</translation>
    </message>
    <message>
        <source>in %1h</source>
        <translation>dans %1 h</translation>
    </message>
    <message>
        <source>All-day</source>
        <translation>Toute la journée</translation>
    </message>
    <message>
        <source>No calendars yet</source>
        <translation>Aucun calendrier pour l’instant</translation>
    </message>
    <message>
        <source>No upcoming events</source>
        <translation>Aucun événement à venir</translation>
    </message>
    <message>
        <source>Nothing scheduled in the next 24 hours.</source>
        <translation>Rien de prévu dans les prochaines 24 heures.</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Sans titre</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Aujourd’hui</translation>
    </message>
    <message>
        <source>  No more events today</source>
        <translation>  Plus aucun événement aujourd’hui</translation>
    </message>
    <message>
        <source>Tomorrow</source>
        <translation>Demain</translation>
    </message>
    <message>
        <source>  Nothing scheduled</source>
        <translation>  Rien de prévu</translation>
    </message>
    <message>
        <source>Today, all day</source>
        <translation>Aujourd’hui, toute la journée</translation>
    </message>
    <message>
        <source>Tomorrow, all day</source>
        <translation>Demain, toute la journée</translation>
    </message>
    <message>
        <source>%1 at %2</source>
        <translation>%1 à %2</translation>
    </message>
    <message>
        <source>(Unnamed)</source>
        <translation>(Sans nom)</translation>
    </message>
    <message>
        <source>Couldn&apos;t save event</source>
        <translation>Impossible d’enregistrer l’événement</translation>
    </message>
</context>
</TS>

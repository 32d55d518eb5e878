<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>seatpick</name>
    <message>
        <source>Switches Quillsite 97&apos;s collaboration profile from the notification area.</source>
        <translation>Wechselt das Teamprofil von Quillsite 97 aus dem Infobereich.</translation>
    </message>
    <message>
        <source>Frame line</source>
        <translation>Rahmenlinie</translation>
    </message>
    <message>
        <source>Profile</source>
        <translation>Profil</translation>
    </message>
    <message>
        <source>&amp;Apply</source>
        <translation>&amp;Anwenden</translation>
    </message>
    <message>
        <source>Profile Properties</source>
        <translation>Profileigenschaften</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>User Name:</source>
        <translation>Benutzer:</translation>
    </message>
    <message>
        <source>User Name</source>
        <translation>Benutzername</translation>
    </message>
    <message>
        <source>Email Address:</source>
        <translation>E-Mail:</translation>
    </message>
    <message>
        <source>Email Address</source>
        <translation>E-Mail-Adresse</translation>
    </message>
    <message>
        <source>Server Path:</source>
        <translation>Serverpfad:</translation>
    </message>
    <message>
        <source>Server Path</source>
        <translation>Serverpfad</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Neu</translation>
    </message>
    <message>
        <source>&amp;Update</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>Please choose a profile from the list, and click Apply to make the necessary changes.  Note:  Close all connected windows and the chat window before changing profiles.</source>
        <translation>Wählen Sie ein Profil aus der Liste und klicken Sie auf Anwenden.  Hinweis:  Schließen Sie vor dem Wechsel alle verbundenen Fenster und das Chatfenster.</translation>
    </message>
    <message>
        <source>The settings could not be saved.</source>
        <translation>Die Einstellungen konnten nicht gespeichert werden.</translation>
    </message>
    <message>
        <source><byte value="xd"/>
<byte value="xd"/>
File: %1<byte value="xd"/>
Reason: %2</source>
        <translation><byte value="xd"/>
<byte value="xd"/>
Datei: %1<byte value="xd"/>
Grund: %2</translation>
    </message>
    <message>
        <source>The underscore character is not allowed as the first character of a name.</source>
        <translation>Ein Name darf nicht mit einem Unterstrich beginnen.</translation>
    </message>
    <message>
        <source>One or more required fields is missing.</source>
        <translation>Mindestens ein Pflichtfeld ist leer.</translation>
    </message>
    <message>
        <source>This will update the current settings as used by Quillsite.  Are you sure you want to do this?</source>
        <translation>Damit werden die aktuellen Einstellungen von Quillsite geändert.  Möchten Sie das wirklich?</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>the profile count in section &quot;_Program&quot; is at the top of its range, so no slot is left for a new profile.</source>
        <translation>die Profilanzahl im Abschnitt „_Program“ hat ihren Höchstwert erreicht, daher ist kein Platz für ein neues Profil frei.</translation>
    </message>
    <message>
        <source>Title bar</source>
        <translation>Titelleiste</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Minimieren</translation>
    </message>
    <message>
        <source>Maximize</source>
        <translation>Maximieren</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Remove Profile</source>
        <translation>Profil entfernen</translation>
    </message>
    <message>
        <source>Remove the profile %1?</source>
        <translation>Das Profil %1 entfernen?</translation>
    </message>
</context>
</TS>

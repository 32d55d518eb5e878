<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>QProgressDialog</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>common</name>
    <message>
        <source>About %1</source>
        <translation>Info über %1</translation>
    </message>
    <message>
        <source>Program icon</source>
        <translation>Programmsymbol</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>The command could not be completed.<byte value="xd"/>
<byte value="xd"/>
%1</source>
        <translation>Der Befehl konnte nicht ausgeführt werden.<byte value="xd"/>
<byte value="xd"/>
%1</translation>
    </message>
    <message>
        <source>The command could not be completed.</source>
        <translation>Der Befehl konnte nicht ausgeführt werden.</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Speichern unter</translation>
    </message>
    <message>
        <source>No program could be started to show the help manual %1.</source>
        <translation>Es konnte kein Programm gestartet werden, das das Hilfehandbuch %1 anzeigt.</translation>
    </message>
    <message>
        <source>The help file %1 could not be found.</source>
        <translation>Die Hilfedatei %1 wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>No program could be started to show the help file %1.</source>
        <translation>Es konnte kein Programm gestartet werden, das die Hilfedatei %1 anzeigt.</translation>
    </message>
    <message>
        <source>The Quillsite automation server is not registered on this system.</source>
        <translation>Der Automatisierungsserver von Quillsite ist auf diesem System nicht registriert.</translation>
    </message>
    <message>
        <source>The Quillsite automation server could not be started (%1).</source>
        <translation>Der Automatisierungsserver von Quillsite konnte nicht gestartet werden (%1).</translation>
    </message>
    <message>
        <source>The Quillsite automation server could not be started with the command %1: %2.</source>
        <translation>Der Automatisierungsserver von Quillsite konnte mit dem Befehl %1 nicht gestartet werden: %2.</translation>
    </message>
    <message>
        <source>error 0x%1</source>
        <translation>Fehler 0x%1</translation>
    </message>
    <message>
        <source>The Quillsite automation server could not test the template (%1).</source>
        <translation>Der Automatisierungsserver von Quillsite konnte die Vorlage nicht testen (%1).</translation>
    </message>
    <message>
        <source>the folder %1 could not be created.</source>
        <translation>der Ordner %1 konnte nicht angelegt werden.</translation>
    </message>
    <message>
        <source>a folder of that name is in the way.</source>
        <translation>ein Ordner gleichen Namens steht im Weg.</translation>
    </message>
    <message>
        <source>the file is read-only.</source>
        <translation>die Datei ist schreibgeschützt.</translation>
    </message>
    <message>
        <source>a folder is in the way of its lock file %1.</source>
        <translation>ein Ordner steht ihrer Sperrdatei %1 im Weg.</translation>
    </message>
    <message>
        <source>another program kept the file locked.</source>
        <translation>ein anderes Programm hielt die Datei gesperrt.</translation>
    </message>
    <message>
        <source>its lock file %1 could not be made.</source>
        <translation>ihre Sperrdatei %1 konnte nicht angelegt werden.</translation>
    </message>
    <message>
        <source>the key is closed.</source>
        <translation>der Schlüssel ist geschlossen.</translation>
    </message>
    <message>
        <source>the key could not be opened.</source>
        <translation>der Schlüssel konnte nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>the value could not be set.</source>
        <translation>der Wert konnte nicht gesetzt werden.</translation>
    </message>
    <message>
        <source>access to the registry was denied.</source>
        <translation>der Zugriff auf die Registrierung wurde verweigert.</translation>
    </message>
    <message>
        <source>another program kept the settings locked.</source>
        <translation>ein anderes Programm hielt die Einstellungen gesperrt.</translation>
    </message>
    <message>
        <source>Try &apos;%1 --help&apos; for more information.
</source>
        <translation>Mit &apos;%1 --help&apos; erfahren Sie mehr.
</translation>
    </message>
    <message>
        <source>this program opens no files.
</source>
        <translation>dieses Programm öffnet keine Dateien.
</translation>
    </message>
    <message>
        <source>no display found. This program needs a graphical desktop; without one, run it under a virtual display, e.g. &apos;xvfb-run -a %1&apos;.
</source>
        <translation>keine Anzeige gefunden. Dieses Programm braucht eine grafische Arbeitsumgebung; ohne sie starten Sie es auf einer virtuellen Anzeige, z. B. &apos;xvfb-run -a %1&apos;.
</translation>
    </message>
    <message>
        <source>the file could not be read (%1).</source>
        <translation>die Datei konnte nicht gelesen werden (%1).</translation>
    </message>
    <message>
        <source>The settings could not be read.<byte value="xd"/>
<byte value="xd"/>
File: %1<byte value="xd"/>
Reason: %2</source>
        <translation>Die Einstellungen konnten nicht gelesen werden.<byte value="xd"/>
<byte value="xd"/>
Datei: %1<byte value="xd"/>
Grund: %2</translation>
    </message>
    <message>
        <source>Undo %1</source>
        <translation>%1 rückgängig machen</translation>
    </message>
    <message>
        <source>Redo %1</source>
        <translation>%1 wiederherstellen</translation>
    </message>
    <message>
        <source>The window&apos;s size and place could not be saved.<byte value="xd"/>
<byte value="xd"/>
File: %1<byte value="xd"/>
Reason: %2</source>
        <translation>Größe und Lage des Fensters konnten nicht gespeichert werden.<byte value="xd"/>
<byte value="xd"/>
Datei: %1<byte value="xd"/>
Grund: %2</translation>
    </message>
    <message>
        <source>Cancelling...</source>
        <translation>Wird abgebrochen...</translation>
    </message>
    <message>
        <source>, and %1 more</source>
        <translation> und %1 weitere</translation>
    </message>
    <message>
        <source>This file is written in the %1 encoding, which cannot store these characters:<byte value="xd"/>
<byte value="xd"/>
%2<byte value="xd"/>
<byte value="xd"/>
If you save, each of them is written as &quot;?&quot;. Save anyway?</source>
        <translation>Diese Datei wird in der Codierung %1 geschrieben, die diese Zeichen nicht speichern kann:<byte value="xd"/>
<byte value="xd"/>
%2<byte value="xd"/>
<byte value="xd"/>
Beim Speichern wird jedes davon als &quot;?&quot; geschrieben. Trotzdem speichern?</translation>
    </message>
</context>
</TS>

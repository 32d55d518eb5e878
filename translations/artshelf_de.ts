<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>artshelf</name>
    <message>
        <source>Opening %1...</source>
        <translation>%1 wird geöffnet...</translation>
    </message>
    <message>
        <source>Saving %1...</source>
        <translation>%1 wird gespeichert...</translation>
    </message>
    <message>
        <source>Installing %1...</source>
        <translation>%1 wird installiert...</translation>
    </message>
    <message>
        <source>Builds clipart galleries for Quillsite 97: sort pictures into categories, give them titles, and install the finished gallery into Quillsite&apos;s clipart folder.</source>
        <translation>Erstellt ClipArt-Galerien für Quillsite 97: Bilder in Kategorien ordnen, mit Titeln versehen und die fertige Galerie in den ClipArt-Ordner von Quillsite installieren.</translation>
    </message>
    <message>
        <source>Warning: this program is protected by copyright law. Unauthorized copying or distribution of it, or of any part of it, is prohibited.</source>
        <translation>Warnung: Dieses Programm ist urheberrechtlich geschützt. Unerlaubtes Kopieren oder Verbreiten des Programms oder von Teilen davon ist verboten.</translation>
    </message>
    <message>
        <source>Enter a folder name for this category.</source>
        <translation>Geben Sie einen Ordnernamen für diese Kategorie ein.</translation>
    </message>
    <message>
        <source>New Category</source>
        <translation>Neue Kategorie</translation>
    </message>
    <message>
        <source>Enter a name for this new category.</source>
        <translation>Geben Sie einen Namen für die neue Kategorie ein.</translation>
    </message>
    <message>
        <source>Edit Category</source>
        <translation>Kategorie bearbeiten</translation>
    </message>
    <message>
        <source>Enter a name for this category.</source>
        <translation>Geben Sie einen Namen für diese Kategorie ein.</translation>
    </message>
    <message>
        <source>You cannot remove the root folder.</source>
        <translation>Der Stammordner kann nicht entfernt werden.</translation>
    </message>
    <message>
        <source>Are you sure you want to remove this category?</source>
        <translation>Möchten Sie diese Kategorie wirklich entfernen?</translation>
    </message>
    <message>
        <source>Remove Category</source>
        <translation>Kategorie entfernen</translation>
    </message>
    <message>
        <source>This category lists the picture file &quot;%1&quot; more than once; only the items before the second one are shown.</source>
        <translation>Diese Kategorie führt die Bilddatei „%1“ mehr als einmal; nur die Elemente vor dem zweiten Eintrag werden angezeigt.</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Neu</translation>
    </message>
    <message>
        <source>Do you want to save this document before exiting?</source>
        <translation>Möchten Sie dieses Dokument vor dem Beenden speichern?</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Do you want to save this document before creating a new one?</source>
        <translation>Möchten Sie dieses Dokument speichern, bevor Sie ein neues anlegen?</translation>
    </message>
    <message>
        <source>Do you want to save this document before opening a new one?</source>
        <translation>Möchten Sie dieses Dokument speichern, bevor Sie ein anderes öffnen?</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>Picture</source>
        <translation>Bild</translation>
    </message>
    <message>
        <source>Picture file not found.</source>
        <translation>Bilddatei nicht gefunden.</translation>
    </message>
    <message>
        <source>The gallery could not be read completely.<byte value="xd"/>
<byte value="xd"/>
File: %1<byte value="xd"/>
Reason: %2<byte value="xd"/>
<byte value="xd"/>
What was read is shown; save it under a new name.</source>
        <translation>Die Galerie konnte nicht vollständig gelesen werden.<byte value="xd"/>
<byte value="xd"/>
Datei: %1<byte value="xd"/>
Grund: %2<byte value="xd"/>
<byte value="xd"/>
Das Gelesene wird angezeigt; speichern Sie es unter einem neuen Namen.</translation>
    </message>
    <message>
        <source>The file is not a gallery.<byte value="xd"/>
<byte value="xd"/>
File: %1<byte value="xd"/>
Reason: %2<byte value="xd"/>
<byte value="xd"/>
It stays as it is; an untitled gallery is shown instead.</source>
        <translation>Die Datei ist keine Galerie.<byte value="xd"/>
<byte value="xd"/>
Datei: %1<byte value="xd"/>
Grund: %2<byte value="xd"/>
<byte value="xd"/>
Sie bleibt unverändert; stattdessen wird eine unbenannte Galerie angezeigt.</translation>
    </message>
    <message>
        <source>it is UTF-16 text, which a gallery never is.</source>
        <translation>sie ist UTF-16-Text, und das ist eine Galerie nie.</translation>
    </message>
    <message>
        <source>it is not a text file; it holds control bytes such as NUL, as a picture or a program does.</source>
        <translation>sie ist keine Textdatei; sie enthält Steuerbytes wie NUL, wie ein Bild oder ein Programm.</translation>
    </message>
    <message>
        <source>it has neither a [Clipart Gallery] nor a [Folder1] section, so it holds no gallery.</source>
        <translation>sie hat weder einen Abschnitt [Clipart Gallery] noch einen Abschnitt [Folder1] und enthält daher keine Galerie.</translation>
    </message>
    <message>
        <source>A gallery named %1 is already installed. Do you want to replace it?</source>
        <translation>Eine Galerie namens %1 ist bereits installiert. Möchten Sie sie ersetzen?</translation>
    </message>
    <message>
        <source>The gallery could not be saved to %1.<byte value="xd"/>
<byte value="xd"/>
%2</source>
        <translation>Die Galerie konnte nicht unter %1 gespeichert werden.<byte value="xd"/>
<byte value="xd"/>
%2</translation>
    </message>
    <message>
        <source>the value of %1 in section [%2] is not a number (&quot;%3&quot;).</source>
        <translation>der Wert von %1 im Abschnitt [%2] ist keine Zahl („%3“).</translation>
    </message>
    <message>
        <source>the value of %1 in section [%2] is too large (%3).</source>
        <translation>der Wert von %1 im Abschnitt [%2] ist zu groß (%3).</translation>
    </message>
    <message>
        <source>the category &quot;%1&quot; in section [%2] uses the folder &quot;%3&quot;, which names the gallery itself.</source>
        <translation>die Kategorie „%1“ im Abschnitt [%2] verwendet den Ordner „%3“, der die Galerie selbst bezeichnet.</translation>
    </message>
    <message>
        <source>the category &quot;%1&quot; in section [%2] uses the folder &quot;%3&quot;, which an earlier category already uses.</source>
        <translation>die Kategorie „%1“ im Abschnitt [%2] verwendet den Ordner „%3“, den schon eine frühere Kategorie verwendet.</translation>
    </message>
    <message>
        <source>the categories up to section [%1] claim %2 items in all, more than a gallery may hold (%3).</source>
        <translation>die Kategorien bis Abschnitt [%1] geben zusammen %2 Elemente an, mehr als eine Galerie enthalten darf (%3).</translation>
    </message>
    <message>
        <source>Path not found (%1)</source>
        <translation>Pfad nicht gefunden (%1)</translation>
    </message>
    <message>
        <source>Path/File access error (%1: %2)</source>
        <translation>Fehler beim Zugriff auf Pfad/Datei (%1: %2)</translation>
    </message>
    <message>
        <source>Bad file name or number (%1)</source>
        <translation>Ungültiger Dateiname oder ungültige Dateinummer (%1)</translation>
    </message>
    <message>
        <source>Clipart Gallery successfully installed.</source>
        <translation>Die ClipArt-Galerie wurde erfolgreich installiert.</translation>
    </message>
    <message>
        <source>The following error occured:<byte value="xd"/>
<byte value="xd"/>
%1:  %2</source>
        <translation>Der folgende Fehler ist aufgetreten:<byte value="xd"/>
<byte value="xd"/>
%1:  %2</translation>
    </message>
    <message>
        <source>Quillsite not found.  Cannot install gallery without Quillsite present.</source>
        <translation>Quillsite wurde nicht gefunden.  Ohne Quillsite kann die Galerie nicht installiert werden.</translation>
    </message>
    <message>
        <source>Install</source>
        <translation>Installieren</translation>
    </message>
    <message>
        <source>Please enter a name for this file.  Do not include the three letter .GAL extension.</source>
        <translation>Geben Sie einen Namen für diese Datei ein.  Lassen Sie die Endung .GAL weg.</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Please enter a title for this item.</source>
        <translation>Geben Sie einen Titel für dieses Element ein.</translation>
    </message>
    <message>
        <source>New Item</source>
        <translation>Neues Element</translation>
    </message>
    <message>
        <source>Edit Item</source>
        <translation>Element bearbeiten</translation>
    </message>
    <message>
        <source>Are you sure you want to remove this item?</source>
        <translation>Möchten Sie dieses Element wirklich entfernen?</translation>
    </message>
    <message>
        <source>Remove Item</source>
        <translation>Element entfernen</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <source>Filename</source>
        <translation>Dateiname</translation>
    </message>
    <message>
        <source>Categories</source>
        <translation>Kategorien</translation>
    </message>
    <message>
        <source>Category header</source>
        <translation>Kategorienkopf</translation>
    </message>
    <message>
        <source>Items</source>
        <translation>Elemente</translation>
    </message>
    <message>
        <source>Item columns</source>
        <translation>Elementspalten</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Create New Gallery</source>
        <translation>Neue Galerie anlegen</translation>
    </message>
    <message>
        <source>Open Existing Gallery</source>
        <translation>Vorhandene Galerie öffnen</translation>
    </message>
    <message>
        <source>Save Current Gallery</source>
        <translation>Aktuelle Galerie speichern</translation>
    </message>
    <message>
        <source>Save Gallery under new name</source>
        <translation>Galerie unter neuem Namen speichern</translation>
    </message>
    <message>
        <source>Install this Gallery</source>
        <translation>Diese Galerie installieren</translation>
    </message>
    <message>
        <source>Add Category</source>
        <translation>Kategorie hinzufügen</translation>
    </message>
    <message>
        <source>Add Gallery Item</source>
        <translation>Galerieelement hinzufügen</translation>
    </message>
    <message>
        <source>Edit Gallery Item</source>
        <translation>Galerieelement bearbeiten</translation>
    </message>
    <message>
        <source>Remove Gallery Item</source>
        <translation>Galerieelement entfernen</translation>
    </message>
    <message>
        <source>Preview Selected Item</source>
        <translation>Vorschau des gewählten Elements</translation>
    </message>
    <message>
        <source>Show Help Contents</source>
        <translation>Hilfeinhalt anzeigen</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>Symbolleiste</translation>
    </message>
    <message>
        <source>Images|*.gif;*.jpg|GIF Images|*.gif|JPEG Images|*.jpg|All Files|*.*|</source>
        <translation>Bilder|*.gif;*.jpg|GIF-Bilder|*.gif|JPEG-Bilder|*.jpg|Alle Dateien|*.*|</translation>
    </message>
    <message>
        <source>Choose Clipart</source>
        <translation>ClipArt auswählen</translation>
    </message>
    <message>
        <source>Clipart Galleries|*.gal|All Files|*.*|</source>
        <translation>ClipArt-Galerien|*.gal|Alle Dateien|*.*|</translation>
    </message>
    <message>
        <source>Quillsite not found.</source>
        <translation>Quillsite wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>INI Logic Error</source>
        <translation>INI-Logikfehler</translation>
    </message>
    <message>
        <source>The Pictorium will now save a copy of the opened file into the Quillsite Clipart Folder (%1).  Are you sure you want to do this?</source>
        <translation>Pictorium speichert jetzt eine Kopie der geöffneten Datei im ClipArt-Ordner von Quillsite (%1).  Möchten Sie das wirklich?</translation>
    </message>
    <message>
        <source>Edits clipart galleries for Quillsite 97.</source>
        <translation>Bearbeitet ClipArt-Galerien für Quillsite 97.</translation>
    </message>
    <message>
        <source>A gallery to open.</source>
        <translation>Eine zu öffnende Galerie.</translation>
    </message>
    <message>
        <source>[Section] and FileName Not Registered in Private.Ini!</source>
        <translation>[Abschnitt] und Dateiname sind in Private.Ini nicht eingetragen!</translation>
    </message>
    <message>
        <source>Rename Gallery</source>
        <translation>Galerie umbenennen</translation>
    </message>
    <message>
        <source>Rename Item</source>
        <translation>Element umbenennen</translation>
    </message>
    <message>
        <source>Add Multiple</source>
        <translation>Mehrere hinzufügen</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Ausschneiden</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Einfügen</translation>
    </message>
    <message>
        <source>Drop</source>
        <translation>Ablegen</translation>
    </message>
    <message>
        <source>Move Category</source>
        <translation>Kategorie verschieben</translation>
    </message>
    <message>
        <source>Move Item</source>
        <translation>Element verschieben</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Items left out, as the category has an item with their file name already: %1</source>
        <translation>Ausgelassene Elemente, da die Kategorie schon ein Element mit ihrem Dateinamen hat: %1</translation>
    </message>
    <message>
        <source>Categories left out, as their folder path is in use already: %1</source>
        <translation>Ausgelassene Kategorien, da ihr Ordnerpfad schon verwendet wird: %1</translation>
    </message>
    <message>
        <source>Find the next item whose title or file name contains:</source>
        <translation>Das nächste Element suchen, dessen Titel oder Dateiname dies enthält:</translation>
    </message>
    <message>
        <source>No item contains &quot;%1&quot;.</source>
        <translation>Kein Element enthält „%1“.</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
    <message>
        <source>unnamedfolder</source>
        <translation>unbenannterordner</translation>
    </message>
    <message>
        <source>untitled</source>
        <translation>unbenannt</translation>
    </message>
</context>
<context>
    <name>menu</name>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Neu</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>Ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Speichern &amp;unter...</translation>
    </message>
    <message>
        <source>&amp;Install Gallery...</source>
        <translation>Galerie &amp;installieren...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>&amp;Ausschneiden</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Einfügen</translation>
    </message>
    <message>
        <source>C&amp;lear</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>&amp;Find...</source>
        <translation>&amp;Suchen...</translation>
    </message>
    <message>
        <source>&amp;New...</source>
        <translation>&amp;Neu...</translation>
    </message>
    <message>
        <source>&amp;Add Multiple...</source>
        <translation>&amp;Mehrere hinzufügen...</translation>
    </message>
    <message>
        <source>&amp;Edit...</source>
        <translation>&amp;Bearbeiten...</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Entfernen</translation>
    </message>
    <message>
        <source>&amp;Preview Item</source>
        <translation>&amp;Vorschau</translation>
    </message>
    <message>
        <source>Ne&amp;w Category...</source>
        <translation>Neue &amp;Kategorie...</translation>
    </message>
    <message>
        <source>E&amp;dit Category...</source>
        <translation>Kategorie be&amp;arbeiten...</translation>
    </message>
    <message>
        <source>Re&amp;move Category</source>
        <translation>Kategorie en&amp;tfernen</translation>
    </message>
    <message>
        <source>&amp;Help Topics</source>
        <translation>&amp;Hilfethemen</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation>&amp;Info...</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Item</source>
        <translation>&amp;Element</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Wiederherstellen</translation>
    </message>
    <message>
        <source>&amp;Move Up</source>
        <translation>Nach &amp;oben</translation>
    </message>
    <message>
        <source>Move &amp;Down</source>
        <translation>Nach &amp;unten</translation>
    </message>
</context>
</TS>

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>menu</name>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Edit Item</source>
        <translation>Element &amp;bearbeiten</translation>
    </message>
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
        <source>&amp;Print...</source>
        <translation>&amp;Drucken...</translation>
    </message>
    <message>
        <source>&amp;Test</source>
        <translation>&amp;Testen</translation>
    </message>
    <message>
        <source>Insert &amp;Text</source>
        <translation>&amp;Text einfügen</translation>
    </message>
    <message>
        <source>Insert &amp;Carriage Return</source>
        <translation>&amp;Zeilenumbruch einfügen</translation>
    </message>
    <message>
        <source>Insert &amp;Input Dialog</source>
        <translation>E&amp;ingabedialog einfügen</translation>
    </message>
    <message>
        <source>Insert &amp;Open Dialog</source>
        <translation>Ö&amp;ffnen-Dialog einfügen</translation>
    </message>
    <message>
        <source>Insert &amp;File...</source>
        <translation>&amp;Datei einfügen...</translation>
    </message>
    <message>
        <source>&amp;Remove Item...</source>
        <translation>Element &amp;entfernen...</translation>
    </message>
    <message>
        <source>&amp;Find Item...</source>
        <translation>Element &amp;suchen...</translation>
    </message>
    <message>
        <source>Tile &amp;Horizontally</source>
        <translation>&amp;Untereinander anordnen</translation>
    </message>
    <message>
        <source>Tile &amp;Vertical</source>
        <translation>&amp;Nebeneinander anordnen</translation>
    </message>
    <message>
        <source>&amp;Cascade</source>
        <translation>Über&amp;lappend</translation>
    </message>
    <message>
        <source>&amp;Arrange Icons</source>
        <translation>&amp;Symbole anordnen</translation>
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
        <source>&amp;Item</source>
        <translation>&amp;Element</translation>
    </message>
    <message>
        <source>&amp;Window</source>
        <translation>&amp;Fenster</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Wiederholen</translation>
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
        <source>&amp;Move Up</source>
        <translation>Nach &amp;oben</translation>
    </message>
    <message>
        <source>Move &amp;Down</source>
        <translation>Nach &amp;unten</translation>
    </message>
</context>
<context>
    <name>tagloom32</name>
    <message>
        <source>The file %1 has been changed.<byte value="xd"/>
<byte value="xd"/>
Would you like to save the changes?</source>
        <translation>Die Datei %1 wurde geändert.<byte value="xd"/>
<byte value="xd"/>
Möchten Sie die Änderungen speichern?</translation>
    </message>
    <message>
        <source>Changes Not Saved</source>
        <translation>Änderungen nicht gespeichert</translation>
    </message>
    <message>
        <source>Template items</source>
        <translation>Vorlagenelemente</translation>
    </message>
    <message>
        <source>Item columns</source>
        <translation>Elementspalten</translation>
    </message>
    <message>
        <source>Opening %1...</source>
        <translation>%1 wird geöffnet...</translation>
    </message>
    <message>
        <source>You must have Quillsite 97 installed on this system before you can run Stencilry.  If you have just installed Quillsite and are receiving this message, please run Quillsite and then try to run this application again.</source>
        <translation>Quillsite 97 muss auf diesem System installiert sein, bevor Sie Stencilry starten können.  Wenn Sie Quillsite gerade installiert haben und diese Meldung sehen, starten Sie bitte Quillsite und danach dieses Programm noch einmal.</translation>
    </message>
    <message>
        <source>Close Document</source>
        <translation>Dokument schließen</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>Symbolleiste</translation>
    </message>
    <message>
        <source>Toolbar grip</source>
        <translation>Griff der Symbolleiste</translation>
    </message>
    <message>
        <source>Divider</source>
        <translation>Trennlinie</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Neu</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <source>Help Topics</source>
        <translation>Hilfethemen</translation>
    </message>
    <message>
        <source>Documents</source>
        <translation>Dokumente</translation>
    </message>
    <message>
        <source>Quillsite Not Found</source>
        <translation>Quillsite nicht gefunden</translation>
    </message>
    <message>
        <source>Templates|*.htp|All Files|*.*|</source>
        <translation>Vorlagen|*.htp|Alle Dateien|*.*|</translation>
    </message>
    <message>
        <source>You must save this document before you can print it.</source>
        <translation>Sie müssen dieses Dokument speichern, bevor Sie es drucken können.</translation>
    </message>
    <message>
        <source>The template %1 could not be printed: %2.</source>
        <translation>Die Vorlage %1 konnte nicht gedruckt werden: %2.</translation>
    </message>
    <message>
        <source>You must save your document before you can test it in Quillsite.</source>
        <translation>Sie müssen Ihr Dokument speichern, bevor Sie es in Quillsite testen können.</translation>
    </message>
    <message>
        <source>The template %1 could not be handed to Quillsite for a test run.<byte value="xd"/>
<byte value="xd"/>
%2</source>
        <translation>Die Vorlage %1 konnte Quillsite nicht zum Testlauf übergeben werden.<byte value="xd"/>
<byte value="xd"/>
%2</translation>
    </message>
    <message>
        <source>Please enter the text you want to insert into the user&apos;s document.</source>
        <translation>Geben Sie den Text ein, der in das Dokument des Benutzers eingefügt werden soll.</translation>
    </message>
    <message>
        <source>Insert Text</source>
        <translation>Text einfügen</translation>
    </message>
    <message>
        <source>Are you sure you want to remove the selected item?</source>
        <translation>Möchten Sie das gewählte Element wirklich entfernen?</translation>
    </message>
    <message>
        <source>Remove Item</source>
        <translation>Element entfernen</translation>
    </message>
    <message>
        <source>Enter the name of an item to find.</source>
        <translation>Geben Sie den Namen des gesuchten Elements ein.</translation>
    </message>
    <message>
        <source>Find Item</source>
        <translation>Element suchen</translation>
    </message>
    <message>
        <source>Prompt:</source>
        <translation>Frage:</translation>
    </message>
    <message>
        <source>Beginning Tag:</source>
        <translation>Anfangs-Tag:</translation>
    </message>
    <message>
        <source>Ending Tag:</source>
        <translation>End-Tag:</translation>
    </message>
    <message>
        <source>&amp;Preview...</source>
        <translation>&amp;Vorschau...</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>Input Dialog</source>
        <translation>Eingabedialog</translation>
    </message>
    <message>
        <source>Please enter a prompt, a beginning tag, and an ending tag for this input box.</source>
        <translation>Geben Sie eine Frage, ein Anfangs-Tag und ein End-Tag für dieses Eingabefeld ein.</translation>
    </message>
    <message>
        <source>Prompt</source>
        <translation>Frage</translation>
    </message>
    <message>
        <source>Beginning Tag</source>
        <translation>Anfangs-Tag</translation>
    </message>
    <message>
        <source>Ending Tag</source>
        <translation>End-Tag</translation>
    </message>
    <message>
        <source>Open Dialog</source>
        <translation>Öffnen-Dialog</translation>
    </message>
    <message>
        <source>Please enter a prompt, filter, a beginning tag, and an ending tag for this open dialog.  Click Preview to see your dialog in action.</source>
        <translation>Geben Sie eine Frage, einen Filter, ein Anfangs-Tag und ein End-Tag für diesen Öffnen-Dialog ein.  Mit Vorschau sehen Sie den Dialog in Aktion.</translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>Builds page templates for Quillsite 97: literal text, line breaks and prompts that ask the page&apos;s author for a value or a file while Quillsite plays the template back.</source>
        <translation>Erstellt Seitenvorlagen für Quillsite 97: wörtlicher Text, Zeilenumbrüche und Fragen, die den Autor der Seite nach einem Wert oder einer Datei fragen, während Quillsite die Vorlage abspielt.</translation>
    </message>
    <message>
        <source>Warning: this program is protected by copyright law. Unauthorized copying or distribution of it, or of any part of it, is prohibited.</source>
        <translation>Warnung: Dieses Programm ist urheberrechtlich geschützt. Unerlaubtes Kopieren oder Verbreiten des Programms oder von Teilen davon ist verboten.</translation>
    </message>
    <message>
        <source>Edits page templates for Quillsite 97.</source>
        <translation>Bearbeitet Seitenvorlagen für Quillsite 97.</translation>
    </message>
    <message>
        <source>Templates to open, each in a window of its own.</source>
        <translation>Zu öffnende Vorlagen, jede in einem eigenen Fenster.</translation>
    </message>
    <message>
        <source>The template %1 could not be read: %2.</source>
        <translation>Die Vorlage %1 konnte nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <source>The template %1 was not read completely.<byte value="xd"/>
<byte value="xd"/>
Reading stopped at line %2: %3.<byte value="xd"/>
<byte value="xd"/>
The items read before that line are kept.</source>
        <translation>Die Vorlage %1 wurde nicht vollständig gelesen.<byte value="xd"/>
<byte value="xd"/>
Das Lesen endete in Zeile %2: %3.<byte value="xd"/>
<byte value="xd"/>
Die Elemente vor dieser Zeile bleiben erhalten.</translation>
    </message>
    <message>
        <source>The template could not be saved to %1.<byte value="xd"/>
<byte value="xd"/>
%2</source>
        <translation>Die Vorlage konnte nicht unter %1 gespeichert werden.<byte value="xd"/>
<byte value="xd"/>
%2</translation>
    </message>
    <message>
        <source>the item there would go to position %1, past the end of the list, because a line before it holds no item</source>
        <translation>das Element dort käme an Position %1, hinter das Ende der Liste, weil eine Zeile davor kein Element enthält</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
    <message>
        <source>the file ends inside an input dialog item</source>
        <translation>die Datei endet mitten in einem Eingabedialog-Element</translation>
    </message>
    <message>
        <source>the file ends inside an open dialog item</source>
        <translation>die Datei endet mitten in einem Öffnen-Dialog-Element</translation>
    </message>
    <message>
        <source>it is a folder, not a file</source>
        <translation>es ist ein Ordner, keine Datei</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>es ist keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>Item</source>
        <translation>Element</translation>
    </message>
    <message>
        <source>Tag 1</source>
        <translation>Tag 1</translation>
    </message>
    <message>
        <source>Tag 2</source>
        <translation>Tag 2</translation>
    </message>
    <message>
        <source>Tag 3</source>
        <translation>Tag 3</translation>
    </message>
    <message>
        <source>the printer could not start the print job</source>
        <translation>der Drucker konnte den Druckauftrag nicht beginnen</translation>
    </message>
    <message>
        <source>the printer could not start a new page</source>
        <translation>der Drucker konnte keine neue Seite beginnen</translation>
    </message>
    <message>
        <source>the print job could not be finished</source>
        <translation>der Druckauftrag konnte nicht abgeschlossen werden</translation>
    </message>
    <message>
        <source>The file %1 holds lines that are no part of a template.<byte value="xd"/>
<byte value="xd"/>
Line %2 %3.<byte value="xd"/>
<byte value="xd"/>
The items read before that line are kept.</source>
        <translation>Die Datei %1 enthält Zeilen, die nicht zu einer Vorlage gehören.<byte value="xd"/>
<byte value="xd"/>
Zeile %2 %3.<byte value="xd"/>
<byte value="xd"/>
Die Elemente vor dieser Zeile bleiben erhalten.</translation>
    </message>
    <message>
        <source>Save them under a new name.</source>
        <translation>Speichern Sie sie unter einem neuen Namen.</translation>
    </message>
    <message>
        <source>holds a NUL byte, so the file is not text</source>
        <translation>enthält ein NUL-Byte, die Datei ist also kein Text</translation>
    </message>
    <message>
        <source>holds the control character 0x%1, so the file is not text</source>
        <translation>enthält das Steuerzeichen 0x%1, die Datei ist also kein Text</translation>
    </message>
    <message>
        <source>begins no item: an item begins with a line that starts with {{ or is {!, {[ or {| alone</source>
        <translation>beginnt kein Element: ein Element beginnt mit einer Zeile, die mit {{ anfängt oder nur aus {!, {[ oder {| besteht</translation>
    </message>
    <message>
        <source>The template %1 is open in another window.<byte value="xd"/>
<byte value="xd"/>
Save this one under another name, or close that window first.</source>
        <translation>Die Vorlage %1 ist in einem anderen Fenster geöffnet.<byte value="xd"/>
<byte value="xd"/>
Speichern Sie diese unter einem anderen Namen, oder schließen Sie zuerst das andere Fenster.</translation>
    </message>
    <message>
        <source>Insert Carriage Return</source>
        <translation>Zeilenumbruch einfügen</translation>
    </message>
    <message>
        <source>Insert Input Dialog</source>
        <translation>Eingabedialog einfügen</translation>
    </message>
    <message>
        <source>Insert Open Dialog</source>
        <translation>Öffnen-Dialog einfügen</translation>
    </message>
    <message>
        <source>Insert Item</source>
        <translation>Element einfügen</translation>
    </message>
    <message>
        <source>Edit Item</source>
        <translation>Element bearbeiten</translation>
    </message>
    <message>
        <source>Insert File</source>
        <translation>Datei einfügen</translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation>Nach oben</translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation>Nach unten</translation>
    </message>
    <message>
        <source>Move Item</source>
        <translation>Element verschieben</translation>
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
        <source>The following text will be inserted into the user&apos;s document:<byte value="xd"/>
<byte value="xd"/>
</source>
        <translation>Der folgende Text wird in das Dokument des Benutzers eingefügt:<byte value="xd"/>
<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>No text will be inserted into the user&apos;s document because the user chose Cancel.</source>
        <translation>Es wird kein Text in das Dokument des Benutzers eingefügt, weil der Benutzer Abbrechen gewählt hat.</translation>
    </message>
    <message>
        <source>(Carriage Return)</source>
        <translation>(Zeilenumbruch)</translation>
    </message>
    <message>
        <source>Saving %1...</source>
        <translation>%1 wird gespeichert...</translation>
    </message>
    <message>
        <source>Reading %1...</source>
        <translation>%1 wird gelesen...</translation>
    </message>
    <message>
        <source>Finding %1...</source>
        <translation>%1 wird gesucht...</translation>
    </message>
    <message>
        <source>Printing %1...</source>
        <translation>%1 wird gedruckt...</translation>
    </message>
    <message>
        <source>Printing %1: page %2...</source>
        <translation>%1 wird gedruckt: Seite %2...</translation>
    </message>
    <message>
        <source>printing was cancelled</source>
        <translation>das Drucken wurde abgebrochen</translation>
    </message>
</context>
</TS>

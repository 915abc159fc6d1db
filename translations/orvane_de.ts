<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>DayMarks</name>
    <message>
        <source>Weekend</source>
        <translation>Wochenende</translation>
    </message>
</context>
<context>
    <name>GridMenu</name>
    <message>
        <source>Save grid as Html</source>
        <translation>Tabelle als HTML speichern</translation>
    </message>
    <message>
        <source>Print Grid</source>
        <translation>Tabelle drucken</translation>
    </message>
    <message>
        <source>Font..</source>
        <translation>Schriftart..</translation>
    </message>
    <message>
        <source>Proportional Font on/off</source>
        <translation>Proportionalschrift ein/aus</translation>
    </message>
    <message>
        <source>Reset Font</source>
        <translation>Schriftart zurücksetzen</translation>
    </message>
    <message>
        <source>Grid bands</source>
        <translation>Zeilenbänder</translation>
    </message>
    <message>
        <source>Vertical lines</source>
        <translation>Senkrechte Linien</translation>
    </message>
    <message>
        <source>Horizontal lines</source>
        <translation>Waagerechte Linien</translation>
    </message>
    <message>
        <source>Maximize grid on/off (ctrl-F4)</source>
        <translation>Tabelle maximieren ein/aus (Strg-F4)</translation>
    </message>
    <message>
        <source>Show/Hide grid panels (ctrl-F5)</source>
        <translation>Tabellenfelder zeigen/verbergen (Strg-F5)</translation>
    </message>
    <message>
        <source>Cycle thru column layouts (ctrl-F2)</source>
        <translation>Spaltenanordnungen durchlaufen (Strg-F2)</translation>
    </message>
</context>
<context>
    <name>PanelMenu</name>
    <message>
        <source>Collapse/Restore this panel&apos;s size</source>
        <translation>Dieses Feld einklappen/wiederherstellen</translation>
    </message>
    <message>
        <source>Collapse all panels</source>
        <translation>Alle Felder einklappen</translation>
    </message>
    <message>
        <source>Maximize all panels</source>
        <translation>Alle Felder maximieren</translation>
    </message>
    <message>
        <source>Toggle titlebar</source>
        <translation>Titelleiste umschalten</translation>
    </message>
    <message>
        <source>Hide all titlebars</source>
        <translation>Alle Titelleisten verbergen</translation>
    </message>
    <message>
        <source>Shows all titlebars</source>
        <translation>Alle Titelleisten zeigen</translation>
    </message>
    <message>
        <source>Make all panels flat</source>
        <translation>Alle Felder flach</translation>
    </message>
    <message>
        <source>Make all panels raised</source>
        <translation>Alle Felder erhaben</translation>
    </message>
    <message>
        <source>Make all panels lowered+raised</source>
        <translation>Alle Felder vertieft und erhaben</translation>
    </message>
    <message>
        <source>Make all panels lowered</source>
        <translation>Alle Felder vertieft</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>set 0 for today&apos;s value, e.g. 11.0.1756</source>
        <translation>0 steht für den heutigen Wert, z. B. 11.0.1756</translation>
    </message>
    <message>
        <source>+Days</source>
        <translation>+Tage</translation>
    </message>
    <message>
        <source>+Weeks</source>
        <translation>+Wochen</translation>
    </message>
    <message>
        <source>+Months</source>
        <translation>+Monate</translation>
    </message>
    <message>
        <source>+Years</source>
        <translation>+Jahre</translation>
    </message>
    <message>
        <source>Date 1</source>
        <translation>Datum 1</translation>
    </message>
    <message>
        <source>Date 2</source>
        <translation>Datum 2</translation>
    </message>
    <message>
        <source>Click and resize window</source>
        <translation>Anklicken und Fenstergröße ändern</translation>
    </message>
    <message>
        <source>Shows difference between the two dates</source>
        <translation>Zeigt den Abstand der beiden Daten</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Heute</translation>
    </message>
    <message>
        <source>01.Jan this year</source>
        <translation>01.Jan. dieses Jahres</translation>
    </message>
    <message>
        <source>01.Jan.2000</source>
        <translation>01.Jan.2000</translation>
    </message>
    <message>
        <source>01.Jan.0001</source>
        <translation>01.Jan.0001</translation>
    </message>
    <message>
        <source>Kind of the increment of date 1</source>
        <translation>Art der Verschiebung von Datum 1</translation>
    </message>
    <message>
        <source>Kind of the increment of date 2</source>
        <translation>Art der Verschiebung von Datum 2</translation>
    </message>
    <message>
        <source>Increment of date 1</source>
        <translation>Verschiebung von Datum 1</translation>
    </message>
    <message>
        <source>Increment of date 2</source>
        <translation>Verschiebung von Datum 2</translation>
    </message>
    <message>
        <source>Add the widening of the window to date 2</source>
        <translation>Die Verbreiterung des Fensters zu Datum 2 addieren</translation>
    </message>
    <message>
        <source>Facts of date 1</source>
        <translation>Angaben zu Datum 1</translation>
    </message>
    <message>
        <source>Facts of date 2</source>
        <translation>Angaben zu Datum 2</translation>
    </message>
    <message>
        <source>Month calendar of date 1</source>
        <translation>Monatskalender von Datum 1</translation>
    </message>
    <message>
        <source>Month calendar of date 2</source>
        <translation>Monatskalender von Datum 2</translation>
    </message>
    <message>
        <source>Zelko Orvane v1.11 // Click here to visit my Homepage</source>
        <translation>Zelko Orvane v1.11 // Hier klicken, um meine Homepage zu besuchen</translation>
    </message>
    <message>
        <source>ISO 8601 week numbers</source>
        <translation>Wochennummern nach ISO 8601</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Ausschneiden</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Einfügen</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Alles auswählen</translation>
    </message>
    <message>
        <source>Germany</source>
        <translation>Deutschland</translation>
    </message>
    <message>
        <source>United Kingdom</source>
        <translation>Vereinigtes Königreich</translation>
    </message>
    <message>
        <source>+Working days</source>
        <translation>+Arbeitstage</translation>
    </message>
    <message>
        <source>Holidays</source>
        <translation>Feiertage</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>Weekend days…</source>
        <translation>Wochenendtage…</translation>
    </message>
    <message>
        <source>Holiday file…</source>
        <translation>Feiertagsdatei…</translation>
    </message>
    <message>
        <source>Holiday file</source>
        <translation>Feiertagsdatei</translation>
    </message>
    <message>
        <source>Holiday lists (*.ics *.txt);;All files (*)</source>
        <translation>Feiertagslisten (*.ics *.txt);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>The holiday file was not taken; the choice stays as it was.</source>
        <translation>Die Feiertagsdatei wurde nicht übernommen; die Auswahl bleibt, wie sie war.</translation>
    </message>
</context>
<context>
    <name>THtmlSettingsDialog</name>
    <message>
        <source>HTML Settings</source>
        <translation>HTML-Einstellungen</translation>
    </message>
    <message>
        <source>General:</source>
        <translation>Allgemein:</translation>
    </message>
    <message>
        <source>&amp;Border Size:</source>
        <translation>&amp;Rahmenbreite:</translation>
    </message>
    <message>
        <source>Ce&amp;ll Spacing:</source>
        <translation>Zellen&amp;abstand:</translation>
    </message>
    <message>
        <source>Cell &amp;Padding:</source>
        <translation>Zellen&amp;innenabstand:</translation>
    </message>
    <message>
        <source>Table &amp;Width (in percent):</source>
        <translation>Tabellen&amp;breite (in Prozent):</translation>
    </message>
    <message>
        <source>Cells:</source>
        <translation>Zellen:</translation>
    </message>
    <message>
        <source>Use Table&apos;s &amp;Colors</source>
        <translation>&amp;Farben der Tabelle verwenden</translation>
    </message>
    <message>
        <source>Use Table&apos;s &amp;Fonts</source>
        <translation>&amp;Schriften der Tabelle verwenden</translation>
    </message>
    <message>
        <source>Tags:</source>
        <translation>Tags:</translation>
    </message>
    <message>
        <source>&amp;Prefix Tags:</source>
        <translation>&amp;Vorspann-Tags:</translation>
    </message>
    <message>
        <source>&amp;Suffix Tags:</source>
        <translation>&amp;Nachspann-Tags:</translation>
    </message>
    <message>
        <source>Table St&amp;yle Tags::</source>
        <translation>Tabellen&amp;stil-Tags:</translation>
    </message>
    <message>
        <source>Files:</source>
        <translation>Dateien:</translation>
    </message>
    <message>
        <source>&amp;Header:</source>
        <translation>&amp;Kopfdatei:</translation>
    </message>
    <message>
        <source>F&amp;ooter:</source>
        <translation>F&amp;ußdatei:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>HTML Files (*.htm *.html);;All Files (*)</source>
        <translation>HTML-Dateien (*.htm *.html);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Cannot Create file %1: %2</source>
        <translation>Datei %1 kann nicht angelegt werden: %2</translation>
    </message>
    <message>
        <source>Save as…</source>
        <translation>Speichern unter…</translation>
    </message>
    <message>
        <source>Save grid as Html</source>
        <translation>Tabelle als HTML speichern</translation>
    </message>
    <message>
        <source>Saved as %1</source>
        <translation>Gespeichert als %1</translation>
    </message>
    <message>
        <source>Cannot open %1</source>
        <translation>%1 kann nicht geöffnet werden</translation>
    </message>
</context>
<context>
    <name>TPrintSettingsDialog</name>
    <message>
        <source>Print Settings</source>
        <translation>Druckeinstellungen</translation>
    </message>
    <message>
        <source>Page</source>
        <translation>Seite</translation>
    </message>
    <message>
        <source>Portrait</source>
        <translation>Hochformat</translation>
    </message>
    <message>
        <source>Landscape</source>
        <translation>Querformat</translation>
    </message>
    <message>
        <source>&amp;Orientation:</source>
        <translation>&amp;Ausrichtung:</translation>
    </message>
    <message>
        <source>&amp;Left margin:</source>
        <translation>&amp;Linker Rand:</translation>
    </message>
    <message>
        <source>&amp;Top margin:</source>
        <translation>&amp;Oberer Rand:</translation>
    </message>
    <message>
        <source>&amp;Right margin:</source>
        <translation>&amp;Rechter Rand:</translation>
    </message>
    <message>
        <source>&amp;Bottom margin:</source>
        <translation>&amp;Unterer Rand:</translation>
    </message>
    <message>
        <source>Texts</source>
        <translation>Texte</translation>
    </message>
    <message>
        <source>T&amp;itle:</source>
        <translation>T&amp;itel:</translation>
    </message>
    <message>
        <source>&amp;Header:</source>
        <translation>&amp;Kopfzeile:</translation>
    </message>
    <message>
        <source>&amp;Footer:</source>
        <translation>&amp;Fußzeile:</translation>
    </message>
    <message>
        <source>[page], [pages], [date] and [title] are filled in.</source>
        <translation>[page], [pages], [date] und [title] werden ausgefüllt.</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>Schrift</translation>
    </message>
    <message>
        <source>Use the grid&apos;s font</source>
        <translation>Schrift der Tabelle verwenden</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>Fett</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>Kursiv</translation>
    </message>
    <message>
        <source>Fo&amp;nt:</source>
        <translation>Sch&amp;rift:</translation>
    </message>
    <message>
        <source>&amp;Size:</source>
        <translation>&amp;Größe:</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Fit to page &amp;width</source>
        <translation>An Seiten&amp;breite anpassen</translation>
    </message>
    <message>
        <source>Print &amp;grid lines</source>
        <translation>&amp;Gitterlinien drucken</translation>
    </message>
    <message>
        <source>Repeat &amp;header row on every page</source>
        <translation>&amp;Tabellenkopf auf jeder Seite wiederholen</translation>
    </message>
    <message>
        <source>Repeat fi&amp;xed columns</source>
        <translation>&amp;Feste Spalten wiederholen</translation>
    </message>
    <message>
        <source>Print row b&amp;ands</source>
        <translation>Zeilen&amp;bänder drucken</translation>
    </message>
    <message>
        <source>&amp;Centre on page</source>
        <translation>Auf der Seite &amp;zentrieren</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>Save...</source>
        <translation>Speichern...</translation>
    </message>
    <message>
        <source>Load...</source>
        <translation>Laden...</translation>
    </message>
    <message>
        <source>Print settings (*.ini);;All files (*)</source>
        <translation>Druckeinstellungen (*.ini);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Save print settings</source>
        <translation>Druckeinstellungen speichern</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Load print settings</source>
        <translation>Druckeinstellungen laden</translation>
    </message>
    <message>
        <source>No print settings found in %1</source>
        <translation>Keine Druckeinstellungen in %1 gefunden</translation>
    </message>
    <message>
        <source>Page [page] of [pages]</source>
        <translation>Seite [page] von [pages]</translation>
    </message>
    <message>
        <source>Print…</source>
        <translation>Drucken…</translation>
    </message>
    <message>
        <source>Print… prints the grid with these settings; OK keeps them without printing.</source>
        <translation>Drucken… druckt die Tabelle mit diesen Einstellungen; OK behält sie, ohne zu drucken.</translation>
    </message>
    <message>
        <source>Some values in %1 were out of range and have been changed:</source>
        <translation>Einige Werte in %1 lagen außerhalb des zulässigen Bereichs und wurden geändert:</translation>
    </message>
    <message>
        <source>Cannot print on %1</source>
        <translation>Auf %1 kann nicht gedruckt werden</translation>
    </message>
</context>
<context>
    <name>TUrlLauncher</name>
    <message>
        <source>Couldn&apos;t launch default browser</source>
        <translation>Der Standardbrowser konnte nicht gestartet werden</translation>
    </message>
</context>
<context>
    <name>TWeekendDialog</name>
    <message>
        <source>Weekend days</source>
        <translation>Wochenendtage</translation>
    </message>
    <message>
        <source>Days off each week:</source>
        <translation>Freie Tage jeder Woche:</translation>
    </message>
    <message>
        <source>At least one day must stay a working day.</source>
        <translation>Mindestens ein Tag muss ein Arbeitstag bleiben.</translation>
    </message>
</context>
</TS>

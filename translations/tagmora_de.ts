<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>Barcode</name>
    <message>
        <source>Barcode must be numeric</source>
        <translation>Der Barcode muss numerisch sein</translation>
    </message>
    <message>
        <source>System error!</source>
        <translation>Systemfehler!</translation>
    </message>
    <message>
        <source>System internal Error</source>
        <translation>Interner Systemfehler</translation>
    </message>
    <message>
        <source>Code93 bad Data !</source>
        <translation>Code93: ungültige Daten!</translation>
    </message>
    <message>
        <source>Codabar bad Data: only 0-9, - $ : / . + and A-D can be encoded</source>
        <translation>Codabar: ungültige Daten: nur 0-9, - $ : / . + und A-D sind codierbar</translation>
    </message>
    <message>
        <source>UPC-E code must have number system 0 or 1</source>
        <translation>Ein UPC-E-Code muss das Nummernsystem 0 oder 1 haben</translation>
    </message>
    <message>
        <source>Code128 bad Data: characters 129 to 192 and 197 to 255 cannot be encoded</source>
        <translation>Code128: ungültige Daten: die Zeichen 129 bis 192 und 197 bis 255 sind nicht codierbar</translation>
    </message>
    <message>
        <source>Barcode text holds a character that is not 8-bit text</source>
        <translation>Der Barcodetext enthält ein Zeichen, das kein 8-Bit-Text ist</translation>
    </message>
    <message>
        <source>Barcode too wide</source>
        <translation>Barcode zu breit</translation>
    </message>
    <message>
        <source>Code39 bad Data: only 0-9, A-Z, space and - . $ / + % can be encoded</source>
        <translation>Code39: ungültige Daten: nur 0-9, A-Z, Leerzeichen und - . $ / + % sind codierbar</translation>
    </message>
    <message>
        <source>Codabar bad Data: A, B, C and D can only start and end the code</source>
        <translation>Codabar: ungültige Daten: A, B, C und D dürfen nur am Anfang und Ende des Codes stehen</translation>
    </message>
    <message>
        <source>Barcode has no data</source>
        <translation>Der Barcode enthält keine Daten</translation>
    </message>
    <message>
        <source>EAN128 bad Data: identifiers 00 (SSCC) and 01, 02 (GTIN) need 18 and 14 digits</source>
        <translation>EAN128: ungültige Daten: die Datenbezeichner 00 (SSCC) und 01, 02 (GTIN) verlangen 18 bzw. 14 Ziffern</translation>
    </message>
    <message>
        <source>Barcode bad Data: characters above 127 cannot be encoded</source>
        <translation>Barcode: ungültige Daten: Zeichen über 127 sind nicht codierbar</translation>
    </message>
    <message>
        <source>Code128A bad Data: only characters 0 to 95 can be encoded</source>
        <translation>Code128A: ungültige Daten: nur die Zeichen 0 bis 95 sind codierbar</translation>
    </message>
    <message>
        <source>Code128B bad Data: only characters 32 to 126 can be encoded</source>
        <translation>Code128B: ungültige Daten: nur die Zeichen 32 bis 126 sind codierbar</translation>
    </message>
    <message>
        <source>Barcode Ratio too small: wide elements would be narrower than narrow ones</source>
        <translation>Barcode-Verhältnis zu klein: breite Elemente wären schmaler als schmale</translation>
    </message>
    <message>
        <source>Barcode has more digits than the symbol holds</source>
        <translation>Der Barcode hat mehr Ziffern, als der Code aufnehmen kann</translation>
    </message>
    <message>
        <source>Wrong check digit: the last digit must be 0</source>
        <translation>Falsche Prüfziffer: die letzte Ziffer muss 0 sein</translation>
    </message>
    <message>
        <source>Wrong check digit: the last digit must be 1</source>
        <translation>Falsche Prüfziffer: die letzte Ziffer muss 1 sein</translation>
    </message>
    <message>
        <source>Wrong check digit: the last digit must be 2</source>
        <translation>Falsche Prüfziffer: die letzte Ziffer muss 2 sein</translation>
    </message>
    <message>
        <source>Wrong check digit: the last digit must be 3</source>
        <translation>Falsche Prüfziffer: die letzte Ziffer muss 3 sein</translation>
    </message>
    <message>
        <source>Wrong check digit: the last digit must be 4</source>
        <translation>Falsche Prüfziffer: die letzte Ziffer muss 4 sein</translation>
    </message>
    <message>
        <source>Wrong check digit: the last digit must be 5</source>
        <translation>Falsche Prüfziffer: die letzte Ziffer muss 5 sein</translation>
    </message>
    <message>
        <source>Wrong check digit: the last digit must be 6</source>
        <translation>Falsche Prüfziffer: die letzte Ziffer muss 6 sein</translation>
    </message>
    <message>
        <source>Wrong check digit: the last digit must be 7</source>
        <translation>Falsche Prüfziffer: die letzte Ziffer muss 7 sein</translation>
    </message>
    <message>
        <source>Wrong check digit: the last digit must be 8</source>
        <translation>Falsche Prüfziffer: die letzte Ziffer muss 8 sein</translation>
    </message>
    <message>
        <source>Wrong check digit: the last digit must be 9</source>
        <translation>Falsche Prüfziffer: die letzte Ziffer muss 9 sein</translation>
    </message>
    <message>
        <source>Barcode too large to draw</source>
        <translation>Barcode zu groß zum Zeichnen</translation>
    </message>
    <message>
        <source>Barcode does not fit on the label</source>
        <translation>Der Barcode passt nicht auf das Etikett</translation>
    </message>
    <message>
        <source>The code cannot be encoded</source>
        <translation>Der Code lässt sich nicht codieren</translation>
    </message>
</context>
<context>
    <name>CalibrationSheet</name>
    <message>
        <source>Tagmora calibration sheet</source>
        <translation>Tagmora-Kalibrierbogen</translation>
    </message>
    <message>
        <source>Printer: %1, %2 dpi</source>
        <translation>Drucker: %1, %2 dpi</translation>
    </message>
    <message>
        <source>Printed: %1</source>
        <translation>Gedruckt: %1</translation>
    </message>
    <message>
        <source>Measure A from the paper&apos;s left and top edges, and A to B and A to C (%1 mm if exact); enter them under Options, Printers.</source>
        <translation>Messen Sie A vom linken und oberen Papierrand sowie A bis B und A bis C (%1 mm, wenn genau); tragen Sie die Werte unter Optionen, Drucker ein.</translation>
    </message>
    <message>
        <source>No printer is installed.</source>
        <translation>Es ist kein Drucker installiert.</translation>
    </message>
    <message>
        <source>The printer gave nothing to draw on.</source>
        <translation>Der Drucker bot keine Zeichenfläche.</translation>
    </message>
</context>
<context>
    <name>CupsJob</name>
    <message>
        <source>The printer %1 did not take the job: %2</source>
        <translation>Der Drucker %1 hat den Auftrag nicht angenommen: %2</translation>
    </message>
    <message>
        <source>the print job</source>
        <translation>den Druckauftrag</translation>
    </message>
    <message>
        <source>cannot reach the print system at %1</source>
        <translation>das Drucksystem unter %1 ist nicht erreichbar</translation>
    </message>
</context>
<context>
    <name>DataBinding</name>
    <message>
        <source>Row %1 has no value in column &quot;%2&quot; for its %3 bar code</source>
        <translation>Zeile %1 hat keinen Wert in der Spalte &quot;%2&quot; für ihren %3-Strichcode</translation>
    </message>
    <message>
        <source>The value &quot;%1&quot; in row %2, column &quot;%3&quot; is not a valid %4 code</source>
        <translation>Der Wert &quot;%1&quot; in Zeile %2, Spalte &quot;%3&quot; ist kein gültiger %4-Code</translation>
    </message>
</context>
<context>
    <name>DatasheetStream</name>
    <message>
        <source>Datasheet size out of range: %1</source>
        <translation>Größe des Datenblatts außerhalb des gültigen Bereichs: %1</translation>
    </message>
</context>
<context>
    <name>DesktopPrint</name>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>The label uses columns the datasheet does not have: %1<byte value="xd"/>Their objects print without data. Print anyway?</source>
        <translation>Das Etikett verwendet Spalten, die das Datenblatt nicht hat: %1<byte value="xd"/>Ihre Objekte werden ohne Daten gedruckt. Trotzdem drucken?</translation>
    </message>
    <message>
        <source>Print to PDF file</source>
        <translation>In PDF-Datei drucken</translation>
    </message>
    <message>
        <source>PDF File (*.pdf)</source>
        <translation>PDF-Datei (*.pdf)</translation>
    </message>
    <message>
        <source>PDF file</source>
        <translation>PDF-Datei</translation>
    </message>
    <message>
        <source>Printing</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <source>Cannot write the file %1: %2</source>
        <translation>Die Datei %1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>There is nothing to print; the file %1 was not written.</source>
        <translation>Es gibt nichts zu drucken; die Datei %1 wurde nicht geschrieben.</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>Rendering label %1 of %2 ...</source>
        <translation>Etikett %1 von %2 wird aufbereitet ...</translation>
    </message>
    <message>
        <source>Printing label %1 of %2, page %3 of %4 ...</source>
        <translation>Etikett %1 von %2 wird gedruckt, Seite %3 von %4 ...</translation>
    </message>
    <message>
        <source>Cancel stops printing and writes no PDF file.</source>
        <translation>Abbrechen beendet den Druck und schreibt keine PDF-Datei.</translation>
    </message>
    <message>
        <source>Cancel stops printing; the printer gets the pages printed so far.</source>
        <translation>Abbrechen beendet den Druck; der Drucker erhält die bis dahin gedruckten Seiten.</translation>
    </message>
    <message>
        <source>datasheet of the label</source>
        <translation>Datenblatt des Etiketts</translation>
    </message>
    <message>
        <source>The run was printed but could not be recorded in the print history: %1</source>
        <translation>Der Lauf wurde gedruckt, konnte aber nicht im Druckverlauf festgehalten werden: %1</translation>
    </message>
</context>
<context>
    <name>Help</name>
    <message>
        <source>Help file %1 not installed!
Help cannot be displayed.</source>
        <translation>Die Hilfedatei %1 ist nicht installiert!
Die Hilfe kann nicht angezeigt werden.</translation>
    </message>
    <message>
        <source>Help topic %1 cannot be loaded!</source>
        <translation>Das Hilfethema %1 kann nicht geladen werden!</translation>
    </message>
</context>
<context>
    <name>Import</name>
    <message>
        <source>The file %1 is not a readable Microsoft Access database</source>
        <translation>Die Datei %1 ist keine lesbare Microsoft-Access-Datenbank</translation>
    </message>
    <message>
        <source>Cannot open file %1</source>
        <translation>Die Datei %1 kann nicht geöffnet werden</translation>
    </message>
    <message>
        <source>The database %1 has no table &quot;%2&quot;.</source>
        <translation>Die Datenbank %1 hat keine Tabelle „%2“.</translation>
    </message>
    <message>
        <source>it is damaged</source>
        <translation>sie ist beschädigt</translation>
    </message>
    <message>
        <source>this program was built without Access support</source>
        <translation>dieses Programm wurde ohne Access-Unterstützung erstellt</translation>
    </message>
    <message>
        <source>Line %1 is too long to import (a line may hold at most %2 MB).</source>
        <translation>Zeile %1 ist zu lang für den Import (eine Zeile darf höchstens %2 MB umfassen).</translation>
    </message>
    <message>
        <source>The file has too many lines to import (at most %1).</source>
        <translation>Die Datei hat zu viele Zeilen für den Import (höchstens %1).</translation>
    </message>
    <message>
        <source>The file is too large to import: up to line %1 it holds more than %2 cells.</source>
        <translation>Die Datei ist zu groß für den Import: bis Zeile %1 enthält sie mehr als %2 Zellen.</translation>
    </message>
    <message>
        <source>The file is too large to import: up to line %1 its lines hold more than %2 million characters.</source>
        <translation>Die Datei ist zu groß für den Import: bis Zeile %1 enthalten ihre Zeilen mehr als %2 Millionen Zeichen.</translation>
    </message>
    <message>
        <source>Line %1 has more fields than a datasheet has columns (at most %2).</source>
        <translation>Zeile %1 hat mehr Felder, als ein Datenblatt Spalten hat (höchstens %2).</translation>
    </message>
    <message>
        <source>Field %1 of line %2 is too long to import (a cell may hold at most %3 characters).</source>
        <translation>Feld %1 der Zeile %2 ist zu lang für den Import (eine Zelle darf höchstens %3 Zeichen enthalten).</translation>
    </message>
    <message>
        <source>The file is not a text file (it holds NUL bytes); nothing was imported.</source>
        <translation>Die Datei ist keine Textdatei (sie enthält NUL-Bytes); es wurde nichts importiert.</translation>
    </message>
    <message>
        <source>The file is too large to import: it holds more than %1 million characters of UTF-16 text.</source>
        <translation>Die Datei ist zu groß für den Import: sie enthält mehr als %1 Millionen Zeichen UTF-16-Text.</translation>
    </message>
    <message>
        <source>The file %1 mixes UTF-8 and Windows-1252 text; each line was read in the encoding it fits. Check the imported text.</source>
        <translation>Die Datei %1 mischt UTF-8- und Windows-1252-Text; jede Zeile wurde in der zu ihr passenden Kodierung gelesen. Prüfen Sie den importierten Text.</translation>
    </message>
    <message>
        <source>ASCII Data Files (*.txt *.csv)</source>
        <translation>ASCII-Datendateien (*.txt *.csv)</translation>
    </message>
    <message>
        <source>Microsoft Excel Files (*.xls)</source>
        <translation>Microsoft-Excel-Dateien (*.xls)</translation>
    </message>
    <message>
        <source>Microsoft Excel Workbooks (*.xlsx)</source>
        <translation>Microsoft-Excel-Arbeitsmappen (*.xlsx)</translation>
    </message>
    <message>
        <source>OpenDocument Spreadsheets (*.ods)</source>
        <translation>OpenDocument-Tabellen (*.ods)</translation>
    </message>
    <message>
        <source>Microsoft Access Database (*.mdb)</source>
        <translation>Microsoft-Access-Datenbank (*.mdb)</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
    <message>
        <source>The database has no table &quot;%1&quot;. Its tables are: %2.</source>
        <translation>Die Datenbank hat keine Tabelle „%1“. Ihre Tabellen sind: %2.</translation>
    </message>
    <message>
        <source>There is nothing to import: the file holds no text.</source>
        <translation>Es gibt nichts zu importieren: die Datei enthält keinen Text.</translation>
    </message>
    <message>
        <source>The sheet is too large to import (the datasheet takes at most %1 rows, %2 columns and %3 cells).</source>
        <translation>Das Tabellenblatt ist zu groß für den Import (das Datenblatt fasst höchstens %1 Zeilen, %2 Spalten und %3 Zellen).</translation>
    </message>
    <message>
        <source>The spreadsheet is too large: its cells hold more than %1 million characters of text.</source>
        <translation>Die Tabelle ist zu groß: ihre Zellen enthalten mehr als %1 Millionen Zeichen Text.</translation>
    </message>
    <message>
        <source>The spreadsheet is too large: %1 holds more than %2 characters of text.</source>
        <translation>Die Tabelle ist zu groß: %1 enthält mehr als %2 Zeichen Text.</translation>
    </message>
    <message>
        <source>a cell</source>
        <translation>eine Zelle</translation>
    </message>
    <message>
        <source>cell %1</source>
        <translation>Zelle %1</translation>
    </message>
    <message>
        <source>The spreadsheet is too large: more than %1 of its cells hold a value.</source>
        <translation>Die Tabelle ist zu groß: mehr als %1 ihrer Zellen enthalten einen Wert.</translation>
    </message>
    <message>
        <source>Microsoft Excel workbook (.xlsx)</source>
        <translation>Microsoft-Excel-Arbeitsmappe (.xlsx)</translation>
    </message>
    <message>
        <source>OpenDocument spreadsheet (.ods)</source>
        <translation>OpenDocument-Tabelle (.ods)</translation>
    </message>
    <message>
        <source>The file %1 is not a readable %2</source>
        <translation>Die Datei %1 ist keine lesbare Datei vom Typ %2</translation>
    </message>
    <message>
        <source>it is not a zip package</source>
        <translation>sie ist kein ZIP-Paket</translation>
    </message>
    <message>
        <source>the part %1 is too large</source>
        <translation>der Teil %1 ist zu groß</translation>
    </message>
    <message>
        <source>it is damaged: %1</source>
        <translation>sie ist beschädigt: %1</translation>
    </message>
    <message>
        <source>The spreadsheet is too large: its part %1 unpacks to more than can be read (at most %2 MB from a file of this size, and %3 MB of text between two tags).</source>
        <translation>Die Tabelle ist zu groß: ihr Teil %1 entpackt sich zu mehr, als gelesen werden kann (höchstens %2 MB aus einer Datei dieser Größe und %3 MB Text zwischen zwei Tags).</translation>
    </message>
    <message>
        <source>its sheet is missing</source>
        <translation>ihr Tabellenblatt fehlt</translation>
    </message>
    <message>
        <source>it holds no workbook</source>
        <translation>sie enthält keine Arbeitsmappe</translation>
    </message>
    <message>
        <source>it holds no sheet</source>
        <translation>sie enthält kein Tabellenblatt</translation>
    </message>
    <message>
        <source>a cell has the malformed reference %1</source>
        <translation>eine Zelle hat den fehlerhaften Bezug %1</translation>
    </message>
    <message>
        <source>it is a different kind of document</source>
        <translation>sie ist ein Dokument anderer Art</translation>
    </message>
    <message>
        <source>it has no content</source>
        <translation>sie hat keinen Inhalt</translation>
    </message>
    <message>
        <source>this program was built without support for it</source>
        <translation>dieses Programm wurde ohne Unterstützung dafür erstellt</translation>
    </message>
    <message>
        <source>The file %1 is not a readable Microsoft Excel 97-2003 workbook</source>
        <translation>Die Datei %1 ist keine lesbare Microsoft-Excel-97-2003-Arbeitsmappe</translation>
    </message>
    <message>
        <source>not enough memory</source>
        <translation>nicht genügend Arbeitsspeicher</translation>
    </message>
    <message>
        <source>it is not an Excel 97-2003 file</source>
        <translation>sie ist keine Excel-97-2003-Datei</translation>
    </message>
    <message>
        <source>its text cannot be decoded</source>
        <translation>ihr Text kann nicht dekodiert werden</translation>
    </message>
    <message>
        <source>The workbook %1 is password-protected; save it without a password and import it again.</source>
        <translation>Die Arbeitsmappe %1 ist kennwortgeschützt; speichern Sie sie ohne Kennwort und importieren Sie sie erneut.</translation>
    </message>
    <message>
        <source>it holds no worksheet</source>
        <translation>sie enthält kein Arbeitsblatt</translation>
    </message>
    <message>
        <source>its sheet declares more cells than can be read</source>
        <translation>ihr Tabellenblatt gibt mehr Zellen an, als gelesen werden können</translation>
    </message>
    <message>
        <source>it is too large</source>
        <translation>sie ist zu groß</translation>
    </message>
    <message>
        <source>this program was built without Excel 97-2003 support</source>
        <translation>dieses Programm wurde ohne Unterstützung für Excel 97-2003 erstellt</translation>
    </message>
    <message>
        <source>its sheets declare more cells than can be read</source>
        <translation>ihre Tabellenblätter geben mehr Zellen an, als gelesen werden können</translation>
    </message>
    <message>
        <source>its directory is damaged</source>
        <translation>ihr Inhaltsverzeichnis ist beschädigt</translation>
    </message>
    <message>
        <source>its parts overlap</source>
        <translation>ihre Teile überlappen sich</translation>
    </message>
</context>
<context>
    <name>LabelFile</name>
    <message>
        <source>The label file %1 is cut short: it ends before the length of its %2.</source>
        <translation>Die Etikettendatei %1 ist unvollständig: sie endet vor der Längenangabe des Blocks „%2“.</translation>
    </message>
    <message>
        <source>Cannot read the label file %1: %2</source>
        <translation>Die Etikettendatei %1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>The label file %1 is damaged: the length of its %2 is negative (%3).</source>
        <translation>Die Etikettendatei %1 ist beschädigt: die Länge des Blocks „%2“ ist negativ (%3).</translation>
    </message>
    <message>
        <source>The label file %1 is cut short: its %2 announces %3 bytes but only %4 follow.</source>
        <translation>Die Etikettendatei %1 ist unvollständig: der Block „%2“ kündigt %3 Bytes an, es folgen aber nur %4.</translation>
    </message>
    <message>
        <source>Cannot save the label file %1: the label is too large.</source>
        <translation>Die Etikettendatei %1 kann nicht gespeichert werden: das Etikett ist zu groß.</translation>
    </message>
    <message>
        <source>Cannot save the label file %1: %2</source>
        <translation>Die Etikettendatei %1 kann nicht gespeichert werden: %2</translation>
    </message>
    <message>
        <source>%1 is not a label file: it is not a regular file.</source>
        <translation>%1 ist keine Etikettendatei: es ist keine reguläre Datei.</translation>
    </message>
    <message>
        <source>Cannot open the label file %1: %2</source>
        <translation>Die Etikettendatei %1 kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>label plan</source>
        <translation>Etikettenplan</translation>
    </message>
    <message>
        <source>datasheet</source>
        <translation>Datenblatt</translation>
    </message>
</context>
<context>
    <name>LabelRun</name>
    <message>
        <source>A value in line %1 is a invalid code for selected bar code format!<byte value="xd"/>Abort printing!</source>
        <translation>Ein Wert in Zeile %1 ist kein gültiger Code für das gewählte Barcodeformat!<byte value="xd"/>Druck abgebrochen!</translation>
    </message>
    <message>
        <source>The bar code of label %1 does not fit on the label!<byte value="xd"/>Abort printing!</source>
        <translation>Der Barcode von Etikett %1 passt nicht auf das Etikett!<byte value="xd"/>Druck abgebrochen!</translation>
    </message>
</context>
<context>
    <name>OutputFile</name>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>no room for a temporary copy in %1: %2</source>
        <translation>kein Platz für eine temporäre Kopie in %1: %2</translation>
    </message>
    <message>
        <source>standard output</source>
        <translation>Standardausgabe</translation>
    </message>
    <message>
        <source>the output was already closed</source>
        <translation>die Ausgabe wurde bereits geschlossen</translation>
    </message>
</context>
<context>
    <name>PdfPrinter</name>
    <message>
        <source>No file to print to</source>
        <translation>Keine Datei zum Drucken angegeben</translation>
    </message>
    <message>
        <source>Cannot write %1</source>
        <translation>%1 kann nicht geschrieben werden</translation>
    </message>
</context>
<context>
    <name>PrintJob</name>
    <message>
        <source>No printr device exist! </source>
        <translation>Es ist kein Drucker vorhanden! </translation>
    </message>
    <message>
        <source>Error print range! </source>
        <translation>Fehlerhafter Druckbereich! </translation>
    </message>
    <message>
        <source>The label layout has no rows or no columns! </source>
        <translation>Die Etikettenanordnung hat keine Zeilen oder keine Spalten! </translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid page number! </source>
        <translation>„%1“ ist keine gültige Seitenzahl! </translation>
    </message>
    <message>
        <source>There is no printer named %1</source>
        <translation>Es gibt keinen Drucker namens %1</translation>
    </message>
    <message>
        <source>Labels %1-%2 are not in this run of %3 labels! </source>
        <translation>Die Etiketten %1-%2 gehören nicht zu diesem Lauf mit %3 Etiketten! </translation>
    </message>
</context>
<context>
    <name>Printer</name>
    <message>
        <source>the print job</source>
        <translation>den Druckauftrag</translation>
    </message>
    <message>
        <source>The printer %1 cannot start a document</source>
        <translation>Der Drucker %1 kann kein Dokument beginnen</translation>
    </message>
</context>
<context>
    <name>PropertyUnits</name>
    <message>
        <source>(Unit: %1)</source>
        <translation>(Einheit: %1)</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Bestätigen</translation>
    </message>
    <message>
        <source>Typing</source>
        <translation>Eingabe</translation>
    </message>
</context>
<context>
    <name>QPrintDialog</name>
    <message>
        <source>Printer Properties</source>
        <translation>Druckereigenschaften</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
</context>
<context>
    <name>SequenceGenerator</name>
    <message>
        <source>Begine number must less than End number!</source>
        <translation>Die Anfangszahl muss kleiner als die Endzahl sein!</translation>
    </message>
    <message>
        <source>A sequence can hold at most %1 values; from %2 to %3 with step %4 and repeat %5 would give more.</source>
        <translation>Eine Folge kann höchstens %1 Werte enthalten; von %2 bis %3 mit Schrittweite %4 und Wiederholung %5 ergäbe mehr.</translation>
    </message>
</context>
<context>
    <name>StatusTexts</name>
    <message>
        <source>  Zoom: %1%</source>
        <translation>  Zoom: %1%</translation>
    </message>
    <message>
        <source> Label Size Width: %1 %3 Height: %2 %3</source>
        <translation> Etikettengröße Breite: %1 %3 Höhe: %2 %3</translation>
    </message>
    <message>
        <source>Field [ %1 ]</source>
        <translation>Feld [ %1 ]</translation>
    </message>
    <message>
        <source>- Locked</source>
        <translation>- Gesperrt</translation>
    </message>
    <message>
        <source>  Rectangle Object %1</source>
        <translation>  Rechteckobjekt %1</translation>
    </message>
    <message>
        <source>  Line Object %1</source>
        <translation>  Linienobjekt %1</translation>
    </message>
    <message>
        <source>  Ellipse Object %1</source>
        <translation>  Ellipsenobjekt %1</translation>
    </message>
    <message>
        <source>Constant Code</source>
        <translation>Fester Code</translation>
    </message>
    <message>
        <source>  [ Symbology: %1 ] Barcode Object - Code Origin: %2. %3</source>
        <translation>  [ Symbologie: %1 ] Barcodeobjekt - Codeherkunft: %2. %3</translation>
    </message>
    <message>
        <source>Embedded Picture</source>
        <translation>Eingebettetes Bild</translation>
    </message>
    <message>
        <source>  Picture Object - Picture Origin: %1. %2</source>
        <translation>  Bildobjekt - Bildherkunft: %1. %2</translation>
    </message>
    <message>
        <source>Constant Text</source>
        <translation>Fester Text</translation>
    </message>
    <message>
        <source>Function Value</source>
        <translation>Funktionswert</translation>
    </message>
    <message>
        <source>  Text Object - Text Origin: %1. %2</source>
        <translation>  Textobjekt - Textherkunft: %1. %2</translation>
    </message>
</context>
<context>
    <name>StrF</name>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>„%1“ ist keine gültige Ganzzahl</translation>
    </message>
</context>
<context>
    <name>TDatasheet</name>
    <message>
        <source>You input a blank name or this name has been exist!</source>
        <translation>Der Name ist leer oder existiert bereits!</translation>
    </message>
    <message>
        <source>Column &apos;%1&apos; has been exist!</source>
        <translation>Die Spalte „%1“ existiert bereits!</translation>
    </message>
</context>
<context>
    <name>TDesignArea</name>
    <message>
        <source>cm</source>
        <translation>cm</translation>
    </message>
    <message>
        <source>Ruler unit</source>
        <translation>Linealeinheit</translation>
    </message>
    <message>
        <source>Label design area</source>
        <translation>Etikettenentwurfsbereich</translation>
    </message>
    <message>
        <source>Label design surface</source>
        <translation>Etikettenentwurfsfläche</translation>
    </message>
    <message>
        <source>Pointer</source>
        <translation>Zeiger</translation>
    </message>
    <message>
        <source>Create barcode object</source>
        <translation>Barcodeobjekt erstellen</translation>
    </message>
    <message>
        <source>Create text object</source>
        <translation>Textobjekt erstellen</translation>
    </message>
    <message>
        <source>Create line object</source>
        <translation>Linienobjekt erstellen</translation>
    </message>
    <message>
        <source>Create rectangle object</source>
        <translation>Rechteckobjekt erstellen</translation>
    </message>
    <message>
        <source>Create ellipse object</source>
        <translation>Ellipsenobjekt erstellen</translation>
    </message>
    <message>
        <source>Create picture object</source>
        <translation>Bildobjekt erstellen</translation>
    </message>
    <message>
        <source>in</source>
        <translation>in</translation>
    </message>
    <message>
        <source>Align Left</source>
        <translation>Links ausrichten</translation>
    </message>
    <message>
        <source>Align Right</source>
        <translation>Rechts ausrichten</translation>
    </message>
    <message>
        <source>Align Top</source>
        <translation>Oben ausrichten</translation>
    </message>
    <message>
        <source>Align Bottom</source>
        <translation>Unten ausrichten</translation>
    </message>
    <message>
        <source>Align Horizontal Center</source>
        <translation>Horizontal zentrieren</translation>
    </message>
    <message>
        <source>Align Vertical Center</source>
        <translation>Vertikal zentrieren</translation>
    </message>
    <message>
        <source>Send to Back</source>
        <translation>Eine Ebene nach hinten</translation>
    </message>
    <message>
        <source>Bring to Front</source>
        <translation>Eine Ebene nach vorne</translation>
    </message>
    <message>
        <source>Send to Bottom</source>
        <translation>In den Hintergrund</translation>
    </message>
    <message>
        <source>Bring to Top</source>
        <translation>In den Vordergrund</translation>
    </message>
    <message>
        <source>Lock</source>
        <translation>Sperren</translation>
    </message>
    <message>
        <source>Unlock All</source>
        <translation>Alle entsperren</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Move</source>
        <translation>Verschieben</translation>
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
        <source>New Barcode</source>
        <translation>Neuer Barcode</translation>
    </message>
    <message>
        <source>New Text</source>
        <translation>Neuer Text</translation>
    </message>
    <message>
        <source>New Line</source>
        <translation>Neue Linie</translation>
    </message>
    <message>
        <source>New Rectangle</source>
        <translation>Neues Rechteck</translation>
    </message>
    <message>
        <source>New Ellipse</source>
        <translation>Neue Ellipse</translation>
    </message>
    <message>
        <source>New Picture</source>
        <translation>Neues Bild</translation>
    </message>
    <message>
        <source>Resize</source>
        <translation>Größe ändern</translation>
    </message>
</context>
<context>
    <name>TFM_About</name>
    <message>
        <source>Tagmora</source>
        <translation>Tagmora</translation>
    </message>
    <message>
        <source>Version: %1</source>
        <translation>Version: %1</translation>
    </message>
    <message>
        <source>Tagmora label designer
by Tavix

Support:
%1</source>
        <translation>Tagmora Etikettendesigner
von Tavix

Support:
%1</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
</context>
<context>
    <name>TFM_Data</name>
    <message>
        <source>Select Tabel from Access Database</source>
        <translation>Tabelle aus Access-Datenbank wählen</translation>
    </message>
    <message>
        <source>Please Select a Table to Import:</source>
        <translation>Bitte wählen Sie die zu importierende Tabelle:</translation>
    </message>
    <message>
        <source>Datasheet</source>
        <translation>Datenblatt</translation>
    </message>
    <message>
        <source>Right Click to Pop up Menu</source>
        <translation>Rechtsklick öffnet das Kontextmenü</translation>
    </message>
    <message>
        <source>Import Data ...</source>
        <translation>Daten importieren ...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Search ...</source>
        <translation>Suchen ...</translation>
    </message>
    <message>
        <source>Fill Sequence Data ...</source>
        <translation>Mit Zahlenfolge füllen ...</translation>
    </message>
    <message>
        <source>Clear Selected Cells Data</source>
        <translation>Inhalt der ausgewählten Zellen löschen</translation>
    </message>
    <message>
        <source>Clear Selectd Cells Data</source>
        <translation>Inhalt der ausgewählten Zellen löschen</translation>
    </message>
    <message>
        <source>Clear All Data</source>
        <translation>Alle Daten löschen</translation>
    </message>
    <message>
        <source>Insert Blank Row</source>
        <translation>Leere Zeile einfügen</translation>
    </message>
    <message>
        <source>Clear Current Row Data</source>
        <translation>Inhalt der aktuellen Zeile löschen</translation>
    </message>
    <message>
        <source>Delete Current Row</source>
        <translation>Aktuelle Zeile löschen</translation>
    </message>
    <message>
        <source>Delete All Rows</source>
        <translation>Alle Zeilen löschen</translation>
    </message>
    <message>
        <source>Add a New Column</source>
        <translation>Neue Spalte hinzufügen</translation>
    </message>
    <message>
        <source>Rename Column</source>
        <translation>Spalte umbenennen</translation>
    </message>
    <message>
        <source>Clear Current Column Data</source>
        <translation>Inhalt der aktuellen Spalte löschen</translation>
    </message>
    <message>
        <source>Delete Current Column</source>
        <translation>Aktuelle Spalte löschen</translation>
    </message>
    <message>
        <source>Delete All Columns (and Rows)</source>
        <translation>Alle Spalten (und Zeilen) löschen</translation>
    </message>
    <message>
        <source>Add Tag Quantities Column</source>
        <translation>Spalte für Etikettenanzahl hinzufügen</translation>
    </message>
    <message>
        <source>Remove Tag Quantities Column</source>
        <translation>Spalte für Etikettenanzahl entfernen</translation>
    </message>
    <message>
        <source>Print Current Row Directly</source>
        <translation>Aktuelle Zeile direkt drucken</translation>
    </message>
    <message>
        <source>Insert a Picture Path Name ...</source>
        <translation>Bildpfad einfügen ...</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Wiederherstellen</translation>
    </message>
    <message>
        <source>&amp;Undo %1</source>
        <translation>&amp;Rückgängig: %1</translation>
    </message>
    <message>
        <source>&amp;Redo %1</source>
        <translation>&amp;Wiederherstellen: %1</translation>
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
        <source>Find Next</source>
        <translation>Weitersuchen</translation>
    </message>
    <message>
        <source>Fit Column Widths</source>
        <translation>Spaltenbreiten anpassen</translation>
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
        <source>&amp;Rows</source>
        <translation>&amp;Zeilen</translation>
    </message>
    <message>
        <source>&amp;Columns</source>
        <translation>&amp;Spalten</translation>
    </message>
    <message>
        <source>Others</source>
        <translation>Sonstiges</translation>
    </message>
    <message>
        <source>Tag Control</source>
        <translation>Etikettenanzahl</translation>
    </message>
    <message>
        <source>Rows</source>
        <translation>Zeilen</translation>
    </message>
    <message>
        <source>Columns</source>
        <translation>Spalten</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Row %1 of %2 · Column %3</source>
        <translation>Zeile %1 von %2 · Spalte %3</translation>
    </message>
    <message>
        <source>Move Column</source>
        <translation>Spalte verschieben</translation>
    </message>
    <message>
        <source>Move Row</source>
        <translation>Zeile verschieben</translation>
    </message>
    <message>
        <source>The tag quantities ask for more than %1 labels; only the first %1 will be printed.</source>
        <translation>Die Etikettenanzahlen verlangen mehr als %1 Etiketten; nur die ersten %1 werden gedruckt.</translation>
    </message>
    <message>
        <source>Import Data</source>
        <translation>Daten importieren</translation>
    </message>
    <message>
        <source>The imported data replaces all data of the datasheet. Continue?</source>
        <translation>Die importierten Daten ersetzen alle Daten des Datenblatts. Fortfahren?</translation>
    </message>
    <message>
        <source>&quot;%1&quot; was not found in the datasheet.</source>
        <translation>„%1“ wurde im Datenblatt nicht gefunden.</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Please input the value you want to search:</source>
        <translation>Bitte geben Sie den gesuchten Wert ein:</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Einfügen</translation>
    </message>
    <message>
        <source>Clear Cells</source>
        <translation>Zellen leeren</translation>
    </message>
    <message>
        <source>Are you sure clear all selected data?</source>
        <translation>Alle ausgewählten Daten wirklich löschen?</translation>
    </message>
    <message>
        <source>Are you sure clear all data?</source>
        <translation>Wirklich alle Daten löschen?</translation>
    </message>
    <message>
        <source>Are you sure clear data in this row?</source>
        <translation>Die Daten dieser Zeile wirklich löschen?</translation>
    </message>
    <message>
        <source>Are you sure delete this row?</source>
        <translation>Diese Zeile wirklich löschen?</translation>
    </message>
    <message>
        <source>Are you sure delete all rows?</source>
        <translation>Wirklich alle Zeilen löschen?</translation>
    </message>
    <message>
        <source>Inset a Column</source>
        <translation>Spalte einfügen</translation>
    </message>
    <message>
        <source>Please input the column name:</source>
        <translation>Bitte geben Sie den Spaltennamen ein:</translation>
    </message>
    <message>
        <source>Change Column Name</source>
        <translation>Spaltennamen ändern</translation>
    </message>
    <message>
        <source>Are you sure clear data in this column?</source>
        <translation>Die Daten dieser Spalte wirklich löschen?</translation>
    </message>
    <message>
        <source>Are you sure delete this column?</source>
        <translation>Diese Spalte wirklich löschen?</translation>
    </message>
    <message>
        <source>Are you sure delete all columns?</source>
        <translation>Wirklich alle Spalten löschen?</translation>
    </message>
    <message>
        <source>No tag control column be found!</source>
        <translation>Es wurde keine Spalte für die Etikettenanzahl gefunden!</translation>
    </message>
    <message>
        <source>Are you sure delete tag control column?</source>
        <translation>Die Spalte für die Etikettenanzahl wirklich löschen?</translation>
    </message>
    <message>
        <source>Open Picture</source>
        <translation>Bild öffnen</translation>
    </message>
    <message>
        <source>All Pictures (*.bmp *.ico *.emf *.wmf *.jpg *.jpeg);;Bitmaps (*.bmp);;Icons (*.ico);;Metafiles (*.emf *.wmf);;JPEG Images (*.jpg *.jpeg);;All Files (*)</source>
        <translation>Alle Bilder (*.bmp *.ico *.emf *.wmf *.jpg *.jpeg);;Bitmaps (*.bmp);;Symbole (*.ico);;Metadateien (*.emf *.wmf);;JPEG-Bilder (*.jpg *.jpeg);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Sort</source>
        <translation>Sortieren</translation>
    </message>
</context>
<context>
    <name>TFM_GetTable</name>
    <message>
        <source>Select Tabel from Access Database</source>
        <translation>Tabelle aus Access-Datenbank wählen</translation>
    </message>
    <message>
        <source>Please Select a Table to Import:</source>
        <translation>Bitte wählen Sie die zu importierende Tabelle:</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
</context>
<context>
    <name>TFM_History</name>
    <message>
        <source>Print History</source>
        <translation>Druckverlauf</translation>
    </message>
    <message>
        <source>&amp;Since:</source>
        <translation>&amp;Seit:</translation>
    </message>
    <message>
        <source>Only runs since a date</source>
        <translation>Nur Läufe seit einem Datum</translation>
    </message>
    <message>
        <source>Since</source>
        <translation>Seit</translation>
    </message>
    <message>
        <source>Printer</source>
        <translation>DruckerDrucker</translation>
    </message>
    <message>
        <source>any printer</source>
        <translation>jeder Drucker</translation>
    </message>
    <message>
        <source>Label</source>
        <translation>Etikett</translation>
    </message>
    <message>
        <source>any label</source>
        <translation>jedes Etikett</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <source>any result</source>
        <translation>jedes Ergebnis</translation>
    </message>
    <message>
        <source>done</source>
        <translation>erledigt</translation>
    </message>
    <message>
        <source>cancelled</source>
        <translation>abgebrochen</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>fehlgeschlagen</translation>
    </message>
    <message>
        <source>stopped</source>
        <translation>angehalten</translation>
    </message>
    <message>
        <source>aborted</source>
        <translation>abgebrochen (ungültiger Code)</translation>
    </message>
    <message>
        <source>&amp;Printer:</source>
        <translation>&amp;Drucker:</translation>
    </message>
    <message>
        <source>&amp;Label:</source>
        <translation>&amp;Etikett:</translation>
    </message>
    <message>
        <source>&amp;Result:</source>
        <translation>&amp;Ergebnis:</translation>
    </message>
    <message>
        <source>Run</source>
        <translation>Lauf</translation>
    </message>
    <message>
        <source>Started (UTC)</source>
        <translation>Begonnen (UTC)</translation>
    </message>
    <message>
        <source>User</source>
        <translation>Benutzer</translation>
    </message>
    <message>
        <source>Labels</source>
        <translation>Etiketten</translation>
    </message>
    <message>
        <source>Painted</source>
        <translation>Gedruckt</translation>
    </message>
    <message>
        <source>Pages</source>
        <translation>Seiten</translation>
    </message>
    <message>
        <source>Copies</source>
        <translation>KopienExemplare</translation>
    </message>
    <message>
        <source>Printer or file</source>
        <translation>Drucker oder Datei</translation>
    </message>
    <message>
        <source>Reprint of</source>
        <translation>Nachdruck von</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Meldung</translation>
    </message>
    <message>
        <source>Recorded print runs</source>
        <translation>Festgehaltene Druckläufe</translation>
    </message>
    <message>
        <source>History status</source>
        <translation>Zustand des Verlaufs</translation>
    </message>
    <message>
        <source>&amp;Reprint...</source>
        <translation>&amp;Nachdrucken...</translation>
    </message>
    <message>
        <source>Reprint</source>
        <translation>Nachdrucken</translation>
    </message>
    <message>
        <source>&amp;Export CSV...</source>
        <translation>CSV &amp;exportieren...</translation>
    </message>
    <message>
        <source>Export CSV</source>
        <translation>CSV exportieren</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen&amp;Schließen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>SchließenSchließen</translation>
    </message>
    <message>
        <source>Export the print history</source>
        <translation>Druckverlauf exportieren</translation>
    </message>
    <message>
        <source>CSV File (*.csv)</source>
        <translation>CSV-Datei (*.csv)</translation>
    </message>
    <message>
        <source>Cannot write the file %1: %2</source>
        <translation>Die Datei %1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>The &amp;whole run (labels %1-%2)</source>
        <translation>Der &amp;ganze Lauf (Etiketten %1-%2)</translation>
    </message>
    <message>
        <source>The whole run</source>
        <translation>Der ganze Lauf</translation>
    </message>
    <message>
        <source>&amp;Labels</source>
        <translation>E&amp;tiketten</translation>
    </message>
    <message>
        <source>First label</source>
        <translation>Erstes Etikett</translation>
    </message>
    <message>
        <source>Last label</source>
        <translation>Letztes Etikett</translation>
    </message>
    <message>
        <source>to</source>
        <translation>bisbis</translation>
    </message>
    <message>
        <source>Runs shown: %1 (%2)</source>
        <translation>Angezeigte Läufe: %1 (%2)</translation>
    </message>
    <message>
        <source>not started</source>
        <translation>nicht begonnen</translation>
    </message>
</context>
<context>
    <name>TFM_Main</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
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
        <source>Recent Files</source>
        <translation>Zuletzt geöffnete Dateien</translation>
    </message>
    <message>
        <source>&amp;Save </source>
        <translation>&amp;Speichern </translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Speichern &amp;unter...</translation>
    </message>
    <message>
        <source>Label and Printer Setup ...</source>
        <translation>Etikett und Drucker einrichten ...</translation>
    </message>
    <message>
        <source>Page Preview</source>
        <translation>Seitenvorschau</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
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
        <translation>&amp;Wiederherstellen</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>&amp;Ausschneiden</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Einfügen</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Alles auswählen</translation>
    </message>
    <message>
        <source>Unlock All</source>
        <translation>Alle entsperren</translation>
    </message>
    <message>
        <source>Delete Selected Objects</source>
        <translation>Ausgewählte Objekte löschen</translation>
    </message>
    <message>
        <source>Options ...</source>
        <translation>Optionen ...</translation>
    </message>
    <message>
        <source>&amp;Object</source>
        <translation>&amp;Objekt</translation>
    </message>
    <message>
        <source>Insert Barcode</source>
        <translation>Barcode einfügen</translation>
    </message>
    <message>
        <source>Insert Text</source>
        <translation>Text einfügen</translation>
    </message>
    <message>
        <source>Insert Line</source>
        <translation>Linie einfügen</translation>
    </message>
    <message>
        <source>Insert Rectangle </source>
        <translation>Rechteck einfügen </translation>
    </message>
    <message>
        <source>Insert Ellipse</source>
        <translation>Ellipse einfügen</translation>
    </message>
    <message>
        <source>Insert Picture</source>
        <translation>Bild einfügen</translation>
    </message>
    <message>
        <source>&amp;Object Properties...</source>
        <translation>&amp;Objekteigenschaften...</translation>
    </message>
    <message>
        <source>&amp;Position</source>
        <translation>&amp;Position</translation>
    </message>
    <message>
        <source>Align Left</source>
        <translation>Links ausrichten</translation>
    </message>
    <message>
        <source>Align Right</source>
        <translation>Rechts ausrichten</translation>
    </message>
    <message>
        <source>Align Top</source>
        <translation>Oben ausrichten</translation>
    </message>
    <message>
        <source>Align Bottom</source>
        <translation>Unten ausrichten</translation>
    </message>
    <message>
        <source>Align Horizontal Center</source>
        <translation>Horizontal zentrieren</translation>
    </message>
    <message>
        <source>Align Vertical Center</source>
        <translation>Vertikal zentrieren</translation>
    </message>
    <message>
        <source>&amp;Arrange</source>
        <translation>A&amp;nordnen</translation>
    </message>
    <message>
        <source>Send to Back</source>
        <translation>Eine Ebene nach hinten</translation>
    </message>
    <message>
        <source>Bring to Front</source>
        <translation>Eine Ebene nach vorne</translation>
    </message>
    <message>
        <source>Send to Bottom</source>
        <translation>In den Hintergrund</translation>
    </message>
    <message>
        <source>Bring to Top</source>
        <translation>In den Vordergrund</translation>
    </message>
    <message>
        <source>&amp;Data</source>
        <translation>Da&amp;ten</translation>
    </message>
    <message>
        <source>Datasheets...</source>
        <translation>Datenblätter...</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>Werkzeugleiste</translation>
    </message>
    <message>
        <source>Ruler</source>
        <translation>Lineal</translation>
    </message>
    <message>
        <source>State Bar</source>
        <translation>Statusleiste</translation>
    </message>
    <message>
        <source>Actual Size</source>
        <translation>Originalgröße</translation>
    </message>
    <message>
        <source>Zoom In</source>
        <translation>Vergrößern</translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation>Verkleinern</translation>
    </message>
    <message>
        <source>Properties Panel</source>
        <translation>Eigenschaftenleiste</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Contents</source>
        <translation>&amp;Inhalt</translation>
    </message>
    <message>
        <source>Tavix Home Page</source>
        <translation>Tavix-Homepage</translation>
    </message>
    <message>
        <source>Support Mail</source>
        <translation>Support-E-Mail</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation>Ü&amp;ber...</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>New barcode label</source>
        <translation>Neues Barcode-Etikett</translation>
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
        <source>Copy</source>
        <translation>Kopieren</translation>
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
        <source>Datasheets</source>
        <translation>Datenblätter</translation>
    </message>
    <message>
        <source>Configures Options</source>
        <translation>Optionen einstellen</translation>
    </message>
    <message>
        <source>Label &amp; page size</source>
        <translation>Etikett &amp; Seitengröße</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Tools</source>
        <translation>Werkzeuge</translation>
    </message>
    <message>
        <source>Pointer</source>
        <translation>Zeiger</translation>
    </message>
    <message>
        <source>Create barcode object</source>
        <translation>Barcodeobjekt erstellen</translation>
    </message>
    <message>
        <source>Choose barcode type</source>
        <translation>Barcodetyp wählen</translation>
    </message>
    <message>
        <source>Create text object</source>
        <translation>Textobjekt erstellen</translation>
    </message>
    <message>
        <source>Create line object</source>
        <translation>Linienobjekt erstellen</translation>
    </message>
    <message>
        <source>Create rectangle object</source>
        <translation>Rechteckobjekt erstellen</translation>
    </message>
    <message>
        <source>Create ellipse object</source>
        <translation>Ellipsenobjekt erstellen</translation>
    </message>
    <message>
        <source>Create picture object</source>
        <translation>Bildobjekt erstellen</translation>
    </message>
    <message>
        <source>More Properties...</source>
        <translation>Weitere Eigenschaften...</translation>
    </message>
    <message>
        <source>Unlock all objects</source>
        <translation>Alle Objekte entsperren</translation>
    </message>
    <message>
        <source>Delete selected objects</source>
        <translation>Ausgewählte Objekte löschen</translation>
    </message>
    <message>
        <source>Zoom in</source>
        <translation>Vergrößern</translation>
    </message>
    <message>
        <source>Zoom out</source>
        <translation>Verkleinern</translation>
    </message>
    <message>
        <source>Actual size</source>
        <translation>Originalgröße</translation>
    </message>
    <message>
        <source>Align</source>
        <translation>Ausrichten</translation>
    </message>
    <message>
        <source>Align selected object to left</source>
        <translation>Ausgewähltes Objekt links ausrichten</translation>
    </message>
    <message>
        <source>Align selected object to right</source>
        <translation>Ausgewähltes Objekt rechts ausrichten</translation>
    </message>
    <message>
        <source>Align selected object to top</source>
        <translation>Ausgewähltes Objekt oben ausrichten</translation>
    </message>
    <message>
        <source>Align selected object to bottom</source>
        <translation>Ausgewähltes Objekt unten ausrichten</translation>
    </message>
    <message>
        <source>Align selected object to horizontal center</source>
        <translation>Ausgewähltes Objekt horizontal zentrieren</translation>
    </message>
    <message>
        <source>Align selected object to vertical center</source>
        <translation>Ausgewähltes Objekt vertikal zentrieren</translation>
    </message>
    <message>
        <source>Bring to front</source>
        <translation>Eine Ebene nach vorne</translation>
    </message>
    <message>
        <source>Send to back</source>
        <translation>Eine Ebene nach hinten</translation>
    </message>
    <message>
        <source>Bring to top</source>
        <translation>In den Vordergrund</translation>
    </message>
    <message>
        <source>Send to bottom</source>
        <translation>In den Hintergrund</translation>
    </message>
    <message>
        <source>Label design</source>
        <translation>Etikettenentwurf</translation>
    </message>
    <message>
        <source>    Properties</source>
        <translation>    Eigenschaften</translation>
    </message>
    <message>
        <source>Properties</source>
        <translation>Eigenschaften</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Lock</source>
        <translation>Sperren</translation>
    </message>
    <message>
        <source>Unlock Alll</source>
        <translation>Alle entsperren</translation>
    </message>
    <message>
        <source>Arrange</source>
        <translation>Anordnen</translation>
    </message>
    <message>
        <source>Current file has been modified, Save it?</source>
        <translation>Die aktuelle Datei wurde geändert. Speichern?</translation>
    </message>
    <message>
        <source>File %1 does not exist, Please check it! </source>
        <translation>Die Datei %1 existiert nicht. Bitte prüfen Sie den Namen! </translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Speichern unter</translation>
    </message>
    <message>
        <source>Print History...</source>
        <translation>Druckverlauf...</translation>
    </message>
</context>
<context>
    <name>TFM_ObjPro</name>
    <message>
        <source>&amp;Font...</source>
        <translation>&amp;Schrift...</translation>
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
        <source> Code Origin </source>
        <translation> Codeherkunft </translation>
    </message>
    <message>
        <source>Constant Code:</source>
        <translation>Fester Code:</translation>
    </message>
    <message>
        <source>Choose Control Char</source>
        <translation>Steuerzeichen wählen</translation>
    </message>
    <message>
        <source>From DataGrid:</source>
        <translation>Aus dem Datenblatt:</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Edit the datasheet</source>
        <translation>Datenblatt bearbeiten</translation>
    </message>
    <message>
        <source>Check all codes of the column</source>
        <translation>Alle Codes der Spalte prüfen</translation>
    </message>
    <message>
        <source>Date or Time</source>
        <translation>Datum oder Uhrzeit</translation>
    </message>
    <message>
        <source> Bar code </source>
        <translation> Barcode </translation>
    </message>
    <message>
        <source>Symbology:</source>
        <translation>Symbologie:</translation>
    </message>
    <message>
        <source>Human Readable Align:</source>
        <translation>Ausrichtung der Klarschrift:</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Links</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Rechts</translation>
    </message>
    <message>
        <source>Center</source>
        <translation>Zentriert</translation>
    </message>
    <message>
        <source>Angle:</source>
        <translation>Winkel:</translation>
    </message>
    <message>
        <source>CheckSum</source>
        <translation>Prüfziffer</translation>
    </message>
    <message>
        <source>Show Human Readable Text</source>
        <translation>Klarschrift anzeigen</translation>
    </message>
    <message>
        <source>Be Center while Variational Barcode Width </source>
        <translation>Bei veränderlicher Barcodebreite zentrieren </translation>
    </message>
    <message>
        <source>Bar Ratio:</source>
        <translation>Balkenverhältnis:</translation>
    </message>
    <message>
        <source>Bar Height:</source>
        <translation>Balkenhöhe:</translation>
    </message>
    <message>
        <source>Bar Modul:</source>
        <translation>Modulbreite:</translation>
    </message>
    <message>
        <source> Preview </source>
        <translation> Vorschau </translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source> Text Origin </source>
        <translation> Textherkunft </translation>
    </message>
    <message>
        <source>Constant Text</source>
        <translation>Fester Text</translation>
    </message>
    <message>
        <source>From DataGrid</source>
        <translation>Aus dem Datenblatt</translation>
    </message>
    <message>
        <source> Text Style</source>
        <translation> Textstil</translation>
    </message>
    <message>
        <source>Formatted Text </source>
        <translation>Formatierter Text </translation>
    </message>
    <message>
        <source>Alignment:</source>
        <translation>Ausrichtung:</translation>
    </message>
    <message>
        <source> Picture Origin </source>
        <translation> Bildherkunft </translation>
    </message>
    <message>
        <source>Embedded Picture:</source>
        <translation>Eingebettetes Bild:</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>&amp;Durchsuchen...</translation>
    </message>
    <message>
        <source>Picture</source>
        <translation>Bild</translation>
    </message>
    <message>
        <source> Picture Size </source>
        <translation> Bildgröße </translation>
    </message>
    <message>
        <source>Custom:</source>
        <translation>Benutzerdefiniert:</translation>
    </message>
    <message>
        <source>By Ratio:</source>
        <translation>Proportional:</translation>
    </message>
    <message>
        <source>Reset Size</source>
        <translation>Größe zurücksetzen</translation>
    </message>
    <message>
        <source>Wdith:     </source>
        <translation>Breite:     </translation>
    </message>
    <message>
        <source>height:     </source>
        <translation>Höhe:     </translation>
    </message>
    <message>
        <source>X:</source>
        <translation>X:</translation>
    </message>
    <message>
        <source>Y:</source>
        <translation>Y:</translation>
    </message>
    <message>
        <source>The code cannot be printed: %1</source>
        <translation>Der Code kann nicht gedruckt werden: %1</translation>
    </message>
    <message>
        <source>The symbol is too large to show.</source>
        <translation>Der Code ist zu groß für die Anzeige.</translation>
    </message>
    <message>
        <source>Modify Current %1</source>
        <translation>Aktuelles Objekt ändern: %1</translation>
    </message>
    <message>
        <source>Choose the datasheet column the code comes from.</source>
        <translation>Wählen Sie die Datenblattspalte, aus der der Code stammt.</translation>
    </message>
    <message>
        <source>Choose the datasheet column the text comes from.</source>
        <translation>Wählen Sie die Datenblattspalte, aus der der Text stammt.</translation>
    </message>
    <message>
        <source>width</source>
        <translation>die Breite</translation>
    </message>
    <message>
        <source>height</source>
        <translation>die Höhe</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid floating point value for the picture %2.</source>
        <translation>„%1“ ist keine gültige Dezimalzahl für %2 des Bildes.</translation>
    </message>
    <message>
        <source>Value &apos;%1&apos; in line %2 is a invalid code for bar code</source>
        <translation>Der Wert „%1“ in Zeile %2 ist kein gültiger Code für den Barcode</translation>
    </message>
    <message>
        <source>All codes are passed!</source>
        <translation>Alle Codes sind gültig!</translation>
    </message>
    <message>
        <source>Open Picture</source>
        <translation>Bild öffnen</translation>
    </message>
    <message>
        <source>Pictures (*.bmp *.dib *.ico *.emf *.wmf *.jpg *.jpeg *.png *.gif);;All files (*)</source>
        <translation>Bilder (*.bmp *.dib *.ico *.emf *.wmf *.jpg *.jpeg *.png *.gif);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; holds no picture that can be shown.</source>
        <translation>Die Datei „%1“ enthält kein anzeigbares Bild.</translation>
    </message>
    <message>
        <source>Label Setup </source>
        <translation>Etiketteneinrichtung </translation>
    </message>
    <message>
        <source>Properties</source>
        <translation>Eigenschaften</translation>
    </message>
    <message>
        <source>Value &apos;%1&apos; is an invalid code for selected bar code format!</source>
        <translation>Der Wert „%1“ ist kein gültiger Code für das gewählte Barcodeformat!</translation>
    </message>
    <message>
        <source>Others</source>
        <translation>Sonstiges</translation>
    </message>
    <message>
        <source> 2D code </source>
        <translation> 2D-Code </translation>
    </message>
    <message>
        <source>Error correction:</source>
        <translation>Fehlerkorrektur:</translation>
    </message>
    <message>
        <source>Size:</source>
        <translation>Größe:</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>Automatisch</translation>
    </message>
    <message>
        <source>GS1 data (Application Identifiers)</source>
        <translation>GS1-Daten (Datenbezeichner)</translation>
    </message>
    <message>
        <source>Columns:</source>
        <translation>Spalten:</translation>
    </message>
    <message>
        <source>Level %1</source>
        <translation>Stufe %1</translation>
    </message>
    <message>
        <source>Version %1 (%2)</source>
        <translation>Version %1 (%2)</translation>
    </message>
    <message>
        <source>Compact %1 (%2)</source>
        <translation>Kompakt %1 (%2)</translation>
    </message>
    <message>
        <source>Full %1 (%2)</source>
        <translation>Voll %1 (%2)</translation>
    </message>
    <message>
        <source>Automatic (square)</source>
        <translation>Automatisch (quadratisch)</translation>
    </message>
    <message>
        <source>Automatic (square or rectangular)</source>
        <translation>Automatisch (quadratisch oder rechteckig)</translation>
    </message>
</context>
<context>
    <name>TFM_Preview</name>
    <message>
        <source>Tagmora - Preview</source>
        <translation>Tagmora - Vorschau</translation>
    </message>
    <message>
        <source>&amp;Print ...</source>
        <translation>&amp;Drucken ...</translation>
    </message>
    <message>
        <source>&amp;Setting ...</source>
        <translation>&amp;Einstellungen ...</translation>
    </message>
    <message>
        <source>View:</source>
        <translation>Ansicht:</translation>
    </message>
    <message>
        <source>Page:</source>
        <translation>Seite:</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Ansicht</translation>
    </message>
    <message>
        <source>Page</source>
        <translation>Seite</translation>
    </message>
    <message>
        <source>Page picture</source>
        <translation>Seitenbild</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>Print ...</source>
        <translation>Drucken ...</translation>
    </message>
    <message>
        <source>Setting ...</source>
        <translation>Einstellungen ...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>Next Page</source>
        <translation>Nächste Seite</translation>
    </message>
    <message>
        <source>Previous Page</source>
        <translation>Vorherige Seite</translation>
    </message>
</context>
<context>
    <name>TFM_Print</name>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <source> Printer </source>
        <translation> Drucker </translation>
    </message>
    <message>
        <source>Printer</source>
        <translation>Drucker</translation>
    </message>
    <message>
        <source>&amp;Setting ...</source>
        <translation>&amp;Einstellungen ...</translation>
    </message>
    <message>
        <source>P&amp;roperties ...</source>
        <translation>&amp;Eigenschaften ...</translation>
    </message>
    <message>
        <source>The printer&apos;s own options</source>
        <translation>Die eigenen Optionen des Druckers</translation>
    </message>
    <message>
        <source> Print Pages Range </source>
        <translation> Druckbereich </translation>
    </message>
    <message>
        <source>Print Pages Range</source>
        <translation>Druckbereich</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Alle</translation>
    </message>
    <message>
        <source>Pages From</source>
        <translation>Seiten von</translation>
    </message>
    <message>
        <source>From</source>
        <translation>Von</translation>
    </message>
    <message>
        <source>to</source>
        <translation>bis</translation>
    </message>
    <message>
        <source>Copies </source>
        <translation>Exemplare </translation>
    </message>
    <message>
        <source>Copies</source>
        <translation>Exemplare</translation>
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
        <source>&amp;Preview</source>
        <translation>&amp;Vorschau</translation>
    </message>
    <message>
        <source>Print to PDF &amp;file…</source>
        <translation>In &amp;PDF-Datei drucken…</translation>
    </message>
    <message>
        <source>Print into a PDF file; no printer is needed</source>
        <translation>In eine PDF-Datei drucken; es wird kein Drucker benötigt</translation>
    </message>
    <message>
        <source>Print to PDF file</source>
        <translation>In PDF-Datei drucken</translation>
    </message>
    <message>
        <source>PDF File (*.pdf)</source>
        <translation>PDF-Datei (*.pdf)</translation>
    </message>
    <message>
        <source>Name:           %1</source>
        <translation>Name:           %1</translation>
    </message>
    <message>
        <source>(no printer)</source>
        <translation>(kein Drucker)</translation>
    </message>
    <message>
        <source>Print Quality:  %1 DPI</source>
        <translation>Druckqualität:  %1 DPI</translation>
    </message>
    <message>
        <source>[ %1 Pages ]</source>
        <translation>[ %1 Seiten ]</translation>
    </message>
    <message>
        <source>Value must be numeric!</source>
        <translation>Der Wert muss numerisch sein!</translation>
    </message>
</context>
<context>
    <name>TFM_Sdata</name>
    <message>
        <source>Generate Sequence</source>
        <translation>Zahlenfolge erzeugen</translation>
    </message>
    <message>
        <source>Prefix:</source>
        <translation>Präfix:</translation>
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
        <source>Repeat :</source>
        <translation>Wiederholen:</translation>
    </message>
    <message>
        <source>Step :</source>
        <translation>Schrittweite:</translation>
    </message>
    <message>
        <source>Suffix:</source>
        <translation>Suffix:</translation>
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
        <source>Value must be numeric!</source>
        <translation>Der Wert muss numerisch sein!</translation>
    </message>
</context>
<context>
    <name>TFM_options</name>
    <message>
        <source>Configures Options</source>
        <translation>Optionen einstellen</translation>
    </message>
    <message>
        <source> System Units</source>
        <translation> Maßeinheit</translation>
    </message>
    <message>
        <source>Units : </source>
        <translation>Einheit: </translation>
    </message>
    <message>
        <source>centimeter</source>
        <translation>Zentimeter</translation>
    </message>
    <message>
        <source>inch </source>
        <translation>Zoll </translation>
    </message>
    <message>
        <source> Recent Files</source>
        <translation> Zuletzt geöffnete Dateien</translation>
    </message>
    <message>
        <source>Count of Recent Files Listed in File Menu</source>
        <translation>Anzahl der zuletzt geöffneten Dateien im Menü Datei</translation>
    </message>
    <message>
        <source> Default Save Directory </source>
        <translation> Standardordner zum Speichern </translation>
    </message>
    <message>
        <source>Default Save Directory</source>
        <translation>Standardordner zum Speichern</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Durchsuchen...</translation>
    </message>
    <message>
        <source> While Bar Code Encode a Invalid Code </source>
        <translation> Bei einem ungültigen Barcode-Wert </translation>
    </message>
    <message>
        <source>Ignore error, continue print ext label</source>
        <translation>Fehler ignorieren, mit dem nächsten Etikett fortfahren</translation>
    </message>
    <message>
        <source>Abort printing</source>
        <translation>Druck abbrechen</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Please Select Directory: </source>
        <translation>Bitte wählen Sie einen Ordner: </translation>
    </message>
    <message>
        <source> Printers </source>
        <translation> Drucker </translation>
    </message>
    <message>
        <source>No printer is installed.</source>
        <translation>Es ist kein Drucker installiert.</translation>
    </message>
    <message>
        <source>Printer:</source>
        <translation>Drucker:</translation>
    </message>
    <message>
        <source>Move right (mm):</source>
        <translation>Nach rechts verschieben (mm):</translation>
    </message>
    <message>
        <source>Move down (mm):</source>
        <translation>Nach unten verschieben (mm):</translation>
    </message>
    <message>
        <source>Scale across (%):</source>
        <translation>Skalierung waagerecht (%):</translation>
    </message>
    <message>
        <source>Scale down (%):</source>
        <translation>Skalierung senkrecht (%):</translation>
    </message>
    <message>
        <source>Print Calibration Sheet</source>
        <translation>Kalibrierbogen drucken</translation>
    </message>
    <message>
        <source> Measured on the Calibration Sheet </source>
        <translation> Auf dem Kalibrierbogen gemessen </translation>
    </message>
    <message>
        <source>Crosshair A from the left edge (mm):</source>
        <translation>Fadenkreuz A vom linken Rand (mm):</translation>
    </message>
    <message>
        <source>Crosshair A from the top edge (mm):</source>
        <translation>Fadenkreuz A vom oberen Rand (mm):</translation>
    </message>
    <message>
        <source>A to B (mm):</source>
        <translation>A bis B (mm):</translation>
    </message>
    <message>
        <source>A to C (mm):</source>
        <translation>A bis C (mm):</translation>
    </message>
    <message>
        <source>Work Out Move and Scale</source>
        <translation>Verschiebung und Skalierung berechnen</translation>
    </message>
    <message>
        <source>This printer takes ZPL II (thermal label printer)</source>
        <translation>Dieser Drucker versteht ZPL II (Thermo-Etikettendrucker)</translation>
    </message>
    <message>
        <source>%1 dpi</source>
        <translation>%1 dpi</translation>
    </message>
    <message>
        <source>Printer&apos;s own</source>
        <translation>Druckereinstellung</translation>
    </message>
    <message>
        <source>Labels with gaps</source>
        <translation>Etiketten mit Lücken</translation>
    </message>
    <message>
        <source>Continuous roll</source>
        <translation>Endlosrolle</translation>
    </message>
    <message>
        <source>Black mark</source>
        <translation>Schwarze Marke</translation>
    </message>
    <message>
        <source>Resolution:</source>
        <translation>Auflösung:</translation>
    </message>
    <message>
        <source>Darkness (0-30):</source>
        <translation>Schwärzung (0-30):</translation>
    </message>
    <message>
        <source>Speed (inches per second):</source>
        <translation>Geschwindigkeit (Zoll pro Sekunde):</translation>
    </message>
    <message>
        <source>Media:</source>
        <translation>Medium:</translation>
    </message>
    <message>
        <source>The calibration sheet could not be printed: %1</source>
        <translation>Der Kalibrierbogen konnte nicht gedruckt werden: %1</translation>
    </message>
    <message>
        <source>These measurements give no usable calibration: the sheet must move by at most 50 mm and scale between 50 and 150 %. Please measure again.</source>
        <translation>Diese Messwerte ergeben keine brauchbare Kalibrierung: der Bogen darf sich um höchstens 50 mm verschieben und zwischen 50 und 150 % skalieren. Bitte messen Sie erneut.</translation>
    </message>
</context>
<context>
    <name>THelpBrowser</name>
    <message>
        <source>Help page</source>
        <translation>Hilfeseite</translation>
    </message>
</context>
<context>
    <name>THelpWindow</name>
    <message>
        <source>Tagmora Help</source>
        <translation>Tagmora-Hilfe</translation>
    </message>
    <message>
        <source>Help navigation</source>
        <translation>Hilfenavigation</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>Inhalt</translation>
    </message>
    <message>
        <source>Index</source>
        <translation>Index</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Suchen</translation>
    </message>
</context>
<context>
    <name>TIntSpinBox</name>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>„%1“ ist keine gültige Ganzzahl</translation>
    </message>
</context>
<context>
    <name>TLabelPlan</name>
    <message>
        <source>Object sections are nested more than %1 deep</source>
        <translation>Objektabschnitte sind tiefer als %1 Ebenen verschachtelt</translation>
    </message>
    <message>
        <source>The label has more than %1 objects</source>
        <translation>Das Etikett hat mehr als %1 Objekte</translation>
    </message>
    <message>
        <source>Invalid object: %1</source>
        <translation>Ungültiges Objekt: %1</translation>
    </message>
</context>
<context>
    <name>TLabelSetupPage</name>
    <message>
        <source> Output Labels Range </source>
        <translation> Auszugebende Etiketten </translation>
    </message>
    <message>
        <source>Number of Copies for Current Label :</source>
        <translation>Anzahl Exemplare des aktuellen Etiketts:</translation>
    </message>
    <message>
        <source>All Items From Datasheet</source>
        <translation>Alle Einträge des Datenblatts</translation>
    </message>
    <message>
        <source> Paper </source>
        <translation> Papier </translation>
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
        <source>Paper:</source>
        <translation>Papier:</translation>
    </message>
    <message>
        <source>Orientation:</source>
        <translation>Ausrichtung:</translation>
    </message>
    <message>
        <source>Printer and Paper Setup</source>
        <translation>Drucker und Papier einrichten</translation>
    </message>
    <message>
        <source>Page</source>
        <translation>Seite</translation>
    </message>
    <message>
        <source>Auto Calculate</source>
        <translation>Automatisch berechnen</translation>
    </message>
    <message>
        <source>Columns:</source>
        <translation>Spalten:</translation>
    </message>
    <message>
        <source>Rows:</source>
        <translation>Zeilen:</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Breite:</translation>
    </message>
    <message>
        <source>Height:</source>
        <translation>Höhe:</translation>
    </message>
    <message>
        <source>Corner Radius:</source>
        <translation>Eckenradius:</translation>
    </message>
    <message>
        <source>Left:</source>
        <translation>Links:</translation>
    </message>
    <message>
        <source>Top:</source>
        <translation>Oben:</translation>
    </message>
    <message>
        <source>V Space:</source>
        <translation>V-Abstand:</translation>
    </message>
    <message>
        <source>Right:</source>
        <translation>Rechts:</translation>
    </message>
    <message>
        <source>Bottom:</source>
        <translation>Unten:</translation>
    </message>
    <message>
        <source>H Space:</source>
        <translation>H-Abstand:</translation>
    </message>
    <message>
        <source> Output order </source>
        <translation> Ausgabereihenfolge </translation>
    </message>
    <message>
        <source>TopLeft</source>
        <translation>Oben links</translation>
    </message>
    <message>
        <source>BottomLeft</source>
        <translation>Unten links</translation>
    </message>
    <message>
        <source>TopRight</source>
        <translation>Oben rechts</translation>
    </message>
    <message>
        <source>BottomRight</source>
        <translation>Unten rechts</translation>
    </message>
    <message>
        <source>Horizontal</source>
        <translation>Waagerecht</translation>
    </message>
    <message>
        <source>Vertical</source>
        <translation>Senkrecht</translation>
    </message>
    <message>
        <source>Start:</source>
        <translation>Beginn:</translation>
    </message>
    <message>
        <source>Direction:</source>
        <translation>Richtung:</translation>
    </message>
    <message>
        <source>Corner Crop Marks</source>
        <translation>Schnittmarken an den Ecken</translation>
    </message>
    <message>
        <source>A label of no width or height cannot be laid out on the page: give the label a size or a space between labels.</source>
        <translation>Ein Etikett ohne Breite oder Höhe kann nicht auf der Seite angeordnet werden: geben Sie dem Etikett eine Größe oder einen Abstand zwischen den Etiketten.</translation>
    </message>
    <message>
        <source>Too many columns out of page! </source>
        <translation>Zu viele Spalten, sie passen nicht auf die Seite! </translation>
    </message>
    <message>
        <source>Too many rows out of page! </source>
        <translation>Zu viele Zeilen, sie passen nicht auf die Seite! </translation>
    </message>
    <message>
        <source>No printer is installed.</source>
        <translation>Es ist kein Drucker installiert.</translation>
    </message>
    <message>
        <source>The label needs a width and a height.</source>
        <translation>Das Etikett braucht eine Breite und eine Höhe.</translation>
    </message>
    <message>
        <source>Label Setup</source>
        <translation>Etiketteneinrichtung</translation>
    </message>
    <message>
        <source> Label Products </source>
        <translation> Etikettenprodukte </translation>
    </message>
    <message>
        <source>Search: maker, part number or description</source>
        <translation>Suche: Hersteller, Artikelnummer oder Beschreibung</translation>
    </message>
    <message>
        <source>Search label products</source>
        <translation>Etikettenprodukte suchen</translation>
    </message>
    <message>
        <source>Label products</source>
        <translation>Etikettenprodukte</translation>
    </message>
    <message>
        <source>Save as Template...</source>
        <translation>Als Vorlage speichern...</translation>
    </message>
    <message>
        <source>%1 - %2: %3 x %4, %5 x %6 mm, %7</source>
        <translation>%1 - %2: %3 x %4, %5 x %6 mm, %7</translation>
    </message>
    <message>
        <source>own paper</source>
        <translation>eigenes Papier</translation>
    </message>
    <message>
        <source>%1: %2 labels a sheet.</source>
        <translation>%1: %2 Etiketten je Bogen.</translation>
    </message>
    <message>
        <source>%1 is approximated: %2.</source>
        <translation>%1 wird angenähert: %2.</translation>
    </message>
    <message>
        <source>Save as Template</source>
        <translation>Als Vorlage speichern</translation>
    </message>
    <message>
        <source>Maker and part number, as in &quot;Tavix T-21&quot;:</source>
        <translation>Hersteller und Artikelnummer, etwa &quot;Tavix T-21&quot;:</translation>
    </message>
    <message>
        <source>A template needs a maker and a part number.</source>
        <translation>Eine Vorlage braucht Hersteller und Artikelnummer.</translation>
    </message>
    <message>
        <source>Saved from Tagmora</source>
        <translation>Aus Tagmora gespeichert</translation>
    </message>
    <message>
        <source>Cannot save the template %1: %2</source>
        <translation>Die Vorlage %1 kann nicht gespeichert werden: %2</translation>
    </message>
    <message>
        <source>Custom...</source>
        <translation>Benutzerdefiniert...</translation>
    </message>
    <message>
        <source>Roll (one label per page)</source>
        <translation>Rolle (ein Etikett je Seite)</translation>
    </message>
    <message>
        <source>Paper Width:</source>
        <translation>Papierbreite:</translation>
    </message>
    <message>
        <source>Paper Length:</source>
        <translation>Papierlänge:</translation>
    </message>
</context>
<context>
    <name>TPropertiesPanel</name>
    <message>
        <source>    Properties</source>
        <translation>    Eigenschaften</translation>
    </message>
    <message>
        <source>More ...</source>
        <translation>Mehr ...</translation>
    </message>
    <message>
        <source>Border Color</source>
        <translation>Rahmenfarbe</translation>
    </message>
    <message>
        <source>Fill Color</source>
        <translation>Füllfarbe</translation>
    </message>
    <message>
        <source>Left:</source>
        <translation>Links:</translation>
    </message>
    <message>
        <source>Top:</source>
        <translation>Oben:</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Breite:</translation>
    </message>
    <message>
        <source>Height:</source>
        <translation>Höhe:</translation>
    </message>
    <message>
        <source>Border Width:</source>
        <translation>Rahmenbreite:</translation>
    </message>
    <message>
        <source>Corner Radius:</source>
        <translation>Eckenradius:</translation>
    </message>
    <message>
        <source>Border Style:</source>
        <translation>Rahmenstil:</translation>
    </message>
    <message>
        <source>Fill Style:</source>
        <translation>Füllstil:</translation>
    </message>
    <message>
        <source>Move</source>
        <translation>Verschieben</translation>
    </message>
    <message>
        <source>Resize</source>
        <translation>Größe ändern</translation>
    </message>
    <message>
        <source>Border Width</source>
        <translation>Rahmenbreite</translation>
    </message>
    <message>
        <source>Corner Radius</source>
        <translation>Eckenradius</translation>
    </message>
    <message>
        <source>Border Style</source>
        <translation>Rahmenstil</translation>
    </message>
    <message>
        <source>Fill Style</source>
        <translation>Füllstil</translation>
    </message>
</context>
<context>
    <name>TRealSpinBox</name>
    <message>
        <source>&apos;%1&apos; is not a valid floating point value</source>
        <translation>„%1“ ist keine gültige Dezimalzahl</translation>
    </message>
</context>
<context>
    <name>TRuler</name>
    <message>
        <source>Horizontal ruler</source>
        <translation>Horizontales Lineal</translation>
    </message>
    <message>
        <source>Vertical ruler</source>
        <translation>Vertikales Lineal</translation>
    </message>
</context>
<context>
    <name>ZplPrinter</name>
    <message>
        <source>No file or printer to print to</source>
        <translation>Keine Datei und kein Drucker zum Drucken</translation>
    </message>
    <message>
        <source>A page of %1 x %2 dots is more than a label printer takes (%3 dots)</source>
        <translation>Eine Seite von %1 x %2 Punkten ist größer, als ein Etikettendrucker annimmt (%3 Punkte)</translation>
    </message>
    <message>
        <source>There is not enough memory for a page of %1 x %2 dots</source>
        <translation>Für eine Seite von %1 x %2 Punkten reicht der Speicher nicht</translation>
    </message>
    <message>
        <source>The printer %1 did not take the job: %2</source>
        <translation>Der Drucker %1 hat den Auftrag nicht angenommen: %2</translation>
    </message>
    <message>
        <source>not a printer address (socket://HOST or socket://HOST:PORT)</source>
        <translation>keine Druckeradresse (socket://HOST oder socket://HOST:PORT)</translation>
    </message>
    <message>
        <source>the print job</source>
        <translation>den Druckauftrag</translation>
    </message>
</context>
</TS>

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>Barcode</name>
    <message>
        <source>Barcode must be numeric</source>
        <translation>Le code-barres doit être numérique</translation>
    </message>
    <message>
        <source>System error!</source>
        <translation>Erreur système&#xa0;!</translation>
    </message>
    <message>
        <source>System internal Error</source>
        <translation>Erreur interne du système</translation>
    </message>
    <message>
        <source>Code93 bad Data !</source>
        <translation>Code93&#xa0;: données incorrectes&#xa0;!</translation>
    </message>
    <message>
        <source>Codabar bad Data: only 0-9, - $ : / . + and A-D can be encoded</source>
        <translation>Codabar : données incorrectes : seuls 0-9, - $ : / . + et A-D peuvent être codés</translation>
    </message>
    <message>
        <source>UPC-E code must have number system 0 or 1</source>
        <translation>Un code UPC-E doit avoir le système de numérotation 0 ou 1</translation>
    </message>
    <message>
        <source>Code128 bad Data: characters 129 to 192 and 197 to 255 cannot be encoded</source>
        <translation>Code128&#xa0;: données incorrectes&#xa0;: les caractères 129 à 192 et 197 à 255 ne peuvent pas être codés</translation>
    </message>
    <message>
        <source>Barcode text holds a character that is not 8-bit text</source>
        <translation>Le texte du code-barres contient un caractère qui n&apos;est pas du texte 8 bits</translation>
    </message>
    <message>
        <source>Barcode too wide</source>
        <translation>Code-barres trop large</translation>
    </message>
    <message>
        <source>Code39 bad Data: only 0-9, A-Z, space and - . $ / + % can be encoded</source>
        <translation>Code39&#xa0;: données incorrectes&#xa0;: seuls 0-9, A-Z, l&apos;espace et - . $ / + % peuvent être codés</translation>
    </message>
    <message>
        <source>Codabar bad Data: A, B, C and D can only start and end the code</source>
        <translation>Codabar&#xa0;: données incorrectes&#xa0;: A, B, C et D ne peuvent que commencer et terminer le code</translation>
    </message>
    <message>
        <source>Barcode has no data</source>
        <translation>Le code-barres ne contient aucune donnée</translation>
    </message>
    <message>
        <source>EAN128 bad Data: identifiers 00 (SSCC) and 01, 02 (GTIN) need 18 and 14 digits</source>
        <translation>EAN128&#xa0;: données incorrectes&#xa0;: les identifiants 00 (SSCC) et 01, 02 (GTIN) exigent 18 et 14 chiffres</translation>
    </message>
    <message>
        <source>Barcode bad Data: characters above 127 cannot be encoded</source>
        <translation>Code-barres&#xa0;: données incorrectes&#xa0;: les caractères au-delà de 127 ne peuvent pas être codés</translation>
    </message>
    <message>
        <source>Code128A bad Data: only characters 0 to 95 can be encoded</source>
        <translation>Code128A&#xa0;: données incorrectes&#xa0;: seuls les caractères 0 à 95 peuvent être codés</translation>
    </message>
    <message>
        <source>Code128B bad Data: only characters 32 to 126 can be encoded</source>
        <translation>Code128B&#xa0;: données incorrectes&#xa0;: seuls les caractères 32 à 126 peuvent être codés</translation>
    </message>
    <message>
        <source>Barcode Ratio too small: wide elements would be narrower than narrow ones</source>
        <translation>Rapport du code-barres trop petit&#xa0;: les éléments larges seraient plus étroits que les étroits</translation>
    </message>
    <message>
        <source>Barcode has more digits than the symbol holds</source>
        <translation>Le code-barres a plus de chiffres que le symbole ne peut en contenir</translation>
    </message>
    <message>
        <source>Wrong check digit: the last digit must be 0</source>
        <translation>Chiffre de contrôle erroné&#xa0;: le dernier chiffre doit être 0</translation>
    </message>
    <message>
        <source>Wrong check digit: the last digit must be 1</source>
        <translation>Chiffre de contrôle erroné&#xa0;: le dernier chiffre doit être 1</translation>
    </message>
    <message>
        <source>Wrong check digit: the last digit must be 2</source>
        <translation>Chiffre de contrôle erroné&#xa0;: le dernier chiffre doit être 2</translation>
    </message>
    <message>
        <source>Wrong check digit: the last digit must be 3</source>
        <translation>Chiffre de contrôle erroné&#xa0;: le dernier chiffre doit être 3</translation>
    </message>
    <message>
        <source>Wrong check digit: the last digit must be 4</source>
        <translation>Chiffre de contrôle erroné&#xa0;: le dernier chiffre doit être 4</translation>
    </message>
    <message>
        <source>Wrong check digit: the last digit must be 5</source>
        <translation>Chiffre de contrôle erroné&#xa0;: le dernier chiffre doit être 5</translation>
    </message>
    <message>
        <source>Wrong check digit: the last digit must be 6</source>
        <translation>Chiffre de contrôle erroné&#xa0;: le dernier chiffre doit être 6</translation>
    </message>
    <message>
        <source>Wrong check digit: the last digit must be 7</source>
        <translation>Chiffre de contrôle erroné&#xa0;: le dernier chiffre doit être 7</translation>
    </message>
    <message>
        <source>Wrong check digit: the last digit must be 8</source>
        <translation>Chiffre de contrôle erroné&#xa0;: le dernier chiffre doit être 8</translation>
    </message>
    <message>
        <source>Wrong check digit: the last digit must be 9</source>
        <translation>Chiffre de contrôle erroné&#xa0;: le dernier chiffre doit être 9</translation>
    </message>
    <message>
        <source>Barcode too large to draw</source>
        <translation>Code-barres trop grand pour être dessiné</translation>
    </message>
    <message>
        <source>Barcode does not fit on the label</source>
        <translation>Le code-barres ne tient pas sur l&apos;étiquette</translation>
    </message>
    <message>
        <source>The code cannot be encoded</source>
        <translation>Le code ne peut pas être encodé</translation>
    </message>
</context>
<context>
    <name>CalibrationSheet</name>
    <message>
        <source>Tagmora calibration sheet</source>
        <translation>Feuille d&apos;étalonnage Tagmora</translation>
    </message>
    <message>
        <source>Printer: %1, %2 dpi</source>
        <translation>Imprimante&#xa0;: %1, %2 ppp</translation>
    </message>
    <message>
        <source>Printed: %1</source>
        <translation>Imprimée le&#xa0;: %1</translation>
    </message>
    <message>
        <source>Measure A from the paper&apos;s left and top edges, and A to B and A to C (%1 mm if exact); enter them under Options, Printers.</source>
        <translation>Mesurez A depuis les bords gauche et haut du papier, et de A à B et de A à C (%1 mm si exact)&#xa0;; saisissez-les dans Options, Imprimantes.</translation>
    </message>
    <message>
        <source>No printer is installed.</source>
        <translation>Aucune imprimante n&apos;est installée.</translation>
    </message>
    <message>
        <source>The printer gave nothing to draw on.</source>
        <translation>L&apos;imprimante n&apos;a fourni aucune surface de dessin.</translation>
    </message>
</context>
<context>
    <name>CupsJob</name>
    <message>
        <source>The printer %1 did not take the job: %2</source>
        <translation>L&apos;imprimante %1 n&apos;a pas accepté la tâche&#xa0;: %2</translation>
    </message>
    <message>
        <source>the print job</source>
        <translation>la tâche d&apos;impression</translation>
    </message>
    <message>
        <source>cannot reach the print system at %1</source>
        <translation>impossible de joindre le système d&apos;impression sur %1</translation>
    </message>
</context>
<context>
    <name>DataBinding</name>
    <message>
        <source>Row %1 has no value in column &quot;%2&quot; for its %3 bar code</source>
        <translation>La ligne %1 n’a pas de valeur dans la colonne &quot;%2&quot; pour son code-barres %3</translation>
    </message>
    <message>
        <source>The value &quot;%1&quot; in row %2, column &quot;%3&quot; is not a valid %4 code</source>
        <translation>La valeur &quot;%1&quot; de la ligne %2, colonne &quot;%3&quot;, n’est pas un code %4 valide</translation>
    </message>
</context>
<context>
    <name>DatasheetStream</name>
    <message>
        <source>Datasheet size out of range: %1</source>
        <translation>Taille de la feuille de données hors limites&#xa0;: %1</translation>
    </message>
</context>
<context>
    <name>DesktopPrint</name>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Annuler</translation>
    </message>
    <message>
        <source>The label uses columns the datasheet does not have: %1<byte value="xd"/>Their objects print without data. Print anyway?</source>
        <translation>L&apos;étiquette utilise des colonnes absentes de la feuille de données&#xa0;: %1<byte value="xd"/>Leurs objets seront imprimés sans données. Imprimer quand même&#xa0;?</translation>
    </message>
    <message>
        <source>Print to PDF file</source>
        <translation>Imprimer dans un fichier PDF</translation>
    </message>
    <message>
        <source>PDF File (*.pdf)</source>
        <translation>Fichier PDF (*.pdf)</translation>
    </message>
    <message>
        <source>PDF file</source>
        <translation>fichier PDF</translation>
    </message>
    <message>
        <source>Printing</source>
        <translation>Impression</translation>
    </message>
    <message>
        <source>Cannot write the file %1: %2</source>
        <translation>Impossible d&apos;écrire le fichier %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>There is nothing to print; the file %1 was not written.</source>
        <translation>Il n&apos;y a rien à imprimer&#xa0;; le fichier %1 n&apos;a pas été écrit.</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Aperçu</translation>
    </message>
    <message>
        <source>Rendering label %1 of %2 ...</source>
        <translation>Rendu de l&apos;étiquette %1 sur %2 ...</translation>
    </message>
    <message>
        <source>Printing label %1 of %2, page %3 of %4 ...</source>
        <translation>Impression de l&apos;étiquette %1 sur %2, page %3 sur %4 ...</translation>
    </message>
    <message>
        <source>Cancel stops printing and writes no PDF file.</source>
        <translation>Annuler arrête l&apos;impression et n&apos;écrit aucun fichier PDF.</translation>
    </message>
    <message>
        <source>Cancel stops printing; the printer gets the pages printed so far.</source>
        <translation>Annuler arrête l&apos;impression&#xa0;; l&apos;imprimante reçoit les pages déjà imprimées.</translation>
    </message>
    <message>
        <source>datasheet of the label</source>
        <translation>feuille de données de l&apos;étiquette</translation>
    </message>
    <message>
        <source>The run was printed but could not be recorded in the print history: %1</source>
        <translation>Le tirage a été imprimé mais n&apos;a pas pu être enregistré dans l&apos;historique d&apos;impression&#xa0;: %1</translation>
    </message>
</context>
<context>
    <name>Help</name>
    <message>
        <source>Help file %1 not installed!
Help cannot be displayed.</source>
        <translation>Le fichier d&apos;aide %1 n&apos;est pas installé&#xa0;!
L&apos;aide ne peut pas être affichée.</translation>
    </message>
    <message>
        <source>Help topic %1 cannot be loaded!</source>
        <translation>La rubrique d&apos;aide %1 ne peut pas être chargée&#xa0;!</translation>
    </message>
</context>
<context>
    <name>Import</name>
    <message>
        <source>The file %1 is not a readable Microsoft Access database</source>
        <translation>Le fichier %1 n&apos;est pas une base de données Microsoft Access lisible</translation>
    </message>
    <message>
        <source>Cannot open file %1</source>
        <translation>Impossible d&apos;ouvrir le fichier %1</translation>
    </message>
    <message>
        <source>The database %1 has no table &quot;%2&quot;.</source>
        <translation>La base de données %1 n&apos;a pas de table «&#xa0;%2&#xa0;».</translation>
    </message>
    <message>
        <source>it is damaged</source>
        <translation>il est endommagé</translation>
    </message>
    <message>
        <source>this program was built without Access support</source>
        <translation>ce programme a été compilé sans prise en charge d&apos;Access</translation>
    </message>
    <message>
        <source>Line %1 is too long to import (a line may hold at most %2 MB).</source>
        <translation>La ligne %1 est trop longue pour être importée (une ligne peut contenir au plus %2 Mo).</translation>
    </message>
    <message>
        <source>The file has too many lines to import (at most %1).</source>
        <translation>Le fichier a trop de lignes pour être importé (au plus %1).</translation>
    </message>
    <message>
        <source>The file is too large to import: up to line %1 it holds more than %2 cells.</source>
        <translation>Le fichier est trop volumineux pour être importé&#xa0;: jusqu&apos;à la ligne %1, il contient plus de %2 cellules.</translation>
    </message>
    <message>
        <source>The file is too large to import: up to line %1 its lines hold more than %2 million characters.</source>
        <translation>Le fichier est trop volumineux pour être importé&#xa0;: jusqu&apos;à la ligne %1, ses lignes contiennent plus de %2 millions de caractères.</translation>
    </message>
    <message>
        <source>Line %1 has more fields than a datasheet has columns (at most %2).</source>
        <translation>La ligne %1 a plus de champs qu&apos;une feuille de données n&apos;a de colonnes (au plus %2).</translation>
    </message>
    <message>
        <source>Field %1 of line %2 is too long to import (a cell may hold at most %3 characters).</source>
        <translation>Le champ %1 de la ligne %2 est trop long pour être importé (une cellule peut contenir au plus %3 caractères).</translation>
    </message>
    <message>
        <source>The file is not a text file (it holds NUL bytes); nothing was imported.</source>
        <translation>Le fichier n&apos;est pas un fichier texte (il contient des octets NUL)&#xa0;; rien n&apos;a été importé.</translation>
    </message>
    <message>
        <source>The file is too large to import: it holds more than %1 million characters of UTF-16 text.</source>
        <translation>Le fichier est trop volumineux pour être importé&#xa0;: il contient plus de %1 millions de caractères de texte UTF-16.</translation>
    </message>
    <message>
        <source>The file %1 mixes UTF-8 and Windows-1252 text; each line was read in the encoding it fits. Check the imported text.</source>
        <translation>Le fichier %1 mélange du texte UTF-8 et Windows-1252&#xa0;; chaque ligne a été lue dans l&apos;encodage qui lui correspond. Vérifiez le texte importé.</translation>
    </message>
    <message>
        <source>ASCII Data Files (*.txt *.csv)</source>
        <translation>Fichiers de données ASCII (*.txt *.csv)</translation>
    </message>
    <message>
        <source>Microsoft Excel Files (*.xls)</source>
        <translation>Fichiers Microsoft Excel (*.xls)</translation>
    </message>
    <message>
        <source>Microsoft Excel Workbooks (*.xlsx)</source>
        <translation>Classeurs Microsoft Excel (*.xlsx)</translation>
    </message>
    <message>
        <source>OpenDocument Spreadsheets (*.ods)</source>
        <translation>Classeurs OpenDocument (*.ods)</translation>
    </message>
    <message>
        <source>Microsoft Access Database (*.mdb)</source>
        <translation>Base de données Microsoft Access (*.mdb)</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>The database has no table &quot;%1&quot;. Its tables are: %2.</source>
        <translation>La base de données n&apos;a pas de table «&#xa0;%1&#xa0;». Ses tables sont&#xa0;: %2.</translation>
    </message>
    <message>
        <source>There is nothing to import: the file holds no text.</source>
        <translation>Il n&apos;y a rien à importer&#xa0;: le fichier ne contient aucun texte.</translation>
    </message>
    <message>
        <source>The sheet is too large to import (the datasheet takes at most %1 rows, %2 columns and %3 cells).</source>
        <translation>La feuille est trop grande pour être importée (la feuille de données accepte au plus %1 lignes, %2 colonnes et %3 cellules).</translation>
    </message>
    <message>
        <source>The spreadsheet is too large: its cells hold more than %1 million characters of text.</source>
        <translation>Le classeur est trop volumineux&#xa0;: ses cellules contiennent plus de %1 millions de caractères de texte.</translation>
    </message>
    <message>
        <source>The spreadsheet is too large: %1 holds more than %2 characters of text.</source>
        <translation>Le classeur est trop volumineux&#xa0;: %1 contient plus de %2 caractères de texte.</translation>
    </message>
    <message>
        <source>a cell</source>
        <translation>une cellule</translation>
    </message>
    <message>
        <source>cell %1</source>
        <translation>la cellule %1</translation>
    </message>
    <message>
        <source>The spreadsheet is too large: more than %1 of its cells hold a value.</source>
        <translation>Le classeur est trop volumineux&#xa0;: plus de %1 de ses cellules contiennent une valeur.</translation>
    </message>
    <message>
        <source>Microsoft Excel workbook (.xlsx)</source>
        <translation>classeur Microsoft Excel (.xlsx)</translation>
    </message>
    <message>
        <source>OpenDocument spreadsheet (.ods)</source>
        <translation>classeur OpenDocument (.ods)</translation>
    </message>
    <message>
        <source>The file %1 is not a readable %2</source>
        <translation>Le fichier %1 n&apos;est pas un document lisible de type %2</translation>
    </message>
    <message>
        <source>it is not a zip package</source>
        <translation>il n&apos;est pas une archive ZIP</translation>
    </message>
    <message>
        <source>the part %1 is too large</source>
        <translation>la partie %1 est trop volumineuse</translation>
    </message>
    <message>
        <source>it is damaged: %1</source>
        <translation>il est endommagé&#xa0;: %1</translation>
    </message>
    <message>
        <source>The spreadsheet is too large: its part %1 unpacks to more than can be read (at most %2 MB from a file of this size, and %3 MB of text between two tags).</source>
        <translation>Le classeur est trop volumineux&#xa0;: sa partie %1 se décompresse en plus que ce qui peut être lu (au plus %2 Mo pour un fichier de cette taille, et %3 Mo de texte entre deux balises).</translation>
    </message>
    <message>
        <source>its sheet is missing</source>
        <translation>sa feuille est manquante</translation>
    </message>
    <message>
        <source>it holds no workbook</source>
        <translation>il ne contient aucun classeur</translation>
    </message>
    <message>
        <source>it holds no sheet</source>
        <translation>il ne contient aucune feuille</translation>
    </message>
    <message>
        <source>a cell has the malformed reference %1</source>
        <translation>une cellule a la référence mal formée %1</translation>
    </message>
    <message>
        <source>it is a different kind of document</source>
        <translation>il s&apos;agit d&apos;un autre type de document</translation>
    </message>
    <message>
        <source>it has no content</source>
        <translation>il n&apos;a aucun contenu</translation>
    </message>
    <message>
        <source>this program was built without support for it</source>
        <translation>ce programme a été compilé sans sa prise en charge</translation>
    </message>
    <message>
        <source>The file %1 is not a readable Microsoft Excel 97-2003 workbook</source>
        <translation>Le fichier %1 n&apos;est pas un classeur Microsoft Excel 97-2003 lisible</translation>
    </message>
    <message>
        <source>not enough memory</source>
        <translation>mémoire insuffisante</translation>
    </message>
    <message>
        <source>it is not an Excel 97-2003 file</source>
        <translation>il n&apos;est pas un fichier Excel 97-2003</translation>
    </message>
    <message>
        <source>its text cannot be decoded</source>
        <translation>son texte ne peut pas être décodé</translation>
    </message>
    <message>
        <source>The workbook %1 is password-protected; save it without a password and import it again.</source>
        <translation>Le classeur %1 est protégé par mot de passe&#xa0;; enregistrez-le sans mot de passe et importez-le à nouveau.</translation>
    </message>
    <message>
        <source>it holds no worksheet</source>
        <translation>il ne contient aucune feuille de calcul</translation>
    </message>
    <message>
        <source>its sheet declares more cells than can be read</source>
        <translation>sa feuille déclare plus de cellules qu&apos;il n&apos;est possible d&apos;en lire</translation>
    </message>
    <message>
        <source>it is too large</source>
        <translation>il est trop volumineux</translation>
    </message>
    <message>
        <source>this program was built without Excel 97-2003 support</source>
        <translation>ce programme a été compilé sans prise en charge d&apos;Excel 97-2003</translation>
    </message>
    <message>
        <source>its sheets declare more cells than can be read</source>
        <translation>ses feuilles déclarent plus de cellules qu&apos;il n&apos;est possible d&apos;en lire</translation>
    </message>
    <message>
        <source>its directory is damaged</source>
        <translation>son répertoire est endommagé</translation>
    </message>
    <message>
        <source>its parts overlap</source>
        <translation>ses parties se chevauchent</translation>
    </message>
</context>
<context>
    <name>LabelFile</name>
    <message>
        <source>The label file %1 is cut short: it ends before the length of its %2.</source>
        <translation>Le fichier d&apos;étiquette %1 est tronqué&#xa0;: il se termine avant la longueur du bloc «&#xa0;%2&#xa0;».</translation>
    </message>
    <message>
        <source>Cannot read the label file %1: %2</source>
        <translation>Impossible de lire le fichier d&apos;étiquette %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>The label file %1 is damaged: the length of its %2 is negative (%3).</source>
        <translation>Le fichier d&apos;étiquette %1 est endommagé&#xa0;: la longueur du bloc «&#xa0;%2&#xa0;» est négative (%3).</translation>
    </message>
    <message>
        <source>The label file %1 is cut short: its %2 announces %3 bytes but only %4 follow.</source>
        <translation>Le fichier d&apos;étiquette %1 est tronqué&#xa0;: le bloc «&#xa0;%2&#xa0;» annonce %3 octets mais seuls %4 suivent.</translation>
    </message>
    <message>
        <source>Cannot save the label file %1: the label is too large.</source>
        <translation>Impossible d&apos;enregistrer le fichier d&apos;étiquette %1&#xa0;: l&apos;étiquette est trop grande.</translation>
    </message>
    <message>
        <source>Cannot save the label file %1: %2</source>
        <translation>Impossible d&apos;enregistrer le fichier d&apos;étiquette %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>%1 is not a label file: it is not a regular file.</source>
        <translation>%1 n&apos;est pas un fichier d&apos;étiquette&#xa0;: ce n&apos;est pas un fichier ordinaire.</translation>
    </message>
    <message>
        <source>Cannot open the label file %1: %2</source>
        <translation>Impossible d&apos;ouvrir le fichier d&apos;étiquette %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>label plan</source>
        <translation>plan d&apos;étiquette</translation>
    </message>
    <message>
        <source>datasheet</source>
        <translation>feuille de données</translation>
    </message>
</context>
<context>
    <name>LabelRun</name>
    <message>
        <source>A value in line %1 is a invalid code for selected bar code format!<byte value="xd"/>Abort printing!</source>
        <translation>Une valeur de la ligne %1 n&apos;est pas un code valide pour le format de code-barres choisi&#xa0;!<byte value="xd"/>Impression interrompue&#xa0;!</translation>
    </message>
    <message>
        <source>The bar code of label %1 does not fit on the label!<byte value="xd"/>Abort printing!</source>
        <translation>Le code-barres de l&apos;étiquette %1 ne tient pas sur l&apos;étiquette&#xa0;!<byte value="xd"/>Impression interrompue&#xa0;!</translation>
    </message>
</context>
<context>
    <name>OutputFile</name>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>Impossible d&apos;écrire %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>no room for a temporary copy in %1: %2</source>
        <translation>pas de place pour une copie temporaire dans %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>standard output</source>
        <translation>sortie standard</translation>
    </message>
    <message>
        <source>the output was already closed</source>
        <translation>la sortie était déjà fermée</translation>
    </message>
</context>
<context>
    <name>PdfPrinter</name>
    <message>
        <source>No file to print to</source>
        <translation>Aucun fichier dans lequel imprimer</translation>
    </message>
    <message>
        <source>Cannot write %1</source>
        <translation>Impossible d&apos;écrire %1</translation>
    </message>
</context>
<context>
    <name>PrintJob</name>
    <message>
        <source>No printr device exist! </source>
        <translation>Aucune imprimante n&apos;existe&#xa0;! </translation>
    </message>
    <message>
        <source>Error print range! </source>
        <translation>Plage d&apos;impression erronée&#xa0;! </translation>
    </message>
    <message>
        <source>The label layout has no rows or no columns! </source>
        <translation>La disposition des étiquettes n&apos;a pas de lignes ou pas de colonnes&#xa0;! </translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid page number! </source>
        <translation>«&#xa0;%1&#xa0;» n&apos;est pas un numéro de page valide&#xa0;! </translation>
    </message>
    <message>
        <source>There is no printer named %1</source>
        <translation>Il n&apos;existe aucune imprimante nommée %1</translation>
    </message>
    <message>
        <source>Labels %1-%2 are not in this run of %3 labels! </source>
        <translation>Les étiquettes %1-%2 ne font pas partie de ce tirage de %3 étiquettes&#xa0;! </translation>
    </message>
</context>
<context>
    <name>Printer</name>
    <message>
        <source>the print job</source>
        <translation>la tâche d&apos;impression</translation>
    </message>
    <message>
        <source>The printer %1 cannot start a document</source>
        <translation>L&apos;imprimante %1 ne peut pas commencer de document</translation>
    </message>
</context>
<context>
    <name>PropertyUnits</name>
    <message>
        <source>(Unit: %1)</source>
        <translation>(Unité&#xa0;: %1)</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Warning</source>
        <translation>Avertissement</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Confirmation</translation>
    </message>
    <message>
        <source>Typing</source>
        <translation>Saisie</translation>
    </message>
</context>
<context>
    <name>QPrintDialog</name>
    <message>
        <source>Printer Properties</source>
        <translation>Propriétés de l&apos;imprimante</translation>
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
        <translation>Le nombre de début doit être inférieur au nombre de fin&#xa0;!</translation>
    </message>
    <message>
        <source>A sequence can hold at most %1 values; from %2 to %3 with step %4 and repeat %5 would give more.</source>
        <translation>Une séquence peut contenir au plus %1 valeurs&#xa0;; de %2 à %3 avec un pas de %4 et une répétition de %5, il y en aurait davantage.</translation>
    </message>
</context>
<context>
    <name>StatusTexts</name>
    <message>
        <source>  Zoom: %1%</source>
        <translation>  Zoom&#xa0;: %1%</translation>
    </message>
    <message>
        <source> Label Size Width: %1 %3 Height: %2 %3</source>
        <translation> Taille d&apos;étiquette Largeur&#xa0;: %1 %3 Hauteur&#xa0;: %2 %3</translation>
    </message>
    <message>
        <source>Field [ %1 ]</source>
        <translation>Champ [ %1 ]</translation>
    </message>
    <message>
        <source>- Locked</source>
        <translation>- Verrouillé</translation>
    </message>
    <message>
        <source>  Rectangle Object %1</source>
        <translation>  Objet rectangle %1</translation>
    </message>
    <message>
        <source>  Line Object %1</source>
        <translation>  Objet ligne %1</translation>
    </message>
    <message>
        <source>  Ellipse Object %1</source>
        <translation>  Objet ellipse %1</translation>
    </message>
    <message>
        <source>Constant Code</source>
        <translation>Code constant</translation>
    </message>
    <message>
        <source>  [ Symbology: %1 ] Barcode Object - Code Origin: %2. %3</source>
        <translation>  [ Symbologie&#xa0;: %1 ] Objet code-barres - Origine du code&#xa0;: %2. %3</translation>
    </message>
    <message>
        <source>Embedded Picture</source>
        <translation>Image incorporée</translation>
    </message>
    <message>
        <source>  Picture Object - Picture Origin: %1. %2</source>
        <translation>  Objet image - Origine de l&apos;image&#xa0;: %1. %2</translation>
    </message>
    <message>
        <source>Constant Text</source>
        <translation>Texte constant</translation>
    </message>
    <message>
        <source>Function Value</source>
        <translation>Valeur de fonction</translation>
    </message>
    <message>
        <source>  Text Object - Text Origin: %1. %2</source>
        <translation>  Objet texte - Origine du texte&#xa0;: %1. %2</translation>
    </message>
</context>
<context>
    <name>StrF</name>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>«&#xa0;%1&#xa0;» n&apos;est pas un nombre entier valide</translation>
    </message>
</context>
<context>
    <name>TDatasheet</name>
    <message>
        <source>You input a blank name or this name has been exist!</source>
        <translation>Le nom est vide ou existe déjà&#xa0;!</translation>
    </message>
    <message>
        <source>Column &apos;%1&apos; has been exist!</source>
        <translation>La colonne «&#xa0;%1&#xa0;» existe déjà&#xa0;!</translation>
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
        <translation>Unité de la règle</translation>
    </message>
    <message>
        <source>Label design area</source>
        <translation>Zone de conception de l&apos;étiquette</translation>
    </message>
    <message>
        <source>Label design surface</source>
        <translation>Surface de conception de l&apos;étiquette</translation>
    </message>
    <message>
        <source>Pointer</source>
        <translation>Pointeur</translation>
    </message>
    <message>
        <source>Create barcode object</source>
        <translation>Créer un objet code-barres</translation>
    </message>
    <message>
        <source>Create text object</source>
        <translation>Créer un objet texte</translation>
    </message>
    <message>
        <source>Create line object</source>
        <translation>Créer un objet ligne</translation>
    </message>
    <message>
        <source>Create rectangle object</source>
        <translation>Créer un objet rectangle</translation>
    </message>
    <message>
        <source>Create ellipse object</source>
        <translation>Créer un objet ellipse</translation>
    </message>
    <message>
        <source>Create picture object</source>
        <translation>Créer un objet image</translation>
    </message>
    <message>
        <source>in</source>
        <translation>in</translation>
    </message>
    <message>
        <source>Align Left</source>
        <translation>Aligner à gauche</translation>
    </message>
    <message>
        <source>Align Right</source>
        <translation>Aligner à droite</translation>
    </message>
    <message>
        <source>Align Top</source>
        <translation>Aligner en haut</translation>
    </message>
    <message>
        <source>Align Bottom</source>
        <translation>Aligner en bas</translation>
    </message>
    <message>
        <source>Align Horizontal Center</source>
        <translation>Centrer horizontalement</translation>
    </message>
    <message>
        <source>Align Vertical Center</source>
        <translation>Centrer verticalement</translation>
    </message>
    <message>
        <source>Send to Back</source>
        <translation>Reculer d&apos;un plan</translation>
    </message>
    <message>
        <source>Bring to Front</source>
        <translation>Avancer d&apos;un plan</translation>
    </message>
    <message>
        <source>Send to Bottom</source>
        <translation>Mettre à l&apos;arrière-plan</translation>
    </message>
    <message>
        <source>Bring to Top</source>
        <translation>Mettre au premier plan</translation>
    </message>
    <message>
        <source>Lock</source>
        <translation>Verrouiller</translation>
    </message>
    <message>
        <source>Unlock All</source>
        <translation>Tout déverrouiller</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>Move</source>
        <translation>Déplacer</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Couper</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Coller</translation>
    </message>
    <message>
        <source>New Barcode</source>
        <translation>Nouveau code-barres</translation>
    </message>
    <message>
        <source>New Text</source>
        <translation>Nouveau texte</translation>
    </message>
    <message>
        <source>New Line</source>
        <translation>Nouvelle ligne</translation>
    </message>
    <message>
        <source>New Rectangle</source>
        <translation>Nouveau rectangle</translation>
    </message>
    <message>
        <source>New Ellipse</source>
        <translation>Nouvelle ellipse</translation>
    </message>
    <message>
        <source>New Picture</source>
        <translation>Nouvelle image</translation>
    </message>
    <message>
        <source>Resize</source>
        <translation>Redimensionner</translation>
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
        <translation>Version&#xa0;: %1</translation>
    </message>
    <message>
        <source>Tagmora label designer
by Tavix

Support:
%1</source>
        <translation>Tagmora, conception d&apos;étiquettes
par Tavix

Assistance&#xa0;:
%1</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>About</source>
        <translation>À propos</translation>
    </message>
</context>
<context>
    <name>TFM_Data</name>
    <message>
        <source>Select Tabel from Access Database</source>
        <translation>Choisir une table de la base de données Access</translation>
    </message>
    <message>
        <source>Please Select a Table to Import:</source>
        <translation>Veuillez choisir la table à importer&#xa0;:</translation>
    </message>
    <message>
        <source>Datasheet</source>
        <translation>Feuille de données</translation>
    </message>
    <message>
        <source>Right Click to Pop up Menu</source>
        <translation>Clic droit pour ouvrir le menu contextuel</translation>
    </message>
    <message>
        <source>Import Data ...</source>
        <translation>Importer des données ...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Search ...</source>
        <translation>Rechercher ...</translation>
    </message>
    <message>
        <source>Fill Sequence Data ...</source>
        <translation>Remplir avec une séquence ...</translation>
    </message>
    <message>
        <source>Clear Selected Cells Data</source>
        <translation>Effacer le contenu des cellules sélectionnées</translation>
    </message>
    <message>
        <source>Clear Selectd Cells Data</source>
        <translation>Effacer le contenu des cellules sélectionnées</translation>
    </message>
    <message>
        <source>Clear All Data</source>
        <translation>Effacer toutes les données</translation>
    </message>
    <message>
        <source>Insert Blank Row</source>
        <translation>Insérer une ligne vide</translation>
    </message>
    <message>
        <source>Clear Current Row Data</source>
        <translation>Effacer le contenu de la ligne courante</translation>
    </message>
    <message>
        <source>Delete Current Row</source>
        <translation>Supprimer la ligne courante</translation>
    </message>
    <message>
        <source>Delete All Rows</source>
        <translation>Supprimer toutes les lignes</translation>
    </message>
    <message>
        <source>Add a New Column</source>
        <translation>Ajouter une colonne</translation>
    </message>
    <message>
        <source>Rename Column</source>
        <translation>Renommer la colonne</translation>
    </message>
    <message>
        <source>Clear Current Column Data</source>
        <translation>Effacer le contenu de la colonne courante</translation>
    </message>
    <message>
        <source>Delete Current Column</source>
        <translation>Supprimer la colonne courante</translation>
    </message>
    <message>
        <source>Delete All Columns (and Rows)</source>
        <translation>Supprimer toutes les colonnes (et lignes)</translation>
    </message>
    <message>
        <source>Add Tag Quantities Column</source>
        <translation>Ajouter la colonne des quantités d&apos;étiquettes</translation>
    </message>
    <message>
        <source>Remove Tag Quantities Column</source>
        <translation>Retirer la colonne des quantités d&apos;étiquettes</translation>
    </message>
    <message>
        <source>Print Current Row Directly</source>
        <translation>Imprimer directement la ligne courante</translation>
    </message>
    <message>
        <source>Insert a Picture Path Name ...</source>
        <translation>Insérer le chemin d&apos;une image ...</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>Aid&amp;e</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>Ann&amp;uler</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Rétablir</translation>
    </message>
    <message>
        <source>&amp;Undo %1</source>
        <translation>Ann&amp;uler&#xa0;: %1</translation>
    </message>
    <message>
        <source>&amp;Redo %1</source>
        <translation>&amp;Rétablir&#xa0;: %1</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Copier</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>C&amp;oller</translation>
    </message>
    <message>
        <source>Find Next</source>
        <translation>Rechercher le suivant</translation>
    </message>
    <message>
        <source>Fit Column Widths</source>
        <translation>Ajuster la largeur des colonnes</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Édition</translation>
    </message>
    <message>
        <source>&amp;Rows</source>
        <translation>&amp;Lignes</translation>
    </message>
    <message>
        <source>&amp;Columns</source>
        <translation>&amp;Colonnes</translation>
    </message>
    <message>
        <source>Others</source>
        <translation>Autres</translation>
    </message>
    <message>
        <source>Tag Control</source>
        <translation>Quantités d&apos;étiquettes</translation>
    </message>
    <message>
        <source>Rows</source>
        <translation>Lignes</translation>
    </message>
    <message>
        <source>Columns</source>
        <translation>Colonnes</translation>
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
        <translation>&amp;Annuler</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Row %1 of %2 · Column %3</source>
        <translation>Ligne %1 sur %2 · Colonne %3</translation>
    </message>
    <message>
        <source>Move Column</source>
        <translation>Déplacer la colonne</translation>
    </message>
    <message>
        <source>Move Row</source>
        <translation>Déplacer la ligne</translation>
    </message>
    <message>
        <source>The tag quantities ask for more than %1 labels; only the first %1 will be printed.</source>
        <translation>Les quantités d&apos;étiquettes demandent plus de %1 étiquettes&#xa0;; seules les %1 premières seront imprimées.</translation>
    </message>
    <message>
        <source>Import Data</source>
        <translation>Importer des données</translation>
    </message>
    <message>
        <source>The imported data replaces all data of the datasheet. Continue?</source>
        <translation>Les données importées remplacent toutes les données de la feuille. Continuer&#xa0;?</translation>
    </message>
    <message>
        <source>&quot;%1&quot; was not found in the datasheet.</source>
        <translation>«&#xa0;%1&#xa0;» est introuvable dans la feuille de données.</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Rechercher</translation>
    </message>
    <message>
        <source>Please input the value you want to search:</source>
        <translation>Veuillez saisir la valeur à rechercher&#xa0;:</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Coller</translation>
    </message>
    <message>
        <source>Clear Cells</source>
        <translation>Effacer les cellules</translation>
    </message>
    <message>
        <source>Are you sure clear all selected data?</source>
        <translation>Voulez-vous vraiment effacer toutes les données sélectionnées&#xa0;?</translation>
    </message>
    <message>
        <source>Are you sure clear all data?</source>
        <translation>Voulez-vous vraiment effacer toutes les données&#xa0;?</translation>
    </message>
    <message>
        <source>Are you sure clear data in this row?</source>
        <translation>Voulez-vous vraiment effacer les données de cette ligne&#xa0;?</translation>
    </message>
    <message>
        <source>Are you sure delete this row?</source>
        <translation>Voulez-vous vraiment supprimer cette ligne&#xa0;?</translation>
    </message>
    <message>
        <source>Are you sure delete all rows?</source>
        <translation>Voulez-vous vraiment supprimer toutes les lignes&#xa0;?</translation>
    </message>
    <message>
        <source>Inset a Column</source>
        <translation>Insérer une colonne</translation>
    </message>
    <message>
        <source>Please input the column name:</source>
        <translation>Veuillez saisir le nom de la colonne&#xa0;:</translation>
    </message>
    <message>
        <source>Change Column Name</source>
        <translation>Modifier le nom de la colonne</translation>
    </message>
    <message>
        <source>Are you sure clear data in this column?</source>
        <translation>Voulez-vous vraiment effacer les données de cette colonne&#xa0;?</translation>
    </message>
    <message>
        <source>Are you sure delete this column?</source>
        <translation>Voulez-vous vraiment supprimer cette colonne&#xa0;?</translation>
    </message>
    <message>
        <source>Are you sure delete all columns?</source>
        <translation>Voulez-vous vraiment supprimer toutes les colonnes&#xa0;?</translation>
    </message>
    <message>
        <source>No tag control column be found!</source>
        <translation>Aucune colonne de quantités d&apos;étiquettes n&apos;a été trouvée&#xa0;!</translation>
    </message>
    <message>
        <source>Are you sure delete tag control column?</source>
        <translation>Voulez-vous vraiment supprimer la colonne des quantités d&apos;étiquettes&#xa0;?</translation>
    </message>
    <message>
        <source>Open Picture</source>
        <translation>Ouvrir une image</translation>
    </message>
    <message>
        <source>All Pictures (*.bmp *.ico *.emf *.wmf *.jpg *.jpeg);;Bitmaps (*.bmp);;Icons (*.ico);;Metafiles (*.emf *.wmf);;JPEG Images (*.jpg *.jpeg);;All Files (*)</source>
        <translation>Toutes les images (*.bmp *.ico *.emf *.wmf *.jpg *.jpeg);;Bitmaps (*.bmp);;Icônes (*.ico);;Métafichiers (*.emf *.wmf);;Images JPEG (*.jpg *.jpeg);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>Sort</source>
        <translation>Trier</translation>
    </message>
</context>
<context>
    <name>TFM_GetTable</name>
    <message>
        <source>Select Tabel from Access Database</source>
        <translation>Choisir une table de la base de données Access</translation>
    </message>
    <message>
        <source>Please Select a Table to Import:</source>
        <translation>Veuillez choisir la table à importer&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Annuler</translation>
    </message>
</context>
<context>
    <name>TFM_History</name>
    <message>
        <source>Print History</source>
        <translation>Historique d&apos;impression</translation>
    </message>
    <message>
        <source>&amp;Since:</source>
        <translation>&amp;Depuis&#xa0;:</translation>
    </message>
    <message>
        <source>Only runs since a date</source>
        <translation>Seulement les tirages depuis une date</translation>
    </message>
    <message>
        <source>Since</source>
        <translation>Depuis</translation>
    </message>
    <message>
        <source>Printer</source>
        <translation>ImprimanteImprimante</translation>
    </message>
    <message>
        <source>any printer</source>
        <translation>toute imprimante</translation>
    </message>
    <message>
        <source>Label</source>
        <translation>Étiquette</translation>
    </message>
    <message>
        <source>any label</source>
        <translation>toute étiquette</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Résultat</translation>
    </message>
    <message>
        <source>any result</source>
        <translation>tout résultat</translation>
    </message>
    <message>
        <source>done</source>
        <translation>terminé</translation>
    </message>
    <message>
        <source>cancelled</source>
        <translation>annulé</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>échoué</translation>
    </message>
    <message>
        <source>stopped</source>
        <translation>arrêté</translation>
    </message>
    <message>
        <source>aborted</source>
        <translation>interrompu (code invalide)</translation>
    </message>
    <message>
        <source>&amp;Printer:</source>
        <translation>&amp;Imprimante&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;Label:</source>
        <translation>É&amp;tiquette&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;Result:</source>
        <translation>&amp;Résultat&#xa0;:</translation>
    </message>
    <message>
        <source>Run</source>
        <translation>Tirage</translation>
    </message>
    <message>
        <source>Started (UTC)</source>
        <translation>Début (UTC)</translation>
    </message>
    <message>
        <source>User</source>
        <translation>Utilisateur</translation>
    </message>
    <message>
        <source>Labels</source>
        <translation>Étiquettes</translation>
    </message>
    <message>
        <source>Painted</source>
        <translation>Imprimées</translation>
    </message>
    <message>
        <source>Pages</source>
        <translation>Pages</translation>
    </message>
    <message>
        <source>Copies</source>
        <translation>CopiesCopies</translation>
    </message>
    <message>
        <source>Printer or file</source>
        <translation>Imprimante ou fichier</translation>
    </message>
    <message>
        <source>Reprint of</source>
        <translation>Réimpression de</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>Recorded print runs</source>
        <translation>Tirages enregistrés</translation>
    </message>
    <message>
        <source>History status</source>
        <translation>État de l&apos;historique</translation>
    </message>
    <message>
        <source>&amp;Reprint...</source>
        <translation>&amp;Réimprimer...</translation>
    </message>
    <message>
        <source>Reprint</source>
        <translation>Réimprimer</translation>
    </message>
    <message>
        <source>&amp;Export CSV...</source>
        <translation>&amp;Exporter en CSV...</translation>
    </message>
    <message>
        <source>Export CSV</source>
        <translation>Exporter en CSV</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Fermer&amp;Fermer</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>FermerFermer</translation>
    </message>
    <message>
        <source>Export the print history</source>
        <translation>Exporter l&apos;historique d&apos;impression</translation>
    </message>
    <message>
        <source>CSV File (*.csv)</source>
        <translation>Fichier CSV (*.csv)</translation>
    </message>
    <message>
        <source>Cannot write the file %1: %2</source>
        <translation>Impossible d&apos;écrire le fichier %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>The &amp;whole run (labels %1-%2)</source>
        <translation>Le tirage &amp;entier (étiquettes %1-%2)</translation>
    </message>
    <message>
        <source>The whole run</source>
        <translation>Le tirage entier</translation>
    </message>
    <message>
        <source>&amp;Labels</source>
        <translation>É&amp;tiquettes</translation>
    </message>
    <message>
        <source>First label</source>
        <translation>Première étiquette</translation>
    </message>
    <message>
        <source>Last label</source>
        <translation>Dernière étiquette</translation>
    </message>
    <message>
        <source>to</source>
        <translation>àà</translation>
    </message>
    <message>
        <source>Runs shown: %1 (%2)</source>
        <translation>Tirages affichés&#xa0;: %1 (%2)</translation>
    </message>
    <message>
        <source>not started</source>
        <translation>non commencé</translation>
    </message>
</context>
<context>
    <name>TFM_Main</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Nouveau</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>&amp;Ouvrir...</translation>
    </message>
    <message>
        <source>Recent Files</source>
        <translation>Fichiers récents</translation>
    </message>
    <message>
        <source>&amp;Save </source>
        <translation>&amp;Enregistrer </translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Enregistrer &amp;sous...</translation>
    </message>
    <message>
        <source>Label and Printer Setup ...</source>
        <translation>Configuration de l&apos;étiquette et de l&apos;imprimante ...</translation>
    </message>
    <message>
        <source>Page Preview</source>
        <translation>Aperçu de la page</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Imprimer</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Édition</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>Ann&amp;uler</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Rétablir</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Copier</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>Cou&amp;per</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>C&amp;oller</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Tout sélectionner</translation>
    </message>
    <message>
        <source>Unlock All</source>
        <translation>Tout déverrouiller</translation>
    </message>
    <message>
        <source>Delete Selected Objects</source>
        <translation>Supprimer les objets sélectionnés</translation>
    </message>
    <message>
        <source>Options ...</source>
        <translation>Options ...</translation>
    </message>
    <message>
        <source>&amp;Object</source>
        <translation>&amp;Objet</translation>
    </message>
    <message>
        <source>Insert Barcode</source>
        <translation>Insérer un code-barres</translation>
    </message>
    <message>
        <source>Insert Text</source>
        <translation>Insérer un texte</translation>
    </message>
    <message>
        <source>Insert Line</source>
        <translation>Insérer une ligne</translation>
    </message>
    <message>
        <source>Insert Rectangle </source>
        <translation>Insérer un rectangle </translation>
    </message>
    <message>
        <source>Insert Ellipse</source>
        <translation>Insérer une ellipse</translation>
    </message>
    <message>
        <source>Insert Picture</source>
        <translation>Insérer une image</translation>
    </message>
    <message>
        <source>&amp;Object Properties...</source>
        <translation>Propriétés de l&apos;&amp;objet...</translation>
    </message>
    <message>
        <source>&amp;Position</source>
        <translation>&amp;Position</translation>
    </message>
    <message>
        <source>Align Left</source>
        <translation>Aligner à gauche</translation>
    </message>
    <message>
        <source>Align Right</source>
        <translation>Aligner à droite</translation>
    </message>
    <message>
        <source>Align Top</source>
        <translation>Aligner en haut</translation>
    </message>
    <message>
        <source>Align Bottom</source>
        <translation>Aligner en bas</translation>
    </message>
    <message>
        <source>Align Horizontal Center</source>
        <translation>Centrer horizontalement</translation>
    </message>
    <message>
        <source>Align Vertical Center</source>
        <translation>Centrer verticalement</translation>
    </message>
    <message>
        <source>&amp;Arrange</source>
        <translation>Disposi&amp;tion</translation>
    </message>
    <message>
        <source>Send to Back</source>
        <translation>Reculer d&apos;un plan</translation>
    </message>
    <message>
        <source>Bring to Front</source>
        <translation>Avancer d&apos;un plan</translation>
    </message>
    <message>
        <source>Send to Bottom</source>
        <translation>Mettre à l&apos;arrière-plan</translation>
    </message>
    <message>
        <source>Bring to Top</source>
        <translation>Mettre au premier plan</translation>
    </message>
    <message>
        <source>&amp;Data</source>
        <translation>&amp;Données</translation>
    </message>
    <message>
        <source>Datasheets...</source>
        <translation>Feuilles de données...</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Affichage</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>Barre d&apos;outils</translation>
    </message>
    <message>
        <source>Ruler</source>
        <translation>Règle</translation>
    </message>
    <message>
        <source>State Bar</source>
        <translation>Barre d&apos;état</translation>
    </message>
    <message>
        <source>Actual Size</source>
        <translation>Taille réelle</translation>
    </message>
    <message>
        <source>Zoom In</source>
        <translation>Zoom avant</translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation>Zoom arrière</translation>
    </message>
    <message>
        <source>Properties Panel</source>
        <translation>Panneau des propriétés</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>Aid&amp;e</translation>
    </message>
    <message>
        <source>&amp;Contents</source>
        <translation>&amp;Sommaire</translation>
    </message>
    <message>
        <source>Tavix Home Page</source>
        <translation>Site web de Tavix</translation>
    </message>
    <message>
        <source>Support Mail</source>
        <translation>Courriel d&apos;assistance</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation>À &amp;propos...</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Fichier</translation>
    </message>
    <message>
        <source>New barcode label</source>
        <translation>Nouvelle étiquette à code-barres</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copier</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Couper</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Coller</translation>
    </message>
    <message>
        <source>Datasheets</source>
        <translation>Feuilles de données</translation>
    </message>
    <message>
        <source>Configures Options</source>
        <translation>Configurer les options</translation>
    </message>
    <message>
        <source>Label &amp; page size</source>
        <translation>Étiquette &amp; taille de page</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Aperçu</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>Tools</source>
        <translation>Outils</translation>
    </message>
    <message>
        <source>Pointer</source>
        <translation>Pointeur</translation>
    </message>
    <message>
        <source>Create barcode object</source>
        <translation>Créer un objet code-barres</translation>
    </message>
    <message>
        <source>Choose barcode type</source>
        <translation>Choisir le type de code-barres</translation>
    </message>
    <message>
        <source>Create text object</source>
        <translation>Créer un objet texte</translation>
    </message>
    <message>
        <source>Create line object</source>
        <translation>Créer un objet ligne</translation>
    </message>
    <message>
        <source>Create rectangle object</source>
        <translation>Créer un objet rectangle</translation>
    </message>
    <message>
        <source>Create ellipse object</source>
        <translation>Créer un objet ellipse</translation>
    </message>
    <message>
        <source>Create picture object</source>
        <translation>Créer un objet image</translation>
    </message>
    <message>
        <source>More Properties...</source>
        <translation>Autres propriétés...</translation>
    </message>
    <message>
        <source>Unlock all objects</source>
        <translation>Déverrouiller tous les objets</translation>
    </message>
    <message>
        <source>Delete selected objects</source>
        <translation>Supprimer les objets sélectionnés</translation>
    </message>
    <message>
        <source>Zoom in</source>
        <translation>Zoom avant</translation>
    </message>
    <message>
        <source>Zoom out</source>
        <translation>Zoom arrière</translation>
    </message>
    <message>
        <source>Actual size</source>
        <translation>Taille réelle</translation>
    </message>
    <message>
        <source>Align</source>
        <translation>Aligner</translation>
    </message>
    <message>
        <source>Align selected object to left</source>
        <translation>Aligner l&apos;objet sélectionné à gauche</translation>
    </message>
    <message>
        <source>Align selected object to right</source>
        <translation>Aligner l&apos;objet sélectionné à droite</translation>
    </message>
    <message>
        <source>Align selected object to top</source>
        <translation>Aligner l&apos;objet sélectionné en haut</translation>
    </message>
    <message>
        <source>Align selected object to bottom</source>
        <translation>Aligner l&apos;objet sélectionné en bas</translation>
    </message>
    <message>
        <source>Align selected object to horizontal center</source>
        <translation>Centrer horizontalement l&apos;objet sélectionné</translation>
    </message>
    <message>
        <source>Align selected object to vertical center</source>
        <translation>Centrer verticalement l&apos;objet sélectionné</translation>
    </message>
    <message>
        <source>Bring to front</source>
        <translation>Avancer d&apos;un plan</translation>
    </message>
    <message>
        <source>Send to back</source>
        <translation>Reculer d&apos;un plan</translation>
    </message>
    <message>
        <source>Bring to top</source>
        <translation>Mettre au premier plan</translation>
    </message>
    <message>
        <source>Send to bottom</source>
        <translation>Mettre à l&apos;arrière-plan</translation>
    </message>
    <message>
        <source>Label design</source>
        <translation>Conception de l&apos;étiquette</translation>
    </message>
    <message>
        <source>    Properties</source>
        <translation>    Propriétés</translation>
    </message>
    <message>
        <source>Properties</source>
        <translation>Propriétés</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>Lock</source>
        <translation>Verrouiller</translation>
    </message>
    <message>
        <source>Unlock Alll</source>
        <translation>Tout déverrouiller</translation>
    </message>
    <message>
        <source>Arrange</source>
        <translation>Disposition</translation>
    </message>
    <message>
        <source>Current file has been modified, Save it?</source>
        <translation>Le fichier courant a été modifié. L&apos;enregistrer&#xa0;?</translation>
    </message>
    <message>
        <source>File %1 does not exist, Please check it! </source>
        <translation>Le fichier %1 n&apos;existe pas. Veuillez le vérifier&#xa0;! </translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Enregistrer sous</translation>
    </message>
    <message>
        <source>Print History...</source>
        <translation>Historique d&apos;impression...</translation>
    </message>
</context>
<context>
    <name>TFM_ObjPro</name>
    <message>
        <source>&amp;Font...</source>
        <translation>&amp;Police...</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Annuler</translation>
    </message>
    <message>
        <source> Code Origin </source>
        <translation> Origine du code </translation>
    </message>
    <message>
        <source>Constant Code:</source>
        <translation>Code constant&#xa0;:</translation>
    </message>
    <message>
        <source>Choose Control Char</source>
        <translation>Choisir un caractère de contrôle</translation>
    </message>
    <message>
        <source>From DataGrid:</source>
        <translation>De la feuille de données&#xa0;:</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Edit the datasheet</source>
        <translation>Modifier la feuille de données</translation>
    </message>
    <message>
        <source>Check all codes of the column</source>
        <translation>Vérifier tous les codes de la colonne</translation>
    </message>
    <message>
        <source>Date or Time</source>
        <translation>Date ou heure</translation>
    </message>
    <message>
        <source> Bar code </source>
        <translation> Code-barres </translation>
    </message>
    <message>
        <source>Symbology:</source>
        <translation>Symbologie&#xa0;:</translation>
    </message>
    <message>
        <source>Human Readable Align:</source>
        <translation>Alignement du texte lisible&#xa0;:</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Gauche</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Droite</translation>
    </message>
    <message>
        <source>Center</source>
        <translation>Centré</translation>
    </message>
    <message>
        <source>Angle:</source>
        <translation>Angle&#xa0;:</translation>
    </message>
    <message>
        <source>CheckSum</source>
        <translation>Chiffre de contrôle</translation>
    </message>
    <message>
        <source>Show Human Readable Text</source>
        <translation>Afficher le texte lisible</translation>
    </message>
    <message>
        <source>Be Center while Variational Barcode Width </source>
        <translation>Centrer quand la largeur du code-barres varie </translation>
    </message>
    <message>
        <source>Bar Ratio:</source>
        <translation>Rapport des barres&#xa0;:</translation>
    </message>
    <message>
        <source>Bar Height:</source>
        <translation>Hauteur des barres&#xa0;:</translation>
    </message>
    <message>
        <source>Bar Modul:</source>
        <translation>Largeur de module&#xa0;:</translation>
    </message>
    <message>
        <source> Preview </source>
        <translation> Aperçu </translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Aperçu</translation>
    </message>
    <message>
        <source> Text Origin </source>
        <translation> Origine du texte </translation>
    </message>
    <message>
        <source>Constant Text</source>
        <translation>Texte constant</translation>
    </message>
    <message>
        <source>From DataGrid</source>
        <translation>De la feuille de données</translation>
    </message>
    <message>
        <source> Text Style</source>
        <translation> Style du texte</translation>
    </message>
    <message>
        <source>Formatted Text </source>
        <translation>Texte mis en forme </translation>
    </message>
    <message>
        <source>Alignment:</source>
        <translation>Alignement&#xa0;:</translation>
    </message>
    <message>
        <source> Picture Origin </source>
        <translation> Origine de l&apos;image </translation>
    </message>
    <message>
        <source>Embedded Picture:</source>
        <translation>Image incorporée&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>&amp;Parcourir...</translation>
    </message>
    <message>
        <source>Picture</source>
        <translation>Image</translation>
    </message>
    <message>
        <source> Picture Size </source>
        <translation> Taille de l&apos;image </translation>
    </message>
    <message>
        <source>Custom:</source>
        <translation>Personnalisée&#xa0;:</translation>
    </message>
    <message>
        <source>By Ratio:</source>
        <translation>Proportionnelle&#xa0;:</translation>
    </message>
    <message>
        <source>Reset Size</source>
        <translation>Rétablir la taille</translation>
    </message>
    <message>
        <source>Wdith:     </source>
        <translation>Largeur&#xa0;:     </translation>
    </message>
    <message>
        <source>height:     </source>
        <translation>Hauteur&#xa0;:     </translation>
    </message>
    <message>
        <source>X:</source>
        <translation>X&#xa0;:</translation>
    </message>
    <message>
        <source>Y:</source>
        <translation>Y&#xa0;:</translation>
    </message>
    <message>
        <source>The code cannot be printed: %1</source>
        <translation>Le code ne peut pas être imprimé&#xa0;: %1</translation>
    </message>
    <message>
        <source>The symbol is too large to show.</source>
        <translation>Le symbole est trop grand pour être affiché.</translation>
    </message>
    <message>
        <source>Modify Current %1</source>
        <translation>Modifier l&apos;objet courant&#xa0;: %1</translation>
    </message>
    <message>
        <source>Choose the datasheet column the code comes from.</source>
        <translation>Choisissez la colonne de la feuille de données d&apos;où provient le code.</translation>
    </message>
    <message>
        <source>Choose the datasheet column the text comes from.</source>
        <translation>Choisissez la colonne de la feuille de données d&apos;où provient le texte.</translation>
    </message>
    <message>
        <source>width</source>
        <translation>la largeur</translation>
    </message>
    <message>
        <source>height</source>
        <translation>la hauteur</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid floating point value for the picture %2.</source>
        <translation>«&#xa0;%1&#xa0;» n&apos;est pas un nombre décimal valide pour %2 de l&apos;image.</translation>
    </message>
    <message>
        <source>Value &apos;%1&apos; in line %2 is a invalid code for bar code</source>
        <translation>La valeur «&#xa0;%1&#xa0;» de la ligne %2 n&apos;est pas un code valide pour le code-barres</translation>
    </message>
    <message>
        <source>All codes are passed!</source>
        <translation>Tous les codes sont valides&#xa0;!</translation>
    </message>
    <message>
        <source>Open Picture</source>
        <translation>Ouvrir une image</translation>
    </message>
    <message>
        <source>Pictures (*.bmp *.dib *.ico *.emf *.wmf *.jpg *.jpeg *.png *.gif);;All files (*)</source>
        <translation>Images (*.bmp *.dib *.ico *.emf *.wmf *.jpg *.jpeg *.png *.gif);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; holds no picture that can be shown.</source>
        <translation>Le fichier «&#xa0;%1&#xa0;» ne contient aucune image affichable.</translation>
    </message>
    <message>
        <source>Label Setup </source>
        <translation>Configuration de l&apos;étiquette </translation>
    </message>
    <message>
        <source>Properties</source>
        <translation>Propriétés</translation>
    </message>
    <message>
        <source>Value &apos;%1&apos; is an invalid code for selected bar code format!</source>
        <translation>La valeur «&#xa0;%1&#xa0;» n&apos;est pas un code valide pour le format de code-barres choisi&#xa0;!</translation>
    </message>
    <message>
        <source>Others</source>
        <translation>Autres</translation>
    </message>
    <message>
        <source> 2D code </source>
        <translation> Code 2D </translation>
    </message>
    <message>
        <source>Error correction:</source>
        <translation>Correction d&apos;erreurs&#xa0;:</translation>
    </message>
    <message>
        <source>Size:</source>
        <translation>Taille&#xa0;:</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>Automatique</translation>
    </message>
    <message>
        <source>GS1 data (Application Identifiers)</source>
        <translation>Données GS1 (identifiants d&apos;application)</translation>
    </message>
    <message>
        <source>Columns:</source>
        <translation>Colonnes&#xa0;:</translation>
    </message>
    <message>
        <source>Level %1</source>
        <translation>Niveau %1</translation>
    </message>
    <message>
        <source>Version %1 (%2)</source>
        <translation>Version %1 (%2)</translation>
    </message>
    <message>
        <source>Compact %1 (%2)</source>
        <translation>Compact %1 (%2)</translation>
    </message>
    <message>
        <source>Full %1 (%2)</source>
        <translation>Complet %1 (%2)</translation>
    </message>
    <message>
        <source>Automatic (square)</source>
        <translation>Automatique (carré)</translation>
    </message>
    <message>
        <source>Automatic (square or rectangular)</source>
        <translation>Automatique (carré ou rectangulaire)</translation>
    </message>
</context>
<context>
    <name>TFM_Preview</name>
    <message>
        <source>Tagmora - Preview</source>
        <translation>Tagmora - Aperçu</translation>
    </message>
    <message>
        <source>&amp;Print ...</source>
        <translation>&amp;Imprimer ...</translation>
    </message>
    <message>
        <source>&amp;Setting ...</source>
        <translation>&amp;Paramètres ...</translation>
    </message>
    <message>
        <source>View:</source>
        <translation>Affichage&#xa0;:</translation>
    </message>
    <message>
        <source>Page:</source>
        <translation>Page&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Fermer</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Affichage</translation>
    </message>
    <message>
        <source>Page</source>
        <translation>Page</translation>
    </message>
    <message>
        <source>Page picture</source>
        <translation>Image de la page</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>Print ...</source>
        <translation>Imprimer ...</translation>
    </message>
    <message>
        <source>Setting ...</source>
        <translation>Paramètres ...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Affichage</translation>
    </message>
    <message>
        <source>Next Page</source>
        <translation>Page suivante</translation>
    </message>
    <message>
        <source>Previous Page</source>
        <translation>Page précédente</translation>
    </message>
</context>
<context>
    <name>TFM_Print</name>
    <message>
        <source>Print</source>
        <translation>Imprimer</translation>
    </message>
    <message>
        <source> Printer </source>
        <translation> Imprimante </translation>
    </message>
    <message>
        <source>Printer</source>
        <translation>Imprimante</translation>
    </message>
    <message>
        <source>&amp;Setting ...</source>
        <translation>&amp;Paramètres ...</translation>
    </message>
    <message>
        <source>P&amp;roperties ...</source>
        <translation>P&amp;ropriétés ...</translation>
    </message>
    <message>
        <source>The printer&apos;s own options</source>
        <translation>Les options propres de l&apos;imprimante</translation>
    </message>
    <message>
        <source> Print Pages Range </source>
        <translation> Pages à imprimer </translation>
    </message>
    <message>
        <source>Print Pages Range</source>
        <translation>Pages à imprimer</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Toutes</translation>
    </message>
    <message>
        <source>Pages From</source>
        <translation>Pages de</translation>
    </message>
    <message>
        <source>From</source>
        <translation>De</translation>
    </message>
    <message>
        <source>to</source>
        <translation>à</translation>
    </message>
    <message>
        <source>Copies </source>
        <translation>Copies </translation>
    </message>
    <message>
        <source>Copies</source>
        <translation>Copies</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Annuler</translation>
    </message>
    <message>
        <source>&amp;Preview</source>
        <translation>&amp;Aperçu</translation>
    </message>
    <message>
        <source>Print to PDF &amp;file…</source>
        <translation>Imprimer dans un &amp;fichier PDF…</translation>
    </message>
    <message>
        <source>Print into a PDF file; no printer is needed</source>
        <translation>Imprimer dans un fichier PDF&#xa0;; aucune imprimante n&apos;est nécessaire</translation>
    </message>
    <message>
        <source>Print to PDF file</source>
        <translation>Imprimer dans un fichier PDF</translation>
    </message>
    <message>
        <source>PDF File (*.pdf)</source>
        <translation>Fichier PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Name:           %1</source>
        <translation>Nom&#xa0;:          %1</translation>
    </message>
    <message>
        <source>(no printer)</source>
        <translation>(aucune imprimante)</translation>
    </message>
    <message>
        <source>Print Quality:  %1 DPI</source>
        <translation>Qualité d&apos;impression&#xa0;:  %1 DPI</translation>
    </message>
    <message>
        <source>[ %1 Pages ]</source>
        <translation>[ %1 pages ]</translation>
    </message>
    <message>
        <source>Value must be numeric!</source>
        <translation>La valeur doit être numérique&#xa0;!</translation>
    </message>
</context>
<context>
    <name>TFM_Sdata</name>
    <message>
        <source>Generate Sequence</source>
        <translation>Générer une séquence</translation>
    </message>
    <message>
        <source>Prefix:</source>
        <translation>Préfixe&#xa0;:</translation>
    </message>
    <message>
        <source>From:</source>
        <translation>De&#xa0;:</translation>
    </message>
    <message>
        <source>To:</source>
        <translation>À&#xa0;:</translation>
    </message>
    <message>
        <source>Repeat :</source>
        <translation>Répéter&#xa0;:</translation>
    </message>
    <message>
        <source>Step :</source>
        <translation>Pas&#xa0;:</translation>
    </message>
    <message>
        <source>Suffix:</source>
        <translation>Suffixe&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Annuler</translation>
    </message>
    <message>
        <source>Value must be numeric!</source>
        <translation>La valeur doit être numérique&#xa0;!</translation>
    </message>
</context>
<context>
    <name>TFM_options</name>
    <message>
        <source>Configures Options</source>
        <translation>Configurer les options</translation>
    </message>
    <message>
        <source> System Units</source>
        <translation> Unité de mesure</translation>
    </message>
    <message>
        <source>Units : </source>
        <translation>Unité&#xa0;: </translation>
    </message>
    <message>
        <source>centimeter</source>
        <translation>centimètre</translation>
    </message>
    <message>
        <source>inch </source>
        <translation>pouce </translation>
    </message>
    <message>
        <source> Recent Files</source>
        <translation> Fichiers récents</translation>
    </message>
    <message>
        <source>Count of Recent Files Listed in File Menu</source>
        <translation>Nombre de fichiers récents dans le menu Fichier</translation>
    </message>
    <message>
        <source> Default Save Directory </source>
        <translation> Dossier d&apos;enregistrement par défaut </translation>
    </message>
    <message>
        <source>Default Save Directory</source>
        <translation>Dossier d&apos;enregistrement par défaut</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Parcourir...</translation>
    </message>
    <message>
        <source> While Bar Code Encode a Invalid Code </source>
        <translation> En cas de code-barres non valide </translation>
    </message>
    <message>
        <source>Ignore error, continue print ext label</source>
        <translation>Ignorer l&apos;erreur, continuer avec l&apos;étiquette suivante</translation>
    </message>
    <message>
        <source>Abort printing</source>
        <translation>Interrompre l&apos;impression</translation>
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
        <translation>&amp;Annuler</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Please Select Directory: </source>
        <translation>Veuillez choisir un dossier&#xa0;: </translation>
    </message>
    <message>
        <source> Printers </source>
        <translation> Imprimantes </translation>
    </message>
    <message>
        <source>No printer is installed.</source>
        <translation>Aucune imprimante n&apos;est installée.</translation>
    </message>
    <message>
        <source>Printer:</source>
        <translation>Imprimante&#xa0;:</translation>
    </message>
    <message>
        <source>Move right (mm):</source>
        <translation>Décaler à droite (mm)&#xa0;:</translation>
    </message>
    <message>
        <source>Move down (mm):</source>
        <translation>Décaler vers le bas (mm)&#xa0;:</translation>
    </message>
    <message>
        <source>Scale across (%):</source>
        <translation>Échelle horizontale (%)&#xa0;:</translation>
    </message>
    <message>
        <source>Scale down (%):</source>
        <translation>Échelle verticale (%)&#xa0;:</translation>
    </message>
    <message>
        <source>Print Calibration Sheet</source>
        <translation>Imprimer la feuille d&apos;étalonnage</translation>
    </message>
    <message>
        <source> Measured on the Calibration Sheet </source>
        <translation> Mesuré sur la feuille d&apos;étalonnage </translation>
    </message>
    <message>
        <source>Crosshair A from the left edge (mm):</source>
        <translation>Mire A depuis le bord gauche (mm)&#xa0;:</translation>
    </message>
    <message>
        <source>Crosshair A from the top edge (mm):</source>
        <translation>Mire A depuis le bord haut (mm)&#xa0;:</translation>
    </message>
    <message>
        <source>A to B (mm):</source>
        <translation>De A à B (mm)&#xa0;:</translation>
    </message>
    <message>
        <source>A to C (mm):</source>
        <translation>De A à C (mm)&#xa0;:</translation>
    </message>
    <message>
        <source>Work Out Move and Scale</source>
        <translation>Calculer le décalage et l&apos;échelle</translation>
    </message>
    <message>
        <source>This printer takes ZPL II (thermal label printer)</source>
        <translation>Cette imprimante accepte le ZPL II (imprimante thermique d&apos;étiquettes)</translation>
    </message>
    <message>
        <source>%1 dpi</source>
        <translation>%1 ppp</translation>
    </message>
    <message>
        <source>Printer&apos;s own</source>
        <translation>Réglage de l&apos;imprimante</translation>
    </message>
    <message>
        <source>Labels with gaps</source>
        <translation>Étiquettes avec espaces</translation>
    </message>
    <message>
        <source>Continuous roll</source>
        <translation>Rouleau continu</translation>
    </message>
    <message>
        <source>Black mark</source>
        <translation>Marque noire</translation>
    </message>
    <message>
        <source>Resolution:</source>
        <translation>Résolution&#xa0;:</translation>
    </message>
    <message>
        <source>Darkness (0-30):</source>
        <translation>Contraste (0-30)&#xa0;:</translation>
    </message>
    <message>
        <source>Speed (inches per second):</source>
        <translation>Vitesse (pouces par seconde)&#xa0;:</translation>
    </message>
    <message>
        <source>Media:</source>
        <translation>Support&#xa0;:</translation>
    </message>
    <message>
        <source>The calibration sheet could not be printed: %1</source>
        <translation>La feuille d&apos;étalonnage n&apos;a pas pu être imprimée&#xa0;: %1</translation>
    </message>
    <message>
        <source>These measurements give no usable calibration: the sheet must move by at most 50 mm and scale between 50 and 150 %. Please measure again.</source>
        <translation>Ces mesures ne donnent aucun étalonnage utilisable&#xa0;: la feuille doit se décaler d&apos;au plus 50 mm et son échelle rester entre 50 et 150 %. Veuillez mesurer à nouveau.</translation>
    </message>
</context>
<context>
    <name>THelpBrowser</name>
    <message>
        <source>Help page</source>
        <translation>Page d&apos;aide</translation>
    </message>
</context>
<context>
    <name>THelpWindow</name>
    <message>
        <source>Tagmora Help</source>
        <translation>Aide de Tagmora</translation>
    </message>
    <message>
        <source>Help navigation</source>
        <translation>Navigation de l&apos;aide</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>Sommaire</translation>
    </message>
    <message>
        <source>Index</source>
        <translation>Index</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Rechercher</translation>
    </message>
</context>
<context>
    <name>TIntSpinBox</name>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>«&#xa0;%1&#xa0;» n&apos;est pas un nombre entier valide</translation>
    </message>
</context>
<context>
    <name>TLabelPlan</name>
    <message>
        <source>Object sections are nested more than %1 deep</source>
        <translation>Les sections d&apos;objets sont imbriquées sur plus de %1 niveaux</translation>
    </message>
    <message>
        <source>The label has more than %1 objects</source>
        <translation>L&apos;étiquette contient plus de %1 objets</translation>
    </message>
    <message>
        <source>Invalid object: %1</source>
        <translation>Objet non valide&#xa0;: %1</translation>
    </message>
</context>
<context>
    <name>TLabelSetupPage</name>
    <message>
        <source> Output Labels Range </source>
        <translation> Étiquettes à produire </translation>
    </message>
    <message>
        <source>Number of Copies for Current Label :</source>
        <translation>Nombre de copies de l&apos;étiquette courante&#xa0;:</translation>
    </message>
    <message>
        <source>All Items From Datasheet</source>
        <translation>Toutes les entrées de la feuille de données</translation>
    </message>
    <message>
        <source> Paper </source>
        <translation> Papier </translation>
    </message>
    <message>
        <source>Portrait</source>
        <translation>Portrait</translation>
    </message>
    <message>
        <source>Landscape</source>
        <translation>Paysage</translation>
    </message>
    <message>
        <source>Paper:</source>
        <translation>Papier&#xa0;:</translation>
    </message>
    <message>
        <source>Orientation:</source>
        <translation>Orientation&#xa0;:</translation>
    </message>
    <message>
        <source>Printer and Paper Setup</source>
        <translation>Configuration de l&apos;imprimante et du papier</translation>
    </message>
    <message>
        <source>Page</source>
        <translation>Page</translation>
    </message>
    <message>
        <source>Auto Calculate</source>
        <translation>Calcul automatique</translation>
    </message>
    <message>
        <source>Columns:</source>
        <translation>Colonnes&#xa0;:</translation>
    </message>
    <message>
        <source>Rows:</source>
        <translation>Lignes&#xa0;:</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Largeur&#xa0;:</translation>
    </message>
    <message>
        <source>Height:</source>
        <translation>Hauteur&#xa0;:</translation>
    </message>
    <message>
        <source>Corner Radius:</source>
        <translation>Rayon des coins&#xa0;:</translation>
    </message>
    <message>
        <source>Left:</source>
        <translation>Gauche&#xa0;:</translation>
    </message>
    <message>
        <source>Top:</source>
        <translation>Haut&#xa0;:</translation>
    </message>
    <message>
        <source>V Space:</source>
        <translation>Espacement V&#xa0;:</translation>
    </message>
    <message>
        <source>Right:</source>
        <translation>Droite&#xa0;:</translation>
    </message>
    <message>
        <source>Bottom:</source>
        <translation>Bas&#xa0;:</translation>
    </message>
    <message>
        <source>H Space:</source>
        <translation>Espacement H&#xa0;:</translation>
    </message>
    <message>
        <source> Output order </source>
        <translation> Ordre de sortie </translation>
    </message>
    <message>
        <source>TopLeft</source>
        <translation>En haut à gauche</translation>
    </message>
    <message>
        <source>BottomLeft</source>
        <translation>En bas à gauche</translation>
    </message>
    <message>
        <source>TopRight</source>
        <translation>En haut à droite</translation>
    </message>
    <message>
        <source>BottomRight</source>
        <translation>En bas à droite</translation>
    </message>
    <message>
        <source>Horizontal</source>
        <translation>Horizontal</translation>
    </message>
    <message>
        <source>Vertical</source>
        <translation>Vertical</translation>
    </message>
    <message>
        <source>Start:</source>
        <translation>Début&#xa0;:</translation>
    </message>
    <message>
        <source>Direction:</source>
        <translation>Direction&#xa0;:</translation>
    </message>
    <message>
        <source>Corner Crop Marks</source>
        <translation>Traits de coupe aux coins</translation>
    </message>
    <message>
        <source>A label of no width or height cannot be laid out on the page: give the label a size or a space between labels.</source>
        <translation>Une étiquette sans largeur ou sans hauteur ne peut pas être disposée sur la page&#xa0;: donnez une taille à l&apos;étiquette ou un espacement entre les étiquettes.</translation>
    </message>
    <message>
        <source>Too many columns out of page! </source>
        <translation>Trop de colonnes, elles dépassent de la page&#xa0;! </translation>
    </message>
    <message>
        <source>Too many rows out of page! </source>
        <translation>Trop de lignes, elles dépassent de la page&#xa0;! </translation>
    </message>
    <message>
        <source>No printer is installed.</source>
        <translation>Aucune imprimante n&apos;est installée.</translation>
    </message>
    <message>
        <source>The label needs a width and a height.</source>
        <translation>L&apos;étiquette doit avoir une largeur et une hauteur.</translation>
    </message>
    <message>
        <source>Label Setup</source>
        <translation>Configuration de l&apos;étiquette</translation>
    </message>
    <message>
        <source> Label Products </source>
        <translation> Produits d’étiquettes </translation>
    </message>
    <message>
        <source>Search: maker, part number or description</source>
        <translation>Rechercher&#xa0;: fabricant, référence ou description</translation>
    </message>
    <message>
        <source>Search label products</source>
        <translation>Rechercher des produits d’étiquettes</translation>
    </message>
    <message>
        <source>Label products</source>
        <translation>Produits d’étiquettes</translation>
    </message>
    <message>
        <source>Save as Template...</source>
        <translation>Enregistrer comme modèle...</translation>
    </message>
    <message>
        <source>%1 - %2: %3 x %4, %5 x %6 mm, %7</source>
        <translation>%1 - %2&#xa0;: %3 x %4, %5 x %6 mm, %7</translation>
    </message>
    <message>
        <source>own paper</source>
        <translation>papier propre</translation>
    </message>
    <message>
        <source>%1: %2 labels a sheet.</source>
        <translation>%1&#xa0;: %2 étiquettes par feuille.</translation>
    </message>
    <message>
        <source>%1 is approximated: %2.</source>
        <translation>%1 est approché&#xa0;: %2.</translation>
    </message>
    <message>
        <source>Save as Template</source>
        <translation>Enregistrer comme modèle</translation>
    </message>
    <message>
        <source>Maker and part number, as in &quot;Tavix T-21&quot;:</source>
        <translation>Fabricant et référence, par exemple «&#xa0;Tavix T-21&#xa0;»&#xa0;:</translation>
    </message>
    <message>
        <source>A template needs a maker and a part number.</source>
        <translation>Un modèle a besoin d’un fabricant et d’une référence.</translation>
    </message>
    <message>
        <source>Saved from Tagmora</source>
        <translation>Enregistré depuis Tagmora</translation>
    </message>
    <message>
        <source>Cannot save the template %1: %2</source>
        <translation>Impossible d’enregistrer le modèle %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>Custom...</source>
        <translation>Personnalisé...</translation>
    </message>
    <message>
        <source>Roll (one label per page)</source>
        <translation>Rouleau (une étiquette par page)</translation>
    </message>
    <message>
        <source>Paper Width:</source>
        <translation>Largeur du papier&#xa0;:</translation>
    </message>
    <message>
        <source>Paper Length:</source>
        <translation>Longueur du papier&#xa0;:</translation>
    </message>
</context>
<context>
    <name>TPropertiesPanel</name>
    <message>
        <source>    Properties</source>
        <translation>    Propriétés</translation>
    </message>
    <message>
        <source>More ...</source>
        <translation>Plus ...</translation>
    </message>
    <message>
        <source>Border Color</source>
        <translation>Couleur de bordure</translation>
    </message>
    <message>
        <source>Fill Color</source>
        <translation>Couleur de remplissage</translation>
    </message>
    <message>
        <source>Left:</source>
        <translation>Gauche&#xa0;:</translation>
    </message>
    <message>
        <source>Top:</source>
        <translation>Haut&#xa0;:</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Largeur&#xa0;:</translation>
    </message>
    <message>
        <source>Height:</source>
        <translation>Hauteur&#xa0;:</translation>
    </message>
    <message>
        <source>Border Width:</source>
        <translation>Épaisseur de bordure&#xa0;:</translation>
    </message>
    <message>
        <source>Corner Radius:</source>
        <translation>Rayon des coins&#xa0;:</translation>
    </message>
    <message>
        <source>Border Style:</source>
        <translation>Style de bordure&#xa0;:</translation>
    </message>
    <message>
        <source>Fill Style:</source>
        <translation>Style de remplissage&#xa0;:</translation>
    </message>
    <message>
        <source>Move</source>
        <translation>Déplacer</translation>
    </message>
    <message>
        <source>Resize</source>
        <translation>Redimensionner</translation>
    </message>
    <message>
        <source>Border Width</source>
        <translation>Épaisseur de bordure</translation>
    </message>
    <message>
        <source>Corner Radius</source>
        <translation>Rayon des coins</translation>
    </message>
    <message>
        <source>Border Style</source>
        <translation>Style de bordure</translation>
    </message>
    <message>
        <source>Fill Style</source>
        <translation>Style de remplissage</translation>
    </message>
</context>
<context>
    <name>TRealSpinBox</name>
    <message>
        <source>&apos;%1&apos; is not a valid floating point value</source>
        <translation>«&#xa0;%1&#xa0;» n&apos;est pas un nombre décimal valide</translation>
    </message>
</context>
<context>
    <name>TRuler</name>
    <message>
        <source>Horizontal ruler</source>
        <translation>Règle horizontale</translation>
    </message>
    <message>
        <source>Vertical ruler</source>
        <translation>Règle verticale</translation>
    </message>
</context>
<context>
    <name>ZplPrinter</name>
    <message>
        <source>No file or printer to print to</source>
        <translation>Aucun fichier ni imprimante où imprimer</translation>
    </message>
    <message>
        <source>A page of %1 x %2 dots is more than a label printer takes (%3 dots)</source>
        <translation>Une page de %1 x %2 points dépasse ce qu’accepte une imprimante d’étiquettes (%3 points)</translation>
    </message>
    <message>
        <source>There is not enough memory for a page of %1 x %2 dots</source>
        <translation>Mémoire insuffisante pour une page de %1 x %2 points</translation>
    </message>
    <message>
        <source>The printer %1 did not take the job: %2</source>
        <translation>L&apos;imprimante %1 n&apos;a pas accepté la tâche&#xa0;: %2</translation>
    </message>
    <message>
        <source>not a printer address (socket://HOST or socket://HOST:PORT)</source>
        <translation>pas une adresse d’imprimante (socket://HÔTE ou socket://HÔTE:PORT)</translation>
    </message>
    <message>
        <source>the print job</source>
        <translation>la tâche d&apos;impression</translation>
    </message>
</context>
</TS>

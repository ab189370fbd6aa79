<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>app::CommandLine</name>
    <message>
        <source>Usage: %1 [--function N --output FILE [--scale S]]

Without options, opens the window. With them, draws the graph of one function
into FILE and exits, without a window or a display.

  --function N    the function to graph:
%2                    0  no graph: the axes shown at start-up
  --output FILE   the picture file, in the format its name ends in: .png, .svg or
                  .pdf; an existing file is replaced whole
  --scale S       pixels per window pixel in a PNG, from 0.5 to 8 (default 1:
                  441x385 pixels, as the window shows the picture)
  -h, --help      show this text
  -v, --version   show the version
</source>
        <translation>Aufruf: %1 [--function N --output DATEI [--scale S]]

Ohne Optionen öffnet das Programm sein Fenster. Mit ihnen zeichnet es den
Graphen einer Funktion in DATEI und endet, ohne Fenster und ohne Bildschirm.

  --function N    die Funktion, deren Graph gezeichnet wird:
%2                    0  kein Graph: die Achsen wie beim Start
  --output DATEI  die Bilddatei, im Format ihrer Endung: .png, .svg oder .pdf;
                  eine vorhandene Datei wird als Ganzes ersetzt
  --scale S       Pixel je Fensterpixel in einer PNG-Datei, von 0.5 bis 8
                  (Vorgabe 1: 441x385 Pixel, wie das Fenster das Bild zeigt)
  -h, --help      diesen Text anzeigen
  -v, --version   die Version anzeigen
</translation>
    </message>
    <message>
        <source>--scale needs --function N and --output FILE</source>
        <translation>--scale braucht --function N und --output DATEI</translation>
    </message>
    <message>
        <source>--function needs --output FILE</source>
        <translation>--function braucht --output DATEI</translation>
    </message>
    <message>
        <source>--output needs --function N</source>
        <translation>--output braucht --function N</translation>
    </message>
    <message>
        <source>--function must be a whole number from 0 to 5, not &apos;%1&apos;</source>
        <translation>--function muss eine ganze Zahl von 0 bis 5 sein, nicht „%1“</translation>
    </message>
    <message>
        <source>cannot tell the format of &apos;%1&apos;: the file name must end in .png, .svg or .pdf</source>
        <translation>das Format von „%1“ ist unbekannt: der Dateiname muss auf .png, .svg oder .pdf enden</translation>
    </message>
    <message>
        <source>--scale applies to PNG pictures only, not to &apos;%1&apos;</source>
        <translation>--scale gilt nur für PNG-Bilder, nicht für „%1“</translation>
    </message>
    <message>
        <source>--scale must be a number from 0.5 to 8, not &apos;%1&apos;</source>
        <translation>--scale muss eine Zahl von 0.5 bis 8 sein, nicht „%1“</translation>
    </message>
    <message>
        <source>could not write %1: %2</source>
        <translation>%1 konnte nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>unexpected argument &apos;%1&apos;</source>
        <translation>unerwartetes Argument „%1“</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not valid UTF-8, the only encoding of file names and arguments Qt reads</source>
        <translation>„%1“ ist kein gültiges UTF-8, die einzige Kodierung von Dateinamen und Argumenten, die Qt liest</translation>
    </message>
    <message>
        <source>no display could be opened; use --output FILE to draw a picture without one</source>
        <translation>kein Bildschirm ließ sich öffnen; mit --output DATEI entsteht ein Bild auch ohne</translation>
    </message>
</context>
<context>
    <name>app::GraphWindow</name>
    <message>
        <source>Graph Drawing Method</source>
        <translation>Graphen zeichnen</translation>
    </message>
    <message>
        <source>Plot</source>
        <translation>Diagramm</translation>
    </message>
    <message>
        <source>y = x squared minus 2</source>
        <translation>y = x Quadrat minus 2</translation>
    </message>
    <message>
        <source>y = x times e to the minus x, plus 2</source>
        <translation>y = x mal e hoch minus x, plus 2</translation>
    </message>
    <message>
        <source>y = 5 sine x over x</source>
        <translation>y = 5 mal Sinus x durch x</translation>
    </message>
    <message>
        <source>y = e to the x, minus 1, minus x squared</source>
        <translation>y = e hoch x, minus 1, minus x Quadrat</translation>
    </message>
    <message>
        <source>y = square root of x squared plus 1</source>
        <translation>y = Wurzel aus x Quadrat plus 1</translation>
    </message>
    <message>
        <source>Graph</source>
        <translation>Zeichnen</translation>
    </message>
    <message>
        <source>End</source>
        <translation>Ende</translation>
    </message>
    <message>
        <source>Axes from -10 to 10</source>
        <translation>Achsen von -10 bis 10</translation>
    </message>
    <message>
        <source>Graph of %1 from -10 to 10</source>
        <translation>Graph von %1, von -10 bis 10</translation>
    </message>
    <message>
        <source>The picture could not be drawn: the drawing operation &quot;%1&quot; failed.</source>
        <translation>Das Bild konnte nicht gezeichnet werden: Der Zeichenschritt „%1“ ist fehlgeschlagen.</translation>
    </message>
    <message>
        <source>Press Graph to draw it again.</source>
        <translation>Drücken Sie „Zeichnen“, um es neu zu zeichnen.</translation>
    </message>
</context>
<context>
    <name>app::PictureActions</name>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Save As...</source>
        <translation>Speichern unter...</translation>
    </message>
    <message>
        <source>Print...</source>
        <translation>Drucken...</translation>
    </message>
    <message>
        <source>Save Picture As</source>
        <translation>Bild speichern unter</translation>
    </message>
    <message>
        <source>The picture could not be saved.</source>
        <translation>Das Bild konnte nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>The printer reported an error.</source>
        <translation>Der Drucker hat einen Fehler gemeldet.</translation>
    </message>
    <message>
        <source>The page could not be drawn.</source>
        <translation>Die Seite konnte nicht gezeichnet werden.</translation>
    </message>
    <message>
        <source>The picture could not be printed.</source>
        <translation>Das Bild konnte nicht gedruckt werden.</translation>
    </message>
    <message>
        <source>f(x) = %1</source>
        <translation>f(x) = %1</translation>
    </message>
    <message>
        <source>f(x) off the picture</source>
        <translation>f(x) außerhalb des Bildes</translation>
    </message>
    <message>
        <source>x = %1, y = %2</source>
        <translation>x = %1, y = %2</translation>
    </message>
    <message>
        <source>x = %1</source>
        <translation>x = %1</translation>
    </message>
    <message>
        <source>At x = %1</source>
        <translation>Bei x = %1</translation>
    </message>
</context>
<context>
    <name>app::PictureFile</name>
    <message>
        <source>%1 is a folder.</source>
        <translation>%1 ist ein Ordner.</translation>
    </message>
    <message>
        <source>%1 is a file, not a folder.</source>
        <translation>%1 ist eine Datei, kein Ordner.</translation>
    </message>
    <message>
        <source>You may not open the folder %1.</source>
        <translation>Sie dürfen den Ordner %1 nicht öffnen.</translation>
    </message>
    <message>
        <source>The folder %1 does not exist.</source>
        <translation>Den Ordner %1 gibt es nicht.</translation>
    </message>
    <message>
        <source>The folder %1 is on a read-only file system.</source>
        <translation>Der Ordner %1 liegt auf einem schreibgeschützten Dateisystem.</translation>
    </message>
    <message>
        <source>You may not make files in the folder %1.</source>
        <translation>Sie dürfen im Ordner %1 keine Dateien anlegen.</translation>
    </message>
    <message>
        <source>You may not write to the file %1.</source>
        <translation>Sie dürfen nicht in die Datei %1 schreiben.</translation>
    </message>
    <message>
        <source>No file could be made in the folder %1: %2.</source>
        <translation>Im Ordner %1 konnte keine Datei angelegt werden: %2.</translation>
    </message>
    <message>
        <source>PNG image (*.png)</source>
        <translation>PNG-Bild (*.png)</translation>
    </message>
    <message>
        <source>SVG drawing (*.svg)</source>
        <translation>SVG-Zeichnung (*.svg)</translation>
    </message>
    <message>
        <source>PDF document (*.pdf)</source>
        <translation>PDF-Dokument (*.pdf)</translation>
    </message>
    <message>
        <source>The picture could not be drawn.</source>
        <translation>Das Bild konnte nicht gezeichnet werden.</translation>
    </message>
</context>
</TS>

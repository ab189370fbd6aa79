<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>app::CommandLine</name>
    <message>
        <source>--function needs --output FILE</source>
        <translation>--function braucht --output DATEI</translation>
    </message>
    <message>
        <source>--output needs --function N</source>
        <translation>--output braucht --function N</translation>
    </message>
    <message>
        <source>--scale applies to PNG pictures only, not to &apos;%1&apos;</source>
        <translation>--scale gilt nur für PNG-Bilder, nicht für „%1“</translation>
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
    <message>
        <source>--page must be A3, A4, A5, Letter or Legal, not &apos;%1&apos;</source>
        <translation>--page muss A3, A4, A5, Letter oder Legal sein, nicht „%1“</translation>
    </message>
    <message>
        <source>--unit-length needs --page SIZE</source>
        <translation>--unit-length braucht --page GRÖSSE</translation>
    </message>
    <message>
        <source>--background must be screen, white or transparent, not &apos;%1&apos;</source>
        <translation>--background muss screen, white oder transparent sein, nicht „%1“</translation>
    </message>
    <message>
        <source>--line-width must be a whole number from 1 to 4, not &apos;%1&apos;</source>
        <translation>--line-width muss eine ganze Zahl von 1 bis 4 sein, nicht „%1“</translation>
    </message>
    <message>
        <source>%1 needs --function N and --output FILE</source>
        <translation>%1 braucht --function N und --output DATEI</translation>
    </message>
    <message>
        <source>--function takes numbers from 0 to 5, one or a list such as 1-5 or 0,2-3 naming each once, not &apos;%1&apos;</source>
        <translation>--function nimmt ganze Zahlen von 0 bis 5, eine oder eine Liste wie 1-5 oder 0,2-3, jede nur einmal, nicht „%1“</translation>
    </message>
    <message>
        <source>&apos;%1&apos; has a brace that is not part of {n}</source>
        <translation>„%1“ hat eine geschweifte Klammer, die nicht zu {n} gehört</translation>
    </message>
    <message>
        <source>&apos;%1&apos; needs {n}, the function&apos;s number, to name one file for each function</source>
        <translation>„%1“ braucht {n}, die Nummer der Funktion, um für jede Funktion eine eigene Datei zu nennen</translation>
    </message>
    <message>
        <source>&apos;%1&apos; would be written twice</source>
        <translation>„%1“ würde zweimal geschrieben</translation>
    </message>
    <message>
        <source>--page prints on a PDF page only, not into &apos;%1&apos;</source>
        <translation>--page druckt nur auf eine PDF-Seite, nicht in „%1“</translation>
    </message>
    <message>
        <source>cannot tell the format of &apos;%1&apos;: the file name must end in .png, .svg, .pdf or .wav</source>
        <translation>das Format von „%1“ ist nicht zu erkennen: Der Dateiname muss auf .png, .svg, .pdf oder .wav enden</translation>
    </message>
    <message>
        <source>the axes alone have no curve to be heard: &apos;%1&apos; needs --function 1 to 5</source>
        <translation>die Achsen allein haben keine Kurve, die man hören kann: „%1“ braucht --function 1 bis 5</translation>
    </message>
    <message>
        <source>--unit-length must be a number of millimetres from 1 to %2, the most that fits A3, not &apos;%1&apos;</source>
        <translation>--unit-length muss eine Zahl von Millimetern von 1 bis %2 sein, dem größten Wert, der auf A3 passt, nicht „%1“</translation>
    </message>
    <message>
        <source>--function is empty: give a number from 0 to 5, or a list such as 1-5 or 0,2-3</source>
        <translation>--function ist leer: Geben Sie eine Zahl von 0 bis 5 an oder eine Liste wie 1-5 oder 0,2-3</translation>
    </message>
    <message>
        <source>%1 applies to pictures only, not to the sound &apos;%2&apos;</source>
        <translation>%1 gilt nur für Bilder, nicht für den Klang „%2“</translation>
    </message>
    <message>
        <source>the help could not be written to the standard output</source>
        <translation>die Hilfe konnte nicht in die Standardausgabe geschrieben werden</translation>
    </message>
    <message>
        <source>the version could not be written to the standard output</source>
        <translation>die Version konnte nicht in die Standardausgabe geschrieben werden</translation>
    </message>
    <message>
        <source>--%1 must be two numbers A:B with A less than B, not &apos;%2&apos;</source>
        <translation>--%1 muss aus zwei Zahlen A:B mit A kleiner als B bestehen, nicht „%2“</translation>
    </message>
    <message>
        <source>the view %1 cannot be drawn: each range must lie within -1e9 to 1e9 and be at least a billionth of its distance from 0 long</source>
        <translation>der Ausschnitt %1 kann nicht gezeichnet werden: jeder Bereich muss zwischen -1e9 und 1e9 liegen und mindestens ein Milliardstel seines Abstands von 0 lang sein</translation>
    </message>
    <message>
        <source>--expression and --function cannot be given together: each names the function to draw</source>
        <translation>--expression und --function gehen nicht zusammen: jede nennt die zu zeichnende Funktion</translation>
    </message>
    <message>
        <source>--key-points needs one function to graph</source>
        <translation>--key-points braucht genau eine Funktion, deren Graph gezeichnet wird</translation>
    </message>
    <message>
        <source>&apos;%1&apos; has {n}, a function&apos;s number: --expression graphs a typed function, which has none</source>
        <translation>„%1“ enthält {n}, die Nummer einer Funktion: --expression zeichnet eine eingegebene Funktion, die keine hat</translation>
    </message>
    <message>
        <source>  --function N    the functions to graph, one or a list such as 1-5 or 0,2-3:
%2                    0  no graph: the axes shown at start-up
</source>
        <translation>  --function N    die Funktionen, deren Graph gezeichnet wird, eine oder eine
                  Liste wie 1-5 oder 0,2-3:
%2                    0  kein Graph: die Achsen wie beim Start
</translation>
    </message>
    <message>
        <source>  --output FILE   the picture file, in the format its name ends in: .png, .svg,
                  .pdf, or .wav for the curve as sound (four seconds, pitch
                  following y, left to right with x); an existing file is
                  replaced whole. {n} in the name stands for the function&apos;s
                  number, and is needed when N lists more than one. Repeat
                  --output for more files of each function:
                    --function 1-5 --output &apos;f{n}.png&apos; --output &apos;f{n}.svg&apos;
                  writes ten files, in that order; the first that cannot be
                  written ends the run, and those written before it stay
</source>
        <translation>  --output DATEI  die Bilddatei, im Format ihrer Endung: .png, .svg, .pdf, oder
                  .wav für die Kurve als Klang (vier Sekunden, die Tonhöhe folgt
                  y, von links nach rechts mit x); eine vorhandene Datei wird
                  als Ganzes ersetzt. {n} im Namen steht für die Nummer der
                  Funktion und ist nötig, wenn N mehrere nennt. --output
                  mehrmals gibt mehr Dateien je Funktion:
                    --function 1-5 --output &apos;f{n}.png&apos; --output &apos;f{n}.svg&apos;
                  schreibt zehn Dateien in dieser Reihenfolge; die erste, die
                  nicht geschrieben werden kann, beendet den Lauf, die davor
                  geschriebenen bleiben
</translation>
    </message>
    <message>
        <source>  --expression E  a function of x typed as on a calculator, in place of
                  --function: &apos;y = 0.5x^2 - 3&apos;, &apos;tan(x)&apos;, &apos;√(1 - x^2)&apos;
</source>
        <translation>  --expression E  eine Funktion von x, eingegeben wie am Taschenrechner, statt
                  --function: &apos;y = 0.5x^2 - 3&apos;, &apos;tan(x)&apos;, &apos;√(1 - x^2)&apos;
</translation>
    </message>
    <message>
        <source>  --x-range A:B   the part of the x-axis shown (default -10:10)
</source>
        <translation>  --x-range A:B   der gezeigte Teil der x-Achse (Vorgabe -10:10)
</translation>
    </message>
    <message>
        <source>  --y-range C:D   the part of the y-axis shown (default -10:10)
</source>
        <translation>  --y-range C:D   der gezeigte Teil der y-Achse (Vorgabe -10:10)
</translation>
    </message>
    <message>
        <source>  --key-points    print the zeros, minima and maxima in view, one a line:
                  KIND&lt;TAB&gt;X&lt;TAB&gt;Y, with or without --output
</source>
        <translation>  --key-points    die Nullstellen, Minima und Maxima im Ausschnitt ausgeben, eine
                  je Zeile: ART&lt;TAB&gt;X&lt;TAB&gt;Y, mit oder ohne --output
</translation>
    </message>
    <message>
        <source>  --scale S       pixels per window pixel in a PNG, from 0.5 to 8 (default 1:
                  441x385 pixels, as the window shows the picture)
</source>
        <translation>  --scale S       Pixel je Fensterpixel in einer PNG-Datei, von 0.5 bis 8
                  (Vorgabe 1: 441x385 Pixel, wie das Fenster das Bild zeigt)
</translation>
    </message>
    <message>
        <source>--scale must be a number from 0.5 to %2, not &apos;%1&apos;</source>
        <translation>--scale muss eine Zahl von 0.5 bis %2 sein, nicht „%1“</translation>
    </message>
    <message>
        <source>  -h, --help      show this text
</source>
        <translation>  -h, --help      diesen Text anzeigen
</translation>
    </message>
    <message>
        <source>  -v, --version   show the version
</source>
        <translation>  -v, --version   die Version anzeigen
</translation>
    </message>
    <message>
        <source>
The picture&apos;s style (the default is the window&apos;s look):
  --background B  screen (the window&apos;s colour), white, or transparent (PNG and
                  SVG; white in a PDF)
</source>
        <translation>
Der Stil des Bildes (Vorgabe: wie im Fenster):
  --background B  screen (die Farbe des Fensters), white (weiß) oder
                  transparent (PNG und SVG; weiß in einer PDF-Datei)
</translation>
    </message>
    <message>
        <source>  --line-width N  the curve, axes and ticks N pixels thick, from 1 to 4
</source>
        <translation>  --line-width N  Kurve, Achsen und Striche N Pixel breit, von 1 bis 4
</translation>
    </message>
    <message>
        <source>  --numbers       number the even ticks
</source>
        <translation>  --numbers       die geraden Striche beschriften
</translation>
    </message>
    <message>
        <source>  --grid          light lines across the picture at the ticks
</source>
        <translation>  --grid          helle Linien quer durch das Bild an den Strichen
</translation>
    </message>
    <message>
        <source>
A printed page instead of the picture alone (FILE must end in .pdf):
  --page SIZE     the page the picture is printed on, with margins and a
                  caption under it: A3, A4, A5, Letter or Legal; the
                  background is white unless --background says otherwise
</source>
        <translation>
Eine gedruckte Seite statt des Bildes allein (DATEI muss auf .pdf enden):
  --page GRÖSSE   das Papierformat, auf das das Bild mit Rändern und einer
                  Bildunterschrift gedruckt wird: A3, A4, A5, Letter oder
                  Legal; der Hintergrund ist weiß, wenn --background nichts
                  anderes sagt
</translation>
    </message>
    <message>
        <source>  --unit-length L one unit of the axes L millimetres long on paper, from 1 to
                  %3, the most that fits A3 (default: as large as the page
                  allows)
</source>
        <translation>  --unit-length L eine Einheit der Achsen ist auf dem Papier L Millimeter lang,
                  von 1 bis %3, dem größten Wert, der auf A3 passt (Vorgabe:
                  so groß, wie die Seite erlaubt)
</translation>
    </message>
    <message>
        <source>Usage: %1 [--function N --output FILE [--scale S]]

Without options, opens the window. With them, draws the graph of each function
listed into each FILE and exits, without a window or a display.

</source>
        <translation>Aufruf: %1 [--function N --output DATEI [--scale S]]

Ohne Optionen öffnet das Programm sein Fenster. Mit ihnen zeichnet es den
Graphen jeder genannten Funktion in jede DATEI und endet, ohne Fenster und
ohne Bildschirm.

</translation>
    </message>
    <message>
        <source>%1 needs --output FILE</source>
        <translation>%1 braucht --output DATEI</translation>
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
        <source>The picture could not be drawn: the drawing operation &quot;%1&quot; failed.</source>
        <translation>Das Bild konnte nicht gezeichnet werden: Der Zeichenschritt „%1“ ist fehlgeschlagen.</translation>
    </message>
    <message>
        <source>Press Graph to draw it again.</source>
        <translation>Drücken Sie „Zeichnen“, um es neu zu zeichnen.</translation>
    </message>
    <message>
        <source>Graph of %1 from -10 to 10; Space plays it as sound</source>
        <translation>Graph von %1 von -10 bis 10; die Leertaste spielt ihn als Klang</translation>
    </message>
    <message>
        <source>Chooses this function. Key: %1</source>
        <translation>Wählt diese Funktion. Taste: %1</translation>
    </message>
    <message>
        <source>Draws the chosen function. Key: %1</source>
        <translation>Zeichnet die gewählte Funktion. Taste: %1</translation>
    </message>
    <message>
        <source>Ends the program. Keys: %1 or %2</source>
        <translation>Beendet das Programm. Tasten: %1 oder %2</translation>
    </message>
    <message>
        <source>Axes, %1</source>
        <translation>Achsen, %1</translation>
    </message>
    <message>
        <source>Graph of %1, %2; Space plays it as sound</source>
        <translation>Graph von %1, %2; die Leertaste spielt ihn als Klang</translation>
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
    <message>
        <source>Picture Style</source>
        <translation>Bildstil</translation>
    </message>
    <message>
        <source>Background</source>
        <translation>Hintergrund</translation>
    </message>
    <message>
        <source>As on Screen</source>
        <translation>Wie am Bildschirm</translation>
    </message>
    <message>
        <source>White</source>
        <translation>Weiß</translation>
    </message>
    <message>
        <source>Transparent</source>
        <translation>Durchsichtig</translation>
    </message>
    <message>
        <source>Line Width</source>
        <translation>Linienbreite</translation>
    </message>
    <message>
        <source>1 Pixel</source>
        <translation>1 Pixel</translation>
    </message>
    <message>
        <source>2 Pixels</source>
        <translation>2 Pixel</translation>
    </message>
    <message>
        <source>3 Pixels</source>
        <translation>3 Pixel</translation>
    </message>
    <message>
        <source>4 Pixels</source>
        <translation>4 Pixel</translation>
    </message>
    <message>
        <source>Numbers on the Axes</source>
        <translation>Zahlen an den Achsen</translation>
    </message>
    <message>
        <source>Grid</source>
        <translation>Gitter</translation>
    </message>
    <message>
        <source>Printed Size</source>
        <translation>Druckgröße</translation>
    </message>
    <message>
        <source>As Large as the Page Allows</source>
        <translation>So groß, wie die Seite erlaubt</translation>
    </message>
    <message>
        <source>1 Unit = 1 cm</source>
        <translation>1 Einheit = 1 cm</translation>
    </message>
    <message>
        <source>1 Unit = 5 mm</source>
        <translation>1 Einheit = 5 mm</translation>
    </message>
    <message>
        <source>Printed Background</source>
        <translation>Druckhintergrund</translation>
    </message>
    <message>
        <source>Play the Curve</source>
        <translation>Kurve abspielen</translation>
    </message>
    <message>
        <source>Plays the graph as sound: x from -10 to 10 in four seconds, from left to right, the pitch rising with y, a tick at each whole x and a bell where the curve crosses the x-axis</source>
        <translation>Spielt den Graphen als Klang: x von -10 bis 10 in vier Sekunden, von links nach rechts, die Tonhöhe steigt mit y, ein Klick bei jedem ganzen x und eine Glocke, wo die Kurve die x-Achse schneidet</translation>
    </message>
    <message>
        <source>There is nothing to play.</source>
        <translation>Es gibt nichts abzuspielen.</translation>
    </message>
    <message>
        <source>The axes alone have no curve to be heard; graph a function first.</source>
        <translation>Die Achsen allein haben keine Kurve, die man hören kann; zeichnen Sie zuerst eine Funktion.</translation>
    </message>
    <message>
        <source>The curve could not be played.</source>
        <translation>Die Kurve konnte nicht abgespielt werden.</translation>
    </message>
    <message>
        <source>The program&apos;s sound module is missing; installing the program again brings it.</source>
        <translation>Das Klangmodul des Programms fehlt; eine erneute Installation des Programms bringt es mit.</translation>
    </message>
    <message>
        <source>No audio output was found: this computer has no sound device or sound server.</source>
        <translation>Es wurde keine Audioausgabe gefunden: Dieser Computer hat kein Audiogerät und keinen Soundserver.</translation>
    </message>
    <message>
        <source>The audio output %1 could not play the sound.</source>
        <translation>Die Audioausgabe %1 konnte den Klang nicht abspielen.</translation>
    </message>
    <message>
        <source>Key Points Marked</source>
        <translation>Besondere Punkte markiert</translation>
    </message>
    <message>
        <source>Type a Function...</source>
        <translation>Funktion eingeben...</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Ausschnitt</translation>
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
        <source>Default View</source>
        <translation>Ursprünglicher Ausschnitt</translation>
    </message>
    <message>
        <source>Key Points</source>
        <translation>Besondere Punkte</translation>
    </message>
    <message>
        <source>List Them</source>
        <translation>Auflisten</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Nächster</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Voriger</translation>
    </message>
    <message>
        <source>The axes alone have no key points; graph a function first.</source>
        <translation>Die Achsen allein haben keine besonderen Punkte; zeichnen Sie zuerst eine Funktion.</translation>
    </message>
    <message>
        <source>The curve has no zero, minimum or maximum in view.</source>
        <translation>Die Kurve hat im Ausschnitt keine Nullstelle, kein Minimum und kein Maximum.</translation>
    </message>
    <message>
        <source>Key points of %1, %2</source>
        <translation>Besondere Punkte von %1, %2</translation>
    </message>
    <message>
        <source>zero at x = %1, y = %2</source>
        <translation>Nullstelle bei x = %1, y = %2</translation>
    </message>
    <message>
        <source>minimum at x = %1, y = %2</source>
        <translation>Minimum bei x = %1, y = %2</translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 ist bereits vorhanden.
Soll die Datei ersetzt werden?</translation>
    </message>
    <message>
        <source>maximum at x = %1, y = %2</source>
        <translation>Maximum bei x = %1, y = %2</translation>
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
    <message>
        <source>WAV sound of the curve (*.wav)</source>
        <translation>WAV-Klang der Kurve (*.wav)</translation>
    </message>
    <message>
        <source>The axes alone have no curve to be heard; graph a function first.</source>
        <translation>Die Achsen allein haben keine Kurve, die man hören kann; zeichnen Sie zuerst eine Funktion.</translation>
    </message>
    <message>
        <source>x and y from %1 to %2</source>
        <translation>x und y von %1 bis %2</translation>
    </message>
    <message>
        <source>x from %1 to %2, y from %3 to %4</source>
        <translation>x von %1 bis %2, y von %3 bis %4</translation>
    </message>
    <message>
        <source>The picture and its caption need at least %1 x %2 mm and do not fit on the page, whose printable area is %3 x %4 mm: choose a larger page or smaller margins.</source>
        <translation>Das Bild und seine Bildunterschrift brauchen mindestens %1 x %2 mm und passen nicht auf die Seite, deren bedruckbarer Bereich %3 x %4 mm groß ist: Wählen Sie ein größeres Papierformat oder kleinere Ränder.</translation>
    </message>
    <message>
        <source>At %1 mm to the unit the picture and its caption need %2 x %3 mm and do not fit on the page, whose printable area is %4 x %5 mm: choose a larger page, or at most %6 mm to the unit for this one.</source>
        <translation>Bei %1 mm je Einheit brauchen das Bild und seine Bildunterschrift %2 x %3 mm und passen nicht auf die Seite, deren bedruckbarer Bereich %4 x %5 mm groß ist: Wählen Sie ein größeres Papierformat oder höchstens %6 mm je Einheit für dieses.</translation>
    </message>
</context>
<context>
    <name>app::TypedFunction</name>
    <message>
        <source>at the end</source>
        <translation>am Ende</translation>
    </message>
    <message>
        <source>at position %1</source>
        <translation>an Stelle %1</translation>
    </message>
    <message>
        <source>the function is empty: type a formula in x</source>
        <translation>die Funktion ist leer: geben Sie eine Formel in x ein</translation>
    </message>
    <message>
        <source>the function is longer than %1 characters</source>
        <translation>die Funktion ist länger als %1 Zeichen</translation>
    </message>
    <message>
        <source>a control character %1</source>
        <translation>ein Steuerzeichen %1</translation>
    </message>
    <message>
        <source>unknown name &apos;%1&apos; %2</source>
        <translation>unbekannter Name „%1“ %2</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not part of a formula, %2</source>
        <translation>„%1“ gehört nicht in eine Formel, %2</translation>
    </message>
    <message>
        <source>a &apos;)&apos; is missing %1</source>
        <translation>eine „)“ fehlt %1</translation>
    </message>
    <message>
        <source>the &apos;)&apos; %1 closes no &apos;(&apos;</source>
        <translation>die „)“ %1 schließt keine „(“</translation>
    </message>
    <message>
        <source>a number or x is missing %1</source>
        <translation>eine Zahl oder x fehlt %1</translation>
    </message>
    <message>
        <source>&apos;%1&apos; cannot stand %2</source>
        <translation>„%1“ kann nicht stehen %2</translation>
    </message>
    <message>
        <source>Type a Function</source>
        <translation>Funktion eingeben</translation>
    </message>
    <message>
        <source>y = a formula in x, such as 0.5x^2 - 3, tan(x) or √(1 - x^2).
Functions: sin cos tan asin acos atan sinh cosh tanh exp ln log sqrt abs floor ceil sign; constants: pi and e.</source>
        <translation>y = eine Formel in x, etwa 0.5x^2 - 3, tan(x) oder √(1 - x^2).
Funktionen: sin cos tan asin acos atan sinh cosh tanh exp ln log sqrt abs floor ceil sign; Konstanten: pi und e.</translation>
    </message>
    <message>
        <source>This is not a function of x.</source>
        <translation>Das ist keine Funktion von x.</translation>
    </message>
</context>
</TS>

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
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
        <translation>Utilisation : %1 [--function N --output FICHIER [--scale S]]

Sans option, ouvre la fenêtre. Avec, trace le graphe d’une fonction dans FICHIER
et se termine, sans fenêtre ni écran.

  --function N    la fonction à tracer :
%2                    0  aucun graphe : les axes affichés au démarrage
  --output FICHIER
                  le fichier de l’image, au format que donne la fin de son nom :
                  .png, .svg ou .pdf ; remplace en entier un fichier existant
  --scale S       pixels par pixel de la fenêtre dans un PNG, de 0.5 à 8 (1 par
                  défaut : 441x385 pixels, comme la fenêtre montre l’image)
  -h, --help      affiche ce texte
  -v, --version   affiche la version
</translation>
    </message>
    <message>
        <source>--scale needs --function N and --output FILE</source>
        <translation>--scale demande --function N et --output FICHIER</translation>
    </message>
    <message>
        <source>--function needs --output FILE</source>
        <translation>--function demande --output FICHIER</translation>
    </message>
    <message>
        <source>--output needs --function N</source>
        <translation>--output demande --function N</translation>
    </message>
    <message>
        <source>--function must be a whole number from 0 to 5, not &apos;%1&apos;</source>
        <translation>--function doit être un nombre entier de 0 à 5, et non « %1 »</translation>
    </message>
    <message>
        <source>cannot tell the format of &apos;%1&apos;: the file name must end in .png, .svg or .pdf</source>
        <translation>format de « %1 » inconnu : le nom du fichier doit finir par .png, .svg ou .pdf</translation>
    </message>
    <message>
        <source>--scale applies to PNG pictures only, not to &apos;%1&apos;</source>
        <translation>--scale ne s’applique qu’aux images PNG, et non à « %1 »</translation>
    </message>
    <message>
        <source>--scale must be a number from 0.5 to 8, not &apos;%1&apos;</source>
        <translation>--scale doit être un nombre de 0.5 à 8, et non « %1 »</translation>
    </message>
    <message>
        <source>could not write %1: %2</source>
        <translation>impossible d’écrire %1 : %2</translation>
    </message>
    <message>
        <source>unexpected argument &apos;%1&apos;</source>
        <translation>argument inattendu « %1 »</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not valid UTF-8, the only encoding of file names and arguments Qt reads</source>
        <translation>« %1 » n’est pas de l’UTF-8 valide, le seul codage de noms de fichiers et d’arguments que Qt lit</translation>
    </message>
    <message>
        <source>no display could be opened; use --output FILE to draw a picture without one</source>
        <translation>aucun écran n’a pu être ouvert ; --output FICHIER trace une image sans écran</translation>
    </message>
</context>
<context>
    <name>app::GraphWindow</name>
    <message>
        <source>Graph Drawing Method</source>
        <translation>Tracé de graphes</translation>
    </message>
    <message>
        <source>Plot</source>
        <translation>Tracé</translation>
    </message>
    <message>
        <source>y = x squared minus 2</source>
        <translation>y = x au carré moins 2</translation>
    </message>
    <message>
        <source>y = x times e to the minus x, plus 2</source>
        <translation>y = x fois e puissance moins x, plus 2</translation>
    </message>
    <message>
        <source>y = 5 sine x over x</source>
        <translation>y = 5 sinus x sur x</translation>
    </message>
    <message>
        <source>y = e to the x, minus 1, minus x squared</source>
        <translation>y = e puissance x, moins 1, moins x au carré</translation>
    </message>
    <message>
        <source>y = square root of x squared plus 1</source>
        <translation>y = racine carrée de x au carré plus 1</translation>
    </message>
    <message>
        <source>Graph</source>
        <translation>Tracer</translation>
    </message>
    <message>
        <source>End</source>
        <translation>Fin</translation>
    </message>
    <message>
        <source>Axes from -10 to 10</source>
        <translation>Axes de -10 à 10</translation>
    </message>
    <message>
        <source>Graph of %1 from -10 to 10</source>
        <translation>Graphe de %1, de -10 à 10</translation>
    </message>
    <message>
        <source>The picture could not be drawn: the drawing operation &quot;%1&quot; failed.</source>
        <translation>L’image n’a pas pu être dessinée : l’opération de dessin « %1 » a échoué.</translation>
    </message>
    <message>
        <source>Press Graph to draw it again.</source>
        <translation>Appuyez sur « Tracer » pour la dessiner à nouveau.</translation>
    </message>
</context>
<context>
    <name>app::PictureActions</name>
    <message>
        <source>Copy</source>
        <translation>Copier</translation>
    </message>
    <message>
        <source>Save As...</source>
        <translation>Enregistrer sous...</translation>
    </message>
    <message>
        <source>Print...</source>
        <translation>Imprimer...</translation>
    </message>
    <message>
        <source>Save Picture As</source>
        <translation>Enregistrer l’image sous</translation>
    </message>
    <message>
        <source>The picture could not be saved.</source>
        <translation>L’image n’a pas pu être enregistrée.</translation>
    </message>
    <message>
        <source>The printer reported an error.</source>
        <translation>L’imprimante a signalé une erreur.</translation>
    </message>
    <message>
        <source>The page could not be drawn.</source>
        <translation>La page n’a pas pu être dessinée.</translation>
    </message>
    <message>
        <source>The picture could not be printed.</source>
        <translation>L’image n’a pas pu être imprimée.</translation>
    </message>
    <message>
        <source>f(x) = %1</source>
        <translation>f(x) = %1</translation>
    </message>
    <message>
        <source>f(x) off the picture</source>
        <translation>f(x) hors de l’image</translation>
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
        <translation>En x = %1</translation>
    </message>
</context>
<context>
    <name>app::PictureFile</name>
    <message>
        <source>%1 is a folder.</source>
        <translation>%1 est un dossier.</translation>
    </message>
    <message>
        <source>%1 is a file, not a folder.</source>
        <translation>%1 est un fichier, et non un dossier.</translation>
    </message>
    <message>
        <source>You may not open the folder %1.</source>
        <translation>Vous n’avez pas le droit d’ouvrir le dossier %1.</translation>
    </message>
    <message>
        <source>The folder %1 does not exist.</source>
        <translation>Le dossier %1 n’existe pas.</translation>
    </message>
    <message>
        <source>The folder %1 is on a read-only file system.</source>
        <translation>Le dossier %1 se trouve sur un système de fichiers en lecture seule.</translation>
    </message>
    <message>
        <source>You may not make files in the folder %1.</source>
        <translation>Vous n’avez pas le droit de créer des fichiers dans le dossier %1.</translation>
    </message>
    <message>
        <source>You may not write to the file %1.</source>
        <translation>Vous n’avez pas le droit d’écrire dans le fichier %1.</translation>
    </message>
    <message>
        <source>No file could be made in the folder %1: %2.</source>
        <translation>Aucun fichier n’a pu être créé dans le dossier %1 : %2.</translation>
    </message>
    <message>
        <source>PNG image (*.png)</source>
        <translation>Image PNG (*.png)</translation>
    </message>
    <message>
        <source>SVG drawing (*.svg)</source>
        <translation>Dessin SVG (*.svg)</translation>
    </message>
    <message>
        <source>PDF document (*.pdf)</source>
        <translation>Document PDF (*.pdf)</translation>
    </message>
    <message>
        <source>The picture could not be drawn.</source>
        <translation>L’image n’a pas pu être dessinée.</translation>
    </message>
</context>
</TS>

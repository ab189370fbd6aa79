<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>app::CommandLine</name>
    <message>
        <source>--function needs --output FILE</source>
        <translation>--function demande --output FICHIER</translation>
    </message>
    <message>
        <source>--output needs --function N</source>
        <translation>--output demande --function N</translation>
    </message>
    <message>
        <source>--scale applies to PNG pictures only, not to &apos;%1&apos;</source>
        <translation>--scale ne s’applique qu’aux images PNG, et non à « %1 »</translation>
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
    <message>
        <source>--page must be A3, A4, A5, Letter or Legal, not &apos;%1&apos;</source>
        <translation>--page doit être A3, A4, A5, Letter ou Legal, et non « %1 »</translation>
    </message>
    <message>
        <source>--unit-length needs --page SIZE</source>
        <translation>--unit-length demande --page FORMAT</translation>
    </message>
    <message>
        <source>--background must be screen, white or transparent, not &apos;%1&apos;</source>
        <translation>--background doit être screen, white ou transparent, et non « %1 »</translation>
    </message>
    <message>
        <source>--line-width must be a whole number from 1 to 4, not &apos;%1&apos;</source>
        <translation>--line-width doit être un nombre entier de 1 à 4, et non « %1 »</translation>
    </message>
    <message>
        <source>%1 needs --function N and --output FILE</source>
        <translation>%1 demande --function N et --output FICHIER</translation>
    </message>
    <message>
        <source>--function takes numbers from 0 to 5, one or a list such as 1-5 or 0,2-3 naming each once, not &apos;%1&apos;</source>
        <translation>--function prend des nombres entiers de 0 à 5, un seul ou une liste comme 1-5 ou 0,2-3 qui nomme chacun une fois, et non « %1 »</translation>
    </message>
    <message>
        <source>&apos;%1&apos; has a brace that is not part of {n}</source>
        <translation>« %1 » contient une accolade qui ne fait pas partie de {n}</translation>
    </message>
    <message>
        <source>&apos;%1&apos; needs {n}, the function&apos;s number, to name one file for each function</source>
        <translation>« %1 » demande {n}, le numéro de la fonction, pour nommer un fichier par fonction</translation>
    </message>
    <message>
        <source>&apos;%1&apos; would be written twice</source>
        <translation>« %1 » serait écrit deux fois</translation>
    </message>
    <message>
        <source>--page prints on a PDF page only, not into &apos;%1&apos;</source>
        <translation>--page imprime sur une page PDF seulement, et non dans « %1 »</translation>
    </message>
    <message>
        <source>cannot tell the format of &apos;%1&apos;: the file name must end in .png, .svg, .pdf or .wav</source>
        <translation>impossible de connaître le format de « %1 » : le nom du fichier doit finir par .png, .svg, .pdf ou .wav</translation>
    </message>
    <message>
        <source>the axes alone have no curve to be heard: &apos;%1&apos; needs --function 1 to 5</source>
        <translation>les axes seuls n’ont pas de courbe à entendre : « %1 » demande --function 1 à 5</translation>
    </message>
    <message>
        <source>--unit-length must be a number of millimetres from 1 to %2, the most that fits A3, not &apos;%1&apos;</source>
        <translation>--unit-length doit être un nombre de millimètres de 1 à %2, le plus grand qui tient sur A3, et non « %1 »</translation>
    </message>
    <message>
        <source>--function is empty: give a number from 0 to 5, or a list such as 1-5 or 0,2-3</source>
        <translation>--function est vide : donnez un nombre de 0 à 5, ou une liste telle que 1-5 ou 0,2-3</translation>
    </message>
    <message>
        <source>%1 applies to pictures only, not to the sound &apos;%2&apos;</source>
        <translation>%1 ne s’applique qu’aux images, et non au son « %2 »</translation>
    </message>
    <message>
        <source>the help could not be written to the standard output</source>
        <translation>l’aide n’a pas pu être écrite sur la sortie standard</translation>
    </message>
    <message>
        <source>the version could not be written to the standard output</source>
        <translation>la version n’a pas pu être écrite sur la sortie standard</translation>
    </message>
    <message>
        <source>--%1 must be two numbers A:B with A less than B, not &apos;%2&apos;</source>
        <translation>--%1 doit être deux nombres A:B avec A inférieur à B, pas « %2 »</translation>
    </message>
    <message>
        <source>the view %1 cannot be drawn: each range must lie within -1e9 to 1e9 and be at least a billionth of its distance from 0 long</source>
        <translation>la vue %1 ne peut être tracée : chaque intervalle doit rester entre -1e9 et 1e9 et mesurer au moins un milliardième de sa distance à 0</translation>
    </message>
    <message>
        <source>--expression and --function cannot be given together: each names the function to draw</source>
        <translation>--expression et --function ne vont pas ensemble : chacune nomme la fonction à tracer</translation>
    </message>
    <message>
        <source>--key-points needs one function to graph</source>
        <translation>--key-points demande une seule fonction à tracer</translation>
    </message>
    <message>
        <source>&apos;%1&apos; has {n}, a function&apos;s number: --expression graphs a typed function, which has none</source>
        <translation>« %1 » contient {n}, le numéro d’une fonction : --expression trace une fonction saisie, qui n’en a pas</translation>
    </message>
    <message>
        <source>  --function N    the functions to graph, one or a list such as 1-5 or 0,2-3:
%2                    0  no graph: the axes shown at start-up
</source>
        <translation>  --function N    les fonctions à tracer, une seule ou une liste comme 1-5 ou
                  0,2-3 :
%2                    0  aucun graphe : les axes affichés au démarrage
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
        <translation>  --output FICHIER
                  le fichier de l’image, au format que donne la fin de son nom :
                  .png, .svg, .pdf, ou .wav pour la courbe en son (quatre
                  secondes, la hauteur suit y, de gauche à droite avec x) ;
                  remplace en entier un fichier existant. {n} dans le nom tient
                  lieu du numéro de la fonction ; il est nécessaire quand N en
                  nomme plusieurs. Répétez --output pour plusieurs fichiers de
                  chaque fonction :
                    --function 1-5 --output &apos;f{n}.png&apos; --output &apos;f{n}.svg&apos;
                  écrit dix fichiers, dans cet ordre ; le premier qui ne peut
                  être écrit arrête l’exécution, ceux écrits avant restent
</translation>
    </message>
    <message>
        <source>  --expression E  a function of x typed as on a calculator, in place of
                  --function: &apos;y = 0.5x^2 - 3&apos;, &apos;tan(x)&apos;, &apos;√(1 - x^2)&apos;
</source>
        <translation>  --expression E  une fonction de x saisie comme sur une calculatrice, à la
                  place de --function : &apos;y = 0.5x^2 - 3&apos;, &apos;tan(x)&apos;, &apos;√(1 - x^2)&apos;
</translation>
    </message>
    <message>
        <source>  --x-range A:B   the part of the x-axis shown (default -10:10)
</source>
        <translation>  --x-range A:B   la partie de l’axe des x montrée (-10:10 par défaut)
</translation>
    </message>
    <message>
        <source>  --y-range C:D   the part of the y-axis shown (default -10:10)
</source>
        <translation>  --y-range C:D   la partie de l’axe des y montrée (-10:10 par défaut)
</translation>
    </message>
    <message>
        <source>  --key-points    print the zeros, minima and maxima in view, one a line:
                  KIND&lt;TAB&gt;X&lt;TAB&gt;Y, with or without --output
</source>
        <translation>  --key-points    écrire les zéros, minima et maxima de la vue, un par ligne :
                  TYPE&lt;TAB&gt;X&lt;TAB&gt;Y, avec ou sans --output
</translation>
    </message>
    <message>
        <source>  --scale S       pixels per window pixel in a PNG, from 0.5 to 8 (default 1:
                  441x385 pixels, as the window shows the picture)
</source>
        <translation>  --scale S       pixels par pixel de la fenêtre dans un PNG, de 0.5 à 8 (1 par
                  défaut : 441x385 pixels, comme la fenêtre montre l’image)
</translation>
    </message>
    <message>
        <source>--scale must be a number from 0.5 to %2, not &apos;%1&apos;</source>
        <translation>--scale doit être un nombre de 0.5 à %2, et non « %1 »</translation>
    </message>
    <message>
        <source>  -h, --help      show this text
</source>
        <translation>  -h, --help      affiche ce texte
</translation>
    </message>
    <message>
        <source>  -v, --version   show the version
</source>
        <translation>  -v, --version   affiche la version
</translation>
    </message>
    <message>
        <source>
The picture&apos;s style (the default is the window&apos;s look):
  --background B  screen (the window&apos;s colour), white, or transparent (PNG and
                  SVG; white in a PDF)
</source>
        <translation>
Le style de l’image (par défaut, l’aspect de la fenêtre) :
  --background B  screen (la couleur de la fenêtre), white (blanc) ou
                  transparent (PNG et SVG ; blanc dans un PDF)
</translation>
    </message>
    <message>
        <source>  --line-width N  the curve, axes and ticks N pixels thick, from 1 to 4
</source>
        <translation>  --line-width N  courbe, axes et graduations épais de N pixels, de 1 à 4
</translation>
    </message>
    <message>
        <source>  --numbers       number the even ticks
</source>
        <translation>  --numbers       numérote les graduations paires
</translation>
    </message>
    <message>
        <source>  --grid          light lines across the picture at the ticks
</source>
        <translation>  --grid          des lignes claires à travers l’image aux graduations
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
Une page imprimée au lieu de l’image seule (FICHIER doit finir par .pdf) :
  --page FORMAT   le format de la page où l’image est imprimée, avec des marges
                  et une légende dessous : A3, A4, A5, Letter ou Legal ; le
                  fond est blanc sauf si --background dit autre chose
</translation>
    </message>
    <message>
        <source>  --unit-length L one unit of the axes L millimetres long on paper, from 1 to
                  %3, the most that fits A3 (default: as large as the page
                  allows)
</source>
        <translation>  --unit-length L une unité des axes mesure L millimètres sur le papier, de 1
                  à %3, le plus grand qui tient sur A3 (par défaut : aussi grand
                  que la page le permet)
</translation>
    </message>
    <message>
        <source>Usage: %1 [--function N --output FILE [--scale S]]

Without options, opens the window. With them, draws the graph of each function
listed into each FILE and exits, without a window or a display.

</source>
        <translation>Utilisation : %1 [--function N --output FICHIER [--scale S]]

Sans option, ouvre la fenêtre. Avec, trace le graphe de chaque fonction
nommée dans chaque FICHIER et se termine, sans fenêtre ni écran.

</translation>
    </message>
    <message>
        <source>%1 needs --output FILE</source>
        <translation>%1 demande --output FICHIER</translation>
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
        <source>The picture could not be drawn: the drawing operation &quot;%1&quot; failed.</source>
        <translation>L’image n’a pas pu être dessinée : l’opération de dessin « %1 » a échoué.</translation>
    </message>
    <message>
        <source>Press Graph to draw it again.</source>
        <translation>Appuyez sur « Tracer » pour la dessiner à nouveau.</translation>
    </message>
    <message>
        <source>Graph of %1 from -10 to 10; Space plays it as sound</source>
        <translation>Graphe de %1 de -10 à 10 ; la barre d’espace le joue en son</translation>
    </message>
    <message>
        <source>Chooses this function. Key: %1</source>
        <translation>Choisit cette fonction. Touche : %1</translation>
    </message>
    <message>
        <source>Draws the chosen function. Key: %1</source>
        <translation>Trace la fonction choisie. Touche : %1</translation>
    </message>
    <message>
        <source>Ends the program. Keys: %1 or %2</source>
        <translation>Termine le programme. Touches : %1 ou %2</translation>
    </message>
    <message>
        <source>Axes, %1</source>
        <translation>Axes, %1</translation>
    </message>
    <message>
        <source>Graph of %1, %2; Space plays it as sound</source>
        <translation>Graphe de %1, %2 ; Espace le joue en son</translation>
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
    <message>
        <source>Picture Style</source>
        <translation>Style de l’image</translation>
    </message>
    <message>
        <source>Background</source>
        <translation>Fond</translation>
    </message>
    <message>
        <source>As on Screen</source>
        <translation>Comme à l’écran</translation>
    </message>
    <message>
        <source>White</source>
        <translation>Blanc</translation>
    </message>
    <message>
        <source>Transparent</source>
        <translation>Transparent</translation>
    </message>
    <message>
        <source>Line Width</source>
        <translation>Épaisseur des traits</translation>
    </message>
    <message>
        <source>1 Pixel</source>
        <translation>1 pixel</translation>
    </message>
    <message>
        <source>2 Pixels</source>
        <translation>2 pixels</translation>
    </message>
    <message>
        <source>3 Pixels</source>
        <translation>3 pixels</translation>
    </message>
    <message>
        <source>4 Pixels</source>
        <translation>4 pixels</translation>
    </message>
    <message>
        <source>Numbers on the Axes</source>
        <translation>Nombres sur les axes</translation>
    </message>
    <message>
        <source>Grid</source>
        <translation>Quadrillage</translation>
    </message>
    <message>
        <source>Printed Size</source>
        <translation>Taille imprimée</translation>
    </message>
    <message>
        <source>As Large as the Page Allows</source>
        <translation>Aussi grand que la page le permet</translation>
    </message>
    <message>
        <source>1 Unit = 1 cm</source>
        <translation>1 unité = 1 cm</translation>
    </message>
    <message>
        <source>1 Unit = 5 mm</source>
        <translation>1 unité = 5 mm</translation>
    </message>
    <message>
        <source>Printed Background</source>
        <translation>Fond imprimé</translation>
    </message>
    <message>
        <source>Play the Curve</source>
        <translation>Jouer la courbe</translation>
    </message>
    <message>
        <source>Plays the graph as sound: x from -10 to 10 in four seconds, from left to right, the pitch rising with y, a tick at each whole x and a bell where the curve crosses the x-axis</source>
        <translation>Joue le graphe en son : x de -10 à 10 en quatre secondes, de gauche à droite, la hauteur montant avec y, un tic à chaque x entier et une cloche où la courbe coupe l’axe des x</translation>
    </message>
    <message>
        <source>There is nothing to play.</source>
        <translation>Il n’y a rien à jouer.</translation>
    </message>
    <message>
        <source>The axes alone have no curve to be heard; graph a function first.</source>
        <translation>Les axes seuls n’ont pas de courbe à entendre ; tracez d’abord une fonction.</translation>
    </message>
    <message>
        <source>The curve could not be played.</source>
        <translation>La courbe n’a pas pu être jouée.</translation>
    </message>
    <message>
        <source>The program&apos;s sound module is missing; installing the program again brings it.</source>
        <translation>Le module de son du programme manque ; réinstaller le programme le rétablit.</translation>
    </message>
    <message>
        <source>No audio output was found: this computer has no sound device or sound server.</source>
        <translation>Aucune sortie audio n’a été trouvée : cet ordinateur n’a ni périphérique audio ni serveur de son.</translation>
    </message>
    <message>
        <source>The audio output %1 could not play the sound.</source>
        <translation>La sortie audio %1 n’a pas pu jouer le son.</translation>
    </message>
    <message>
        <source>Key Points Marked</source>
        <translation>Points remarquables marqués</translation>
    </message>
    <message>
        <source>Type a Function...</source>
        <translation>Saisir une fonction...</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Vue</translation>
    </message>
    <message>
        <source>Zoom In</source>
        <translation>Agrandir</translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation>Réduire</translation>
    </message>
    <message>
        <source>Default View</source>
        <translation>Vue d’origine</translation>
    </message>
    <message>
        <source>Key Points</source>
        <translation>Points remarquables</translation>
    </message>
    <message>
        <source>List Them</source>
        <translation>Les lister</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Suivant</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Précédent</translation>
    </message>
    <message>
        <source>The axes alone have no key points; graph a function first.</source>
        <translation>Les axes seuls n’ont pas de points remarquables ; tracez d’abord une fonction.</translation>
    </message>
    <message>
        <source>The curve has no zero, minimum or maximum in view.</source>
        <translation>La courbe n’a ni zéro, ni minimum, ni maximum dans la vue.</translation>
    </message>
    <message>
        <source>Key points of %1, %2</source>
        <translation>Points remarquables de %1, %2</translation>
    </message>
    <message>
        <source>zero at x = %1, y = %2</source>
        <translation>zéro en x = %1, y = %2</translation>
    </message>
    <message>
        <source>minimum at x = %1, y = %2</source>
        <translation>minimum en x = %1, y = %2</translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 existe déjà.
Voulez-vous le remplacer ?</translation>
    </message>
    <message>
        <source>maximum at x = %1, y = %2</source>
        <translation>maximum en x = %1, y = %2</translation>
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
    <message>
        <source>WAV sound of the curve (*.wav)</source>
        <translation>Son WAV de la courbe (*.wav)</translation>
    </message>
    <message>
        <source>The axes alone have no curve to be heard; graph a function first.</source>
        <translation>Les axes seuls n’ont pas de courbe à entendre ; tracez d’abord une fonction.</translation>
    </message>
    <message>
        <source>x and y from %1 to %2</source>
        <translation>x et y de %1 à %2</translation>
    </message>
    <message>
        <source>x from %1 to %2, y from %3 to %4</source>
        <translation>x de %1 à %2, y de %3 à %4</translation>
    </message>
    <message>
        <source>The picture and its caption need at least %1 x %2 mm and do not fit on the page, whose printable area is %3 x %4 mm: choose a larger page or smaller margins.</source>
        <translation>L’image et sa légende demandent au moins %1 x %2 mm et ne tiennent pas sur la page, dont la zone imprimable mesure %3 x %4 mm : choisissez une page plus grande ou des marges plus petites.</translation>
    </message>
    <message>
        <source>At %1 mm to the unit the picture and its caption need %2 x %3 mm and do not fit on the page, whose printable area is %4 x %5 mm: choose a larger page, or at most %6 mm to the unit for this one.</source>
        <translation>À %1 mm par unité, l’image et sa légende demandent %2 x %3 mm et ne tiennent pas sur la page, dont la zone imprimable mesure %4 x %5 mm : choisissez une page plus grande, ou au plus %6 mm par unité pour celle-ci.</translation>
    </message>
</context>
<context>
    <name>app::TypedFunction</name>
    <message>
        <source>at the end</source>
        <translation>à la fin</translation>
    </message>
    <message>
        <source>at position %1</source>
        <translation>à la position %1</translation>
    </message>
    <message>
        <source>the function is empty: type a formula in x</source>
        <translation>la fonction est vide : saisissez une formule en x</translation>
    </message>
    <message>
        <source>the function is longer than %1 characters</source>
        <translation>la fonction dépasse %1 caractères</translation>
    </message>
    <message>
        <source>a control character %1</source>
        <translation>un caractère de contrôle %1</translation>
    </message>
    <message>
        <source>unknown name &apos;%1&apos; %2</source>
        <translation>nom inconnu « %1 » %2</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not part of a formula, %2</source>
        <translation>« %1 » n’a pas sa place dans une formule, %2</translation>
    </message>
    <message>
        <source>a &apos;)&apos; is missing %1</source>
        <translation>il manque une « ) » %1</translation>
    </message>
    <message>
        <source>the &apos;)&apos; %1 closes no &apos;(&apos;</source>
        <translation>la « ) » %1 ne ferme aucune « ( »</translation>
    </message>
    <message>
        <source>a number or x is missing %1</source>
        <translation>il manque un nombre ou x %1</translation>
    </message>
    <message>
        <source>&apos;%1&apos; cannot stand %2</source>
        <translation>« %1 » ne peut figurer %2</translation>
    </message>
    <message>
        <source>Type a Function</source>
        <translation>Saisir une fonction</translation>
    </message>
    <message>
        <source>y = a formula in x, such as 0.5x^2 - 3, tan(x) or √(1 - x^2).
Functions: sin cos tan asin acos atan sinh cosh tanh exp ln log sqrt abs floor ceil sign; constants: pi and e.</source>
        <translation>y = une formule en x, comme 0.5x^2 - 3, tan(x) ou √(1 - x^2).
Fonctions : sin cos tan asin acos atan sinh cosh tanh exp ln log sqrt abs floor ceil sign ; constantes : pi et e.</translation>
    </message>
    <message>
        <source>This is not a function of x.</source>
        <translation>Ce n’est pas une fonction de x.</translation>
    </message>
</context>
</TS>

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>About</name>
    <message>
        <source>Velquin Plus is a Bluetooth LE device to access your computer, phone or tablet using standard switches. Visit &lt;a href=&quot;https://tarvek.example/velquin-plus&quot;&gt;tarvek.example/velquin-plus&lt;/a&gt; for more information.</source>
        <translation>Velquin Plus est un appareil Bluetooth LE qui vous permet d’accéder à votre ordinateur, téléphone ou tablette à l’aide de contacteurs standard. Rendez-vous sur &lt;a href=&quot;https://tarvek.example/velquin-plus&quot;&gt;tarvek.example/velquin-plus&lt;/a&gt; pour en savoir plus.</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Continuer</translation>
    </message>
</context>
<context>
    <name>Accessibility</name>
    <message>
        <source>Back</source>
        <translation>Retour</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Langue</translation>
    </message>
    <message>
        <source>Reading the configuration</source>
        <translation>Lecture de la configuration</translation>
    </message>
    <message>
        <source>Mouse</source>
        <translation>Souris</translation>
    </message>
    <message>
        <source>Keyboard</source>
        <translation>Clavier</translation>
    </message>
    <message>
        <source>Multimedia</source>
        <translation>Multimédia</translation>
    </message>
    <message>
        <source>Joystick</source>
        <translation>Joystick</translation>
    </message>
    <message>
        <source>Generic</source>
        <translation>Générique</translation>
    </message>
    <message>
        <source>Switch %1</source>
        <translation>Contacteur %1</translation>
    </message>
    <message>
        <source>Edit switch %1</source>
        <translation>Modifier le contacteur %1</translation>
    </message>
    <message>
        <source>Vertical</source>
        <translation>Vertical</translation>
    </message>
    <message>
        <source>Mouse action</source>
        <translation>Action de la souris</translation>
    </message>
    <message>
        <source>Key</source>
        <translation>Touche</translation>
    </message>
    <message>
        <source>Multimedia key</source>
        <translation>Touche multimédia</translation>
    </message>
    <message>
        <source>Joystick action</source>
        <translation>Action du joystick</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>Événement</translation>
    </message>
</context>
<context>
    <name>AppSettings</name>
    <message>
        <source>Settings</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>Show generic interface (development)</source>
        <translation>Afficher l’interface générique (développement)</translation>
    </message>
    <message>
        <source>Disable joystick interface</source>
        <translation>Désactiver l’interface joystick</translation>
    </message>
    <message>
        <source>Enable joystick interface</source>
        <translation>Activer l’interface joystick</translation>
    </message>
    <message>
        <source>Yes, disable joystick interface</source>
        <translation>Oui, désactiver l’interface joystick</translation>
    </message>
    <message>
        <source>Yes, enable joystick interface</source>
        <translation>Oui, activer l’interface joystick</translation>
    </message>
    <message>
        <source>Using the joystick interface will make iOS devices (such as iPad or iPhone) not recognize Velquin Plus. Are you sure?</source>
        <translation>Avec l’interface joystick activée, les appareils iOS (comme l’iPad ou l’iPhone) ne reconnaîtront pas Velquin Plus. Voulez-vous vraiment continuer&#xa0;?</translation>
    </message>
    <message>
        <source>Restore default configuration</source>
        <translation>Restaurer la configuration d’usine</translation>
    </message>
    <message>
        <source>Yes, restore default configuration</source>
        <translation>Oui, restaurer la configuration d’usine</translation>
    </message>
    <message>
        <source>This will restore your Velquin Plus to factory settings, but will keep pairing information. Are you sure?</source>
        <translation>Votre Velquin Plus va retrouver sa configuration d’usine, mais les informations d’appairage seront conservées. Voulez-vous vraiment continuer&#xa0;?</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Connecté</translation>
    </message>
    <message>
        <source>Fw. version</source>
        <translation>Version du firmware</translation>
    </message>
    <message>
        <source>App version</source>
        <translation>Version de l’application</translation>
    </message>
</context>
<context>
    <name>CctrlCodes</name>
    <message>
        <source>Volume up</source>
        <translation>Augmenter le volume</translation>
    </message>
    <message>
        <source>Volume down</source>
        <translation>Baisser le volume</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>Couper le son</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Lecture</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Play/Pause</source>
        <translation>Lecture/pause</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Arrêt</translation>
    </message>
    <message>
        <source>Next track</source>
        <translation>Piste suivante</translation>
    </message>
    <message>
        <source>Previous track</source>
        <translation>Piste précédente</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Fast forward</source>
        <translation>Avance rapide</translation>
    </message>
    <message>
        <source>Rewind</source>
        <translation>Retour rapide</translation>
    </message>
    <message>
        <source>Menu pick</source>
        <translation>Menu&#xa0;: sélectionner</translation>
    </message>
    <message>
        <source>Menu up</source>
        <translation>Menu&#xa0;: haut</translation>
    </message>
    <message>
        <source>Menu down</source>
        <translation>Menu&#xa0;: bas</translation>
    </message>
    <message>
        <source>Menu left</source>
        <translation>Menu&#xa0;: gauche</translation>
    </message>
    <message>
        <source>Menu right</source>
        <translation>Menu&#xa0;: droite</translation>
    </message>
    <message>
        <source>Menu escape</source>
        <translation>Menu&#xa0;: quitter</translation>
    </message>
    <message>
        <source>Menu value increase</source>
        <translation>Menu&#xa0;: augmenter la valeur</translation>
    </message>
    <message>
        <source>Menu value decrease</source>
        <translation>Menu&#xa0;: diminuer la valeur</translation>
    </message>
    <message>
        <source>Closed caption</source>
        <translation>Sous-titres</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Rechercher</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Accueil</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Retour</translation>
    </message>
</context>
<context>
    <name>ConfigFile</name>
    <message>
        <source>nothing</source>
        <translation>rien</translation>
    </message>
    <message>
        <source>%1 is not a switch entry.</source>
        <translation>%1 n’est pas l’entrée d’un contacteur.</translation>
    </message>
    <message>
        <source>the interface %1 is unknown.</source>
        <translation>l’interface %1 est inconnue.</translation>
    </message>
    <message>
        <source>the release mode %1 is unknown.</source>
        <translation>le mode de relâchement %1 est inconnu.</translation>
    </message>
    <message>
        <source>the action %1 is unknown.</source>
        <translation>l’action %1 est inconnue.</translation>
    </message>
    <message>
        <source>%1 is %2, not a whole number from 0 to 255.</source>
        <translation>%1 vaut %2, et non un nombre entier de 0 à 255.</translation>
    </message>
    <message>
        <source>The file is too large for a configuration (more than %1 kB).</source>
        <translation>Le fichier est trop grand pour une configuration (plus de %1 ko).</translation>
    </message>
    <message>
        <source>The file is damaged or cut short: it cannot be read past byte %1.</source>
        <translation>Le fichier est endommagé ou tronqué : il ne peut pas être lu au-delà de l’octet %1.</translation>
    </message>
    <message>
        <source>The file is not a Velquin Plus configuration.</source>
        <translation>Le fichier n’est pas une configuration de Velquin Plus.</translation>
    </message>
    <message>
        <source>The file is in format version %1; this app reads version %2.</source>
        <translation>Le fichier est au format version %1 ; cette application lit la version %2.</translation>
    </message>
    <message>
        <source>The file holds %1 switches instead of %2.</source>
        <translation>Le fichier contient %1 contacteurs au lieu de %2.</translation>
    </message>
    <message>
        <source>Switch %1: %2</source>
        <translation>Contacteur %1 : %2</translation>
    </message>
    <message>
        <source>The pointer profile is %1, not a number from 0 to %2.</source>
        <translation>Le profil du pointeur vaut %1, et non un nombre de 0 à %2.</translation>
    </message>
    <message>
        <source>The wheel speed is %1, not a number from 0 to 2.</source>
        <translation>La vitesse de la molette vaut %1, et non un nombre de 0 à 2.</translation>
    </message>
    <message>
        <source>The joystick setting is %1, not true or false.</source>
        <translation>Le réglage du joystick vaut %1, et non vrai ou faux.</translation>
    </message>
    <message>
        <source>Switch %1: the action is not one this app can show or set.</source>
        <translation>Contacteur %1 : cette application ne peut ni afficher ni régler cette action.</translation>
    </message>
    <message>
        <source>Switch %1: the device would not keep this action and release mode as they are.</source>
        <translation>Contacteur %1 : l’appareil ne garderait pas cette action et ce mode de relâchement tels quels.</translation>
    </message>
    <message>
        <source>Switches that differ from the file: %1.</source>
        <translation>Contacteurs qui diffèrent du fichier : %1.</translation>
    </message>
    <message>
        <source>The joystick interface differs from the file.</source>
        <translation>L’interface joystick diffère du fichier.</translation>
    </message>
    <message>
        <source>Configurations are saved to files on this computer only.</source>
        <translation>Les configurations ne sont enregistrées que dans des fichiers de cet ordinateur.</translation>
    </message>
    <message>
        <source>The configuration could not be saved: %1</source>
        <translation>La configuration n’a pas pu être enregistrée : %1</translation>
    </message>
    <message>
        <source>Configurations are read from files on this computer only.</source>
        <translation>Les configurations ne sont lues que depuis des fichiers de cet ordinateur.</translation>
    </message>
    <message>
        <source>The file cannot be read: %1</source>
        <translation>Le fichier ne peut pas être lu : %1</translation>
    </message>
</context>
<context>
    <name>ConfigSwitchUtil</name>
    <message>
        <source>Press/release</source>
        <translation>Appuyer/relâcher</translation>
    </message>
    <message>
        <source>Press/release right button</source>
        <translation>Appuyer/relâcher le bouton droit</translation>
    </message>
    <message>
        <source>Press/release middle button</source>
        <translation>Appuyer/relâcher le bouton central</translation>
    </message>
    <message>
        <source>Double right click</source>
        <translation>Double-clic droit</translation>
    </message>
    <message>
        <source>Double middle click</source>
        <translation>Double-clic central</translation>
    </message>
    <message>
        <source>Double aux 1 click</source>
        <translation>Double-clic auxiliaire 1</translation>
    </message>
    <message>
        <source>Double aux 2 click</source>
        <translation>Double-clic auxiliaire 2</translation>
    </message>
    <message>
        <source>Press</source>
        <translation>Appuyer sur</translation>
    </message>
    <message>
        <source>Release</source>
        <translation>Relâcher</translation>
    </message>
    <message>
        <source>Press/Release</source>
        <translation>Appuyer/relâcher</translation>
    </message>
    <message>
        <source>Button</source>
        <translation>Bouton</translation>
    </message>
    <message>
        <source>Key</source>
        <translation>Touche</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>Événement</translation>
    </message>
    <message>
        <source>Other</source>
        <translation>Autre</translation>
    </message>
    <message>
        <source>Release automatically</source>
        <translation>Relâcher automatiquement</translation>
    </message>
    <message>
        <source>Stop when released</source>
        <translation>Arrêter au relâchement</translation>
    </message>
    <message>
        <source>Release manually</source>
        <translation>Relâcher manuellement</translation>
    </message>
    <message>
        <source>Alternate move/stop</source>
        <translation>Alterner déplacement/arrêt</translation>
    </message>
    <message>
        <source>Alternate press/release</source>
        <translation>Alterner appui/relâchement</translation>
    </message>
</context>
<context>
    <name>ConfigurationFiles</name>
    <message>
        <source>Save configuration...</source>
        <translation>Enregistrer la configuration...</translation>
    </message>
    <message>
        <source>Load configuration...</source>
        <translation>Charger une configuration...</translation>
    </message>
    <message>
        <source>Print switch sheet...</source>
        <translation>Imprimer la fiche des contacteurs...</translation>
    </message>
    <message>
        <source>The configuration is saved.</source>
        <translation>La configuration est enregistrée.</translation>
    </message>
    <message>
        <source>Nothing was changed.</source>
        <translation>Rien n’a été modifié.</translation>
    </message>
    <message>
        <source>Choose another file</source>
        <translation>Choisir un autre fichier</translation>
    </message>
    <message>
        <source>The device holds the configuration of the file: it was read back and checked.</source>
        <translation>L’appareil contient la configuration du fichier : elle a été relue et vérifiée.</translation>
    </message>
    <message>
        <source>After writing, the device&apos;s configuration differs from the file.</source>
        <translation>Après l’écriture, la configuration de l’appareil diffère du fichier.</translation>
    </message>
    <message>
        <source>What each switch does</source>
        <translation>Ce que fait chaque contacteur</translation>
    </message>
    <message>
        <source>Velquin Plus %1, printed on %2</source>
        <translation>Velquin Plus %1, imprimé le %2</translation>
    </message>
    <message>
        <source>The switch sheet is saved; no program was found to show it.</source>
        <translation>La fiche des contacteurs est enregistrée ; aucun programme n’a été trouvé pour l’afficher.</translation>
    </message>
    <message>
        <source>The device went away before its configuration could be checked.</source>
        <translation>L’appareil s’est déconnecté avant que sa configuration puisse être vérifiée.</translation>
    </message>
    <message>
        <source>Save configuration</source>
        <translation>Enregistrer la configuration</translation>
    </message>
    <message>
        <source>Velquin Plus configurations (*.velquin)</source>
        <translation>Configurations Velquin Plus (*.velquin)</translation>
    </message>
    <message>
        <source>Load configuration</source>
        <translation>Charger une configuration</translation>
    </message>
    <message>
        <source>Print switch sheet</source>
        <translation>Imprimer la fiche des contacteurs</translation>
    </message>
    <message>
        <source>PDF documents (*.pdf)</source>
        <translation>Documents PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Write this configuration to the device? It replaces what every switch does now.</source>
        <translation>Écrire cette configuration dans l’appareil ? Elle remplace ce que fait maintenant chaque contacteur.</translation>
    </message>
    <message>
        <source>Yes, write it to the device</source>
        <translation>Oui, l’écrire dans l’appareil</translation>
    </message>
    <message>
        <source>Saved on %1 from Velquin Plus %2</source>
        <translation>Enregistrée le %1 depuis Velquin Plus %2</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>DeviceConfiguration</name>
    <message>
        <source>Menu</source>
        <translation>Menu</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>Switches</source>
        <translation>Contacteurs</translation>
    </message>
    <message>
        <source>Mouse movement</source>
        <translation>Mouvement de la souris</translation>
    </message>
    <message>
        <source>Pointer</source>
        <translation>Pointeur</translation>
    </message>
    <message>
        <source>Constant speed (slow)</source>
        <translation>Vitesse constante (lente)</translation>
    </message>
    <message>
        <source>Constant speed (fast)</source>
        <translation>Vitesse constante (rapide)</translation>
    </message>
    <message>
        <source>Accelerate</source>
        <translation>Accélérer</translation>
    </message>
    <message>
        <source>Accelerate, decelerate</source>
        <translation>Accélérer et ralentir</translation>
    </message>
    <message>
        <source>Wheel</source>
        <translation>Molette</translation>
    </message>
    <message>
        <source>Slow</source>
        <translation>Lente</translation>
    </message>
    <message>
        <source>Medium</source>
        <translation>Moyenne</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>Rapide</translation>
    </message>
</context>
<context>
    <name>DeviceProblem</name>
    <message>
        <source>Velquin Plus is paired but this app may not open it.</source>
        <translation>Velquin Plus est appairé, mais cette application n’a pas le droit de l’ouvrir.</translation>
    </message>
    <message>
        <source>Velquin Plus is paired but not connected. Switch it off and on.</source>
        <translation>Velquin Plus est appairé, mais pas connecté. Éteignez-le puis rallumez-le.</translation>
    </message>
    <message>
        <source>Allow access...</source>
        <translation>Autoriser l’accès...</translation>
    </message>
    <message>
        <source>Commands copied</source>
        <translation>Commandes copiées</translation>
    </message>
    <message>
        <source>Copy commands</source>
        <translation>Copier les commandes</translation>
    </message>
</context>
<context>
    <name>DiagnosticsReport</name>
    <message>
        <source>Diagnostics copied</source>
        <translation>Diagnostic copié</translation>
    </message>
    <message>
        <source>Copy diagnostics</source>
        <translation>Copier le diagnostic</translation>
    </message>
</context>
<context>
    <name>Help</name>
    <message>
        <source>Switch Velquin Plus on by pushing the side button. The LED will turn on for 1s and start blinking.</source>
        <translation>Allumez Velquin Plus en appuyant sur le bouton latéral. Le voyant s’allume pendant 1&#xa0;s puis se met à clignoter.</translation>
    </message>
    <message>
        <source>Launch Start &gt; Settings &gt; Devices &gt; Bluetooth &amp; other devices.</source>
        <translation>Ouvrez Démarrer &gt; Paramètres &gt; Périphériques &gt; Bluetooth et autres appareils.</translation>
    </message>
    <message>
        <source>Select Add Bluetooth or other device &gt; Bluetooth.</source>
        <translation>Sélectionnez Ajouter un appareil Bluetooth ou un autre appareil &gt; Bluetooth.</translation>
    </message>
    <message>
        <source>Launch Android Bluetooth settings and tap on &apos;Pair new device&apos;.</source>
        <translation>Ouvrez les paramètres Bluetooth d’Android et appuyez sur «&#xa0;Associer un nouvel appareil&#xa0;».</translation>
    </message>
    <message>
        <source>Launch Bluetooth settings and select &apos;Pair new device&apos;.</source>
        <translation>Ouvrez les paramètres Bluetooth et sélectionnez «&#xa0;Associer un nouvel appareil&#xa0;».</translation>
    </message>
    <message>
        <source>When &apos;Velquin Plus&apos; shows up on the list, select it.</source>
        <translation>Lorsque «&#xa0;Velquin Plus&#xa0;» apparaît dans la liste, sélectionnez-le.</translation>
    </message>
    <message>
        <source>Switch Velquin Plus on by pushing the side button. The LED will turn on for 1s and then off</source>
        <translation>Allumez Velquin Plus en appuyant sur le bouton latéral. Le voyant s’allume pendant 1&#xa0;s puis s’éteint.</translation>
    </message>
    <message>
        <source>If it does not connect automatically, launch Start &gt; Settings &gt; Devices &gt; Bluetooth &amp; other devices and click on &apos;Velquin Plus&apos;.</source>
        <translation>S’il ne se connecte pas automatiquement, ouvrez Démarrer &gt; Paramètres &gt; Périphériques &gt; Bluetooth et autres appareils et cliquez sur «&#xa0;Velquin Plus&#xa0;».</translation>
    </message>
    <message>
        <source>If it does not connect automatically, launch Android Bluetooth settings and tap on &apos;Velquin Plus&apos;.</source>
        <translation>S’il ne se connecte pas automatiquement, ouvrez les paramètres Bluetooth d’Android et appuyez sur «&#xa0;Velquin Plus&#xa0;».</translation>
    </message>
    <message>
        <source>If it does not connect automatically, launch Bluetooth settings and select &apos;Velquin Plus&apos;.</source>
        <translation>S’il ne se connecte pas automatiquement, ouvrez les paramètres Bluetooth et sélectionnez «&#xa0;Velquin Plus&#xa0;».</translation>
    </message>
    <message>
        <source>If it fails to connect, make sure Velquin Plus is not already connected to another device (e.g. a computer).</source>
        <translation>S’il n’arrive pas à se connecter, vérifiez que Velquin Plus n’est pas déjà connecté à un autre appareil (par exemple un ordinateur).</translation>
    </message>
    <message>
        <source>How to connect Velquin Plus</source>
        <translation>Comment connecter Velquin Plus</translation>
    </message>
    <message>
        <source>Have you paired Velquin Plus to this device before?</source>
        <translation>Avez-vous déjà appairé Velquin Plus avec cet appareil&#xa0;?</translation>
    </message>
    <message>
        <source>No, this is the first time I use Velquin Plus on this device, or I unpaired it.</source>
        <translation>Non, c’est la première fois que j’utilise Velquin Plus sur cet appareil, ou je l’ai dissocié.</translation>
    </message>
    <message>
        <source>Yes, Velquin Plus is paired.</source>
        <translation>Oui, Velquin Plus est appairé.</translation>
    </message>
</context>
<context>
    <name>KeybdCodes</name>
    <message>
        <source>(Empty)</source>
        <translation>(Aucune)</translation>
    </message>
    <message>
        <source>Return</source>
        <translation>Entrée</translation>
    </message>
    <message>
        <source>Space</source>
        <translation>Espace</translation>
    </message>
    <message>
        <source>Comma</source>
        <translation>Virgule</translation>
    </message>
    <message>
        <source>Period</source>
        <translation>Point</translation>
    </message>
    <message>
        <source>Caps Lock</source>
        <translation>Verr Maj</translation>
    </message>
    <message>
        <source>Esc</source>
        <translation>Échap</translation>
    </message>
    <message>
        <source>Tab</source>
        <translation>Tabulation</translation>
    </message>
    <message>
        <source>Backspace</source>
        <translation>Retour arrière</translation>
    </message>
    <message>
        <source>Print Screen</source>
        <translation>Impr écran</translation>
    </message>
    <message>
        <source>Insert</source>
        <translation>Inser</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Origine</translation>
    </message>
    <message>
        <source>Page Down</source>
        <translation>Page suivante</translation>
    </message>
    <message>
        <source>Page Up</source>
        <translation>Page précédente</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Suppr</translation>
    </message>
    <message>
        <source>End</source>
        <translation>Fin</translation>
    </message>
    <message>
        <source>Arrow Right</source>
        <translation>Flèche droite</translation>
    </message>
    <message>
        <source>Arrow Left</source>
        <translation>Flèche gauche</translation>
    </message>
    <message>
        <source>Arrow Down</source>
        <translation>Flèche bas</translation>
    </message>
    <message>
        <source>Arrow Up</source>
        <translation>Flèche haut</translation>
    </message>
</context>
<context>
    <name>PleaseConnect</name>
    <message>
        <source>Connect your</source>
        <translation>Connectez votre</translation>
    </message>
    <message>
        <source>Do you need help to connect Velquin Plus to this </source>
        <translation>Besoin d’aide pour connecter Velquin Plus à cet </translation>
    </message>
    <message>
        <source>device</source>
        <translation>appareil</translation>
    </message>
    <message>
        <source>computer</source>
        <translation>ordinateur</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Paramètres</translation>
    </message>
</context>
<context>
    <name>SwitchConfiguration</name>
    <message>
        <source>Switch</source>
        <translation>Contacteur</translation>
    </message>
    <message>
        <source>Reading</source>
        <translation>Lecture en cours</translation>
    </message>
    <message>
        <source>Action type</source>
        <translation>Type d’action</translation>
    </message>
    <message>
        <source>Mouse</source>
        <translation>Souris</translation>
    </message>
    <message>
        <source>Keyboard</source>
        <translation>Clavier</translation>
    </message>
    <message>
        <source>Multim.</source>
        <translation>Multim.</translation>
    </message>
    <message>
        <source>Multimedia</source>
        <translation>Multimédia</translation>
    </message>
    <message>
        <source>Joystick</source>
        <translation>Joystick</translation>
    </message>
    <message>
        <source>Generic</source>
        <translation>Générique</translation>
    </message>
    <message>
        <source>Left button</source>
        <translation>Bouton gauche</translation>
    </message>
    <message>
        <source>Right button</source>
        <translation>Bouton droit</translation>
    </message>
    <message>
        <source>Middle button</source>
        <translation>Bouton central</translation>
    </message>
    <message>
        <source>Aux button 1</source>
        <translation>Bouton auxiliaire 1</translation>
    </message>
    <message>
        <source>Aux button 2</source>
        <translation>Bouton auxiliaire 2</translation>
    </message>
    <message>
        <source>Double click</source>
        <translation>Double-clic</translation>
    </message>
    <message>
        <source>Move up</source>
        <translation>Déplacer vers le haut</translation>
    </message>
    <message>
        <source>Move down</source>
        <translation>Déplacer vers le bas</translation>
    </message>
    <message>
        <source>Move left</source>
        <translation>Déplacer à gauche</translation>
    </message>
    <message>
        <source>Move right</source>
        <translation>Déplacer à droite</translation>
    </message>
    <message>
        <source>Wheel up</source>
        <translation>Molette vers le haut</translation>
    </message>
    <message>
        <source>Wheel down</source>
        <translation>Molette vers le bas</translation>
    </message>
    <message>
        <source>Modifiers</source>
        <translation>Modificateurs</translation>
    </message>
    <message>
        <source>Ctrl</source>
        <translation>Ctrl</translation>
    </message>
    <message>
        <source>Shift</source>
        <translation>Maj</translation>
    </message>
    <message>
        <source>Alt</source>
        <translation>Alt</translation>
    </message>
    <message>
        <source>GUI</source>
        <translation>GUI</translation>
    </message>
    <message>
        <source>AltGr</source>
        <translation>AltGr</translation>
    </message>
    <message>
        <source>Button 1</source>
        <translation>Bouton 1</translation>
    </message>
    <message>
        <source>Button 2</source>
        <translation>Bouton 2</translation>
    </message>
    <message>
        <source>Button 3</source>
        <translation>Bouton 3</translation>
    </message>
    <message>
        <source>Button 4</source>
        <translation>Bouton 4</translation>
    </message>
    <message>
        <source>Button 5</source>
        <translation>Bouton 5</translation>
    </message>
    <message>
        <source>Button 6</source>
        <translation>Bouton 6</translation>
    </message>
    <message>
        <source>Button 7</source>
        <translation>Bouton 7</translation>
    </message>
    <message>
        <source>Button 8</source>
        <translation>Bouton 8</translation>
    </message>
    <message>
        <source>Event 1</source>
        <translation>Événement 1</translation>
    </message>
    <message>
        <source>Event 2</source>
        <translation>Événement 2</translation>
    </message>
    <message>
        <source>Event 3</source>
        <translation>Événement 3</translation>
    </message>
    <message>
        <source>Event 4</source>
        <translation>Événement 4</translation>
    </message>
    <message>
        <source>Event 5</source>
        <translation>Événement 5</translation>
    </message>
    <message>
        <source>Event 6</source>
        <translation>Événement 6</translation>
    </message>
    <message>
        <source>Event 7</source>
        <translation>Événement 7</translation>
    </message>
    <message>
        <source>Event 8</source>
        <translation>Événement 8</translation>
    </message>
    <message>
        <source>Release automatically</source>
        <translation>Relâcher automatiquement</translation>
    </message>
    <message>
        <source>When you activate the switch, the key will be pressed and released automatically.</source>
        <translation>Lorsque vous activez le contacteur, la touche est enfoncée puis relâchée automatiquement.</translation>
    </message>
    <message>
        <source>When you activate the switch, the button will be pressed and released automatically.</source>
        <translation>Lorsque vous activez le contacteur, le bouton est enfoncé puis relâché automatiquement.</translation>
    </message>
    <message>
        <source>Stop when released</source>
        <translation>Arrêter au relâchement</translation>
    </message>
    <message>
        <source>Release manually</source>
        <translation>Relâcher manuellement</translation>
    </message>
    <message>
        <source>The key will remain pressed until you release the switch.</source>
        <translation>La touche reste enfoncée jusqu’à ce que vous relâchiez le contacteur.</translation>
    </message>
    <message>
        <source>The button will remain pressed until you release the switch.</source>
        <translation>Le bouton reste enfoncé jusqu’à ce que vous relâchiez le contacteur.</translation>
    </message>
    <message>
        <source>The mouse pointer will keep moving until you release the switch.</source>
        <translation>Le pointeur de la souris se déplace jusqu’à ce que vous relâchiez le contacteur.</translation>
    </message>
    <message>
        <source>The joystick will keep moving until you release the switch.</source>
        <translation>Le joystick se déplace jusqu’à ce que vous relâchiez le contacteur.</translation>
    </message>
    <message>
        <source>Alternate move/stop</source>
        <translation>Alterner déplacement/arrêt</translation>
    </message>
    <message>
        <source>Alternate press/release</source>
        <translation>Alterner appui/relâchement</translation>
    </message>
    <message>
        <source>The first activation of the switch will keep the key pressed, and the next one will release it.</source>
        <translation>Une première activation du contacteur maintient la touche enfoncée, la suivante la relâche.</translation>
    </message>
    <message>
        <source>The first activation of the switch will keep the button pressed, and the next one will release it.</source>
        <translation>Une première activation du contacteur maintient le bouton enfoncé, la suivante le relâche.</translation>
    </message>
    <message>
        <source>The first activation of the switch will make the pointer start moving, and the next one will stop it.</source>
        <translation>Une première activation du contacteur met le pointeur en mouvement, la suivante l’arrête.</translation>
    </message>
    <message>
        <source>The first activation of the switch will make the joystick start moving, and the next one will stop it.</source>
        <translation>Une première activation du contacteur met le joystick en mouvement, la suivante l’arrête.</translation>
    </message>
</context>
<context>
    <name>SwitchSheet</name>
    <message>
        <source>The switch sheet could not be written to %1.</source>
        <translation>La fiche des contacteurs n’a pas pu être écrite dans %1.</translation>
    </message>
    <message>
        <source>The switch sheet is saved to files on this computer only.</source>
        <translation>La fiche des contacteurs n’est enregistrée que dans des fichiers de cet ordinateur.</translation>
    </message>
</context>
<context>
    <name>YesCancelDialog</name>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
</TS>

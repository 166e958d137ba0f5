<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>BattIndicator</name>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>&amp;Preferences</source>
        <translation>&amp;Préférences</translation>
    </message>
    <message>
        <source>Status: Discharging
Capacity: %1%</source>
        <translation>État&#xa0;: en décharge
Charge&#xa0;: %1&#xa0;%</translation>
    </message>
    <message>
        <source>Status: Charging
Capacity: %1%</source>
        <translation>État&#xa0;: en charge
Charge&#xa0;: %1&#xa0;%</translation>
    </message>
    <message>
        <source>Status: Running on AC power</source>
        <translation>État&#xa0;: sur secteur</translation>
    </message>
    <message>
        <source>
%1: %2%</source>
        <translation>
%1&#xa0;: %2&#xa0;%</translation>
    </message>
    <message>
        <source>
%1: absent</source>
        <translation>
%1&#xa0;: absente</translation>
    </message>
    <message>
        <source>
Time remaining: %1:%2</source>
        <translation>
Temps restant&#xa0;: %1:%2</translation>
    </message>
    <message>
        <source>Battery capacity at %1%</source>
        <translation>Charge de la batterie à %1&#xa0;%</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Avertissement</translation>
    </message>
    <message>
        <source>
Time to full: %1:%2</source>
        <translation>
Temps avant charge complète&#xa0;: %1:%2</translation>
    </message>
    <message>
        <source>
Time to full: estimating…</source>
        <translation>
Temps avant charge complète&#xa0;: estimation…</translation>
    </message>
    <message>
        <source>
Time remaining: estimating…</source>
        <translation>
Temps restant&#xa0;: estimation…</translation>
    </message>
    <message>
        <source>Charge: %1%</source>
        <translation>Charge&#xa0;: %1&#xa0;%</translation>
    </message>
    <message>
        <source>Charge: %1%, time left: %2:%3</source>
        <translation>Charge&#xa0;: %1&#xa0;%, temps restant&#xa0;: %2:%3</translation>
    </message>
    <message>
        <source>Battery fully charged</source>
        <translation>Batterie entièrement chargée</translation>
    </message>
    <message>
        <source>Charger connected</source>
        <translation>Chargeur branché</translation>
    </message>
    <message>
        <source>Charger disconnected</source>
        <translation>Chargeur débranché</translation>
    </message>
    <message>
        <source>Battery critical</source>
        <translation>Batterie critique</translation>
    </message>
    <message>
        <source>Battery low</source>
        <translation>Batterie faible</translation>
    </message>
    <message>
        <source>Battery &amp;details…</source>
        <translation>&amp;Détails de la batterie…</translation>
    </message>
</context>
<context>
    <name>BatteryDetails</name>
    <message>
        <source>Battery details</source>
        <translation>Détails de la batterie</translation>
    </message>
    <message>
        <source>Charge over the last 24 hours:</source>
        <translation>Charge des dernières 24 heures&#xa0;:</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>inconnu</translation>
    </message>
    <message>
        <source>%1 mAh</source>
        <translation>%1 mAh</translation>
    </message>
    <message>
        <source>%1 mWh</source>
        <translation>%1 mWh</translation>
    </message>
    <message>
        <source>%1%</source>
        <translation>%1&#xa0;%</translation>
    </message>
    <message>
        <source>%1 V</source>
        <translation>%1 V</translation>
    </message>
    <message>
        <source>%1 A</source>
        <translation>%1 A</translation>
    </message>
    <message>
        <source>%1 W</source>
        <translation>%1 W</translation>
    </message>
    <message>
        <source>Discharging</source>
        <translation>En décharge</translation>
    </message>
    <message>
        <source>Charging</source>
        <translation>En charge</translation>
    </message>
    <message>
        <source>Idle</source>
        <translation>Au repos</translation>
    </message>
    <message>
        <source>Model:</source>
        <translation>Modèle&#xa0;:</translation>
    </message>
    <message>
        <source>Manufacturer:</source>
        <translation>Fabricant&#xa0;:</translation>
    </message>
    <message>
        <source>Serial number:</source>
        <translation>Numéro de série&#xa0;:</translation>
    </message>
    <message>
        <source>Technology:</source>
        <translation>Technologie&#xa0;:</translation>
    </message>
    <message>
        <source>Design capacity:</source>
        <translation>Capacité nominale&#xa0;:</translation>
    </message>
    <message>
        <source>Last full capacity:</source>
        <translation>Dernière pleine capacité&#xa0;:</translation>
    </message>
    <message>
        <source>Health:</source>
        <translation>Santé&#xa0;:</translation>
    </message>
    <message>
        <source>Design voltage:</source>
        <translation>Tension nominale&#xa0;:</translation>
    </message>
    <message>
        <source>Cycle count:</source>
        <translation>Nombre de cycles&#xa0;:</translation>
    </message>
    <message>
        <source>Rate:</source>
        <translation>Débit&#xa0;:</translation>
    </message>
    <message>
        <source>Voltage:</source>
        <translation>Tension&#xa0;:</translation>
    </message>
    <message>
        <source>Charge:</source>
        <translation>Charge&#xa0;:</translation>
    </message>
    <message>
        <source>State:</source>
        <translation>État&#xa0;:</translation>
    </message>
    <message>
        <source>No battery in this bay.</source>
        <translation>Aucune batterie dans cet emplacement.</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Battery monitor for the system tray.</source>
        <translation>Moniteur de batterie pour la zone de notification.</translation>
    </message>
    <message>
        <source>Show this help and exit.</source>
        <translation>Afficher cette aide et quitter.</translation>
    </message>
    <message>
        <source>Show the version and exit.</source>
        <translation>Afficher la version et quitter.</translation>
    </message>
</context>
<context>
    <name>Countdown</name>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Annuler</translation>
    </message>
    <message>
        <source>Critical battery capacity reached</source>
        <translation>Niveau critique de la batterie atteint</translation>
    </message>
    <message numerus="yes">
        <source>Suspending system in %n second(s)</source>
        <translation>
            <numerusform>Mise en veille du système dans %n seconde</numerusform>
            <numerusform>Mise en veille du système dans %n secondes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Shutting down system in %n second(s)</source>
        <translation>
            <numerusform>Arrêt du système dans %n seconde</numerusform>
            <numerusform>Arrêt du système dans %n secondes</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>FallbackWindow</name>
    <message>
        <source>No system tray was found. The battery is shown here until a tray starts; closing this window quits the program.</source>
        <translation>Aucune zone de notification n’a été trouvée. La batterie est affichée ici jusqu’au démarrage d’une zone de notification&#xa0;; fermer cette fenêtre quitte le programme.</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>open(%s):
Not a regular file
</source>
        <translation>open(%s)&#xa0;:
Ce n’est pas un fichier ordinaire
</translation>
    </message>
    <message>
        <source>Couldn&apos;t execute %s</source>
        <translation>Impossible d’exécuter %s</translation>
    </message>
    <message>
        <source>Failes to execute shell.</source>
        <translation>Impossible d’exécuter l’interpréteur de commandes.</translation>
    </message>
    <message>
        <source>Command %s returned an exit status != 0: %d</source>
        <translation>La commande %s a renvoyé un code de sortie différent de 0&#xa0;: %d</translation>
    </message>
    <message>
        <source>This machine cannot suspend: the automatic action will fail. Choose shutdown in Preferences.</source>
        <translation>Cette machine ne peut pas se mettre en veille&#xa0;: l’action automatique échouera. Choisissez l’arrêt dans les Préférences.</translation>
    </message>
</context>
<context>
    <name>Preferences</name>
    <message>
        <source>Auto suspend/shutdown</source>
        <translation>Mise en veille ou arrêt automatique</translation>
    </message>
    <message>
        <source>Use theme icons for tray</source>
        <translation>Utiliser les icônes du thème dans la zone de notification</translation>
    </message>
    <message>
        <source>Suspend</source>
        <translation>Mise en veille</translation>
    </message>
    <message>
        <source>Shutdown</source>
        <translation>Arrêt</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Annuler</translation>
    </message>
    <message>
        <source>if battery capacity drops below</source>
        <translation>si la charge de la batterie passe sous</translation>
    </message>
    <message>
        <source>Suspend command:</source>
        <translation>Commande de mise en veille&#xa0;:</translation>
    </message>
    <message>
        <source>Shutdown command:</source>
        <translation>Commande d’arrêt&#xa0;:</translation>
    </message>
    <message>
        <source>ACPI poll interval:</source>
        <translation>Intervalle d’interrogation ACPI&#xa0;:</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Préférences</translation>
    </message>
    <message>
        <source>The suspend command must be a single line.</source>
        <translation>La commande de mise en veille doit tenir sur une seule ligne.</translation>
    </message>
    <message>
        <source>The shutdown command must be a single line.</source>
        <translation>La commande d’arrêt doit tenir sur une seule ligne.</translation>
    </message>
    <message>
        <source> s</source>
        <extracomment>The unit after the poll interval: the symbol of seconds.</extracomment>
        <translation>&#xa0;s</translation>
    </message>
    <message>
        <source> %</source>
        <extracomment>The percent sign after the capacity, spaced as the language wants.</extracomment>
        <translation>&#xa0;%</translation>
    </message>
    <message>
        <source>Not valid in the settings file, so the default is used until you change it:
%1</source>
        <extracomment>Lines of &quot;name = value&quot; from the settings file follow.</extracomment>
        <translation>Non valide dans le fichier de configuration, la valeur par défaut est donc utilisée jusqu’à ce que vous la changiez&#xa0;:
%1</translation>
    </message>
    <message>
        <source>This machine cannot suspend.</source>
        <translation>Cette machine ne peut pas se mettre en veille.</translation>
    </message>
    <message>
        <source>Shut down instead</source>
        <translation>Arrêter à la place</translation>
    </message>
    <message>
        <source>Notify when fully charged</source>
        <translation>Avertir quand la batterie est chargée</translation>
    </message>
    <message>
        <source>Notify when the charger is connected or disconnected</source>
        <translation>Avertir au branchement et au débranchement du chargeur</translation>
    </message>
    <message>
        <source>Warn at:</source>
        <translation>Avertir à&#xa0;:</translation>
    </message>
    <message>
        <source>Critical at:</source>
        <translation>Critique à&#xa0;:</translation>
    </message>
    <message>
        <source>as the battery reports</source>
        <translation>selon la batterie</translation>
    </message>
    <message>
        <source>Show the charge in the icon</source>
        <translation>Afficher la charge dans l’icône</translation>
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
</context>
</TS>

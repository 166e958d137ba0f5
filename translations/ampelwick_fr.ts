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
        <translation>État : en décharge
Charge : %1 %</translation>
    </message>
    <message>
        <source>Status: Charging
Capacity: %1%</source>
        <translation>État : en charge
Charge : %1 %</translation>
    </message>
    <message>
        <source>Status: Running on AC power</source>
        <translation>État : sur secteur</translation>
    </message>
    <message>
        <source>
%1: %2%</source>
        <translation>
%1 : %2 %</translation>
    </message>
    <message>
        <source>
%1: absent</source>
        <translation>
%1 : absente</translation>
    </message>
    <message>
        <source>
Time remaining: %1:%2</source>
        <translation>
Temps restant : %1:%2</translation>
    </message>
    <message>
        <source>Battery capacity at %1%</source>
        <translation>Charge de la batterie à %1 %</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Avertissement</translation>
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
    <message>
        <source>Suspending system in %1 %2</source>
        <translation>Mise en veille du système dans %1 %2</translation>
    </message>
    <message>
        <source>Shutting down system in %1 %2</source>
        <translation>Arrêt du système dans %1 %2</translation>
    </message>
    <message>
        <source>Second</source>
        <translation>seconde</translation>
    </message>
    <message>
        <source>Seconds</source>
        <translation>secondes</translation>
    </message>
</context>
<context>
    <name>Preferences</name>
    <message>
        <source>Auto suspend/shutdown</source>
        <translation>Mise en veille/arrêt automatique</translation>
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
        <translation>si la charge de la batterie descend sous</translation>
    </message>
    <message>
        <source>Suspend command:</source>
        <translation>Commande de mise en veille :</translation>
    </message>
    <message>
        <source>Shutdown command:</source>
        <translation>Commande d&apos;arrêt :</translation>
    </message>
    <message>
        <source>ACPI poll interval:</source>
        <translation>Intervalle d&apos;interrogation ACPI :</translation>
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
        <translation>La commande d&apos;arrêt doit tenir sur une seule ligne.</translation>
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

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>BattIndicator</name>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Preferences</source>
        <translation>&amp;Einstellungen</translation>
    </message>
    <message>
        <source>Status: Discharging
Capacity: %1%</source>
        <translation>Status: Wird entladen
Ladestand: %1 %</translation>
    </message>
    <message>
        <source>Status: Charging
Capacity: %1%</source>
        <translation>Status: Wird geladen
Ladestand: %1 %</translation>
    </message>
    <message>
        <source>Status: Running on AC power</source>
        <translation>Status: Netzbetrieb</translation>
    </message>
    <message>
        <source>
%1: %2%</source>
        <translation>
%1: %2 %</translation>
    </message>
    <message>
        <source>
%1: absent</source>
        <translation>
%1: nicht vorhanden</translation>
    </message>
    <message>
        <source>
Time remaining: %1:%2</source>
        <translation>
Restlaufzeit: %1:%2</translation>
    </message>
    <message>
        <source>Battery capacity at %1%</source>
        <translation>Akkuladestand bei %1 %</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>
Time to full: %1:%2</source>
        <translation>
Zeit bis voll: %1:%2</translation>
    </message>
    <message>
        <source>
Time to full: estimating…</source>
        <translation>
Zeit bis voll: wird geschätzt…</translation>
    </message>
    <message>
        <source>
Time remaining: estimating…</source>
        <translation>
Restlaufzeit: wird geschätzt…</translation>
    </message>
    <message>
        <source>Charge: %1%</source>
        <translation>Ladung: %1 %</translation>
    </message>
    <message>
        <source>Charge: %1%, time left: %2:%3</source>
        <translation>Ladung: %1 %, Restzeit: %2:%3</translation>
    </message>
    <message>
        <source>Battery fully charged</source>
        <translation>Akku vollständig geladen</translation>
    </message>
    <message>
        <source>Charger connected</source>
        <translation>Netzteil angeschlossen</translation>
    </message>
    <message>
        <source>Charger disconnected</source>
        <translation>Netzteil getrennt</translation>
    </message>
    <message>
        <source>Battery critical</source>
        <translation>Akku kritisch</translation>
    </message>
    <message>
        <source>Battery low</source>
        <translation>Akku schwach</translation>
    </message>
    <message>
        <source>Battery &amp;details…</source>
        <translation>Akku&amp;details…</translation>
    </message>
</context>
<context>
    <name>BatteryDetails</name>
    <message>
        <source>Battery details</source>
        <translation>Akkudetails</translation>
    </message>
    <message>
        <source>Charge over the last 24 hours:</source>
        <translation>Ladung der letzten 24 Stunden:</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>unbekannt</translation>
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
        <translation>Wird entladen</translation>
    </message>
    <message>
        <source>Charging</source>
        <translation>Wird geladen</translation>
    </message>
    <message>
        <source>Idle</source>
        <translation>Ruht</translation>
    </message>
    <message>
        <source>Model:</source>
        <translation>Modell:</translation>
    </message>
    <message>
        <source>Manufacturer:</source>
        <translation>Hersteller:</translation>
    </message>
    <message>
        <source>Serial number:</source>
        <translation>Seriennummer:</translation>
    </message>
    <message>
        <source>Technology:</source>
        <translation>Technologie:</translation>
    </message>
    <message>
        <source>Design capacity:</source>
        <translation>Nennkapazität:</translation>
    </message>
    <message>
        <source>Last full capacity:</source>
        <translation>Zuletzt volle Kapazität:</translation>
    </message>
    <message>
        <source>Health:</source>
        <translation>Zustand:</translation>
    </message>
    <message>
        <source>Design voltage:</source>
        <translation>Nennspannung:</translation>
    </message>
    <message>
        <source>Cycle count:</source>
        <translation>Ladezyklen:</translation>
    </message>
    <message>
        <source>Rate:</source>
        <translation>Leistung:</translation>
    </message>
    <message>
        <source>Voltage:</source>
        <translation>Spannung:</translation>
    </message>
    <message>
        <source>Charge:</source>
        <translation>Ladung:</translation>
    </message>
    <message>
        <source>State:</source>
        <translation>Status:</translation>
    </message>
    <message>
        <source>No battery in this bay.</source>
        <translation>In diesem Fach steckt kein Akku.</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Battery monitor for the system tray.</source>
        <translation>Akkuüberwachung für den Systemabschnitt.</translation>
    </message>
    <message>
        <source>Show this help and exit.</source>
        <translation>Diese Hilfe anzeigen und beenden.</translation>
    </message>
    <message>
        <source>Show the version and exit.</source>
        <translation>Die Version anzeigen und beenden.</translation>
    </message>
</context>
<context>
    <name>Countdown</name>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>Critical battery capacity reached</source>
        <translation>Kritischer Akkuladestand erreicht</translation>
    </message>
    <message numerus="yes">
        <source>Suspending system in %n second(s)</source>
        <translation>
            <numerusform>Das System wird in %n Sekunde in Bereitschaft versetzt</numerusform>
            <numerusform>Das System wird in %n Sekunden in Bereitschaft versetzt</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Shutting down system in %n second(s)</source>
        <translation>
            <numerusform>Das System wird in %n Sekunde heruntergefahren</numerusform>
            <numerusform>Das System wird in %n Sekunden heruntergefahren</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>FallbackWindow</name>
    <message>
        <source>No system tray was found. The battery is shown here until a tray starts; closing this window quits the program.</source>
        <translation>Es wurde kein Systemabschnitt gefunden. Der Akku wird hier angezeigt, bis ein Systemabschnitt startet; das Schließen dieses Fensters beendet das Programm.</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>open(%s):
Not a regular file
</source>
        <translation>open(%s):
Keine reguläre Datei
</translation>
    </message>
    <message>
        <source>Couldn&apos;t execute %s</source>
        <translation>%s konnte nicht ausgeführt werden</translation>
    </message>
    <message>
        <source>Failes to execute shell.</source>
        <translation>Die Shell konnte nicht gestartet werden.</translation>
    </message>
    <message>
        <source>Command %s returned an exit status != 0: %d</source>
        <translation>Der Befehl %s endete mit einem Exit-Status ungleich 0: %d</translation>
    </message>
    <message>
        <source>This machine cannot suspend: the automatic action will fail. Choose shutdown in Preferences.</source>
        <translation>Dieser Rechner kann nicht in Bereitschaft gehen: Die automatische Aktion wird fehlschlagen. Wählen Sie in den Einstellungen das Herunterfahren.</translation>
    </message>
</context>
<context>
    <name>Preferences</name>
    <message>
        <source>Auto suspend/shutdown</source>
        <translation>Automatisch in Bereitschaft versetzen oder herunterfahren</translation>
    </message>
    <message>
        <source>Use theme icons for tray</source>
        <translation>Designsymbole im Systemabschnitt verwenden</translation>
    </message>
    <message>
        <source>Suspend</source>
        <translation>Bereitschaft</translation>
    </message>
    <message>
        <source>Shutdown</source>
        <translation>Herunterfahren</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>if battery capacity drops below</source>
        <translation>bei einem Akkuladestand unter</translation>
    </message>
    <message>
        <source>Suspend command:</source>
        <translation>Befehl für Bereitschaft:</translation>
    </message>
    <message>
        <source>Shutdown command:</source>
        <translation>Befehl zum Herunterfahren:</translation>
    </message>
    <message>
        <source>ACPI poll interval:</source>
        <translation>ACPI-Abfrageintervall:</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>The suspend command must be a single line.</source>
        <translation>Der Befehl für Bereitschaft muss aus einer einzigen Zeile bestehen.</translation>
    </message>
    <message>
        <source>The shutdown command must be a single line.</source>
        <translation>Der Befehl zum Herunterfahren muss aus einer einzigen Zeile bestehen.</translation>
    </message>
    <message>
        <source> s</source>
        <extracomment>The unit after the poll interval: the symbol of seconds.</extracomment>
        <translation> s</translation>
    </message>
    <message>
        <source> %</source>
        <extracomment>The percent sign after the capacity, spaced as the language wants.</extracomment>
        <translation> %</translation>
    </message>
    <message>
        <source>Not valid in the settings file, so the default is used until you change it:
%1</source>
        <extracomment>Lines of &quot;name = value&quot; from the settings file follow.</extracomment>
        <translation>In der Einstellungsdatei ungültig, daher gilt der Standardwert, bis Sie ihn ändern:
%1</translation>
    </message>
    <message>
        <source>This machine cannot suspend.</source>
        <translation>Dieser Rechner kann nicht in Bereitschaft gehen.</translation>
    </message>
    <message>
        <source>Shut down instead</source>
        <translation>Stattdessen herunterfahren</translation>
    </message>
    <message>
        <source>Notify when fully charged</source>
        <translation>Benachrichtigen, wenn vollständig geladen</translation>
    </message>
    <message>
        <source>Notify when the charger is connected or disconnected</source>
        <translation>Benachrichtigen, wenn das Netzteil angeschlossen oder getrennt wird</translation>
    </message>
    <message>
        <source>Warn at:</source>
        <translation>Warnen bei:</translation>
    </message>
    <message>
        <source>Critical at:</source>
        <translation>Kritisch bei:</translation>
    </message>
    <message>
        <source>as the battery reports</source>
        <translation>wie vom Akku gemeldet</translation>
    </message>
    <message>
        <source>Show the charge in the icon</source>
        <translation>Ladestand im Symbol anzeigen</translation>
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
</context>
</TS>

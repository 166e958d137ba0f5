<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="nl_NL">
<context>
    <name>BattIndicator</name>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Afsluiten</translation>
    </message>
    <message>
        <source>&amp;Preferences</source>
        <translation>&amp;Voorkeuren</translation>
    </message>
    <message>
        <source>Status: Discharging
Capacity: %1%</source>
        <translation>Status: ontladen
Lading: %1%</translation>
    </message>
    <message>
        <source>Status: Charging
Capacity: %1%</source>
        <translation>Status: opladen
Lading: %1%</translation>
    </message>
    <message>
        <source>Status: Running on AC power</source>
        <translation>Status: op netstroom</translation>
    </message>
    <message>
        <source>
Time remaining: %1:%2</source>
        <translation>
Resterende tijd: %1:%2</translation>
    </message>
    <message>
        <source>
%1: %2%</source>
        <translation>
%1: %2%</translation>
    </message>
    <message>
        <source>
%1: absent</source>
        <translation>
%1: niet aanwezig</translation>
    </message>
    <message>
        <source>Battery capacity at %1%</source>
        <translation>Batterijlading: %1%</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Waarschuwing</translation>
    </message>
    <message>
        <source>
Time to full: %1:%2</source>
        <translation>
Tijd tot vol: %1:%2</translation>
    </message>
    <message>
        <source>
Time to full: estimating…</source>
        <translation>
Tijd tot vol: wordt geschat…</translation>
    </message>
    <message>
        <source>
Time remaining: estimating…</source>
        <translation>
Resterende tijd: wordt geschat…</translation>
    </message>
    <message>
        <source>Charge: %1%</source>
        <translation>Lading: %1%</translation>
    </message>
    <message>
        <source>Charge: %1%, time left: %2:%3</source>
        <translation>Lading: %1%, resterende tijd: %2:%3</translation>
    </message>
    <message>
        <source>Battery fully charged</source>
        <translation>Accu volledig opgeladen</translation>
    </message>
    <message>
        <source>Charger connected</source>
        <translation>Lader aangesloten</translation>
    </message>
    <message>
        <source>Charger disconnected</source>
        <translation>Lader losgekoppeld</translation>
    </message>
    <message>
        <source>Battery critical</source>
        <translation>Accu kritiek</translation>
    </message>
    <message>
        <source>Battery low</source>
        <translation>Accu bijna leeg</translation>
    </message>
    <message>
        <source>Battery &amp;details…</source>
        <translation>Accu&amp;details…</translation>
    </message>
</context>
<context>
    <name>BatteryDetails</name>
    <message>
        <source>Battery details</source>
        <translation>Accudetails</translation>
    </message>
    <message>
        <source>Charge over the last 24 hours:</source>
        <translation>Lading in de afgelopen 24 uur:</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>onbekend</translation>
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
        <translation>%1%</translation>
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
        <translation>Ontladen</translation>
    </message>
    <message>
        <source>Charging</source>
        <translation>Opladen</translation>
    </message>
    <message>
        <source>Idle</source>
        <translation>Inactief</translation>
    </message>
    <message>
        <source>Model:</source>
        <translation>Model:</translation>
    </message>
    <message>
        <source>Manufacturer:</source>
        <translation>Fabrikant:</translation>
    </message>
    <message>
        <source>Serial number:</source>
        <translation>Serienummer:</translation>
    </message>
    <message>
        <source>Technology:</source>
        <translation>Technologie:</translation>
    </message>
    <message>
        <source>Design capacity:</source>
        <translation>Ontwerpcapaciteit:</translation>
    </message>
    <message>
        <source>Last full capacity:</source>
        <translation>Laatste volle capaciteit:</translation>
    </message>
    <message>
        <source>Health:</source>
        <translation>Conditie:</translation>
    </message>
    <message>
        <source>Design voltage:</source>
        <translation>Ontwerpspanning:</translation>
    </message>
    <message>
        <source>Cycle count:</source>
        <translation>Aantal cycli:</translation>
    </message>
    <message>
        <source>Rate:</source>
        <translation>Vermogen:</translation>
    </message>
    <message>
        <source>Voltage:</source>
        <translation>Spanning:</translation>
    </message>
    <message>
        <source>Charge:</source>
        <translation>Lading:</translation>
    </message>
    <message>
        <source>State:</source>
        <translation>Toestand:</translation>
    </message>
    <message>
        <source>No battery in this bay.</source>
        <translation>Er zit geen accu in dit vak.</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Battery monitor for the system tray.</source>
        <translation>Batterijmonitor voor het systeemvak.</translation>
    </message>
    <message>
        <source>Show this help and exit.</source>
        <translation>Deze hulp tonen en afsluiten.</translation>
    </message>
    <message>
        <source>Show the version and exit.</source>
        <translation>De versie tonen en afsluiten.</translation>
    </message>
</context>
<context>
    <name>Countdown</name>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Annuleren</translation>
    </message>
    <message>
        <source>Critical battery capacity reached</source>
        <translation>Kritiek batterijniveau bereikt</translation>
    </message>
    <message numerus="yes">
        <source>Suspending system in %n second(s)</source>
        <translation>
            <numerusform>Het systeem gaat over %n seconde naar de slaapstand</numerusform>
            <numerusform>Het systeem gaat over %n seconden naar de slaapstand</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Shutting down system in %n second(s)</source>
        <translation>
            <numerusform>Het systeem wordt over %n seconde uitgeschakeld</numerusform>
            <numerusform>Het systeem wordt over %n seconden uitgeschakeld</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>FallbackWindow</name>
    <message>
        <source>No system tray was found. The battery is shown here until a tray starts; closing this window quits the program.</source>
        <translation>Er is geen systeemvak gevonden. De batterij wordt hier getoond totdat een systeemvak start; dit venster sluiten beëindigt het programma.</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>open(%s):
Not a regular file
</source>
        <translation>open(%s):
Geen normaal bestand
</translation>
    </message>
    <message>
        <source>Couldn&apos;t execute %s</source>
        <translation>Kan %s niet uitvoeren</translation>
    </message>
    <message>
        <source>Failes to execute shell.</source>
        <translation>Kan de shell niet uitvoeren.</translation>
    </message>
    <message>
        <source>Command %s returned an exit status != 0: %d</source>
        <translation>Opdracht %s eindigde met een afsluitstatus ongelijk aan 0: %d</translation>
    </message>
    <message>
        <source>This machine cannot suspend: the automatic action will fail. Choose shutdown in Preferences.</source>
        <translation>Deze computer kan niet naar de slaapstand: de automatische actie zal mislukken. Kies uitschakelen in de voorkeuren.</translation>
    </message>
</context>
<context>
    <name>Preferences</name>
    <message>
        <source>Auto suspend/shutdown</source>
        <translation>Automatisch naar slaapstand of uitschakelen</translation>
    </message>
    <message>
        <source>Use theme icons for tray</source>
        <translation>Pictogrammen van het thema gebruiken in het systeemvak</translation>
    </message>
    <message>
        <source>Suspend</source>
        <translation>Slaapstand</translation>
    </message>
    <message>
        <source>Shutdown</source>
        <translation>Uitschakelen</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Annuleren</translation>
    </message>
    <message>
        <source>if battery capacity drops below</source>
        <translation>als de batterijlading daalt onder</translation>
    </message>
    <message>
        <source> s</source>
        <extracomment>The unit after the poll interval: the symbol of seconds.</extracomment>
        <translation> s</translation>
    </message>
    <message>
        <source> %</source>
        <extracomment>The percent sign after the capacity, spaced as the language wants.</extracomment>
        <translation>%</translation>
    </message>
    <message>
        <source>Suspend command:</source>
        <translation>Opdracht voor slaapstand:</translation>
    </message>
    <message>
        <source>Shutdown command:</source>
        <translation>Opdracht voor uitschakelen:</translation>
    </message>
    <message>
        <source>ACPI poll interval:</source>
        <translation>ACPI-peilinterval:</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Voorkeuren</translation>
    </message>
    <message>
        <source>The suspend command must be a single line.</source>
        <translation>De opdracht voor slaapstand moet uit één regel bestaan.</translation>
    </message>
    <message>
        <source>The shutdown command must be a single line.</source>
        <translation>De opdracht voor uitschakelen moet uit één regel bestaan.</translation>
    </message>
    <message>
        <source>Not valid in the settings file, so the default is used until you change it:
%1</source>
        <extracomment>Lines of &quot;name = value&quot; from the settings file follow.</extracomment>
        <translation>Ongeldig in het instellingenbestand, dus geldt de standaardwaarde tot u die wijzigt:
%1</translation>
    </message>
    <message>
        <source>This machine cannot suspend.</source>
        <translation>Deze computer kan niet naar de slaapstand.</translation>
    </message>
    <message>
        <source>Shut down instead</source>
        <translation>In plaats daarvan uitschakelen</translation>
    </message>
    <message>
        <source>Notify when fully charged</source>
        <translation>Melden wanneer volledig opgeladen</translation>
    </message>
    <message>
        <source>Notify when the charger is connected or disconnected</source>
        <translation>Melden wanneer de lader wordt aangesloten of losgekoppeld</translation>
    </message>
    <message>
        <source>Warn at:</source>
        <translation>Waarschuwen bij:</translation>
    </message>
    <message>
        <source>Critical at:</source>
        <translation>Kritiek bij:</translation>
    </message>
    <message>
        <source>as the battery reports</source>
        <translation>zoals de accu meldt</translation>
    </message>
    <message>
        <source>Show the charge in the icon</source>
        <translation>Lading in het pictogram tonen</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Warning</source>
        <translation>Waarschuwing</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fout</translation>
    </message>
</context>
</TS>

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="cs_CZ">
<context>
    <name>BattIndicator</name>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Ukončit</translation>
    </message>
    <message>
        <source>&amp;Preferences</source>
        <translation>&amp;Předvolby</translation>
    </message>
    <message>
        <source>Status: Discharging
Capacity: %1%</source>
        <translation>Stav: vybíjí se
Nabití: %1 %</translation>
    </message>
    <message>
        <source>Status: Charging
Capacity: %1%</source>
        <translation>Stav: nabíjí se
Nabití: %1 %</translation>
    </message>
    <message>
        <source>Status: Running on AC power</source>
        <translation>Stav: napájení ze sítě</translation>
    </message>
    <message>
        <source>
Time remaining: %1:%2</source>
        <translation>
Zbývající čas: %1:%2</translation>
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
%1: chybí</translation>
    </message>
    <message>
        <source>Battery capacity at %1%</source>
        <translation>Nabití baterie: %1 %</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Varování</translation>
    </message>
    <message>
        <source>
Time to full: %1:%2</source>
        <translation>
Čas do nabití: %1:%2</translation>
    </message>
    <message>
        <source>
Time to full: estimating…</source>
        <translation>
Čas do nabití: odhaduje se…</translation>
    </message>
    <message>
        <source>
Time remaining: estimating…</source>
        <translation>
Zbývající čas: odhaduje se…</translation>
    </message>
    <message>
        <source>Charge: %1%</source>
        <translation>Nabití: %1 %</translation>
    </message>
    <message>
        <source>Charge: %1%, time left: %2:%3</source>
        <translation>Nabití: %1 %, zbývá: %2:%3</translation>
    </message>
    <message>
        <source>Battery fully charged</source>
        <translation>Baterie je plně nabitá</translation>
    </message>
    <message>
        <source>Charger connected</source>
        <translation>Nabíječka připojena</translation>
    </message>
    <message>
        <source>Charger disconnected</source>
        <translation>Nabíječka odpojena</translation>
    </message>
    <message>
        <source>Battery critical</source>
        <translation>Baterie je kriticky vybitá</translation>
    </message>
    <message>
        <source>Battery low</source>
        <translation>Baterie je slabá</translation>
    </message>
    <message>
        <source>Battery &amp;details…</source>
        <translation>Podrobnosti o &amp;baterii…</translation>
    </message>
</context>
<context>
    <name>BatteryDetails</name>
    <message>
        <source>Battery details</source>
        <translation>Podrobnosti o baterii</translation>
    </message>
    <message>
        <source>Charge over the last 24 hours:</source>
        <translation>Nabití za posledních 24 hodin:</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>neznámé</translation>
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
        <translation>Vybíjí se</translation>
    </message>
    <message>
        <source>Charging</source>
        <translation>Nabíjí se</translation>
    </message>
    <message>
        <source>Idle</source>
        <translation>Nečinná</translation>
    </message>
    <message>
        <source>Model:</source>
        <translation>Model:</translation>
    </message>
    <message>
        <source>Manufacturer:</source>
        <translation>Výrobce:</translation>
    </message>
    <message>
        <source>Serial number:</source>
        <translation>Sériové číslo:</translation>
    </message>
    <message>
        <source>Technology:</source>
        <translation>Technologie:</translation>
    </message>
    <message>
        <source>Design capacity:</source>
        <translation>Návrhová kapacita:</translation>
    </message>
    <message>
        <source>Last full capacity:</source>
        <translation>Poslední plná kapacita:</translation>
    </message>
    <message>
        <source>Health:</source>
        <translation>Zdraví:</translation>
    </message>
    <message>
        <source>Design voltage:</source>
        <translation>Návrhové napětí:</translation>
    </message>
    <message>
        <source>Cycle count:</source>
        <translation>Počet cyklů:</translation>
    </message>
    <message>
        <source>Rate:</source>
        <translation>Příkon:</translation>
    </message>
    <message>
        <source>Voltage:</source>
        <translation>Napětí:</translation>
    </message>
    <message>
        <source>Charge:</source>
        <translation>Nabití:</translation>
    </message>
    <message>
        <source>State:</source>
        <translation>Stav:</translation>
    </message>
    <message>
        <source>No battery in this bay.</source>
        <translation>V této pozici není baterie.</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Battery monitor for the system tray.</source>
        <translation>Sledování baterie v oznamovací oblasti.</translation>
    </message>
    <message>
        <source>Show this help and exit.</source>
        <translation>Zobrazí tuto nápovědu a skončí.</translation>
    </message>
    <message>
        <source>Show the version and exit.</source>
        <translation>Zobrazí verzi a skončí.</translation>
    </message>
</context>
<context>
    <name>Countdown</name>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Zrušit</translation>
    </message>
    <message>
        <source>Critical battery capacity reached</source>
        <translation>Dosažena kritická úroveň nabití baterie</translation>
    </message>
    <message numerus="yes">
        <source>Suspending system in %n second(s)</source>
        <translation>
            <numerusform>Uspání systému za %n sekundu</numerusform>
            <numerusform>Uspání systému za %n sekundy</numerusform>
            <numerusform>Uspání systému za %n sekund</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Shutting down system in %n second(s)</source>
        <translation>
            <numerusform>Vypnutí systému za %n sekundu</numerusform>
            <numerusform>Vypnutí systému za %n sekundy</numerusform>
            <numerusform>Vypnutí systému za %n sekund</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>FallbackWindow</name>
    <message>
        <source>No system tray was found. The battery is shown here until a tray starts; closing this window quits the program.</source>
        <translation>Nebyla nalezena žádná oznamovací oblast. Baterie se zobrazuje zde, dokud se oznamovací oblast nespustí; zavřením tohoto okna se program ukončí.</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>open(%s):
Not a regular file
</source>
        <translation>open(%s):
Není obyčejný soubor
</translation>
    </message>
    <message>
        <source>Couldn&apos;t execute %s</source>
        <translation>Nelze spustit %s</translation>
    </message>
    <message>
        <source>Failes to execute shell.</source>
        <translation>Nelze spustit shell.</translation>
    </message>
    <message>
        <source>Command %s returned an exit status != 0: %d</source>
        <translation>Příkaz %s skončil s nenulovým návratovým kódem: %d</translation>
    </message>
    <message>
        <source>This machine cannot suspend: the automatic action will fail. Choose shutdown in Preferences.</source>
        <translation>Tento počítač nelze uspat: automatická akce selže. V předvolbách zvolte vypnutí.</translation>
    </message>
</context>
<context>
    <name>Preferences</name>
    <message>
        <source>Auto suspend/shutdown</source>
        <translation>Automaticky uspat nebo vypnout</translation>
    </message>
    <message>
        <source>Use theme icons for tray</source>
        <translation>Používat ikony motivu v oznamovací oblasti</translation>
    </message>
    <message>
        <source>Suspend</source>
        <translation>Uspat</translation>
    </message>
    <message>
        <source>Shutdown</source>
        <translation>Vypnout</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Zrušit</translation>
    </message>
    <message>
        <source>if battery capacity drops below</source>
        <translation>když nabití baterie klesne pod</translation>
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
        <source>Suspend command:</source>
        <translation>Příkaz pro uspání:</translation>
    </message>
    <message>
        <source>Shutdown command:</source>
        <translation>Příkaz pro vypnutí:</translation>
    </message>
    <message>
        <source>ACPI poll interval:</source>
        <translation>Interval dotazování ACPI:</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Předvolby</translation>
    </message>
    <message>
        <source>The suspend command must be a single line.</source>
        <translation>Příkaz pro uspání musí být na jednom řádku.</translation>
    </message>
    <message>
        <source>The shutdown command must be a single line.</source>
        <translation>Příkaz pro vypnutí musí být na jednom řádku.</translation>
    </message>
    <message>
        <source>Not valid in the settings file, so the default is used until you change it:
%1</source>
        <extracomment>Lines of &quot;name = value&quot; from the settings file follow.</extracomment>
        <translation>V souboru nastavení není platné, proto se používá výchozí hodnota, dokud ji nezměníte:
%1</translation>
    </message>
    <message>
        <source>This machine cannot suspend.</source>
        <translation>Tento počítač nelze uspat.</translation>
    </message>
    <message>
        <source>Shut down instead</source>
        <translation>Raději vypnout</translation>
    </message>
    <message>
        <source>Notify when fully charged</source>
        <translation>Upozornit na plné nabití</translation>
    </message>
    <message>
        <source>Notify when the charger is connected or disconnected</source>
        <translation>Upozornit na připojení a odpojení nabíječky</translation>
    </message>
    <message>
        <source>Warn at:</source>
        <translation>Varovat při:</translation>
    </message>
    <message>
        <source>Critical at:</source>
        <translation>Kritická úroveň:</translation>
    </message>
    <message>
        <source>as the battery reports</source>
        <translation>podle baterie</translation>
    </message>
    <message>
        <source>Show the charge in the icon</source>
        <translation>Zobrazit nabití v ikoně</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Warning</source>
        <translation>Varování</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Chyba</translation>
    </message>
</context>
</TS>

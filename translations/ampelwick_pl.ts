<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl_PL">
<context>
    <name>BattIndicator</name>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Zakończ</translation>
    </message>
    <message>
        <source>&amp;Preferences</source>
        <translation>&amp;Preferencje</translation>
    </message>
    <message>
        <source>Status: Discharging
Capacity: %1%</source>
        <translation>Stan: rozładowywanie
Naładowanie: %1%</translation>
    </message>
    <message>
        <source>Status: Charging
Capacity: %1%</source>
        <translation>Stan: ładowanie
Naładowanie: %1%</translation>
    </message>
    <message>
        <source>Status: Running on AC power</source>
        <translation>Stan: zasilanie sieciowe</translation>
    </message>
    <message>
        <source>
Time remaining: %1:%2</source>
        <translation>
Pozostały czas: %1:%2</translation>
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
%1: brak</translation>
    </message>
    <message>
        <source>Battery capacity at %1%</source>
        <translation>Poziom naładowania akumulatora: %1%</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Ostrzeżenie</translation>
    </message>
    <message>
        <source>
Time to full: %1:%2</source>
        <translation>
Czas do pełnego naładowania: %1:%2</translation>
    </message>
    <message>
        <source>
Time to full: estimating…</source>
        <translation>
Czas do pełnego naładowania: szacowanie…</translation>
    </message>
    <message>
        <source>
Time remaining: estimating…</source>
        <translation>
Pozostały czas: szacowanie…</translation>
    </message>
    <message>
        <source>Charge: %1%</source>
        <translation>Naładowanie: %1%</translation>
    </message>
    <message>
        <source>Charge: %1%, time left: %2:%3</source>
        <translation>Naładowanie: %1%, pozostało: %2:%3</translation>
    </message>
    <message>
        <source>Battery fully charged</source>
        <translation>Bateria w pełni naładowana</translation>
    </message>
    <message>
        <source>Charger connected</source>
        <translation>Ładowarka podłączona</translation>
    </message>
    <message>
        <source>Charger disconnected</source>
        <translation>Ładowarka odłączona</translation>
    </message>
    <message>
        <source>Battery critical</source>
        <translation>Krytyczny poziom baterii</translation>
    </message>
    <message>
        <source>Battery low</source>
        <translation>Niski poziom baterii</translation>
    </message>
    <message>
        <source>Battery &amp;details…</source>
        <translation>Szczegóły &amp;baterii…</translation>
    </message>
</context>
<context>
    <name>BatteryDetails</name>
    <message>
        <source>Battery details</source>
        <translation>Szczegóły baterii</translation>
    </message>
    <message>
        <source>Charge over the last 24 hours:</source>
        <translation>Naładowanie w ciągu ostatnich 24 godzin:</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>nieznane</translation>
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
        <translation>Rozładowywanie</translation>
    </message>
    <message>
        <source>Charging</source>
        <translation>Ładowanie</translation>
    </message>
    <message>
        <source>Idle</source>
        <translation>Bezczynna</translation>
    </message>
    <message>
        <source>Model:</source>
        <translation>Model:</translation>
    </message>
    <message>
        <source>Manufacturer:</source>
        <translation>Producent:</translation>
    </message>
    <message>
        <source>Serial number:</source>
        <translation>Numer seryjny:</translation>
    </message>
    <message>
        <source>Technology:</source>
        <translation>Technologia:</translation>
    </message>
    <message>
        <source>Design capacity:</source>
        <translation>Pojemność projektowa:</translation>
    </message>
    <message>
        <source>Last full capacity:</source>
        <translation>Ostatnia pełna pojemność:</translation>
    </message>
    <message>
        <source>Health:</source>
        <translation>Kondycja:</translation>
    </message>
    <message>
        <source>Design voltage:</source>
        <translation>Napięcie projektowe:</translation>
    </message>
    <message>
        <source>Cycle count:</source>
        <translation>Liczba cykli:</translation>
    </message>
    <message>
        <source>Rate:</source>
        <translation>Pobór:</translation>
    </message>
    <message>
        <source>Voltage:</source>
        <translation>Napięcie:</translation>
    </message>
    <message>
        <source>Charge:</source>
        <translation>Naładowanie:</translation>
    </message>
    <message>
        <source>State:</source>
        <translation>Stan:</translation>
    </message>
    <message>
        <source>No battery in this bay.</source>
        <translation>W tej wnęce nie ma baterii.</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Battery monitor for the system tray.</source>
        <translation>Monitor akumulatora w zasobniku systemowym.</translation>
    </message>
    <message>
        <source>Show this help and exit.</source>
        <translation>Wyświetla tę pomoc i kończy działanie.</translation>
    </message>
    <message>
        <source>Show the version and exit.</source>
        <translation>Wyświetla wersję i kończy działanie.</translation>
    </message>
</context>
<context>
    <name>Countdown</name>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Anuluj</translation>
    </message>
    <message>
        <source>Critical battery capacity reached</source>
        <translation>Osiągnięto krytyczny poziom naładowania akumulatora</translation>
    </message>
    <message numerus="yes">
        <source>Suspending system in %n second(s)</source>
        <translation>
            <numerusform>Uśpienie systemu za %n sekundę</numerusform>
            <numerusform>Uśpienie systemu za %n sekundy</numerusform>
            <numerusform>Uśpienie systemu za %n sekund</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Shutting down system in %n second(s)</source>
        <translation>
            <numerusform>Wyłączenie systemu za %n sekundę</numerusform>
            <numerusform>Wyłączenie systemu za %n sekundy</numerusform>
            <numerusform>Wyłączenie systemu za %n sekund</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>FallbackWindow</name>
    <message>
        <source>No system tray was found. The battery is shown here until a tray starts; closing this window quits the program.</source>
        <translation>Nie znaleziono zasobnika systemowego. Akumulator jest pokazywany tutaj, dopóki zasobnik się nie uruchomi; zamknięcie tego okna kończy program.</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>open(%s):
Not a regular file
</source>
        <translation>open(%s):
To nie jest zwykły plik
</translation>
    </message>
    <message>
        <source>Couldn&apos;t execute %s</source>
        <translation>Nie udało się wykonać %s</translation>
    </message>
    <message>
        <source>Failes to execute shell.</source>
        <translation>Nie udało się uruchomić powłoki.</translation>
    </message>
    <message>
        <source>Command %s returned an exit status != 0: %d</source>
        <translation>Polecenie %s zwróciło niezerowy kod wyjścia: %d</translation>
    </message>
    <message>
        <source>This machine cannot suspend: the automatic action will fail. Choose shutdown in Preferences.</source>
        <translation>Tego komputera nie można uśpić: automatyczna akcja się nie powiedzie. Wybierz wyłączenie w preferencjach.</translation>
    </message>
</context>
<context>
    <name>Preferences</name>
    <message>
        <source>Auto suspend/shutdown</source>
        <translation>Automatyczne uśpienie lub wyłączenie</translation>
    </message>
    <message>
        <source>Use theme icons for tray</source>
        <translation>Używanie ikon motywu w zasobniku systemowym</translation>
    </message>
    <message>
        <source>Suspend</source>
        <translation>Uśpienie</translation>
    </message>
    <message>
        <source>Shutdown</source>
        <translation>Wyłączenie</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Anuluj</translation>
    </message>
    <message>
        <source>if battery capacity drops below</source>
        <translation>gdy poziom naładowania akumulatora spadnie poniżej</translation>
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
        <translation>Polecenie uśpienia:</translation>
    </message>
    <message>
        <source>Shutdown command:</source>
        <translation>Polecenie wyłączenia:</translation>
    </message>
    <message>
        <source>ACPI poll interval:</source>
        <translation>Interwał odpytywania ACPI:</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Preferencje</translation>
    </message>
    <message>
        <source>The suspend command must be a single line.</source>
        <translation>Polecenie uśpienia musi mieścić się w jednym wierszu.</translation>
    </message>
    <message>
        <source>The shutdown command must be a single line.</source>
        <translation>Polecenie wyłączenia musi mieścić się w jednym wierszu.</translation>
    </message>
    <message>
        <source>Not valid in the settings file, so the default is used until you change it:
%1</source>
        <extracomment>Lines of &quot;name = value&quot; from the settings file follow.</extracomment>
        <translation>Nieprawidłowe w pliku ustawień, więc do czasu zmiany używana jest wartość domyślna:
%1</translation>
    </message>
    <message>
        <source>This machine cannot suspend.</source>
        <translation>Tego komputera nie można uśpić.</translation>
    </message>
    <message>
        <source>Shut down instead</source>
        <translation>Zamiast tego wyłącz</translation>
    </message>
    <message>
        <source>Notify when fully charged</source>
        <translation>Powiadamiaj o pełnym naładowaniu</translation>
    </message>
    <message>
        <source>Notify when the charger is connected or disconnected</source>
        <translation>Powiadamiaj o podłączeniu i odłączeniu ładowarki</translation>
    </message>
    <message>
        <source>Warn at:</source>
        <translation>Ostrzegaj przy:</translation>
    </message>
    <message>
        <source>Critical at:</source>
        <translation>Poziom krytyczny przy:</translation>
    </message>
    <message>
        <source>as the battery reports</source>
        <translation>według baterii</translation>
    </message>
    <message>
        <source>Show the charge in the icon</source>
        <translation>Pokaż poziom naładowania na ikonie</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Warning</source>
        <translation>Ostrzeżenie</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Błąd</translation>
    </message>
</context>
</TS>

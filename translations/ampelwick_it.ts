<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it_IT">
<context>
    <name>BattIndicator</name>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Esci</translation>
    </message>
    <message>
        <source>&amp;Preferences</source>
        <translation>&amp;Preferenze</translation>
    </message>
    <message>
        <source>Status: Discharging
Capacity: %1%</source>
        <translation>Stato: in scarica
Carica: %1%</translation>
    </message>
    <message>
        <source>Status: Charging
Capacity: %1%</source>
        <translation>Stato: in carica
Carica: %1%</translation>
    </message>
    <message>
        <source>Status: Running on AC power</source>
        <translation>Stato: alimentazione da rete</translation>
    </message>
    <message>
        <source>
Time remaining: %1:%2</source>
        <translation>
Tempo rimanente: %1:%2</translation>
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
%1: assente</translation>
    </message>
    <message>
        <source>Battery capacity at %1%</source>
        <translation>Carica della batteria al %1%</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Avviso</translation>
    </message>
    <message>
        <source>
Time to full: %1:%2</source>
        <translation>
Tempo alla carica completa: %1:%2</translation>
    </message>
    <message>
        <source>
Time to full: estimating…</source>
        <translation>
Tempo alla carica completa: stima in corso…</translation>
    </message>
    <message>
        <source>
Time remaining: estimating…</source>
        <translation>
Tempo rimanente: stima in corso…</translation>
    </message>
    <message>
        <source>Charge: %1%</source>
        <translation>Carica: %1%</translation>
    </message>
    <message>
        <source>Charge: %1%, time left: %2:%3</source>
        <translation>Carica: %1%, tempo rimanente: %2:%3</translation>
    </message>
    <message>
        <source>Battery fully charged</source>
        <translation>Batteria completamente carica</translation>
    </message>
    <message>
        <source>Charger connected</source>
        <translation>Caricatore collegato</translation>
    </message>
    <message>
        <source>Charger disconnected</source>
        <translation>Caricatore scollegato</translation>
    </message>
    <message>
        <source>Battery critical</source>
        <translation>Batteria a livello critico</translation>
    </message>
    <message>
        <source>Battery low</source>
        <translation>Batteria scarica</translation>
    </message>
    <message>
        <source>Battery &amp;details…</source>
        <translation>&amp;Dettagli della batteria…</translation>
    </message>
</context>
<context>
    <name>BatteryDetails</name>
    <message>
        <source>Battery details</source>
        <translation>Dettagli della batteria</translation>
    </message>
    <message>
        <source>Charge over the last 24 hours:</source>
        <translation>Carica nelle ultime 24 ore:</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>sconosciuto</translation>
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
        <translation>In scarica</translation>
    </message>
    <message>
        <source>Charging</source>
        <translation>In carica</translation>
    </message>
    <message>
        <source>Idle</source>
        <translation>Inattiva</translation>
    </message>
    <message>
        <source>Model:</source>
        <translation>Modello:</translation>
    </message>
    <message>
        <source>Manufacturer:</source>
        <translation>Produttore:</translation>
    </message>
    <message>
        <source>Serial number:</source>
        <translation>Numero di serie:</translation>
    </message>
    <message>
        <source>Technology:</source>
        <translation>Tecnologia:</translation>
    </message>
    <message>
        <source>Design capacity:</source>
        <translation>Capacità di progetto:</translation>
    </message>
    <message>
        <source>Last full capacity:</source>
        <translation>Ultima capacità piena:</translation>
    </message>
    <message>
        <source>Health:</source>
        <translation>Salute:</translation>
    </message>
    <message>
        <source>Design voltage:</source>
        <translation>Tensione di progetto:</translation>
    </message>
    <message>
        <source>Cycle count:</source>
        <translation>Numero di cicli:</translation>
    </message>
    <message>
        <source>Rate:</source>
        <translation>Assorbimento:</translation>
    </message>
    <message>
        <source>Voltage:</source>
        <translation>Tensione:</translation>
    </message>
    <message>
        <source>Charge:</source>
        <translation>Carica:</translation>
    </message>
    <message>
        <source>State:</source>
        <translation>Stato:</translation>
    </message>
    <message>
        <source>No battery in this bay.</source>
        <translation>Nessuna batteria in questo alloggiamento.</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Battery monitor for the system tray.</source>
        <translation>Monitor della batteria per il vassoio di sistema.</translation>
    </message>
    <message>
        <source>Show this help and exit.</source>
        <translation>Mostra questo aiuto ed esce.</translation>
    </message>
    <message>
        <source>Show the version and exit.</source>
        <translation>Mostra la versione ed esce.</translation>
    </message>
</context>
<context>
    <name>Countdown</name>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Annulla</translation>
    </message>
    <message>
        <source>Critical battery capacity reached</source>
        <translation>Livello critico della batteria raggiunto</translation>
    </message>
    <message numerus="yes">
        <source>Suspending system in %n second(s)</source>
        <translation>
            <numerusform>Sospensione del sistema tra %n secondo</numerusform>
            <numerusform>Sospensione del sistema tra %n secondi</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Shutting down system in %n second(s)</source>
        <translation>
            <numerusform>Spegnimento del sistema tra %n secondo</numerusform>
            <numerusform>Spegnimento del sistema tra %n secondi</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>FallbackWindow</name>
    <message>
        <source>No system tray was found. The battery is shown here until a tray starts; closing this window quits the program.</source>
        <translation>Non è stato trovato alcun vassoio di sistema. La batteria viene mostrata qui finché non si avvia un vassoio; chiudere questa finestra termina il programma.</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>open(%s):
Not a regular file
</source>
        <translation>open(%s):
Non è un file regolare
</translation>
    </message>
    <message>
        <source>Couldn&apos;t execute %s</source>
        <translation>Impossibile eseguire %s</translation>
    </message>
    <message>
        <source>Failes to execute shell.</source>
        <translation>Impossibile eseguire la shell.</translation>
    </message>
    <message>
        <source>Command %s returned an exit status != 0: %d</source>
        <translation>Il comando %s ha restituito uno stato di uscita diverso da 0: %d</translation>
    </message>
    <message>
        <source>This machine cannot suspend: the automatic action will fail. Choose shutdown in Preferences.</source>
        <translation>Questo computer non può essere sospeso: l&apos;azione automatica fallirà. Scegli lo spegnimento nelle Preferenze.</translation>
    </message>
</context>
<context>
    <name>Preferences</name>
    <message>
        <source>Auto suspend/shutdown</source>
        <translation>Sospendi o spegni automaticamente</translation>
    </message>
    <message>
        <source>Use theme icons for tray</source>
        <translation>Usa le icone del tema nel vassoio di sistema</translation>
    </message>
    <message>
        <source>Suspend</source>
        <translation>Sospendi</translation>
    </message>
    <message>
        <source>Shutdown</source>
        <translation>Spegni</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Annulla</translation>
    </message>
    <message>
        <source>if battery capacity drops below</source>
        <translation>se la carica della batteria scende sotto</translation>
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
        <translation>Comando di sospensione:</translation>
    </message>
    <message>
        <source>Shutdown command:</source>
        <translation>Comando di spegnimento:</translation>
    </message>
    <message>
        <source>ACPI poll interval:</source>
        <translation>Intervallo di interrogazione ACPI:</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Preferenze</translation>
    </message>
    <message>
        <source>The suspend command must be a single line.</source>
        <translation>Il comando di sospensione deve stare su una sola riga.</translation>
    </message>
    <message>
        <source>The shutdown command must be a single line.</source>
        <translation>Il comando di spegnimento deve stare su una sola riga.</translation>
    </message>
    <message>
        <source>Not valid in the settings file, so the default is used until you change it:
%1</source>
        <extracomment>Lines of &quot;name = value&quot; from the settings file follow.</extracomment>
        <translation>Non valido nel file delle impostazioni, quindi si usa il valore predefinito finché non lo cambi:
%1</translation>
    </message>
    <message>
        <source>This machine cannot suspend.</source>
        <translation>Questo computer non può essere sospeso.</translation>
    </message>
    <message>
        <source>Shut down instead</source>
        <translation>Spegni invece</translation>
    </message>
    <message>
        <source>Notify when fully charged</source>
        <translation>Avvisa quando la carica è completa</translation>
    </message>
    <message>
        <source>Notify when the charger is connected or disconnected</source>
        <translation>Avvisa quando il caricatore viene collegato o scollegato</translation>
    </message>
    <message>
        <source>Warn at:</source>
        <translation>Avvisa al:</translation>
    </message>
    <message>
        <source>Critical at:</source>
        <translation>Critico al:</translation>
    </message>
    <message>
        <source>as the battery reports</source>
        <translation>come indicato dalla batteria</translation>
    </message>
    <message>
        <source>Show the charge in the icon</source>
        <translation>Mostra la carica nell’icona</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Warning</source>
        <translation>Avviso</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Errore</translation>
    </message>
</context>
</TS>

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>BattIndicator</name>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <source>&amp;Preferences</source>
        <translation>&amp;Preferencias</translation>
    </message>
    <message>
        <source>Status: Discharging
Capacity: %1%</source>
        <translation>Estado: descargando
Carga: %1 %</translation>
    </message>
    <message>
        <source>Status: Charging
Capacity: %1%</source>
        <translation>Estado: cargando
Carga: %1 %</translation>
    </message>
    <message>
        <source>Status: Running on AC power</source>
        <translation>Estado: conectado a la corriente</translation>
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
%1: ausente</translation>
    </message>
    <message>
        <source>
Time remaining: %1:%2</source>
        <translation>
Tiempo restante: %1:%2</translation>
    </message>
    <message>
        <source>Battery capacity at %1%</source>
        <translation>Carga de la batería al %1 %</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Advertencia</translation>
    </message>
    <message>
        <source>
Time to full: %1:%2</source>
        <translation>
Tiempo hasta carga completa: %1:%2</translation>
    </message>
    <message>
        <source>
Time to full: estimating…</source>
        <translation>
Tiempo hasta carga completa: calculando…</translation>
    </message>
    <message>
        <source>
Time remaining: estimating…</source>
        <translation>
Tiempo restante: calculando…</translation>
    </message>
    <message>
        <source>Charge: %1%</source>
        <translation>Carga: %1 %</translation>
    </message>
    <message>
        <source>Charge: %1%, time left: %2:%3</source>
        <translation>Carga: %1 %, tiempo restante: %2:%3</translation>
    </message>
    <message>
        <source>Battery fully charged</source>
        <translation>Batería completamente cargada</translation>
    </message>
    <message>
        <source>Charger connected</source>
        <translation>Cargador conectado</translation>
    </message>
    <message>
        <source>Charger disconnected</source>
        <translation>Cargador desconectado</translation>
    </message>
    <message>
        <source>Battery critical</source>
        <translation>Batería en nivel crítico</translation>
    </message>
    <message>
        <source>Battery low</source>
        <translation>Batería baja</translation>
    </message>
    <message>
        <source>Battery &amp;details…</source>
        <translation>&amp;Detalles de la batería…</translation>
    </message>
</context>
<context>
    <name>BatteryDetails</name>
    <message>
        <source>Battery details</source>
        <translation>Detalles de la batería</translation>
    </message>
    <message>
        <source>Charge over the last 24 hours:</source>
        <translation>Carga en las últimas 24 horas:</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>desconocido</translation>
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
        <translation>Descargando</translation>
    </message>
    <message>
        <source>Charging</source>
        <translation>Cargando</translation>
    </message>
    <message>
        <source>Idle</source>
        <translation>Inactiva</translation>
    </message>
    <message>
        <source>Model:</source>
        <translation>Modelo:</translation>
    </message>
    <message>
        <source>Manufacturer:</source>
        <translation>Fabricante:</translation>
    </message>
    <message>
        <source>Serial number:</source>
        <translation>Número de serie:</translation>
    </message>
    <message>
        <source>Technology:</source>
        <translation>Tecnología:</translation>
    </message>
    <message>
        <source>Design capacity:</source>
        <translation>Capacidad de diseño:</translation>
    </message>
    <message>
        <source>Last full capacity:</source>
        <translation>Última capacidad completa:</translation>
    </message>
    <message>
        <source>Health:</source>
        <translation>Salud:</translation>
    </message>
    <message>
        <source>Design voltage:</source>
        <translation>Tensión de diseño:</translation>
    </message>
    <message>
        <source>Cycle count:</source>
        <translation>Número de ciclos:</translation>
    </message>
    <message>
        <source>Rate:</source>
        <translation>Consumo:</translation>
    </message>
    <message>
        <source>Voltage:</source>
        <translation>Tensión:</translation>
    </message>
    <message>
        <source>Charge:</source>
        <translation>Carga:</translation>
    </message>
    <message>
        <source>State:</source>
        <translation>Estado:</translation>
    </message>
    <message>
        <source>No battery in this bay.</source>
        <translation>No hay batería en esta ranura.</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Battery monitor for the system tray.</source>
        <translation>Monitor de batería para la bandeja del sistema.</translation>
    </message>
    <message>
        <source>Show this help and exit.</source>
        <translation>Mostrar esta ayuda y salir.</translation>
    </message>
    <message>
        <source>Show the version and exit.</source>
        <translation>Mostrar la versión y salir.</translation>
    </message>
</context>
<context>
    <name>Countdown</name>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Cancelar</translation>
    </message>
    <message>
        <source>Critical battery capacity reached</source>
        <translation>Se ha alcanzado el nivel crítico de batería</translation>
    </message>
    <message numerus="yes">
        <source>Suspending system in %n second(s)</source>
        <translation>
            <numerusform>El sistema se suspenderá en %n segundo</numerusform>
            <numerusform>El sistema se suspenderá en %n segundos</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Shutting down system in %n second(s)</source>
        <translation>
            <numerusform>El sistema se apagará en %n segundo</numerusform>
            <numerusform>El sistema se apagará en %n segundos</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>FallbackWindow</name>
    <message>
        <source>No system tray was found. The battery is shown here until a tray starts; closing this window quits the program.</source>
        <translation>No se encontró ninguna bandeja del sistema. La batería se muestra aquí hasta que se inicie una bandeja; al cerrar esta ventana se cierra el programa.</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>open(%s):
Not a regular file
</source>
        <translation>open(%s):
No es un archivo regular
</translation>
    </message>
    <message>
        <source>Couldn&apos;t execute %s</source>
        <translation>No se pudo ejecutar %s</translation>
    </message>
    <message>
        <source>Failes to execute shell.</source>
        <translation>No se pudo ejecutar el intérprete de órdenes.</translation>
    </message>
    <message>
        <source>Command %s returned an exit status != 0: %d</source>
        <translation>La orden %s terminó con un estado de salida distinto de 0: %d</translation>
    </message>
    <message>
        <source>This machine cannot suspend: the automatic action will fail. Choose shutdown in Preferences.</source>
        <translation>Este equipo no puede suspenderse: la acción automática fallará. Elija apagar en Preferencias.</translation>
    </message>
</context>
<context>
    <name>Preferences</name>
    <message>
        <source>Auto suspend/shutdown</source>
        <translation>Suspender o apagar automáticamente</translation>
    </message>
    <message>
        <source>Use theme icons for tray</source>
        <translation>Usar iconos del tema en la bandeja del sistema</translation>
    </message>
    <message>
        <source>Suspend</source>
        <translation>Suspender</translation>
    </message>
    <message>
        <source>Shutdown</source>
        <translation>Apagar</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;Aceptar</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Cancelar</translation>
    </message>
    <message>
        <source>if battery capacity drops below</source>
        <translation>si la carga de la batería baja de</translation>
    </message>
    <message>
        <source>Suspend command:</source>
        <translation>Orden para suspender:</translation>
    </message>
    <message>
        <source>Shutdown command:</source>
        <translation>Orden para apagar:</translation>
    </message>
    <message>
        <source>ACPI poll interval:</source>
        <translation>Intervalo de consulta ACPI:</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Preferencias</translation>
    </message>
    <message>
        <source>The suspend command must be a single line.</source>
        <translation>La orden para suspender debe ocupar una sola línea.</translation>
    </message>
    <message>
        <source>The shutdown command must be a single line.</source>
        <translation>La orden para apagar debe ocupar una sola línea.</translation>
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
        <translation>No es válido en el archivo de configuración, así que se usa el valor predeterminado hasta que lo cambie:
%1</translation>
    </message>
    <message>
        <source>This machine cannot suspend.</source>
        <translation>Este equipo no puede suspenderse.</translation>
    </message>
    <message>
        <source>Shut down instead</source>
        <translation>Apagar en su lugar</translation>
    </message>
    <message>
        <source>Notify when fully charged</source>
        <translation>Avisar cuando esté completamente cargada</translation>
    </message>
    <message>
        <source>Notify when the charger is connected or disconnected</source>
        <translation>Avisar al conectar o desconectar el cargador</translation>
    </message>
    <message>
        <source>Warn at:</source>
        <translation>Avisar al:</translation>
    </message>
    <message>
        <source>Critical at:</source>
        <translation>Nivel crítico al:</translation>
    </message>
    <message>
        <source>as the battery reports</source>
        <translation>según indica la batería</translation>
    </message>
    <message>
        <source>Show the charge in the icon</source>
        <translation>Mostrar la carga en el icono</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Warning</source>
        <translation>Advertencia</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
</context>
</TS>

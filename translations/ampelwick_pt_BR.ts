<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR">
<context>
    <name>BattIndicator</name>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Sair</translation>
    </message>
    <message>
        <source>&amp;Preferences</source>
        <translation>&amp;Preferências</translation>
    </message>
    <message>
        <source>Status: Discharging
Capacity: %1%</source>
        <translation>Status: descarregando
Carga: %1%</translation>
    </message>
    <message>
        <source>Status: Charging
Capacity: %1%</source>
        <translation>Status: carregando
Carga: %1%</translation>
    </message>
    <message>
        <source>Status: Running on AC power</source>
        <translation>Status: ligado na tomada</translation>
    </message>
    <message>
        <source>
Time remaining: %1:%2</source>
        <translation>
Tempo restante: %1:%2</translation>
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
%1: ausente</translation>
    </message>
    <message>
        <source>Battery capacity at %1%</source>
        <translation>Carga da bateria em %1%</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Aviso</translation>
    </message>
    <message>
        <source>
Time to full: %1:%2</source>
        <translation>
Tempo até carga completa: %1:%2</translation>
    </message>
    <message>
        <source>
Time to full: estimating…</source>
        <translation>
Tempo até carga completa: estimando…</translation>
    </message>
    <message>
        <source>
Time remaining: estimating…</source>
        <translation>
Tempo restante: estimando…</translation>
    </message>
    <message>
        <source>Charge: %1%</source>
        <translation>Carga: %1%</translation>
    </message>
    <message>
        <source>Charge: %1%, time left: %2:%3</source>
        <translation>Carga: %1%, tempo restante: %2:%3</translation>
    </message>
    <message>
        <source>Battery fully charged</source>
        <translation>Bateria totalmente carregada</translation>
    </message>
    <message>
        <source>Charger connected</source>
        <translation>Carregador conectado</translation>
    </message>
    <message>
        <source>Charger disconnected</source>
        <translation>Carregador desconectado</translation>
    </message>
    <message>
        <source>Battery critical</source>
        <translation>Bateria em nível crítico</translation>
    </message>
    <message>
        <source>Battery low</source>
        <translation>Bateria fraca</translation>
    </message>
    <message>
        <source>Battery &amp;details…</source>
        <translation>&amp;Detalhes da bateria…</translation>
    </message>
</context>
<context>
    <name>BatteryDetails</name>
    <message>
        <source>Battery details</source>
        <translation>Detalhes da bateria</translation>
    </message>
    <message>
        <source>Charge over the last 24 hours:</source>
        <translation>Carga nas últimas 24 horas:</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>desconhecido</translation>
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
        <translation>Descarregando</translation>
    </message>
    <message>
        <source>Charging</source>
        <translation>Carregando</translation>
    </message>
    <message>
        <source>Idle</source>
        <translation>Ociosa</translation>
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
        <translation>Número de série:</translation>
    </message>
    <message>
        <source>Technology:</source>
        <translation>Tecnologia:</translation>
    </message>
    <message>
        <source>Design capacity:</source>
        <translation>Capacidade de projeto:</translation>
    </message>
    <message>
        <source>Last full capacity:</source>
        <translation>Última capacidade total:</translation>
    </message>
    <message>
        <source>Health:</source>
        <translation>Saúde:</translation>
    </message>
    <message>
        <source>Design voltage:</source>
        <translation>Tensão de projeto:</translation>
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
        <translation>Tensão:</translation>
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
        <translation>Não há bateria neste compartimento.</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Battery monitor for the system tray.</source>
        <translation>Monitor de bateria para a bandeja do sistema.</translation>
    </message>
    <message>
        <source>Show this help and exit.</source>
        <translation>Mostra esta ajuda e sai.</translation>
    </message>
    <message>
        <source>Show the version and exit.</source>
        <translation>Mostra a versão e sai.</translation>
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
        <translation>Nível crítico da bateria atingido</translation>
    </message>
    <message numerus="yes">
        <source>Suspending system in %n second(s)</source>
        <translation>
            <numerusform>O sistema será suspenso em %n segundo</numerusform>
            <numerusform>O sistema será suspenso em %n segundos</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Shutting down system in %n second(s)</source>
        <translation>
            <numerusform>O sistema será desligado em %n segundo</numerusform>
            <numerusform>O sistema será desligado em %n segundos</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>FallbackWindow</name>
    <message>
        <source>No system tray was found. The battery is shown here until a tray starts; closing this window quits the program.</source>
        <translation>Nenhuma bandeja do sistema foi encontrada. A bateria é mostrada aqui até que uma bandeja seja iniciada; fechar esta janela encerra o programa.</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>open(%s):
Not a regular file
</source>
        <translation>open(%s):
Não é um arquivo comum
</translation>
    </message>
    <message>
        <source>Couldn&apos;t execute %s</source>
        <translation>Não foi possível executar %s</translation>
    </message>
    <message>
        <source>Failes to execute shell.</source>
        <translation>Não foi possível executar o shell.</translation>
    </message>
    <message>
        <source>Command %s returned an exit status != 0: %d</source>
        <translation>O comando %s retornou um status de saída diferente de 0: %d</translation>
    </message>
    <message>
        <source>This machine cannot suspend: the automatic action will fail. Choose shutdown in Preferences.</source>
        <translation>Este computador não pode ser suspenso: a ação automática falhará. Escolha desligar nas Preferências.</translation>
    </message>
</context>
<context>
    <name>Preferences</name>
    <message>
        <source>Auto suspend/shutdown</source>
        <translation>Suspender ou desligar automaticamente</translation>
    </message>
    <message>
        <source>Use theme icons for tray</source>
        <translation>Usar ícones do tema na bandeja do sistema</translation>
    </message>
    <message>
        <source>Suspend</source>
        <translation>Suspender</translation>
    </message>
    <message>
        <source>Shutdown</source>
        <translation>Desligar</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Cancelar</translation>
    </message>
    <message>
        <source>if battery capacity drops below</source>
        <translation>se a carga da bateria cair abaixo de</translation>
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
        <translation>Comando para suspender:</translation>
    </message>
    <message>
        <source>Shutdown command:</source>
        <translation>Comando para desligar:</translation>
    </message>
    <message>
        <source>ACPI poll interval:</source>
        <translation>Intervalo de consulta ACPI:</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Preferências</translation>
    </message>
    <message>
        <source>The suspend command must be a single line.</source>
        <translation>O comando para suspender deve ter uma única linha.</translation>
    </message>
    <message>
        <source>The shutdown command must be a single line.</source>
        <translation>O comando para desligar deve ter uma única linha.</translation>
    </message>
    <message>
        <source>Not valid in the settings file, so the default is used until you change it:
%1</source>
        <extracomment>Lines of &quot;name = value&quot; from the settings file follow.</extracomment>
        <translation>Inválido no arquivo de configurações, então o padrão é usado até que você o altere:
%1</translation>
    </message>
    <message>
        <source>This machine cannot suspend.</source>
        <translation>Este computador não pode ser suspenso.</translation>
    </message>
    <message>
        <source>Shut down instead</source>
        <translation>Desligar em vez disso</translation>
    </message>
    <message>
        <source>Notify when fully charged</source>
        <translation>Avisar quando totalmente carregada</translation>
    </message>
    <message>
        <source>Notify when the charger is connected or disconnected</source>
        <translation>Avisar quando o carregador for conectado ou desconectado</translation>
    </message>
    <message>
        <source>Warn at:</source>
        <translation>Avisar em:</translation>
    </message>
    <message>
        <source>Critical at:</source>
        <translation>Crítico em:</translation>
    </message>
    <message>
        <source>as the battery reports</source>
        <translation>conforme a bateria informa</translation>
    </message>
    <message>
        <source>Show the charge in the icon</source>
        <translation>Mostrar a carga no ícone</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Warning</source>
        <translation>Aviso</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erro</translation>
    </message>
</context>
</TS>

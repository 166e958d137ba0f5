<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>BattIndicator</name>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Выход</translation>
    </message>
    <message>
        <source>&amp;Preferences</source>
        <translation>&amp;Настройки</translation>
    </message>
    <message>
        <source>Status: Discharging
Capacity: %1%</source>
        <translation>Состояние: разряжается
Заряд: %1 %</translation>
    </message>
    <message>
        <source>Status: Charging
Capacity: %1%</source>
        <translation>Состояние: заряжается
Заряд: %1 %</translation>
    </message>
    <message>
        <source>Status: Running on AC power</source>
        <translation>Состояние: питание от сети</translation>
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
%1: отсутствует</translation>
    </message>
    <message>
        <source>
Time remaining: %1:%2</source>
        <translation>
Осталось времени: %1:%2</translation>
    </message>
    <message>
        <source>Battery capacity at %1%</source>
        <translation>Заряд батареи: %1 %</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Предупреждение</translation>
    </message>
    <message>
        <source>
Time to full: %1:%2</source>
        <translation>
До полного заряда: %1:%2</translation>
    </message>
    <message>
        <source>
Time to full: estimating…</source>
        <translation>
До полного заряда: оценивается…</translation>
    </message>
    <message>
        <source>
Time remaining: estimating…</source>
        <translation>
Осталось времени: оценивается…</translation>
    </message>
    <message>
        <source>Charge: %1%</source>
        <translation>Заряд: %1 %</translation>
    </message>
    <message>
        <source>Charge: %1%, time left: %2:%3</source>
        <translation>Заряд: %1 %, осталось: %2:%3</translation>
    </message>
    <message>
        <source>Battery fully charged</source>
        <translation>Батарея полностью заряжена</translation>
    </message>
    <message>
        <source>Charger connected</source>
        <translation>Зарядное устройство подключено</translation>
    </message>
    <message>
        <source>Charger disconnected</source>
        <translation>Зарядное устройство отключено</translation>
    </message>
    <message>
        <source>Battery critical</source>
        <translation>Критический заряд батареи</translation>
    </message>
    <message>
        <source>Battery low</source>
        <translation>Низкий заряд батареи</translation>
    </message>
    <message>
        <source>Battery &amp;details…</source>
        <translation>&amp;Сведения о батарее…</translation>
    </message>
</context>
<context>
    <name>BatteryDetails</name>
    <message>
        <source>Battery details</source>
        <translation>Сведения о батарее</translation>
    </message>
    <message>
        <source>Charge over the last 24 hours:</source>
        <translation>Заряд за последние 24 часа:</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>неизвестно</translation>
    </message>
    <message>
        <source>%1 mAh</source>
        <translation>%1 мА·ч</translation>
    </message>
    <message>
        <source>%1 mWh</source>
        <translation>%1 мВт·ч</translation>
    </message>
    <message>
        <source>%1%</source>
        <translation>%1%</translation>
    </message>
    <message>
        <source>%1 V</source>
        <translation>%1 В</translation>
    </message>
    <message>
        <source>%1 A</source>
        <translation>%1 А</translation>
    </message>
    <message>
        <source>%1 W</source>
        <translation>%1 Вт</translation>
    </message>
    <message>
        <source>Discharging</source>
        <translation>Разряжается</translation>
    </message>
    <message>
        <source>Charging</source>
        <translation>Заряжается</translation>
    </message>
    <message>
        <source>Idle</source>
        <translation>Простаивает</translation>
    </message>
    <message>
        <source>Model:</source>
        <translation>Модель:</translation>
    </message>
    <message>
        <source>Manufacturer:</source>
        <translation>Производитель:</translation>
    </message>
    <message>
        <source>Serial number:</source>
        <translation>Серийный номер:</translation>
    </message>
    <message>
        <source>Technology:</source>
        <translation>Технология:</translation>
    </message>
    <message>
        <source>Design capacity:</source>
        <translation>Проектная ёмкость:</translation>
    </message>
    <message>
        <source>Last full capacity:</source>
        <translation>Последняя полная ёмкость:</translation>
    </message>
    <message>
        <source>Health:</source>
        <translation>Здоровье:</translation>
    </message>
    <message>
        <source>Design voltage:</source>
        <translation>Проектное напряжение:</translation>
    </message>
    <message>
        <source>Cycle count:</source>
        <translation>Число циклов:</translation>
    </message>
    <message>
        <source>Rate:</source>
        <translation>Мощность:</translation>
    </message>
    <message>
        <source>Voltage:</source>
        <translation>Напряжение:</translation>
    </message>
    <message>
        <source>Charge:</source>
        <translation>Заряд:</translation>
    </message>
    <message>
        <source>State:</source>
        <translation>Режим:</translation>
    </message>
    <message>
        <source>No battery in this bay.</source>
        <translation>В этом отсеке нет батареи.</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Battery monitor for the system tray.</source>
        <translation>Монитор батареи для системного лотка.</translation>
    </message>
    <message>
        <source>Show this help and exit.</source>
        <translation>Показать эту справку и выйти.</translation>
    </message>
    <message>
        <source>Show the version and exit.</source>
        <translation>Показать версию и выйти.</translation>
    </message>
</context>
<context>
    <name>Countdown</name>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Отмена</translation>
    </message>
    <message>
        <source>Critical battery capacity reached</source>
        <translation>Достигнут критический уровень заряда батареи</translation>
    </message>
    <message numerus="yes">
        <source>Suspending system in %n second(s)</source>
        <translation>
            <numerusform>Переход в ждущий режим через %n секунду</numerusform>
            <numerusform>Переход в ждущий режим через %n секунды</numerusform>
            <numerusform>Переход в ждущий режим через %n секунд</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Shutting down system in %n second(s)</source>
        <translation>
            <numerusform>Выключение системы через %n секунду</numerusform>
            <numerusform>Выключение системы через %n секунды</numerusform>
            <numerusform>Выключение системы через %n секунд</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>FallbackWindow</name>
    <message>
        <source>No system tray was found. The battery is shown here until a tray starts; closing this window quits the program.</source>
        <translation>Системный лоток не найден. Батарея показывается здесь, пока лоток не запустится; закрытие этого окна завершает программу.</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>open(%s):
Not a regular file
</source>
        <translation>open(%s):
Не является обычным файлом
</translation>
    </message>
    <message>
        <source>Couldn&apos;t execute %s</source>
        <translation>Не удалось выполнить %s</translation>
    </message>
    <message>
        <source>Failes to execute shell.</source>
        <translation>Не удалось запустить командную оболочку.</translation>
    </message>
    <message>
        <source>Command %s returned an exit status != 0: %d</source>
        <translation>Команда %s завершилась с ненулевым кодом возврата: %d</translation>
    </message>
    <message>
        <source>This machine cannot suspend: the automatic action will fail. Choose shutdown in Preferences.</source>
        <translation>Этот компьютер не может перейти в ждущий режим: автоматическое действие не выполнится. Выберите выключение в настройках.</translation>
    </message>
</context>
<context>
    <name>Preferences</name>
    <message>
        <source>Auto suspend/shutdown</source>
        <translation>Автоматический переход в ждущий режим или выключение</translation>
    </message>
    <message>
        <source>Use theme icons for tray</source>
        <translation>Использовать значки темы в системном лотке</translation>
    </message>
    <message>
        <source>Suspend</source>
        <translation>Ждущий режим</translation>
    </message>
    <message>
        <source>Shutdown</source>
        <translation>Выключение</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;ОК</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>О&amp;тмена</translation>
    </message>
    <message>
        <source>if battery capacity drops below</source>
        <translation>если заряд батареи опустится ниже</translation>
    </message>
    <message>
        <source>Suspend command:</source>
        <translation>Команда ждущего режима:</translation>
    </message>
    <message>
        <source>Shutdown command:</source>
        <translation>Команда выключения:</translation>
    </message>
    <message>
        <source>ACPI poll interval:</source>
        <translation>Интервал опроса ACPI:</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Настройки</translation>
    </message>
    <message>
        <source>The suspend command must be a single line.</source>
        <translation>Команда ждущего режима должна состоять из одной строки.</translation>
    </message>
    <message>
        <source>The shutdown command must be a single line.</source>
        <translation>Команда выключения должна состоять из одной строки.</translation>
    </message>
    <message>
        <source> s</source>
        <extracomment>The unit after the poll interval: the symbol of seconds.</extracomment>
        <translation> с</translation>
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
        <translation>Недопустимо в файле настроек, поэтому до изменения используется значение по умолчанию:
%1</translation>
    </message>
    <message>
        <source>This machine cannot suspend.</source>
        <translation>Этот компьютер не может перейти в ждущий режим.</translation>
    </message>
    <message>
        <source>Shut down instead</source>
        <translation>Выключать вместо этого</translation>
    </message>
    <message>
        <source>Notify when fully charged</source>
        <translation>Сообщать о полной зарядке</translation>
    </message>
    <message>
        <source>Notify when the charger is connected or disconnected</source>
        <translation>Сообщать о подключении и отключении зарядного устройства</translation>
    </message>
    <message>
        <source>Warn at:</source>
        <translation>Предупреждать при:</translation>
    </message>
    <message>
        <source>Critical at:</source>
        <translation>Критический уровень при:</translation>
    </message>
    <message>
        <source>as the battery reports</source>
        <translation>как сообщает батарея</translation>
    </message>
    <message>
        <source>Show the charge in the icon</source>
        <translation>Показывать заряд на значке</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Warning</source>
        <translation>Предупреждение</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Ошибка</translation>
    </message>
</context>
</TS>

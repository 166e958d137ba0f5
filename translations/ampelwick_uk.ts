<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="uk_UA">
<context>
    <name>BattIndicator</name>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Вийти</translation>
    </message>
    <message>
        <source>&amp;Preferences</source>
        <translation>&amp;Налаштування</translation>
    </message>
    <message>
        <source>Status: Discharging
Capacity: %1%</source>
        <translation>Стан: розряджається
Заряд: %1 %</translation>
    </message>
    <message>
        <source>Status: Charging
Capacity: %1%</source>
        <translation>Стан: заряджається
Заряд: %1 %</translation>
    </message>
    <message>
        <source>Status: Running on AC power</source>
        <translation>Стан: живлення від мережі</translation>
    </message>
    <message>
        <source>
Time remaining: %1:%2</source>
        <translation>
Залишилося часу: %1:%2</translation>
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
%1: не встановлено</translation>
    </message>
    <message>
        <source>Battery capacity at %1%</source>
        <translation>Заряд батареї: %1 %</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Попередження</translation>
    </message>
    <message>
        <source>
Time to full: %1:%2</source>
        <translation>
До повного заряду: %1:%2</translation>
    </message>
    <message>
        <source>
Time to full: estimating…</source>
        <translation>
До повного заряду: оцінюється…</translation>
    </message>
    <message>
        <source>
Time remaining: estimating…</source>
        <translation>
Залишилося часу: оцінюється…</translation>
    </message>
    <message>
        <source>Charge: %1%</source>
        <translation>Заряд: %1 %</translation>
    </message>
    <message>
        <source>Charge: %1%, time left: %2:%3</source>
        <translation>Заряд: %1 %, залишилося: %2:%3</translation>
    </message>
    <message>
        <source>Battery fully charged</source>
        <translation>Батарею повністю заряджено</translation>
    </message>
    <message>
        <source>Charger connected</source>
        <translation>Зарядний пристрій під’єднано</translation>
    </message>
    <message>
        <source>Charger disconnected</source>
        <translation>Зарядний пристрій від’єднано</translation>
    </message>
    <message>
        <source>Battery critical</source>
        <translation>Критичний заряд батареї</translation>
    </message>
    <message>
        <source>Battery low</source>
        <translation>Низький заряд батареї</translation>
    </message>
    <message>
        <source>Battery &amp;details…</source>
        <translation>Відомості про &amp;батарею…</translation>
    </message>
</context>
<context>
    <name>BatteryDetails</name>
    <message>
        <source>Battery details</source>
        <translation>Відомості про батарею</translation>
    </message>
    <message>
        <source>Charge over the last 24 hours:</source>
        <translation>Заряд за останні 24 години:</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>невідомо</translation>
    </message>
    <message>
        <source>%1 mAh</source>
        <translation>%1 мА·год</translation>
    </message>
    <message>
        <source>%1 mWh</source>
        <translation>%1 мВт·год</translation>
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
        <translation>Розряджається</translation>
    </message>
    <message>
        <source>Charging</source>
        <translation>Заряджається</translation>
    </message>
    <message>
        <source>Idle</source>
        <translation>Простоює</translation>
    </message>
    <message>
        <source>Model:</source>
        <translation>Модель:</translation>
    </message>
    <message>
        <source>Manufacturer:</source>
        <translation>Виробник:</translation>
    </message>
    <message>
        <source>Serial number:</source>
        <translation>Серійний номер:</translation>
    </message>
    <message>
        <source>Technology:</source>
        <translation>Технологія:</translation>
    </message>
    <message>
        <source>Design capacity:</source>
        <translation>Проєктна ємність:</translation>
    </message>
    <message>
        <source>Last full capacity:</source>
        <translation>Остання повна ємність:</translation>
    </message>
    <message>
        <source>Health:</source>
        <translation>Здоров’я:</translation>
    </message>
    <message>
        <source>Design voltage:</source>
        <translation>Проєктна напруга:</translation>
    </message>
    <message>
        <source>Cycle count:</source>
        <translation>Кількість циклів:</translation>
    </message>
    <message>
        <source>Rate:</source>
        <translation>Потужність:</translation>
    </message>
    <message>
        <source>Voltage:</source>
        <translation>Напруга:</translation>
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
        <translation>У цьому відсіку немає батареї.</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Battery monitor for the system tray.</source>
        <translation>Монітор батареї для системного лотка.</translation>
    </message>
    <message>
        <source>Show this help and exit.</source>
        <translation>Показати цю довідку і вийти.</translation>
    </message>
    <message>
        <source>Show the version and exit.</source>
        <translation>Показати версію і вийти.</translation>
    </message>
</context>
<context>
    <name>Countdown</name>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Скасувати</translation>
    </message>
    <message>
        <source>Critical battery capacity reached</source>
        <translation>Досягнуто критичного рівня заряду батареї</translation>
    </message>
    <message numerus="yes">
        <source>Suspending system in %n second(s)</source>
        <translation>
            <numerusform>Перехід у режим сну через %n секунду</numerusform>
            <numerusform>Перехід у режим сну через %n секунди</numerusform>
            <numerusform>Перехід у режим сну через %n секунд</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Shutting down system in %n second(s)</source>
        <translation>
            <numerusform>Вимкнення системи через %n секунду</numerusform>
            <numerusform>Вимкнення системи через %n секунди</numerusform>
            <numerusform>Вимкнення системи через %n секунд</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>FallbackWindow</name>
    <message>
        <source>No system tray was found. The battery is shown here until a tray starts; closing this window quits the program.</source>
        <translation>Системний лоток не знайдено. Батарея показується тут, доки лоток не запуститься; закриття цього вікна завершує програму.</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>open(%s):
Not a regular file
</source>
        <translation>open(%s):
Не є звичайним файлом
</translation>
    </message>
    <message>
        <source>Couldn&apos;t execute %s</source>
        <translation>Не вдалося виконати %s</translation>
    </message>
    <message>
        <source>Failes to execute shell.</source>
        <translation>Не вдалося запустити командну оболонку.</translation>
    </message>
    <message>
        <source>Command %s returned an exit status != 0: %d</source>
        <translation>Команда %s завершилася з ненульовим кодом виходу: %d</translation>
    </message>
    <message>
        <source>This machine cannot suspend: the automatic action will fail. Choose shutdown in Preferences.</source>
        <translation>Цей комп’ютер не може перейти в режим сну: автоматична дія не вдасться. Виберіть вимкнення в налаштуваннях.</translation>
    </message>
</context>
<context>
    <name>Preferences</name>
    <message>
        <source>Auto suspend/shutdown</source>
        <translation>Автоматичний перехід у режим сну або вимкнення</translation>
    </message>
    <message>
        <source>Use theme icons for tray</source>
        <translation>Використовувати піктограми теми в системному лотку</translation>
    </message>
    <message>
        <source>Suspend</source>
        <translation>Режим сну</translation>
    </message>
    <message>
        <source>Shutdown</source>
        <translation>Вимкнення</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;Гаразд</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Скасувати</translation>
    </message>
    <message>
        <source>if battery capacity drops below</source>
        <translation>якщо заряд батареї опуститься нижче</translation>
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
        <source>Suspend command:</source>
        <translation>Команда режиму сну:</translation>
    </message>
    <message>
        <source>Shutdown command:</source>
        <translation>Команда вимкнення:</translation>
    </message>
    <message>
        <source>ACPI poll interval:</source>
        <translation>Інтервал опитування ACPI:</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Налаштування</translation>
    </message>
    <message>
        <source>The suspend command must be a single line.</source>
        <translation>Команда режиму сну має складатися з одного рядка.</translation>
    </message>
    <message>
        <source>The shutdown command must be a single line.</source>
        <translation>Команда вимкнення має складатися з одного рядка.</translation>
    </message>
    <message>
        <source>Not valid in the settings file, so the default is used until you change it:
%1</source>
        <extracomment>Lines of &quot;name = value&quot; from the settings file follow.</extracomment>
        <translation>Неприпустиме у файлі налаштувань, тому до зміни використовується типове значення:
%1</translation>
    </message>
    <message>
        <source>This machine cannot suspend.</source>
        <translation>Цей комп’ютер не може перейти в режим сну.</translation>
    </message>
    <message>
        <source>Shut down instead</source>
        <translation>Вимикати натомість</translation>
    </message>
    <message>
        <source>Notify when fully charged</source>
        <translation>Повідомляти про повне заряджання</translation>
    </message>
    <message>
        <source>Notify when the charger is connected or disconnected</source>
        <translation>Повідомляти про під’єднання та від’єднання зарядного пристрою</translation>
    </message>
    <message>
        <source>Warn at:</source>
        <translation>Попереджати при:</translation>
    </message>
    <message>
        <source>Critical at:</source>
        <translation>Критичний рівень при:</translation>
    </message>
    <message>
        <source>as the battery reports</source>
        <translation>як повідомляє батарея</translation>
    </message>
    <message>
        <source>Show the charge in the icon</source>
        <translation>Показувати заряд на значку</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Warning</source>
        <translation>Попередження</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Помилка</translation>
    </message>
</context>
</TS>

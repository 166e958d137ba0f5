<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>BattIndicator</name>
    <message>
        <source>&amp;Quit</source>
        <translation>退出(&amp;Q)</translation>
    </message>
    <message>
        <source>&amp;Preferences</source>
        <translation>首选项(&amp;P)</translation>
    </message>
    <message>
        <source>Status: Discharging
Capacity: %1%</source>
        <translation>状态：正在放电
电量：%1%</translation>
    </message>
    <message>
        <source>Status: Charging
Capacity: %1%</source>
        <translation>状态：正在充电
电量：%1%</translation>
    </message>
    <message>
        <source>Status: Running on AC power</source>
        <translation>状态：使用交流电源</translation>
    </message>
    <message>
        <source>
Time remaining: %1:%2</source>
        <translation>
剩余时间：%1:%2</translation>
    </message>
    <message>
        <source>
%1: %2%</source>
        <translation>
%1：%2%</translation>
    </message>
    <message>
        <source>
%1: absent</source>
        <translation>
%1：未安装</translation>
    </message>
    <message>
        <source>Battery capacity at %1%</source>
        <translation>电池电量为 %1%</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>
Time to full: %1:%2</source>
        <translation>
充满还需：%1:%2</translation>
    </message>
    <message>
        <source>
Time to full: estimating…</source>
        <translation>
充满还需：正在估算…</translation>
    </message>
    <message>
        <source>
Time remaining: estimating…</source>
        <translation>
剩余时间：正在估算…</translation>
    </message>
    <message>
        <source>Charge: %1%</source>
        <translation>电量：%1%</translation>
    </message>
    <message>
        <source>Charge: %1%, time left: %2:%3</source>
        <translation>电量：%1%，剩余时间：%2:%3</translation>
    </message>
    <message>
        <source>Battery fully charged</source>
        <translation>电池已充满</translation>
    </message>
    <message>
        <source>Charger connected</source>
        <translation>充电器已连接</translation>
    </message>
    <message>
        <source>Charger disconnected</source>
        <translation>充电器已断开</translation>
    </message>
    <message>
        <source>Battery critical</source>
        <translation>电池电量严重不足</translation>
    </message>
    <message>
        <source>Battery low</source>
        <translation>电池电量低</translation>
    </message>
    <message>
        <source>Battery &amp;details…</source>
        <translation>电池详情(&amp;D)…</translation>
    </message>
</context>
<context>
    <name>BatteryDetails</name>
    <message>
        <source>Battery details</source>
        <translation>电池详情</translation>
    </message>
    <message>
        <source>Charge over the last 24 hours:</source>
        <translation>过去 24 小时的电量：</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>未知</translation>
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
        <translation>放电中</translation>
    </message>
    <message>
        <source>Charging</source>
        <translation>充电中</translation>
    </message>
    <message>
        <source>Idle</source>
        <translation>空闲</translation>
    </message>
    <message>
        <source>Model:</source>
        <translation>型号：</translation>
    </message>
    <message>
        <source>Manufacturer:</source>
        <translation>制造商：</translation>
    </message>
    <message>
        <source>Serial number:</source>
        <translation>序列号：</translation>
    </message>
    <message>
        <source>Technology:</source>
        <translation>技术：</translation>
    </message>
    <message>
        <source>Design capacity:</source>
        <translation>设计容量：</translation>
    </message>
    <message>
        <source>Last full capacity:</source>
        <translation>上次充满容量：</translation>
    </message>
    <message>
        <source>Health:</source>
        <translation>健康度：</translation>
    </message>
    <message>
        <source>Design voltage:</source>
        <translation>设计电压：</translation>
    </message>
    <message>
        <source>Cycle count:</source>
        <translation>循环次数：</translation>
    </message>
    <message>
        <source>Rate:</source>
        <translation>功率：</translation>
    </message>
    <message>
        <source>Voltage:</source>
        <translation>电压：</translation>
    </message>
    <message>
        <source>Charge:</source>
        <translation>电量：</translation>
    </message>
    <message>
        <source>State:</source>
        <translation>状态：</translation>
    </message>
    <message>
        <source>No battery in this bay.</source>
        <translation>此电池仓中没有电池。</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Battery monitor for the system tray.</source>
        <translation>系统托盘电池监视器。</translation>
    </message>
    <message>
        <source>Show this help and exit.</source>
        <translation>显示此帮助并退出。</translation>
    </message>
    <message>
        <source>Show the version and exit.</source>
        <translation>显示版本并退出。</translation>
    </message>
</context>
<context>
    <name>Countdown</name>
    <message>
        <source>&amp;Cancel</source>
        <translation>取消(&amp;C)</translation>
    </message>
    <message>
        <source>Critical battery capacity reached</source>
        <translation>电池电量已达到临界水平</translation>
    </message>
    <message numerus="yes">
        <source>Suspending system in %n second(s)</source>
        <translation>
            <numerusform>系统将在 %n 秒后挂起</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Shutting down system in %n second(s)</source>
        <translation>
            <numerusform>系统将在 %n 秒后关机</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>FallbackWindow</name>
    <message>
        <source>No system tray was found. The battery is shown here until a tray starts; closing this window quits the program.</source>
        <translation>未找到系统托盘。在托盘启动之前，电池状态显示在这里；关闭此窗口将退出程序。</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>open(%s):
Not a regular file
</source>
        <translation>open(%s):
不是普通文件
</translation>
    </message>
    <message>
        <source>Couldn&apos;t execute %s</source>
        <translation>无法执行 %s</translation>
    </message>
    <message>
        <source>Failes to execute shell.</source>
        <translation>无法执行 shell。</translation>
    </message>
    <message>
        <source>Command %s returned an exit status != 0: %d</source>
        <translation>命令 %s 返回了非零退出状态：%d</translation>
    </message>
    <message>
        <source>This machine cannot suspend: the automatic action will fail. Choose shutdown in Preferences.</source>
        <translation>此计算机无法挂起：自动操作将会失败。请在首选项中选择关机。</translation>
    </message>
</context>
<context>
    <name>Preferences</name>
    <message>
        <source>Auto suspend/shutdown</source>
        <translation>自动挂起/关机</translation>
    </message>
    <message>
        <source>Use theme icons for tray</source>
        <translation>在托盘中使用主题图标</translation>
    </message>
    <message>
        <source>Suspend</source>
        <translation>挂起</translation>
    </message>
    <message>
        <source>Shutdown</source>
        <translation>关机</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>确定(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>取消(&amp;C)</translation>
    </message>
    <message>
        <source>if battery capacity drops below</source>
        <translation>当电池电量低于</translation>
    </message>
    <message>
        <source> s</source>
        <extracomment>The unit after the poll interval: the symbol of seconds.</extracomment>
        <translation> 秒</translation>
    </message>
    <message>
        <source> %</source>
        <extracomment>The percent sign after the capacity, spaced as the language wants.</extracomment>
        <translation>%</translation>
    </message>
    <message>
        <source>Suspend command:</source>
        <translation>挂起命令：</translation>
    </message>
    <message>
        <source>Shutdown command:</source>
        <translation>关机命令：</translation>
    </message>
    <message>
        <source>ACPI poll interval:</source>
        <translation>ACPI 轮询间隔：</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>首选项</translation>
    </message>
    <message>
        <source>The suspend command must be a single line.</source>
        <translation>挂起命令必须为单行。</translation>
    </message>
    <message>
        <source>The shutdown command must be a single line.</source>
        <translation>关机命令必须为单行。</translation>
    </message>
    <message>
        <source>Not valid in the settings file, so the default is used until you change it:
%1</source>
        <extracomment>Lines of &quot;name = value&quot; from the settings file follow.</extracomment>
        <translation>设置文件中的值无效，因此在您更改之前使用默认值：
%1</translation>
    </message>
    <message>
        <source>This machine cannot suspend.</source>
        <translation>此计算机无法挂起。</translation>
    </message>
    <message>
        <source>Shut down instead</source>
        <translation>改为关机</translation>
    </message>
    <message>
        <source>Notify when fully charged</source>
        <translation>充满时通知</translation>
    </message>
    <message>
        <source>Notify when the charger is connected or disconnected</source>
        <translation>充电器连接或断开时通知</translation>
    </message>
    <message>
        <source>Warn at:</source>
        <translation>警告电量：</translation>
    </message>
    <message>
        <source>Critical at:</source>
        <translation>严重电量：</translation>
    </message>
    <message>
        <source>as the battery reports</source>
        <translation>按电池报告</translation>
    </message>
    <message>
        <source>Show the charge in the icon</source>
        <translation>在图标中显示电量</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
</context>
</TS>

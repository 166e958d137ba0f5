<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>BattIndicator</name>
    <message>
        <source>&amp;Quit</source>
        <translation>終了(&amp;Q)</translation>
    </message>
    <message>
        <source>&amp;Preferences</source>
        <translation>設定(&amp;P)</translation>
    </message>
    <message>
        <source>Status: Discharging
Capacity: %1%</source>
        <translation>状態: 放電中
残量: %1%</translation>
    </message>
    <message>
        <source>Status: Charging
Capacity: %1%</source>
        <translation>状態: 充電中
残量: %1%</translation>
    </message>
    <message>
        <source>Status: Running on AC power</source>
        <translation>状態: AC 電源で動作中</translation>
    </message>
    <message>
        <source>
Time remaining: %1:%2</source>
        <translation>
残り時間: %1:%2</translation>
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
%1: なし</translation>
    </message>
    <message>
        <source>Battery capacity at %1%</source>
        <translation>バッテリー残量 %1%</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>
Time to full: %1:%2</source>
        <translation>
満充電まで: %1:%2</translation>
    </message>
    <message>
        <source>
Time to full: estimating…</source>
        <translation>
満充電まで: 推定中…</translation>
    </message>
    <message>
        <source>
Time remaining: estimating…</source>
        <translation>
残り時間: 推定中…</translation>
    </message>
    <message>
        <source>Charge: %1%</source>
        <translation>充電残量: %1%</translation>
    </message>
    <message>
        <source>Charge: %1%, time left: %2:%3</source>
        <translation>充電残量: %1%、残り時間: %2:%3</translation>
    </message>
    <message>
        <source>Battery fully charged</source>
        <translation>バッテリーの充電が完了しました</translation>
    </message>
    <message>
        <source>Charger connected</source>
        <translation>充電器が接続されました</translation>
    </message>
    <message>
        <source>Charger disconnected</source>
        <translation>充電器が外されました</translation>
    </message>
    <message>
        <source>Battery critical</source>
        <translation>バッテリー残量が危険な状態</translation>
    </message>
    <message>
        <source>Battery low</source>
        <translation>バッテリー残量低下</translation>
    </message>
    <message>
        <source>Battery &amp;details…</source>
        <translation>バッテリーの詳細(&amp;D)…</translation>
    </message>
</context>
<context>
    <name>BatteryDetails</name>
    <message>
        <source>Battery details</source>
        <translation>バッテリーの詳細</translation>
    </message>
    <message>
        <source>Charge over the last 24 hours:</source>
        <translation>過去 24 時間の充電量:</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>不明</translation>
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
        <translation>放電中</translation>
    </message>
    <message>
        <source>Charging</source>
        <translation>充電中</translation>
    </message>
    <message>
        <source>Idle</source>
        <translation>待機中</translation>
    </message>
    <message>
        <source>Model:</source>
        <translation>モデル:</translation>
    </message>
    <message>
        <source>Manufacturer:</source>
        <translation>製造元:</translation>
    </message>
    <message>
        <source>Serial number:</source>
        <translation>シリアル番号:</translation>
    </message>
    <message>
        <source>Technology:</source>
        <translation>種類:</translation>
    </message>
    <message>
        <source>Design capacity:</source>
        <translation>設計容量:</translation>
    </message>
    <message>
        <source>Last full capacity:</source>
        <translation>前回の満充電容量:</translation>
    </message>
    <message>
        <source>Health:</source>
        <translation>健全性:</translation>
    </message>
    <message>
        <source>Design voltage:</source>
        <translation>設計電圧:</translation>
    </message>
    <message>
        <source>Cycle count:</source>
        <translation>サイクル数:</translation>
    </message>
    <message>
        <source>Rate:</source>
        <translation>電力:</translation>
    </message>
    <message>
        <source>Voltage:</source>
        <translation>電圧:</translation>
    </message>
    <message>
        <source>Charge:</source>
        <translation>充電量:</translation>
    </message>
    <message>
        <source>State:</source>
        <translation>状態:</translation>
    </message>
    <message>
        <source>No battery in this bay.</source>
        <translation>このベイにバッテリーはありません。</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Battery monitor for the system tray.</source>
        <translation>システムトレイ用のバッテリーモニター。</translation>
    </message>
    <message>
        <source>Show this help and exit.</source>
        <translation>このヘルプを表示して終了します。</translation>
    </message>
    <message>
        <source>Show the version and exit.</source>
        <translation>バージョンを表示して終了します。</translation>
    </message>
</context>
<context>
    <name>Countdown</name>
    <message>
        <source>&amp;Cancel</source>
        <translation>キャンセル(&amp;C)</translation>
    </message>
    <message>
        <source>Critical battery capacity reached</source>
        <translation>バッテリー残量が危険なレベルに達しました</translation>
    </message>
    <message numerus="yes">
        <source>Suspending system in %n second(s)</source>
        <translation>
            <numerusform>%n 秒後にシステムをサスペンドします</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Shutting down system in %n second(s)</source>
        <translation>
            <numerusform>%n 秒後にシステムをシャットダウンします</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>FallbackWindow</name>
    <message>
        <source>No system tray was found. The battery is shown here until a tray starts; closing this window quits the program.</source>
        <translation>システムトレイが見つかりません。トレイが起動するまでバッテリーはここに表示されます。このウィンドウを閉じるとプログラムは終了します。</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>open(%s):
Not a regular file
</source>
        <translation>open(%s):
通常のファイルではありません
</translation>
    </message>
    <message>
        <source>Couldn&apos;t execute %s</source>
        <translation>%s を実行できませんでした</translation>
    </message>
    <message>
        <source>Failes to execute shell.</source>
        <translation>シェルを実行できませんでした。</translation>
    </message>
    <message>
        <source>Command %s returned an exit status != 0: %d</source>
        <translation>コマンド %s が 0 以外の終了ステータスを返しました: %d</translation>
    </message>
    <message>
        <source>This machine cannot suspend: the automatic action will fail. Choose shutdown in Preferences.</source>
        <translation>このマシンはサスペンドできません。自動動作は失敗します。設定でシャットダウンを選んでください。</translation>
    </message>
</context>
<context>
    <name>Preferences</name>
    <message>
        <source>Auto suspend/shutdown</source>
        <translation>自動的にサスペンド/シャットダウンする</translation>
    </message>
    <message>
        <source>Use theme icons for tray</source>
        <translation>トレイにテーマのアイコンを使用する</translation>
    </message>
    <message>
        <source>Suspend</source>
        <translation>サスペンド</translation>
    </message>
    <message>
        <source>Shutdown</source>
        <translation>シャットダウン</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>OK(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>キャンセル(&amp;C)</translation>
    </message>
    <message>
        <source>if battery capacity drops below</source>
        <translation>バッテリー残量が次の値を下回ったとき</translation>
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
        <translation>サスペンドのコマンド:</translation>
    </message>
    <message>
        <source>Shutdown command:</source>
        <translation>シャットダウンのコマンド:</translation>
    </message>
    <message>
        <source>ACPI poll interval:</source>
        <translation>ACPI のポーリング間隔:</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>The suspend command must be a single line.</source>
        <translation>サスペンドのコマンドは 1 行で指定してください。</translation>
    </message>
    <message>
        <source>The shutdown command must be a single line.</source>
        <translation>シャットダウンのコマンドは 1 行で指定してください。</translation>
    </message>
    <message>
        <source>Not valid in the settings file, so the default is used until you change it:
%1</source>
        <extracomment>Lines of &quot;name = value&quot; from the settings file follow.</extracomment>
        <translation>設定ファイルの値が無効なため、変更するまで既定値を使います:
%1</translation>
    </message>
    <message>
        <source>This machine cannot suspend.</source>
        <translation>このマシンはサスペンドできません。</translation>
    </message>
    <message>
        <source>Shut down instead</source>
        <translation>代わりにシャットダウン</translation>
    </message>
    <message>
        <source>Notify when fully charged</source>
        <translation>充電完了時に通知する</translation>
    </message>
    <message>
        <source>Notify when the charger is connected or disconnected</source>
        <translation>充電器の接続・切断時に通知する</translation>
    </message>
    <message>
        <source>Warn at:</source>
        <translation>警告するレベル:</translation>
    </message>
    <message>
        <source>Critical at:</source>
        <translation>危険レベル:</translation>
    </message>
    <message>
        <source>as the battery reports</source>
        <translation>バッテリーの報告どおり</translation>
    </message>
    <message>
        <source>Show the charge in the icon</source>
        <translation>アイコンに充電量を表示</translation>
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
        <translation>エラー</translation>
    </message>
</context>
</TS>

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>Countdown</name>
    <message numerus="yes">
        <source>Suspending system in %n second(s)</source>
        <translation>
            <numerusform>Suspending system in %n Second</numerusform>
            <numerusform>Suspending system in %n Seconds</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Shutting down system in %n second(s)</source>
        <translation>
            <numerusform>Shutting down system in %n Second</numerusform>
            <numerusform>Shutting down system in %n Seconds</numerusform>
        </translation>
    </message>
</context>
</TS>

#!/usr/bin/python3
# SPDX-License-Identifier: BSD-2-Clause
"""ampelwick in a virtual desktop, on a simulated laptop that runs down.

Starts a virtual X server with a system tray, a temporary home and a
simulated battery discharging from 50 %, and runs the program on it: the
gauge turns from yellow to red, balloons come at the warning (10 %) and low
(5 %) levels, and at 3 % the 30-second countdown runs out and the (harmless)
suspend command runs.  Screenshots of each step are left in the output
directory.  The real home and settings are never touched.

    demo.py BUILD_DIR [OUTPUT_DIR]
"""
import os
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import desktop  # noqa: E402
import simlaptop  # noqa: E402


def say(text):
    print("demo: " + text, flush=True)


def main(argv):
    if len(argv) < 2:
        sys.exit(__doc__)
    build = os.path.abspath(argv[1])
    out = os.path.abspath(argv[2] if len(argv) > 2 else
                          os.path.join(build, "demo"))
    binary = os.path.join(build, "app", "ampelwick-sim")
    os.makedirs(out, exist_ok=True)

    home = desktop.FakeHome()
    log = os.path.join(home.home, "suspended")
    home.write_config(desktop.settings_text(
        autoshutdown=True, shutdown_cap=3, suspend=True,
        suspend_cmd="date >> %s" % log, use_icon_theme=False,
        poll_interval=1))
    simlaptop.write(home.home, units=1, cap=50, min=100, state=1,
                    rate=1500, acline=0, lfcap=50000, wcap=5000, lcap=2500,
                    dcap=60000, dvol=11100, volt=11800, cycles=212,
                    model="5B10W13930", serial="1427", type="LiP", oem="SMP")
    devd = simlaptop.Devd(home.home)
    devd.start()

    shots = []

    def shot(name, vd):
        path = os.path.join(out, name + ".png")
        vd.screenshot(path)
        shots.append(path)
        say("screenshot " + path)

    try:
        with desktop.VirtualDesktop(width=640, height=400) as vd, \
                desktop.Program(binary, vd, home) as program:
            say("virtual desktop on " + vd.display +
                ", battery at 50 % and discharging")
            time.sleep(2)
            shot("1-start", vd)
            for cap in range(49, 2, -1):
                simlaptop.update(home.home, cap=cap, min=cap * 2)
                time.sleep(1.0)
                if cap == 10:
                    say("10 %: the warning balloon")
                    time.sleep(0.5)
                    shot("2-warning-balloon", vd)
                elif cap == 5:
                    say("5 %: the critical balloon")
                    time.sleep(0.5)
                    shot("3-critical-balloon", vd)
            say("3 %: the countdown")
            desktop.wait_for(lambda: vd.windows(
                name="Critical battery capacity reached"), timeout=5)
            time.sleep(1)
            shot("4-countdown", vd)
            say("waiting for the countdown to run out")
            desktop.wait_for(lambda: os.path.exists(log), timeout=40,
                             interval=0.5)
            if os.path.exists(log):
                say("the suspend command ran")
            else:
                say("the suspend command did not run")
            simlaptop.update(home.home, cap=3, state=2, acline=1, min=-1)
            devd.notify()
            time.sleep(1.5)
            shot("5-charging", vd)
            if program.proc.poll() is not None:
                say("the program ended early: status %d"
                    % program.proc.returncode)
                return 1
    finally:
        devd.stop()
        home.cleanup()
    say("done; screenshots in " + out)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

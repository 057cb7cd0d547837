#!/usr/bin/env python3
"""Start-up and window timings of the real program, measured as a student meets them.

Runs build/ui/kivola many times under Xvfb (with a small window manager) and on Qt's offscreen
platform, beside a minimal Qt window with the same furniture (bench_minimalwindow), and prints
the median and spread of:
  exec -> first paint of the main window (both programs, and our time as a ratio)
  "テスト開始" -> first paint of question 1, answer -> next question painted,
  fifth answer -> result painted, "見直し" -> review painted, "成績表" -> report painted,
  and the peak resident memory.
Time stamps come from the programs' opt-in trace (KIVOLA_TRACE_STARTUP); the script reads the
same monotonic clock. It never touches a real settings file: each run gets a scratch folder.
"""
import argparse
import os
import shutil
import signal
import statistics
import subprocess
import tempfile
import time

TRACE = "kivola-trace"


def parse_trace(text):
    events = []
    for line in text.splitlines():
        parts = line.split()
        if len(parts) >= 4 and parts[0] == TRACE:
            events.append((int(parts[1]), parts[2], parts[3]))
    return events


def run_once(program, env, cwd):
    """Starts a program that quits after its first paint; returns (ms to paint, peak RSS KiB)."""
    started = time.monotonic_ns()
    proc = subprocess.Popen([program], env=env, cwd=cwd, stderr=subprocess.PIPE,
                            stdout=subprocess.DEVNULL)
    _, status, usage = os.wait4(proc.pid, 0)
    proc.returncode = os.waitstatus_to_exitcode(status)
    errors = proc.stderr.read().decode(errors="replace")
    paints = [e for e in parse_trace(errors) if e[1] == "paint"]
    if not paints:
        raise RuntimeError(f"{program} painted nothing:\n{errors}")
    return (paints[0][0] - started) / 1e6, usage.ru_maxrss


def summary(values):
    values = sorted(values)
    median = statistics.median(values)
    return median, values[0], values[-1]


def fmt(label, values, unit="ms"):
    median, low, high = summary(values)
    return f"| {label} | {median:.2f} {unit} | {low:.2f}–{high:.2f} | {len(values)} |"


class Display:
    def __init__(self, number):
        self.name = f":{number}"
        self.procs = []

    def __enter__(self):
        self.procs.append(subprocess.Popen(["Xvfb", self.name, "-screen", "0", "1024x768x24",
                                            "-nolisten", "tcp"], stderr=subprocess.DEVNULL))
        env = dict(os.environ, DISPLAY=self.name)
        for _ in range(100):
            if subprocess.run(["xdpyinfo"], env=env, stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL).returncode == 0:
                break
            time.sleep(0.05)
        if shutil.which("openbox"):
            self.procs.append(subprocess.Popen(["openbox"], env=env, stdout=subprocess.DEVNULL,
                                               stderr=subprocess.DEVNULL))
            time.sleep(0.5)
        return env

    def __exit__(self, *exc):
        for proc in reversed(self.procs):
            proc.terminate()
            proc.wait()


def await_event(proc_log, count_before, kind, name, timeout=10.0):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        with open(proc_log) as f:
            events = parse_trace(f.read())
        for event in events[count_before:]:
            if event[1] == kind and event[2] == name:
                return events
        time.sleep(0.02)
    raise RuntimeError(f"no {kind} of {name} within {timeout} s")


def minimal_dialog_run(program, env, folder, opens):
    """The floor for a window transition: button press -> first paint of a small dialog."""
    log = os.path.join(folder, "minimal.log")
    with open(log, "w") as out:
        proc = subprocess.Popen([program], env=dict(env, KIVOLA_TRACE_STARTUP="1"), cwd=folder,
                                stderr=out, stdout=subprocess.DEVNULL)
    times = []
    try:
        events = await_event(log, 0, "paint", "minimal")
        for _ in range(opens):
            before = len(events)
            subprocess.run(["xdotool", "key", "Return"], env=env, check=True)
            events = await_event(log, before, "paint", "minimalDialog")
            press = [e for e in events[before:] if e[1] == "input"][-1]
            paint = next(e for e in events[before:] if e[1] == "paint")
            times.append((paint[0] - press[0]) / 1e6)
            subprocess.run(["xdotool", "key", "Escape"], env=env, check=True)
            time.sleep(0.2)
            with open(log) as f:
                events = parse_trace(f.read())
    finally:
        proc.send_signal(signal.SIGTERM)
        proc.wait()
    return times


def interactive_run(program, env, folder):
    """One whole test driven by keys; returns the named transition times in ms and peak RSS."""
    log = os.path.join(folder, "trace.log")
    with open(log, "w") as out:
        proc = subprocess.Popen([program], env=dict(env, KIVOLA_TRACE_STARTUP="1"), cwd=folder,
                                stderr=out, stdout=subprocess.DEVNULL)
    try:
        events = await_event(log, 0, "paint", "frmMain")

        def step(keys, window):
            nonlocal events
            before = len(events)
            for key in keys:
                subprocess.run(["xdotool", "key", key], env=env, check=True)
            events = await_event(log, before, "paint", window)
            presses = [e for e in events[before:] if e[1] == "input"]
            paint = next(e for e in events[before:] if e[1] == "paint" and e[2] == window)
            return (paint[0] - presses[-1][0]) / 1e6

        times = {"start → question 1": step(["Return"], "frmQuestion")}
        times["answer → next question"] = [step(["Return"], "frmQuestion") for _ in range(4)]
        times["fifth answer → result"] = step(["Return"], "frmResult")
        # Focus starts on "OK"; two tabs reach the first "見直し".
        times["見直し → review"] = step(["Tab", "Tab", "Return"], "frmReview")
        subprocess.run(["xdotool", "key", "Return"], env=env, check=True)
        time.sleep(0.3)
        # Back on the result sheet the first "見直し" has the focus; "成績表" is just before it.
        times["成績表 → report"] = step(["shift+Tab", "Return"], "frmScore")
        subprocess.run(["xdotool", "key", "Return"], env=env, check=True)
        time.sleep(0.2)
    finally:
        proc.send_signal(signal.SIGTERM)
        _, _, usage = os.wait4(proc.pid, 0)
    return times, usage.ru_maxrss


def item_run(program, env, folder):
    """A drill and a mock paper started from the study menu by keys; the time in ms from the press
    of the start button to the first paint of the window that shows the first item."""
    log = os.path.join(folder, "items.log")
    with open(log, "w") as out:
        proc = subprocess.Popen([program], env=dict(env, KIVOLA_TRACE_STARTUP="1"), cwd=folder,
                                stderr=out, stdout=subprocess.DEVNULL)
    try:
        events = await_event(log, 0, "paint", "frmMain")

        def keys(*names):
            for name in names:
                subprocess.run(["xdotool", "key", name], env=env, check=True)
            time.sleep(0.4)

        def step(names, window):
            nonlocal events
            with open(log) as f:
                events = parse_trace(f.read())
            before = len(events)
            keys(*names)
            events = await_event(log, before, "paint", window)
            presses = [e for e in events[before:] if e[1] == "input"]
            paint = next(e for e in events[before:] if e[1] == "paint" and e[2] == window)
            return (paint[0] - presses[-1][0]) / 1e6

        keys("alt+s", "f")
        times = {"練習開始 → drill item": step(["Return"], "frmItemDrill")}
        keys("Escape")
        keys("alt+s", "p")
        times["開始 → mock paper item"] = step(["Return"], "frmMockPaper")
        keys("Escape")
    finally:
        proc.send_signal(signal.SIGTERM)
        proc.wait()
    return times


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", default="build")
    parser.add_argument("--runs", type=int, default=30)
    parser.add_argument("--tests", type=int, default=5, help="whole tests driven by keys")
    parser.add_argument("--display", type=int, default=93)
    args = parser.parse_args()

    kivola = os.path.abspath(os.path.join(args.build, "ui", "kivola"))
    minimal = os.path.abspath(os.path.join(args.build, "bench", "bench_minimalwindow"))
    folder = tempfile.mkdtemp(prefix="kivola-bench-")
    shutil.copy(kivola, folder)
    program = os.path.join(folder, "kivola")
    rows = []
    try:
        with Display(args.display) as xenv:
            for platform, env in (("xcb", dict(xenv, QT_QPA_PLATFORM="xcb")),
                                  ("offscreen", dict(os.environ, QT_QPA_PLATFORM="offscreen"))):
                env = dict(env, KIVOLA_TRACE_STARTUP="quit")
                ours, theirs, rss = [], [], []
                # Warm the caches first, then alternate so both see the same machine.
                run_once(program, env, folder)
                run_once(minimal, env, folder)
                for _ in range(args.runs):
                    ms, kib = run_once(program, env, folder)
                    ours.append(ms)
                    rss.append(kib / 1024)
                    theirs.append(run_once(minimal, env, folder)[0])
                ratio = statistics.median(ours) / statistics.median(theirs)
                rows.append(fmt(f"exec → main window painted ({platform})", ours))
                rows.append(fmt(f"exec → minimal Qt window painted ({platform})", theirs))
                rows.append(f"| ratio kivola / minimal ({platform}) | {ratio:.2f} | | |")
                rows.append(fmt(f"peak RSS at start ({platform})", rss, "MiB"))

            transitions = {}
            peak = []
            for _ in range(args.tests):
                for name in os.listdir(folder):
                    if name != "kivola":
                        os.remove(os.path.join(folder, name))
                times, kib = interactive_run(program, dict(xenv, QT_QPA_PLATFORM="xcb"), folder)
                peak.append(kib / 1024)
                for name, value in times.items():
                    transitions.setdefault(name, []).extend(
                        value if isinstance(value, list) else [value])
                for name, value in item_run(program, dict(xenv, QT_QPA_PLATFORM="xcb"),
                                            folder).items():
                    transitions.setdefault(name, []).append(value)
            floor = []
            for _ in range(args.tests):
                floor.extend(minimal_dialog_run(minimal, dict(xenv, QT_QPA_PLATFORM="xcb"),
                                                folder, 5))
            rows.append(fmt("button → minimal Qt dialog painted (xcb, the floor)", floor))
            for name, values in transitions.items():
                rows.append(fmt(f"{name} (xcb)", values))
            rows.append(fmt("peak RSS over a whole test (xcb)", peak, "MiB"))
    finally:
        shutil.rmtree(folder, ignore_errors=True)

    print("| measure | median | range | n |")
    print("|---|---|---|---|")
    print("\n".join(rows))


if __name__ == "__main__":
    main()

#!/usr/bin/python3
"""How soon the curve is heard after Space: sound-latency.py PROGRAM [RUNS].

Starts a sound server of its own with a null sink, a virtual X display and the program on it,
graphs y = 5 sin(x)/x and presses Space on the picture RUNS times (default 5). The sink's monitor is
recorded by parec; the recording's clock is set by the moment its file first grows. Prints, for each
press, the milliseconds from the key to the first sample that is not silent.
"""
import array, os, subprocess, sys, tempfile, time

program, runs = sys.argv[1], int(sys.argv[2]) if len(sys.argv) > 2 else 5
folder = tempfile.mkdtemp()
env = dict(os.environ, HOME=folder, PULSE_RUNTIME_PATH=folder, PULSE_STATE_PATH=folder)
server = subprocess.Popen(["pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1",
                           "--use-pid-file=no", "-L", f"module-native-protocol-unix auth-anonymous=1 socket={folder}/pulse",
                           "-L", "module-null-sink sink_name=heard rate=44100 norewinds=1"], env=env,
                          stderr=subprocess.DEVNULL)
display = subprocess.Popen(["Xvfb", ":77", "-screen", "0", "1024x768x24"], stderr=subprocess.DEVNULL)
time.sleep(2)
env = dict(os.environ, DISPLAY=":77", PULSE_SERVER=f"unix:{folder}/pulse", QT_QPA_PLATFORM="xcb")
shown = subprocess.Popen([program], env=env)
time.sleep(2)
window = subprocess.run(["xdotool", "search", "--sync", "--pid", str(shown.pid), "--name", "^Graph$"],
                        env=env, capture_output=True, text=True).stdout.split()[0]
def xdo(*args):
    subprocess.run(["xdotool", *args], env=env, check=True)
xdo("mousemove", "--window", window, "520", "140", "click", "1")   # the third function
xdo("mousemove", "--window", window, "508", "224", "click", "1")   # Graph
xdo("key", "Tab")
raw = os.path.join(folder, "heard.raw")
with open(raw, "wb") as out:
    recorder = subprocess.Popen(["parec", f"--server=unix:{folder}/pulse", "--device=heard.monitor", "--raw",
                                 "--format=s16le", "--rate=44100", "--channels=2", "--latency-msec=5"], stdout=out)
    while os.path.getsize(raw) == 0:
        time.sleep(0.0005)
    start = time.monotonic()
    keys = []
    for _ in range(runs):
        xdo("key", "Escape")
        time.sleep(0.5)
        keys.append(time.monotonic() - start)
        xdo("key", "space")
        time.sleep(1)
    time.sleep(1)
    recorder.terminate(); recorder.wait()
samples = array.array("h", open(raw, "rb").read())
for key in keys:
    at = int(key * 44100) * 2
    first = next(i for i in range(at, len(samples)) if abs(samples[i]) > 300)
    print(f"{(first / 2 / 44100 - key) * 1000:.0f} ms")
for process in (shown, display, server):
    process.terminate(); process.wait()

#!/usr/bin/env python3
"""Renders the plug-in inside a real DAW (Ardour 7, headless, dummy back-end)
and requires its export to match sorel-render's output sample for sample.

Usage: ardour_render_test.py PLUGIN.so SOREL-RENDER [--keep DIR]

Ardour runs in a scratch HOME and XDG folders, so nothing of the user's is
read or written; its VST path is a folder holding a copy of the library alone; its scanner
indexes the library on every run (its cache would otherwise describe an older
build). Two sessions export the master bus as float WAV: "dry" carries only
the test tone generator (tone.lua), "wet" the generator and the plug-in with
SETTINGS applied through Ardour's plug-in parameter interface. The dry export
must equal the tone computed here, which makes it the known input; the wet
export must equal sorel-render's rendering of that input with the same
settings, once aligned, from the first frame on.
"""
import math
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import time
from array import array

RATE = 48000
FRAMES = 3 * RATE
# Compared from the first frame: Ardour (7.3) hands the plug-in the tone from
# the export's start on a state that has only seen silence, as sorel-render's
# fresh instance does, so nothing needs to settle first.
SETTLE = 0
ATTEMPTS = 6  # Ardour runs, see run_ardour
MAX_LAG = 4096  # an export may start this far from the render, either way
PRESET_ID = "754a1afe-8be1-4f1b-a69b-aaa07f115495"  # float-wav.preset
HERE = os.path.dirname(os.path.abspath(__file__))
ARDOUR_LIB = "/usr/lib/ardour7"

# Index and normalised value: the Mid/Side page, split band on, both volumes
# off unity, three Mid and two Side modules shaping with non-default flavours,
# and one module switched off with an amount that would show if it ran.
SETTINGS = [
    (1, 0.0078125),  # page: Mid/Side
    (86, 0.0078125),  # anti-aliasing: split band
    (2, 0.75),  # input volume
    (3, 0.35),  # output volume
    (36, 0.6), (37, 0.3),  # mid salt, flavour
    (42, 0.45),  # mid pepper
    (48, 0.5), (49, 0.8),  # mid sugar, flavour
    (54, 0.9), (56, 0.0),  # mid chili, switched off
    (66, 0.7),  # side pepper
    (78, 0.4), (79, 0.2),  # side chili, flavour
]


def tone(t):
    """The generator's formula in tone.lua, operation for operation."""
    s = math.sin(2 * math.pi * 0.7 * t / RATE)
    swell = 0.3 + 0.5 * s * s
    w = 2 * math.pi * 1000 * t / RATE
    return swell * math.sin(w), 0.7 * swell * math.sin(w + 1.0)


def f32(x):
    return struct.unpack("<f", struct.pack("<f", x))[0]


def read_float_wav(path):
    """Interleaved float samples and the channel count of a 32-bit float WAV."""
    with open(path, "rb") as f:
        data = f.read()
    if data[0:4] != b"RIFF" or data[8:12] != b"WAVE":
        raise ValueError(f"{path}: not a WAV file")
    pos, fmt, samples = 12, None, None
    while pos + 8 <= len(data):
        cid, size = data[pos:pos + 4], struct.unpack("<I", data[pos + 4:pos + 8])[0]
        body = data[pos + 8:pos + 8 + size]
        if cid == b"fmt ":
            tag, channels, rate, _, _, bits = struct.unpack("<HHIIHH", body[:16])
            if tag == 0xFFFE:
                tag = struct.unpack("<H", body[24:26])[0]
            fmt = (tag, channels, rate, bits)
        elif cid == b"data":
            samples = array("f")
            samples.frombytes(body)
        pos += 8 + size + (size & 1)
    if fmt is None or samples is None or fmt[0] != 3 or fmt[3] != 32 or fmt[2] != RATE:
        raise ValueError(f"{path}: not {RATE} Hz 32-bit float WAV (format {fmt})")
    return samples, fmt[1]


def write_float_wav(path, frames):
    body = array("f", [v for frame in frames for v in frame]).tobytes()
    header = struct.pack("<4sI4s4sIHHIIHH4sI", b"RIFF", 36 + len(body), b"WAVE", b"fmt ", 16, 3, 2,
                         RATE, RATE * 8, 8, 32, b"data", len(body))
    with open(path, "wb") as f:
        f.write(header + body)


def frames_of(samples, channels):
    if channels != 2:
        raise ValueError(f"expected stereo, got {channels} channels")
    return list(zip(samples[0::2], samples[1::2]))


def first_sound(frames):
    return next((i for i, (l, r) in enumerate(frames) if l != 0 or r != 0), None)


def compare(name, got, want):
    """Aligns `got` to `want` by their first non-zero frame, then compares every
    frame of `want` from SETTLE on. Returns an error text or None."""
    g0, w0 = first_sound(got), first_sound(want)
    if g0 is None or w0 is None:
        return f"{name}: silent (first sound at {g0} in the export, {w0} in the reference)"
    lag = g0 - w0
    if abs(lag) > MAX_LAG:
        return f"{name}: export starts {lag} frames from the reference"
    end = min(len(want), len(got) - lag)
    if end - SETTLE < RATE:
        return f"{name}: only {end - SETTLE} frames to compare"
    worst, differing, first = 0.0, 0, None
    for i in range(SETTLE, end):
        for a, b in zip(got[i + lag], want[i]):
            if a != b:
                differing += 1
                first = i if first is None else first
                worst = max(worst, abs(a - b))
    compared = 2 * (end - SETTLE)
    print(f"{name}: lag {lag} frames; {compared} samples compared from frame {SETTLE}; "
          f"{differing} differ, max difference {worst:.3g}")
    if differing:
        return f"{name}: {differing} of {compared} samples differ (first at frame {first}, max {worst:.3g})"
    return None


def prepare_home(root, plugin_dir):
    """A scratch HOME whose Ardour configuration holds the VST path, the tone
    generator and the float WAV export preset, and nothing else."""
    env = dict(os.environ)
    home = os.path.join(root, "home")
    config = os.path.join(home, ".config")
    env.update(HOME=home, XDG_CONFIG_HOME=config, XDG_CACHE_HOME=os.path.join(home, ".cache"),
               XDG_DATA_HOME=os.path.join(home, ".local", "share"), LD_LIBRARY_PATH=ARDOUR_LIB)
    for var in ("LXVST_PATH", "VST_PATH", "LADSPA_PATH", "LV2_PATH", "ARDOUR_CONFIG_PATH"):
        env.pop(var, None)
    ardour = os.path.join(config, "ardour7")
    os.makedirs(os.path.join(ardour, "scripts"))
    os.makedirs(os.path.join(ardour, "export"))
    shutil.copy(os.path.join(HERE, "tone.lua"), os.path.join(ardour, "scripts"))
    for ext in ("format", "preset"):
        shutil.copy(os.path.join(HERE, "float-wav." + ext), os.path.join(ardour, "export"))
    with open(os.path.join(ardour, "config"), "w") as f:
        f.write('<?xml version="1.0" encoding="UTF-8"?>\n<Ardour>\n  <Config>\n'
                f'    <Option name="plugin-path-lxvst" value="{plugin_dir}"/>\n'
                '    <Option name="plugin-path-vst" value=""/>\n  </Config>\n</Ardour>\n')
    return env


def run(cmd, env=None, timeout=300):
    proc = subprocess.run(cmd, env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True,
                          timeout=timeout)
    if proc.returncode != 0:
        sys.exit(f"FAIL: {' '.join(cmd[:2])} exited with {proc.returncode}:\n{proc.stdout}")
    return proc.stdout


def plugin_name(scan_output):
    """The name the scanner indexed, e.g. "[Info]: Found Plugin: 'LROS' SOREL"."""
    for line in scan_output.splitlines():
        if "Found Plugin:" in line:
            return line.split("'", 2)[2].strip()
    sys.exit(f"FAIL: the scanner found no plug-in:\n{scan_output}")


def run_ardour(cmd, env, session):
    """Runs an ardour7-lua session script. Ardour 7.3 here sometimes dies from
    heap corruption while it finishes an export (free() aborts in its export
    teardown) whenever a VST plug-in is loaded: a do-nothing pass-through VST
    dies the same way, so the fault is Ardour's. A run killed by a signal is
    reported and repeated, up to ATTEMPTS times; any other failure fails at
    once."""
    for attempt in range(1, ATTEMPTS + 1):
        shutil.rmtree(session, ignore_errors=True)
        proc = subprocess.run(cmd, env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True,
                              timeout=300)
        if proc.returncode >= 0:
            break
        print(f"NOTE: Ardour died from signal {-proc.returncode} (attempt {attempt} of {ATTEMPTS})")
    if proc.returncode != 0:
        sys.exit(f"FAIL: ardour7-lua exited with {proc.returncode}:\n{proc.stdout}")
    return proc.stdout


def ardour_export(env, root, name, plugin):
    settings = [f"{i}={v!r}" for i, v in SETTINGS] if plugin != "-" else []
    session = os.path.join(root, "session-" + name)
    out = run_ardour(["ardour7-lua", os.path.join(HERE, "session.lua"), session, os.path.join(root, "export"),
                      PRESET_ID, str(FRAMES), name, plugin] + settings, env, session)
    for line in out.splitlines():  # "param 2 = 0.75 (asked 0.75)": read back after setting
        if line.startswith("param "):
            words = line.replace("(", " ").replace(")", " ").split()
            if f32(float(words[3])) != f32(float(words[5])):
                sys.exit(f"FAIL: Ardour holds another value than it was given: {line}")
    if f"exported {name}" not in out:
        sys.exit(f"FAIL: no export from Ardour:\n{out}")
    return frames_of(*read_float_wav(os.path.join(root, "export", name + ".wav")))


def main():
    args = sys.argv[1:]
    keep = None
    if "--keep" in args:
        keep = args[args.index("--keep") + 1]
        del args[args.index("--keep"):args.index("--keep") + 2]
    plugin, render = (os.path.abspath(a) for a in args)
    if shutil.which("ardour7-lua") is None or not os.path.exists(os.path.join(ARDOUR_LIB, "ardour-vst-scanner")):
        print("SKIP: Ardour 7 is not installed (make deps installs it)")
        return 77
    root = tempfile.mkdtemp(prefix="sorel-daw-", dir=keep)
    try:
        # Ardour searches its VST folder recursively, so it gets a folder of
        # the library alone: the build tree holds Wine prefixes whose drive
        # links lead back to the root of the file system.
        vst = os.path.join(root, "vst")
        os.makedirs(vst)
        scanned = shutil.copy2(plugin, vst)
        env = prepare_home(root, vst)
        # Ardour takes the cache as stale unless it is from a later second than
        # the library: a library linked a moment ago would not be found.
        time.sleep(max(0.0, math.floor(os.path.getmtime(scanned)) + 1.05 - time.time()))
        scan = run([os.path.join(ARDOUR_LIB, "ardour-vst-scanner"), "-f", scanned], env)
        name = plugin_name(scan)

        dry = ardour_export(env, root, "dry", "-")
        wet = ardour_export(env, root, "wet", name)

        source = [tuple(f32(v) for v in tone(t)) for t in range(FRAMES)]
        source_wav = os.path.join(root, "tone.wav")
        write_float_wav(source_wav, source)
        rendered_wav = os.path.join(root, "rendered.wav")
        run([render, "--plugin", plugin, "--daw-identical", "--type", "float", "--no-report", "-q", source_wav,
             "-o", rendered_wav]
            + [a for i, v in SETTINGS for a in ("-s", f"#{i}={v!r}")])
        rendered = frames_of(*read_float_wav(rendered_wav))

        errors = [e for e in (compare("dry export vs. tone", dry, source),
                              compare("wet export vs. sorel-render", wet, rendered)) if e]
        if rendered[SETTLE:] == source[SETTLE:len(rendered)]:
            errors.append("sorel-render left the tone unchanged: the settings did nothing")
        for e in errors:
            print("FAIL: " + e)
        return 1 if errors else 0
    finally:
        if keep is None:
            shutil.rmtree(root, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())

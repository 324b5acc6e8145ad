#!/usr/bin/env python3
"""The built LV2 bundle checked with tools the project did not write.

Usage: lv2_tools_test.py CHECK LV2-DIR SOREL-RENDER VST-LIBRARY
CHECK is one of:
  describe  lv2ls lists both plug-ins; lv2info gives every parameter the
            symbol, default and choices the VST library reports for it
            (sorel-render --list), the latency port and the presets
  turtle    serdi reads every Turtle file strictly, and every class and
            property they use is defined by the LV2 schemas in lv2-dev
  bench     lv2bench runs both plug-ins
  apply     lv2apply (one frame per run, no host features) renders a stereo
            and a mono file with the DAW test's settings, by port symbol,
            bit for bit as sorel-render renders them with the VST library
"""
import glob
import os
import re
import struct
import subprocess
import sys
import tempfile
from array import array

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "daw"))
from ardour_render_test import SETTINGS, read_float_wav  # noqa: E402

URIS = {2: "urn:kestrune:sorel", 1: "urn:kestrune:sorel:mono"}
SCHEMAS = "/usr/lib/lv2"
RATE = 48000


def run(cmd, env=None):
    proc = subprocess.run(cmd, env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, timeout=300)
    if proc.returncode != 0:
        sys.exit(f"FAIL: {' '.join(cmd)} exited with {proc.returncode}:\n{proc.stdout}")
    return proc.stdout


def parameters(render):
    """(index, qualified name, value as --list shows it) of every parameter."""
    rows = []
    for line in run([render, "--list"]).splitlines()[1:]:
        words = line.split()
        if words and words[-1] == "inert":
            words.pop()  # the note on parameters that change nothing
        if words and words[0].isdigit():
            # The host name may hold spaces; the value is the second column from the end.
            rows.append((int(words[0]), words[1], words[-2]))
    return rows


def port_blocks(info):
    """Port index -> the text lv2info prints for it."""
    parts = re.split(r"^\tPort (\d+):$", info, flags=re.M)
    return {int(parts[i]): parts[i + 1] for i in range(1, len(parts), 2)}


def field(block, name):
    m = re.search(rf"^\t\t{name}:\s+(.*)$", block, flags=re.M)
    return m.group(1).strip() if m else None


def check_describe(env, render):
    errors = []
    listed = run(["lv2ls"], env).split()
    errors += [f"lv2ls does not list {uri}" for uri in URIS.values() if uri not in listed]
    params = parameters(render)
    if len(params) != 87:
        return [f"sorel-render --list shows {len(params)} parameters"]
    for channels, uri in URIS.items():
        info = run(["lv2info", uri], env)
        ports = port_blocks(info)
        for index, qualified, value in params:
            block = ports.get(index, "")
            symbol = qualified.replace(".", "_")
            default = float(field(block, "Default") or "nan")
            points = dict((label, float(v)) for v, label in re.findall(r'^\t\t\t(\S+) = "(.*)"$', block, flags=re.M))
            want = points.get(value) if points else float(value)
            if field(block, "Symbol") != symbol:
                errors.append(f"{uri} port {index}: symbol {field(block, 'Symbol')}, not {symbol}")
            if want is None or abs(default - want) > 5e-7:
                errors.append(f"{uri} {symbol}: default {default}, the VST library starts at {value}")
        latency = ports.get(87, "")
        if "reportsLatency" not in latency or "OutputPort" not in latency:
            errors.append(f"{uri}: port 87 is not the latency output")
        audio = [i for i, b in ports.items() if "AudioPort" in b]
        if len(audio) != 2 * channels:
            errors.append(f"{uri}: {len(audio)} audio ports for {channels} channels")
        if "init1" not in info.split("Presets:")[-1].split("Port 0:")[0]:
            errors.append(f"{uri}: the program init1 is not a preset")
    return errors


def triples(path):
    """(subject, predicate, object) of a Turtle file, read strictly by serdi."""
    out = run(["serdi", "-i", "turtle", "-o", "ntriples", "file://" + os.path.abspath(path)])
    found = []
    for line in out.splitlines():
        m = re.match(r'(\S+) (\S+) (.*) \.$', line)
        if m:
            found.append(m.groups())
    return found


def check_turtle(env, bundle):
    files = sorted(glob.glob(os.path.join(bundle, "*.ttl")))
    if len(files) < 3:
        return [f"only {len(files)} Turtle files in {bundle}"]
    defined = set()
    for schema in glob.glob(os.path.join(SCHEMAS, "*.lv2", "*.ttl")):
        defined.update(s for s, _, _ in triples(schema))
    # Terms of RDF, RDFS, DOAP and FOAF are not LV2's to define.
    foreign = ("<http://www.w3.org/", "<http://usefulinc.com/", "<http://xmlns.com/")
    errors = []
    for path in files:
        for _, p, o in triples(path):
            used = [p] + ([o] if p.endswith("#type>") or p.endswith("#portProperty>") or p.endswith("#designation>")
                         or p.endswith("#unit>") or p.endswith("#optionalFeature>") else [])
            for term in used:
                if term.startswith("<") and not term.startswith(foreign) and "kestrune" not in term and term not in defined:
                    errors.append(f"{os.path.basename(path)}: {term} is defined by no LV2 schema")
    return sorted(set(errors))


def check_bench(env):
    out = run(["lv2bench", "-n", "48000"] + [], env)
    return [f"lv2bench did not run {uri}:\n{out}" for uri in URIS.values() if not re.search(rf"^\S+ {uri}$", out, re.M)]


def write_float_wav(path, channels, frames):
    body = array("f", [v for frame in frames for v in frame[:channels]]).tobytes()
    header = struct.pack("<4sI4s4sIHHIIHH4sI", b"RIFF", 36 + len(body), b"WAVE", b"fmt ", 16, 3, channels,
                         RATE, RATE * 4 * channels, 4 * channels, 32, b"data", len(body))
    with open(path, "wb") as f:
        f.write(header + body)


def check_apply(env, render, vst):
    import math
    names = {index: qualified for index, qualified, _ in parameters(render)}
    errors = []
    with tempfile.TemporaryDirectory(prefix="sorel-lv2apply-") as root:
        for channels, uri in URIS.items():
            tone = [(0.8 * math.sin(0.031 * t) * math.sin(0.0007 * t), 0.6 * math.sin(0.017 * t + 1.0))
                    for t in range(RATE)]
            source = os.path.join(root, f"in{channels}.wav")
            write_float_wav(source, channels, tone)
            applied, rendered = os.path.join(root, f"lv2-{channels}.wav"), os.path.join(root, f"vst-{channels}.wav")
            # Neither tool compensates the split band's one-sample delay, so
            # the files align as they are.
            run(["lv2apply", "-i", source, "-o", applied]
                + [a for i, v in SETTINGS for a in ("-c", names[i].replace(".", "_"), repr(v))] + [uri], env)
            run([render, "--plugin", vst, "--daw-identical", "--type", "float", "--no-report", "-q", source, "-o", rendered]
                + [a for i, v in SETTINGS for a in ("-s", f"{names[i]}={v!r}")])
            got, got_channels = read_float_wav(applied)
            want, want_channels = read_float_wav(rendered)
            dry, _ = read_float_wav(source)
            differing = sum(1 for a, b in zip(got, want) if a != b)
            print(f"{uri}: {len(want)} samples, {differing} differ")
            if got_channels != channels or want_channels != channels or len(got) != len(want) or differing:
                errors.append(f"{uri}: lv2apply and sorel-render differ ({got_channels}/{want_channels} channels, "
                              f"{len(got)}/{len(want)} samples, {differing} differ)")
            if want == dry:
                errors.append(f"{uri}: the settings left the file unchanged")
    return errors


def main():
    check, lv2_dir, render, vst = sys.argv[1:5]
    env = dict(os.environ, LV2_PATH=f"{os.path.abspath(lv2_dir)}:{SCHEMAS}")
    bundle = os.path.join(lv2_dir, "sorel.lv2")
    errors = {"describe": lambda: check_describe(env, render),
              "turtle": lambda: check_turtle(env, bundle),
              "bench": lambda: check_bench(env),
              "apply": lambda: check_apply(env, render, vst)}[check]()
    for e in errors:
        print("FAIL: " + e)
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""The LV2 bundle inside Ardour 7 (headless, dummy back-end): loaded by its
URI, given the DAW test's settings through Ardour's plug-in parameters, its
export must match sorel-render's rendering with the VST library sample for
sample (Ardour compensates the split band's reported delay; the comparison
aligns the two by their first sound, as the DAW test does). The session,
saved, is loaded again and must export the same samples.

Usage: ardour_lv2_test.py LV2-DIR VST-LIBRARY SOREL-RENDER
"""
import os
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "daw"))
import ardour_render_test as daw  # noqa: E402

URI = "urn:kestrune:sorel"


def reload_export(env, root, name):
    """Opens the saved "wet" session and exports it as `name`; a run that
    Ardour's export teardown kills is repeated, as the DAW test does."""
    cmd = ["ardour7-lua", os.path.join(HERE, "..", "daw", "session.lua"), os.path.join(root, "session-wet"),
           os.path.join(root, "export"), daw.PRESET_ID, str(daw.FRAMES), name, "reload"]
    for _ in range(daw.ATTEMPTS):
        proc = subprocess.run(cmd, env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, timeout=300)
        if proc.returncode >= 0:
            break
    if proc.returncode != 0 or f"exported {name}" not in proc.stdout:
        sys.exit(f"FAIL: reloading the session failed ({proc.returncode}):\n{proc.stdout}")
    return daw.frames_of(*daw.read_float_wav(os.path.join(root, "export", name + ".wav")))


def main():
    lv2_dir, plugin, render = (os.path.abspath(a) for a in sys.argv[1:4])
    if shutil.which("ardour7-lua") is None:
        print("SKIP: Ardour 7 is not installed (make deps installs it)")
        return 77
    root = tempfile.mkdtemp(prefix="sorel-daw-lv2-")
    try:
        empty = os.path.join(root, "vst")
        os.makedirs(empty)
        env = daw.prepare_home(root, empty)
        env["LV2_PATH"] = lv2_dir
        wet = daw.ardour_export(env, root, "wet", "lv2:" + URI)
        reloaded = reload_export(env, root, "reloaded")

        source = [tuple(daw.f32(v) for v in daw.tone(t)) for t in range(daw.FRAMES)]
        source_wav = os.path.join(root, "tone.wav")
        daw.write_float_wav(source_wav, source)
        rendered_wav = os.path.join(root, "rendered.wav")
        daw.run([render, "--plugin", plugin, "--daw-identical", "--type", "float", "--no-report", "-q", source_wav, "-o", rendered_wav]
                + [a for i, v in daw.SETTINGS for a in ("-s", f"#{i}={v!r}")])
        rendered = daw.frames_of(*daw.read_float_wav(rendered_wav))

        errors = [e for e in (daw.compare("LV2 export vs. sorel-render", wet, rendered),
                              daw.compare("reloaded session vs. first export", reloaded, wet)) if e]
        if reloaded != wet:
            errors.append("the reloaded session's export is not the first export")
        for e in errors:
            print("FAIL: " + e)
        return 1 if errors else 0
    finally:
        shutil.rmtree(root, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())

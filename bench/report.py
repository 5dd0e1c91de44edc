#!/usr/bin/env python3
"""Turns the driver's samples into the benchmark table and results.json.

    report.py <out folder> <Instalator.exe> <NSIS installer> <FloorWindow.exe> <FloorWrite.exe>

The out folder holds samples.csv and modules-<program>.txt from the driver, and
the Wine prefix, whose System32 decides what counts as a system DLL.
"""
import csv
import json
import os
import statistics
import struct
import sys

# Floors: the window program for start-up and memory, the writer for the rest.
FLOOR_NAMES = {
    "floor_window": "FloorWindow",
    "floor_write_replace": "FloorWrite replace",
    "floor_write_plain": "FloorWrite plain",
    "floor_write_exe": "FloorWrite.exe",
}


def pe_imports(path):
    """Names of the DLLs that a PE32 file imports statically."""
    data = open(path, "rb").read()
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    sections_count, optional_size = struct.unpack_from("<2xH12xH", data, pe + 4)
    optional = pe + 24
    import_rva = struct.unpack_from("<I", data, optional + 104)[0]  # PE32 data directory 1
    sections = []
    for i in range(sections_count):
        header = optional + optional_size + 40 * i
        vsize, va, rawsize, rawptr = struct.unpack_from("<4I", data, header + 8)
        sections.append((va, max(vsize, rawsize), rawptr))

    def offset(rva):
        for va, size, rawptr in sections:
            if va <= rva < va + size:
                return rawptr + rva - va
        raise ValueError("RVA outside the sections")

    names = []
    entry = offset(import_rva) if import_rva else None
    while entry is not None:
        name_rva = struct.unpack_from("<I", data, entry + 12)[0]
        if name_rva == 0:
            break
        start = offset(name_rva)
        names.append(data[start:data.index(b"\0", start)].decode("ascii"))
        entry += 20
    return names


def stats(values):
    if not values:
        return None
    q = statistics.quantiles(values, n=4, method="inclusive") if len(values) > 1 else values * 3
    figures = {"median": statistics.median(values), "q1": q[0], "q3": q[2],
               "min": min(values), "max": max(values)}
    return dict({k: round(v, 3) for k, v in figures.items()}, n=len(values))


def fixed(value):
    return stats([value])


class Samples:
    def __init__(self, out):
        self.out = out
        self.values = {}
        with open(os.path.join(out, "samples.csv"), newline="") as f:
            for row in csv.DictReader(f):
                key = (row["program"], row["figure"], row["state"])
                self.values.setdefault(key, []).append(float(row["value"]))

    def get(self, program, figure, state="-", scale=1.0):
        return stats([v * scale for v in self.values.get((program, figure, state), [])])

    def count(self, program, figure, state="-"):
        return len(self.values.get((program, figure, state), []))

    def modules(self, program):
        path = os.path.join(self.out, "modules-%s.txt" % program)
        return open(path).read().split() if os.path.exists(path) else []


def figures(samples, exes):
    """(id, label, unit, ours, nsis, floor name, floor, target) for every row."""
    def timed(figure, state, floor):
        return (samples.get("ours", figure, state), samples.get("nsis", figure, state), floor,
                samples.get(floor, figure, state))

    size = lambda exe: fixed(os.path.getsize(exe) / 1024)
    mib = 1 / 1024
    rows = [
        ("size", "size", "KiB", size(exes["ours"]), size(exes["nsis"]), "floor_write_exe",
         size(exes["floor_write"]), ("at most", 256)),
        ("startup", "start-up", "ms") + timed("startup_ms", "-", "floor_window") + (("times", 1.25),),
        ("shown", "start-up, window shown", "ms") + timed("shown_ms", "-", "floor_window") + (None,),
    ]
    for state, label in (("empty", "SZABLONY empty"), ("present", "targets present")):
        rows.append(("install_" + state, "install, " + label, "ms")
                    + timed("install_ms", state, "floor_write_replace") + (("times", 2.0),))
    for state, label in (("empty", "SZABLONY empty"), ("present", "targets present")):
        rows.append(("install_%s_plain" % state, "install, %s, vs plain" % label, "ms")
                    + timed("install_ms", state, "floor_write_plain") + (None,))
    rows += [
        ("peak_working_set", "peak working set", "MiB", samples.get("ours", "peak_ws_kib", scale=mib),
         samples.get("nsis", "peak_ws_kib", scale=mib), "floor_window",
         samples.get("floor_window", "peak_ws_kib", scale=mib), ("times", 1.5)),
        ("modules", "modules loaded at start-up", "", fixed(len(samples.modules("ours"))),
         fixed(len(samples.modules("nsis"))), "floor_window",
         fixed(len(samples.modules("floor_window"))), None),
    ]
    return rows


def ratio(a, b):
    return round(a["median"] / b["median"], 3) if a and b and b["median"] else None


def judge(fid, unit, ours, to_floor, target, foreign_imports):
    """The target's text and whether it is met (None: no target)."""
    if not target or ours is None:
        return "", None
    kind, limit = target
    if kind == "at most":
        met = ours["median"] <= limit and not (fid == "size" and foreign_imports)
        return "<= %g %s%s" % (limit, unit, ", system DLLs" if fid == "size" else ""), met
    return "<= %g x floor" % limit, to_floor is not None and to_floor <= limit


def cell(s):
    if s is None:
        return "-"
    if s["n"] == 1:
        return "%g" % round(s["median"], 1)
    return "%.1f [%.1f-%.1f]" % (s["median"], s["q1"], s["q3"])


def print_table(rows):
    header = ("figure", "ours", "NSIS", "floor", "/floor", "/NSIS", "target", "floor program")
    widths = [max(len(r[i]) for r in rows + [header]) for i in range(len(header))]
    for r in [header] + rows:
        print("  ".join(c.ljust(w) if i in (0, 6, 7) else c.rjust(w)
                        for i, (c, w) in enumerate(zip(r, widths))).rstrip())


def main():
    out = sys.argv[1]
    exes = dict(zip(("ours", "nsis", "floor_window", "floor_write"), sys.argv[2:6]))
    samples = Samples(out)
    system32 = os.path.join(out, "prefix", "drive_c", "windows", "system32")
    system_dlls = {n.lower() for n in os.listdir(system32)} if os.path.isdir(system32) else set()
    imports = {name: pe_imports(path) for name, path in exes.items()}
    foreign = [dll for dll in imports["ours"] if dll.lower() not in system_dlls]

    results, rows, wide = [], [], []
    for fid, label, unit, ours, nsis, floor_name, floor, target in figures(samples, exes):
        to_floor, to_nsis = ratio(ours, floor), ratio(ours, nsis)
        text, met = judge(fid, unit, ours, to_floor, target, foreign)
        results.append({"id": fid, "unit": unit, "ours": ours, "nsis": nsis, "floor": floor,
                        "floor_program": FLOOR_NAMES[floor_name], "ratio_to_floor": to_floor,
                        "ratio_to_nsis": to_nsis, "target": text or None, "met": met})
        verdict = "" if met is None else (": met" if met else ": MISSED")
        rows.append((label + (" (%s)" % unit if unit else ""), cell(ours), cell(nsis), cell(floor),
                     "-" if to_floor is None else "%.2f" % to_floor,
                     "-" if to_nsis is None else "%.2f" % to_nsis, text + verdict,
                     FLOOR_NAMES[floor_name]))
        if unit == "ms" and any(s and s["q3"] - s["q1"] > 0.5 * s["median"] for s in (ours, floor)):
            wide.append(label)

    modules = {p: samples.modules(p) for p in ("ours", "nsis", "floor_window")}
    with open(os.path.join(out, "results.json"), "w") as f:
        json.dump({"rounds": samples.count("ours", "startup_ms"), "figures": results,
                   "imports": imports, "modules": modules}, f, indent=1)

    print_table(rows)
    print("\nmedian [first quartile - third quartile] over %d rounds, install %d per state"
          % (samples.count("ours", "startup_ms"), samples.count("ours", "install_ms", "empty")))
    if wide:
        print("wide spread in: %s.\nOther work on this machine disturbed the run:"
              " read these figures with care, or run again on an idle machine." % "; ".join(wide))
    for name, dlls in imports.items():
        print("imports, %s: %s" % (name, " ".join(dlls)))
    if foreign:
        print("not in System32:", " ".join(foreign))
    floor_modules = {m.lower() for m in modules["floor_window"]}
    extra = [m for m in modules["ours"][1:] if m.lower() not in floor_modules]
    print("loaded by ours at start-up beyond FloorWindow:", " ".join(extra) or "nothing")
    print("written:", os.path.join(out, "results.json"))


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Sums up the figures that tools/bench collected into one table.

Usage: bench-report.py WORK-FOLDER ROUNDS BUILD-FOLDER

WORK-FOLDER holds launch64.tsv and launch32.tsv (or skip32 with the reason), the
Google Benchmark JSON files of the host programs, and lumapack32.map with the
copy of the shipped lumapack.dll that the map describes.
"""
import json
import os
import re
import statistics
import subprocess
import sys

work, rounds, build = sys.argv[1], int(sys.argv[2]), sys.argv[3]


def median(values):
    return int(statistics.median(values)) if values else None


def read_launch(bits):
    path = os.path.join(work, "launch%d.tsv" % bits)
    if not os.path.exists(path):
        return None
    samples = {}
    order = []
    with open(path) as lines:
        for line in lines:
            name, _, value = line.rstrip("\n").partition("\t")
            if name in ("bits", "round") or not value:
                continue
            if name not in samples:
                samples[name] = []
                order.append(name)
            samples[name].append(int(value))
    return {"samples": samples, "order": order}


def figure(launch, name):
    if launch is None or name not in launch["samples"]:
        return None
    values = launch["samples"][name]
    return (median(values), min(values))


def share(part, whole):
    if part is None or whole is None or not whole[0] or not whole[1]:
        return None
    return (100.0 * part[0] / whole[0], 100.0 * part[1] / whole[1])


def cell(pair, unit="us"):
    if pair is None:
        return "-"
    if unit == "%":
        return "%5.1f%% /%5.1f%%" % pair
    return "%7d /%7d" % pair


def launch_table():
    launches = {64: read_launch(64), 32: read_launch(32)}
    skip = os.path.join(work, "skip32")
    print("Launch under Wine, %d rounds side by side: median / fastest, microseconds" % rounds)
    print("%-58s %17s   %17s" % ("", "64-bit", "32-bit"))

    def row(label, values, unit="us"):
        print("%-58s %17s   %17s" % (label, cell(values[64], unit), cell(values[32], unit)))

    def get(name):
        return {bits: figure(launches[bits], name) for bits in launches}

    bare = get("bare start")
    load = get("lumapack.dll load")
    work_total = get("launcher work")
    row("bare start of quendra3.exe (library returns at once)", bare)
    row("lumapack.dll load (load call to start_launcher)", load)
    row("  share of the bare start (goal: at most 10%)", {b: share(load[b], bare[b]) for b in bare}, "%")
    row("launcher work (start_launcher to the JVM request)", work_total)
    row("  share of the bare start", {b: share(work_total[b], bare[b]) for b in bare}, "%")
    print("launcher work by phase (the phase program: the library's functions in launch order)")
    names = []
    for launch in launches.values():
        if launch:
            names += [n for n in launch["order"] if n.startswith("phase ") and n not in names]
    def summed(chosen):
        sums = {b: None for b in launches}
        for bits, launch in launches.items():
            if launch and chosen:
                count = len(launch["samples"][chosen[0]])
                per_round = [sum(launch["samples"][n][i] for n in chosen) for i in range(count)]
                sums[bits] = (median(per_round), min(per_round))
        return sums

    for name in names:
        row("  " + name[len("phase "):], get(name))
    all_phases = summed(names)
    row("  all phases", all_phases)
    row("  all phases but the JVM library's own load", summed([n for n in names if n != "phase JVM library load"]))
    unattributed = {}
    for bits in launches:
        w, p = work_total[bits], all_phases[bits]
        unattributed[bits] = (w[0] - p[0], w[1] - p[1]) if w and p else None
    row("  launcher work in no phase (work less all phases)", unattributed)
    row("import scan of a 20 MB image (mapped file)", get("import scan of a 20 MB image"))
    if os.path.exists(skip):
        with open(skip) as reason:
            print("32-bit: skipped, %s; run tools/bench on a machine whose kernel runs 32-bit code." %
                  reason.read().strip())


def read_benchmarks(name):
    path = os.path.join(work, name + ".json")
    runs = {}
    with open(path) as data:
        for run in json.load(data)["benchmarks"]:
            if run.get("run_type") != "iteration":
                continue
            runs.setdefault(run["run_name"], []).append(run)
    return runs


def nanoseconds(run, key):
    value = run["per_line"] * 1e9 if key == "per_line" else run["cpu_time"]
    if key != "per_line":
        scale = {"ns": 1, "us": 1e3, "ms": 1e6, "s": 1e9}[run["time_unit"]]
        value *= scale
    return value


def host_table():
    print()
    print("Host benchmarks (clang, optimised, no sanitizers; CPU time): median / fastest of 5 repetitions")
    config = read_benchmarks("config_benchmark")
    print("%-40s %19s %19s %19s" % ("configuration, nanoseconds per line", "100 lines", "1,000 lines", "10,000 lines"))
    for label, family in (("decode UTF-8 text into lines", "DecodeLines"), ("load the lines into sections", "Load"),
                          ("look every key up", "LookUpEveryKey")):
        cells = []
        for size in (100, 1000, 10000):
            values = [nanoseconds(r, "per_line") for r in config.get("%s/%d" % (family, size), [])]
            cells.append("%8.0f /%8.0f" % (statistics.median(values), min(values)) if values else "-")
        print("%-40s %19s %19s %19s" % ("  " + label, *cells))
    launch = read_benchmarks("launch_benchmark")
    for label, name, divisor, unit in (
            ("import scan of a 20 MB image in memory", "ImportScanOfA20MegabyteImage", 1, "ns"),
            ("macro expansion of the large package's 120 options", "MacroExpansionOfAPackage", 1000, "us"),
            ("JVM option array of the large package (126 options)", "JvmOptionArrayOfAPackage", 1000, "us")):
        values = [nanoseconds(r, "cpu_time") / divisor for r in launch.get(name, [])]
        if values:
            print("%-58s %8.1f /%8.1f %s" % ("  " + label, statistics.median(values), min(values), unit))


def image_path(bits, name):
    return os.path.join(build, "win%d" % bits, "bin", name)


def sections(path, bits):
    objdump = "i686-w64-mingw32-objdump" if bits == 32 else "x86_64-w64-mingw32-objdump"
    dump = subprocess.run([objdump, "-h", path], capture_output=True, text=True, check=True).stdout
    found = []
    for match in re.finditer(r"^\s*\d+\s+(\S+)\s+([0-9a-f]+)\s", dump, re.M):
        found.append((match.group(1), int(match.group(2), 16)))
    return found


def origin(source):
    """The library an input file of the link belongs to, and its member."""
    if source == "dll stuff":
        return "linker-made export table and relocations", "export table and relocations"
    member = re.match(r"(.*)\((.*)\)$", source)
    archive, name = (member.group(1), member.group(2)) if member else (source, os.path.basename(source))
    base = os.path.basename(archive)
    if "lumapack" in base or base.endswith(".obj"):
        return "lumapack's own code", name
    if base.startswith("libstdc++"):
        return "libstdc++", name
    if base.startswith("libgcc"):
        return "libgcc", name
    if base in ("libpthread.a", "libwinpthread.a"):
        return "winpthread", name
    if base in ("libmingw32.a", "libmingwex.a", "libmoldname.a", "libmsvcrt.a") or base.endswith(".o"):
        return "MinGW C runtime", name
    return "import stubs (%s)" % base, name


# Symbol groups by the mangled names of the input sections, and for the parts of
# libstdc++ that carry no name, by the object they come from.
GROUPS = [
    ("regular expressions (std::regex)", re.compile(r"regex|_Executor|_Compiler|_Scanner|_NFA|_BracketMatcher|"
                                                    r"_StateSeq|_RegexTranslator|sub_match|match_results")),
    ("iostreams and locale", re.compile(r"locale|ctype|codecvt|ios_base|basic_ios|stream|num_get|num_put|"
                                        r"moneypunct|money_get|money_put|time_get|time_put|messages|collate|"
                                        r"numpunct|__timepunct")),
    ("strings", re.compile(r"basic_string|string-inst|char_traits")),
    ("maps (red-black trees)", re.compile(r"_Rb_tree|tree\.o")),
    ("exceptions and unwinding", re.compile(r"(^|\s)eh_|unwind|cxa|exception|stdexcept|functexcept")),
]


def group_of(section, name):
    # A section of one function or object carries its mangled name after a "$";
    # plain sections (.text, .eh_frame) go by the object they come from.
    symbol = section.split("$", 1)[1] if "$" in section else ""
    text = symbol + " " + name
    for label, pattern in GROUPS:
        if pattern.search(text):
            return label
    return "everything else"


def read_map(path, present):
    """Input sections of the link (output section, input section, size, source) in the image."""
    contributions = []
    output = None
    pending = None
    with open(path, errors="replace") as lines:
        started = False
        for line in lines:
            if not started:
                started = line.startswith("Linker script and memory map")
                continue
            head = re.match(r"^(\.\S+|/DISCARD/)(\s+0x[0-9a-f]+\s+0x[0-9a-f]+)?", line)
            if head:
                # An image keeps eight characters of a section name.
                output = head.group(1)[:8]
                pending = None
                continue
            entry = re.match(r"^ (\.\S+|COMMON)\s+0x[0-9a-f]+\s+0x([0-9a-f]+)\s+(\S.*)$", line)
            if entry is None and pending is not None:
                entry = re.match(r"^\s+0x[0-9a-f]+\s+0x([0-9a-f]+)\s+(\S.*)$", line)
                if entry:
                    contributions.append((output, pending, int(entry.group(1), 16), entry.group(2).strip()))
                pending = None
                continue
            pending = None
            if entry:
                if output in present:
                    contributions.append((output, entry.group(1), int(entry.group(2), 16), entry.group(3).strip()))
                continue
            name_only = re.match(r"^ (\.\S+)\s*$", line)
            if name_only and output in present:
                pending = name_only.group(1)
    return contributions


def print_largest(title, totals, count, whole):
    print(title)
    for name, size in sorted(totals.items(), key=lambda item: -item[1])[:count]:
        print("  %-60s %9d  %5.1f%%" % (name[:60], size, 100.0 * size / whole))


def size_table():
    print()
    print("Image sizes, bytes")
    for bits, name, shipped in ((32, "quendra3.exe", True), (32, "lumapack.dll", True),
                                (64, "quendra3shell.dll", True), (64, "pennaroo.dll", True),
                                (64, "quendra3.exe", False), (64, "lumapack.dll", False)):
        path = image_path(bits, name)
        size = os.path.getsize(path) if os.path.exists(path) else None
        print("  %-40s %9s" % ("%s (%d-bit%s)" % (name, bits, "" if shipped else ", not shipped"),
                               size if size is not None else "-"))
    shipped = image_path(32, "lumapack.dll")
    present = dict(sections(shipped, 32))
    print("lumapack.dll (32-bit) by section")
    for name, size in sections(shipped, 32):
        print("  %-10s %9d" % (name, size))
    mapped = os.path.join(work, "map32", "bin", "lumapack.dll")
    map_file = os.path.join(work, "map32", "lumapack.map")
    if not os.path.exists(map_file):
        print("lumapack.dll: no map file (the separate link failed)")
        return
    with open(shipped, "rb") as a, open(mapped, "rb") as b:
        same = a.read() == b.read()
    contributions = [c for c in read_map(map_file, present) if c[0] != ".bss"]
    whole = sum(c[2] for c in contributions)
    libraries, objects, groups = {}, {}, {}
    for output, section, size, source in contributions:
        library, member = origin(source)
        libraries[library] = libraries.get(library, 0) + size
        key = "%s: %s" % ("lumapack" if library == "lumapack's own code" else library, member)
        objects[key] = objects.get(key, 0) + size
        group = group_of(section, member)
        groups[group] = groups.get(group, 0) + size
    print("lumapack.dll (32-bit) from its map file (a second link of the same inputs, %s the shipped image);" %
          ("byte for byte" if same else "NOT byte for byte"))
    print("  %d bytes of sections with contents, apart from the headers and the linker's own tables" % whole)
    print_largest("by origin", libraries, 10, whole)
    print_largest("largest objects", objects, 15, whole)
    print_largest("by symbol group (all origins)", groups, 10, whole)


launch_table()
host_table()
size_table()

#!/usr/bin/env python3
"""Applies each fault of faults.txt alone to a scratch copy of the tree, rebuilds, runs the tests
and records which of them failed: a measure of what the tests catch, not part of the test command.

    python3 tests/faults/replay.py                  every window-free fault, native unit tests
    python3 tests/faults/replay.py --wine           every fault, also the Windows and end-to-end
                                                    tests of the 64-bit build under Wine
    python3 tests/faults/replay.py --only a,b       only the faults named (results to stdout)
    python3 tests/faults/replay.py --wine --tests R only the Wine tests whose names match R
    python3 tests/faults/replay.py --wine --tests auto  each fault's Wine run only the tests of
                                                    its part (TESTS_BY_SUBSYSTEM)
    python3 tests/faults/replay.py --faults F       another list, e.g. independent.txt (its
                                                    results files are named after it)
    python3 tests/faults/replay.py --combine A B -o C   one results file of several (a fault is
                                                    caught when any of them caught it)
    python3 tests/faults/replay.py --compare OLD NEW  faults caught in OLD but not in NEW

The scratch copy (default /tmp/tamsi-faults) keeps its build trees between runs, so a replay
rebuilds only what a fault touches. The tree itself is never changed.
"""
import argparse
import datetime
import os
import shutil
import subprocess
import sys

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
HERE = os.path.dirname(os.path.abspath(__file__))
FIELDS = ("subsystem", "file", "what", "original", "faulty")
# "noticed = no" marks a fault a user would not notice in normal use (defensive code for
# damaged input, a leak, a rare failure); every other fault is one a user would notice.
OPTIONAL = ("noticed",)


def Unescape(text):
    out, i = [], 0
    while i < len(text):
        if text[i] == "\\" and i + 1 < len(text) and text[i + 1] in "n\\":
            out.append("\n" if text[i + 1] == "n" else "\\")
            i += 2
        else:
            out.append(text[i])
            i += 1
    return "".join(out)


def ReadFaults(path):
    faults, current = [], None
    for number, line in enumerate(open(path, encoding="utf-8"), 1):
        line = line.rstrip("\n")
        if not line.strip() or line.startswith("#"):
            continue
        if line.startswith("[") and line.endswith("]"):
            current = {"name": line[1:-1], "line": number}
            faults.append(current)
            continue
        key, sep, value = line.partition(" = ")
        if not sep or current is None or key not in FIELDS + OPTIONAL:
            sys.exit(f"{path}:{number}: expected 'key = value' with key one of {FIELDS + OPTIONAL}")
        current[key] = Unescape(value) if key in ("original", "faulty") else value
    for fault in faults:
        missing = [key for key in FIELDS if key not in fault]
        if missing:
            sys.exit(f"{path}:{fault['line']}: [{fault['name']}] lacks {', '.join(missing)}")
    names = [fault["name"] for fault in faults]
    if len(set(names)) != len(names):
        sys.exit(f"{path}: a fault name is used twice")
    return faults


def IsWindowsCode(fault):
    return fault["file"].endswith("_win.cpp") or fault["file"].startswith("resources/")


# With --tests auto, the Wine tests run for a fault of each subsystem: every Windows test (they
# are quick) and the end-to-end tests that reach that part of the program.
TESTS_BY_SUBSYSTEM = {
    "app": r"^win\.|^e2e\.(ProgramFolder|Startup)\.",
    "monitor": r"^win\.|^e2e\.(Startup|ProgrammedPiece)\.",
    "display": r"^win\.|^e2e\.ProgramFolder\.",
    "settings": r"^win\.|^e2e\.ProgramFolder\.",
    "log": r"^win\.|^e2e\.RowingLog\.",
    "print": r"^win\.|^e2e\.RowingLog\.",
    "upload": r"^win\.|^e2e\.RowingLog\.",
    "logbook": r"^win\.|^e2e\.Logbook\.",
}


def SnippetProblem(fault):
    """Why the fault cannot be applied to the tree as it stands, or None."""
    path = os.path.join(ROOT, fault["file"])
    if not os.path.isfile(path):
        return "no such file"
    occurrences = open(path, encoding="utf-8").read().count(fault["original"])
    return None if occurrences == 1 else f"the original snippet occurs {occurrences} times"


def Run(command, cwd, log, env=None):
    with open(log, "w") as out:
        return subprocess.run(command, cwd=cwd, stdout=out, stderr=subprocess.STDOUT, env=env).returncode


def SyncScratch(scratch):
    """Copies the tree's files (committed or not, ignored ones left out) where they differ, so
    that unchanged files keep their times and the build stays incremental."""
    listing = subprocess.run(["git", "ls-files", "-z", "--cached", "--others", "--exclude-standard"],
                             cwd=ROOT, check=True, capture_output=True).stdout.decode()
    files = [name for name in listing.split("\0") if name and os.path.isfile(os.path.join(ROOT, name))]
    for name in files:
        source, target = os.path.join(ROOT, name), os.path.join(scratch, name)
        data = open(source, "rb").read()
        if os.path.exists(target) and open(target, "rb").read() == data:
            continue
        os.makedirs(os.path.dirname(target), exist_ok=True)
        # A fresh time, so that the build sees the change even if the copy is older than its objects.
        shutil.copyfile(source, target)
        shutil.copymode(source, target)
    manifest = os.path.join(scratch, ".replay-files")
    if os.path.exists(manifest):
        for name in set(open(manifest).read().split("\0")) - set(files):
            if name and os.path.isfile(os.path.join(scratch, name)):
                os.remove(os.path.join(scratch, name))
    with open(manifest, "w") as out:
        out.write("\0".join(files))


class Tree:
    """One build tree of the scratch copy and the tests run in it."""

    def __init__(self, scratch, name, configure, wine, tests=None):
        self.scratch, self.name, self.wine, self.tests = scratch, name, wine, tests
        self.build = os.path.join(scratch, "build", name)
        self.configure = configure
        self.log = os.path.join(scratch, "build", f"replay-{name}.log")

    def Build(self):
        os.makedirs(self.build, exist_ok=True)
        command = ["cmake", "-S", self.scratch, "-B", self.build, "-G", "Ninja"] + self.configure
        if Run(command, self.scratch, self.log) != 0:
            return False
        return Run(["cmake", "--build", self.build, "--", "-j2"], self.scratch, self.log) == 0

    def FailedTests(self, fault=None):
        if not self.wine:
            failed = self.FailedUnitTests(fault)
            if failed is not None:
                return failed
        failed_log = os.path.join(self.build, "Testing", "Temporary", "LastTestsFailed.log")
        if os.path.exists(failed_log):
            os.remove(failed_log)
        ctest = ["ctest", "--test-dir", self.build, "--timeout", "300"]
        tests = self.tests
        if tests == "auto":
            # Without a fault (the baseline): every test that some fault's run includes.
            tests = (None if not self.wine else TESTS_BY_SUBSYSTEM.get(fault["subsystem"]) if fault
                     else "|".join(sorted(set(TESTS_BY_SUBSYSTEM.values()))))
        if tests:
            ctest += ["-R", tests]
        if self.wine:
            # The Windows tests need Wine, a prefix and a screen of their own, as in test.sh.
            env = dict(os.environ, WINEPREFIX=os.path.join(self.scratch, "build", "wine-prefix"),
                       TAMSI_OWN_SCREEN="1")
            env.pop("DISPLAY", None)
            script = ('. scripts/printer.sh; . scripts/wine-env.sh; "$@"; status=$?; wineserver -k 2>/dev/null; '
                      '[ -n "${TAMSI_XVFB_PID:-}" ] && kill "$TAMSI_XVFB_PID" 2>/dev/null; exit $status')
            status = Run(["bash", "-c", script, "wine-tests"] + ctest, self.scratch, self.log, env)
        else:
            status = Run(ctest + ["-j2"], self.scratch, self.log)
        if status == 0:
            return []
        if not os.path.exists(failed_log):
            return [f"{self.name}: ctest failed without a test result (see {self.log})"]
        return [line.strip().split(":", 1)[1] for line in open(failed_log) if ":" in line]


    def FailedUnitTests(self, fault=None):
        """The native unit tests in one process, far faster than CTest's process per test. None
        when that says nothing (the program crashed): CTest then names the failing tests. With
        --tests auto, the catalog's test of 5001 files runs for faults of the log only."""
        program = os.path.join(self.build, "tests", "unit_tests")
        if not os.path.exists(program):
            return None
        command = [program]
        if self.tests == "auto" and fault is not None and fault["subsystem"] != "log":
            command.append("--gtest_filter=-LogCatalog.*")
        with open(self.log, "w") as out:
            try:
                run = subprocess.run(command, cwd=os.path.dirname(program), stdout=subprocess.PIPE,
                                     stderr=out, text=True, errors="replace", timeout=600)
            except subprocess.TimeoutExpired:
                return None
            out.write(run.stdout)
        failed = sorted({"unit." + line.split()[3].rstrip(",") for line in run.stdout.splitlines()
                         if line.startswith("[  FAILED  ] ") and len(line.split()) > 3
                         and "." in line.split()[3]})
        if run.returncode == 0:
            return []
        if failed and "[  PASSED  ]" in run.stdout:
            return failed
        return None


def Replay(fault, scratch, trees, baseline):
    path = os.path.join(scratch, fault["file"])
    if not os.path.exists(path):
        return "NOT-APPLIED", ["no such file"]
    original_text = open(path, encoding="utf-8").read()
    occurrences = original_text.count(fault["original"])
    if occurrences != 1:
        return "NOT-APPLIED", [f"the original snippet occurs {occurrences} times"]
    try:
        with open(path, "w", encoding="utf-8") as out:
            out.write(original_text.replace(fault["original"], fault["faulty"]))
        failed = []
        for tree in trees:
            # Nothing native is built from Windows code: its native tests cannot change.
            if IsWindowsCode(fault) and not tree.wine:
                continue
            if not tree.Build():
                return "BUILD-FAILED", [f"{tree.name} (see {tree.log})"]
            failed += [test for test in tree.FailedTests(fault) if test not in baseline]
    finally:
        with open(path, "w", encoding="utf-8") as out:
            out.write(original_text)
    return ("CAUGHT" if failed else "MISSED"), failed


def MergeResults(path, faults, replayed):
    """The results file's earlier lines for every fault of the list, with the replayed ones new."""
    by_name = {fault["name"]: fault for fault in faults}
    earlier = {}
    for line in open(path):
        if line.startswith("#") or not line.strip():
            continue
        fields = line.split()
        if fields[0] in by_name:
            earlier[fields[0]] = (by_name[fields[0]], fields[2], fields[3:])
    for fault, result, failed in replayed:
        earlier[fault["name"]] = (fault, result, failed)
    return [earlier[fault["name"]] for fault in faults if fault["name"] in earlier]


def Summary(results, trees_named):
    lines = []
    replayed = [(fault, result) for fault, result, _ in results if result in ("CAUGHT", "MISSED")]
    caught = sum(1 for _, result in replayed if result == "CAUGHT")
    share = f" ({100 * caught // len(replayed)} %)" if replayed else ""
    lines.append(f"# Tests run: {trees_named}. Caught {caught} of {len(replayed)} faults replayed{share}.")
    others = {}
    for _, result, _ in results:
        if result not in ("CAUGHT", "MISSED"):
            others[result] = others.get(result, 0) + 1
    if others:
        lines.append("# Not replayed: " + ", ".join(f"{n} {what}" for what, n in sorted(others.items())))
    by_subsystem = {}
    for fault, result in replayed:
        counts = by_subsystem.setdefault(fault["subsystem"], [0, 0])
        counts[0] += result == "CAUGHT"
        counts[1] += 1
    noticed = [result for fault, result in replayed if fault.get("noticed", "yes") != "no"]
    if noticed:
        caught_noticed = noticed.count("CAUGHT")
        lines.append(f"# Faults a user would notice: caught {caught_noticed} of {len(noticed)} "
                     f"({100 * caught_noticed // len(noticed)} %).")
    lines.append("# By subsystem: " + ", ".join(
        f"{name} {c}/{n}" for name, (c, n) in sorted(by_subsystem.items())))
    return lines


def ReadResults(path, by_name):
    results = {}
    for line in open(path):
        fields = line.split()
        if fields and not line.startswith("#") and fields[0] in by_name:
            results[fields[0]] = (fields[2], fields[3:])
    return results


def Combine(paths, out_path, faults):
    by_name = {fault["name"]: fault for fault in faults}
    # A fault caught anywhere is caught; one replayed and missed beats one not replayed there.
    rank = {"CAUGHT": 2, "MISSED": 1}
    merged = {}
    for path in paths:
        for name, (result, failed) in ReadResults(path, by_name).items():
            old_result, old_failed = merged.get(name, (None, []))
            if old_result is None or rank.get(result, 0) > rank.get(old_result, 0):
                merged[name] = (result, old_failed + failed if result == "CAUGHT" else failed)
            elif result == old_result == "CAUGHT":
                merged[name] = (result, old_failed + failed)
    results = [(fault, *merged[fault["name"]]) for fault in faults if fault["name"] in merged]
    lines = [f"# Combined from {', '.join(os.path.basename(path) for path in paths)}."]
    lines += Summary(results, "all of those")
    lines += [f"{fault['name']:40} {fault['subsystem']:9} {result:12} {' '.join(failed)}".rstrip()
              for fault, result, failed in results]
    with open(out_path, "w") as out:
        out.write("\n".join(lines) + "\n")
    print("\n".join(lines[:4]))


def Compare(old_path, new_path, faults):
    by_name = {fault["name"]: fault for fault in faults}
    old, new = ReadResults(old_path, by_name), ReadResults(new_path, by_name)
    lost = [name for name, (result, _) in old.items() if result == "CAUGHT" and new.get(name, ("",))[0] != "CAUGHT"]
    gained = [name for name, (result, _) in new.items() if result == "CAUGHT" and old.get(name, ("",))[0] != "CAUGHT"]
    print(f"Caught before but not after: {', '.join(lost) or 'none'}")
    print(f"Caught after but not before: {', '.join(gained) or 'none'}")
    sys.exit(1 if lost else 0)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--wine", action="store_true", help="also run the 64-bit build's tests under Wine")
    parser.add_argument("--only", help="comma-separated fault names")
    parser.add_argument("--tests", metavar="REGEX", help="with --wine: only the Wine tests matching this "
                        "('auto': those of each fault's subsystem)")
    parser.add_argument("--windows-only", action="store_true",
                        help="with --wine: only the faults in Windows code (window-free ones natively only)")
    parser.add_argument("--faults", default=os.path.join(HERE, "faults.txt"))
    parser.add_argument("--scratch", default="/tmp/tamsi-faults")
    parser.add_argument("--results", help="results file (default results-native.txt or results-wine.txt "
                        "beside the list; with --only, standard output)")
    parser.add_argument("--update", action="store_true",
                        help="with --only: replace those faults' lines in the results file, keep the rest")
    parser.add_argument("--check", action="store_true", help="only check that every fault applies")
    parser.add_argument("--combine", nargs="+", metavar="RESULTS", help="combine results files (with -o)")
    parser.add_argument("-o", dest="output", help="where --combine writes")
    parser.add_argument("--compare", nargs=2, metavar=("OLD", "NEW"), help="compare two results files")
    args = parser.parse_args()

    faults = ReadFaults(args.faults)
    if args.combine:
        sys.exit(Combine(args.combine, args.output or "/dev/stdout", faults))
    if args.compare:
        Compare(args.compare[0], args.compare[1], faults)
    if args.check:
        problems = [(fault["name"], SnippetProblem(fault)) for fault in faults]
        for name, problem in problems:
            if problem:
                print(f"{name}: {problem}")
        print(f"{len(faults)} faults, {sum(1 for _, p in problems if not p)} apply to the tree")
        sys.exit(1 if any(p for _, p in problems) else 0)
    if args.only:
        wanted = args.only.split(",")
        unknown = set(wanted) - {fault["name"] for fault in faults}
        if unknown:
            sys.exit(f"no such fault: {', '.join(sorted(unknown))}")
        by_name = {fault["name"]: fault for fault in faults}
        faults = [by_name[name] for name in wanted]  # in the order asked for

    os.makedirs(args.scratch, exist_ok=True)
    SyncScratch(args.scratch)
    native = Tree(args.scratch, "native", [], wine=False, tests=args.tests)
    win64 = Tree(args.scratch, "win64",
                 ["-DCMAKE_TOOLCHAIN_FILE=" + os.path.join(args.scratch, "cmake", "mingw-x86_64.cmake")],
                 wine=True, tests=args.tests)
    trees = [win64] if args.wine and args.windows_only else [native, win64] if args.wine else [native]

    # Tests that fail without any fault say nothing about one.
    baseline = set()
    for tree in trees:
        if not tree.Build():
            sys.exit(f"the unchanged tree does not build in {tree.build} (see {tree.log})")
        baseline.update(tree.FailedTests())
    if baseline:
        print("Failing without a fault (left out of the results):", ", ".join(sorted(baseline)))

    results = []
    for fault in faults:
        problem = SnippetProblem(fault)
        if problem:
            print(f"{fault['name']}: NOT-APPLIED {problem}", flush=True)
            results.append((fault, "NOT-APPLIED", [problem]))
            continue
        if IsWindowsCode(fault) and not args.wine:
            results.append((fault, "WINDOWS-CODE", ["replayed with --wine only"]))
            continue
        if not IsWindowsCode(fault) and args.windows_only:
            results.append((fault, "WINDOW-FREE", ["replayed natively"]))
            continue
        result, failed = Replay(fault, args.scratch, trees, baseline)
        print(f"{fault['name']}: {result} {' '.join(failed)}", flush=True)
        results.append((fault, result, failed))
        # Written after every fault, so that a long replay cut short still leaves its results.
        WriteResults(args, results, baseline, len(faults))
    # Leave the scratch trees built from the unchanged sources again.
    for tree in trees:
        tree.Build()
    WriteResults(args, results, baseline, len(faults), last=True)


def WriteResults(args, results, baseline, total, last=False):
    results_path = args.results
    if not results_path and (not args.only or args.update):
        kind = "wine" if args.wine else "native"
        stem = os.path.splitext(os.path.basename(args.faults))[0]
        prefix = "results" if stem == "faults" else f"results-{stem}"
        results_path = os.path.join(HERE, f"{prefix}-{kind}.txt")
    if args.update and results_path and os.path.exists(results_path):
        results = MergeResults(results_path, ReadFaults(args.faults), results)

    commit = subprocess.run(["git", "rev-parse", "--short", "HEAD"], cwd=ROOT,
                            capture_output=True, text=True).stdout.strip()
    trees_named = " and ".join(
        ["native unit tests"] + (["64-bit Windows and end-to-end tests under Wine"] if args.wine else []))
    lines = [f"# Fault replay of {commit} on {datetime.date.today()} ({os.path.basename(args.faults)})."]
    if not last and not args.update:
        lines.append(f"# Unfinished: {len(results)} of {total} faults so far.")
    lines += Summary(results, trees_named)
    if baseline:
        lines.append("# Failing without a fault: " + ", ".join(sorted(baseline)))
    for fault, result, failed in results:
        lines.append(f"{fault['name']:40} {fault['subsystem']:9} {result:12} {' '.join(failed)}".rstrip())
    text = "\n".join(lines) + "\n"

    if results_path:
        with open(results_path, "w") as out:
            out.write(text)
    if last:
        if results_path:
            print(f"Results: {results_path}")
        print(text if not results_path else "\n".join(Summary(results, trees_named)), end="\n")


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Mutation testing of the core: applies single-line faults one at a time, rebuilds the core tests
incrementally, runs them and reports the faults that no test caught.

Usage: scripts/mutate.py [--list scripts/mutants.txt] [--build build/mutate] [--only N[,M...]] [--grep TEXT]

Each line of the list reads `path :: original ==> replacement`. The original must occur exactly once in
the file, so a fault that no longer matches the code is reported as stale instead of being applied
somewhere else. Lines starting with # are comments. The build directory is an ordinary non-sanitized
build (configured here when it is missing) so that a fault costs one file's compile and a quick test run.
The source file is put back after every fault, also on Ctrl+C, on a failed build and on errors.
"""
import argparse
import os
import pathlib
import signal
import subprocess
import sys
import time

ROOT = pathlib.Path(__file__).resolve().parent.parent
TARGET = "quill_core_tests"


class Mutant:
    def __init__(self, number, path, original, replacement):
        self.number, self.path, self.original, self.replacement = number, path, original, replacement

    def __str__(self):
        return f"#{self.number} {self.path}: {self.original.strip()!r} -> {self.replacement.strip()!r}"


def read_list(path):
    mutants = []
    for lineno, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        if not line.strip() or line.lstrip().startswith("#"):
            continue
        try:
            where, change = line.split(" :: ", 1)
            original, replacement = change.split(" ==> ", 1)
        except ValueError:
            sys.exit(f"{path}:{lineno}: expected 'path :: original ==> replacement'")
        mutants.append(Mutant(len(mutants) + 1, where.strip(), original, replacement))
    return mutants


def run(cmd, timeout):
    try:
        return subprocess.run(cmd, cwd=ROOT, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                              timeout=timeout).returncode
    except subprocess.TimeoutExpired:
        return "timeout"


def build(build_dir):
    return run(["cmake", "--build", str(build_dir), "-j2", "--target", TARGET], 1800)


def test(build_dir):
    exe = build_dir / "tests" / TARGET
    return run([str(exe), "--gtest_fail_fast", "--gtest_brief=1"], 120)


class Restorer:
    """Keeps the original bytes of the file under mutation and puts them back whatever happens."""

    def __init__(self):
        self.path = None
        self.original = None

    def hold(self, path, data):
        self.path, self.original = path, data

    def restore(self):
        if self.path is not None:
            self.path.write_bytes(self.original)
            self.path = None


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--list", default=str(ROOT / "scripts" / "mutants.txt"))
    parser.add_argument("--build", default=str(ROOT / "build" / "mutate"))
    parser.add_argument("--only", help="comma-separated mutant numbers")
    parser.add_argument("--grep", help="only mutants whose line contains this text")
    args = parser.parse_args()

    mutants = read_list(pathlib.Path(args.list))
    if args.only:
        wanted = {int(n) for n in args.only.split(",")}
        mutants = [m for m in mutants if m.number in wanted]
    if args.grep:
        mutants = [m for m in mutants if args.grep in str(m)]

    build_dir = pathlib.Path(args.build)
    if not (build_dir / "CMakeCache.txt").exists():
        subprocess.run(["cmake", "-S", str(ROOT), "-B", str(build_dir), "-DCMAKE_BUILD_TYPE=Release",
                        "-DCMAKE_CXX_FLAGS_RELEASE=-O1 -DNDEBUG", "-DQUILL_BUILD_UI=OFF"],
                       check=True, stdout=subprocess.DEVNULL)

    restorer = Restorer()

    def on_signal(signum, _frame):
        restorer.restore()
        sys.exit(128 + signum)

    signal.signal(signal.SIGINT, on_signal)
    signal.signal(signal.SIGTERM, on_signal)

    if build(build_dir) != 0 or test(build_dir) != 0:
        sys.exit("the unmutated core tests do not build and pass; nothing to measure")

    caught, survived, stale, broken = [], [], [], []
    started = time.time()
    try:
        for m in mutants:
            path = ROOT / m.path
            data = path.read_bytes()
            text = data.decode("utf-8")
            if text.count(m.original) != 1:
                stale.append(m)
                print(f"STALE    {m}", flush=True)
                continue
            restorer.hold(path, data)
            path.write_bytes(text.replace(m.original, m.replacement).encode("utf-8"))
            t0 = time.time()
            if build(build_dir) != 0:
                verdict = "NOBUILD"
                broken.append(m)
            elif test(build_dir) == 0:
                verdict = "SURVIVED"
                survived.append(m)
            else:
                verdict = "caught"
                caught.append(m)
            restorer.restore()
            print(f"{verdict:8} {m} ({time.time() - t0:.0f} s)", flush=True)
    finally:
        restorer.restore()

    viable = len(caught) + len(survived)
    score = 100.0 * len(caught) / viable if viable else 0.0
    print(f"\n{len(caught)} of {viable} faults caught ({score:.1f} %), {len(stale)} stale, "
          f"{len(broken)} not building, {time.time() - started:.0f} s")
    for m in survived:
        print(f"  survived: {m}")
    for m in stale + broken:
        print(f"  fix the list: {m}")
    # Leave the build matching the untouched sources.
    build(build_dir)
    return 0 if not stale and not broken else 1


if __name__ == "__main__":
    sys.exit(main())

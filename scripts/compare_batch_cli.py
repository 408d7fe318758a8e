#!/usr/bin/env python3
"""Runs a few hundred generated command lines through two builds of kelvaro-batch and
compares what each prints (standard output, error output, exit status) byte for byte,
and the files it leaves. Every file is written inside one temporary folder.

Usage: scripts/compare_batch_cli.py OLD_BINARY NEW_BINARY [COUNT]
"""
import os
import random
import shutil
import subprocess
import sys
import tempfile

PLAIN = {
    "--gene": ["AAT", "", "aßc", "AAAAATTTTTC", "ääääääääää", "--help"],
    "--generations": ["3", "0", "-5", "abc", " 5 ", ""],
    "--mutation-rate": ["3", "2,5", "2.5", "x", "1e400"],
    "--mutation-limit": ["30", "x", "5"],
    "--kill-factor": ["1", "0,5", "1E39", "z"],
    "--seed": ["0", "1", "4294967295", "4294967296", "-1", "", "x"],
    "--decimal-separator": [",", ".", ";", ":", "7", ",,", "", "·", " ", "E"],
    "--format": ["memo", "csv", "json", ""],
}
STUDY = {
    "--replicates": ["1", "2", "0", "-1", "x", "2147483648", ""],
    "--sweep": ["kill-factor=1;2", "gene=A;C", "generations=2:4:1", "mutation-rate=1:2:0,5", "mutation-rate=1:2:0.5",
                "speed=1", "kill-factor=1;x", "gene=A;AAAAATTTTTC", "generations=10:1:1", "mutation-rate=0:1:0",
                "kill-factor", "", "mutation-limit=1:1000000:1", "generations=3;x", "gene=acgt;;GG"],
    "--every": ["1", "2", "0", "x"],
    "--output": ["t.csv", "t.csv.gz", "-", "nodir/t.csv", "", "adir"],
    "--summary": ["s.csv", "-", "", "t.csv"],
    "--jobs": ["1", "2", "0", "x"],
    "--shard": ["1/2", "2/2", "0/2", "3/2", "x", "1/x", "1"],
    "--plot": ["p.png", "p.svg", "-", "nodir/p.png", "adir"],
    "--compare": ["c.png", "c.pdf", "-"],
    "--size": ["100x80", "100×80", "0x5", "20000x5", "5*5", "x", ""],
}
FLAGS = ["--paired", "--dry-run", "--yes", "--resume", "--3d", "--help"]
UNKNOWN = ["--bogus", "-x", "generations", "", "merge", "--", "--=x", "--allow-partial", "--help=1", "--3d=1",
           "--yes=no", "--Seed"]
MERGE_VALUES = {
    "--output": ["m.csv", "-", "nodir/m.csv", "adir"],
    "--summary": ["ms.csv", "-", "m.csv"],
    "--plot": ["mp.png", "-"],
    "--compare": ["mc.png"],
    "--size": ["100x80", "0x5", "x"],
}
MERGE_OTHER = ["--allow-partial", "--3d", "--help", "--jobs", "--seed", "--bogus", "--3d=x", "--allow-partial=1",
               "--", "--help=1", "-x", "--output=", "--plot=mp.png"]


def option(rng, name, values, args):
    value = rng.choice(values)
    form = rng.random()
    if form < 0.3:
        args.append(name + "=" + value)
    else:
        args += [name, value]


def run_line(rng):
    args = []
    for _ in range(rng.randint(1, 6)):
        kind = rng.random()
        if kind < 0.35:
            name = rng.choice(list(PLAIN))
            option(rng, name, PLAIN[name], args)
        elif kind < 0.75:
            name = rng.choice(list(STUDY))
            option(rng, name, STUDY[name], args)
        elif kind < 0.92:
            args.append(rng.choice(FLAGS[:-1] if rng.random() < 0.8 else FLAGS))
        else:
            args.append(rng.choice(UNKNOWN))
    if rng.random() < 0.1:  # a value missing at the end
        args.append(rng.choice(list(PLAIN) + list(STUDY)))
    if rng.random() < 0.85:
        args = ["--generations", "3"] + args
    if "--seed" not in " ".join(args) or rng.random() < 0.5:
        args = ["--seed", "5"] + args
    if any(a.startswith("--sweep") or a.startswith("--replicates") for a in args) and rng.random() < 0.7:
        args += ["--jobs", "2"]
    return args


def merge_line(rng, fixtures):
    files = [os.path.join(fixtures, f) for f in ("part1.csv", "part2.csv", "whole.csv")] + ["missing.csv", "-x"]
    args = ["merge"]
    for _ in range(rng.randint(0, 5)):
        kind = rng.random()
        if kind < 0.4:
            args.append(rng.choice(files))
        elif kind < 0.75:
            name = rng.choice(list(MERGE_VALUES))
            option(rng, name, MERGE_VALUES[name], args)
        else:
            args.append(rng.choice(MERGE_OTHER))
    return args


FIXED = [
    ["--help"], ["--seed", "1", "--help", "--bogus"], ["--bogus", "--help"], ["--seed", "x", "--help"],
    ["--replicates", "0", "--help"], ["--help", "--replicates", "0"], ["--generations"], ["--generations="],
    ["--seed", "0", "--generations", "5", "--decimal-separator", ","],
    ["--seed", "0", "--generations", "5", "--format=csv"], ["--seed=0", "--generations=5", "--format", "memo"],
    ["--seed", "1", "--generations", "4", "--plot", "p.png"], ["--seed", "1", "--generations", "4", "--plot", "p.svg",
                                                              "--size", "200x100", "--3d"],
    ["--generations", "4", "--plot", "adir"], ["--3d"], ["--size", "1x1"], ["--compare", "c.png"],
    ["--seed", "2", "--generations", "3", "--replicates", "2", "--sweep", "kill-factor=1;2", "--compare", "c.png",
     "--summary", "s.csv", "--plot", "p.png", "--jobs", "1"],
    ["--seed", "2", "--replicates", "2", "--shard", "1/2", "--summary", "s.csv"],
    ["--seed", "2", "--resume"], ["--seed", "2", "--resume", "--output", "-"],
    ["--seed", "2", "--replicates", "2", "--format", "memo"], ["--seed", "2", "--replicates", "2", "--format", "csv",
                                                              "--generations", "3"],
    ["--replicates", "2", "--mutation-limit", "x"], ["--replicates", "2", "--sweep", "mutation-limit=1;x"],
    ["--decimal-separator", ";", "--sweep", "gene=A"], ["--sweep", "gene=A", "--decimal-separator", ";"],
    ["--sweep", "gene=A", "--sweep", "gene=C"], ["--sweep", "generations=1:200000:1", "--dry-run"],
    ["--replicates", "2000000000", "--sweep", "kill-factor=1;2;3", "--dry-run"],
    ["--replicates", "2000000000", "--sweep", "kill-factor=1;2;3"],
    ["--seed", "1", "--replicates", "20000000", "--generations", "3"],
    ["--seed", "4", "--replicates", "3", "--paired", "--sweep", "gene=A;C", "--generations", "3", "--jobs", "1"],
    ["--seed", "4", "--replicates", "3", "--every", "2", "--generations", "5", "--output", "t.csv.gz"],
    ["--seed", "4", "--replicates", "2", "--generations", "3", "--output", "t.csv", "--summary", "t.csv"],
    ["--seed", "4", "--replicates", "2", "--generations", "3", "--dry-run", "--yes"],
    ["--seed", "4", "--sweep", "mutation-rate=1:2:0,25", "--generations", "2", "--decimal-separator", ","],
    ["--seed", "4", "--sweep", "mutation-rate=1:2:0.25", "--generations", "2", "--decimal-separator", "."],
    ["--seed", "4", "--sweep", "kill-factor=1e40;1", "--generations", "2", "--jobs", "2"],
    ["merge"], ["merge", "--help"], ["merge", "--help", "x"], ["merge", "a.csv", "--bogus"], ["merge", "--3d=1"],
    ["merge", "--output", "t.csv"], ["merge", "missing.csv"], ["merge", "a.csv", "--jobs", "2"],
    ["merge", "a.csv", "--jobs=2"], ["merge", "a.csv", "--allow-partial=1"], ["merge", "--size", "0x1", "--bogus"],
    ["x", "merge"], ["--seed", "1", "merge"],
]


def prepare(root, binary):
    fixtures = os.path.join(root, "fixtures")
    os.makedirs(fixtures)
    study = ["--seed", "3", "--replicates", "2", "--generations", "4", "--sweep", "kill-factor=1;2", "--jobs", "1"]
    for args in (study + ["--shard", "1/2", "--output", "part1.csv"], study + ["--shard", "2/2", "--output", "part2.csv"],
                 study + ["--seed", "4", "--output", "whole.csv"]):
        subprocess.run([binary] + args, cwd=fixtures, check=True, stdout=subprocess.DEVNULL)
    return fixtures


def files(folder):
    found = {}
    for base, _, names in os.walk(folder):
        for name in names:
            path = os.path.join(base, name)
            with open(path, "rb") as f:
                found[os.path.relpath(path, folder)] = f.read()
    return found


def run(binary, args, folder):
    os.makedirs(os.path.join(folder, "adir"))
    done = subprocess.run([binary] + args, cwd=folder, stdin=subprocess.DEVNULL, capture_output=True, timeout=120,
                          env=dict(os.environ, LC_ALL="de_DE.UTF-8"))
    return done.returncode, done.stdout, done.stderr, files(folder)


def main():
    old, new = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    count = int(sys.argv[3]) if len(sys.argv) > 3 else 400
    rng = random.Random(20261207)
    root = tempfile.mkdtemp(prefix="kelvaro-cli-")
    try:
        fixtures = prepare(root, old)
        lines = FIXED + [merge_line(rng, fixtures) if rng.random() < 0.2 else run_line(rng)
                         for _ in range(count - len(FIXED))]
        differ = 0
        for number, args in enumerate(lines):
            results = [run(binary, args, os.path.join(root, str(number), side))
                       for binary, side in ((old, "old"), (new, "new"))]
            if results[0] != results[1]:
                differ += 1
                print("DIFFERS:", args)
                for what, a, b in zip(("status", "stdout", "stderr", "files"), *results):
                    if a != b:
                        if what == "files":
                            a, b = {k: v for k, v in a.items() if b.get(k) != v}, {k: v for k, v in b.items() if a.get(k) != v}
                        print("  %s old: %.400r\n  %s new: %.400r" % (what, a, what, b))
            shutil.rmtree(os.path.join(root, str(number)))
        print("%d command lines compared, %d differ" % (len(lines), differ))
        return 1 if differ else 0
    finally:
        shutil.rmtree(root)


if __name__ == "__main__":
    sys.exit(main())

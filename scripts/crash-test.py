#!/usr/bin/env python3
"""Crash safety of the archive run: kills real `pagehold archive` runs with SIGKILL and checks
what each kill leaves behind.

A generated Navigator cache of a few thousand items is archived one domain per run into one
archive folder. Half of the kills fall at a random moment of a run, the other half the moment
archive.tmp appears (a save in progress). After every kill archive.dat must read completely (no
damage), hold every record it held before the run, and hold nothing but those and items of the
run's own domain; the next run must go on over whatever temporary file the kill left. At the end
every domain is archived once more without a kill and `pagehold check` must find archive.dat
complete.

usage: crash-test.py BUILD_FOLDER [--kills N] [--seed S]
"""
import argparse
import os
import random
import signal
import struct
import subprocess
import sys
import tempfile
import time

DOMAINS = 12  # the generator spreads its items over www.example-0.test to www.example-11.test


def parse_archive(path):
    """The Urls of archive.dat, or raises ValueError at the first byte that is no whole record."""
    if not os.path.exists(path):
        return []
    with open(path, "rb") as f:
        data = f.read()
    if not data:
        raise ValueError("archive.dat is empty")
    urls, at = [], 0
    while at < len(data):
        if len(data) - at < 28:
            raise ValueError(f"a cut record at byte {at}")
        lengths = struct.unpack_from("<III", data, at + 16)
        end = at + 28 + sum(lengths)
        if min(lengths) == 0 or end > len(data):
            raise ValueError(f"a record at byte {at} runs past the end")
        strings, start = [], at + 28
        for length in lengths:
            if data[start + length - 1] != 0:
                raise ValueError(f"a string of the record at byte {at} is not ended")
            strings.append(data[start:start + length].split(b"\0")[0])
            start += length
        urls.append(strings[0].decode("latin-1"))
        at = end
    return urls


def host_of(url):
    return url[len("http://"):].split(":")[0]


class Runner:
    def __init__(self, build, work):
        self.pagehold = os.path.join(build, "bin", "pagehold")
        self.cache = os.path.join(work, "cache")
        self.archive = os.path.join(work, "archive")
        self.env = dict(os.environ, PAGEHOLD_REGISTRY=os.path.join(work, "registry.reg"))

    def start(self, domain):
        return subprocess.Popen(
            [self.pagehold, "archive", "--nav", os.path.join(self.cache, "fat.db"), "--domain",
             f"www.example-{domain}.test", "--to", self.archive, "--yes",
             # The generated cache holds deliberately damaged records among the good ones.
             "--partial-ok"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env=self.env)

    def run(self, *args):
        return subprocess.run([self.pagehold, *args], capture_output=True, text=True,
                              env=self.env)

    def dat(self):
        return os.path.join(self.archive, "archive.dat")

    def tmp(self):
        return os.path.join(self.archive, "archive.tmp")


def stamp(path):
    """What tells one archive.tmp from another: its inode and modification time, or None."""
    try:
        info = os.stat(path)
        return (info.st_ino, info.st_mtime_ns)
    except FileNotFoundError:
        return None


def kill_at_random(process, duration, rng):
    time.sleep(rng.uniform(0, duration))
    process.send_signal(signal.SIGKILL)


def kill_at_save(process, tmp, stale):
    """Kills the run the moment its own archive.tmp appears (unless the run ends first)."""
    while process.poll() is None:
        now = stamp(tmp)
        if now is not None and now != stale:
            process.send_signal(signal.SIGKILL)
            return


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build")
    parser.add_argument("--kills", type=int, default=32)
    parser.add_argument("--seed", type=int, default=7)
    options = parser.parse_args()
    rng = random.Random(options.seed)
    started = time.monotonic()

    with tempfile.TemporaryDirectory(prefix="pagehold-crash-") as work:
        subprocess.run([os.path.join(options.build, "bin", "make_nav_cache"), "synthetic",
                        os.path.join(work, "cache"), "--entries", "3000", "--text"],
                       check=True, stdout=subprocess.DEVNULL)
        runner = Runner(options.build, work)

        # Two runs without a kill tell how long a run of one domain takes; later runs rebuild the
        # pages of more domains, so the random kills spread over half as long again.
        duration = 0
        for first in range(2):
            begin = time.monotonic()
            if runner.start(first).wait() != 0:
                sys.exit("crash test: a run without a kill failed")
            duration = max(duration, 1.5 * (time.monotonic() - begin))

        failures, kills, during_save, domain = [], 0, 0, 2
        while kills < options.kills:
            before = parse_archive(runner.dat())
            # A kill lands during a save when it leaves an archive.tmp of this run's own: one left
            # by an earlier kill does not count.
            stale = stamp(runner.tmp())
            process = runner.start(domain % DOMAINS)
            if kills % 2 == 0:
                kill_at_random(process, duration, rng)
            else:
                kill_at_save(process, runner.tmp(), stale)
            status = process.wait()
            if status == -signal.SIGKILL:
                kills += 1
                left = stamp(runner.tmp())
                if left is not None and left != stale:
                    during_save += 1
            elif status != 0:
                failures.append(f"run {domain} ended with status {status}")
            try:
                after = parse_archive(runner.dat())
            except ValueError as damage:
                failures.append(f"after kill {kills}: {damage}")
                break
            lost = set(before) - set(after)
            foreign = [url for url in set(after) - set(before)
                       if host_of(url) != f"www.example-{domain % DOMAINS}.test"]
            if lost:
                failures.append(f"after kill {kills}: {len(lost)} records lost")
            if foreign:
                failures.append(f"after kill {kills}: {len(foreign)} records of other runs")
            domain += 1

        # Every domain once more, to the end: whatever the kills left must not stop a run.
        for each in range(DOMAINS):
            if runner.start(each).wait() != 0:
                failures.append(f"the closing run of domain {each} failed")
        check = runner.run("check", runner.archive)
        first_line = check.stdout.splitlines()[0] if check.stdout else check.stderr.strip()
        if not first_line.startswith("archive.dat: complete"):
            failures.append(f"pagehold check: {first_line}")
        summary = check.stdout.splitlines()[-1] if check.stdout else ""
        # What the kills copied but never recorded can be cleaned away, leaving a sound archive.
        if runner.run("check", runner.archive, "--remove-orphans").returncode != 0:
            failures.append("pagehold check --remove-orphans did not leave a sound archive")
        if runner.run("check", runner.archive).returncode != 0:
            failures.append("the archive is not sound after removing the orphans")

    seconds = time.monotonic() - started
    print(f"crash test: {kills} kills, {during_save} of them during a save of archive.dat; "
          f"kills spread over {duration:.2f} s of a run; after the closing runs: {summary}; {seconds:.0f} s")
    for failure in failures:
        print(f"crash test: {failure}")
    print(f"{kills - len(failures)} passed, {len(failures)} failed")
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()

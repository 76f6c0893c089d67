#!/usr/bin/env python3
"""Times the real nimbus-cli on a generated store of 100,000 topics.

    bench/cli_bench.py [BUILD_DIR] [TOPICS]
    NIMBUS_CLI_COMPARE=/path/to/other/nimbus-cli bench/cli_bench.py ...   (times that one too)

Each command runs as a new process ten times (warm file cache); the median wall time and the
largest peak memory are printed beside a baseline measured in the same run: a process that
only reads the store file's bytes (cat). Where Taskwarrior is installed ("task"), the same
number of tasks is imported into a scratch Taskwarrior folder and "task next" and
"task overdue" are timed the same way; otherwise that part is skipped.
"""
import json, os, resource, shutil, statistics, subprocess, sys, tempfile, time

build = sys.argv[1] if len(sys.argv) > 1 else "build"
topics = int(sys.argv[2]) if len(sys.argv) > 2 else 100000
runs = 10
cli = os.path.join(build, "bin", "nimbus-cli")
generator = os.path.join(build, "bin", "cli_store_generator")


def measure(argv, env):
    """Median wall milliseconds and peak resident MiB over the runs of argv."""
    walls, peaks = [], []
    for _ in range(runs):
        before = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss
        start = time.perf_counter()
        pid = os.posix_spawn(argv[0], argv, env, file_actions=[
            (os.POSIX_SPAWN_OPEN, 1, os.devnull, os.O_WRONLY, 0),
            (os.POSIX_SPAWN_OPEN, 2, os.devnull, os.O_WRONLY, 0)])
        _, status, usage = os.wait4(pid, 0)
        walls.append((time.perf_counter() - start) * 1000)
        peaks.append(usage.ru_maxrss / 1024)
    return statistics.median(walls), max(peaks)


def report(name, wall, peak, limit=None):
    verdict = ""
    if limit:
        verdict = "  ok" if wall < limit[0] and peak < limit[1] else "  OVER the %d ms / %d MiB target" % limit
    print("%-34s %8.1f ms median %8.1f MiB peak%s" % (name, wall, peak, verdict))


def taskwarrior(root, env):
    task = shutil.which("task")
    if not task:
        print("Taskwarrior (task) is not installed: its comparison is skipped")
        return
    data = os.path.join(root, "task")
    os.makedirs(data)
    rc = os.path.join(root, "taskrc")
    with open(rc, "w") as f:
        f.write("data.location=%s\nconfirmation=off\nverbose=nothing\nhooks=off\n" % data)
    tenv = dict(env, TASKRC=rc, TASKDATA=data)
    now = time.time()
    tasks = []
    for i in range(topics):
        due = time.strftime("%Y%m%dT%H%M%SZ", time.gmtime(now + (i % 360 - 180) * 86400))
        tasks.append({"description": "Task %d" % i, "status": "pending", "entry": "20240101T000000Z",
                      "due": due, "priority": "HML"[i % 3], "uuid": "00000000-0000-4000-8000-%012d" % i})
    with open(os.path.join(root, "tasks.json"), "w") as f:
        json.dump(tasks, f)
    subprocess.run([task, "import", os.path.join(root, "tasks.json")], env=tenv,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=False)
    for words in (["next"], ["overdue"]):
        wall, peak = measure([task, "rc.gc=off"] + words, tenv)
        report("task " + " ".join(words), wall, peak)


def main():
    root = tempfile.mkdtemp(prefix="nimbus-cli-bench-")
    try:
        home = os.path.join(root, "home")
        data = os.path.join(home, "$Nimbus")
        subprocess.run([generator, data, str(topics)], check=True)
        store = os.path.join(data, "Structure.dat")
        env = dict(os.environ, HOME=home, HOMEDRIVE=home, NIMBUS_CHANNEL_DIR=os.path.join(root, "channels"))
        print("store: %d topics, %.1f MiB; median of %d runs each" % (
            topics, os.path.getsize(store) / 1048576, runs))
        report("baseline: cat Structure.dat", *measure(["/bin/cat", store], env))
        report("nimbus-cli summary", *measure([cli, "summary"], env), limit=(150, 64))
        report("nimbus-cli summary --format json", *measure([cli, "summary", "--format", "json"], env))
        report("nimbus-cli list overdue", *measure([cli, "list", "overdue"], env), limit=(150, 64))
        report("nimbus-cli list today --format json", *measure([cli, "list", "today", "--format", "json"], env))
        # The first search builds the index ("Search.db"); later ones only check it is current.
        subprocess.run([cli, "search", "plumber"], env=env, stdout=subprocess.DEVNULL, check=False)
        report("nimbus-cli search plumber", *measure([cli, "search", "plumber"], env))
        report("nimbus-cli export --ics", *measure([cli, "export", "--ics"], env))
        # Another build of nimbus-cli (an earlier commit, say) timed in the same run.
        other = os.environ.get("NIMBUS_CLI_COMPARE")
        if other:
            report("compared: summary", *measure([other, "summary"], env))
            report("compared: list overdue", *measure([other, "list", "overdue"], env))
        taskwarrior(root, env)
    finally:
        shutil.rmtree(root, ignore_errors=True)


main()

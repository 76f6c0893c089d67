#!/usr/bin/env python3
"""Times the real nimbus-cli on a generated store of 100,000 topics.

    bench/cli_bench.py [BUILD_DIR] [TOPICS] [RUNS]
    NIMBUS_CLI_COMPARE=/path/to/other/nimbus-cli bench/cli_bench.py ...   (times that one too)

Each command runs as a new process RUNS times (10 unless given; warm file cache); its median
wall time, median processor time (user and system: what other work on a shared machine
disturbs least) and largest peak memory are printed beside a baseline measured in the same
run: a process that only reads the store file's bytes (cat). The peak memory is the one GNU
time (/usr/bin/time) reports for the command it starts: a process started straight from Python
counts Python's own memory as its peak until it execs, so without GNU time the figures are
marked as including this script's. Targets:
"summary" and "list overdue" under 150 ms and 64 MiB. The store-changing command ("set", with
the program not running: the change is written to the store file) runs last. Where
Taskwarrior is installed ("task"), the same number of tasks is imported into a scratch
Taskwarrior folder and "task next" and "task overdue" are timed the same way, beside ours;
otherwise that part is skipped.
"""
import json, os, shutil, statistics, subprocess, sys, tempfile, time

build = sys.argv[1] if len(sys.argv) > 1 else "build"
topics = int(sys.argv[2]) if len(sys.argv) > 2 else 100000
runs = int(sys.argv[3]) if len(sys.argv) > 3 else 10
cli = os.path.join(build, "bin", "nimbus-cli")
generator = os.path.join(build, "bin", "cli_store_generator")
results = {}


GNU_TIME = "/usr/bin/time" if os.access("/usr/bin/time", os.X_OK) else None
PEAK_FILE = os.path.join(tempfile.gettempdir(), "nimbus-cli-bench-peak-%d" % os.getpid())


def measure(argv, env):
    """Median wall and processor milliseconds, and peak resident MiB, over the runs of argv."""
    walls, cpus, peaks = [], [], []
    if GNU_TIME:
        argv = [GNU_TIME, "-f", "%M", "-o", PEAK_FILE] + argv
    for _ in range(runs):
        start = time.perf_counter()
        pid = os.posix_spawn(argv[0], argv, env, file_actions=[
            (os.POSIX_SPAWN_OPEN, 1, os.devnull, os.O_WRONLY, 0),
            (os.POSIX_SPAWN_OPEN, 2, os.devnull, os.O_WRONLY, 0)])
        _, status, usage = os.wait4(pid, 0)
        walls.append((time.perf_counter() - start) * 1000)
        # The processor time of a process waited for includes that of the ones it waited for.
        cpus.append((usage.ru_utime + usage.ru_stime) * 1000)
        if GNU_TIME:
            with open(PEAK_FILE) as f:
                peaks.append(int(f.read().split()[-1]) / 1024)
        else:
            peaks.append(usage.ru_maxrss / 1024)
    return statistics.median(walls), statistics.median(cpus), max(peaks)


def report(name, figures, limit=None):
    wall, cpu, peak = figures
    results[name] = figures
    baseline = results.get("baseline: cat Structure.dat")
    beside = ""
    if baseline and name != "baseline: cat Structure.dat":
        beside = "  %5.1fx cat" % (wall / baseline[0])
    verdict = ""
    if limit:
        verdict = "  ok" if wall < limit[0] and peak < limit[1] else "  OVER the %d ms / %d MiB target" % limit
    print("%-44s %7.1f ms wall %7.1f ms cpu %7.1f MiB peak%s%s" % (name, wall, cpu, peak, beside, verdict),
          flush=True)



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
    for words, ours in ((["next"], "nimbus-cli summary"), (["overdue"], "nimbus-cli list overdue")):
        figures = measure([task, "rc.gc=off"] + words, tenv)
        report("task " + " ".join(words), figures)
        print("%-44s %7.1fx faster" % ("  " + ours + " beside it", figures[0] / results[ours][0]))


def topicWithSubtopics(store):
    """The id of the first topic directly under a section that has sub-topics."""
    uni, lev, previous = None, None, None
    with open(store, encoding="latin-1") as f:
        for line in f:
            name, _, value = line.rstrip("\r\n").partition("=")
            if name == "uni":
                uni = value
            elif name == "lev":
                if value == "2" and previous and previous[1] == "1":
                    return previous[0]
                previous = (uni, value)
    return "1"


def main():
    root = tempfile.mkdtemp(prefix="nimbus-cli-bench-")
    try:
        home = os.path.join(root, "home")
        data = os.path.join(home, "$Nimbus")
        subprocess.run([generator, data, str(topics)], check=True)
        store = os.path.join(data, "Structure.dat")
        env = dict(os.environ, HOME=home, HOMEDRIVE=home, NIMBUS_CHANNEL_DIR=os.path.join(root, "channels"))
        parent = topicWithSubtopics(store)
        print("store: %d topics, %.1f MiB; median of %d runs each; topic %s has sub-topics" % (
            topics, os.path.getsize(store) / 1048576, runs, parent))
        if not GNU_TIME:
            print("GNU time (/usr/bin/time) is missing: each peak includes this script's own memory")
        report("baseline: cat Structure.dat", measure(["/bin/cat", store], env))
        report("nimbus-cli summary", measure([cli, "summary"], env), limit=(150, 64))
        report("nimbus-cli summary --format json", measure([cli, "summary", "--format", "json"], env))
        report("nimbus-cli list overdue", measure([cli, "list", "overdue"], env), limit=(150, 64))
        for name in ("deadlines", "urgent", "today", "week", "in-progress", "waiting", "events", "new",
                     "changes", "favourites", "all"):
            report("nimbus-cli list " + name, measure([cli, "list", name], env))
        report("nimbus-cli list today --format json", measure([cli, "list", "today", "--format", "json"], env))
        for words in (["overdue", "--section", "Topics"], ["urgent", "--under", parent],
                      ["week", "--type", "event"], ["all", "--under", parent], ["all", "--section", "Topics"]):
            report("nimbus-cli list " + " ".join(words), measure([cli, "list"] + words, env))
        report("nimbus-cli show " + parent, measure([cli, "show", parent], env))
        # The first search builds the index ("Search.db"); later ones only check it is current.
        subprocess.run([cli, "search", "plumber"], env=env, stdout=subprocess.DEVNULL, check=False)
        report("nimbus-cli search plumber", measure([cli, "search", "plumber"], env))
        report("nimbus-cli export --ics", measure([cli, "export", "--ics"], env))
        # Another build of nimbus-cli (an earlier commit, say) timed in the same run.
        other = os.environ.get("NIMBUS_CLI_COMPARE")
        if other:
            report("compared: summary", measure([other, "summary"], env))
            report("compared: list overdue", measure([other, "list", "overdue"], env))
            report("compared: list today", measure([other, "list", "today"], env))
        # Last, as it writes the store: a change with the program not running.
        report("nimbus-cli set %s priority 3 (offline)" % parent,
               measure([cli, "set", parent, "priority", "3"], env))
        taskwarrior(root, env)
    finally:
        shutil.rmtree(root, ignore_errors=True)
        if os.path.exists(PEAK_FILE):
            os.remove(PEAK_FILE)


main()

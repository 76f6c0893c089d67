#!/usr/bin/env python3
"""Times the real nimbus-cli on a generated store of 100,000 topics.

    bench/cli_bench.py [BUILD_DIR] [TOPICS] [RUNS]
    NIMBUS_CLI_COMPARE=/path/to/other/nimbus-cli bench/cli_bench.py ...   (times that one too)

Each command runs as a new process RUNS times (10 unless given; warm file cache), the
commands in turns, one run of each a round, so that a change in a shared machine's load falls
on all of them alike. Printed for each: its median wall time, its median processor time (user
and system: what other work on a shared machine disturbs least) and its largest peak memory,
beside a baseline measured in the same rounds: a process that only reads the store file's bytes
(cat). The peak memory is the one GNU time (/usr/bin/time) reports for the command it starts: a
process started straight from Python counts Python's own memory as its peak until it execs, so
without GNU time the figures are marked as including this script's. Targets: "summary" and
"list overdue" under 150 ms and 64 MiB. The store-changing command ("set", with the program not
running: the change is written to the store file) runs last. Where Taskwarrior is installed
("task"), the same number of tasks is imported into a scratch Taskwarrior folder and "task
next" and "task overdue" are timed in the same rounds, beside "summary" and "list overdue";
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


def runOnce(argv, env):
    """Wall and processor milliseconds, and peak resident MiB, of one run of argv."""
    if GNU_TIME:
        argv = [GNU_TIME, "-f", "%M", "-o", PEAK_FILE] + argv
    start = time.perf_counter()
    pid = os.posix_spawn(argv[0], argv, env, file_actions=[
        (os.POSIX_SPAWN_OPEN, 1, os.devnull, os.O_WRONLY, 0),
        (os.POSIX_SPAWN_OPEN, 2, os.devnull, os.O_WRONLY, 0)])
    _, status, usage = os.wait4(pid, 0)
    wall = (time.perf_counter() - start) * 1000
    # The processor time of a process waited for includes that of the ones it waited for.
    cpu = (usage.ru_utime + usage.ru_stime) * 1000
    if GNU_TIME:
        with open(PEAK_FILE) as f:
            return wall, cpu, int(f.read().split()[-1]) / 1024
    return wall, cpu, usage.ru_maxrss / 1024


def measureTogether(commands):
    """Runs the commands (name, argv, environment) in turns, each once a round, so that a change
    in the machine's load falls on all of them alike; the median wall and processor times and
    the largest peak of each, by name."""
    figures = {name: [] for name, _, _ in commands}
    for _ in range(runs):
        for name, argv, env in commands:
            figures[name].append(runOnce(argv, env))
    return {name: (statistics.median(f[0] for f in runs_), statistics.median(f[1] for f in runs_),
                   max(f[2] for f in runs_)) for name, runs_ in figures.items()}


def measure(argv, env):
    return measureTogether([("", argv, env)])[""]


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
    """The Taskwarrior commands to time beside ours, on the same number of tasks; none (and a
    note) where it is not installed."""
    task = shutil.which("task")
    if not task:
        print("Taskwarrior (task) is not installed: its comparison is skipped")
        return []
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
    return [("task " + " ".join(words), [task, "rc.gc=off"] + words, tenv) for words in (["next"], ["overdue"])]


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
        # The first search builds the index ("Search.db"); later ones only check it is current.
        subprocess.run([cli, "search", "plumber"], env=env, stdout=subprocess.DEVNULL, check=False)
        commands = [("baseline: cat Structure.dat", ["/bin/cat", store]),
                    ("nimbus-cli summary", [cli, "summary"]),
                    ("nimbus-cli summary --format json", [cli, "summary", "--format", "json"]),
                    ("nimbus-cli list overdue", [cli, "list", "overdue"])]
        commands = [(name, argv, env) for name, argv in commands]
        for name in ("deadlines", "urgent", "today", "week", "in-progress", "waiting", "events", "new",
                     "changes", "favourites", "all"):
            commands.append(("nimbus-cli list " + name, [cli, "list", name], env))
        commands.append(("nimbus-cli list today --format json", [cli, "list", "today", "--format", "json"], env))
        for words in (["overdue", "--section", "Topics"], ["urgent", "--under", parent],
                      ["week", "--type", "event"], ["all", "--under", parent], ["all", "--section", "Topics"],
                      ["all", "--sort", "title"]):
            commands.append(("nimbus-cli list " + " ".join(words), [cli, "list"] + words, env))
        commands.append(("nimbus-cli show " + parent, [cli, "show", parent], env))
        commands.append(("nimbus-cli search plumber", [cli, "search", "plumber"], env))
        commands.append(("nimbus-cli export --ics", [cli, "export", "--ics"], env))
        # Another build of nimbus-cli (an earlier commit, say) timed in the same rounds.
        other = os.environ.get("NIMBUS_CLI_COMPARE")
        if other:
            for words in (["summary"], ["list", "overdue"], ["list", "today"], ["list", "all"], ["show", parent]):
                commands.append(("compared: " + " ".join(words), [other] + words, env))
        # Taskwarrior, where it is installed, beside ours in the same rounds.
        tasks = taskwarrior(root, env)
        # Wall times stretch with other work on a shared machine; processor times much less.
        load = os.getloadavg()[0]
        figures = measureTogether(commands + tasks)
        print("load average %.1f before the rounds, %.1f after, on %d processors" % (
            load, os.getloadavg()[0], os.cpu_count()))
        limits = {"nimbus-cli summary": (150, 64), "nimbus-cli list overdue": (150, 64)}
        for name, _, _ in commands + tasks:
            report(name, figures[name], limit=limits.get(name))
        for (name, _, _), ours in zip(tasks, ("nimbus-cli summary", "nimbus-cli list overdue")):
            print("%-44s %7.1fx faster than %s" % (ours, figures[name][0] / figures[ours][0], name))
        # Last, as it writes the store: a change with the program not running.
        report("nimbus-cli set %s priority 3 (offline)" % parent,
               measure([cli, "set", parent, "priority", "3"], env))
    finally:
        shutil.rmtree(root, ignore_errors=True)
        if os.path.exists(PEAK_FILE):
            os.remove(PEAK_FILE)


main()

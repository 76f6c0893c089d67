#!/usr/bin/python3
"""The real program in German and French, read from outside as a screen reader reads it.

Starts the nimbus executable three times on new data folders, in English, German and French, on an X
server of its own (Xvfb) with a private D-Bus session and accessibility on, and reads its
window through AT-SPI with GLib's client (gir1.2-atspi-2.0): every named frame, label, button,
check box, page tab and menu. The German and French windows must show the same widgets under
their own names, and the data folders they leave must be byte for byte the English one's (the clock is held by
libfaketime, so that both runs write the same stamps). Every process the test starts (X
server, D-Bus session and the accessibility bus it starts, the program) is ended.

Usage: program_language.py NIMBUS_EXECUTABLE
"""

import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

SKIPPED = 77  # ctest's SKIP_RETURN_CODE
FAKETIME_LIBRARY = '/usr/lib/x86_64-linux-gnu/faketime/libfaketimeMT.so.1'
ROLES = {'frame', 'label', 'push button', 'check box', 'radio button', 'page tab', 'menu',
         'menu item', 'toggle button', 'combo box'}
# Texts each window must show where the English one shows the first.
EXPECTED = {
    'de': [('label', 'Overdue: 0', 'Überfällig: 0'),
           ('check box', 'Bold', 'Fett'),
           ('label', 'Activity log', 'Aktivitätsprotokoll')],
    'fr': [('label', 'Overdue: 0', 'En retard\u00a0: 0'),
           ('check box', 'Bold', 'Gras'),
           ('label', 'Activity log', 'Journal d’activité')],
}
LOCALES = {'en': 'en_US.UTF-8', 'de': 'de_DE.UTF-8', 'fr': 'fr_FR.UTF-8'}


def fail(message):
    print('FAIL: ' + message)
    sys.exit(1)


def start_group(arguments, **options):
    """A child in a process group of its own, so that it ends with everything it started."""
    return subprocess.Popen(arguments, start_new_session=True, **options)


def end_group(process, timeout=10):
    if process.poll() is None:
        try:
            os.killpg(process.pid, signal.SIGTERM)
        except ProcessLookupError:
            pass
        try:
            process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            os.killpg(process.pid, signal.SIGKILL)
            process.wait()
    # What the group started may outlive its leader: end the rest too.
    try:
        os.killpg(process.pid, signal.SIGKILL)
    except ProcessLookupError:
        pass


def live_processes_naming(marker):
    """Processes (not zombies) whose command line or environment names marker."""
    found = []
    for pid in filter(str.isdigit, os.listdir('/proc')):
        try:
            with open('/proc/%s/stat' % pid, 'rb') as f:
                if f.read().rsplit(b')', 1)[1].split()[0] == b'Z':
                    continue
            for part in ('cmdline', 'environ'):
                with open('/proc/%s/%s' % (pid, part), 'rb') as f:
                    if marker.encode() in f.read():
                        found.append(int(pid))
                        break
        except OSError:
            continue
    return found


def accessible_names(application):
    """(role, name) of every named widget below the application, in tree order."""
    names = []

    def walk(node, depth):
        try:
            role, name = node.get_role_name(), node.get_name()
            count = node.get_child_count()
        except Exception:  # the widget went away while it was read
            return
        if name and role in ROLES:
            names.append((role, name))
        if depth < 40:
            for i in range(count):
                child = node.get_child_at_index(i)
                if child is not None:
                    walk(child, depth + 1)

    walk(application, 0)
    return names


def settle_events():
    """Lets the client take in the bus's news (applications that came, widgets that changed)."""
    from gi.repository import GLib
    context = GLib.MainContext.default()
    while context.iteration(False):
        pass


def wait_for_display(display):
    """Until the X server takes connections on its socket (it names its number a little before)."""
    import socket
    path = '/tmp/.X11-unix/X' + display
    deadline = time.monotonic() + 20
    while True:
        with socket.socket(socket.AF_UNIX, socket.SOCK_STREAM) as probe:
            try:
                probe.connect(path)
                return
            except OSError:
                if time.monotonic() > deadline:
                    fail('the X server on :%s takes no connections' % display)
        time.sleep(0.1)


def find_application(atspi, program, timeout):
    pid = program.pid
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline and program.poll() is None:
        settle_events()
        desktop = atspi.get_desktop(0)
        desktop.clear_cache()
        for i in range(desktop.get_child_count()):
            application = desktop.get_child_at_index(i)
            try:
                if application is not None and application.get_process_id() == pid:
                    return application
            except Exception:
                continue
        time.sleep(0.1)
    return None


def layout(screen):
    """The keys of screen.dat and the window's place and size."""
    values = dict(line.split('=', 1) for line in (screen or b'').decode().split('\r\n') if '=' in line)
    return sorted(values), [values.get(k) for k in ('top', 'left', 'width', 'height')]


def data_files(home):
    folder = os.path.join(home, '$Nimbus')
    files = {}
    for root, _dirs, names in os.walk(folder):
        for name in names:
            path = os.path.join(root, name)
            with open(path, 'rb') as f:
                files[os.path.relpath(path, folder)] = f.read()
    return files


def run_program(atspi, executable, work, language, environment):
    """Starts the program in language, reads its window once it has started, closes it."""
    home = os.path.join(work, language, 'home')
    os.makedirs(home)
    env = dict(environment, HOME=home, HOMEDRIVE=home,
               NIMBUS_CHANNEL_DIR=os.path.join(work, language, 'channels'))
    env.update(LANG=LOCALES[language], LC_ALL='', LANGUAGE=language)
    errors_path = os.path.join(work, language, 'stderr.txt')
    with open(errors_path, 'wb') as errors:
        program = start_group([executable], env=env, stdout=subprocess.DEVNULL, stderr=errors)
    try:
        application = find_application(atspi, program, 60)
        if application is None:
            if program.poll() is not None:
                with open(errors_path, 'rb') as errors:
                    said = errors.read()[-2000:].decode(errors='replace')
                fail('%s: the program ended at start with status %d:\n%s' %
                     (language, program.returncode, said))
            fail('%s: the program never showed up on the accessibility bus' % language)
        # Read until two readings agree and the first reminder pass has left its mark: the
        # window has finished starting (else one run may close before that pass and another
        # after it, and their data folders differ by that file alone).
        names, previous = [], None
        reminders = os.path.join(home, '$Nimbus', 'Reminders.dat')
        deadline = time.monotonic() + 20
        while ((names != previous or not os.path.exists(reminders))
               and time.monotonic() < deadline):
            previous = names
            time.sleep(0.3)
            settle_events()
            application.clear_cache()
            names = accessible_names(application)
        program.send_signal(signal.SIGTERM)  # the window closes as from the desktop
        if program.wait(timeout=20) != 0:
            fail('%s: the program ended with status %d' % (language, program.returncode))
    finally:
        end_group(program)
    return names, data_files(home)


def main():
    if len(sys.argv) != 2:
        fail(__doc__)
    executable = sys.argv[1]
    missing = [tool for tool in ('Xvfb', 'dbus-daemon') if not shutil.which(tool)]
    if not os.path.exists(FAKETIME_LIBRARY):
        missing.append('libfaketime (faketime)')
    try:
        import gi
        gi.require_version('Atspi', '2.0')
    except (ImportError, ValueError):
        missing.append("GLib's AT-SPI client (python3-gi, gir1.2-atspi-2.0)")
    if missing:
        print('SKIP: not installed: ' + ', '.join(missing))
        return SKIPPED
    work = tempfile.mkdtemp(prefix='nimbus-language-')
    children = []
    try:
        runtime = os.path.join(work, 'runtime')
        os.makedirs(runtime, mode=0o700)
        read_end, write_end = os.pipe()
        xvfb = start_group(['Xvfb', '-displayfd', str(write_end), '-nolisten', 'tcp',
                            '-screen', '0', '1280x1024x24'],
                           pass_fds=(write_end,), stderr=subprocess.DEVNULL)
        children.append(xvfb)
        os.close(write_end)
        # Xvfb writes the number and then a line end: read both, for a pipe closed in between
        # ends the server (it cannot write the line end).
        said = b''
        while not said.endswith(b'\n'):
            part = os.read(read_end, 64)
            if not part:
                break
            said += part
        display = said.decode().strip()
        os.close(read_end)
        if not display:
            fail('Xvfb did not start')
        wait_for_display(display)
        bus = start_group(['dbus-daemon', '--session', '--nofork', '--print-address=1'],
                          stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True,
                          env=dict(os.environ, XDG_RUNTIME_DIR=runtime, WORK_MARKER=work))
        children.append(bus)
        address = bus.stdout.readline().strip()
        if not address:
            fail('no D-Bus session')
        environment = {
            'PATH': os.environ.get('PATH', '/usr/bin:/bin'),
            'DISPLAY': ':' + display,
            'DBUS_SESSION_BUS_ADDRESS': address,
            'XDG_RUNTIME_DIR': runtime,
            'QT_QPA_PLATFORM': 'xcb',
            'QT_LINUX_ACCESSIBILITY_ALWAYS_ON': '1',
            'LD_PRELOAD': FAKETIME_LIBRARY,
            'FAKETIME': '2026-12-05 14:03:09',  # held still: both runs write the same stamps
            'FAKETIME_DONT_FAKE_MONOTONIC': '1',  # timers go on
            'WORK_MARKER': work,
        }
        # The client reads the same session: set before GLib's client starts.
        os.environ.update(DBUS_SESSION_BUS_ADDRESS=address, DISPLAY=':' + display,
                          XDG_RUNTIME_DIR=runtime)
        from gi.repository import Atspi
        Atspi.init()
        # The accessibility bus and its registry start on demand: have them running before the
        # program looks for them, or a slow start can leave it registered nowhere.
        deadline = time.monotonic() + 30
        while True:
            try:
                settle_events()
                Atspi.get_desktop(0).get_child_count()
                break
            except Exception:
                if time.monotonic() > deadline:
                    fail('the accessibility registry did not start')
                time.sleep(0.2)

        english, english_files = run_program(Atspi, executable, work, 'en', environment)
        problems = []
        if len(english) < 40:
            problems.append('only %d named widgets in English: %r' % (len(english), english))
        if not english_files.get('Structure.dat'):
            problems.append('the English run wrote no Structure.dat')
        summary = []
        for language in ('de', 'fr'):
            shown, files = run_program(Atspi, executable, work, language, environment)
            if [role for role, _ in english] != [role for role, _ in shown]:
                problems.append('the %s window has other widgets than the English one:\n'
                                '%r\n%r' % (language, english, shown))
            changed = sum(1 for a, b in zip(english, shown) if a != b)
            if changed < len(english) // 3:
                problems.append('only %d of %d names are in %s: %r' %
                                (changed, len(shown), language, shown))
            for role, in_english, translated in EXPECTED[language]:
                if (role, in_english) not in english:
                    problems.append('English shows no %s "%s"' % (role, in_english))
                if (role, translated) not in shown:
                    problems.append('%s shows no %s "%s"' % (language, role, translated))
                if (role, in_english) in shown:
                    problems.append('%s shows the English %s "%s"' % (language, role, in_english))
            for name in sorted(set(english_files) | set(files)):
                if name == 'screen.dat':
                    # The window's layout: the splitters give way to the wider translated
                    # texts, so only its keys and the window's own place and size must agree.
                    if layout(english_files.get(name)) != layout(files.get(name)):
                        problems.append('%s: screen.dat has other keys or another window place'
                                        % language)
                    continue
                if english_files.get(name) != files.get(name):
                    problems.append('%s differs between the English and the %s run:\n%r\n%r' %
                                    (name, language, english_files.get(name, b'')[:600],
                                     files.get(name, b'')[:600]))
            summary.append('%s: %d of %d names translated, %d data files the same' %
                           (language, changed, len(shown), len(files)))
        if problems:
            fail('\n'.join(problems))
        print('; '.join(summary))
    finally:
        for child in reversed(children):
            end_group(child)
        # The accessibility bus and its registry are started by the session bus; once it is
        # gone they end, and none may be left.
        deadline = time.monotonic() + 5
        while live_processes_naming(work) and time.monotonic() < deadline:
            time.sleep(0.1)
        left = live_processes_naming(work)
        for pid in left:
            os.kill(pid, signal.SIGKILL)
        shutil.rmtree(work, ignore_errors=True)
        if left:
            fail('processes left running: %r' % left)
    return 0


if __name__ == '__main__':
    sys.exit(main())

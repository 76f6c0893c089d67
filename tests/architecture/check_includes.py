#!/usr/bin/python3
"""Checks who may include whom under src/.

The rules:
  * nothing under src/shell includes a header of src/cli, and nothing under src/cli one of
    src/shell: the window and nimbus-cli share their rules through core modules;
  * a core module (no Qt) includes no Qt header and nothing of src/shell, src/cli (unless it is
    nimbus-cli itself), src/widgets or src/spawner, also not through a header it includes.

The core modules are read from the CMake files: the first module list in src/CMakeLists.txt
("core libraries (no Qt) first"), where a module that also holds a Qt part lists its Qt-free
sources in a set(NIMBUS_<MODULE>_CORE_SOURCES ...) block; nimbus-cli and the shell's core
(src/shell/core) are Qt-free as well.

Usage: check_includes.py SRC_FOLDER   prints each violation and exits with 1 when there is one
       check_includes.py --self-test SRC_FOLDER   plants each kind of violation in a copy of
                                                  the tree and checks that every one is caught
"""

import functools
import os
import re
import shutil
import sys
import tempfile

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.MULTILINE)
QT_HEADER = re.compile(r'^(Qt\w*/|Q[A-Z]\w*$|q\w+\.h$)')
SOURCE_ENDINGS = ('.h', '.hpp', '.cpp', '.cc')
# Folders outside the core that a core file must not reach.
OFF_LIMITS_FOR_CORE = ('shell/', 'cli/', 'widgets/', 'spawner/')


def sources_under(folder):
    for root, _dirs, files in os.walk(folder):
        for name in sorted(files):
            if name.endswith(SOURCE_ENDINGS):
                yield os.path.join(root, name)


@functools.lru_cache(maxsize=None)
def includes_of(path):
    with open(path, encoding='utf-8', errors='replace') as f:
        return INCLUDE.findall(f.read())


def core_modules(src):
    """The Qt-free module folders and, for modules with a Qt part, their Qt-free sources."""
    with open(os.path.join(src, 'CMakeLists.txt'), encoding='utf-8') as f:
        found = re.search(r'foreach\(module ([^)]*)\)', f.read())
    if not found:
        raise SystemExit('check_includes: no module list in src/CMakeLists.txt')
    modules = {}
    for module in found.group(1).split() + ['cli']:
        folder = os.path.join(src, module)
        if not os.path.isdir(folder):
            continue
        only = None
        cmake = os.path.join(folder, 'CMakeLists.txt')
        if os.path.exists(cmake):
            with open(cmake, encoding='utf-8') as f:
                listed = re.search(r'set\(NIMBUS_\w+_CORE_SOURCES\s+([^)]*)\)', f.read())
            if listed:
                only = [os.path.join(folder, name) for name in listed.group(1).split()]
        modules[module] = only
    modules['shell/core'] = None
    return modules


def resolve(src, including_file, name):
    for base in (src, os.path.dirname(including_file)):
        candidate = os.path.normpath(os.path.join(base, name))
        if os.path.isfile(candidate):
            return candidate
    return None


def module_of(src, path):
    return os.path.relpath(path, src).replace(os.sep, '/')


def check_core_file(src, module, start, problems):
    """Follows the quoted includes of one core file through src/ (each file once)."""
    seen = set()
    pending = [(start, [])]
    while pending:
        path, via = pending.pop()
        if path in seen:
            continue
        seen.add(path)
        for kind, name in includes_of(path):
            chain = via + [module_of(src, path)] if path != start else via
            where = ' (through ' + ' -> '.join(chain) + ')' if chain else ''
            if kind == '<':
                if QT_HEADER.match(name):
                    problems.append('%s: core module %s includes the Qt header <%s>%s'
                                    % (module_of(src, start), module, name, where))
                continue
            if name.startswith(OFF_LIMITS_FOR_CORE) and not name.startswith(module + '/'):
                problems.append('%s: core module %s includes "%s"%s'
                                % (module_of(src, start), module, name, where))
                continue
            target = resolve(src, path, name)
            if target:
                pending.append((target, chain))


def check(src):
    src = os.path.abspath(src)
    problems = []
    for side, other in (('shell', 'cli'), ('cli', 'shell')):
        for path in sources_under(os.path.join(src, side)):
            for kind, name in includes_of(path):
                if kind == '"' and name.startswith(other + '/'):
                    problems.append('%s: %s includes "%s"; share it through a core module'
                                    % (module_of(src, path), 'src/' + side, name))
    for module, only in core_modules(src).items():
        folder = os.path.join(src, module)
        files = list(sources_under(folder)) if only is None else []
        for cpp in only or []:
            files.append(cpp)
            header = os.path.splitext(cpp)[0] + '.h'
            if os.path.isfile(header):
                files.append(header)
        for path in files:
            if not os.path.isfile(path):
                continue
            check_core_file(src, module, path, problems)
    return sorted(set(problems))


def self_test(src):
    """Every kind of violation, planted one at a time in a copy, must be reported."""
    plantings = [
        ('shell/TformMain.cpp', '#include "cli/Arguments.h"', 'includes "cli/Arguments.h"'),
        ('cli/main.cpp', '#include "shell/core/MainLog.h"', 'includes "shell/core/MainLog.h"'),
        ('store/Scheduler.cpp', '#include <QString>', 'Qt header <QString>'),
        ('tree/TreeRules.h', '#include "shell/TformMain.h"', 'includes "shell/TformMain.h"'),
        ('search/SearchQuery.cpp', '#include <QtCore/QDate>', 'Qt header <QtCore/QDate>'),
        ('viewer/TableLine.cpp', '#include "viewer/TextLinesView.h"', 'Qt header'),
        ('shell/core/MainLog.cpp', '#include <QFile>', 'Qt header <QFile>'),
        # A header of a core module that reaches Qt is found from the files including it.
        ('fileio/AtomicFile.h', '#include "widgets/ElidedLabel.h"', 'includes "widgets/'),
    ]
    failures = []
    if check(src):
        failures.append('the tree itself is not clean')
    with tempfile.TemporaryDirectory() as scratch:
        copy = os.path.join(scratch, 'src')
        shutil.copytree(src, copy)
        for relative, line, expected in plantings:
            path = os.path.join(copy, relative)
            with open(path, encoding='utf-8') as f:
                text = f.read()
            with open(path, 'w', encoding='utf-8') as f:
                f.write(line + '\n' + text)
            includes_of.cache_clear()
            if not any(expected in p for p in check(copy)):
                failures.append('%s planted in %s was not reported' % (line, relative))
            with open(path, 'w', encoding='utf-8') as f:
                f.write(text)
    for failure in failures:
        print('self-test: ' + failure)
    return 1 if failures else 0


def main(argv):
    if len(argv) == 3 and argv[1] == '--self-test':
        return self_test(argv[2])
    if len(argv) != 2:
        print(__doc__)
        return 2
    problems = check(argv[1])
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))

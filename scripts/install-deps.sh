#!/bin/sh
# Installs the Debian packages that building, running and testing Nimbus Desk need.
# Does nothing when every package is already present; uses sudo when not run as root.
set -eu

PACKAGES="build-essential cmake qt6-base-dev qt6-qpa-plugins qt6-svg-dev qt6-multimedia-dev \
gstreamer1.0-plugins-base gstreamer1.0-plugins-good libcurl4-openssl-dev libx11-dev \
libgtest-dev libbenchmark-dev lld xvfb python3 desktop-file-utils appstream \
fonts-dejavu-core pandoc faketime libical-dev libsqlite3-dev dbus python3-dbusmock"
# Calendar sync: the account passwords (libsecret), the test CalDAV servers (radicale,
# xandikos) and an independent CalDAV client that plays a phone in the tests (python3-caldav).
PACKAGES="$PACKAGES libsecret-1-dev radicale xandikos python3-caldav"
# A third test CalDAV server: DAViCal, with PostgreSQL and Apache with PHP. The tests start
# private instances of both in temporary folders and never use the system's services.
PACKAGES="$PACKAGES davical postgresql apache2 libapache2-mod-php php-pgsql"
# valgrind's memcheck runs the window tests where changes land inside an open dialog (the
# window code is not part of the sanitizer build).
PACKAGES="$PACKAGES valgrind"
# lrelease builds the window's translations (lupdate refreshes them); Qt's own translations give
# its standard dialogs the user's language.
PACKAGES="$PACKAGES qt6-l10n-tools qt6-translations-l10n"
# The language test reads the real window from outside as a screen reader does: the
# accessibility bus and GLib's AT-SPI client.
PACKAGES="$PACKAGES at-spi2-core python3-gi gir1.2-atspi-2.0"
# The independent rrule implementation the recurrence tests compare with.
PACKAGES="$PACKAGES python3-dateutil"

# clang and its sanitizer runtime build only the libFuzzer targets (make fuzz).
if [ "${NIMBUS_WITH_FUZZ:-0}" = "1" ]; then
    PACKAGES="$PACKAGES clang libclang-rt-14-dev"
fi

# LibreOffice (libreoffice-writer-nogui) is large: it is installed only when
# NIMBUS_WITH_OFFICE=1. The RTF tests use fixtures it made and skip the one test that runs it.
if [ "${NIMBUS_WITH_OFFICE:-0}" = "1" ]; then
    PACKAGES="$PACKAGES libreoffice-writer-nogui"
fi

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done
[ -z "$missing" ] && exit 0

echo "Installing:$missing"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
$SUDO apt-get update -q
# shellcheck disable=SC2086
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q $missing

# Where an init system runs, the servers installed just now were started with it: they are
# stopped and kept from starting at boot. Services that were there before are left alone.
for s in postgresql apache2; do
    case " $missing " in *" $s "*) ;; *) continue ;; esac
    if command -v systemctl >/dev/null 2>&1 && [ -d /run/systemd/system ]; then
        $SUDO systemctl disable --now "$s" >/dev/null 2>&1 || true
    elif command -v service >/dev/null 2>&1; then
        $SUDO service "$s" stop >/dev/null 2>&1 || true
    fi
done

#!/usr/bin/env bash
# Runs a test program as a user whom file permissions bind. Started as root,
# it drops to the user nobody, after preparing a contact store that belongs
# to root (another user's store, which nobody may read but not replace);
# the test finds it through FORMULAR_TEST_FOREIGN_CONFIG. Started as anyone
# else, it runs the program as it is. Exit code 77: skipped.
set -euo pipefail
program=$1
shift
if [ "$(id -u)" -ne 0 ]; then
    exec "$program" "$@"
fi
if ! command -v setpriv >/dev/null || ! setpriv --reuid=nobody --regid=nogroup --clear-groups test -x "$program"; then
    echo "skipped: the user nobody cannot run $program"
    exit 77
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"
mkdir -p "$work/foreign/VireoLoggers" "$work/home/.config" "$work/runtime"
printf '[General]\nAdress=Brno\nCompanyName=ACME\nContaktPerson=Jan\nEmail=a@b.cz\nTelephone=123\n' \
    >"$work/foreign/VireoLoggers/Formular.conf"
chmod -R a+rX "$work/foreign"
chown -R nobody:nogroup "$work/home" "$work/runtime"
chmod 700 "$work/runtime"
env HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/runtime" \
    FORMULAR_TEST_FOREIGN_CONFIG="$work/foreign" \
    setpriv --reuid=nobody --regid=nogroup --clear-groups "$program" "$@"

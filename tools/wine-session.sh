#!/usr/bin/env bash
# start: a persistent, warmed wineserver with the null graphics driver (modal dialogs then
# run without a display); stop: shut it down. Wine runs quietly in both.
set -u
export WINEDEBUG=-all
case "${1:-}" in
  start)
    wineserver -p >/dev/null 2>&1 || true
    wine wineboot -i >/dev/null 2>&1 || wine wineboot >/dev/null 2>&1 || true
    wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1 || true
    # A prefix made just now has its desktop up before the driver setting: start again on it.
    wineserver -k >/dev/null 2>&1 || true
    wineserver -p >/dev/null 2>&1 || true
    wine wineboot >/dev/null 2>&1 || true
    ;;
  stop)
    wineserver -k >/dev/null 2>&1 || true
    ;;
  *)
    echo "usage: $0 start|stop" >&2
    exit 2
    ;;
esac

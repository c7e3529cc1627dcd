# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash
# Sourced by the scripts that drive windows and processes: waits that end
# either as soon as what they wait for holds, or after a time limit with a
# message on stderr saying what was awaited and what was there instead.
#
# None of them exits: each returns a status, so that the caller's
# `|| fail "..."` can stop its own processes first. Under `set -e`, call them
# only where a non-zero status is handled (`if`, `||`, `x=$(...) || ...`);
# there `set -e` does not apply inside them either, so they check every step
# themselves. The deadline is wall-clock time, so a busy machine only makes
# fewer polls, never a shorter wait.

# poll_until SECONDS COMMAND...
# Runs COMMAND every tenth of a second until it returns 0 (returns 0) or 2
# (gives up at once: returns 2), or until SECONDS have passed (returns 1).
# Silent: the functions below say what they waited for. COMMAND is often a
# function of the caller's that reads and sets the caller's variables, and
# bash lets it see the locals of the functions between: these two name
# theirs so that they hide none of the caller's.
poll_until() {
  local poll_until_deadline=$((${EPOCHREALTIME/./} / 1000 + $1 * 1000)) poll_until_status
  shift
  while true; do
    poll_until_status=0
    "$@" || poll_until_status=$?
    ((poll_until_status == 0 || poll_until_status == 2)) && return "$poll_until_status"
    ((${EPOCHREALTIME/./} / 1000 < poll_until_deadline)) || return 1
    sleep 0.1
  done
}

# wait_until SECONDS WHAT COMMAND...
# Runs COMMAND every tenth of a second until it succeeds; after SECONDS,
# says "timed out after SECONDS s waiting for WHAT" and returns 1.
wait_until() {
  local wait_until_seconds=$1 wait_until_what=$2
  shift 2
  poll_until "$wait_until_seconds" "$@" && return 0
  echo "timed out after $wait_until_seconds s waiting for $wait_until_what" >&2
  return 1
}

# windows_named CAPTION
# Prints the ids of the visible windows whose whole name is CAPTION and
# returns 1 when there is none. CAPTION is a bash pattern: the program's
# captions hold no *, ? or [, and 'Итерации: *' stands for every caption
# that starts so. The names are compared here: xdotool's own pattern
# matching takes one Cyrillic caption for another; only in a UTF-8 locale
# does xdotool read them at all. Each test has an X server of its own, so
# every window on it belongs to the test.
windows_named() {
  local window found=1
  for window in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
    # shellcheck disable=SC2053 # a pattern on purpose
    if [[ "$(LC_ALL=C.UTF-8 xdotool getwindowname "$window" 2>/dev/null)" == $1 ]]; then
      echo "$window"
      found=0
    fi
  done
  return "$found"
}

# The names of the visible windows, quoted and comma-separated, or "none":
# what a failed wait for a window saw. Windows without a name are left out.
visible_window_names() {
  local window name names=()
  for window in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
    name=$(LC_ALL=C.UTF-8 xdotool getwindowname "$window" 2>/dev/null) || continue
    [[ -n "$name" ]] && names+=("'$name'")
  done
  if ((${#names[@]} == 0)); then
    echo none
    return
  fi
  local joined
  printf -v joined '%s, ' "${names[@]}"
  echo "${joined%, }"
}

# wait_for_window SECONDS CAPTION [PID]
# Prints the id of the first visible window named CAPTION (see windows_named)
# once it shows. Gives up after SECONDS, or as soon as process PID (when
# given) has ended, saying which windows were visible instead.
wait_for_window() {
  local seconds=$1 name=$2 pid=${3:-} ids status=0
  window_or_end() {
    ids=$(windows_named "$name") && return 0
    [[ -z "$pid" ]] || kill -0 "$pid" 2>/dev/null || return 2
    return 1
  }
  poll_until "$seconds" window_or_end || status=$?
  case $status in
    0) echo "${ids%%$'\n'*}" ;;
    2) echo "process $pid ended before a window '$name' showed; visible: $(visible_window_names)" >&2 ;;
    *) echo "no visible window '$name' after $seconds s; visible: $(visible_window_names)" >&2 ;;
  esac
  return "$((status == 0 ? 0 : 1))"
}

# wait_for_window_gone SECONDS CAPTION
# Returns once no visible window is named CAPTION (see windows_named); after
# SECONDS, says which windows still show.
wait_for_window_gone() {
  local seconds=$1 name=$2
  window_gone() { ! windows_named "$name" >/dev/null; }
  poll_until "$seconds" window_gone && return 0
  echo "the window '$name' still shows after $seconds s; visible: $(visible_window_names)" >&2
  return 1
}

# wait_for_exit SECONDS PID
# Returns once process PID (a child of this shell, or any process) has ended;
# after SECONDS says that it still runs. Its status is then `wait PID`'s.
wait_for_exit() {
  local seconds=$1 pid=$2
  process_ended() { ! kill -0 "$pid" 2>/dev/null; }
  poll_until "$seconds" process_ended && return 0
  echo "process $pid still runs after $seconds s" >&2
  return 1
}

# region_hash WINDOW GEOMETRY: a hash of the pixels of the region GEOMETRY
# (WxH+X+Y) of WINDOW, for waiting until a part of a window is repainted.
region_hash() {
  import -window "$1" -crop "$2" +repage rgb:- 2>/dev/null | md5sum
}

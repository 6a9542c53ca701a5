# Shared by the idle and soak benchmarks (sourced): starts programs under the current X
# server, drives the program with xdotool as a child with a mouse would, and reads the CPU
# and memory of a process tree.

export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
[ "$(id -u)" -ne 0 ] || export QTWEBENGINE_DISABLE_SANDBOX=1
HZ=$(getconf CLK_TCK)

# The five section pictures of the main window (window coordinates) and the menus' titles.
MENU_TITLES=(看图认物 英语广角 玩转数学 语文天地 益智乐园)
MENU_AT=("123 166" "115 338" "123 505" "685 166" "705 338")
MENU_EXIT="815 41"
# Lesson categories: the menu, the button in it and the lesson window's title.
LESSONS=("玩转数学 787 380 数学课件" "英语广角 747 286 开心说英语" "语文天地 618 218 学古诗")
LESSON_NEXT="847 528"
LESSON_EXIT="847 604"
# Where the movie shows in a lesson window.
LESSON_MOVIE="14 83 697 577"

# Every process below `root`, root included.
tree_pids() {
  ps -e -o pid=,ppid= | awk -v root="$1" '{ up[$1] = $2 }
    END { for (p in up) { q = p; while (q != root && (q in up) && q > 1) q = up[q]; if (q == root) print p } }'
}

# CPU ticks of the tree: user and system time, with that of children already reaped.
tree_ticks() {
  local total=0 stat p
  for p in $(tree_pids "$1"); do
    stat=$(cat "/proc/$p/stat" 2>/dev/null) || continue
    stat=${stat##*) }
    read -r -a f <<<"$stat"
    total=$((total + f[11] + f[12] + f[13] + f[14]))
  done
  echo "$total"
}

# CPU seconds of the tree over `seconds`.
cpu_over() {
  local before after
  before=$(tree_ticks "$1")
  sleep "$2"
  after=$(tree_ticks "$1")
  awk -v d=$((after - before)) -v hz="$HZ" 'BEGIN { printf "%.2f\n", d / hz }'
}

# Proportional memory of the tree, MB.
tree_mb() {
  local total=0 p k
  for p in $(tree_pids "$1"); do
    k=$(awk '/^Pss:/ { print $2 }' "/proc/$p/smaps_rollup" 2>/dev/null) || continue
    total=$((total + ${k:-0}))
  done
  echo $((total / 1024))
}

# Starts `program` with a fresh runtime folder (the single-instance lock of the last run is
# gone); sets APP_PID.
app_start() {
  XDG_RUNTIME_DIR=$(mktemp -d) "$@" >/dev/null 2>&1 &
  APP_PID=$!
}

app_stop() {
  [ -n "${APP_PID:-}" ] || return 0
  kill "$APP_PID" 2>/dev/null || true
  wait "$APP_PID" 2>/dev/null || true
  APP_PID=
}

# The visible window of the program titled `title`, within 30 s.
window_of() {
  local title=$1 id
  for _ in $(seq 300); do
    for id in $(xdotool search --onlyvisible --pid "$APP_PID" 2>/dev/null || true); do
      [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$title" ] && { echo "$id"; return 0; }
    done
    sleep 0.1
  done
  echo "drive: no window $title" >&2
  return 1
}

# Clicks at x y of the window titled `title`, then moves the mouse out of the way.
click_in() {
  local w
  w=$(window_of "$1") || return 1
  xdotool mousemove --window "$w" "$2" "$3" sleep 0.1 click 1 2>/dev/null
  xdotool mousemove 1270 1010 2>/dev/null
}

# The command that clicks at x y of the window titled `title` (for bench-firstdraw).
click_command() {
  local w
  w=$(window_of "$1") || return 1
  echo "xdotool mousemove --window $w $2 $3 click 1"
}

main_window() {
  window_of Pelumo
}

# Opens menu number i (0-4) from the main window and waits for it.
open_menu() {
  click_in Pelumo ${MENU_AT[$1]} && window_of "${MENU_TITLES[$1]}" >/dev/null
}

# Closes the menu with its own button; the main window comes back.
close_menu() {
  sleep 1 # the movie takes clicks once loaded
  click_in "$1" $MENU_EXIT && main_window >/dev/null
}

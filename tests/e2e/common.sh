# Shared by the real-window checks. A check script calls run_in_virtual_display "$0" "$@" first:
# that runs the script again inside Xvfb, in an empty working folder, and exits with its status.
run_in_virtual_display() {
  [ -n "${IN_VIRTUAL_DISPLAY:-}" ] && return 0
  local script=$1
  shift
  mkdir -p "$2"
  local work
  work=$(mktemp -d)
  local status=0
  (cd "$work" && IN_VIRTUAL_DISPLAY=1 xvfb-run -a -s "-screen 0 1280x1024x24" bash "$script" "$@") || status=$?
  rm -rf "$work"
  exit $status
}

# Starts the program (killed when the script ends) and waits for its main window and splash.
start_quadrivia() {
  "$1" &
  pid=$!
  trap 'kill $pid 2>/dev/null || true' EXIT
  for _ in $(seq 1 300); do
    [ "$(xdotool search --onlyvisible --name '^Quadrivia$' 2>/dev/null | wc -l)" -ge 2 ] && return 0
    sleep 0.1
  done
  echo "the program's windows did not appear"
  exit 1
}

# Sets X, Y, WIDTH and HEIGHT of a window.
geometry() { eval "$(xdotool getwindowgeometry --shell "$1")"; }

# The visible window called Quadrivia of the given width (427 the main window, 538 the splash).
window_of_width() {
  for w in $(xdotool search --onlyvisible --name '^Quadrivia$'); do
    geometry "$w"
    [ "$WIDTH" = "$1" ] && { echo "$w"; return 0; }
  done
}

# Shared by the real-window checks and scripts/make-screenshots. A check script calls
#   run_in_virtual_display "$0" "$@"; begin_check "$@"
# first: that runs the script again inside Xvfb, in an empty working folder, and exits with its
# status. Positions passed to the helpers are pixels of the form's client area, as the form
# descriptions give them. There is no window manager, so a window's frame is its client area
# (plus the menu bar for the main window).

# The virtual screen's size.
screen_width=1280
screen_height=1024

run_in_virtual_display() {
  [ -n "${IN_VIRTUAL_DISPLAY:-}" ] && return 0
  local script
  script=$(realpath "$1")
  shift
  [ -e "$1" ] || { echo "$1 does not exist: build it first"; exit 1; }
  # The program and the output folder stay found from the empty working folder.
  set -- "$(realpath "$1")" "$(realpath -m "$2")" "${@:3}"
  mkdir -p "$2"
  local work
  work=$(mktemp -d)
  # The server picks a free display itself and tells its number when it is ready, so checks
  # started at the same moment (in other build folders too) never share or miss a display.
  # -noreset: by default the server resets when its last client leaves, and a client that
  # connects during the reset (the program, just after a short xwininfo) is refused.
  Xvfb -displayfd 3 -noreset -screen 0 "${screen_width}x${screen_height}x24" -nolisten tcp \
    3>"$work/display" >"$work/xvfb.log" 2>&1 &
  local server=$! i
  for ((i = 0; i < 100; i++)); do
    [ -s "$work/display" ] && break
    sleep 0.1
  done
  local status=0 display
  display=$(cat "$work/display")
  if [ -n "$display" ]; then
    mkdir "$work/folder"
    (cd "$work/folder" && DISPLAY=:$display IN_VIRTUAL_DISPLAY=1 bash "$script" "$@") || status=$?
  else
    echo "the virtual display did not start: $(cat "$work/xvfb.log")"
    status=1
  fi
  kill "$server" 2>/dev/null || true
  for ((i = 0; i < 50; i++)); do
    process_ended "$server" && break
    sleep 0.1
  done
  kill -KILL "$server" 2>/dev/null || true
  wait "$server" 2>/dev/null || true
  rm -rf "$work"
  exit $status
}

# Sets `program` and `shots` (the folder for this check's screenshots, emptied).
begin_check() {
  program=$1
  shots=$2/$(basename "$0" .sh)
  mkdir -p "$shots"
  rm -f "$shots"/*.png
}

# What the check is doing; a failure names it.
step() {
  current_step=$*
  echo "- $*"
}

# Fails the check, keeping a screenshot of the whole screen as failure.png.
fail() {
  echo "FAILED while ${current_step:-starting}: $*"
  [ -n "${shots:-}" ] && import -window root "$shots/failure.png" 2>/dev/null
  exit 1
}

# Polls a command every tenth of a second for up to $1 seconds; fails with $2 if it never holds.
# A condition may leave what it last saw in `seen` for the failure message.
wait_for() {
  local limit=$1 what=$2
  shift 2
  local i
  seen=""
  for ((i = 0; i < limit * 10; i++)); do
    "$@" && return 0
    sleep 0.1
  done
  fail "$what${seen:+ (saw $seen)}"
}

# Starts the program (stopped when the script ends) and waits for its main window and splash;
# sets `pid`, `main` and `splash`.
start_quadrivia() {
  "$1" &
  pid=$!
  trap 'kill $pid 2>/dev/null || true' EXIT
  # The screen's root window, which searches list among the visible windows.
  root=$(($(xwininfo -root | awk '/Window id:/ { print $4; exit }')))
  step "starting the program"
  wait_for 30 "the program's windows did not appear" both_windows_shown
  main=$(window_of_width 427)
  splash=$(window_of_width 538)
  main_geometry
}
both_windows_shown() { [ -n "$(window_of_width 427)" ] && [ -n "$(window_of_width 538)" ]; }

# True once process $1 has ended (a zombie counts: it waits for its parent's wait).
process_ended() {
  local state
  state=$(ps -o stat= -p "$1" 2>/dev/null || true)
  [ -z "$state" ] || [[ $state == Z* ]]
}
program_ended() { process_ended "$pid"; }

# The exit status of the ended program.
program_status() {
  local status=0
  wait "$pid" || status=$?
  echo "$status"
}

# Sets X, Y, WIDTH and HEIGHT of a window.
geometry() { eval "$(xdotool getwindowgeometry --shell "$1")"; }

# The visible windows with a name matching $1, one a line.
visible_windows() { xdotool search --onlyvisible --name "$1" 2>/dev/null || true; }

# A visible window of the program of the given width (427 the main window, 538 the splash,
# the screen's width the full-screen window). Windows without a caption have no name for the search.
window_of_width() {
  local w
  for w in $(visible_windows '.*'); do
    [ "$w" = "$root" ] && continue
    geometry "$w"
    [ "$WIDTH" = "$1" ] && { echo "$w"; return 0; }
  done
}

# Whether window $1 is one of the others named.
one_of() {
  local w=$1 known
  shift
  for known in "$@"; do [ "$w" = "$known" ] && return 0; done
  return 1
}

# A visible window called $1 that is none of the windows named after it, or nothing. A window
# without a caption (the coefficients panel) has no name for this search: look for '.*' and
# name the screen's root window among the known ones.
other_window() {
  local name=$1 w
  shift
  for w in $(visible_windows "$name"); do
    one_of "$w" "$@" && continue
    echo "$w"
    return 0
  done
}

window_gone() { ! visible_windows '.*' | grep -qx "$1"; }

# Sets mainX, mainY (the main window's corner), menu (the menu bar's height) and cx, cy (the
# client area's corner on the screen).
main_geometry() {
  geometry "$main"
  mainX=$X mainY=$Y mainW=$WIDTH mainH=$HEIGHT
  menu=$((HEIGHT - 326))
  cx=$X cy=$((Y + menu))
}

# Clicks (button 1, or $3) at a point of the main window's client area, or of window $4 at
# its own pixels.
click() {
  if [ -n "${4:-}" ]; then
    geometry "$4"
    xdotool mousemove $((X + $1)) $((Y + $2)) click "${3:-1}"
  else
    xdotool mousemove $((cx + $1)) $((cy + $2)) click "${3:-1}"
  fi
}

# Gives window $1 the keyboard and types $2 into the field at ($3, $4) of it, replacing its text.
# The text is selected with a triple click, not with keys: some fields rewrite their text at
# every key release, which would drop a selection made with keys. Each character is a key
# press and release, as a user's typing is.
type_into() {
  local window=$1 text=$2 x=$3 y=$4
  xdotool windowfocus --sync "$window"
  if [ "$window" = "$main" ]; then geometry "$main"; X=$cx Y=$cy; else geometry "$window"; fi
  xdotool mousemove $((X + x)) $((Y + y)) click --repeat 3 --delay 80 1
  xdotool type --delay 60 "$text"
}

# Closes the splash with a key (Shift alone) and waits until it has gone. Keys go through the
# server (XTEST) to the focused window, never as events sent to a window: Qt may miss a sent
# release when the press hides the window, and would then type every later key shifted.
close_splash() {
  step "closing the splash with a key"
  xdotool windowfocus --sync "$splash"
  xdotool key shift
  wait_for 10 "the splash did not close" splash_gone
}
splash_gone() { [ -z "$(window_of_width 538)" ]; }

# The x of the middle of menu item $1 (1 the first) on the main window's menu bar, found in
# a screenshot of the bar: the items' texts are runs of darker columns with wide gaps between.
menu_item_x() {
  import -window "$main" miff:- |
    convert - -crop "${mainW}x${menu}+0+0" +repage -colorspace Gray -scale "${mainW}x1!" -depth 8 txt:- |
    awk -v want="$1" -F'[,: ()]+' '
      BEGIN { start = -1 }
      NR == 1 { next }
      NR == 2 { background = $3 }  # the bar left of the first item
      $3 < background - 8 {
        x = $1
        if (start < 0 || x - last > 6) {
          if (start >= 0) ends[++n] = (start + last) / 2
          start = x
        }
        last = x
      }
      END { if (start >= 0) ends[++n] = (start + last) / 2; if (want <= n) print int(ends[want]) }'
}

# Clicks menu item $1 (1 the first) on the main window's menu bar.
click_menu() {
  local x
  x=$(menu_item_x "$1")
  [ -n "$x" ] || fail "menu item $1 is not on the menu bar"
  xdotool mousemove $((mainX + x)) $((mainY + menu / 2)) click 1
}

# Screenshot of a window (the main window without $2) into the check's folder as $1.png.
shot() { import -window "${2:-$main}" "$shots/$1.png"; }

# A checksum of a rectangle x, y, width, height of the main window's client area, or of
# window $5 at its own pixels.
region() {
  if [ -n "${5:-}" ]; then
    import -window "$5" -crop "$3x$4+$1+$2" +repage rgb:- | md5sum
  else
    import -window "$main" -crop "$3x$4+$1+$(($2 + menu))" +repage rgb:- | md5sum
  fi
}

# The main picture, 160 x 120 at the client's (8, 0).
picture() { region 8 0 160 120; }

# The main picture differs from, or equals, checksum $1.
picture_differs() { [ "$(picture)" != "$1" ]; }
picture_equals() { [ "$(picture)" = "$1" ]; }

# The output of a command is the same at two looks a moment apart (a picture has painted).
holds_still() {
  local a
  a=$("$@")
  sleep 0.3
  [ "$("$@")" = "$a" ]
}
picture_still() { holds_still picture; }
window_still() { holds_still window_sum "$1"; }
window_sum() { import -window "$1" rgb:- | md5sum; }

# Clicks "Pause" (in "Animation Parametres" at 184, 176; the button at 8, 24 in it) and waits
# until the picture holds still.
pause_animation() {
  step "pausing the animation"
  click $((184 + 8 + 25)) $((176 + 24 + 24))
  wait_for 10 "the picture kept changing after Pause" picture_still
}

# Types a one-digit scale into the scale field (Edit3 at 256, 248, in Panel1 of "Animation
# Parametres") and waits for the picture to follow. One key: the field rewrites its text at
# every key release, so a second key would land after the rewritten text.
type_scale() {
  step "typing a scale of $1"
  local before
  before=$(picture)
  type_into "$main" "$1" 292 263
  wait_for 10 "the picture did not follow the typed scale" picture_differs "$before"
  wait_for 10 "the picture did not settle" picture_still
}

# The number of distinct colours in a rectangle of the main window's client area.
colours_in() {
  import -window "$main" miff:- | convert - -crop "$3x$4+$1+$(($2 + menu))" +repage -format %k info:
}

# The number of coloured (not white) columns of the palette strip (at 200, 112 of the client
# area, 97 wide), read in its row 5: one a palette entry up to 97 entries.
strip_entries() {
  import -window "$main" miff:- | convert - -crop "97x1+200+$((112 + 5 + menu))" +repage -depth 8 txt:- |
    awk 'NR > 1 && $3 != "#FFFFFF" { n++ } END { print n + 0 }'
}

# The coefficients panel, once shown; sets `panel`.
panel_shown() {
  panel=$(other_window '.*' "$root" "$main")
  [ -n "$panel" ]
}

# The catalogue dialog, once shown; sets `themes`. Its controls' middle points, in its pixels:
# the list (ComboBox1 at 16, 32), the name field (Edit1 at 24, 104) and the buttons.
themes_shown() {
  themes=$(visible_windows '^Themes$')
  [ -n "$themes" ]
}
themes_list=(76 44)
themes_name=(84 116)
themes_load=(221 36)
themes_save=(221 156)
themes_exit=(125 172)

# Waits for a message box (a window called Quadrivia, narrower than the screen, beside the
# windows named after it), saves its screenshot as $1.png, presses Enter (its OK button) and
# waits until it has gone.
dismiss_message() {
  local name=$1
  shift
  wait_for 20 "no message box appeared" message_shown "$@"
  [ -z "${shots:-}" ] || import -window "$box" "$shots/$name.png"
  xdotool windowfocus --sync "$box" key Return
  wait_for 10 "the message box did not close" window_gone "$box"
}
message_shown() {
  local w
  box=""
  for w in $(visible_windows '^Quadrivia$'); do
    one_of "$w" "$@" && continue
    geometry "$w"
    [ "$WIDTH" -lt "$screen_width" ] && { box=$w; return 0; }
  done
  return 1
}

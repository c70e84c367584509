# Steps of scripts/test that run beside each other: each runs in the background with its output
# kept, and is printed whole, with its counts added, when the script asks for it, so the output
# comes in the same order whatever finishes first. Source it.
#
# A step is a shell command or function that adds to the variables passed, failed and skipped
# (each starting at 0 in the step) and prints its lines; the counts reach the variables of the
# same names of the shell that started it when that shell finishes the step with step_finish.
# Inside a step, step_part and step_finish keep the lines of what they run apart, so that each
# part's error output stays before its own lines, not before those of the whole step.

step_dir=
# The files of the step this shell runs, empty outside any.
step_current=
declare -A step_pids=()

# step_init DIR: the steps keep their output and counts in DIR.
step_init() {
  step_dir=$1
  rm -rf "$step_dir" && mkdir -p "$step_dir"
}

# step_start NAME COMMAND...: runs COMMAND in the background as the step NAME.
step_start() {
  local name=$1 file
  shift
  file=$step_dir/${name// /-}
  (
    began=$SECONDS
    step_current=$file
    step_pids=()
    passed=0
    failed=0
    skipped=0
    "$@" >"$file.out" 2>"$file.err"
    echo "$passed $failed $skipped" >"$file.counts"
    step_time "$name" "$began"
  ) &
  step_pids[$name]=$!
}

# step_finish NAME: waits for the step and adds its counts; a step that ended without counting
# (killed, or its shell failed) counts as one failure. Outside any step it prints the step's lines;
# inside one they are printed with that step, after its own.
step_finish() {
  local name=$1 file ok bad skip
  file=$step_dir/${name// /-}
  if [ -n "${step_pids[$name]:-}" ]; then
    wait "${step_pids[$name]}"
    unset "step_pids[$name]"
  fi
  if [ -f "$file.counts" ] && read -r ok bad skip <"$file.counts"; then
    passed=$((passed + ok))
    failed=$((failed + bad))
    skipped=$((skipped + skip))
  else
    echo "$name: ended without counting its checks" >>"$file.err"
    failed=$((failed + 1))
  fi
  if [ -n "$step_current" ]; then
    echo "$file" >>"$step_current.parts"
  else
    step_print "$file"
  fi
}

# step_part NAME COMMAND...: inside a step, runs COMMAND now, its lines kept apart as a part of
# the step, printed after the step's own lines and the parts before it.
step_part() {
  local name=$1 file
  shift
  file=$step_dir/${name// /-}
  "$@" >"$file.out" 2>"$file.err"
  echo "$file" >>"$step_current.parts"
}

# step_print FILE: the error output and the output of a step, then of each of its parts; the
# error output first, as a part's lines of failure come before its counts.
step_print() {
  local part
  cat "$1.err" >&2
  cat "$1.out"
  [ -f "$1.parts" ] || return 0
  while IFS= read -r part; do
    step_print "$part"
  done <"$1.parts"
}

# step_time NAME BEGAN: notes that NAME ran from BEGAN until now, in seconds from the start.
step_time() {
  echo "$2 $SECONDS $1" >>"$step_dir/times"
}

# step_times: the times noted, by their start, one a line: "FROM-TO s NAME".
step_times() {
  sort -n -k1,1 -k2,2 "$step_dir/times" 2>/dev/null | while read -r from to name; do
    printf '%4s-%-4s s  %s\n' "$from" "$to" "$name"
  done
}

# step_gate_open NAME: lets the steps waiting for NAME go on.
step_gate_open() {
  touch "$step_dir/$1.gate"
}

# step_gate_wait NAME: waits until the gate NAME is open; fails when the script that started the
# step has ended without opening it.
step_gate_wait() {
  until [ -e "$step_dir/$1.gate" ]; do
    kill -0 $$ 2>/dev/null || return 1
    sleep 1
  done
}

# step_stop_all: ends the steps still running (when the script is interrupted).
step_stop_all() {
  local pid
  for pid in "${step_pids[@]}"; do
    pkill -TERM -P "$pid" 2>/dev/null
    kill -TERM "$pid" 2>/dev/null
  done
}

# Steps of scripts/test that run beside each other: each runs in the background with its output
# kept, and is printed whole, with its counts added, when the script asks for it, so the output
# comes in the same order whatever finishes first. Source it.
#
# A step is a shell command or function that adds to the variables passed, failed and skipped
# (each starting at 0 in the step) and prints its lines; the counts reach the script's own
# variables of the same names when the step is finished with step_finish.

step_dir=
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
    passed=0
    failed=0
    skipped=0
    "$@" >"$file.out" 2>"$file.err"
    echo "$passed $failed $skipped" >"$file.counts"
    step_time "$name" "$began"
  ) &
  step_pids[$name]=$!
}

# step_wait NAME: waits for the step to end, without printing anything.
step_wait() {
  [ -n "${step_pids[$1]:-}" ] || return 0
  wait "${step_pids[$1]}"
  unset "step_pids[$1]"
}

# step_finish NAME: waits for the step, prints what it printed (its error output first, as its
# lines of failure come before its counts) and adds its counts. A step that ended without
# counting (killed, or its shell failed) counts as one failure.
step_finish() {
  local name=$1 file ok bad skip
  file=$step_dir/${name// /-}
  step_wait "$name"
  cat "$file.err" >&2
  cat "$file.out"
  if read -r ok bad skip <"$file.counts" 2>/dev/null; then
    passed=$((passed + ok))
    failed=$((failed + bad))
    skipped=$((skipped + skip))
  else
    echo "$name: ended without counting its checks" >&2
    failed=$((failed + 1))
  fi
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

# Runs the libFuzzer targets of the fuzz preset (tests/fuzz/): each one reads outside input,
# has its seeds in tests/fuzz/corpus/NAME/ and may have a dictionary tests/fuzz/NAME.dict.
# Source it after build.sh.

fuzz_targets=(regfile profile language path)

# run_fuzz_target NAME CORPUS FINDINGS LOG OPTION...: runs fuzz_NAME in one process over the
# seeds, adding what it finds new to the folder CORPUS (the seeds stay as they are). An input
# that crashes, hangs for 30 s or breaks a check goes into the folder FINDINGS and the status
# is non-zero. Everything it prints goes to LOG.
run_fuzz_target() {
  local name=$1 corpus=$2 findings=$3 log=$4 dict=tests/fuzz/$1.dict
  shift 4
  local options=(-print_final_stats=1 -timeout=30 -artifact_prefix="$findings/")
  [ -f "$dict" ] && options+=(-dict="$dict")
  mkdir -p "$corpus" "$findings"
  "build/fuzz/fuzz_$name" "${options[@]}" "$@" "$corpus" "tests/fuzz/corpus/$name" >"$log" 2>&1
}

# fuzz_figures LOG: the executions of a run, and for a run that finished its coverage, from
# libFuzzer's final statistics and last status line.
fuzz_figures() {
  local runs rate cov ft corpus
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$1" | tail -n 1)
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$1" | tail -n 1)
  printf '%s executions (%s/s)' "${runs:-?}" "${rate:-?}"
  read -r cov ft corpus < <(grep -E '^#[0-9]+[[:space:]]+DONE' "$1" | tail -n 1 |
    sed -n 's/.* cov: \([0-9]*\) ft: \([0-9]*\) corp: \([0-9]*\)\/.*/\1 \2 \3/p')
  if [ -n "${cov:-}" ]; then
    printf ', coverage %s edges, %s features, %s inputs in the corpus' "$cov" "$ft" "$corpus"
  fi
  echo
}

# fuzz_reproducers LOG: the inputs libFuzzer kept for what it found, one a line.
fuzz_reproducers() {
  sed -n 's/.*Test unit written to \(.*\)$/\1/p' "$1"
}

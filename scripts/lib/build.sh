# Shared by the scripts that build the project. Source it.

# build_preset NAME [TARGET...]: configures and builds one CMake preset, all of it or the
# targets named; quiet unless it fails.
build_preset() {
  local preset=$1 log targets=()
  shift
  [ $# -gt 0 ] && targets=(--target "$@")
  log=$(mktemp)
  if ! { cmake --preset "$preset" && cmake --build --preset "$preset" -j 2 "${targets[@]}"; } \
    >"$log" 2>&1; then
    tail -n 60 "$log" >&2
    echo "build of preset $preset failed" >&2
    rm -f "$log"
    return 1
  fi
  rm -f "$log"
}

# Shared by the black-box test scripts (sourced, not run): a scratch folder,
# processes ended on exit, waiting for a condition, and the ok / fail /
# finish reporting.
#
# A script adds the pids it starts to `started` and may add commands of its
# own clean-up to `cleanup_hooks` (run after its processes end).

work=$(mktemp -d)
started=()
failures=0
cleanup_hooks=()

# shellcheck disable=SC2317  # reached through the trap
cleanup() {
  local pid hook
  for pid in "${started[@]}"; do kill -KILL "$pid" 2>/dev/null; done
  for pid in "${started[@]}"; do wait "$pid" 2>/dev/null; done
  for hook in "${cleanup_hooks[@]}"; do eval "$hook"; done
  rm -rf "$work"
}
trap cleanup EXIT

wait_until() {  # SECONDS COMMAND...: succeeds as soon as COMMAND does
  local limit=$1 i
  shift
  for ((i = 0; i < limit * 10; i++)); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

ok() { echo "ok   $*"; }
fail() {
  echo "FAIL $*"
  failures=$((failures + 1))
}
finish() {
  if [[ $failures -ne 0 ]]; then
    echo "$failures check(s) failed"
    exit 1
  fi
  echo "all checks passed"
  exit 0
}

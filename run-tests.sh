#!/usr/bin/env bash
# Builds every test twice, with AddressSanitizer and UndefinedBehaviorSanitizer
# and as a plain Release build, runs both against a private Xvfb, and exits
# with the tests' status. Each build says how long it took, tests included.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

"$here/tools/install-packages.sh" g++ make cmake libx11-dev libxtst-dev \
    libgtest-dev libgmock-dev libbenchmark-dev zlib1g-dev xvfb xfonts-base alsa-utils openbox \
    desktop-file-utils appstream groff-base dpkg-dev file

# A private 24-bit X server on a display number it picks itself, stopped
# whatever happens below.
work=$(mktemp -d)
xvfb_pid=""
cleanup() {
    [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
    # The number is complete once its line feed is there.
    [[ $(wc -l <"$work/display") -ge 1 ]] && break
    sleep 0.1
done
if [[ $(wc -l <"$work/display") -lt 1 ]]; then
    echo "Xvfb did not start:" >&2
    cat "$work/xvfb.log" >&2
    exit 1
fi
export DISPLAY=":$(head -n1 "$work/display")"
echo "Private X server on $DISPLAY"

status=0
passed_total=0
failed_total=0
reports=()

# Builds the tests in a folder with the given CMake options and runs them all.
# X tests share the one server and its pointer, so they run one at a time.
run_suite() {
    local name=$1 build=$2
    shift 2
    local started=$SECONDS
    cmake -S "$here" -B "$build" "$@" >/dev/null
    cmake --build "$build" -j"$(nproc)"
    local log="$work/ctest-$name.log"
    ctest --test-dir "$build" --output-on-failure --timeout 600 2>&1 | tee "$log" || status=$?
    local summary passed=0 failed=0
    summary=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -n1 || true)
    if [[ -n "$summary" ]]; then
        failed=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\1/' <<<"$summary")
        passed=$(( $(sed -E 's/.* tests failed out of ([0-9]+).*/\1/' <<<"$summary") - failed ))
    else
        [[ $status -eq 0 ]] && status=1
    fi
    passed_total=$((passed_total + passed))
    failed_total=$((failed_total + failed))
    reports+=("$name build: $passed passed, $failed failed in $(( (SECONDS - started) / 60 )) min $(( (SECONDS - started) % 60 )) s")
}

run_suite sanitized "$here/build-tests" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRUVO_SANITIZE=ON
# Without the sanitizers the allocator reuses memory at once and the timing
# is the shipped program's: a test leaning on either shows here.
run_suite release "$here/build-release" -DCMAKE_BUILD_TYPE=Release -DBRUVO_SANITIZE=OFF

printf '%s\n' "${reports[@]}"
echo "tests: $passed_total passed, $failed_total failed"
exit "$status"

#!/usr/bin/env bash
# Builds every test with AddressSanitizer and UndefinedBehaviorSanitizer, runs
# them all against a private Xvfb, and exits with the tests' status.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build="$here/build-tests"

"$here/tools/install-packages.sh" g++ make cmake libx11-dev libxtst-dev \
    libgtest-dev libgmock-dev libbenchmark-dev zlib1g-dev xvfb xfonts-base alsa-utils openbox \
    desktop-file-utils appstream groff-base dpkg-dev file

cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRUVO_SANITIZE=ON >/dev/null
cmake --build "$build" -j"$(nproc)"

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

# X tests share the one server and its pointer, so they run one at a time.
status=0
ctest --test-dir "$build" --output-on-failure --timeout 600 2>&1 | tee "$work/ctest.log" || status=$?

summary=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests failed out of [0-9]+' "$work/ctest.log" | tail -n1 || true)
if [[ -n "$summary" ]]; then
    failed=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\1/' <<<"$summary")
    total=$(sed -E 's/.* tests failed out of ([0-9]+).*/\1/' <<<"$summary")
    echo "tests: $((total - failed)) passed, $failed failed"
else
    echo "tests: 0 passed, 0 failed"
    [[ $status -eq 0 ]] && status=1
fi
exit "$status"

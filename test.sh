#!/usr/bin/env bash
# Builds Agendix with its tests and runs the whole suite under a virtual X server, so the widget
# and X11 tests run for real.
#   ./test.sh               the suite (warnings are errors)
#   ./test.sh --sanitize    the suite built with AddressSanitizer and UndefinedBehaviorSanitizer
#   ./test.sh -R Pattern    only the tests whose names match (passed on to ctest)
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
build="$here/build-test"
options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DAGENDIX_WERROR=ON)
if [ "${1:-}" = "--sanitize" ]; then
  shift
  build="$here/build-asan"
  options=(-DCMAKE_BUILD_TYPE=Debug -DAGENDIX_WERROR=ON -DAGENDIX_SANITIZE=ON)
  export LSAN_OPTIONS="suppressions=$here/tools/lsan.supp:print_suppressions=0"
fi
"$here/tools/install-deps"
cmake -S "$here" -B "$build" -G Ninja "${options[@]}" >/dev/null
cmake --build "$build"
cd "$build"
export QT_QPA_PLATFORM=offscreen
# -noreset: an X server resets when its last client leaves, and refuses connections meanwhile;
# the next test program would then fail to reach it.
xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp -noreset" \
  ctest --output-on-failure --no-tests=error -j2 "$@"

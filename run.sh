#!/usr/bin/env bash
# Builds Agendix and starts it in its data directory (~/.local/share/agendix, created when missing).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$here/tools/install-deps"
cmake -S "$here" -B "$here/build-release" -G Ninja -DCMAKE_BUILD_TYPE=Release -DAGENDIX_TESTS=OFF >/dev/null
cmake --build "$here/build-release"
data="${XDG_DATA_HOME:-$HOME/.local/share}/agendix"
mkdir -p "$data"
cd "$data"
exec "$here/build-release/src/shell/agendix" "$@"

#!/usr/bin/env bash
# Installs what is missing, builds the line-list benchmark optimised and runs it. Arguments go to
# the benchmark (for example --benchmark_filter=SearchLines). The last two lines are the figures
# to watch: the refresh's parse and merge against simdjson's parse of the same list, and one search
# with its fill, both at 100,000 lines.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target line_list_bench
build/release/bench/line_list_bench "$@"

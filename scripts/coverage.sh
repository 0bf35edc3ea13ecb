#!/usr/bin/env bash
# Builds the engine and its tests with clang's source-based coverage, runs
# every test (the end-to-end runs of the program included), and prints the
# line and branch coverage of src/.
#   scripts/coverage.sh [BUILD_DIR]     (default build-coverage)
# Needs clang and llvm-cov/llvm-profdata (scripts/install-deps.sh installs them).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${1:-build-coverage}
jobs=$(nproc 2>/dev/null || echo 2)

llvm_tool() {
  for name in "$1" "$1-14" "$1-15" "$1-16"; do
    command -v "$name" >/dev/null 2>&1 && { echo "$name"; return; }
  done
  echo "coverage.sh: $1 not found (install llvm)" >&2
  exit 1
}
profdata=$(llvm_tool llvm-profdata)
cov=$(llvm_tool llvm-cov)

unset DISPLAY WAYLAND_DISPLAY
export SDL_AUDIODRIVER=dummy

flags="-fprofile-instr-generate -fcoverage-mapping"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DWF_BENCH=OFF \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
  -DCMAKE_EXE_LINKER_FLAGS="-fprofile-instr-generate" >/dev/null
ninja -C "$build"

profiles=$root/$build/profiles
rm -rf "$profiles"
mkdir -p "$profiles"
# %p keeps the programs that the end-to-end scripts start apart; %m merges
# the runs of one binary.
(cd "$build" && LLVM_PROFILE_FILE="$profiles/%p-%m.profraw" ctest -j "$jobs" --output-on-failure) || true
"$profdata" merge -sparse "$profiles"/*.profraw -o "$build/coverage.profdata"

# Every binary that holds engine code: the program, the tools and the tests.
objects=()
for exe in "$build/wolkenfahrt" $(find "$build/tests" "$build/tools" -maxdepth 3 -type f -perm -u+x -name '*' ! -name '*.sh'); do
  file "$exe" | grep -q ELF && objects+=(-object "$exe")
done
"$cov" report "${objects[@]:1}" -instr-profile="$build/coverage.profdata" \
  -ignore-filename-regex="^(/usr|$root/(tests|tools|fuzz|bench)|$root/$build/(tests|tools|fuzz|bench|src|CMakeFiles))/" -show-branch-summary >"$build/coverage.txt"
tail -n 1 "$build/coverage.txt" | awk '{
  printf "src/ coverage: lines %s (%s of %s), branches %s (%s of %s)\n",
         $10, $8 - $9, $8, $13, $11 - $12, $11 }'
echo "per-file report: $build/coverage.txt"

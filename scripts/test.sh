#!/usr/bin/env bash
# Builds and runs every test: the include layers, the code's format, the POSIX
# build, the sanitizer build (each with the knock page in headless Chromium among its
# end-to-end tests), the Windows program under Wine and a short fuzzing pass. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."

source scripts/apt_install.sh

step() { printf '\n=== %s\n' "$*"; }

# xmllint checks the task XML in the end-to-end tests.
install_xmllint() {
  command -v xmllint >/dev/null && return
  step "install xmllint"
  apt_install xmllint libxml2-utils || exit 1
}

# Headless Chromium, driven by Node.js, knocks with the page of "quennetctl page" in
# the end-to-end tests; without them that test is skipped.
install_browser() {
  local missing=()
  command -v chromium >/dev/null || missing+=(chromium)
  command -v node >/dev/null || missing+=(nodejs)
  [[ ${#missing[@]} == 0 ]] && return
  step "install ${missing[*]}"
  apt_install "${missing[*]}" "${missing[@]}" || echo "the knock page test in a browser skipped"
}

posix_leg() {
  local preset
  install_xmllint
  install_browser
  for preset in default asan; do
    step "build and test: $preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    ctest --preset "$preset" -j "$(nproc)"
  done
  step "build: the benchmark cases (run by scripts/bench.sh, not here)"
  cmake --preset bench >/dev/null
  cmake --build --preset bench --target quennet_bench
}

# Prints the Windows build and test tools that are missing, if any.
missing_windows_tools() {
  local missing=()
  command -v x86_64-w64-mingw32-g++-posix >/dev/null || missing+=(x86_64-w64-mingw32-g++-posix)
  command -v wine >/dev/null || missing+=(wine)
  # Debian keeps the 64-bit loader out of PATH.
  command -v wine64 >/dev/null || [[ -x /usr/lib/wine/wine64 ]] || missing+=(wine64)
  echo "${missing[*]}"
}

windows_leg() {
  local missing
  missing=$(missing_windows_tools)
  if [[ -n $missing ]]; then
    step "install the Windows tools: $missing"
    apt_install "$missing" g++-mingw-w64-x86-64-posix wine64 wine || { echo "Windows leg skipped"; return 0; }
  fi
  step "build: windows"
  cmake --preset windows >/dev/null
  cmake --build --preset windows
  step "Wine: end-to-end tests"
  tests/wine/end_to_end_test.sh
  step "Wine: the knock client against the loopback stand-in"
  tests/wine/knock_test.sh
  step "package"
  check_package "$(scripts/package.sh)"
}

# The zip holds the five files, whose checksums match, and a README in CR LF.
check_package() {
  local unpacked listing
  unpacked=$(mktemp -d)
  listing=$(unzip -Z1 "$1" | sort | tr '\n' ' ')
  [[ $listing == "README.txt SHA256SUMS quennet-knock.exe quennet.exe quennetctl.exe " ]] || { echo "FAIL: the zip holds $listing" >&2; return 1; }
  unzip -q "$1" -d "$unpacked"
  (cd "$unpacked" && sha256sum --quiet -c SHA256SUMS) || { echo "FAIL: the checksums do not match" >&2; return 1; }
  [[ $(grep -c $'\r$' "$unpacked/README.txt") == $(wc -l < "$unpacked/README.txt") ]] ||
    { echo "FAIL: README.txt has lines without CR LF" >&2; return 1; }
  rm -rf "$unpacked"
  echo "ok    $1"
}

fuzz_leg() {
  step "fuzz: each target for 20 s"
  scripts/fuzz.sh 20
}

step "every include points down"
scripts/check_layers.sh
step "the C++ files follow .clang-format"
scripts/check_format.sh
posix_leg
windows_leg
fuzz_leg
step "all tests passed"

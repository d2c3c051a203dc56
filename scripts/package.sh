#!/usr/bin/env bash
# Builds the Windows programs and packs them into quennet-VERSION-windows-x64.zip:
# quennet.exe, quennetctl.exe, quennet-knock.exe, README.txt (CR LF line ends) and SHA256SUMS. Installs
# zip with apt-get when it is missing and this runs as root. Prints the zip's path.
# Usage: scripts/package.sh [output folder, build unless given]
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(mkdir -p "${1:-build}" && cd "${1:-build}" && pwd)
version=$(sed -nE 's/^project\(quennet VERSION ([0-9.]+).*/\1/p' CMakeLists.txt)
zip_file=$out/quennet-$version-windows-x64.zip

source scripts/apt_install.sh
command -v zip >/dev/null || apt_install zip zip || exit 1
cmake --preset windows >/dev/null
cmake --build --preset windows >&2

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp build/windows/quennet.exe build/windows/quennetctl.exe build/windows/quennet-knock.exe "$stage/"
sed 's/$/\r/' > "$stage/README.txt" <<TEXT
Quennet $version for Windows (x64)

quennet.exe        checks one port knock against the Windows Firewall log and,
                   when it is complete, opens the protected port to the address
                   that knocked
quennetctl.exe     wires Quennet to a knock (a scheduled task on the firewall's
                   event of a dropped packet), closes what it opened, shows the state
quennet-knock.exe  the client, for the machines that knock, for example
                   quennet-knock.exe server.example.org 7100,3301,49152
SHA256SUMS         the SHA-256 of each file; compare with:
                   certutil -hashfile FILE SHA256

All three are single programs with nothing else to install. Put them in a folder that
only administrators can write, such as C:\\Program Files\\Quennet, then, from an
elevated prompt in that folder:

  quennetctl check 7100,3301,49152
  quennetctl install --print 7100,3301,49152 dt KnockRDP 30 3389
  quennetctl install --close-after 30 7100,3301,49152 dt KnockRDP 30 3389

install closes the folder to everyone but SYSTEM and Administrators; with
--close-after, each address's rule closes 30 minutes after its own latest knock.

"quennetctl page server.example.org 7100,3301,49152" writes a web page that knocks
from any browser, a phone's too; it holds the knock, so keep it as private.
"quennet --help > usage.txt" and "quennetctl SUBCOMMAND --help" tell more.
TEXT
(cd "$stage" && sha256sum quennet.exe quennetctl.exe quennet-knock.exe README.txt > SHA256SUMS)
rm -f "$zip_file"
(cd "$stage" && zip -q -X "$zip_file" quennet.exe quennetctl.exe quennet-knock.exe README.txt SHA256SUMS)
echo "$zip_file"

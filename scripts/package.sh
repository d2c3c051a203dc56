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
                   event of a dropped packet), checks every link, closes what it
                   opened
quennet-knock.exe  the client, for the machines that knock
SHA256SUMS         the SHA-256 of each file

Quick start

1. Check each file: "certutil -hashfile quennetctl.exe SHA256" must print the hash
   that SHA256SUMS lists beside it (the same for the other two programs).
2. From an elevated prompt, copy quennet.exe and quennetctl.exe into a folder that
   only administrators can write; the task runs quennet.exe from there as SYSTEM:

     mkdir "C:\\Program Files\\Quennet"
     copy quennet.exe "C:\\Program Files\\Quennet\\"
     copy quennetctl.exe "C:\\Program Files\\Quennet\\"

3. In that folder, choose a knock, see what install would do, then do it:

     cd "C:\\Program Files\\Quennet"
     quennetctl check 7100,3301,49152
     quennetctl install --print --close-after 30 7100,3301,49152 dt KnockRDP 30 3389
     quennetctl install --close-after 30 7100,3301,49152 dt KnockRDP 30 3389

   A knock on 7100, 3301 and 49152 in that order within 30 seconds opens TCP 3389
   to the knocking address, for 30 minutes after its latest knock. install closes
   the folder to everyone but SYSTEM and Administrators. Quennet only adds rules
   that allow: turn off any other rule that lets the port in (for Remote Desktop:
   netsh advfirewall firewall set rule group="remote desktop" new enable=no).
4. quennetctl status KnockRDP checks every link a knock needs and ends with
   "all 9 checks hold" (exit status 0).
5. On a client: quennet-knock --open 3389 server.example.net 7100,3301,49152
   prints "port 3389 open after 6.2 s", or exits with status 5 when it stays closed.

When nothing opens

quennetctl status RULE, from an elevated prompt, prints one line per link, "ok" or
"FAIL" with the commands that mend it: the audit of dropped packets (a Group
Policy's advanced audit policy overrides the local setting), dropped-packet logging
in every profile, the log file every profile writes, the age of the log's newest
line (at most 24 hours), the Security log (full with less than 24 hours of events,
or keeping old events, fails), the knock task and the closing task, the program
folder and Quennet's folder. Its exit status is 1 when any check fails.

Many hosts

install may run again at any time, for example from a Group Policy computer
start-up script, an Intune script or a configuration tool: with the same
arguments it changes nothing that matters; with others the host ends up as a first
install with them leaves it (a closing task not asked for is removed, the rules of
the old port closed). Other RULE names are separate set-ups and stay. Monitor with
the exit status of quennetctl status RULE; forward Quennet's events 100 (knock) and
101 (closed) from the Application log with Windows Event Forwarding, for the
provider Quennet and the user S-1-5-18.

"quennetctl page server.example.org 7100,3301,49152" writes a web page that knocks
from any browser, a phone's too; it holds the knock, so keep it as private.
"quennet --help > usage.txt" and "quennetctl SUBCOMMAND --help" tell more.
TEXT
(cd "$stage" && sha256sum quennet.exe quennetctl.exe quennet-knock.exe README.txt > SHA256SUMS)
rm -f "$zip_file"
(cd "$stage" && zip -q -X "$zip_file" quennet.exe quennetctl.exe quennet-knock.exe README.txt SHA256SUMS)
echo "$zip_file"

#pragma once

namespace quennet {

inline constexpr const char* kCtlUsage = R"(Usage: quennetctl SUBCOMMAND [--help | ARGUMENTS]

Wires Quennet to a Windows host and closes what it opened.

  install    register the task that starts Quennet on a knock, and prepare the host
  uninstall  remove the tasks, close the rule, say what stays
  task       print the Task Scheduler XML that install registers
  close      remove the firewall rules that Quennet opened
  expire     close each address whose knock is older than the time it may stay open
  status     check each link a knock needs; the rules, the knocks, the log files
  check      warn about a knock that is easy to hit by chance
  page       write a web page that knocks from any browser

"quennetctl SUBCOMMAND --help" tells more. Each command that quennetctl starts is
shown with its exit status; the first that fails ends quennetctl with status 1.
)";

inline constexpr const char* kKnockArguments = R"(
  PORTS     the knock ports in order: 701,702,703
  ACTIONS   Quennet's action codes; the last one must be dt, du or di, since the task
            starts on the Security event of a dropped packet (5152)
  RULE      the firewall rule to open: letters, digits, '.', '-' and '_'
  SECONDS   the time window of the knock
  PORT      the TCP port to open
  --strict  the default: Quennet counts a line only by its destination port, and
            any other packet of the knocking address between knock ports spoils
            the attempt
  --lenient Quennet's own default instead: a knock port counts wherever it
            stands in a line, so any sweep through the knock ports in order
            opens the port to the sweeper (warned about)
  --close-after MINUTES
            also the task "Quennet RULE close", which runs "quennetctl expire RULE
            PORT MINUTES" every minute and at start-up: each address's rule closes
            MINUTES after that address's latest verified knock
)";

inline constexpr const char* kTaskUsage =
    R"(Usage: quennetctl task [--strict | --lenient] [--close-after MINUTES] PORTS ACTIONS RULE SECONDS PORT

Prints the Task Scheduler XML, in the UTF-16 that "schtasks /create /xml" reads, of
a task that starts quennet.exe from this program's folder as SYSTEM on every inbound
packet of the last action's protocol that the firewall drops at the last knock port.
It passes the packet's source address as token 5, so Quennet need not search the log
for it, and PORT as token 6. Runs may overlap, start on batteries too, and stop after
five minutes. With --close-after the closing task's XML follows as a second document.
)";

inline constexpr const char* kInstallUsage =
    R"(Usage: quennetctl install [--print] [--strict | --lenient] [--close-after MINUTES] PORTS ACTIONS RULE SECONDS PORT

Needs an elevated prompt, and this program's folder writable only by SYSTEM,
Administrators and TrustedInstaller. Warns as "check" does, then:
  enables the audit of dropped packets (by its GUID), which writes event 5152;
  makes the firewall log dropped packets at its usual place, up to 32,767 KB;
  gives this program's folder and all in it an access list of SYSTEM and
  Administrators only (icacls);
  makes Tolvaren\Quennet in the shared application-data folder the same way,
  taking over a Tolvaren that others own or may change and making its Quennet
  afresh;
  writes the task XML beside the program as "Quennet RULE.xml", registers it as
  the task "Quennet RULE" ("Quennet RULE close" too, with --close-after) and
  removes it again; only SYSTEM and Administrators may read the tasks.
Run again, it leaves the host as one install with these arguments would: it
removes the closing task when --close-after is not given, closes the rules of
RULE when PORT changed, and removes task XML files left beside the program. The
set-ups of other rules stay.
  --print   print every command and XML file instead, and change nothing
)";

inline constexpr const char* kUninstallUsage = R"(Usage: quennetctl uninstall RULE PORT

Removes the tasks "Quennet RULE" and "Quennet RULE close", closes the rule as
"close" does, removes task XML files left beside the program, removes %windir%\pfirewall.log when it is the symbolic link to the
firewall log that earlier installs made, and says which settings stay and how to
revert them.
)";

inline constexpr const char* kCloseUsage = R"(Usage: quennetctl close RULE PORT

Removes every firewall rule named RULE at once (Windows Vista and later), or the
port opening of TCP PORT (XP, Server 2003 and older), and records the event 101
"Quennet - Port Closed" in the Application log. No rule to remove is no failure.
)";

inline constexpr const char* kExpireUsage =
    R"(Usage: quennetctl expire [--now TIME] RULE PORT MINUTES

Reads Quennet's events 100 (a verified knock) and 101 (closed) from the Application
log, trusting only those that SYSTEM wrote, and closes the rule RULE of each address
whose latest knock is MINUTES old or older and was not closed since: it removes that
address's rules and records the event 101 "Quennet - Port Closed" with the address.
A rule of that name that no such knock accounts for (a cleared log, a rule made by
hand) is closed too. On Windows XP and Server 2003 the port opening of TCP PORT
goes once every knock on record is that old. Running it again changes nothing.
  --now TIME  take TIME (UTC, like 2012-07-17T08:17:07Z) as the present
)";

inline constexpr const char* kStatusUsage = R"(Usage: quennetctl status RULE

Shows the firewall rules of RULE, each address whose knock SYSTEM recorded with
when its rule opened and when it closes (UTC), the Windows version, the firewall
log that Quennet reads on this host and the last lines of error.log and velt.log.
Then checks each link that a knock needs, one line each, "ok" or "FAIL" with the
commands that mend it: the audit of dropped packets, the logging of dropped
packets in every profile, the log file every profile writes, the age of that log's
newest line (24 hours at most), the Security log's room for a day of events, the
knock task and the closing task, the program folder and Quennet's folder. Exit
status 0 when every check holds, 1 otherwise. auditpol and wevtutil need an
elevated prompt.
)";

inline constexpr const char* kCheckUsage = R"(Usage: quennetctl check [--lenient] PORTS

Warns about a knock that is easy to hit by chance: fewer than three ports, ports in
ascending or descending order, ports within ten of each other, a repeated port,
ports below 1024, ports that browsers refuse to connect to (which a knock page
cannot send), and with --lenient the mode itself. Exit status 0 when there is
nothing to warn about, 1 otherwise.
)";

inline constexpr const char* kPageUsage = R"(Usage: quennetctl page [options] HOST PORTS [ACTIONS]

Writes one HTML file that knocks on HOST from any browser: opened from a file or a
web space, on a phone too. It loads nothing and shows the host, not the ports; its
Knock button makes one abandoned connection attempt to each of PORTS in order, then
the nudge, as quennet-knock does, and says when the knock went out and until when
its window lasts. Nothing is sent when the page loads.

  HOST      a host name, an IPv4 address or an IPv6 address (brackets allowed)
  PORTS     the knock ports in order: 7133,2280,5391
  ACTIONS   quennet's action codes for them, TCP only: dt or at (default dt).
            A browser sends neither UDP nor ICMP, and refuses the bad ports of
            the Fetch standard (such as 6000 and 6665 to 6669)

Options:
  --out FILE         the file to write (default "Quennet knock HOST.html" in the
                     current folder; "-" for standard output)
  --window SECONDS   the knock's time window, as quennet is given it (default 30)
  --delay MS         pause between knock attempts (default 200)
  --nudge-after MS   pause between the last knock and the nudge (default 2000)
  --nudge PORT       the port of the nudge (default: the port after the highest
                     knock port that is not a knock port)
  --no-nudge         send no nudge

The page holds the knock as plainly as a command line does: keep it where the knock
itself is kept.
)";

}  // namespace quennet

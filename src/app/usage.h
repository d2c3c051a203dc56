#pragma once

namespace quennet {

// What --help prints.
inline constexpr const char* kUsage =
    R"(Usage: quennet [--strict] PORTS ACTIONS RULE SECONDS [PORT | ADDRESS] [PORT | DATE] [PORT]

Checks that one address knocked on PORTS, in order, inside SECONDS, by reading a copy
of the Windows Firewall log; then records the knock in the Application event log and
opens PORT to that address with netsh.

  --strict    recommended; only as the first argument. A log line counts for a knock
              port only when the port is its destination port, and any other packet
              from the knocking address between the first and the last knock port
              spoils the attempt (a repeat of the port just knocked does not). A plain
              port scan then opens nothing, unless the knock ports are adjacent and
              ascending. Without it a port counts in any field of the line, and other
              packets between the knock ports are ignored.
  1 PORTS     the knock ports in order, separated by commas: 701,702,703
  2 ACTIONS   what the firewall logged for each knock, paired with the ports; the
              last one also serves the ports after it: at au ai (allowed TCP, UDP,
              ICMP), dt du di (dropped TCP, UDP, ICMP)
  3 RULE      the name of the firewall rule to add
  4 SECONDS   the time window that ends when Quennet starts
  5 optional  a number: the port to open; otherwise the knocking address, which
              spares the search for it in the log
  6 optional  a number: the port to open; otherwise a date the window ends at
  7 optional  the port to open, whatever tokens 5 and 6 hold

Example: quennet --strict 7133,2280,5391 dt KnockRDP 30 3389

Log files "error.log", "velt.log" and "Debug.log" are written beside the program.

Environment:
  QUENNET_DEBUG=1          write the reasons for every verdict to "Debug.log"
  On POSIX hosts, which stand in for Windows:
  windir                   the Windows folder that holds the firewall log
  QUENNET_REGISTRY         a registry export naming "Common AppData"
  QUENNET_WINDOWS_VERSION  PLATFORM.MAJOR.MINOR.BUILD, for example 2.6.1.7601
)";

}  // namespace quennet

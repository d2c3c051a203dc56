#pragma once

namespace quennet {

// What --help prints.
inline constexpr const char* kUsage = R"(Usage: quennet PORTS ACTIONS RULE SECONDS [PORT | ADDRESS] [PORT | DATE] [PORT]

Checks that one address knocked on PORTS, in order, inside SECONDS, by reading a copy
of the Windows Firewall log; then records the knock in the Application event log and
opens PORT to that address with netsh.

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

Example: quennet 701,702,703 dt KnockRDP 30 3389

Log files "error.log", "velt.log" and "Debug.log" are written beside the program.

Environment:
  QUENNET_DEBUG=1          write the reasons for every verdict to "Debug.log"
  On POSIX hosts, which stand in for Windows:
  windir                   the Windows folder that holds the firewall log
  QUENNET_REGISTRY         a registry export naming "Common AppData"
  QUENNET_WINDOWS_VERSION  PLATFORM.MAJOR.MINOR.BUILD, for example 2.6.1.7601
)";

}  // namespace quennet

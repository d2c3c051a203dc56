#pragma once

namespace quennet {

// What quennet-knock --help prints.
inline constexpr const char* kKnockUsage = R"(Usage: quennet-knock [options] HOST PORTS [ACTIONS]

Knocks on HOST: one packet to each of PORTS, in order, for a host that checks the
knock with quennet.

  HOST      a name, an IPv4 address or an IPv6 address (brackets allowed)
  PORTS     the knock ports in order, separated by commas: 701,702,703
  ACTIONS   quennet's action codes, paired with the ports; the last one also serves
            the ports after it (default dt). dt and at send a TCP connection attempt
            (one SYN, abandoned before it would be sent again), du and au an empty
            UDP datagram. ICMP codes (di, ai) are refused.

Options:
  -4, -6             resolve HOST to an IPv4 or IPv6 address only
  --delay MS         pause between knock packets (default 200)
  --nudge-after MS   pause between the last knock and the nudge (default 2000)
  --nudge PORT       the port of the nudge (default: the port after the highest
                     knock port that is not a knock port)
  --no-nudge         send no nudge
  --open PORT        after the knock, try a TCP connection to PORT every half second
                     until one is accepted, and say how long it took; no nudge then,
                     unless --nudge asks for it, since these attempts end quennet's
                     wait as the nudge does
  --timeout SECONDS  how long --open tries (default 30)
  -q                 print nothing but errors
  --help             print this text

The nudge: after the last knock quennet-knock sends one more TCP connection attempt,
to a port outside the knock. quennet waits until the firewall log holds a line at
least as new as its own start, and on a quiet host the knock itself is older; the
line the nudge leaves lets it go on in seconds instead of a minute. It plays no part
in the knock.

Prints one line per packet sent, and with --open "port 3389 open after 6.2 s" or
"port 3389 still closed after 30 s". Exit status: 0 every packet went out (and the
port opened), 2 a bad command line, 3 HOST does not resolve, 4 a packet could not be
sent (no route), 5 the --open port stayed closed.

Example: quennet-knock --open 3389 server.example.net 7133,2280,5391
)";

}  // namespace quennet

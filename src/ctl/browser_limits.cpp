#include "ctl/browser_limits.h"

#include <algorithm>
#include <iterator>

#include "shared/usage_error.h"
#include "text/ascii.h"
#include "text/text_split.h"
#include "unlock/address_literal.h"

namespace quennet {
namespace {

struct BadPort {
  long port;
  const char* service;
};

// The Fetch standard's bad ports, in its order, with the service each one protects.
constexpr BadPort kBadPorts[] = {
    {1, "tcpmux"},          {7, "echo"},          {9, "discard"},    {11, "systat"},
    {13, "daytime"},        {15, "netstat"},      {17, "qotd"},      {19, "chargen"},
    {20, "ftp-data"},       {21, "ftp"},          {22, "ssh"},       {23, "telnet"},
    {25, "smtp"},           {37, "time"},         {42, "name"},      {43, "nicname"},
    {53, "domain"},         {69, "tftp"},         {77, "priv-rjs"},  {79, "finger"},
    {87, "ttylink"},        {95, "supdup"},       {101, "hostname"}, {102, "iso-tsap"},
    {103, "gppitnp"},       {104, "acr-nema"},    {109, "pop2"},     {110, "pop3"},
    {111, "sunrpc"},        {113, "auth"},        {115, "sftp"},     {117, "uucp-path"},
    {119, "nntp"},          {123, "ntp"},         {135, "epmap"},    {137, "netbios-ns"},
    {139, "netbios-ssn"},   {143, "imap2"},       {161, "snmp"},     {179, "bgp"},
    {389, "ldap"},          {427, "afp"},         {465, "smtp"},     {512, "exec"},
    {513, "login"},         {514, "shell"},       {515, "printer"},  {526, "tempo"},
    {530, "courier"},       {531, "chat"},        {532, "netnews"},  {540, "uucp"},
    {548, "afp"},           {554, "rtsp"},        {556, "remotefs"}, {563, "nntp+ssl"},
    {587, "smtp"},          {601, "syslog-conn"}, {636, "ldap+ssl"}, {989, "ftps-data"},
    {990, "ftps"},          {993, "imap+ssl"},    {995, "pop3+ssl"}, {1719, "h323gatestat"},
    {1720, "h323hostcall"}, {1723, "pptp"},       {2049, "nfs"},     {3659, "apple-sasl"},
    {4045, "lockd"},        {4190, "sieve"},      {5060, "sip"},     {5061, "sips"},
    {6000, "x11"},          {6566, "sane-port"},  {6665, "irc"},     {6666, "irc"},
    {6667, "irc"},          {6668, "irc"},        {6669, "irc"},     {6679, "osaut"},
    {6697, "irc+tls"},      {10080, "amanda"},
};

// Letters, digits and inner hyphens, at most 63 of them.
bool IsLabel(const std::string& label) {
  return !label.empty() && label.size() <= 63 && label.front() != '-' && label.back() != '-' &&
         std::all_of(label.begin(), label.end(),
                     [](char c) { return IsLetter(c) || IsDigit(c) || c == '-'; });
}

// A browser reads a name whose last label is a number (or 0x...) as an IPv4 address,
// so the last label of a name begins with a letter.
bool IsHostName(const std::string& host) {
  const std::vector<std::string> labels = SplitAll(host, '.');
  return host.size() <= 253 && std::all_of(labels.begin(), labels.end(), IsLabel) &&
         IsLetter(labels.back()[0]);
}

}  // namespace

std::string BadPortReason(long port) {
  const auto* bad = std::find_if(std::begin(kBadPorts), std::end(kBadPorts),
                                 [&](const BadPort& b) { return b.port == port; });
  if (bad == std::end(kBadPorts)) return "";
  return "port " + std::to_string(port) + " (" + bad->service +
         ") is a bad port, one that browsers refuse to connect to";
}

std::string BrowserUrlHost(const std::string& host) {
  // An address a knock can go to: no 0.0.0.0, no multicast.
  const bool literal = IsSenderAddress(host);
  if (literal && host.find(':') != std::string::npos) return "[" + host + "]";
  if (literal || IsHostName(host)) return host;
  throw UsageError(
      "HOST: \"" + host +
      "\" is neither a host name (letters, digits, '-' and '.') nor an IPv4 or IPv6 address " +
      "that a browser can knock on (no zone, no broadcast or multicast)");
}

}  // namespace quennet

#include "firewall_records.h"

#include <random>
#include <string_view>

namespace quennet::bench {
namespace {

class RecordMaker {
 public:
  explicit RecordMaker(bool drops_only) : drops_only_(drops_only) {}

  std::string Next() {
    const bool ipv6 = Between(1, 100) <= 6;
    const std::string here = ipv6 ? "2001:db8::20" : "192.0.2.20";
    const std::string remote =
        ipv6 ? "2001:db8:" + std::to_string(Between(1, 4095)) +
                   "::" + std::to_string(Between(1, 9999))
             : Pick({"198.51.100.", "203.0.113.", "93.184.216."}) + std::to_string(Between(1, 254));
    const std::string ephemeral = std::to_string(Between(49152, 65535));
    const int roll = drops_only_ ? 1 : Between(1, 100);
    if (roll <= 35) {
      return "DROP TCP " + remote + " " + here + " " + ephemeral + " " +
             Pick({"22", "135", "445", "1433", "3389", "8080"}) + " " + Pick({"44", "52", "60"}) +
             " S " + std::to_string(Between(1000000000, 2147483647)) + " 0 " +
             Pick({"8192", "29200", "64240", "65535"}) + " - - - RECEIVE";
    }
    if (roll <= 45) {
      return "DROP UDP " + remote + " " + here + " " + ephemeral + " " +
             Pick({"53", "137", "161", "1900", "5353"}) + " " + std::to_string(Between(40, 600)) +
             " - - - - - - - RECEIVE";
    }
    if (roll <= 50) return "DROP ICMP " + remote + " " + here + " - - 84 - - - - 8 0 - RECEIVE";
    if (roll <= 85) {
      return "ALLOW TCP " + here + " " + remote + " " + ephemeral + " " +
             Pick({"80", "443", "993"}) + " 0 - - - - - - - SEND " +
             std::to_string(Between(1000, 9000));
    }
    return "ALLOW UDP " + here + " " + remote + " " + ephemeral + " " + Pick({"53", "123"}) +
           " 0 - - - - - - - SEND " + std::to_string(Between(1000, 9000));
  }

 private:
  int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  std::string Pick(std::initializer_list<std::string_view> choices) {
    return std::string(choices.begin()[Between(0, static_cast<int>(choices.size()) - 1)]);
  }

  bool drops_only_;
  std::mt19937 random_{20120717};
};

}  // namespace

std::string FirewallRecords(std::size_t bytes, const std::string& stamp, bool drops_only) {
  const std::string prefix = stamp.empty() ? "" : stamp + " ";
  RecordMaker maker(drops_only);
  std::string text;
  text.reserve(bytes + 256);
  while (text.size() < bytes) text += prefix + maker.Next() + "\r\n";
  return text;
}

}  // namespace quennet::bench

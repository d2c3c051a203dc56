#include "app/ip_address.h"

namespace quennet {

bool IsIPaddress(const std::string& strTextToIP) {
  return strTextToIP.find_first_not_of("1234567890abcdef.:") == std::string::npos;
}

}  // namespace quennet

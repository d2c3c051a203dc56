// The address check of the run must accept exactly what the system's inet_pton does.
#include <arpa/inet.h>
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "unlock/address_literal.h"

namespace quennet {
namespace {

bool InetPtonAccepts(const std::string& text) {
  unsigned char buffer[16];
  return inet_pton(AF_INET, text.c_str(), buffer) == 1 || inet_pton(AF_INET6, text.c_str(), buffer) == 1;
}

TEST(InetPtonAgreement, RandomTextsOfAddressCharacters) {
  const std::string alphabet = "0123456789abcdefABCDEF:::...";
  std::mt19937 random(20121717);
  for (int i = 0; i < 200000; ++i) {
    std::string text;
    const int length = static_cast<int>(random() % 24);
    for (int c = 0; c < length; ++c) text += alphabet[random() % alphabet.size()];
    ASSERT_EQ(IsSingleAddressLiteral(text), InetPtonAccepts(text)) << '"' << text << '"';
  }
}

}  // namespace
}  // namespace quennet

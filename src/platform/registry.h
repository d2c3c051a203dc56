#pragma once

#include <cstdint>
#include <string>

namespace quennet {

using RegHandle = std::uintptr_t;

inline constexpr RegHandle kHkeyLocalMachine = 0x80000002;

inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegMultiSz = 7;

inline constexpr std::int32_t kErrorSuccess = 0;
inline constexpr std::int32_t kErrorFileNotFound = 2;
inline constexpr std::int32_t kErrorInvalidHandle = 6;
inline constexpr std::int32_t kErrorMoreData = 234;

// The registry in the shape of the Win32 calls of the same names: result codes,
// never exceptions.
class RegistryService {
 public:
  virtual ~RegistryService() = default;
  // On success `key` is a non-zero handle; on failure it is left as it was.
  virtual std::int32_t RegOpenKeyA(RegHandle root, const std::string& sub_key, RegHandle& key) = 0;
  // Reports the value's type and size in bytes; with `data`, also copies up to
  // `size` bytes of it (string data as 8-bit text with its NUL). `size` is passed
  // in and out.
  virtual std::int32_t RegQueryValueExA(RegHandle key, const std::string& value_name,
                                        std::uint32_t& type, unsigned char* data,
                                        std::uint32_t& size) = 0;
  virtual std::int32_t RegCloseKey(RegHandle key) = 0;
};

}  // namespace quennet

#include "update/integrity.h"

// Hashing, signing, checking and the hex codecs are stateless functions that
// need no sodium_init, and calling it would link every primitive's
// CPU-specific variants into the program: a tenth of its size.
#include <sodium.h>

#include <cstdint>
#include <vector>

namespace nimbul::update {

namespace {

std::string ToHex(const unsigned char* data, std::size_t size) {
  std::string hex(size * 2 + 1, '\0');
  sodium_bin2hex(&hex[0], hex.size(), data, size);
  hex.pop_back();
  return hex;
}

// Exactly `size` bytes from exactly 2*size hex digits.
bool FromHex(const std::string& hex, std::vector<unsigned char>* out, std::size_t size) {
  if (hex.size() != size * 2) return false;
  out->assign(size, 0);
  std::size_t got = 0;
  const char* end = nullptr;
  return sodium_hex2bin(out->data(), size, hex.data(), hex.size(), nullptr, &got, &end) == 0 && got == size &&
         end == hex.data() + hex.size();
}

std::uint32_t At32(const std::string& b, std::size_t at) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}

std::uint16_t At16(const std::string& b, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8);
}

}  // namespace

std::string Sha256Hex(const std::string& bytes) {
  unsigned char digest[crypto_hash_sha256_BYTES];
  crypto_hash_sha256(digest, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
  return ToHex(digest, sizeof digest);
}

bool IsWin32Executable(const std::string& b) {
  constexpr std::size_t kDosHeader = 64;
  constexpr std::uint16_t kI386 = 0x14C;
  constexpr std::uint16_t kPe32Magic = 0x10B;
  constexpr std::uint16_t kExecutableImage = 0x0002;
  if (b.size() < kDosHeader || b[0] != 'M' || b[1] != 'Z') return false;
  std::uint32_t pe = At32(b, 0x3C);
  // Signature (4), file header (20), then the optional header's magic (2).
  if (pe < kDosHeader || pe > b.size() || b.size() - pe < 4 + 20 + 2) return false;
  if (b.compare(pe, 4, std::string("PE\0\0", 4)) != 0) return false;
  std::size_t file = pe + 4;
  if (At16(b, file) != kI386) return false;
  if ((At16(b, file + 18) & kExecutableImage) == 0) return false;
  std::uint16_t optionalSize = At16(b, file + 16);
  if (optionalSize < 2 || b.size() - (file + 20) < optionalSize) return false;
  return At16(b, file + 20) == kPe32Magic;
}

std::string CheckDescription(const VersionDescription& d, const std::string& publicKeyHex) {
  if (publicKeyHex.empty()) return std::string();
  std::vector<unsigned char> key, signature, hash;
  if (!FromHex(publicKeyHex, &key, crypto_sign_PUBLICKEYBYTES))
    return "This program's key for checking updates is damaged.";
  if (d.lines.size() < 4 || !FromHex(d.sha256Hex, &hash, crypto_hash_sha256_BYTES) ||
      !FromHex(d.signatureHex, &signature, crypto_sign_BYTES))
    return "The version information is not signed.";
  std::string message = SignedPart(d.lines[0], d.url, d.sha256Hex);
  if (crypto_sign_verify_detached(signature.data(), reinterpret_cast<const unsigned char*>(message.data()),
                                  message.size(), key.data()) != 0)
    return "The signature of the version information is wrong.";
  return std::string();
}

std::string CheckProgramFile(const VersionDescription& d, const std::string& bytes, const std::string& publicKeyHex) {
  std::string description = CheckDescription(d, publicKeyHex);
  if (!description.empty()) return description;
  if (!IsWin32Executable(bytes)) return "The downloaded file is not a Windows program.";
  std::string expected = d.sha256Hex;
  for (char& c : expected) c = static_cast<char>(c >= 'A' && c <= 'F' ? c - 'A' + 'a' : c);
  if ((!publicKeyHex.empty() || !expected.empty()) && Sha256Hex(bytes) != expected)
    return "The downloaded file is not the one the version information describes.";
  return std::string();
}

std::string SignHex(const std::string& message, const std::string& secretKeyHex) {
  std::vector<unsigned char> key;
  if (!FromHex(secretKeyHex, &key, crypto_sign_SECRETKEYBYTES)) return std::string();
  unsigned char signature[crypto_sign_BYTES];
  crypto_sign_detached(signature, nullptr, reinterpret_cast<const unsigned char*>(message.data()), message.size(),
                       key.data());
  return ToHex(signature, sizeof signature);
}

}  // namespace nimbul::update

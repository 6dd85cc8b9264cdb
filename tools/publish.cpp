#include "publish.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

#include "update/integrity.h"

namespace nimbul::tools {

namespace {

// Little-endian reads that fail, rather than read past the end.
struct Bytes {
  const std::string& b;
  bool U16(std::size_t at, std::uint32_t* v) const {
    if (at > b.size() || b.size() - at < 2) return false;
    *v = static_cast<unsigned char>(b[at]) | static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8;
    return true;
  }
  bool U32(std::size_t at, std::uint32_t* v) const {
    std::uint32_t lo = 0, hi = 0;
    if (!U16(at, &lo) || !U16(at + 2, &hi)) return false;
    *v = lo | hi << 16;
    return true;
  }
};

constexpr std::uint32_t kRtVersion = 16;
constexpr std::uint32_t kFixedInfoSignature = 0xFEEF04BD;
constexpr std::uint32_t kSubdirectory = 0x80000000u;
// Deeper than type, name and language is no resource tree of a program.
constexpr int kMaxDepth = 3;

// The file offset of a relative virtual address, through the section table.
bool FileOffset(const Bytes& in, std::size_t table, std::uint32_t sections, std::uint32_t rva, std::size_t* out) {
  for (std::uint32_t i = 0; i < sections; ++i) {
    std::size_t s = table + 40u * i;
    std::uint32_t size = 0, start = 0, rawSize = 0, raw = 0;
    if (!in.U32(s + 8, &size) || !in.U32(s + 12, &start) || !in.U32(s + 16, &rawSize) || !in.U32(s + 20, &raw))
      return false;
    std::uint32_t extent = size > rawSize ? size : rawSize;
    if (rva >= start && rva - start < extent) {
      *out = static_cast<std::size_t>(raw) + (rva - start);
      return true;
    }
  }
  return false;
}

}  // namespace

std::optional<update::Version> ImageFileVersion(const std::string& bytes) {
  Bytes in{bytes};
  std::uint32_t pe = 0, sections = 0, optionalSize = 0, magic = 0, resourceRva = 0;
  if (bytes.size() < 0x40 || bytes.compare(0, 2, "MZ") != 0 || !in.U32(0x3C, &pe)) return std::nullopt;
  if (bytes.size() < pe || bytes.compare(pe, 4, std::string("PE\0\0", 4)) != 0) return std::nullopt;
  const std::size_t coff = pe + 4u, optional = coff + 20;
  if (!in.U16(coff + 2, &sections) || !in.U16(coff + 16, &optionalSize) || !in.U16(optional, &magic))
    return std::nullopt;
  // The data directories follow the optional header's fixed part; the
  // resource directory is the third of them.
  const std::size_t directories = optional + (magic == 0x10B ? 96 : 112);
  if (!in.U32(directories + 2 * 8, &resourceRva) || resourceRva == 0) return std::nullopt;
  const std::size_t table = optional + optionalSize;
  std::size_t root = 0;
  if (!FileOffset(in, table, sections, resourceRva, &root)) return std::nullopt;

  // The version type's entry, then the first entry of each level below it.
  std::uint32_t named = 0, ids = 0, target = 0;
  if (!in.U16(root + 12, &named) || !in.U16(root + 14, &ids)) return std::nullopt;
  bool found = false;
  for (std::uint32_t i = 0; i < named + ids && !found; ++i) {
    std::uint32_t name = 0;
    if (!in.U32(root + 16 + 8u * i, &name) || !in.U32(root + 20 + 8u * i, &target)) return std::nullopt;
    found = name == kRtVersion;
  }
  if (!found) return std::nullopt;
  for (int depth = 0; target & kSubdirectory; ++depth) {
    std::size_t dir = root + (target & ~kSubdirectory);
    if (depth == kMaxDepth || !in.U16(dir + 12, &named) || !in.U16(dir + 14, &ids) || named + ids == 0 ||
        !in.U32(dir + 20, &target))
      return std::nullopt;
  }
  std::uint32_t dataRva = 0, dataSize = 0;
  std::size_t data = 0;
  if (!in.U32(root + target, &dataRva) || !in.U32(root + target + 4, &dataSize) ||
      !FileOffset(in, table, sections, dataRva, &data))
    return std::nullopt;
  // VS_VERSIONINFO: three 16-bit fields, the key "VS_VERSION_INFO" in
  // UTF-16 with its terminator, padding to 32 bits, then the fixed file
  // information.
  constexpr std::size_t kFixedInfo = (6 + 16 * 2 + 3) & ~std::size_t{3};
  std::uint32_t signature = 0, ms = 0, ls = 0;
  if (dataSize < kFixedInfo + 16 || !in.U32(data + kFixedInfo, &signature) || signature != kFixedInfoSignature ||
      !in.U32(data + kFixedInfo + 8, &ms) || !in.U32(data + kFixedInfo + 12, &ls))
    return std::nullopt;
  return update::Version{ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF};
}

bool IsPlainHttpUrl(const std::string& url) {
  const std::string scheme = "http://";
  if (url.compare(0, scheme.size(), scheme) != 0) return false;
  for (char c : url)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F || c == ' ') return false;
  std::size_t slash = url.find('/', scheme.size());
  // A host, then a path that names something.
  return slash != std::string::npos && slash > scheme.size() && slash + 1 < url.size();
}

std::string CreateSecretKeyFile(const std::string& path, const std::string& text) {
  // O_EXCL: the file must be new; 0600 applies from its creation on, so the
  // key is never readable by others, not even for a moment.
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, S_IRUSR | S_IWUSR);
  if (fd < 0)
    return "cannot create " + path + (errno == EEXIST ? ": the file exists (a key is never overwritten)" : "");
  bool written = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
  written = ::close(fd) == 0 && written;
  if (written) return std::string();
  ::unlink(path.c_str());
  return "cannot write " + path;
}

std::string DescriptionFor(const std::string& programBytes, const std::string& url, const std::string& secretKeyHex) {
  std::optional<update::Version> v = ImageFileVersion(programBytes);
  if (!v || !IsPlainHttpUrl(url)) return std::string();
  // The comparison key gives each part four digits.
  for (std::uint32_t part : *v)
    if (part > 9999) return std::string();
  std::string version = std::to_string((*v)[0]) + "." + std::to_string((*v)[1]) + "." + std::to_string((*v)[2]) + "." +
                        std::to_string((*v)[3]);
  std::string text = update::SignedPart(version, url, update::Sha256Hex(programBytes));
  std::string signature = update::SignHex(text, secretKeyHex);
  if (signature.empty()) return std::string();
  return text + signature + "\r\n";
}

}  // namespace nimbul::tools

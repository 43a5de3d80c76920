#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace nt {

// SHA-256 (FIPS 180-4), fed in pieces: what `sha256sum` prints for the same bytes.
class Sha256 {
  public:
    Sha256();
    void Update(std::string_view bytes);
    // The digest as 64 lower-case hex digits; the object is spent afterwards.
    std::string HexDigest();

  private:
    void Block(const unsigned char* block);

    std::array<uint32_t, 8> state_;
    std::array<unsigned char, 64> pending_{};
    size_t pendingBytes_ = 0;
    uint64_t totalBytes_ = 0;
};

// A file's SHA-256 and size, read as it is.
struct FileDigest {
    std::string sha256;
    uint64_t bytes = 0;
};

// nullopt when the file cannot be opened or read (as OpenForReading refuses).
std::optional<FileDigest> DigestFile(const std::string& path);

}  // namespace nt

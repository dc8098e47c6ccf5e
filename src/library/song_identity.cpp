#include "library/song_identity.h"

#include <openssl/evp.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <memory>
#include <system_error>
#include <vector>

namespace library {

namespace {

constexpr std::size_t kChunkBytes = 1 << 20;

// OpenSSL's libcrypto, which every Debian system already carries, gives a
// SHA-256 that uses the processor's SHA instructions where there are any:
// hashing a long FLAC at start-up stays a matter of milliseconds.
using DigestContext = std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)>;

std::string hexOf(const unsigned char* bytes, unsigned int count) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    text.reserve(2 * count);
    for (unsigned int i = 0; i < count; ++i) {
        text += kDigits[bytes[i] >> 4];
        text += kDigits[bytes[i] & 0x0f];
    }
    return text;
}

} // namespace

std::optional<std::string> songIdentity(const std::filesystem::path& file, std::string& error) {
    std::error_code status;
    if (std::filesystem::is_directory(file, status)) {
        error = "it is a folder";
        return std::nullopt;
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        error = std::error_code(errno, std::generic_category()).message();
        return std::nullopt;
    }
    DigestContext context(EVP_MD_CTX_new(), &EVP_MD_CTX_free);
    if (!context || EVP_DigestInit_ex(context.get(), EVP_sha256(), nullptr) != 1) {
        error = "no SHA-256 in libcrypto";
        return std::nullopt;
    }
    std::vector<char> chunk(kChunkBytes);
    while (in) {
        in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
        const auto got = static_cast<std::size_t>(in.gcount());
        if (got > 0) {
            EVP_DigestUpdate(context.get(), chunk.data(), got);
        }
    }
    if (in.bad()) {
        error = "reading failed";
        return std::nullopt;
    }
    std::array<unsigned char, EVP_MAX_MD_SIZE> digest{};
    unsigned int length = 0;
    EVP_DigestFinal_ex(context.get(), digest.data(), &length);
    return hexOf(digest.data(), length);
}

} // namespace library

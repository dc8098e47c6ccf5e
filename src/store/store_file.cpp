#include "store/store_file.h"

#include "platform/file_moves.h"

#include <array>
#include <cstdint>
#include <ctime>
#include <fstream>

namespace store {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kHeaderBytes = 100;
constexpr char kMagic[] = "SQLite format 3";
constexpr const char* kCompanions[] = {"-wal", "-shm", "-journal"};

std::uint32_t bigEndian(const std::array<unsigned char, kHeaderBytes>& header, std::size_t at,
                        std::size_t bytes) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < bytes; ++i) {
        value = (value << 8) | header[at + i];
    }
    return value;
}

bool hasContent(const fs::path& file) {
    std::error_code status;
    const std::uintmax_t size = fs::file_size(file, status);
    return !status && size > 0;
}

fs::path withEnding(const fs::path& file, const char* ending) {
    return fs::path(file.string() + ending);
}

std::string formatUtc(std::chrono::system_clock::time_point moment, const char* format) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(moment);
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    std::array<char, 32> text{};
    std::strftime(text.data(), text.size(), format, &utc);
    return text.data();
}

} // namespace

std::optional<std::string> damageSeenInFile(const fs::path& file) {
    std::error_code status;
    const std::uintmax_t size = fs::file_size(file, status);
    if (status || size == 0) {
        return std::nullopt;
    }
    std::array<unsigned char, kHeaderBytes> header{};
    std::ifstream in(file, std::ios::binary);
    in.read(reinterpret_cast<char*>(header.data()), kHeaderBytes);
    if (static_cast<std::size_t>(in.gcount()) < kHeaderBytes ||
        !std::equal(std::begin(kMagic), std::end(kMagic), header.begin())) {
        return "it is not a SQLite database";
    }
    // The page count in the header holds only while the change counter
    // matches the version it was written with.
    const std::uint32_t pageSize = bigEndian(header, 16, 2) == 1 ? 65536 : bigEndian(header, 16, 2);
    const std::uint32_t pages = bigEndian(header, 28, 4);
    const bool countValid = pages > 0 && bigEndian(header, 24, 4) == bigEndian(header, 92, 4);
    if (countValid && !hasContent(withEnding(file, "-wal")) &&
        static_cast<std::uintmax_t>(pages) * pageSize > size) {
        return "it is cut short: " + std::to_string(size) + " of " +
               std::to_string(static_cast<std::uintmax_t>(pages) * pageSize) + " bytes";
    }
    return std::nullopt;
}

std::string utcTimestamp(std::chrono::system_clock::time_point moment) {
    return formatUtc(moment, "%Y-%m-%dT%H:%M:%SZ");
}

std::optional<fs::path> moveAside(const fs::path& file, std::chrono::system_clock::time_point now,
                                  std::string& error) {
    const std::string stem = file.string() + ".broken-" + formatUtc(now, "%Y%m%dT%H%M%SZ");
    constexpr int kTries = 100;
    for (int attempt = 1; attempt <= kTries; ++attempt) {
        const fs::path aside(attempt == 1 ? stem : stem + "-" + std::to_string(attempt));
        std::error_code status = platform::renameWithoutReplacing(file, aside);
        if (status == std::errc::file_exists) {
            continue;
        }
        if (status) {
            error = status.message();
            return std::nullopt;
        }
        for (const char* ending : kCompanions) {
            // A companion that will not move stays; the next store's SQLite
            // then refuses it rather than reading it as its own.
            platform::renameWithoutReplacing(withEnding(file, ending), withEnding(aside, ending));
        }
        return aside;
    }
    error = "every name for it beside the store is taken";
    return std::nullopt;
}

} // namespace store

#include "platform/tga_extent.h"

#include <cstddef>

namespace platform {
namespace {

constexpr std::size_t kHeaderSize = 18;

struct TgaHeader {
    std::size_t idLength;
    bool colourMapped;
    bool runLength;
    std::size_t mapSkip;      // the decoder skips the first entry index as bytes
    std::size_t mapBytes;     // entries times bytes per entry
    std::uint64_t pixelCount; // width times height
    std::size_t pixelBytes;   // bytes per stored pixel (or colour index)
};

std::size_t le16(const std::uint8_t* p) {
    return static_cast<std::size_t>(p[0] | (p[1] << 8));
}

std::size_t bytesFor(std::size_t bits) {
    return (bits + 7) / 8;
}

TgaHeader readHeader(const std::uint8_t* h) {
    TgaHeader header{};
    header.idLength = h[0];
    header.colourMapped = h[1] == 1;
    header.runLength = h[2] >= 8;
    if (header.colourMapped) {
        header.mapSkip = le16(h + 3);
        header.mapBytes = le16(h + 5) * bytesFor(h[7]);
    }
    header.pixelCount = static_cast<std::uint64_t>(le16(h + 12)) * le16(h + 14);
    header.pixelBytes = bytesFor(h[16]);
    return header;
}

// Each packet is a count byte and either one pixel repeated or that many
// literal pixels; every packet takes at least two bytes, so the walk ends
// within the file's length.
bool packetsComplete(const std::uint8_t* data, std::size_t size, std::uint64_t pixels,
                     std::size_t pixelBytes) {
    std::size_t pos = 0;
    std::uint64_t decoded = 0;
    while (decoded < pixels) {
        if (pos >= size) {
            return false;
        }
        const std::uint8_t packet = data[pos++];
        const std::size_t count = (packet & 0x7f) + 1u;
        const std::size_t payload = (packet & 0x80) != 0 ? pixelBytes : count * pixelBytes;
        if (size - pos < payload) {
            return false;
        }
        pos += payload;
        decoded += count;
    }
    return true;
}

} // namespace

bool tgaFileComplete(std::span<const std::uint8_t> file) {
    if (file.size() < kHeaderSize) {
        return false;
    }
    const TgaHeader header = readHeader(file.data());
    std::size_t pos = kHeaderSize + header.idLength + header.mapSkip + header.mapBytes;
    if (pos > file.size()) {
        return false;
    }
    const std::uint8_t* data = file.data() + pos;
    const std::size_t size = file.size() - pos;
    if (header.runLength) {
        return packetsComplete(data, size, header.pixelCount, header.pixelBytes);
    }
    return header.pixelCount * header.pixelBytes <= size;
}

} // namespace platform

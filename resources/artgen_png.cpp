#include "artgen_png.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace artgen {

namespace {

void PutBig32(Bytes& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

std::uint32_t Crc32(const Bytes& bytes, std::size_t first) {
    std::uint32_t crc = 0xFFFFFFFF;
    for (std::size_t i = first; i < bytes.size(); ++i) {
        crc ^= bytes[i];
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
        }
    }
    return ~crc;
}

std::uint32_t Adler32(const Bytes& bytes) {
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (const std::uint8_t byte : bytes) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

// Writes bits to a deflate stream, least significant bit first.
class BitWriter {
  public:
    void Bits(std::uint32_t value, int count) {
        for (int i = 0; i < count; ++i) {
            Bit((value >> i) & 1);
        }
    }
    // A Huffman code goes out from its most significant bit.
    void Code(std::uint32_t code, int length) {
        for (int i = length - 1; i >= 0; --i) {
            Bit((code >> i) & 1);
        }
    }
    Bytes Finish() {
        if (used_ > 0) {
            bytes_.push_back(current_);
        }
        return bytes_;
    }

  private:
    void Bit(std::uint32_t bit) {
        current_ = static_cast<std::uint8_t>(current_ | (bit << used_));
        if (++used_ == 8) {
            bytes_.push_back(current_);
            current_ = 0;
            used_ = 0;
        }
    }

    Bytes bytes_;
    std::uint8_t current_ = 0;
    int used_ = 0;
};

// A literal or length symbol in the fixed Huffman code of deflate.
void FixedSymbol(BitWriter& out, int symbol) {
    if (symbol < 144) {
        out.Code(static_cast<std::uint32_t>(0x30 + symbol), 8);
    } else if (symbol < 256) {
        out.Code(static_cast<std::uint32_t>(0x190 + symbol - 144), 9);
    } else if (symbol < 280) {
        out.Code(static_cast<std::uint32_t>(symbol - 256), 7);
    } else {
        out.Code(static_cast<std::uint32_t>(0xC0 + symbol - 280), 8);
    }
}

constexpr int kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                 31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr int kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                  2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr int kDistanceBase[30] = {1,    2,    3,    4,    5,    7,    9,    13,    17,    25,
                                   33,   49,   65,   97,   129,  193,  257,  385,   513,   769,
                                   1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr int kDistanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                    6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

void Match(BitWriter& out, int length, int distance) {
    int code = 28;
    while (kLengthBase[code] > length) {
        --code;
    }
    FixedSymbol(out, 257 + code);
    out.Bits(static_cast<std::uint32_t>(length - kLengthBase[code]), kLengthExtra[code]);
    code = 29;
    while (kDistanceBase[code] > distance) {
        --code;
    }
    out.Code(static_cast<std::uint32_t>(code), 5);
    out.Bits(static_cast<std::uint32_t>(distance - kDistanceBase[code]), kDistanceExtra[code]);
}

// A zlib stream of one deflate block with the fixed Huffman code, the repeats found by a greedy
// search of the last 32 KiB: enough for pixel art, whose rows and runs repeat.
Bytes Deflate(const Bytes& data) {
    constexpr int kWindow = 32768;
    constexpr int kMaxLength = 258;
    constexpr int kChain = 256;
    std::vector<int> head(1 << 16, -1);
    std::vector<int> previous(data.size(), -1);
    const auto hash = [&](std::size_t at) {
        return ((data[at] << 8) ^ (data[at + 1] << 4) ^ data[at + 2]) & 0xFFFF;
    };
    const auto remember = [&](std::size_t at) {
        if (at + 2 < data.size()) {
            const int key = hash(at);
            previous[at] = head[static_cast<std::size_t>(key)];
            head[static_cast<std::size_t>(key)] = static_cast<int>(at);
        }
    };
    BitWriter out;
    out.Bits(1, 1);  // the last block
    out.Bits(1, 2);  // fixed Huffman code
    std::size_t at = 0;
    while (at < data.size()) {
        int bestLength = 0;
        int bestDistance = 0;
        if (at + 2 < data.size()) {
            int candidate = head[static_cast<std::size_t>(hash(at))];
            for (int tries = 0; candidate >= 0 && tries < kChain; ++tries) {
                const int distance = static_cast<int>(at) - candidate;
                if (distance > kWindow) {
                    break;
                }
                int length = 0;
                while (length < kMaxLength && at + static_cast<std::size_t>(length) < data.size() &&
                       data[static_cast<std::size_t>(candidate + length)] ==
                           data[at + static_cast<std::size_t>(length)]) {
                    ++length;
                }
                if (length > bestLength) {
                    bestLength = length;
                    bestDistance = distance;
                }
                candidate = previous[static_cast<std::size_t>(candidate)];
            }
        }
        if (bestLength >= 3) {
            Match(out, bestLength, bestDistance);
            for (int i = 0; i < bestLength; ++i) {
                remember(at++);
            }
        } else {
            FixedSymbol(out, data[at]);
            remember(at++);
        }
    }
    FixedSymbol(out, 256);  // end of block
    Bytes stream{0x78, 0x01};
    const Bytes compressed = out.Finish();
    stream.insert(stream.end(), compressed.begin(), compressed.end());
    PutBig32(stream, Adler32(data));
    return stream;
}

void PutChunk(Bytes& png, const char* type, const Bytes& contents) {
    PutBig32(png, static_cast<std::uint32_t>(contents.size()));
    const std::size_t typeAt = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), contents.begin(), contents.end());
    PutBig32(png, Crc32(png, typeAt));
}

}  // namespace

// A 32-bit RGBA PNG of the art, transparent where the art is; each row filtered against the one
// above ("Up"), so that repeated rows become runs of zeros.
Bytes PngImage(const PixelArt& art) {
    Bytes raw;
    Bytes above(static_cast<std::size_t>(art.width) * 4, 0);
    for (int y = 0; y < art.height; ++y) {
        Bytes row;
        for (int x = 0; x < art.width; ++x) {
            const int pixel = art.At(x, y);
            if (pixel == kTransparent) {
                row.insert(row.end(), {0, 0, 0, 0});
            } else {
                const Colour& colour = kPalette[static_cast<std::size_t>(pixel)];
                row.insert(row.end(), {colour.red, colour.green, colour.blue, 255});
            }
        }
        raw.push_back(2);
        for (std::size_t i = 0; i < row.size(); ++i) {
            raw.push_back(static_cast<std::uint8_t>(row[i] - above[i]));
        }
        above = row;
    }
    Bytes header;
    PutBig32(header, static_cast<std::uint32_t>(art.width));
    PutBig32(header, static_cast<std::uint32_t>(art.height));
    header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, filters, no interlace
    Bytes png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", Deflate(raw));
    PutChunk(png, "IEND", {});
    return png;
}

}  // namespace artgen

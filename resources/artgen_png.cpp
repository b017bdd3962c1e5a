#include "artgen_png.h"

#include <algorithm>
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

constexpr int kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                 31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr int kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                  2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr int kDistanceBase[30] = {1,    2,    3,    4,    5,    7,    9,    13,    17,    25,
                                   33,   49,   65,   97,   129,  193,  257,  385,   513,   769,
                                   1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr int kDistanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                    6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

constexpr int kEndOfBlock = 256;
constexpr int kLiteralLengthSymbols = 286;
constexpr int kDistanceSymbols = 30;

// A literal byte (length 0) or a repeat of `length` bytes from `distance` back.
struct Token {
    int length;
    int value;  // the byte, or the distance
};

int LengthSymbol(int length) {
    int code = 28;
    while (kLengthBase[code] > length) {
        --code;
    }
    return code;
}

int DistanceSymbol(int distance) {
    int code = 29;
    while (kDistanceBase[code] > distance) {
        --code;
    }
    return code;
}

// The repeats found by a search of the last 32 KiB, enough for pixel art, whose rows and runs
// repeat: a repeat is taken unless the one starting a byte later is longer.
std::vector<Token> FindRepeats(const Bytes& data) {
    constexpr int kWindow = 32768;
    constexpr int kMaxLength = 258;
    constexpr int kChain = 1024;
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
    // The longest repeat at `at` of the bytes remembered so far.
    const auto longest = [&](std::size_t at) {
        Token best{0, 0};
        if (at + 2 >= data.size()) {
            return best;
        }
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
            if (length > best.length) {
                best = {length, distance};
            }
            candidate = previous[static_cast<std::size_t>(candidate)];
        }
        return best;
    };
    std::vector<Token> tokens;
    std::size_t at = 0;
    Token found = longest(at);
    while (at < data.size()) {
        remember(at);
        const Token next = longest(at + 1);
        if (found.length >= 3 && next.length <= found.length) {
            tokens.push_back(found);
            for (int i = 1; i < found.length; ++i) {
                remember(at + static_cast<std::size_t>(i));
            }
            at += static_cast<std::size_t>(found.length);
            found = longest(at);
        } else {
            tokens.push_back({0, data[at]});
            ++at;
            found = next;
        }
    }
    return tokens;
}

// Huffman code lengths of at most maxLength bits for the symbols' counts; 0 for an unused symbol.
// Where the tree would be deeper, the counts are halved (rare symbols merged towards common ones)
// and the tree is built again.
std::vector<int> CodeLengths(std::vector<long> counts, int maxLength) {
    // At least two symbols, so that every used symbol gets a code of one bit or more.
    int used = 0;
    for (const long count : counts) {
        used += count > 0 ? 1 : 0;
    }
    for (std::size_t symbol = 0; used < 2; ++symbol) {
        if (counts[symbol] == 0) {
            counts[symbol] = 1;
            ++used;
        }
    }
    while (true) {
        // Nodes: the symbols first, then the merged ones; each knows its parent.
        std::vector<long> weight;
        std::vector<int> parent;
        std::vector<int> open;
        for (std::size_t symbol = 0; symbol < counts.size(); ++symbol) {
            weight.push_back(counts[symbol]);
            parent.push_back(-1);
            if (counts[symbol] > 0) {
                open.push_back(static_cast<int>(symbol));
            }
        }
        while (open.size() > 1) {
            // The two lightest open nodes, the earlier one first among equals.
            std::stable_sort(open.begin(), open.end(), [&](int a, int b) {
                return weight[static_cast<std::size_t>(a)] < weight[static_cast<std::size_t>(b)];
            });
            const int merged = static_cast<int>(weight.size());
            weight.push_back(weight[static_cast<std::size_t>(open[0])] +
                             weight[static_cast<std::size_t>(open[1])]);
            parent.push_back(-1);
            parent[static_cast<std::size_t>(open[0])] = merged;
            parent[static_cast<std::size_t>(open[1])] = merged;
            open.erase(open.begin(), open.begin() + 2);
            open.push_back(merged);
        }
        std::vector<int> lengths(counts.size(), 0);
        int longest = 0;
        for (std::size_t symbol = 0; symbol < counts.size(); ++symbol) {
            if (counts[symbol] == 0) {
                continue;
            }
            int depth = 0;
            for (int node = parent[symbol]; node >= 0;
                 node = parent[static_cast<std::size_t>(node)]) {
                ++depth;
            }
            lengths[symbol] = depth;
            longest = std::max(longest, depth);
        }
        if (longest <= maxLength) {
            return lengths;
        }
        for (long& count : counts) {
            if (count > 0) {
                count = (count + 1) / 2;
            }
        }
    }
}

// The canonical Huffman codes of deflate for the code lengths.
std::vector<std::uint32_t> Codes(const std::vector<int>& lengths) {
    std::vector<int> lengthCount(16, 0);
    for (const int length : lengths) {
        ++lengthCount[static_cast<std::size_t>(length)];
    }
    lengthCount[0] = 0;
    std::vector<std::uint32_t> next(16, 0);
    std::uint32_t code = 0;
    for (std::size_t bits = 1; bits < 16; ++bits) {
        code = (code + static_cast<std::uint32_t>(lengthCount[bits - 1])) << 1;
        next[bits] = code;
    }
    std::vector<std::uint32_t> codes(lengths.size(), 0);
    for (std::size_t symbol = 0; symbol < lengths.size(); ++symbol) {
        if (lengths[symbol] != 0) {
            codes[symbol] = next[static_cast<std::size_t>(lengths[symbol])]++;
        }
    }
    return codes;
}

// The code lengths of both alphabets as code-length symbols: 0-15 a length, 16 repeats the last
// length 3-6 times, 17 and 18 give 3-10 and 11-138 zeros. Each item is the symbol and its extra
// value.
std::vector<Token> RunLengths(const std::vector<int>& lengths) {
    std::vector<Token> items;
    std::size_t at = 0;
    while (at < lengths.size()) {
        const int length = lengths[at];
        std::size_t run = 1;
        while (at + run < lengths.size() && lengths[at + run] == length) {
            ++run;
        }
        if (length == 0 && run >= 11) {
            run = std::min<std::size_t>(run, 138);
            items.push_back({18, static_cast<int>(run) - 11});
        } else if (length == 0 && run >= 3) {
            items.push_back({17, static_cast<int>(run) - 3});
        } else if (length != 0 && run >= 4) {
            run = std::min<std::size_t>(run, 7);
            items.push_back({length, 0});
            items.push_back({16, static_cast<int>(run) - 4});
        } else {
            run = 1;
            items.push_back({length, 0});
        }
        at += run;
    }
    return items;
}

// A zlib stream of one deflate block with Huffman codes made for the data.
Bytes Deflate(const Bytes& data) {
    const std::vector<Token> tokens = FindRepeats(data);
    std::vector<long> literalCounts(kLiteralLengthSymbols, 0);
    std::vector<long> distanceCounts(kDistanceSymbols, 0);
    for (const Token& token : tokens) {
        if (token.length == 0) {
            ++literalCounts[static_cast<std::size_t>(token.value)];
        } else {
            ++literalCounts[static_cast<std::size_t>(257 + LengthSymbol(token.length))];
            ++distanceCounts[static_cast<std::size_t>(DistanceSymbol(token.value))];
        }
    }
    ++literalCounts[kEndOfBlock];
    const std::vector<int> literalLengths = CodeLengths(literalCounts, 15);
    const std::vector<int> distanceLengths = CodeLengths(distanceCounts, 15);
    const std::vector<std::uint32_t> literalCodes = Codes(literalLengths);
    const std::vector<std::uint32_t> distanceCodes = Codes(distanceLengths);

    // The lengths are sent up to the last used symbol of each alphabet, as one sequence.
    std::size_t literalsSent = kLiteralLengthSymbols;
    while (literalLengths[literalsSent - 1] == 0) {
        --literalsSent;
    }
    std::size_t distancesSent = kDistanceSymbols;
    while (distancesSent > 1 && distanceLengths[distancesSent - 1] == 0) {
        --distancesSent;
    }
    std::vector<int> sentLengths(literalLengths.begin(),
                                 literalLengths.begin() + static_cast<long>(literalsSent));
    sentLengths.insert(sentLengths.end(), distanceLengths.begin(),
                       distanceLengths.begin() + static_cast<long>(distancesSent));
    const std::vector<Token> runs = RunLengths(sentLengths);
    std::vector<long> runCounts(19, 0);
    for (const Token& run : runs) {
        ++runCounts[static_cast<std::size_t>(run.length)];
    }
    const std::vector<int> runLengths = CodeLengths(runCounts, 7);
    const std::vector<std::uint32_t> runCodes = Codes(runLengths);
    constexpr int kRunLengthOrder[19] = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                         11, 4,  12, 3, 13, 2, 14, 1, 15};
    int runLengthsSent = 19;
    while (runLengths[static_cast<std::size_t>(kRunLengthOrder[runLengthsSent - 1])] == 0) {
        --runLengthsSent;
    }

    BitWriter out;
    out.Bits(1, 1);  // the last block
    out.Bits(2, 2);  // Huffman codes of its own
    out.Bits(static_cast<std::uint32_t>(literalsSent - 257), 5);
    out.Bits(static_cast<std::uint32_t>(distancesSent - 1), 5);
    out.Bits(static_cast<std::uint32_t>(runLengthsSent - 4), 4);
    for (int i = 0; i < runLengthsSent; ++i) {
        out.Bits(
            static_cast<std::uint32_t>(runLengths[static_cast<std::size_t>(kRunLengthOrder[i])]),
            3);
    }
    constexpr int kRunExtraBits[3] = {2, 3, 7};
    for (const Token& run : runs) {
        const auto symbol = static_cast<std::size_t>(run.length);
        out.Code(runCodes[symbol], runLengths[symbol]);
        if (symbol >= 16) {
            out.Bits(static_cast<std::uint32_t>(run.value), kRunExtraBits[symbol - 16]);
        }
    }
    for (const Token& token : tokens) {
        if (token.length == 0) {
            const auto symbol = static_cast<std::size_t>(token.value);
            out.Code(literalCodes[symbol], literalLengths[symbol]);
            continue;
        }
        const int lengthCode = LengthSymbol(token.length);
        const auto lengthSymbol = static_cast<std::size_t>(257 + lengthCode);
        out.Code(literalCodes[lengthSymbol], literalLengths[lengthSymbol]);
        out.Bits(static_cast<std::uint32_t>(token.length - kLengthBase[lengthCode]),
                 kLengthExtra[lengthCode]);
        const int distanceCode = DistanceSymbol(token.value);
        const auto distanceSymbol = static_cast<std::size_t>(distanceCode);
        out.Code(distanceCodes[distanceSymbol], distanceLengths[distanceSymbol]);
        out.Bits(static_cast<std::uint32_t>(token.value - kDistanceBase[distanceCode]),
                 kDistanceExtra[distanceCode]);
    }
    out.Code(literalCodes[kEndOfBlock], literalLengths[kEndOfBlock]);
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

// A 32-bit RGBA PNG of the art, transparent where the art is.
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
        // A row like the one above is filtered against it ("Up") to a run of zeros; any other
        // is kept as it is ("None"), its runs of pixels repeating themselves.
        const bool repeated = row == above;
        raw.push_back(repeated ? 2 : 0);
        for (std::size_t i = 0; i < row.size(); ++i) {
            raw.push_back(repeated ? 0 : row[i]);
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

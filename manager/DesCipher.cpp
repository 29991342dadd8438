#include "manager/DesCipher.h"

#include <sys/types.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "common/Md5Digest.h"
#include "platform/files/FileApi.h"
#include "platform/files/Path.h"

namespace {

using std::uint64_t;

// The FIPS 46-3 tables in one byte table: the permutations as 1-based bit positions, then the
// key schedule's left shifts and the S-boxes' values (row by row).
constexpr std::size_t kInitialPermutation = 0;
constexpr std::size_t kFinalPermutation = 64;
constexpr std::size_t kExpansion = 128;
constexpr std::size_t kPermutation = 176;
constexpr std::size_t kPermutedChoice1 = 208;
constexpr std::size_t kPermutedChoice2 = 264;
constexpr std::size_t kShifts = 312;
constexpr std::size_t kSBoxes = 328;

constexpr unsigned char kDesTables[840] = {
    // IP
    58, 50, 42, 34, 26, 18, 10, 2, 60, 52, 44, 36, 28, 20, 12, 4,  //
    62, 54, 46, 38, 30, 22, 14, 6, 64, 56, 48, 40, 32, 24, 16, 8,  //
    57, 49, 41, 33, 25, 17, 9, 1, 59, 51, 43, 35, 27, 19, 11, 3,   //
    61, 53, 45, 37, 29, 21, 13, 5, 63, 55, 47, 39, 31, 23, 15, 7,  //
    // IP inverse
    40, 8, 48, 16, 56, 24, 64, 32, 39, 7, 47, 15, 55, 23, 63, 31,  //
    38, 6, 46, 14, 54, 22, 62, 30, 37, 5, 45, 13, 53, 21, 61, 29,  //
    36, 4, 44, 12, 52, 20, 60, 28, 35, 3, 43, 11, 51, 19, 59, 27,  //
    34, 2, 42, 10, 50, 18, 58, 26, 33, 1, 41, 9, 49, 17, 57, 25,   //
    // E
    32, 1, 2, 3, 4, 5, 4, 5, 6, 7, 8, 9, 8, 9, 10, 11, 12, 13,               //
    12, 13, 14, 15, 16, 17, 16, 17, 18, 19, 20, 21, 20, 21, 22, 23, 24, 25,  //
    24, 25, 26, 27, 28, 29, 28, 29, 30, 31, 32, 1,                           //
    // P
    16, 7, 20, 21, 29, 12, 28, 17, 1, 15, 23, 26, 5, 18, 31, 10,  //
    2, 8, 24, 14, 32, 27, 3, 9, 19, 13, 30, 6, 22, 11, 4, 25,     //
    // PC-1
    57, 49, 41, 33, 25, 17, 9, 1, 58, 50, 42, 34, 26, 18,   //
    10, 2, 59, 51, 43, 35, 27, 19, 11, 3, 60, 52, 44, 36,   //
    63, 55, 47, 39, 31, 23, 15, 7, 62, 54, 46, 38, 30, 22,  //
    14, 6, 61, 53, 45, 37, 29, 21, 13, 5, 28, 20, 12, 4,    //
    // PC-2
    14, 17, 11, 24, 1, 5, 3, 28, 15, 6, 21, 10, 23, 19, 12, 4,       //
    26, 8, 16, 7, 27, 20, 13, 2, 41, 52, 31, 37, 47, 55, 30, 40,     //
    51, 45, 33, 48, 44, 49, 39, 56, 34, 53, 46, 42, 50, 36, 29, 32,  //
    // Left shifts
    1, 1, 2, 2, 2, 2, 2, 2, 1, 2, 2, 2, 2, 2, 2, 1,  //
    // S1
    14, 4, 13, 1, 2, 15, 11, 8, 3, 10, 6, 12, 5, 9, 0, 7,  //
    0, 15, 7, 4, 14, 2, 13, 1, 10, 6, 12, 11, 9, 5, 3, 8,  //
    4, 1, 14, 8, 13, 6, 2, 11, 15, 12, 9, 7, 3, 10, 5, 0,  //
    15, 12, 8, 2, 4, 9, 1, 7, 5, 11, 3, 14, 10, 0, 6, 13,  //
    // S2
    15, 1, 8, 14, 6, 11, 3, 4, 9, 7, 2, 13, 12, 0, 5, 10,  //
    3, 13, 4, 7, 15, 2, 8, 14, 12, 0, 1, 10, 6, 9, 11, 5,  //
    0, 14, 7, 11, 10, 4, 13, 1, 5, 8, 12, 6, 9, 3, 2, 15,  //
    13, 8, 10, 1, 3, 15, 4, 2, 11, 6, 7, 12, 0, 5, 14, 9,  //
    // S3
    10, 0, 9, 14, 6, 3, 15, 5, 1, 13, 12, 7, 11, 4, 2, 8,  //
    13, 7, 0, 9, 3, 4, 6, 10, 2, 8, 5, 14, 12, 11, 15, 1,  //
    13, 6, 4, 9, 8, 15, 3, 0, 11, 1, 2, 12, 5, 10, 14, 7,  //
    1, 10, 13, 0, 6, 9, 8, 7, 4, 15, 14, 3, 11, 5, 2, 12,  //
    // S4
    7, 13, 14, 3, 0, 6, 9, 10, 1, 2, 8, 5, 11, 12, 4, 15,  //
    13, 8, 11, 5, 6, 15, 0, 3, 4, 7, 2, 12, 1, 10, 14, 9,  //
    10, 6, 9, 0, 12, 11, 7, 13, 15, 1, 3, 14, 5, 2, 8, 4,  //
    3, 15, 0, 6, 10, 1, 13, 8, 9, 4, 5, 11, 12, 7, 2, 14,  //
    // S5
    2, 12, 4, 1, 7, 10, 11, 6, 8, 5, 3, 15, 13, 0, 14, 9,  //
    14, 11, 2, 12, 4, 7, 13, 1, 5, 0, 15, 10, 3, 9, 8, 6,  //
    4, 2, 1, 11, 10, 13, 7, 8, 15, 9, 12, 5, 6, 3, 0, 14,  //
    11, 8, 12, 7, 1, 14, 2, 13, 6, 15, 0, 9, 10, 4, 5, 3,  //
    // S6
    12, 1, 10, 15, 9, 2, 6, 8, 0, 13, 3, 4, 14, 7, 5, 11,  //
    10, 15, 4, 2, 7, 12, 9, 5, 6, 1, 13, 14, 0, 11, 3, 8,  //
    9, 14, 15, 5, 2, 8, 12, 3, 7, 0, 4, 10, 1, 13, 11, 6,  //
    4, 3, 2, 12, 9, 5, 15, 10, 11, 14, 1, 7, 6, 0, 8, 13,  //
    // S7
    4, 11, 2, 14, 15, 0, 8, 13, 3, 12, 9, 7, 5, 10, 6, 1,  //
    13, 0, 11, 7, 4, 9, 1, 10, 14, 3, 5, 12, 2, 15, 8, 6,  //
    1, 4, 11, 13, 12, 3, 7, 14, 10, 15, 6, 8, 0, 5, 9, 2,  //
    6, 11, 13, 8, 1, 4, 10, 7, 9, 5, 0, 15, 14, 2, 3, 12,  //
    // S8
    13, 2, 8, 4, 6, 15, 11, 1, 10, 9, 3, 14, 5, 0, 12, 7,  //
    1, 15, 13, 8, 10, 3, 7, 4, 12, 5, 6, 11, 0, 14, 9, 2,  //
    7, 11, 4, 1, 9, 12, 14, 2, 0, 6, 10, 13, 15, 3, 5, 8,  //
    2, 1, 14, 7, 4, 10, 8, 13, 15, 12, 9, 0, 3, 5, 6, 11,  //
};

// The round function takes each S-box's six expanded bits from R at one shift instead of building
// E(R), which holds because E gives S-box i the bits 4i - 1 .. 4i + 4 of R (0-based, modulo 32).
constexpr bool ExpansionTakesSixConsecutiveBits() {
    for (std::size_t box = 0; box < 8; ++box) {
        for (std::size_t j = 0; j < 6; ++j) {
            if (kDesTables[kExpansion + 6 * box + j] != (4 * box + j + 31) % 32 + 1) {
                return false;
            }
        }
    }
    return true;
}
static_assert(ExpansionTakesSixConsecutiveBits());

// Multiplying eight 0/1 bytes (read little-endian) by this moves byte k to bit 63 - k, with no
// carries between the partial products: the top byte of the product is the eight bits packed,
// byte 0 highest.
constexpr uint64_t kGatherBits = 0x8040201008040201ull;

uint64_t LoadLittle64(const unsigned char* bytes) {
    uint64_t value;
    std::memcpy(&value, bytes, sizeof value);
    if constexpr (std::endian::native == std::endian::big) {
        value = __builtin_bswap64(value);
    }
    return value;
}

void StoreLittle64(unsigned char* bytes, uint64_t value) {
    if constexpr (std::endian::native == std::endian::big) {
        value = __builtin_bswap64(value);
    }
    std::memcpy(bytes, &value, sizeof value);
}

constexpr std::array<std::array<unsigned char, 8>, 256> MakeByteBits() {
    std::array<std::array<unsigned char, 8>, 256> table{};
    for (std::size_t byte = 0; byte < 256; ++byte) {
        for (std::size_t bit = 0; bit < 8; ++bit) {
            table[byte][bit] = static_cast<unsigned char>((byte >> (7 - bit)) & 1);
        }
    }
    return table;
}
constexpr auto kByteBits = MakeByteBits();

// A 32-bit half, one bit per byte, as four words of eight bytes (bytes 8w..8w+7 in word w, read
// little-endian). The rounds keep both halves in these words from IP to IP inverse: reading a
// byte window straight from memory just after it was written stalls the processor on every round.
using HalfWords = std::array<uint64_t, 4>;

HalfWords LoadHalf(const unsigned char* bits) {
    return {LoadLittle64(bits), LoadLittle64(bits + 8), LoadLittle64(bits + 16),
            LoadLittle64(bits + 24)};
}

void StoreHalf(unsigned char* bits, const HalfWords& half) {
    for (std::size_t word = 0; word < 4; ++word) {
        StoreLittle64(bits + 8 * word, half[word]);
    }
}

// S-box i followed by P, for each of its 64 inputs (b1 .. b6 read as a number, b1 highest): the
// 32 output bits it contributes, one per byte. f is the XOR of one entry per box.
struct SBoxPermutationTable {
    alignas(64) HalfWords entries[8][64];
};

SBoxPermutationTable BuildSBoxPermutationTable() {
    SBoxPermutationTable table{};
    for (std::size_t box = 0; box < 8; ++box) {
        for (std::size_t input = 0; input < 64; ++input) {
            unsigned char in[48] = {};
            for (std::size_t j = 0; j < 6; ++j) {
                in[6 * box + j] = static_cast<unsigned char>((input >> (5 - j)) & 1);
            }
            unsigned char substituted[32];
            DesSBoxes(substituted, in);
            unsigned char own[32] = {};
            std::copy_n(substituted + 4 * box, 4, own + 4 * box);
            unsigned char permuted[32];
            PermuteBits(permuted, own, kDesTables + kPermutation, 32);
            table.entries[box][input] = LoadHalf(permuted);
        }
    }
    return table;
}

const SBoxPermutationTable& SBoxPermutation() {
    static const SBoxPermutationTable table = BuildSBoxPermutationTable();
    return table;
}

// Where in the S-box table each round key's six bits for box i lead when R's bits are zero: the
// rounds XOR R's bits into this offset, so the schedule is packed once per Run rather than once
// per block. Box i's entries start at a multiple of 2048, above the bits of an entry's place.
struct PackedSchedule {
    std::uint32_t offsets[16][8];
};

constexpr std::uint32_t kEntrySize = sizeof(HalfWords);
constexpr std::uint32_t kBoxSize = 64 * kEntrySize;
static_assert(kBoxSize == 2048 && kEntrySize == 32);

void PackRoundKey(const unsigned char* roundKey, std::uint32_t offsets[8]) {
    for (std::uint32_t box = 0; box < 8; ++box) {
        std::uint32_t value = 0;
        for (std::size_t j = 0; j < 6; ++j) {
            value = (value << 1) | (roundKey[6 * box + j] & 1u);
        }
        offsets[box] = box * kBoxSize + value * kEntrySize;
    }
}

PackedSchedule PackSchedule(const unsigned char* schedule) {
    PackedSchedule packed;
    for (std::size_t round = 0; round < 16; ++round) {
        PackRoundKey(schedule + 48 * round, packed.offsets[round]);
    }
    return packed;
}

// f(R, K) from the S-box table. R's 32 bits are gathered into one number, bit 0 highest, with a
// copy of bit 31 above it and one of bit 0 below bit 31, so that the six bits E gives each S-box
// stand side by side; the number is kept five places up, where an entry's offset holds its index.
[[gnu::always_inline]] inline HalfWords CipherFunction(const HalfWords& r,
                                                       const std::uint32_t offsets[8],
                                                       const SBoxPermutationTable& table) {
    uint64_t bytes[4];
    for (std::size_t word = 0; word < 4; ++word) {
        bytes[word] = (r[word] * kGatherBits) >> 56;
    }
    const uint64_t packed = ((bytes[0] << 24) | (bytes[1] << 16)) | ((bytes[2] << 8) | bytes[3]);
    const uint64_t wrapped = ((packed << 6) | (packed >> 26) | (packed << 38)) & 0x7FFFFFFFE0ull;
    const auto* base = reinterpret_cast<const unsigned char*>(table.entries);
    const HalfWords* entries[8];
    for (std::size_t box = 0; box < 8; ++box) {
        const auto place = static_cast<std::uint32_t>(wrapped >> (28 - 4 * box)) & 0x7E0u;
        entries[box] = reinterpret_cast<const HalfWords*>(base + (offsets[box] ^ place));
    }
    // XORed as a tree: each round waits on the one before, so the depth of f is what counts.
    HalfWords f;
    for (std::size_t word = 0; word < 4; ++word) {
        f[word] = (((*entries[0])[word] ^ (*entries[1])[word]) ^
                   ((*entries[2])[word] ^ (*entries[3])[word])) ^
                  (((*entries[4])[word] ^ (*entries[5])[word]) ^
                   ((*entries[6])[word] ^ (*entries[7])[word]));
    }
    return f;
}

void XorHalf(HalfWords& half, const HalfWords& other) {
    for (std::size_t word = 0; word < 4; ++word) {
        half[word] ^= other[word];
    }
}

// The 16 rounds on `Count` blocks after IP, then the swap of their halves. The blocks go through
// the rounds side by side, since one block's rounds wait on each other and leave the processor
// idle. A triple pass runs the rounds of each key back to back: the IP inverse of one DES and the
// IP of the next cancel out.
template <std::size_t Count>
void DesRounds(unsigned char (&blocks)[Count][64], const PackedSchedule& schedule, bool decipher) {
    const SBoxPermutationTable& table = SBoxPermutation();
    HalfWords left[Count];
    HalfWords right[Count];
    for (std::size_t n = 0; n < Count; ++n) {
        left[n] = LoadHalf(blocks[n]);
        right[n] = LoadHalf(blocks[n] + 32);
    }
    // Two rounds at a time, so that the halves trade places without moves.
    for (std::size_t round = 0; round < 16; round += 2) {
        const std::uint32_t* first = schedule.offsets[decipher ? 15 - round : round];
        const std::uint32_t* second = schedule.offsets[decipher ? 14 - round : round + 1];
        for (std::size_t n = 0; n < Count; ++n) {
            XorHalf(left[n], CipherFunction(right[n], first, table));
        }
        for (std::size_t n = 0; n < Count; ++n) {
            XorHalf(right[n], CipherFunction(left[n], second, table));
        }
    }
    for (std::size_t n = 0; n < Count; ++n) {
        StoreHalf(blocks[n], right[n]);
        StoreHalf(blocks[n] + 32, left[n]);
    }
}

// Four blocks side by side keep the processor busy without running out of registers.
constexpr std::size_t kBlocksSideBySide = 4;

struct DesPass {
    const PackedSchedule* schedule;
    bool decipher;
};

// `Count` consecutive blocks through IP, the passes in order and IP inverse; `output` may be
// `input`.
template <std::size_t Count>
void CryptPasses(unsigned char* output, const unsigned char* input, const DesPass* passes,
                 std::size_t passCount) {
    unsigned char bits[64];
    unsigned char blocks[Count][64];
    for (std::size_t n = 0; n < Count; ++n) {
        BytesToBits(bits, input + 8 * n, 64);
        PermuteBits(blocks[n], bits, kDesTables + kInitialPermutation, 64);
    }
    for (std::size_t pass = 0; pass < passCount; ++pass) {
        DesRounds(blocks, *passes[pass].schedule, passes[pass].decipher);
    }
    for (std::size_t n = 0; n < Count; ++n) {
        PermuteBits(bits, blocks[n], kDesTables + kFinalPermutation, 64);
        BitsToBytes(output + 8 * n, bits, 64);
    }
}

// The largest multiple of 8 that Run's length holds: the bound of an enciphered file.
constexpr std::size_t kMaxCipherLength = 0xFFFFFFF8u;
constexpr std::size_t kTrailerLength = 32;
constexpr unsigned char kProgramKeyLength = 16;

// Reads the whole stream into `bytes` and closes it. False when
// it holds more than `limit` bytes, cannot be read whole or memory runs out.
bool ReadWholeStream(FILE* file, std::size_t limit, std::vector<unsigned char>& bytes) {
    bool done = false;
    if (fseeko(file, 0, SEEK_END) == 0) {
        const off_t size = ftello(file);
        if (size >= 0 && static_cast<std::size_t>(size) <= limit &&
            fseeko(file, 0, SEEK_SET) == 0) {
            const auto length = static_cast<std::size_t>(size);
            try {
                bytes.assign(length, 0);
                done = std::fread(bytes.data(), 1, length, file) == length &&
                       std::fgetc(file) == EOF && !std::ferror(file);
            } catch (const std::bad_alloc&) {
                done = false;
            }
        }
    }
    std::fclose(file);
    return done;
}

// Writes a sibling temporary file and renames it over `path`, so that a failed write never
// destroys the file already there: for the diary that is a whole month.
bool ReplaceFile(const char* path, const unsigned char* bytes, std::size_t length) {
    const std::string temporaryPath = std::string(path) + ".tmp";
    FILE* file = platform::OpenStdioFile(temporaryPath.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    bool written = std::fwrite(bytes, 1, length, file) == length;
    written = std::fclose(file) == 0 && written;
    if (!written || !MoveFileExA(temporaryPath.c_str(), path, MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileA(temporaryPath.c_str());
        return false;
    }
    return true;
}

// The 32 upper-case hexadecimal characters the trailer holds for this check text.
void TrailerOf(const char* checkText, char trailer[kTrailerLength + 1]) {
    std::memset(trailer, 0, kTrailerLength + 1);
    CMd5Digest md5;
    md5.Md5String(checkText, trailer);
}

}  // namespace

bool CDesCipher::Run(bool decipher, bool cbc, const char* input, char* output, unsigned length,
                     const char* key, unsigned char keyLength) {
    if (input == nullptr || output == nullptr || key == nullptr || length == 0 || length % 8 != 0 ||
        keyLength < 8) {
        return false;
    }
    const std::size_t keyCount = std::min(keyLength / 8, 3);
    PackedSchedule schedules[3];
    for (std::size_t i = 0; i < keyCount; ++i) {
        unsigned char schedule[kDesScheduleSize];
        KeySchedule(schedule, reinterpret_cast<const unsigned char*>(key) + 8 * i);
        schedules[i] = PackSchedule(schedule);
    }

    DesPass passes[3];
    std::size_t passCount = 3;
    if (keyCount == 1) {
        passes[0] = {&schedules[0], decipher};
        passCount = 1;
    } else {
        const PackedSchedule* last = keyCount == 3 ? &schedules[2] : &schedules[0];
        if (decipher) {
            passes[0] = {last, true};
            passes[1] = {&schedules[1], false};
            passes[2] = {&schedules[0], true};
        } else {
            passes[0] = {&schedules[0], false};
            passes[1] = {&schedules[1], true};
            passes[2] = {last, false};
        }
    }

    const auto* in = reinterpret_cast<const unsigned char*>(input);
    auto* out = reinterpret_cast<unsigned char*>(output);
    // Blocks go through together wherever one does not wait on another's result.
    const bool chained = cbc && !decipher;
    unsigned char chain[8] = {};
    for (unsigned offset = 0; offset < length;) {
        const std::size_t count =
            chained || length - offset < 8 * kBlocksSideBySide ? 1 : kBlocksSideBySide;
        unsigned char blocks[8 * kBlocksSideBySide];
        std::memcpy(blocks, in + offset, 8 * count);
        if (chained) {
            XorBits(blocks, chain, 8);
            CryptPasses<1>(chain, blocks, passes, passCount);
            std::memcpy(out + offset, chain, 8);
        } else {
            unsigned char results[8 * kBlocksSideBySide];
            if (count == kBlocksSideBySide) {
                CryptPasses<kBlocksSideBySide>(results, blocks, passes, passCount);
            } else {
                CryptPasses<1>(results, blocks, passes, passCount);
            }
            if (cbc) {
                XorBits(results, chain, 8);
                XorBits(results + 8, blocks, 8 * (count - 1));
                std::memcpy(chain, blocks + 8 * (count - 1), 8);
            }
            std::memcpy(out + offset, results, 8 * count);
        }
        offset += static_cast<unsigned>(8 * count);
    }
    return true;
}

void CDesCipher::KeySchedule(unsigned char schedule[kDesScheduleSize], const unsigned char key[8]) {
    unsigned char bits[64];
    unsigned char halves[56];
    BytesToBits(bits, key, 64);
    PermuteBits(halves, bits, kDesTables + kPermutedChoice1, 56);
    for (std::size_t round = 0; round < 16; ++round) {
        const std::size_t shift = kDesTables[kShifts + round];
        RotateBitsLeft(halves, 28, shift);
        RotateBitsLeft(halves + 28, 28, shift);
        PermuteBits(schedule + 48 * round, halves, kDesTables + kPermutedChoice2, 48);
    }
}

void CDesCipher::CryptBlock(unsigned char output[8], const unsigned char input[8],
                            const unsigned char schedule[kDesScheduleSize], bool decipher) {
    const PackedSchedule packed = PackSchedule(schedule);
    const DesPass pass{&packed, decipher};
    CryptPasses<1>(output, input, &pass, 1);
}

bool CDesCipher::EncipherBytes(std::vector<unsigned char>& bytes, const char* checkText) {
    if (checkText == nullptr || bytes.size() > kMaxCipherLength - kTrailerLength) {
        return false;
    }
    const std::size_t padded = (bytes.size() + 7) / 8 * 8;
    char trailer[kTrailerLength + 1];
    TrailerOf(checkText, trailer);
    bytes.resize(padded + kTrailerLength, 0);
    std::memcpy(bytes.data() + padded, trailer, kTrailerLength);
    char* data = reinterpret_cast<char*>(bytes.data());
    Run(false, false, data, data, static_cast<unsigned>(bytes.size()), kProgramKey,
        kProgramKeyLength);
    return true;
}

bool CDesCipher::DecipherBytes(std::vector<unsigned char>& bytes, const char* checkText) {
    if (checkText == nullptr || bytes.size() < kTrailerLength || bytes.size() % 8 != 0 ||
        bytes.size() > kMaxCipherLength) {
        return false;
    }
    std::vector<unsigned char> plain(bytes.size());
    Run(true, false, reinterpret_cast<const char*>(bytes.data()),
        reinterpret_cast<char*>(plain.data()), static_cast<unsigned>(plain.size()), kProgramKey,
        kProgramKeyLength);
    char trailer[kTrailerLength + 1];
    TrailerOf(checkText, trailer);
    const std::size_t plainLength = plain.size() - kTrailerLength;
    if (std::memcmp(plain.data() + plainLength, trailer, kTrailerLength) != 0) {
        return false;
    }
    plain.resize(plainLength);
    bytes.swap(plain);
    return true;
}

int CDesCipher::EncipherFile(const char* plainPath, const char* checkText, const char* cipherPath) {
    if (plainPath == nullptr || checkText == nullptr || cipherPath == nullptr) {
        return 1;
    }
    FILE* file = platform::OpenStdioFile(plainPath, "rb");
    if (file == nullptr) {
        return 1;
    }
    std::vector<unsigned char> buffer;
    if (!ReadWholeStream(file, kMaxCipherLength - kTrailerLength, buffer) ||
        !EncipherBytes(buffer, checkText)) {
        return 1;
    }
    return ReplaceFile(cipherPath, buffer.data(), buffer.size()) ? 0 : 1;
}

int CDesCipher::DecipherFile(const char* plainPath, const char* checkText, const char* cipherPath) {
    if (plainPath == nullptr || checkText == nullptr || cipherPath == nullptr) {
        return 1;
    }
    FILE* file = platform::OpenStdioFile(cipherPath, "rb");
    if (file == nullptr) {
        return 1;
    }
    std::vector<unsigned char> buffer;
    if (!ReadWholeStream(file, kMaxCipherLength, buffer) || !DecipherBytes(buffer, checkText)) {
        return 1;
    }
    return ReplaceFile(plainPath, buffer.data(), buffer.size()) ? 0 : 1;
}

void BytesToBits(unsigned char* output, const unsigned char* input, std::size_t bitCount) {
    const std::size_t wholeBytes = bitCount / 8;
    for (std::size_t j = 0; j < wholeBytes; ++j) {
        std::memcpy(output + 8 * j, kByteBits[input[j]].data(), 8);
    }
    for (std::size_t bit = 0; bit < bitCount % 8; ++bit) {
        output[8 * wholeBytes + bit] = kByteBits[input[wholeBytes]][bit];
    }
}

void BitsToBytes(unsigned char* output, const unsigned char* input, std::size_t bitCount) {
    const std::size_t wholeBytes = bitCount / 8;
    for (std::size_t j = 0; j < wholeBytes; ++j) {
        output[j] = static_cast<unsigned char>((LoadLittle64(input + 8 * j) * kGatherBits) >> 56);
    }
    if (bitCount % 8 != 0) {
        unsigned value = 0;
        for (std::size_t bit = 0; bit < bitCount % 8; ++bit) {
            value |= (input[8 * wholeBytes + bit] & 1u) << (7 - bit);
        }
        output[wholeBytes] = static_cast<unsigned char>(value);
    }
}

void RotateBitsLeft(unsigned char* bits, std::size_t length, std::size_t count) {
    if (length == 0) {
        return;
    }
    std::rotate(bits, bits + count % length, bits + length);
}

void PermuteBits(unsigned char* output, const unsigned char* input, const unsigned char* table,
                 std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        output[i] = input[table[i] - 1];
    }
}

void XorBits(unsigned char* bits, const unsigned char* other, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        bits[i] ^= other[i];
    }
}

void DesRoundFunction(unsigned char half[32], const unsigned char roundKey[48]) {
    std::uint32_t offsets[8];
    PackRoundKey(roundKey, offsets);
    StoreHalf(half, CipherFunction(LoadHalf(half), offsets, SBoxPermutation()));
}

void DesSBoxes(unsigned char output[32], const unsigned char input[48]) {
    for (std::size_t box = 0; box < 8; ++box) {
        unsigned b[6];
        for (std::size_t j = 0; j < 6; ++j) {
            b[j] = input[6 * box + j] & 1u;
        }
        const unsigned row = 2 * b[0] + b[5];
        const unsigned column = 8 * b[1] + 4 * b[2] + 2 * b[3] + b[4];
        const unsigned value = kDesTables[kSBoxes + 64 * box + 16 * row + column];
        for (std::size_t bit = 0; bit < 4; ++bit) {
            output[4 * box + bit] = static_cast<unsigned char>((value >> (3 - bit)) & 1);
        }
    }
}

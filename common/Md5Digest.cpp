#include "common/Md5Digest.h"

#include <bit>
#include <cstdio>
#include <cstring>

#include "platform/files/Path.h"

namespace {

using std::uint32_t;

// The round steps of RFC 1321. F and G are written in forms with fewer operations that give the
// same bits: F as d ^ (b & (c ^ d)), and G as a sum because its two terms never share a bit.
inline uint32_t StepF(uint32_t a, uint32_t b, uint32_t c, uint32_t d, uint32_t x, uint32_t t,
                      int s) {
    return b + std::rotl(a + (d ^ (b & (c ^ d))) + x + t, s);
}

inline uint32_t StepG(uint32_t a, uint32_t b, uint32_t c, uint32_t d, uint32_t x, uint32_t t,
                      int s) {
    return b + std::rotl(a + (c & ~d) + x + t + (b & d), s);
}

inline uint32_t StepH(uint32_t a, uint32_t b, uint32_t c, uint32_t d, uint32_t x, uint32_t t,
                      int s) {
    return b + std::rotl(a + (b ^ c ^ d) + x + t, s);
}

inline uint32_t StepI(uint32_t a, uint32_t b, uint32_t c, uint32_t d, uint32_t x, uint32_t t,
                      int s) {
    return b + std::rotl(a + (c ^ (b | ~d)) + x + t, s);
}

// Every file is read through this many bytes at a time; a larger stream buffer below keeps the
// number of system calls low without changing the reads the digest sees.
constexpr std::size_t kReadSize = 1024;
constexpr std::size_t kStreamBuffer = 128 * 1024;

}  // namespace

CMd5Digest::CMd5Digest() {
    MemSet(padding_, 0, sizeof padding_);
    padding_[0] = 0x80;
}

void CMd5Digest::Init(Md5Context* context) {
    MemSet(padding_, 0, sizeof padding_);
    padding_[0] = 0x80;
    context->count[0] = 0;
    context->count[1] = 0;
    context->state[0] = 0x67452301;
    context->state[1] = 0xefcdab89;
    context->state[2] = 0x98badcfe;
    context->state[3] = 0x10325476;
}

void CMd5Digest::Update(Md5Context* context, const unsigned char* input, unsigned int length) {
    unsigned int index = (context->count[0] >> 3) & 0x3F;
    const uint32_t bits = static_cast<uint32_t>(length) << 3;
    context->count[0] += bits;
    if (context->count[0] < bits) {
        ++context->count[1];
    }
    context->count[1] += static_cast<uint32_t>(length) >> 29;

    const unsigned int room = 64 - index;
    unsigned int used = 0;
    if (length >= room) {
        MemCopy(&context->buffer[index], input, room);
        Transform(context->state, context->buffer);
        for (used = room; used + 63 < length; used += 64) {
            Transform(context->state, &input[used]);
        }
        index = 0;
    }
    MemCopy(&context->buffer[index], &input[used], length - used);
}

void CMd5Digest::Final(unsigned char digest[16], Md5Context* context) {
    unsigned char bitCount[8];
    Encode(bitCount, context->count, 8);

    const unsigned int index = (context->count[0] >> 3) & 0x3F;
    const unsigned int padLength = index < 56 ? 56 - index : 120 - index;
    Update(context, padding_, padLength);
    Update(context, bitCount, 8);

    Encode(digest, context->state, 16);
    MemSet(reinterpret_cast<unsigned char*>(context), 0, sizeof *context);
}

int CMd5Digest::Md5File(const char* path, char* text) {
    FILE* file = platform::OpenStdioFile(path, "rb");
    if (file == nullptr) {
        return -1;
    }
    std::setvbuf(file, nullptr, _IOFBF, kStreamBuffer);

    Md5Context context;
    Init(&context);
    unsigned char chunk[kReadSize];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) != 0) {
        Update(&context, chunk, static_cast<unsigned int>(got));
    }
    unsigned char digest[16];
    Final(digest, &context);
    std::fclose(file);

    static constexpr char kHexDigits[] = "0123456789abcdef";
    char* out = text + std::strlen(text);
    for (unsigned char byte : digest) {
        *out++ = kHexDigits[byte >> 4];
        *out++ = kHexDigits[byte & 0x0F];
    }
    *out = '\0';
    return 0;
}

void CMd5Digest::Md5String(const char* text, char* out) {
    Md5Context context;
    Init(&context);
    Update(&context, reinterpret_cast<const unsigned char*>(text),
           static_cast<unsigned int>(std::strlen(text)));
    unsigned char digest[16];
    Final(digest, &context);

    static constexpr char kHexDigits[] = "0123456789ABCDEF";
    char* end = out + std::strlen(out);
    for (unsigned char byte : digest) {
        *end++ = kHexDigits[byte >> 4];
        *end++ = kHexDigits[byte & 0x0F];
    }
    *end = '\0';
}

void CMd5Digest::Transform(uint32_t state[4], const unsigned char block[64]) {
    uint32_t x[16];
    Decode(x, block, 64);
    uint32_t a = state[0];
    uint32_t b = state[1];
    uint32_t c = state[2];
    uint32_t d = state[3];

    a = StepF(a, b, c, d, x[0], 0xd76aa478, 7);
    d = StepF(d, a, b, c, x[1], 0xe8c7b756, 12);
    c = StepF(c, d, a, b, x[2], 0x242070db, 17);
    b = StepF(b, c, d, a, x[3], 0xc1bdceee, 22);
    a = StepF(a, b, c, d, x[4], 0xf57c0faf, 7);
    d = StepF(d, a, b, c, x[5], 0x4787c62a, 12);
    c = StepF(c, d, a, b, x[6], 0xa8304613, 17);
    b = StepF(b, c, d, a, x[7], 0xfd469501, 22);
    a = StepF(a, b, c, d, x[8], 0x698098d8, 7);
    d = StepF(d, a, b, c, x[9], 0x8b44f7af, 12);
    c = StepF(c, d, a, b, x[10], 0xffff5bb1, 17);
    b = StepF(b, c, d, a, x[11], 0x895cd7be, 22);
    a = StepF(a, b, c, d, x[12], 0x6b901122, 7);
    d = StepF(d, a, b, c, x[13], 0xfd987193, 12);
    c = StepF(c, d, a, b, x[14], 0xa679438e, 17);
    b = StepF(b, c, d, a, x[15], 0x49b40821, 22);

    a = StepG(a, b, c, d, x[1], 0xf61e2562, 5);
    d = StepG(d, a, b, c, x[6], 0xc040b340, 9);
    c = StepG(c, d, a, b, x[11], 0x265e5a51, 14);
    b = StepG(b, c, d, a, x[0], 0xe9b6c7aa, 20);
    a = StepG(a, b, c, d, x[5], 0xd62f105d, 5);
    d = StepG(d, a, b, c, x[10], 0x02441453, 9);
    c = StepG(c, d, a, b, x[15], 0xd8a1e681, 14);
    b = StepG(b, c, d, a, x[4], 0xe7d3fbc8, 20);
    a = StepG(a, b, c, d, x[9], 0x21e1cde6, 5);
    d = StepG(d, a, b, c, x[14], 0xc33707d6, 9);
    c = StepG(c, d, a, b, x[3], 0xf4d50d87, 14);
    b = StepG(b, c, d, a, x[8], 0x455a14ed, 20);
    a = StepG(a, b, c, d, x[13], 0xa9e3e905, 5);
    d = StepG(d, a, b, c, x[2], 0xfcefa3f8, 9);
    c = StepG(c, d, a, b, x[7], 0x676f02d9, 14);
    b = StepG(b, c, d, a, x[12], 0x8d2a4c8a, 20);

    a = StepH(a, b, c, d, x[5], 0xfffa3942, 4);
    d = StepH(d, a, b, c, x[8], 0x8771f681, 11);
    c = StepH(c, d, a, b, x[11], 0x6d9d6122, 16);
    b = StepH(b, c, d, a, x[14], 0xfde5380c, 23);
    a = StepH(a, b, c, d, x[1], 0xa4beea44, 4);
    d = StepH(d, a, b, c, x[4], 0x4bdecfa9, 11);
    c = StepH(c, d, a, b, x[7], 0xf6bb4b60, 16);
    b = StepH(b, c, d, a, x[10], 0xbebfbc70, 23);
    a = StepH(a, b, c, d, x[13], 0x289b7ec6, 4);
    d = StepH(d, a, b, c, x[0], 0xeaa127fa, 11);
    c = StepH(c, d, a, b, x[3], 0xd4ef3085, 16);
    b = StepH(b, c, d, a, x[6], 0x04881d05, 23);
    a = StepH(a, b, c, d, x[9], 0xd9d4d039, 4);
    d = StepH(d, a, b, c, x[12], 0xe6db99e5, 11);
    c = StepH(c, d, a, b, x[15], 0x1fa27cf8, 16);
    b = StepH(b, c, d, a, x[2], 0xc4ac5665, 23);

    a = StepI(a, b, c, d, x[0], 0xf4292244, 6);
    d = StepI(d, a, b, c, x[7], 0x432aff97, 10);
    c = StepI(c, d, a, b, x[14], 0xab9423a7, 15);
    b = StepI(b, c, d, a, x[5], 0xfc93a039, 21);
    a = StepI(a, b, c, d, x[12], 0x655b59c3, 6);
    d = StepI(d, a, b, c, x[3], 0x8f0ccc92, 10);
    c = StepI(c, d, a, b, x[10], 0xffeff47d, 15);
    b = StepI(b, c, d, a, x[1], 0x85845dd1, 21);
    a = StepI(a, b, c, d, x[8], 0x6fa87e4f, 6);
    d = StepI(d, a, b, c, x[15], 0xfe2ce6e0, 10);
    c = StepI(c, d, a, b, x[6], 0xa3014314, 15);
    b = StepI(b, c, d, a, x[13], 0x4e0811a1, 21);
    a = StepI(a, b, c, d, x[4], 0xf7537e82, 6);
    d = StepI(d, a, b, c, x[11], 0xbd3af235, 10);
    c = StepI(c, d, a, b, x[2], 0x2ad7d2bb, 15);
    b = StepI(b, c, d, a, x[9], 0xeb86d391, 21);

    state[0] += a;
    state[1] += b;
    state[2] += c;
    state[3] += d;
}

void CMd5Digest::Encode(unsigned char* output, const uint32_t* input, unsigned int length) {
    for (unsigned int i = 0, j = 0; j < length; ++i, j += 4) {
        output[j] = static_cast<unsigned char>(input[i]);
        output[j + 1] = static_cast<unsigned char>(input[i] >> 8);
        output[j + 2] = static_cast<unsigned char>(input[i] >> 16);
        output[j + 3] = static_cast<unsigned char>(input[i] >> 24);
    }
}

void CMd5Digest::Decode(uint32_t* output, const unsigned char* input, unsigned int length) {
    // On a little-endian machine the words are the bytes as they stand; memcpy reads them from
    // any alignment.
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(output, input, length);
    } else {
        for (unsigned int i = 0, j = 0; j < length; ++i, j += 4) {
            output[i] = static_cast<uint32_t>(input[j]) |
                        (static_cast<uint32_t>(input[j + 1]) << 8) |
                        (static_cast<uint32_t>(input[j + 2]) << 16) |
                        (static_cast<uint32_t>(input[j + 3]) << 24);
        }
    }
}

void CMd5Digest::MemCopy(unsigned char* output, const unsigned char* input, unsigned int length) {
    if (length != 0) {
        std::memcpy(output, input, length);
    }
}

void CMd5Digest::MemSet(unsigned char* output, int value, unsigned int length) {
    std::memset(output, value, length);
}

// The MD5 message digest (RFC 1321) and the file digest the programs compare files by.
#pragma once

#include <cstdint>

// The running state of one digest; the caller owns it and passes it to every step.
struct Md5Context {
    std::uint32_t state[4];
    std::uint32_t count[2];  // bits hashed so far, low word first
    unsigned char buffer[64];
};

class CMd5Digest {
public:
    CMd5Digest();
    virtual ~CMd5Digest() = default;

    void Init(Md5Context* context);
    void Update(Md5Context* context, const unsigned char* input, unsigned int length);
    // Writes the 16 digest bytes and clears the context.
    void Final(unsigned char digest[16], Md5Context* context);

    // Appends the file's digest as 32 lower-case hexadecimal digits to the text already in
    // `text`, which must have room for them and the terminating zero. Returns 0, or -1 with the
    // text untouched when the file cannot be opened.
    int Md5File(const char* path, char* text);
    // Appends the digest of the zero-terminated `text` (its bytes as stored) as 32 upper-case
    // hexadecimal digits to the text already in `out`, which must have room for them and the
    // terminating zero.
    void Md5String(const char* text, char* out);

private:
    static void Transform(std::uint32_t state[4], const unsigned char block[64]);
    static void Encode(unsigned char* output, const std::uint32_t* input, unsigned int length);
    static void Decode(std::uint32_t* output, const unsigned char* input, unsigned int length);
    static void MemCopy(unsigned char* output, const unsigned char* input, unsigned int length);
    static void MemSet(unsigned char* output, int value, unsigned int length);

    unsigned char padding_[64];
};

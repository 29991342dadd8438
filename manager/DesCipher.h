// The Data Encryption Standard (FIPS 46-3) and its triple form (two-key and three-key EDE) in ECB
// or CBC mode, and the diary's whole-file cipher built on it.
//
// Blocks are worked on one bit per byte: an n-bit block is n bytes, each 0 or 1, and byte j of
// the packed form yields bits 8j..8j+7, most significant bit first.
//
// An enciphered file is, before enciphering, the plain file, zero bytes up to a multiple of 8, and
// the 32 upper-case hexadecimal characters of the MD5 digest of the check text (user name,
// password and kTrailerSalt). The whole is enciphered with two-key EDE in ECB mode under
// kProgramKey; the file holds the ciphertext alone.
#pragma once

#include <cstddef>
#include <vector>

// The 16 round keys of one 8-byte key, 48 bits each, one byte per bit.
inline constexpr std::size_t kDesScheduleSize = 16 * 48;

class CDesCipher {
public:
    // The two-key triple-DES key of every enciphered file.
    static constexpr char kProgramKey[] = "kZp47305;r<=/_hx";
    // Appended to the user name and password to form the check text.
    static constexpr char kTrailerSalt[] = "[]==eelKpmz874gh";

    virtual ~CDesCipher() = default;

    // Enciphers (or deciphers) `length` bytes from `input` to `output`, which may be the same
    // buffer but must not overlap it otherwise. The key holds keyLength / 8 keys of 8 bytes, of
    // which the first three at most are used: one gives DES, two give two-key EDE, three give
    // three-key EDE; the bytes after them are ignored. CBC starts from a zero vector. False, with
    // nothing written, for a null pointer, a length of 0 or not a multiple of 8, or a key shorter
    // than 8 bytes.
    static bool Run(bool decipher, bool cbc, const char* input, char* output, unsigned length,
                    const char* key, unsigned char keyLength);

    // The 16 round keys of an 8-byte key; its parity bits are ignored.
    static void KeySchedule(unsigned char schedule[kDesScheduleSize], const unsigned char key[8]);
    // One DES block; `output` may be `input`.
    static void CryptBlock(unsigned char output[8], const unsigned char input[8],
                           const unsigned char schedule[kDesScheduleSize], bool decipher);

    // Pads the plain bytes, appends the check text's trailer and enciphers them in place. False,
    // with the bytes unchanged, when they are too long for one run.
    static bool EncipherBytes(std::vector<unsigned char>& bytes, const char* checkText);
    // Deciphers enciphered bytes in place and, when their trailer matches the check text, cuts
    // it off, leaving the plain data with its zero padding. False, with the bytes unchanged, for
    // bytes that are no enciphered file or belong to another check text.
    static bool DecipherBytes(std::vector<unsigned char>& bytes, const char* checkText);

    // Pads and enciphers the plain file with the check text's trailer and writes the cipher file
    // whole, replacing an existing one only once the new one is complete. 0 when written; 1 when
    // the plain file cannot be read or the cipher file cannot be written.
    static int EncipherFile(const char* plainPath, const char* checkText, const char* cipherPath);
    // Deciphers the cipher file and, when its trailer matches the check text, writes the plain
    // data with its zero padding to the plain file. 0 when written; 1 when the cipher file cannot
    // be read, is no enciphered file, belongs to another check text, or the plain file cannot be
    // written. Nothing is written on failure.
    static int DecipherFile(const char* plainPath, const char* checkText, const char* cipherPath);
};

// Unpacks `bitCount` bits of `input`, most significant bit of each byte first.
void BytesToBits(unsigned char* output, const unsigned char* input, std::size_t bitCount);
// Packs `bitCount` bits into bytes, most significant bit first; a last partial byte is filled
// from its top.
void BitsToBytes(unsigned char* output, const unsigned char* input, std::size_t bitCount);
// Rotates the `length` bits of `bits` left by `count` places.
void RotateBitsLeft(unsigned char* bits, std::size_t length, std::size_t count);
// output[i] = input[table[i] - 1] for the `count` 1-based positions of `table`.
void PermuteBits(unsigned char* output, const unsigned char* input, const unsigned char* table,
                 std::size_t count);
// bits[i] ^= other[i].
void XorBits(unsigned char* bits, const unsigned char* other, std::size_t count);
// Replaces the 32-bit half with the cipher function f(half, roundKey) = P(S(E(half) XOR roundKey)).
void DesRoundFunction(unsigned char half[32], const unsigned char roundKey[48]);
// The eight S-boxes: 48 bits in, 32 bits out.
void DesSBoxes(unsigned char output[32], const unsigned char input[48]);

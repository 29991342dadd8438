#include "manager/DesCipher.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/testing/TempFolder.h"
#include "platform/text/Encoding.h"

namespace {

std::string FromHex(const std::string& hex) {
    std::string bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    }
    return bytes;
}

std::string ToHex(const std::string& bytes) {
    std::string hex;
    for (unsigned char byte : bytes) {
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02X", byte);
        hex += pair;
    }
    return hex;
}

// Runs the cipher over a copy of `input` and gives the result as upper-case hexadecimal.
std::string RunHex(bool decipher, bool cbc, const std::string& input, const std::string& key) {
    std::string output(input.size(), '\0');
    EXPECT_TRUE(CDesCipher::Run(decipher, cbc, input.data(), output.data(),
                                static_cast<unsigned>(input.size()), key.data(),
                                static_cast<unsigned char>(key.size())));
    return ToHex(output);
}

std::string Bits(const std::string& text) {
    std::string bits;
    for (char c : text) {
        if (c == '0' || c == '1') {
            bits += static_cast<char>(c - '0');
        }
    }
    return bits;
}

const unsigned char* Bytes(const std::string& text) {
    return reinterpret_cast<const unsigned char*>(text.data());
}

struct KnownAnswer {
    const char* key;
    const char* plain;
    const char* cipher;
};

// Published single-DES known answers, among them the worked example of FIPS 46-3 teaching texts
// (133457799BBCDFF1) and keys with parity bits set and cleared.
constexpr KnownAnswer kSingleDes[] = {
    {"133457799BBCDFF1", "0123456789ABCDEF", "85E813540F0AB405"},
    {"0123456789ABCDEF", "4E6F772069732074", "3FA40E8A984D4815"},
    {"0000000000000000", "0000000000000000", "8CA64DE9C1B123A7"},
    {"FFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFF", "7359B2163E4EDC58"},
    {"3000000000000000", "1000000000000001", "958E6E627A05557B"},
    {"1111111111111111", "1111111111111111", "F40379AB9E0EC533"},
    {"0123456789ABCDEF", "1111111111111111", "17668DFC7292532D"},
    {"1111111111111111", "0123456789ABCDEF", "8A5AE1F81AB8F2DD"},
    {"FEDCBA9876543210", "0123456789ABCDEF", "ED39D950FA74BCC4"},
    {"7CA110454A1A6E57", "01A1D6D039776742", "690F5B0D9A26939B"},
    {"0131D9619DC1376E", "5CD54CA83DEF57DA", "7A389D10354BD271"},
};

TEST(DesCipherTest, SingleDesGivesThePublishedKnownAnswersBothWays) {
    for (const KnownAnswer& answer : kSingleDes) {
        SCOPED_TRACE(answer.key);
        const std::string key = FromHex(answer.key);
        unsigned char schedule[kDesScheduleSize];
        CDesCipher::KeySchedule(schedule, Bytes(key));

        unsigned char block[8];
        CDesCipher::CryptBlock(block, Bytes(FromHex(answer.plain)), schedule, false);
        EXPECT_EQ(ToHex(std::string(block, block + 8)), answer.cipher);
        CDesCipher::CryptBlock(block, block, schedule, true);
        EXPECT_EQ(ToHex(std::string(block, block + 8)), answer.plain);

        EXPECT_EQ(RunHex(false, false, FromHex(answer.plain), key), answer.cipher);
        EXPECT_EQ(RunHex(true, false, FromHex(answer.cipher), key), answer.plain);
    }
}

TEST(DesCipherTest, KeyScheduleAndRoundFunctionGiveTheWorkedExamplesIntermediates) {
    unsigned char schedule[kDesScheduleSize];
    CDesCipher::KeySchedule(schedule, Bytes(FromHex("133457799BBCDFF1")));
    EXPECT_EQ(std::string(schedule, schedule + 48),
              Bits("000110 110000 001011 101111 111111 000111 000001 110010"));
    EXPECT_EQ(std::string(schedule + 15 * 48, schedule + 16 * 48),
              Bits("110010 110011 110110 001011 000011 100001 011111 110101"));

    // Round 1 of the same example: R0 and K1 give f, through the S-box output.
    std::string half = Bits("1111 0000 1010 1010 1111 0000 1010 1010");
    auto* halfBits = reinterpret_cast<unsigned char*>(half.data());
    DesRoundFunction(halfBits, schedule);
    EXPECT_EQ(half, Bits("0010 0011 0100 1010 1010 1001 1011 1011"));

    const std::string expandedXorKey =
        Bits("011000 010001 011110 111010 100001 100110 010100 100111");
    unsigned char substituted[32];
    DesSBoxes(substituted, Bytes(expandedXorKey));
    EXPECT_EQ(std::string(substituted, substituted + 32),
              Bits("0101 1100 1000 0010 1011 0101 1001 0111"));
}

TEST(DesCipherTest, EcbAndCbcGiveTheStandardModesExamples) {
    const std::string key = FromHex("0123456789ABCDEF");
    const std::string plain = "Now is the time for all ";
    EXPECT_EQ(RunHex(false, false, plain, key), "3FA40E8A984D48156A271787AB8883F9893D51EC4B563B53");

    // The example's vector is 1234567890ABCDEF; the cipher's own vector is zero, so the vector is
    // folded into the first block.
    std::string folded = plain;
    const std::string vector = FromHex("1234567890ABCDEF");
    for (int i = 0; i < 8; ++i) {
        folded[i] = static_cast<char>(folded[i] ^ vector[i]);
    }
    const std::string cipher = "E5C7CDDE872BF27C43E934008C389C0F683788499A7C05F6";
    EXPECT_EQ(RunHex(false, true, folded, key), cipher);
    EXPECT_EQ(RunHex(true, true, FromHex(cipher), key), ToHex(folded));

    // Long enough for blocks to go through side by side, and one more.
    const std::string forty = "Forty bytes: four blocks and one more!!!";
    const std::string fortyCipher =
        "1E0D396C029C2A2AF70878463A05AF3BED386B32D89E73DA50CF0B9033B4783113E0C0914CA5C1F4";
    EXPECT_EQ(RunHex(false, true, forty, CDesCipher::kProgramKey), fortyCipher);
    EXPECT_EQ(RunHex(true, true, FromHex(fortyCipher), CDesCipher::kProgramKey), ToHex(forty));
}

TEST(DesCipherTest, TripleDesGivesTheKnownAnswersAndReducesToItsParts) {
    const std::string plain = "The qufck brown fox jump";
    const std::string k1 = FromHex("0123456789ABCDEF");
    const std::string k2 = FromHex("23456789ABCDEF01");
    const std::string k3 = FromHex("456789ABCDEF0123");
    const std::string threeKey = "A826FD8CE53B855FCCE21C8112256FE668D5C05DD9B6B900";
    const std::string twoKey = "C44862F70CF2FBDC9077D0909FA91B884CABD61FC58E0CBB";

    EXPECT_EQ(RunHex(false, false, plain, k1 + k2 + k3), threeKey);
    EXPECT_EQ(RunHex(true, false, FromHex(threeKey), k1 + k2 + k3), ToHex(plain));
    EXPECT_EQ(RunHex(false, false, plain, k1 + k2), twoKey);
    EXPECT_EQ(RunHex(true, false, FromHex(twoKey), k1 + k2), ToHex(plain));
    EXPECT_EQ(RunHex(false, false, plain, k1 + k2 + k1), twoKey);
    EXPECT_EQ(RunHex(false, true, plain, k1 + k2 + k1), RunHex(false, true, plain, k1 + k2));

    // Three equal keys are single DES, in both modes.
    EXPECT_EQ(RunHex(false, false, plain, k1 + k1 + k1), RunHex(false, false, plain, k1));
    EXPECT_EQ(RunHex(false, true, plain, k2 + k2 + k2), RunHex(false, true, plain, k2));

    // Only whole 8-byte keys count, three at most.
    EXPECT_EQ(RunHex(false, false, plain, k1 + "1234567"), RunHex(false, false, plain, k1));
    EXPECT_EQ(RunHex(false, false, plain, k1 + k2 + "1234567"), twoKey);
    EXPECT_EQ(RunHex(false, false, plain, k1 + k2 + k3 + k2 + k1), threeKey);
    EXPECT_EQ(RunHex(false, false, plain, k1 + k2 + k3 + std::string(231, 'x')), threeKey);
}

TEST(DesCipherTest, RunRefusesBadArgumentsWithoutWriting) {
    const char* key = "12345678abcdefgh";
    const std::string input(16, 'p');
    std::string output(16, '=');
    char* out = output.data();
    const unsigned keyLength256 = 256;
    EXPECT_FALSE(CDesCipher::Run(false, false, nullptr, out, 16, key, 16));
    EXPECT_FALSE(CDesCipher::Run(false, false, input.data(), nullptr, 16, key, 16));
    EXPECT_FALSE(CDesCipher::Run(false, false, input.data(), out, 16, nullptr, 16));
    for (unsigned length : {0u, 12u, 15u}) {
        EXPECT_FALSE(CDesCipher::Run(true, true, input.data(), out, length, key, 16));
    }
    for (unsigned keyLength : {7u, 0u, keyLength256}) {
        EXPECT_FALSE(CDesCipher::Run(false, false, input.data(), out, 16, key,
                                     static_cast<unsigned char>(keyLength)));
    }
    EXPECT_EQ(output, std::string(16, '='));

    EXPECT_TRUE(CDesCipher::Run(false, false, input.data(), out, 8, key, 8));
    EXPECT_EQ(output.substr(8), std::string(8, '='));
}

TEST(DesCipherTest, WorksInPlaceAndChainsOnlyInCbc) {
    const std::string key = "kZp47305;r<=/_hx";
    const std::string plain = std::string(24, 'A') + "the end.";

    const std::string ecb = FromHex(RunHex(false, false, plain, key));
    EXPECT_EQ(ecb.substr(0, 8), ecb.substr(8, 8));
    const std::string cbc = FromHex(RunHex(false, true, plain, key));
    EXPECT_EQ(cbc.substr(0, 8), ecb.substr(0, 8));
    EXPECT_NE(cbc.substr(8, 8), cbc.substr(0, 8));
    EXPECT_NE(cbc.substr(16, 8), cbc.substr(8, 8));

    for (bool useCbc : {false, true}) {
        std::string buffer = plain;
        const auto length = static_cast<unsigned>(buffer.size());
        ASSERT_TRUE(
            CDesCipher::Run(false, useCbc, buffer.data(), buffer.data(), length, key.data(), 16));
        EXPECT_EQ(buffer, useCbc ? cbc : ecb);
        ASSERT_TRUE(
            CDesCipher::Run(true, useCbc, buffer.data(), buffer.data(), length, key.data(), 16));
        EXPECT_EQ(buffer, plain);
    }
}

TEST(DesCipherTest, BitHelpersPackMostSignificantBitFirstAndRotateModuloTheLength) {
    const unsigned char bytes[2] = {0xA5, 0x3C};
    unsigned char bits[16] = {};
    BytesToBits(bits, bytes, 12);
    EXPECT_EQ(std::string(bits, bits + 16), Bits("1010 0101 0011") + std::string(4, '\0'));
    unsigned char packed[2] = {0xFF, 0xFF};
    BitsToBytes(packed, bits, 12);
    EXPECT_EQ(packed[0], 0xA5);
    EXPECT_EQ(packed[1], 0x30);

    std::string rotated = Bits("1100 0000 01");
    RotateBitsLeft(reinterpret_cast<unsigned char*>(rotated.data()), 10, 2);
    EXPECT_EQ(rotated, Bits("0000 0001 11"));
    RotateBitsLeft(reinterpret_cast<unsigned char*>(rotated.data()), 10, 13);
    EXPECT_EQ(rotated, Bits("0000 1110 00"));
}

class DesCipherFileTest : public ::testing::Test {
protected:
    // The file's name as the programs give it: drive Z: is the Linux root, text is GBK.
    std::string PathOf(const std::string& name) const {
        return "Z:" + platform::Utf8ToGbk(folder_.path().string()) + "\\" + name;
    }
    void Write(const std::string& name, const std::string& bytes) const {
        folder_.WriteFile(name, bytes);
    }
    std::string Read(const std::string& name) const { return folder_.ReadFile(name); }
    std::filesystem::path Local(const std::string& name) const { return folder_.path() / name; }
    bool Exists(const std::string& name) const { return std::filesystem::exists(Local(name)); }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder_.path())) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    int Encipher(const std::string& plain, const std::string& check, const std::string& cipher) {
        return CDesCipher::EncipherFile(PathOf(plain).c_str(), check.c_str(),
                                        PathOf(cipher).c_str());
    }
    int Decipher(const std::string& plain, const std::string& check, const std::string& cipher) {
        return CDesCipher::DecipherFile(PathOf(plain).c_str(), check.c_str(),
                                        PathOf(cipher).c_str());
    }

    const std::string check_ = std::string("tompass") + CDesCipher::kTrailerSalt;

private:
    platform::testing::TempFolder folder_;
};

TEST_F(DesCipherFileTest, EnciphersPlainPaddingAndTrailerWithTheProgramKey) {
    // Two-key EDE under the program key of "diary", three zeros and the upper-case MD5 of
    // "tompass[]==eelKpmz874gh", 5D87606C21B83EFA05599EFE647DDB57.
    Write("200901.dat3", "diary");
    ASSERT_EQ(Encipher("200901.dat3", check_, "200901.dat"), 0);
    EXPECT_EQ(ToHex(Read("200901.dat")),
              "B0DB1A37CEB89D23"
              "42CC6DD35507EE83DBBCE19F9C8F4380E7456EA365EBF68519BFBE01148F523C");

    ASSERT_EQ(Decipher("200901.dat2", check_, "200901.dat"), 0);
    EXPECT_EQ(Read("200901.dat2"), std::string("diary\0\0\0", 8));
}

TEST_F(DesCipherFileTest, PadsToEightBytesAndKeepsThePaddingWhenDeciphering) {
    Write("empty", "");
    ASSERT_EQ(Encipher("empty", check_, "empty.dat"), 0);
    EXPECT_EQ(ToHex(Read("empty.dat")),
              "42CC6DD35507EE83DBBCE19F9C8F4380E7456EA365EBF68519BFBE01148F523C");
    ASSERT_EQ(Decipher("empty.out", check_, "empty.dat"), 0);
    EXPECT_TRUE(Exists("empty.out"));
    EXPECT_EQ(Read("empty.out"), "");

    Write("nine", "123456789");
    ASSERT_EQ(Encipher("nine", check_, "nine.dat"), 0);
    EXPECT_EQ(Read("nine.dat").size(), 48u);
    ASSERT_EQ(Decipher("nine.out", check_, "nine.dat"), 0);
    EXPECT_EQ(Read("nine.out"), std::string("123456789\0\0\0\0\0\0\0", 16));

    const std::string eight = "\x01\x02\x03\x04\x05\x06\x07\x08";
    Write("eight", eight);
    ASSERT_EQ(Encipher("eight", check_, "eight.dat"), 0);
    EXPECT_EQ(Read("eight.dat").size(), 40u);
    ASSERT_EQ(Decipher("eight.out", check_, "eight.dat"), 0);
    EXPECT_EQ(Read("eight.out"), eight);
}

TEST_F(DesCipherFileTest, DecipheringRefusesOtherCheckTextsAndForeignFilesWithoutWriting) {
    Write("plain", "secret day");
    ASSERT_EQ(Encipher("plain", check_, "month.dat"), 0);
    Write("out", "previous");

    EXPECT_EQ(Decipher("out", std::string("tompasx") + CDesCipher::kTrailerSalt, "month.dat"), 1);
    EXPECT_EQ(Decipher("out", "tompass", "month.dat"), 1);
    EXPECT_EQ(Read("out"), "previous");

    Write("garbage40", std::string(40, 'g'));
    EXPECT_EQ(Decipher("out", check_, "garbage40"), 1);
    // Too short for a trailer, or not whole blocks.
    Write("short24", Read("month.dat").substr(0, 24));
    EXPECT_EQ(Decipher("out", check_, "short24"), 1);
    Write("ragged", Read("month.dat") + "x");
    EXPECT_EQ(Decipher("out", check_, "ragged"), 1);
    Write("zero", "");
    EXPECT_EQ(Decipher("out", check_, "zero"), 1);
    EXPECT_EQ(Decipher("out", check_, "missing.dat"), 1);
    EXPECT_EQ(Read("out"), "previous");

    EXPECT_EQ(Decipher("out", check_, "month.dat"), 0);
    EXPECT_EQ(Read("out"), std::string("secret day\0\0\0\0\0\0", 16));
}

TEST_F(DesCipherFileTest, FailedWritesReportOneAndKeepThePreviousFile) {
    Write("plain", "new month");
    EXPECT_EQ(Encipher("missing", check_, "month.dat"), 1);
    EXPECT_FALSE(Exists("month.dat"));

    Write("month.dat", "old month");
    // A folder in the way of the temporary file makes the write fail.
    std::filesystem::create_directory(Local("month.dat.tmp"));
    EXPECT_EQ(Encipher("plain", check_, "month.dat"), 1);
    EXPECT_EQ(Read("month.dat"), "old month");
    std::filesystem::remove(Local("month.dat.tmp"));

    EXPECT_EQ(Encipher("plain", check_, "no folder\\month.dat"), 1);
    ASSERT_EQ(Encipher("plain", check_, "month.dat"), 0);
    EXPECT_EQ(Read("month.dat").size(), 48u);
    EXPECT_EQ(Decipher("no folder\\plain.out", check_, "month.dat"), 1);

    // Replacing an existing file leaves no temporary file behind.
    ASSERT_EQ(Encipher("plain", check_, "month.dat"), 0);
    ASSERT_EQ(Decipher("plain.out", check_, "month.dat"), 0);
    ASSERT_EQ(Decipher("plain.out", check_, "month.dat"), 0);
    EXPECT_EQ(Names(), (std::vector<std::string>{"month.dat", "plain", "plain.out"}));

    EXPECT_EQ(CDesCipher::EncipherFile(nullptr, check_.c_str(), PathOf("a").c_str()), 1);
    EXPECT_EQ(CDesCipher::EncipherFile(PathOf("plain").c_str(), nullptr, PathOf("a").c_str()), 1);
    EXPECT_EQ(CDesCipher::DecipherFile(PathOf("a").c_str(), check_.c_str(), nullptr), 1);
}

}  // namespace

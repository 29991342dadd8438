// A diary account: the folder "notebook\<user>\" under the program folder and in it the account
// file pass.dat, whose one line (ended by CR LF) is the 32 upper-case hexadecimal digits of the
// MD5 digest of user name + password + kAccountSalt. User names are taken as typed; the path
// layer finds a folder whose name differs only in case, so such a name names the same account.
#pragma once

#include <cstddef>
#include <string>

class CAccountFile {
public:
    static constexpr char kAccountSalt[] = "&uKLP.<:(#?:|8034d91Gq";
    static constexpr std::size_t kMinNameLength = 4;
    static constexpr std::size_t kMaxNameLength = 40;
    static constexpr std::size_t kMinPasswordLength = 4;
    // The account file's line is read into a buffer of this size; the rest of a longer line is
    // skipped.
    static constexpr std::size_t kLineBuffer = 100;

    enum class Login { kAccepted, kRefused, kDamaged };
    enum class Creation { kCreated, kBadLength, kBadCharacter, kBadPassword, kExists, kNotWritten };

    // 4 to 40 bytes, none of them " * / : < > ? \ or | (trail bytes of GBK characters included).
    static bool IsValidName(const std::string& user);
    static bool IsValidNameLength(const std::string& user);
    // The account file of the user under the program folder (which ends in a backslash).
    static std::string PathOf(const std::string& folder, const std::string& user);
    static std::string CheckValue(const std::string& user, const std::string& password);

    // kRefused for a name that fails IsValidName, a missing account or another password;
    // kDamaged for an account file without a line. Reads only.
    static Login CheckLogin(const std::string& folder, const std::string& user,
                            const std::string& password);
    // Checks in this order: name length, name characters, password and confirmation, an existing
    // account; then creates the folders and writes the account file whole.
    static Creation Create(const std::string& folder, const std::string& user,
                           const std::string& password, const std::string& confirmation);
};

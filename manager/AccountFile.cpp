#include "manager/AccountFile.h"

#include "common/Md5Digest.h"
#include "common/TextLineFile.h"
#include "common/WholeFile.h"
#include "manager/ManagerDirectoryChain.h"
#include "platform/files/FileApi.h"

bool CAccountFile::IsValidNameLength(const std::string& user) {
    return user.size() >= kMinNameLength && user.size() <= kMaxNameLength;
}

bool CAccountFile::IsValidName(const std::string& user) {
    return IsValidNameLength(user) && user.find_first_of("\"*/:<>?\\|") == std::string::npos;
}

std::string CAccountFile::PathOf(const std::string& folder, const std::string& user) {
    return folder + "notebook\\" + user + "\\pass.dat";
}

std::string CAccountFile::CheckValue(const std::string& user, const std::string& password) {
    char digest[33] = {};
    CMd5Digest md5;
    md5.Md5String((user + password + kAccountSalt).c_str(), digest);
    return digest;
}

CAccountFile::Login CAccountFile::CheckLogin(const std::string& folder, const std::string& user,
                                             const std::string& password) {
    // The name becomes part of a path: one that the new-user checks refuse names no account.
    if (!IsValidName(user)) {
        return Login::kRefused;
    }
    CTextLineFile file;
    if (file.Open(PathOf(folder, user).c_str()) != 0) {
        return Login::kRefused;
    }
    char line[kLineBuffer] = {};
    if (file.ReadLine(line) != 0) {
        return Login::kDamaged;
    }
    file.Close();
    return CheckValue(user, password) == line ? Login::kAccepted : Login::kRefused;
}

CAccountFile::Creation CAccountFile::Create(const std::string& folder, const std::string& user,
                                            const std::string& password,
                                            const std::string& confirmation) {
    if (!IsValidNameLength(user)) {
        return Creation::kBadLength;
    }
    if (!IsValidName(user)) {
        return Creation::kBadCharacter;
    }
    if (password != confirmation || password.size() < kMinPasswordLength) {
        return Creation::kBadPassword;
    }
    const std::string path = PathOf(folder, user);
    if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
        return Creation::kExists;
    }
    manager::CreateDirectoryChain(path.c_str());
    if (!WriteWholeFile(path.c_str(), CheckValue(user, password) + "\r\n")) {
        return Creation::kNotWritten;
    }
    return Creation::kCreated;
}

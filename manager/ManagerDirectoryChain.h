// The desktop manager's folder-chain creation, which the new-user dialog uses for a user's
// notebook folder. Unlike the browser's (common/DirectoryChain.h) it takes the path as it is:
// slashes are not separators here.
#pragma once

namespace manager {

// Creates the folder named by the path up to each backslash at index 3 or later, in order,
// ignoring failures; for "C:\a\b\" that is "C:\a\" and then "C:\a\b\". Returns 0.
int CreateDirectoryChain(const char* path);

}  // namespace manager

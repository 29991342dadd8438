// Creating the folders a file path runs through, before a file is written there.
#pragma once

// Turns "/" into "\" and "\\" into "\", then creates every folder along `path` up to its last
// backslash, passing over folders that exist; the part after the last backslash is the file's
// name and is not created. Returns 0, or 1 without creating anything when the path has no drive
// part (no ":" after its first character).
int CreateDirectoryChain(const char* path);

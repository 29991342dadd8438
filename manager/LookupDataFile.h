// The lookup pages' data files (mobile.dat, sfz.dat, ybqh.dat, dict.dat in data3\): GBK text
// lines ending in CR LF, shipped enciphered with a fixed 20-byte XOR key. Nothing writes them.
#pragma once

#include <cstddef>
#include <functional>
#include <initializer_list>
#include <span>

// Enciphers or deciphers (the same operation) the bytes as the file's bytes from offset 0.
void XorDataFile(std::span<char> bytes);

// Reads the file whole, deciphers all of its bytes (a NUL among them ends nothing) and hands each
// line to `onLine`, cut to `lineSize` - 1 bytes (the rest of a longer line is skipped). 0 read,
// 1 the file cannot be opened or read.
int ReadDataFileLines(const char* path, std::size_t lineSize,
                      const std::function<void(const char* line)>& onLine);

// Reads the white-space separated words of `line` into the fields in order, as "%s %s ..." would,
// but never more than a field holds (size - 1 bytes and a NUL; the rest of a longer word is
// skipped). Fields past the last word are left as they are. Returns the number of words read.
int ScanWords(const char* line, std::initializer_list<std::span<char>> fields);

// One entry of data3\dict.dat: a line of six fields separated by "/", idiom, initials (the first
// pinyin letter of each character, lower case), pinyin, explanation, source and example. The line
// is split at its first five "/"; any further "/" belongs to the example.
#pragma once

#include <string>

inline constexpr char kIdiomFile[] = "data3\\dict.dat";

struct IdiomRecord {
    static constexpr std::size_t kLineSize = 1024;

    std::string idiom;
    std::string initials;
    std::string pinyin;
    std::string explanation;
    std::string source;
    std::string example;

    // Fields missing from a line with fewer than five "/" stay empty.
    static IdiomRecord Parse(const char* line);
};

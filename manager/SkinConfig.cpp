#include "manager/SkinConfig.h"

#include "common/TextLineFile.h"

int ReadSkinValue(const char* file, const char* key, char* value, std::size_t size) {
    if (size == 0) {
        return 1;
    }
    value[0] = '\0';
    CTextLineFile config;
    if (config.Open(file) != 0) {
        return 1;
    }
    char line[1024];
    if (config.FindLine(key, line) != 0 || config.ReadValueLine(value, size) != 0) {
        value[0] = '\0';
        return 1;
    }
    return 0;
}

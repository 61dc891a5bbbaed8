// The fuzz targets' input as a file, since the program reads files: one temporary file per
// target process, rewritten for every input and removed when the process ends.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

// Writes the input to the process's temporary file with the given ending; null on failure.
inline const char* writeFuzzInput(const char* ending, const uint8_t* data, size_t size) {
    struct TempInput {
        std::string path;
        ~TempInput() { std::remove(path.c_str()); }
    };
    static const TempInput input{"/tmp/pindle-fuzz-" + std::to_string(getpid()) + ending};
    FILE* fp = std::fopen(input.path.c_str(), "wb");
    if (!fp) return nullptr;
    bool written = std::fwrite(data, 1, size, fp) == size;
    if (std::fclose(fp) != 0 || !written) return nullptr;
    return input.path.c_str();
}

#include "lang/textfile.h"

#include <sys/stat.h>

FILE* openTextFile(const char* name) {
    FILE* fp = std::fopen(name, "r");
    struct stat st;
    if (fp && (fstat(fileno(fp), &st) != 0 || !(S_ISREG(st.st_mode) || S_ISFIFO(st.st_mode)))) {
        std::fclose(fp);
        fp = nullptr;
    }
    return fp;
}

#include "runner/outputcheck.h"

#include "io/system.h"
#include "runner/runreport.h"

#include <cstdio>

namespace {

bool refuse(const char* output, const char* what, const std::string& other) {
    std::fprintf(stderr, "pindle-run: will not write %s: it is the same file as the %s %s\n",
                 faultFileName(output).c_str(), what, faultFileName(other.c_str()).c_str());
    return false;
}

} // namespace

bool outputsSafe(const std::vector<const char*>& outputs, const std::vector<std::string>& inputs) {
    for (size_t k = 0; k < outputs.size(); ++k) {
        if (!outputs[k]) continue;
        for (const std::string& input : inputs)
            if (sameFile(outputs[k], input.c_str())) return refuse(outputs[k], "input", input);
        for (size_t j = 0; j < k; ++j)
            if (outputs[j] && sameFile(outputs[k], outputs[j]))
                return refuse(outputs[k], "output", outputs[j]);
    }
    return true;
}

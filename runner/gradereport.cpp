#include "runner/gradereport.h"

#include "io/system.h"
#include "runner/runreport.h"

#include <cstdio>
#include <cstring>

size_t GradedProgram::passes() const {
    size_t n = 0;
    for (const GradedRun& r : runs)
        n += r.passed ? 1 : 0;
    return n;
}

namespace {

// A field as CSV quotes it: in double quotes, its own doubled, when it holds a comma, a
// double quote or a line end; else as it is. A field that a spreadsheet would take for a
// formula (its first character =, +, -, @, a tab or a carriage return) gets a ' in front.
std::string csvField(const std::string& field) {
    bool formula = !field.empty() && field[0] != '\0' && std::strchr("=+-@\t\r", field[0]);
    std::string text = formula ? "'" + field : field;
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string out = "\"";
    for (char c : text)
        out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

std::string attribute(const char* name, const std::string& value) {
    return std::string(" ") + name + "=\"" + xmlText(value, OddBytes::RUNNER_ESCAPES) + "\"";
}

std::string counts(size_t tests, size_t failures) {
    return " tests=\"" + std::to_string(tests) + "\" failures=\"" + std::to_string(failures) +
           "\" errors=\"0\" skipped=\"0\"";
}

std::string testcase(const std::string& program, const std::string& world, const GradedRun& r) {
    std::string head = "    <testcase" + attribute("classname", program) + attribute("name", world);
    if (r.passed) return head + "/>\n";
    std::string type = r.reason.substr(0, r.reason.find(' '));
    return head + ">\n      <failure" + attribute("message", r.reason) + attribute("type", type) +
           ">" + xmlText(r.reason, OddBytes::RUNNER_ESCAPES) + "</failure>\n    </testcase>\n";
}

} // namespace

std::string csvReport(const std::vector<std::string>& worlds,
                      const std::vector<GradedProgram>& programs) {
    std::string out = "program,world,result,steps,reason\n";
    for (const GradedProgram& p : programs)
        for (size_t w = 0; w < worlds.size(); ++w) {
            const GradedRun& r = p.runs[w];
            out += csvField(p.name) + "," + csvField(worlds[w]) + "," +
                   (r.passed ? "pass," : "fail,") + std::to_string(r.steps) + "," +
                   csvField(r.reason) + "\n";
        }
    return out;
}

std::string junitReport(const std::vector<std::string>& worlds,
                        const std::vector<GradedProgram>& programs) {
    size_t tests = 0, failures = 0;
    std::string suites;
    for (const GradedProgram& p : programs) {
        size_t failed = worlds.size() - p.passes();
        tests += worlds.size();
        failures += failed;
        suites +=
            "  <testsuite" + attribute("name", p.name) + counts(worlds.size(), failed) + ">\n";
        for (size_t w = 0; w < worlds.size(); ++w)
            suites += testcase(p.name, worlds[w], p.runs[w]);
        suites += "  </testsuite>\n";
    }
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<testsuites" + counts(tests, failures) +
           ">\n" + suites + "</testsuites>\n";
}

bool writeReport(const char* path, const std::string& text) {
    SaveOutcome out = saveFileSafely(path, text);
    if (out.saved) return true;
    std::fprintf(stderr, "pindle-run: cannot write %s: %s\n", faultFileName(path).c_str(),
                 std::strerror(out.error));
    if (!out.keptOld.empty())
        std::fprintf(stderr, "pindle-run: its old text is kept in %s\n",
                     faultFileName(out.keptOld.c_str()).c_str());
    return false;
}

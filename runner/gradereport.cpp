#include "runner/gradereport.h"

#include "io/system.h"
#include "runner/runreport.h"

#include <cstdio>
#include <cstring>

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

std::string testcase(const std::string& suite, const JunitCase& c) {
    std::string head = "    <testcase" + attribute("classname", suite) + attribute("name", c.name);
    if (c.run.passed) return head + "/>\n";
    const std::string& reason = c.run.reason;
    std::string type = reason.substr(0, reason.find(' '));
    return head + ">\n      <failure" + attribute("message", reason) + attribute("type", type) +
           ">" + xmlText(reason, OddBytes::RUNNER_ESCAPES) + "</failure>\n    </testcase>\n";
}

} // namespace

size_t passes(const GradedRun* runs, size_t n) {
    size_t passed = 0;
    for (size_t k = 0; k < n; ++k)
        passed += runs[k].passed ? 1 : 0;
    return passed;
}

std::string csvRow(const std::vector<std::string>& fields) {
    std::string row;
    for (size_t k = 0; k < fields.size(); ++k)
        row += (k ? "," : "") + csvField(fields[k]);
    return row + "\n";
}

std::string junitReport(const std::vector<JunitSuite>& suites) {
    size_t tests = 0, failures = 0;
    std::string text;
    for (const JunitSuite& s : suites) {
        size_t failed = 0;
        for (const JunitCase& c : s.cases)
            failed += c.run.passed ? 0 : 1;
        tests += s.cases.size();
        failures += failed;
        text += "  <testsuite" + attribute("name", s.name) + counts(s.cases.size(), failed) + ">\n";
        for (const JunitCase& c : s.cases)
            text += testcase(s.name, c);
        text += "  </testsuite>\n";
    }
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<testsuites" + counts(tests, failures) +
           ">\n" + text + "</testsuites>\n";
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

#include "app/gradereport.h"

#include "app/runreport.h"
#include "lang/safesave.h"

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

// The length of the well-formed UTF-8 sequence of a character XML allows at text[at], or 0.
size_t xmlCharLength(const std::string& text, size_t at) {
    unsigned char lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) return lead >= 0x20 || lead == '\t' || lead == '\n' || lead == '\r';
    size_t n = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    if (lead > 0xF4 || n == 0 || at + n > text.size()) return 0;
    unsigned long cp = lead & (0x7F >> n);
    for (size_t k = 1; k < n; ++k) {
        unsigned char c = static_cast<unsigned char>(text[at + k]);
        if ((c & 0xC0) != 0x80) return 0;
        cp = cp << 6 | (c & 0x3F);
    }
    static const unsigned long least[5] = {0, 0, 0x80, 0x800, 0x10000};
    bool allowed = cp >= least[n] && cp <= 0x10FFFF && !(cp >= 0xD800 && cp <= 0xDFFF) &&
                   cp != 0xFFFE && cp != 0xFFFF;
    return allowed ? n : 0;
}

// Text for an XML attribute or element: markup characters as entities, white space other than
// a blank as character references, and every byte that is no XML character (controls, bytes
// that are not UTF-8) as \xNN, as the runner's quoting writes it.
std::string xmlText(const std::string& text) {
    std::string out;
    for (size_t at = 0; at < text.size();) {
        size_t n = xmlCharLength(text, at);
        char c = text[at];
        if (n == 0) {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02x", static_cast<unsigned char>(c));
            out += hex;
            n = 1;
        } else if (n > 1) {
            out.append(text, at, n);
        } else {
            switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\t': out += "&#9;"; break;
            case '\n': out += "&#10;"; break;
            case '\r': out += "&#13;"; break;
            default: out += c;
            }
        }
        at += n;
    }
    return out;
}

std::string attribute(const char* name, const std::string& value) {
    return std::string(" ") + name + "=\"" + xmlText(value) + "\"";
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
           ">" + xmlText(r.reason) + "</failure>\n    </testcase>\n";
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

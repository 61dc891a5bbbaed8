#include "io/quoting.h"

#include <cstdio>

namespace {

void appendHexEscape(std::string& out, unsigned char c) {
    char hex[5];
    std::snprintf(hex, sizeof hex, "\\x%02x", c);
    out += hex;
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

// Markup characters as entities; false for any other character.
bool appendMarkup(std::string& out, char c) {
    switch (c) {
    case '&': out += "&amp;"; return true;
    case '<': out += "&lt;"; return true;
    case '>': out += "&gt;"; return true;
    default: return false;
    }
}

void appendLatin1(std::string& out, unsigned char c) {
    if (appendMarkup(out, static_cast<char>(c))) return;
    if (c < 0x20 || c == 0x7f)
        out += "&#xfffd;";
    else if (c >= 0x80)
        out += std::string("&#x") + "0123456789abcdef"[c >> 4] + "0123456789abcdef"[c & 15] + ";";
    else
        out += static_cast<char>(c);
}

// One UTF-8 character of n bytes at text[at] (n 0 for a byte that is no XML character).
void appendReportCharacter(std::string& out, const std::string& text, size_t at, size_t n) {
    char c = text[at];
    if (n == 0) return appendHexEscape(out, static_cast<unsigned char>(c));
    if (n > 1) return static_cast<void>(out.append(text, at, n));
    if (appendMarkup(out, c)) return;
    switch (c) {
    case '"': out += "&quot;"; break;
    case '\t': out += "&#9;"; break;
    case '\n': out += "&#10;"; break;
    case '\r': out += "&#13;"; break;
    default: out += c;
    }
}

} // namespace

std::string quoted(const std::string& text) {
    std::string out;
    for (unsigned char c : text) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '"': out += "\\\""; break;
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        case '\r': out += "\\r"; break;
        default:
            if (c < 0x20 || c >= 0x7F)
                appendHexEscape(out, c);
            else
                out += static_cast<char>(c);
        }
    }
    return out;
}

std::string xmlText(const std::string& text, OddBytes odd) {
    std::string out;
    for (size_t at = 0; at < text.size();) {
        if (odd == OddBytes::LATIN1) {
            appendLatin1(out, static_cast<unsigned char>(text[at++]));
            continue;
        }
        size_t n = xmlCharLength(text, at);
        appendReportCharacter(out, text, at, n);
        at += n ? n : 1;
    }
    return out;
}

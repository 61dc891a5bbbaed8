// Text made safe for what the programs write: the runner's quoted strings, and XML text (JUnit
// reports, SVG pictures) under one of two policies for bytes that are no XML character.
#pragma once
#include <string>

// Text quoted for the runner's output: backslash, quote, line ends, tab and bytes outside
// 0x20-0x7E escaped.
std::string quoted(const std::string& text);

// What XML text makes of bytes that are no character of XML.
enum class OddBytes {
    RUNNER_ESCAPES, // text is UTF-8: markup, quotes and white space other than a blank as
                    // references, every byte that is no XML character as \xNN (reports)
    LATIN1,         // every byte is a Latin-1 character, as the window shows it: markup as
                    // references, controls as U+FFFD (pictures)
};

// Text for an XML element or attribute, under a policy for odd bytes.
std::string xmlText(const std::string& text, OddBytes odd);

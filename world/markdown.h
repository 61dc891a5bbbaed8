// Markdown (CommonMark, through the cmark library) as the course shows it: HTML without the
// text's own raw HTML, a heading as plain text, and which links may be opened.
#pragma once
#include <string>

// The HTML of a CommonMark text. Raw HTML in the text is left out, links and images whose
// address could run something (javascript:, vbscript:, file:, most data:) lose their address,
// and bytes that are not UTF-8 become U+FFFD.
std::string markdownToHtml(const std::string& text);
// The plain text of the first heading of a CommonMark text; empty when it has none.
std::string firstHeading(const std::string& text);
// True when a link may be opened in the desktop's browser: an http or https address.
bool linkMayOpen(const std::string& url);

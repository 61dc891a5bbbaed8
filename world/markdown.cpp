#include "world/markdown.h"

#include <cmark.h>
#include <cstdlib>
#include <memory>

namespace {

// Raw HTML left out and dangerous addresses dropped (the default of cmark 0.29 and later,
// asked for by name for older ones), bytes that are not UTF-8 replaced.
constexpr int OPTIONS = CMARK_OPT_SAFE | CMARK_OPT_VALIDATE_UTF8;

struct FreeNode {
    void operator()(cmark_node* node) const { cmark_node_free(node); }
};
struct FreeIter {
    void operator()(cmark_iter* iter) const { cmark_iter_free(iter); }
};

} // namespace

std::string markdownToHtml(const std::string& text) {
    char* html = cmark_markdown_to_html(text.data(), text.size(), OPTIONS);
    if (!html) return "";
    std::string out = html;
    std::free(html);
    return out;
}

std::string firstHeading(const std::string& text) {
    std::unique_ptr<cmark_node, FreeNode> doc(
        cmark_parse_document(text.data(), text.size(), OPTIONS));
    if (!doc) return "";
    std::unique_ptr<cmark_iter, FreeIter> iter(cmark_iter_new(doc.get()));
    std::string heading;
    bool inHeading = false;
    for (cmark_event_type ev; (ev = cmark_iter_next(iter.get())) != CMARK_EVENT_DONE;) {
        cmark_node* node = cmark_iter_get_node(iter.get());
        cmark_node_type type = cmark_node_get_type(node);
        if (type == CMARK_NODE_HEADING) {
            if (inHeading && ev == CMARK_EVENT_EXIT) return heading;
            inHeading = true;
        } else if (inHeading && (type == CMARK_NODE_SOFTBREAK || type == CMARK_NODE_LINEBREAK)) {
            heading += ' ';
        } else if (inHeading && (type == CMARK_NODE_TEXT || type == CMARK_NODE_CODE)) {
            heading += cmark_node_get_literal(node);
        }
    }
    return heading;
}

bool linkMayOpen(const std::string& url) {
    std::string scheme;
    for (char c : url.substr(0, url.find(':')))
        scheme += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    bool web = (scheme == "http" || scheme == "https") &&
               url.compare(scheme.size(), 3, "://") == 0 && url.size() > scheme.size() + 3;
    for (unsigned char c : url)
        if (c <= ' ' || c == 0x7F) return false;
    return web;
}

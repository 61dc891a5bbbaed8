#include "lang/filenames.h"
#include "io/translate.h"

#include "io/system.h"
#include "lang/outside.h"
#include "lang/runstate.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

struct Kept {
    char* name;
    const char* keep;
};

std::vector<Kept>& kept() {
    static std::vector<Kept> names;
    return names;
}

std::vector<std::string> parts(const std::string& path) {
    std::vector<std::string> out;
    for (size_t at = 0; at <= path.size();) {
        size_t end = path.find('/', at);
        if (end == std::string::npos) end = path.size();
        std::string part = path.substr(at, end - at);
        if (part == "..") {
            if (!out.empty()) out.pop_back();
        } else if (!part.empty() && part != ".") {
            out.push_back(part);
        }
        at = end + 1;
    }
    return out;
}

// The absolute path from as a path relative to the folder dir (both absolute).
std::string relativeTo(const std::string& dir, const std::string& path) {
    std::vector<std::string> from = parts(dir), to = parts(path);
    size_t same = 0;
    while (same < from.size() && same < to.size() && from[same] == to[same])
        ++same;
    std::string out;
    for (size_t k = same; k < from.size(); ++k)
        out += "../";
    for (size_t k = same; k < to.size(); ++k)
        out += to[k] + (k + 1 < to.size() ? "/" : "");
    return out;
}

// The name that stands for the same file after a move from the folder from to the folder to;
// empty when no such name fits.
std::string moved(const char* name, const std::string& from, const std::string& to) {
    if (name[0] == '/') return name;
    std::string whole = from + "/" + name, normal;
    for (const std::string& part : parts(whole))
        normal += "/" + part;
    if (normal.size() < 80) return normal;
    std::string relative = relativeTo(to, normal);
    return relative.size() < 80 ? relative : "";
}

} // namespace

bool tooLong(const char* name) {
    dialogs().messageBox(tr("File name too long (max is 80)"), name);
    return false;
}

KeptFileName::KeptFileName(char (&name)[80], const char* keep) {
    kept().push_back({name, keep});
}

bool takeFileName(char (&target)[80], const char* name) {
    if (setFileName(target, name)) return true;
    const char* slash = std::strrchr(name, '/');
    if (!slash || std::strlen(slash + 1) >= 80 || !slash[1]) return tooLong(name);
    std::string folder(name, static_cast<size_t>(slash - name));
    std::string from = workingFolder(), to = realFolder(folder.empty() ? "/" : folder);
    if (to.empty() || from.empty()) return tooLong(name);
    std::vector<std::string> names;
    for (const Kept& k : kept()) {
        bool left = !k.name[0] || (k.keep && std::strcmp(k.name, k.keep) == 0);
        names.push_back(left ? k.name : moved(k.name, from, to));
        if (!left && names.back().empty()) return tooLong(k.name);
    }
    if (!changeFolder(to)) return tooLong(name);
    for (size_t k = 0; k < names.size(); ++k)
        std::strcpy(kept()[k].name, names[k].c_str());
    return setFileName(target, slash + 1);
}

#include "lang/hints.h"

#include "lang/instructionset.h"
#include "lang/parser.h"
#include "lang/scanner.h"
#include "lang/table.h"
#include "lang/tokens.h"

#include "io/textbuf.h"
#include "io/translate.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <vector>

namespace {

bool startsWith(const char* text, const char* start) {
    return std::strncmp(text, start, std::strlen(start)) == 0;
}

bool endsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The least number of inserts, deletes, changes and swaps of two neighbours that make a into b.
int editDistance(const std::string& a, const std::string& b) {
    size_t n = a.size(), m = b.size();
    std::vector<std::vector<int>> d(n + 1, std::vector<int>(m + 1));
    for (size_t i = 0; i <= n; ++i)
        d[i][0] = static_cast<int>(i);
    for (size_t j = 0; j <= m; ++j)
        d[0][j] = static_cast<int>(j);
    for (size_t i = 1; i <= n; ++i)
        for (size_t j = 1; j <= m; ++j) {
            int change = a[i - 1] == b[j - 1] ? 0 : 1;
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + change});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    return d[n][m];
}

// The candidate nearest to word, within two edits and fewer edits than either has letters (so
// that "go" is not taken for "if"); the first of the nearest. Empty when none is near.
std::string nearest(const std::string& word, const std::vector<std::string>& candidates) {
    std::string best;
    int bestDistance = 3;
    for (const std::string& c : candidates) {
        int d = editDistance(word, c);
        int shorter = static_cast<int>(std::min(word.size(), c.size()));
        if (d > 0 && d < bestDistance && d < shorter) {
            best = c;
            bestDistance = d;
        }
    }
    return best;
}

std::vector<std::string> wordsOf(Kind kind) {
    std::vector<std::string> words;
    for (const Instruction& in : instructionSet)
        if (in.kind == kind && in.word) words.push_back(in.word);
    return words;
}

// The names an instruction may be: the actions, if and while, the program's defines and the
// rows of the table (recordings included).
std::vector<std::string> instructionNames(const std::vector<Definition>& defines) {
    std::vector<std::string> names = wordsOf(Kind::ACTION);
    names.push_back(wordOf(Code::IF));
    names.push_back(wordOf(Code::WHILE));
    for (const Definition& d : defines)
        names.push_back(d.name);
    for (int row = 0; row < firstEmpty && row < MAXDEFINITIONS; ++row)
        if (definedTable[row].name[0] != '\0') names.push_back(definedTable[row].name);
    return names;
}

std::string didYouMean(const std::string& word) {
    return formatText(tr("Did you mean \"%s\"?"), word.c_str());
}

std::string unknownInstruction(const CompileFault& fault, const char* text, size_t length) {
    std::string word = fault.token ? fault.token : "";
    if (word == DEFINE)
        return tr("A } is missing before this define: each definition ends with its own }.");
    if (word == wordOf(Code::ELSE))
        return tr(
            "else comes right after the body of an if, as in if (frontClear) move else left.");
    if (word == wordOf(Code::BOARD1) || word == wordOf(Code::BOARD2))
        return tr("A board is compared in a test, as in if (b1 == 'x') write.");
    if (testCode(word.c_str()))
        return formatText(
            tr("\"%s\" is a test: it goes in brackets after if or while, as in while (%s) move."),
            word.c_str(), word.c_str());
    std::vector<Definition> defines = definitions(text, length);
    size_t at = std::min(readerLineStart(text, length, fault.line) + fault.column - 1, length);
    auto later = std::find_if(defines.begin(), defines.end(),
                              [&](const Definition& d) { return d.name == word && d.nameAt > at; });
    if (later != defines.end()) {
        int above = fault.line;
        for (const Definition& d : defines)
            if (d.defineAt < at) above = readerLineOf(text, length, d.defineAt);
        return formatText(
            tr("\"%s\" is defined on line %d. Define it before its first use, above line %d."),
            word.c_str(), readerLineOf(text, length, later->nameAt), above);
    }
    std::string near = nearest(word, instructionNames(defines));
    if (!near.empty()) return didYouMean(near);
    return tr("An instruction goes here: move, left, read, write, b1=b2, b2=b1, pause, if, while, "
              "or the name of an instruction defined above.");
}

std::string unknownTest(const CompileFault& fault) {
    std::vector<std::string> tests = wordsOf(Kind::TEST);
    tests.push_back(wordOf(Code::NOT));
    std::string near = nearest(fault.token ? fault.token : "", tests);
    if (!near.empty()) return didYouMean(near);
    return tr("A test goes here: frontClear, facingNorth, cornerHasSomething, b1 == or b2 ==, "
              "with not before it when you need the opposite.");
}

std::string unknownCharacter(char c) {
    switch (c) {
    case ';':
        return tr("Instructions are separated by spaces or new lines; Pindle needs no semicolons.");
    case '=': return tr("A board is compared with two equals signs, as in if (b1 == 'x') write.");
    case '\'': return tr("A character is written between two single quotes, as in 'x'.");
    default:
        return tr("Pindle knows no such sign: names are letters and digits, and the only signs are "
                  "{ } ( ), == and a character in quotes such as 'x'.");
    }
}

// What the compiler expected, by the start of its message.
struct Expected {
    const char* message;
    const char* hint;
};

const Expected expectations[] = {
    {"Expected define but found",
     N_("Each part of a program begins with define, as in define main as { move }.")},
    {"Instruction name must begin with a letter",
     N_("A name begins with a letter and holds only letters and digits, as in turnRight.")},
    {"Instruction name is too long",
     N_("A name can have at most 31 letters and digits: choose a shorter one.")},
    {"Expected 'as' but found",
     N_("After the new instruction's name comes the word as, as in define turnRight as { left left "
        "left }.")},
    {"Expected '{' but found",
     N_("After as, the instructions go between { and }, as in define main as { move }.")},
    {"Expected '(' but found",
     N_("The test after if or while goes in brackets, as in while (frontClear) move.")},
    {"Expected ')' but found", N_("A test ends with ), as in if (facingNorth) left.")},
    {"Expected '==' but found", N_("A board is compared with ==, as in if (b1 == 'x') write.")},
    {"Expected 'b1', 'b2', or char but found",
     N_("After == comes b1, b2 or one character in single quotes, as in if (b1 == 'x') write.")},
    {"Definition is too long",
     N_("Put some of these instructions into a definition of their own, and call it by its name "
        "here.")},
    {"Pindle can only handle", N_("A program can define at most 99 instructions besides main.")},
};

} // namespace

std::string faultHint(const CompileFault& fault, const char* text, size_t length) {
    const char* message = fault.message;
    std::string token = fault.token ? fault.token : "";
    // The scanner told its own fault first; the parser's second word on it adds nothing.
    if (endsWith(message, "but found eof")) return "";
    if (token == "eof" && startsWith(message, "Expected"))
        return tr("The program ends too soon: finish the definition, and close every { with a }.");
    if (startsWith(message, "Unknown token at")) return unknownCharacter(token[0]);
    if (startsWith(message, "Unknown instruction")) return unknownInstruction(fault, text, length);
    if (startsWith(message, "Unknown test")) return unknownTest(fault);
    if (startsWith(message, "Expected define but found") && token == "}")
        return tr("This } has nothing to close: each { takes exactly one }.");
    if (startsWith(message, "Cannot redefine a reserved word"))
        return formatText(
            tr("\"%s\" is a word of Pindle's language: give your instruction a name of its own."),
            token.c_str());
    for (const Expected& e : expectations)
        if (startsWith(message, e.message)) return tr(e.hint);
    return "";
}

std::string nameRefusal(const std::string& name) {
    if (name.empty()) return "";
    bool reserved = isKeyword(name.c_str()) ||
                    std::any_of(std::begin(instructionSet), std::end(instructionSet),
                                [&](const Instruction& in) { return in.word && name == in.word; });
    if (reserved)
        return formatText(
            tr("\"%s\" is a word of Pindle's language, so it cannot name a new instruction."),
            name.c_str());
    if (!std::isalpha(static_cast<unsigned char>(name[0])))
        return formatText(tr("\"%s\" cannot be called from a program: a name must begin with a "
                             "letter."),
                          name.c_str());
    if (name.find_first_of(" \t") != std::string::npos) {
        std::string joined;
        bool capital = false;
        for (char c : name) {
            if (c == ' ' || c == '\t') {
                capital = !joined.empty();
                continue;
            }
            joined += capital ? static_cast<char>(std::toupper(static_cast<unsigned char>(c))) : c;
            capital = false;
        }
        return formatText(tr("\"%s\" cannot be called from a program: a name is one word, "
                             "without spaces. Try \"%s\"."),
                          name.c_str(), joined.c_str());
    }
    if (static_cast<size_t>(tokenLength(name.c_str())) != name.size())
        return formatText(tr("\"%s\" cannot be called from a program: a name holds only "
                             "letters and digits."),
                          name.c_str());
    return "";
}

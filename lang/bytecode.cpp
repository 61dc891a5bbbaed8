#include "lang/bytecode.h"

#include "lang/table.h"

const char* testEnd(const char* p) {
    if (codeAt(p) == Code::NOT) ++p;
    const Instruction* test = instructionOf(codeAt(p));
    if (!test || test->kind != Kind::TEST) return nullptr;
    if (test->operands == 0) return p + 1;
    return (codeAt(p + 1) == Code::EQUALS && p[2] != '\0') ? p + 3 : nullptr;
}

const char* bodyEnd(const char* p) {
    for (int depth = 1; depth > 0; ++p) {
        switch (codeAt(p)) {
        case Code::END: return nullptr;
        case Code::IF:
        case Code::ELSE:
        case Code::WHILE: ++depth; break;
        case Code::CLOSE: --depth; break;
        default: break;
        }
    }
    return p;
}

// Past the operands of the instruction at p, or null when the code ends among them.
static const char* operandsEnd(const char* p, int operands) {
    for (int k = 1; k <= operands; ++k)
        if (p[k] == '\0') return nullptr;
    return p + 1 + operands;
}

const char* instructionEnd(const char* p) {
    switch (codeAt(p)) {
    case Code::WHILE: {
        const char* body = testEnd(p + 1);
        return body ? bodyEnd(body) : nullptr;
    }
    case Code::IF: {
        const char* body = testEnd(p + 1);
        const char* after = body ? bodyEnd(body) : nullptr;
        if (after && codeAt(after) == Code::ELSE) after = bodyEnd(after + 1);
        return after;
    }
    case Code::CALL: return operandsEnd(p, instructionOf(Code::CALL)->operands);
    default: {
        const Instruction* action = instructionOf(codeAt(p));
        if (!action || action->kind != Kind::ACTION) return nullptr;
        return operandsEnd(p, action->operands);
    }
    }
}

int wholeInstructions(const char* code, int max) {
    const char* p = code;
    while (*p) {
        const char* next = instructionEnd(p);
        if (!next || next - code > max) break;
        p = next;
    }
    return static_cast<int>(p - code);
}

// A board, or the character compared with it.
static std::string operand(const char* p) {
    switch (codeAt(p)) {
    case Code::BOARD1:
    case Code::BOARD2: return wordOf(codeAt(p));
    default: return std::string("'") + static_cast<char>(*p & 0x7F) + "'";
    }
}

std::string describeTest(const char* p) {
    std::string text;
    if (codeAt(p) == Code::NOT) {
        text = std::string(wordOf(Code::NOT)) + " ";
        ++p;
    }
    const Instruction* test = instructionOf(codeAt(p));
    if (!test || test->kind != Kind::TEST) return text + "?";
    if (test->operands == 0) return text + test->word;
    return text + operand(p) + " == " + operand(p + 2);
}

std::string describeInstruction(const char* p) {
    switch (codeAt(p)) {
    case Code::CALL: {
        int row = decodeCall(p);
        if (row < 0) return "call ?";
        return std::string("call ") + definedTable[row].name + " (row " + std::to_string(row) + ")";
    }
    case Code::IF:
    case Code::WHILE: return std::string(wordOf(codeAt(p))) + " (" + describeTest(p + 1) + ") ...";
    default: {
        const Instruction* action = instructionOf(codeAt(p));
        return action && action->kind == Kind::ACTION ? action->word : "?";
    }
    }
}

static void walk(const char* code, int depth, bool elseBody, const InstructionVisit& visit) {
    for (const char* p = code; codeAt(p) != Code::END && codeAt(p) != Code::CLOSE;) {
        const char* end = instructionEnd(p);
        if (!end) return;
        visit(p, depth, elseBody && p == code);
        if (codeAt(p) == Code::IF || codeAt(p) == Code::WHILE) {
            const char* body = testEnd(p + 1);
            walk(body, depth + 1, false, visit);
            const char* after = bodyEnd(body);
            if (codeAt(p) == Code::IF && codeAt(after) == Code::ELSE)
                walk(after + 1, depth + 1, true, visit);
        }
        p = end;
    }
}

void forEachInstruction(const char* code, const InstructionVisit& visit) {
    walk(code, 0, false, visit);
}

#include "lang/bytecode.h"

#include "lang/table.h"

const char* testEnd(const char* p) {
    if (codeAt(p) == Code::NOT) ++p;
    switch (codeAt(p)) {
    case Code::FRONT_CLEAR:
    case Code::FACING_NORTH:
    case Code::CORNER_HAS_SOMETHING: return p + 1;
    case Code::BOARD1:
    case Code::BOARD2: return (codeAt(p + 1) == Code::EQUALS && p[2] != '\0') ? p + 3 : nullptr;
    default: return nullptr;
    }
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

const char* instructionEnd(const char* p) {
    switch (codeAt(p)) {
    case Code::MOVE:
    case Code::LEFT:
    case Code::READ:
    case Code::WRITE:
    case Code::B1_FROM_B2:
    case Code::B2_FROM_B1:
    case Code::PAUSE: return p + 1;
    case Code::CALL: return (p[1] != '\0' && p[2] != '\0') ? p + 3 : nullptr;
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
    default: return nullptr;
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
    case Code::BOARD1: return "b1";
    case Code::BOARD2: return "b2";
    default: return std::string("'") + static_cast<char>(*p & 0x7F) + "'";
    }
}

std::string describeTest(const char* p) {
    std::string text;
    if (codeAt(p) == Code::NOT) {
        text = "not ";
        ++p;
    }
    switch (codeAt(p)) {
    case Code::FRONT_CLEAR: return text + "frontClear";
    case Code::FACING_NORTH: return text + "facingNorth";
    case Code::CORNER_HAS_SOMETHING: return text + "cornerHasSomething";
    case Code::BOARD1:
    case Code::BOARD2: return text + operand(p) + " == " + operand(p + 2);
    default: return text + "?";
    }
}

// The row a call names, or -1 when its digits are not digits.
static int calledRow(const char* p) {
    char tens = p[1], units = tens ? p[2] : '\0';
    if (tens < '0' || tens > '9' || units < '0' || units > '9') return -1;
    return 10 * (tens - '0') + (units - '0');
}

std::string describeInstruction(const char* p) {
    switch (codeAt(p)) {
    case Code::MOVE: return "move";
    case Code::LEFT: return "left";
    case Code::READ: return "read";
    case Code::WRITE: return "write";
    case Code::B1_FROM_B2: return "b1=b2";
    case Code::B2_FROM_B1: return "b2=b1";
    case Code::PAUSE: return "pause";
    case Code::CALL: {
        int row = calledRow(p);
        if (row < 0) return "call ?";
        return std::string("call ") + definedTable[row].name + " (row " + std::to_string(row) + ")";
    }
    case Code::IF: return "if (" + describeTest(p + 1) + ") ...";
    case Code::WHILE: return "while (" + describeTest(p + 1) + ") ...";
    default: return "?";
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

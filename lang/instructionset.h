// The instruction set: every code of the byte code, and for each primitive, test and word of
// the structure its word, kind, operand length, key and the robot action or test it runs. The
// parser, the byte-code reader, the interpreter, the editor's colours and the window's keys and
// buttons all read it; a new primitive is a code, a row and a Robot action (with the world's).
#pragma once
#include <array>
#include <cstddef>

// One character of byte code.
enum class Code : char {
    END = '\0',
    MOVE = 'M',
    LEFT = 'L',
    READ = 'R',
    WRITE = 'W',
    B1_FROM_B2 = '1',
    B2_FROM_B1 = '2',
    PAUSE = 'p',
    CALL = 'r', // followed by the row's two decimal digits
    IF = 'f',   // test, body, then ELSE and a body or not
    ELSE = 'e',
    WHILE = 'w', // test, body
    CLOSE = '}', // ends a body
    NOT = 'n',   // before a test
    FRONT_CLEAR = 'F',
    FACING_NORTH = 'N',
    CORNER_HAS_SOMETHING = 'C',
    BOARD1 = 'A', // b1 ==, then BOARD1, BOARD2 or a character with its top bit set
    BOARD2 = 'B',
    EQUALS = '=',
};

// The robot's primitive actions and tests, as the interpreter calls them. Every one has a quiet
// default: a robot with no world.
class Robot {
  public:
    virtual ~Robot() = default;
    virtual void move() {}   // one corner ahead, or "Path blocked" and stop
    virtual void left() {}   // a quarter turn to the left
    virtual void input() {}  // read: the corner's thing into b1
    virtual void output() {} // write: b1 onto the corner
    virtual void copy1() {}  // b1=b2
    virtual void copy2() {}  // b2=b1
    virtual void pause() {}  // stop the run (unless recording)
    virtual int frontClear() { return 0; }
    virtual int facingNorth() { return 0; }
    virtual int cornerHasSomething() { return 0; }
};

// What a code is: an action of the robot, a test, or part of the structure of a program.
enum class Kind : unsigned char { ACTION, TEST, STRUCTURE };

// One row of the instruction set.
struct Instruction {
    Code code;
    const char* word; // as the language writes it; null for a call (the name called)
    Kind kind;
    int operands;         // code characters after the code itself
    char key;             // the window's key (and button) for the action; 0 for none
    void (Robot::*act)(); // the action of an ACTION
    int (Robot::*test)(); // the test of a TEST; null for a board compared
};

inline constexpr Instruction instructionSet[] = {
    {Code::MOVE, "move", Kind::ACTION, 0, 'm', &Robot::move, nullptr},
    {Code::LEFT, "left", Kind::ACTION, 0, 'l', &Robot::left, nullptr},
    {Code::READ, "read", Kind::ACTION, 0, 'r', &Robot::input, nullptr},
    {Code::WRITE, "write", Kind::ACTION, 0, 'w', &Robot::output, nullptr},
    {Code::B1_FROM_B2, "b1=b2", Kind::ACTION, 0, '1', &Robot::copy1, nullptr},
    {Code::B2_FROM_B1, "b2=b1", Kind::ACTION, 0, '2', &Robot::copy2, nullptr},
    {Code::PAUSE, "pause", Kind::ACTION, 0, 0, &Robot::pause, nullptr},
    {Code::FRONT_CLEAR, "frontClear", Kind::TEST, 0, 0, nullptr, &Robot::frontClear},
    {Code::FACING_NORTH, "facingNorth", Kind::TEST, 0, 0, nullptr, &Robot::facingNorth},
    {Code::CORNER_HAS_SOMETHING, "cornerHasSomething", Kind::TEST, 0, 0, nullptr,
     &Robot::cornerHasSomething},
    {Code::BOARD1, "b1", Kind::TEST, 2, 0, nullptr, nullptr}, // EQUALS and the other side
    {Code::BOARD2, "b2", Kind::TEST, 2, 0, nullptr, nullptr},
    {Code::CALL, nullptr, Kind::STRUCTURE, 2, 0, nullptr, nullptr},
    {Code::IF, "if", Kind::STRUCTURE, 0, 0, nullptr, nullptr},
    {Code::ELSE, "else", Kind::STRUCTURE, 0, 0, nullptr, nullptr},
    {Code::WHILE, "while", Kind::STRUCTURE, 0, 0, nullptr, nullptr},
    {Code::NOT, "not", Kind::STRUCTURE, 0, 0, nullptr, nullptr},
};

namespace detail {
constexpr std::array<const Instruction*, 256> indexByCode() {
    std::array<const Instruction*, 256> index{};
    for (const Instruction& in : instructionSet)
        index[static_cast<unsigned char>(in.code)] = &in;
    return index;
}
inline constexpr std::array<const Instruction*, 256> byCode = indexByCode();

constexpr int countKeyed() {
    int n = 0;
    for (const Instruction& in : instructionSet)
        n += in.key != 0;
    return n;
}
} // namespace detail

// The row of a code, or null for a code with none (END, CLOSE, EQUALS, a character compared).
constexpr const Instruction* instructionOf(Code c) {
    return detail::byCode[static_cast<unsigned char>(c)];
}
// The word of a code that has one.
constexpr const char* wordOf(Code c) {
    return instructionOf(c)->word;
}
// The row of kind whose word is word, or null.
const Instruction* instructionNamed(const char* word, Kind kind);
// The actions that have a key (and a button), in the order of their buttons.
constexpr int KEYED_ACTIONS = detail::countKeyed();
// The nth (from 0) action that has a key; null past the last.
const Instruction* keyedAction(int n);
// The action of key (lower case), or null.
const Instruction* actionOfKey(int key);
// The row a call at p names (the two decimal digits after its code), or -1 when they are not
// digits.
inline int decodeCall(const char* p) {
    char tens = p[1], units = tens ? p[2] : '\0';
    if (tens < '0' || tens > '9' || units < '0' || units > '9') return -1;
    return 10 * (tens - '0') + (units - '0');
}

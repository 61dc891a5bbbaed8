// The programs the benchmarks run: each loops for ever on an open world.
#pragma once

namespace bench {
// Moves and turns: forward, about turn, back, about turn.
constexpr const char* tightLoop =
    "define main as { while (frontClear) { move left left move left left } }\n";
// if/else nested in a while.
constexpr const char* nestedIf =
    "define main as { while (frontClear) {\n"
    "  if (facingNorth) { if (cornerHasSomething) left else { left left } } else left } }\n";
// Calls of a short instruction.
constexpr const char* calls =
    "define turn as { left }\ndefine main as { while (frontClear) { turn turn turn turn } }\n";
// An instruction that calls itself: every two steps go one level deeper.
constexpr const char* recursion = "define down as { left down }\ndefine main as { down }\n";
// An open world with the robot in the middle.
constexpr const char* world = "pindle 7,7\nthing 3,3 a\nthing 11,11 b\n";
} // namespace bench

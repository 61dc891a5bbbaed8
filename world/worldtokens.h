// Token kinds of a situation file, line by line, as the world loader reads it: what an editor
// colours.
#pragma once
#include "lang/tokens.h"

// The tokens of one line of a situation file (its line end included), in order: item words
// (KEYWORD), row,column pairs (NUMBER), things (THING) and the words the loader skips
// (COMMENT). state tells where the loader stands as the line begins (0 at the file's start),
// and becomes where it stands at the line's end.
void worldLine(const char* text, size_t length, int& state, std::vector<TokenSpan>& spans);

#include "world/worldtokens.h"

#include "io/wordreader.h"
#include "world/situation.h"

#include <algorithm>
#include <cstring>

namespace {

// What the loader reads next: an item word, the row or the column of a pair, or a thing.
enum Phase { ITEM, ROW, COLUMN, THING_WORD };

// Where the loader stands: the read it makes next, the pairs of the item still to read (the
// current one included), and whether a thing follows them.
struct Reading {
    Phase phase = ITEM;
    int pairs = 0;
    bool thing = false;

    static Reading unpack(int state) {
        return {static_cast<Phase>(state & 3), state >> 2 & 3, (state & 16) != 0};
    }
    int pack() const { return phase | pairs << 2 | (thing ? 16 : 0); }

    // The item word begins its reads.
    void begin(SituationItem item) {
        pairs = item == SituationItem::NONE ? 0 : item == SituationItem::WALL ? 2 : 1;
        thing = item == SituationItem::THING;
        phase = pairs > 0 ? ROW : ITEM;
    }
    // A pair was read, or given up where its numbers stopped.
    void endPair() {
        if (--pairs > 0) {
            phase = ROW;
        } else {
            phase = thing ? THING_WORD : ITEM;
            thing = false;
        }
    }
};

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The end of the word at i: the loader reads words up to the next space.
size_t wordEnd(const char* text, size_t length, size_t i) {
    while (i < length && !isWordSpace(static_cast<unsigned char>(text[i])))
        ++i;
    return i;
}

SituationItem itemOf(const char* text, size_t length) {
    char word[ITEMWORD];
    size_t kept = std::min(length, static_cast<size_t>(ITEMWORD - 1));
    std::memcpy(word, text, kept);
    word[kept] = '\0';
    return situationItem(word);
}

// One number of a pair at i, read as the loader reads it (a sign, then digits); the sign is
// taken even when no digit follows. Returns the end of what was taken.
size_t number(const char* text, size_t length, size_t i, Reading& r,
              std::vector<TokenSpan>& spans) {
    size_t start = i;
    if (text[i] == '+' || text[i] == '-') ++i;
    if (i == length || !isDigit(text[i])) {
        if (i > start) spans.push_back({start, i - start, TokenKind::COMMENT});
        r.endPair();
        return i;
    }
    while (i < length && isDigit(text[i]))
        ++i;
    spans.push_back({start, i - start, TokenKind::NUMBER});
    if (r.phase == ROW && i < length && text[i] == ',') {
        spans.push_back({i++, 1, TokenKind::NUMBER});
        r.phase = COLUMN;
    } else {
        r.endPair();
    }
    return i;
}

} // namespace

void worldLine(const char* text, size_t length, int& state, std::vector<TokenSpan>& spans) {
    spans.clear();
    Reading r = Reading::unpack(state);
    size_t i = 0;
    while (i < length) {
        if (isWordSpace(static_cast<unsigned char>(text[i]))) {
            ++i;
            continue;
        }
        if (r.phase == ROW || r.phase == COLUMN) {
            i = number(text, length, i, r, spans);
            continue;
        }
        size_t end = wordEnd(text, length, i);
        if (r.phase == THING_WORD) {
            spans.push_back({i, end - i, TokenKind::THING});
            r.phase = ITEM;
        } else {
            SituationItem item = itemOf(text + i, end - i);
            spans.push_back(
                {i, end - i,
                 item == SituationItem::NONE ? TokenKind::COMMENT : TokenKind::KEYWORD});
            r.begin(item);
        }
        i = end;
    }
    state = r.pack();
}

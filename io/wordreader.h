// Reading words and numbers from a text stream the way scanf's "%s", "%d" and "%d,%d" do,
// into bounded storage.
#pragma once
#include <cstddef>
#include <cstdio>

// A character between words and numbers (what scanf takes for white space).
bool isWordSpace(int c);

class WordReader {
  public:
    explicit WordReader(FILE* stream) : fp(stream) {}
    // One word of non-blank characters; a word longer than size - 1 keeps its beginning and
    // the rest of it is passed over. False at the end of the stream.
    bool readWord(char* word, size_t size);
    // One signed decimal number; a value beyond an int's range saturates. False, and value
    // untouched, when no number stands next (what stopped it stays unread).
    bool readInt(int& value);
    // "y,x": a number, a comma directly after it, a number. What is not read keeps its value.
    void readPair(int& y, int& x);

  private:
    FILE* fp;
    int skipSpace();
};

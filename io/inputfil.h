// InputFile: a line-oriented reader of one text file at a time.
#pragma once
#include <cstdio>

class InputFile {
  public:
    explicit InputFile(int maxBuf); // allocates the line buffer of maxBuf characters
    ~InputFile();                   // closes the file, frees the buffer
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    void open(const char* name); // opens name; resets the line count and the end flag
    void close();                // closes the file; keeps the line count and end flag
    bool exists() const;         // a file is open
    char* readLn();              // the next line (or piece of a long line), null at the end
    bool eof() const;            // the end of the file was reached
    char* fileName();            // the name given to the last open
    int currentLine() const;     // reads that delivered text since the last open

  private:
    FILE* inFile;
    char* buf;
    int bufCapacity;
    char filename[128];
    int currentline;
    bool eofflag;
};

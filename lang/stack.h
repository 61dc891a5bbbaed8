// Stack: the interpreter's growable return stack of long values.
#pragma once

// The most entries the stack holds; a push beyond it is refused.
constexpr int MAXSTACK = 1000000;

class Stack {
  public:
    Stack();  // capacity 100, empty
    ~Stack(); // frees the entries
    Stack(const Stack&) = delete;
    Stack& operator=(const Stack&) = delete;

    bool push(long x); // stores x on top; false (nothing stored) when full or out of memory
    void pop(long& y); // removes the top entry into y; an empty stack leaves y alone
    int size() const { return stkptr; } // the number of entries
    void reset();                       // empties the stack, keeping its capacity
    // The value the last push at index left there (index below the size reached), which a pop
    // does not erase: what a step popped can still be read right after it.
    long entry(int index) const { return el[index]; }
    void truncate(int n); // drops the entries from index n up (n at most the size)
    bool resize();        // raises the capacity by 100 entries; false when memory runs out

  private:
    long* el;
    int stklen;
    int stkptr;
};

// Animations of runs: Run > Record animation asks for a GIF file, and the next run is
// recorded into it, one frame per drawn step, and written when the run ends.
#pragma once
#include <cstddef>
#include <utility>
#include <vector>

constexpr unsigned MAX_FRAMES = 2000; // a longer run keeps frames at even intervals of its steps

// A series that keeps its first item and then one in every stride items added, so that it
// never holds more than MAX_FRAMES + 1: when it would, every other item goes and the stride
// doubles.
template <class T> class EvenSample {
  public:
    void start(T first) {
        items.assign(1, std::move(first));
        added = 0;
        stride = 1;
    }
    // Adds the next item; make() gives it, called only when the item is kept.
    template <class Make> void add(Make make) {
        if (++added % stride != 0) return;
        items.push_back(make());
        if (items.size() <= MAX_FRAMES + 1) return;
        std::size_t kept = 1; // the first stays where it is
        for (std::size_t i = 2; i < items.size(); i += 2)
            items[kept++] = std::move(items[i]);
        items.resize(kept);
        stride *= 2;
    }
    // Ends the series on the last item added, made by make() when it was not kept.
    template <class Make> void finish(Make make) {
        if (added % stride != 0) items.push_back(make());
    }
    void clear() { std::vector<T>().swap(items); }
    const std::vector<T>& kept() const { return items; }
    unsigned long long count() const { return added; } // the items added after the first

  private:
    std::vector<T> items;
    unsigned long long added = 0, stride = 1;
};

// Asks for the GIF file; the next run is recorded into it.
void chooseAnimation();
// A run starts (Run, an execute, or any other run): a recording that waits begins, with the
// picture as it stands as its first frame. Called by every run's start.
void animationRunStarts();
// The run has ended: a recording that holds a drawn step is written to its file (one that
// holds none waits for the next run). Called by every run's end.
void animationRunEnds();
// True from the choice of a file until the recording is written.
bool animationPending();

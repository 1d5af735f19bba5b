// The points of the line a vector writer is drawing. Writers that put a line into
// elements of at most Capacity points keep the points here; a longer line goes on as a
// chain of elements, each starting at the last point of the one before.
#pragma once

#include <array>

namespace gvx {

template <int Capacity>
class PointChain {
  public:
    int count() const { return count_; }
    double x(int i) const { return x_[i]; }
    double y(int i) const { return y_[i]; }

    // Forgets everything, for a new document.
    void reset() {
        count_ = 0;
        end_x_ = end_y_ = 0.0;
    }
    // Starts a line at a point; the pending points must have been written before.
    void start(double x, double y) {
        x_[0] = x;
        y_[0] = y;
        count_ = 1;
    }
    // Adds a point; with nothing pending the line continues from the end of the last
    // written element. Returns true when the element is full and must be written.
    bool add(double x, double y) {
        if (count_ == 0) start(end_x_, end_y_);
        x_[count_] = x;
        y_[count_] = y;
        return ++count_ == Capacity;
    }
    // The pending points have been written: remembers where they ended and empties.
    void written() {
        if (count_ > 0) {
            end_x_ = x_[count_ - 1];
            end_y_ = y_[count_ - 1];
        }
        count_ = 0;
    }
    // After a full element was written, the next one starts where it ended.
    void resume() { start(end_x_, end_y_); }

  private:
    std::array<double, Capacity> x_{}, y_{};
    int count_ = 0;
    double end_x_ = 0.0, end_y_ = 0.0;
};

}  // namespace gvx

// A small set of window handles, fixed storage, looked up by a linear scan:
// it holds a handful of windows at most and costs one comparison when empty.
#pragma once

#include "platform/desktop.h"

template <int Capacity>
class WindowSet {
public:
    bool holds(platform::WindowHandle window) const {
        for (int i = 0; i < count_; ++i) {
            if (items_[i] == window) return true;
        }
        return false;
    }
    // False when full (the window is then not kept).
    bool add(platform::WindowHandle window) {
        if (window == 0 || holds(window)) return true;
        if (count_ == Capacity) return false;
        items_[count_++] = window;
        return true;
    }
    void remove(platform::WindowHandle window) {
        for (int i = 0; i < count_; ++i) {
            if (items_[i] != window) continue;
            items_[i] = items_[--count_];
            return;
        }
    }
    void clear() { count_ = 0; }
    int count() const { return count_; }
    platform::WindowHandle at(int i) const { return items_[i]; }

private:
    platform::WindowHandle items_[Capacity] = {};
    int count_ = 0;
};

// One reading of the top-level windows. Allocates nothing: the arrays live in
// the object, which the walks keep on the stack.
#include "engine/top_windows.h"

#include <algorithm>

bool TopWindows::take() {
    const int total = platform::topLevelWindows(list, kMaxTopWindows);
    count = total < 0 ? 0 : (total > kMaxTopWindows ? kMaxTopWindows : total);
    // Each window once, where it is topmost, even should the platform repeat one.
    std::copy(list, list + count, sorted);
    std::sort(sorted, sorted + count);
    if (std::adjacent_find(sorted, sorted + count) != sorted + count) {
        int kept = 0;
        for (int i = 0; i < count; ++i) {
            if (std::find(list, list + kept, list[i]) == list + kept) list[kept++] = list[i];
        }
        count = kept;
    }
    return total <= kMaxTopWindows;
}

// A stable merge sort for comparisons written by programs: it asks only "does the right element go
// first?", so a comparison that is inconsistent (always -1, never 0, not transitive) still ends
// after O(n log n) calls with every element kept exactly once. The standard library's sorts make
// no such promise for a comparison that is not a strict weak order.
#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

namespace platform::views {

// Sorts `items` by `compare(left, right)` (<0, 0 or >0, like strcmp). On ties or positive-free
// answers the left element stays first.
template <typename T, typename Compare>
void TolerantMergeSort(std::vector<T>& items, Compare compare) {
    const size_t count = items.size();
    if (count < 2) {
        return;
    }
    std::vector<T> buffer(items.size());
    std::vector<T>* from = &items;
    std::vector<T>* to = &buffer;
    for (size_t width = 1; width < count; width *= 2) {
        for (size_t start = 0; start < count; start += 2 * width) {
            const size_t middle = std::min(start + width, count);
            const size_t end = std::min(start + 2 * width, count);
            size_t left = start;
            size_t right = middle;
            size_t out = start;
            while (left < middle && right < end) {
                if (compare((*from)[left], (*from)[right]) > 0) {
                    (*to)[out++] = (*from)[right++];
                } else {
                    (*to)[out++] = (*from)[left++];
                }
            }
            while (left < middle) {
                (*to)[out++] = (*from)[left++];
            }
            while (right < end) {
                (*to)[out++] = (*from)[right++];
            }
        }
        std::swap(from, to);
    }
    if (from != &items) {
        items = std::move(*from);
    }
}

}  // namespace platform::views

#include "editing/DocSlots.h"

#include <cstddef>

namespace DocSlots {

Choice choose(const std::vector<bool> &closed, int openCount)
{
    if (openCount < 1)
        return Choice{0, true};
    for (std::size_t i = 0; i < closed.size(); ++i)
        if (closed[i])
            return Choice{int(i), false};
    return Choice{int(closed.size()), false};
}

} // namespace DocSlots

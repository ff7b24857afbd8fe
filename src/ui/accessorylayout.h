#pragma once

// The places of the accessory panel, walked from the catalogue's descriptor
// rows: a heading (and the line under it) where the section changes, the
// check boxes at the panel's pitch, a row marked catalogue::SetApart below a
// line of its own. Places are tops in the accessory group's coordinates.

#include "catalogue.h"

#include <cstddef>
#include <vector>

namespace accessorylayout {

constexpr int BoxHeight = 17;

struct Places {
    std::vector<int> boxTops;     // by row (tag - 1)
    std::vector<int> headingTops; // by section
    std::vector<int> lineTops;    // under each heading and above each row set apart, top to bottom
    int groupHeight = 0;          // room for the last row
};

// Rows in tag order, their sections numbered from 0 in order of appearance
// (-1 for rows above the first heading).
Places walk(const catalogue::Accessory *rows, std::size_t count);

} // namespace accessorylayout

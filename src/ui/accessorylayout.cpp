#include "accessorylayout.h"

namespace accessorylayout {

namespace {
constexpr int FirstBoxTop = 13;
constexpr int BoxPitch = 16;         // from one box to the next in a section
constexpr int HeadingBelowBox = 15;  // from a box to the heading after it
constexpr int BoxBelowHeading = 13;  // from a heading to its first box
constexpr int LineBelowHeading = 12; // the line under a heading
// The adapter's list (the list of order codes) beside its box is taller
// than a box: its row has a pixel more above and below.
constexpr int AdapterMargin = 1;
// The last row stands apart: a line below the row before it, the box below
// the line.
constexpr int LastLineBelowPitch = 3;
constexpr int LastBoxBelowPitch = 8;
constexpr int GroupBottomMargin = 4;
} // namespace

Places walk(const catalogue::Accessory *rows, std::size_t count)
{
    Places places;
    int top = FirstBoxTop - BoxPitch; // the previous row's box
    int margin = 0;                   // owed below the previous row
    int section = -1;
    for (std::size_t i = 0; i < count; ++i) {
        const bool adapterRow = rows[i].variants == catalogue::Variants::AdapterList;
        if (adapterRow)
            margin += AdapterMargin;
        if (rows[i].section != section) {
            Q_ASSERT_X(rows[i].section == section + 1, "accessorylayout::walk", "sections out of order");
            section = rows[i].section;
            const int heading = top + margin + HeadingBelowBox;
            places.headingTops.push_back(heading);
            places.lineTops.push_back(heading + LineBelowHeading);
            top = heading + BoxBelowHeading;
        } else {
            top += margin + BoxPitch;
        }
        margin = adapterRow ? AdapterMargin : 0;
        if (i + 1 == count) {
            places.lineTops.push_back(top + LastLineBelowPitch);
            top += LastBoxBelowPitch;
        }
        places.boxTops.push_back(top);
    }
    places.groupHeight = top + BoxHeight + GroupBottomMargin;
    return places;
}

} // namespace accessorylayout

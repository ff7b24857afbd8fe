#include "accessorylayout.h"

namespace accessorylayout {

namespace {
constexpr int FirstBoxTop = 13;
constexpr int BoxPitch = 16;         // from one box to the next in a section
constexpr int HeadingBelowBox = 15;  // from a box to the heading after it
constexpr int BoxBelowHeading = 13;  // from a heading to its first box
constexpr int LineBelowHeading = 12; // the line under a heading
// A row set apart: a line below the row before it, the box below the line.
constexpr int ApartLineBelowPitch = 3;
constexpr int ApartBoxBelowPitch = 8;
constexpr int GroupBottomMargin = 4;
} // namespace

Places walk(const catalogue::Accessory *rows, std::size_t count)
{
    Places places;
    int top = FirstBoxTop - BoxPitch; // the previous row's box
    int margin = 0;                   // owed below the previous row
    int section = -1;
    for (std::size_t i = 0; i < count; ++i) {
        // A variant list taller than a box asks for room above and below its row.
        const int listMargin = rows[i].list.margin;
        margin += listMargin;
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
        margin = listMargin;
        if (rows[i].flags & catalogue::SetApart) {
            places.lineTops.push_back(top + ApartLineBelowPitch);
            top += ApartBoxBelowPitch;
        }
        places.boxTops.push_back(top);
    }
    places.groupHeight = top + BoxHeight + GroupBottomMargin;
    return places;
}

} // namespace accessorylayout

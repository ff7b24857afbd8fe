#pragma once

// The running total of an order, computed from scratch from a plain
// snapshot of what the form shows.

#include "catalogue.h"

#include <QString>
#include <array>
#include <optional>

namespace pricing {

constexpr int ChannelRows = 16;

struct AccessoryState {
    bool ticked = false;
    bool enabled = true;
};

struct Selection {
    catalogue::Model model = catalogue::Model::None;
    std::array<QString, ChannelRows> moduleCells;                      // module codes of channels 1..16
    std::array<AccessoryState, catalogue::AccessoryCount> accessories; // tag 1 at [0]
    int adapterItem = 0;                                               // the adapter's variant
    int cableItem = 0;                                                 // the cable's variant
};

struct Total {
    qint32 price = 0;
    // Set only when the calibration certificate counts (ticked and
    // enabled); otherwise the caller keeps its previous channel count.
    std::optional<qint32> channelCount;
};

// Rows whose module cell holds a catalogue module: not empty, not "---",
// and found by code.
qint32 countFittedChannels(const std::array<QString, ChannelRows> &moduleCells);

Total computeTotal(const Selection &selection);

} // namespace pricing

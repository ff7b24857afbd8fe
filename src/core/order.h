#pragma once

// One order as a plain value: the model, the module fitted to each channel
// and its note, and per accessory whether it is ticked, whether it may be
// changed and which item of its variant list is chosen. It holds no rules:
// OrderModel keeps it consistent, pricing and the document read it.

#include "catalogue.h"

#include <QString>
#include <array>

struct Order {
    static constexpr int ChannelCount = 16;
    static constexpr int NoModule = -1; // a channel nothing was chosen for

    struct Channel {
        int module = NoModule; // catalogue index
        QString note;
        bool operator==(const Channel &other) const { return module == other.module && note == other.note; }
    };
    struct Accessory {
        bool ticked = false;
        bool enabled = true;
        int variant = 0; // the chosen item of its variant list; 0 for one without a list
        bool operator==(const Accessory &other) const
        {
            return ticked == other.ticked && enabled == other.enabled && variant == other.variant;
        }
    };

    catalogue::Model model = catalogue::Model::None;
    std::array<Channel, ChannelCount> channels;                   // channel 1 at [0]
    std::array<Accessory, catalogue::AccessoryCount> accessories; // tag 1 at [0]

    // Channels count from 1 to ChannelCount, tags from 1 to
    // catalogue::AccessoryCount; anything else is a programming error.
    const Channel &channel(int channel) const;
    Channel &channel(int channel);
    const Accessory &accessory(int tag) const;
    Accessory &accessory(int tag);

    // What the channel's module cell shows: the module's code ("H1I", "TB ",
    // "---"); empty when no module was chosen.
    QString moduleCell(int channel) const;
    // Channels that carry a module of the catalogue ("---" does not count).
    int fittedChannels() const;
    // Whether the accessory adds to the total: ticked and enabled.
    bool counts(int tag) const;
    // The variant that is ordered: the list's choice, or the one the fitted
    // channels decide, or 0.
    int orderedVariant(int tag) const;

    bool operator==(const Order &other) const
    {
        return model == other.model && channels == other.channels && accessories == other.accessories;
    }
};

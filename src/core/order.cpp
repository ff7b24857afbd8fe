#include "order.h"

const Order::Channel &Order::channel(int channel) const
{
    Q_ASSERT(channel >= 1 && channel <= ChannelCount);
    return channels[std::size_t(channel - 1)];
}

Order::Channel &Order::channel(int channel)
{
    Q_ASSERT(channel >= 1 && channel <= ChannelCount);
    return channels[std::size_t(channel - 1)];
}

const Order::Accessory &Order::accessory(int tag) const
{
    Q_ASSERT(tag >= 1 && tag <= catalogue::AccessoryCount);
    return accessories[std::size_t(tag - 1)];
}

Order::Accessory &Order::accessory(int tag)
{
    Q_ASSERT(tag >= 1 && tag <= catalogue::AccessoryCount);
    return accessories[std::size_t(tag - 1)];
}

QString Order::moduleCell(int number) const
{
    const int module = channel(number).module;
    return module == NoModule ? QString() : catalogue::moduleCell(module);
}

int Order::fittedChannels() const
{
    int fitted = 0;
    for (const Channel &entry : channels)
        if (entry.module != NoModule && !catalogue::isSeparator(entry.module))
            ++fitted;
    return fitted;
}

bool Order::counts(int tag) const
{
    const Accessory &entry = accessory(tag);
    return entry.ticked && entry.enabled;
}

int Order::orderedVariant(int tag) const
{
    switch (catalogue::accessory(tag).variants) {
    case catalogue::Variants::FromList: return accessory(tag).variant;
    case catalogue::Variants::ByFittedChannels: return fittedChannels() > catalogue::CalibrationChannelLimit ? 1 : 0;
    case catalogue::Variants::Single: break;
    }
    return 0;
}

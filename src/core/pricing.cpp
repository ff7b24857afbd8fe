#include "pricing.h"

namespace pricing {

qint32 total(const Order &order)
{
    qint32 sum = catalogue::modelBasePrice(order.model);
    for (const Order::Channel &channel : order.channels)
        if (channel.module != Order::NoModule)
            sum += catalogue::moduleAt(channel.module).Price;
    for (int tag = 1; tag <= catalogue::AccessoryCount; ++tag)
        if (order.counts(tag))
            sum += catalogue::accessoryPrice(tag, order.orderedVariant(tag));
    return sum;
}

} // namespace pricing

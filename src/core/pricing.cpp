#include "pricing.h"

namespace pricing {

using namespace catalogue;

static bool holdsModule(const QString &cell)
{
    return !cell.isEmpty() && cell != QStringLiteral("---");
}

qint32 countFittedChannels(const std::array<QString, ChannelRows> &moduleCells)
{
    qint32 count = 0;
    for (const QString &cell : moduleCells)
        if (holdsModule(cell) && findModuleByCode(cell) >= 0)
            ++count;
    return count;
}

Total computeTotal(const Selection &selection)
{
    Total result;
    result.price = modelBasePrice(selection.model);

    for (const QString &cell : selection.moduleCells) {
        if (!holdsModule(cell))
            continue;
        const int index = findModuleByCode(cell);
        if (index >= 0)
            result.price += ModuleTable[std::size_t(index)].Price;
    }

    for (int tag = 1; tag <= AccessoryCount; ++tag) {
        const AccessoryState &state = selection.accessories[std::size_t(tag - 1)];
        if (!state.ticked || !state.enabled)
            continue;
        int channels = 0;
        if (accessory(tag).variants == Variants::ByFittedChannels) {
            channels = countFittedChannels(selection.moduleCells);
            result.channelCount = channels;
        }
        const int variant = selectedVariant(tag, selection.adapterItem, selection.cableItem, channels);
        result.price += accessoryPrice(tag, variant);
    }
    return result;
}

} // namespace pricing

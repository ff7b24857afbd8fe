#include "ordermodel.h"

#include "pricing.h"

using catalogue::Model;

namespace {

using catalogue::AssemblyRole;

bool hasRole(int tag, AssemblyRole role)
{
    return catalogue::accessory(tag).assembly == role;
}

bool isCzechOnly(int tag)
{
    return catalogue::accessory(tag).flags & catalogue::CzechOnly;
}

const QString BusInterfaceCode = QStringLiteral("TB ");

} // namespace

OrderModel::OrderModel(QObject *parent)
    : QObject(parent)
{
}

OrderModel::Channel &OrderModel::channelAt(int channel)
{
    Q_ASSERT(channel >= 1 && channel <= ChannelCount);
    return m_channels[std::size_t(channel - 1)];
}

const OrderModel::Channel &OrderModel::channelAt(int channel) const
{
    Q_ASSERT(channel >= 1 && channel <= ChannelCount);
    return m_channels[std::size_t(channel - 1)];
}

OrderModel::Accessory &OrderModel::accessoryAt(int tag)
{
    Q_ASSERT(tag >= 1 && tag <= catalogue::AccessoryCount);
    return m_accessories[std::size_t(tag - 1)];
}

const OrderModel::Accessory &OrderModel::accessoryAt(int tag) const
{
    Q_ASSERT(tag >= 1 && tag <= catalogue::AccessoryCount);
    return m_accessories[std::size_t(tag - 1)];
}

int OrderModel::module(int channel) const
{
    return channelAt(channel).module;
}

QString OrderModel::codeOf(int index)
{
    return catalogue::moduleDescription(index, catalogue::Language::Czech).left(3);
}

QString OrderModel::moduleCode(int channel) const
{
    const int index = module(channel);
    return index == NoModule ? QString() : codeOf(index);
}

QString OrderModel::note(int channel) const
{
    return channelAt(channel).note;
}

bool OrderModel::isTicked(int tag) const
{
    return accessoryAt(tag).ticked;
}

bool OrderModel::isEnabled(int tag) const
{
    return accessoryAt(tag).enabled;
}

int OrderModel::fittedChannels() const
{
    std::array<QString, ChannelCount> codes;
    for (int channel = 1; channel <= ChannelCount; ++channel)
        codes[std::size_t(channel - 1)] = moduleCode(channel);
    return pricing::countFittedChannels(codes);
}

qint32 OrderModel::total() const
{
    pricing::Selection selection;
    selection.model = m_model;
    for (int channel = 1; channel <= ChannelCount; ++channel)
        selection.moduleCells[std::size_t(channel - 1)] = moduleCode(channel);
    for (int tag = 1; tag <= catalogue::AccessoryCount; ++tag)
        selection.accessories[std::size_t(tag - 1)] = {isTicked(tag), isEnabled(tag)};
    selection.adapterItem = m_adapterVariant;
    selection.cableItem = m_cableVariant;
    return pricing::computeTotal(selection).price;
}

void OrderModel::publishTotal()
{
    const qint32 now = total();
    if (now == m_publishedTotal)
        return;
    m_publishedTotal = now;
    emit totalChanged(now);
}

void OrderModel::chooseModel(Model model)
{
    if (model == m_model)
        return;
    m_model = model;
    emit modelChanged(model);
    if (model == Model::ZK222) {
        for (int tag = 1; tag <= catalogue::AccessoryCount; ++tag)
            setEnabled(tag, true);
        // Unticked first, so that each part is ticked anew below; disabled
        // before it is ticked, so that the cable's list stays closed.
        for (int tag = 1; tag <= catalogue::AccessoryCount; ++tag)
            if (hasRole(tag, AssemblyRole::Part))
                setTicked(tag, false);
        for (int tag = 1; tag <= catalogue::AccessoryCount; ++tag)
            if (!hasRole(tag, AssemblyRole::None))
                setEnabled(tag, false);
        for (int tag = 1; tag <= catalogue::AccessoryCount; ++tag)
            if (hasRole(tag, AssemblyRole::Part))
                setTicked(tag, true);
        for (int tag = 1; tag <= catalogue::AccessoryCount; ++tag)
            if (hasRole(tag, AssemblyRole::Excluded))
                setTicked(tag, false);
    } else if (model != Model::None) {
        for (int tag = 1; tag <= catalogue::AccessoryCount; ++tag)
            if (!hasRole(tag, AssemblyRole::None))
                setTicked(tag, false);
        for (int tag = 1; tag <= catalogue::AccessoryCount; ++tag)
            if (!hasRole(tag, AssemblyRole::None))
                setEnabled(tag, true);
    }
    publishTotal();
}

void OrderModel::setModule(int channel, int index)
{
    Channel &entry = channelAt(channel);
    if (entry.module == index)
        return;
    entry.module = index;
    emit channelChanged(channel);
}

void OrderModel::fitModule(int channel, int index)
{
    Q_ASSERT(index >= 0 && index < catalogue::ModuleCount);
    setModule(channel, index);
    if (codeOf(index) == BusInterfaceCode) {
        for (int later = channel + 1; later <= ChannelCount; ++later)
            setModule(later, 0);
    }
    publishTotal();
}

void OrderModel::setNote(int channel, const QString &note)
{
    Channel &entry = channelAt(channel);
    if (entry.note == note)
        return;
    entry.note = note;
    emit channelChanged(channel);
}

void OrderModel::setTicked(int tag, bool ticked)
{
    Accessory &entry = accessoryAt(tag);
    if (entry.ticked == ticked)
        return;
    entry.ticked = ticked;
    emit tickChanged(tag, ticked);
    publishTotal();
}

void OrderModel::setEnabled(int tag, bool enabled)
{
    Accessory &entry = accessoryAt(tag);
    if (entry.enabled == enabled)
        return;
    entry.enabled = enabled;
    emit enabledChanged(tag, enabled);
}

void OrderModel::setAdapterVariant(int variant)
{
    setVariant(catalogue::AdapterTag, m_adapterVariant, variant);
}

void OrderModel::setCableVariant(int variant)
{
    setVariant(catalogue::CableTag, m_cableVariant, variant);
}

void OrderModel::setVariant(int tag, int &current, int variant)
{
    Q_ASSERT(variant >= 0 && variant < 3);
    if (variant == current)
        return;
    current = variant;
    emit variantChanged(tag, variant);
    publishTotal();
}

void OrderModel::setLanguage(catalogue::Language language)
{
    if (language == m_language)
        return;
    m_language = language;
    for (int tag = 1; tag <= catalogue::AccessoryCount; ++tag) {
        if (!isCzechOnly(tag))
            continue;
        if (language == catalogue::Language::English) {
            setTicked(tag, false);
            setEnabled(tag, false);
        } else {
            setEnabled(tag, true);
        }
    }
    emit languageChanged(language);
    publishTotal();
}

void OrderModel::reset()
{
    if (m_model != Model::None) {
        m_model = Model::None;
        emit modelChanged(m_model);
    }
    for (int channel = 1; channel <= ChannelCount; ++channel) {
        Channel &entry = channelAt(channel);
        if (entry.module == NoModule && entry.note.isEmpty())
            continue;
        entry = Channel();
        emit channelChanged(channel);
    }
    for (int tag = 1; tag <= catalogue::AccessoryCount; ++tag)
        setTicked(tag, false);
    for (int tag = 1; tag <= catalogue::AccessoryCount; ++tag)
        if (!hasRole(tag, AssemblyRole::None))
            setEnabled(tag, true);
    setAdapterVariant(0);
    setCableVariant(0);
    publishTotal();
}

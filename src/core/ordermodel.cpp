#include "ordermodel.h"

#include "pricing.h"

using catalogue::AssemblyRole;
using catalogue::Model;

namespace {

AssemblyRole roleOf(int tag)
{
    return catalogue::accessory(tag).assembly;
}

bool isCzechOnly(int tag)
{
    return catalogue::accessory(tag).flags & catalogue::CzechOnly;
}

bool takesRestOfBus(int index)
{
    return catalogue::moduleAt(index).TakesRestOfBus;
}

} // namespace

OrderModel::OrderModel(QObject *parent)
    : QObject(parent)
{
}

qint32 OrderModel::total() const
{
    return pricing::total(m_order);
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
    if (model == m_order.model)
        return;
    m_order.model = model;
    emit modelChanged(model);
    for (int tag = 1; tag <= catalogue::AccessoryCount; ++tag) {
        const AssemblyRole role = roleOf(tag);
        if (model == Model::ZK222) {
            setEnabled(tag, role == AssemblyRole::None);
            if (role != AssemblyRole::None)
                setTickedQuietly(tag, role == AssemblyRole::Part);
        } else if (model != Model::None && role != AssemblyRole::None) {
            setTickedQuietly(tag, false);
            setEnabled(tag, true);
        }
    }
    publishTotal();
}

void OrderModel::setModule(int channel, int index)
{
    Order::Channel &entry = m_order.channel(channel);
    if (entry.module == index)
        return;
    entry.module = index;
    emit channelChanged(channel);
}

void OrderModel::fitModule(int channel, int index)
{
    Q_ASSERT(index >= 0 && index < catalogue::ModuleCount);
    setModule(channel, index);
    if (takesRestOfBus(index)) {
        for (int later = channel + 1; later <= ChannelCount; ++later)
            setModule(later, 0);
    }
    publishTotal();
}

void OrderModel::setNote(int channel, const QString &note)
{
    Order::Channel &entry = m_order.channel(channel);
    if (entry.note == note)
        return;
    entry.note = note;
    emit channelChanged(channel);
}

void OrderModel::setTickedQuietly(int tag, bool ticked)
{
    Order::Accessory &entry = m_order.accessory(tag);
    if (entry.ticked == ticked)
        return;
    entry.ticked = ticked;
    emit tickChanged(tag, ticked);
}

void OrderModel::setTicked(int tag, bool ticked)
{
    setTickedQuietly(tag, ticked);
    publishTotal();
}

void OrderModel::setEnabled(int tag, bool enabled)
{
    Order::Accessory &entry = m_order.accessory(tag);
    if (entry.enabled == enabled)
        return;
    entry.enabled = enabled;
    emit enabledChanged(tag, enabled);
}

void OrderModel::setVariant(int tag, int variant)
{
    Q_ASSERT(catalogue::hasVariantList(tag) && !catalogue::variantItem(tag, variant).isEmpty());
    Order::Accessory &entry = m_order.accessory(tag);
    if (entry.variant == variant)
        return;
    entry.variant = variant;
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
        if (language == catalogue::Language::English)
            setTickedQuietly(tag, false);
        setEnabled(tag, language == catalogue::Language::Czech);
    }
    emit languageChanged(language);
    publishTotal();
}

void OrderModel::reset()
{
    if (m_order.model != Model::None) {
        m_order.model = Model::None;
        emit modelChanged(m_order.model);
    }
    for (int channel = 1; channel <= ChannelCount; ++channel) {
        Order::Channel &entry = m_order.channel(channel);
        if (entry == Order::Channel())
            continue;
        entry = Order::Channel();
        emit channelChanged(channel);
    }
    for (int tag = 1; tag <= catalogue::AccessoryCount; ++tag) {
        setTickedQuietly(tag, false);
        if (roleOf(tag) != AssemblyRole::None)
            setEnabled(tag, true);
        if (m_order.accessory(tag).variant != 0) {
            m_order.accessory(tag).variant = 0;
            emit variantChanged(tag, 0);
        }
    }
    publishTotal();
}

#pragma once

// The order being configured, and the language the customer works in. It
// owns one Order value and carries the rules that keep it consistent; every
// change goes through its operations, and each one is signalled. Windows
// show it and pass on what the user does; nothing else holds any of this
// state.
//
// A signal tells that something changed and carries its new value. A view
// shows the current state whenever it is told; it relies on no order among
// the signals of one operation.

#include "order.h"

#include <QObject>
#include <QString>

class OrderModel : public QObject {
    Q_OBJECT
public:
    static constexpr int ChannelCount = Order::ChannelCount;
    static constexpr int NoModule = Order::NoModule;

    explicit OrderModel(QObject *parent = nullptr);

    // ---- reading ------------------------------------------------------------
    const Order &order() const { return m_order; }
    catalogue::Model model() const { return m_order.model; }
    catalogue::Language language() const { return m_language; }

    // Channels count from 1 to ChannelCount.
    int module(int channel) const { return m_order.channel(channel).module; } // catalogue index or NoModule
    QString moduleCode(int channel) const { return m_order.moduleCell(channel); }
    QString note(int channel) const { return m_order.channel(channel).note; }
    // The picker item that opens selected over the channel: its module, found
    // by the code it shows (catalogue::pickerItemFor).
    int pickerItem(int channel) const { return catalogue::pickerItemFor(moduleCode(channel), m_language); }

    // Accessories are known by their tag, 1 to catalogue::AccessoryCount.
    bool isTicked(int tag) const { return m_order.accessory(tag).ticked; }
    bool isEnabled(int tag) const { return m_order.accessory(tag).enabled; }
    bool counts(int tag) const { return m_order.counts(tag); }
    // The chosen item of the accessory's variant list.
    int variant(int tag) const { return m_order.accessory(tag).variant; }

    int fittedChannels() const { return m_order.fittedChannels(); }
    // Base price, modules and the counting accessories, in whole crowns.
    qint32 total() const;

    // ---- operations -----------------------------------------------------------
    // Chooses the model and applies its accessory rules: TQ8 and TQ8R free the
    // accessories the assembly binds, unticked; ZK222 ticks its parts and
    // rules out the one it replaces, all of them disabled so that they add
    // nothing, and enables every other accessory.
    // Choosing the model already chosen changes nothing.
    void chooseModel(catalogue::Model model);
    // Fits catalogue entry `index` to `channel`. A module that takes the rest
    // of the bus (the bus interface, TB) sets every later channel to "---".
    void fitModule(int channel, int index);
    void setNote(int channel, const QString &note);
    void setTicked(int tag, bool ticked);
    // Chooses item `variant` of the accessory's variant list.
    void setVariant(int tag, int variant);
    // Czech-only services (the calibration certificate) are withdrawn in
    // English (unticked and disabled) and offered again in Czech.
    void setLanguage(catalogue::Language language);
    // Back to the start: no model, empty channels, nothing ticked, the
    // assembly parts enabled, every variant at 0. The language and the
    // certificate's availability stay.
    void reset();

signals:
    void modelChanged(catalogue::Model model);
    void channelChanged(int channel);
    void tickChanged(int tag, bool ticked);
    void enabledChanged(int tag, bool enabled);
    void variantChanged(int tag, int variant);
    void languageChanged(catalogue::Language language);
    void totalChanged(qint32 total);

private:
    void setModule(int channel, int index);
    void setTickedQuietly(int tag, bool ticked);
    void setEnabled(int tag, bool enabled);
    void publishTotal();

    Order m_order;
    catalogue::Language m_language = catalogue::Language::Czech;
    qint32 m_publishedTotal = 0;
};

#pragma once

// The order being configured: the model, a module and a note per channel,
// the accessories with their variants, and the language the customer works
// in. It carries the rules that tie them together and derives the total.
// Windows show it and pass on what the user does; nothing else holds any
// of this state.
//
// Every operation changes the order step by step, in a fixed sequence, and
// reports each step as it happens (ticked before or after disabled, say),
// so that a view can follow the order of the steps where that shows.

#include "catalogue.h"

#include <QObject>
#include <QString>
#include <array>

class OrderModel : public QObject {
    Q_OBJECT
public:
    static constexpr int ChannelCount = 16;
    static constexpr int NoModule = -1; // a channel nothing was chosen for

    explicit OrderModel(QObject *parent = nullptr);

    // ---- reading ------------------------------------------------------------
    catalogue::Model model() const { return m_model; }
    catalogue::Language language() const { return m_language; }

    // Channels count from 1 to ChannelCount.
    int module(int channel) const;         // catalogue index or NoModule
    QString moduleCode(int channel) const; // e.g. "H1I", "TB ", "---"; empty when none
    QString note(int channel) const;

    // Accessories are known by their tag, 1 to catalogue::AccessoryCount.
    bool isTicked(int tag) const;
    bool isEnabled(int tag) const;
    // Whether the accessory adds to the total: ticked and enabled.
    bool counts(int tag) const { return isTicked(tag) && isEnabled(tag); }
    int adapterVariant() const { return m_adapterVariant; }
    int cableVariant() const { return m_cableVariant; }

    // Channels that carry a module of the catalogue ("---" does not count).
    int fittedChannels() const;
    // Base price, modules and the counting accessories, in whole crowns.
    qint32 total() const;

    // The module code that catalogue entry `index` writes into a channel:
    // the first three characters of its picker text.
    static QString codeOf(int index);

    // ---- operations -----------------------------------------------------------
    // Chooses the model and applies its accessory rules: TQ8 and TQ8R free the
    // accessories the assembly binds, ZK222 enables every accessory, then
    // ticks its parts (disabled, so they add nothing) and rules out the one it
    // replaces.
    // Choosing the model already chosen changes nothing.
    void chooseModel(catalogue::Model model);
    // Fits catalogue entry `index` to `channel`. The bus interface "TB " takes
    // the rest of the bus: every later channel is set to "---".
    void fitModule(int channel, int index);
    void setNote(int channel, const QString &note);
    void setTicked(int tag, bool ticked);
    void setAdapterVariant(int variant);
    void setCableVariant(int variant);
    // Czech-only services (the calibration certificate) are withdrawn in
    // English (unticked and disabled) and offered again in Czech.
    void setLanguage(catalogue::Language language);
    // Back to the start: no model, empty channels, nothing ticked, the
    // assembly parts enabled, both variants at 0. The language and the
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
    struct Channel {
        int module = NoModule;
        QString note;
    };
    struct Accessory {
        bool ticked = false;
        bool enabled = true;
    };

    Channel &channelAt(int channel);
    const Channel &channelAt(int channel) const;
    Accessory &accessoryAt(int tag);
    const Accessory &accessoryAt(int tag) const;
    void setModule(int channel, int index);
    void setEnabled(int tag, bool enabled);
    void setVariant(int tag, int &current, int variant);
    void publishTotal();

    catalogue::Model m_model = catalogue::Model::None;
    catalogue::Language m_language = catalogue::Language::Czech;
    std::array<Channel, ChannelCount> m_channels;
    std::array<Accessory, catalogue::AccessoryCount> m_accessories;
    int m_adapterVariant = 0;
    int m_cableVariant = 0;
    qint32 m_publishedTotal = 0;
};

#pragma once

// The compiled-in product catalogue: input modules and accessories.
// Tables are constant data indexed by position; lookups are linear scans
// over exact text, as the order form has always done them.

#include <QString>
#include <QStringView>
#include <array>
#include <string_view>

namespace catalogue {

inline QString qs(std::u16string_view text)
{
    return QString(reinterpret_cast<const QChar *>(text.data()), qsizetype(text.size()));
}

enum class Language { Czech, English };

// ---- Input modules ---------------------------------------------------------

struct TModulArray {
    std::u16string_view Code;      // 1..3 characters, "---" for the separators
    std::u16string_view OrderCode; // 5 characters, "---" for the separators
    qint32 Price;                  // CZK without VAT
};

constexpr int ModuleCount = 55;
constexpr int SeparatorIndex = 46;

extern const std::array<TModulArray, ModuleCount> ModuleTable;
extern const std::array<std::u16string_view, ModuleCount> ModuleDescriptionsCz;
extern const std::array<std::u16string_view, ModuleCount> ModuleDescriptionsEn;

// Entry `index` (0..54); anything else is a programming error and throws.
const TModulArray &moduleAt(int index);
// Picker text of entry `index` in the given language.
QString moduleDescription(int index, Language language);
// Lookup by a grid code cell: trailing blanks removed, first exact,
// case-sensitive match among entries 0..54; -1 when nothing matches.
int findModuleByCode(QStringView cellText);

// ---- Accessories -----------------------------------------------------------

struct TPrislusenstviArray {
    std::array<std::u16string_view, 3> OrderCodes;
    std::array<std::u16string_view, 3> Prices; // decimal digits; empty = no such variant
};

constexpr int AccessoryCount = 29;
constexpr int AdapterTag = 2;
constexpr int CableTag = 18;
constexpr int CalibrationTag = 29;
// Above this many fitted channels the calibration certificate is SVC811.
constexpr int CalibrationChannelLimit = 8;

// Entry i belongs to tag i + 1; use accessoryAt(tag) to index by tag.
extern const std::array<TPrislusenstviArray, AccessoryCount> AccessoryTable;
extern const std::array<std::u16string_view, AccessoryCount> AccessoryCaptionsCz;
extern const std::array<std::u16string_view, AccessoryCount> AccessoryCaptionsEn;

// Tag 1..29; variant 0..2. Out-of-range arguments or an empty variant throw.
const TPrislusenstviArray &accessoryAt(int tag);
QString accessoryOrderCode(int tag, int variant);
QString accessoryPriceText(int tag, int variant);
qint32 accessoryPrice(int tag, int variant);
QString accessoryCaption(int tag, Language language);

// Which variant counts for a tag, given the two variant lists and the
// number of fitted channels.
int selectedVariant(int tag, int adapterItem, int cableItem, int channelCount);

// Items of the two variant lists (the same in both languages).
extern const std::array<std::u16string_view, 3> AdapterItems;
extern const std::array<std::u16string_view, 3> CableItems;

// ---- Models ----------------------------------------------------------------

enum class Model { None, TQ8, TQ8R, ZK222 };

qint32 modelBasePrice(Model model);
// Every shown or written price: its digits followed by ",-".
QString priceText(qint32 price);
QString priceText(QStringView digits);

} // namespace catalogue

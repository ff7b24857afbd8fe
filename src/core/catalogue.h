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

// Entry `index` (0..54); anything else is a programming error (asserted).
const TModulArray &moduleAt(int index);
// Picker text of entry `index` in the given language.
QString moduleDescription(int index, Language language);
// What a channel fitted with entry `index` shows and writes: its code,
// filled with blanks to three characters ("TB ", "H1I", "---").
QString moduleCell(int index);
// The "---" entries that divide the picker's list: no module, no price.
bool isSeparator(int index);
// The picker item that opens selected over a channel showing `cell`: the
// first whose text contains it, else item 0 (so an empty channel and one
// showing "---" open on item 0).
int pickerItemFor(const QString &cell, Language language);

// ---- Accessories -----------------------------------------------------------

// How the variant of an accessory is chosen.
enum class Variants {
    Single,           // variant 0 only
    AdapterList,      // the adapter list beside its box
    CableList,        // the cable length list beside its box
    ByFittedChannels, // variant 1 above CalibrationChannelLimit fitted channels, else 0
};

// What the choice of the ZK222 cabinet assembly does to an accessory.
enum class AssemblyRole {
    None,     // nothing
    Part,     // ticked and disabled: it comes with the assembly, at no price of its own
    Excluded, // unticked and disabled: the assembly has its own
};

enum AccessoryFlag {
    CzechOnly = 1,          // a Czech service: withdrawn while the form is in English
    ClearsPictureFirst = 2, // the picture area is cleared before its picture shows
};

struct Accessory {
    std::array<std::u16string_view, 3> orderCodes; // per variant; empty = no such variant
    std::array<std::u16string_view, 3> prices;     // decimal digits per variant
    std::u16string_view captionCz;
    std::u16string_view captionEn;
    int section; // the heading it stands under (AccessorySections), -1 above the first
    int picture; // shown on hover; for the adapter, that of its first variant
    AssemblyRole assembly;
    Variants variants;
    std::array<std::u16string_view, 3> listItems; // the items of its variant list, if it has one
    int flags;                                    // AccessoryFlag values
};

struct AccessorySection {
    std::u16string_view headingCz;
    std::u16string_view headingEn;
};

constexpr int AccessoryCount = 29;
constexpr int AccessorySectionCount = 9;
// The accessories with a variant list of their own, and the certificate
// whose variant follows the fitted channels.
constexpr int AdapterTag = 2;
constexpr int CableTag = 18;
constexpr int CalibrationTag = 29;
// Above this many fitted channels the calibration certificate is SVC811.
constexpr int CalibrationChannelLimit = 8;

// Entry i belongs to tag i + 1; use accessory(tag) to index by tag.
extern const std::array<Accessory, AccessoryCount> Accessories;
extern const std::array<AccessorySection, AccessorySectionCount> AccessorySections;

// Tag 1..29; variant 0..2. Out-of-range arguments or an empty variant are
// programming errors (asserted); they give empty texts and no price.
const Accessory &accessory(int tag);
QString accessoryOrderCode(int tag, int variant);
QString accessoryPriceText(int tag, int variant);
qint32 accessoryPrice(int tag, int variant);
QString accessoryCaption(int tag, Language language);
QString sectionHeading(int section, Language language);
// Item `item` of the variant list of `tag` (the same in both languages).
QString variantItem(int tag, int item);
// Whether the accessory comes with a list of variants to choose from.
bool hasVariantList(int tag);

// ---- Models ----------------------------------------------------------------

enum class Model { None, TQ8, TQ8R, ZK222 };

qint32 modelBasePrice(Model model);
// Every shown or written price: its digits followed by ",-".
QString priceText(qint32 price);
QString priceText(QStringView digits);

} // namespace catalogue

#pragma once

// The compiled-in product catalogue: input modules and accessories.
// Tables are constant data indexed by position: a module by its catalogue
// index, an accessory by its tag. Nothing is looked up by its text.

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
    bool TakesRestOfBus;           // the bus interface: every later channel is left out
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
    FromList,         // the user's choice in the variant list beside its box
    ByFittedChannels, // variant 1 above CalibrationChannelLimit fitted channels, else 0
};

// How the order document writes an accessory's line.
enum class DocumentLine {
    Caption,           // the caption
    CodeThenCaption,   // "<order code> - <caption>"
    ItemCodeAndRating, // "N2202   (24V / 1A)" -> "N2202 - <caption up to its dash> (24V / 1A)"
    CaptionThenItem,   // the caption's arrow "------ >>>" goes, one dash stays, then the item
};

// The variant list beside an accessory's box, for a row whose variants are
// Variants::FromList.
struct VariantList {
    int control = 0;                          // its number among the form's lists; 0: the row has none
    std::array<std::u16string_view, 3> items; // by variant, the same in both languages
    std::array<int, 3> pictures{};            // shown for each variant
    bool choiceShowsPicture = false;          // a choice shows its variant's picture, as a hover does
    int left = 0;                             // its place beside the box, in the accessory panel
    int width = 0;
    int margin = 0;             // room it needs above and below its row, beyond a box's
    std::u16string_view nameCz; // for assistive technology
    std::u16string_view nameEn;
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
    SetApart = 4,           // stands below a line of its own, under no heading
};

struct Accessory {
    std::array<std::u16string_view, 3> orderCodes; // per variant
    std::array<std::u16string_view, 3> prices;     // decimal digits per variant; empty = no such variant
    std::u16string_view captionCz;
    std::u16string_view captionEn;
    int section; // the heading it stands under (AccessorySections), -1 above the first
    int picture; // shown on hover, unless its variant list has pictures of its own
    AssemblyRole assembly;
    Variants variants;
    VariantList list; // control 0 for a row without a list
    DocumentLine line;
    int flags; // AccessoryFlag values
};

struct AccessorySection {
    std::u16string_view headingCz;
    std::u16string_view headingEn;
};

constexpr int AccessoryCount = 29;
constexpr int AccessorySectionCount = 9;
// The accessories with a variant list of their own, and the certificate
// whose variant follows the fitted channels. The form knows them only by
// their rows' columns.
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
// The picture of the row's `variant`: its variant list's, or the row's own.
int pictureOf(const Accessory &row, int variant);

// ---- Models ----------------------------------------------------------------

enum class Model { None, TQ8, TQ8R, ZK222 };

qint32 modelBasePrice(Model model);
// What a model shows on hover: its picture and its order code.
int modelPicture(Model model);
QString modelOrderCode(Model model);
// Every shown or written price: its digits followed by ",-".
QString priceText(qint32 price);
QString priceText(QStringView digits);

} // namespace catalogue

#pragma once

// The object name of every control of the three windows: the names the
// order form was designed with. Tests, automation and accessibility tools
// find the controls by these names, so they never change. Nothing else
// uses them; the code knows the controls by their roles.

#include <QString>

namespace controlnames {

// ---- main window ---------------------------------------------------------
inline constexpr char MainWindow[] = "MainForm";
inline constexpr char Logo[] = "Image2";
inline constexpr char VersionLabel[] = "Label16";
inline constexpr char LeftPanel[] = "Panel1"; // model group and grid; scrolls
inline constexpr char ModelGroup[] = "GroupBox1";
inline constexpr char Tq8Button[] = "RadioButton1";
inline constexpr char Tq8rButton[] = "RadioButton2";
inline constexpr char AssemblyButton[] = "RadioButton3"; // the ZK222 cabinet assembly
inline constexpr char ChannelGrid[] = "StringGrid1";
inline constexpr char ModulePicker[] = "ComboBox1";
inline constexpr char PicturePanel[] = "Panel2";
inline constexpr char Picture[] = "Image1";
inline constexpr char AccessoryGroup[] = "GroupBox2";   // scrolls
inline constexpr char TextMeasure[] = "TextWidthLabel"; // hidden; measures captions
inline constexpr char ButtonPanel[] = "Panel4";
inline constexpr char DiagramButton[] = "BitBtn3";
inline constexpr char ResetButton[] = "BitBtn1";
inline constexpr char DocumentButton[] = "BitBtn2";
inline constexpr char LanguageGroup[] = "GroupBox3";
inline constexpr char LanguageButton[] = "SpeedButton1";
inline constexpr char ScrollBar[] = "ScrollBar1";
inline constexpr char PriceGroup[] = "GroupBox4";
inline constexpr char OrderCodeCaption[] = "Label11";
inline constexpr char OrderCodeLabel[] = "Label14";
inline constexpr char ItemPriceCaption[] = "Label10";
inline constexpr char ItemPriceLabel[] = "Label15";
inline constexpr char TotalCaption[] = "Label12";
inline constexpr char TotalLabel[] = "Label13";
// An accessory's check box by its tag, from 1.
inline QString accessoryBox(int tag)
{
    return QStringLiteral("CheckBox%1").arg(tag);
}
// A variant list beside an accessory's box, by its row's list number (the
// adapter's is 2, the cable's 3; the module picker is ComboBox1).
inline QString variantList(int number)
{
    return QStringLiteral("ComboBox%1").arg(number);
}
// A section heading of the accessories and the line under it, from 1; the
// lines come top to bottom, those above the rows set apart included.
inline QString sectionHeading(int number)
{
    return QStringLiteral("Label%1").arg(number);
}
inline QString sectionLine(int number)
{
    return QStringLiteral("Bevel%1").arg(number);
}

// ---- contact dialog --------------------------------------------------------
inline constexpr char ContactDialog[] = "KontaktForm";
// The five details: company, address, contact person, telephone, e-mail,
// each an edit box in a captioned group, numbered 1 to 5.
inline QString contactGroup(int number)
{
    return QStringLiteral("GroupBox%1").arg(number);
}
inline QString contactEdit(int number)
{
    return QStringLiteral("Edit%1").arg(number);
}
inline constexpr char ContactSeparator[] = "Bevel1";
inline constexpr char ContinueButton[] = "Button1";

// ---- block diagram window ----------------------------------------------------
inline constexpr char DiagramWindow[] = "ImageForm";
inline constexpr char Diagram[] = "Image1";

} // namespace controlnames

// Cell styles of a workbook: what a caller asks for (Style) and the
// de-duplicated lists of borders, fonts, fills, number formats and cell
// formats that "xl/styles.xml" is written from (StyleList).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zv::xlsx
{

// Font attribute bits.
enum FontAttributes : std::int32_t {
    FONT_NORMAL = 0,
    FONT_BOLD = 1 << 0,
    FONT_ITALIC = 1 << 1,
    FONT_UNDERLINED = 1 << 2,
    FONT_STRIKE = 1 << 3,
    FONT_OUTLINE = 1 << 4,
    FONT_SHADOW = 1 << 5,
    FONT_CONDENSE = 1 << 6,
    FONT_EXTEND = 1 << 7,
};

// Fill patterns, in the order of their names in the styles part.
enum EPatternType : std::int32_t {
    PATTERN_NONE = 0,
    PATTERN_SOLID,
    PATTERN_MEDIUM_GRAY,
    PATTERN_DARK_GRAY,
    PATTERN_LIGHT_GRAY,
    PATTERN_DARK_HORIZ,
    PATTERN_DARK_VERT,
    PATTERN_DARK_DOWN,
    PATTERN_DARK_UP,
    PATTERN_DARK_GRID,
    PATTERN_DARK_TRELLIS,
    PATTERN_LIGHT_HORIZ,
    PATTERN_LIGHT_VERT,
    PATTERN_LIGHT_DOWN,
    PATTERN_LIGHT_UP,
    PATTERN_LIGHT_GRID,
    PATTERN_LIGHT_TRELLIS,
    PATTERN_GRAY_125,
    PATTERN_GRAY_0625,
};

// Border line styles; 0 and unknown values mean no line.
enum EBorderStyle : std::int32_t {
    BORDER_NONE = 0,
    BORDER_THIN,
    BORDER_MEDIUM,
    BORDER_DASHED,
    BORDER_DOTTED,
    BORDER_THICK,
    BORDER_DOUBLE,
    BORDER_HAIR,
    BORDER_MEDIUM_DASHED,
    BORDER_DASH_DOT,
    BORDER_MEDIUM_DASH_DOT,
    BORDER_DASH_DOT_DOT,
    BORDER_MEDIUM_DASH_DOT_DOT,
    BORDER_SLANT_DASH_DOT,
};

enum ENumericStyle : std::int32_t {
    NUMSTYLE_GENERAL = 0,
    NUMSTYLE_NUMERIC,
    NUMSTYLE_PERCENTAGE,
    NUMSTYLE_EXPONENTIAL,
    NUMSTYLE_FINANCIAL,
    NUMSTYLE_MONEY,
    NUMSTYLE_DATE,
    NUMSTYLE_TIME,
    NUMSTYLE_DATETIME,
};

enum ENumericColor : std::int32_t {
    NUMCOLOR_DEFAULT = 0,
    NUMCOLOR_BLACK,
    NUMCOLOR_GREEN,
    NUMCOLOR_WHITE,
    NUMCOLOR_BLUE,
    NUMCOLOR_MAGENTA,
    NUMCOLOR_YELLOW,
    NUMCOLOR_CYAN,
    NUMCOLOR_RED,
};

enum EAlignHoriz : std::int32_t { ALIGN_H_NONE = 0, ALIGN_H_LEFT, ALIGN_H_CENTER, ALIGN_H_RIGHT };
enum EAlignVert : std::int32_t { ALIGN_V_NONE = 0, ALIGN_V_TOP, ALIGN_V_CENTER, ALIGN_V_BOTTOM };

// First identifier of the formats a workbook defines itself.
inline constexpr std::uint64_t kFirstCustomNumFormat = 164;

struct Font {
    std::int32_t size = 11;
    std::u16string name = u"Calibri";
    bool theme = true;
    std::u16string color; // RGB in hexadecimal
    std::int32_t attributes = FONT_NORMAL;
    bool operator==(const Font&) const = default;
};

struct Fill {
    std::int32_t patternType = PATTERN_NONE;
    std::u16string fgColor;
    std::u16string bgColor;
    bool operator==(const Fill&) const = default;
};

struct BorderItem {
    std::int32_t style = BORDER_NONE;
    std::u16string color;
    bool operator==(const BorderItem&) const = default;
};

struct Border {
    BorderItem left, right, top, bottom, diagonal;
    bool isDiagonalUp = false;
    bool isDiagonalDown = false;
    // The diagonal side takes no part in the comparison.
    bool operator==(const Border& other) const
    {
        return left == other.left && right == other.right && top == other.top && bottom == other.bottom &&
               isDiagonalUp == other.isDiagonalUp && isDiagonalDown == other.isDiagonalDown;
    }
};

struct NumFormat {
    std::uint64_t id = 0;        // below 164 a built-in format
    std::u16string formatString; // explicit code; empty = built from the fields
    std::int32_t numberStyle = NUMSTYLE_GENERAL;
    std::int32_t digitsAfterPoint = 0;
    bool showThousandsSeparator = false;
    std::u16string currencySymbol;
    std::int32_t positiveColor = NUMCOLOR_DEFAULT;
    std::int32_t negativeColor = NUMCOLOR_DEFAULT;
    // The identifier takes no part in the comparison.
    bool SameFormat(const NumFormat& other) const;
};

struct Alignment {
    std::int32_t horizontal = ALIGN_H_NONE;
    std::int32_t vertical = ALIGN_V_NONE;
    bool wrapText = false;
    bool operator==(const Alignment&) const = default;
};

struct Style {
    Font font;
    Fill fill;
    Border border;
    NumFormat numFormat;
    Alignment alignment;
};

// One cell format: indices into the lists plus the number-format reference.
struct CellFormat {
    std::size_t borderId = 0;
    std::size_t fontId = 0;
    std::size_t fillId = 0;
    std::uint64_t numFormatId = 0;
    Alignment alignment;
    bool operator==(const CellFormat&) const = default;
};

class StyleList
{
  public:
    // Registers the style and returns its style index (cell-format position).
    std::size_t Add(const Style& style);

    const std::vector<Border>& Borders() const { return borders_; }
    const std::vector<Font>& Fonts() const { return fonts_; }
    const std::vector<Fill>& Fills() const { return fills_; }
    const std::vector<NumFormat>& NumFormats() const { return numFormats_; }
    const std::vector<CellFormat>& CellFormats() const { return cellFormats_; }

  private:
    std::uint64_t AddNumFormat(const NumFormat& format);

    std::uint64_t nextCustomId_ = kFirstCustomNumFormat;
    std::vector<Border> borders_;
    std::vector<Font> fonts_;
    std::vector<Fill> fills_;
    std::vector<NumFormat> numFormats_;
    std::vector<CellFormat> cellFormats_;
};

// The format code written for a custom number format: its explicit code, or
// one built from its fields.
std::u16string NumFormatCode(const NumFormat& format);

} // namespace zv::xlsx

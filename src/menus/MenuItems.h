#pragma once
// The measuring rules of the flat menus, free of any platform type: what an
// item stores in its 32-bit item data, the sizes read back from it, the item
// heights for a font, and the label and shortcut parts of an item text.

#include <cstdint>
#include <string>
#include <vector>

namespace menus {

// A pop-up row's width beyond its label and shortcut (the strip, margins),
// at 96 DPI.
constexpr int kPopupExtraWidthAt96 = 42;
// A menu-bar item's width beyond its label (the open item's shadow), at 96 DPI.
constexpr int kBarExtraWidthAt96 = 4;

// A pop-up row's room above and below its text, and the least height of a
// row, at 96 DPI; a separator's room beyond half a line of text.
constexpr int kPopupRowPaddingAt96 = 6;
constexpr int kPopupRowMinimumAt96 = 20;
constexpr int kSeparatorPaddingAt96 = 2;

// Pop-up rows for a font of that text height: a row's padding and least
// height, and a separator's padding, are given at the menu's DPI.
int PopupItemHeight(int textHeight, int padding, int minimum);
int SeparatorHeight(int textHeight, int padding);

// Item data: height in bits 0-7, the menu's widest shortcut (low 8 bits) in
// bits 8-15, the menu's widest label in bits 16-31. Separators store only
// their height, menu-bar items only their label width.
std::uint32_t PopupItemData(int height, int widestShortcut, int widestLabel);
std::uint32_t SeparatorItemData(int height);
std::uint32_t BarItemData(int labelWidth);

struct ItemSize {
  int width;
  int height;  // 0 for a menu-bar item: the platform's menu-bar height
};
// The size an item reports when it is measured.
ItemSize MeasureItemData(std::uint32_t itemData);

// "Label\tShortcut": the label (text before the first tab) and the shortcut
// (the text after it, "" without a tab).
std::string LabelPart(const std::string& text);
std::string ShortcutPart(const std::string& text);
// A label as measured: its first "&" removed.
std::string WithoutFirstAmpersand(const std::string& label);

// The index of the first item whose label has the access letter `c` (case
// ignored): an "&" before it that is not itself the second of "&&"; -1 when
// none has.
int FindAccessLetter(const std::vector<std::string>& labels, char c);

}  // namespace menus

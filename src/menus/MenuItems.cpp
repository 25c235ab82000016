#include "menus/MenuItems.h"

#include <algorithm>
#include <cctype>

namespace menus {
namespace {

// Item data fields: bits 0-7 and 8-15 hold one byte each.
constexpr std::uint32_t kByte = 0xFF;
constexpr std::uint32_t kWord = 0xFFFF;

char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

bool HasAccessLetter(const std::string& label, char upper) {
  // From the end, so that the last single "&" before the letter counts.
  for (std::size_t i = label.size(); i-- > 1;) {
    if (label[i - 1] != '&' || Upper(label[i]) != upper) continue;
    if (i >= 2 && label[i - 2] == '&') continue;  // "&&" is a literal ampersand
    return true;
  }
  return false;
}

}  // namespace

int PopupItemHeight(int textHeight, int padding, int minimum) {
  return std::max(textHeight + padding, minimum);
}

int SeparatorHeight(int textHeight, int padding) { return textHeight / 2 + padding; }

std::uint32_t PopupItemData(int height, int widestShortcut, int widestLabel) {
  return (static_cast<std::uint32_t>(height) & kByte) |
         ((static_cast<std::uint32_t>(widestShortcut) & kByte) << 8) |
         ((static_cast<std::uint32_t>(widestLabel) & kWord) << 16);
}

std::uint32_t SeparatorItemData(int height) { return static_cast<std::uint32_t>(height) & kByte; }

std::uint32_t BarItemData(int labelWidth) {
  return (static_cast<std::uint32_t>(labelWidth) & kWord) << 16;
}

ItemSize MeasureItemData(std::uint32_t itemData) {
  const int height = static_cast<int>(itemData & kByte);
  const int shortcut = static_cast<int>((itemData >> 8) & kByte);
  const int label = static_cast<int>(itemData >> 16);
  if (height == 0) return {label + kBarExtraWidthAt96, 0};
  return {label + shortcut + kPopupExtraWidthAt96, height};
}

std::string LabelPart(const std::string& text) { return text.substr(0, text.find('\t')); }

std::string ShortcutPart(const std::string& text) {
  const std::size_t tab = text.find('\t');
  return tab == std::string::npos ? std::string() : text.substr(tab + 1);
}

std::string WithoutFirstAmpersand(const std::string& label) {
  std::string result = label;
  const std::size_t amp = result.find('&');
  if (amp != std::string::npos) result.erase(amp, 1);
  return result;
}

int FindAccessLetter(const std::vector<std::string>& labels, char c) {
  const char upper = Upper(c);
  for (std::size_t i = 0; i < labels.size(); ++i)
    if (HasAccessLetter(labels[i], upper)) return static_cast<int>(i);
  return -1;
}

}  // namespace menus

// The main window's fixed layout: every control with its kind, rectangle, initial text and
// whether Tab stops on it, plus the list view's columns. Both the real window and the in-memory
// window of the host build are made from this one table.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

// The controls of the main window, in the order in which they are created. The names are the
// ones the window's designer gave them; the logic addresses controls only through these.
enum class Control : int {
  超级列表框1,
  按钮_刷新延时,
  按钮_设置选中DNS,
  标签1,
  组合框1,
  标签2,
  编辑框_MAC,
  标签3,
  标签4,
  标签5,
  IP编辑框_IP,
  IP编辑框_DNS1,
  IP编辑框_DNS2,
  标签6,
  IP编辑框_自定义DNS1,
  标签7,
  IP编辑框_自定义DNS2,
};

enum class ControlKind { ListView, PushButton, Label, ComboBox, EditBox, AddressBox };

struct ControlLayout {
  Control id;
  std::string_view name;
  ControlKind kind;
  int left;
  int top;
  int width;
  int height;
  std::string_view text;
  bool focusStop;
};

struct ListColumnLayout {
  std::string_view title;
  int width;
};

inline constexpr std::string_view kMainWindowTitle = "Quorvel工具";
inline constexpr int kMainWindowWidth = 605;  // outer size, title bar and borders included
inline constexpr int kMainWindowHeight = 232;
inline constexpr int kComboDropHeight = 160;  // bounds the opened list of 组合框1

// Creation order; Tab visits the focus stops in this same order and wraps around.
inline constexpr std::array<ControlLayout, 17> kMainWindowControls = {{
    {Control::超级列表框1, "超级列表框1", ControlKind::ListView, 8, 10, 400, 110, "", true},
    {Control::按钮_刷新延时, "按钮_刷新延时", ControlKind::PushButton, 88, 164, 80, 32, "刷新延时",
     true},
    {Control::按钮_设置选中DNS, "按钮_设置选中DNS", ControlKind::PushButton, 240, 164, 80, 32,
     "设置DNS", true},
    {Control::标签1, "标签1", ControlKind::Label, 416, 16, 40, 16, "网卡:", false},
    {Control::组合框1, "组合框1", ControlKind::ComboBox, 448, 13, 144, 20, "", true},
    {Control::标签2, "标签2", ControlKind::Label, 416, 48, 32, 16, "MAC:", false},
    {Control::编辑框_MAC, "编辑框_MAC", ControlKind::EditBox, 448, 44, 144, 20, "", false},
    {Control::标签3, "标签3", ControlKind::Label, 416, 76, 32, 16, "IP:", false},
    {Control::标签4, "标签4", ControlKind::Label, 416, 108, 32, 16, "DNS1:", false},
    {Control::标签5, "标签5", ControlKind::Label, 416, 140, 32, 16, "DNS2:", false},
    {Control::IP编辑框_IP, "IP编辑框_IP", ControlKind::AddressBox, 448, 72, 144, 20, "", true},
    {Control::IP编辑框_DNS1, "IP编辑框_DNS1", ControlKind::AddressBox, 447, 104, 144, 20, "", true},
    {Control::IP编辑框_DNS2, "IP编辑框_DNS2", ControlKind::AddressBox, 448, 136, 144, 20, "", true},
    {Control::标签6, "标签6", ControlKind::Label, 8, 128, 72, 16, "自定义主DNS:", false},
    {Control::IP编辑框_自定义DNS1, "IP编辑框_自定义DNS1", ControlKind::AddressBox, 88, 125, 104, 20,
     "", true},
    {Control::标签7, "标签7", ControlKind::Label, 208, 128, 72, 16, "自定义辅DNS:", false},
    {Control::IP编辑框_自定义DNS2, "IP编辑框_自定义DNS2", ControlKind::AddressBox, 288, 125, 104,
     20, "", true},
}};

inline constexpr std::array<ListColumnLayout, 5> kLatencyListColumns = {{
    {"名称", 70},
    {"主DNS", 110},
    {"辅DNS", 110},
    {"主延时", 50},
    {"辅延时", 50},
}};

constexpr const ControlLayout& LayoutOf(Control id) {
  return kMainWindowControls[static_cast<std::size_t>(id)];
}

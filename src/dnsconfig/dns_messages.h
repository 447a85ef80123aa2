// What the set-DNS action tells the user. Successes show the information icon, failures the
// stop icon; all but the nothing-chosen error use the message box's default title.
#pragma once

#include <string_view>

inline constexpr std::string_view kDnsSetSucceeded = "DNS设置成功!";
inline constexpr std::string_view kDnsSetFailed = "DNS设置失败!";
inline constexpr std::string_view kCustomDnsSetSucceeded = "自定义DNS设置成功!";
inline constexpr std::string_view kCustomPrimaryDnsSetSucceeded = "自定义主DNS设置成功!";
inline constexpr std::string_view kCustomSecondaryDnsSetSucceeded = "自定义辅DNS设置成功!";
inline constexpr std::string_view kCustomDnsSetFailed = "自定义DNS设置失败!";
inline constexpr std::string_view kNothingChosen = "没有选中或没有自定义DNS";
inline constexpr std::string_view kNothingChosenTitle = "错误";

// The message box and the pause of the set-DNS action.
#pragma once

#include <string_view>

namespace platform {

enum class MessageIcon : unsigned { Information = 64, Stop = 16 };

inline constexpr std::string_view kDefaultMessageTitle = "信息：";

// A task-modal box with one OK button; returns when the user has dismissed it.
void ShowMessage(std::string_view text, MessageIcon icon,
                 std::string_view title = kDefaultMessageTitle);

// Lets the time pass on the UI thread: the window paints and answers messages sent to it but takes
// no input. A negative count is 0.
void Pause(int milliseconds);

}  // namespace platform

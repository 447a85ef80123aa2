// A broken invariant of the program itself (for example an index out of range): reported to the
// user and on standard error, then the process stops with exit code 3.
#pragma once

#include <string_view>

namespace platform {

[[noreturn]] void StopOnInternalError(std::string_view what);

}  // namespace platform

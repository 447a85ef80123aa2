#include <cstdio>
#include <cstdlib>

#include "platform/internal_error.h"

namespace platform {

void StopOnInternalError(std::string_view what) {
  std::fprintf(stderr, "Quorvel: internal error: %.*s\n", static_cast<int>(what.size()),
               what.data());
  std::fflush(stdout);
  std::fflush(stderr);
  std::_Exit(3);
}

}  // namespace platform

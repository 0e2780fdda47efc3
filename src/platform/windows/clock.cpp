#include "platform/clock.h"

namespace voske::platform {

std::tm LocalNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  ::localtime_s(&local, &now);
  return local;
}

}  // namespace voske::platform

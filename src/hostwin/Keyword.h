#pragma once

#include <string_view>

#include "hostwin/WindowAccess.h"

namespace hostwin {

// Types the keyword or address into the client's toolbar keyword box, then a space and Enter,
// as a person would: three messages, each only once the one before was taken. Without the
// client or its toolbar nothing is sent anywhere.
void OpenKeyword(WindowAccess& windows, std::u16string_view text);

}  // namespace hostwin

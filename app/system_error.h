// SPDX-License-Identifier: GPL-3.0-or-later
// The operating system's description of an error code, as the file messages
// quote it.
#pragma once

#include <string>

namespace app {

// strerror's text in the user's language, without trailing blanks, control
// characters and full stops: the error report appends its own ".".
std::string SystemErrorText(int error_code);

}  // namespace app

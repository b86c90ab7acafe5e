// The framework's text type: the standard string, so stored texts bind to fields directly.
#pragma once

#include <string>

using CString = std::string;

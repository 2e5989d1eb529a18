// Reading the renderer's eight settings from the per-user registry, where
// the front end keeps them as text under the names "00" to "07". Parsing and
// defaults are the shared settings code's; this file only fetches the text.
// It never writes the registry.
#pragma once

#include <windows.h>

#include "common/settings/settings.h"

namespace lumora::win32 {

// Under HKEY_CURRENT_USER. The trailing separator is part of the name the
// front end has always used; the registry accepts it.
inline constexpr char kSettingsKeyPath[] = "Software\\VB and VBA Program Settings\\Kelvane\\Section\\";

// The eight defaults, each replaced by the value of the same name under
// root\subKey that can be read whole into a 256-byte buffer. A missing key
// or value, or a longer value, keeps its default; the value type is not
// checked (the bytes are read as text).
Settings readRendererSettings(HKEY root, const char* subKey);

// The settings the show runs with: readRendererSettings of the user's key.
Settings readRendererSettings();

}  // namespace lumora::win32

#pragma once

#include <string>

class Component;
class IniFile;

// Captions of the container's title and of the components it owns directly, from one section.
// The caller holds the settings lock and passes the reader Lock returned.
void ApplyCaptions(Component& container, const std::string& section, const IniFile& ini);

// Position, size and visibility of the container's components from prefix + "_CtrlPos" and
// prefix + "_Visible", walking into embedded pages with prefix + "_" + their name.
void ApplyLayout(Component& container, const std::string& prefix, const IniFile& ini);

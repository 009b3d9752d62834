#pragma once

#include <string>

class IniFile;
class LayoutComponent;

// Replaces the captions of the components `container` owns directly from INI section `section`;
// a top-level container's title comes from the key of its own name. The caller holds the lock.
void ApplyCaptions(LayoutComponent& container, const std::string& section, const IniFile& ini);

// Sets position, size and visibility of the components `container` owns from the sections
// prefix + "_CtrlPos" and prefix + "_Visible", embedded frames first with prefix + "_" + name.
void ApplyLayout(LayoutComponent& container, const std::string& prefix, const IniFile& ini);

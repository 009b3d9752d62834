#include "app/CaptionsLayout.h"

#include "app/Component.h"
#include "app/IniFile.h"
#include "app/TextHelpers.h"

#include <cstdio>

namespace {

std::string Trim(const std::string& text) {
    const char* blanks = " \t\r\n";
    size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return std::string();
    size_t last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

std::string ColumnKey(const std::string& name, int index) {
    char key[300];
    std::snprintf(key, sizeof key, "%s_Col%d", name.c_str(), index);
    return key;
}

} // namespace

void ApplyCaptions(Component& container, const std::string& section, const IniFile& ini) {
    if (container.IsTopLevel())
        container.SetTitle(ini.ReadString(section, container.Name(), container.Title()));

    for (Component* c : container.Components()) {
        const std::string name = c->Name();
        switch (c->Kind()) {
        case ComponentKind::Label:
        case ComponentKind::CheckBox:
        case ComponentKind::Panel:
        case ComponentKind::PushButton:
        case ComponentKind::RadioButton:
        case ComponentKind::MenuItem:
            c->SetCaption(ini.ReadString(section, name, c->Caption()));
            break;
        case ComponentKind::ListView:
            for (int i = 0; i < c->ColumnCount(); ++i)
                c->SetColumnCaption(
                    i, ini.ReadString(section, ColumnKey(name, i), c->ColumnCaption(i)));
            break;
        case ComponentKind::GroupBox: {
            std::string caption = ini.ReadString(section, name, c->Caption());
            c->SetCaption(PadCaption(caption));
            break;
        }
        case ComponentKind::Other:
        case ComponentKind::NonVisual:
            break;
        }
    }
}

void ApplyLayout(Component& container, const std::string& prefix, const IniFile& ini) {
    const std::string posSection = prefix + "_CtrlPos";
    const std::string visSection = prefix + "_Visible";

    for (Component* c : container.Components()) {
        const std::string name = c->Name();
        if (c->Kind() == ComponentKind::NonVisual)
            continue;
        if (c->Kind() == ComponentKind::MenuItem) {
            c->SetVisible(ini.ReadBool(visSection, name, c->Visible()));
            continue;
        }
        if (!c->Components().empty())
            ApplyLayout(*c, prefix + "_" + name, ini);

        std::string pos = Trim(ini.ReadString(posSection, name, ""));
        if (!pos.empty()) {
            int32_t values[16];
            int found = ParseIntList(pos, values, 16);
            if (found > 0)
                c->SetLeft(values[0]);
            if (found > 1)
                c->SetTop(values[1]);
            if (found > 2)
                c->SetWidth(values[2]);
            if (found > 3)
                c->SetHeight(values[3]);
        }
        c->SetVisible(ini.ReadBool(visSection, name, c->Visible()));
    }
}

#include "wizard/TComponentOwner.h"

#include "app/CGlobalVar.h"
#include "app/CaptionLayout.h"

namespace {

// Unlocks also when the pass raises.
template <class F> void WithLockedIni(F f) {
    IniFile& ini = GlobalVar.Ini->Lock();
    try {
        f(ini);
    } catch (...) {
        GlobalVar.Ini->Unlock();
        throw;
    }
    GlobalVar.Ini->Unlock();
}

} // namespace

TComponentOwner::TComponentOwner(platform::EventLoop& loop, const std::string& name,
                                 QWidget* parent, Qt::WindowFlags flags)
    : QWidget(parent, flags), MessageTarget(loop), self_(name, this, ComponentKind::Other, true) {
    setObjectName(QString::fromStdString(name));
}

TComponentOwner::~TComponentOwner() = default;

void TComponentOwner::WndProc(platform::Message&) {}

void TComponentOwner::ApplyIniCaptions(const std::string& section) {
    WithLockedIni([&](IniFile& ini) { ApplyCaptions(self_, section, ini); });
}

void TComponentOwner::ApplyIniLayout(const std::string& prefix) {
    WithLockedIni([&](IniFile& ini) { ApplyLayout(self_, prefix, ini); });
}

#include "wizard/TApplication.h"

#include "platform/Dialogs.h"

TApplication* Application = nullptr;

TApplication::TApplication(platform::EventLoop& loop, platform::Dialogs& dialogs)
    : loop_(loop), dialogs_(dialogs) {
    Application = this;
}

TApplication::~TApplication() {
    if (Application == this)
        Application = nullptr;
}

void TApplication::ShowException(const std::string& text) const {
    dialogs_.ShowError(text);
}

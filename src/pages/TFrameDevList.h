#pragma once

#include "wizard/TFrameBase.h"

// A wizard page; its controls come with its own module.
class TFrameDevList : public TFrameBase {
    Q_OBJECT
public:
    TFrameDevList(platform::EventLoop& loop, const std::string& name, QWidget* parent = nullptr);
};

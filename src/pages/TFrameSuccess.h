#pragma once

#include "wizard/TFrameBase.h"

// A wizard page; its controls come with its own module.
class TFrameSuccess : public TFrameBase {
    Q_OBJECT
public:
    TFrameSuccess(platform::EventLoop& loop, const std::string& name, QWidget* parent = nullptr);
};

#pragma once

#include "common/alert.h"

#include <QStringList>

// Collects the messages the station would show, instead of showing them, for as
// long as it lives.
class AlertRecorder {
public:
    AlertRecorder()
    {
        previous_ = commonModule::Set_Alert_Presenter([this](const QString& m) { messages << m; });
    }
    ~AlertRecorder() { commonModule::Set_Alert_Presenter(previous_); }
    AlertRecorder(const AlertRecorder&) = delete;
    AlertRecorder& operator=(const AlertRecorder&) = delete;

    QStringList messages;

private:
    commonModule::Alert_Presenter previous_;
};

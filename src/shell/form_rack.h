#pragma once

#include "platform/ui/form.h"

#include <cstdint>

// The rack screen. For now it is the full-screen work surface that owns the header
// bar and the station form; the rack itself (positions, navigation, custody,
// priority filters, saving and exit) is not on it yet.
class Form_Rack : public ui::Form {
    Q_OBJECT
public:
    Form_Rack();

    // Size of one position cell, in twips; the station form may set it before the
    // screen loads.
    std::int16_t Cell_Width = 0;
    std::int16_t Cell_Height = 0;

protected:
    void Form_Load() override;
    void Form_Unload() override;
};

#pragma once

#include "platform/ui/controls.h"
#include "platform/ui/form.h"

#include <cstdint>

// The bar across the top of the screen while a technician works: station caption,
// the technician's name, a one-line status text, the padlock that locks the
// station (announced through shell::LockRequest) and the button that opens the
// station's work instruction.
class Form_Header : public ui::Form {
    Q_OBJECT
public:
    Form_Header();

    ui::Shape* shp_mainPanel;
    ui::Image* img_Login;
    ui::Label* lbl_Station;
    ui::Label* lbl_UserDesc;
    ui::Image* img_iso;
    ui::Label* lbl_Status;

    // Widens the panel to iWidth twips and keeps the work-instruction button and
    // the status line at its right end.
    void Resize_Panel(std::int16_t iWidth);
    void img_Login_Click();
    void showUser();
    void showStation();

    void img_iso_Click();
    void lbl_UserDesc_Click() { img_Login_Click(); }

protected:
    void Form_Load() override;
};

#pragma once

#include <QString>
#include <QVariant>
#include <cstdint>
#include <functional>

namespace ui {
class Form;
}

// What the rack-station frame (login, header bar, rack screen) asks of the
// station's own work form. The particle-count bench implements it; the frame
// reaches it only through stationForm(), so the frame does not depend on it.
class StationForm {
public:
    virtual ~StationForm() = default;

    // The work form's window.
    virtual ui::Form& window() = 0;

    virtual void Nav_Start() = 0;
    virtual void Nav_End() = 0;
    virtual void Hibernate() = 0;
    virtual void reActivate() = 0;
    virtual void After_Login() = 0;
    virtual bool Process_Sample(std::int16_t Index, const QString& sampleId, const QString& sStatus) = 0;
    virtual void Init() = 0;
    virtual bool Rack_Refresh(bool bIsStartUp) = 0;
    virtual void Rack_OnClick() = 0;
    virtual QVariant AllSaved() = 0;
    virtual void On_AfterSave() = 0;
    virtual void User_Logout() = 0;
    virtual void User_Login() = 0;
    virtual void Quick_Hide() = 0;
    virtual void Quick_Show(const QVariant& Index) = 0;
    virtual std::int16_t Save_Results() = 0;

    // The program ends (its screen may be gone): work of the station's that still
    // runs is stopped, with no question and no message box.
    virtual void Stop_At_The_End() = 0;
};

namespace shell {

// Finds the station form: with create, the one program-wide instance, made on first
// use; without, only one that exists already (nullptr otherwise).
using StationFormFinder = std::function<StationForm*(bool create)>;
void setStationFormFinder(StationFormFinder finder);

// The station form (nullptr when none is registered, or when !create and it does
// not exist yet).
StationForm* stationForm(bool create = true);

// Registers the default instance of a form class as the station form.
template <class F>
void registerStationForm();

}  // namespace shell

#include "platform/ui/form.h"

template <class F>
void shell::registerStationForm()
{
    setStationFormFinder([](bool create) -> StationForm* {
        if (!create && !ui::Default_Instance<F>::exists()) return nullptr;
        return &ui::Default_Instance<F>::get();
    });
}

#pragma once

#include <functional>
#include <memory>
#include <string>

#include "app/frame/FrameLogic.h"

namespace quendar::testing {

// Frame services a test sets one by one: an unset one is missing, so its
// commands stay disabled and the frame skips it, as without a window.
struct StubFrameServices final : app::FrameServices {
    struct Functions {
        std::function<bool()> readPreferences;
        std::function<void()> writePreferences;
        std::function<void()> resetMission;
        std::function<bool(bool ask)> newMission;
        std::function<bool()> openMission;
        std::function<bool(const std::string&)> openMissionPath;
        std::function<bool()> saveMission;
        std::function<bool()> saveMissionAs;
        std::function<std::string()> windowTitle;
        std::function<bool()> offerRecovery;
        std::function<std::unique_ptr<core::FormModel>()> coordinatesForm;
        std::function<std::unique_ptr<core::FormModel>()> mapPropertiesForm;
        std::function<std::unique_ptr<core::FormModel>()> axisForm;
    } fn;

    bool provides(app::Service s) const override {
        using S = app::Service;
        switch (s) {
            case S::ReadPreferences: return bool(fn.readPreferences);
            case S::WritePreferences: return bool(fn.writePreferences);
            case S::ResetMission: return bool(fn.resetMission);
            case S::NewMission: return bool(fn.newMission);
            case S::OpenMission: return bool(fn.openMission);
            case S::OpenMissionPath: return bool(fn.openMissionPath);
            case S::SaveMission: return bool(fn.saveMission);
            case S::SaveMissionAs: return bool(fn.saveMissionAs);
            case S::WindowTitle: return bool(fn.windowTitle);
            case S::OfferRecovery: return bool(fn.offerRecovery);
            case S::CoordinatesForm: return bool(fn.coordinatesForm);
            case S::MapPropertiesForm: return bool(fn.mapPropertiesForm);
            case S::AxisForm: return bool(fn.axisForm);
        }
        return false;
    }
    bool readPreferences() override { return fn.readPreferences(); }
    void writePreferences() override { fn.writePreferences(); }
    void resetMission() override { fn.resetMission(); }
    bool newMission(bool ask) override { return fn.newMission(ask); }
    bool openMission() override { return fn.openMission(); }
    bool openMissionPath(const std::string& p) override { return fn.openMissionPath(p); }
    bool saveMission() override { return fn.saveMission(); }
    bool saveMissionAs() override { return fn.saveMissionAs(); }
    std::string windowTitle() override { return fn.windowTitle(); }
    bool offerRecovery() override { return fn.offerRecovery(); }
    std::unique_ptr<core::FormModel> coordinatesForm() override { return fn.coordinatesForm(); }
    std::unique_ptr<core::FormModel> mapPropertiesForm() override { return fn.mapPropertiesForm(); }
    std::unique_ptr<core::FormModel> axisForm() override { return fn.axisForm(); }
};

}  // namespace quendar::testing

#pragma once

#include <string_view>

#include "engine/user_interface.h"

namespace klarwell::bench {

// Shows nothing and answers Yes to every question, OK to every other box, as a user agreeing to
// the whole run would.
class SilentInterface : public engine::UserInterface {
public:
    engine::Answer ShowMessage(std::string_view, std::string_view, engine::Buttons buttons,
                               engine::Icon) override {
        const bool question =
            buttons == engine::Buttons::YesNo || buttons == engine::Buttons::YesNoCancel;
        return question ? engine::Answer::Yes : engine::Answer::Ok;
    }
    void SetStatusText(std::string_view) override {}
    void SetProgress(int) override {}
    void SelectListEntry(int) override {}
    void RereadList() override {}
    void ShowProgress(bool) override {}
    void ProcessPendingEvents() override {}
};

}  // namespace klarwell::bench

#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/user_interface.h"

namespace klarwell::testing {

// The line a box leaves in ScriptedUserInterface::Events(): "box <title> [<buttons>] <text>", and
// " (i)" after it for the information icon.
[[nodiscard]] std::string BoxEvent(std::string_view title, engine::Buttons buttons,
                                   std::string_view text);

// Answers the boxes from a queue and records every call as one line: BoxEvent(), "status <text>",
// "progress <n>", "select <n>", "reread", "show", "hide", "yield". A box with no answer left, or an
// answer left over, fails the test; such a box is answered Cancel if it has it, else No, else OK.
class ScriptedUserInterface : public engine::UserInterface {
public:
    explicit ScriptedUserInterface(std::vector<engine::Answer> answers = {})
        : m_Answers(std::move(answers)) {}
    ~ScriptedUserInterface() override;
    ScriptedUserInterface(const ScriptedUserInterface&) = delete;
    ScriptedUserInterface& operator=(const ScriptedUserInterface&) = delete;

    engine::Answer ShowMessage(std::string_view text, std::string_view title,
                               engine::Buttons buttons, engine::Icon icon) override;
    void SetStatusText(std::string_view text) override { Record("status " + std::string(text)); }
    void SetProgress(int value) override { Record("progress " + std::to_string(value)); }
    void SelectListEntry(int index) override { Record("select " + std::to_string(index)); }
    void RereadList() override { Record("reread"); }
    void ShowProgress(bool shown) override { Record(shown ? "show" : "hide"); }
    void ProcessPendingEvents() override { Record("yield"); }

    [[nodiscard]] const std::vector<std::string>& Events() const { return m_Events; }

private:
    void Record(std::string event) { m_Events.push_back(std::move(event)); }

    std::vector<engine::Answer> m_Answers;
    std::size_t m_NextAnswer = 0;
    std::vector<std::string> m_Events;
};

}  // namespace klarwell::testing

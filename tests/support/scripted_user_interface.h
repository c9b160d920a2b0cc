#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "engine/user_interface.h"

namespace klarwell::testing {

struct RecordedBox {
    std::string Text;
    std::string Title;
    engine::Buttons Buttons = engine::Buttons::Ok;
    engine::Icon Icon = engine::Icon::None;
    engine::Answer Answer = engine::Answer::Ok;
};

// Answers the boxes from a queue, in order, and records everything the engine shows. A box with
// no answer left fails the test and is answered Cancel.
class ScriptedUserInterface : public engine::UserInterface {
public:
    explicit ScriptedUserInterface(std::vector<engine::Answer> answers = {});

    engine::Answer ShowMessage(std::string_view text, std::string_view title,
                               engine::Buttons buttons, engine::Icon icon) override;
    void SetStatusText(std::string_view text) override;
    void SetProgress(int value) override;
    void SelectListEntry(int index) override;
    void RereadList() override;
    void ShowProgress(bool shown) override;
    void ProcessPendingEvents() override;

    [[nodiscard]] const std::vector<RecordedBox>& Boxes() const { return m_Boxes; }
    [[nodiscard]] const std::vector<std::string>& StatusTexts() const { return m_StatusTexts; }
    [[nodiscard]] const std::vector<int>& ProgressValues() const { return m_ProgressValues; }
    [[nodiscard]] const std::vector<int>& Selections() const { return m_Selections; }
    // Every call in order, one short line each: "box <title>", "status <text>", "progress <n>",
    // "select <n>", "reread", "show" / "hide", "yield".
    [[nodiscard]] const std::vector<std::string>& Events() const { return m_Events; }
    [[nodiscard]] bool AllAnswersUsed() const { return m_NextAnswer == m_Answers.size(); }

private:
    std::vector<engine::Answer> m_Answers;
    std::size_t m_NextAnswer = 0;
    std::vector<RecordedBox> m_Boxes;
    std::vector<std::string> m_StatusTexts;
    std::vector<int> m_ProgressValues;
    std::vector<int> m_Selections;
    std::vector<std::string> m_Events;
};

}  // namespace klarwell::testing

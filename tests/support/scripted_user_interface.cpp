#include "tests/support/scripted_user_interface.h"

#include <utility>

#include <gtest/gtest.h>

namespace klarwell::testing {

using engine::Answer;
using engine::Buttons;

ScriptedUserInterface::ScriptedUserInterface(std::vector<Answer> answers)
    : m_Answers(std::move(answers)) {}

Answer ScriptedUserInterface::ShowMessage(std::string_view text, std::string_view title,
                                          Buttons buttons, engine::Icon icon) {
    RecordedBox box{std::string(text), std::string(title), buttons, icon, Answer::Cancel};
    if (m_NextAnswer < m_Answers.size()) {
        box.Answer = m_Answers[m_NextAnswer++];
    } else {
        ADD_FAILURE() << "unexpected message box \"" << title << "\": " << text;
    }
    m_Events.push_back("box " + box.Title);
    m_Boxes.push_back(box);
    return box.Answer;
}

void ScriptedUserInterface::SetStatusText(std::string_view text) {
    m_StatusTexts.emplace_back(text);
    m_Events.push_back("status " + std::string(text));
}

void ScriptedUserInterface::SetProgress(int value) {
    m_ProgressValues.push_back(value);
    m_Events.push_back("progress " + std::to_string(value));
}

void ScriptedUserInterface::SelectListEntry(int index) {
    m_Selections.push_back(index);
    m_Events.push_back("select " + std::to_string(index));
}

void ScriptedUserInterface::RereadList() {
    m_Events.emplace_back("reread");
}

void ScriptedUserInterface::ShowProgress(bool shown) {
    m_Events.emplace_back(shown ? "show" : "hide");
}

void ScriptedUserInterface::ProcessPendingEvents() {
    m_Events.emplace_back("yield");
}

}  // namespace klarwell::testing

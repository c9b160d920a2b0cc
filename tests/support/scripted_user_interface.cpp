#include "tests/support/scripted_user_interface.h"

#include <gtest/gtest.h>

namespace klarwell::testing {

using engine::Answer;
using engine::Buttons;

std::string BoxEvent(std::string_view title, Buttons buttons, std::string_view text) {
    constexpr std::string_view kNames[] = {"OK", "OK Cancel", "Yes No", "Yes No Cancel"};
    return "box " + std::string(title) + " [" + std::string(kNames[static_cast<int>(buttons)]) +
           "] " + std::string(text);
}

ScriptedUserInterface::~ScriptedUserInterface() {
    EXPECT_EQ(m_NextAnswer, m_Answers.size()) << "scripted answers left unused";
}

Answer ScriptedUserInterface::ShowMessage(std::string_view text, std::string_view title,
                                          Buttons buttons, engine::Icon icon) {
    Record(BoxEvent(title, buttons, text) + (icon == engine::Icon::Information ? " (i)" : ""));
    if (m_NextAnswer < m_Answers.size()) {
        return m_Answers[m_NextAnswer++];
    }
    ADD_FAILURE() << "unexpected message box: " << m_Events.back();
    if (buttons == Buttons::OkCancel || buttons == Buttons::YesNoCancel) {
        return Answer::Cancel;
    }
    return buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
}

}  // namespace klarwell::testing

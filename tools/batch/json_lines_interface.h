#pragma once

#include <cstddef>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/user_interface.h"

namespace klarwell::batch {

inline constexpr int kExitBadArguments = 2;
inline constexpr int kExitUnansweredBox = 3;

// The buttons a script can press; Close is the box's close button.
enum class ScriptedAnswer { Yes, No, Ok, Cancel, Close };

[[nodiscard]] std::optional<ScriptedAnswer> ParseAnswer(std::string_view word);

// "Yes,No,OK": the answers in order; nothing for an empty text; an unknown word is an error.
struct AnswerList {
    std::vector<ScriptedAnswer> Answers;
    std::string Error;
};
[[nodiscard]] AnswerList ParseAnswers(std::string_view text);

// What the box returns for the pressed button: Close is Cancel where the box has one, OK on an
// OK-only box, else No. Nothing when the button is not one of the box.
[[nodiscard]] std::optional<engine::Answer> Press(ScriptedAnswer answer, engine::Buttons buttons);

// Prints every event as one JSON line and answers the boxes from the script. A box it cannot
// answer is printed with a null answer and ends the process: 3 when the script has run out, 2 when
// the scripted button is not one of the box.
class JsonLinesInterface : public engine::UserInterface {
public:
    JsonLinesInterface(std::vector<ScriptedAnswer> answers, std::FILE* out);

    engine::Answer ShowMessage(std::string_view text, std::string_view title,
                               engine::Buttons buttons, engine::Icon icon) override;
    void SetStatusText(std::string_view text) override;
    void SetProgress(int value) override;
    void SelectListEntry(int index) override;
    void RereadList() override;
    void ShowProgress(bool shown) override;
    void ProcessPendingEvents() override;

    void PrintLine(std::string_view line);

private:
    [[noreturn]] void EndUnanswered(std::string_view boxLine, int status, std::string_view reason);

    std::vector<ScriptedAnswer> m_Answers;
    std::size_t m_NextAnswer = 0;
    std::FILE* m_Out;
};

}  // namespace klarwell::batch

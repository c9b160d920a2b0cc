#include "tools/batch/json_lines_interface.h"

#include <cstdlib>
#include <utility>

#include "engine/application_identity.h"
#include "tools/batch/json_text.h"

namespace klarwell::batch {

namespace {

using engine::Answer;
using engine::Buttons;

std::string_view ButtonsName(Buttons buttons) {
    switch (buttons) {
        case Buttons::Ok:
            return "OK";
        case Buttons::OkCancel:
            return "OKCancel";
        case Buttons::YesNo:
            return "YesNo";
        case Buttons::YesNoCancel:
            return "YesNoCancel";
    }
    return "OK";
}

std::string_view AnswerName(Answer answer) {
    switch (answer) {
        case Answer::Ok:
            return "OK";
        case Answer::Cancel:
            return "Cancel";
        case Answer::Yes:
            return "Yes";
        case Answer::No:
            return "No";
    }
    return "OK";
}

bool HasButton(Buttons buttons, Answer answer) {
    switch (answer) {
        case Answer::Ok:
            return buttons == Buttons::Ok || buttons == Buttons::OkCancel;
        case Answer::Cancel:
            return buttons == Buttons::OkCancel || buttons == Buttons::YesNoCancel;
        case Answer::Yes:
        case Answer::No:
            return buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel;
    }
    return false;
}

// The line of a box without its answer and closing braces.
std::string BoxLineStart(std::string_view text, std::string_view title, Buttons buttons,
                         engine::Icon icon) {
    std::string line = "{\"box\":{\"title\":";
    AppendJsonString(line, title.empty() ? engine::kApplicationTitle : title);
    line += ",\"text\":";
    AppendJsonString(line, text);
    line += ",\"buttons\":\"";
    line += ButtonsName(buttons);
    line += "\",\"icon\":\"";
    line += icon == engine::Icon::Information ? "information" : "none";
    line += "\",\"answer\":";
    return line;
}

}  // namespace

std::optional<ScriptedAnswer> ParseAnswer(std::string_view word) {
    if (word == "Yes") {
        return ScriptedAnswer::Yes;
    }
    if (word == "No") {
        return ScriptedAnswer::No;
    }
    if (word == "OK") {
        return ScriptedAnswer::Ok;
    }
    if (word == "Cancel") {
        return ScriptedAnswer::Cancel;
    }
    if (word == "Close") {
        return ScriptedAnswer::Close;
    }
    return std::nullopt;
}

AnswerList ParseAnswers(std::string_view text) {
    AnswerList list;
    while (!text.empty()) {
        const std::size_t comma = text.find(',');
        const std::string_view word = text.substr(0, comma);
        const std::optional<ScriptedAnswer> answer = ParseAnswer(word);
        if (!answer) {
            list.Error =
                "--answers: " + JsonString(word) + " is not one of Yes, No, OK, Cancel, Close";
            return list;
        }
        list.Answers.push_back(*answer);
        if (comma == std::string_view::npos) {
            break;
        }
        text.remove_prefix(comma + 1);
        if (text.empty()) {
            list.Error = "--answers: ends with a comma";
            return list;
        }
    }
    return list;
}

std::optional<Answer> Press(ScriptedAnswer answer, Buttons buttons) {
    Answer pressed = Answer::Ok;
    switch (answer) {
        case ScriptedAnswer::Yes:
            pressed = Answer::Yes;
            break;
        case ScriptedAnswer::No:
            pressed = Answer::No;
            break;
        case ScriptedAnswer::Ok:
            pressed = Answer::Ok;
            break;
        case ScriptedAnswer::Cancel:
            pressed = Answer::Cancel;
            break;
        case ScriptedAnswer::Close:
            if (HasButton(buttons, Answer::Cancel)) {
                return Answer::Cancel;
            }
            return buttons == Buttons::Ok ? Answer::Ok : Answer::No;
    }
    if (!HasButton(buttons, pressed)) {
        return std::nullopt;
    }
    return pressed;
}

JsonLinesInterface::JsonLinesInterface(std::vector<ScriptedAnswer> answers, std::FILE* out)
    : m_Answers(std::move(answers)), m_Out(out) {}

Answer JsonLinesInterface::ShowMessage(std::string_view text, std::string_view title,
                                       Buttons buttons, engine::Icon icon) {
    std::string line = BoxLineStart(text, title, buttons, icon);
    if (m_NextAnswer >= m_Answers.size()) {
        EndUnanswered(line, kExitUnansweredBox, "no answer left for this box");
    }
    const std::optional<Answer> answer = Press(m_Answers[m_NextAnswer], buttons);
    if (!answer) {
        EndUnanswered(line, kExitBadArguments,
                      "--answers: answer " + std::to_string(m_NextAnswer + 1) +
                          " is not a button of this box (" + std::string(ButtonsName(buttons)) +
                          ")");
    }
    ++m_NextAnswer;
    line += '"';
    line += AnswerName(*answer);
    line += "\"}}";
    PrintLine(line);
    return *answer;
}

void JsonLinesInterface::SetStatusText(std::string_view text) {
    PrintLine("{\"status\":" + JsonString(text) + "}");
}

void JsonLinesInterface::SetProgress(int value) {
    PrintLine("{\"progress\":" + std::to_string(value) + "}");
}

void JsonLinesInterface::SelectListEntry(int index) {
    PrintLine("{\"select\":" + std::to_string(index) + "}");
}

void JsonLinesInterface::RereadList() {
    PrintLine("{\"reread\":true}");
}

void JsonLinesInterface::ShowProgress(bool /*shown*/) {}

void JsonLinesInterface::ProcessPendingEvents() {
    PrintLine("{\"yield\":true}");
}

void JsonLinesInterface::PrintLine(std::string_view line) {
    std::fwrite(line.data(), 1, line.size(), m_Out);
    std::fputc('\n', m_Out);
}

void JsonLinesInterface::EndUnanswered(std::string_view boxLine, int status,
                                       std::string_view reason) {
    PrintLine(std::string(boxLine) + "null}}");
    std::fflush(m_Out);
    std::fprintf(stderr, "klarwell-batch: %.*s\n", static_cast<int>(reason.size()), reason.data());
    // A modal box cannot be left unanswered and the engine has no way to abandon one, so the
    // process ends here; what was renamed so far stays renamed and logged.
    std::exit(status);
}

}  // namespace klarwell::batch

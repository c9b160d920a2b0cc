#include "tests/window/window_fixture.h"

#include <QPushButton>
#include <gtest/gtest.h>

namespace klarwell::testing {

QMessageBox::StandardButton ScriptedDialogs::RunMessageBox(QMessageBox& box) {
    Boxes.push_back({box.text(), box.windowTitle(), box.standardButtons(),
                     box.standardButton(box.defaultButton()), box.icon(), box.textFormat()});
    if (WhileBoxOpen) {
        WhileBoxOpen();
    }
    if (Answers.empty()) {
        ADD_FAILURE() << "unexpected box: " << box.text().toStdString();
        return QMessageBox::NoButton;
    }
    const QMessageBox::StandardButton answer = Answers.front();
    Answers.pop_front();
    return answer;
}

std::filesystem::path ScriptedDialogs::ChooseFolder(QWidget*, std::string_view title) {
    ChooserTitles.emplace_back(title);
    if (Folders.empty()) {
        ADD_FAILURE() << "unexpected folder chooser";
        return {};
    }
    std::filesystem::path folder = Folders.front();
    Folders.pop_front();
    return folder;
}

WindowUnderTest::WindowUnderTest() {
    Form.show();
}

void WindowUnderTest::ChooseMusic() {
    Dialogs.Folders = {Music.Path()};
    Form.cmdBrowse_Click();
}

}  // namespace klarwell::testing

#include "tests/window/window_fixture.h"

#include <QAbstractButton>
#include <QPushButton>
#include <gtest/gtest.h>

namespace klarwell::testing {

QMessageBox::StandardButton ScriptedDialogs::RunMessageBox(QMessageBox& box) {
    Boxes.push_back({box.text(), box.windowTitle(), box.standardButtons(),
                     box.standardButton(box.defaultButton()), box.icon(), box.textFormat()});
    QAbstractButton* press = nullptr;
    if (Answers.empty()) {
        ADD_FAILURE() << "unexpected box: " << box.text().toStdString();
    } else {
        press = box.button(Answers.front());
        EXPECT_TRUE(press != nullptr || Answers.front() == QMessageBox::NoButton);
        Answers.pop_front();
    }
    QMetaObject::invokeMethod(
        &box,
        [this, &box, press] {
            if (WhileBoxOpen) {
                WhileBoxOpen();
            }
            press != nullptr ? press->click() : void(box.close());
        },
        Qt::QueuedConnection);
    return QtDialogs::RunMessageBox(box);
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

void WindowUnderTest::ChooseMusic(const std::vector<std::string>& files) {
    for (const std::string& name : files) {
        Music.CreateFile(name, name);
    }
    Dialogs.Folders = {Music.Path()};
    Form.cmdBrowse_Click();
}

std::vector<std::string> Songs(int count) {
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) {
        names.push_back("s" + std::to_string(i) + ".mp3");
    }
    return names;
}

}  // namespace klarwell::testing

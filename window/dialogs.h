#pragma once

#include <filesystem>
#include <string_view>

#include <QMessageBox>

class QWidget;

namespace klarwell::window {

// The one place where the window's modal dialogs are opened, so tests can answer them.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // Runs the box modally; NoButton when it was closed without pressing a button.
    virtual QMessageBox::StandardButton RunMessageBox(QMessageBox& box) = 0;
    // The folder chosen, or an empty path when the chooser was cancelled.
    virtual std::filesystem::path ChooseFolder(QWidget* owner, std::string_view title) = 0;
};

class QtDialogs : public Dialogs {
public:
    QMessageBox::StandardButton RunMessageBox(QMessageBox& box) override;
    std::filesystem::path ChooseFolder(QWidget* owner, std::string_view title) override;
};

}  // namespace klarwell::window

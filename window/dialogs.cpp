#include "window/dialogs.h"

#include <QAbstractButton>

#include "window/mod_browse.h"

namespace klarwell::window {

QMessageBox::StandardButton QtDialogs::RunMessageBox(QMessageBox& box) {
    box.exec();
    QAbstractButton* pressed = box.clickedButton();
    return pressed == nullptr ? QMessageBox::NoButton : box.standardButton(pressed);
}

std::filesystem::path QtDialogs::ChooseFolder(QWidget* owner, std::string_view title) {
    return BrowseFolder(owner, title);
}

}  // namespace klarwell::window

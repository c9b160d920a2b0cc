#include "window/mod_browse.h"

#include <string>

#include <QByteArray>
#include <QFile>
#include <QFileDialog>
#include <QString>

namespace klarwell::window {

std::filesystem::path BrowseFolder(QWidget* owner, std::string_view title) {
    const QString chosen = QFileDialog::getExistingDirectory(
        owner, QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())), QString(),
        QFileDialog::ShowDirsOnly);
    if (chosen.isEmpty()) {
        return {};
    }
    // The dialog speaks QString; the disk wants the bytes the file system uses for that name.
    const QByteArray bytes = QFile::encodeName(chosen);
    return WithoutTrailingSeparator(
        std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

std::filesystem::path WithoutTrailingSeparator(std::filesystem::path folder) {
    std::string text = folder.native();
    while (text.size() > 1 && text.back() == '/') {
        text.pop_back();
    }
    return text;
}

}  // namespace klarwell::window

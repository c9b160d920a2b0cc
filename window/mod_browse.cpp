#include "window/mod_browse.h"

#include <string>
#include <system_error>

#include <QByteArray>
#include <QFile>
#include <QFileDialog>
#include <QString>
#include <QStringList>

#include "engine/name_bytes.h"
#include "window/window_rules.h"

namespace klarwell::window {

std::filesystem::path BrowseFolder(QWidget* owner, std::string_view title) {
    const QString chosen = QFileDialog::getExistingDirectory(
        owner, QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())), QString(),
        QFileDialog::ShowDirsOnly);
    if (chosen.isEmpty()) {
        return {};
    }
    return engine::WithoutTrailingSeparator(ChosenFolderBytes(chosen));
}

std::filesystem::path ChosenFolderBytes(const QString& chosen) {
    const QByteArray direct = QFile::encodeName(chosen);
    if (!chosen.contains(QChar::ReplacementCharacter) || !chosen.startsWith(QLatin1Char('/'))) {
        return std::string(direct.constData(), static_cast<std::size_t>(direct.size()));
    }
    std::filesystem::path folder = "/";
    for (const QString& part : chosen.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        std::string found;
        int matches = 0;
        std::error_code ec;
        for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
             it.increment(ec)) {
            const std::string entry = it->path().filename().native();
            const QByteArray bytes(entry.data(), static_cast<qsizetype>(entry.size()));
            if (QFile::decodeName(bytes) == part) {
                found = entry;
                ++matches;
            }
        }
        if (matches != 1) {
            return {};
        }
        folder /= found;
    }
    return folder;
}

}  // namespace klarwell::window

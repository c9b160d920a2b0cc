#include <filesystem>

#include <QApplication>
#include <QString>

#include "engine/application_identity.h"
#include "engine/cleanup_log.h"
#include "engine/posix_file_system.h"
#include "window/dialogs.h"
#include "window/frm_main.h"

namespace {

// Run from the build folder, Klarwell keeps cleanup.log beside itself. Installed, it lives in a
// system folder such as /usr/bin, no place for data (and as root the log would really land there),
// so an empty program folder sends every line to the user's state folder.
std::filesystem::path ProgramLogFolder() {
#ifdef KLARWELL_LOG_BESIDE_PROGRAM
    return klarwell::engine::ProgramFolder();
#else
    return {};
#endif
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(
        QString::fromUtf8(klarwell::engine::kApplicationTitle.data(),
                          static_cast<qsizetype>(klarwell::engine::kApplicationTitle.size())));
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                            .arg(klarwell::engine::kVersionMajor)
                                            .arg(klarwell::engine::kVersionMinor)
                                            .arg(klarwell::engine::kVersionRevision));
    // Lets the desktop match the window to its menu entry and icon.
    QApplication::setDesktopFileName(QStringLiteral(KLARWELL_APP_ID));

    klarwell::engine::PosixFileSystem fileSystem;
    klarwell::engine::CleanupLog log(ProgramLogFolder(),
                                     klarwell::engine::DefaultFallbackLogFolder());
    klarwell::window::QtDialogs dialogs;
    klarwell::window::frmMain form(dialogs, fileSystem, log);
    form.CenterOnScreen();
    form.show();
    return QApplication::exec();
}

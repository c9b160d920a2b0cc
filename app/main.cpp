#include <QApplication>
#include <QString>

#include "engine/application_identity.h"
#include "engine/cleanup_log.h"
#include "engine/posix_file_system.h"
#include "window/dialogs.h"
#include "window/frm_main.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(
        QString::fromUtf8(klarwell::engine::kApplicationTitle.data(),
                          static_cast<qsizetype>(klarwell::engine::kApplicationTitle.size())));
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                            .arg(klarwell::engine::kVersionMajor)
                                            .arg(klarwell::engine::kVersionMinor)
                                            .arg(klarwell::engine::kVersionRevision));

    klarwell::engine::PosixFileSystem fileSystem;
    klarwell::engine::CleanupLog log(klarwell::engine::ProgramFolder(),
                                     klarwell::engine::DefaultFallbackLogFolder());
    klarwell::window::QtDialogs dialogs;
    klarwell::window::frmMain form(dialogs, fileSystem, log);
    form.CenterOnScreen();
    form.show();
    return QApplication::exec();
}

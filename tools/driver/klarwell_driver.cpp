// A Qt input plugin the install test loads into the installed program (QT_QPA_GENERIC_PLUGINS=
// klarwelldriver:FOLDER). Each time the program waits for input it takes one step of a run as a
// user would: Browse to FOLDER, Clean, Yes (else OK) to every box, then report and close.

#include <cstdio>

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QFileDialog>
#include <QGenericPlugin>
#include <QMessageBox>
#include <QPushButton>

namespace {

void Step(const QString& folder) {
    static int clicks = 0;
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* chooser = qobject_cast<QFileDialog*>(modal)) {
        chooser->setDirectory(folder);
        QMetaObject::invokeMethod(chooser, "accept");
    } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        QAbstractButton* yes = box->button(QMessageBox::Yes);
        (yes != nullptr ? yes : box->button(QMessageBox::Ok))->click();
    }
    for (QWidget* form : QApplication::topLevelWidgets()) {
        if (modal != nullptr || clicks > 2 || form->objectName() != QLatin1String("frmMain")) {
            continue;
        }
        // Counted before the click, as the click runs the modal loops of the next steps.
        if (const int step = clicks++; step < 2) {
            form->findChild<QPushButton*>(QLatin1String(step == 0 ? "cmdBrowse" : "cmdRemove"))
                ->click();
        } else {
            std::printf("window: %s visible %d\n", qUtf8Printable(form->windowTitle()),
                        form->isVisible() ? 1 : 0);
            std::fflush(stdout);
            form->close();
        }
    }
}

}  // namespace

class KlarwellDriverPlugin : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "klarwell_driver.json")

public:
    QObject* create(const QString& /*key*/, const QString& folder) override {
        auto* driver = new QObject;
        // A step runs from the event queue, not inside the dispatcher's signal, so that the modal
        // loops it opens run as they would for a click.
        connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock,
                driver, [=] {
                    QMetaObject::invokeMethod(
                        driver, [=] { Step(folder); }, Qt::QueuedConnection);
                });
        return driver;
    }
};

#include "klarwell_driver.moc"

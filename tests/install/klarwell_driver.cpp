// A Qt input plugin that the install test loads into the installed program
// (QT_QPA_GENERIC_PLUGINS=klarwelldriver:FOLDER). Each time the program waits for input it takes
// one step of a whole run as a user would: report the window, Browse to FOLDER, Clean, answer Yes
// (else OK) to every box, and close the window when the run is over.

#include <cstdio>
#include <utility>

#include <QAbstractButton>
#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QFileDialog>
#include <QGenericPlugin>
#include <QMessageBox>
#include <QMetaObject>
#include <QPushButton>
#include <QWidget>

namespace {

class Driver : public QObject {
public:
    explicit Driver(QString folder) : m_Folder(std::move(folder)) {
        connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
                &Driver::ScheduleStep);
    }

private:
    // Steps run from the event queue, not inside the dispatcher's signal, so that the modal
    // loops they open run as they would for a click.
    void ScheduleStep() {
        if (!m_StepPending && !m_Done) {
            m_StepPending = true;
            QMetaObject::invokeMethod(this, &Driver::Step, Qt::QueuedConnection);
        }
    }

    void Step() {
        m_StepPending = false;
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* chooser = qobject_cast<QFileDialog*>(modal)) {
            chooser->setDirectory(m_Folder);
            QMetaObject::invokeMethod(chooser, "accept");
            return;
        }
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            std::printf("box: %s\n", qUtf8Printable(box->text()));
            QAbstractButton* yes = box->button(QMessageBox::Yes);
            (yes != nullptr ? yes : box->button(QMessageBox::Ok))->click();
            return;
        }
        QWidget* form = MainWindow();
        if (form == nullptr || modal != nullptr) {
            return;
        }
        if (m_Clicks == 0) {
            std::printf("window: %s visible %d\n", qUtf8Printable(form->windowTitle()),
                        form->isVisible() ? 1 : 0);
        }
        if (m_Clicks < 2) {
            const char* button = m_Clicks == 0 ? "cmdBrowse" : "cmdRemove";
            ++m_Clicks;
            form->findChild<QPushButton*>(QLatin1String(button))->click();
            return;
        }
        m_Done = form->close();
        std::fflush(stdout);
    }

    static QWidget* MainWindow() {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->objectName() == QLatin1String("frmMain")) {
                return widget;
            }
        }
        return nullptr;
    }

    QString m_Folder;
    bool m_StepPending = false;
    bool m_Done = false;
    int m_Clicks = 0;
};

}  // namespace

class KlarwellDriverPlugin : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "klarwell_driver.json")

public:
    QObject* create(const QString& key, const QString& folder) override {
        return key.compare(QLatin1String("klarwelldriver"), Qt::CaseInsensitive) == 0
                   ? new Driver(folder)
                   : nullptr;
    }
};

#include "klarwell_driver.moc"

#include "window/window_interface.h"

#include <system_error>

#include <QCoreApplication>
#include <QLabel>
#include <QMessageBox>

#include "engine/application_identity.h"
#include "progressbar/progress_bar_widget.h"
#include "window/dialogs.h"
#include "window/display_text.h"
#include "window/file_list_box.h"
#include "window/frm_main.h"
#include "window/window_rules.h"

namespace klarwell::window {

engine::Answer WindowInterface::ShowMessage(std::string_view text, std::string_view title,
                                            engine::Buttons buttons, engine::Icon icon) {
    ShowListIndex();
    QMessageBox box(&m_Form);
    // Names may hold "<" and "&": never read them as markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(DisplayText(text));
    box.setWindowTitle(DisplayText(title.empty() ? engine::kApplicationTitle : title));
    box.setIcon(icon == engine::Icon::Information ? QMessageBox::Information : QMessageBox::NoIcon);
    const BoxButtons set = ButtonsFor(buttons);
    box.setStandardButtons(set.Set);
    box.setDefaultButton(set.Default);
    return AnswerFor(m_Dialogs.RunMessageBox(box), buttons);
}

void WindowInterface::SetStatusText(std::string_view text) {
    m_Form.StatusBar1->setText(DisplayText(text));
}

void WindowInterface::SetProgress(int value) {
    m_Form.ProgressBar1->SetValue(value);
}

void WindowInterface::SelectListEntry(int index) {
    // The list is drawn again only when a box opens or the run ends; selecting, and so scrolling,
    // at once for every file would cost more than the rename itself.
    m_ListIndexToShow = index;
}

void WindowInterface::ShowListIndex() {
    if (m_ListIndexToShow >= 0) {
        m_Form.File1->SetListIndex(m_ListIndexToShow);
        m_ListIndexToShow = -1;
    }
}

void WindowInterface::RereadList() {
    m_ListIndexToShow = -1;
    if (const std::error_code error = m_Form.File1->Refresh(); error) {
        m_Form.ReportUnlistableFolder(m_Form.File1->Path(), error);
    }
}

void WindowInterface::ShowProgress(bool shown) {
    m_Form.ProgressBar1->setVisible(shown);
    m_Form.lblProgress->setVisible(shown);
}

void WindowInterface::ProcessPendingEvents() {
    ShowListIndex();
    // Drawing only: a click or key press now could change an option under the run.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace klarwell::window

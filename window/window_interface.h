#pragma once

#include <string_view>

#include "engine/user_interface.h"

namespace klarwell::window {

class Dialogs;
class frmMain;

// The engine's user interface on the window: its message boxes, status line, progress bar and
// file list.
class WindowInterface final : public engine::UserInterface {
public:
    WindowInterface(frmMain& form, Dialogs& dialogs) : m_Form(form), m_Dialogs(dialogs) {}

    engine::Answer ShowMessage(std::string_view text, std::string_view title,
                               engine::Buttons buttons, engine::Icon icon) override;
    void SetStatusText(std::string_view text) override;
    void SetProgress(int value) override;
    void SelectListEntry(int index) override;
    void RereadList() override;
    void ShowProgress(bool shown) override;
    void ProcessPendingEvents() override;

    // Selects the entry the run has reached, before the window can next be drawn.
    void ShowListIndex();

private:
    frmMain& m_Form;
    Dialogs& m_Dialogs;
    int m_ListIndexToShow = -1;
};

}  // namespace klarwell::window

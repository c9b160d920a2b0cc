#pragma once

#include <string_view>

namespace klarwell::engine {

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Icon { None, Information };
// Closing a box that has a Cancel button answers Cancel.
enum class Answer { Ok, Cancel, Yes, No };

// Everything the engine shows the user or asks of the window goes through here.
class UserInterface {
public:
    virtual ~UserInterface() = default;
    // Modal; the first button is the default. An empty title shows the application title.
    virtual Answer ShowMessage(std::string_view text, std::string_view title, Buttons buttons,
                               Icon icon) = 0;
    virtual void SetStatusText(std::string_view text) = 0;
    // Repaints the progress bar before returning.
    virtual void SetProgress(int value) = 0;
    virtual void SelectListEntry(int index) = 0;
    virtual void RereadList() = 0;
    // Shows or hides the progress bar and its heading.
    virtual void ShowProgress(bool shown) = 0;
    // Lets the window system handle what is pending, once.
    virtual void ProcessPendingEvents() = 0;
};

}  // namespace klarwell::engine

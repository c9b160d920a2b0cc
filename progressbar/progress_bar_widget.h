#pragma once

#include <QImage>
#include <QWidget>

#include "progressbar/property_store.h"
#include "progressbar/xp_progress_bar.h"

class QPaintEvent;
class QResizeEvent;

namespace klarwell::progressbar {

// The on-screen host of one XP_ProgressBar: paint and resize events become the component's
// notifications, and every paint that changes the component's picture reaches the screen at once.
class ProgressBarWidget : public QWidget {
    Q_OBJECT

public:
    explicit ProgressBarWidget(QWidget* parent = nullptr);

    // The component, sized to the widget's current geometry.
    XP_ProgressBar& Bar();
    // The load notification: the component reads its stored definition.
    void ReadProperties(const PropertyStore& store);
    [[nodiscard]] int Value() const { return m_Bar.Value(); }
    // Stores the value and repaints before returning; a value that changes no pixel costs neither
    // a paint of the screen nor a copy.
    void SetValue(int value);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void ShowSurface();
    // A hidden widget gets no resize events, but the window places it before showing it.
    // Returns whether the size changed.
    bool SyncSize();

    XP_ProgressBar m_Bar;
    QImage m_Screen;
    bool m_InPaint = false;
    bool m_ScreenCurrent = false;
};

}  // namespace klarwell::progressbar

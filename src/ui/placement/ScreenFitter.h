#pragma once
#include <QMargins>
#include <QObject>
#include <QRect>
#include <QTimer>

namespace veltrasa {

class MainWindow;

// Keeps the main window fitted to its screen: fits it to the frame expected
// before it is shown, and again once the window manager's real frame is
// known (that is, as the window is mapped) if it differs, or the manager
// gave the window a size of its own.
class ScreenFitter final : public QObject {
    Q_OBJECT
public:
    // `place`: that of the window's record among those open (fitWindow).
    explicit ScreenFitter(MainWindow& window, int place = 0);
    // Scales and places the window for a frame of `frame` on `available`.
    void fit(const QRect& available, const QMargins& frame);
    const QMargins& frame() const { return frame_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refit();

    MainWindow& window_;
    QMargins frame_;
    int place_;
    QTimer settled_;
    int sizeAskedAgain_ = 0;
};

// Shows the main window fitted to its screen, at its record's place.
void showFitted(MainWindow& window, int place = 0);

} // namespace veltrasa

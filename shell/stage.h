#pragma once
// The 800 x 600 scene on which the screens are shown, one over the other. The
// top visible screen is the active one; it is activated when it is shown, and
// again when the screen over it is hidden.

#include <QWidget>
#include <vector>

namespace zm {

class Screen;

class Stage : public QWidget {
    Q_OBJECT
public:
    explicit Stage(QWidget* parent = nullptr);
    void showScreen(Screen* screen);
    void hideScreen(Screen* screen);
    Screen* active() const { return shown_.empty() ? nullptr : shown_.back(); }
    // The game ends: every visit ends and every screen is hidden; no screen
    // is active any more.
    void terminer();
    bool termine() const { return termine_; }

private:
    std::vector<Screen*> shown_;
    bool termine_ = false;
};

} // namespace zm

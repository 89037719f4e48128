#pragma once

#include <QElapsedTimer>
#include <functional>

// Long work of the GUI thread that must not freeze the window: while it lasts the busy cursor
// shows and the window keeps being painted, and the user's input waits until it has ended.
class BusyWork
{
public:
    // Shows the busy cursor.
    BusyWork();
    // Restores the cursor.
    ~BusyWork();
    BusyWork(const BusyWork &) = delete;
    BusyWork &operator=(const BusyWork &) = delete;

    // Runs `work` in a thread of its own and returns when it has ended, serving the window
    // meanwhile. `work` must touch no widget.
    void runAside(const std::function<void()> &work);
    // Serves the window when it was last served more than a moment ago; cheap enough to call
    // for every step of a long loop.
    void breathe();

private:
    QElapsedTimer sinceServed;
};

// The progress bar that reading and writing drive; the GUI supplies one, the CLI none.
#pragma once

namespace pw {

class Gauge {
public:
    virtual ~Gauge() = default;
    // Percent, 0 to 100. Called often during a read or write; implementations repaint here.
    virtual void SetProgress(int percent) = 0;
};

} // namespace pw

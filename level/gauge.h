// The progress bar that reading and writing drive; the GUI supplies one, the CLI none.
#pragma once

namespace pw {

class Gauge {
public:
    virtual ~Gauge() = default;
    // Percent, 0 to 100. Called often during a read or write; implementations repaint here.
    virtual void SetProgress(int percent) = 0;
};

// Drives an optional gauge from counts of work done, calling it only when the percent changes.
class GaugeSteps {
public:
    explicit GaugeSteps(Gauge* gauge) : gauge_(gauge) {}
    void Done(unsigned long long done, unsigned long long total) {
        const int percent = total == 0 ? 100 : static_cast<int>(done * 100 / total);
        if (gauge_ && percent != last_)
            gauge_->SetProgress(percent);
        last_ = percent;
    }

private:
    Gauge* gauge_;
    int last_ = -1;
};

} // namespace pw

// One busy flag shared by the inbox and add-on timers: a tick that arrives while a merge is
// still running (window events are processed inside one, for instance while a sound plays)
// returns at once instead of merging the same files again.
#pragma once

namespace nimbus {

class MergeGate {
public:
    bool busy() const { return busy_; }

    // Holds the gate for one tick; entered() is false when another tick holds it.
    class Hold {
    public:
        explicit Hold(MergeGate &gate) : gate_(gate), entered_(!gate.busy_) { gate_.busy_ = true; }
        ~Hold()
        {
            if (entered_)
                gate_.busy_ = false;
        }
        Hold(const Hold &) = delete;
        Hold &operator=(const Hold &) = delete;
        bool entered() const { return entered_; }

    private:
        MergeGate &gate_;
        bool entered_;
    };

private:
    bool busy_ = false;
};

} // namespace nimbus

#pragma once
// Where the ambience stands, computed from when it started and how long it is:
// the same rules for the real sound device and the one of the tests.

#include <QtGlobal>

namespace zm {

class AmbienceState {
public:
    void started(qint64 now, qint64 lengthMs) {
        state_ = State::Playing;
        startedAt_ = now;
        lengthMs_ = lengthMs;
    }
    // "stop" (an effect cuts the ambience): it will not play on, so it counts
    // as ended. Were it to keep its position short of its length, the start
    // screen would wait for its end for ever, still and silent.
    void stopped() {
        if (state_ == State::Playing)
            state_ = State::Ended;
    }
    // "next": the position moves to the end.
    void skippedToEnd() {
        if (state_ != State::Closed)
            state_ = State::Ended;
    }
    void closed() { state_ = State::Closed; }
    // Whether it still plays: started, not yet at its length, and neither
    // stopped, skipped nor closed since.
    bool playing(qint64 now) const {
        switch (state_) {
        case State::Playing:
            return now - startedAt_ < lengthMs_;
        case State::Closed:
        case State::Ended:
            return false;
        }
        return false;
    }

private:
    enum class State { Closed, Playing, Ended };
    State state_ = State::Closed;
    qint64 startedAt_ = 0;
    qint64 lengthMs_ = 0;
};

} // namespace zm

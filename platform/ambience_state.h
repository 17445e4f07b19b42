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
    // "stop": an ambience cut in the middle keeps its position, short of its length.
    void stopped(qint64 now) {
        if (state_ == State::Playing)
            state_ = playing(now) ? State::Stopped : State::Ended;
    }
    // "next": the position moves to the end.
    void skippedToEnd() {
        if (state_ != State::Closed)
            state_ = State::Ended;
    }
    void closed() { state_ = State::Closed; }
    // Whether the position differs from the length.
    bool playing(qint64 now) const {
        switch (state_) {
        case State::Playing:
            return now - startedAt_ < lengthMs_;
        case State::Stopped:
            return true;
        case State::Closed:
        case State::Ended:
            return false;
        }
        return false;
    }

private:
    enum class State { Closed, Playing, Stopped, Ended };
    State state_ = State::Closed;
    qint64 startedAt_ = 0;
    qint64 lengthMs_ = 0;
};

} // namespace zm

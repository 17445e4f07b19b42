#pragma once
// The monkey: whole games on the fake platform under a seeded random walk of
// clicks, mouse moves, key presses and ways out (the back label, the window
// closed, the characters of the start screen, the help image and its sheet),
// delivered on the virtual clock with random gaps, inside the waits of the
// screens too. After every event the checks hold (see `Run::verifier` in
// monkey.cpp), or the run stops with a failure, which is then shrunk to a
// short sequence of events that still shows it.

#include <QString>
#include <QStringList>
#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <vector>

namespace zm {
class Game;
}

namespace zm::monkey {

struct Event {
    enum class Kind : quint8 {
        Click,           // a control of the active screen, or the point under a held pointer
        ClickBackground, // a point of the screen, whatever lies there
        Move,            // the mouse over a control
        Key,             // to the control with the focus, or the screen
        Play,            // on the roster: types a name and clicks "Jouer"; elsewhere a click
        WayOut,          // the back label of an exercise, a character of the start screen
        Help,            // the help image of an exercise
        Answer,          // the right answer of the active exercise, typed or clicked
        Close,           // the window closed; a fresh game then starts on the same folder
        Points,          // on the start screen: points given to the player
        Progressions,    // on the start screen: every place in the lists set at random
    };
    std::size_t id = 0; // its place in the generated sequence
    Kind kind = Kind::Click;
    int gap = 0;      // virtual ms after the event queued before it
    quint32 pick = 0; // which control, key or value, modulo what there is
    float fx = 0.5f, fy = 0.5f;
    quint8 button = 0; // 0: left, 1: right, 2: middle
    QString text;      // the name typed by Play
    qint64 value = 0;  // Points: how many; Progressions: the seed of the values
};

std::vector<Event> generate(quint64 seed, std::size_t count);

struct Failure {
    std::size_t event = 0; // id of the event after which it was seen
    QString check;         // which check: "score", "affichage", "souris"...
    QString detail;
};

struct Stats {
    std::size_t delivered = 0; // events handed to a game
    std::size_t lost = 0;      // queued for a window that had closed meanwhile
    std::size_t dropped = 0;   // arrived during a wait holding events, then dropped
    std::size_t games = 0;
    int deepestNesting = 0; // events delivered inside events (inside their waits)
    qint64 virtualMs = 0;
    // Answers judged, as their sounds tell (victory, defeat), and the
    // highest score reached.
    std::size_t victories = 0, defeats = 0;
    qint64 highestScore = 0;
    // Events delivered while each screen was the active one.
    std::map<QString, std::size_t> perScreen;
    Stats& operator+=(const Stats& o);
};

struct Options {
    bool trace = false;
    // Runs after every event, before the checks (a fault planted by a test).
    std::function<void(Game&)> afterEvent;
};

struct Outcome {
    std::optional<Failure> failure;
    Stats stats;
    // With Options::trace: what each delivered event did, by event id.
    std::map<std::size_t, QString> trace;
};

// Plays the events on fresh games over one fresh data folder.
Outcome run(quint64 seed, const std::vector<Event>& events, const Options& options = {});

// The shortest sequence found, within the time budget, that still fails the
// same check: delta debugging over the events up to the failure, each
// candidate replayed on a fresh game.
std::vector<Event> shrink(quint64 seed, const std::vector<Event>& events, const Failure& failure,
                          std::chrono::seconds budget, const Options& options = {});

// What a failure prints: the seed, the check, the shortest sequence with what
// each event did, and the command that replays it.
QString report(quint64 seed, std::size_t generated, const Failure& failure,
               const std::vector<Event>& shortest, const Options& options = {});

// Seeds, runs, shrinks and reports: what the test and the long run share.
// Prints a line per seed when `verbose`; returns the report of the first
// failure, empty when every seed held.
struct Campaign {
    std::vector<quint64> seeds;
    std::size_t eventsPerSeed = 10000;
    std::chrono::seconds shrinkBudget{60};
    bool verbose = false;
    Stats total;
    double seconds = 0;
};
QString runCampaign(Campaign& campaign);

// Replays only the events of these ids from the sequence of the seed.
std::vector<Event> keep(const std::vector<Event>& events, const std::vector<std::size_t>& ids);

} // namespace zm::monkey

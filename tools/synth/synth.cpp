// zm-synth: turns the text scores of content/sounds/ into the WAV files of the
// game's data folder.
//
// Usage: zm-synth SCORE_DIR OUT_DIR
//
// Every file of SCORE_DIR whose name ends in ".txt" is a score file; other
// files (README.md) are ignored. Each sound found is written to OUT_DIR under
// its own name, overwriting; no other file of OUT_DIR is touched (the folder
// also holds the players' save file). Output: RIFF/WAVE, PCM 16-bit, mono,
// 22050 Hz, 44-byte header. The same scores always give the same bytes: the
// noise generator is seeded from the sound's name and nothing reads the clock.
//
// Score format (one statement per line; a word starting with '#' begins a
// comment that runs to the end of the line):
//
//   sound NAME            starts a sound; NAME is the output file name
//                         (e.g. 1.amb, 17, 3.vic, 36.ats). Everything below
//                         belongs to it until the next "sound".
//   peak DB               peak level after normalising, dBFS (default -2)
//   tempo BPM             beats per minute for note durations (default 120;
//                         with tempo 60 a beat is one second)
//   fade MS               fade-in and fade-out length (default 10, at least 5)
//   length SECONDS        total length; default: until the last event has
//                         rung out (notes' release and echo included)
//   echo DELAY FEEDBACK   feedback echo over the whole sound (seconds, 0..0.9)
//   voice TIMBRE key=value ...
//                         starts a new track (all tracks start at beat 0
//                         unless at=BEATS). Timbres: sine triangle square saw
//                         musicbox marimba bell glock harp flute organ brass
//                         wood. Keys (override the timbre's defaults):
//                         vol attack decay sustain release (seconds/level),
//                         vib (semitones) vibrate (Hz) vibfade (seconds),
//                         lp (low-pass Hz, 0 = off) wah (0..1) transpose
//                         (semitones) at (beats) breath (0..1)
//   notes TOKEN ...       appends to the current track. A token is
//                         PITCH[:DUR], a chord P+P+P[:DUR] or a rest r[:DUR].
//                         PITCH is a note name, octave 4 holding A4 = 440 Hz:
//                         C4 F#3 Bb5. P1>P2 glides from P1 to P2 over the note.
//                         DUR is in beats, decimal or fraction (0.5, 1/3); if
//                         left out the previous duration is kept (start: 1).
//                         "(" ... ")xN" repeats a group N times; "|" is a bar
//                         line and is ignored.
//   noise key=value ...   a filtered noise burst: at dur (seconds), from to
//                         (filter centre sweep, Hz), q, vol, attack release
//                         (seconds), type=band|low|high, trem (Hz, amplitude
//                         wobble).
//
// Each sound is cleared of DC, faded in and out, then scaled to its peak.
// A malformed score stops the program with "file:line: message" and exit
// status 1.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <numbers>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int kRate = 22050;
constexpr double kPi = std::numbers::pi;
constexpr double kMaxSeconds = 60.0;

struct ScoreError {
    std::string where;
    std::string message;
};

// ---------------------------------------------------------------- timbres

struct Partial {
    double ratio;
    double amp;
    double decay; // extra decay time of this partial, seconds; 0 = none
};

enum class Wave { Additive, Triangle, Square, Saw };

struct Voice {
    Wave wave = Wave::Additive;
    std::vector<Partial> partials{{1.0, 1.0, 0.0}};
    double vol = 0.6;
    double attack = 0.01;
    double decay = 0.3;
    double sustain = 0.7;
    double release = 0.1;
    double vib = 0.0;
    double vibrate = 5.0;
    double vibfade = 0.0;
    double lp = 0.0;
    double wah = 0.0;
    double breath = 0.0;
    double transpose = 0.0;
    double at = 0.0;
};

std::optional<Voice> timbre(const std::string& name) {
    Voice v;
    if (name == "sine") {
    } else if (name == "triangle") {
        v.wave = Wave::Triangle;
    } else if (name == "square") {
        v.wave = Wave::Square;
        v.lp = 2200;
        v.vol = 0.35;
    } else if (name == "saw") {
        v.wave = Wave::Saw;
        v.lp = 1800;
        v.vol = 0.35;
    } else if (name == "musicbox") {
        v.partials = {{1, 1, 0}, {2, 0.3, 0.35}, {4, 0.16, 0.15}, {6, 0.05, 0.08}};
        v.attack = 0.002;
        v.decay = 0.55;
        v.sustain = 0;
        v.release = 0.6;
    } else if (name == "marimba") {
        v.partials = {{1, 1, 0}, {4, 0.3, 0.12}, {10, 0.05, 0.04}};
        v.attack = 0.003;
        v.decay = 0.28;
        v.sustain = 0;
        v.release = 0.3;
    } else if (name == "bell") {
        v.partials = {{0.5, 0.22, 1.2}, {1, 1, 0},          {1.19, 0.3, 0.7}, {1.5, 0.22, 0.6},
                      {2, 0.4, 0.5},    {2.74, 0.18, 0.35}, {3.76, 0.1, 0.25}};
        v.attack = 0.002;
        v.decay = 0.7;
        v.sustain = 0;
        v.release = 0.9;
    } else if (name == "glock") {
        v.partials = {{1, 1, 0}, {2.76, 0.3, 0.2}, {5.4, 0.12, 0.1}, {8.93, 0.05, 0.05}};
        v.attack = 0.001;
        v.decay = 0.5;
        v.sustain = 0;
        v.release = 0.7;
    } else if (name == "harp") {
        v.partials = {{1, 1, 0}, {2, 0.5, 0.5}, {3, 0.28, 0.35}, {4, 0.14, 0.25}, {5, 0.07, 0.18}};
        v.attack = 0.002;
        v.decay = 0.6;
        v.sustain = 0;
        v.release = 0.8;
    } else if (name == "flute") {
        v.partials = {{1, 1, 0}, {2, 0.18, 0}, {3, 0.06, 0}};
        v.attack = 0.06;
        v.decay = 0.2;
        v.sustain = 0.85;
        v.release = 0.12;
        v.vib = 0.12;
        v.vibrate = 5.0;
        v.breath = 0.04;
    } else if (name == "organ") {
        v.partials = {{1, 1, 0}, {2, 0.45, 0}, {3, 0.15, 0}, {4, 0.2, 0}};
        v.attack = 0.02;
        v.decay = 0.1;
        v.sustain = 0.9;
        v.release = 0.08;
    } else if (name == "brass") {
        v.wave = Wave::Saw;
        v.lp = 1300;
        v.vol = 0.4;
        v.attack = 0.03;
        v.decay = 0.2;
        v.sustain = 0.8;
        v.release = 0.1;
        v.vib = 0.1;
        v.vibrate = 5.5;
    } else if (name == "wood") {
        v.partials = {{1, 1, 0}, {2.57, 0.45, 0.3}, {4.1, 0.2, 0.15}};
        v.attack = 0.001;
        v.decay = 0.05;
        v.sustain = 0;
        v.release = 0.06;
    } else {
        return std::nullopt;
    }
    return v;
}

// ------------------------------------------------------------ the score

struct Note {
    double start;                                   // beats from the start of the track
    double dur;                                     // beats
    std::vector<std::pair<double, double>> pitches; // start and end frequency
};

struct Track {
    Voice voice;
    std::vector<Note> notes;
    double cursor = 0.0; // beats
    double last_dur = 1.0;
};

struct Noise {
    double at = 0, dur = 0.3, from = 1000, to = 1000, q = 1.0, vol = 0.5;
    double attack = 0.02, release = 0.1, trem = 0.0;
    int type = 0; // 0 band, 1 low, 2 high
};

struct Sound {
    std::string name;
    std::string where;
    double peak = -2.0;
    double tempo = 120.0;
    double fade_ms = 10.0;
    double length = 0.0;
    double echo_delay = 0.0, echo_feedback = 0.0;
    std::vector<Track> tracks;
    std::vector<Noise> noises;
};

double parse_number(const std::string& text, const std::string& where, const std::string& what) {
    std::string s = text;
    auto slash = s.find('/');
    try {
        size_t used = 0;
        if (slash != std::string::npos) {
            double a = std::stod(s.substr(0, slash), &used);
            if (used != slash)
                throw std::invalid_argument(s);
            std::string rest = s.substr(slash + 1);
            double b = std::stod(rest, &used);
            if (used != rest.size() || b == 0)
                throw std::invalid_argument(s);
            return a / b;
        }
        double v = std::stod(s, &used);
        if (used != s.size() || !std::isfinite(v))
            throw std::invalid_argument(s);
        return v;
    } catch (const std::logic_error&) {
        throw ScoreError{where, "bad number \"" + text + "\" for " + what};
    }
}

void check_range(double v, double lo, double hi, const std::string& where,
                 const std::string& what) {
    if (v < lo || v > hi) {
        std::ostringstream m;
        m << what << " must be between " << lo << " and " << hi << ", not " << v;
        throw ScoreError{where, m.str()};
    }
}

// Parses a note name such as C4, F#3 or Bb5 into a frequency.
double parse_pitch(const std::string& s, double transpose, const std::string& where) {
    static const int kSemitone[7] = {9, 11, 0, 2, 4, 5, 7}; // A B C D E F G
    if (s.size() < 2 || s[0] < 'A' || s[0] > 'G')
        throw ScoreError{where, "bad note name \"" + s + "\""};
    int semi = kSemitone[s[0] - 'A'];
    size_t i = 1;
    if (s[i] == '#') {
        ++semi;
        ++i;
    } else if (s[i] == 'b') {
        --semi;
        ++i;
    }
    if (i >= s.size())
        throw ScoreError{where, "note \"" + s + "\" has no octave"};
    std::string oct = s.substr(i);
    if (oct.size() != 1 || oct[0] < '0' || oct[0] > '8')
        throw ScoreError{where, "bad octave in note \"" + s + "\""};
    int midi = 12 * (oct[0] - '0' + 1) + semi;
    double f = 440.0 * std::pow(2.0, (midi - 69 + transpose) / 12.0);
    if (f > kRate * 0.45)
        throw ScoreError{where, "note \"" + s + "\" is too high for the sample rate"};
    return f;
}

void add_note_token(Track& t, const std::string& tok, const std::string& where) {
    std::string body = tok;
    auto colon = tok.find(':');
    if (colon != std::string::npos) {
        body = tok.substr(0, colon);
        t.last_dur = parse_number(tok.substr(colon + 1), where, "note duration");
        if (t.last_dur <= 0 || t.last_dur > 64)
            throw ScoreError{where, "note duration out of range in \"" + tok + "\""};
    }
    Note n{t.cursor, t.last_dur, {}};
    t.cursor += t.last_dur;
    if (body == "r")
        return;
    std::stringstream parts(body);
    std::string p;
    while (std::getline(parts, p, '+')) {
        auto arrow = p.find('>');
        double f0 = parse_pitch(p.substr(0, arrow), t.voice.transpose, where);
        double f1 = arrow == std::string::npos
                        ? f0
                        : parse_pitch(p.substr(arrow + 1), t.voice.transpose, where);
        n.pitches.emplace_back(f0, f1);
    }
    if (n.pitches.empty())
        throw ScoreError{where, "empty note \"" + tok + "\""};
    t.notes.push_back(n);
}

// Expands "(" ... ")xN" groups and drops bar lines.
std::vector<std::string> expand(const std::vector<std::string>& toks, size_t& i, bool nested,
                                const std::string& where) {
    std::vector<std::string> out;
    while (i < toks.size()) {
        const std::string& tok = toks[i++];
        if (tok == "|")
            continue;
        if (tok == "(") {
            std::vector<std::string> group = expand(toks, i, true, where);
            const std::string& close = toks[i - 1];
            int times = 1;
            if (close.size() > 2 && close[1] == 'x') {
                times = static_cast<int>(parse_number(close.substr(2), where, "repeat count"));
                check_range(times, 1, 64, where, "repeat count");
            } else if (close != ")") {
                throw ScoreError{where, "a group must end with \")\" or \")xN\""};
            }
            for (int k = 0; k < times; ++k)
                out.insert(out.end(), group.begin(), group.end());
            continue;
        }
        if (!tok.empty() && tok[0] == ')') {
            if (!nested)
                throw ScoreError{where, "\")\" without \"(\""};
            return out;
        }
        out.push_back(tok);
    }
    if (nested)
        throw ScoreError{where, "\"(\" is never closed on this line"};
    return out;
}

std::map<std::string, std::string> key_values(std::istringstream& in, const std::string& where) {
    std::map<std::string, std::string> kv;
    std::string word;
    while (in >> word) {
        auto eq = word.find('=');
        if (eq == std::string::npos || eq == 0 || eq + 1 == word.size())
            throw ScoreError{where, "expected key=value, found \"" + word + "\""};
        kv[word.substr(0, eq)] = word.substr(eq + 1);
    }
    return kv;
}

void check_name(const std::string& name, const std::string& where) {
    bool ok = !name.empty() && name[0] != '.' && name.size() <= 32;
    for (char c : name)
        ok =
            ok && (std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '_' || c == '-');
    if (!ok)
        throw ScoreError{where, "bad sound name \"" + name + "\" (letters, digits, '.', '_', '-')"};
    if (name.size() >= 4 && name.substr(name.size() - 4) == ".bin")
        throw ScoreError{where, "a sound may not be called \"" + name +
                                    "\": .bin files are the game's data"};
}

void parse_file(const fs::path& path, std::vector<Sound>& sounds) {
    std::ifstream in(path);
    if (!in)
        throw ScoreError{path.string(), "cannot be read"};
    std::string line;
    int number = 0;
    Sound* cur = nullptr;
    while (std::getline(in, line)) {
        ++number;
        const std::string where = path.string() + ":" + std::to_string(number);
        // A comment starts at a '#' that begins a word, so F#4 stays a note.
        for (size_t k = 0; k < line.size(); ++k)
            if (line[k] == '#' &&
                (k == 0 || std::isspace(static_cast<unsigned char>(line[k - 1])))) {
                line.erase(k);
                break;
            }
        std::istringstream words(line);
        std::string cmd;
        if (!(words >> cmd))
            continue;
        if (cmd == "sound") {
            std::string name, extra;
            if (!(words >> name) || (words >> extra))
                throw ScoreError{where, "expected: sound NAME"};
            check_name(name, where);
            sounds.push_back(Sound{});
            cur = &sounds.back();
            cur->name = name;
            cur->where = where;
            continue;
        }
        if (cur == nullptr)
            throw ScoreError{where, "\"" + cmd + "\" before the first \"sound\""};
        auto one_number = [&](const char* what) {
            std::string a, extra;
            if (!(words >> a) || (words >> extra))
                throw ScoreError{where, std::string("expected: ") + cmd + " " + what};
            return parse_number(a, where, cmd);
        };
        if (cmd == "peak") {
            cur->peak = one_number("DB");
            check_range(cur->peak, -20, -0.5, where, "peak");
        } else if (cmd == "tempo") {
            cur->tempo = one_number("BPM");
            check_range(cur->tempo, 20, 600, where, "tempo");
        } else if (cmd == "fade") {
            cur->fade_ms = one_number("MS");
            check_range(cur->fade_ms, 5, 2000, where, "fade");
        } else if (cmd == "length") {
            cur->length = one_number("SECONDS");
            check_range(cur->length, 0.01, kMaxSeconds, where, "length");
        } else if (cmd == "echo") {
            std::string a, b, extra;
            if (!(words >> a >> b) || (words >> extra))
                throw ScoreError{where, "expected: echo DELAY FEEDBACK"};
            cur->echo_delay = parse_number(a, where, "echo delay");
            cur->echo_feedback = parse_number(b, where, "echo feedback");
            check_range(cur->echo_delay, 0.01, 1.0, where, "echo delay");
            check_range(cur->echo_feedback, 0.0, 0.9, where, "echo feedback");
        } else if (cmd == "voice") {
            std::string name;
            if (!(words >> name))
                throw ScoreError{where, "expected: voice TIMBRE key=value ..."};
            auto v = timbre(name);
            if (!v)
                throw ScoreError{where, "unknown timbre \"" + name + "\""};
            const std::map<std::string, std::pair<double*, std::pair<double, double>>> keys = {
                {"vol", {&v->vol, {0, 2}}},          {"attack", {&v->attack, {0, 5}}},
                {"decay", {&v->decay, {0.001, 20}}}, {"sustain", {&v->sustain, {0, 1}}},
                {"release", {&v->release, {0, 5}}},  {"vib", {&v->vib, {0, 12}}},
                {"vibrate", {&v->vibrate, {0, 50}}}, {"vibfade", {&v->vibfade, {0, 10}}},
                {"lp", {&v->lp, {0, 10000}}},        {"wah", {&v->wah, {0, 1}}},
                {"breath", {&v->breath, {0, 1}}},    {"transpose", {&v->transpose, {-36, 36}}},
                {"at", {&v->at, {0, 1000}}}};
            for (const auto& [k, val] : key_values(words, where)) {
                auto it = keys.find(k);
                if (it == keys.end())
                    throw ScoreError{where, "unknown voice key \"" + k + "\""};
                *it->second.first = parse_number(val, where, k);
                check_range(*it->second.first, it->second.second.first, it->second.second.second,
                            where, k);
            }
            cur->tracks.push_back(Track{*v, {}, v->at, 1.0});
        } else if (cmd == "notes") {
            if (cur->tracks.empty())
                throw ScoreError{where, "\"notes\" before any \"voice\""};
            std::vector<std::string> toks;
            for (std::string w; words >> w;)
                toks.push_back(w);
            size_t i = 0;
            for (const auto& tok : expand(toks, i, false, where))
                add_note_token(cur->tracks.back(), tok, where);
        } else if (cmd == "noise") {
            Noise n;
            const std::map<std::string, std::pair<double*, std::pair<double, double>>> keys = {
                {"at", {&n.at, {0, kMaxSeconds}}}, {"dur", {&n.dur, {0.002, kMaxSeconds}}},
                {"from", {&n.from, {20, 10000}}},  {"to", {&n.to, {20, 10000}}},
                {"q", {&n.q, {0.3, 30}}},          {"vol", {&n.vol, {0, 2}}},
                {"attack", {&n.attack, {0, 10}}},  {"release", {&n.release, {0, 10}}},
                {"trem", {&n.trem, {0, 100}}}};
            for (const auto& [k, val] : key_values(words, where)) {
                if (k == "type") {
                    if (val == "band")
                        n.type = 0;
                    else if (val == "low")
                        n.type = 1;
                    else if (val == "high")
                        n.type = 2;
                    else
                        throw ScoreError{where, "noise type must be band, low or high"};
                    continue;
                }
                auto it = keys.find(k);
                if (it == keys.end())
                    throw ScoreError{where, "unknown noise key \"" + k + "\""};
                *it->second.first = parse_number(val, where, k);
                check_range(*it->second.first, it->second.second.first, it->second.second.second,
                            where, k);
            }
            cur->noises.push_back(n);
        } else {
            throw ScoreError{where, "unknown statement \"" + cmd + "\""};
        }
    }
}

// ------------------------------------------------------------- rendering

class Random {
public:
    explicit Random(const std::string& seed) {
        for (unsigned char c : seed)
            state_ = (state_ ^ c) * 16777619u; // FNV-1a
        if (state_ == 0)
            state_ = 1;
    }
    double next() { // uniform in [-1, 1)
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return static_cast<double>(state_) / 2147483648.0 - 1.0;
    }

private:
    std::uint32_t state_ = 2166136261u;
};

// Topology-preserving state-variable filter: stable at every cutoff.
struct Svf {
    double ic1 = 0, ic2 = 0;
    struct Out {
        double low, band, high;
    };
    Out step(double x, double cutoff, double q) {
        cutoff = std::clamp(cutoff, 10.0, kRate * 0.45);
        double g = std::tan(kPi * cutoff / kRate);
        double k = 1.0 / q;
        double a1 = 1.0 / (1.0 + g * (g + k));
        double a2 = g * a1;
        double a3 = g * a2;
        double v3 = x - ic2;
        double v1 = a1 * ic1 + a2 * v3;
        double v2 = ic2 + a2 * ic1 + a3 * v3;
        ic1 = 2 * v1 - ic1;
        ic2 = 2 * v2 - ic2;
        return {v2, v1, x - k * v1 - v2};
    }
};

double poly_blep(double t, double dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

double envelope(const Voice& v, double t, double dur) {
    auto held = [&](double x) {
        if (x < v.attack)
            return x / v.attack;
        return v.sustain + (1.0 - v.sustain) * std::exp(-(x - v.attack) / v.decay);
    };
    if (t < dur)
        return held(t);
    if (v.release <= 0)
        return 0.0;
    double r = 1.0 - (t - dur) / v.release;
    return r <= 0 ? 0.0 : held(dur) * r * r;
}

void render_note(std::vector<double>& out, const Voice& v, double start_s, double dur_s, double f0,
                 double f1, Random& rnd) {
    const double total = dur_s + v.release;
    const auto first = static_cast<size_t>(std::lround(start_s * kRate));
    const auto count = static_cast<size_t>(std::ceil(total * kRate));
    if (out.size() < first + count)
        out.resize(first + count, 0.0);
    double phase = 0.0;
    std::vector<double> partial_phase(v.partials.size(), 0.0);
    Svf filter, breath_filter;
    for (size_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double env = envelope(v, t, dur_s);
        double freq = f0 * std::pow(f1 / f0, std::min(t / dur_s, 1.0));
        if (v.vib > 0) {
            double depth = v.vib * (v.vibfade > 0 ? std::exp(-t / v.vibfade) : 1.0);
            freq *= std::pow(2.0, depth * std::sin(2 * kPi * v.vibrate * t) / 12.0);
        }
        const double dt = freq / kRate;
        double s = 0.0;
        switch (v.wave) {
        case Wave::Additive:
            for (size_t k = 0; k < v.partials.size(); ++k) {
                const Partial& p = v.partials[k];
                partial_phase[k] += dt * p.ratio;
                partial_phase[k] -= std::floor(partial_phase[k]);
                if (freq * p.ratio > kRate * 0.45)
                    continue;
                double a = p.amp * (p.decay > 0 ? std::exp(-t / p.decay) : 1.0);
                s += a * std::sin(2 * kPi * partial_phase[k]);
            }
            break;
        case Wave::Triangle:
            s = 4.0 * std::abs(phase - 0.5) - 1.0;
            break;
        case Wave::Square: {
            s = phase < 0.5 ? 1.0 : -1.0;
            s += poly_blep(phase, dt);
            double p2 = phase + 0.5;
            s -= poly_blep(p2 - std::floor(p2), dt);
            break;
        }
        case Wave::Saw:
            s = 2.0 * phase - 1.0 - poly_blep(phase, dt);
            break;
        }
        phase += dt;
        phase -= std::floor(phase);
        if (v.breath > 0)
            s += v.breath * 6.0 * breath_filter.step(rnd.next(), freq * 2.0, 1.5).band;
        if (v.wah > 0) {
            // The filter opens and closes once over the note: "wah".
            double shape = std::sin(kPi * std::min(t / dur_s, 1.0));
            s = filter.step(s, 350.0 + v.wah * 2200.0 * shape, 2.5).low;
        } else if (v.lp > 0) {
            s = filter.step(s, v.lp * (0.6 + 0.4 * env), 0.7).low;
        }
        out[first + i] += v.vol * env * s;
    }
}

void render_noise(std::vector<double>& out, const Noise& n, Random& rnd) {
    const auto first = static_cast<size_t>(std::lround(n.at * kRate));
    const auto count = static_cast<size_t>(std::ceil(n.dur * kRate));
    if (out.size() < first + count)
        out.resize(first + count, 0.0);
    Svf filter;
    for (size_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / kRate;
        double env = 1.0;
        if (n.attack > 0 && t < n.attack)
            env = std::sin(0.5 * kPi * t / n.attack);
        if (n.release > 0 && t > n.dur - n.release)
            env *= std::max(0.0, (n.dur - t) / n.release);
        if (n.trem > 0)
            env *= 0.55 + 0.45 * std::cos(2 * kPi * n.trem * t);
        double centre = n.from * std::pow(n.to / n.from, t / n.dur);
        auto o = filter.step(rnd.next(), centre, n.q);
        double s = n.type == 0 ? o.band : n.type == 1 ? o.low : o.high;
        out[first + i] += n.vol * env * s;
    }
}

std::vector<std::int16_t> render(const Sound& snd) {
    Random rnd(snd.name);
    std::vector<double> mix;
    const double beat = 60.0 / snd.tempo;
    for (const Track& t : snd.tracks)
        for (const Note& n : t.notes)
            for (auto [f0, f1] : n.pitches)
                render_note(mix, t.voice, n.start * beat, n.dur * beat, f0, f1, rnd);
    for (const Noise& n : snd.noises)
        render_noise(mix, n, rnd);

    if (snd.echo_delay > 0 && snd.echo_feedback > 0) {
        const auto d = static_cast<size_t>(std::lround(snd.echo_delay * kRate));
        // Let the echo ring down to about -40 dB.
        const double repeats = std::log(0.01) / std::log(std::max(snd.echo_feedback, 0.01));
        mix.resize(mix.size() + static_cast<size_t>(repeats * static_cast<double>(d)), 0.0);
        for (size_t i = d; i < mix.size(); ++i)
            mix[i] += snd.echo_feedback * mix[i - d];
    }
    if (snd.length > 0)
        mix.resize(static_cast<size_t>(std::lround(snd.length * kRate)), 0.0);
    if (static_cast<double>(mix.size()) > kMaxSeconds * kRate)
        throw ScoreError{snd.where, "sound \"" + snd.name + "\" is longer than 60 seconds"};

    // Trailing near-silence is trimmed so the length the game reads is the
    // length the child hears.
    double peak = 0.0;
    for (double s : mix)
        peak = std::max(peak, std::abs(s));
    if (peak <= 0.0)
        throw ScoreError{snd.where, "sound \"" + snd.name + "\" is silent"};
    if (snd.length <= 0) {
        size_t end = mix.size();
        while (end > 0 && std::abs(mix[end - 1]) < peak * 1e-3)
            --end;
        mix.resize(std::max<size_t>(end, 1));
    }
    const size_t fade =
        std::min(mix.size() / 2, static_cast<size_t>(std::lround(snd.fade_ms / 1000.0 * kRate)));
    if (fade < 2)
        throw ScoreError{snd.where, "sound \"" + snd.name + "\" is too short"};

    double mean = 0.0;
    for (double s : mix)
        mean += s;
    mean /= static_cast<double>(mix.size());
    for (double& s : mix)
        s -= mean;
    for (size_t i = 0; i < fade; ++i) {
        double g = 0.5 - 0.5 * std::cos(kPi * static_cast<double>(i) / static_cast<double>(fade));
        mix[i] *= g;
        mix[mix.size() - 1 - i] *= g;
    }
    peak = 0.0;
    for (double s : mix)
        peak = std::max(peak, std::abs(s));
    if (peak <= 0.0)
        throw ScoreError{snd.where, "sound \"" + snd.name + "\" is silent"};
    const double gain = std::pow(10.0, snd.peak / 20.0) * 32767.0 / peak;
    std::vector<std::int16_t> pcm(mix.size());
    for (size_t i = 0; i < mix.size(); ++i)
        pcm[i] = static_cast<std::int16_t>(std::clamp(std::lround(mix[i] * gain), -32767L, 32767L));
    return pcm;
}

void put32(std::string& b, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}
void put16(std::string& b, std::uint16_t v) {
    b.push_back(static_cast<char>(v & 0xFF));
    b.push_back(static_cast<char>(v >> 8));
}

bool write_wav(const fs::path& path, const std::vector<std::int16_t>& pcm) {
    const auto data = static_cast<std::uint32_t>(pcm.size() * 2);
    std::string b;
    b.reserve(44 + data);
    b += "RIFF";
    put32(b, 36 + data);
    b += "WAVEfmt ";
    put32(b, 16);
    put16(b, 1); // PCM
    put16(b, 1); // mono
    put32(b, kRate);
    put32(b, kRate * 2);
    put16(b, 2);
    put16(b, 16);
    b += "data";
    put32(b, data);
    for (std::int16_t s : pcm)
        put16(b, static_cast<std::uint16_t>(s));
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(b.data(), static_cast<std::streamsize>(b.size()));
    return static_cast<bool>(out);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: zm-synth SCORE_DIR OUT_DIR\n";
        return 2;
    }
    const fs::path score_dir = argv[1];
    const fs::path out_dir = argv[2];
    try {
        std::vector<fs::path> files;
        std::error_code ec;
        for (const auto& e : fs::directory_iterator(score_dir, ec))
            if (e.is_regular_file() && e.path().extension() == ".txt")
                files.push_back(e.path());
        if (ec)
            throw ScoreError{score_dir.string(), "cannot list the scores: " + ec.message()};
        std::sort(files.begin(), files.end());
        if (files.empty())
            throw ScoreError{score_dir.string(), "holds no score file (*.txt)"};

        std::vector<Sound> sounds;
        for (const auto& f : files) {
            std::vector<Sound> mine;
            parse_file(f, mine);
            for (auto& s : mine)
                sounds.push_back(std::move(s));
        }
        std::map<std::string, std::string> seen;
        for (const Sound& s : sounds) {
            if (auto it = seen.find(s.name); it != seen.end())
                throw ScoreError{s.where,
                                 "sound \"" + s.name + "\" is already defined at " + it->second};
            seen[s.name] = s.where;
            if (s.tracks.empty() && s.noises.empty())
                throw ScoreError{s.where, "sound \"" + s.name + "\" has no voice and no noise"};
        }
        if (!fs::is_directory(out_dir))
            throw ScoreError{out_dir.string(), "is not a folder"};
        // Everything is rendered before anything is written, so a bad score
        // leaves the folder as it was.
        std::vector<std::vector<std::int16_t>> rendered;
        for (const Sound& s : sounds)
            rendered.push_back(render(s));
        for (size_t i = 0; i < sounds.size(); ++i)
            if (!write_wav(out_dir / sounds[i].name, rendered[i]))
                throw ScoreError{(out_dir / sounds[i].name).string(), "cannot be written"};
    } catch (const ScoreError& e) {
        std::cerr << "zm-synth: " << e.where << ": " << e.message << "\n";
        return 1;
    }
    return 0;
}

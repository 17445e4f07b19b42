// The monkey's long run: the walk of the test suite over many more events and
// seeds, or one sequence replayed.
//
//   zm-monkey [--seed S | --seeds FIRST-LAST] [--events N per seed]
//             [--keep ID,ID,...] [--shrink SECONDS]
//
// Without --keep, each seed plays N generated events; the first failure is
// shrunk and reported, and the run stops. With --keep, only those events of
// the seed's sequence are played, and what each did is printed.

#include "monkey/monkey.h"

#include <QApplication>
#include <QFont>
#include <cstdio>
#include <cstring>
#include <string>

using namespace zm::monkey;

namespace {

std::vector<std::size_t> ids(const char* list) {
    std::vector<std::size_t> out;
    for (const QString& s : QString::fromLatin1(list).split(u',', Qt::SkipEmptyParts))
        out.push_back(s.toULongLong());
    return out;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setFont(QFont(QStringLiteral("Andika"), 11));

    Campaign c;
    c.seeds = {1};
    c.eventsPerSeed = 50000;
    c.shrinkBudget = std::chrono::seconds(300);
    c.verbose = true;
    const char* garder = nullptr;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string opt = argv[i];
        const char* v = argv[i + 1];
        if (opt == "--seed") {
            c.seeds = {std::stoull(v)};
        } else if (opt == "--seeds") {
            const std::string s = v;
            const auto dash = s.find('-');
            const quint64 a = std::stoull(s.substr(0, dash));
            const quint64 b = dash == std::string::npos ? a : std::stoull(s.substr(dash + 1));
            c.seeds.clear();
            for (quint64 k = a; k <= b; ++k)
                c.seeds.push_back(k);
        } else if (opt == "--events") {
            c.eventsPerSeed = std::stoull(v);
        } else if (opt == "--keep") {
            garder = v;
        } else if (opt == "--shrink") {
            c.shrinkBudget = std::chrono::seconds(std::stoll(v));
        } else {
            std::fprintf(stderr, "unknown option %s\n", opt.c_str());
            return 2;
        }
    }

    if (garder) {
        const quint64 seed = c.seeds.front();
        const std::vector<Event> events = keep(generate(seed, c.eventsPerSeed), ids(garder));
        Options o;
        o.trace = true;
        const Outcome out = run(seed, events, o);
        for (const Event& e : events) {
            const auto t = out.trace.find(e.id);
            std::printf("#%zu +%d ms: %s\n", e.id, e.gap,
                        t == out.trace.end() ? "jamais délivré : tenu par une attente puis "
                                               "abandonné, ou perdu avec la fenêtre fermée"
                                             : t->second.toUtf8().constData());
        }
        if (out.failure) {
            std::printf("check \"%s\" failed after event #%zu: %s\n",
                        out.failure->check.toUtf8().constData(), out.failure->event,
                        out.failure->detail.toUtf8().constData());
            return 1;
        }
        std::printf("every check held\n");
        return 0;
    }

    const QString failure = runCampaign(c);
    const Stats& t = c.total;
    std::printf("%zu seeds, %zu events generated: %zu delivered, %zu dropped by held waits, %zu "
                "lost to closed windows; %zu games, deepest nesting %d, %.0f s of virtual time, "
                "%.1f s\n",
                c.seeds.size(), t.delivered + t.dropped + t.lost, t.delivered, t.dropped, t.lost,
                t.games, t.deepestNesting, double(t.virtualMs) / 1000.0, c.seconds);
    std::printf("%zu victories and %zu defeats sounded; highest score %lld\n", t.victories,
                t.defeats, static_cast<long long>(t.highestScore));
    for (const auto& [screen, n] : t.perScreen)
        std::printf("  %-16s %zu events\n", screen.toUtf8().constData(), n);
    if (!failure.isEmpty()) {
        std::printf("%s", failure.toUtf8().constData());
        return 1;
    }
    return 0;
}

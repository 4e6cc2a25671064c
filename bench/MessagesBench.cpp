// The Messages section as the panel shows it, rendered offscreen: with the
// thirteen ready-made messages and with a thousand of the user's. Reports
// the time from the switch to the section's frame, how many rows were made
// (the list makes only those in and near sight) and what the list cost in
// resident memory.
#include "tests/Fakes.h"

#include <MacKit/DesktopSearch.h>
#include <PhoneKit/messages/Templates.h>

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QQuickItem>

namespace {

long residentKB() {
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').front().toLong();
    }
    return 0;
}

int rowsMade(const QQuickItem* item) {
    int rows = item->objectName().startsWith("send-") ? 1 : 0;
    for (const QQuickItem* child : item->childItems()) rows += rowsMade(child);
    return rows;
}

// The ready-made messages, then the user's own up to `count`.
std::vector<PhoneKit::MessageTemplate> listOf(std::int64_t count) {
    auto list = PhoneKit::Templates::defaults("en");
    while (list.size() < std::size_t(count)) {
        list.push_back(PhoneKit::Templates::newCustom("Message " + std::to_string(list.size()) +
                                                      "\nA line or two of words, as people write them."));
    }
    return list;
}

void OpenMessages(benchmark::State& state) {
    PanelOnScreen screen;
    const long before = residentKB();
    screen.rig.messages.replaceMessages(listOf(state.range(0)));
    screen.window.show();
    settledImage(screen.window);
    for (auto _ : state) {
        screen.rig.model.setSection(PanelModel::Section::messages);
        settledImage(screen.window);
        state.PauseTiming();
        screen.rig.model.setSection(PanelModel::Section::number);
        settledImage(screen.window);
        state.ResumeTiming();
    }
    screen.rig.model.setSection(PanelModel::Section::messages);
    settledImage(screen.window);
    state.counters["rows made"] = rowsMade(screen.window.contentItem());
    state.counters["list MB"] = double(residentKB() - before) / 1024;
}
BENCHMARK(OpenMessages)->Arg(13)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

// What the desktop's search costs the tray for each letter typed: a query
// with a number and a word, over the thirteen and over a full list.
void SearchQuery(benchmark::State& state) {
    const auto list = listOf(state.range(0));
    const PhoneKit::Region region = *PhoneKit::Region::withID("SA");
    MacKit::DesktopSearch::Titles titles;
    for (auto _ : state) {
        benchmark::DoNotOptimize(MacKit::DesktopSearch::answers("0501234567 message 19", region, list, "en", titles));
    }
}
BENCHMARK(SearchQuery)->Arg(13)->Arg(PhoneKit::TemplateLimits::messages)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

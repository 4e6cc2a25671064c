// The Messages section as the panel shows it, rendered offscreen: with the
// thirteen ready-made messages and with a thousand of the user's. Reports
// the time from the switch to the section's frame, how many rows were made
// (the list makes only those in and near sight) and what the list cost in
// resident memory.
#include "tests/Fakes.h"

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

void OpenMessages(benchmark::State& state) {
    PanelOnScreen screen;
    const long before = residentKB();
    auto list = PhoneKit::Templates::defaults("en");
    while (list.size() < std::size_t(state.range(0))) {
        list.push_back(PhoneKit::Templates::newCustom("Message " + std::to_string(list.size()) +
                                                      "\nA line or two of words, as people write them."));
    }
    screen.rig.messages.replaceMessages(list);
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

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

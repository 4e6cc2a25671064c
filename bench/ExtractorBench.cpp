// Extraction over the texts tovu meets: a typed field, a clipboard of prose,
// and hostile clipboards built to make window searches explode. Each case
// runs at 1x and 10x its size; the time should grow no faster than the text.
//
//   build/bench/ExtractorBench --benchmark_min_time=0.2

#include <PhoneKit/numbers/PhoneExtractor.h>
#include <PhoneKit/numbers/Region.h>

#include <benchmark/benchmark.h>

#ifdef TOVU_WITH_LIBPHONENUMBER
#include <phonenumbers/phonenumbermatch.h>
#include <phonenumbers/phonenumbermatcher.h>
#include <phonenumbers/phonenumberutil.h>
#endif

#include <string>

namespace {

std::string repeated(const std::string& unit, std::size_t times) {
    std::string text;
    text.reserve(unit.size() * times);
    for (std::size_t i = 0; i < times; ++i) text += unit;
    return text;
}

std::string fieldText(std::size_t scale) { return repeated("Call me on +966 50 123 4567 please ", scale); }

// About 10,000 characters of prose with a dozen numbers, written as people do.
std::string clipboardProse(std::size_t scale) {
    const std::string numbers[] = {"0501234567",        "+966 55 123 4567", "(011) 234-5678",
                                   "00971 50 123 4567", "+44 7400 123456",  "٠٥٠١٢٣٤٥٦٧"};
    const std::string filler =
        "Thanks for the meeting on 2024-05-12; the invoice of 1,234,567 is attached. Please review the "
        "notes, confirm the order 4471 and call back when you can. ";
    std::string text;
    for (std::size_t i = 0; text.size() < 10'000 * scale; ++i) {
        text += filler;
        if (i % 4 == 0) text += numbers[(i / 4) % 6] + " ";
    }
    return text;
}

std::string oneDigitGroups(std::size_t scale) { return repeated("5 ", 5000 * scale); }
std::string digitsEveryThree(std::size_t scale) { return repeated("123 ", 10'000 * scale / 3); }

template <std::string (*Text)(std::size_t)>
void extract(benchmark::State& state) {
    const std::string text = Text(static_cast<std::size_t>(state.range(0)));
    const PhoneKit::Region& region = PhoneKit::Region::home();
    for (auto _ : state) benchmark::DoNotOptimize(PhoneKit::PhoneExtractor::numbers(text, region));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

}  // namespace

BENCHMARK(extract<fieldText>)->Name("FieldTextOneNumber")->Arg(1)->Arg(10);
BENCHMARK(extract<clipboardProse>)->Name("ClipboardProse10k")->Arg(1)->Arg(10);
BENCHMARK(extract<oneDigitGroups>)->Name("HostileOneDigitGroups")->Arg(1)->Arg(10);
BENCHMARK(extract<digitsEveryThree>)->Name("HostileDigitsEveryThree")->Arg(1)->Arg(10);

#ifdef TOVU_WITH_LIBPHONENUMBER
namespace {

template <std::string (*Text)(std::size_t)>
void libphonenumber(benchmark::State& state) {
    using i18n::phonenumbers::PhoneNumberMatch;
    using i18n::phonenumbers::PhoneNumberMatcher;
    using i18n::phonenumbers::PhoneNumberUtil;
    const std::string text = Text(static_cast<std::size_t>(state.range(0)));
    const PhoneNumberUtil& util = *PhoneNumberUtil::GetInstance();
    for (auto _ : state) {
        PhoneNumberMatcher matcher(util, text, "SA", PhoneNumberMatcher::VALID, INT32_MAX);
        PhoneNumberMatch match;
        int found = 0;
        while (matcher.HasNext() && matcher.Next(&match)) ++found;
        benchmark::DoNotOptimize(found);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

}  // namespace

BENCHMARK(libphonenumber<fieldText>)->Name("libphonenumber/FieldTextOneNumber")->Arg(1)->Arg(10);
BENCHMARK(libphonenumber<clipboardProse>)->Name("libphonenumber/ClipboardProse10k")->Arg(1)->Arg(10);
BENCHMARK(libphonenumber<oneDigitGroups>)->Name("libphonenumber/HostileOneDigitGroups")->Arg(1)->Arg(10);
BENCHMARK(libphonenumber<digitsEveryThree>)->Name("libphonenumber/HostileDigitsEveryThree")->Arg(1)->Arg(10);
#endif

// The full country list (236 records with display names and flags, sorted) against a plain
// loop asking ICU for the same 236 display names, in the same run.
#include <benchmark/benchmark.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <string>
#include <vector>

#include "orvane/extensions/CallingCodes.h"
#include "orvane/extensions/NSLocale+NSLocale.h"

namespace {

void countriesOrvane(benchmark::State& state) {
    for (auto _ : state) {
        auto countries = ov::NSLocale_NSLocale::countriesList();
        benchmark::DoNotOptimize(countries);
    }
}

void countriesIcu(benchmark::State& state) {
    const icu::Locale display = icu::Locale::getDefault();
    for (auto _ : state) {
        std::vector<icu::UnicodeString> names;
        names.reserve(ov::CallingCodes::kTable.size());
        for (const auto& entry : ov::CallingCodes::kTable) {
            const std::string code(entry.countryCode);
            icu::UnicodeString name;
            icu::Locale("", code.c_str()).getDisplayCountry(display, name);
            names.push_back(std::move(name));
        }
        benchmark::DoNotOptimize(names);
    }
}

BENCHMARK(countriesOrvane)->Name("countries_list/orvane");
BENCHMARK(countriesIcu)->Name("countries_list/icu");

}  // namespace

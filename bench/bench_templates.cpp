// Reading the label-product database (glabels-data, about 1,750 products) as
// Label Setup and "tagmora-cli templates" do, and a search over it.
#include "document/LabelTemplates.h"

#include <benchmark/benchmark.h>

namespace {

void BM_LoadLabelProducts(benchmark::State& state)
{
    size_t products = 0;
    for (auto _ : state)
        products = LoadLabelTemplates().Products.size();
    state.counters["products"] = double(products);
}
BENCHMARK(BM_LoadLabelProducts)->Unit(benchmark::kMillisecond);

void BM_SearchLabelProducts(benchmark::State& state)
{
    const std::vector<TLabelTemplate> all = LoadLabelTemplates().Products;
    size_t found = 0;
    for (auto _ : state)
        found = FindLabelTemplates(all, QStringLiteral("avery 2x4 letter")).size() +
                FindLabelTemplates(all, QStringLiteral("5163")).size();
    state.counters["found"] = double(found);
}
BENCHMARK(BM_SearchLabelProducts)->Unit(benchmark::kMicrosecond);

}  // namespace

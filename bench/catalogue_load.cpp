// A server list of N servers in 100 groups (servers interleaved across the groups): parse,
// load into the model and group for the tree, at N = 1,000 to 10,000. The complexity fit
// printed last shows how the time grows with N; it must stay near linear.
#include "catalog/uServerList.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kGroups = 100;

QString ServerListText(int servers, int groups)
{
    QString text = QStringLiteral("{\"srvRoot\":\"gate\",\"serverGroup\":[");
    for (int g = 0; g < groups; ++g)
        text += QStringLiteral("%1{\"name\":\"第%2区\",\"tag\":%3}").arg(g ? "," : "").arg(g + 1).arg(g + 1);
    text += QStringLiteral("],\"serverData\":[");
    for (int s = 0; s < servers; ++s) {
        text += QStringLiteral("%1{\"tag\":%2,\"srvid\":%3,\"srvname\":\"服务器%4\",\"port\":7100,\"state\":2,\"mainsrvid\":%5}")
                    .arg(s ? "," : "").arg(s % groups + 1).arg(s + 1).arg(s + 1).arg(s + 1);
    }
    return text + QStringLiteral("]}");
}

void LoadAndGroup(benchmark::State &state, int groups)
{
    const QString text = ServerListText(int(state.range(0)), groups);
    for (auto _ : state) {
        zelto::TServerInfo info;
        info.LoadServerListFromJSONString(text);
        benchmark::DoNotOptimize(zelto::ServerTreeOrder(info.ServerList));
    }
    state.SetComplexityN(state.range(0));
}

void BM_LoadAndGroup100Groups(benchmark::State &state)
{
    LoadAndGroup(state, kGroups);
}

// One group per server: the grouping's worst case.
void BM_LoadAndGroupOneServerPerGroup(benchmark::State &state)
{
    LoadAndGroup(state, int(state.range(0)));
}

} // namespace

BENCHMARK(BM_LoadAndGroup100Groups)->Arg(1000)->Arg(2000)->Arg(5000)->Arg(10000)
    ->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
BENCHMARK(BM_LoadAndGroupOneServerPerGroup)->Arg(1000)->Arg(2000)->Arg(5000)->Arg(10000)
    ->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
BENCHMARK_MAIN();

// How the line list holds up when a list grows far beyond the service's few hundred lines: the
// parse and merge that every refresh runs on a worker, and the fill and search that run on the
// user-interface thread. simdjson's parse of the same bytes is the yardstick for the first two.
//
// The last two lines of the output are the figures to watch:
//   refresh ratio at 100000: R      (parse + merge) / simdjson parse
//   search+fill at 100000: T ms     one search for two words, the list view filled
#include <benchmark/benchmark.h>
#include <simdjson.h>

#include <cstdio>
#include <iostream>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "lines/line_list.h"
#include "lines/line_list_view.h"
#include "toolkit/headless/headless_ui.h"
#include "ui/main_window_layout.h"

namespace {

constexpr int kLargest = 100000;
constexpr const char* kSearch = "北京 上海";

struct Province {
  std::u16string_view name;
  std::vector<std::u16string_view> cities;
};

// The 34 province-level divisions with a few of their cities.
const std::vector<Province> kProvinces = {
    {u"北京", {u"北京"}},
    {u"天津", {u"天津"}},
    {u"上海", {u"上海"}},
    {u"重庆", {u"重庆"}},
    {u"河北", {u"石家庄", u"唐山", u"保定"}},
    {u"山西", {u"太原", u"大同"}},
    {u"辽宁", {u"沈阳", u"大连"}},
    {u"吉林", {u"长春", u"吉林"}},
    {u"黑龙江", {u"哈尔滨", u"齐齐哈尔"}},
    {u"江苏", {u"南京", u"苏州", u"无锡"}},
    {u"浙江", {u"杭州", u"宁波", u"温州"}},
    {u"安徽", {u"合肥", u"芜湖"}},
    {u"福建", {u"福州", u"厦门"}},
    {u"江西", {u"南昌", u"九江"}},
    {u"山东", {u"济南", u"青岛", u"烟台"}},
    {u"河南", {u"郑州", u"洛阳"}},
    {u"湖北", {u"武汉", u"宜昌"}},
    {u"湖南", {u"长沙", u"株洲"}},
    {u"广东", {u"广州", u"深圳", u"东莞", u"佛山"}},
    {u"海南", {u"海口", u"三亚"}},
    {u"四川", {u"成都", u"绵阳"}},
    {u"贵州", {u"贵阳", u"遵义"}},
    {u"云南", {u"昆明", u"大理"}},
    {u"陕西", {u"西安", u"宝鸡"}},
    {u"甘肃", {u"兰州", u"天水"}},
    {u"青海", {u"西宁"}},
    {u"台湾", {u"台北", u"高雄"}},
    {u"内蒙古", {u"呼和浩特", u"包头"}},
    {u"广西", {u"南宁", u"桂林"}},
    {u"西藏", {u"拉萨"}},
    {u"宁夏", {u"银川"}},
    {u"新疆", {u"乌鲁木齐", u"克拉玛依"}},
    {u"香港", {u"香港"}},
    {u"澳门", {u"澳门"}},
};

const std::u16string_view kIsps[] = {u"电信", u"联通", u"移动"};

// A JSON string as the service writes it, every character beyond ASCII as a \u escape.
void AppendJsonText(std::string& out, std::u16string_view text) {
  constexpr char kHex[] = "0123456789abcdef";
  out += '"';
  for (char16_t c : text) {
    if (c < 0x80) {
      out += static_cast<char>(c);
      continue;
    }
    out += "\\u";
    for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(c >> shift) & 0xF];
  }
  out += '"';
}

// A dynamic-line list of the given length over the 34 provinces, province by province, with about
// one line in thirty abandoned and one in twenty faulty, as the service's own lists go.
std::string LineListBody(int lineCount) {
  std::string body = R"({"status": "success", "code": 200, "data": [)";
  for (int i = 0; i < lineCount; ++i) {
    const Province& province = kProvinces[static_cast<std::size_t>(i) * kProvinces.size() / lineCount];
    if (i > 0) body += ", ";
    body += R"({"province": )";
    AppendJsonText(body, province.name);
    body += R"(, "city": )";
    AppendJsonText(body, province.cities[i % province.cities.size()]);
    body += R"(, "domain": "127.)" + std::to_string(1 + i / 65536) + '.' + std::to_string(i / 256 % 256) + '.' +
            std::to_string(i % 256) + '"';
    body += R"(, "isp": )";
    AppendJsonText(body, kIsps[i % 3]);
    const int status = i % 29 == 11 ? -1 : i % 19 == 7 ? 5 : 0;
    body += R"(, "status": )" + std::to_string(status) + '}';
  }
  body += "]}";
  return body;
}

const std::string& Body(int lineCount) {
  static std::map<int, std::string> bodies;
  auto [found, fresh] = bodies.try_emplace(lineCount);
  if (fresh) found->second = LineListBody(lineCount);
  return found->second;
}

// A client on the headless toolkit whose dynamic catalogue holds the list, as after a download.
struct LoadedClient {
  explicit LoadedClient(int lineCount) {
    ui.LoadWindow(kMainWindowLayout, nullptr);
    context.state->lineMode = kDynamicLineMode;
    LineCatalogue& catalogue = context.state->dynamicLines;
    std::lock_guard lock(catalogue.lock);
    MergeLineList(catalogue, ParseLineList(Body(lineCount), kDynamicLineMode).groups, 1);
  }

  toolkit::headless::HeadlessUi ui;
  AppContext context{.state = InitAppState(ui), .ui = ui, .services = {}, .configuration = {}, .workers = {}};
};

void ParseLineListBench(benchmark::State& state) {
  const std::string& body = Body(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    ParsedLineList parsed = ParseLineList(body, kDynamicLineMode);
    benchmark::DoNotOptimize(parsed.count);
  }
}

// A refresh of a list the catalogue already holds: every line is found and refreshed in place.
void MergeLineListBench(benchmark::State& state) {
  const std::vector<ProvinceGroup> downloaded =
      ParseLineList(Body(static_cast<int>(state.range(0))), kDynamicLineMode).groups;
  LineCatalogue catalogue;
  MergeLineList(catalogue, downloaded, 1);
  std::uint32_t stamp = 2;
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<ProvinceGroup> groups = downloaded;
    state.ResumeTiming();
    std::lock_guard lock(catalogue.lock);
    MergeLineList(catalogue, std::move(groups), stamp++);
  }
}

void FillLineListBench(benchmark::State& state) {
  LoadedClient client(static_cast<int>(state.range(0)));
  for (auto _ : state) FillLineList(client.context, client.context.state->dynamicLines);
}

void SearchLinesBench(benchmark::State& state) {
  LoadedClient client(static_cast<int>(state.range(0)));
  for (auto _ : state) SearchLines(client.context, client.context.state->dynamicLines, kSearch);
}

void SimdjsonParseBench(benchmark::State& state) {
  const simdjson::padded_string body(Body(static_cast<int>(state.range(0))));
  simdjson::dom::parser parser;
  for (auto _ : state) {
    simdjson::dom::element document;
    if (parser.parse(body).get(document) != simdjson::SUCCESS) state.SkipWithError("simdjson refused the list");
    benchmark::DoNotOptimize(document);
  }
}

// Prints as the console reporter does, without colours so that the summary lines stand alone, and
// keeps each run's time per iteration in milliseconds (the median when runs are repeated).
class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  SummaryReporter() : ConsoleReporter(OO_None) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      if (run.error_occurred || (run.run_type == Run::RT_Aggregate && !median)) continue;
      const std::string name = run.run_name.str();
      if (!median && withMedian_.count(name) != 0) continue;
      milliseconds_[name] = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e3;
      if (median) withMedian_.insert(name);
    }
  }

  void PrintSummary() const {
    const std::string size = "/" + std::to_string(kLargest);
    const double parse = Time("ParseLineList" + size);
    const double merge = Time("MergeLineList" + size);
    const double yardstick = Time("SimdjsonParse" + size);
    const double search = Time("SearchLines" + size);
    if (parse < 0 || merge < 0 || yardstick <= 0) {
      std::printf("refresh ratio at %d: not measured\n", kLargest);
    } else {
      std::printf("refresh ratio at %d: %.2f\n", kLargest, (parse + merge) / yardstick);
    }
    if (search < 0) {
      std::printf("search+fill at %d: not measured\n", kLargest);
    } else {
      std::printf("search+fill at %d: %.3f ms\n", kLargest, search);
    }
  }

 private:
  double Time(const std::string& name) const {
    auto found = milliseconds_.find(name);
    return found == milliseconds_.end() ? -1 : found->second;
  }

  std::map<std::string, double> milliseconds_;
  std::set<std::string> withMedian_;
};

void Register(const char* name, void (*bench)(benchmark::State&)) {
  benchmark::RegisterBenchmark(name, bench)->Arg(1000)->Arg(10000)->Arg(kLargest)->Unit(benchmark::kMillisecond);
}

}  // namespace

int main(int argc, char** argv) {
  Register("ParseLineList", ParseLineListBench);
  Register("MergeLineList", MergeLineListBench);
  Register("SimdjsonParse", SimdjsonParseBench);
  Register("FillLineList", FillLineListBench);
  Register("SearchLines", SearchLinesBench);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  SummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  std::cout.flush();
  reporter.PrintSummary();
  return 0;
}

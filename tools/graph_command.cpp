#include "graph_command.h"

#include <cstdio>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <optional>

#include "collection/data_file.h"
#include "collection/macro_text.h"
#include "graphs/current_graph.h"
#include "selection/criteria.h"
#include "util/message_recorder.h"

namespace korvel::tool {
namespace {

using nlohmann::ordered_json;

constexpr int kExitOk = 0;
constexpr int kExitNotOpened = 1;
constexpr int kExitUsage = 2;

constexpr const char* kUsage =
    "usage: korvel-tool graph DIR cost-value|history|sales-profit|distribution:FIELD [STEP...]";

std::optional<graphs::LineGraphKind> LineKindOf(const std::string& view) {
  if (view == "cost-value") return graphs::LineGraphKind::kCostValue;
  if (view == "history") return graphs::LineGraphKind::kHistory;
  if (view == "sales-profit") return graphs::LineGraphKind::kSalesProfit;
  return std::nullopt;
}

// The field of "distribution:FIELD", or none.
std::optional<int> DistributionFieldOf(const std::string& view) {
  constexpr std::string_view prefix = "distribution:";
  if (view.rfind(prefix, 0) != 0) return std::nullopt;
  const std::string number = view.substr(prefix.size());
  char* end = nullptr;
  const long field = std::strtol(number.c_str(), &end, 10);
  if (number.empty() || *end != '\0' || field < 0 || field >= graphs::kDistributionFieldCount)
    return std::nullopt;
  return static_cast<int>(field);
}

void PrintMessages(const MessageRecorder& messages, std::size_t from = 0) {
  for (std::size_t i = from; i < messages.messages().size(); ++i) {
    const Message& m = messages.messages()[i];
    std::fprintf(stderr, "%s: %s\n", MessageCaption(m.severity), m.text.c_str());
  }
}

ordered_json AxisJson(const graphs::DataRange& range, int flags) {
  if (range.Empty()) return nullptr;
  const graphs::Axis axis = graphs::ChooseTicks(range.min, range.max, (flags & graphs::kValueMonthAxis) != 0);
  return {{"lo", axis.lo}, {"hi", axis.hi}, {"major", axis.major}, {"minor", axis.minor}};
}

ordered_json LineGraphJson(graphs::LineGraphKind kind, const Collection& collection) {
  std::unique_ptr<graphs::LineGraph> built;
  if (graphs::BuildLineGraph(kind, collection.radios, built) != graphs::BuildOutcome::kBuilt) return nullptr;
  const graphs::Graph& graph = *built->graph;
  ordered_json series = ordered_json::array();
  for (const graphs::Series& s : graph.series) {
    series.push_back({{"name", std::string(s.name)}, {"values", s.value->ints}});
  }
  return {{"title", graph.title},
          {"yUnit", graph.yUnit},
          {"first", built->counters.range.first},
          {"last", built->counters.range.last},
          {"series", series},
          {"x", AxisJson(graph.xRange, graph.xFlags)},
          {"y", AxisJson(graph.yRange, graph.yFlags)}};
}

ordered_json DistributionJson(int field, const Collection& collection, const RadioList& radios) {
  std::vector<std::uint32_t> counters;
  graphs::AllocateCounters(field, collection.tables, counters);
  graphs::CountDistribution(radios, field, counters);
  const std::vector<std::string>& entries = graphs::DistributionEntries(field, collection.tables);
  std::uint64_t total = 0;
  for (std::uint32_t c : counters) total += c;
  ordered_json slices = ordered_json::array();
  for (const graphs::PieSlice& slice : graphs::PieSlices(counters, graphs::DistributionOthersEntry(field))) {
    const std::string name =
        slice.entry == graphs::kOthers ? "Others" : entries[static_cast<std::size_t>(slice.entry)];
    slices.push_back({{"name", name}, {"count", slice.count}, {"start", slice.start}, {"span", slice.span}});
  }
  return {{"field", field},
          {"title", graphs::DistributionTitle(field)},
          {"total", total},
          {"counters", counters},
          {"slices", slices}};
}

}  // namespace

bool IsGraphView(const std::string& view) {
  return LineKindOf(view).has_value() || DistributionFieldOf(view).has_value();
}

void DrawGraphView(const std::string& view, const Collection& collection, draw::Surface& surface) {
  graphs::GraphState state;
  bool drawn = false;
  if (const auto kind = LineKindOf(view)) {
    drawn = graphs::RunLineGraph(state, *kind, collection, surface);
  } else if (const auto field = DistributionFieldOf(view)) {
    drawn = graphs::RunDistribution(state, *field, collection.radios, collection.tables, surface);
  }
  if (!drawn) surface.Clear();
}

int GraphCommand(const std::string& directory, const std::vector<std::string>& arguments) {
  if (arguments.empty()) {
    std::fprintf(stderr, "%s\n", kUsage);
    return kExitUsage;
  }
  const std::string& view = arguments[0];
  const std::optional<graphs::LineGraphKind> kind = LineKindOf(view);
  const std::optional<int> field = DistributionFieldOf(view);
  if ((!kind && !field) || (kind && arguments.size() > 1)) {
    std::fprintf(stderr, "%s\n", kUsage);
    return kExitUsage;
  }

  MessageRecorder messages;
  Collection collection;
  const LoadOutcome load = LoadCollection(directory, collection);
  PrintMessages(messages);
  if (!load.opened) return kExitNotOpened;

  ordered_json json;
  if (kind) {
    json = LineGraphJson(*kind, collection);
  } else {
    // With steps the pie counts the selection they make, as with "Selected" ticked.
    SelectionState selection;
    const std::size_t loadMessages = messages.messages().size();
    for (std::size_t i = 1; i < arguments.size(); ++i) {
      const std::optional<Criterion> criterion = ParseMacroToken(arguments[i], collection.tables);
      if (!criterion) {
        std::fprintf(stderr, "korvel-tool: \"%s\" is not a selection step\n", arguments[i].c_str());
        return kExitUsage;
      }
      ApplyCriterion(*criterion, collection, selection);
    }
    PrintMessages(messages, loadMessages);
    json = DistributionJson(*field, collection, arguments.size() > 1 ? selection.current : collection.radios);
  }
  const std::string text = json.dump(2);
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fputc('\n', stdout);
  return messages.SawError() ? kExitNotOpened : kExitOk;  // the data is given all the same
}

}  // namespace korvel::tool

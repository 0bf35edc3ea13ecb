// --timeline OUT.svg: the script's timeline as a picture that reads at a
// glance in any browser. Time runs left to right; each object name has a
// row with one bar per statement, from the step it became active to the last
// step it ran (hover for the line and the statement); the music band shows
// the module's orders while it plays and where PLAYMOD and STOPMOD act; the
// checker's reports are red marks at their times. Bars carry data-line,
// data-from and data-to (steps) for tools.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>

#include "app/Runs.h"
#include "app/TimelineTrace.h"
#include "base/FileBuffer.h"
#include "base/NumberText.h"
#include "music/ModEngine.h"
#include "music/Tables.h"
#include "script/Keywords.h"

namespace wf {
namespace {

constexpr double kLabelWidth = 170.0;
constexpr double kRowHeight = 16.0;
constexpr double kMusicTop = 34.0;
constexpr double kMusicHeight = 22.0;
constexpr double kRowsTop = kMusicTop + kMusicHeight + 14.0;
constexpr int kStepsPerSecond = 100;

std::string escapeXml(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default:
        // Control characters are not allowed in XML 1.0.
        out += (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n') ? ' ' : c;
    }
  }
  return out;
}

std::string number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", value);
  return text;
}

// The statement as the author wrote it, near enough for a tooltip.
std::string statementText(const TraceRecord& r) {
  switch (r.kind) {
    case kind::kCall: return r.name + "(" + r.argument + ")";
    case kind::kSet:
    case kind::kCombine:
      return r.name + (r.letter ? std::string(".") + r.letter : "") + (r.kind == kind::kSet ? "=" : "*") + r.argument;
    case kind::kStop: return r.name + "!";
    default: return r.name + ":(" + r.argument + ")";
  }
}

const char* barColour(const TraceRecord& r) {
  if (kind::isDeclarationKind(r.kind)) return "#3a9d5d";
  switch (r.kind) {
    case kind::kSet: return "#3b6fc4";
    case kind::kCombine: return "#e08a1e";
    case kind::kStop: return "#c43b3b";
    case kind::kStart: return "#8a4fc4";
    case kind::kEnde: return "#222222";
    default: return "#888888";
  }
}

// Where the orders of the module begin while it plays: PLAYMOD continues
// from where STOPMOD left it, AUDIO (a new module) starts from order 0.
struct OrderSpan {
  int fromStep, toStep, order;
};

class OrderWatcher : public StepObserver {
 public:
  void afterStep(const ModEngine& engine, int64_t startFrame) override {
    if (engine.lastStepPlayedRow() && engine.playingRow() == 0) starts.push_back({startFrame, engine.playingOrder()});
    lastOrder = engine.playingOrder();
    lastRow = engine.playingRow();
  }
  std::vector<std::pair<int64_t, int>> starts;  // frame, order
  int lastOrder = 0, lastRow = 0;
};

struct MusicBand {
  std::vector<OrderSpan> orders;
  std::vector<std::string> marks;  // finished SVG elements
};

MusicBand musicBand(const TimelineTrace& trace, double pxPerStep, int endStep) {
  MusicBand band;
  if (trace.music.empty() || trace.modulePath.empty()) return band;
  // The module path is the script's, relative to the script's folder.
  const size_t slash = trace.script.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "" : trace.script.substr(0, slash + 1);
  FileBuffer file(folder + trace.modulePath, false);
  if (file.failed()) return band;
  ModEngine engine;
  engine.load(file.data(), file.size());
  if (!engine.loaded()) return band;
  OrderWatcher watcher;
  engine.setStepObserver(&watcher);
  std::vector<int16_t> block(ModEngine::kBlockFrames * 2);
  int playFrom = -1;
  auto playUntil = [&](int step) {
    // Frames of 1/44100 s; a step is 441 of them.
    const int64_t first = engine.framesRendered();
    const int64_t frames = static_cast<int64_t>(step - playFrom) * (kOutputRate / kStepsPerSecond);
    watcher.starts.clear();
    while (engine.framesRendered() - first < frames) engine.renderBlock(block.data(), ModEngine::kBlockBytes);
    int previousStep = playFrom, previousOrder = -1;
    for (const auto& [frame, order] : watcher.starts) {
      const int at = playFrom + static_cast<int>((frame - first) / (kOutputRate / kStepsPerSecond));
      if (at >= step) break;
      if (previousOrder >= 0) band.orders.push_back({previousStep, at, previousOrder});
      previousStep = at;
      previousOrder = order;
    }
    if (previousOrder >= 0) band.orders.push_back({previousStep, step, previousOrder});
  };
  for (const MusicCall& call : trace.music) {
    const double x = kLabelWidth + (call.step - 1) * pxPerStep;
    if (call.play && playFrom < 0) {
      playFrom = call.step;
    } else if (!call.play && playFrom >= 0) {
      playUntil(call.step);
      playFrom = -1;
    }
    band.marks.push_back("<g><title>line " + std::to_string(call.line) + ": " +
                         (call.play ? "PLAYMOD" : "STOPMOD") + " at " + timelineTime(call.step) +
                         (call.play ? "" : ", order " + std::to_string(watcher.lastOrder) + " row " +
                                               std::to_string(watcher.lastRow)) +
                         "</title><path d=\"M" + number(x) + " " + number(kMusicTop - 6) + " l5 -6 h-10 z\" fill=\"" +
                         (call.play ? "#3a9d5d" : "#c43b3b") + "\"/></g>");
  }
  if (playFrom >= 0) playUntil(endStep + 1);
  return band;
}

}  // namespace

int runTimeline(const std::string& svgPath, const std::string& file, int quality) {
  const TimelineTrace trace = traceTimeline(file, quality);
  const int endStep = std::max(trace.endStep, 100);
  const double seconds = std::ceil(endStep / double(kStepsPerSecond));
  const double pxPerStep = seconds > 240 ? 1200.0 / (seconds * kStepsPerSecond) : 0.12;  // 12 px a second
  const double width = kLabelWidth + seconds * kStepsPerSecond * pxPerStep + 50;

  // One row per name (compared ignoring case, as the script does), in order
  // of first appearance.
  std::vector<std::string> rowNames;
  auto rowIndex = [&](const std::string& name) {
    for (size_t i = 0; i < rowNames.size(); ++i)
      if (equalsIgnoreCase(rowNames[i], name)) return static_cast<int>(i);
    return -1;
  };
  for (const TraceRecord& r : trace.records)
    if (r.kind != kind::kCall && rowIndex(r.name) < 0) rowNames.push_back(r.name);
  const int callRow = static_cast<int>(rowNames.size());
  rowNames.push_back("(calls)");
  const double height = kRowsTop + rowNames.size() * kRowHeight + 30;
  auto rowY = [&](const TraceRecord& r) {
    return kRowsTop + (r.kind == kind::kCall ? callRow : rowIndex(r.name)) * kRowHeight;
  };
  auto xOf = [&](int step) { return kLabelWidth + (step - 1) * pxPerStep; };

  std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
                    number(width) + "\" height=\"" + number(height) + "\" font-family=\"sans-serif\" font-size=\"11\">\n";
  svg += "<title>" + escapeXml(file) + "</title>\n<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n";
  svg += "<text x=\"8\" y=\"16\" font-size=\"13\" font-weight=\"bold\">" + escapeXml(file) + " — " +
         std::to_string(trace.statements) + " statements, ends at " + timelineTime(trace.endStep) +
         (trace.ended ? " (ENDE)" : "") + "</text>\n";

  // The legend.
  const std::pair<const char*, const char*> legend[] = {{"#3a9d5d", "declaration"}, {"#3b6fc4", "= command"},
                                                        {"#e08a1e", "* command"},   {"#c43b3b", "stop"},
                                                        {"#888888", "call"},        {"#d01010", "report"}};
  double legendX = width - 6 * 95;
  for (const auto& [colour, label] : legend) {
    svg += "<rect x=\"" + number(legendX) + "\" y=\"7\" width=\"10\" height=\"10\" fill=\"" + colour +
           "\"/><text x=\"" + number(legendX + 14) + "\" y=\"16\">" + label + "</text>\n";
    legendX += 95;
  }

  // Time axis: a tick every second, a label every five (or ten).
  const int labelEvery = seconds > 120 ? 10 : 5;
  for (int s = 0; s <= seconds; ++s) {
    const double x = xOf(s * kStepsPerSecond + 1);
    const bool label = s % labelEvery == 0;
    svg += "<line x1=\"" + number(x) + "\" y1=\"" + number(kRowsTop - 4) + "\" x2=\"" + number(x) + "\" y2=\"" +
           number(height - 24) + "\" stroke=\"" + (label ? "#cccccc" : "#eeeeee") + "\"/>\n";
    if (label)
      svg += "<text x=\"" + number(x) + "\" y=\"" + number(height - 10) + "\" text-anchor=\"middle\">" +
             timelineTime(s * kStepsPerSecond + 1).substr(0, timelineTime(s * kStepsPerSecond + 1).size() - 3) +
             "</text>\n";
  }

  // The music band.
  svg += "<text x=\"8\" y=\"" + number(kMusicTop + 15) + "\">music</text>\n";
  const MusicBand band = musicBand(trace, pxPerStep, trace.endStep);
  for (const OrderSpan& o : band.orders) {
    const double x = xOf(o.fromStep), w = std::max(1.0, (o.toStep - o.fromStep) * pxPerStep);
    svg += "<g class=\"order\"><title>order " + std::to_string(o.order) + ", " + timelineTime(o.fromStep) + "–" +
           timelineTime(o.toStep) + "</title><rect x=\"" + number(x) + "\" y=\"" + number(kMusicTop) +
           "\" width=\"" + number(w) + "\" height=\"" + number(kMusicHeight) + "\" fill=\"" +
           (o.order % 2 ? "#d9e6f7" : "#bcd3f0") + "\" stroke=\"#ffffff\" data-order=\"" + std::to_string(o.order) +
           "\" data-from=\"" + std::to_string(o.fromStep) + "\" data-to=\"" + std::to_string(o.toStep) +
           "\"/><text x=\"" + number(x + 2) + "\" y=\"" + number(kMusicTop + 15) + "\">" + std::to_string(o.order) +
           "</text></g>\n";
  }
  for (const std::string& mark : band.marks) svg += mark + "\n";

  // Row labels and bars.
  for (size_t i = 0; i < rowNames.size(); ++i) {
    const double y = kRowsTop + i * kRowHeight;
    if (i % 2) {
      svg += "<rect x=\"0\" y=\"" + number(y) + "\" width=\"" + number(width) + "\" height=\"" + number(kRowHeight) +
             "\" fill=\"#f6f6f6\"/>\n";
    }
    svg += "<text x=\"8\" y=\"" + number(y + 12) + "\">" + escapeXml(rowNames[i]) + "</text>\n";
  }
  for (const TraceRecord& r : trace.records) {
    if (r.activeFrom < 0) continue;
    const int to = r.lastRun >= 0 ? r.lastRun + 1 : r.activeFrom;
    const double x = xOf(r.activeFrom), w = std::max(2.0, (to - r.activeFrom) * pxPerStep);
    const std::string title = "line " + std::to_string(r.line) + ": " + statementText(r) + "\n" +
                              timelineTime(r.activeFrom) + "–" + timelineTime(to) +
                              (r.lastRun < 0 ? " (removed before it ran)" : "");
    svg += "<g><title>" + escapeXml(title) + "</title><rect x=\"" + number(x) + "\" y=\"" + number(rowY(r) + 3) +
           "\" width=\"" + number(w) + "\" height=\"" + number(kRowHeight - 6) + "\" fill=\"" + barColour(r) +
           "\" fill-opacity=\"" + (r.lastRun < 0 ? "0.3" : "0.85") + "\" data-line=\"" + std::to_string(r.line) +
           "\" data-from=\"" + std::to_string(r.activeFrom) + "\" data-to=\"" + std::to_string(to) + "\"/></g>\n";
    if (r.kind == kind::kStart || r.kind == kind::kEnde) {
      svg += "<line x1=\"" + number(x) + "\" y1=\"" + number(kMusicTop) + "\" x2=\"" + number(x) + "\" y2=\"" +
             number(height - 24) + "\" stroke=\"" + barColour(r) + "\" stroke-dasharray=\"4 3\"/>\n<text x=\"" +
             number(x + 3) + "\" y=\"" + number(kRowsTop - 4) + "\" fill=\"" + barColour(r) + "\">" +
             (r.kind == kind::kStart ? "START " + escapeXml(r.argument) : std::string("ENDE")) + "</text>\n";
    }
  }

  // The checker's reports.
  for (const TraceReport& report : trace.reports) {
    double y = kMusicTop + kMusicHeight / 2;
    for (const TraceRecord& r : trace.records)
      if (r.line == report.line) y = rowY(r) + kRowHeight / 2;
    const double x = xOf(std::max(report.step, 1));
    svg += "<g class=\"report\"><title>" +
           escapeXml("line " + std::to_string(report.line) + ", " + timelineTime(report.step) + ": " + report.text) +
           "</title><circle cx=\"" + number(x) + "\" cy=\"" + number(y) + "\" r=\"4\" fill=\"#d01010\"/></g>\n";
  }
  svg += "</svg>\n";

  std::ofstream outFile(svgPath, std::ios::binary);
  outFile << svg;
  outFile.close();
  if (!outFile) {
    std::fprintf(stderr, "wolkenfahrt: cannot write %s\n", svgPath.c_str());
    return 1;
  }
  std::fprintf(stderr, "wolkenfahrt: %s: %zu rows, %zu reports, ends at %s\n", svgPath.c_str(), rowNames.size(),
               trace.reports.size(), timelineTime(trace.endStep).c_str());
  return 0;
}

}  // namespace wf

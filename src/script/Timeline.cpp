// Running the script: the timeline step and the interpreter.
#include <climits>     // Required for: INT_MIN
#include <functional>  // Required for: std::less

#include "base/Console.h"
#include "base/NumberText.h"
#include "base/Report.h"
#include "script/Script.h"

namespace wf {

void Script::appendActive(ScriptRecord& record) {
  record.prev = activeTail_;
  record.next = nullptr;
  record.activeFrom = stepsRun_;
  if (activeTail_)
    activeTail_->next = &record;
  else
    activeHead_ = &record;
  activeTail_ = &record;
  record.inList = true;
}

void Script::unlinkActive(ScriptRecord& record) {
  if (!record.inList) return;
  // A walk that last passed this record continues from its predecessor,
  // which it has passed too.
  for (ScriptRecord*& last : walks_)
    if (last == &record) last = record.prev;
  if (record.prev)
    record.prev->next = record.next;
  else
    activeHead_ = record.next;
  if (record.next)
    record.next->prev = record.prev;
  else
    activeTail_ = record.prev;
  record.next = nullptr;
  record.prev = nullptr;
  record.inList = false;
}

int Script::indexOf(const ScriptRecord* record) const {
  // Records built elsewhere (the console's mover) are not in the table.
  const std::less<const ScriptRecord*> before;
  if (before(record, records_.data()) || !before(record, records_.data() + recordCount_)) return -1;
  return static_cast<int>(record - records_.data());
}

std::vector<int> Script::activeIndices() const {
  std::vector<int> indices;
  for (const ScriptRecord* r = activeHead_; r; r = r->next) indices.push_back(indexOf(r));
  return indices;
}

void Script::step() {
  stepsRun_ += 1;
  if (ConsoleLog* console = currentConsole()) console->countStep();  // also redraws

  // Activation: every statement whose delay has run out joins the tail of
  // the active list; the next one in line counts its delay down.
  while (nextRecord_ < recordCount_ && records_[static_cast<size_t>(nextRecord_)].delay <= 0) {
    appendActive(records_[static_cast<size_t>(nextRecord_)]);
    nextRecord_ += 1;
  }
  if (nextRecord_ < recordCount_) records_[static_cast<size_t>(nextRecord_)].delay -= 1;

  // Execution: one walk over the list. What an executed command appends
  // (START's steps activate statements) is reached by this walk too; what
  // it unlinks is not.
  walks_.push_back(nullptr);
  const size_t walk = walks_.size() - 1;
  for (;;) {
    ScriptRecord* last = walks_[walk];
    ScriptRecord* r = last ? last->next : activeHead_;
    if (!r) break;
    if (r->ttl == 0) {
      unlinkActive(*r);
      continue;
    }
    walks_[walk] = r;
    // The steps a START runs pass over running START statements (their own
    // included) without running or counting them: a fast-forward is exactly
    // its number of steps, and cannot nest without end.
    if (fastForwardDepth_ > 0 && r->kind == kind::kStart) continue;
    r->lastRun = stepsRun_;
    execute(*r);
    if (r->ttl != INT_MIN) r->ttl -= 1;  // a negative duration never reaches 0
  }
  walks_.pop_back();
}

void Script::execute(ScriptRecord& record) {
  const ScriptRecord* outer = executing_;
  executing_ = &record;
  perform(record);
  executing_ = outer;
}

void Script::perform(ScriptRecord& record) {
  switch (record.kind) {
    case kind::kCall:
      executeCall(record);
      return;
    case kind::kSet:
    case kind::kCombine:
      executeProperty(record);
      return;
    case kind::kStop:
      executeStop(record);
      return;
    case kind::kEnde:
      executeEnde(record);
      return;
    case kind::kStart:
      executeStart(record);
      return;
    default:
      if (kind::isDeclarationKind(record.kind) && host_) host_->declare(*this, record);
      return;  // unknown types (-1) and unused kinds do nothing
  }
}

void Script::showMessage(const std::string& text) {
  // A console line at level 0, or a message box captioned "Error".
  wf::showMessage(text);
}

void Script::executeCall(ScriptRecord& record) {
  switch (keywords_.lookupCall(record.name)) {
    case kind::kStopMod:
      if (host_) host_->stopMusic();
      consolePrint("stopping music...", 1);
      return;
    case kind::kPlayMod:
      if (host_) host_->playMusic();
      consolePrint("playing music...", 1);
      return;
    case kind::kMessage:
      showMessage(record.argument);
      return;
    case kind::kBlend:
      reportError("Funktion nicht gefunden", record.line);
      return;
    default:
      return;  // a misspelt command word does nothing and says nothing
  }
}

void Script::executeProperty(ScriptRecord& record) {
  const bool set = record.kind == kind::kSet;
  if (PropertyTarget* object = host_ ? host_->findObject(record.name) : nullptr) {
    if (set) {
      consolePrint(record.name, 2);
      if (!object->setProperty(record.letter, record.argument)) reportError("= mißglückt", record.line);
    } else {
      if (!object->addProperty(record.letter, record.argument)) reportError("* failed", record.line);
    }
    return;
  }
  const int variable = variables_.lookupVariable(record.name);
  if (variable < 0) {
    reportError("Objekt nicht gefunden", record.line);
    return;
  }
  // deliberate: "=" multiplies and "*" adds; productions are written against it
  // (TimelineTest.VariablesMultiplyOnSetAndAddOnCombine).
  if (set)
    variables_.multiplyVariable(variable, record.argument);
  else
    variables_.addToVariable(variable, record.argument);
}

void Script::executeStop(ScriptRecord& record) {
  consolePrint(record.name, 1);
  consoleAppend("!", 1);
  // Every running statement of that name goes, this one included; pending
  // ones are not affected.
  for (ScriptRecord* r = activeHead_; r;) {
    ScriptRecord* following = r->next;
    if (equalsIgnoreCase(r->name, record.name)) unlinkActive(*r);
    r = following;
  }
}

void Script::executeEnde(ScriptRecord& record) {
  showMessage(record.argument);
  ended_ = true;
  if (host_) {
    host_->pauseClock();
    host_->closeWindow();
  }
}

void Script::executeStart(ScriptRecord& record) {
  const int steps = parseAtoi(record.argument);
  if (host_) host_->pauseClock();
  fastForwardDepth_ += 1;
  for (int i = 0; i < steps; ++i) step();
  fastForwardDepth_ -= 1;
  // An ENDE among the fast-forwarded steps keeps the clock stopped: resuming
  // would run the timeline on behind a closing window.
  if (host_ && !ended_) host_->resumeClock();
}

}  // namespace wf

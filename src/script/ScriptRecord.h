// One statement of the script, as the scanner cut it.
#pragma once
#include <string>

namespace wf {

struct ScriptRecord {
  int line = 0;   // line of the statement's ';' (for error reports)
  int delay = 0;  // steps after the previous statement became active; counts down while next in line
  int ttl = 1;    // steps on which it runs; counts down per execution; negative: runs until stopped
  std::string name;      // object, variable, command, or the name to declare
  char letter = 0;       // property letter, upper-case ('@'..'_'); 0 when the form has none
  int kind = 0;          // statement kind (script/Keywords.h)
  std::string argument;  // text after the operator: no white space outside quotes, no quotes, no parentheses
  ScriptRecord* next = nullptr;  // the active list, in activation order

  // Where it ran on the timeline, in steps as Script::stepsRun() counts them
  // (-1: not yet). A record stopped on the step it became active never runs.
  int activeFrom = -1;  // the step it joined the active list
  int lastRun = -1;     // the last step it ran on

  // Book-keeping of the active list, so records can be unlinked from
  // anywhere in it while a step walks it.
  ScriptRecord* prev = nullptr;
  bool inList = false;
};

}  // namespace wf

// Bringing a freshly built engine to a point of its timeline without drawing:
// captures and dumps that start later on, and the interactive engine's
// reload and seek.
//
// A fast-forward runs what a run at the same pace would have run, in the
// same order, and leaves out only the drawing: the script steps as the frame
// clock runs them, and the music catching up with the timeline at the same
// points, so the player stands at exactly the same sample of its output.
// (Where the music catches up matters: a module that a step starts begins at
// the output frame the music had reached.) Objects' update() is left out as
// well: it only recomputes what a frame draws from (world positions, vertex
// lighting, the frame's lights), and every drawn frame runs it first.
#pragma once

namespace wf {

class DemoApp;

// How a run meets its timeline, tick by tick: a tick runs the script steps
// due by its end, then the music catches up to that time.
struct TimelinePace {
  // Ticks per second of timeline: a capture's frame rate. 0: one script step
  // per tick, whatever the steps' times add up to (scene dumps, and the
  // interactive engine, whose real pace is never the same twice).
  double ticksPerSecond = 0.0;
  // Timeline seconds at the end of tick `tick`, counted from 1.
  double tickEnd(long long tick) const;
};

// Tick `tick` of `pace` (ticks run in order from 1): the steps, then the music.
void runTick(DemoApp& app, long long tick, const TimelinePace& pace);
// Ticks 1 to `ticks` of a freshly built engine, drawing nothing. The steps
// run even after the script's ENDE (which pauses the clock, so they do
// nothing), and the music goes on, as in a run that keeps ticking.
void fastForward(DemoApp& app, long long ticks, const TimelinePace& pace);

}  // namespace wf

// The demo's output window as the engine sees it.
//
// The frame loop runs while it is alive; close() ends it (Escape, a close
// request, or the script's ENDE). pumpMessage() handles at most one pending
// event per frame. outerWidth()/outerHeight() give the size the projection
// and the sprites work with: on this platform the window manager owns the
// frame, so it is the drawable size of the GL surface.
#pragma once

namespace wf {

class MainWindow {
 public:
  MainWindow();
  virtual ~MainWindow();
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  bool isAlive() const { return alive_; }
  virtual void close() { alive_ = false; }
  virtual void pumpMessage() {}
  virtual int outerWidth() const = 0;
  virtual int outerHeight() const = 0;

  // A jump on the timeline asked for by a key, for the frame loop to carry
  // out: `steps` on from the current step (negative: back), or to the start.
  struct Seek {
    bool toStart = false;
    long long steps = 0;
  };
  void requestSeek(Seek seek) { seek_ = seek, seekPending_ = true; }
  bool takeSeek(Seek& seek) {
    if (!seekPending_) return false;
    seek = seek_;
    seekPending_ = false;
    return true;
  }

  static MainWindow* current();

 protected:
  bool alive_ = false;

 private:
  Seek seek_;
  bool seekPending_ = false;
};

// A window without a display: a fixed-size surface for headless runs.
class HeadlessWindow : public MainWindow {
 public:
  HeadlessWindow(int width, int height);
  int outerWidth() const override { return width_; }
  int outerHeight() const override { return height_; }

 private:
  int width_;
  int height_;
};

}  // namespace wf

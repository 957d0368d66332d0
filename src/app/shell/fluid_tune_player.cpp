// The tune player on FluidSynth.
#include <fluidsynth.h>

#include <QFileInfo>
#include <atomic>
#include <string>
#include <thread>

#include "shell/tune_player.h"

namespace tavrel {

namespace {

// Reading the large General MIDI sound font takes about a second, so the
// synthesizer is set up on a thread of its own and the box opens at once.
class FluidTunePlayer : public TunePlayer {
 public:
  FluidTunePlayer() {
    // The synthesizer's complaints (no sound server, no device) would only
    // clutter the terminal: missing sound is silence.
    for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG}) {
      fluid_set_log_function(level, nullptr, nullptr);
    }
  }
  ~FluidTunePlayer() override { Stop(); }

  void PlayLoop(const QString& midiFile) override {
    Stop();
    loader_ = std::thread([this, file = midiFile.toLocal8Bit().toStdString(), font = SoundFont()] {
      Start(file, font);
    });
  }

  void Stop() override {
    stopping_ = true;
    if (loader_.joinable()) loader_.join();
    stopping_ = false;
    if (player_) {
      fluid_player_stop(player_);
      fluid_player_join(player_);
      delete_fluid_player(player_);
    }
    if (driver_) delete_fluid_audio_driver(driver_);
    if (synth_) delete_fluid_synth(synth_);
    if (settings_) delete_fluid_settings(settings_);
    player_ = nullptr;
    driver_ = nullptr;
    synth_ = nullptr;
    settings_ = nullptr;
  }

 private:
  // On the loader thread; whatever it leaves behind Stop releases.
  void Start(const std::string& midiFile, const std::string& soundFont) {
    if (soundFont.empty() || !(settings_ = new_fluid_settings())) return;
    // Only the instruments the tune uses are read from the sound font.
    fluid_settings_setint(settings_, "synth.dynamic-sample-loading", 1);
    fluid_settings_setnum(settings_, "synth.gain", 0.5);
    if (!(synth_ = new_fluid_synth(settings_))) return;
    if (!(driver_ = new_fluid_audio_driver(settings_, synth_)) || stopping_) return;
    if (fluid_synth_sfload(synth_, soundFont.c_str(), 1) == FLUID_FAILED || stopping_) return;
    if (!(player_ = new_fluid_player(synth_)) || fluid_player_add(player_, midiFile.c_str()) != FLUID_OK) return;
    fluid_player_set_loop(player_, -1);
    fluid_player_play(player_);
  }

  // The system's General MIDI font, as the synthesizer's own default names it
  // on Debian, else the font the fluid-soundfont-gm package installs.
  static std::string SoundFont() {
    for (const char* path : {"/usr/share/sounds/sf2/default-GM.sf2", "/usr/share/sounds/sf2/FluidR3_GM.sf2"}) {
      if (QFileInfo(QString::fromLocal8Bit(path)).isFile()) return path;
    }
    return {};
  }

  std::thread loader_;
  std::atomic<bool> stopping_ = false;
  fluid_settings_t* settings_ = nullptr;
  fluid_synth_t* synth_ = nullptr;
  fluid_audio_driver_t* driver_ = nullptr;
  fluid_player_t* player_ = nullptr;
};

}  // namespace

std::unique_ptr<TunePlayer> MakeTunePlayer() { return std::make_unique<FluidTunePlayer>(); }

}  // namespace tavrel

// The tune player on FluidSynth. The synthesizer and the sound libraries it
// pulls in (some forty of them) are loaded only when the tune first plays, so
// that neither the program nor the batch tool pays for them at start.
#include <dlfcn.h>
#include <fluidsynth.h>

#include <QFileInfo>
#include <atomic>
#include <string>
#include <thread>

#include "app/shell/tune_player.h"

namespace tavrel {

namespace {

// The synthesizer's functions the player calls, resolved from the shared library.
struct FluidSynth {
  decltype(&fluid_set_log_function) setLogFunction;
  decltype(&new_fluid_settings) newSettings;
  decltype(&fluid_settings_setint) settingsSetInt;
  decltype(&fluid_settings_setnum) settingsSetNum;
  decltype(&delete_fluid_settings) deleteSettings;
  decltype(&new_fluid_synth) newSynth;
  decltype(&fluid_synth_sfload) synthSfLoad;
  decltype(&delete_fluid_synth) deleteSynth;
  decltype(&new_fluid_audio_driver) newAudioDriver;
  decltype(&delete_fluid_audio_driver) deleteAudioDriver;
  decltype(&new_fluid_player) newPlayer;
  decltype(&fluid_player_add) playerAdd;
  decltype(&fluid_player_set_loop) playerSetLoop;
  decltype(&fluid_player_play) playerPlay;
  decltype(&fluid_player_stop) playerStop;
  decltype(&fluid_player_join) playerJoin;
  decltype(&delete_fluid_player) deletePlayer;
};

template <typename Function>
bool Resolve(void* library, const char* name, Function& function) {
  function = reinterpret_cast<Function>(dlsym(library, name));
  return function != nullptr;
}

// Loads the synthesizer once for the run; null when it is not installed or
// lacks a function, which leaves the tune silent. The library stays loaded:
// its threads may outlive any one player.
const FluidSynth* LoadFluidSynth() {
  static const FluidSynth* const loaded = []() -> const FluidSynth* {
    void* library = dlopen("libfluidsynth.so.3", RTLD_NOW | RTLD_LOCAL);
    if (!library) return nullptr;
    static FluidSynth f;
    const bool complete =
        Resolve(library, "fluid_set_log_function", f.setLogFunction) &&
        Resolve(library, "new_fluid_settings", f.newSettings) &&
        Resolve(library, "fluid_settings_setint", f.settingsSetInt) &&
        Resolve(library, "fluid_settings_setnum", f.settingsSetNum) &&
        Resolve(library, "delete_fluid_settings", f.deleteSettings) &&
        Resolve(library, "new_fluid_synth", f.newSynth) && Resolve(library, "fluid_synth_sfload", f.synthSfLoad) &&
        Resolve(library, "delete_fluid_synth", f.deleteSynth) &&
        Resolve(library, "new_fluid_audio_driver", f.newAudioDriver) &&
        Resolve(library, "delete_fluid_audio_driver", f.deleteAudioDriver) &&
        Resolve(library, "new_fluid_player", f.newPlayer) && Resolve(library, "fluid_player_add", f.playerAdd) &&
        Resolve(library, "fluid_player_set_loop", f.playerSetLoop) &&
        Resolve(library, "fluid_player_play", f.playerPlay) && Resolve(library, "fluid_player_stop", f.playerStop) &&
        Resolve(library, "fluid_player_join", f.playerJoin) && Resolve(library, "delete_fluid_player", f.deletePlayer);
    if (!complete) return nullptr;
    // The synthesizer's complaints (no sound server, no device) would only
    // clutter the terminal: missing sound is silence.
    for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG}) {
      f.setLogFunction(level, nullptr, nullptr);
    }
    return &f;
  }();
  return loaded;
}

// Loading the synthesizer and reading the large General MIDI sound font take
// about a second, so both happen on a thread of their own and the box opens at once.
class FluidTunePlayer : public TunePlayer {
 public:
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
    // Whatever was made, was made through fluid_.
    if (player_) {
      fluid_->playerStop(player_);
      fluid_->playerJoin(player_);
      fluid_->deletePlayer(player_);
    }
    if (driver_) fluid_->deleteAudioDriver(driver_);
    if (synth_) fluid_->deleteSynth(synth_);
    if (settings_) fluid_->deleteSettings(settings_);
    player_ = nullptr;
    driver_ = nullptr;
    synth_ = nullptr;
    settings_ = nullptr;
  }

 private:
  // On the loader thread; whatever it leaves behind Stop releases.
  void Start(const std::string& midiFile, const std::string& soundFont) {
    if (soundFont.empty() || !(fluid_ = LoadFluidSynth()) || stopping_) return;
    const FluidSynth& f = *fluid_;
    if (!(settings_ = f.newSettings())) return;
    // Only the instruments the tune uses are read from the sound font.
    f.settingsSetInt(settings_, "synth.dynamic-sample-loading", 1);
    f.settingsSetNum(settings_, "synth.gain", 0.5);
    if (!(synth_ = f.newSynth(settings_))) return;
    if (!(driver_ = f.newAudioDriver(settings_, synth_)) || stopping_) return;
    if (f.synthSfLoad(synth_, soundFont.c_str(), 1) == FLUID_FAILED || stopping_) return;
    if (!(player_ = f.newPlayer(synth_)) || f.playerAdd(player_, midiFile.c_str()) != FLUID_OK) return;
    f.playerSetLoop(player_, -1);
    f.playerPlay(player_);
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
  const FluidSynth* fluid_ = nullptr;
  fluid_settings_t* settings_ = nullptr;
  fluid_synth_t* synth_ = nullptr;
  fluid_audio_driver_t* driver_ = nullptr;
  fluid_player_t* player_ = nullptr;
};

}  // namespace

std::unique_ptr<TunePlayer> MakeTunePlayer() { return std::make_unique<FluidTunePlayer>(); }

}  // namespace tavrel

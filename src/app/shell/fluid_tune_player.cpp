// The tune player on FluidSynth.
#include <fluidsynth.h>

#include <QFileInfo>

#include "shell/tune_player.h"

namespace tavrel {

namespace {

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
    settings_ = new_fluid_settings();
    if (!settings_) return;
    // Only the instruments the tune uses are read from the large sound font.
    fluid_settings_setint(settings_, "synth.dynamic-sample-loading", 1);
    fluid_settings_setnum(settings_, "synth.gain", 0.5);
    synth_ = new_fluid_synth(settings_);
    if (!synth_) return Stop();
    driver_ = new_fluid_audio_driver(settings_, synth_);
    if (!driver_) return Stop();
    const QString soundFont = SoundFont();
    if (soundFont.isEmpty() || fluid_synth_sfload(synth_, soundFont.toLocal8Bit().constData(), 1) == FLUID_FAILED) {
      return Stop();
    }
    player_ = new_fluid_player(synth_);
    if (!player_ || fluid_player_add(player_, midiFile.toLocal8Bit().constData()) != FLUID_OK) return Stop();
    fluid_player_set_loop(player_, -1);
    fluid_player_play(player_);
  }

  void Stop() override {
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
  // The synthesizer's own default (the system's General MIDI font), else the font Debian installs.
  QString SoundFont() const {
    char* configured = nullptr;
    QString path;
    if (fluid_settings_dupstr(settings_, "synth.default-soundfont", &configured) == FLUID_OK && configured) {
      path = QString::fromLocal8Bit(configured);
      fluid_free(configured);
    }
    if (!path.isEmpty() && QFileInfo::exists(path)) return path;
    const QString debian = QStringLiteral("/usr/share/sounds/sf2/FluidR3_GM.sf2");
    return QFileInfo::exists(debian) ? debian : QString();
  }

  fluid_settings_t* settings_ = nullptr;
  fluid_synth_t* synth_ = nullptr;
  fluid_audio_driver_t* driver_ = nullptr;
  fluid_player_t* player_ = nullptr;
};

}  // namespace

std::unique_ptr<TunePlayer> MakeTunePlayer() { return std::make_unique<FluidTunePlayer>(); }

}  // namespace tavrel

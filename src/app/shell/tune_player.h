#pragma once
// Plays a MIDI tune over and over until stopped. The About box holds one; tests give it a fake.
#include <QString>
#include <memory>

namespace tavrel {

class TunePlayer {
 public:
  virtual ~TunePlayer() = default;
  // Starts midiFile from its beginning, repeating it until Stop.
  virtual void PlayLoop(const QString& midiFile) = 0;
  virtual void Stop() = 0;
};

// The synthesizer with the General MIDI sound font. Without a sound device or
// a sound font it stays silent and says nothing.
std::unique_ptr<TunePlayer> MakeTunePlayer();

}  // namespace tavrel

#pragma once
// Where players send their sound: the default audio output of the system, or nowhere. With
// Default, a system that has no usable output (a headless host) discards the sound too.
// Tests and command-line tools that only watch the picture choose Discard. Thread-safe; players
// made afterwards follow the setting.
//
//   ov::setAudioOutput(ov::AudioOutput::Discard);

namespace ov {

enum class AudioOutput { Default, Discard };

AudioOutput audioOutput();
void setAudioOutput(AudioOutput output);

}  // namespace ov
